#include "platform/dati/Valutatore.h"

#include <cmath>

#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/Numeri.h"
#include "platform/Testo.h"
#include "platform/dati/Motore.h"
#include "platform/dati/RuntimeSQLite.h"

namespace dati {

using namespace sql;
using vb::Variant;

namespace {

Variant Numero(const std::string& t) {
  vb::Decimale d;
  vb::LeggiDecimale(t, vb::StileNumero::Punto, d);
  double v = vb::DoubleDaDecimale(d);
  if (t.find_first_of(".eE") == std::string::npos && std::fabs(v) < 2147483648.0)
    return Variant(static_cast<long long>(v));
  return Variant(v);
}

Variant Verita(bool b) { return Variant(b); }

int Confronta(const Variant& a, const Variant& b) {
  // Dates against date texts and numbers against number texts compare by
  // value, as the engine's typed columns do.
  if (a.IsDate() && b.IsString()) return Variant::Confronta(a, Variant(b.ToDate()));
  if (b.IsDate() && a.IsString()) return Variant::Confronta(Variant(a.ToDate()), b);
  if (a.IsNumber() && b.IsString() && b.IsNumeric()) return Variant::Confronta(a, Variant(b.ToDouble()));
  if (b.IsNumber() && a.IsString() && a.IsNumeric()) return Variant::Confronta(Variant(a.ToDouble()), b);
  return Variant::Confronta(a, b, vb::vbTextCompare);
}

Variant Funzione(const Nodo& n, const LeggiCampoFn& campo) {
  std::string f = vb::LCase(n.testo);
  if (!f.empty() && f.back() == '$') f.pop_back();
  std::vector<Variant> a;
  if (f == "iif") {
    return Vale(*n.figli.at(0), campo) ? Valuta(*n.figli.at(1), campo) : Valuta(*n.figli.at(2), campo);
  }
  for (const auto& x : n.figli) a.push_back(Valuta(*x, campo));
  auto arg = [&](size_t i) -> const Variant& {
    if (i >= a.size()) vb::Solleva(ErrSintassi, "Argomenti mancanti per " + n.testo);
    return a[i];
  };
  if (f == "isnull") return Verita(arg(0).IsNull());
  if (f == "nz") return arg(0).IsNull() ? (a.size() > 1 ? a[1] : Variant("")) : arg(0);
  for (const auto& x : a)
    if (x.IsNull()) return Variant(vb::Null);
  const auto& fc = vb::FunzioniComuni::Istanza();
  if (f == "ucase") return vb::UCase(arg(0).ToString());
  if (f == "lcase") return vb::LCase(arg(0).ToString());
  if (f == "trim") return vb::Trim(arg(0).ToString());
  if (f == "ltrim") return vb::LTrim(arg(0).ToString());
  if (f == "rtrim") return vb::RTrim(arg(0).ToString());
  if (f == "len") return Variant(static_cast<long long>(vb::Len(arg(0).ToString())));
  if (f == "left") return vb::Left(arg(0).ToString(), arg(1).ToLong());
  if (f == "right") return vb::Right(arg(0).ToString(), arg(1).ToLong());
  if (f == "mid") return vb::Mid(arg(0).ToString(), arg(1).ToLong(), a.size() > 2 ? a[2].ToLong() : -1);
  if (f == "val") return vb::Val(arg(0).ToString());
  if (f == "cstr") return arg(0).ToString();
  if (f == "clng") return Variant(static_cast<long long>(arg(0).ToLong()));
  if (f == "cint") return Variant(arg(0).ToInt());
  if (f == "cdbl") return arg(0).ToDouble();
  if (f == "ccur") return arg(0).ToCurrency();
  if (f == "cdate" || f == "datevalue") return arg(0).ToDate();
  if (f == "year") return Variant(static_cast<long long>(arg(0).ToDate().Year()));
  if (f == "month") return Variant(static_cast<long long>(arg(0).ToDate().Month()));
  if (f == "day") return Variant(static_cast<long long>(arg(0).ToDate().Day()));
  if (f == "date") return vb::Date::Today();
  if (f == "now") return vb::Date::Now();
  if (f == "abs") return std::fabs(arg(0).ToDouble());
  if (f == "int") return std::floor(arg(0).ToDouble());
  if (f == "fix") return std::trunc(arg(0).ToDouble());
  if (f == "instr") {
    if (a.size() == 3) return Variant(static_cast<long long>(vb::InStr(a[0].ToLong(), a[1].ToString(), a[2].ToString(), vb::vbTextCompare)));
    return Variant(static_cast<long long>(vb::InStr(arg(0).ToString(), arg(1).ToString(), vb::vbTextCompare)));
  }
  if (f == "format") return fc.Formatta(arg(0), arg(1).ToString());
  vb::Solleva(3085, "Funzione non definita nell'espressione: " + n.testo);
}

}  // namespace

Variant Valuta(const Nodo& n, const LeggiCampoFn& campo) {
  switch (n.tipo) {
    case TipoNodo::Numero: return Numero(n.testo);
    case TipoNodo::Testo: return Variant(n.testo);
    case TipoNodo::Data: return Variant(*vb::Date::Parse(n.testo));
    case TipoNodo::Nullo: return Variant(vb::Null);
    case TipoNodo::Booleano: return Variant(n.testo != "0");
    case TipoNodo::Colonna: return campo(n.qual, n.testo);
    case TipoNodo::Funzione: return Funzione(n, campo);
    case TipoNodo::Unario: {
      if (n.testo == "NOT") {
        Variant v = Valuta(*n.figli[0], campo);
        if (v.IsNull()) return v;
        return Verita(!v.ToBool());
      }
      Variant v = Valuta(*n.figli[0], campo);
      if (v.IsNull()) return v;
      if (v.VarType() == vb::vbCurrency) return -v.ToCurrency();
      return -v.ToDouble();
    }
    case TipoNodo::Binario: {
      const std::string& op = n.testo;
      if (op == "AND" || op == "OR") {
        Variant x = Valuta(*n.figli[0], campo);
        if (op == "AND" && !x.IsNull() && !x.ToBool()) return Verita(false);
        if (op == "OR" && !x.IsNull() && x.ToBool()) return Verita(true);
        Variant y = Valuta(*n.figli[1], campo);
        if (x.IsNull() || y.IsNull()) {
          if (op == "AND" && !y.IsNull() && !y.ToBool()) return Verita(false);
          if (op == "OR" && !y.IsNull() && y.ToBool()) return Verita(true);
          return Variant(vb::Null);
        }
        return Verita(y.ToBool());
      }
      Variant x = Valuta(*n.figli[0], campo);
      Variant y = Valuta(*n.figli[1], campo);
      // A Null side counts as empty; Null & Null stays Null, as in a query.
      if (op == "&") {
        if (x.IsNull() && y.IsNull()) return Variant(vb::Null);
        return (x.IsNull() ? "" : x.ToString()) + (y.IsNull() ? "" : y.ToString());
      }
      if (x.IsNull() || y.IsNull()) return Variant(vb::Null);
      if (op == "=") return Verita(Confronta(x, y) == 0);
      if (op == "<>") return Verita(Confronta(x, y) != 0);
      if (op == "<") return Verita(Confronta(x, y) < 0);
      if (op == ">") return Verita(Confronta(x, y) > 0);
      if (op == "<=") return Verita(Confronta(x, y) <= 0);
      if (op == ">=") return Verita(Confronta(x, y) >= 0);
      if (op == "LIKE") {
        bool m = vb::Like(x.ToString(), y.ToString(), vb::vbTextCompare);
        return Verita(n.negato ? !m : m);
      }
      if (op == "+" && x.IsString() && y.IsString()) return x.ToString() + y.ToString();
      if (x.VarType() == vb::vbCurrency && y.VarType() == vb::vbCurrency) {
        if (op == "+") return x.ToCurrency() + y.ToCurrency();
        if (op == "-") return x.ToCurrency() - y.ToCurrency();
      }
      double p = x.ToDouble(), q = y.ToDouble();
      if (op == "+") return p + q;
      if (op == "-") return p - q;
      if (op == "*") return p * q;
      // The same arithmetic as the engine's functions, so that a search
      // finds what a query with the same criterion selects.
      if (op == "/") return sqlite::Diviso(p, q);
      if (op == "\\") return Variant(static_cast<long long>(sqlite::DivisoIntero(p, q)));
      if (op == "MOD") return Variant(static_cast<long long>(sqlite::Resto(p, q)));
      vb::Solleva(ErrSintassi, "Operatore non gestito nella ricerca: " + op);
    }
    case TipoNodo::TraValori: {
      Variant x = Valuta(*n.figli[0], campo);
      Variant a = Valuta(*n.figli[1], campo), b = Valuta(*n.figli[2], campo);
      if (x.IsNull() || a.IsNull() || b.IsNull()) return Variant(vb::Null);
      bool d = Confronta(x, a) >= 0 && Confronta(x, b) <= 0;
      return Verita(n.negato ? !d : d);
    }
    case TipoNodo::InLista: {
      Variant x = Valuta(*n.figli[0], campo);
      if (x.IsNull()) return x;
      bool c = false;
      for (size_t i = 1; i < n.figli.size() && !c; ++i) {
        Variant v = Valuta(*n.figli[i], campo);
        c = !v.IsNull() && Confronta(x, v) == 0;
      }
      return Verita(n.negato ? !c : c);
    }
    case TipoNodo::ENullo: {
      bool e = Valuta(*n.figli[0], campo).IsNull();
      return Verita(n.negato ? !e : e);
    }
    default:
      vb::Solleva(ErrSintassi, "Espressione non gestita in una ricerca");
  }
}

bool Vale(const Nodo& n, const LeggiCampoFn& campo) {
  Variant v = Valuta(n, campo);
  return !v.IsNull() && v.ToBool();
}

}  // namespace dati
