// The footer of one large DDT: 2,000 lines over 10 VAT codes and 3 sales
// accounts (with discount chains and cost centres), 20 expense rows (fixed,
// percentage, discountable, apportioned, a pension fund), a payment
// discount and bank-receipt stamps, on a SQLite company file.
//
// It times the whole footer, then the same SELECTs the footer issued, run
// bare through the data layer (opened and walked row by row), in the same
// process, and prints both and their ratio: the footer's own arithmetic is
// the difference.
//
//   bench_piede [runs]       (default 30)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

#include "common/Globali.h"
#include "fiscal/scCalcPiedeFat.h"
#include "platform/dati/GestDatabase.h"
#include "platform/dati/GestRecordset.h"
#include "platform/dati/Schema.h"

namespace {

using V = vb::Variant;
using Orologio = std::chrono::steady_clock;

constexpr int kRighe = 2000;
constexpr int kSpese = 20;
constexpr int16_t kAnno = 2026;

class Inseritore {
 public:
  Inseritore(dati::GestDatabase& db, const std::string& k, const std::string& tabella,
             const std::vector<std::string>& colonne)
      : m_(db.Motore(k)) {
    sql_ = "INSERT INTO " + tabella + " (";
    std::string segnaposti;
    for (size_t i = 0; i < colonne.size(); ++i) {
      sql_ += (i ? ", " : "") + colonne[i];
      segnaposti += i ? ", ?" : "?";
    }
    sql_ += ") VALUES (" + segnaposti + ")";
  }
  void operator()(const std::vector<V>& valori) { m_.Esegui(sql_, valori); }

 private:
  dati::Connessione& m_;
  std::string sql_;
};

vb::Currency Cur(int64_t centesimi) { return vb::Currency::FromRaw(centesimi * 100); }

void CreaDocumento(dati::GestDatabase& db, const std::string& k) {
  dati::CreaSchema(db.Motore(k), dati::SchemaDitta());
  auto& m = db.Motore(k);
  m.IniziaTransazione();
  Inseritore(db, k, "Monete", {"Moneta", "Descrizione", "NumDec", "NumDecGest"})({V("Euro"), V("Euro"), V(2), V(3)});
  const char* codiciIva[10] = {"22", "10", "5", "4", "A22", "A10", "E10", "N41", "E15", "FC"};
  const double aliquote[10] = {22, 10, 5, 4, 22, 10, 0, 0, 0, 0};
  const char* tipi[10] = {"1", "1", "1", "1", "1", "1", "3", "2", "4", "1"};
  Inseritore iva(db, k, "TabIva", {"Iva", "Descrizione", "DescrizioneBreve", "Aliquota", "TipoIva", "ApplBolloEse"});
  for (int i = 0; i < 10; ++i)
    iva({V(codiciIva[i]), V(std::string("Iva ") + codiciIva[i]), V(codiciIva[i]), V(aliquote[i]), V(tipi[i]), V("S")});
  Inseritore(db, k, "FattDocumenti", {"FattDocumento", "Descrizione", "Segno"})({V("DDT"), V("Ddt"), V("+")});
  Inseritore(db, k, "PagTipi", {"PagTipo", "TipoEffetto", "AddBolli"})({V("RB"), V("1"), V("S")});
  Inseritore(db, k, "Pagamenti", {"Pagamento", "Descrizione", "PagTipo", "NumScad", "Decorrenza", "Periodicita",
                                  "NumGGMM"})({V("RB3"), V("Ri.Ba. 3"), V("RB"), V(3), V("F"), V("M"), V(1)});
  Inseritore(db, k, "PianoConti", {"Gruppo", "Mastro", "Conto", "Descrizione"})(
      {V("04"), V("01"), V("0012"), V("Cliente")});
  Inseritore(db, k, "TaBolli", {"CodEseBollo", "GruppoBol", "MastroBol", "ContoBol", "MaxNoBollo", "BolloEsente",
                                "Sca1BolRB", "Sca2BolRB", "Sca3BolRB", "Bollo1RB", "Bollo2RB", "Bollo3RB",
                                "Bollo4RB", "Bollo5RB"})(
      {V("E15"), V("60"), V("02"), V("0003"), V(Cur(7747)), V(Cur(200)), V(Cur(10000)), V(Cur(50000)),
       V(Cur(100000)), V(Cur(100)), V(Cur(200)), V(Cur(300)), V(Cur(400)), V(Cur(500))});
  Inseritore spese(db, k, "Spese", {"Spesa", "Descrizione", "TipoAddebito", "AddebitoIva", "Iva", "Gruppo", "Mastro",
                                    "Conto", "RifStampa", "SoggScontoPagam", "CassaPrev"});
  for (int s = 0; s < kSpese; ++s) {
    const char* tipo = s % 5 == 1 ? "P" : "F";
    const char* ripartire = s % 4 == 2 ? "R" : "N";
    spese({V("S" + std::to_string(s)), V("Spesa"), V(tipo), V(ripartire), V("22"), V("60"), V("02"),
           V("000" + std::to_string(s % 3)), V("R" + std::to_string(s % 6)), V(s % 3 == 0 ? "S" : "N"),
           V(s == kSpese - 1 ? "S" : "N")});
  }
  Inseritore(db, k, "DdtTest", {"Anno", "NumRif", "DataRif", "FattDocumento", "GruppoCli", "MastroCli", "ContoCli",
                                "Moneta", "Pagamento", "PrezziIvati", "ScontoPag", "Acconto", "PercRitAcc", "Peso"})(
      {V(kAnno), V(1), V(vb::Date::FromYmd(kAnno, 5, 20)), V("DDT"), V("04"), V("01"), V("0012"), V("Euro"),
       V("RB3"), V("N"), V("2"), V(Cur(10000)), V(0.0), V(350.0)});
  Inseritore righe(db, k, "DdtDett",
                   {"Anno", "NumRif", "RigDet", "RigLiv", "TipoRiga", "Articolo", "Qta", "ValUnitario", "ValTotale",
                    "Iva", "GruppoVen", "MastroVen", "ContoVen", "CentroDiCosto", "Omaggio", "FlScontoPag",
                    "ScontoTot", "SoggRitAcc"});
  const char* catene[4] = {"", "10", "10+5", "20+5+2"};
  const double percentuali[4] = {0, 10, 14.5, 25.52};
  for (int r = 1; r <= kRighe; ++r) {
    const int64_t prezzo = 100 + (r * 7919) % 50000;  // cents
    const double qta = 1 + r % 7;
    const int c = r % 4;
    const int64_t totale = static_cast<int64_t>(qta * prezzo * (100 - percentuali[c]) / 100 + 0.5);
    righe({V(kAnno), V(1), V(r), V(r), V(r % 50 == 0 ? "D" : "A"), V("ART" + std::to_string(r % 300)), V(qta),
           V(Cur(prezzo)), V(Cur(totale)), V(codiciIva[r % 10]), V("60"), V("01"), V("000" + std::to_string(r % 3)),
           V(r % 5 == 0 ? "CC1" : ""), V(r % 97 == 0 ? "I" : "N"), V(r % 2 ? "S" : "N"), V(catene[c]), V("N")});
  }
  Inseritore righeSpese(db, k, "DdtSpese",
                        {"Anno", "NumRif", "Riga", "Spesa", "Iva", "Importo", "ImportoMin", "ImportoMax",
                         "Percentuale", "SoggRitAcc"});
  for (int s = 0; s < kSpese; ++s)
    righeSpese({V(kAnno), V(1), V(s + 1), V("S" + std::to_string(s)), V(s % 2 ? "22" : "10"),
                V(Cur(500 + s * 137)), V(Cur(0)), V(Cur(0)), V(1.5), V("N")});
  m.ConfermaTransazione();
}

double Ms(Orologio::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

}  // namespace

int main(int argc, char** argv) {
  const int giri = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
  const auto file = std::filesystem::temp_directory_path() / ("bench_piede_" + std::to_string(getpid()) + ".db");
  std::filesystem::remove(file);
  auto db = std::make_shared<dati::GestDatabase>();
  const std::string k = db->CreaDatabase(file.string());
  CreaDocumento(*db, k);
  G().goDbAzienda = db;
  G().gsConnAzienda = k;

  auto piede = [&] {
    scCalcPiedeFat p;
    p.osTabTesta = "DdtTest";
    p.osTabDett = "DdtDett";
    p.osTabLiv = "DdtLiv";
    p.osTabSpese = "DdtSpese";
    p.obErrNoDett = false;
    p.CalcPiedeFat(kAnno, 1, false, -1, V("S"));
    return p.odTotPagare;
  };
  // The queries of one footer, and a check that it is a good one.
  std::vector<std::string> interrogazioni;
  {
    scCalcPiedeFat p;
    p.osTabTesta = "DdtTest";
    p.osTabDett = "DdtDett";
    p.osTabLiv = "DdtLiv";
    p.osTabSpese = "DdtSpese";
    p.CalcPiedeFat(kAnno, 1, false, -1, V("S"));
    if (p.oiNumErrori != 0) {
      std::fprintf(stderr, "footer failed: %s\n", p.osErrori.c_str());
      return 1;
    }
    interrogazioni = p.SqlUltimoCalcolo();
    std::printf("footer: goods %s, taxable %s, VAT %s, expenses %s, stamps %s, to pay %s; %ld VAT keys\n",
                p.odTotMerce.ToString().c_str(), p.odTotImponibile.ToString().c_str(), p.odTotIva.ToString().c_str(),
                p.odTotSpese.ToString().c_str(), p.odTotBolli.ToString().c_str(), p.odTotPagare.ToString().c_str(),
                p.ogIve.ocCollIva.Count());
  }
  auto soloSelect = [&] {
    dati::GestRecordset rs;
    long campi = 0;
    for (const auto& sql : interrogazioni) {
      const std::string kr = rs.ApriRecordset(*db, k, "", sql, false, 4);
      dati::Recordset& r = rs.RecordsetDao(kr);
      for (; !rs.FineRec(kr); rs.ProssimoRec(kr))
        for (int i = 0; i < r.NumCampi(); ++i) campi += r.Valore(i).IsNull() ? 0 : 1;
      rs.ChiudiRecordset(kr);
    }
    return campi;
  };

  for (int i = 0; i < 3; ++i) {
    piede();
    soloSelect();
  }
  Orologio::duration tPiede{}, tSelect{};
  for (int i = 0; i < giri; ++i) {
    auto t0 = Orologio::now();
    piede();
    auto t1 = Orologio::now();
    soloSelect();
    auto t2 = Orologio::now();
    tPiede += t1 - t0;
    tSelect += t2 - t1;
  }
  const double msPiede = Ms(tPiede) / giri, msSelect = Ms(tSelect) / giri;
  std::printf("%d lines, %d expense rows, %zu queries per footer, %d runs\n", kRighe, kSpese,
              interrogazioni.size(), giri);
  std::printf("footer:            %8.2f ms\n", msPiede);
  std::printf("its SELECTs alone: %8.2f ms\n", msSelect);
  std::printf("ratio footer / SELECTs: %.2f; the engine's own work: %.2f ms (%.0f %% of the footer)\n",
              msPiede / msSelect, msPiede - msSelect, 100 * (msPiede - msSelect) / msPiede);
  db->ChiudiDatabase(k);
  std::filesystem::remove(file);
  return 0;
}
