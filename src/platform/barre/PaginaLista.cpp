#include "platform/barre/PaginaLista.h"

#include <algorithm>

#include "platform/Errore.h"
#include "platform/MsgBox.h"
#include "platform/Testo.h"
#include "platform/barre/ComandiLista.h"
#include "platform/dati/Recordset.h"
#include "platform/ui/Form.h"
#include "platform/ui/Griglia.h"

namespace barre {
namespace navlib {

namespace {

bool Uguale(const std::string& a, const char* b) { return vb::StrComp(a, b, vb::vbTextCompare) == 0; }

const std::vector<BottoneStd>& BottoniLista() {
  static const std::vector<BottoneStd> v = {
      {"Ricerca", "Ricerca", "(R) Ricerca", true},   {"AzzSel", "Azzera", "(Z) Azzera selezione", true},
      {"Seleziona", "Seleziona", "(S) Seleziona", true}, {"Torna", "Torna", "(E) Torna senza scegliere", true},
      {"-1", "", "", true},                           {"Inizio", "Inizio", "(I) Inizio lista", true},
      {"Fine", "Fine", "(F) Fine lista", true},       {"Punta", "Punta", "(P) Puntatore", true},
      {"VaiA", "Vai a", "(V) Vai a", true},           {"Aggiorna", "Aggiorna", "(G) Aggiorna", true},
      {"Trova", "Trova", "(T) Trova", true},          {"Stampa", "Stampa", "(Q) Stampa", false},
      {"-2", "", "", true},                           {"Chiudi", "Chiudi", "(H) Chiudi", true},
      {"Menu", "Menu", "(M) Menu", true},
  };
  return v;
}

}  // namespace

PaginaLista::PaginaLista() = default;
PaginaLista::~PaginaLista() = default;

vb::Variant PaginaLista::ovLeggiPar(const std::string& psNome) const {
  for (const auto& [n, v] : variabili_)
    if (Uguale(n, psNome.c_str())) return v;
  return {};
}

void PaginaLista::SetovLeggiPar(const std::string& psNome, const vb::Variant& pvValore) {
  for (auto& [n, v] : variabili_)
    if (Uguale(n, psNome.c_str())) {
      v = pvValore;
      return;
    }
  variabili_.emplace_back(psNome, pvValore);
}

std::string PaginaLista::TastoPremuto(int piKeyCode) { return TastoDaSuggerimento(barra_, piKeyCode); }

void PaginaLista::BarraStrumenti(ui::Controllo& ptol) {
  barra_ = &ptol;
  AggiungiBottoni(ptol, BottoniLista());
}

void PaginaLista::OggettoBase(rowlib::ComandiLista& pComlin) { comlin_ = &pComlin; }

void PaginaLista::Form(ui::Form& pfrm) { form_ = &pfrm; }

ProtFormLisPag* PaginaLista::Prot() const { return form_ ? dynamic_cast<ProtFormLisPag*>(form_) : nullptr; }

void PaginaLista::DefinisciFiltro(const std::string& psNome, ui::Controllo& pCtrl, const std::string& psOperatore,
                                  const vb::Variant&, int piTipo, const vb::Variant&, const std::string& psSuffisso,
                                  const vb::Variant& pvVuoto) {
  filtri_.push_back(std::make_unique<CampoLista>(psNome, &pCtrl, psOperatore, piTipo, psSuffisso, pvVuoto));
}

CampoLista* PaginaLista::Filtro(const std::string& psNomeFiltro) const {
  for (const auto& f : filtri_)
    if (Uguale(f->NomeFiltro(), psNomeFiltro.c_str())) return f.get();
  return nullptr;
}

std::string PaginaLista::ValoreFiltro(const std::string& psNomeFiltro) const {
  CampoLista* f = Filtro(psNomeFiltro);
  if (!f) vb::Solleva(5, "Criterio di selezione inesistente: " + psNomeFiltro);
  return f->Valore();
}

void PaginaLista::ValoreFiltro(const std::string& psNomeFiltro, const std::string& psValore) {
  CampoLista* f = Filtro(psNomeFiltro);
  if (!f) vb::Solleva(5, "Criterio di selezione inesistente: " + psNomeFiltro);
  f->SetValore(psValore);
}

bool PaginaLista::VerifFiltri(const vb::Variant&) {
  bool errore = false;
  std::string primo;
  for (const auto& f : filtri_) {
    ui::Controllo* c = f->Controllo();
    if (!c) continue;
    if (!f->Leggibile()) {
      if (!errore) primo = f->NomeFiltro() + ": \"" + f->Valore() + "\"";
      errore = true;
      c->SetBackColor(coloreErrore_);
    } else if (c->BackColor() == coloreErrore_) {
      c->SetBackColor(coloreSfondo_);
    }
  }
  if (errore) vb::MsgBox("Valore non valido nella selezione (" + primo + ")", vb::vbExclamation);
  return errore;
}

void PaginaLista::ImpImmagini(const std::string& psTipo, ui::Controllo* pimgPiccole, ui::Controllo* pimgGrandi) {
  SetovLeggiPar("TipoIcone", psTipo);
  if (comlin_) comlin_->ImpImmagini(psTipo, pimgPiccole, pimgGrandi);
}

void PaginaLista::Prepara() {
  preparata_ = true;
  // The print dialogs the window named reach the list commands.
  if (comlin_) {
    if (stampa_.ofrmComlinSTampa) comlin_->FormStampa(stampa_.ofrmComlinSTampa);
    if (stampa_.ofrmStampaInCorso) comlin_->FormStampaInCorso(stampa_.ofrmStampaInCorso);
  }
  if (barra_ && barra_->HaElem("VaiA")) {
    barra_->Elem("VaiA").Enabled = false;
    barra_->ElementoCambiato();
  }
  // The first criterion that can take the focus gets it when shown.
  for (const auto& f : filtri_)
    if (ui::Controllo* c = f->Controllo(); c && c->Visible() && c->Enabled()) {
      c->SetTabIndex(0);
      break;
    }
}

long PaginaLista::AreaUtile() const {
  long basso = 0;
  if (barra_) basso = barra_->Top() + barra_->Height();
  for (const auto& f : filtri_)
    if (ui::Controllo* c = f->Controllo(); c && c->Visible()) basso = std::max(basso, c->Top() + c->Height());
  return basso + 60;
}

void PaginaLista::TastoLista() {
  if (!form_) return;
  if (!form_->Caricata()) form_->Load();
  form_->Show();
}

std::string PaginaLista::CostruisciWhere() {
  std::string where;
  ProtFormLisPag* p = Prot();
  for (const auto& f : filtri_) {
    if (f->Vuoto()) continue;
    std::string cond;
    if (Uguale(f->Operatore(), "pers")) {
      if (!p) continue;
      std::vector<vb::Variant> param{vb::Variant(where.empty() ? "" : " And "), vb::Variant(f->Valore())};
      const vb::Variant r = p->PersListaVarie(1, *f, param);
      if (r.IsEmpty() || r.IsNull() || r.ToString().empty()) continue;
      where += r.ToString();
      continue;
    }
    cond = f->Condizione();
    if (cond.empty()) continue;
    if (!where.empty()) where += " And ";
    where += cond;
  }
  return where;
}

std::string PaginaLista::Ricerca() {
  ProtFormLisPag* p = Prot();
  if (!p) return "La lista non è collegata alla sua finestra";
  if (!p->VerSelez()) return "Selezione non valida";
  // Whatever the window checked, a value that does not read never reaches
  // the statement.
  for (const auto& f : filtri_) {
    if (f->Leggibile()) continue;
    if (ui::Controllo* c = f->Controllo()) c->SetBackColor(coloreErrore_);
    const std::string msg = "Valore non valido nella selezione (" + f->NomeFiltro() + "): " + f->Valore();
    vb::MsgBox(msg, vb::vbExclamation);
    return msg;
  }
  const std::string where = CostruisciWhere();
  const std::string sql = p->PrepSql(where);
  p->SettaRecordset(sql, true);
  return {};
}

std::string PaginaLista::Seleziona() {
  if (!comlin_) return "Nessuna lista";
  dati::Recordset* rs = comlin_->Recordset();
  if (!rs || rs->NessunaCorrente()) return "Nessuna riga scelta";
  const auto chiave = comlin_->ChiaveRiga();
  if (chiave.empty()) return "Le colonne chiave della lista non sono impostate";
  if (!barraBase_) return "La lista non serve alcuna finestra";
  if (!barraBase_->MostraDaLista(chiave)) return "Il record scelto non è stato mostrato";
  return {};
}

std::string PaginaLista::EseguiTasto(const std::string& psKey) {
  try {
    if (Uguale(psKey, "Ricerca")) return Ricerca();
    if (Uguale(psKey, "AzzSel")) {
      for (const auto& f : filtri_) {
        f->SetValore("");
        if (ui::Controllo* c = f->Controllo(); c && c->BackColor() == coloreErrore_) c->SetBackColor(coloreSfondo_);
      }
      return {};
    }
    if (Uguale(psKey, "Seleziona")) return Seleziona();
    if (Uguale(psKey, "Torna")) {
      if (form_) form_->Hide();
      return {};
    }
  } catch (const vb::Errore& e) {
    const std::string msg = "Errore(" + std::to_string(e.Number()) + "): " + e.Description();
    vb::MsgBox(msg, vb::vbCritical);
    return msg;
  }
  return {};
}

bool PaginaLista::Avanti() {
  if (!comlin_ || !comlin_->Recordset()) return false;
  dati::Recordset* rs = comlin_->Recordset();
  const long dopo = rs->AbsolutePosition() + 1;
  if (dopo >= rs->LeggiFinoA(dopo + 1)) return false;
  comlin_->EseguiTasto("Successiva");
  return Seleziona().empty();
}

bool PaginaLista::Indietro() {
  if (!comlin_ || !comlin_->Recordset()) return false;
  dati::Recordset* rs = comlin_->Recordset();
  if (rs->AbsolutePosition() <= 0) return false;
  comlin_->EseguiTasto("Precedente");
  return Seleziona().empty();
}

}  // namespace navlib
}  // namespace barre
