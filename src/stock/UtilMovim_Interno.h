#pragma once
// Helpers shared by the files of UtilMovim: literals, readings, rounding.
#include <cstdint>
#include <string>

#include "common/Globali.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/Variant.h"
#include "platform/dati/GestRecordset.h"
#include "services/DbDitta.h"
#include "services/Impostazioni.h"

namespace UtilMovim::interno {

inline const vb::FunzioniComuni& Fc() { return vb::FunzioniComuni::Istanza(); }
inline std::string Tx(const std::string& v) { return Fc().ValoreSql(vb::Variant(v), vb::vbString); }
inline std::string In(int16_t v) { return Fc().ValoreSql(vb::Variant(v), vb::vbInteger); }
inline std::string Lg(int32_t v) { return Fc().ValoreSql(vb::Variant(static_cast<long>(v)), vb::vbLong); }
inline std::string Lit(const vb::Variant& v, int tipo) { return Fc().ValoreSql(v, tipo); }

inline double R(double x, int16_t decimali) { return Fc().Arrotonda(vb::Variant(x), "A", 1, -decimali); }
inline bool Ug(const std::string& a, const char* b) { return vb::UgualeTesto(vb::Trim(a), b); }

// A column of a recordset as text, number, integer.
inline std::string T(dati::GestRecordset& rs, const std::string& k, const std::string& campo) {
  return servizi::Testo(rs.LeggiCampo(k, campo));
}
inline double D(dati::GestRecordset& rs, const std::string& k, const std::string& campo) {
  return Fc().ValDouble(rs.LeggiCampo(k, campo));
}
inline int16_t I(dati::GestRecordset& rs, const std::string& k, const std::string& campo) {
  return Fc().ValInt(rs.LeggiCampo(k, campo));
}

inline std::string OpenRs(dati::GestRecordset& rs, const std::string& sql, int tipo) {
  return rs.ApriRecordset(servizi::DbDitta(), G().gsConnAzienda, "", sql, false, tipo);
}

inline void ChiudiSilenzioso(dati::GestRecordset& rs, std::string& k) {
  if (k.empty()) return;
  try {
    rs.ChiudiRecordset(k);
  } catch (...) {
  }
  k.clear();
}

// A date column as a comparable serial; nullopt-like NaN check via flag.
inline bool DataValida(const vb::Variant& v) { return !(v.IsNull() || v.IsEmpty()) && v.IsDateLike(); }

}  // namespace UtilMovim::interno
