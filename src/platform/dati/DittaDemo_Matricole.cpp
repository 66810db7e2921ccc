// The demo company's serial history and batch/lot pairs: a drill serial
// loaded, sold and brought back by the customer for repair; a serial used
// both for the drill and for the screws; two batch/lot pairs of the oil
// loaded into the central store. Movements from number 20 on, so that the
// company's other movements keep their numbers.
#include <string>

#include "platform/FunzioniComuni.h"
#include "platform/dati/DittaDemo.h"
#include "platform/dati/GestDatabase.h"

namespace dati {

namespace {

std::string T(const std::string& v) { return vb::FunzioniComuni::Istanza().ValoreSql(vb::Variant(v), vb::vbString); }

}  // namespace

void DittaDemoMatricole(GestDatabase& db, const std::string& chiave) {
  using namespace demo;
  auto sql = [&](const std::string& s) { db.EseguiSql(chiave, s); };
  auto testa = [&](long numReg, const char* data, const char* causale, bool carico) {
    sql("Insert into MovMagTes (Anno, NumReg, DataReg, MagCausale, MagazzinoProv, MagazzinoDest, Moneta, Cambio)"
        " Values (2026, " + std::to_string(numReg) + ", " + T(data) + ", " + T(causale) + ", " +
        (carico ? std::string("Null") : T(kMagCentrale)) + ", " + (carico ? T(kMagCentrale) : std::string("Null")) +
        ", " + T(kEuro) + ", 1)");
  };
  auto riga = [&](long numReg, long rigLiv, const char* articolo, double qta, const char* partita,
                  const char* lotto) {
    sql("Insert into MovMagDett (Anno, NumReg, RigReg, RigLiv, Articolo, Qta, QtaAggMag, UM, FatCon, DescPers1,"
        " DescPers3) Values (2026, " + std::to_string(numReg) + ", " + std::to_string(rigLiv) + ", " +
        std::to_string(rigLiv) + ", " + T(articolo) + ", " + std::to_string(qta) + ", " + std::to_string(qta) +
        ", 'PZ', 1, " + (partita ? T(partita) : "Null") + ", " + (lotto ? T(lotto) : "Null") + ")");
  };
  auto matricola = [&](long numReg, long rigLiv, const char* m, const char* tipOpe) {
    sql("Insert into MovMagMatr (Anno, NumReg, RigLiv, Matricola, TipOpe) Values (2026, " + std::to_string(numReg) +
        ", " + std::to_string(rigLiv) + ", " + T(m) + ", " + T(tipOpe) + ")");
  };
  testa(kMovMatrCarico, "2026-11-03", kCausaleCarico, true);
  riga(kMovMatrCarico, 1, kArticoloMatricole, 2, nullptr, nullptr);
  matricola(kMovMatrCarico, 1, kMatricolaRiparata, "C");
  matricola(kMovMatrCarico, 1, kMatricolaDoppia, "C");
  riga(kMovMatrCarico, 2, kArticoloLotti, 6, kPartita1, kLotto1);
  riga(kMovMatrCarico, 3, kArticoloLotti, 4, kPartita1, kLotto2);
  testa(kMovMatrVendita, "2026-11-10", kCausaleVendita, false);
  riga(kMovMatrVendita, 1, kArticoloMatricole, 1, nullptr, nullptr);
  matricola(kMovMatrVendita, 1, kMatricolaRiparata, "S");
  testa(kMovMatrRientro, "2026-11-20", kCausaleReso, true);
  riga(kMovMatrRientro, 1, kArticoloMatricole, 1, nullptr, nullptr);
  matricola(kMovMatrRientro, 1, kMatricolaRiparata, "G");
  testa(kMovMatrViti, "2026-11-04", kCausaleCarico, true);
  riga(kMovMatrViti, 1, kArticoloViti, 1, nullptr, nullptr);
  matricola(kMovMatrViti, 1, kMatricolaDoppia, "C");
}

}  // namespace dati
