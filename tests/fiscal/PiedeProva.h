#pragma once
// A small company for the footer tests: a real SQLite file with the
// company schema, the masters the footer reads (currencies, VAT codes,
// document types, payment terms, stamp table, expense codes, one customer)
// and helpers that write the rows of one document. Company and personal
// parameters come from maps; messages are collected instead of shown.
#include <gtest/gtest.h>

#include "services/DittaProva.h"

#include <initializer_list>
#include <ostream>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "common/Globali.h"
#include "fiscal/DichIntenti.h"
#include "fiscal/scCalcPiedeFat.h"
#include "platform/Currency.h"
#include "platform/FunzioniComuni.h"
#include "platform/MsgBox.h"
#include "platform/Testo.h"
#include "platform/dati/GestDatabase.h"
#include "platform/dati/Schema.h"
#include "support/CartellaTemp.h"

namespace vb {
// Amounts in test failures as the program writes them.
inline void PrintTo(const Currency& c, std::ostream* os) { *os << c.ToString(); }
}  // namespace vb

namespace prova {

using Campi = std::vector<std::pair<std::string, vb::Variant>>;

inline vb::Currency C(const char* testo) { return vb::Currency::FromText(testo, true); }

// The services' company fixture, with the footer's own master data and the
// declarations-of-intent memory cleared around each test.
class PiedeProva : public DittaProva {
 protected:
  static constexpr int16_t kAnno = 2024;

  void SetUp() override {
    DittaProva::SetUp();
    DichIntenti::AzzeraMemoria();
    Anagrafiche();
  }

  void TearDown() override {
    DichIntenti::AzzeraMemoria();
    DittaProva::TearDown();
  }

  static std::string Letterale(const vb::Variant& v) {
    const auto& fc = vb::FunzioniComuni::Istanza();
    if (v.IsNull() || v.IsEmpty()) return "Null";
    switch (v.VarType()) {
      case vb::vbString: return fc.ValoreSql(v, vb::vbString);
      case vb::vbDate: return fc.ValoreSql(v, vb::vbDate);
      case vb::vbCurrency: return fc.ValoreSql(v, vb::vbCurrency);
      case vb::vbDouble:
      case vb::vbSingle: return fc.ValoreSql(v, vb::vbDouble);
      default: return fc.ValoreSql(v, vb::vbLong);
    }
  }

  // One row; `sopra` replaces or adds to the defaults.
  void Inserisci(const std::string& tabella, Campi campi, const Campi& sopra = {}) {
    for (const auto& [n, v] : sopra) {
      bool trovato = false;
      for (auto& [n2, v2] : campi)
        if (vb::UgualeTesto(n, n2)) {
          v2 = v;
          trovato = true;
        }
      if (!trovato) campi.emplace_back(n, v);
    }
    std::string colonne, valori;
    for (const auto& [n, v] : campi) {
      colonne += (colonne.empty() ? "" : ", ") + n;
      valori += (valori.empty() ? "" : ", ") + Letterale(v);
    }
    Sql("Insert Into " + tabella + " (" + colonne + ") Values (" + valori + ")");
  }

  // ---- the masters
  void Anagrafiche() {
    Inserisci("Monete", {{"Moneta", "Euro"}, {"Descrizione", "Euro"}, {"NumDec", 2}, {"NumDecGest", 3}});
    Inserisci("Monete", {{"Moneta", "L."}, {"Descrizione", "Lire"}, {"NumDec", 0}, {"NumDecGest", 0}});
    Inserisci("Monete", {{"Moneta", "USD"}, {"Descrizione", "Dollaro"}, {"NumDec", 2}, {"NumDecGest", 3}});
    Inserisci("Monete", {{"Moneta", "JPY3"}, {"Descrizione", "Tre decimali"}, {"NumDec", 3}, {"NumDecGest", 3}});
    Iva("22", 22, "1", "Iva 22%");
    Iva("10", 10, "1", "Iva 10%");
    Iva("4", 4, "1", "Iva 4%");
    Iva("E10", 0, "3", "Esente art.10", "S");
    Iva("ENB", 0, "2", "Non imponibile", "N");
    Iva("E15", 0, "4", "Escluso art.15", "S");
    Iva("FC", 0, "1", "Fuori campo");
    Inserisci("FattDocumenti", {{"FattDocumento", "DDT"}, {"Descrizione", "Ddt"}, {"Segno", "+"}});
    Inserisci("FattDocumenti", {{"FattDocumento", "RES"}, {"Descrizione", "Reso"}, {"Segno", "-"}});
    Inserisci("FattDocumenti",
              {{"FattDocumento", "MAR"}, {"Descrizione", "Margine"}, {"Segno", "+"}, {"RegimeMargine", "S"}});
    Inserisci("PagTipi", {{"PagTipo", "RD"}, {"TipoEffetto", "0"}, {"AddBolli", "N"}});
    Inserisci("PagTipi", {{"PagTipo", "RB"}, {"TipoEffetto", "1"}, {"AddBolli", "S"}});
    Inserisci("PagTipi", {{"PagTipo", "TR"}, {"TipoEffetto", "3"}, {"AddBolli", "S"}});
    Pagamento("RD", "RD", 0);
    Pagamento("RB1", "RB", 1);
    Pagamento("RB2", "RB", 2);
    Pagamento("TR1", "TR", 1);
    Pagamento("TR3", "TR", 3);
    Inserisci("PianoConti", {{"Gruppo", "01"}, {"Mastro", "02"}, {"Conto", "0003"}, {"Descrizione", "Cliente"},
                             {"RagSoc", "Cliente Prova"}});
    Inserisci("TaBolli", {{"CodEseBollo", "E15"},
                          {"GruppoBol", "60"},
                          {"MastroBol", "02"},
                          {"ContoBol", "0003"},
                          {"PercBolloTratte", 1.0},
                          {"MaxNoBollo", C("77.47")},
                          {"MaxNoBolloLire", C("150000")},
                          {"BolloEsente", C("2")},
                          {"BolloEsenteLire", C("4000")},
                          {"Arrotond", C("0.1")},
                          {"ArrotondLire", C("100")},
                          {"Sca1BolRB", C("100")},
                          {"Sca2BolRB", C("500")},
                          {"Sca3BolRB", C("1000")},
                          {"Sca4BolRB", C("0")},
                          {"Sca5BolRB", C("0")},
                          {"Bollo1RB", C("1")},
                          {"Bollo2RB", C("2")},
                          {"Bollo3RB", C("3")},
                          {"Bollo4RB", C("4")},
                          {"Bollo5RB", C("5")}});
  }

  void Iva(const std::string& codice, double aliquota, const std::string& tipo, const std::string& descr,
           const std::string& applBolloEse = "") {
    Inserisci("TabIva", {{"Iva", codice},
                         {"Descrizione", descr},
                         {"DescrizioneBreve", codice},
                         {"DescrMemo", "memo " + codice},
                         {"Aliquota", aliquota},
                         {"TipoIva", tipo},
                         {"ApplBolloEse", applBolloEse}});
  }

  void Pagamento(const std::string& codice, const std::string& tipo, int numScad, const Campi& sopra = {}) {
    Inserisci("Pagamenti",
              {{"Pagamento", codice}, {"Descrizione", codice}, {"PagTipo", tipo}, {"NumScad", numScad},
               {"Decorrenza", "F"}, {"Periodicita", "M"}, {"TrattamIva", ""}, {"GiornoFisso", 0}, {"NumGGMM", 1}},
              sopra);
  }

  // An expense code: kind, VAT charge ("R" apportioned), account.
  void CodiceSpesa(const std::string& codice, const std::string& tipo, const Campi& sopra = {}) {
    Inserisci("Spese",
              {{"Spesa", codice}, {"Descrizione", "Spesa " + codice}, {"TipoAddebito", tipo}, {"AddebitoIva", "N"},
               {"Iva", "22"}, {"Moneta", "Euro"}, {"Gruppo", "60"}, {"Mastro", "02"}, {"Conto", "0001"},
               {"RifStampa", codice}, {"SoggScontoPagam", "N"}, {"CassaPrev", "N"}},
              sopra);
  }

  // ---- one document (DDT tables unless told)
  void Testata(long numRif, const Campi& sopra = {}, const std::string& tabella = "DdtTest") {
    Inserisci(tabella,
              {{"Anno", kAnno}, {"NumRif", numRif}, {"DataRif", vb::Date::FromYmd(kAnno, 5, 20)},
               {"FattDocumento", "DDT"}, {"GruppoCli", "01"}, {"MastroCli", "02"}, {"ContoCli", "0003"},
               {"Moneta", "Euro"}, {"Pagamento", "RD"}, {"PrezziIvati", "N"}, {"Acconto", C("0")},
               {"PercRitAcc", 0.0}, {"Stato", ""}},
              sopra);
  }

  // A line of kind "A" of amount `importo` (quantity 1) under VAT `iva`.
  void Riga(long numRif, int rigDet, const std::string& iva, const char* importo, const Campi& sopra = {},
            const std::string& tabella = "DdtDett") {
    Inserisci(tabella,
              {{"Anno", kAnno}, {"NumRif", numRif}, {"RigDet", rigDet}, {"RigLiv", rigDet}, {"TipoRiga", "A"},
               {"Articolo", "ART" + std::to_string(rigDet)}, {"Qta", 1.0}, {"ValUnitario", C(importo)},
               {"ValTotale", C(importo)}, {"Iva", iva}, {"GruppoVen", "60"}, {"MastroVen", "01"},
               {"ContoVen", "0001"}, {"Omaggio", "N"}, {"FlScontoPag", "S"}, {"SoggRitAcc", "N"}},
              sopra);
  }

  void Spesa(long numRif, int riga, const std::string& codice, const Campi& sopra = {},
             const std::string& tabella = "DdtSpese") {
    Inserisci(tabella,
              {{"Anno", kAnno}, {"NumRif", numRif}, {"Riga", riga}, {"Spesa", codice}, {"Iva", "22"},
               {"Importo", C("0")}, {"ImportoMin", C("0")}, {"ImportoMax", C("0")}, {"Percentuale", 0.0},
               {"SoggRitAcc", "N"}},
              sopra);
  }

  // The footer of a DDT over the committed tables.
  std::unique_ptr<scCalcPiedeFat> Piede(long numRif, bool errNoDett = false,
                                        const vb::Variant& addBolli = vb::Missing, double percRitAcc = -1) {
    auto p = std::make_unique<scCalcPiedeFat>();
    p->osTabTesta = "DdtTest";
    p->osTabDett = "DdtDett";
    p->osTabLiv = "DdtLiv";
    p->osTabSpese = "DdtSpese";
    p->obErrNoDett = errNoDett;
    p->CalcPiedeFat(kAnno, numRif, false, percRitAcc, addBolli);
    return p;
  }
};

}  // namespace prova
