// The common (menu) database and its memo records.
#include "startup/Banco.h"

#include "common/ZelOpenDbMenu.h"
#include "platform/dati/ServerDiProva.h"

using prova::Banco;

namespace {

class DbMenu : public Banco {
 protected:
  void Memo() {
    dati::GestDatabase db;
    const std::string k = db.CreaDatabase(dir_.Percorso("menu.db"));
    dati::CreaSchema(db.Motore(k), dati::SchemaMenu());
    db.EseguiSql(k, "Insert into Appoggio (Codice, Descr2, Memo2, Descr3) Values ('PdfEmail', 'Oggetto', "
                    "'Gentile cliente, in allegato il DDT.', 'Vuoto')");
  }
};

}  // namespace

TEST_F(DbMenu, OpensAsASecondConnectionAndReadsTheMemoSlots) {
  Memo();
  Avvia();
  EXPECT_EQ(ZelOpenDbMenu::ApriDbMenu().ToInt(), 0);
  EXPECT_FALSE(G().gsConnMenu.empty());
  EXPECT_NE(G().gsConnMenu, G().gsConnAzienda);
  EXPECT_TRUE(G().goDbDaoMenu);
  EXPECT_FALSE(FrmConn().Caricata());
  std::string memo = "x", descr = "x";
  EXPECT_TRUE(ZelOpenDbMenu::GestMemo("PdfEmail", 2, memo, descr).ToBool());
  EXPECT_EQ(memo, "Gentile cliente, in allegato il DDT.");
  EXPECT_EQ(descr, "Oggetto");
  EXPECT_TRUE(ZelOpenDbMenu::GestMemo("PdfEmail", 3, memo, descr).ToBool());
  EXPECT_EQ(memo, "");
  EXPECT_EQ(descr, "Vuoto");
  EXPECT_FALSE(ZelOpenDbMenu::GestMemo("Manca", 1, memo, descr).ToBool());
  EXPECT_EQ(memo, "");
  for (int16_t n : {0, 6}) {
    memo = descr = "x";
    EXPECT_FALSE(ZelOpenDbMenu::GestMemo("PdfEmail", n, memo, descr).ToBool());
    EXPECT_EQ(memo, "");
    EXPECT_EQ(descr, "");
  }
  EXPECT_TRUE(messaggi_.empty());
}

TEST_F(DbMenu, ARelativeNameIsJoinedToDriveDB) {
  Memo();
  AvviaServer();
  dir_.Scrivi("velnor.ini", "[Parametri Generali]\nOrdIniDBase=" + dir_.Percorso("ditta.ini") +
                                "\n[Menu]\nNomeDB=menu.db\nDriveDB=" + dir_.Percorso("") + "\n");
  Avvia();
  EXPECT_EQ(ZelOpenDbMenu::ApriDbMenu().ToInt(), 0);
  EXPECT_EQ(G().gsNomeDbMenu, dir_.Percorso("") + "menu.db");
}

TEST_F(DbMenu, WithoutItsNameInTheIniTheCompanyAndTheMenuStay) {
  AvviaServer();
  dir_.Scrivi("velnor.ini", "[Parametri Generali]\nOrdIniDBase=" + dir_.Percorso("ditta.ini") + "\n");
  Avvia();
  ASSERT_TRUE(testata_.Visible());
  EXPECT_EQ(ZelOpenDbMenu::ApriDbMenu().ToInt(), -1);
  ASSERT_EQ(box_.size(), 1u);
  EXPECT_EQ(box_[0], "File di inizializzazioni: \n" + dir_.Percorso("velnor.ini") +
                         "\n non trovato  o con informazioni non corrette.\nCorreggere e rieseguire il programma.");
  // Told, and the program goes on without the memo texts.
  EXPECT_TRUE(G().goDbAzienda);
  EXPECT_TRUE(G().goMenuClient->Connesso());
  EXPECT_EQ(Testo(Comanda("esiste")), "True");
  EXPECT_FALSE(Evento("Disconnetti " + finestra_));
}

TEST_F(DbMenu, AFailedLoginIsAFailureAndReleasesNothing) {
  AvviaServer();
  dir_.Scrivi("velnor.ini", "[Parametri Generali]\nOrdIniDBase=" + dir_.Percorso("ditta.ini") +
                                "\n[Menu]\nNomeDB=" + dir_.Percorso("manca/menu.db") + "\n");
  Avvia();
  ASSERT_TRUE(testata_.Visible());
  EXPECT_EQ(ZelOpenDbMenu::ApriDbMenu().ToInt(), -1);
  ASSERT_EQ(messaggi_.size(), 1u);
  EXPECT_EQ(vb::Left(messaggi_[0], 12), "Errore(3024)");
  EXPECT_EQ(G().gsConnMenu, "");
  EXPECT_FALSE(FrmConn().Caricata());
  EXPECT_TRUE(G().goDbAzienda);
  EXPECT_TRUE(G().goMenuClient->Connesso());
  EXPECT_EQ(Testo(Comanda("esiste")), "True");
}

// A common database on the server whose login is refused: the user may try
// again (the menu is asked for the login anew) or give up; giving up leaves
// no key, which is a failure like any other, and the program goes on.
TEST_F(DbMenu, ARefusedServerLoginRetriedThenAbandonedIsAFailure) {
  SALTA_SENZA_SERVER();
  altraDitta_ = "SqlLogin=ddt\nSqlPwd=sbagliata\n";
  AvviaServer();
  const std::string connect = prova::ConAttributo(prova::ConnessioneServer(), "PWD", "sbagliata");
  dir_.Scrivi("velnor.ini", "[Parametri Generali]\nOrdIniDBase=" + dir_.Percorso("ditta.ini") +
                                "\n[Menu]\nNomeDB=MenuComune\nConnect=" + connect + "\n");
  Avvia();
  ASSERT_TRUE(testata_.Visible());
  risposteMsg_ = {1, 2};  // "Riprovare", then "Annulla"
  EXPECT_EQ(ZelOpenDbMenu::ApriDbMenu().ToInt(), -1);
  ASSERT_EQ(messaggi_.size(), 2u);
  EXPECT_EQ(messaggi_[0], "Utente o password non validi per SQL");
  EXPECT_EQ(messaggi_[1], "Utente o password non validi per SQL");
  EXPECT_TRUE(Evento("ChiediPwdSql"));
  EXPECT_EQ(G().gsConnMenu, "");
  EXPECT_FALSE(G().goDbDaoMenu);
  EXPECT_FALSE(FrmConn().Caricata());
  EXPECT_TRUE(G().goDbAzienda);
  EXPECT_TRUE(G().goDbAzienda->Aperta(G().gsConnAzienda));
  EXPECT_EQ(Testo(Comanda("esiste")), "True");
}
