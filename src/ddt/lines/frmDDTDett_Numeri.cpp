// Line numbers: RigDet runs 1..n in display order and moves through
// temporary bands (+10000 to insert or delete one line, +20000 for a paste
// or a split); RigLiv is the stable key, the highest handed out plus one.
#include "common/Globali.h"
#include "ddt/lines/frmDDTDett.h"
#include "platform/FunzioniComuni.h"

vb::Variant frmDDTDett::RicUltNum() {
  // Appends: the middle-insertion and the 10,000 limit come with the
  // numbering's own rules.
  dati::GestRecordset rs;
  const Globali& g = G();
  const auto& fc = vb::FunzioniComuni::Istanza();
  const std::string k = rs.ApriRecordset(*g.goDbAzienda, g.gsConnAzienda, "",
                                         "Select max(RigDet) as MaxRig from " + g.gsTabDettApp + " where anno = " +
                                             fc.ValoreSql(vb::Variant(AnnoDoc()), vb::vbInteger) + " AND NumRif = " +
                                             fc.ValoreSql(vb::Variant(NumRifDoc()), vb::vbLong),
                                         false, 4);
  const int32_t ultima = fc.ValLong(rs.LeggiCampo(k, "MaxRig"), true, true);
  txt(10).SetText(std::to_string(ultima + 1));
  ++mlMaxRigLiv;
  lab(15).SetCaption(std::to_string(mlMaxRigLiv));
  return std::string();
}

vb::Variant frmDDTDett::SpostaRighe(const std::string& psCampo, const std::string& psFile, int16_t piNumRecIni,
                                    int16_t piNumMuovi, int32_t& plSpostatmp, const vb::Variant& pvCopiaTaglia) {
  (void)psCampo;
  (void)psFile;
  (void)piNumRecIni;
  (void)piNumMuovi;
  (void)plSpostatmp;
  (void)pvCopiaTaglia;
  return {};
}

vb::Variant frmDDTDett::RenumRighe(dati::GestRecordset& pgRecDat, const std::string& psRecDat,
                                   const std::string& psCampo, int16_t piNumRecIni) {
  (void)pgRecDat;
  (void)psRecDat;
  (void)psCampo;
  (void)piNumRecIni;
  return {};
}
