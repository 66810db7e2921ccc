#include "platform/FunzioniComuniUi.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/MsgBox.h"
#include "platform/Numeri.h"
#include "platform/Testo.h"
#include "platform/dati/GestRecordset.h"
#include "platform/dati/Recordset.h"
#include "platform/ui/Backend.h"
#include "platform/ui/Griglia.h"

namespace vb::FunzioniComuniUi {

namespace {

const FunzioniComuni& Fc() { return FunzioniComuni::Istanza(); }

bool TipoNumero(int tipo) { return tipo >= vbInteger && tipo <= vbDate; }

// A number typed into a field: the display form with thousands points and
// decimal comma, or a plain number with the decimal point.
bool LeggiNumero(const std::string& testo, double& out) {
  Decimale d;
  if (LeggiDecimale(testo, StileNumero::Italiano, d) || LeggiDecimale(testo, StileNumero::Punto, d)) {
    out = DoubleDaDecimale(d);
    return std::isfinite(out);
  }
  return false;
}

// The number without grouping, decimal comma, as many decimals as it has.
std::string TestoModifica(double v) {
  std::string s = TestoDouble(v);
  return s;
}

void TogliErrore(ui::Controllo& c) {
  if (c.BackColor() == ColoreErrore) c.SetBackColor(ColoreNormale);
}

// The code of an item: the text before its first "-" or blank.
std::string CodiceDi(const std::string& voce) {
  std::string t = Trim(voce);
  const size_t p = t.find_first_of("- ");
  return p == std::string::npos ? t : Trim(t.substr(0, p));
}

bool ConLista(const ui::Controllo& c) { return c.tipo() == ui::Tipo::ComboBox || c.tipo() == ui::Tipo::ListBox; }

}  // namespace

// ------------------------------------------------------------ fields

void EntraCampo(ui::Controllo& pgCtl, int piTipo, const std::string&, const Variant&, std::optional<long> pvColore) {
  if (TipoNumero(piTipo)) {
    const std::string t = Trim(pgCtl.Text());
    double v;
    if (!t.empty() && LeggiNumero(t, v)) {
      std::string modifica = TestoModifica(v);
      if (modifica != pgCtl.Text()) pgCtl.SetText(modifica);
    }
  }
  if (pvColore) pgCtl.SetBackColor(*pvColore);
  pgCtl.SetSelStart(0);
  pgCtl.SetSelLength(static_cast<int>(Len(pgCtl.Text())));
}

bool EsceCampo(ui::Controllo& pgCtl, int piTipo, const std::string& psMaschera, const Variant&) {
  const std::string t = Trim(pgCtl.Text());
  if (!TipoNumero(piTipo) || t.empty()) {
    TogliErrore(pgCtl);
    return true;
  }
  double v;
  bool ok = LeggiNumero(t, v);
  if (ok && (piTipo == vbInteger || piTipo == vbLong)) {
    const double limite = piTipo == vbInteger ? 32767.0 : 2147483647.0;
    ok = v == std::floor(v) && v <= limite && v >= -limite - 1;
  }
  if (!ok) {
    pgCtl.SetBackColor(ColoreErrore);
    return false;
  }
  std::string nuovo = psMaschera.empty() ? TestoModifica(v) : Fc().Formatta(Variant(v), psMaschera);
  if (nuovo != pgCtl.Text()) pgCtl.SetText(nuovo);
  TogliErrore(pgCtl);
  return true;
}

bool VerifCampiTesto(const ui::Form& pgForm, long plColore, std::string& psNome, int& piIndice, bool& pbTrovato) {
  std::vector<ui::Controllo*> caselle;
  for (const auto& c : pgForm.Controlli())
    if (c->tipo() == ui::Tipo::TextBox) caselle.push_back(c.get());
  std::stable_sort(caselle.begin(), caselle.end(),
                   [](ui::Controllo* a, ui::Controllo* b) { return a->TabIndex() < b->TabIndex(); });
  for (ui::Controllo* c : caselle) {
    if (c->BackColor() == plColore) {
      psNome = c->Name();
      piIndice = c->Index();
      pbTrovato = true;
      return true;
    }
  }
  psNome.clear();
  piIndice = -1;
  pbTrovato = false;
  return false;
}

bool VerifCampiTesto(const ui::Form& pgForm, long plColore) {
  std::string n;
  int i;
  bool t;
  return VerifCampiTesto(pgForm, plColore, n, i, t);
}

bool VerifIntervallo(const ui::Controllo& pgDa, const ui::Controllo& pgA, int piTipo, bool pbObbligatori,
                     int piConfronto, bool pbMsg, bool, int* piRisultato) {
  if (piRisultato) *piRisultato = 0;
  const std::string da = Trim(pgDa.Text()), a = Trim(pgA.Text());
  const bool vuoto = Fc().Vuoto(da, piTipo == vbDate ? vbDate : vbString) ||
                     Fc().Vuoto(a, piTipo == vbDate ? vbDate : vbString);
  if (vuoto) return !pbObbligatori;
  int cmp = 0;
  if (piTipo == vbDate) {
    Variant x = Fc().ValData(da), y = Fc().ValData(a);
    if (x.IsEmpty() || y.IsEmpty()) return true;  // the fields' own checks tell bad dates
    cmp = x.ToDate() < y.ToDate() ? -1 : x.ToDate() == y.ToDate() ? 0 : 1;
  } else if (TipoNumero(piTipo)) {
    const double x = Fc().ValDouble(da), y = Fc().ValDouble(a);
    cmp = x < y ? -1 : x == y ? 0 : 1;
  } else {
    cmp = StrComp(da, a, piConfronto == 1 ? vbTextCompare : vbBinaryCompare);
  }
  if (cmp <= 0) return true;
  if (piRisultato) *piRisultato = 1;
  if (pbMsg) MsgBox("Il valore iniziale è maggiore del valore finale", vbOKOnly | vbExclamation);
  return false;
}

Variant ValoreControllo(const ui::Controllo& pgCtl, int piTipo, Variant* pvValore) {
  Variant v;
  switch (pgCtl.tipo()) {
    case ui::Tipo::CheckBox:
    case ui::Tipo::OptionButton:
    case ui::Tipo::HScrollBar:
    case ui::Tipo::VScrollBar:
    case ui::Tipo::ProgressBar: v = pgCtl.Value(); break;
    default: v = pgCtl.Text(); break;
  }
  if (v.IsString() && Fc().Vuoto(v, piTipo == vbDate ? vbDate : vbString)) {
    v = Variant(Null);
  } else {
    switch (piTipo) {
      case vbInteger: v = Fc().ValInt(v); break;
      case vbLong: v = Fc().ValLong(v); break;
      case vbSingle: v = Fc().ValSingle(v); break;
      case vbDouble: v = Fc().ValDouble(v); break;
      case vbCurrency: v = Currency::FromDouble(Fc().ValDouble(v)); break;
      case vbDate: {
        Variant d = Fc().ValData(v);
        v = d.IsEmpty() ? Variant(Null) : d;
        break;
      }
      case vbBoolean: v = Fc().ValDouble(v) != 0; break;
      case vbString: v = v.ToString(); break;
      default: break;
    }
  }
  if (pvValore) *pvValore = v;
  return v;
}

long ControllaData(ui::Controllo& pgCtl, const Variant& pvModo, bool pbMsg, std::string* pvMsgErr) {
  auto rifiuta = [&](const std::string& msg, long codice) {
    if (pvMsgErr) *pvMsgErr = msg;
    if (pbMsg) MsgBox(msg, vbOKOnly | vbExclamation);
    return codice;
  };
  std::string t;
  try {
    t = Trim(pgCtl.Text());
  } catch (const Errore&) {
    return rifiuta("Data non valida", -2);
  }
  if (Fc().Vuoto(t, vbDate)) {
    const bool ammesso = pvModo.IsMissing() || pvModo.IsEmpty() || Fc().ValDouble(pvModo) < 0;
    if (ammesso) {
      if (!t.empty()) pgCtl.SetText("");
      return 0;
    }
    return rifiuta("Data obbligatoria", -657434);
  }
  auto d = Date::Parse(t);
  if (!d) return rifiuta("Data non valida", -657434);
  const std::string normale = d->DateOnly().ToDateText();
  if (normale != pgCtl.Text()) pgCtl.SetText(normale);
  return static_cast<long>(std::floor(d->DateOnly().Serial()));
}

Variant ControllaOra(const ui::Controllo& pgCtl, const std::string& psFormato, const Variant& pvOpz1, const Variant&,
                     const Variant&, const Variant&) {
  std::string t = Trim(pgCtl.Text());
  if (t.empty()) {
    const bool obbligatoria = !pvOpz1.IsMissing() && !pvOpz1.IsEmpty() && Fc().ValDouble(pvOpz1) != 0;
    return obbligatoria ? -3 : -1;
  }
  // Parts separated by ":", "." or ","; a run of digits alone is hmm or hhmm.
  std::vector<std::string> parti;
  std::string cur;
  for (char c : t) {
    if (c == ':' || c == '.' || c == ',') {
      parti.push_back(cur);
      cur.clear();
    } else if (c >= '0' && c <= '9') {
      cur.push_back(c);
    } else {
      return -2;
    }
  }
  parti.push_back(cur);
  if (parti.size() == 1) {
    const std::string& s = parti[0];
    if (s.size() <= 2) parti = {s, "0"};
    else if (s.size() <= 4) parti = {s.substr(0, s.size() - 2), s.substr(s.size() - 2)};
    else if (s.size() <= 6) parti = {s.substr(0, s.size() - 4), s.substr(s.size() - 4, 2), s.substr(s.size() - 2)};
    else return -2;
  }
  if (parti.size() > 3) return -2;
  int v[3] = {0, 0, 0};
  for (size_t i = 0; i < parti.size(); ++i) {
    if (parti[i].empty() || parti[i].size() > 2) return -2;
    v[i] = std::stoi(parti[i]);
  }
  if (v[0] > 23 || v[1] > 59 || v[2] > 59) return -2;
  const bool secondi = psFormato.find('s') != std::string::npos || psFormato.find('S') != std::string::npos;
  char buf[48];
  if (secondi) std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", v[0], v[1], v[2]);
  else std::snprintf(buf, sizeof buf, "%02d:%02d", v[0], v[1]);
  return std::string(buf);
}

// ------------------------------------------------------------ combos

Variant ValoreCombo(const ui::Controllo& pgCombo) {
  const int i = pgCombo.ListIndex();
  if (i < 0) return Variant();
  return Variant(static_cast<long long>(pgCombo.ItemData(i)));
}

std::string CodiceCombo(const ui::Controllo& pgCombo) {
  const int i = pgCombo.ListIndex();
  if (i < 0) return {};
  return CodiceDi(pgCombo.List(i));
}

bool SelezCombo(ui::Controllo& pgCombo, const Variant& pvCodice) {
  const std::string codice = Trim(pvCodice.IsNull() ? std::string() : pvCodice.ToString());
  if (!codice.empty()) {
    for (int i = 0; i < pgCombo.ListCount(); ++i) {
      if (UgualeTesto(CodiceDi(pgCombo.List(i)), codice)) {
        pgCombo.SetListIndex(i);
        return true;
      }
    }
  }
  pgCombo.SetListIndex(-1);
  return false;
}

bool SelezComboCtrl(ui::Controllo& pgCombo, const ui::Controllo& pgCtl, bool pbAzzeraSeManca, bool pbAncheCodice) {
  const std::string t = Trim(pgCtl.Text());
  if (!t.empty()) {
    double n;
    if (LeggiNumero(t, n)) {
      for (int i = 0; i < pgCombo.ListCount(); ++i) {
        if (static_cast<double>(pgCombo.ItemData(i)) == n) {
          pgCombo.SetListIndex(i);
          return true;
        }
      }
    }
    if (pbAncheCodice) {
      for (int i = 0; i < pgCombo.ListCount(); ++i) {
        if (UgualeTesto(CodiceDi(pgCombo.List(i)), t)) {
          pgCombo.SetListIndex(i);
          return true;
        }
      }
    }
  }
  if (pbAzzeraSeManca) pgCombo.SetListIndex(-1);
  return false;
}

bool AzzeraTesto(ui::Controllo& pgCtl, const Variant& pvValore, bool pbAzzeraSeManca, bool pbColore) {
  const std::string valore = pvValore.IsNull() || pvValore.IsMissing() ? std::string() : pvValore.ToString();
  bool preso = true;
  if (ConLista(pgCtl)) {
    int scelto = -1;
    if (!Trim(valore).empty()) {
      for (int i = 0; i < pgCtl.ListCount() && scelto < 0; ++i)
        if (UgualeTesto(CodiceDi(pgCtl.List(i)), Trim(valore))) scelto = i;
      for (int i = 0; i < pgCtl.ListCount() && scelto < 0; ++i)
        if (UgualeTesto(Left(pgCtl.List(i), Len(valore)), valore)) scelto = i;
    }
    preso = scelto >= 0;
    if (preso || pbAzzeraSeManca) pgCtl.SetListIndex(scelto);
  } else {
    pgCtl.SetText(valore);
  }
  if (pbColore) TogliErrore(pgCtl);
  return preso;
}

// ------------------------------------------------------------ focus and forms

bool ImpostaFuoco(ui::Controllo& pgCtl, bool pbIgnoraErrori) {
  if (!pgCtl.PuoFuoco()) {
    if (pbIgnoraErrori) return false;
    pgCtl.SetFocus();  // raises the platform's error
  }
  if (pgCtl.Parent().ActiveControl() == &pgCtl) return true;
  return pgCtl.Parent().SpostaFuoco(&pgCtl);
}

bool AbilContenitore(ui::Controllo& pgCtl, bool pbFuoco) {
  for (ui::Controllo* c = &pgCtl; c; c = c->Container()) {
    c->SetEnabled(true);
    c->SetVisible(true);
  }
  if (!pbFuoco) return false;
  return ImpostaFuoco(pgCtl, true);
}

long PosizForm(ui::Form& pgForm, int piStato, int piModale, bool pbCentra) {
  try {
    pgForm.Load();
    if (piStato >= 0) pgForm.SetWindowState(piStato);
    if (pbCentra && pgForm.WindowState() == ui::vbNormal) {
      const ui::Schermo& s = ui::Screen();
      pgForm.Move(std::max(0L, (s.Width - pgForm.Width()) / 2), std::max(0L, (s.Height - pgForm.Height()) / 2));
    }
    pgForm.Show(piModale ? 1 : 0);
    return 0;
  } catch (const Errore& e) {
    return -(Fc().CodiceErrore(e.Number()) + 100);
  }
}

bool FormAperte(const std::vector<ui::Form*>& pgForms) {
  for (const ui::Form* f : pgForms)
    if (f && f->Caricata() && f->Visible()) return true;
  return false;
}

ui::Carattere ScegliCarattere(ui::Carattere& codFont) {
  ui::Carattere scelto = codFont;
  if (ui::BackendAttivo().ScegliCarattere(scelto)) codFont = scelto;
  return codFont;
}

// ------------------------------------------------------------ grids

namespace {

void Formatta(ui::Griglia& g, const dati::Recordset& rs, const std::string& modo, const std::string& formatoData) {
  const bool maschere = UgualeTesto(modo, "M");
  for (int i = 0; i < g.NumColonne(); ++i) {
    ui::ColonnaGriglia& c = g.Colonna(i);
    if (c.Caption.empty()) c.Caption = c.DataField;
    const int f = c.DataField.empty() ? -1 : rs.Indice(c.DataField);
    if (f < 0) continue;
    switch (rs.Campo(f).tipo) {
      case dati::TipoCampo::Data:
        if (c.NumberFormat.empty()) c.NumberFormat = formatoData;
        break;
      case dati::TipoCampo::Importo:
        if (maschere && c.NumberFormat.empty()) c.NumberFormat = "#,##0.00";
        c.Alignment = 1;
        break;
      case dati::TipoCampo::Doppio:
        if (maschere && c.NumberFormat.empty()) c.NumberFormat = "#,###.^^^^";
        c.Alignment = 1;
        break;
      case dati::TipoCampo::Byte:
      case dati::TipoCampo::Intero:
      case dati::TipoCampo::Lungo: c.Alignment = 1; break;
      default: break;
    }
  }
  g.ColonnaCambiata();
}

}  // namespace

void FormatColonneGriglia(ui::Form&, ui::Griglia& pgGriglia, const std::string& psModo, const std::string&,
                          const std::string& psFormatoData) {
  if (!pgGriglia.DataSource() || !pgGriglia.DataSource()->Recordset()) return;
  Formatta(pgGriglia, *pgGriglia.DataSource()->Recordset(), psModo, psFormatoData);
}

void FormatColonneDati(ui::Form&, ui::Griglia& pgGriglia, dati::GestRecordset& pgRs, const std::string& psChiave,
                       const std::string& psModo, const std::string&, const std::string& psFormatoData) {
  Formatta(pgGriglia, pgRs.RecordsetDao(psChiave), psModo, psFormatoData);
}

Variant ValCampo(const dati::Recordset& pgRs, const std::string& psCampo) {
  const int i = pgRs.Indice(psCampo);
  if (i < 0) Solleva(3265, "Elemento non trovato nell'insieme: " + psCampo);
  if (pgRs.NessunaCorrente() && !pgRs.InModifica()) return 0;
  const dati::TipoCampo t = pgRs.Campo(i).tipo;
  const Variant& v = pgRs.Valore(i);
  if (v.IsNull() || v.IsEmpty()) return 0;
  if (t == dati::TipoCampo::Testo || t == dati::TipoCampo::Memo || (t == dati::TipoCampo::Ignoto && v.IsString()))
    return static_cast<int>(Len(v.ToString()));
  return 0;
}

bool ContaRigheGriglia(ui::Griglia& pgGriglia, const std::string& psColonna, const Variant& pvValore) {
  for (int i = 0; i < pgGriglia.NumColonne(); ++i)
    if (UgualeTesto(pgGriglia.Colonna(i).DataField, psColonna)) return pgGriglia.ScriviCella(i, pvValore);
  Solleva(6147, "Colonna non trovata: " + psColonna);
}

}  // namespace vb::FunzioniComuniUi
