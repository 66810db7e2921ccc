// The grid's query over the working lines of the DDT, and what the page
// asks of its columns.
#include "common/Globali.h"
#include "ddt/lines/frmDDTDett.h"
#include "platform/FunzioniComuni.h"

vb::Variant frmDDTDett::PrepSql() {
  const Globali& g = G();
  const auto& fc = vb::FunzioniComuni::Istanza();
  const std::string sql = "Select " + g.gsTabDettApp + ".* from " + g.gsTabDettApp + " where " + g.gsTabDettApp +
                          ".Anno = " + fc.ValoreSql(vb::Variant(txt(600).Text()), vb::vbInteger) + " AND " +
                          g.gsTabDettApp + ".NumRif = " + fc.ValoreSql(vb::Variant(txt(610).Text()), vb::vbLong) +
                          " Order by " + g.gsTabDettApp + ".RigDet";
  CalcTotDocum();
  return sql;
}

vb::Variant frmDDTDett::NomeColEspr(const std::string& psNomeCampo) {
  (void)psNomeCampo;
  return std::string();
}

vb::Variant frmDDTDett::AggCampoNonPers(const std::string& psNomeCampo, const std::string& psCampoAs) {
  (void)psNomeCampo;
  (void)psCampoAs;
  return std::string();
}

vb::Variant frmDDTDett::ovField(int piColIndex, const std::string& psProprieta) {
  (void)piColIndex;
  (void)psProprieta;
  return {};
}

void frmDDTDett::DatRefresh() { CalcTotDocum(); }
