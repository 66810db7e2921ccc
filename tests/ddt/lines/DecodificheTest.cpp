// The decoders of a line's codes on the demo DDT: the VAT code with its
// margin-scheme check, the unit of a manual line, the cost centre a goods
// account asks for, the used goods and the source document type; and codes
// holding quotes or wildcards, which decode to nothing without an error.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ddt/lines/RigheProva.h"
#include "platform/FunzioniComuni.h"

namespace prova {
namespace {
using namespace dati::demo;

constexpr const char* kInesistente = "** INESISTENTE **";

class Decodifiche : public RigheProva {
 protected:
  frmDDTDett& Finestra() { return Righe(kDdtModificabile); }
  static void Vai(frmDDTDett& d, int rigDet) {
    auto& p = d.ogLinPag();
    p.EseguiTasto("Inizio");
    for (int i = 1; i < rigDet; ++i) p.EseguiTasto("Successiva");
  }
  // A new line, started from a line whose entry begins at the article.
  static void NuovaRiga(frmDDTDett& d) {
    auto& p = d.ogLinPag();
    if (p.Stato() == 2) {
      p.ScriviVarPagina("MsgAnn", 12, vb::Variant("N"));
      p.EseguiTasto("Annulla");
      p.ScriviVarPagina("MsgAnn", 12, vb::Variant("S"));
    }
    for (int r = 1; !d.lab(540).Caption().empty() && r < 9; ++r) Vai(d, r);
    ASSERT_EQ(p.EseguiTasto("Nuovo"), "");
  }
  static void Digita(frmDDTDett& d, int n, const std::string& codice) {
    d.txt_GotFocus(n);
    d.txt(n).SetText(codice);
    d.txt_LostFocus(n);
  }
  static int Obblig(frmDDTDett& d, int n) { return d.ogLinPag().Campi(d.masNomeCampo[static_cast<size_t>(n)]).oiObblig; }
  void Chiudi() {
    risposteBox_.push_back(vb::vbNo);
    frmDDTDett::Rilascia();
    risposteBox_.clear();
  }
};

TEST_F(Decodifiche, AMarginSchemeDocumentWantsAVatCodeWithItsMarginRate) {
  Sql("Insert into TabIva (Iva, Descrizione, Aliquota, IvaMargine) Values ('22M', 'Regime del margine', 22, 22)");
  // A code with no margin rate at all (0 is a rate).
  Sql("Update TabIva Set IvaMargine = Null Where Iva = '4'");
  struct Caso {
    const char* regime;
    const char* iva;
    bool errore;
    double aliquota;
  };
  const std::vector<Caso> casi = {
      {"S", "4", true, 4}, {"S", "22M", false, 22}, {"S", "22", false, 22}, {"S", "", false, 0}, {"", "4", false, 4},
  };
  frmDDTDett& d = Finestra();
  for (const auto& c : casi) {
    SCOPED_TRACE(std::string(c.regime) + "/" + c.iva);
    NuovaRiga(d);
    messaggi_.clear();
    d.osRegimeMargine = c.regime;
    d.txt(130).SetText(c.iva);
    d.MostraIva(true);
    const std::string testo = "Codice iva senza percentuale Iva margine";
    EXPECT_EQ(d.txt(130).BackColor() == G().glColoreErrore, c.errore);
    ASSERT_EQ(messaggi_.size(), c.errore ? 1u : 0u);
    if (c.errore) {
      EXPECT_EQ(messaggi_[0], testo);
      EXPECT_EQ(d.C("staMessaggi").Elem("Messaggio").Caption, testo);
    }
    // The code stays; the rate follows it.
    EXPECT_EQ(d.txt(130).Text(), c.iva);
    EXPECT_EQ(d.osIva, c.iva);
    EXPECT_DOUBLE_EQ(d.odPercIva, c.aliquota);
  }
}

TEST_F(Decodifiche, AnAccountAskingForACostCentreBringsItsOwn) {
  Sql("Insert into CentriDiCosto (CentroDiCosto, Descrizione) Values ('CC1', 'Reparto vendite')");
  Sql("Update PianoConti Set CdcObblig = 'S', CDC = 'CC1', CompGiornMens = 'M' "
      "Where Gruppo = '60' And Mastro = '01' And Conto = '0002'");
  Sql("Update PianoConti Set CdcObblig = 'S', CDC = Null Where Gruppo = '60' And Mastro = '02' And Conto = '0001'");
  Sql("Update PianoConti Set CdcObblig = 'N' Where Gruppo = '60' And Mastro = '01' And Conto = '0001'");
  struct Caso {
    const char* conto;
    bool scelto;  // typed now, or a stored line shown
    const char* cdc;
    int obblig;
    const char* tipoComp;
  };
  const std::vector<Caso> casi = {
      {"60010002", true, "CC1", -1, "M"}, {"60010002", false, "XX", -1, "M"}, {"60020001", true, "", -1, ""},
      {"60010001", true, "XX", 0, ""},    {"60010001", false, "XX", 0, ""},
  };
  frmDDTDett& d = Finestra();
  for (const auto& c : casi) {
    SCOPED_TRACE(std::string(c.conto) + (c.scelto ? " scelto" : " mostrato"));
    NuovaRiga(d);
    d.txt(165).SetText("XX");
    d.lab(165).SetCaption("");
    if (c.scelto) {
      Digita(d, 160, c.conto);
    } else {
      d.txt(160).SetText(vb::FunzioniComuni::Istanza().Formatta(vb::Variant(c.conto), "Conto"));
      d.MostraCRicavi(false, false, "");
    }
    EXPECT_EQ(d.txt(165).Text(), c.cdc);
    EXPECT_EQ(Obblig(d, 165), c.obblig);
    EXPECT_EQ(d.msCompGiornMens, c.tipoComp);
    EXPECT_EQ(d.msCdcObblig, c.obblig ? "S" : "N");
    if (std::string(c.cdc) == "CC1") {
      EXPECT_EQ(d.lab(165).Caption(), "Reparto vendite");
    }
    EXPECT_NE(d.lab(160).Caption(), kInesistente);
  }
}

TEST_F(Decodifiche, AManualLineTakesItsUnitForEveryUnitOfTheArticle) {
  Sql("Insert into UnitaMisura (UM, Descrizione) Values ('SC', 'Scatola')");
  frmDDTDett& d = Finestra();
  NuovaRiga(d);
  Digita(d, 20, kArticoloViti);
  ASSERT_EQ(d.msArtUMVen, "CF");
  Digita(d, 140, "SC");
  for (const std::string* um : {&d.msArtUM, &d.msArtUMAcq, &d.msArtUMVen}) EXPECT_EQ(*um, "CF");
  NuovaRiga(d);
  Digita(d, 20, "");
  Digita(d, 140, "SC");
  EXPECT_EQ(d.lab(140).Caption(), "Scatola");
  for (const std::string* um : {&d.msArtUM, &d.msArtUMAcq, &d.msArtUMVen}) EXPECT_EQ(*um, "SC");
}

TEST_F(Decodifiche, TheSourceDocumentTypeAndTheUsedGoodsAreDescribed) {
  Sql("Insert into BeniUsati (BeneUsato, Descrizione) Values ('BU1', 'Autovettura usata')");
  frmDDTDett& d = Finestra();
  NuovaRiga(d);
  ui::Controllo& descr = d.C("labdec", 540);
  descr.SetCaption("prima");
  d.lab(540).SetCaption("");
  d.MostraTipoDocProv(false);
  EXPECT_EQ(descr.Caption(), "prima");
  d.lab(540).SetCaption(kDocDdt);
  d.lab(540).SetBackColor(0x123456);
  d.MostraTipoDocProv(false);
  EXPECT_EQ(descr.Caption(), "Documento di trasporto");
  EXPECT_EQ(d.lab(540).BackColor(), d.lab(670).BackColor());
  EXPECT_EQ(d.lab(540).Caption(), kDocDdt);

  d.txt(195).SetText("BU1");
  d.MostraBeneUsato();
  EXPECT_EQ(d.lab(195).Caption(), "Autovettura usata");
  d.txt(195).SetText("BU9");
  d.MostraBeneUsato();
  EXPECT_EQ(d.lab(195).Caption(), kInesistente);
}

TEST_F(Decodifiche, CodesWithQuotesOrWildcardsDecodeToNothingWithoutAnError) {
  const std::vector<std::string> codici = {"A'B", "'", "''", "*", "?", "V*", "VITE04?0", "%", "_", "';--",
                                           "\"x\"", "[x]", "60'01", "*-*-*"};
  G().gsGesTaglie = "S";
  for (int16_t modo : {0, 1}) {
    G().giKeyRicDdt = modo;
    frmDDTDett& d = Finestra();
    d.oiCodBarLunArt = kCodBarLunArt;
    for (const auto& codice : codici) {
      SCOPED_TRACE(codice + " modo " + std::to_string(modo));
      messaggi_.clear();
      NuovaRiga(d);
      Digita(d, 20, codice);
      EXPECT_EQ(d.txt(26).Text(), kInesistente);
      EXPECT_EQ(d.txt(20).BackColor(), G().glColoreErrore);
      struct Campo {
        int n;
        void (frmDDTDett::*mostra)(bool);
      };
      for (const Campo& f : {Campo{130, &frmDDTDett::MostraIva}, Campo{140, &frmDDTDett::MostraUM},
                             Campo{165, &frmDDTDett::MostraCentroDiCosto}}) {
        d.txt(f.n).SetText(codice);
        (d.*f.mostra)(false);
        EXPECT_EQ(d.lab(f.n).Caption(), kInesistente) << f.n;
      }
      d.txt(160).SetText(codice);
      d.MostraCRicavi(false, false, "");
      EXPECT_EQ(d.lab(160).Caption(), kInesistente);
      d.txt(195).SetText(codice);
      d.MostraBeneUsato();
      EXPECT_EQ(d.lab(195).Caption(), kInesistente);
      d.lab(540).SetCaption(codice);
      d.MostraTipoDocProv(false);
      EXPECT_EQ(d.C("labdec", 540).Caption(), kInesistente);
      EXPECT_TRUE(messaggi_.empty()) << messaggi_[0];
    }
    Chiudi();
  }
}

TEST_F(Decodifiche, AStoredLineWithOddCodesShowsThemAsUnknown) {
  // A line whose codes were written by another program.
  Sql("Update DdtDett Set Contratto = 'C''1*', Iva = '2''2', UM = '?', CentroDiCosto = '%' "
      "Where Anno = 2026 And NumRif = 3 And RigDet = 2");
  frmDDTDett& d = Finestra();
  Vai(d, 2);
  EXPECT_EQ(d.txt(830).Text(), "C'1*");
  for (int n : {830, 130, 140, 165}) EXPECT_EQ(d.lab(n).Caption(), kInesistente) << n;
  EXPECT_EQ(d.txt(130).Text(), "2'2");
  EXPECT_TRUE(messaggi_.empty()) << messaggi_[0];
}

TEST_F(Decodifiche, AnArticleCodeWithQuotesAndWildcardsIsFoundAsItIs) {
  const std::string codice = "O'NE*?";
  Sql("Insert into Articoli (Articolo, Descrizione, ArtUMVen, FatConVen, IvaVendite, DesLunga) Values ('O''NE*?', "
      "'Dado a ''farfalla''', 'PZ', 1, '22', 'Dado')");
  Sql("Insert into ArtLingue (Articolo, Lingua, DesLunga) Values ('O''NE*?', 'EN', 'Wing nut')");
  frmDDTDett& d = Finestra();
  d.osLingua = kLinguaInglese;
  d.osDoveStampoDesLung = "4";
  NuovaRiga(d);
  Digita(d, 20, codice);
  EXPECT_EQ(d.txt(20).Text(), codice);
  EXPECT_EQ(d.txt(26).Text(), "Dado a 'farfalla'");
  EXPECT_EQ(d.txt(440).Text(), "Wing nut");
  EXPECT_EQ(d.txt(130).Text(), "22");
  EXPECT_TRUE(messaggi_.empty()) << messaggi_[0];
}

}  // namespace
}  // namespace prova
