// The addressee's overdue payments: the figures on the page of the
// customer's note, asked with the button on any DDT, and the banner of page
// 1 while a new DDT is written for an addressee late beyond the document
// type's days.
#include <functional>

#include "ddt/header/LettureProva.h"

namespace {

using namespace dati::demo;

class Scadenze : public prova::LettureProva {
 protected:
  // A new DDT with date, addressee, kind and document type typed.
  frmDdtTest& Nuovo(const std::string& data, const std::string& conto = kContoCliente1,
                    const std::string& tipo = "3") {
    frmDdtTest& f = Finestra();
    if (f.ogComPag().oiFlagOpe() != 0) f.ogComPag().EseguiTasto("VarKey");
    f.ogComPag().ImpModo(1);
    EXPECT_EQ(f.ogComPag().oiFlagOpe(), 2);
    f.txt(30).SetText(data);
    f.txt(80).SetText(conto);
    f.txt(86).SetText(tipo);
    f.txt(40).SetText(kDocDdt);
    return f;
  }
  std::vector<std::string> Cifre() {
    std::vector<std::string> v;
    for (int n : {1610, 1620, 1630, 1640}) v.push_back(f_->lab(n).Caption());
    return v;
  }
  bool Striscia() { return f_->lab(87).Visible(); }
  void Scadenza(const char* conto, const char* tipo, const char* data, const char* eu, double euro) {
    Sql(std::string("INSERT INTO Scadenze (GruppoScad, MastroScad, ContoScad, Tipo, DataScad, EntrataUscita, "
                    "ImportoScadLire, ImportoScadEuro) VALUES ('") +
        std::string(conto, 2) + "', '" + std::string(conto + 2, 2) + "', '" + std::string(conto + 4) + "', '" + tipo +
        "', #" + data + "#, '" + eu + "', " + std::to_string(euro * 1936.27) + ", " + std::to_string(euro) + ")");
  }
};

TEST_F(Scadenze, ButtonOnAStoredDdtShowsTheFiguresNeverTheBanner) {
  frmDdtTest& f = Finestra();
  Vai(kDdtEvaso);  // 05/11/2026; 320 euro due on 30/09/2026 still open
  f.mlGgScadCli = 30;
  f.MostraScad(true);  // automatic, not inserting: nothing
  EXPECT_EQ(Cifre(), (std::vector<std::string>(4)));
  f.MostraScad(false);
  EXPECT_EQ(Cifre(), (std::vector<std::string>{"36", "1", "619.606", "320,00"}));
  EXPECT_FALSE(Striscia());
  // An automatic call while not inserting hides the banner, keeps the figures.
  f.lab(87).SetVisible(true);
  f.MostraScad(true);
  EXPECT_FALSE(Striscia());
  EXPECT_EQ(f.lab(1610).Caption(), "36");
}

struct CasoBanner {
  const char* data;
  int giorni;           // mlGgScadCli
  bool striscia;        // the banner
  const char* ritardo;  // lab(1610)
};

TEST_F(Scadenze, BannerWhileInsertingBeyondTheDocumentTypesDays) {
  const CasoBanner casi[] = {
      {"31/10/2026", 30, true, "31"},  {"30/10/2026", 30, false, "30"}, {"05/11/2026", 0, false, "36"},
      {"30/09/2026", 30, false, ""},   {"29/09/2026", 30, false, ""},
  };
  for (const CasoBanner& c : casi) {
    SCOPED_TRACE(c.data);
    frmDdtTest& f = Nuovo(c.data);
    f.mlGgScadCli = c.giorni;
    f.MostraScad(true);
    EXPECT_EQ(Striscia(), c.striscia);
    if (c.striscia) {
      EXPECT_EQ(f.lab(87).Caption(), "Pagamenti scaduti da +30 giorni");
    }
    EXPECT_EQ(f.lab(1610).Caption(), c.ritardo);
    // The button never shows the banner, and hides it.
    f.MostraScad(false);
    EXPECT_FALSE(Striscia());
    EXPECT_EQ(f.lab(1610).Caption(), c.ritardo);
  }
  for (const std::string& m : messaggi_) EXPECT_EQ(m.find("Errore"), std::string::npos) << m;
}

TEST_F(Scadenze, NetAmountBySideOfTheAddressee) {
  // The same rows on a customer and on a supplier: 1000 in, 200 out.
  for (const char* conto : {"04010015", "07010003"}) {
    Scadenza(conto, conto[1] == '4' ? "3" : "2", "2026-10-01", "E", 1000);
    Scadenza(conto, conto[1] == '4' ? "3" : "2", "2026-10-15", "U", 200);
  }
  Nuovo("01/11/2026", "04010015", "3").MostraScad(false);
  EXPECT_EQ(Cifre(), (std::vector<std::string>{"31", "2", "1.549.016", "800,00"}));
  Nuovo("01/11/2026", "07010003", "2").MostraScad(false);
  EXPECT_EQ(Cifre(), (std::vector<std::string>{"31", "2", "-1.549.016", "-800,00"}));
}

TEST_F(Scadenze, NothingWithoutWhatTheQueryNeeds) {
  frmDdtTest& f = Nuovo("05/11/2026");
  f.MostraScad(false);
  ASSERT_EQ(f.lab(1620).Caption(), "1");
  struct Caso {
    const char* nome;
    std::function<void()> guasta;
  };
  const Caso casi[] = {
      {"no date", [&] { f.txt(30).SetText(""); }},
      {"no addressee", [&] { f.txt(80).SetText(""); }},
      {"no document type", [&] { f.txt(40).SetText(""); }},
      {"neither customer nor supplier", [&] { f.txt(86).SetText("1"); }},
      {"addressee that failed its check", [&] { f.txt(80).SetBackColor(G().glColoreErrore); }},
      {"date that failed its check", [&] { f.txt(30).SetBackColor(G().glColoreErrore); }},
      {"no overdue payment", [&] { f.txt(80).SetText("04010013"); }},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.nome);
    Nuovo("05/11/2026");
    f.txt(30).SetBackColor(f.txt(20).BackColor());
    f.txt(80).SetBackColor(f.txt(20).BackColor());
    f.MostraScad(false);
    ASSERT_EQ(f.lab(1620).Caption(), "1");
    c.guasta();
    f.MostraScad(false);
    EXPECT_EQ(Cifre(), (std::vector<std::string>(4)));
  }
  for (const std::string& m : messaggi_) EXPECT_EQ(m.find("Errore"), std::string::npos) << m;
}

}  // namespace

namespace {

TEST_F(Scadenze, AFailingReadIsShownAndEndsTheCount) {
  frmDdtTest& f = Nuovo("05/11/2026");
  Sql("DROP TABLE Scadenze");
  messaggi_.clear();
  f.MostraScad(false);
  ASSERT_EQ(messaggi_.size(), 1u);
  EXPECT_EQ(messaggi_[0].rfind("Errore(", 0), 0u) << messaggi_[0];
  EXPECT_EQ(Cifre(), (std::vector<std::string>(4)));
}

}  // namespace
