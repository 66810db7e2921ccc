// Declarations of intent: the exemption text and the used amounts.
#include <string>
#include <vector>

#include "PiedeProva.h"
#include "fiscal/DichIntenti.h"

namespace prova {
namespace {

TEST(BloccoCondizionato, KeepsOrDropsEveryBlock) {
  struct Caso {
    const char* testo;
    const char* tag;
    bool tieni;
    const char* atteso;
  };
  const Caso casi[] = {
      {"a§M1§b§/M1§c", "M1", true, "abc"},
      {"a§M1§b§/M1§c", "M1", false, "ac"},
      {"§Mn§x§/Mn§-§Mn§y§/Mn§", "Mn", true, "x-y"},
      {"§Mn§x§/Mn§-§Mn§y§/Mn§", "Mn", false, "-"},
      {"a§m-ul§b§/M-UL§c", "M-UL", false, "ac"},  // markers in any letter case
      {"a§M1§b", "M1", false, "a§M1§b"},           // no closing marker: left alone
      // A closing marker before its opening one is not taken for it.
      {"x§/M1§y§M1§z§/M1§w", "M1", true, "x§/M1§yzw"},
      {"x§/M1§y§M1§z§/M1§w", "M1", false, "x§/M1§yw"},
  };
  for (const auto& c : casi) {
    EXPECT_EQ(DichIntenti::GestBloccoCond(c.testo, c.tag, c.tieni), c.atteso) << c.testo << " " << c.tieni;
  }
}

class Dichiarazioni : public PiedeProva {
 protected:
  void Dichiarazione(int codice, const Campi& sopra = {}) {
    Inserisci("PdcDicIntenti",
              {{"Gruppo", "01"}, {"Mastro", "02"}, {"Conto", "0003"}, {"PdcDicIntenti", codice}, {"Attivo", "S"},
               {"Descrizione", "Dich " + std::to_string(codice)}, {"ProtRicezione", ""},
               {"DataRicAE", vb::Date::FromYmd(2024, 1, codice)}, {"NrPrgIntenti", 10 + codice},
               {"DataRicComIntenti", vb::Date::FromYmd(2024, 2, codice)}, {"NrDichIntenti", 100 + codice},
               {"DataDichIntenti", vb::Date::FromYmd(2024, 3, codice)},
               {"ImportoDichIntenti", C("1000") * static_cast<int64_t>(codice)},
               {"DataDAIntenti", vb::Date::FromYmd(2024, 1, 1)}, {"DataAIntenti", vb::Date::FromYmd(2024, 12, 31)},
               {"RifComunicIntenti", 1}},
              sopra);
  }

  std::string Testo(int codice, const std::string& dicCliente = "", double* importo = nullptr) {
    double imp = -1;
    vb::Variant t = DichIntenti::TestoDichIntenti("01", "02", "0003", dicCliente, "DichIntentiTab", "", imp,
                                                  vb::Variant(codice));
    if (importo) *importo = imp;
    return t.ToString();
  }
};

const std::string kEsenzione = "Oper. non imponib.ai sensi ART.8/C DPR 633/72 e succ.mod.";

TEST_F(Dichiarazioni, DefaultTemplate) {
  Dichiarazione(1);
  Dichiarazione(2);
  Dichiarazione(3, {{"Attivo", "N"}});
  double importo = 0;
  EXPECT_EQ(Testo(0, "", &importo),
            kEsenzione + "\r\nVostra dich. nr.101 del  01/03/2024 - Nostra Reg. 11 del 01/02/2024\r\n" +
                "Vostra dich. nr.102 del  02/03/2024 - Nostra Reg. 12 del 02/02/2024");
  EXPECT_DOUBLE_EQ(importo, 3000);
  // One declaration asked by its code, active or not.
  EXPECT_EQ(Testo(3, "", &importo), kEsenzione + "\r\nVostra dich. nr.103 del  03/03/2024 - Nostra Reg. 13 del 03/02/2024");
  EXPECT_DOUBLE_EQ(importo, 3000);
  // With a protocol number the template has no repeated block.
  Sql("Update PdcDicIntenti Set ProtRicezione = 'P-77'");
  const std::string una = kEsenzione + "\r\nProtocollo ricezione agenzia delle entrate: P-77";
  EXPECT_EQ(Testo(0, "", &importo), una + una);
  EXPECT_DOUBLE_EQ(importo, 3000);
}

TEST_F(Dichiarazioni, NoUsableDeclaration) {
  Dichiarazione(1, {{"Attivo", "N"}});
  EXPECT_EQ(Testo(0), "NO");
  // A code the customer does not have: the customer's own row answers.
  Sql("Update PianoConti Set DicIntenti = 'Lettera del 5/1'");
  Param("Fat.MessDichIntenti", "Esente:");
  ParPers("Fatture", "DichIntentiDopo", "(fine)");
  EXPECT_EQ(Testo(9), "Esente: Lettera del 5/1 (fine)");
  Sql("Update PianoConti Set DicIntenti = Null, NrPrgIntenti = 44, NrDichIntenti = 7, "
      "DataDichIntenti = #2024-04-02#, DataRicComIntenti = #2024-04-03#, ImportoDichIntenti = 5000");
  ParPers("Fatture", "DichIntentiTesto", "Dich. §NrDich§ del §DtDich§, reg. §NrRic§ del §DtRic§");
  double importo = 0;
  EXPECT_EQ(Testo(9, "", &importo), "Dich. 7 del 02/04/2024, reg. 44 del 03/04/2024");
  EXPECT_DOUBLE_EQ(importo, 5000);
  Sql("Update PianoConti Set NrPrgIntenti = 0");
  EXPECT_EQ(Testo(9), "NO");
}

TEST_F(Dichiarazioni, TemplatesAndBlocks) {
  Dichiarazione(1, {{"RifComunicIntenti", 2}});
  Dichiarazione(2);
  Dichiarazione(4);
  // The customer's own template, between two "§".
  EXPECT_EQ(Testo(1, "§N.§NrDich§ del §DtDich§ §Importo§§"), "N.101 del 01/03/2024 1.000,00");
  // Blocks by number and place, and by reference kind.
  ParPers("Fatture", "DichIntentiTab",
          "§M0§una§/M0§§Mn§più§/Mn§:§RigIni§§M1§[§/M1§§Codice§§Rif2§r2§/Rif2§§M-UL§,§/M-UL§§MUL§]§/MUL§§RigFin§");
  EXPECT_EQ(Testo(0), "più:[1r2,2,4]");
  EXPECT_EQ(Testo(2), "una:2");
  // A span between two "£" gives way to the customer's "£" text.
  ParPers("Fatture", "DichIntentiTab", "Inizio £parte£ fine §Codice§");
  EXPECT_EQ(Testo(2, "£altro£"), "Inizio altro fine 2");
  EXPECT_EQ(Testo(2, "qualsiasi"), "Inizio parte fine 2");
  // A repeat end standing before its start is not taken for it.
  ParPers("Fatture", "DichIntentiTab", "§RigFin§A§RigIni§<§Codice§>§RigFin§Z");
  EXPECT_EQ(Testo(0), "§RigFin§A<1><2><4>Z");
}

TEST_F(Dichiarazioni, WithoutTheTable) {
  Sql("Drop Table PdcDicIntenti");
  db_->Motore(conn_).AzzeraCatalogo();
  Sql("Update PianoConti Set DicIntenti = 'Lettera'");
  EXPECT_EQ(Testo(0), " Lettera ");
  EXPECT_TRUE(messaggi_.empty());
}

class Utilizzato : public PiedeProva {
 protected:
  void Documento(const std::string& tipo, long num, const char* totDoc, const char* merce, const char* iva,
                 const char* impon, const Campi& sopra = {}) {
    const std::string tab = tipo == "F" ? "FatTest" : tipo == "D" ? "DdtTest" : "OrdVenTest";
    Campi c = {{"TotDocum", C(totDoc)}, {"TotMerce", C(merce)}, {"TotIva", C(iva)}, {"TotImpon", C(impon)},
               {"PdcDicIntenti", 1}, {"Stato", vb::Null}};
    for (const auto& s : sopra) c.push_back(s);
    Testata(num, c, tab);
  }

  void Usati(double& f, double& d, double& o, bool forza = true, int16_t codice = 1) {
    DichIntenti::CalcUtilizzatoDich(codice, "01", "02", "0003", f, d, o, forza);
  }
};

TEST_F(Utilizzato, DocumentTotalsAndTheirKinds) {
  Documento("F", 1, "1270", "1000", "220", "1000");
  Documento("F", 2, "122", "100", "22", "100", {{"FattDocumento", "RES"}});
  Documento("F", 3, "99", "99", "0", "99", {{"PdcDicIntenti", 2}});  // another declaration
  Documento("D", 1, "610", "500", "110", "500", {{"Stato", "S"}});
  Documento("D", 2, "1000", "1000", "0", "1000", {{"Stato", "E"}});  // evaded: counts in the invoice
  Documento("D", 3, "30.005", "25", "5", "25");
  Documento("O", 1, "200", "200", "0", "200");
  Documento("O", 2, "300", "300", "0", "300", {{"Stato", "X"}});
  struct Caso {
    const char* impostazione;
    double fatture, ddt, ordini;
  };
  const Caso casi[] = {{"D", 1148, 640.01, 200}, {"x", 1148, 640.01, 200}, {"E", 50, 0.01, 0}};
  for (const auto& c : casi) {
    SCOPED_TRACE(c.impostazione);
    DichIntenti::AzzeraMemoria();
    ParPers("Tutti", "DichIntentiQualeTot", c.impostazione);
    double f = -1, d = -1, o = -1;
    Usati(f, d, o);
    EXPECT_NEAR(f, c.fatture, 1e-9);
    EXPECT_NEAR(d, c.ddt, 1e-9);
    EXPECT_NEAR(o, c.ordini, 1e-9);
  }
  EXPECT_TRUE(messaggi_.empty());
}

TEST_F(Utilizzato, GoodsNetOfThePaymentDiscount) {
  ParPers("Tutti", "DichIntentiQualeTot", "m");
  // Without a payment discount: the stored goods, signed.
  Documento("F", 1, "1220", "1000", "220", "1000");
  Documento("F", 2, "122", "100", "22", "100", {{"FattDocumento", "RES"}});
  // With one: recomputed, then signed and filtered like the others.
  Documento("F", 3, "0", "0", "0", "0", {{"ScontoPag", "2"}});
  Riga(3, 1, "22", "500", {}, "FatDett");
  Documento("F", 4, "0", "0", "0", "0", {{"ScontoPag", "2"}, {"FattDocumento", "RES"}});
  Riga(4, 1, "22", "100", {}, "FatDett");
  Documento("D", 5, "0", "0", "0", "0", {{"ScontoPag", "2"}, {"Stato", "E"}});  // evaded: not counted
  Riga(5, 1, "22", "700");
  Documento("D", 6, "0", "0", "0", "0", {{"ScontoPag", "2"}, {"Stato", "S"}});
  Riga(6, 1, "22", "300");
  double f = -1, d = -1, o = -1;
  Usati(f, d, o);
  EXPECT_NEAR(f, 1000 - 100 + 490 - 98, 1e-9);
  EXPECT_NEAR(d, 294, 1e-9);
  EXPECT_NEAR(o, 0, 1e-9);  // no order at all: a Null sum is nothing used
  EXPECT_TRUE(messaggi_.empty());
}

TEST_F(Utilizzato, RememberedAmounts) {
  Documento("F", 1, "100", "100", "0", "100");
  double f = -1, d = -1, o = -1;
  Usati(f, d, o, false);
  EXPECT_NEAR(f, 100, 1e-9);
  Sql("Update FatTest Set TotDocum = 200");
  Usati(f, d, o, false);  // same keys, not forced: remembered
  EXPECT_NEAR(f, 100, 1e-9);
  Usati(f, d, o, true);
  EXPECT_NEAR(f, 200, 1e-9);
  f = d = o = -5;
  Usati(f, d, o, true, 0);  // code 0: amounts cleared, outputs left alone
  EXPECT_EQ(f, -5);
  Usati(f, d, o, false, 0);
  EXPECT_EQ(f, 0);
}

}  // namespace
}  // namespace prova
