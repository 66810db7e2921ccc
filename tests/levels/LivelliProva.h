#pragma once
// The line window of the demo DDT with its MAGLIA01 line current (two level
// groups: sizes by colours), levels managed, and the level-row list editor
// opened on it.
#include <string>

#include "ddt/lines/RigheProva.h"
#include "levels/frmDDtDeLiv.h"
#include "platform/FunzioniComuni.h"
#include "platform/dati/DittaDemo.h"

namespace prova {

class LivelliProva : public RigheProva {
 protected:
  void SetUp() override {
    RigheProva::SetUp();
    G().gsGesTaglie = "S";
    Param("Mag.GesTaglie", "S");
    G().gsQtaDef.clear();
  }

  // The transfer DDT, on its MAGLIA01 line (RigLiv 1: S/BLU 2, M/ROSSO 1).
  frmDDTDett& Linea() {
    frmDDTDett& d = Righe(dati::demo::kDdtInterno);
    d.ogLinPag().EseguiTasto("Inizio");
    EXPECT_EQ(d.txt(20).Text(), dati::demo::kArticoloTaglie);
    return d;
  }

  // "Livelli" on the line; the editor's first deferred step has run.
  frmDDtDeLiv& Editor(frmDDTDett& d) {
    EXPECT_TRUE(d.GestLivelli(true)) << (messaggi_.empty() ? std::string() : messaggi_.back());
    frmDDtDeLiv& f = *d.mfrmDeLiv;
    if (f.timLinPag().Enabled()) f.Timer(f.timLinPag());
    return f;
  }

  // A field typed: entered, written, left.
  static void Scrivi(frmDDtDeLiv& f, int n, const std::string& testo) {
    f.txt_GotFocus(n);
    f.txt(n).SetText(testo);
    f.txt_LostFocus(n);
  }
  static void Tick(frmDDtDeLiv& f) {
    if (f.timLinPag().Enabled()) f.Timer(f.timLinPag());
  }

  std::string Righe1() {
    return RigheLivelli(1);
  }
  // The level rows of the transfer DDT's line, "L1/L2:Qta" in key order.
  std::string RigheLivelli(long rigLiv) {
    dati::GestRecordset rs;
    const std::string k = rs.ApriRecordset(*db_, conn_, "",
                                           "Select Livello1, Livello2, Qta from DdtLivApp Where Anno = 2026 And "
                                           "NumRif = " + std::to_string(dati::demo::kDdtInterno) +
                                               " And RigLiv = " + std::to_string(rigLiv) +
                                               " Order By Livello1, Livello2",
                                           false, 4);
    std::string s;
    if (!rs.NessunRecord(k)) rs.PrimoRec(k);
    for (; !rs.NessunRecord(k) && !rs.FineRec(k); rs.ProssimoRec(k)) {
      if (!s.empty()) s += " ";
      s += rs.LeggiCampo(k, "Livello1").ToString() + "/" + rs.LeggiCampo(k, "Livello2").ToString() + ":" +
           vb::FunzioniComuni::Istanza().MascheraNum(rs.LeggiCampo(k, "Qta"), 3, {}, false, "#,##0", 0, "", "^");
    }
    rs.ChiudiRecordset(k);
    return s;
  }
  int Conta(const std::string& dove) {
    return std::stoi(Valore("Select count(*) as n from DdtLivApp Where Anno = 2026 And NumRif = " +
                                std::to_string(dati::demo::kDdtInterno) + " And RigLiv = 1" + dove,
                            "n"));
  }
  static double Num(const std::string& s) { return vb::FunzioniComuni::Istanza().ValDouble(vb::Variant(s), true); }
};

}  // namespace prova
