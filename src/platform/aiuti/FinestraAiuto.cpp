#include "platform/aiuti/FinestraAiuto.h"

#include <algorithm>

#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/dati/Recordset.h"
#include "platform/ui/Griglia.h"

namespace aiuti {

namespace {

// Layout in twips.
constexpr long kLarghezza = 9600, kAltezza = 6600;
constexpr long kMargine = 120, kAltRiga = 315, kAltBottone = 375, kLargBottone = 1215;
constexpr const char* kChiaveRs = "Aiuto";

std::string Testo(const vb::Variant& v) {
  if (v.IsNull() || v.IsEmpty() || v.IsMissing()) return {};
  if (v.IsDate()) {
    const vb::Date d = v.ToDate();
    return d.HasTime() ? d.ToString() : d.ToDateText();
  }
  return v.ToString();
}

std::string SenzaSeparatori(const std::string& s) {
  std::string out;
  for (char c : s)
    if (c != '-' && c != ' ' && c != '.' && c != '/') out.push_back(c);
  return out;
}

// The text typed as a Like pattern: "*" and "?" stay wildcards, the other
// signs of the pattern language stand for any one character.
std::string Schema(const std::string& s) {
  std::string out;
  for (char c : s) out.push_back(c == '#' || c == '[' || c == ']' ? '?' : c);
  return out;
}

}  // namespace

FinestraAiuto::FinestraAiuto(AiutiDecodifica& libreria) : ui::Form("frmAiuto"), lib_(libreria) {
  SetCaption("Aiuto");
  SetKeyPreview(true);
  Move(0, 0, kLarghezza, kAltezza);
  auto& lab = Crea(ui::Tipo::Label, "labCerca");
  lab.SetCaption("Cerca per codice:");
  lab.SetTabIndex(0);
  auto& txt = Crea(ui::Tipo::TextBox, "txtCerca");
  txt.SetTabIndex(1);
  auto& dat = Crea<ui::DatiControllo>(ui::Tipo::Data, "datAiuto");
  dat.SetVisible(false);
  auto& g = Crea<ui::Griglia>(ui::Tipo::DataGrid, "dbgAiuto");
  g.SetTabIndex(2);
  g.SetTabStop(false);
  g.SetAllowUpdate(false);
  g.SetDataSource(&dat);
  auto& ok = Crea(ui::Tipo::CommandButton, "cmdOk");
  ok.SetCaption("&Ok");
  ok.SetTabIndex(3);
  auto& annulla = Crea(ui::Tipo::CommandButton, "cmdAnnulla");
  annulla.SetCaption("&Annulla");
  annulla.SetTabIndex(4);
  auto& menu = Crea(ui::Tipo::CommandButton, "cmdMenu");
  menu.SetCaption("&Menu");
  menu.SetTabIndex(5);
  menu.SetToolTipText("Torna al menu principale");
  auto& gestione = Crea(ui::Tipo::CommandButton, "cmdGestione");
  gestione.SetCaption("&Gestione");
  gestione.SetTabIndex(6);
  gestione.SetToolTipText("Apre la gestione dell'archivio sul codice scelto");
  auto& stato = Crea(ui::Tipo::Label, "labStato");
  stato.SetTabIndex(7);
  auto& img = Crea(ui::Tipo::Image, "imgArticolo");
  img.SetVisible(false);
  Disponi();
}

ui::Griglia& FinestraAiuto::dbgAiuto() const { return static_cast<ui::Griglia&>(C("dbgAiuto")); }

void FinestraAiuto::Form_Load() { Disponi(); }

void FinestraAiuto::Form_Resize() { Disponi(); }

void FinestraAiuto::Form_Unload(int&) { Rilascia(); }

void FinestraAiuto::Rilascia() {
  // The grid lets go of the rows before they go.
  static_cast<ui::DatiControllo&>(C("datAiuto")).SetRecordset(nullptr);
  if (!chiave_.empty() && rs_.Esiste(chiave_)) rs_.ChiudiRecordset(chiave_);
  chiave_.clear();
}

vb::Variant FinestraAiuto::LeggiPerNome(const std::string& nome) {
  if (vb::UgualeTesto(nome, "odRisVid")) return odRisVid;
  if (vb::UgualeTesto(nome, "obLockSpostaCurs")) return obLockSpostaCurs;
  if (vb::UgualeTesto(nome, "oiSpostaCurs")) return oiSpostaCurs;
  return ui::Form::LeggiPerNome(nome);
}

void FinestraAiuto::ScriviPerNome(const std::string& nome, const vb::Variant& valore) {
  if (vb::UgualeTesto(nome, "odRisVid")) odRisVid = valore.ToDouble();
  else if (vb::UgualeTesto(nome, "obLockSpostaCurs")) obLockSpostaCurs = valore.ToBool();
  else if (vb::UgualeTesto(nome, "oiSpostaCurs")) oiSpostaCurs = valore.ToInt();
  else ui::Form::ScriviPerNome(nome, valore);
}

void FinestraAiuto::Disponi() {
  // The picture of an article takes the margin on its side; the list the rest.
  const long w = std::max(3000L, ScaleWidth()), h = std::max(2400L, ScaleHeight());
  const long sopra = dati_.mostraImmagine ? dati_.margSopra : 0;
  const long sotto = dati_.mostraImmagine ? dati_.margSotto : 0;
  const long sin = dati_.mostraImmagine ? dati_.margSin : 0;
  const long des = dati_.mostraImmagine ? dati_.margDestra : 0;
  const long x0 = kMargine + sin, larg = std::max(1500L, w - 2 * kMargine - sin - des);
  long y = kMargine + sopra;
  C("labCerca").Move(x0, y + 60, 2400, kAltRiga);
  C("txtCerca").Move(x0 + 2460, y, std::max(600L, larg - 2460), kAltRiga);
  y += kAltRiga + kMargine;
  const long fondo = h - kMargine - kAltBottone - kMargine - sotto;
  C("dbgAiuto").Move(x0, y, larg, std::max(600L, fondo - y));
  const long yb = h - kMargine - kAltBottone;
  C("labStato").Move(kMargine, yb + 60, 2400, kAltRiga);
  C("cmdGestione").Move(w - kMargine - 4 * kLargBottone - 3 * kMargine, yb, kLargBottone, kAltBottone);
  C("cmdMenu").Move(w - kMargine - 3 * kLargBottone - 2 * kMargine, yb, kLargBottone, kAltBottone);
  C("cmdOk").Move(w - kMargine - 2 * kLargBottone - kMargine, yb, kLargBottone, kAltBottone);
  C("cmdAnnulla").Move(w - kMargine - kLargBottone, yb, kLargBottone, kAltBottone);
  auto& img = C("imgArticolo");
  const std::string& lato = dati_.latoImmagine;
  if (vb::UgualeTesto(lato, "A")) img.Move(kMargine, kMargine, w - 2 * kMargine, std::max(0L, sopra - kMargine));
  else if (vb::UgualeTesto(lato, "B")) img.Move(kMargine, fondo + kMargine, w - 2 * kMargine, std::max(0L, sotto - kMargine));
  else if (vb::UgualeTesto(lato, "S")) img.Move(kMargine, kMargine, std::max(0L, sin - kMargine), h - 2 * kMargine);
  else img.Move(w - des, kMargine, std::max(0L, des - kMargine), h - 2 * kMargine);
}

int FinestraAiuto::Apri(const DatiRicerca& dati, bool ritornaSeVuota) {
  Load();
  dati_ = dati;
  scelto_ = false;
  codiceScelto_.clear();
  campoScelto_.clear();
  testoScelto_.clear();
  rigaScelta_.clear();
  SetCaption(dati_.titolo.empty() ? "Aiuto" : "Aiuto - " + dati_.titolo);
  Colonne();
  colonnaRicerca_ = std::clamp(dati_.colonnaRicerca, 0, static_cast<int>(campi_.size()) - 1);
  if (campi_[static_cast<size_t>(colonnaRicerca_)].empty()) colonnaRicerca_ = 0;
  inAggiornamento_ = true;
  txtCerca().SetText(dati_.seme);
  inAggiornamento_ = false;
  Filtra();
  if (ritornaSeVuota && RigheMostrate() == 0) {
    Rilascia();
    return 1;
  }

  Disponi();
  auto& t = txtCerca();
  SpostaFuoco(&t);
  const long lunghezza = vb::Len(t.Text());
  t.SetSelStart(static_cast<int>(obLockSpostaCurs ? std::clamp<long>(oiSpostaCurs, 0, lunghezza) : lunghezza));
  t.SetSelLength(0);
  Show(1);
  Rilascia();
  return 0;
}

void FinestraAiuto::Colonne() {
  // The fields the rows have: an extra column the table lacks is left out.
  std::string sql = "Select " + dati_.selezione + " From " + dati_.da + " Where 1 = 0";
  dati::GestRecordset prova;
  const std::string k = prova.ApriRecordset(lib_.Db(), lib_.Connessione(), "", sql, false, 4);
  const dati::Recordset& r = prova.RecordsetDao(k);
  auto testuale = [&](const std::string& campo) {
    const int i = r.Indice(campo);
    if (i < 0) return true;
    const dati::TipoCampo t = r.Campo(i).tipo;
    return t == dati::TipoCampo::Testo || t == dati::TipoCampo::Memo || t == dati::TipoCampo::Ignoto;
  };
  campi_ = {dati_.campoCodice, r.Indice(dati_.campoDescrizione) >= 0 ? dati_.campoDescrizione : std::string()};
  titoli_ = {"Codice", "Descrizione"};
  testo_ = {testuale(dati_.campoCodice), true};
  for (size_t i = 0; i < dati_.extra.size(); ++i) {
    if (r.Indice(dati_.extra[i]) < 0) continue;
    campi_.push_back(dati_.extra[i]);
    titoli_.push_back(i < dati_.titoliExtra.size() && !dati_.titoliExtra[i].empty() ? dati_.titoliExtra[i]
                                                                                    : dati_.extra[i]);
    testo_.push_back(testuale(dati_.extra[i]));
  }
  prova.ChiudiRecordset(k);

  auto& g = dbgAiuto();
  g.TogliColonne();
  for (size_t i = 0; i < campi_.size(); ++i) {
    if (i == 1 && campi_[1].empty()) {
      // No description: an empty column keeps the places of the others.
      g.AggiungiColonna(campi_[0], titoli_[1]).Visible = false;
      continue;
    }
    auto& c = g.AggiungiColonna(campi_[i], titoli_[i]);
    c.Width = i == 1 ? 4200 : 1500;
    c.Locked = true;
  }
  g.ColonnaCambiata();
}

std::string FinestraAiuto::CondizioneRicerca() const {
  const std::string cerca = vb::Trim(txtCerca().Text());
  if (cerca.empty()) return {};
  const auto& fc = vb::FunzioniComuni::Istanza();
  if (colonnaRicerca_ == 0) {
    // Codes from their beginning; the separators of an account do not count.
    const std::string espr = testo_[0] ? dati_.espressioneCodice : "CStr(" + dati_.espressioneCodice + ")";
    return espr + " Like " + fc.ValoreSql(Schema(SenzaSeparatori(cerca)) + "*", vb::vbString);
  }
  const size_t i = static_cast<size_t>(colonnaRicerca_);
  const std::string espr = testo_[i] ? campi_[i] : "CStr(" + campi_[i] + ")";
  return espr + " Like " + fc.ValoreSql("*" + Schema(cerca) + "*", vb::vbString);
}

void FinestraAiuto::Filtra() {
  auto& dat = static_cast<ui::DatiControllo&>(C("datAiuto"));
  inAggiornamento_ = true;
  dat.SetRecordset(nullptr);
  std::string dove = dati_.dove;
  const std::string ricerca = CondizioneRicerca();
  if (!ricerca.empty()) dove = dove.empty() ? ricerca : "(" + dove + ") And " + ricerca;
  // By the searched column, the code breaking ties, so that the row the
  // user is after comes first.
  std::string ordine = dati_.ordine;
  if (colonnaRicerca_ > 0)
    ordine = campi_[static_cast<size_t>(colonnaRicerca_)] + (ordine.empty() ? "" : ", " + ordine);
  const std::string sql = "Select " + dati_.selezione + " From " + dati_.da + (dove.empty() ? "" : " Where " + dove) +
                          (ordine.empty() ? "" : " Order By " + ordine);
  chiave_ = rs_.ApriRecordset(lib_.Db(), lib_.Connessione(), kChiaveRs, sql, false, 4);
  dat.SetRecordset(&rs_.RecordsetDao(chiave_));
  auto& g = dbgAiuto();
  g.SetCol(std::min(colonnaRicerca_, g.NumColonne() - 1));
  inAggiornamento_ = false;
  const long n = g.NumRighe();
  C("labCerca").SetCaption(TitoloRicerca());
  // The rows read so far; a help over a big table is not counted whole.
  C("labStato").SetCaption((g.FineNota() ? "" : "almeno ") + std::to_string(n) + (n == 1 ? " riga" : " righe"));
  C("cmdOk").SetEnabled(n > 0);
  MostraImmagine();
}

std::string FinestraAiuto::TitoloRicerca() const {
  const size_t i = static_cast<size_t>(colonnaRicerca_);
  const std::string nome = i < titoli_.size() ? titoli_[i] : std::string("Codice");
  return "Cerca per " + vb::LCase(nome) + ":";
}

void FinestraAiuto::ImpostaColonnaRicerca(int colonna) {
  if (colonna < 0 || colonna >= static_cast<int>(campi_.size())) return;
  if (campi_[static_cast<size_t>(colonna)].empty()) return;
  colonnaRicerca_ = colonna;
  Filtra();
}

int FinestraAiuto::RigheMostrate() const { return static_cast<int>(dbgAiuto().NumRighe()); }

int FinestraAiuto::NumColonne() const { return static_cast<int>(campi_.size()); }

std::string FinestraAiuto::TitoloColonna(int colonna) const {
  return colonna >= 0 && colonna < NumColonne() ? titoli_[static_cast<size_t>(colonna)] : std::string();
}

std::string FinestraAiuto::Cella(int riga, int colonna) const {
  if (riga < 0 || riga >= RigheMostrate() || colonna < 0 || colonna >= NumColonne()) return {};
  if (campi_[static_cast<size_t>(colonna)].empty()) return {};
  return dbgAiuto().TestoCella(static_cast<long>(riga), colonna);
}

int FinestraAiuto::RigaCorrente() const {
  if (chiave_.empty() || !rs_.Esiste(chiave_)) return -1;
  const dati::Recordset& r = const_cast<dati::GestRecordset&>(rs_).RecordsetDao(chiave_);
  return r.NessunaCorrente() ? -1 : static_cast<int>(r.AbsolutePosition());
}

void FinestraAiuto::VaiARiga(int riga) {
  const int n = RigheMostrate();
  if (n == 0) return;
  dbgAiuto().VaiARiga(std::clamp(riga, 0, n - 1));
}

void FinestraAiuto::MostraImmagine() {
  auto& img = C("imgArticolo");
  img.SetVisible(dati_.mostraImmagine);
  if (!dati_.mostraImmagine) return;
  std::string file;
  if (RigaCorrente() >= 0) {
    const dati::Recordset& r = rs_.RecordsetDao(chiave_);
    const int i = r.Indice(dati_.campoImmagine);
    if (i >= 0) file = vb::Trim(Testo(r.Valore(i)));
  }
  if (!file.empty() && !dati_.cartellaImmagini.empty() && file.find(':') == std::string::npos &&
      file.rfind("\\\\", 0) != 0 && file.rfind('/', 0) != 0) {
    std::string cartella = dati_.cartellaImmagini;
    if (cartella.back() != '\\' && cartella.back() != '/') cartella += "\\";
    file = cartella + file;
  }
  img.SetPicture(file);
}

void FinestraAiuto::Scegli() {
  if (RigaCorrente() < 0) return;
  const dati::Recordset& r = rs_.RecordsetDao(chiave_);
  auto& g = dbgAiuto();
  scelto_ = true;
  codiceScelto_ = vb::Trim(g.TestoCella(0));
  rigaScelta_.clear();
  for (int i = 0; i < r.NumCampi(); ++i) {
    const auto& c = r.Campo(i);
    rigaScelta_.push_back({c.nome, c.qualificatore, c.tabellaBase, r.Valore(i)});
  }
  int col = std::clamp(g.Col(), 0, NumColonne() - 1);
  if (campi_[static_cast<size_t>(col)].empty()) col = 0;
  testoScelto_ = g.TestoCella(col);
  campoScelto_ = col == 0 ? dati_.campoChiave : campi_[static_cast<size_t>(col)];
  const size_t punto = campoScelto_.rfind('.');
  if (punto != std::string::npos) campoScelto_ = campoScelto_.substr(punto + 1);
  Hide();
}

void FinestraAiuto::Esci() {
  scelto_ = false;
  Hide();
}

void FinestraAiuto::Form_KeyDown(int& KeyCode, int Shift) {
  const int corrente = std::max(0, RigaCorrente());
  const int pagina = std::max(1, static_cast<int>(dbgAiuto().Height() / kAltRiga) - 1);
  switch (KeyCode) {
    case ui::vbKeyReturn: Scegli(); break;
    case ui::vbKeyEscape: Esci(); break;
    case ui::vbKeyDown: VaiARiga(corrente + 1); break;
    case ui::vbKeyUp: VaiARiga(corrente - 1); break;
    case ui::vbKeyPageDown: VaiARiga(corrente + pagina); break;
    case ui::vbKeyPageUp: VaiARiga(corrente - pagina); break;
    case ui::vbKeyHome:
    case ui::vbKeyEnd:
      // Ctrl moves through the list; without it the keys edit the search text.
      if ((Shift & ui::vbCtrlMask) == 0) return;
      VaiARiga(KeyCode == ui::vbKeyHome ? 0 : RigheMostrate() - 1);
      break;
    default:
      if (KeyCode >= ui::vbKeyF2 && KeyCode <= ui::vbKeyF12) {
        // F2 code, F3 description, F4 on the extra columns.
        ImpostaColonnaRicerca(KeyCode - ui::vbKeyF2);
        break;
      }
      return;
  }
  KeyCode = 0;
}

void FinestraAiuto::Form_QueryUnload(int& Cancel, int UnloadMode) {
  // The close box only leaves the look-up: the window stays loaded for the
  // next one. The program's end unloads it for good.
  if (UnloadMode == ui::vbFormControlMenu) {
    Cancel = 1;
    Esci();
  }
}

void FinestraAiuto::Change(ui::Controllo& c) {
  if (inAggiornamento_ || c.Name() != "txtCerca") return;
  Filtra();
}

void FinestraAiuto::Click(ui::Controllo& c) {
  if (c.Name() == "cmdOk") {
    Scegli();
  } else if (c.Name() == "cmdAnnulla") {
    Esci();
  } else if (c.Name() == "cmdMenu") {
    Esci();
    if (lib_.SorgenteEventi().ClsMainMenuFrm) lib_.SorgenteEventi().ClsMainMenuFrm();
  } else if (c.Name() == "cmdGestione") {
    // The menu starts the master table's management on the current code:
    // it reads the two keys back when it asks for them.
    const std::string codice = RigaCorrente() >= 0 ? vb::Trim(dbgAiuto().TestoCella(0)) : std::string();
    Esci();
    auto& ev = lib_.SorgenteEventi();
    if (ev.LanciaKeyPrim) ev.LanciaKeyPrim(dati_.tipo);
    if (ev.LanciaKeySec) ev.LanciaKeySec(codice);
    lib_.Lancia();
  }
}

void FinestraAiuto::DblClick(ui::Controllo& c) {
  if (c.Name() == "dbgAiuto") Scegli();
}

void FinestraAiuto::RowColChange(ui::Controllo& g, const vb::Variant&, int) {
  if (!inAggiornamento_ && g.Name() == "dbgAiuto") MostraImmagine();
}

}  // namespace aiuti
