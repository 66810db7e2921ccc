// The document type of the header on the demo company: what each type
// brings into a new DDT, its warehouse cause, the internal transfer, and
// the account field's prompt.
#include "common/Globali.h"
#include "ddt/header/TestataProva.h"

namespace {

namespace demo = dati::demo;

class TipoDoc : public prova::TestataProva {
 protected:
  static void Tipo(frmDdtTest& f, const std::string& codice, bool modif = true, bool aiuto = false) {
    f.txt(40).SetText(codice);
    f.MostraFattDoc(modif, aiuto);
  }

  static bool Rosso(frmDdtTest& f, int campo) { return f.txt(campo).BackColor() == G().glColoreErrore; }
};

TEST_F(TipoDoc, EachTypeBringsItsDefaultsAndItsCause) {
  Param("Fat.PrefDdt", "B");
  Param("Mag.MagPrincipale", demo::kMagNegozio);
  struct Caso {
    const char* tipo;
    const char* conto;      // field 86
    const char* prefisso;   // field 50
    const char* magazzino;  // field 290
    const char* nota1;
    const char* daFatturare;
    bool interno;
    const char* causale;
    const char* qualeImporto;
    int32_t ggScad;
    const char* suggerimento;
  };
  const Caso casi[] = {
      {demo::kDocDdt, "3", "B", demo::kMagCentrale, "", "S", false, demo::kCausaleVendita, "L", 30,
       "Inserire il Cliente"},
      {demo::kDocDdtExport, "3", demo::kPrefDdtExport, demo::kMagDeposito, demo::kNotaSuDdt, "S", false,
       demo::kCausaleVendita, "L", demo::kGgScadDdtExport, "Inserire il Cliente"},
      // A return cause: never invoiced, whatever the evasion type.
      {demo::kDocDdtReso, "3", "B", demo::kMagCentrale, "", "N", false, demo::kCausaleReso, "L", 0,
       "Inserire il Cliente"},
      // No evasion type, and a transfer.
      {demo::kDocDdtInterno, "3", "T", demo::kMagCentrale, "", "N", true, demo::kCausaleTrasferimento, "M", 0,
       "Inserire il Cliente"},
      // Made out to a supplier; a cause without a price source means a list;
      // no warehouse of its own: the company's main one.
      {demo::kDocDdtFornitore, "2", "B", demo::kMagNegozio, "", "N", false, demo::kCausaleContoLavoro, "L", 0,
       "Inserire il Fornitore"},
  };
  frmDdtTest& f = Nuovo();
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.tipo);
    f.txt(530).SetText("vecchia");
    Tipo(f, c.tipo);
    EXPECT_EQ(f.txt(86).Text(), c.conto);
    EXPECT_EQ(f.txt(50).Text(), c.prefisso);
    EXPECT_EQ(f.txt(290).Text(), c.magazzino);
    EXPECT_FALSE(f.lab(290).Caption().empty());
    EXPECT_EQ(f.txt(530).Text(), c.nota1);
    EXPECT_EQ(f.txt(540).Text(), "");
    EXPECT_EQ(f.txt(550).Text(), "");
    EXPECT_EQ(f.txt(300).Text(), c.daFatturare);
    EXPECT_EQ(f.txt(88).Visible(), c.interno);
    EXPECT_EQ(f.C("che", 300).Enabled(), !c.interno);
    EXPECT_EQ(f.msDdtInterno, c.interno ? "S" : "N");
    EXPECT_EQ(f.msMagCausale, c.causale);
    EXPECT_EQ(f.msQualeImporto, c.qualeImporto);
    EXPECT_EQ(f.mlGgScadCli, c.ggScad);
    EXPECT_EQ(f.txt(80).ToolTipText(), c.suggerimento);
  }
}

TEST_F(TipoDoc, TheCauseSetsTheMovementAndTheSerialAndLotOperations) {
  struct Caso {
    const char* tipo;
    const char* tipoMov;
    const char* carScar;
    const char* prov;
    const char* dest;
    const char* descrizione;
    const char* matricole;
    const char* lotti;
  };
  const Caso casi[] = {
      {demo::kDocDdt, "N", "S", "M", "C", "Scarico per vendita", "S", "S"},
      {demo::kDocDdtInterno, "I", "S", "M", "M", "Trasferimento tra magazzini", "I", "I"},
      // A customer's goods coming back.
      {demo::kDocDdtReso, "N", "C", "C", "M", "Reso da cliente", "R", "C"},
  };
  frmDdtTest& f = Nuovo();
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.tipo);
    Tipo(f, c.tipo);
    EXPECT_EQ(f.msTipoMov, c.tipoMov);
    EXPECT_EQ(f.msCarScar, c.carScar);
    EXPECT_EQ(f.msProvCausale, c.prov);
    EXPECT_EQ(f.msDestCausale, c.dest);
    EXPECT_EQ(f.msDescCausale, c.descrizione);
    EXPECT_EQ(f.msMatrTipOpe, c.matricole);
    EXPECT_EQ(f.msLottoTipOpe, c.lotti);
  }
}

TEST_F(TipoDoc, WithoutChangesOnlyTheDescriptionAndTheInternalFieldsMove) {
  frmDdtTest& f = Nuovo();
  Tipo(f, demo::kDocDdt);
  f.txt(300).SetText("S");
  f.txt(50).SetText("Q");
  Tipo(f, demo::kDocDdtInterno, false);
  EXPECT_EQ(f.lab(40).Caption(), "DDT di trasferimento tra magazzini");
  EXPECT_TRUE(f.txt(88).Visible());
  EXPECT_FALSE(f.C("che", 300).Enabled());
  EXPECT_EQ(f.txt(300).Text(), "S");
  EXPECT_EQ(f.txt(50).Text(), "Q");
  EXPECT_EQ(f.msMagCausale, demo::kCausaleVendita);
  EXPECT_EQ(f.msDdtInterno, "N");
}

TEST_F(TipoDoc, ATypeThatIsNotFoundChangesNothing) {
  frmDdtTest& f = Nuovo();
  Tipo(f, demo::kDocDdtInterno);
  ASSERT_TRUE(f.txt(88).Visible());
  f.txt(50).SetText("Q");
  // Not a DDT type, and no look-up: the header stays as it was.
  for (const char* codice : {"ZZ", demo::kDocFattura}) {
    SCOPED_TRACE(codice);
    Tipo(f, codice);
    EXPECT_TRUE(Rosso(f, 40));
    EXPECT_TRUE(f.txt(88).Visible());
    EXPECT_EQ(f.msMagCausale, demo::kCausaleTrasferimento);
    EXPECT_EQ(f.txt(50).Text(), "Q");
  }
}

TEST_F(TipoDoc, AnotherTypeHidesTheDestinationStoreAndKeepsIt) {
  frmDdtTest& f = Nuovo();
  Tipo(f, demo::kDocDdtInterno);
  for (const char* nome : {"txt", "ComHlp", "label1", "lab"}) EXPECT_TRUE(f.C(nome, 88).Visible()) << nome;
  f.txt(88).SetText(demo::kMagNegozio);
  Tipo(f, demo::kDocDdt);
  for (const char* nome : {"txt", "ComHlp", "label1", "lab"}) EXPECT_FALSE(f.C(nome, 88).Visible()) << nome;
  EXPECT_EQ(f.txt(88).Text(), demo::kMagNegozio);
  EXPECT_TRUE(f.C("che", 300).Enabled());
}

TEST_F(TipoDoc, ANewKindOfAccountMarksTheAccountEntered) {
  struct Caso {
    const char* conto;
    const char* tipo;
    bool rosso;
  };
  const Caso casi[] = {
      {demo::kContoCliente1, demo::kDocDdtFornitore, true},  // customer to supplier
      {demo::kContoCliente1, demo::kDocDdtInterno, false},   // the same kind
      {"", demo::kDocDdtFornitore, false},                   // no account
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(std::string(c.conto) + " " + c.tipo);
    frmDdtTest& f = Nuovo();
    Tipo(f, demo::kDocDdt);
    f.txt(80).SetText(c.conto);
    f.txt(80).SetBackColor(G().glColoreSfondo);
    f.lab(80).SetCaption("Ferramenta");
    Tipo(f, c.tipo);
    EXPECT_EQ(Rosso(f, 80), c.rosso);
    // Marked, not decoded.
    EXPECT_EQ(f.lab(80).Caption(), "Ferramenta");
  }
}

TEST_F(TipoDoc, TheListedTypesPutThePaymentDiscountOnTheLines) {
  struct Caso {
    const char* elenco;
    const char* atteso;
  };
  // Whole items: a longer code holding the type's is another type.
  const Caso casi[] = {{"", "N"}, {"DDT,", "S"}, {"ddt", "S"}, {"XDDT,", "N"}, {"DDTX,", "N"}, {"FAT,DDT,OC,", "S"}};
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.elenco);
    ParPers("DDT", "ScontoPagInDet", c.elenco);
    frmDdtTest& f = Nuovo();
    Tipo(f, demo::kDocDdt);
    EXPECT_EQ(f.txt(235).Text(), c.atteso);
    EXPECT_EQ(f.C("che", 235).Value(), std::string(c.atteso) == "S" ? 1 : 0);
  }
}

TEST_F(TipoDoc, TheCustomerChoosesWhetherTheTypeSetsThePriceOnTheDdt) {
  struct Caso {
    const char* cliente;
    const char* tipo;
    const char* atteso;
  };
  const Caso casi[] = {{"T", demo::kDocDdt, "S"},
                       {"t", demo::kDocDdtInterno, "N"},
                       {"S", demo::kDocDdtInterno, "X"},
                       {"", demo::kDocDdt, "X"}};
  frmDdtTest& f = Nuovo();
  for (const Caso& c : casi) {
    SCOPED_TRACE(std::string(c.cliente) + " " + c.tipo);
    f.msPrezzoDdtCli = c.cliente;
    f.txt(440).SetText("X");
    Tipo(f, c.tipo);
    EXPECT_EQ(f.txt(440).Text(), c.atteso);
  }
}

TEST_F(TipoDoc, ATypeWithoutPriceListEmptiesTheHeadersList) {
  frmDdtTest& f = Nuovo();
  f.txt(200).SetText(demo::kListinoVendita);
  Tipo(f, demo::kDocDdtInterno);
  EXPECT_EQ(f.txt(200).Text(), "");
  EXPECT_FALSE(f.txt(200).Enabled());
}

TEST_F(TipoDoc, TheAccountPromptFollowsTheKind) {
  struct Caso {
    const char* tipo;
    const char* atteso;
  };
  const Caso casi[] = {{"3", "Inserire il Cliente"},
                       {"2", "Inserire il Fornitore"},
                       {"", "Inserire il Destinatario"},
                       {"1", "Inserire il Destinatario"}};
  frmDdtTest& f = Nuovo();
  for (const Caso& c : casi) {
    f.txt(86).SetText(c.tipo);
    f.ImpTilToopIntest();
    EXPECT_EQ(f.txt(80).ToolTipText(), c.atteso) << c.tipo;
  }
}

}  // namespace
