// The joined read of a stored DDT on the demo company: descriptions, the
// attributes kept for later operations, the transport groups with and
// without codes, and the customer's warnings.
#include "ddt/header/LettureProva.h"

namespace {

using namespace dati::demo;

class Mostra : public prova::LettureProva {};

struct CasoDdt {
  long numRif;
  const char* tipoDoc;      // lab(40)
  const char* cliente;      // lab(80)
  const char* fiscale;      // lab(84)
  const char* pagamento;    // lab(220)
  const char* magCausale;   // msMagCausale
  const char* interno;      // msDdtInterno
  const char* qualeImporto; // msQualeImporto
  const char* lottoTipOpe;  // msLottoTipOpe
  const char* matrTipOpe;   // msMatrTipOpe
  const char* destinatario; // txt(810)
  const char* vettore;      // txt(960)
  const char* targa;        // txt(1015)
  const char* causale;      // txt(1070)
  const char* magDest;      // lab(88)
};

TEST_F(Mostra, EachKindOfDemoDdtIsDecodedByOneRead) {
  const CasoDdt casi[] = {
      {kDdtEvaso, "Documento di trasporto", "Ferramenta Rossi Srl", "IT 01234560237", "Ri.Ba. 30 gg fine mese", "VEN", "N",
       "L", "S", "S", "Ferramenta Rossi Srl", "Trasporti Veloci Srl", "FR123XY", "Vendita", ""},
      {kDdtStampato, "Documento di trasporto", "Boutique Eleganza", "IT 02345670238", "", "VEN", "N", "L", "S", "S",
       "", "Corriere Espresso Nord Spa", "GH456ZK", "Vendita", ""},
      {kDdtModificabile, "Documento di trasporto", "Alimentari Bianchi Snc", "IT 03456780204", "", "VEN", "N", "L",
       "S", "S", "Alimentari Bianchi Snc", "Trasporti Veloci Srl", "FR123XY", "Vendita", ""},
      {kDdtInterno, "DDT di trasferimento tra magazzini", "Velnor Demo Srl", "IT 04567890231", "", "TRA", "S", "M",
       "I", "I", "", "", "", "", "Negozio di Verona centro"},
  };
  frmDdtTest& f = Finestra();
  for (const CasoDdt& c : casi) {
    SCOPED_TRACE(c.numRif);
    Vai(c.numRif);
    f.MostraTutto();
    EXPECT_EQ(f.lab(40).Caption(), c.tipoDoc);
    EXPECT_EQ(f.lab(80).Caption(), c.cliente);
    EXPECT_EQ(f.lab(84).Caption(), c.fiscale);
    if (*c.pagamento) {
      EXPECT_EQ(f.lab(220).Caption(), c.pagamento);
    }
    EXPECT_FALSE(f.lab(220).Caption().empty());
    EXPECT_EQ(f.msMagCausale, c.magCausale);
    EXPECT_EQ(f.msDdtInterno, c.interno);
    EXPECT_EQ(f.msQualeImporto, c.qualeImporto);
    EXPECT_EQ(f.msLottoTipOpe, c.lottoTipOpe);
    EXPECT_EQ(f.msMatrTipOpe, c.matrTipOpe);
    EXPECT_EQ(f.txt(810).Text(), c.destinatario);
    EXPECT_EQ(f.txt(960).Text(), c.vettore);
    EXPECT_EQ(f.txt(1015).Text(), c.targa);
    if (*c.causale) {
      EXPECT_NE(f.txt(1070).Text().find(c.causale), std::string::npos) << f.txt(1070).Text();
    }
    EXPECT_EQ(f.lab(88).Caption(), c.magDest);
    EXPECT_EQ(f.lab(290).Caption(), "Magazzino centrale di Verona");
    EXPECT_EQ(f.lab(80).ForeColor(), 0xFF0000);  // blue: an open account
    EXPECT_FALSE(f.lab(89).Visible());
    EXPECT_TRUE(f.msClasseAttrCli.empty());
  }
  EXPECT_TRUE(messaggi_.empty()) << messaggi_.front();
}

TEST_F(Mostra, CustomerAttributesAndWarnings) {
  frmDdtTest& f = Finestra();
  Vai(kDdtEvaso);
  f.MostraTutto();
  // Ferramenta Rossi: risk "S", credit 5000, a note, an agent with 5%.
  EXPECT_EQ(f.lab(92).Caption(), "S");
  EXPECT_TRUE(f.lab(91).Visible());
  EXPECT_TRUE(f.label1(91).Visible());
  EXPECT_EQ(f.txt(1600).Text(), "Consegna solo al mattino, dalle 8 alle 12");
  EXPECT_FALSE(f.C("labNoteCliente").Visible());  // no warning setting
  EXPECT_EQ(f.lab(83).Caption(), "37121 Verona VR IT");
  EXPECT_EQ(f.lab(85).Caption(), "045 8012345");
  EXPECT_EQ(f.lab(481).Caption(), "5");
  EXPECT_EQ(f.msZonaCli, "NE");
  EXPECT_EQ(f.msSpesaCli, kSpesaTrasporto);
  EXPECT_EQ(f.msCategoriaCli, kCategoriaDettaglianti);
  EXPECT_EQ(f.msListinoCli, kListinoVendita);
  EXPECT_EQ(f.msPagamentoCli, kPagRiba30);
  EXPECT_EQ(f.msSegnoDoc, "+");
  EXPECT_EQ(f.C("che", 430).Value(), 0);
  EXPECT_FALSE(f.mbCassaPrev);

  // A small "s" is a yes; an empty company name shows the account's
  // description; a closing date shows "Chiuso" in red.
  Sql("UPDATE PianoConti SET Rischio = 's', RagSoc = Null, Descrizione = 'Rossi (descrizione)', "
      "DataChiu = #2026-12-01#, PartIva = Null, CodFisc = 'RSSMRA70A01L781X', SpeseBan = 'S' "
      "WHERE Gruppo = '04' AND Mastro = '01' AND Conto = '0012'");
  f.msInizioAvvisoCliente = "consegna";
  Vai(kDdtEvaso);
  f.MostraTutto();
  EXPECT_TRUE(f.lab(91).Visible());
  EXPECT_EQ(f.lab(80).Caption(), "Rossi (descrizione)");
  EXPECT_EQ(f.lab(84).Caption(), "IT RSSMRA70A01L781X");
  EXPECT_TRUE(f.lab(89).Visible());
  EXPECT_EQ(f.lab(80).ForeColor(), 0x0000FF);
  EXPECT_EQ(f.lab(81).ForeColor(), 0x0000FF);
  EXPECT_TRUE(f.C("labNoteCliente").Visible());  // the note begins with "Consegna"
  EXPECT_EQ(f.C("che", 460).Value(), 1);

  // The next DDT, of an open account without a note: blue again, no warning.
  f.msInizioAvvisoCliente = "Tutti";
  Vai(kDdtStampato);
  f.MostraTutto();
  EXPECT_FALSE(f.lab(89).Visible());
  EXPECT_EQ(f.lab(80).ForeColor(), 0xFF0000);
  EXPECT_FALSE(f.lab(91).Visible());
  EXPECT_FALSE(f.C("labNoteCliente").Visible());
  EXPECT_EQ(f.lab(81).Caption(), "di Neri Anna");

  // No country and no number: nothing at all.
  Sql("UPDATE PianoConti SET Stato = Null, PartIva = Null, CodFisc = Null WHERE Conto = '0013'");
  Vai(kDdtStampato);
  f.MostraTutto();
  EXPECT_EQ(f.lab(84).Caption(), "");
}

TEST_F(Mostra, TransportGroupsWithoutCodesShowTheDdtsOwnTexts) {
  frmDdtTest& f = Finestra();
  // The internal DDT has no carrier; give it typed data of its own, and a
  // destination of another customer's code (shown empty).
  Sql("UPDATE DdtTest SET RagSocVett = 'Padroncino Verdi', LocalitaVett = 'Affi', TargaVett = 'AB123CD', "
      "CauTrasporto = Null, DescCauTrasporto = 'Conto visione' WHERE Anno = 2026 AND NumRif = 4");
  Vai(kDdtInterno);
  f.MostraTutto();
  EXPECT_EQ(f.txt(960).Text(), "Padroncino Verdi");
  EXPECT_EQ(f.txt(1000).Text(), "Affi");
  EXPECT_EQ(f.txt(1015).Text(), "AB123CD");
  EXPECT_EQ(f.txt(1070).Text(), "Conto visione");
  EXPECT_TRUE(f.txt(960).Enabled());  // typed on the DDT: typeable
  EXPECT_TRUE(f.txt(1070).Enabled());

  // With a carrier code: the master's data, the plate too unless the DDT
  // keeps its own.
  Sql("UPDATE DdtTest SET Vettore = 'V01', IndSped = '001' WHERE Anno = 2026 AND NumRif = 4");
  Vai(kDdtInterno);
  f.MostraTutto();
  EXPECT_EQ(f.txt(960).Text(), "Trasporti Veloci Srl");
  EXPECT_EQ(f.txt(1015).Text(), "FR123XY");
  EXPECT_EQ(f.txt(810).Text(), "");  // destination 001 is not the company's own
  EXPECT_FALSE(f.txt(960).Enabled());  // the master's: locked
  EXPECT_FALSE(f.txt(810).Enabled());
  f.mbMemTargaVet = true;
  f.MostraTutto();
  EXPECT_EQ(f.txt(1015).Text(), "AB123CD");
}

TEST_F(Mostra, ClassSuffixNamesAColumnOrIsDropped) {
  Sql("UPDATE PianoConti SET PdcClasseAttr2 = 'ORO' WHERE Conto = '0012'");
  struct Caso {
    const char* suffisso;
    const char* attributo;
    bool avviso;
  };
  const Caso casi[] = {
      {"2", "ORO", false},
      {"", "", false},
      {"99", "", true},
      {"2 FROM PianoConti --", "", true},
      {"2, PianoConti.Fido", "", true},
  };
  frmDdtTest& f = Finestra();
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.suffisso);
    messaggi_.clear();
    f.msClasseRegConf = c.suffisso;
    f.mbClasseRegConfVerif = false;
    Vai(kDdtEvaso);
    f.MostraTutto();
    EXPECT_EQ(f.msClasseAttrCli, c.attributo);
    EXPECT_EQ(f.lab(80).Caption(), "Ferramenta Rossi Srl");  // the read ran
    ASSERT_EQ(messaggi_.size(), c.avviso ? 1u : 0u);
    if (c.avviso) {
      EXPECT_NE(messaggi_[0].find("ClasseRegConf"), std::string::npos) << messaggi_[0];
      EXPECT_TRUE(f.msClasseRegConf.empty());
      // Warned once: the next read is quiet.
      f.MostraTutto();
      EXPECT_EQ(messaggi_.size(), 1u);
    }
  }
}

TEST_F(Mostra, LabelBackColoursComeBack) {
  frmDdtTest& f = Finestra();
  f.mlColSfondoLab = 0x00C0C0C0;
  for (int n : {190, 195, 130, 140, 150, 160, 170, 1435, 1430, 1445, 1440}) f.lab(n).SetBackColor(255);
  f.SetLabBackColor();
  for (int n : {190, 195, 130, 140, 150, 160, 170, 1435, 1430, 1445, 1440}) EXPECT_EQ(f.lab(n).BackColor(), 0x00C0C0C0);
}

}  // namespace
