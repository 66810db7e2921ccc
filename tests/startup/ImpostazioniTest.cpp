// Company, program and personal settings as the menu server gives them.
#include "startup/Banco.h"

#include "common/ParametriMenu.h"
#include "platform/menu/ContestoProgramma.h"

using prova::Banco;

namespace {

class Impostazioni : public Banco {
 protected:
  void Personale(const std::string& sezione, const std::string& nome, const std::string& valore) {
    ComLock::ScriviParMenu("Personal." + sezione + ".§" + nome, vb::Variant(valore));
  }
  std::string Massimizzato(const std::string& elenco) {
    Personale("Tutti", "Massimizzato", elenco);
    AziendaUtil::LeggiParamDitta();
    return G().gsStatoFinestra;
  }
};

}  // namespace

TEST_F(Impostazioni, MaximisedTerminalsAreComparedItemByItem) {
  altroIni_ = "[Personali]\nTutti.Massimizzato=CASSA1,\n";
  Avvia();
  EXPECT_EQ(G().gsStatoFinestra, "2");  // the seed of the menu's ini
  EXPECT_EQ(Massimizzato("CASSA2,CASSA1,"), "2");
  EXPECT_EQ(Massimizzato("CASSA2,cassa1"), "2");
  EXPECT_EQ(Massimizzato("tutti"), "2");
  EXPECT_EQ(Massimizzato("TUTTI,"), "2");
  // A name that merely ends with this terminal's is another terminal.
  EXPECT_EQ(Massimizzato("XCASSA1,"), "");
  EXPECT_EQ(Massimizzato("CASSA10,"), "");
  EXPECT_EQ(Massimizzato(""), "");
  EXPECT_EQ(Massimizzato(","), "");
}

TEST_F(Impostazioni, CurrenciesFallBackToTheirDefaultsAndTheLiraIsFoundInAnyCase) {
  altriParametri_ = "Ditta.Moneta=l.\nDitta.CambioLiraEuro=\n";
  Avvia();
  const Globali& g = G();
  EXPECT_EQ(g.gsMonetaDitta, "l.");
  EXPECT_EQ(g.gsCodLira, "L.");
  EXPECT_EQ(g.gsCodEuro, "Euro");
  EXPECT_EQ(g.gsOperCambio, "/");
  EXPECT_EQ(g.gsCambioLiraEuro, "1936,27");
  EXPECT_EQ(g.giNumDecMoneta, g.giNumDecLire);
  EXPECT_EQ(g.gsMascMoneta, g.gsMascLire);
  EXPECT_EQ(g.gsMascMonetaGestZero, g.gsMascLireGestZero);
  EXPECT_NE(g.gsMascEuro, g.gsMascLire);
}

TEST_F(Impostazioni, ColoursAndPersonalOptions) {
  altriParametri_ = "ColBacklostFocus=&HFF00\n";
  altroIni_ = "[Personali]\nTutti.DecodHelpPersKey=s\nTutti.ColBackForm=12632256,4\n";
  Avvia();
  const Globali& g = G();
  EXPECT_EQ(g.glColBackGotFocus, 0xFFFF80L);
  EXPECT_EQ(g.glColBacklostFocus, 0xFF00L);
  EXPECT_EQ(g.glColBackForm, 12632256L);
  EXPECT_EQ(g.glColoreErrore, 255);
  EXPECT_TRUE(g.gbDecodHelpPersKey);
  EXPECT_EQ(g.gsDecodHelpAbil, "N");
  EXPECT_EQ(g.gsArrotIvaEuro, "A");
  ASSERT_TRUE(g.goContesto);
  EXPECT_TRUE(g.goContesto->Attivo());
  EXPECT_EQ(g.goContesto->Client(), g.goMenuClient);
  EXPECT_EQ(g.gsVetCodIniLiv[1], Globali::kCodIniLivNonLetto);
}

TEST_F(Impostazioni, ReorderFilesNeedAFolder) {
  altroIni_ = "[Personali]\nDdt.DaOrdi=S\n";
  AvviaServer();
  dir_.Scrivi("ditta.ini", "[Base]\nDriveDB=/srv/velnor\nDirCarica=/carico\n");
  Avvia();
  EXPECT_EQ(G().gsDaOrdi, "S");
  EXPECT_EQ(G().gsDirDaOrdi, "/srv/velnor/carico");
  dir_.Scrivi("ditta.ini", "[Base]\nDriveDB=/srv/velnor\nDirDaOrdi=D:\\Ordini\n");
  mainDdt::PrepParamDdt();
  EXPECT_EQ(G().gsDirDaOrdi, "D:\\Ordini");
  dir_.Scrivi("ditta.ini", "[Base]\nDriveDB=/srv/velnor\n");
  mainDdt::PrepParamDdt();
  EXPECT_EQ(G().gsDaOrdi, "n");
  EXPECT_EQ(G().gsDirDaOrdi, "");
}

TEST_F(Impostazioni, TheSearchKeyToggles) {
  Avvia();
  EXPECT_EQ(G().giKeyRicDdt, 1);
  EXPECT_EQ(mainDdt::DescrRicCodice().ToString(), "Ricerca per Codice a Barre (F9)");
  EXPECT_EQ(mainDdt::CambiaRicCodice().ToString(), "Ricerca per Codice (F9)");
  EXPECT_EQ(mainDdt::CambiaRicCodice().ToString(), "Ricerca per Codice a Barre (F9)");
  G().giKeyRicDdt = -1;
  EXPECT_EQ(mainDdt::CambiaRicCodice().ToString(), "Ricerca per Codice (F9)");
  EXPECT_EQ(G().giKeyRicDdt, 0);
}

TEST_F(Impostazioni, PersonalParametersAndNamedValues) {
  Avvia();
  EXPECT_EQ(AziendaUtil::LeggiParPers("Ddt", "Assente", vb::Variant("N")).ToString(), "N");
  EXPECT_EQ(AziendaUtil::LeggiParPers("Ddt", "Assente").ToString(), "§ç~$!^");
  Personale("Ddt", "Vuoto", "");
  EXPECT_EQ(AziendaUtil::LeggiParPers("Ddt", "Vuoto", vb::Variant("N")).ToString(), "");
  Personale("Ddt", "DaOrdi", "S");
  EXPECT_EQ(AziendaUtil::LeggiParPers("Ddt", "DaOrdi", vb::Variant("N")).ToString(), "S");
  EXPECT_EQ(server_->ParPers("Personal.Ddt.§DaOrdi"), "S");
  ComLock::ScriviParMenu("PdfOpzioni", vb::Variant("A4;2"));
  EXPECT_EQ(ComLock::LeggiParMenu("PdfOpzioni").ToString(), "A4;2");
  EXPECT_EQ(server_->ValoreNominato("PdfOpzioni"), "A4;2");
  // Company parameters by dotted name; one that nobody set reads empty.
  EXPECT_EQ(G().goMenuClient->LeggiParam("Mag.NumDecQta", "").ToString(), "3");
  EXPECT_EQ(G().goMenuClient->LeggiParam("Fat.NonCe", "").ToString(), "");
  EXPECT_EQ(G().goMenuClient->Utente(), "mario");
  EXPECT_EQ(G().goMenuClient->Terminale(), "CASSA1");
  EXPECT_EQ(AziendaUtil::LeggiOSPlatform().ToString(), "Linux");
}

TEST_F(Impostazioni, TerminalLists) {
  bool abil = false, disab = false;
  EXPECT_TRUE(LoginTerminali::VerifTerminale("CASSA1", "", "", abil, disab).ToBool());
  EXPECT_FALSE(abil);
  EXPECT_FALSE(disab);
  abil = disab = false;
  EXPECT_FALSE(LoginTerminali::VerifTerminale("CASSA1", "CASSA1;CASSA2", "CASSA1", abil, disab).ToBool());
  EXPECT_TRUE(abil);
  EXPECT_TRUE(disab);
  abil = disab = false;
  EXPECT_FALSE(LoginTerminali::VerifTerminale("CASSA1", "CASSA2", "", abil, disab).ToBool());
  EXPECT_FALSE(abil);
  abil = disab = false;
  EXPECT_TRUE(LoginTerminali::VerifTerminale("CASSA1", "cassa2; cassa1", "CASSA3", abil, disab).ToBool());
  EXPECT_TRUE(abil);
  EXPECT_FALSE(disab);
}
