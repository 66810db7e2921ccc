#pragma once
// The PostgreSQL server of the tests (scripts/pg.sh): its connect text comes
// from DDT_PG_CONNECT; each test works in a database of its own, created
// through ddt_test and dropped at the end, so tests run in parallel.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <thread>

#include "platform/Errore.h"
#include "platform/Testo.h"
#include "platform/dati/Motore.h"
#include "platform/dati/RuntimeServer.h"
#include "support/Errori.h"

namespace prova {

inline std::string ConnessioneServer() {
  const char* c = std::getenv("DDT_PG_CONNECT");
  return c ? c : "";
}

// Value of one attribute of a plain connect text ("" when absent).
inline std::string AttributoConnessione(const std::string& testo, const std::string& chiave) {
  for (const std::string& parte : vb::Split(testo, ";")) {
    const size_t u = parte.find('=');
    if (u != std::string::npos && vb::UgualeTesto(vb::Trim(parte.substr(0, u)), chiave))
      return vb::Trim(parte.substr(u + 1));
  }
  return {};
}

// The same text with one attribute replaced (or added).
inline std::string ConAttributo(const std::string& testo, const std::string& chiave, const std::string& valore) {
  std::string out;
  bool fatto = false;
  for (const std::string& parte : vb::Split(testo, ";")) {
    if (parte.empty()) continue;
    const size_t u = parte.find('=');
    std::string p = parte;
    if (u != std::string::npos && vb::UgualeTesto(vb::Trim(parte.substr(0, u)), chiave)) {
      p = parte.substr(0, u + 1) + valore;
      fatto = true;
    }
    out += (out.empty() ? "" : ";") + p;
  }
  if (!fatto) out += ";" + chiave + "=" + valore;
  return out;
}

// The same text without one attribute.
inline std::string SenzaAttributo(const std::string& testo, const std::string& chiave) {
  std::string out;
  for (const std::string& parte : vb::Split(testo, ";")) {
    const size_t u = parte.find('=');
    if (parte.empty() || (u != std::string::npos && vb::UgualeTesto(vb::Trim(parte.substr(0, u)), chiave)))
      continue;
    out += (out.empty() ? "" : ";") + parte;
  }
  return out;
}

inline std::string NomeCasuale(const std::string& prefisso) {
  std::random_device rd;
  std::mt19937_64 g((static_cast<uint64_t>(rd()) << 32) ^ rd());
  char buf[24];
  std::snprintf(buf, sizeof buf, "%012llx", static_cast<unsigned long long>(g() & 0xFFFFFFFFFFFFULL));
  return prefisso + buf;
}

class DatabaseServer {
 public:
  DatabaseServer() : nome_(NomeCasuale("ddt_t_")) {
    auto admin = dati::ApriOdbc(ConnessioneServer());
    admin->Esegui("CREATE DATABASE " + nome_);
  }
  ~DatabaseServer() {
    // An autovacuum worker may be inside the database just dropped: the
    // test role cannot end it, so the drop is refused until it leaves.
    for (int tentativo = 1;; ++tentativo) {
      try {
        auto admin = dati::ApriOdbc(ConnessioneServer());
        admin->Esegui("DROP DATABASE IF EXISTS " + nome_ + " WITH (FORCE)");
        return;
      } catch (const vb::Errore& e) {
        if (tentativo >= 50) {
          ADD_FAILURE() << "database " << nome_ << " non eliminato: " << e.Description();
          return;
        }
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
  }
  DatabaseServer(const DatabaseServer&) = delete;
  DatabaseServer& operator=(const DatabaseServer&) = delete;

  const std::string& Nome() const { return nome_; }
  std::string Connessione() const { return ConAttributo(ConnessioneServer(), "DATABASE", nome_); }
  // A connection to it, with the run time installed unless told otherwise.
  std::unique_ptr<dati::Connessione> Apri(bool runtime = true) const {
    auto c = dati::ApriOdbc(Connessione());
    if (runtime) dati::InstallaRuntimeServer(*c);
    return c;
  }

 private:
  std::string nome_;
};

}  // namespace prova

#define SALTA_SENZA_SERVER()                                                                    \
  if (prova::ConnessioneServer().empty())                                                       \
  GTEST_SKIP() << "DDT_PG_CONNECT is not set: no PostgreSQL test server "                       \
                  "(bash scripts/pg.sh start; eval \"$(bash scripts/pg.sh env)\")"
