#include "platform/barre/ComandiLista.h"

#include <limits>

#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/MsgBox.h"
#include "platform/Testo.h"
#include "platform/dati/GestDatabase.h"
#include "platform/dati/Recordset.h"
#include "platform/stampa/StampaLista.h"
#include "platform/ui/Form.h"
#include "platform/ui/Griglia.h"

namespace barre {

std::string TastoDaSuggerimento(const ui::Controllo* barra, int piKeyCode) {
  if (!barra || piKeyCode < 'A' || piKeyCode > 'Z') return {};
  ui::Controllo& b = const_cast<ui::Controllo&>(*barra);
  for (int i = 1; i <= b.NumElementi(); ++i) {
    const ui::Elemento& e = b.Elem(i);
    const std::string& t = e.ToolTipText;
    if (t.size() >= 3 && t[0] == '(' && t[2] == ')' && std::toupper(static_cast<unsigned char>(t[1])) == piKeyCode)
      return e.Key;
  }
  return {};
}

void AggiungiBottoni(ui::Controllo& barra, const std::vector<BottoneStd>& elenco) {
  for (const BottoneStd& b : elenco) {
    const std::string key = b.key;
    if (key.rfind("-", 0) == 0) {
      if (!barra.HaElem(key)) barra.AggiungiElemento(key, {}, ui::tbrSeparator);
      continue;
    }
    if (barra.HaElem(key)) continue;
    ui::Elemento& e = barra.AggiungiElemento(key, b.caption);
    e.ToolTipText = b.tooltip;
    e.Image = key;
    e.Visible = b.visibile;
  }
  barra.ElementoCambiato();
}

namespace rowlib {

namespace {

const std::vector<BottoneStd>& BottoniGriglia() {
  static const std::vector<BottoneStd> v = {
      {"Nuovo", "Nuovo", "(N) Nuovo", true},          {"Salva", "Salva", "(S) Salva", true},
      {"Cancella", "Cancella", "(C) Cancella", true}, {"Annulla", "Annulla", "(A) Annulla", true},
      {"-1", "", "", true},                            {"Punta", "Punta", "(P) Puntatore", true},
      {"VaiA", "Vai a", "(V) Vai a", true},            {"Inizio", "Inizio", "(I) Inizio Archivio", true},
      {"Fine", "Fine", "(F) Fine Archivio", true},     {"Aggiorna", "Aggiorna", "(G) Aggiorna", true},
      {"Trova", "Trova", "(T) Trova", true},           {"Stampa", "Stampa", "(Q) Stampa", true},
      {"-2", "", "", true},                            {"Chiudi", "Chiudi", "(H) Chiudi", true},
      {"Menu", "Menu", "(M) Menu", true},
  };
  return v;
}

bool Uguale(const std::string& a, const char* b) { return vb::StrComp(a, b, vb::vbTextCompare) == 0; }

}  // namespace

ComandiLista::ComandiLista() : ogSta_(std::make_unique<stampa::OggettoStampa>()) {}

ComandiLista::~ComandiLista() {
  if (dati_) dati_->SetRecordset(nullptr);
  if (!chiave_.empty()) {
    try {
      rs_.ChiudiRecordset(chiave_);
    } catch (...) {
    }
  }
}

vb::Variant ComandiLista::ovLeggiPar(const std::string& psNome) const {
  auto it = variabili_.find(vb::LCase(psNome));
  return it == variabili_.end() ? vb::Variant() : it->second;
}

void ComandiLista::SetovLeggiPar(const std::string& psNome, const vb::Variant& pvValore) {
  variabili_[vb::LCase(psNome)] = pvValore;
}

void ComandiLista::Form(ui::Form& pfrm) { form_ = &pfrm; }

ProtFormComlin* ComandiLista::Prot() const { return form_ ? dynamic_cast<ProtFormComlin*>(form_) : nullptr; }

void ComandiLista::BarraStrumenti(ui::Controllo& ptol) {
  barra_ = &ptol;
  if (ptol.NumElementi() == 0) AggiungiBottoni(ptol, BottoniGriglia());
  AbilitaBottoni();
}

void ComandiLista::TestoContaRighe(ui::Controllo& ptxt) { contaRighe_ = &ptxt; }

void ComandiLista::Griglia(ui::Griglia& pdbg) {
  griglia_ = &pdbg;
  if (dati_) griglia_->SetDataSource(dati_);
  griglia_->SetAllowUpdate(Scrivibile());
}

void ComandiLista::ControlloDati(ui::DatiControllo& pdat) {
  dati_ = &pdat;
  if (griglia_) griglia_->SetDataSource(dati_);
}

void ComandiLista::DatabaseDao(dati::GestDatabase& pdb, const std::string& psConn) {
  db_ = &pdb;
  conn_ = psConn;
}

void ComandiLista::LeggiImpostazioneA(int piColonna) {
  for (int c : chiaviColonna_)
    if (c == piColonna) return;
  chiaviColonna_.push_back(piColonna);
}

void ComandiLista::ImpImmagini(const std::string& psTipo, ui::Controllo* pimgPiccole, ui::Controllo* pimgGrandi) {
  (void)pimgGrandi;
  SetovLeggiPar("TipoIcone", psTipo);
  if (!barra_) return;
  // The pictures are named by the button keys; the image list of the window
  // (when given) is where the backend finds them.
  for (int i = 1; i <= barra_->NumElementi(); ++i) {
    ui::Elemento& e = barra_->Elem(i);
    if (e.Style != ui::tbrSeparator) e.Image = (pimgPiccole ? pimgPiccole->Name() + ":" : std::string()) + e.Key;
  }
  barra_->ElementoCambiato();
}

void ComandiLista::AbilScrittura(int piAbil) {
  abilScrittura_ = piAbil;
  if (griglia_) griglia_->SetAllowUpdate(Scrivibile());
  AbilitaBottoni();
}

bool ComandiLista::Scrivibile() const {
  if (abilScrittura_ != 1) return false;
  dati::Recordset* rs = Recordset();
  return !rs || rs->Aggiornabile();
}

void ComandiLista::AbilitaBottoni() {
  if (!barra_) return;
  const bool rw = Scrivibile();
  for (const char* k : {"Nuovo", "Salva", "Cancella", "Annulla"})
    if (barra_->HaElem(k)) barra_->Elem(k).Enabled = rw;
  if (barra_->HaElem("VaiA")) {
    ProtFormComlin* p = Prot();
    barra_->Elem("VaiA").Enabled = p && !p->ovfrmBookmark().empty();
  }
  barra_->ElementoCambiato();
}

// ---------------------------------------------------------------- query

dati::Recordset* ComandiLista::Recordset() const {
  if (chiave_.empty() || !rs_.Esiste(chiave_)) return nullptr;
  return &const_cast<dati::GestRecordset&>(rs_).RecordsetDao(chiave_);
}

void ComandiLista::ImpSql(const std::string& psSql, const vb::Variant&, bool, bool pbFaiSql) {
  sql_ = psSql;
  ordineColonna_.clear();
  discendente_ = false;
  if (pbFaiSql) Apri();
}

void ComandiLista::Apri() {
  if (!db_) vb::Solleva(91, "Database della lista non impostato");
  if (dati_) dati_->SetRecordset(nullptr);
  if (!chiave_.empty()) {
    try {
      rs_.ChiudiRecordset(chiave_);
    } catch (...) {
    }
    chiave_.clear();
  }
  chiave_ = rs_.ApriRecordset(*db_, conn_, "", sql_, false, abilScrittura_ == 1 ? 2 : 4);
  if (dati_) dati_->SetRecordset(&rs_.RecordsetDao(chiave_));
  if (griglia_) {
    griglia_->SetAllowUpdate(Scrivibile());
    griglia_->ColonneDaCampi();
  }
  AbilitaBottoni();
}

void ComandiLista::Riapri(std::string& psCorr, std::string& psTot) {
  if (!Recordset()) Apri();
  FormatGriglia(true, "M", 0, formatoData_);
  if (ProtFormComlin* p = Prot()) p->DatRefresh();
  ContaRighe(psCorr, psTot);
}

void ComandiLista::ContaRighe(std::string& psCorr, std::string& psTot) const {
  dati::Recordset* rs = Recordset();
  if (!rs) {
    psCorr = "0";
    psTot = "0";
    return;
  }
  // The rows read so far, "+" while more may follow: a list over a big
  // table is not counted before the user goes to its end. A new row goes
  // after all of them, so then they are counted.
  const bool nuova = rs->InModifica() && rs->NessunaCorrente();
  const bool tutte = nuova || rs->FineNota();
  const long tot = tutte ? rs->RecordCount() : rs->RigheNote();
  psCorr = std::to_string(nuova ? tot + 1 : rs->NessunaCorrente() ? 0 : rs->AbsolutePosition() + 1);
  psTot = std::to_string(tot) + (tutte ? "" : "+");
}

void ComandiLista::EventoTimer() {
  cambiato_ = true;
  // The row after the deleted one (the last when it was the last) becomes
  // current when the grid left none.
  if (dati::Recordset* rs = Recordset(); rs && rs->NessunaCorrente() && rs->RigheNote() > 0)
    Posiziona(posCancellata_);
  else if (dati_ && rs) dati_->Riposizionato();
  AbilitaBottoni();
  AggiornaContatore();
}

void ComandiLista::AggiornaContatore() {
  if (!contaRighe_) return;
  std::string a, b;
  ContaRighe(a, b);
  contaRighe_->SetText(a + " / " + b);
}

// ---------------------------------------------------------------- columns

void ComandiLista::FormatGriglia(bool pbRicrea, const std::string&, int, const std::string& psFormatoData) {
  if (!griglia_) return;
  if (pbRicrea || griglia_->NumColonne() == 0) griglia_->ColonneDaCampi();
  dati::Recordset* rs = Recordset();
  if (!rs) return;
  const std::string fmt = psFormatoData.empty() ? formatoData_ : psFormatoData;
  for (int i = 0; i < griglia_->NumColonne(); ++i) {
    ui::ColonnaGriglia& c = griglia_->Colonna(i);
    const int f = rs->Indice(c.DataField);
    if (f < 0) continue;
    const dati::TipoCampo t = rs->Campo(f).tipo;
    if (t == dati::TipoCampo::Data) c.NumberFormat = fmt;
    if (t != dati::TipoCampo::Testo && t != dati::TipoCampo::Memo && t != dati::TipoCampo::Data &&
        t != dati::TipoCampo::Ignoto)
      c.Alignment = 1;
  }
  griglia_->ColonnaCambiata();
}

int ComandiLista::IndiceColonna(const vb::Variant& pvColonna) const {
  if (!griglia_) return -1;
  if (pvColonna.IsNumber()) {
    const int i = pvColonna.ToLong();
    return i >= 0 && i < griglia_->NumColonne() ? i : -1;
  }
  const std::string n = pvColonna.ToString();
  for (int i = 0; i < griglia_->NumColonne(); ++i)
    if (Uguale(griglia_->Colonna(i).Caption, n.c_str()) || Uguale(griglia_->Colonna(i).DataField, n.c_str())) return i;
  return -1;
}

void ComandiLista::DefinisciColonna(const std::string& psCampo, long plLarg, const std::string& psFormato) {
  const int i = IndiceColonna(psCampo);
  if (i < 0) return;
  ui::ColonnaGriglia& c = griglia_->Colonna(i);
  if (plLarg > 0) c.Width = plLarg;
  if (!psFormato.empty()) c.NumberFormat = psFormato;
  griglia_->ColonnaCambiata();
}

void ComandiLista::ColonnaAiuto(const std::string& psCampo) {
  const int i = IndiceColonna(psCampo);
  if (i >= 0) griglia_->Colonna(i).Tag = "Aiuto";
}

void ComandiLista::TitoloColonna(int piColonna, const std::string& psTitolo) {
  const int i = IndiceColonna(piColonna);
  if (i < 0) return;
  griglia_->Colonna(i).Caption = psTitolo;
  griglia_->ColonnaCambiata();
}

void ComandiLista::LargColonna(const vb::Variant& pvColonna, long plLarg) {
  const int i = IndiceColonna(pvColonna);
  if (i < 0) return;
  griglia_->Colonna(i).Width = plLarg;
  griglia_->ColonnaCambiata();
}

void ComandiLista::ColonnaNascosta(const vb::Variant& pvColonna, int, int) {
  const int i = IndiceColonna(pvColonna);
  if (i < 0) return;
  griglia_->Colonna(i).Visible = false;
  griglia_->ColonnaCambiata();
}

std::vector<std::pair<std::string, vb::Variant>> ComandiLista::ChiaveRiga() const {
  std::vector<std::pair<std::string, vb::Variant>> r;
  dati::Recordset* rs = Recordset();
  if (!griglia_ || !rs || rs->NessunaCorrente()) return r;
  for (int c : chiaviColonna_) {  // set by LeggiImpostazioneA
    if (c < 0 || c >= griglia_->NumColonne()) continue;
    const std::string& campo = griglia_->Colonna(c).DataField;
    r.emplace_back(campo, rs->Leggi(campo));
  }
  return r;
}

// ---------------------------------------------------------------- commands

void ComandiLista::Messaggio(const std::string& testo) const { vb::MsgBox(testo, vb::vbExclamation); }

void ComandiLista::Posiziona(long plRiga) {
  dati::Recordset* rs = Recordset();
  if (!rs || rs->RigheNote() == 0) return;
  if (plRiga < 0) plRiga = 0;
  // Only the rows up to the one asked are read.
  const long note = rs->LeggiFinoA(plRiga + 1);
  if (plRiga >= note) plRiga = note - 1;
  if (griglia_) griglia_->VaiARiga(plRiga);
  else rs->SetAbsolutePosition(plRiga);
}

bool ComandiLista::InModifica() const {
  dati::Recordset* rs = Recordset();
  return rs && rs->InModifica();
}

long ComandiLista::EseguiTasto(const std::string& psKey, int piColonna, bool pbDaGriglia) {
  const std::string k = psKey;
  dati::Recordset* rs = Recordset();
  long esito = 0;
  try {
    if (Uguale(k, "Chiudi")) {
      if (ProtFormComlin* p = Prot()) p->ChiudiFrm();
      return 0;
    }
    if (Uguale(k, "Menu")) {
      if (ProtFormComlin* p = Prot()) p->MenuFrm();
      return 0;
    }
    if (Uguale(k, "Stampa")) return Stampa();
    if (!rs) return 1;
    const long passo = 20;
    if (Uguale(k, "Inizio")) Posiziona(0);
    else if (Uguale(k, "Fine")) Posiziona(rs->LeggiFinoA(std::numeric_limits<long>::max()) - 1);  // all read: the count is known
    else if (Uguale(k, "Precedente")) Posiziona(rs->AbsolutePosition() - 1);
    else if (Uguale(k, "Successiva") || Uguale(k, "Successivo")) Posiziona(rs->AbsolutePosition() + 1);
    else if (Uguale(k, "PageUp")) Posiziona(rs->AbsolutePosition() - passo);
    else if (Uguale(k, "PageDown")) Posiziona(rs->AbsolutePosition() + passo);
    else if (Uguale(k, "Punta")) {
      ProtFormComlin* p = Prot();
      if (p && !rs->NessunaCorrente()) p->SetovfrmBookmark(rs->Bookmark());
    } else if (Uguale(k, "VaiA")) {
      ProtFormComlin* p = Prot();
      const std::string b = p ? p->ovfrmBookmark() : std::string();
      if (b.empty()) return 1;
      try {
        if (griglia_) griglia_->SetBookmark(b);
        else rs->SetBookmark(b);
      } catch (const vb::Errore&) {
        // the row kept was deleted meanwhile
        if (p) p->SetovfrmBookmark("");
        Messaggio("La riga memorizzata non esiste più");
        esito = 1;
      }
    } else if (Uguale(k, "Aggiorna")) {
      if (rs->InModifica()) rs->CancelUpdate();
      // Bookmarks do not outlive a new reading: the place is kept by position.
      const long pos = rs->AbsolutePosition();
      rs->Requery();
      if (dati_) dati_->SetRecordset(rs);
      if (pos >= 0) Posiziona(pos);
      FormatGriglia(true, "M", 0, formatoData_);
      if (ProtFormComlin* p = Prot()) p->DatRefresh();
    } else if (Uguale(k, "Trova")) {
      if (form_ && form_->Esiste("FraCerca")) {
        form_->C("FraCerca").SetVisible(true);
        if (form_->Esiste("txtCerca")) form_->C("txtCerca").SetFocus();
      }
    } else if (Uguale(k, "Cerca")) {
      if (!Cerca()) {
        Messaggio("Valore non trovato");
        esito = 1;
      }
    } else if (Uguale(k, "Nuovo")) {
      if (!Scrivibile()) return 1;
      if (rs->InModifica() && !(griglia_ ? griglia_->SalvaRiga() : (rs->Update(), true))) return 1;
      rs->AddNew();
      if (dati_) dati_->Riposizionato();
      if (griglia_ && piColonna >= 0 && piColonna < griglia_->NumColonne()) griglia_->SetCol(piColonna);
      cambiato_ = true;
    } else if (Uguale(k, "Salva")) {
      if (!Scrivibile()) return 1;
      if (rs->InModifica()) {
        if (griglia_ ? !griglia_->SalvaRiga() : (rs->Update(), false)) return 1;
        rs->VaiUltimoMod();
        if (dati_) dati_->Riposizionato();
      }
    } else if (Uguale(k, "Annulla")) {
      if (rs->InModifica()) {
        rs->CancelUpdate();
        if (dati_) dati_->Riposizionato();
      }
    } else if (Uguale(k, "Cancella")) {
      esito = Cancella(pbDaGriglia);
    } else {
      return 1;
    }
  } catch (const vb::Errore& e) {
    const std::string ignora = ovLeggiPar("ErrorNonSegnal").ToString();
    if (ignora.empty() || ignora.find(e.Description() + ";") == std::string::npos)
      vb::MsgBox("Errore(" + std::to_string(e.Number()) + "): " + e.Description(), vb::vbCritical);
    esito = pbDaGriglia ? -1 : 1;
  }
  AbilitaBottoni();
  AggiornaContatore();
  return esito;
}

long ComandiLista::Cancella(bool pbDaGriglia) {
  dati::Recordset* rs = Recordset();
  if (!Scrivibile()) {
    if (pbDaGriglia) Messaggio("La lista è in sola lettura: la riga non può essere cancellata");
    return pbDaGriglia ? -1 : 1;
  }
  if (!rs || rs->NessunaCorrente()) return pbDaGriglia ? -1 : 1;
  if (vb::MsgBox("Cancellare la riga corrente?", vb::vbYesNo | vb::vbQuestion) != vb::vbYes)
    return pbDaGriglia ? -1 : 1;
  // The grid deletes the row itself when it asked.
  if (pbDaGriglia) {
    posCancellata_ = rs->AbsolutePosition();
    return 0;
  }
  if (rs->InModifica()) rs->CancelUpdate();
  const long pos = rs->AbsolutePosition();
  rs->Delete();
  cambiato_ = true;
  if (dati_) dati_->Riposizionato();
  if (rs->RigheNote() > 0) Posiziona(pos);
  return 0;
}

bool ComandiLista::Cerca() {
  dati::Recordset* rs = Recordset();
  if (!rs || !griglia_ || !form_ || !form_->Esiste("txtCerca") || griglia_->NumColonne() == 0) return false;
  const std::string cerca = vb::Trim(form_->C("txtCerca").Text());
  if (cerca.empty()) return false;
  const int col = griglia_->Col();
  for (long r = rs->AbsolutePosition() + 1; r < rs->LeggiFinoA(r + 1); ++r) {
    const std::string t = griglia_->TestoCella(r, col);
    if (t.size() >= cerca.size() && vb::StrComp(t.substr(0, cerca.size()), cerca, vb::vbTextCompare) == 0) {
      Posiziona(r);
      return true;
    }
  }
  return false;
}

long ComandiLista::Stampa() {
  dati::Recordset* rs = Recordset();
  if (!rs || rs->RigheNote() == 0) return 1;
  auto* dialogo = dynamic_cast<DialogoStampaLista*>(frmStampa_);
  if (!dialogo) {
    Messaggio("La stampa delle liste non è ancora disponibile");
    return 1;
  }
  frmStampa_->Load();
  dialogo->ImpostaComlin(this);
  frmStampa_->Show(0);
  return 0;
}

void ComandiLista::AvviaStampa(ui::Carattere& pFont, int piOrientamento, const std::string& psColonne) {
  ProtFormComlin* p = Prot();
  if (p && p->oiStaAtt() == 1) {
    Messaggio("È già in corso la stampa di una lista");
    return;
  }
  if (!griglia_ || !Recordset()) return;
  if (p) p->SetoiStaAtt(1);
  std::string errore;
  bool ok = false;
  try {
    stampa::OggettoStampa& o = *ogSta_;
    o.SetStatoStampa(0);
    stampa::TabellaStampa t;
    t.titolo = form_ ? form_->Caption() : std::string();
    std::vector<int> colonne;
    for (int c = 0; c < griglia_->NumColonne(); ++c) {
      const ui::ColonnaGriglia& col = griglia_->Colonna(c);
      if (Uguale(psColonne, "V") && (!col.Visible || col.Width <= 0)) continue;
      colonne.push_back(c);
      t.colonne.push_back({col.Caption, col.Width > 0 ? col.Width : 1000, col.Alignment});
    }
    const long righe = griglia_->NumRigheEsatto();
    t.righe.reserve(static_cast<size_t>(righe));
    for (long r = 0; r < righe; ++r) {
      std::vector<std::string> riga;
      riga.reserve(colonne.size());
      for (int c : colonne) riga.push_back(griglia_->TestoCella(r, c));
      t.righe.push_back(std::move(riga));
      if (r % 500 == 499) {
        ui::DoEvents();
        if (o.StatoStampa() == 1) break;
      }
    }
    if (o.StatoStampa() == 1) {
      errore = "Stampa interrotta";
    } else {
      stampa::ImpLista imp;
      imp.font = {pFont.Name, pFont.Size, pFont.Bold, pFont.Italic, pFont.Underline};
      imp.orientamento = piOrientamento;
      if (imp.orientamento < 1 && o.ogPrtStam()) imp.orientamento = o.ogPrtStam()->Orientation;
      ok = stampa::StampaTabella(o, t, imp, errore);
    }
  } catch (...) {
    if (p) p->SetoiStaAtt(0);
    throw;
  }
  if (p) p->SetoiStaAtt(0);
  if (!ok && !errore.empty() && errore != "Stampa interrotta" && errore != "Stampa annullata") Messaggio(errore);
}

int ComandiLista::OrdinaColonna(int piColonna, std::string& psSql) {
  ProtFormComlin* p = Prot();
  if (!p || !griglia_ || piColonna < 0 || piColonna >= griglia_->NumColonne()) return 1;
  const std::string campo = vb::Trim(p->ColToSourceField(piColonna));
  if (campo.empty()) return 1;
  std::string base = psSql.empty() ? sql_ : psSql;
  // The ORDER BY of the query is its last one, outside brackets and quotes.
  size_t taglio = std::string::npos;
  {
    int prof = 0;
    bool apice = false;
    const std::string u = vb::UCase(base);
    for (size_t i = 0; i + 8 <= u.size(); ++i) {
      const char c = u[i];
      if (c == '\'') apice = !apice;
      if (apice) continue;
      if (c == '(') ++prof;
      else if (c == ')') --prof;
      else if (prof == 0 && c == ' ' && u.compare(i, 10, " ORDER BY ") == 0) taglio = i;
    }
  }
  if (taglio != std::string::npos) base = base.substr(0, taglio);
  discendente_ = vb::StrComp(campo, ordineColonna_, vb::vbTextCompare) == 0 ? !discendente_ : false;
  std::string ordine;
  // Each part of a composite source ("A , B") is sorted the same way.
  for (const std::string& parte : vb::Split(campo, ",")) {
    const std::string t = vb::Trim(parte);
    if (t.empty()) continue;
    if (!ordine.empty()) ordine += ", ";
    ordine += t + (discendente_ ? " Desc" : "");
  }
  const std::string nuovo = base + " Order by " + ordine;
  const std::string vecchioSql = sql_, vecchioOrd = ordineColonna_;
  const bool vecchioDisc = !discendente_;
  sql_ = nuovo;
  try {
    Apri();
  } catch (const vb::Errore&) {
    sql_ = vecchioSql;
    discendente_ = vecchioDisc;
    try {
      Apri();
    } catch (...) {
    }
    return 1;
  }
  ordineColonna_ = campo;
  psSql = nuovo;
  FormatGriglia(true, "M", 0, formatoData_);
  p->DatRefresh();
  AggiornaContatore();
  return 0;
}

std::string ComandiLista::ComandoDaTasto(int piKeyCode) const { return TastoDaSuggerimento(barra_, piKeyCode); }

// ---------------------------------------------------------------- grid events

void ComandiLista::RigaColCambiata(const vb::Variant&, int, int, std::string& psCorr, std::string& psTot) {
  ContaRighe(psCorr, psTot);
}

void ComandiLista::ErroreDati(int piErrore, int& piRisposta, dati::Recordset*) {
  // The message is ours: the grid shows none of its own.
  piRisposta = 0;
  const std::string ignora = ovLeggiPar("ErrorNonSegnal").ToString();
  std::string testo = "Errore(" + std::to_string(piErrore) + ")";
  if (piErrore == 3022 || piErrore == 3146) testo = "La riga esiste già: i valori della chiave sono duplicati";
  else if (piErrore == 3197) testo = "I dati sono stati modificati da un altro utente";
  else if (piErrore == 3260) testo = "I dati sono bloccati da un altro utente";
  if (!ignora.empty() && ignora.find(testo + ";") != std::string::npos) return;
  Messaggio(testo);
}

void ComandiLista::Ridimensiona(bool, long, long plAreaUtile) {
  if (!form_ || !griglia_) return;
  const long alto = plAreaUtile;
  const long basso = contaRighe_ ? contaRighe_->Height() + 60 : 0;
  const long h = form_->ScaleHeight() - alto - basso;
  if (h > 300) griglia_->Move(0, alto, form_->ScaleWidth(), h);
  if (contaRighe_) contaRighe_->Move(0, alto + std::max(h, 300L) + 30);
}

void ComandiLista::PrimaModCol(int piColonna, int, int& piCancel) {
  if (!Scrivibile()) piCancel = 1;
  if (griglia_ && piColonna >= 0 && piColonna < griglia_->NumColonne() && griglia_->Colonna(piColonna).Locked) piCancel = 1;
}

void ComandiLista::PrimaAggCol(int piColonna, const vb::Variant&, int& piCancel) {
  int c = 0;
  PrimaModCol(piColonna, 0, c);
  if (c) piCancel = 1;
}

bool ComandiLista::PrimaAggiorna(bool) { return Scrivibile(); }

bool ComandiLista::PuoChiudere() {
  dati::Recordset* rs = Recordset();
  if (!rs || !rs->InModifica()) return true;
  const int r = vb::MsgBox("La riga corrente è stata modificata. Salvare le modifiche?", vb::vbYesNoCancel | vb::vbQuestion);
  if (r == vb::vbCancel) return false;
  if (r == vb::vbNo) {
    rs->CancelUpdate();
    return true;
  }
  return EseguiTasto("Salva") == 0 && !rs->InModifica();
}

}  // namespace rowlib
}  // namespace barre
