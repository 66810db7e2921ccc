// The article of a line while another program (a process of its own) holds
// a write transaction on the article, its price-list rows and its stock
// progressives, on a SQLite file and on the test server: typing the article
// on a new line and showing a stored line are not held up, and show the
// values committed before that transaction.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <memory>
#include <string>

#include "ddt/header/DittaSuMotore.h"
#include "ddt/lines/RigheProva.h"
#include "platform/dati/Transazioni.h"
#include "support/Processi.h"

namespace prova {
namespace {
using namespace dati::demo;

bool Scrivi(int fd, char x) { return write(fd, &x, 1) == 1; }
bool Leggi(int fd) {
  char x;
  return read(fd, &x, 1) == 1;
}

class ArticoloProcessi : public RigheProva, public ::testing::WithParamInterface<Motore> {
 protected:
  void SetUp() override {
    RigheProva::SetUp();
    if (GetParam() == Motore::Server) {
      if (ConnessioneServer().empty()) GTEST_SKIP() << "DDT_PG_CONNECT non impostata: nessun server di prova";
      ASSERT_TRUE(ApriSuServer(server_));
    }
  }
  void TearDown() override {
    risposteBox_.push_back(vb::vbNo);
    RigheProva::TearDown();
    db_.reset();
    server_.reset();
  }
  // Another program's connection to the company.
  std::string ApriAltro(dati::GestDatabase& db) const {
    return GetParam() == Motore::Server ? db.ApriDatabase("", 0, false, false, server_->Connessione())
                                        : db.ApriDatabase(dir_.Percorso("ditta.db"));
  }
  static void Vai(frmDDTDett& d, int rigDet) {
    auto& p = d.ogLinPag();
    p.EseguiTasto("Inizio");
    for (int i = 1; i < rigDet; ++i) p.EseguiTasto("Successiva");
  }

  std::unique_ptr<DatabaseServer> server_;
};

TEST_P(ArticoloProcessi, AnArticleIsShownWithItsCommittedValuesWhileAnotherProgramWritesIt) {
  frmDDTDett& d = Righe(kDdtModificabile);
  d.osIntTipo = "3";
  d.osIvaTest.clear();
  d.osGruppoMer.clear();
  auto& p = d.ogLinPag();
  // The stored line of the biscuits, and a new line to type on.
  int rigaBiscotti = 0;
  for (int r = 1; r < 9 && rigaBiscotti == 0; ++r) {
    Vai(d, r);
    if (d.txt(20).Text() == kArticoloPromo) rigaBiscotti = r;
  }
  ASSERT_NE(rigaBiscotti, 0);
  for (int r = 1; !d.lab(540).Caption().empty() && r < 9; ++r) Vai(d, r);
  ASSERT_EQ(p.EseguiTasto("Nuovo"), "");

  int pronto[2], fine[2];
  ASSERT_EQ(pipe(pronto), 0);
  ASSERT_EQ(pipe(fine), 0);
  const pid_t figlio = Figlio([&] {
    close(pronto[0]);
    close(fine[1]);
    dati::GestDatabase db;
    const std::string k = ApriAltro(db);
    dati::IniziaTransWorkspace();
    for (const char* articolo : {kArticoloViti, kArticoloPromo}) {
      const std::string dove = std::string(" Where Articolo = '") + articolo + "'";
      db.EseguiSql(k, "Update Articoli Set Descrizione = 'Non confermata', IvaVendite = '4', ArtUMVen = 'XX', "
                      "FatConVen = 9, GruppoMerVen = '61', DesLunga = 'Non confermata'" + dove);
      db.EseguiSql(k, "Update ArtListini Set Prezzo = 99" + dove);
      db.EseguiSql(k, "Update ArticoliProg Set QtaCarico = QtaCarico + 1000" + dove);
    }
    if (!Scrivi(pronto[1], 'p')) return 101;
    // Held until the test has shown its lines.
    if (!Leggi(fine[0])) return 102;
    dati::AnnullaTransWorkspace();
    return 0;
  });
  close(pronto[1]);
  close(fine[0]);
  ASSERT_TRUE(Leggi(pronto[0]));
  close(pronto[0]);

  const auto inizio = std::chrono::steady_clock::now();
  d.txt_GotFocus(20);
  d.txt(20).SetText(kArticoloViti);
  d.txt_LostFocus(20);
  const std::string descrizione = d.txt(26).Text(), iva = d.txt(130).Text(), um = d.txt(140).Text(),
                    fatCon = d.txt(150).Text(), conto = d.txt(160).Text();
  // The new line left, the stored line of the biscuits shown.
  p.ScriviVarPagina("MsgAnn", 12, vb::Variant("N"));
  p.EseguiTasto("Annulla");
  Vai(d, rigaBiscotti);
  const std::string descrArt = d.msDescrArt, umVen = d.msArtUMVen, fatConVen = d.msFatConVen, ivaArt = d.osIva,
                    desLunga = d.mvDesLunga.ToString();
  const auto durata = std::chrono::steady_clock::now() - inizio;

  ASSERT_TRUE(Scrivi(fine[1], 'f'));
  close(fine[1]);
  EXPECT_EQ(Attendi(figlio), 0);
  EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(durata).count(), 3000);
  EXPECT_EQ(descrizione, "Viti inox M4x10 (confezione da 100 pz)");
  EXPECT_EQ(iva, kIva22);
  EXPECT_EQ(um, "CF");
  EXPECT_EQ(fatCon, "1");
  EXPECT_EQ(conto, "60-01-0001");
  EXPECT_EQ(d.txt(20).Text(), kArticoloPromo);
  EXPECT_EQ(descrArt, "Biscotti al burro 500 g");
  EXPECT_EQ(umVen, "CF");
  EXPECT_EQ(fatConVen, "1");
  EXPECT_EQ(ivaArt, kIva10);
  EXPECT_EQ(desLunga, "");
  EXPECT_TRUE(messaggi_.empty()) << messaggi_[0];
}

INSTANTIATE_TEST_SUITE_P(Motori, ArticoloProcessi, ::testing::Values(Motore::SQLite, Motore::Server),
                         [](const auto& i) { return i.param == Motore::SQLite ? "SQLite" : "Server"; });

}  // namespace
}  // namespace prova
