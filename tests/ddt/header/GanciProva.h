#pragma once
// The header window on the demo company, for the tests of the bar's hooks:
// a stored DDT shown, a new one started by typing 0, values read back from
// the company database.
#include <string>

#include "ddt/header/TestataProva.h"
#include "platform/dati/GestRecordset.h"

namespace prova {

class GanciProva : public TestataProva {
 protected:
  void SetUp() override {
    TestataProva::SetUp();
    Param("Fat.DocDdt", dati::demo::kDocDdt);
  }

  frmDdtTest& Finestra() {
    frmDdtTest& f = Testata();
    EXPECT_EQ(f.oiLoadOk(), 1) << (messaggi_.empty() ? "" : messaggi_.front());
    return f;
  }

  // A stored DDT of 2026 shown by its key.
  void Mostra(frmDdtTest& f, long numRif) {
    f.txt(20).SetText("2026");
    f.txt(10).SetText(std::to_string(numRif));
    f.ogComPag().EseguiTasto("Ricerca");
    ASSERT_EQ(f.ogComPag().oiFlagOpe(), 1) << "DDT " << numRif;
  }

  // A new DDT begun as the user does: 0 typed as the number; the customer
  // and the exchange rate filled in.
  void Nuovo(frmDdtTest& f, const std::string& anno = "") {
    f.txt(20).SetText(anno);
    f.txt(10).SetText("0");
    f.ogComPag().EseguiTasto("Ricerca");
    ASSERT_EQ(f.ogComPag().oiFlagOpe(), 2);
    f.txt(80).SetText(std::string(dati::demo::kGruppoClienti) + "-" + dati::demo::kMastroClienti + "-" +
                      dati::demo::kCliente3);
    if (f.txt(410).Text().empty()) f.txt(410).SetText("1");
    if (f.txt(290).Text().empty()) f.txt(290).SetText(dati::demo::kMagCentrale);
  }

  // Back to the key, whatever is typed dropped (the bar's "Salvare le
  // modifiche?" answered No).
  void Lascia(frmDdtTest& f) {
    risposteBox_.assign(1, vb::vbNo);
    f.ogComPag().EseguiTasto("VarKey");
    risposteBox_.clear();
  }

  // One value of the company database ("" for Null or no row).
  std::string Valore(const std::string& sql) {
    dati::GestRecordset rs;
    const std::string k = rs.ApriRecordset(*db_, conn_, "", sql, false, 4);
    std::string v = rs.NessunRecord(k) ? std::string() : rs.LeggiCampo(k, "V").ToString();
    rs.ChiudiRecordset(k);
    return v;
  }

  bool Detto(const std::string& testo) const {
    for (const std::string& m : messaggi_)
      if (m.find(testo) != std::string::npos) return true;
    return false;
  }
};

}  // namespace prova
