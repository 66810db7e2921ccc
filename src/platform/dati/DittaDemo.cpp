#include "platform/dati/DittaDemo.h"
#include "platform/dati/DittaDemo_Lotti.h"

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/Currency.h"
#include "platform/Date.h"
#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/Variant.h"
#include "platform/dati/GestDatabase.h"
#include "platform/dati/GestRecordset.h"
#include "platform/dati/Motore.h"

namespace dati {

namespace {

using namespace demo;
using vb::Variant;

// ---------------------------------------------------------------- literals
// Every value reaches the statement as the program's own literals do, so the
// demo exercises the same translation as the program.

std::string Tx(std::string_view s) {
  return vb::FunzioniComuni::Istanza().ValoreSql(Variant(std::string(s)), vb::vbString);
}
std::string In(long n) {
  return vb::FunzioniComuni::Istanza().ValoreSql(Variant(static_cast<int>(n)), vb::vbInteger);
}
std::string Lg(long n) {
  return vb::FunzioniComuni::Istanza().ValoreSql(Variant(static_cast<int>(n)), vb::vbLong);
}
std::string Nu(double d) { return vb::FunzioniComuni::Istanza().ValoreSql(Variant(d), vb::vbDouble); }
// An amount given in hundredths (cents of euro): exact, never through a Double.
std::string Ce(int64_t centesimi) {
  return vb::FunzioniComuni::Istanza().ValoreSql(Variant(vb::Currency::FromRaw(centesimi * 100)),
                                                  vb::vbDouble);
}
// "yyyy-mm-dd"
std::string Dt(std::string_view iso) {
  const int a = std::stoi(std::string(iso.substr(0, 4)));
  const int m = std::stoi(std::string(iso.substr(5, 2)));
  const int g = std::stoi(std::string(iso.substr(8, 2)));
  return vb::FunzioniComuni::Istanza().ValoreSql(Variant(vb::Date::FromYmd(a, m, g)), vb::vbDate);
}
// A time of day, held as the legacy did: a date on the zero day.
std::string Ora(int ore, int minuti) {
  return vb::FunzioniComuni::Istanza().ValoreSql(
      Variant(vb::Date::FromYmdHms(1899, 12, 30, ore, minuti, 0)), vb::vbDate);
}
const std::string kNull = "Null";
std::string TxN(std::string_view s) { return s.empty() ? kNull : Tx(s); }

// ---------------------------------------------------------------- money
// Amounts in hundredths of a euro; the lira side at the fixed rate, whole
// lire, halves away from zero.
int64_t Cent(double euro) { return static_cast<int64_t>(euro * 100 + (euro < 0 ? -0.5 : 0.5)); }
int64_t Lire(int64_t centesimi) {
  const int64_t p = centesimi * 193627;  // rate 1936.27 in hundredths
  return p >= 0 ? (p + 5000) / 10000 : -((-p + 5000) / 10000);
}
std::string LireSql(int64_t centesimi) { return Ce(Lire(centesimi) * 100); }

// Quantity x price x each (100 - discount) %, rounded to the cent.
int64_t Netto(int64_t prezzo, int qta, const std::vector<int>& sconti) {
  int64_t num = prezzo * qta, den = 1;
  for (int s : sconti) {
    num *= 100 - s;
    den *= 100;
  }
  return num >= 0 ? (num + den / 2) / den : -((-num + den / 2) / den);
}

std::vector<int> Percentuali(const std::string& catena) {
  std::vector<int> v;
  size_t i = 0;
  while (i < catena.size()) {
    size_t j = catena.find('+', i);
    if (j == std::string::npos) j = catena.size();
    if (j > i) v.push_back(std::stoi(catena.substr(i, j - i)));
    i = j + 1;
  }
  return v;
}

std::string Catena(std::initializer_list<std::string_view> parti) {
  std::string s;
  for (auto p : parti) {
    if (p.empty()) continue;
    if (!s.empty()) s += "+";
    s += p;
  }
  return s;
}

// ---------------------------------------------------------------- writing

class Scrittura {
 public:
  Scrittura(GestDatabase& db, const std::string& chiave) : db_(db), chiave_(chiave) {}
  void Riga(const std::string& tabella, const std::vector<std::string>& colonne,
            const std::vector<std::string>& valori) {
    if (colonne.size() != valori.size())
      vb::Solleva(vb::ErrChiamataNonValida, "Riga di " + tabella + " con " + std::to_string(valori.size()) +
                                                " valori per " + std::to_string(colonne.size()) + " colonne");
    std::string c, v;
    for (size_t i = 0; i < colonne.size(); ++i) {
      if (i) {
        c += ", ";
        v += ", ";
      }
      c += colonne[i];
      v += valori[i];
    }
    db_.EseguiSql(chiave_, "INSERT INTO " + tabella + " (" + c + ") VALUES (" + v + ")");
  }
  void Esegui(const std::string& sql) { db_.EseguiSql(chiave_, sql); }

 private:
  GestDatabase& db_;
  std::string chiave_;
};

// Rows of one table with one column list.
class Righe {
 public:
  Righe(Scrittura& s, std::string tabella, std::vector<std::string> colonne)
      : s_(s), tabella_(std::move(tabella)), colonne_(std::move(colonne)) {}
  void operator()(const std::vector<std::string>& valori) { s_.Riga(tabella_, colonne_, valori); }

 private:
  Scrittura& s_;
  std::string tabella_;
  std::vector<std::string> colonne_;
};

// ---------------------------------------------------------------- masters

struct AliquotaIva {
  const char* codice;
  int aliquota;
  bool esente;
};
const AliquotaIva kIve[] = {{kIva22, 22, false}, {kIva10, 10, false}, {kIva4, 4, false},
                    {kIvaEsente, 0, true}, {kIvaNonImponibile, 0, true}, {kIvaEsclusa, 0, true}};
const AliquotaIva& DatiIva(std::string_view codice) {
  for (const auto& i : kIve)
    if (codice == i.codice) return i;
  vb::Solleva(vb::ErrChiamataNonValida, "Codice IVA sconosciuto: " + std::string(codice));
}

void Valute(Scrittura& s) {
  Righe m(s, "Monete", {"Moneta", "Descrizione", "NumDec", "NumDecGest", "Operatore", "Cee"});
  m({Tx(kEuro), Tx("Euro"), In(kDecimaliEuro), In(kDecimaliGestEuro), Tx("*"), Tx("S")});
  m({Tx(kLira), Tx("Lire italiane"), In(kDecimaliLira), In(0), Tx("/"), Tx("S")});
  m({Tx(kDollaro), Tx("Dollaro USA"), In(2), In(3), Tx("*"), Tx("N")});
  // The dollar floats: its rate is the latest one on or before a date.
  Righe c(s, "CambiMonete", {"Moneta", "DataCambio", "Cambio"});
  c({Tx(kDollaro), Dt("2026-01-02"), Nu(1.0351)});
  c({Tx(kDollaro), Dt("2026-06-01"), Nu(1.0824)});
  c({Tx(kDollaro), Dt("2026-11-02"), Nu(1.1573)});

  // Rounding bands of converted amounts: finer for small amounts.
  Righe l(s, "ArrotLire", {"FinoA", "ValArrot", "TipoArrot"});
  l({Nu(1000), Nu(1), Tx("A")});
  l({Nu(100000), Nu(10), Tx("A")});
  l({Nu(999999999999.0), Nu(100), Tx("A")});
  Righe e(s, "ArrotEuro", {"FinoA", "ValArrot", "TipoArrot"});
  e({Nu(10), Nu(0.01), Tx("A")});
  e({Nu(1000), Nu(0.05), Tx("A")});
  e({Nu(999999999.0), Nu(0.1), Tx("S")});

  Righe st(s, "Stati", {"Stato", "Iso", "Cee"});
  st({Tx("IT"), Tx("IT"), Tx("S")});
  st({Tx("DE"), Tx("DE"), Tx("S")});
  st({Tx("FR"), Tx("FR"), Tx("S")});
  st({Tx("CH"), Tx("CH"), Tx("N")});
}

void Iva(Scrittura& s) {
  Righe t(s, "TabIva",
          {"Iva", "Descrizione", "DescrizioneBreve", "DescrMemo", "Aliquota", "TipoIva", "ApplBolloEse",
           "IvaMargine"});
  t({Tx(kIva22), Tx("Aliquota ordinaria 22%"), Tx("Iva 22%"), kNull, Nu(22), Tx("0"), Tx("N"), Nu(0)});
  t({Tx(kIva10), Tx("Aliquota ridotta 10%"), Tx("Iva 10%"), kNull, Nu(10), Tx("0"), Tx("N"), Nu(0)});
  t({Tx(kIva4), Tx("Aliquota minima 4%"), Tx("Iva 4%"), kNull, Nu(4), Tx("0"), Tx("N"), Nu(0)});
  t({Tx(kIvaEsente), Tx("Esente art. 10 DPR 633/72"), Tx("Esente art.10 (N4)"),
     Tx("Operazione esente ai sensi dell'art. 10, comma 1, n. 20 del DPR 633/72 - Natura N4"), Nu(0), Tx("3"),
     Tx("S"), Nu(0)});
  t({Tx(kIvaNonImponibile), Tx("Non imponibile art. 41 DL 331/93"), Tx("N.I. art.41 (N3.2)"),
     Tx("Cessione intracomunitaria non imponibile ai sensi dell'art. 41 DL 331/93 - Natura N3.2"), Nu(0),
     Tx("2"), Tx("N"), Nu(0)});
  t({Tx(kIvaEsclusa), Tx("Escluso art. 15 DPR 633/72"), Tx("Escl. art.15 (N1)"),
     Tx("Escluso dalla base imponibile ai sensi dell'art. 15 DPR 633/72 - Natura N1"), Nu(0), Tx("4"),
     Tx("N"), Nu(0)});

  // Stamp duty: 2 euro on an exempt invoice above 77.47; bank receipts
  // carry no stamp up to 77.47.
  const int64_t soglia = Cent(77.47), bollo = Cent(2.00);
  const int64_t massimo = 9999999999999;
  s.Riga("TaBolli",
         {"CodEseBollo", "GruppoBol", "MastroBol", "ContoBol", "PercBolloTratte", "MaxNoBollo", "MaxNoBolloLire",
          "BolloEsente", "BolloEsenteLire", "Arrotond", "ArrotondLire", "Sca1BolRB", "Sca2BolRB", "Sca3BolRB",
          "Sca4BolRB", "Sca5BolRB", "Sca1BolRBLire", "Sca2BolRBLire", "Sca3BolRBLire", "Sca4BolRBLire",
          "Sca5BolRBLire", "Bollo1RB", "Bollo2RB", "Bollo3RB", "Bollo4RB", "Bollo5RB", "Bollo1RBLire",
          "Bollo2RBLire", "Bollo3RBLire", "Bollo4RBLire", "Bollo5RBLire"},
         {Tx(kIvaEsclusa), Tx(kGruppoRicavi), Tx(kMastroRimborsi), Tx(kContoRimborsoBolli), Nu(12), Ce(soglia),
          LireSql(soglia), Ce(bollo), LireSql(bollo), Ce(Cent(0.10)), Ce(10000), Ce(soglia), Ce(massimo),
          Ce(massimo), Ce(massimo), Ce(massimo), LireSql(soglia), Ce(massimo), Ce(massimo), Ce(massimo),
          Ce(massimo), Ce(0), Ce(bollo), Ce(bollo), Ce(bollo), Ce(bollo), Ce(0), LireSql(bollo),
          LireSql(bollo), LireSql(bollo), LireSql(bollo)});
}

void Pagamenti(Scrittura& s) {
  Righe t(s, "PagTipi", {"PagTipo", "TipoEffetto", "AddBolli"});
  t({Tx("RD"), Tx("0"), Tx("N")});
  t({Tx(kPagTipoRiba), Tx("1"), Tx("S")});
  t({Tx("BB"), Tx("2"), Tx("N")});
  t({Tx("TR"), Tx("3"), Tx("S")});

  std::vector<std::string> col = {"Pagamento", "Descrizione", "NotaFissa", "Spesa", "NumScad", "PagTipo",
                                  "Sconto", "Decorrenza", "Periodicita", "TrattamIva", "GiornoFisso", "NumGGMM"};
  for (int i = 1; i <= 12; ++i) col.push_back("Periodo" + std::to_string(i));
  for (int i = 1; i <= 12; ++i) col.push_back("Percentuale" + std::to_string(i));
  Righe p(s, "Pagamenti", col);
  auto riga = [&p](const char* cod, const char* descr, const char* spesa, int numScad, const char* tipo,
                   const char* sconto, const char* decorrenza, const char* periodicita, const char* trattIva,
                   int numGGMM, std::vector<int> periodi) {
    std::vector<std::string> v = {Tx(cod), Tx(descr), kNull, TxN(spesa), In(numScad), Tx(tipo), TxN(sconto),
                                  TxN(decorrenza), TxN(periodicita), TxN(trattIva), In(0), In(numGGMM)};
    periodi.resize(12, 0);
    for (int x : periodi) v.push_back(In(x));
    for (int i = 0; i < 12; ++i) v.push_back(Nu(0));
    p(v);
  };
  riga(kPagRimessaDiretta, "Rimessa diretta", "", 1, "RD", "", "", "G", "", 0, {});
  riga(kPagRiba30, "Ri.Ba. 30 gg fine mese", kSpesaIncasso, 1, kPagTipoRiba, "", "F", "M", "", 1, {});
  riga(kPagRiba3060, "Ri.Ba. 30/60 gg fine mese", kSpesaIncasso, 2, kPagTipoRiba, "", "F", "M", "", 1, {});
  riga(kPagBonifico60, "Bonifico bancario 60 gg data fattura", "", 1, "BB", "", "", "G", "", 60, {});
  riga(kPagRiba3Rate, "Ri.Ba. 30/60/90 gg d.f., IVA sulla prima rata", kSpesaIncasso, 3, kPagTipoRiba, "", "",
       "A", "P", 0, {30, 30, 30});
  riga(kPagScontoCassa, "Rimessa diretta con sconto 2%", "", 1, "RD", "2", "", "G", "", 0, {});

  Righe b(s, "Banche", {"Banca", "Descrizione"});
  b({Tx(kBanca1), Tx("Banca Popolare di Verona - Ag. 3 Borgo Trento")});
  b({Tx("B02"), Tx("Cassa di Risparmio del Veneto - Sede di Mantova")});

  Righe n(s, "NoteFisse", {"NotaFissa", "SuEvasione"});
  n({Tx("N1"), Tx("S")});
  n({Tx("N2"), Tx("N")});

  // Expenses: fixed amounts (any letter but P, S, T) unless stated.
  Righe sp(s, "Spese",
           {"Spesa", "Descrizione", "TipoAddebito", "AddebitoIva", "Iva", "Moneta", "Percentuale", "Importo",
            "ImportoMin", "ImportoMax", "ImportoLire", "ImportoMinLire", "ImportoMaxLire", "SoggRitAcc",
            "CassaPrev", "Standard", "Gruppo", "Mastro", "Conto", "RifStampa", "SoggScontoPagam"});
  sp({Tx(kSpesaTrasporto), Tx("Spese di trasporto"), Tx("F"), Tx("N"), Tx(kIva22), Tx(kEuro), Nu(0),
      Ce(Cent(15.00)), Ce(0), Ce(0), LireSql(Cent(15.00)), Ce(0), Ce(0), Tx("N"), Tx("N"), Tx("N"),
      Tx(kGruppoRicavi), Tx(kMastroRimborsi), Tx(kContoRimborsoTrasporto), Tx("TR"), Tx("N")});
  sp({Tx(kSpesaIncasso), Tx("Spese di incasso Ri.Ba."), Tx("F"), Tx("N"), Tx(kIva22), Tx(kEuro), Nu(0),
      Ce(Cent(2.50)), Ce(0), Ce(0), LireSql(Cent(2.50)), Ce(0), Ce(0), Tx("N"), Tx("N"), Tx("N"),
      Tx(kGruppoRicavi), Tx(kMastroRimborsi), Tx(kContoRimborsoIncasso), Tx("IN"), Tx("N")});
  sp({Tx(kSpesaImballo), Tx("Imballo 3% sulla merce (min. 5, max. 50)"), Tx("P"), Tx("N"), Tx(kIva22), Tx(kEuro),
      Nu(3), Ce(0), Ce(Cent(5)), Ce(Cent(50)), Ce(0), LireSql(Cent(5)), LireSql(Cent(50)), Tx("N"), Tx("N"),
      Tx("N"), Tx(kGruppoRicavi), Tx(kMastroRimborsi), Tx(kContoRimborsoTrasporto), Tx("IM"), Tx("S")});
}

// ---- accounts

struct Conto {
  const char* gruppo = kGruppoClienti;
  const char* mastro = kMastroClienti;
  const char* conto = "";
  const char* tipo = "3";
  const char* ragSoc = "";
  const char* ragSoc2 = "";
  const char* indirizzo = "";
  const char* cap = "";
  const char* localita = "";
  const char* pr = "";
  const char* stato = "IT";
  const char* telefono = "";
  const char* partIva = "";
  const char* codFisc = "";
  const char* email = "";
  const char* listino = "";
  const char* pagamento = "";
  const char* pagamento2 = "";
  const char* sconto = "";
  const char* banca = "";
  const char* iva = "";
  const char* spesa = "";
  const char* speseBan = "N";
  const char* agente1 = "";
  double provv1 = 0;
  const char* tipoProvv = "N";
  const char* categoria = "";
  const char* zona = "";
  const char* indSped = "";
  const char* resa = "";
  const char* vettore = "";
  const char* lingua = "";
  const char* note = "";
  int meseNoEf1 = 0;
  int gioMesSucc1 = 0;
  const char* rischio = "N";
  double fido = 0;
};

// Customers, suppliers and the ledger accounts the masters point to.
const Conto kConti[] = {
    {.conto = kClienteSede, .ragSoc = "Velnor Demo Srl", .ragSoc2 = "Trasferimenti tra magazzini",
     .indirizzo = "Via dell'Artigianato 21", .cap = "37135", .localita = "Verona", .pr = "VR",
     .partIva = "04567890231", .listino = kListinoVendita, .pagamento = kPagRimessaDiretta},
    {.conto = kCliente1, .ragSoc = "Ferramenta Rossi Srl", .indirizzo = "Via Roma 15", .cap = "37121",
     .localita = "Verona", .pr = "VR", .telefono = "045 8012345", .partIva = "01234560237",
     .email = "ordini@ferramentarossi.it", .listino = kListinoVendita, .pagamento = kPagRiba30,
     .banca = kBanca1, .spesa = kSpesaTrasporto, .agente1 = kAgente1, .provv1 = 5,
     .tipoProvv = "G", .categoria = kCategoriaDettaglianti, .zona = "NE", .indSped = kIndSped,
     .resa = kResaFrancoDestino, .vettore = kVettore1, .note = "Consegna solo al mattino, dalle 8 alle 12",
     .meseNoEf1 = 8, .gioMesSucc1 = 10, .rischio = "S", .fido = 5000},
    {.conto = kCliente2, .ragSoc = "Boutique Eleganza", .ragSoc2 = "di Neri Anna",
     .indirizzo = "Corso Porta Nuova 40", .cap = "37122", .localita = "Verona", .pr = "VR",
     .telefono = "045 8009876", .partIva = "02345670238", .listino = kListinoVendita,
     .pagamento = kPagRiba3060, .sconto = "10", .banca = kBanca1, .speseBan = "S",
     .categoria = kCategoriaRivenditori, .zona = "NE", .resa = kResaFrancoDestino, .vettore = kVettore2},
    {.conto = kCliente3, .ragSoc = "Alimentari Bianchi Snc", .ragSoc2 = "di Bianchi Luca & C.",
     .indirizzo = "Via Garibaldi 7", .cap = "46100", .localita = "Mantova", .pr = "MN",
     .telefono = "0376 321456", .partIva = "03456780204", .listino = kListinoVendita,
     .pagamento = kPagRimessaDiretta, .sconto = kScontoCliente3, .agente1 = kAgente2, .provv1 = 3, .tipoProvv = "C",
     .categoria = kCategoriaDettaglianti, .zona = "LOM", .indSped = kIndSped},
    {.conto = kCliente4, .ragSoc = "Verdi Mario", .indirizzo = "Via Mazzini 3", .cap = "37010",
     .localita = "Affi", .pr = "VR", .codFisc = "VRDMRA80A01A061X", .listino = kListinoIvato,
     .pagamento = kPagRimessaDiretta, .categoria = "PRI", .zona = "NE"},
    {.conto = kCliente5, .ragSoc = "Alpen Handel GmbH", .indirizzo = "Maximilianstrasse 12", .cap = "80539",
     .localita = "München", .stato = "DE", .partIva = "DE123456789", .listino = kListinoRivenditori,
     .pagamento = kPagBonifico60, .iva = kIvaNonImponibile, .categoria = kCategoriaRivenditori,
     .lingua = "DE"},
    {.gruppo = kGruppoFornitori, .mastro = kMastroFornitori, .conto = kFornitore1, .tipo = "2",
     .ragSoc = "Utensilerie Lombarde Spa", .indirizzo = "Viale Monza 120", .cap = "20127",
     .localita = "Milano", .pr = "MI", .partIva = "05678900157", .pagamento = kPagBonifico60},
    {.gruppo = kGruppoFornitori, .mastro = kMastroFornitori, .conto = kFornitore2, .tipo = "2",
     .ragSoc = "Oleificio del Garda Srl", .indirizzo = "Via Gardesana 44", .cap = "37011",
     .localita = "Bardolino", .pr = "VR", .partIva = "06789010236", .pagamento = kPagBonifico60},
    {.gruppo = kGruppoFornitori, .mastro = kMastroFornitori, .conto = kFornitore3, .tipo = "2",
     .ragSoc = "Maglificio Trevigiano Srl", .indirizzo = "Via Feltrina 210", .cap = "31100",
     .localita = "Treviso", .pr = "TV", .partIva = "07890120265", .pagamento = kPagBonifico60},
    {.gruppo = kGruppoRicavi, .mastro = kMastroRicavi, .conto = kContoRicaviMerci, .tipo = "1",
     .ragSoc = "Ricavi vendita merci", .stato = ""},
    {.gruppo = kGruppoRicavi, .mastro = kMastroRicavi, .conto = kContoRicaviServizi, .tipo = "1",
     .ragSoc = "Ricavi prestazioni di servizi", .stato = ""},
    {.gruppo = kGruppoRicavi, .mastro = kMastroRimborsi, .conto = kContoRimborsoTrasporto, .tipo = "1",
     .ragSoc = "Rimborso spese di trasporto", .stato = ""},
    {.gruppo = kGruppoRicavi, .mastro = kMastroRimborsi, .conto = kContoRimborsoIncasso, .tipo = "1",
     .ragSoc = "Rimborso spese di incasso", .stato = ""},
    {.gruppo = kGruppoRicavi, .mastro = kMastroRimborsi, .conto = kContoRimborsoBolli, .tipo = "1",
     .ragSoc = "Rimborso spese bolli", .stato = ""},
    {.gruppo = "70", .mastro = "01", .conto = "0001", .tipo = "1", .ragSoc = "Acquisti di merci", .stato = ""},
};

const Conto& Cliente(std::string_view conto) {
  for (const auto& c : kConti)
    if (std::string_view(c.gruppo) == kGruppoClienti && conto == c.conto) return c;
  vb::Solleva(vb::ErrChiamataNonValida, "Cliente sconosciuto: " + std::string(conto));
}

void Conti(Scrittura& s) {
  Righe p(s, "PianoConti",
          {"Gruppo", "Mastro", "Conto", "Tipo", "Descrizione", "RagSoc", "RagSoc2", "Indirizzo", "CAP", "Localita",
           "Pr", "Stato", "Telefono", "PartIva", "CodFisc", "Email", "Listino", "Pagamento", "Pagamento2",
           "Sconto", "Banca", "Iva", "Bolli", "SpeseBan", "Spesa", "Agente1", "Agente2", "Provv1", "Provv2",
           "TipoProvv", "TipoProvv2", "RagDDT", "PrezzoDDT", "Rischio", "Fido", "IndSped", "RagRb", "IvaSosp",
           "Resa", "Vettore", "Categoria", "Lingua", "RagOrd", "Zona", "NoteCF", "PercRitAcc", "CassaPrev",
           "CdcObblig", "MeseNoEf1", "MeseNoEf2", "GioMesSucc1", "GioMesSucc2", "PercRicListClie"});
  for (const auto& c : kConti) {
    const bool intestatario = std::string_view(c.tipo) != "1";
    const std::string siNo = intestatario ? "N" : "";
    p({Tx(c.gruppo), Tx(c.mastro), Tx(c.conto), Tx(c.tipo), Tx(c.ragSoc), Tx(c.ragSoc), TxN(c.ragSoc2),
       TxN(c.indirizzo), TxN(c.cap), TxN(c.localita), TxN(c.pr), TxN(c.stato), TxN(c.telefono), TxN(c.partIva),
       TxN(c.codFisc), TxN(c.email), TxN(c.listino), TxN(c.pagamento), TxN(c.pagamento2), TxN(c.sconto),
       TxN(c.banca), TxN(c.iva), TxN(siNo), intestatario ? Tx(c.speseBan) : kNull, TxN(c.spesa),
       TxN(c.agente1), kNull, Nu(c.provv1), Nu(0), intestatario ? Tx(c.tipoProvv) : kNull, TxN(siNo),
       intestatario ? Tx("S") : kNull, intestatario ? Tx("S") : kNull, intestatario ? Tx(c.rischio) : kNull,
       Ce(Cent(c.fido)), TxN(c.indSped), TxN(siNo), TxN(siNo), TxN(c.resa), TxN(c.vettore),
       TxN(c.categoria), TxN(c.lingua), TxN(siNo), TxN(c.zona), TxN(c.note), Nu(0), TxN(siNo), TxN(siNo),
       In(c.meseNoEf1), In(0), In(c.gioMesSucc1), In(0), Nu(0)});
  }

  Righe d(s, "IndSped",
          {"Gruppo", "Mastro", "Conto", "IndSped", "Tipo", "RagSoc", "RagSoc2", "Indirizzo", "CAP", "Localita", "Pr",
           "Stato"});
  d({Tx(kGruppoClienti), Tx(kMastroClienti), Tx(kCliente1), Tx(kIndSped), Tx("3"), Tx("Ferramenta Rossi Srl"),
     Tx("Magazzino"), Tx("Via dell'Industria 8"), Tx("37139"), Tx("Verona"), Tx("VR"), Tx("IT")});
  d({Tx(kGruppoClienti), Tx(kMastroClienti), Tx(kCliente3), Tx(kIndSped), Tx("3"), Tx("Alimentari Bianchi Snc"),
     Tx("Punto vendita di Suzzara"), Tx("Piazza Castello 3"), Tx("46029"), Tx("Suzzara"), Tx("MN"), Tx("IT")});

  // Payments due: one still open and overdue, one already paid.
  Righe sc(s, "Scadenze",
           {"GruppoScad", "MastroScad", "ContoScad", "Tipo", "DataScad", "NumRegPag", "DataRegPag",
            "EntrataUscita", "ImportoScadLire", "ImportoScadEuro"});
  sc({Tx(kGruppoClienti), Tx(kMastroClienti), Tx(kCliente1), Tx("3"), Dt("2026-09-30"), kNull, kNull, Tx("E"),
      LireSql(Cent(320.00)), Ce(Cent(320.00))});
  sc({Tx(kGruppoClienti), Tx(kMastroClienti), Tx(kCliente1), Tx("3"), Dt("2026-08-31"), Lg(15), Dt("2026-09-02"),
      Tx("E"), LireSql(Cent(180.00)), Ce(Cent(180.00))});
}

struct Vettore {
  const char* codice;
  const char* ragSoc;
  const char* indirizzo;
  const char* cap;
  const char* localita;
  const char* pr;
  const char* targa;
};
const Vettore kVettori[] = {
    {kVettore1, "Trasporti Veloci Srl", "Via dell'Industria 12", "37135", "Verona", "VR", "FR123XY"},
    {kVettore2, "Corriere Espresso Nord Spa", "Via Emilia 300", "40132", "Bologna", "BO", "GH456ZK"},
};

// Code + description masters of the header, kept here for the header's
// stored descriptions as well.
struct Voce {
  const char* tabella;
  const char* codice;
  const char* descrizione;
};
const Voce kVoci[] = {
    {"CauTrasporti", kCauVendita, "Vendita"},
    {"CauTrasporti", "02", "Conto visione"},
    {"CauTrasporti", "03", "Reso"},
    {"CauTrasporti", kCauTrasferimento, "Trasferimento tra magazzini"},
    {"CauTrasporti", "05", "Conto lavorazione"},
    {"AspettoBeni", kAspettoScatole, "Scatole"},
    {"AspettoBeni", "02", "Cartoni"},
    {"AspettoBeni", "03", "Sfuso"},
    {"AspettoBeni", "04", "Bancale"},
    {"Trasporti", kTrasportoMittente, "Mittente"},
    {"Trasporti", "02", "Destinatario"},
    {"Trasporti", kTrasportoVettore, "Vettore"},
    {"Rese", kResaFrancoDestino, "Franco destino"},
    {"Rese", "02", "Franco partenza"},
    {"Rese", "03", "Porto assegnato"},
    {"Lingue", kLinguaInglese, "Inglese"},
    {"Lingue", "DE", "Tedesco"},
    {"Magazzini", kMagCentrale, "Magazzino centrale di Verona"},
    {"Magazzini", kMagNegozio, "Negozio di Verona centro"},
    {"Magazzini", kMagDeposito, "Deposito di Mantova"},
};

std::string Descrizione(std::string_view tabella, std::string_view codice) {
  for (const auto& v : kVoci)
    if (tabella == v.tabella && codice == v.codice) return v.descrizione;
  return {};
}

void Anagrafiche(Scrittura& s) {
  const std::map<std::string, std::string> chiavi = {{"CauTrasporti", "CauTrasporto"},
                                                     {"AspettoBeni", "AspettoBene"},
                                                     {"Trasporti", "Trasporto"},
                                                     {"Rese", "Resa"},
                                                     {"Lingue", "Lingua"},
                                                     {"Magazzini", "Magazzino"}};
  for (const auto& v : kVoci)
    s.Riga(v.tabella, {chiavi.at(v.tabella), "Descrizione"}, {Tx(v.codice), Tx(v.descrizione)});

  Righe ve(s, "Vettori", {"Vettore", "RagSoc", "Indirizzo", "CAP", "Localita", "Pr", "Targa"});
  for (const auto& v : kVettori)
    ve({Tx(v.codice), Tx(v.ragSoc), Tx(v.indirizzo), Tx(v.cap), Tx(v.localita), Tx(v.pr), Tx(v.targa)});

  Righe ag(s, "Agenti", {"Agente", "RagSoc", "Provv"});
  ag({Tx(kAgente1), Tx("Ferri Marco"), Nu(5)});
  ag({Tx(kAgente2), Tx("Conti Laura"), Nu(3)});

  Righe z(s, "Zona", {"Zona", "Sconto", "ScontoLire"});
  z({Tx("NE"), Ce(0), Ce(0)});
  z({Tx("LOM"), Ce(0), Ce(0)});

  s.Riga("Contratti", {"Contratto", "Descrizione", "CIG", "CUP"},
         {Tx("CT2026-01"), Tx("Fornitura annuale minuteria metallica"), Tx("Z1A2B3C4D5"), kNull});

  // Commission cut by the size of a rule's discount.
  Righe sp(s, "ScontiProvv", {"APartireDa", "PercRidProvv"});
  sp({Nu(10), Nu(20)});
  sp({Nu(20), Nu(50)});

  s.Riga("0Rad_FileDaOrdi", {"GruppoFor", "MastroFor", "ContoFor", "File"},
         {Tx(kGruppoFornitori), Tx(kMastroFornitori), Tx(kFornitore1), Tx("UtensilerieLombarde.doc")});
}

void Magazzino(Scrittura& s) {
  Righe c(s, "MagCausali",
          {"MagCausale", "Descrizione", "QualeImporto", "TipoMov", "CarScar", "Segno", "Prov", "Dest",
           "QualeProgrQta", "AggMedioCar", "ValorizzScarico", "AggMedioPon", "AggCostoUlt", "AcqVen",
           "RipartSpese"});
  c({Tx(kCausaleCarico), Tx("Carico da fornitore"), Tx("U"), Tx("N"), Tx("C"), Tx("+"), Tx("F"), Tx("M"), In(0),
     Tx("S"), Tx("S"), Tx("S"), Tx("S"), Tx("A"), Tx("N")});
  c({Tx(kCausaleVendita), Tx("Scarico per vendita"), Tx("L"), Tx("N"), Tx("S"), Tx("+"), Tx("M"), Tx("C"), In(0),
     Tx("N"), Tx("S"), Tx("N"), Tx("N"), Tx("V"), Tx("N")});
  c({Tx(kCausaleTrasferimento), Tx("Trasferimento tra magazzini"), Tx("M"), Tx("I"), Tx("S"), Tx("+"), Tx("M"),
     Tx("M"), In(0), Tx("N"), Tx("N"), Tx("N"), Tx("N"), kNull, Tx("N")});
  c({Tx(kCausaleReso), Tx("Reso da cliente"), Tx("L"), Tx("N"), Tx("C"), Tx("+"), Tx("C"), Tx("M"), In(0),
     Tx("N"), Tx("S"), Tx("N"), Tx("N"), Tx("V"), Tx("N")});
  c({Tx(kCausaleInventario), Tx("Giacenza iniziale"), Tx("M"), Tx("V"), Tx("C"), Tx("+"), Tx("M"), Tx("M"), In(0),
     Tx("S"), Tx("N"), Tx("S"), Tx("N"), kNull, Tx("N")});

  Righe d(s, "FattDocumenti",
          {"FattDocumento", "Descrizione", "Tipo", "MagCausale", "MagCausaleRientro", "DoveStampoDesLung",
           "PrezzoDDT", "Listino", "TabSconti", "Segno", "RegimeMargine", "Interno", "Pagamento", "GgScadCli",
           "AFornitore", "PrefBolle", "MagProposto", "NumNota1", "NumNota2", "NumNota3", "FattDocEvasione"});
  d({Tx(kDocDdt), Tx("Documento di trasporto"), Tx("B"), Tx(kCausaleVendita), kNull, Tx("S"), Tx("S"), kNull,
     Tx("0"), Tx("+"), Tx("N"), Tx("N"), kNull, Lg(30), Tx("3"), kNull, Tx(kMagCentrale), kNull, kNull, kNull,
     Tx(kDocFattura)});
  d({Tx(kDocDdtInterno), Tx("DDT di trasferimento tra magazzini"), Tx("B"), Tx(kCausaleTrasferimento), kNull,
     Tx("S"), Tx("N"), kNull, Tx("0"), Tx("+"), Tx("N"), Tx("S"), kNull, Lg(0), Tx("3"), Tx("T"),
     Tx(kMagCentrale), kNull, kNull, kNull, kNull});
  d({Tx(kDocFattura), Tx("Fattura differita"), Tx("F"), kNull, kNull, Tx("S"), Tx("S"), kNull, Tx("0"), Tx("+"),
     Tx("N"), Tx("N"), kNull, Lg(0), Tx("3"), kNull, Tx(kMagCentrale), kNull, kNull, kNull, kNull});
  d({Tx(kDocOrdine), Tx("Ordine cliente"), Tx("O"), kNull, kNull, Tx("S"), Tx("S"), kNull, Tx("0"), Tx("+"),
     Tx("N"), Tx("N"), kNull, Lg(0), Tx("3"), kNull, Tx(kMagCentrale), kNull, kNull, kNull, Tx(kDocDdt)});
}

// ---- articles

struct Articolo {
  const char* codice;
  const char* descrizione;
  const char* barCode;
  const char* um;
  const char* livGruppo1;
  const char* livGruppo2;
  int flagLivLis;
  const char* iva;
  const char* contoVen;      // account under kGruppoRicavi / kMastroRicavi
  const char* fornitore;     // habitual supplier under kGruppoFornitori / kMastroFornitori
  const char* gruppo;
  const char* sottoGruppo;
  const char* lotti;         // GestRintraccia
  const char* gestMag;       // ArtMag
  double peso;
  double scortaMinima;
  double costo;              // last cost of the year (euro)
};
const Articolo kArticoli[] = {
    {kArticoloViti, "Viti inox M4x10 (confezione da 100 pz)", kBarCodeViti, "CF", "", "", 0, kIva22,
     kContoRicaviMerci, kFornitore1, "FERR", "VITI", "N", "S", 0.35, 100, 7.80},
    {kArticoloTaglie, "Maglia girocollo in lana merino", kBarCodeMaglia, "PZ", kGruppoTaglie, kGruppoColori, 0,
     kIva22, kContoRicaviMerci, kFornitore3, "ABB", "MAGL", "N", "S", 0.30, 0, 18.50},
    {kArticoloUnLivello, "Pantalone chino in cotone", kBarCodePantaloni, "PZ", kGruppoTaglie, "", 1, kIva22,
     kContoRicaviMerci, kFornitore3, "ABB", "PANT", "N", "S", 0.45, 0, 15.50},
    {kArticoloMatricole, "Trapano avvitatore a batteria 18V", kBarCodeTrapano, "PZ", "", "", 0, kIva22,
     kContoRicaviMerci, kFornitore1, "UTEL", "TRAP", "N", "S", 2.10, 1, 95.00},
    {kArticoloLotti, "Olio extravergine di oliva del Garda DOP 5 l", kBarCodeOlio, "PZ", "", "", 0, kIva4,
     kContoRicaviMerci, kFornitore2, "ALIM", "OLIO", "S", "S", 4.80, 10, 28.00},
    {kArticoloPromo, "Biscotti al burro 500 g", kBarCodeBiscotti, "CF", "", "", 0, kIva10, kContoRicaviMerci,
     kFornitore2, "ALIM", "DOLC", "N", "S", 0.55, 24, 1.60},
    {kArticoloEsente, "Corso HACCP per alimentaristi (8 ore)", "", "NR", "", "", 0, kIvaEsente,
     kContoRicaviServizi, "", "SERV", "CORS", "N", "N", 0, 0, 0},
};

const Articolo& DatiArticolo(std::string_view codice) {
  for (const auto& a : kArticoli)
    if (codice == a.codice) return a;
  vb::Solleva(vb::ErrChiamataNonValida, "Articolo sconosciuto: " + std::string(codice));
}

struct Prezzo {
  const char* articolo;
  const char* listino;
  const char* livello1;
  const char* inizio;
  double prezzo;
};
const Prezzo kPrezzi[] = {
    {kArticoloViti, kListinoVendita, "", "2025-01-01", 11.90},
    {kArticoloViti, kListinoVendita, "", kInizioListini, 12.50},
    {kArticoloViti, kListinoIvato, "", kInizioListini, 15.25},
    {kArticoloViti, kListinoRivenditori, "", kInizioListini, 11.00},
    {kArticoloTaglie, kListinoVendita, "", kInizioListini, 35.00},
    {kArticoloTaglie, kListinoIvato, "", kInizioListini, 42.70},
    {kArticoloUnLivello, kListinoVendita, kTagliaS, kInizioListini, 29.00},
    {kArticoloUnLivello, kListinoVendita, kTagliaM, kInizioListini, 29.00},
    {kArticoloUnLivello, kListinoVendita, kTagliaL, kInizioListini, 32.00},
    {kArticoloUnLivello, kListinoVendita, kTagliaXL, kInizioListini, 32.00},
    {kArticoloUnLivello, kListinoIvato, kTagliaS, kInizioListini, 35.38},
    {kArticoloUnLivello, kListinoIvato, kTagliaM, kInizioListini, 35.38},
    {kArticoloUnLivello, kListinoIvato, kTagliaL, kInizioListini, 39.04},
    {kArticoloUnLivello, kListinoIvato, kTagliaXL, kInizioListini, 39.04},
    {kArticoloMatricole, kListinoVendita, "", kInizioListini, 149.00},
    {kArticoloMatricole, kListinoIvato, "", kInizioListini, 181.78},
    {kArticoloLotti, kListinoVendita, "", kInizioListini, 42.00},
    {kArticoloLotti, kListinoIvato, "", kInizioListini, 43.68},
    {kArticoloPromo, kListinoVendita, "", kInizioListini, 3.20},
    {kArticoloPromo, kListinoIvato, "", kInizioListini, 3.52},
    {kArticoloEsente, kListinoVendita, "", kInizioListini, 180.00},
    {kArticoloEsente, kListinoIvato, "", kInizioListini, 180.00},
};

struct Livello {
  const char* gruppo;
  const char* codice;
  const char* descrizione;
  const char* barCode;
};
const Livello kLivelli[] = {
    {kGruppoTaglie, kTagliaS, "Small", "01"},        {kGruppoTaglie, kTagliaM, "Medium", "02"},
    {kGruppoTaglie, kTagliaL, "Large", "03"},        {kGruppoTaglie, kTagliaXL, "Extra large", "04"},
    {kGruppoColori, kColoreBlu, "Blu notte", "001"}, {kGruppoColori, kColoreNero, "Nero", "002"},
    {kGruppoColori, kColoreRosso, "Rosso", "003"},
};

void Articoli(Scrittura& s) {
  // The units of measure the articles are counted in.
  Righe um(s, "UnitaMisura", {"UM", "Descrizione"});
  for (const auto& [codice, descrizione] : {std::pair{"PZ", "Pezzi"}, {"CF", "Confezioni"}, {"NR", "Numero"}})
    um({Tx(codice), Tx(descrizione)});
  Righe g(s, "LivGruppi", {"LivGruppo", "Descrizione", "LunCodBarre"});
  g({Tx(kGruppoTaglie), Tx("Taglia"), In(2)});
  g({Tx(kGruppoColori), Tx("Colore"), In(3)});
  Righe l(s, "Livelli", {"Livello", "Descrizione", "LivBarCode"});
  Righe c(s, "LivComp", {"LivGruppo", "Livello"});
  for (const auto& v : kLivelli) {
    l({Tx(v.codice), Tx(v.descrizione), Tx(v.barCode)});
    c({Tx(v.gruppo), Tx(v.codice)});
  }

  Righe a(s, "Articoli",
          {"Articolo", "Descrizione", "DesLunga", "BarCode", "ArtUM", "ArtUMAcq", "ArtUMVen", "FatConAcq",
           "FatConVen", "LivGruppo1", "LivGruppo2", "IvaVendite", "IvaAcquisti", "FlagLivLis", "Sconto",
           "Provvigione", "PezziPerConf", "GruppoMerVen", "MastroMerVen", "ContoMerVen", "GruppoMerVenSoci",
           "MastroMerVenSoci", "ContoMerVenSoci", "GruppoMerAcq", "MastroMerAcq", "ContoMerAcq", "GruppoForAb",
           "MastroForAb", "ContoForAb", "ArtGruppo", "ArtSottoGru", "Segnalazione", "Settore",
           "GestRintraccia", "Cauzione", "Inattivo", "ScortaMinima", "PesoLordo", "ArtMag"});
  for (const auto& x : kArticoli) {
    const bool merce = std::string_view(x.gestMag) == "S";
    const bool forn = *x.fornitore != '\0';
    a({Tx(x.codice), Tx(x.descrizione), kNull, TxN(x.barCode), Tx(x.um), Tx(x.um), Tx(x.um), Nu(1), Nu(1),
       TxN(x.livGruppo1), TxN(x.livGruppo2), Tx(x.iva), Tx(x.iva),
       In(x.flagLivLis), kNull, Nu(0), Nu(1), Tx(kGruppoRicavi), Tx(kMastroRicavi), Tx(x.contoVen),
       Tx(kGruppoRicavi), Tx(kMastroRicavi), Tx(x.contoVen), merce ? Tx("70") : kNull, merce ? Tx("01") : kNull,
       merce ? Tx("0001") : kNull, forn ? Tx(kGruppoFornitori) : kNull, forn ? Tx(kMastroFornitori) : kNull,
       TxN(x.fornitore), Tx(x.gruppo), Tx(x.sottoGruppo), Tx("N"), Tx(merce ? "S" : "N"), Tx(x.lotti), Tx("N"),
       Tx("N"), Nu(x.scortaMinima), Nu(x.peso), Tx(x.gestMag)});
  }

  Righe lg(s, "ArtLingue", {"Articolo", "Lingua", "DesLunga"});
  lg({Tx(kArticoloViti), Tx(kLinguaInglese), Tx("Stainless steel screws M4x10 (pack of 100)")});
  lg({Tx(kArticoloViti), Tx("DE"), Tx("Edelstahlschrauben M4x10 (Packung mit 100 Stk.)")});

  // Price lists: article rows take the list's discount and mode ("L", empty).
  Righe li(s, "Listini", {"Listino", "Descrizione", "Moneta", "Ivato", "ScoSomSost", "Sconto"});
  li({Tx(kListinoVendita), Tx("Listino di vendita"), Tx(kEuro), Tx("N"), Tx("M"), kNull});
  li({Tx(kListinoIvato), Tx("Listino al pubblico IVA inclusa"), Tx(kEuro), Tx("S"), Tx("M"), kNull});
  li({Tx(kListinoRivenditori), Tx("Listino rivenditori"), Tx(kEuro), Tx("N"), Tx("S"), Tx("5")});
  Righe al(s, "ArtListini",
           {"Articolo", "Listino", "Livello1", "Livello2", "DataInizio", "DataFine", "Prezzo", "PrezzoLire",
            "ScoSomSost", "Sconto"});
  for (const auto& p : kPrezzi) {
    const int64_t c = Cent(p.prezzo);
    const std::string fine = std::string_view(p.inizio) == kInizioListini ? "2026-12-31" : "2025-12-31";
    al({Tx(p.articolo), Tx(p.listino), Tx(*p.livello1 ? p.livello1 : kNessunLivello), Tx(kNessunLivello),
        Dt(p.inizio), Dt(fine), Ce(c), LireSql(c), Tx("L"), kNull});
  }
  s.Riga("ArtLisPromozioni",
         {"Articolo", "Listino", "Livello1", "Livello2", "DataInizioProm", "DataFineProm", "DataInizio",
          "DataFine", "PrezzoProm", "PrezzoLireProm", "ScontoClie", "MessProm", "Descrizione"},
         {Tx(kArticoloPromo), Tx(kListinoVendita), Tx(kNessunLivello), Tx(kNessunLivello), Dt(kInizioPromozione),
          Dt(kFinePromozione), Dt(kInizioPromozione), Dt(kFinePromozione), Ce(Cent(2.80)), LireSql(Cent(2.80)),
          Tx("N"), Tx("S"), Tx("Promozione di Natale: biscotti al burro a 2,80 euro")});

  // Discount rules. Table discounts: customer 1 on hardware, retailers on
  // food. Quantity discounts on the screws from 50 and from 100 boxes.
  const std::string tutti = Tx(kNessunLivello), tuttiGM = Tx("~ç");
  Righe sc(s, "Sconti",
           {"Articolo", "Gruppo", "Mastro", "Conto", "Tipo", "ArtGruppo", "ArtsottoGru", "Categoria", "Sconto",
            "Prezzo", "PrezzoLire", "PercRidProvv", "SommaSost"});
  sc({tutti, Tx(kGruppoClienti), Tx(kMastroClienti), Tx(kCliente1), Tx("3"), Tx("FERR"), tutti, tutti, Tx("5"),
      Ce(0), Ce(0), Nu(0), Tx("N")});
  sc({tutti, tuttiGM, tuttiGM, tutti, Tx("~"), Tx("ALIM"), tutti, Tx(kCategoriaDettaglianti), Tx("3"), Ce(0), Ce(0),
      Nu(0), Tx("N")});
  Righe sq(s, "ScoQua",
           {"Articolo", "Gruppo", "Mastro", "Conto", "ArtGruppo", "ArtsottoGru", "Categoria", "DaQuantita", "Sconto",
            "Prezzo", "PrezzoLire", "ScoTabSost", "ScoCliSost", "PercRidProvv"});
  sq({Tx(kArticoloViti), tuttiGM, tuttiGM, tutti, tutti, tutti, tutti, Nu(50), Tx("3"), Ce(0), Ce(0), Tx("N"),
      Tx("N"), Nu(0)});
  sq({Tx(kArticoloViti), tuttiGM, tuttiGM, tutti, tutti, tutti, tutti, Nu(100), Tx("5"), Ce(0), Ce(0), Tx("S"),
      Tx("N"), Nu(10)});

  Righe af(s, "ArticoliFor",
           {"Articolo", "Livello1", "Livello2", "GruppoFor", "MastroFor", "ContoFor", "DataUltAcq", "CostoUltimo",
            "UltUM", "Moneta"});
  for (const auto& x : kArticoli) {
    if (!*x.fornitore || std::string_view(x.livGruppo1) != "") continue;
    af({Tx(x.codice), tutti, tutti, Tx(kGruppoFornitori), Tx(kMastroFornitori), Tx(x.fornitore),
        Dt(std::string_view(x.fornitore) == kFornitore1 ? "2026-10-15" : "2026-10-20"), Ce(Cent(x.costo)),
        Tx(x.um), Tx(kEuro)});
  }

  Righe sm(s, "ArtScorte", {"Articolo", "Magazzino", "Livello1", "Livello2", "ScortaMinima"});
  sm({Tx(kArticoloViti), Tx(kMagCentrale), tutti, tutti, Nu(100)});
  sm({Tx(kArticoloLotti), Tx(kMagCentrale), tutti, tutti, Nu(10)});

  // Lots of the oil, owned by the supplier they came from.
  Righe lo(s, "Lotti",
           {"Lotto", "NrProgLotto", "Articolo", "GruppoCliFor", "MastroCliFor", "ContoCliFor", "DataScadenza",
            "Descrizione", "DataProduzione", "Chiuso"});
  lo({Tx(kLotto1), In(1), Tx(kArticoloLotti), Tx(kGruppoFornitori), Tx(kMastroFornitori), Tx(kFornitore2),
      Dt("2027-10-31"), Tx("Raccolta 2026 - partita 45"), Dt("2026-10-10"), Tx("A")});
  lo({Tx(kLotto2), In(1), Tx(kArticoloLotti), Tx(kGruppoFornitori), Tx(kMastroFornitori), Tx(kFornitore2),
      Dt("2027-11-30"), Tx("Raccolta 2026 - partita 52"), Dt("2026-10-18"), Tx("A")});
}

// ---------------------------------------------------------------- documents

struct RigaLiv {
  const char* livello1;
  const char* livello2;  // kNessunLivello for a one-level article
  int qta;
  double prezzo;
};

struct RigaDoc {
  int rigDet;
  long rigLiv;
  const char* tipo = "A";
  const char* articolo = "";
  const char* descrizione = "";  // defaults to the article's
  int qta = 0;
  double prezzo = 0;
  const char* scontoCli = "";
  const char* scontoTab = "";
  const char* scontoQuant = "";
  bool promozione = false;
  double provv1 = 0;
  std::vector<RigaLiv> livelli = {};
  std::vector<const char*> matricole = {};
  const char* lotto = "";
  long rigaOrdine = 0;  // line of kOrdineCliente it was taken from
};

struct SpesaDoc {
  int riga;
  const char* spesa;
  double importo;
};

struct Ddt {
  long numRif;
  const char* dataRif;
  const char* fattDocumento = kDocDdt;
  const char* stato = "";
  long numDoc = 0;
  const char* cliente = "";
  const char* listino = kListinoVendita;
  const char* scontoCli = "";
  const char* magazzDest = "";
  const char* indSped = "";
  const char* cauTrasporto = kCauVendita;
  const char* trasporto = kTrasportoVettore;
  const char* vettore = "";
  const char* rifCli = "";
  const char* nota = "";
  double colli = 0;
  double peso = 0;
  int oraInizio = 9;
  long numMovim = 0;
  std::vector<RigaDoc> righe = {};
  std::vector<SpesaDoc> spese = {};
};

// Amounts of a line and of its level rows.
struct Importi {
  int64_t totale = 0;
  std::vector<int64_t> livelli;
};

std::string ScontoTot(const RigaDoc& r) { return Catena({r.scontoCli, r.scontoQuant, r.scontoTab}); }

Importi Calcola(const RigaDoc& r) {
  Importi im;
  const std::vector<int> sconti = Percentuali(ScontoTot(r));
  if (r.livelli.empty()) {
    im.totale = Netto(Cent(r.prezzo), r.qta, sconti);
    return im;
  }
  for (const auto& l : r.livelli) {
    im.livelli.push_back(Netto(Cent(l.prezzo), l.qta, sconti));
    im.totale += im.livelli.back();
  }
  return im;
}

// The footer of a document, worked out as the footer engine does for prices
// net of VAT without payment discount: goods and expenses by VAT code, VAT
// per code rounded to the cent.
struct Piede {
  int64_t merce = 0, spese = 0, imponibile = 0, iva = 0, esente = 0;
  int64_t Documento() const { return imponibile + iva + esente; }
};

Piede CalcolaPiede(const Ddt& d) {
  std::map<std::string, int64_t> basi;
  Piede p;
  for (const auto& r : d.righe) {
    if (std::string_view(r.tipo) != "A") continue;
    const int64_t t = Calcola(r).totale;
    p.merce += t;
    basi[DatiArticolo(r.articolo).iva] += t;
  }
  for (const auto& sp : d.spese) {
    p.spese += Cent(sp.importo);
    basi[kIva22] += Cent(sp.importo);
  }
  for (const auto& [codice, base] : basi) {
    const auto& iva = DatiIva(codice);
    if (iva.esente) {
      p.esente += base;
    } else {
      p.imponibile += base;
      p.iva += (base * iva.aliquota + 50) / 100;
    }
  }
  return p;
}

const char* DataDoc(const Ddt& d) { return d.numDoc > 0 ? d.dataRif : ""; }

std::vector<std::string> ColonneTestata() {
  return {"Anno", "NumRif", "DataRif", "NumMovim", "AnnoMovim", "FattDocumento", "PreDoc", "NumDoc", "DataDoc",
          "Stato", "GruppoCli", "MastroCli", "ContoCli", "Tipo", "RifCli", "IvaSosp", "DaFatturare", "Listino",
          "PrezziIvati", "Moneta", "Cambio", "Pagamento", "RagRB", "RagOrd", "Banca", "Acconto", "ScontoCli",
          "ScontoPag", "ScoPagSuDett", "RagDDT", "PrezzoDDT", "MagazzProv", "MagazzDest", "TipoProvv",
          "TipoProvv2", "Agente1", "PercProvv1", "PercProvv2", "IndSped", "RagSoc", "RagSoc2", "IndirizzoSped",
          "CAPSped", "LocalitaSped", "PrSped", "StatoSped", "AspettoBene", "DescAspetto", "CauTrasporto",
          "DescCauTrasporto", "Resa", "DescResa", "Trasporto", "DescTrasporto", "Vettore", "RagSocVett",
          "IndirizzoVett", "CAPVett", "LocalitaVett", "PrVett", "TargaVett", "Nota", "StampoNota", "EvasioneNota",
          "DataInizioTrasp", "OraInizioTrasp", "Colli", "Peso", "Interno", "Provenienza", "PercRitAcc",
          "ImponRitAcc", "TotMerce", "TotSpese", "TotIva", "TotDocum", "TotImpon", "OrdAnno", "OrdNumRif",
          "Bolli"};
}

// The header of a DDT (or of the invoice that evaded it) with the shipping
// and carrier data copied from their masters, as the header stores them.
std::vector<std::string> ValoriTestata(const Ddt& d, long numRif, const char* fattDoc, const char* stato,
                                       const char* dataRif, long numDoc, const char* dataDoc, long numMovim) {
  const Conto& c = Cliente(d.cliente);
  const Piede p = CalcolaPiede(d);
  const bool interno = std::string_view(d.fattDocumento) == kDocDdtInterno;
  const bool daOrdine = [&d] {
    for (const auto& r : d.righe)
      if (r.rigaOrdine) return true;
    return false;
  }();
  std::string rs, rs2, ind, cap, loc, pr, st;
  if (*d.indSped) {
    if (std::string_view(d.cliente) == kCliente1) {
      rs = "Ferramenta Rossi Srl", rs2 = "Magazzino", ind = "Via dell'Industria 8", cap = "37139", loc = "Verona",
      pr = "VR", st = "IT";
    } else {
      rs = "Alimentari Bianchi Snc", rs2 = "Punto vendita di Suzzara", ind = "Piazza Castello 3", cap = "46029",
      loc = "Suzzara", pr = "MN", st = "IT";
    }
  }
  const Vettore* v = nullptr;
  for (const auto& x : kVettori)
    if (std::string_view(d.vettore) == x.codice) v = &x;
  const bool conPrezzi = !interno;
  return {In(kAnno), Lg(numRif), Dt(dataRif), numMovim ? Lg(numMovim) : kNull, numMovim ? In(kAnno) : kNull,
          Tx(fattDoc), kNull, numDoc ? Lg(numDoc) : kNull, *dataDoc ? Dt(dataDoc) : kNull, TxN(stato),
          Tx(c.gruppo), Tx(c.mastro), Tx(c.conto), Tx("3"), TxN(d.rifCli), Tx("N"), Tx(interno ? "N" : "S"),
          Tx(d.listino), Tx("N"), Tx(kEuro), Nu(1), Tx(c.pagamento), Tx("N"), Tx("N"), TxN(c.banca), Ce(0),
          TxN(d.scontoCli), kNull, Tx("N"), Tx("S"), Tx(conPrezzi ? "S" : "N"), Tx(kMagCentrale),
          TxN(d.magazzDest), Tx(c.tipoProvv), Tx("N"), TxN(c.agente1), Nu(c.provv1), Nu(0), TxN(d.indSped),
          TxN(rs), TxN(rs2), TxN(ind), TxN(cap), TxN(loc), TxN(pr), TxN(st), Tx(kAspettoScatole),
          Tx(Descrizione("AspettoBeni", kAspettoScatole)), Tx(d.cauTrasporto),
          Tx(Descrizione("CauTrasporti", d.cauTrasporto)), Tx(kResaFrancoDestino),
          Tx(Descrizione("Rese", kResaFrancoDestino)), Tx(d.trasporto), Tx(Descrizione("Trasporti", d.trasporto)),
          v ? Tx(v->codice) : kNull, v ? Tx(v->ragSoc) : kNull, v ? Tx(v->indirizzo) : kNull,
          v ? Tx(v->cap) : kNull, v ? Tx(v->localita) : kNull, v ? Tx(v->pr) : kNull, v ? Tx(v->targa) : kNull,
          TxN(d.nota), Tx("N"), Tx("N"), Dt(dataRif), Ora(d.oraInizio, 30), Nu(d.colli), Nu(d.peso),
          Tx(interno ? "S" : "N"), daOrdine ? Tx("O") : kNull, Nu(0), Ce(0), Ce(p.merce), Ce(p.spese), Ce(p.iva),
          Ce(p.Documento()), Ce(p.imponibile), daOrdine ? In(kAnno) : kNull,
          daOrdine ? Lg(kOrdineCliente) : kNull, Tx("N")};
}

std::vector<std::string> ColonneRiga() {
  return {"Anno", "NumRif", "RigDet", "RigLiv", "TipoRiga", "Articolo", "Descrizione", "Qta", "Colli", "UM",
          "FatCon", "ValUnitario", "ValTotale", "ValLire", "ValEuro", "FlScontoPag", "ScontoTot", "ScontoTab",
          "ScontoCli", "ScontoArt", "ScontoQuant", "Iva", "GruppoVen", "MastroVen", "ContoVen", "Omaggio",
          "Promozione", "PercProvv1", "PercProvv2", "DoveStampoDesLung", "NotaSopraStamp", "NotaSottoStamp",
          "TipoProv", "FattDocumentoProv", "AnnoRifProv", "NumRifProv", "RigaRifProv", "QtaProv", "SoggRitAcc",
          "StatoRiga"};
}

// A line of a DDT, invoice or order. An invoice line names the DDT line it
// came from (`ddtOrigine`); a DDT line may name the order line it took.
std::vector<std::string> ValoriRiga(const RigaDoc& r, long numRif, const char* statoRiga, long ddtOrigine) {
  if (std::string_view(r.tipo) != "A") {
    return {In(kAnno), Lg(numRif), In(r.rigDet), Lg(r.rigLiv), Tx(r.tipo), kNull, Tx(r.descrizione), Nu(0), Nu(0),
            kNull, Nu(0), Ce(0), Ce(0), Ce(0), Ce(0), Tx("N"), kNull, kNull, kNull, kNull, kNull, kNull, kNull,
            kNull, kNull, kNull, Tx("N"), Nu(0), Nu(0), kNull, Tx("N"), Tx("N"), kNull, kNull, kNull, kNull,
            kNull, kNull, Tx("N"), TxN(statoRiga)};
  }
  const Articolo& a = DatiArticolo(r.articolo);
  const Importi im = Calcola(r);
  const bool daDdt = ddtOrigine > 0, daOrdine = !daDdt && r.rigaOrdine > 0;
  return {In(kAnno), Lg(numRif), In(r.rigDet), Lg(r.rigLiv), Tx("A"), Tx(a.codice),
          Tx(*r.descrizione ? r.descrizione : a.descrizione), Nu(r.qta), Nu(0), Tx(a.um), Nu(1),
          Ce(Cent(r.prezzo)), Ce(im.totale), LireSql(im.totale), Ce(im.totale), Tx("N"), TxN(ScontoTot(r)),
          TxN(r.scontoTab), TxN(r.scontoCli), kNull, TxN(r.scontoQuant), Tx(a.iva), Tx(kGruppoRicavi),
          Tx(kMastroRicavi), Tx(a.contoVen), Tx("N"), Tx(r.promozione ? "S" : "N"), Nu(r.provv1), Nu(0), kNull,
          Tx("N"), Tx("N"), daDdt ? Tx("D") : daOrdine ? Tx("O") : kNull,
          daDdt ? Tx(kDocDdt) : daOrdine ? Tx(kDocOrdine) : kNull, daDdt || daOrdine ? In(kAnno) : kNull,
          daDdt ? Lg(ddtOrigine) : daOrdine ? Lg(kOrdineCliente) : kNull,
          daDdt ? Lg(r.rigLiv) : daOrdine ? Lg(r.rigaOrdine) : kNull, daDdt || daOrdine ? Nu(r.qta) : kNull,
          Tx("N"), TxN(statoRiga)};
}

void InserisciLivelli(Righe& t, const RigaDoc& r, long numRif) {
  if (r.livelli.empty()) return;
  const Importi im = Calcola(r);
  const Articolo& a = DatiArticolo(r.articolo);
  for (size_t i = 0; i < r.livelli.size(); ++i) {
    const auto& l = r.livelli[i];
    t({In(kAnno), Lg(numRif), Lg(r.rigLiv), Tx(l.livello1), Tx(l.livello2), Lg(0), Tx(a.um), Nu(1), Nu(l.qta),
       Ce(Cent(l.prezzo)), Ce(im.livelli[i]), TxN(ScontoTot(r)), LireSql(im.livelli[i]), Ce(im.livelli[i])});
  }
}

const std::vector<std::string> kColonneLiv = {"Anno",     "NumRif",     "RigLiv",   "Livello1", "Livello2",
                                              "RigLivOrig", "UM",       "FatCon",   "Qta",      "ValUnitario",
                                              "ValTotale",  "ScontoTot", "ValLire", "ValEuro"};

// The four DDTs, one per state, and what they imply.
std::vector<Ddt> Documenti() {
  std::vector<Ddt> v;
  v.push_back(Ddt{
      .numRif = kDdtEvaso,
      .dataRif = "2026-11-05",
      .stato = "E",
      .numDoc = 1,
      .cliente = kCliente1,
      .indSped = kIndSped,
      .vettore = kVettore1,
      .rifCli = "Vs. ordine n. 118 del 02/11/2026",
      .colli = 3,
      .peso = 11.2,
      .numMovim = kMovDdtEvaso,
      .righe = {{.rigDet = 1, .rigLiv = kRigLivViti, .articolo = kArticoloViti, .qta = 20, .prezzo = 12.50,
                 .scontoTab = "5", .provv1 = 5},
                {.rigDet = 2, .rigLiv = kRigLivTrapano, .articolo = kArticoloMatricole, .qta = 2, .prezzo = 149.00,
                 .provv1 = 5, .matricole = {kMatricola1, kMatricola2}},
                {.rigDet = 3, .rigLiv = 3, .tipo = "D", .descrizione = "Merce consegnata al piano terra"}},
      .spese = {{1, kSpesaTrasporto, 15.00}},
  });
  v.push_back(Ddt{
      .numRif = kDdtStampato,
      .dataRif = "2026-11-20",
      .stato = "S",
      .numDoc = 2,
      .cliente = kCliente2,
      .scontoCli = "10",
      .trasporto = kTrasportoMittente,
      .vettore = kVettore2,
      .colli = 2,
      .peso = 3.2,
      .oraInizio = 14,
      .numMovim = kMovDdtStampato,
      .righe = {{.rigDet = 1,
                 .rigLiv = kRigLivMaglia,
                 .articolo = kArticoloTaglie,
                 .qta = 6,
                 .prezzo = 35.00,
                 .scontoCli = "10",
                 .livelli = {{kTagliaM, kColoreBlu, 3, 35.00},
                             {kTagliaL, kColoreBlu, 2, 35.00},
                             {kTagliaL, kColoreNero, 1, 35.00}}},
                {.rigDet = 2,
                 .rigLiv = kRigLivPantaloni,
                 .articolo = kArticoloUnLivello,
                 .qta = 3,
                 .prezzo = 30.00,
                 .scontoCli = "10",
                 .livelli = {{kTagliaS, kNessunLivello, 2, 29.00}, {kTagliaL, kNessunLivello, 1, 32.00}}}},
      .spese = {{1, kSpesaIncasso, 2.50}},
  });
  v.push_back(Ddt{
      .numRif = kDdtModificabile,
      .dataRif = "2026-12-05",
      .cliente = kCliente3,
      // The customer's discount stands on the header for new lines; the
      // line taken from the order, the promotional biscuits and the course,
      // sold at a net price, carry none.
      .scontoCli = kScontoCliente3,
      .indSped = kIndSped,
      .vettore = kVettore1,
      .nota = "Scaricare dal retro del negozio",
      .colli = 4,
      .peso = 42.5,
      .oraInizio = 8,
      .righe = {{.rigDet = 1, .rigLiv = kRigLivOlio, .articolo = kArticoloLotti, .qta = 6, .prezzo = 42.00,
                 .scontoTab = "3", .provv1 = 3, .lotto = kLotto1, .rigaOrdine = 1},
                {.rigDet = 2, .rigLiv = kRigLivBiscotti, .articolo = kArticoloPromo, .qta = 24, .prezzo = 2.80,
                 .promozione = true, .provv1 = 3},
                {.rigDet = 3,
                 .rigLiv = kRigLivCorso,
                 .articolo = kArticoloEsente,
                 .descrizione = "Corso HACCP per alimentaristi (8 ore) - sessione del 15/01/2027",
                 .qta = 1,
                 .prezzo = 180.00}},
      .spese = {{1, kSpesaTrasporto, 10.00}},
  });
  v.push_back(Ddt{
      .numRif = kDdtInterno,
      .dataRif = "2026-12-07",
      .fattDocumento = kDocDdtInterno,
      .cliente = kClienteSede,
      .magazzDest = kMagNegozio,
      .cauTrasporto = kCauTrasferimento,
      .trasporto = kTrasportoMittente,
      .colli = 1,
      .peso = 0.9,
      .righe = {{.rigDet = 1,
                 .rigLiv = 1,
                 .articolo = kArticoloTaglie,
                 .qta = 3,
                 .prezzo = 18.50,
                 .livelli = {{kTagliaS, kColoreBlu, 2, 18.50}, {kTagliaM, kColoreRosso, 1, 18.50}}}},
  });
  return v;
}

void Ddts(Scrittura& s, const std::vector<Ddt>& ddt) {
  Righe t(s, "DdtTest", ColonneTestata());
  Righe r(s, "DdtDett", ColonneRiga());
  Righe l(s, "DdtLiv", kColonneLiv);
  Righe sp(s, "DdtSpese",
           {"Anno", "NumRif", "Riga", "Spesa", "Iva", "Importo", "ImportoMin", "ImportoMax", "Percentuale",
            "SoggRitAcc"});
  Righe m(s, "DdtMatr", {"Anno", "NumRif", "RigLiv", "Matricola", "TipOpe"});
  Righe lo(s, "DdtRintraccia",
           {"Anno", "NumReg", "RigLiv", "Articolo", "GruppoCliFor", "MastroCliFor", "ContoCliFor", "Lotto",
            "NrProgLotto", "Qta", "TipOpe", "DataReg"});
  for (const auto& d : ddt) {
    t(ValoriTestata(d, d.numRif, d.fattDocumento, d.stato, d.dataRif, d.numDoc, DataDoc(d), d.numMovim));
    const char* statoRiga = std::string_view(d.stato) == "E" ? "E" : "";
    for (const auto& x : d.righe) {
      r(ValoriRiga(x, d.numRif, statoRiga, 0));
      InserisciLivelli(l, x, d.numRif);
      for (const char* mat : x.matricole) m({In(kAnno), Lg(d.numRif), Lg(x.rigLiv), Tx(mat), Tx("S")});
      if (*x.lotto)
        lo({In(kAnno), Lg(d.numRif), Lg(x.rigLiv), Tx(x.articolo), Tx(kGruppoFornitori), Tx(kMastroFornitori),
            Tx(kFornitore2), Tx(x.lotto), In(1), Nu(x.qta), Tx("S"), Dt(d.dataRif)});
    }
    for (const auto& e : d.spese)
      sp({In(kAnno), Lg(d.numRif), In(e.riga), Tx(e.spesa), Tx(kIva22), Ce(Cent(e.importo)), Ce(0), Ce(0), Nu(0),
          Tx("N")});
  }

  // The print program numbered the two printed DDTs.
  s.Riga("NumerDdt", {"Anno", "Prefisso", "Numero", "Data"},
         {In(kAnno), Tx(""), Lg(kUltimoNumDoc), Dt("2026-11-20")});
}

// The deferred invoice that evaded the first DDT: its lines point back to
// the DDT's lines.
void Fattura(Scrittura& s, const Ddt& d) {
  std::vector<std::string> col = ColonneTestata();
  col.insert(col.end(), {"Abbuono", "Riepilogativa", "FattAccomp"});
  std::vector<std::string> val = ValoriTestata(d, kFatturaEvasione, kDocFattura, "S", "2026-11-30", 1,
                                               "2026-11-30", 0);
  val.insert(val.end(), {Ce(0), Tx("N"), Tx("N")});
  s.Riga("FatTest", col, val);
  Righe r(s, "FatDett", ColonneRiga());
  for (const auto& x : d.righe) r(ValoriRiga(x, kFatturaEvasione, "", d.numRif));
  for (const auto& e : d.spese)
    s.Riga("FatSpese",
           {"Anno", "NumRif", "Riga", "Spesa", "Iva", "Importo", "ImportoMin", "ImportoMax", "Percentuale",
            "SoggRitAcc"},
           {In(kAnno), Lg(kFatturaEvasione), In(e.riga), Tx(e.spesa), Tx(kIva22), Ce(Cent(e.importo)), Ce(0), Ce(0),
            Nu(0), Tx("N")});
  s.Riga("FatAccum", {"DDTAnno", "DDTNumRif", "FatAnno", "FatNumRif"},
         {In(kAnno), Lg(d.numRif), In(kAnno), Lg(kFatturaEvasione)});
}

// Customer 3's order of ten bottles of oil, six of them taken into the
// editable DDT.
void Ordine(Scrittura& s) {
  Ddt o{.numRif = kOrdineCliente,
        .dataRif = "2026-12-01",
        .fattDocumento = kDocOrdine,
        .cliente = kCliente3,
        .righe = {{.rigDet = 1, .rigLiv = 1, .articolo = kArticoloLotti, .qta = 10, .prezzo = 42.00,
                   .scontoTab = "3", .provv1 = 3}}};
  std::vector<std::string> col = ColonneTestata();
  col.push_back("OrdAperto");
  std::vector<std::string> val = ValoriTestata(o, kOrdineCliente, kDocOrdine, "", o.dataRif, 1, o.dataRif, 0);
  val.push_back(Tx("N"));
  s.Riga("OrdVenTest", col, val);
  col = ColonneRiga();
  col.push_back("QtaEvasa");
  val = ValoriRiga(o.righe[0], kOrdineCliente, "P", 0);
  val.push_back(Nu(6));
  s.Riga("OrdVenDett", col, val);
}

// ---- warehouse movements and what they leave in the progressives

struct RigaMov {
  long rigLiv;
  const char* articolo;
  int qta;
  double prezzo;
  int64_t totale;  // 0: qta x prezzo
  std::vector<RigaLiv> livelli = {};
  std::vector<int64_t> totaliLiv;
  std::vector<const char*> matricole = {};
  std::vector<std::pair<const char*, int>> lotti;
};

struct Movimento {
  long numReg;
  const char* data;
  const char* causale;
  bool carico;
  const char* gruppo;
  const char* mastro;
  const char* conto;
  long numDoc;
  const char* dataDoc;
  std::vector<RigaMov> righe;
};

// Stock and value per warehouse row of the progressives.
struct Progressivo {
  double qtaCarico = 0, qtaScarico = 0;
  int64_t valCarico = 0, valScarico = 0, valScaUC = 0;
  std::string ultCarico, ultScarico;
};

std::vector<Movimento> Movimenti(const std::vector<Ddt>& ddt) {
  std::vector<Movimento> v;
  v.push_back({kMovCaricoUtensili, "2026-10-15", kCausaleCarico, true, kGruppoFornitori, kMastroFornitori,
               kFornitore1, 4512, "2026-10-14",
               {{1, kArticoloViti, 200, 7.80, 0, {}, {}, {}, {}},
                {2, kArticoloMatricole, 3, 95.00, 0, {}, {}, {kMatricola1, kMatricola2, kMatricola3}, {}}}});
  v.push_back({kMovCaricoOlio, "2026-10-20", kCausaleCarico, true, kGruppoFornitori, kMastroFornitori, kFornitore2,
               881, "2026-10-19",
               {{1, kArticoloLotti, 36, 28.00, 0, {}, {}, {}, {{kLotto1, 24}, {kLotto2, 12}}},
                {2, kArticoloPromo, 120, 1.60, 0, {}, {}, {}, {}}}});
  v.push_back({kMovCaricoAbbigliamento, "2026-10-28", kCausaleCarico, true, kGruppoFornitori, kMastroFornitori,
               kFornitore3, 1207, "2026-10-27",
               {{1, kArticoloTaglie, 20, 18.50, 0,
                 {{kTagliaS, kColoreBlu, 2, 18.50}, {kTagliaM, kColoreBlu, 4, 18.50}, {kTagliaL, kColoreBlu, 4, 18.50},
                  {kTagliaM, kColoreNero, 3, 18.50}, {kTagliaL, kColoreNero, 3, 18.50},
                  {kTagliaXL, kColoreNero, 2, 18.50}, {kTagliaM, kColoreRosso, 2, 18.50}},
                 {}, {}, {}},
                {2, kArticoloUnLivello, 20, 14.75, 0,
                 {{kTagliaS, kNessunLivello, 4, 14.00}, {kTagliaM, kNessunLivello, 6, 14.00},
                  {kTagliaL, kNessunLivello, 6, 15.50}, {kTagliaXL, kNessunLivello, 4, 15.50}},
                 {}, {}, {}}}});
  // The sales of the two DDTs that went to print, line by line.
  for (const auto& d : ddt) {
    if (!d.numMovim) continue;
    const Conto& c = Cliente(d.cliente);
    Movimento m{d.numMovim, d.dataRif, kCausaleVendita, false, c.gruppo, c.mastro, c.conto, d.numDoc, d.dataRif, {}};
    for (const auto& r : d.righe) {
      if (std::string_view(r.tipo) != "A") continue;
      const Importi im = Calcola(r);
      m.righe.push_back({r.rigLiv, r.articolo, r.qta, r.prezzo, im.totale, r.livelli, im.livelli, r.matricole, {}});
    }
    v.push_back(std::move(m));
  }
  return v;
}

// Unit cost of an article (of a size, for the article priced by size).
double Costo(const char* articolo, const char* livello1) {
  if (std::string_view(articolo) == kArticoloUnLivello)
    return std::string_view(livello1) == kTagliaS || std::string_view(livello1) == kTagliaM ? 14.00 : 15.50;
  if (std::string_view(articolo) == kArticoloViti) return 7.74;  // average of the opening stock and the load
  return DatiArticolo(articolo).costo;
}

void Movimentazione(Scrittura& s, const std::vector<Ddt>& ddt) {
  const std::vector<Movimento> movimenti = Movimenti(ddt);
  Righe t(s, "MovMagTes",
          {"Anno", "NumReg", "DataReg", "MagCausale", "MagazzinoProv", "MagazzinoDest", "Listino", "Moneta", "Cambio",
           "GruppoCliFor", "MastroCliFor", "ContoCliFor", "PreDoc", "NumDoc", "DataDoc", "ImportoSpese"});
  Righe r(s, "MovMagDett",
          {"Anno", "NumReg", "RigReg", "RigLiv", "Articolo", "Qta", "QtaAggMag", "UM", "FatCon", "ValUnitario",
           "ValTotale", "ValLire", "ValEuro", "ValScarico", "ValScaricoLire"});
  Righe l(s, "MovMagLiv",
          {"Anno", "NumReg", "RigLiv", "Livello1", "Livello2", "UM", "FatCon", "Qta", "QtaAggMag", "ValUnitario",
           "ValTotale", "ValLire", "ValEuro", "ValScarico", "ValScaricoLire"});
  Righe mt(s, "MovMagMatr", {"Anno", "NumReg", "RigLiv", "Matricola", "TipOpe"});
  Righe lo(s, "MovMagRintraccia",
           {"Anno", "NumReg", "RigLiv", "Articolo", "GruppoCliFor", "MastroCliFor", "ContoCliFor", "Lotto",
            "NrProgLotto", "Qta", "TipOpe", "DataReg"});

  // Progressives by article and level pair of the central warehouse,
  // starting from the opening stock of the screws.
  std::map<std::tuple<std::string, std::string, std::string>, Progressivo> prog;
  auto aggiungi = [&prog](const Movimento& m, const char* art, const char* l1, const char* l2, int qta,
                          int64_t valore) {
    Progressivo& p = prog[{art, l1, l2}];
    if (m.carico) {
      p.qtaCarico += qta;
      p.valCarico += valore;
      p.ultCarico = m.data;
    } else {
      p.qtaScarico += qta;
      p.valScarico += valore;
      p.valScaUC += Cent(Costo(art, l1) * qta);
      p.ultScarico = m.data;
    }
  };

  for (const auto& m : movimenti) {
    t({In(kAnno), Lg(m.numReg), Dt(m.data), Tx(m.causale), m.carico ? kNull : Tx(kMagCentrale),
       m.carico ? Tx(kMagCentrale) : kNull, m.carico ? kNull : Tx(kListinoVendita), Tx(kEuro), Nu(1), Tx(m.gruppo),
       Tx(m.mastro), Tx(m.conto), kNull, Lg(m.numDoc), Dt(m.dataDoc), Ce(0)});
    long rigReg = 0;
    for (const auto& x : m.righe) {
      const Articolo& a = DatiArticolo(x.articolo);
      const int64_t tot = x.totale ? x.totale : Netto(Cent(x.prezzo), x.qta, {});
      const int64_t costo = Cent(Costo(x.articolo, ""));
      const bool conScarico = !m.carico && x.livelli.empty();
      r({In(kAnno), Lg(m.numReg), Lg(++rigReg), Lg(x.rigLiv), Tx(x.articolo), Nu(x.qta), Nu(x.qta), Tx(a.um), Nu(1),
         Ce(Cent(x.prezzo)), Ce(tot), LireSql(tot), Ce(tot), conScarico ? Ce(costo) : Ce(0),
         conScarico ? LireSql(costo) : Ce(0)});
      if (x.livelli.empty()) aggiungi(m, x.articolo, kNessunLivello, kNessunLivello, x.qta, tot);
      for (size_t i = 0; i < x.livelli.size(); ++i) {
        const auto& lv = x.livelli[i];
        const int64_t tl = i < x.totaliLiv.size() ? x.totaliLiv[i] : Netto(Cent(lv.prezzo), lv.qta, {});
        const int64_t cl = Cent(Costo(x.articolo, lv.livello1));
        l({In(kAnno), Lg(m.numReg), Lg(x.rigLiv), Tx(lv.livello1), Tx(lv.livello2), Tx(a.um), Nu(1), Nu(lv.qta),
           Nu(lv.qta), Ce(Cent(lv.prezzo)), Ce(tl), LireSql(tl), Ce(tl), m.carico ? Ce(0) : Ce(cl),
           m.carico ? Ce(0) : LireSql(cl)});
        aggiungi(m, x.articolo, lv.livello1, lv.livello2, lv.qta, tl);
      }
      for (const char* mat : x.matricole)
        mt({In(kAnno), Lg(m.numReg), Lg(x.rigLiv), Tx(mat), Tx(m.carico ? "C" : "S")});
      for (const auto& [lotto, qta] : x.lotti)
        lo({In(kAnno), Lg(m.numReg), Lg(x.rigLiv), Tx(x.articolo), Tx(kGruppoFornitori), Tx(kMastroFornitori),
            Tx(kFornitore2), Tx(lotto), In(1), Nu(qta), Tx(m.carico ? "C" : "S"), Dt(m.data)});
    }
  }

  Righe p(s, "ArticoliProg",
          {"Anno", "Magazzino", "Articolo", "Livello1", "Livello2", "QtaIniziale", "ValIniziale", "ValInizialeLire",
           "QtaCarico", "ValCarico", "ValCaricoLire", "QtaScarico", "ValScarico", "ValScaricoLire", "DataUltCarico",
           "DataUltScarico", "ValScaUC", "ValScaUCLire", "QtaImpCli", "ValImpCli", "ValImpCliLire", "QtaOrdFor",
           "ValOrdFor", "ValOrdForLire"});
  for (const auto& [chiave, x] : prog) {
    const auto& [art, l1, l2] = chiave;
    // Opening stock: 50 boxes of screws at 7.50. Committed: the four bottles
    // of the order not yet delivered.
    const bool viti = art == kArticoloViti, olio = art == kArticoloLotti;
    const int64_t valIniz = viti ? Cent(375.00) : 0, impegnato = olio ? Cent(4 * 40.74) : 0;
    p({In(kAnno), Tx(kMagCentrale), Tx(art), Tx(l1), Tx(l2), Nu(viti ? 50 : 0), Ce(valIniz), LireSql(valIniz),
       Nu(x.qtaCarico), Ce(x.valCarico), LireSql(x.valCarico), Nu(x.qtaScarico), Ce(x.valScarico),
       LireSql(x.valScarico), x.ultCarico.empty() ? kNull : Dt(x.ultCarico),
       x.ultScarico.empty() ? kNull : Dt(x.ultScarico), Ce(x.valScaUC), LireSql(x.valScaUC), Nu(olio ? 4 : 0),
       Ce(impegnato), LireSql(impegnato), Nu(0), Ce(0), Ce(0)});
  }

  // Costs of the year, one row per article (per size for the article priced
  // by size).
  Righe c(s, "ArticoliCosti",
          {"Anno", "Articolo", "Livello1", "Livello2", "MedioPonderale", "MedioPonderaleLire", "CMPValido",
           "CostoUltimo", "CostoUltimoLire", "DataCostoUltimo", "QtaAcquisti", "ValAcquisti", "ValAcquistiLire",
           "QtaVenduto", "ValVenduto", "ValVendutoLire"});
  std::map<std::pair<std::string, std::string>, Progressivo> costi;
  for (const auto& [chiave, x] : prog) {
    const auto& [art, l1, l2] = chiave;
    const bool perTaglia = art == kArticoloUnLivello;
    Progressivo& k = costi[{art, perTaglia ? l1 : std::string(kNessunLivello)}];
    k.qtaCarico += x.qtaCarico;
    k.valCarico += x.valCarico;
    k.qtaScarico += x.qtaScarico;
    k.valScarico += x.valScarico;
    if (x.ultCarico > k.ultCarico) k.ultCarico = x.ultCarico;
  }
  for (const auto& [chiave, x] : costi) {
    const auto& [art, l1] = chiave;
    const int64_t ultimo = Cent(Costo(art.c_str(), l1.c_str())), medio = ultimo;
    const int64_t ultimoAcq = art == kArticoloViti ? Cent(7.80) : ultimo;
    c({In(kAnno), Tx(art), Tx(l1), Tx(kNessunLivello), Ce(medio), LireSql(medio), Tx("S"), Ce(ultimoAcq),
       LireSql(ultimoAcq), Dt(x.ultCarico), Nu(x.qtaCarico), Ce(x.valCarico), LireSql(x.valCarico),
       Nu(x.qtaScarico), Ce(x.valScarico), LireSql(x.valScarico)});
  }
}

// ---------------------------------------------------------------- header editing

// A second currency for the price lists: a list kept in dollars.
void DatiValuta(Scrittura& s) {
  Righe li(s, "Listini", {"Listino", "Descrizione", "Moneta", "Ivato", "ScoSomSost", "Sconto"});
  li({Tx(kListinoDollari), Tx("Listino export in dollari"), Tx(kDollaro), Tx("N"), Tx("M"),
      Tx(kScontoListinoDollari)});
  Righe al(s, "ArtListini",
           {"Articolo", "Listino", "Livello1", "Livello2", "DataInizio", "DataFine", "Prezzo", "PrezzoLire",
            "ScoSomSost", "Sconto"});
  const std::pair<const char*, double> prezzi[] = {
      {kArticoloViti, kPrezzoVitiDollari}, {kArticoloMatricole, kPrezzoTrapanoDollari},
      {kArticoloLotti, kPrezzoOlioDollari}};
  // Prices in dollars: no lira value stands for them.
  for (const auto& [articolo, prezzo] : prezzi)
    al({Tx(articolo), Tx(kListinoDollari), Tx(kNessunLivello), Tx(kNessunLivello), Dt(kInizioListini),
        Dt("2026-12-31"), Ce(Cent(prezzo)), Ce(0), Tx("L"), kNull});

  std::vector<std::string> col = {"Pagamento", "Descrizione", "NotaFissa", "Spesa", "NumScad", "PagTipo",
                                  "Sconto", "Decorrenza", "Periodicita", "TrattamIva", "GiornoFisso", "NumGGMM"};
  for (int i = 1; i <= 12; ++i) col.push_back("Periodo" + std::to_string(i));
  for (int i = 1; i <= 12; ++i) col.push_back("Percentuale" + std::to_string(i));
  Righe p(s, "Pagamenti", col);
  auto pagamento = [&p](const char* cod, const char* descr, const char* nota, const char* tipo, int numGGMM) {
    std::vector<std::string> v = {Tx(cod), Tx(descr), Tx(nota), kNull, In(1), Tx(tipo), kNull, kNull, Tx("G"),
                                  kNull, In(0), In(numGGMM)};
    for (int i = 0; i < 12; ++i) v.push_back(In(0));
    for (int i = 0; i < 12; ++i) v.push_back(Nu(0));
    p(v);
  };
  pagamento(kPagNotaDdt, "Rimessa diretta alla consegna", kNotaSuDdt, "RD", 0);
  pagamento(kPagNotaFattura, "Bonifico bancario 30 gg data fattura", kNotaSuFattura, "BB", 30);

  Righe c(s, "MagCausali",
          {"MagCausale", "Descrizione", "QualeImporto", "TipoMov", "CarScar", "Segno", "Prov", "Dest",
           "QualeProgrQta", "AggMedioCar", "ValorizzScarico", "AggMedioPon", "AggCostoUlt", "AcqVen",
           "RipartSpese"});
  c({Tx(kCausaleContoLavoro), Tx("Invio in conto lavoro"), kNull, Tx("N"), Tx("S"), Tx("+"), Tx("M"), Tx("F"),
     In(0), Tx("N"), Tx("N"), Tx("N"), Tx("N"), kNull, Tx("N")});

  Righe d(s, "FattDocumenti",
          {"FattDocumento", "Descrizione", "Tipo", "MagCausale", "MagCausaleRientro", "DoveStampoDesLung",
           "PrezzoDDT", "Listino", "TabSconti", "Segno", "RegimeMargine", "Interno", "Pagamento", "GgScadCli",
           "AFornitore", "PrefBolle", "MagProposto", "NumNota1", "NumNota2", "NumNota3", "FattDocEvasione"});
  d({Tx(kDocDdtExport), Tx("DDT export in dollari"), Tx("B"), Tx(kCausaleVendita), kNull, Tx("S"), Tx("S"),
     Tx(kListinoDollari), Tx("0"), Tx("+"), Tx("N"), Tx("N"), Tx(kPagBonifico60), Lg(kGgScadDdtExport), Tx("3"),
     Tx(kPrefDdtExport), Tx(kMagDeposito), Tx(kNotaSuDdt), kNull, kNull, Tx(kDocFattura)});
  d({Tx(kDocDdtReso), Tx("DDT di reso da cliente"), Tx("B"), Tx(kCausaleReso), Tx(kCausaleReso), Tx("S"), Tx("S"),
     kNull, Tx("0"), Tx("-"), Tx("N"), Tx("N"), kNull, Lg(0), Tx("3"), kNull, Tx(kMagCentrale), kNull, kNull, kNull,
     Tx(kDocFattura)});
  d({Tx(kDocDdtFornitore), Tx("DDT di conto lavoro a fornitore"), Tx("B"), Tx(kCausaleContoLavoro), kNull, Tx("S"),
     Tx("N"), kNull, Tx("0"), Tx("+"), Tx("N"), Tx("N"), Tx("$1"), Lg(0), Tx("2"), kNull, kNull, kNull,
     kNull, kNull, kNull});
}

// -- declarations of intent

// A customer's declarations of intent: the editable DDT uses the first one,
// so the header shows its used amount and residual; the second, smaller
// than that DDT, shows the warning when the DDT is moved under it.
void DatiDichiarazioni(Scrittura& s) {
  Righe d(s, "PdcDicIntenti",
          {"Gruppo", "Mastro", "Conto", "PdcDicIntenti", "Attivo", "Descrizione", "ProtRicezione", "DataRicAE",
           "NrPrgIntenti", "DataRicComIntenti", "NrDichIntenti", "DataDichIntenti", "ImportoDichIntenti",
           "DataDAIntenti", "DataAIntenti", "RifComunicIntenti"});
  d({Tx(kGruppoClienti), Tx(kMastroClienti), Tx(kCliente3), In(kDicIntenti1), Tx("S"), Tx(kDescDicIntenti1),
     Tx("26011512345678-000001"), Dt("2026-01-15"), Lg(1), Dt("2026-01-16"), Lg(1), Dt("2026-01-12"),
     Ce(Cent(kImportoDicIntenti1)), Dt("2026-01-01"), Dt("2026-12-31"), In(1)});
  d({Tx(kGruppoClienti), Tx(kMastroClienti), Tx(kCliente3), In(kDicIntenti2), Tx("S"), Tx(kDescDicIntenti2),
     Tx("26090312345678-000002"), Dt("2026-09-03"), Lg(2), Dt("2026-09-04"), Lg(2), Dt("2026-09-01"),
     Ce(Cent(kImportoDicIntenti2)), Dt("2026-09-01"), Dt("2026-12-31"), In(1)});
  s.Esegui("Update DdtTest Set PdcDicIntenti = " + In(kDicIntenti1) + " Where Anno = " + In(kAnno) +
           " And NumRif = " + Lg(kDdtModificabile));
}

// -- expenses

// A standard expense, the payment charges and a pension-fund customer.
void DatiSpese(Scrittura& s) {
  Righe sp(s, "Spese",
           {"Spesa", "Descrizione", "TipoAddebito", "AddebitoIva", "Iva", "Moneta", "Percentuale", "Importo",
            "ImportoMin", "ImportoMax", "ImportoLire", "ImportoMinLire", "ImportoMaxLire", "SoggRitAcc",
            "CassaPrev", "Standard", "Gruppo", "Mastro", "Conto", "RifStampa", "SoggScontoPagam"});
  auto spesa = [&sp](const char* cod, const char* descr, const char* tipo, const char* iva, double perc,
                     double importo, double minimo, double massimo, const char* cassa, const char* standard,
                     const char* conto) {
    sp({Tx(cod), Tx(descr), Tx(tipo), Tx("N"), Tx(iva), Tx(kEuro), Nu(perc), Ce(Cent(importo)), Ce(Cent(minimo)),
        Ce(Cent(massimo)), LireSql(Cent(importo)), LireSql(Cent(minimo)), LireSql(Cent(massimo)), Tx("N"),
        Tx(cassa), Tx(standard), Tx(kGruppoRicavi), Tx(kMastroRimborsi), Tx(conto), Tx(cod), Tx("N")});
  };
  spesa(kSpesaStandard, "Spese fisse di documento", "F", kIva22, 0, kImportoSpesaStandard, 0, 0, "N", "S",
        kContoRimborsoTrasporto);
  spesa(kSpesaRiba, "Commissione incasso Ri.Ba. per rata", "R", kIva22, 0, kImportoSpesaRiba, 0, 0, "N", "N",
        kContoRimborsoIncasso);
  spesa(kSpesaBolli, "Bollo sulle tratte", "T", kIvaEsclusa, kPercSpesaBolli, 0, kMinimoSpesaBolli, 0, "N", "N",
        kContoRimborsoBolli);
  spesa(kSpesaCassaPrev, "Contributo cassa di previdenza 4%", "P", kIva22, kPercCassaPrev, 0, 0, 0, "S", "N",
        kContoRimborsoTrasporto);

  std::vector<std::string> col = {"Pagamento", "Descrizione", "Spesa", "NumScad", "PagTipo", "Decorrenza",
                                  "Periodicita", "GiornoFisso", "NumGGMM"};
  for (int i = 1; i <= 12; ++i) col.push_back("Periodo" + std::to_string(i));
  for (int i = 1; i <= 12; ++i) col.push_back("Percentuale" + std::to_string(i));
  Righe p(s, "Pagamenti", col);
  auto pagamento = [&p](const char* cod, const char* descr, const char* spesa, int numScad, const char* tipo) {
    std::vector<std::string> v = {Tx(cod), Tx(descr), Tx(spesa), In(numScad), Tx(tipo), Tx("F"), Tx("M"),
                                  In(0), In(1)};
    for (int i = 0; i < 12; ++i) v.push_back(In(0));
    for (int i = 0; i < 12; ++i) v.push_back(Nu(0));
    p(v);
  };
  pagamento(kPagRibaSpese3, "Ri.Ba. 30/60/90 gg f.m. con spese di incasso", kSpesaRiba, 3, kPagTipoRiba);
  pagamento(kPagRibaSpese2, "Ri.Ba. 30/60 gg f.m. con spese di incasso", kSpesaRiba, 2, kPagTipoRiba);
  pagamento(kPagTrattaBolli, "Tratta 60 gg f.m. con bollo", kSpesaBolli, 1, "TR");

  // A professional firm: pension-fund contribution, bank charges, stamp
  // duty and a fixed expense of its own.
  Righe c(s, "PianoConti",
          {"Gruppo", "Mastro", "Conto", "Tipo", "Descrizione", "RagSoc", "Indirizzo", "CAP", "Localita", "Pr",
           "Stato", "PartIva", "Listino", "Pagamento", "Bolli", "SpeseBan", "Spesa", "Provv1", "Provv2",
           "TipoProvv", "TipoProvv2", "RagDDT", "PrezzoDDT", "Rischio", "Fido", "RagRb", "IvaSosp", "RagOrd",
           "PercRitAcc", "CassaPrev", "CdcObblig", "MeseNoEf1", "MeseNoEf2", "GioMesSucc1", "GioMesSucc2",
           "PercRicListClie", "Categoria", "Zona"});
  c({Tx(kGruppoClienti), Tx(kMastroClienti), Tx(kClienteCassaPrev), Tx("3"), Tx("Studio Tecnico Gialli"),
     Tx("Studio Tecnico Gialli"), Tx("Via Cavour 22"), Tx("37121"), Tx("Verona"), Tx("VR"), Tx("IT"),
     Tx("08901230239"), Tx(kListinoVendita), Tx(kPagRibaSpese3), Tx("S"), Tx("S"), Tx(kSpesaTrasporto), Nu(0),
     Nu(0), Tx("N"), Tx("N"), Tx("S"), Tx("S"), Tx("N"), Ce(0), Tx("N"), Tx("N"), Tx("N"), Nu(0), Tx("S"),
     Tx("N"), In(0), In(0), In(0), In(0), Nu(0), Tx(kCategoriaDettaglianti), Tx("NE")});
}

// -- packaging

// Returnable packaging articles and the articles that carry them.
void DatiImballi(Scrittura& s) {
  struct Imballo {
    const char* codice;
    const char* descrizione;
    bool cauzione;
    const char* imballo;
    int pezzi;
    double peso;
    double prezzo;
  };
  const Imballo imballi[] = {
      {kArticoloCassa, "Cassa in plastica a rendere", true, "", 1, 1.20, kPrezzoCassa},
      {kArticoloBancale, "Bancale EPAL a rendere", true, "", 1, 25.00, kPrezzoBancale},
      {kArticoloAcqua, "Acqua minerale naturale 1,5 l", false, kArticoloCassa, kPezziCassaAcqua, 1.55, kPrezzoAcqua},
  };
  Righe a(s, "Articoli",
          {"Articolo", "Descrizione", "ArtUM", "ArtUMAcq", "ArtUMVen", "FatConAcq", "FatConVen", "IvaVendite",
           "IvaAcquisti", "FlagLivLis", "Provvigione", "PezziPerConf", "GruppoMerVen", "MastroMerVen",
           "ContoMerVen", "ArtGruppo", "Segnalazione", "Settore", "GestRintraccia", "Cauzione", "Inattivo",
           "PesoLordo", "ArtImballo", "ArtMag"});
  Righe al(s, "ArtListini",
           {"Articolo", "Listino", "Livello1", "Livello2", "DataInizio", "DataFine", "Prezzo", "PrezzoLire",
            "ScoSomSost", "Sconto"});
  for (const auto& x : imballi) {
    a({Tx(x.codice), Tx(x.descrizione), Tx("PZ"), Tx("PZ"), Tx("PZ"), Nu(1), Nu(1), Tx(kIva22), Tx(kIva22), In(0),
       Nu(0), Nu(x.pezzi), Tx(kGruppoRicavi), Tx(kMastroRicavi), Tx(kContoRicaviMerci),
       Tx(x.cauzione ? "IMB" : "ALIM"), Tx("N"), Tx("S"), Tx("N"), Tx(x.cauzione ? "S" : "N"), Tx("N"), Nu(x.peso),
       TxN(x.imballo), Tx("S")});
    const int64_t c = Cent(x.prezzo);
    al({Tx(x.codice), Tx(kListinoVendita), Tx(kNessunLivello), Tx(kNessunLivello), Dt(kInizioListini),
        Dt("2026-12-31"), Ce(c), LireSql(c), Tx("L"), kNull});
  }
  // The articles of the editable DDT travel in crates and on pallets.
  s.Esegui("Update Articoli Set ArtImballo = " + Tx(kArticoloCassa) + ", PezziPerConf = " + Nu(kPezziCassaBiscotti) +
           " Where Articolo = " + Tx(kArticoloPromo));
  s.Esegui("Update Articoli Set ArtImballo = " + Tx(kArticoloBancale) + ", PezziPerConf = " + Nu(kPezziBancaleOlio) +
           " Where Articolo = " + Tx(kArticoloLotti));
}

// ---------------------------------------------------------------- checks

long Conta(GestDatabase& db, const std::string& chiave, const std::string& tabella) {
  GestRecordset rs;
  const std::string k = rs.ApriRecordset(db, chiave, "", "Select Count(*) as Quanti from " + tabella, false, 4);
  const long n = rs.LeggiCampo(k, "Quanti").ToLong();
  rs.ChiudiRecordset(k);
  return n;
}

}  // namespace

void CreaDittaDemo(GestDatabase& db, const std::string& chiave) {
  Connessione& c = db.Motore(chiave);
  const int livello = c.LivelloTransazione();
  c.IniziaTransazione();
  try {
    if (long n = Conta(db, chiave, "DdtTest"); n > 0)
      vb::Solleva(vb::ErrChiamataNonValida, "Il database contiene già " + std::to_string(n) +
                                                " DDT: la ditta dimostrativa si crea solo in un database vuoto");
    for (const char* t : {"PianoConti", "Articoli"})
      if (Conta(db, chiave, t) > 0)
        vb::Solleva(vb::ErrChiamataNonValida, std::string("La tabella ") + t +
                                                  " contiene già dei dati: la ditta dimostrativa si crea solo "
                                                  "in un database vuoto");
    Scrittura s(db, chiave);
    Valute(s);
    Iva(s);
    Pagamenti(s);
    Conti(s);
    Anagrafiche(s);
    Magazzino(s);
    Articoli(s);
    const std::vector<Ddt> ddt = Documenti();
    Ddts(s, ddt);
    Fattura(s, ddt.front());
    Ordine(s);
    Movimentazione(s, ddt);
    DatiValuta(s);
    DatiDichiarazioni(s);
    DatiSpese(s);
    DatiImballi(s);
    DittaDemoLotti(db, chiave);
    CreaDittaDemoAiuti(db, chiave);
    DittaDemoMatricole(db, chiave);
    c.ConfermaTransazione();
  } catch (...) {
    AnnullaDopoErrore(c, livello);
    throw;
  }
}

}  // namespace dati
