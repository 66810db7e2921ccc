// The totals strip and the counter of stable line keys.
#include "common/Globali.h"
#include "ddt/lines/frmDDTDett.h"
#include "platform/FunzioniComuni.h"

void frmDDTDett::CalcTotDocum() {
  const Globali& g = G();
  if (!g.goDbAzienda) return;
  const auto& fc = vb::FunzioniComuni::Istanza();
  dati::GestRecordset rs;
  const std::string k = rs.ApriRecordset(*g.goDbAzienda, g.gsConnAzienda, "",
                                         "Select max(RigLiv) as MaxRigLiv from " + g.gsTabDettApp + " where anno = " +
                                             fc.ValoreSql(vb::Variant(txt(600).Text()), vb::vbInteger) +
                                             " AND NumRif = " + fc.ValoreSql(vb::Variant(txt(610).Text()), vb::vbLong),
                                         false, 4);
  mlMaxRigLiv = fc.ValLong(rs.LeggiCampo(k, "MaxRigLiv"), true, true);
}
