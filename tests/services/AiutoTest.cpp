// The look-up windows of the coded fields: which keys open them, the
// columns from the personal settings, the account class, article pictures.
#include <gtest/gtest.h>

#include "common/AziendaUtil.h"
#include "common/Globali.h"
#include "platform/Errore.h"
#include "services/DittaAiuti.h"

using namespace AziendaUtil;

namespace {

class Aiuto : public prova::DittaAiuti {
 protected:
  vb::Variant Apri(const std::string& tipo, int16_t tasto, const aiuti::ChiaveAgg& agg = {},
                   const std::string& colonne = "", int16_t* scelto = nullptr) {
    int16_t s = 0;
    vb::Variant r = ApriAiuto(tipo, Txt(10), &Lab(10), tasto, agg, s, colonne, 0, "");
    if (scelto) *scelto = s;
    return r;
  }
};

// A form that hides itself while a look-up is open.
class FormNoHelp : public ui::Form {
 public:
  FormNoHelp() : ui::Form("frmDDTDett") {}
  int16_t oiNoHelp = 1;
  vb::Variant LeggiPerNome(const std::string& nome) override {
    if (nome == "oiNoHelp") return oiNoHelp;
    return ui::Form::LeggiPerNome(nome);
  }
  void ScriviPerNome(const std::string& nome, const vb::Variant& v) override {
    if (nome == "oiNoHelp") oiNoHelp = v.ToInt();
    else ui::Form::ScriviPerNome(nome, v);
  }
};

}  // namespace

TEST(CalcTipoContoTest, TheAccountClassFromStatedClassTypedTextAndKey) {
  struct Caso {
    const char* s;
    const char* t;
    int16_t k;
    const char* x;
  };
  const Caso casi[] = {
      {"3", "qualsiasi", 115, "3"}, {"3", "c1", 113, "3"}, {"0", "c1", 114, "0"},   {"-2", "x", 113, "2"},
      {"-4", "x", 113, "0"},        {"-2", "c123", 114, "3"}, {"-2", "123", 114, "0"}, {"", "f45", 115, "2"},
      {"", "f45", 113, ""},         {"c", "45", 114, "3"},   {"c3", "g45", 114, "3"},  {"x", "c45", 113, "0"},
      {"xc", "45", 114, "3"},       {"-1", "G9", 116, "1"},  {"", "45", 114, "0"},
  };
  for (const auto& c : casi) {
    EXPECT_EQ(CalcTipoConto(c.s, c.t, c.k).ToString(), c.x) << "\"" << c.s << "\" \"" << c.t << "\" " << c.k;
  }
  EXPECT_TRUE(CalcTipoConto("-2", "", 113).IsNumber());
}

TEST_F(Aiuto, OnlyTheFunctionKeysAndNegativeKeysOpenTheWindow) {
  const int modali = backend_.ModaliMostrate();
  for (int16_t k : {112, 124, 0, 13}) {
    EXPECT_TRUE(Apri("Iva", k).IsEmpty()) << k;
  }
  EXPECT_EQ(backend_.ModaliMostrate(), modali);
  for (int16_t k : {-1, -5, 113, 123}) {
    Finestra(Esc);
    EXPECT_EQ(Apri("Iva", k).ToInt(), 0) << k;
  }
  EXPECT_EQ(backend_.ModaliMostrate(), modali + 4);
  int16_t scelto = 0;
  Finestra(Invio);
  Apri("Iva", 113, {}, "", &scelto);
  EXPECT_EQ(scelto, -1);
  EXPECT_EQ(Txt(10).Text(), "10");
}

TEST_F(Aiuto, ColumnsComeFromThePersonalSettingsAfterTheCallersOwn) {
  ParPers("Help", "IvaCampi", ",No,Descrizione");
  Finestra(Esc);
  Apri("Iva", 113, {}, "Aliquota");
  EXPECT_EQ(lib_->UltimaRichiesta().colonne, "Aliquota");
  ParPers("Help", "IvaCampi", ",DescrizioneBreve");
  Finestra([](aiuti::FinestraAiuto& w) {
    EXPECT_EQ(w.NumColonne(), 4);
    EXPECT_EQ(w.TitoloColonna(2), "Aliquota");
    EXPECT_EQ(w.TitoloColonna(3), "DescrizioneBreve");
    Esc(w);
  });
  Apri("Iva", 113, {}, "Aliquota");
  EXPECT_EQ(lib_->UltimaRichiesta().colonne, "Aliquota,DescrizioneBreve");

  // Accounts: the class's own list, else the general one.
  ParPers("Help", "ContoCampi", ",Localita");
  Finestra(Esc);
  Apri("Conto", 113, aiuti::ChiaveAgg("3"));
  EXPECT_EQ(lib_->UltimaRichiesta().colonne, ",Localita");
  ParPers("Help", "ContoCampi3", ",Email");
  Finestra(Esc);
  Apri("Conto", 113, aiuti::ChiaveAgg("3"));
  EXPECT_EQ(lib_->UltimaRichiesta().colonne, ",Email");
  // Class "0" is no class.
  Finestra(Esc);
  Apri("Conto", 113, aiuti::ChiaveAgg("0"));
  EXPECT_EQ(lib_->UltimaRichiesta().colonne, ",Localita");
}

TEST_F(Aiuto, AccountLookUpsHandOnTheSearchSettingsAndPassThrough) {
  ParPers("Tutti", "CFHelpRic11", "S");
  ParPers("Tutti", "CFHelpRic12", "N");
  ParPers("Help", "SQLPassConto", "s");
  const long colore = lib_->Parametri().olColBackOk = 0x123456;
  G().glColBackGotFocus = 0xABCDEF;
  Finestra([&](aiuti::FinestraAiuto& w) {
    // While the window is open, the accepted field gets the focus colour.
    EXPECT_EQ(lib_->Parametri().olColBackOk, 0xABCDEF);
    Invio(w);
  });
  Txt(10).SetText("c04");  // the class letter in front of the code
  int16_t scelto = 0;
  Apri("Conto", 113, aiuti::ChiaveAgg("-3"), "", &scelto);
  EXPECT_EQ(scelto, -1);
  EXPECT_EQ(Txt(10).Text(), "04-01-0012");
  EXPECT_EQ(Txt(10).BackColor(), 0xABCDEF);
  EXPECT_EQ(lib_->Parametri().olColBackOk, colore);
  EXPECT_EQ(lib_->Parametri().ovLeggiPar("CFHelpRic11").ToString(), "S");
  EXPECT_EQ(lib_->Parametri().ovLeggiPar("CFHelpRic12").ToString(), "N");
  EXPECT_TRUE(lib_->Risultato().ogComlin.ovLeggiPar("ForzaPassThrough").ToBool());
  Finestra(Esc);
  Apri("Iva", 113);
  EXPECT_FALSE(lib_->Risultato().ogComlin.ovLeggiPar("ForzaPassThrough").ToBool());
}

TEST_F(Aiuto, ASettingTheMenuCannotGiveLeavesTheOthersInPlace) {
  ParPers("Help", "ContoCampi3", ",Email");
  ParPers("Tutti", "CFHelpRic12", "N");
  auto leggi = G().gfLeggiParPers;
  int letture = 0;
  int errore = vb::ErrTipoNonCorrisp;
  G().gfLeggiParPers = [&](const std::string& sezione, const std::string& nome, const vb::Variant& d) {
    ++letture;
    if (nome == "CFHelpRic11") vb::Solleva(errore, "lettura non riuscita");
    return leggi(sezione, nome, d);
  };
  Finestra(Esc);
  Apri("Conto", 113, aiuti::ChiaveAgg("3"));
  EXPECT_EQ(lib_->UltimaRichiesta().colonne, ",Email");
  EXPECT_EQ(lib_->Parametri().ovLeggiPar("CFHelpRic12").ToString(), "N");
  // A menu that does not answer (5) is not asked again in the same look-up:
  // each question would wait out the channel's limit.
  errore = 5;
  letture = 0;
  lib_->Parametri().ovLeggiPar("CFHelpRic12", "");
  Finestra(Esc);
  Apri("Conto", 113, aiuti::ChiaveAgg("3"));
  EXPECT_EQ(letture, 1);
  EXPECT_EQ(lib_->UltimaRichiesta().colonne, "");
  EXPECT_EQ(lib_->Parametri().ovLeggiPar("CFHelpRic12").ToString(), "");
  // The next look-up asks again.
  errore = vb::ErrTipoNonCorrisp;
  Finestra(Esc);
  Apri("Conto", 113, aiuti::ChiaveAgg("3"));
  EXPECT_EQ(lib_->UltimaRichiesta().colonne, ",Email");
  G().gfLeggiParPers = leggi;
}

TEST_F(Aiuto, ArticlePicturesFolderAndRoom) {
  dir_.Scrivi("velnor.ini", "[Base]\r\nDirImgArt=Img\r\nDriveDB=D:\\Dati\r\n");
  G().gsFileIni = dir_.Percorso("velnor.ini");
  ParPers("Articoli", "Immagini", "S");
  ParPers("Articoli", "ImgDove", "A");
  ParPers("Articoli", "ImgSpazio", "9000");
  ui::Screen().Height = 7200;
  Finestra([&](aiuti::FinestraAiuto& w) {
    EXPECT_TRUE(w.C("imgArticolo").Visible());
    EXPECT_EQ(lib_->LeggiParam("DoveMostraImg").ToString(), "A");
    EXPECT_TRUE(lib_->Risultato().ovLeggiPar("MostraImg").ToBool());
    EXPECT_EQ(w.C("imgArticolo").Picture(), G().gsDirImgArt + "\\viti.jpg");
    Esc(w);
  });
  Txt(10).SetText("VITE");
  Apri("Articolo", 113);
  ui::Screen().Height = 9000;
  // A relative folder hangs from the database's drive.
  EXPECT_NE(G().gsDirImgArt, "Img");
  EXPECT_EQ(G().gsDirImgArt.rfind("D:", 0), 0u) << G().gsDirImgArt;
  EXPECT_NE(G().gsDirImgArt.find("Img"), std::string::npos);
  // Half the screen's height at most: 3600 on top.
  EXPECT_EQ(G().glImgSpazio, 3600);
  EXPECT_EQ(lib_->Risultato().ogComlin.ovLeggiPar("MargSopra").ToLong(), 3600);
  // After the look-up the pictures are off again; other kinds never show them.
  EXPECT_FALSE(lib_->Risultato().ovLeggiPar("MostraImg").ToBool());
  Finestra([](aiuti::FinestraAiuto& w) {
    EXPECT_FALSE(w.C("imgArticolo").Visible());
    Esc(w);
  });
  Apri("Iva", 113);
  EXPECT_EQ(lib_->Risultato().ogComlin.ovLeggiPar("MargSopra").ToLong(), 0);
}

TEST_F(Aiuto, AbsolutePictureFoldersStayAsTheyAre) {
  for (const char* cartella : {"C:\\Img", "\\\\server\\img"}) {
    G().gsImmaginiArt.clear();
    dir_.Scrivi("velnor.ini", std::string("[Base]\r\nDirImmagini=") + cartella + "\r\nDriveDB=D:\\Dati\r\n");
    G().gsFileIni = dir_.Percorso("velnor.ini");
    ParPers("Articoli", "Immagini", "S");
    Finestra(Esc);
    Apri("Articolo", 113);
    EXPECT_EQ(G().gsDirImgArt, cartella);
  }
}

TEST_F(Aiuto, FormsThatAskToBeHiddenGoWhileTheLookUpIsOpen) {
  FormNoHelp righe;
  righe.Show();
  FormNoHelp altra;
  altra.oiNoHelp = 0;
  altra.Show();
  Finestra([&](aiuti::FinestraAiuto& w) {
    EXPECT_FALSE(righe.Visible());
    EXPECT_EQ(righe.oiNoHelp, 2);
    EXPECT_TRUE(altra.Visible());
    Esc(w);
  });
  Apri("Iva", 113);
  righe.Unload();
  altra.Unload();
}
