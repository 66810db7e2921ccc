#include "platform/barre/BarraNavigazione.h"

#include "platform/barre/frmImgComPag.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/FunzioniComuniUi.h"
#include "platform/MsgBox.h"
#include "platform/Numeri.h"
#include "platform/Testo.h"
#include "platform/dati/GestDatabase.h"
#include "platform/dati/Transazioni.h"

namespace barre {

namespace {

const vb::FunzioniComuni& Fc() { return vb::FunzioniComuni::Istanza(); }

const char* const kChiaveDati = "BarraNav.Dati";
const char* const kChiaveNuovo = "BarraNav.Nuovo";
const char* const kChiaveStato = "BarraNav.Stato";

bool Vuoto(const vb::Variant& v) {
  if (v.IsEmpty() || v.IsNull() || v.IsMissing()) return true;
  if (v.IsString()) return vb::Trim(*v.StringPtr()).empty();
  return false;
}

bool Fermata(const vb::Variant& r) {
  if (r.IsEmpty() || r.IsNull() || r.IsMissing()) return false;
  if (r.IsString()) return !r.StringPtr()->empty() && *r.StringPtr() != "0";
  if (r.IsNumber() || r.VarType() == vb::vbBoolean) return r.ToDouble() != 0;
  return true;
}

bool TestoVuoto(const vb::Variant& r) {
  if (r.IsEmpty()) return true;
  return r.IsString() && r.StringPtr()->empty();
}

bool Numerico(dati::TipoCampo t) {
  using dati::TipoCampo;
  return t == TipoCampo::Byte || t == TipoCampo::Intero || t == TipoCampo::Lungo || t == TipoCampo::Doppio ||
         t == TipoCampo::Importo;
}
bool Intero(dati::TipoCampo t) {
  using dati::TipoCampo;
  return t == TipoCampo::Byte || t == TipoCampo::Intero || t == TipoCampo::Lungo;
}

// Two stored values the same? Numbers to the fourth decimal, texts exactly.
bool Uguali(const vb::Variant& a, const vb::Variant& b) {
  const bool na = a.IsNull() || a.IsEmpty(), nb = b.IsNull() || b.IsEmpty();
  if (na || nb) {
    auto vuotoTesto = [](const vb::Variant& v) { return v.IsString() && v.StringPtr()->empty(); };
    return (na || vuotoTesto(a)) && (nb || vuotoTesto(b));
  }
  if ((a.IsNumber() || a.VarType() == vb::vbBoolean) && (b.IsNumber() || b.VarType() == vb::vbBoolean))
    return std::fabs(a.ToDouble() - b.ToDouble()) < 0.00005;
  if (a.IsDate() || b.IsDate()) {
    if (!a.IsDateLike() || !b.IsDateLike()) return false;
    return std::fabs(a.ToDate().Serial() - b.ToDate().Serial()) < 1.0 / 86400 / 2;
  }
  return a.ToString() == b.ToString();
}

bool LeggiNumero(const std::string& testo, double& out) {
  vb::Decimale d;
  if (vb::LeggiDecimale(testo, vb::StileNumero::Italiano, d) || vb::LeggiDecimale(testo, vb::StileNumero::Punto, d)) {
    out = vb::DoubleDaDecimale(d);
    return std::isfinite(out);
  }
  return false;
}

// A date as the user types it: dd/mm/yyyy (also "-" or "."; two-digit
// years), ddmmyy or ddmmyyyy; a day the month does not have is refused.
bool LeggiData(const std::string& t, vb::Date& out) {
  std::vector<int> n;
  std::vector<int> lung;
  std::string cifre;
  for (char ch : t) {
    if (std::isdigit(static_cast<unsigned char>(ch))) {
      cifre += ch;
    } else if (ch == '/' || ch == '-' || ch == '.') {
      if (cifre.empty() || cifre.size() > 4) return false;
      n.push_back(std::stoi(cifre));
      lung.push_back(static_cast<int>(cifre.size()));
      cifre.clear();
    } else {
      return false;
    }
  }
  if (n.empty()) {
    if (cifre.size() != 6 && cifre.size() != 8) return false;
    n = {std::stoi(cifre.substr(0, 2)), std::stoi(cifre.substr(2, 2)), std::stoi(cifre.substr(4))};
    lung = {2, 2, static_cast<int>(cifre.size()) - 4};
  } else {
    if (cifre.empty() || cifre.size() > 4) return false;
    n.push_back(std::stoi(cifre));
    lung.push_back(static_cast<int>(cifre.size()));
  }
  if (n.size() != 3 || lung[0] > 2 || lung[1] > 2 || (lung[2] != 2 && lung[2] != 4)) return false;
  int g = n[0], m = n[1], a = n[2];
  if (lung[2] == 2) a += a < 30 ? 2000 : 1900;
  if (m < 1 || m > 12 || g < 1 || a < 100 || a > 9999) return false;
  static const int giorni[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  int max = giorni[m - 1];
  if (m == 2 && ((a % 4 == 0 && a % 100 != 0) || a % 400 == 0)) max = 29;
  if (g > max) return false;
  out = vb::Date::FromYmd(a, m, g);
  return true;
}

// A time of day typed into a box over a date column ("8:12", "08.12",
// "08:12:30"): the serial fraction of the day, as the legacy stored a bare
// time.
bool LeggiOra(const std::string& t, vb::Date& out) {
  std::vector<int> n;
  std::string cifre;
  for (char ch : t + ":") {
    if (std::isdigit(static_cast<unsigned char>(ch))) {
      cifre += ch;
    } else if (ch == ':' || ch == '.') {
      if (cifre.empty() || cifre.size() > 2) return false;
      n.push_back(std::stoi(cifre));
      cifre.clear();
    } else {
      return false;
    }
  }
  if (n.size() < 2 || n.size() > 3) return false;
  const int h = n[0], m = n[1], sec = n.size() == 3 ? n[2] : 0;
  if (h > 23 || m > 59 || sec > 59) return false;
  out = vb::Date::FromSerial((h * 3600.0 + m * 60.0 + sec) / 86400.0);
  return true;
}

int CifreIntere(double v) {
  double a = std::floor(std::fabs(v));
  int n = 0;
  while (a >= 1) {
    a = std::floor(a / 10);
    ++n;
  }
  return n;
}

}  // namespace

std::string CampoBarra::Descrizione() const {
  std::string d = etichetta ? etichetta->Caption() : descrizione;
  d = vb::Trim(vb::Replace(d, "&", ""));
  while (!d.empty() && d.back() == ':') d.pop_back();
  return d.empty() ? osColonna : d;
}

BarraRecord::BarraRecord() { variabili_["inmuovi"] = vb::Variant(""); }

BarraRecord::~BarraRecord() {
  // The list window lets go of the bar; only one still loaded is told (a
  // list that closed has called ChiudiLista already).
  const auto& forme = ui::Forms();
  if (lista_ && std::find(forme.begin(), forme.end(), lista_) != forme.end()) {
    if (auto* l = dynamic_cast<ListaCollegata*>(lista_)) {
      try {
        l->impOggBase(nullptr);
      } catch (const vb::Errore&) {
      }
    }
  }
}

// ---------------------------------------------------------------- set-up

void BarraRecord::AbilHook(int piOper, bool pbAbil) {
  hook_.erase(std::remove(hook_.begin(), hook_.end(), piOper), hook_.end());
  if (pbAbil) hook_.push_back(piOper);
}

bool BarraRecord::Abilitato(int op) const { return std::find(hook_.begin(), hook_.end(), op) != hook_.end(); }

int BarraRecord::DefinisciCampo(const std::string& psColonna, ui::Controllo& pCtl, const DescrCampo& p1,
                                const vb::Variant& p2, const vb::Variant&, const vb::Variant&,
                                const vb::Variant& p5, const vb::Variant&, const vb::Variant& p7,
                                const vb::Variant& p8, const vb::Variant& p9, const vb::Variant& p10,
                                const vb::Variant&, int, const std::string&) {
  CampoBarra c;
  c.osColonna = psColonna;
  if (vb::Left(psColonna, 3) == "|-|") {
    std::vector<std::string> parti = vb::Split(psColonna.substr(3), "|");
    if (parti.size() != 3) vb::Solleva(5, "Terna di colonne non valida: " + psColonna);
    c.colonne = parti;
  } else {
    c.colonne = {psColonna};
  }
  c.tipi.assign(c.colonne.size(), dati::TipoCampo::Testo);
  c.ctl = &pCtl;
  c.descrizione = p1.testo;
  c.etichetta = p1.etichetta;
  if (!Vuoto(p2)) c.parteChiave = p2.ToInt();
  if (!Vuoto(p5)) c.opzione5 = p5.ToInt();
  if (!p7.IsMissing()) c.predefinito = p7;
  if (!Vuoto(p8)) {
    // n.d: n digits (or width), d decimals; negative: negatives accepted.
    double d = p8.ToDouble();
    c.negativi = d < 0;
    d = std::fabs(d);
    c.cifre = static_cast<int>(std::floor(d));
    std::string t = vb::TestoDoubleSql(d);
    size_t punto = t.find('.');
    c.decimali = punto == std::string::npos ? 0 : std::stoi(t.substr(punto + 1));
  }
  if (!Vuoto(p9)) c.obbligatorio = p9.ToDouble() != 0;
  if (!Vuoto(p10)) c.maschera = p10.ToString();
  c.coloreOrig = pCtl.BackColor();
  campi_.push_back(std::move(c));
  if (db_) LeggiTipi();
  return static_cast<int>(campi_.size());
}

void BarraRecord::ImpImmagini(const std::string&, ui::Controllo& pToolbar, ui::Controllo* pImgPiccole, ui::Controllo*) {
  toolbar_ = &pToolbar;
  // Each button takes the picture its key has in the list (the icon
  // theme's name); a backend shows the button's letter where none fits.
  ui::Controllo* lista = pImgPiccole ? pImgPiccole : &frmImgComPag::Istanza().C("ImagePiccole");
  for (int i = 1; i <= pToolbar.NumElementi(); ++i) {
    ui::Elemento& e = pToolbar.Elem(i);
    if (e.Style == ui::tbrSeparator || e.Key.empty()) continue;
    if (lista->HaElem(e.Key)) e.Image = lista->Elem(e.Key).Image;
  }
  pToolbar.ElementoCambiato();
  if (form_) SistemaBottoni();
}

void BarraRecord::Collega(ui::Form& pForm, dati::GestDatabase& pDb, const std::string& psConn, ui::Form* pLista) {
  form_ = &pForm;
  db_ = &pDb;
  conn_ = psConn;
  lista_ = pLista;
  LeggiTipi();
  if (auto* l = dynamic_cast<ListaCollegata*>(pLista)) l->impOggBase(this);
  modo_ = 0;
  SistemaBottoni();
}

void BarraRecord::LeggiTipi() {
  const dati::TabellaCat* t = nullptr;
  try {
    t = db_->Motore(conn_).LeggiCatalogo().Tabella(tabella_);
  } catch (const vb::Errore&) {
  }
  if (!t) return;
  for (CampoBarra& c : campi_)
    for (size_t i = 0; i < c.colonne.size(); ++i) {
      int k = t->Colonna(c.colonne[i]);
      if (k >= 0) c.tipi[i] = t->colonne[static_cast<size_t>(k)].tipo;
    }
}

int BarraRecord::TipoSql(dati::TipoCampo t) const {
  using dati::TipoCampo;
  switch (t) {
    case TipoCampo::Byte:
    case TipoCampo::Intero: return vb::vbInteger;
    case TipoCampo::Lungo: return vb::vbLong;
    case TipoCampo::Doppio: return vb::vbDouble;
    case TipoCampo::Importo: return vb::vbCurrency;
    case TipoCampo::Data: return vb::vbDate;
    case TipoCampo::SiNo: return vb::vbBoolean;
    default: return vb::vbString;
  }
}

void BarraRecord::SetoiAbilRW(int v) {
  abilRW_ = v;
  if (form_) SistemaBottoni();
}

vb::Variant BarraRecord::ovLeggiPar(const std::string& psNome) const {
  auto it = parametri_.find(vb::Piega(psNome));
  return it == parametri_.end() ? vb::Variant() : it->second;
}

void BarraRecord::SetovLeggiPar(const std::string& psNome, const vb::Variant& pvValore) {
  parametri_[vb::Piega(psNome)] = pvValore;
}

vb::Variant BarraRecord::LeggiVarBarra(const std::string& psNome, int) const {
  auto it = variabili_.find(vb::Piega(psNome));
  return it == variabili_.end() ? vb::Variant("") : it->second;
}

void BarraRecord::ScriviVarBarra(const std::string& psNome, int, const vb::Variant& pvValore) {
  variabili_[vb::Piega(psNome)] = pvValore;
}

std::string BarraRecord::TastoPremuto(int piKeyCode) {
  if (!toolbar_) return "";
  for (int i = 1; i <= toolbar_->NumElementi(); ++i) {
    const ui::Elemento& e = toolbar_->Elem(i);
    const std::string& t = e.ToolTipText;
    if (t.size() >= 3 && t[0] == '(' && t[2] == ')' &&
        std::toupper(static_cast<unsigned char>(t[1])) == piKeyCode)
      return e.Key;
  }
  return "";
}

// ---------------------------------------------------------------- hooks

vb::Variant BarraRecord::Chiama(const std::string& nome, int op, vb::Variant& rit, std::vector<vb::Variant>& arr) {
  std::vector<vb::Variant> a;
  a.reserve(2 + arr.size());
  a.emplace_back(static_cast<int16_t>(op));
  a.push_back(rit);
  for (const vb::Variant& v : arr) a.push_back(v);
  vb::Variant r = form_->ChiamaPerNome(nome, a);
  if (a.size() >= 2) rit = a[1];
  for (size_t i = 0; i < arr.size() && i + 2 < a.size(); ++i) arr[i] = a[i + 2];
  return r;
}

vb::Variant BarraRecord::Prima(int op, vb::Variant& rit, std::vector<vb::Variant>& arr) {
  if (!form_ || !Abilitato(op)) return vb::Variant(static_cast<int16_t>(0));
  try {
    return Chiama("PersPagPri", op, rit, arr);
  } catch (const vb::Errore& e) {
    Messaggio("Errore(" + std::to_string(e.Number()) + "): " + e.Description());
    rit = vb::Variant(static_cast<long>(e.Number()));
    return rit;
  }
}

void BarraRecord::Dopo(int op, vb::Variant& rit, std::vector<vb::Variant>& arr) {
  if (!form_ || !Abilitato(op)) return;
  try {
    Chiama("PersPagDop", op, rit, arr);
  } catch (const vb::Errore& e) {
    Messaggio("Errore(" + std::to_string(e.Number()) + "): " + e.Description());
    rit = vb::Variant(static_cast<long>(e.Number()));
  }
}

// ---------------------------------------------------------------- messages

void BarraRecord::Messaggio(const std::string& testo) const {
  vb::MsgBox(testo, vb::vbOKOnly | vb::vbExclamation, form_ ? form_->Caption() : std::string());
}

void BarraRecord::PannelloMessaggio(const std::string& testo) const {
  if (!form_) return;
  for (const auto& c : form_->Controlli())
    if (c->tipo() == ui::Tipo::StatusBar && c->HaElem("Messaggio")) {
      c->Elem("Messaggio").Caption = testo;
      c->ElementoCambiato();
    }
}

// ---------------------------------------------------------------- modes

int BarraRecord::oiFlagOpe() const { return inScrittura_ ? 2 : modo_; }

void BarraRecord::SistemaBottoni() {
  const int m = modo_;
  if (picTestata_) picTestata_->SetEnabled(m == 0);
  if (picDettaglio_) picDettaglio_->SetEnabled(m != 0);
  PannelloMessaggio(m == 0 ? msgChiave_ : std::string());
  if (!toolbar_) return;
  const bool rw = abilRW_ != 0;
  auto imposta = [&](const char* key, bool abil) {
    if (toolbar_->HaElem(key)) toolbar_->Elem(key).Enabled = abil;
  };
  imposta("Ricerca", m == 0 || m == 1);
  imposta("Aggiorna", m == 1);
  imposta("Nuovo", rw && (m == 0 || m == 1));
  imposta("Salva", rw && m != 0);
  imposta("Annulla", m != 0);
  imposta("Cancella", rw && m == 1);
  imposta("Duplica", rw && (m == 1 || m == 3));
  imposta("VarKey", m != 0);
  imposta("Lista", true);
  imposta("ListaAvanti", lista_ != nullptr && m != 2 && m != 3);
  imposta("ListaInd", lista_ != nullptr && m != 2 && m != 3);
  for (const char* k : {"Inizio", "Fine", "Precedente", "Successivo"}) imposta(k, m == 0 || m == 1);
  toolbar_->ElementoCambiato();
}

void BarraRecord::CambiaModo(int m) {
  modo_ = m;
  SistemaBottoni();
  vb::Variant rit = "";
  std::vector<vb::Variant> arr(3);
  arr[0] = vb::Variant(static_cast<int16_t>(m));
  Dopo(1, rit, arr);
}

std::string BarraRecord::TestoDi(const CampoBarra& c, const std::vector<vb::Variant>& v) const {
  if (c.Terna()) {
    bool vuoti = true;
    for (const vb::Variant& x : v) vuoti = vuoti && Vuoto(x);
    if (vuoti) return "";
    std::string s;
    for (size_t i = 0; i < v.size(); ++i) s += (i ? "-" : "") + (Vuoto(v[i]) ? std::string() : v[i].ToString());
    return s;
  }
  const vb::Variant& x = v.empty() ? vb::Variant() : v[0];
  if (x.IsNull() || x.IsEmpty()) return "";
  const dati::TipoCampo t = c.tipi[0];
  if (t == dati::TipoCampo::Data || x.IsDate())
    return Fc().Formatta(x, c.maschera.empty() ? "dd/mm/yyyy" : c.maschera);
  if (Numerico(t) && (x.IsNumber() || x.IsNumeric())) {
    if (!c.maschera.empty()) return Fc().Formatta(x, c.maschera);
    if (Intero(t)) return std::to_string(static_cast<long long>(std::llround(x.ToDouble())));
    return vb::TestoDouble(x.ToDouble());
  }
  if (t == dati::TipoCampo::SiNo) return x.ToBool() ? "-1" : "0";
  return x.ToString();
}

bool BarraRecord::LeggiBox(CampoBarra& c, std::vector<vb::Variant>& out, std::string& errore) const {
  out.assign(c.colonne.size(), vb::Variant(vb::Null));
  const std::string testo = c.ctl->Text();
  const std::string t = vb::Trim(testo);
  if (t.empty()) return true;
  std::vector<std::string> parti;
  if (c.Terna()) {
    parti = vb::Split(t, "-");
    if (parti.size() != 3) {
      errore = "il conto va scritto in tre parti separate da \"-\"";
      return false;
    }
  } else {
    parti = {testo};
  }
  for (size_t i = 0; i < parti.size(); ++i) {
    const dati::TipoCampo tipo = c.tipi[i];
    const std::string p = c.Terna() ? vb::Trim(parti[i]) : parti[i];
    const std::string pt = vb::Trim(p);
    if (pt.empty()) continue;
    if (Numerico(tipo)) {
      double d = 0;
      if (!LeggiNumero(pt, d)) {
        errore = "\"" + pt + "\" non è un numero";
        return false;
      }
      if (d < 0 && !c.negativi && !c.Terna()) {
        errore = "non sono ammessi valori negativi";
        return false;
      }
      if (c.decimali > 0) d = vb::ArrotondaDouble(d, vb::ModoArrot::Vicino, 1, -c.decimali);
      const int maxIntere = c.cifre > 0 ? c.cifre - (c.decimali > 0 ? c.decimali : 0) : 0;
      if (maxIntere > 0 && CifreIntere(d) > maxIntere) {
        errore = "il valore ha più di " + std::to_string(maxIntere) + " cifre intere";
        return false;
      }
      if (Intero(tipo)) {
        if (d != std::floor(d)) {
          errore = "è richiesto un numero intero";
          return false;
        }
        const double lim = tipo == dati::TipoCampo::Byte ? 255 : tipo == dati::TipoCampo::Intero ? 32767 : 2147483647.0;
        if (d > lim || d < -lim - 1) {
          errore = "numero fuori dai limiti";
          return false;
        }
        if (tipo == dati::TipoCampo::Lungo) out[i] = vb::Variant(static_cast<int32_t>(d));
        else out[i] = vb::Variant(static_cast<int16_t>(d));
      } else if (tipo == dati::TipoCampo::Importo) {
        if (std::fabs(d) > 9e14) {
          errore = "numero fuori dai limiti";
          return false;
        }
        out[i] = vb::Variant(vb::Variant(d).ToCurrency());
      } else {
        out[i] = vb::Variant(d);
      }
    } else if (tipo == dati::TipoCampo::Data) {
      vb::Date d;
      const bool ora = vb::UCase(c.maschera).rfind("HH", 0) == 0;
      if (ora ? !LeggiOra(pt, d) : !LeggiData(pt, d)) {
        errore = "\"" + pt + "\" non è " + (ora ? "un'ora valida" : "una data valida");
        return false;
      }
      out[i] = vb::Variant(d);
    } else if (tipo == dati::TipoCampo::SiNo) {
      std::string u = vb::UCase(pt);
      if (u == "S" || u == "SI" || u == "-1" || u == "1" || u == "VERO") out[i] = vb::Variant(true);
      else if (u == "N" || u == "NO" || u == "0" || u == "FALSO") out[i] = vb::Variant(false);
      else {
        errore = "è richiesto S oppure N";
        return false;
      }
    } else {
      out[i] = vb::Variant(p);
    }
  }
  return true;
}

bool BarraRecord::ValoriDaBox(std::map<std::string, vb::Variant>& valori, std::string& errore) {
  std::vector<vb::Variant> v;
  for (CampoBarra& c : campi_) {
    std::string perche;
    bool ok = LeggiBox(c, v, perche);
    if (ok && c.obbligatorio) {
      bool vuoto = true;
      for (const vb::Variant& x : v) vuoto = vuoto && Vuoto(x);
      if (vuoto) {
        ok = false;
        errore = "Il campo \"" + c.Descrizione() + "\" è obbligatorio";
      }
    } else if (!ok) {
      errore = "Valore non valido nel campo \"" + c.Descrizione() + "\": " + perche;
    }
    if (!ok) {
      c.ctl->SetBackColor(coloreErrore_);
      errore_ = c.osColonna;
      return false;
    }
    if (c.ctl->BackColor() == coloreErrore_) c.ctl->SetBackColor(c.coloreOrig);
    for (size_t i = 0; i < c.colonne.size(); ++i) valori[vb::Piega(c.colonne[i])] = v[i];
  }
  return true;
}

void BarraRecord::Svuota(bool predefiniti, bool tieniChiave) {
  for (CampoBarra& c : campi_) {
    if (tieniChiave && c.parteChiave != 0) {
      c.mostrato = c.ctl->Text();
      continue;
    }
    std::string t;
    if (predefiniti && !c.predefinito.IsEmpty() && !c.predefinito.IsNull()) {
      std::vector<vb::Variant> v(c.colonne.size(), c.predefinito);
      t = TestoDi(c, v);
    }
    c.ctl->SetText(t);
    if (c.ctl->BackColor() == coloreErrore_) c.ctl->SetBackColor(c.coloreOrig);
    c.mostrato = t;
  }
}

void BarraRecord::MostraValori() {
  ++mostrati_;
  letti_.clear();
  for (CampoBarra& c : campi_) {
    std::vector<vb::Variant> v;
    for (const std::string& col : c.colonne) {
      vb::Variant x = rs_.LeggiCampoNull(chiaveDati_, col);
      letti_[vb::Piega(col)] = x;
      v.push_back(x);
    }
    std::string t = TestoDi(c, v);
    c.ctl->SetText(t);
    if (c.ctl->BackColor() == coloreErrore_) c.ctl->SetBackColor(c.coloreOrig);
    c.mostrato = t;
  }
  haRiga_ = true;
}

void BarraRecord::Memorizza() {
  for (CampoBarra& c : campi_) c.mostrato = c.ctl->Text();
}

std::string BarraRecord::CondizioneChiave(const std::map<std::string, vb::Variant>& valori) const {
  std::string dove;
  for (const CampoBarra& c : campi_) {
    if (c.parteChiave == 0) continue;
    for (size_t i = 0; i < c.colonne.size(); ++i) {
      auto it = valori.find(vb::Piega(c.colonne[i]));
      vb::Variant v = it == valori.end() ? vb::Variant(vb::Null) : it->second;
      dove += (dove.empty() ? "" : " And ") + tabella_ + "." + c.colonne[i];
      dove += Vuoto(v) ? std::string(" Is Null") : " = " + Fc().ValoreSql(v, TipoSql(c.tipi[i]));
    }
  }
  return dove;
}

bool BarraRecord::Cerca(const std::string& dove) {
  ultimaSql_ = "Select * from " + tabella_ + " Where " + dove;
  chiaveDati_ = rs_.ApriRecordset(*db_, conn_, kChiaveDati, ultimaSql_, false, 2);
  return !rs_.NessunRecord(chiaveDati_);
}

bool BarraRecord::LeggiChiaveDigitata(std::string& dove) {
  std::map<std::string, vb::Variant> valori;
  std::vector<vb::Variant> v;
  for (CampoBarra& c : campi_) {
    if (c.parteChiave == 0) continue;
    std::string perche;
    if (!LeggiBox(c, v, perche)) {
      c.ctl->SetBackColor(coloreErrore_);
      Messaggio("Valore non valido nel campo \"" + c.Descrizione() + "\": " + perche);
      return false;
    }
    for (size_t i = 0; i < c.colonne.size(); ++i) {
      if (Vuoto(v[i])) {
        Messaggio("Impostare il campo \"" + c.Descrizione() + "\" della chiave");
        return false;
      }
      valori[vb::Piega(c.colonne[i])] = v[i];
    }
    if (c.ctl->BackColor() == coloreErrore_) c.ctl->SetBackColor(c.coloreOrig);
  }
  dove = CondizioneChiave(valori);
  return !dove.empty();
}

// A record read is shown: values, after 5, the buttons of mode 1, after 1.
void BarraRecord::MostraLetto() {
  modo_ = 1;
  scritti_.clear();
  MostraValori();
  // The data container is open before the window's read hook runs, so
  // that the hook can place the focus on the record's fields; a focus left
  // on the key, now closed, goes to the data container meanwhile.
  SistemaBottoni();
  if (picDettaglio_ && form_) {
    ui::Controllo* a = form_->ActiveControl();
    if ((!a || !a->PuoFuoco()) && picDettaglio_->PuoFuoco()) {
      try {
        picDettaglio_->SetFocus();
      } catch (const vb::Errore&) {
      }
    }
  }
  vb::Variant rit = "";
  std::vector<vb::Variant> arr(3);
  Dopo(5, rit, arr);
  CambiaModo(1);
}

// ---------------------------------------------------------------- state

vb::Variant BarraRecord::VarDati(int piIndice) {
  if (piIndice >= 0) {
    if (piIndice < static_cast<int>(campi_.size())) return vb::Variant(campi_[static_cast<size_t>(piIndice)].ctl->Text());
    return vb::Variant("");
  }
  if (modo_ == 0) return vb::Variant("");
  std::string out;
  for (const CampoBarra& c : campi_)
    if (c.ctl->Text() != c.mostrato) out += (out.empty() ? "" : ",") + c.osColonna;
  return vb::Variant(out);
}

CampoBarra& BarraRecord::Campi(const std::string& psColonna) {
  for (CampoBarra& c : campi_) {
    if (vb::UgualeTesto(c.osColonna, psColonna)) return c;
    for (const std::string& col : c.colonne)
      if (vb::UgualeTesto(col, psColonna)) return c;
  }
  vb::Solleva(vb::ErrIndice, "Campo non definito nella barra: " + psColonna);
}

vb::Variant BarraRecord::ValoreCampo(const std::string& psColonna) {
  CampoBarra& c = Campi(psColonna);
  std::vector<vb::Variant> v;
  std::string perche;
  if (!LeggiBox(c, v, perche)) return vb::Variant(c.ctl->Text());
  for (size_t i = 0; i < c.colonne.size(); ++i)
    if (vb::UgualeTesto(c.colonne[i], psColonna)) return v[i];
  return v.empty() ? vb::Variant(vb::Null) : v[0];
}

void BarraRecord::ImpModo(int piModo) {
  if (piModo == 1) {
    if (inRicerca_) impModoNuovo_ = true;
    else if (modo_ == 0) Nuovo();
  } else if (piModo == 0 && modo_ != 0) {
    VarKey();
  }
}

long BarraRecord::StatoRecord(int) {
  if (scritti_.empty()) return 0;
  dati::GestRecordset rs;
  std::string k;
  try {
    k = rs.ApriRecordset(*db_, conn_, kChiaveStato, "Select * from " + tabella_ + " Where " + CondizioneChiave(scritti_),
                         false, 4);
    if (rs.NessunRecord(k)) return -2;
    for (const auto& [col, v] : scritti_)
      if (!Uguali(rs.LeggiCampoNull(k, col), v)) return -1;
  } catch (const vb::Errore&) {
    return -1;
  }
  return 0;
}

vb::Variant BarraRecord::MostraRecord(long plStato, int, const vb::Variant&) {
  if (plStato >= 0) return vb::Variant("");
  std::string m = plStato == -2 ? "Il record non esiste più: i dati non sono stati salvati."
                                : "I dati non sono stati salvati: le modifiche restano da salvare.";
  Messaggio(m);
  return vb::Variant(m);
}

// ---------------------------------------------------------------- field events

std::string BarraRecord::CampoGotFocus(ui::Controllo& c) {
  for (const CampoBarra& f : campi_)
    if (f.ctl == &c) return f.osColonna;
  vb::Solleva(5, "Il controllo " + c.Name() + " non è un campo della barra");
}

void BarraRecord::CampoGotFocusDati(const std::string& psColonna, const vb::Variant&, const vb::Variant&, bool) {
  CampoBarra& c = Campi(psColonna);
  if (!c.Terna() && Numerico(c.tipi[0])) {
    double d = 0;
    const std::string t = vb::Trim(c.ctl->Text());
    if (!t.empty() && LeggiNumero(t, d)) {
      const std::string s = Intero(c.tipi[0]) ? std::to_string(static_cast<long long>(d)) : vb::TestoDouble(d);
      if (s != c.ctl->Text()) {
        // Editing form only: what was shown stays the reference of VarDati.
        const bool pari = c.mostrato == c.ctl->Text();
        c.ctl->SetText(s);
        if (pari) c.mostrato = s;
      }
    }
  }
  c.ctl->SetSelStart(0);
  c.ctl->SetSelLength(static_cast<int>(vb::Len(c.ctl->Text())));
}

void BarraRecord::CampoLostFocus(const std::string& psColonna, const vb::Variant&, const vb::Variant&) {
  CampoBarra& c = Campi(psColonna);
  std::vector<vb::Variant> v;
  std::string perche;
  if (!LeggiBox(c, v, perche)) {
    c.ctl->SetBackColor(coloreErrore_);
    return;
  }
  if (c.ctl->BackColor() == coloreErrore_) c.ctl->SetBackColor(c.coloreOrig);
  if (vb::Trim(c.ctl->Text()).empty()) return;
  const std::string t = TestoDi(c, v);
  if (t != c.ctl->Text()) {
    // The same value in its display form is no change.
    std::vector<vb::Variant> prima;
    const std::string testo = c.ctl->Text();
    c.ctl->SetText(c.mostrato);
    std::string p2;
    bool pari = !c.mostrato.empty() && LeggiBox(c, prima, p2) && TestoDi(c, prima) == t;
    c.ctl->SetText(testo);
    c.ctl->SetText(t);
    if (pari) c.mostrato = t;
  }
}

void BarraRecord::CampoModificato(int) {}

// ---------------------------------------------------------------- commands

vb::Variant BarraRecord::EseguiTasto(const std::string& psKey) {
  if (!form_ || !db_) return vb::Variant("");
  const std::string k = vb::Piega(psKey);
  try {
    if (k == "ricerca") return Ricerca();
    if (k == "aggiorna") return modo_ == 1 ? Rileggi() : vb::Variant("");
    if (k == "nuovo") {
      if (abilRW_ == 0 || (modo_ != 0 && modo_ != 1)) return vb::Variant("");
      if (modo_ == 1 && !Abbandona()) return vb::Variant("NonConfermato");
      return Nuovo();
    }
    if (k == "salva") return Salva();
    if (k == "annulla") return Annulla();
    if (k == "varkey") return VarKey();
    if (k == "cancella") return Cancella();
    if (k == "duplica") return Duplica();
    if (k == "lista") return Lista();
    if (k == "listaavanti" || k == "listaind") {
      auto* l = dynamic_cast<ListaCollegata*>(lista_);
      if (!l) return vb::Variant("");
      if (k == "listaavanti") l->ListaAvanti();
      else l->ListaIndietro();
      return vb::Variant("");
    }
    if (k == "inizio" || k == "fine" || k == "precedente" || k == "successivo") return Muovi(k);
    if (k == "chiudi" || k == "esci") {
      std::vector<vb::Variant> a;
      form_->ChiamaPerNome("ChiudiFrm", a);
      return vb::Variant("");
    }
    if (k == "menu") {
      std::vector<vb::Variant> a;
      form_->ChiamaPerNome("MenuFrm", a);
      return vb::Variant("");
    }
  } catch (const vb::Errore& e) {
    Messaggio("Errore(" + std::to_string(e.Number()) + "): " + e.Description());
    return vb::Variant(static_cast<long>(e.Number()));
  }
  return vb::Variant("");
}

bool BarraRecord::Abbandona() {
  if (modo_ == 0 || vb::Variant::Confronta(VarDati(-1), vb::Variant("")) == 0) return true;
  int r = vb::MsgBox("Salvare le modifiche?", vb::vbYesNoCancel | vb::vbQuestion, form_->Caption());
  if (r == vb::vbCancel) return false;
  if (r == vb::vbNo) return true;
  vb::Variant esito = Salva();
  return TestoVuoto(esito) && modo_ == 1 && VarDati(-1).ToString().empty();
}

bool BarraRecord::PuoChiudere() {
  if (!form_) return true;
  return Abbandona();
}

vb::Variant BarraRecord::Ricerca() {
  if (modo_ == 1) return Rileggi();
  if (modo_ != 0) return vb::Variant("");
  impModoNuovo_ = false;
  inRicerca_ = true;
  vb::Variant rit = "";
  std::vector<vb::Variant> arr(3);
  vb::Variant r;
  try {
    r = Prima(3, rit, arr);
  } catch (...) {
    inRicerca_ = false;
    throw;
  }
  inRicerca_ = false;
  if (Fermata(r)) return r;
  if (impModoNuovo_) {
    impModoNuovo_ = false;
    return Nuovo();
  }
  std::string dove;
  if (!LeggiChiaveDigitata(dove)) return vb::Variant("Chiave");
  if (!Cerca(dove)) {
    Messaggio("Nessun record trovato con la chiave indicata");
    return vb::Variant("NonTrovato");
  }
  MostraLetto();
  return vb::Variant("");
}

vb::Variant BarraRecord::Rileggi() {
  if (modo_ != 1) return vb::Variant("");
  if (!Abbandona()) return vb::Variant("NonConfermato");
  if (!Cerca(CondizioneChiave(letti_))) {
    Messaggio("Il record non esiste più: è stato cancellato da un altro utente");
    Svuota(false, true);
    vb::Variant rit = "";
    std::vector<vb::Variant> arr(3);
    arr[1] = vb::Variant(false);
    modo_ = 0;
    Dopo(8, rit, arr);
    CambiaModo(0);
    return vb::Variant("NonTrovato");
  }
  MostraLetto();
  return vb::Variant("");
}

// While a new record is typed the bar's current record is a blank row: the
// window reads its stored values as empty.
void BarraRecord::RecordVuoto() {
  chiaveDati_ = rs_.ApriRecordset(*db_, conn_, kChiaveDati, "Select * from " + tabella_ + " Where 1 = 0", false, 2);
  rs_.NuovoRecord(chiaveDati_);
}

vb::Variant BarraRecord::Nuovo() {
  const vb::Variant prima = LeggiVarBarra("InMuovi");
  modo_ = 2;
  haRiga_ = false;
  scritti_.clear();
  RecordVuoto();
  ScriviVarBarra("InMuovi", vb::vbString, vb::Variant("S"));
  Svuota(true, true);
  vb::Variant rit = "";
  std::vector<vb::Variant> arr(3);
  arr[1] = vb::Variant(true);
  Dopo(8, rit, arr);
  ScriviVarBarra("InMuovi", vb::vbString, prima);
  // What the clear hook put in the boxes counts as the start of the record.
  Memorizza();
  rit = "";
  arr.assign(3, vb::Variant());
  // The first data field takes the focus before the mode-change hook, which
  // may send it elsewhere (a personal order of insertion).
  SistemaBottoni();
  if (ctrlPrimoDato_ && ctrlPrimoDato_->PuoFuoco()) {
    try {
      ctrlPrimoDato_->SetFocus();
    } catch (const vb::Errore&) {
    }
  }
  Dopo(5, rit, arr);
  CambiaModo(2);
  return vb::Variant("");
}

namespace {
std::string TestoErrore(const vb::Errore& e) {
  switch (e.Number()) {
    case dati::ErrRigaCambiata:
      return "Il record è stato modificato da un altro utente dopo la lettura: le modifiche non sono state "
             "salvate. Premere \"Aggiorna\" per rileggerlo.";
    case dati::ErrChiaveDuplicata: return "Esiste già un record con la stessa chiave: i dati non sono stati salvati.";
    case dati::ErrBloccato: return "Il record è bloccato da un altro utente: riprovare più tardi.";
    default: return "Errore(" + std::to_string(e.Number()) + "): " + e.Description();
  }
}
}  // namespace

bool BarraRecord::RiprovaErrore(long n) const {
  for (const std::string& s : vb::Split(erroriRiprova_, ","))
    if (!vb::Trim(s).empty() && vb::Trim(s) == std::to_string(n)) return true;
  return false;
}

// Writes the row: an update of the current row (the stored one must still
// be the one shown) or a new row. The bar's own transaction only while
// TransPropria is not 0.
vb::Variant BarraRecord::ScriviRiga(bool nuovo, const std::map<std::string, vb::Variant>& valori, bool& scritto) {
  scritto = false;
  const bool propria = transPropria_ != 0;
  if (propria) Fc().IniziaTrans();
  try {
    std::string k;
    if (nuovo) {
      k = rs_.ApriRecordset(*db_, conn_, kChiaveNuovo, "Select * from " + tabella_ + " Where 1 = 0", false, 2);
      rs_.NuovoRecord(k);
    } else {
      k = chiaveDati_;
      if (rs_.NessunRecord(k)) vb::Solleva(dati::ErrRigaCambiata, "Il record non esiste più");
      for (const auto& [col, v] : letti_)
        if (!Uguali(rs_.LeggiCampoNull(k, col), v)) vb::Solleva(dati::ErrRigaCambiata, "Record modificato da altri");
      rs_.ModificaRecord(k);
    }
    for (const CampoBarra& c : campi_) {
      if (!nuovo && c.parteChiave != 0) continue;  // a stored key is never rewritten
      for (const std::string& col : c.colonne) rs_.ScriviCampo(k, col, valori.at(vb::Piega(col)));
    }
    rs_.SalvaRecord(k);
    if (propria) Fc().ConfermaTrans();
    scritto = true;
    return vb::Variant("");
  } catch (const vb::Errore& e) {
    if (propria) {
      try {
        Fc().AnnullaTrans();
      } catch (const vb::Errore&) {
      }
    }
    try {
      if (rs_.Esiste(nuovo ? kChiaveNuovo : chiaveDati_)) rs_.RecordsetDao(nuovo ? kChiaveNuovo : chiaveDati_).CancelUpdate();
    } catch (const vb::Errore&) {
    }
    return vb::Variant(static_cast<long>(e.Number()));
  }
}

// The insert with its retries; `rit` receives "" or the stop value / error.
bool BarraRecord::Inserisci(vb::Variant& ritOut) {
  vb::Variant rit = "";
  std::vector<vb::Variant> arr(3);
  vb::Variant r = Prima(25, rit, arr);
  if (Fermata(r)) {
    ritOut = r;
    return false;
  }
  for (int tentativo = 1;; ++tentativo) {
    std::map<std::string, vb::Variant> valori;
    std::string errore;
    if (!ValoriDaBox(valori, errore)) {
      Messaggio(errore);
      ritOut = vb::Variant(errore_);
      return false;
    }
    bool scritto = false;
    vb::Variant esito = ScriviRiga(true, valori, scritto);
    if (scritto) {
      scritti_ = valori;
      ritOut = vb::Variant("");
      return true;
    }
    const long n = esito.ToLong();
    if (RiprovaErrore(n) && Abilitato(25) && tentativo < kMaxTentativi) {
      vb::Variant r25 = "";
      std::vector<vb::Variant> a25(3);
      a25[2] = vb::Variant(static_cast<int32_t>(n));
      Dopo(25, r25, a25);
      if (!r25.IsString() && !r25.IsEmpty() && !r25.IsNull() && r25.IsNumeric() && r25.ToDouble() == 4) continue;
      if (r25.IsString() && *r25.StringPtr() == "4") continue;
      ritOut = esito;
      return false;
    }
    if (RiprovaErrore(n) && tentativo >= kMaxTentativi)
      Messaggio("Impossibile inserire i dati: la chiave è già usata dopo " + std::to_string(kMaxTentativi) + " tentativi");
    else
      Messaggio(TestoErrore(vb::Errore(n, vb::DescrizioneErrore(n))));
    ritOut = esito;
    return false;
  }
}

vb::Variant BarraRecord::Salva() {
  if (modo_ == 3) return Duplica();
  if (modo_ != 1 && modo_ != 2) return vb::Variant("");
  if (abilRW_ == 0) {
    Messaggio("La finestra è aperta in sola lettura: i dati non possono essere salvati");
    return vb::Variant("SolaLettura");
  }
  const bool nuovo = modo_ == 2;
  const int livello0 = dati::LivelloTransWorkspace();
  const int transPrima = transPropria_;
  // The current row read again: the hooks see what is stored now.
  std::map<std::string, vb::Variant> lettiPrima = letti_;
  const unsigned long mostratiPrima = mostrati_;
  scritti_.clear();
  if (!nuovo) {
    chiaveDati_ = rs_.ApriRecordset(*db_, conn_, kChiaveDati, "Select * from " + tabella_ + " Where " + CondizioneChiave(letti_),
                                    false, 2);
  }
  vb::Variant rit = "";
  vb::Variant stop;
  bool scritto = false;
  std::vector<vb::Variant> arr(3);
  arr[0] = vb::Variant(static_cast<int16_t>(0));
  for (int op : {4, 7, 12}) {
    vb::Variant r = Prima(op, rit, arr);
    if (Fermata(r)) {
      stop = r;
      break;
    }
    if (op == 4) arr.assign(3, vb::Variant());
  }
  if (stop.IsEmpty() && !nuovo) {
    vb::Variant r = Prima(27, rit, arr);
    if (Fermata(r)) stop = r;
  }
  if (stop.IsEmpty()) {
    if (nuovo) {
      vb::Variant e;
      scritto = Inserisci(e);
      if (!scritto) stop = e;
    } else {
      std::map<std::string, vb::Variant> valori;
      std::string errore;
      if (!ValoriDaBox(valori, errore)) {
        Messaggio(errore);
        stop = vb::Variant(errore_);
      } else {
        vb::Variant e = ScriviRiga(false, valori, scritto);
        if (scritto) {
          // The key stays the stored one: an update never rewrites it.
          for (const CampoBarra& c : campi_)
            for (const std::string& col : c.colonne)
              scritti_[vb::Piega(col)] = c.parteChiave != 0 ? letti_[vb::Piega(col)] : valori[vb::Piega(col)];
          // What is stored now, for a save the window runs again from its
          // after-hook; put back below if the write does not stand.
          for (const auto& [col, v] : scritti_) letti_[col] = v;
        } else {
          Messaggio(TestoErrore(vb::Errore(e.ToLong(), vb::DescrizioneErrore(e.ToLong()))));
          stop = e;
        }
      }
    }
  }
  // After 12, always.
  vb::Variant r12 = scritto ? vb::Variant("") : stop;
  std::vector<vb::Variant> a12(3);
  a12[0] = vb::Variant(scritto);
  const bool transAperta = transPropria_ == 0;
  Dopo(12, r12, a12);
  // A window that left its transaction open after an error of its own: it
  // is rolled back, nothing half-written stays.
  if (dati::LivelloTransWorkspace() > livello0 && transAperta && Abilitato(12) && !TestoVuoto(r12) &&
      transPropria_ == 0) {
    while (dati::LivelloTransWorkspace() > livello0) {
      try {
        Fc().AnnullaTrans();
      } catch (const vb::Errore&) {
        break;
      }
    }
    transPropria_ = transPrima;
  }
  bool riuscito = scritto && TestoVuoto(r12);
  // A write inside the window's transaction stands only if it was committed.
  if (riuscito && transAperta && StatoRecord(0) < 0) {
    MostraRecord(StatoRecord(0), 0);
    riuscito = false;
  }
  if (!riuscito) {
    // The record as it was read, unless a hook showed it again meanwhile
    // (what it shows now is what is stored).
    if (!nuovo && mostrati_ == mostratiPrima) letti_ = lettiPrima;
    if (scritto) scritti_.clear();
    return TestoVuoto(r12) ? (stop.IsEmpty() ? vb::Variant("NonSalvato") : stop) : r12;
  }
  // Stored: the row read back under its key, shown as stored.
  std::map<std::string, vb::Variant> chiave = scritti_;
  if (Cerca(CondizioneChiave(chiave))) {
    letti_.clear();
    for (const CampoBarra& c : campi_)
      for (const std::string& col : c.colonne) letti_[vb::Piega(col)] = rs_.LeggiCampoNull(chiaveDati_, col);
    haRiga_ = true;
  }
  for (CampoBarra& c : campi_) {
    std::vector<vb::Variant> v;
    for (const std::string& col : c.colonne) v.push_back(letti_[vb::Piega(col)]);
    const std::string t = TestoDi(c, v);
    if (t != c.ctl->Text()) c.ctl->SetText(t);
    c.mostrato = t;
  }
  if (nuovo) CambiaModo(1);
  return vb::Variant("");
}

vb::Variant BarraRecord::Annulla() {
  if (modo_ == 0) return vb::Variant("");
  const bool chiedi = vb::UCase(LeggiVarBarra("MsgAnn").ToString()) != "N";
  if (chiedi && !VarDati(-1).ToString().empty()) {
    if (vb::MsgBox("Annullare le modifiche?", vb::vbYesNo | vb::vbQuestion, form_->Caption()) != vb::vbYes)
      return vb::Variant("NonConfermato");
  }
  if (modo_ == 1) {
    for (CampoBarra& c : campi_) c.mostrato = c.ctl->Text();  // nothing left to ask
    if (!Cerca(CondizioneChiave(letti_))) {
      Svuota(false, true);
      modo_ = 0;
      vb::Variant rit = "";
      std::vector<vb::Variant> arr(3);
      arr[1] = vb::Variant(false);
      Dopo(8, rit, arr);
      CambiaModo(0);
      return vb::Variant("");
    }
    MostraLetto();
    return vb::Variant("");
  }
  // A new record or a copy: dropped, back to the key.
  return TornaAllaChiave();
}

vb::Variant BarraRecord::VarKey() {
  if (modo_ == 0) return vb::Variant("");
  if (!Abbandona()) return vb::Variant("NonConfermato");
  return TornaAllaChiave();
}

// The boxes cleared, mode 0, the clear announced (after 8), the focus on the
// key: where "Annulla" of a new record and "VarKey" leave the user.
vb::Variant BarraRecord::TornaAllaChiave() {
  Svuota(false, true);
  modo_ = 0;
  vb::Variant rit = "";
  std::vector<vb::Variant> arr(3);
  arr[1] = vb::Variant(false);
  Dopo(8, rit, arr);
  CambiaModo(0);
  if (ctrlChiave_ && ctrlChiave_->PuoFuoco()) ctrlChiave_->SetFocus();
  return vb::Variant("");
}

vb::Variant BarraRecord::Cancella() {
  if (modo_ != 1) return vb::Variant("");
  if (abilRW_ == 0) return vb::Variant("SolaLettura");
  vb::Variant rit = "";
  std::vector<vb::Variant> arr(3);
  vb::Variant r = Prima(16, rit, arr);
  if (Fermata(r)) return r;
  const bool propria = transPropria_ != 0;
  vb::Variant esito = "";
  if (propria) Fc().IniziaTrans();
  try {
    if (!Cerca(CondizioneChiave(letti_))) vb::Solleva(dati::ErrRigaCambiata, "Il record non esiste più");
    rs_.CancellaRecord(chiaveDati_);
    if (propria) Fc().ConfermaTrans();
  } catch (const vb::Errore& e) {
    if (propria) {
      try {
        Fc().AnnullaTrans();
      } catch (const vb::Errore&) {
      }
    }
    Messaggio(e.Number() == dati::ErrRigaCambiata ? "Il record non esiste più: è stato cancellato da un altro utente"
                                                  : TestoErrore(e));
    esito = vb::Variant(static_cast<long>(e.Number()));
  }
  vb::Variant r16 = esito;
  std::vector<vb::Variant> a16(3);
  Dopo(16, r16, a16);
  if (!TestoVuoto(esito)) return esito;
  letti_.clear();
  scritti_.clear();
  haRiga_ = false;
  Svuota(false, true);
  modo_ = 0;
  rit = "";
  arr.assign(3, vb::Variant());
  arr[1] = vb::Variant(false);
  Dopo(8, rit, arr);
  CambiaModo(0);
  return vb::Variant("");
}

vb::Variant BarraRecord::Duplica() {
  if (abilRW_ == 0) return vb::Variant("");
  if (modo_ == 1) {
    // The boxes become a new record, nothing of it stored yet.
    modo_ = 3;
    haRiga_ = false;
    scritti_.clear();
    RecordVuoto();
    for (CampoBarra& c : campi_) c.mostrato.clear();
    vb::Variant rit = "";
    std::vector<vb::Variant> arr(3);
    arr[1] = vb::Variant(false);
    Dopo(8, rit, arr);
    for (CampoBarra& c : campi_) c.mostrato.clear();
    CambiaModo(3);
    rit = "";
    arr.assign(3, vb::Variant());
    arr[1] = vb::Variant(static_cast<int16_t>(1));
    Dopo(17, rit, arr);
    return rit;
  }
  if (modo_ != 3) return vb::Variant("");
  inScrittura_ = true;
  vb::Variant e;
  bool ok = false;
  try {
    ok = Inserisci(e);
  } catch (...) {
    inScrittura_ = false;
    throw;
  }
  inScrittura_ = false;
  vb::Variant rit = ok ? vb::Variant("") : e;
  if (ok) {
    if (Cerca(CondizioneChiave(scritti_))) MostraValori();
    Memorizza();
    CambiaModo(1);
  } else {
    CambiaModo(2);
  }
  std::vector<vb::Variant> arr(3);
  arr[1] = vb::Variant(static_cast<int16_t>(2));
  Dopo(17, rit, arr);
  return ok ? vb::Variant("") : e;
}

vb::Variant BarraRecord::Lista() {
  vb::Variant rit = "";
  std::vector<vb::Variant> arr(3);
  Prima(9, rit, arr);
  rit = "";
  Dopo(9, rit, arr);
  if (!lista_) {
    Messaggio("Nessuna lista collegata a questa finestra");
    return vb::Variant("NessunaLista");
  }
  if (!lista_->Caricata()) lista_->Load();
  lista_->Show();
  lista_->SetFocus();
  return vb::Variant("");
}

bool BarraRecord::MostraDaLista(const std::vector<std::pair<std::string, vb::Variant>>& chiave) {
  if (!form_ || !db_) return false;
  if (!Abbandona()) return false;
  std::map<std::string, vb::Variant> valori;
  for (const auto& [col, v] : chiave) valori[vb::Piega(col)] = v;
  if (!Cerca(CondizioneChiave(valori))) {
    Messaggio("Il record scelto non esiste più");
    return false;
  }
  MostraLetto();
  form_->SetFocus();
  return true;
}

vb::Variant BarraRecord::Muovi(const std::string& verso) {
  if (modo_ != 0 && modo_ != 1) return vb::Variant("");
  if (!Abbandona()) return vb::Variant("NonConfermato");
  // The current key: the stored record, or what is typed in mode 0.
  std::map<std::string, vb::Variant> att = letti_;
  if (modo_ == 0) {
    att.clear();
    for (CampoBarra& c : campi_) {
      if (c.parteChiave == 0) continue;
      std::vector<vb::Variant> v;
      std::string perche;
      if (LeggiBox(c, v, perche))
        for (size_t i = 0; i < c.colonne.size(); ++i) att[vb::Piega(c.colonne[i])] = v[i];
    }
  }
  std::string fissi, ordine;
  std::vector<std::pair<std::string, vb::Variant>> liberi;
  std::vector<int> tipi;
  const bool avanti = verso == "successivo" || verso == "inizio";
  const bool estremo = verso == "inizio" || verso == "fine";
  for (const CampoBarra& c : campi_) {
    if (c.parteChiave == 0) continue;
    for (size_t i = 0; i < c.colonne.size(); ++i) {
      const std::string col = tabella_ + "." + c.colonne[i];
      const vb::Variant v = att.count(vb::Piega(c.colonne[i])) ? att[vb::Piega(c.colonne[i])] : vb::Variant(vb::Null);
      if (c.oiKeyFisso == 2 && !Vuoto(v)) {
        fissi += (fissi.empty() ? "" : " And ") + col + " = " + Fc().ValoreSql(v, TipoSql(c.tipi[i]));
      } else {
        ordine += (ordine.empty() ? "" : ", ") + col + (avanti ? "" : " Desc");
        liberi.emplace_back(col, v);
        tipi.push_back(TipoSql(c.tipi[i]));
      }
    }
  }
  // Past the current key, in key order, each read a seek on the key's
  // index: the next row with the same leading parts and a later last part,
  // else with a later part before it (k1 = v1 And k2 > v2, then k1 > v1).
  bool daValori = !estremo && !liberi.empty();
  for (const auto& l : liberi) daValori = daValori && !Vuoto(l.second);
  std::vector<std::string> condizioni;
  if (daValori) {
    for (size_t i = liberi.size(); i-- > 0;) {
      std::string c = fissi;
      for (size_t j = 0; j < i; ++j)
        c += (c.empty() ? "" : " And ") + liberi[j].first + " = " + Fc().ValoreSql(liberi[j].second, tipi[j]);
      c += (c.empty() ? "" : " And ") + liberi[i].first + (avanti ? " > " : " < ") +
           Fc().ValoreSql(liberi[i].second, tipi[i]);
      condizioni.push_back(c);
    }
  } else {
    condizioni.push_back(fissi);
  }
  ultimeSql_.clear();
  std::string k;
  bool trovato = false;
  for (const std::string& dove : condizioni) {
    ultimaSql_ = "Select Top 1 * from " + tabella_ + (dove.empty() ? "" : " Where " + dove) +
                 (ordine.empty() ? "" : " Order By " + ordine);
    ultimeSql_.push_back(ultimaSql_);
    k = rs_.ApriRecordset(*db_, conn_, kChiaveDati, ultimaSql_, false, 2);
    if (!rs_.NessunRecord(k)) {
      trovato = true;
      break;
    }
  }
  if (!trovato) {
    // Nothing there: the record shown stays, read again by its key.
    if (modo_ == 1) Cerca(CondizioneChiave(letti_));
    Messaggio(avanti ? "Non ci sono record successivi" : "Non ci sono record precedenti");
    return vb::Variant("Fine");
  }
  chiaveDati_ = k;
  MostraLetto();
  return vb::Variant("");
}

}  // namespace barre
