#include "platform/barre/PaginaRighe.h"

#include <algorithm>
#include <cmath>

#include "platform/Date.h"
#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/InputBox.h"
#include "platform/MsgBox.h"
#include "platform/Testo.h"
#include "platform/dati/GestDatabase.h"
#include "platform/dati/Recordset.h"
#include "platform/ui/Form.h"
#include "platform/ui/Griglia.h"

namespace barre {
namespace gridlib {

namespace {

bool Uguale(const std::string& a, const char* b) { return vb::StrComp(a, b, vb::vbTextCompare) == 0; }

const std::vector<BottoneStd>& BottoniRighe() {
  static const std::vector<BottoneStd> v = {
      {"Nuovo", "Nuovo", "(N) Nuovo", true},          {"Salva", "Salva", "(S) Salva", true},
      {"Cancella", "Cancella", "(C) Cancella", true}, {"Annulla", "Annulla", "(A) Annulla", true},
      {"Duplica", "Duplica", "(D) Duplica", false},   {"VarKey", "Varia chiave", "(R) Varia campi chiave", true},
      {"-1", "", "", true},
      {"Punta", "Punta", "(P) Puntatore", true},      {"VaiA", "Vai a", "(V) Vai a", true},
      {"Inizio", "Inizio", "(I) Inizio Archivio", true}, {"Fine", "Fine", "(F) Fine Archivio", true},
      {"Aggiorna", "Aggiorna", "(G) Aggiorna", true}, {"Trova", "Trova", "(T) Trova", true},
      {"-2", "", "", true},
      {"Chiudi", "Chiudi", "(H) Chiudi", true},       {"Menu", "Menu", "(M) Menu", true},
  };
  return v;
}

// Digits before and after the comma of a typed number; false when the text
// is no number.
bool LeggiNumero(const std::string& s, double& v, int& interi, int& decimali, bool& negativo) {
  size_t i = 0;
  negativo = false;
  if (i < s.size() && (s[i] == '-' || s[i] == '+')) negativo = s[i++] == '-';
  std::string norm = negativo ? "-" : "";
  interi = decimali = 0;
  bool virgola = false;
  for (; i < s.size(); ++i) {
    const char c = s[i];
    if (c >= '0' && c <= '9') {
      norm += c;
      (virgola ? decimali : interi)++;
    } else if (c == ',' && !virgola) {
      virgola = true;
      norm += '.';
    } else if (c == '.' && !virgola) {
      // a thousands point: three digits follow
      size_t j = i + 1;
      while (j < s.size() && s[j] >= '0' && s[j] <= '9') ++j;
      if (j - i - 1 != 3) return false;
    } else {
      return false;
    }
  }
  if (interi + decimali == 0) return false;
  try {
    v = std::stod(norm);
  } catch (...) {
    return false;
  }
  return true;
}

}  // namespace

PaginaRighe::PaginaRighe() = default;

PaginaRighe::~PaginaRighe() {
  if (dati_) dati_->SetRecordset(nullptr);
  if (!chiave_.empty()) {
    try {
      rs_.ChiudiRecordset(chiave_);
    } catch (...) {
    }
  }
}

vb::Variant PaginaRighe::ovLeggiPar(const std::string& psNome) const {
  for (const auto& [n, v] : variabili_)
    if (Uguale(n, psNome.c_str())) return v;
  return {};
}

void PaginaRighe::SetovLeggiPar(const std::string& psNome, const vb::Variant& pvValore) {
  for (auto& [n, v] : variabili_)
    if (Uguale(n, psNome.c_str())) {
      v = pvValore;
      return;
    }
  variabili_.emplace_back(psNome, pvValore);
}

void PaginaRighe::SetoiAbilRW(int piValore) {
  abilRW_ = piValore;
  if (barra_)
    for (const char* k : {"Nuovo", "Salva", "Cancella", "Duplica"})
      if (barra_->HaElem(k)) barra_->Elem(k).Enabled = piValore == 1;
  if (barra_) barra_->ElementoCambiato();
  BloccaChiavi();
}

void PaginaRighe::BloccaChiavi() {
  for (auto& c : campi_) {
    if (!c->ctrl) continue;
    bool blocca = abilRW_ != 1;
    if (!blocca && c->oiChiave == 1 && c->oiKeyFisso != 2) blocca = stato_ == 1 && !chiaviAperte_;
    c->ctrl->SetLocked(blocca);
  }
}

void PaginaRighe::RecCorrSuTot(std::string& psCorr, std::string& psTot) {
  dati::Recordset* rs = Recordset();
  // The rows read so far, "+" while more may follow; a new row goes after
  // all of them, so then they are counted.
  const bool tutte = !rs || stato_ == 2 || rs->FineNota();
  const long tot = !rs ? 0 : tutte ? rs->RecordCount() : rs->RigheNote();
  psTot = std::to_string(tot) + (tutte ? "" : "+");
  if (stato_ == 2 && insModo_ == 1 && insPos_ >= 0) psCorr = std::to_string(std::min(insPos_, tot) + 1);
  else if (stato_ == 2 || !rs || rs->NessunaCorrente()) psCorr = stato_ == 2 ? std::to_string(tot + 1) : "0";
  else psCorr = std::to_string(rs->AbsolutePosition() + 1);
}

void PaginaRighe::AggiornaContatore() {
  // "VaiA" only while a row is kept.
  if (barra_ && barra_->HaElem("VaiA")) {
    ProtFormLinPag* p = Prot();
    const bool abil = p && !p->ovfrmBookmark().empty();
    if (barra_->Elem("VaiA").Enabled != abil) {
      barra_->Elem("VaiA").Enabled = abil;
      barra_->ElementoCambiato();
    }
  }
  if (!contaRighe_) return;
  std::string a, b;
  RecCorrSuTot(a, b);
  contaRighe_->SetText(a + " / " + b);
}

void PaginaRighe::Form(ui::Form& pfrm) { form_ = &pfrm; }

ProtFormLinPag* PaginaRighe::Prot() const { return form_ ? dynamic_cast<ProtFormLinPag*>(form_) : nullptr; }

void PaginaRighe::BarraStrumenti(ui::Controllo& ptol) {
  barra_ = &ptol;
  if (ptol.NumElementi() == 0) AggiungiBottoni(ptol, BottoniRighe());
}

void PaginaRighe::Griglia(ui::Griglia& pdbg) {
  griglia_ = &pdbg;
  griglia_->SetAllowUpdate(false);  // rows are edited in the boxes
  if (dati_) griglia_->SetDataSource(dati_);
}

void PaginaRighe::ControlloDati(ui::DatiControllo& pdat) {
  dati_ = &pdat;
  if (griglia_) griglia_->SetDataSource(dati_);
}

CampoRiga& PaginaRighe::DefinisciCampo(const std::string& psNome, ui::Controllo& pCtrl, const vb::Variant& pvTitolo,
                                       const vb::Variant& pvColGriglia, const vb::Variant& pvDescrizione, int piChiave,
                                       int piTipoNum, int piKeyFisso, int, int, const std::string& psAzzCampo,
                                       vb::Currency pdDim, const vb::Variant& pvObblig, const std::string& psMaschera,
                                       const vb::Variant& pvFormatoGriglia, int, int piNascosto) {
  auto c = std::make_unique<CampoRiga>();
  c->osNome = psNome;
  c->ctrl = &pCtrl;
  auto testo = [](const vb::Variant& v) { return v.IsEmpty() || v.IsMissing() || v.IsNull() ? std::string() : v.ToString(); };
  c->osTitolo = testo(pvTitolo);
  c->osColGriglia = testo(pvColGriglia);
  c->osDescrizione = testo(pvDescrizione);
  c->oiChiave = piChiave;
  c->oiTipoNum = piTipoNum;
  c->oiKeyFisso = piKeyFisso;
  c->osAzzCampo = psAzzCampo;
  c->odDim = pdDim;
  c->oiObblig = (!pvObblig.IsEmpty() && !pvObblig.IsMissing() && !pvObblig.IsNull() && pvObblig.ToBool()) ? 1 : 0;
  c->osMaschera = psMaschera;
  c->osFormatoGriglia = testo(pvFormatoGriglia);
  c->oiNascosto = piNascosto;
  if (psNome.size() > 2 && psNome[0] == '|') {
    const size_t fine = psNome.find('|', 1);
    if (fine != std::string::npos) {
      c->sep = psNome.substr(1, fine - 1);
      for (const std::string& p : vb::Split(psNome.substr(fine + 1), "|"))
        if (!p.empty()) c->parti.push_back(p);
    }
  }
  if (c->parti.empty()) c->parti.push_back(psNome);
  campi_.push_back(std::move(c));
  return *campi_.back();
}

bool PaginaRighe::HaCampo(const std::string& psColonna) const {
  for (const auto& c : campi_)
    if (Uguale(c->osNome, psColonna.c_str())) return true;
  return false;
}

CampoRiga& PaginaRighe::Campi(const std::string& psColonna) {
  for (auto& c : campi_)
    if (Uguale(c->osNome, psColonna.c_str())) return *c;
  vb::Solleva(5, "Campo della pagina inesistente: " + psColonna);
}

void PaginaRighe::AbilHook(int piCodice, bool pbAbil) {
  if (piCodice >= 0 && piCodice < static_cast<int>(hook_.size())) hook_[static_cast<size_t>(piCodice)] = pbAbil;
}

bool PaginaRighe::Abil(int c) const { return c >= 0 && c < static_cast<int>(hook_.size()) && hook_[static_cast<size_t>(c)]; }

void PaginaRighe::Messaggio(const std::string& testo) const { vb::MsgBox(testo, vb::vbExclamation); }

bool PaginaRighe::Prima(int piOper, vb::Variant& pvRit, std::vector<vb::Variant>& pvArray, std::string& psMotivo) {
  ProtFormLinPag* p = Prot();
  if (!p || !Abil(piOper)) return true;
  vb::Variant r;
  try {
    r = p->PersLPaPri(piOper, pvRit, pvArray);
  } catch (const vb::Errore& e) {
    psMotivo = "Errore(" + std::to_string(e.Number()) + "): " + e.Description();
    Messaggio(psMotivo);
    return false;
  }
  if (r.IsEmpty() || r.IsNull()) return true;
  if (r.IsString() ? (vb::Trim(r.ToString()).empty() || r.ToString() == "0") : (r.IsNumber() && r.ToDouble() == 0))
    return true;
  const std::string rit = pvRit.IsEmpty() || pvRit.IsNull() ? std::string() : pvRit.ToString();
  psMotivo = rit.empty() ? "Operazione annullata" : rit;
  return false;
}

void PaginaRighe::Dopo(int piOper, vb::Variant& pvRit, std::vector<vb::Variant> pvArray) {
  ProtFormLinPag* p = Prot();
  if (!p || !Abil(piOper)) return;
  try {
    p->PersLPaDop(piOper, pvRit, pvArray);
  } catch (const vb::Errore& e) {
    Messaggio("Errore(" + std::to_string(e.Number()) + "): " + e.Description());
  }
}

// ---------------------------------------------------------------- rows

dati::Recordset* PaginaRighe::Recordset() const {
  if (chiave_.empty() || !rs_.Esiste(chiave_)) return nullptr;
  return &const_cast<dati::GestRecordset&>(rs_).RecordsetDao(chiave_);
}

void PaginaRighe::ApriRighe(const std::string& psSql, const vb::Variant&, int, int) {
  if (!db_) vb::Solleva(91, "Database della pagina non impostato");
  sql_ = psSql;
  if (dati_) dati_->SetRecordset(nullptr);
  if (!chiave_.empty()) rs_.ChiudiRecordset(chiave_);
  chiave_ = rs_.ApriRecordset(*db_, conn_, "", sql_, false, 2);
  if (dati_) dati_->SetRecordset(&rs_.RecordsetDao(chiave_));
  FormatGriglia();
  if (ProtFormLinPag* p = Prot()) p->DatRefresh();
  dati::Recordset* rs = Recordset();
  if (rs->RecordCount() > 0) {
    stato_ = 1;
    MostraRiga();
  } else {
    Nuovo();
  }
  AggiornaContatore();
}

void PaginaRighe::FormatGriglia(int, const std::string&, int, const std::string& psFormatoData) {
  if (!griglia_) return;
  griglia_->ColonneDaCampi();
  dati::Recordset* rs = Recordset();
  const std::string fmt = psFormatoData.empty() ? formatoData_ : psFormatoData;
  for (int i = 0; i < griglia_->NumColonne(); ++i) {
    ui::ColonnaGriglia& col = griglia_->Colonna(i);
    if (rs) {
      const int f = rs->Indice(col.DataField);
      if (f >= 0 && rs->Campo(f).tipo == dati::TipoCampo::Data) col.NumberFormat = fmt;
    }
    for (const auto& c : campi_) {
      const std::string& nome = c->osColGriglia.empty() ? c->osNome : c->osColGriglia;
      if (!Uguale(nome, col.DataField.c_str())) continue;
      if (!c->osTitolo.empty()) col.Caption = c->osTitolo;
      if (!c->osFormatoGriglia.empty()) col.NumberFormat = c->osFormatoGriglia;
      if (c->oiNascosto == -1) col.Visible = false;
      if (c->oiTipoNum > 0) col.Alignment = 1;
    }
  }
  griglia_->ColonnaCambiata();
}

// Columns are named by field, by caption (one given by TitoloColonna) or by
// position.
bool PaginaRighe::ColonnaNominata(int i, const vb::Variant& pvColonna) const {
  return (pvColonna.IsNumber() && pvColonna.ToLong() == i) ||
         Uguale(griglia_->Colonna(i).DataField, pvColonna.ToString().c_str()) ||
         Uguale(griglia_->Colonna(i).Caption, pvColonna.ToString().c_str());
}

void PaginaRighe::LargColonna(const vb::Variant& pvColonna, long plLarg, const vb::Variant&) {
  if (!griglia_) return;
  for (int i = 0; i < griglia_->NumColonne(); ++i)
    if (ColonnaNominata(i, pvColonna))
      griglia_->Colonna(i).Width = plLarg;
  griglia_->ColonnaCambiata();
}

void PaginaRighe::NascondiColonna(const vb::Variant& pvColonna, int, int) {
  if (!griglia_) return;
  for (int i = 0; i < griglia_->NumColonne(); ++i)
    if (ColonnaNominata(i, pvColonna))
      griglia_->Colonna(i).Visible = false;
  griglia_->ColonnaCambiata();
}

void PaginaRighe::FormatColonna(const vb::Variant& pvColonna, const std::string& psFormato) {
  if (!griglia_) return;
  for (int i = 0; i < griglia_->NumColonne(); ++i)
    if (ColonnaNominata(i, pvColonna))
      griglia_->Colonna(i).NumberFormat = psFormato;
  griglia_->ColonnaCambiata();
}

void PaginaRighe::TitoloColonna(const vb::Variant& pvColonna, const std::string& psTitolo) {
  if (!griglia_) return;
  for (int i = 0; i < griglia_->NumColonne(); ++i)
    if ((pvColonna.IsNumber() && pvColonna.ToLong() == i) || Uguale(griglia_->Colonna(i).DataField, pvColonna.ToString().c_str()))
      griglia_->Colonna(i).Caption = psTitolo;
  griglia_->ColonnaCambiata();
}

int PaginaRighe::TipoColonna(const std::string& col) const {
  dati::Recordset* rs = Recordset();
  if (!rs) return -1;
  const int f = rs->Indice(col);
  return f < 0 ? -1 : static_cast<int>(rs->Campo(f).tipo);
}

std::string PaginaRighe::TestoDa(const CampoRiga& c, const vb::Variant& v) const {
  if (v.IsEmpty() || v.IsNull()) return {};
  if (v.IsDate()) return v.ToDate().ToDateText();
  if (!c.osMaschera.empty() && v.IsNumber()) return vb::FunzioniComuni::Istanza().Formatta(v, c.osMaschera);
  if (v.IsNumber()) {
    // the Italian comma, no exponent
    std::string s = vb::FunzioniComuni::Istanza().ValoreSql(v, vb::vbDouble);
    std::replace(s.begin(), s.end(), '.', ',');
    return s;
  }
  return v.ToString();
}

// A field is its table's column: the rows may also show another table's
// column of the same name, or this one under another name.
std::string PaginaRighe::CampoDi(const std::string& psColonna) const {
  return tabella_.empty() ? psColonna : tabella_ + "." + psColonna;
}

void PaginaRighe::MostraRiga() {
  dati::Recordset* rs = Recordset();
  ++mostrate_;
  inMostra_ = true;
  for (auto& c : campi_) {
    std::string t;
    if (rs && !rs->NessunaCorrente()) {
      for (size_t i = 0; i < c->parti.size(); ++i) {
        if (i) t += c->sep;
        const std::string col = CampoDi(c->parti[i]);
        t += TestoDa(*c, rs->Indice(col) >= 0 ? rs->Leggi(col) : vb::Variant());
      }
      if (c->parti.size() > 1 && vb::Trim(vb::Replace(t, c->sep, "")).empty()) t.clear();
    }
    c->ctrl->SetText(t);
    c->testoMostrato = t;
    if (c->ctrl->BackColor() == coloreErrore_) c->ctrl->SetBackColor(coloreSfondo_);
  }
  inMostra_ = false;
  chiaviAperte_ = false;
  BloccaChiavi();
  selezione_.clear();
  Dopo(16);
  AggiornaContatore();
}

void PaginaRighe::Azzera() {
  ++mostrate_;
  inMostra_ = true;
  for (auto& c : campi_) {
    if (c->oiKeyFisso != 2) c->ctrl->SetText(c->osAzzCampo);
    c->testoMostrato = c->ctrl->Text();
    if (c->ctrl->BackColor() == coloreErrore_) c->ctrl->SetBackColor(coloreSfondo_);
  }
  inMostra_ = false;
}

void PaginaRighe::CambiaStato(int piNuovo) {
  const int prima = stato_;
  stato_ = piNuovo;
  chiaviAperte_ = false;
  BloccaChiavi();
  if (prima != piNuovo) Dopo(7, "", {vb::Variant(piNuovo)});
}

vb::Variant PaginaRighe::VarDati(int) {
  std::vector<std::string> esclusi;
  if (ProtFormLinPag* p = Prot(); p && Abil(0)) {
    vb::Variant rit = "";
    std::vector<vb::Variant> arr;
    vb::Variant r;
    try {
      r = p->PersLPaPri(0, rit, arr);
    } catch (const vb::Errore& e) {
      Messaggio("Errore(" + std::to_string(e.Number()) + "): " + e.Description());
    }
    if (!r.IsEmpty() && !r.IsNull() && r.IsNumeric() && r.ToDouble() == 1) return rit.IsEmpty() ? vb::Variant("") : rit;
    const std::string s = rit.IsEmpty() || rit.IsNull() ? std::string() : rit.ToString();
    if (s.rfind("N-", 0) == 0)
      for (const std::string& n : vb::Split(s.substr(2), ",")) esclusi.push_back(vb::Trim(n));
  }
  std::string cambiati;
  for (const auto& c : campi_) {
    bool escluso = false;
    for (const auto& e : esclusi)
      if (Uguale(e, c->osNome.c_str())) escluso = true;
    if (escluso) continue;
    if (c->ctrl->Text() != c->testoMostrato) cambiati += (cambiati.empty() ? "" : ",") + c->osNome;
  }
  return cambiati;
}

bool PaginaRighe::ValoreDa(const CampoRiga& c, std::vector<std::pair<std::string, vb::Variant>>& out,
                           std::string& psMotivo) const {
  const std::string testo = vb::Trim(c.ctrl->Text());
  std::vector<std::string> pezzi;
  if (c.parti.size() > 1) {
    pezzi = testo.empty() ? std::vector<std::string>(c.parti.size()) : vb::Split(testo, c.sep);
    if (pezzi.size() != c.parti.size()) {
      psMotivo = "Valore non valido nel campo " + c.Nome() + ": " + testo;
      return false;
    }
  } else {
    pezzi.push_back(testo);
  }
  for (size_t i = 0; i < c.parti.size(); ++i) {
    const std::string t = vb::Trim(pezzi[i]);
    const std::string& col = c.parti[i];
    if (t.empty()) {
      out.emplace_back(col, vb::Variant(vb::Null));
      continue;
    }
    const int tipoCol = TipoColonna(col);
    const bool numero = c.oiTipoNum > 0 || tipoCol == static_cast<int>(dati::TipoCampo::Byte) ||
                        tipoCol == static_cast<int>(dati::TipoCampo::Intero) ||
                        tipoCol == static_cast<int>(dati::TipoCampo::Lungo) ||
                        tipoCol == static_cast<int>(dati::TipoCampo::Importo) ||
                        tipoCol == static_cast<int>(dati::TipoCampo::Doppio);
    if (tipoCol == static_cast<int>(dati::TipoCampo::Data)) {
      auto d = vb::Date::Parse(t);
      if (!d) {
        psMotivo = "Data non valida nel campo " + c.Nome() + ": " + t;
        return false;
      }
      out.emplace_back(col, *d);
    } else if (numero) {
      double v = 0;
      int interi = 0, decimali = 0;
      bool neg = false;
      bool ok = LeggiNumero(t, v, interi, decimali, neg);
      const double dim = c.odDim.ToDouble();
      if (ok && dim != 0) {
        const int maxInt = static_cast<int>(std::floor(std::fabs(dim)));
        const int maxDec = static_cast<int>(std::lround((std::fabs(dim) - maxInt) * 10));
        if (interi > maxInt || decimali > maxDec || (neg && dim > 0)) ok = false;
      }
      const bool intero = c.oiTipoNum == 3 || c.oiTipoNum == 4 || tipoCol == static_cast<int>(dati::TipoCampo::Intero) ||
                          tipoCol == static_cast<int>(dati::TipoCampo::Lungo) ||
                          tipoCol == static_cast<int>(dati::TipoCampo::Byte);
      if (ok && intero && (decimali > 0 || std::fabs(v) > 2147483647.0)) ok = false;
      if (ok && (c.oiTipoNum == 3 || tipoCol == static_cast<int>(dati::TipoCampo::Intero)) && std::fabs(v) > 32767) ok = false;
      if (!ok) {
        psMotivo = "Valore non valido nel campo " + c.Nome() + ": " + t;
        return false;
      }
      if (intero) out.emplace_back(col, static_cast<int32_t>(v));
      else if (tipoCol == static_cast<int>(dati::TipoCampo::Importo)) out.emplace_back(col, vb::Currency::FromDouble(v));
      else out.emplace_back(col, v);
    } else {
      // a text's size is its longest length (characters, not bytes)
      const double dim = c.odDim.ToDouble();
      if (dim > 0) {
        size_t caratteri = 0;
        for (unsigned char ch : t) caratteri += (ch & 0xC0) != 0x80;
        if (caratteri > static_cast<size_t>(dim)) {
          psMotivo = "Testo troppo lungo nel campo " + c.Nome() + ": al massimo " + std::to_string(static_cast<long>(dim)) +
                     " caratteri";
          return false;
        }
      }
      out.emplace_back(col, t);
    }
  }
  return true;
}

std::string PaginaRighe::VerificaRiga(bool pbMostra) {
  std::string primo;
  for (const auto& c : campi_) {
    std::vector<std::pair<std::string, vb::Variant>> v;
    std::string motivo;
    bool ok = ValoreDa(*c, v, motivo);
    if (ok && c->oiObblig) {
      bool vuoto = true;
      for (const auto& [n, x] : v)
        if (!x.IsNull()) vuoto = false;
      if (vuoto) {
        ok = false;
        motivo = "Il campo " + c->Nome() + " è obbligatorio";
      }
    }
    if (!ok) {
      c->ctrl->SetBackColor(coloreErrore_);
      if (primo.empty()) primo = motivo;
    } else if (c->ctrl->BackColor() == coloreErrore_) {
      c->ctrl->SetBackColor(coloreSfondo_);
    }
  }
  if (pbMostra && !primo.empty()) Messaggio(primo);
  return primo;
}

vb::Variant PaginaRighe::ValoreCampo(const std::string& psColonna) {
  CampoRiga& c = Campi(psColonna);
  std::vector<std::pair<std::string, vb::Variant>> v;
  std::string motivo;
  if (!ValoreDa(c, v, motivo)) {
    c.ctrl->SetBackColor(coloreErrore_);
    return {};
  }
  if (c.ctrl->BackColor() == coloreErrore_) c.ctrl->SetBackColor(coloreSfondo_);
  if (v.size() == 1) return v[0].second;
  return vb::Trim(c.ctrl->Text());
}

void PaginaRighe::CampoGotFocus(ui::Controllo& c) {
  c.SetSelStart(0);
  c.SetSelLength(static_cast<int>(c.Text().size()));
}

void PaginaRighe::CampoLostFocus(ui::Controllo& c) {
  for (auto& f : campi_)
    if (f->ctrl == &c) (void)ValoreCampo(f->osNome);
}

// ---------------------------------------------------------------- commands

std::string PaginaRighe::EseguiTasto(const std::string& psKey) {
  std::string r;
  try {
    if (Uguale(psKey, "Salva")) r = Salva();
    else if (Uguale(psKey, "Nuovo")) {
      r = LasciaRiga();
      if (r.empty()) r = Nuovo();
    } else if (Uguale(psKey, "Cancella")) r = Cancella();
    else if (Uguale(psKey, "Annulla")) r = Annulla();
    else if (Uguale(psKey, "Duplica")) {
      if (abilRW_ != 1) return "Pagina in sola lettura";
      std::vector<std::string> testi;
      for (auto& c : campi_) testi.push_back(c->ctrl->Text());
      r = LasciaRiga();
      if (r.empty()) r = Nuovo();
      if (r.empty())
        for (size_t i = 0; i < campi_.size(); ++i)
          if (campi_[i]->oiChiave != 1) campi_[i]->ctrl->SetText(testi[i]);
    } else if (Uguale(psKey, "VarKey")) {
      r = VarKey();
    } else if (Uguale(psKey, "Trova")) {
      r = Trova();
    } else if (Uguale(psKey, "Cerca")) {
      r = Cerca(form_ && form_->Esiste("txtCerca") ? form_->C("txtCerca").Text() : std::string());
    } else if (Uguale(psKey, "Chiudi")) {
      if (ProtFormLinPag* p = Prot()) p->ChiudiFrm();
    } else if (Uguale(psKey, "Menu")) {
      if (ProtFormLinPag* p = Prot()) p->MenuFrm();
    } else if (Uguale(psKey, "Punta")) {
      dati::Recordset* rs = Recordset();
      if (ProtFormLinPag* p = Prot(); p && rs && stato_ == 1 && !rs->NessunaCorrente()) p->SetovfrmBookmark(rs->Bookmark());
    } else if (Uguale(psKey, "Aggiorna")) {
      if (!Uguale(ovLeggiPar("AggNoSalva").ToString(), "S")) r = LasciaRiga();
      if (r.empty()) {
        if (stato_ == 2) CambiaStato(1);
        Riposiziona();
      }
    } else {
      r = Muovi(psKey);
    }
  } catch (const vb::Errore& e) {
    r = "Errore(" + std::to_string(e.Number()) + "): " + e.Description();
    Messaggio(r);
  }
  AggiornaContatore();
  return r;
}

std::string PaginaRighe::LasciaRiga() {
  if (VarDati(-1).ToString().empty()) return {};
  if (Uguale(ovLeggiPar("MsgAnn").ToString(), "N")) return {};
  const int r = vb::MsgBox("La riga è stata modificata. Salvare le modifiche?", vb::vbYesNoCancel | vb::vbQuestion);
  if (r == vb::vbCancel) return "Operazione annullata";
  if (r == vb::vbYes) return Salva();
  return {};
}

std::string PaginaRighe::Muovi(const std::string& psKey) {
  dati::Recordset* rs = Recordset();
  if (!rs) return "Nessuna riga";
  long dest;
  const long tot = rs->RecordCount();
  const long pos = stato_ == 2 ? tot : rs->AbsolutePosition();
  if (Uguale(psKey, "Inizio")) dest = 0;
  else if (Uguale(psKey, "Fine")) dest = tot - 1;
  else if (Uguale(psKey, "Precedente")) dest = pos - 1;
  else if (Uguale(psKey, "Successiva") || Uguale(psKey, "Successivo")) dest = pos + 1;
  else if (Uguale(psKey, "PageUp")) dest = pos - 20;
  else if (Uguale(psKey, "PageDown")) dest = pos + 20;
  else if (Uguale(psKey, "VaiA")) {
    ProtFormLinPag* p = Prot();
    const std::string b = p ? p->ovfrmBookmark() : std::string();
    if (b.empty()) return "Nessuna riga memorizzata";
    std::string r = LasciaRiga();
    if (!r.empty()) return r;
    if (stato_ == 2) rs->CancelUpdate();
    rs->SetBookmark(b);
    if (dati_) dati_->Riposizionato();
    CambiaStato(1);
    MostraRiga();
    return {};
  } else {
    return {};  // not a page command
  }
  if (tot == 0) return {};
  dest = std::clamp(dest, 0L, tot - 1);
  if (dest == pos && stato_ == 1) return {};
  std::string r = LasciaRiga();
  if (!r.empty()) return r;
  if (rs->InModifica()) rs->CancelUpdate();
  rs->SetAbsolutePosition(dest);
  if (dati_) dati_->Riposizionato();
  CambiaStato(1);
  MostraRiga();
  return {};
}

std::string PaginaRighe::VarKey() {
  if (abilRW_ != 1) return "Pagina in sola lettura";
  // A new row's key is open already.
  if (stato_ != 1) return {};
  ui::Controllo* primo = nullptr;
  for (const auto& c : campi_)
    if (c->oiChiave == 1 && c->oiKeyFisso != 2 && c->ctrl) {
      primo = c->ctrl;
      break;
    }
  if (!primo) return "Nessun campo chiave modificabile";
  chiaviAperte_ = true;
  BloccaChiavi();
  if (primo->PuoFuoco()) primo->SetFocus();
  CampoGotFocus(*primo);
  return {};
}

std::string PaginaRighe::Trova() {
  if (form_ && form_->Esiste("FraCerca")) {
    form_->C("FraCerca").SetVisible(true);
    if (form_->Esiste("txtCerca"))
      if (ui::Controllo& t = form_->C("txtCerca"); t.PuoFuoco()) t.SetFocus();
    return {};
  }
  const std::string testo = vb::InputBox("Testo da cercare nella colonna corrente:", "Trova");
  if (vb::Trim(testo).empty()) return "Operazione annullata";
  return Cerca(testo);
}

std::string PaginaRighe::Cerca(const std::string& psTesto) {
  const std::string cerca = vb::Trim(psTesto);
  dati::Recordset* rs = Recordset();
  if (cerca.empty()) return "Nessun valore da cercare";
  // The first row after the current one (from the top on a new row) whose
  // cell in the grid's current column begins with the text; -1 none.
  auto trova = [&]() -> long {
    if (!rs || !griglia_ || griglia_->NumColonne() == 0) return -1;
    const int col = std::clamp(griglia_->Col(), 0, griglia_->NumColonne() - 1);
    const long tot = rs->RecordCount();
    const long da = stato_ == 2 || rs->NessunaCorrente() ? 0 : rs->AbsolutePosition() + 1;
    for (long r = da; r < tot; ++r) {
      const std::string t = griglia_->TestoCella(r, col);
      if (t.size() >= cerca.size() && vb::StrComp(t.substr(0, cerca.size()), cerca, vb::vbTextCompare) == 0) return r;
    }
    return -1;
  };
  long dest = trova();
  if (dest >= 0) {
    std::string r = LasciaRiga();
    if (!r.empty()) return r;
    // Saving the row left may have moved the rows: the search runs again.
    dest = trova();
  }
  if (dest < 0) {
    Messaggio("Valore non trovato");
    return "Valore non trovato";
  }
  if (rs->InModifica()) rs->CancelUpdate();
  rs->SetAbsolutePosition(dest);
  if (dati_) dati_->Riposizionato();
  CambiaStato(1);
  MostraRiga();
  return {};
}

std::string PaginaRighe::Nuovo() {
  if (abilRW_ != 1) return "Pagina in sola lettura";
  dati::Recordset* rs = Recordset();
  vb::Variant rit = "";
  std::vector<vb::Variant> arr;
  std::string motivo;
  if (!Prima(8, rit, arr, motivo)) return motivo;
  if (rs && stato_ == 1 && !rs->NessunaCorrente()) segnoPrimaNuovo_ = rs->Bookmark();
  Azzera();
  Dopo(8, rit, {vb::Variant(0), vb::Variant(true)});
  // What the window's after-hook wrote are the new row's defaults, not the
  // user's changes: leaving an untouched new row asks nothing.
  for (auto& c : campi_) c->testoMostrato = c->ctrl->Text();
  selezione_.clear();
  CambiaStato(2);
  MettiInVista();
  if (ui::Controllo* c = CtrlIniziale(); c && c->PuoFuoco()) c->SetFocus();
  return {};
}

std::string PaginaRighe::Salva() {
  if (abilRW_ != 1) return "Pagina in sola lettura";
  dati::Recordset* rs = Recordset();
  if (!rs) return "Nessuna riga";
  if (stato_ == 1 && VarDati(-1).ToString().empty()) return {};
  const int statoIniziale = stato_;
  vb::Variant rit = "";
  std::vector<vb::Variant> arr;
  std::string motivo;
  auto fine = [&](const std::string& m) {
    vb::Variant r = m;
    Dopo(10, r, {vb::Variant(m.empty())});
    return m;
  };
  // A hook may run a command of the page meanwhile ("Annulla", a move):
  // the row on the boxes is then no longer the one being saved, and the
  // save stops without writing.
  const unsigned long mostrate = mostrate_;
  const std::string segno = stato_ == 1 && !rs->NessunaCorrente() ? rs->Bookmark() : std::string();
  auto cambiata = [&] {
    if (stato_ != statoIniziale || mostrate_ != mostrate) return true;
    dati::Recordset* ora = Recordset();
    if (ora != rs) return true;
    return stato_ == 1 && (rs->NessunaCorrente() || rs->Bookmark() != segno);
  };
  if (!Prima(10, rit, arr, motivo)) return fine(motivo);
  if (cambiata()) return fine("Operazione annullata");
  rit = "";
  if (!Prima(3, rit, arr, motivo)) return fine(motivo);
  if (cambiata()) return fine("Operazione annullata");
  motivo = VerificaRiga(true);
  if (!motivo.empty()) return fine(motivo);
  rit = "";
  if (!Prima(13, rit, arr, motivo)) return fine(motivo);
  if (cambiata()) return fine("Operazione annullata");
  std::vector<std::pair<std::string, vb::Variant>> valori;
  for (const auto& c : campi_)
    if (!ValoreDa(*c, valori, motivo)) return fine(motivo);
  try {
    if (stato_ == 2) rs->AddNew();
    else rs->Edit();
    for (const auto& [col, v] : valori)
      if (rs->Indice(CampoDi(col)) >= 0) rs->Scrivi(CampoDi(col), v);
    rs->Update();
  } catch (const vb::Errore& e) {
    if (rs->InModifica()) rs->CancelUpdate();
    switch (e.Number()) {
      case 3022:
      case 3146: motivo = "Riga già esistente: la chiave è duplicata"; break;
      case 3197: motivo = "La riga è stata modificata da un altro utente: premere Aggiorna per rileggerla"; break;
      case 3260: motivo = "La riga è bloccata da un altro utente"; break;
      default: motivo = "Errore(" + std::to_string(e.Number()) + "): " + e.Description();
    }
    Messaggio(motivo);
    return fine(motivo);
  }
  cambiato_ = true;
  rs->VaiUltimoMod();
  for (auto& c : campi_) c->testoMostrato = c->ctrl->Text();
  if (dati_) {
    // The grid follows the row written: the save's own move, which must
    // not show the row or end the new row before the after-hooks run.
    inMostra_ = true;
    try {
      dati_->Riposizionato();
    } catch (...) {
      inMostra_ = false;
      throw;
    }
    inMostra_ = false;
  }
  chiaviAperte_ = false;
  BloccaChiavi();
  rit = "";
  Dopo(13, rit);
  rit = "";
  Dopo(3, rit);
  fine("");
  if (stato_ == 2) {
    // Read before the change of state: the window's hook on it may switch
    // the insertion off, and the rows it moved must still be read again.
    const bool inPosizione = insModo_ == 1;
    CambiaStato(1);
    if (inPosizione) {
      // the rows in the table's order again, the new one where it belongs
      Riposiziona();
      MettiInVista();
    }
  }
  return {};
}

std::string PaginaRighe::Annulla() {
  dati::Recordset* rs = Recordset();
  if (!rs) return "Nessuna riga";
  if (!VarDati(-1).ToString().empty() && !Uguale(ovLeggiPar("MsgAnn").ToString(), "N") &&
      vb::MsgBox("Annullare le modifiche della riga?", vb::vbYesNo | vb::vbQuestion) != vb::vbYes)
    return "Operazione annullata";
  if (stato_ == 2) {
    if (rs->InModifica()) rs->CancelUpdate();
    if (rs->RecordCount() == 0) {
      Azzera();
      Dopo(4);
      return {};
    }
    try {
      if (!segnoPrimaNuovo_.empty()) rs->SetBookmark(segnoPrimaNuovo_);
    } catch (const vb::Errore&) {
      rs->MoveFirst();
    }
    if (rs->NessunaCorrente()) rs->MoveFirst();
    if (dati_) dati_->Riposizionato();
    CambiaStato(1);
  }
  MostraRiga();
  Dopo(4);
  return {};
}

std::string PaginaRighe::Cancella() {
  if (abilRW_ != 1) return "Pagina in sola lettura";
  dati::Recordset* rs = Recordset();
  if (!rs) return "Nessuna riga";
  // The rows selected in the grid, when the window has not named others.
  if (selezione_.empty() && griglia_ && stato_ == 1) selezione_ = griglia_->SelBookmarks();
  if (stato_ == 2 && selezione_.empty()) {
    SetovLeggiPar("MsgAnnPrec", ovLeggiPar("MsgAnn"));
    return Annulla();
  }
  if (selezione_.empty()) {
    if (rs->NessunaCorrente()) return "Nessuna riga da cancellare";
    selezione_.push_back(rs->Bookmark());
  }
  const std::string domanda = selezione_.size() == 1 ? "Cancellare la riga?"
                                                     : "Cancellare le " + std::to_string(selezione_.size()) + " righe selezionate?";
  if (!Uguale(ovLeggiPar("MsgCanc").ToString(), "N") && vb::MsgBox(domanda, vb::vbYesNo | vb::vbQuestion) != vb::vbYes)
    return "Operazione annullata";
  vb::Variant rit = "";
  std::vector<vb::Variant> arr;
  std::string motivo;
  if (!Prima(17, rit, arr, motivo)) {
    vb::Variant r = motivo;
    Dopo(17, r);
    return motivo;
  }
  // The hook may have added rows (lines that go with the selected ones).
  const std::vector<std::string> righe = selezione_;
  long ultima = 0;
  for (const std::string& b : righe) {
    rs->SetBookmark(b);
    if (dati_) dati_->Riposizionato();
    ultima = rs->AbsolutePosition();
    rit = "";
    if (!Prima(19, rit, arr, motivo)) break;
    try {
      rs->Delete();
    } catch (const vb::Errore& e) {
      motivo = "Errore(" + std::to_string(e.Number()) + "): " + e.Description();
      Messaggio(motivo);
      break;
    }
    cambiato_ = true;
    rit = "";
    Dopo(19, rit);
  }
  selezione_.clear();
  if (griglia_) griglia_->CambiaSelezione({});
  vb::Variant r = motivo;
  Dopo(17, r);
  if (rs->RecordCount() == 0) {
    if (dati_) dati_->Riposizionato();
    Nuovo();
    return motivo;
  }
  rs->SetAbsolutePosition(std::min(ultima, rs->RecordCount() - 1));
  if (dati_) dati_->Riposizionato();
  stato_ = 1;
  MostraRiga();
  return motivo;
}

void PaginaRighe::Rileggi() {
  dati::Recordset* rs = Recordset();
  if (!rs) return;
  const long pos = rs->AbsolutePosition();
  if (rs->InModifica()) rs->CancelUpdate();
  rs->Requery();
  if (dati_) dati_->SetRecordset(rs);
  // The window lays its columns out again and recounts its totals.
  if (ProtFormLinPag* p = Prot()) p->DatRefresh();
  if (rs->RecordCount() == 0) {
    Nuovo();
    return;
  }
  rs->SetAbsolutePosition(std::clamp(pos, 0L, rs->RecordCount() - 1));
  if (dati_) dati_->Riposizionato();
  stato_ = 1;
  MostraRiga();
}

void PaginaRighe::Riposiziona() {
  dati::Recordset* rs = Recordset();
  if (!rs) return;
  // The key of the current row, to find it again.
  std::string criterio;
  const auto& fc = vb::FunzioniComuni::Istanza();
  if (!rs->NessunaCorrente() || rs->InModifica()) {
    for (const auto& c : campi_) {
      if (c->oiChiave != 1 || c->parti.size() != 1 || rs->Indice(c->osNome) < 0) continue;
      const vb::Variant v = rs->Leggi(c->osNome);
      if (v.IsNull() || v.IsEmpty()) continue;
      const int tipo = v.IsDate() ? vb::vbDate : v.IsNumber() ? vb::vbDouble : vb::vbString;
      criterio += (criterio.empty() ? "" : " And ") + c->osNome + " = " + fc.ValoreSql(v, tipo);
    }
  }
  const long pos = rs->AbsolutePosition();
  if (rs->InModifica()) rs->CancelUpdate();
  rs->Requery();
  if (dati_) dati_->SetRecordset(rs);
  // The window lays its columns out again and recounts its totals.
  if (ProtFormLinPag* p = Prot()) p->DatRefresh();
  if (rs->RecordCount() == 0) {
    Nuovo();
    return;
  }
  bool trovato = false;
  if (!criterio.empty()) {
    rs->FindFirst(criterio);
    trovato = !rs->NoMatch();
  }
  if (!trovato) rs->SetAbsolutePosition(std::clamp(pos, 0L, rs->RecordCount() - 1));
  if (dati_) dati_->Riposizionato();
  stato_ = 1;
  MostraRiga();
}

void PaginaRighe::RigaColCambiata(const vb::Variant&, int, int) {
  // The grid moved to another record: that row is shown (a changed row was
  // dealt with before the move by the commands).
  dati::Recordset* rs = Recordset();
  if (!rs || inMostra_ || rs->InModifica() || rs->NessunaCorrente()) return;
  if (stato_ == 1 && VarDati(-1).ToString().empty()) {
    MostraRiga();
  } else if (stato_ == 2) {
    CambiaStato(1);
    MostraRiga();
  }
  AggiornaContatore();
}

void PaginaRighe::MettiInVista() {
  if (!griglia_ || insModo_ != 1 || insRiga_ < 0) return;
  dati::Recordset* rs = Recordset();
  long pos = insPos_;
  if (stato_ == 1 && rs && !rs->NessunaCorrente()) pos = rs->AbsolutePosition();
  if (pos < 0) return;
  griglia_->Scroll(pos - insRiga_ - griglia_->TopRow(), 0);
}

void PaginaRighe::SelCambiata(int& piCancel) {
  (void)piCancel;
  if (!griglia_) return;
  if (stato_ != 1) {
    selezione_.clear();
    return;
  }
  selezione_ = griglia_->SelBookmarks();
}

void PaginaRighe::Ridimensiona(bool, long, long) {
  if (!griglia_ || !form_) return;
  const long larg = form_->ScaleWidth() - griglia_->Left() * 2;
  if (larg > 0 && larg != griglia_->Width()) griglia_->SetWidth(larg);
}

bool PaginaRighe::PuoChiudere() {
  if (VarDati(-1).ToString().empty()) return true;
  const int r = vb::MsgBox("La riga è stata modificata. Salvare le modifiche?", vb::vbYesNoCancel | vb::vbQuestion);
  if (r == vb::vbCancel) return false;
  if (r == vb::vbNo) return true;
  return Salva().empty();
}

}  // namespace gridlib
}  // namespace barre
