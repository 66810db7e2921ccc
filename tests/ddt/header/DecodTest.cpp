// The decoders of the header's coded fields on the demo company: the
// description of each code, the master texts and addresses that replace the
// DDT's own, the carrier's plate, the agents' commissions by kind, the
// contract's CIG and CUP, and codes no master can hold.
#include <filesystem>
#include <functional>

#include "ddt/header/TestataProva.h"
#include "platform/FunzioniComuni.h"
#include "platform/dati/ServerDiProva.h"

namespace {

namespace demo = dati::demo;

class Decod : public prova::TestataProva {
 protected:
  // A fresh demo company for the next case of a table.
  void Riparti() {
    TearDown();
    db_.reset();
    std::filesystem::remove(dir_.Percorso("ditta.db"));
    messaggi_.clear();
    SetUp();
  }
};

// ---------------------------------------------------------- decode only

TEST_F(Decod, DecodeOnlyFieldsShowTheirDescriptionAndNothingElse) {
  using Chiamata = std::function<void(frmDdtTest&)>;
  struct Caso {
    int campo;
    const char* codice;
    const char* descrizione;
    Chiamata chiama;
  };
  auto banca = [](frmDdtTest& f) { bool m = true, h = false; f.MostraBanca(m, h); };
  auto iva = [](frmDdtTest& f) { bool m = false, h = false; f.MostraIva(m, h); };
  auto lingua = [](frmDdtTest& f) { bool m = true, h = false; f.MostraLingua(m, h); };
  auto magazzino = [](int n) {
    return [n](frmDdtTest& f) { bool m = true, h = false; f.MostraMagazzino(n, m, h); };
  };
  const Caso casi[] = {
      {250, demo::kBanca1, nullptr, banca},
      {250, "B99", aiuti::kInesistente, banca},
      {250, "", "", banca},
      {270, demo::kIva22, nullptr, iva},
      {270, "99", aiuti::kInesistente, iva},
      {560, demo::kLinguaInglese, "Inglese", lingua},
      {560, "XX", aiuti::kInesistente, lingua},
      {290, demo::kMagDeposito, "Deposito di Mantova", magazzino(290)},
      {88, demo::kMagNegozio, "Negozio di Verona centro", magazzino(88)},
      {88, "77", aiuti::kInesistente, magazzino(88)},
  };
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  for (const Caso& c : casi) {
    SCOPED_TRACE(std::to_string(c.campo) + " '" + c.codice + "'");
    f.lab(c.campo).SetCaption("vecchio");
    f.txt(c.campo).SetText(c.codice);
    const std::string cig = f.txt(1410).Text(), provv = f.txt(490).Text();
    c.chiama(f);
    if (c.descrizione) {
      EXPECT_EQ(f.lab(c.campo).Caption(), c.descrizione);
    } else {
      EXPECT_FALSE(f.lab(c.campo).Caption().empty());
      EXPECT_NE(f.lab(c.campo).Caption(), aiuti::kInesistente);
    }
    EXPECT_EQ(f.txt(c.campo).BackColor() == G().glColoreErrore,
              c.descrizione && std::string(c.descrizione) == aiuti::kInesistente);
    EXPECT_EQ(f.txt(c.campo).Text(), c.codice);
    EXPECT_EQ(f.txt(1410).Text(), cig);
    EXPECT_EQ(f.txt(490).Text(), provv);
  }
  EXPECT_TRUE(messaggi_.empty()) << messaggi_.front();
}

// ----------------------------------------------- code or the DDT's own text

TEST_F(Decod, TransportTextsComeFromTheCodeOrFromTheDdt) {
  using Chiamata = void (frmDdtTest::*)(bool&, bool&, bool&);
  struct Campo {
    Chiamata chiama;
    int codice, visibile, nascosto;
    const char* valido;
    const char* descrizione;
  };
  const Campo campi[] = {
      {&frmDdtTest::MostraCauTrasp, 1060, 1070, 1080, demo::kCauTrasferimento, "Trasferimento tra magazzini"},
      {&frmDdtTest::MostraAspetto, 1090, 1100, 1110, "04", "Bancale"},
      {&frmDdtTest::MostraResa, 1120, 1130, 1140, "03", "Porto assegnato"},
      {&frmDdtTest::MostraTrasporto, 1150, 1160, 1170, "02", "Destinatario"},
  };
  struct Caso {
    const char* codice;  // nullptr: the field's valid code
    bool modif;
    const char* visibile;  // nullptr: the master's description
    bool aperto;
    bool nascostoVuoto;
  };
  const Caso casi[] = {
      {nullptr, true, nullptr, false, true},
      {nullptr, false, nullptr, false, true},  // a code decodes whatever pbModif is
      {"ZZ", true, aiuti::kInesistente, false, true},
      {"", true, "testo proprio", true, false},
      {"", false, "digitato", true, false},  // unchanged field: typed text stays
  };
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  for (const Campo& k : campi) {
    for (const Caso& c : casi) {
      SCOPED_TRACE(std::to_string(k.codice) + " '" + (c.codice ? c.codice : k.valido) + "' " +
                   (c.modif ? "modif" : "-"));
      f.txt(k.visibile).SetText("digitato");
      f.txt(k.nascosto).SetText("testo proprio");
      f.txt(k.codice).SetText(c.codice ? c.codice : k.valido);
      bool modif = c.modif, fuoco = false, aiuto = false;
      (f.*k.chiama)(modif, fuoco, aiuto);
      EXPECT_EQ(f.txt(k.visibile).Text(), c.visibile ? c.visibile : k.descrizione);
      EXPECT_EQ(f.txt(k.visibile).Enabled(), c.aperto);
      EXPECT_EQ(f.txt(k.nascosto).Text().empty(), c.nascostoVuoto);
    }
  }
  EXPECT_TRUE(messaggi_.empty()) << messaggi_.front();
}

TEST_F(Decod, TheDestinationBelongsToTheCustomersAccount) {
  struct Caso {
    const char* conto;
    const char* tipo;
    const char* codice;
    const char* ragSoc;   // txt(810)
    const char* localita; // txt(870)
  };
  const Caso casi[] = {
      {demo::kContoCliente3, "3", demo::kIndSped, "Alimentari Bianchi Snc", "Suzzara"},
      {demo::kContoCliente3, "", demo::kIndSped, "Alimentari Bianchi Snc", "Suzzara"},  // the account alone
      {demo::kContoCliente1, "3", demo::kIndSped, "Ferramenta Rossi Srl", "Verona"},
      {demo::kContoCliente2, "3", demo::kIndSped, aiuti::kInesistente, ""},  // not this customer's
      {demo::kContoCliente3, "3", "999", aiuti::kInesistente, ""},
  };
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  for (const Caso& c : casi) {
    SCOPED_TRACE(std::string(c.conto) + "/" + c.tipo + "/" + c.codice);
    f.txt(80).SetText(c.conto);
    f.txt(86).SetText(c.tipo);
    for (int n : {830, 840, 900, 910, 920, 930, 940}) f.txt(n).SetText("proprio");
    f.txt(800).SetText(c.codice);
    bool modif = true, fuoco = true, aiuto = false;
    f.MostraDestinazione(modif, fuoco, aiuto);
    EXPECT_EQ(f.txt(810).Text(), c.ragSoc);
    EXPECT_EQ(f.txt(870).Text(), c.localita);
    for (int n : {830, 840, 900, 910, 920, 930, 940}) EXPECT_TRUE(f.txt(n).Text().empty()) << n;
    for (int n : {810, 820, 850, 860, 870, 880, 890}) EXPECT_FALSE(f.txt(n).Enabled()) << n;
  }
  // No code: the DDT's own address, open for typing.
  f.txt(800).SetText("");
  f.txt(830).SetText("Cantiere Nord");
  f.txt(920).SetText("Brescia");
  bool modif = true, fuoco = false, aiuto = false;
  f.MostraDestinazione(modif, fuoco, aiuto);
  EXPECT_EQ(f.txt(810).Text(), "Cantiere Nord");
  EXPECT_EQ(f.txt(870).Text(), "Brescia");
  EXPECT_TRUE(f.txt(850).Text().empty());
  for (int n : {810, 820, 850, 860, 870, 880, 890}) EXPECT_TRUE(f.txt(n).Enabled()) << n;
  EXPECT_EQ(f.txt(800).BackColor(), G().glColoreSfondo);
}

TEST_F(Decod, TheCarriersPlateStaysOnTheDdtOnlyWhenSoSet) {
  struct Caso {
    bool memTarga;
    const char* codice;
    const char* nome;         // txt(960)
    const char* targa;        // txt(1015)
    const char* targaSalvata; // txt(1055)
    bool targaAperta;
  };
  const Caso casi[] = {
      {false, demo::kVettore1, "Trasporti Veloci Srl", "FR123XY", "", false},
      {true, demo::kVettore1, "Trasporti Veloci Srl", "FR123XY", "FR123XY", true},
      {true, demo::kVettore2, "Corriere Espresso Nord Spa", "GH456ZK", "GH456ZK", true},
      {false, "V99", aiuti::kInesistente, "", "", false},
      // Emptied: the boxes take the hidden fields, empty while a code was set.
      {false, "", "", "", "", true},
  };
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  for (const Caso& c : casi) {
    SCOPED_TRACE(std::string(c.codice) + (c.memTarga ? " targa" : ""));
    f.mbMemTargaVet = c.memTarga;
    f.txt(950).SetText(c.codice);
    bool modif = true, fuoco = false, aiuto = false;
    f.MostraVettore(modif, fuoco, aiuto);
    EXPECT_EQ(f.txt(960).Text(), c.nome);
    EXPECT_EQ(f.txt(1015).Text(), c.targa);
    EXPECT_EQ(f.txt(1055).Text(), c.targaSalvata);
    for (int n : {970, 1020, 1030, 1040, 1050}) EXPECT_TRUE(f.txt(n).Text().empty()) << n;
    EXPECT_EQ(f.txt(960).Enabled(), !*c.codice);
    EXPECT_EQ(f.txt(1015).Enabled(), c.targaAperta);
  }
  // A plate of the DDT's own without a code.
  f.mbMemTargaVet = false;
  f.txt(970).SetText("Padroncino Bianchi");
  f.txt(1055).SetText("AB123CD");
  bool modif = true, fuoco = false, aiuto = false;
  f.MostraVettore(modif, fuoco, aiuto);
  EXPECT_EQ(f.txt(960).Text(), "Padroncino Bianchi");
  EXPECT_EQ(f.txt(1015).Text(), "AB123CD");
}

// ---------------------------------------------------------------- agents

TEST_F(Decod, TheCommissionFollowsTheKindOfTheAgentsField) {
  struct Caso {
    int agente;  // 480 or 500
    const char* codice;
    const char* tipo;
    bool modif;
    const char* provvCliente;
    const char* provv;  // the commission field after
    const char* propria;  // lab(481)/lab(501)
  };
  const Caso casi[] = {
      {480, demo::kAgente1, "G", true, "7", "5", "5"},
      {480, demo::kAgente1, "g", true, "7", "5", "5"},
      {480, demo::kAgente1, "C", true, "7", "7", "5"},
      {480, demo::kAgente1, "C", true, "", "", "5"},
      {480, demo::kAgente1, "N", true, "7", "", "5"},
      {480, demo::kAgente1, "A", true, "7", "", "5"},
      {480, demo::kAgente1, "", true, "7", "", "5"},
      {480, demo::kAgente1, "G", false, "7", "vecchia", "5"},
      {480, "", "G", true, "7", "", ""},
      {480, "ZZ", "G", true, "7", "", ""},
      {500, demo::kAgente2, "G", true, "4", "3", "3"},
      {500, demo::kAgente2, "C", true, "4", "4", "3"},
      {500, "", "C", true, "4", "", ""},
  };
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  for (const Caso& c : casi) {
    SCOPED_TRACE(std::to_string(c.agente) + " '" + c.codice + "' " + c.tipo + (c.modif ? " modif" : ""));
    const bool primo = c.agente == 480;
    const int lab = primo ? 481 : 501, campo = primo ? 490 : 510, tipo = primo ? 470 : 515;
    f.msProvv1Cli = primo ? c.provvCliente : "11";
    f.msProvv2Cli = primo ? "12" : c.provvCliente;
    f.txt(tipo).SetText(c.tipo);
    f.txt(campo).SetText("vecchia");
    f.txt(c.agente).SetText(c.codice);
    bool modif = c.modif, aiuto = false;
    f.MostraAgente(c.agente, lab, campo, modif, aiuto);
    EXPECT_EQ(f.lab(lab).Caption(), c.propria);
    EXPECT_EQ(f.txt(campo).Text(), c.provv);
  }
}

// --------------------------------------------------------------- contract

TEST_F(Decod, AContractBringsItsCigAndCupOnlyWhenChanged) {
  struct Caso {
    const char* codice;
    bool modif;
    const char* descrizione;
    const char* cig;
    const char* cup;
  };
  const Caso casi[] = {
      {"CT2026-01", true, "Fornitura annuale minuteria metallica", "Z1A2B3C4D5", "CUP-PRIMA"},  // no CUP: kept
      {"CT2026-01", false, "Fornitura annuale minuteria metallica", "CIG-PRIMA", "CUP-PRIMA"},
      {"NOCTR", true, aiuti::kInesistente, "CIG-PRIMA", "CUP-PRIMA"},
      {"", true, "", "CIG-PRIMA", "CUP-PRIMA"},
  };
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  for (const Caso& c : casi) {
    SCOPED_TRACE(std::string(c.codice) + (c.modif ? " modif" : ""));
    f.txt(1410).SetText("CIG-PRIMA");
    f.txt(1420).SetText("CUP-PRIMA");
    f.label1(1402).SetVisible(false);
    f.txt(1400).SetText(c.codice);
    bool modif = c.modif;
    f.MostraContratto(modif);
    EXPECT_EQ(f.lab(1400).Caption(), c.descrizione);
    EXPECT_EQ(f.txt(1410).Text(), c.cig);
    EXPECT_EQ(f.txt(1420).Text(), c.cup);
    // The demo lines carry no contract: with one on the header the mark
    // shows, but only the decode of a change looks at the lines.
    EXPECT_EQ(f.label1(1402).Visible(), c.modif && *c.codice);
  }
  // A contract with a CUP brings it.
  Sql("Update Contratti Set CUP = 'J12B34000000001'");
  f.txt(1400).SetText("CT2026-01");
  bool modif = true;
  f.MostraContratto(modif);
  EXPECT_EQ(f.txt(1420).Text(), "J12B34000000001");
}

TEST_F(Decod, TheContractMarkCountsBlankAndNullLineContractsAsNone) {
  struct Caso {
    const char* testata;
    const char* righe;  // contract of the article lines; nullptr Null
    bool segno;
  };
  const Caso casi[] = {
      {"", nullptr, false},        {"", "", false},          {"", "  ", false},
      {"", "CT2026-01", true},     {"CT2026-01", nullptr, true}, {"CT2026-01", "", true},
      {"CT2026-01", "ct2026-01", false}, {"CT2026-01", "CT2026-01", false}, {"CT2026-01", "CT9", true},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(std::string(c.testata) + "/" + (c.righe ? c.righe : "Null"));
    Riparti();
    Sql(std::string("Update DdtDett Set Contratto = ") + (c.righe ? "'" + std::string(c.righe) + "'" : "Null") +
        " Where Anno = 2026 AND NumRif = 3 AND TipoRiga = 'A'");
    frmDdtTest& f = Mostra(demo::kDdtModificabile);
    f.label1(1402).SetVisible(!c.segno);
    f.txt(1400).SetText(c.testata);
    f.VerContrDoppio();
    EXPECT_EQ(f.label1(1402).Visible(), c.segno);
    EXPECT_TRUE(messaggi_.empty()) << messaggi_.front();
  }
}

// The same on the PostgreSQL test server, with the declaration frame and
// odd codes: the statements as the server reads them.
class DecodServer : public Decod {
 protected:
  void SetUp() override {
    Decod::SetUp();
    ApriSuServer(server_);
  }
  void TearDown() override {
    Decod::TearDown();
    db_.reset();
    server_.reset();
  }
  std::unique_ptr<prova::DatabaseServer> server_;
};

TEST_F(DecodServer, TheContractMarkAndTheDeclarationOnTheServer) {
  SALTA_SENZA_SERVER();
  struct Caso {
    const char* testata;
    const char* righe;
    bool segno;
  };
  const Caso casi[] = {{"", nullptr, false}, {"", " ", false}, {"", "CT2026-01", true},
                       {"CT2026-01", nullptr, true}, {"CT2026-01", "ct2026-01 ", false}, {"CT2026-01", "CT9", true}};
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  for (const Caso& c : casi) {
    SCOPED_TRACE(std::string(c.testata) + "/" + (c.righe ? c.righe : "Null"));
    Sql(std::string("Update DdtDett Set Contratto = ") + (c.righe ? "'" + std::string(c.righe) + "'" : "Null") +
        " Where Anno = 2026 AND NumRif = 3 AND TipoRiga = 'A'");
    f.label1(1402).SetVisible(!c.segno);
    f.txt(1400).SetText(c.testata);
    f.VerContrDoppio();
    EXPECT_EQ(f.label1(1402).Visible(), c.segno);
  }
  f.MostraPdcDicIntenti(true, false);
  EXPECT_EQ(f.lab(310).Caption(), demo::kDescDicIntenti1);
  EXPECT_EQ(f.lab(319).Caption(), "479,66");
  for (const std::string& codice : {std::string("O'Neil"), std::string("%"), std::string(300, '9')}) {
    f.txt(310).SetText(codice);
    f.MostraPdcDicIntenti(true, false);
    EXPECT_EQ(f.lab(310).Caption(), aiuti::kInesistente);
    f.txt(950).SetText(codice);
    bool modif = true, fuoco = false, aiuto = false;
    f.MostraVettore(modif, fuoco, aiuto);
    EXPECT_EQ(f.txt(960).Text(), aiuti::kInesistente);
  }
  EXPECT_TRUE(messaggi_.empty()) << messaggi_.front();
}

// ------------------------------------------------------------ odd codes

TEST_F(Decod, CodesNoMasterCanHoldAreReportedAsMissingWithoutSqlErrors) {
  const std::string lungo(300, 'A'), cifre(300, '9');
  const std::string codici[] = {"O'Neil", "'", "''; drop table Banche; --", "*", "A*", "?", "A?B", "%", "1%",
                                "\"", "[x]", "\\", lungo, cifre};
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  f.mbDicIntentiTest = true;
  for (const std::string& codice : codici) {
    SCOPED_TRACE(codice.substr(0, 20) + " (" + std::to_string(codice.size()) + ")");
    bool modif = true, fuoco = false, aiuto = false;
    struct Campo {
      int codice;
      const char* controllo;
      int descrizione;
      std::function<void()> chiama;
    };
    const Campo campi[] = {
        {250, "lab", 250, [&] { f.MostraBanca(modif, aiuto); }},
        {270, "lab", 270, [&] { f.MostraIva(modif, aiuto); }},
        {560, "lab", 560, [&] { f.MostraLingua(modif, aiuto); }},
        {290, "lab", 290, [&] { f.MostraMagazzino(290, modif, aiuto); }},
        {480, "lab", 480, [&] { f.MostraAgente(480, 481, 490, modif, aiuto); }},
        {800, "txt", 810, [&] { f.MostraDestinazione(modif, fuoco, aiuto); }},
        {950, "txt", 960, [&] { f.MostraVettore(modif, fuoco, aiuto); }},
        {1060, "txt", 1070, [&] { f.MostraCauTrasp(modif, fuoco, aiuto); }},
        {1090, "txt", 1100, [&] { f.MostraAspetto(modif, fuoco, aiuto); }},
        {1120, "txt", 1130, [&] { f.MostraResa(modif, fuoco, aiuto); }},
        {1150, "txt", 1160, [&] { f.MostraTrasporto(modif, fuoco, aiuto); }},
        {1400, "lab", 1400, [&] { f.MostraContratto(modif); }},
        {310, "lab", 310, [&] { f.MostraPdcDicIntenti(true, false); }},
    };
    for (const Campo& k : campi) {
      SCOPED_TRACE(k.codice);
      f.txt(k.codice).SetText(codice);
      EXPECT_NO_THROW(k.chiama());
      EXPECT_EQ(f.C(k.controllo, k.descrizione).Caption(), aiuti::kInesistente);
      EXPECT_EQ(f.txt(k.codice).BackColor(), G().glColoreErrore);
    }
    EXPECT_TRUE(messaggi_.empty()) << messaggi_.front();
    messaggi_.clear();
  }
}

TEST_F(Decod, AnEmptiedCodeSendsTheUserToTheFirstOwnBoxOnlyWhenAsked) {
  frmDdtTest& f = Mostra(demo::kDdtModificabile);
  f.C("TasPagine").SetSelectedTab(4);
  for (bool fuoco : {false, true}) {
    SCOPED_TRACE(fuoco);
    f.txt(30).SetFocus();
    f.txt(950).SetText("");
    f.txt(970).SetText("Padroncino Bianchi");
    bool modif = true, aiuto = false;
    f.MostraVettore(modif, fuoco, aiuto);
    EXPECT_EQ(f.ActiveControl() == &f.txt(960), fuoco);
  }
}

}  // namespace
