#pragma once
// What every benchmark does the same way: time in milliseconds, the median
// and a percentile of the samples, and big companies made by copying demo
// rows inside the database rather than row by row from here.
#include <algorithm>
#include <chrono>
#include <string>
#include <utility>
#include <vector>

#include "platform/Testo.h"
#include "platform/dati/Motore.h"

namespace bench {

using Orologio = std::chrono::steady_clock;

inline double Ms(Orologio::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

inline double Mediana(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

inline double Percentile(std::vector<double> v, double p) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[std::min(v.size() - 1, static_cast<size_t>(p * static_cast<double>(v.size())))];
}

// The column list of a table of the SQLite company.
inline std::vector<std::string> Colonne(dati::Connessione& m, const std::string& tabella) {
  std::vector<std::string> c;
  for (const auto& r : m.Interroga("PRAGMA table_info(" + tabella + ")").righe) c.push_back(r[1].ToString());
  return c;
}

// Copies of the rows of `tabella` chosen by `dove`, one for each row of the
// numbers the CTE `numeri` gives (the table `daNumeri`, its columns usable
// in `cambia`), with the columns named in `cambia` computed.
inline void Copia(dati::Connessione& m, const std::string& tabella, const std::string& dove,
                  const std::vector<std::pair<std::string, std::string>>& cambia, const std::string& numeri,
                  const std::string& daNumeri = "n") {
  std::string elenco, valori;
  for (const std::string& c : Colonne(m, tabella)) {
    std::string v = tabella + "." + c;
    for (const auto& [nome, espr] : cambia)
      if (vb::Piega(nome) == vb::Piega(c)) v = espr;
    elenco += (elenco.empty() ? "" : ", ") + c;
    valori += (valori.empty() ? "" : ", ") + v;
  }
  m.Esegui("WITH RECURSIVE " + numeri + " INSERT INTO " + tabella + " (" + elenco + ") SELECT " + valori + " FROM " +
           tabella + ", " + daNumeri + " WHERE " + dove);
}

}  // namespace bench
