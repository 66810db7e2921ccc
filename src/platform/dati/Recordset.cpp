#include "platform/dati/Recordset.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>

#include "platform/Errore.h"
#include "platform/Testo.h"
#include "platform/dati/GestDatabase.h"
#include "platform/dati/Transazioni.h"
#include "platform/dati/Valutatore.h"
#include "platform/dati/sql/Albero.h"

namespace dati {

namespace {

const vb::Variant kNullo{vb::Null};

long gFinestra = 32768;
// Rows read again at a time while looking for one before the window.
constexpr size_t kBloccoLettura = 4096;

[[noreturn]] void NessunaRiga() {
  vb::Solleva(ErrNessunRecordCorrente, "Nessun record corrente");
}

// The value as the column's kind keeps it, so that what is read back after
// a write is what the database will hold.
vb::Variant Conforma(const vb::Variant& v, TipoCampo t) {
  if (v.IsNull() || v.IsEmpty() || v.IsMissing()) return vb::Variant(vb::Null);
  try {
    switch (t) {
      case TipoCampo::Testo:
      case TipoCampo::Memo:
        return v.IsString() ? v : vb::Variant(v.ToString());
      case TipoCampo::Byte: return v.IsString() && vb::Trim(*v.StringPtr()).empty() ? vb::Variant(vb::Null) : vb::Variant(v.ToByte());
      case TipoCampo::Intero: return v.IsString() && vb::Trim(*v.StringPtr()).empty() ? vb::Variant(vb::Null) : vb::Variant(v.ToInt());
      case TipoCampo::Lungo: return v.IsString() && vb::Trim(*v.StringPtr()).empty() ? vb::Variant(vb::Null) : vb::Variant(static_cast<long long>(v.ToLong()));
      case TipoCampo::Doppio: return v.IsString() && vb::Trim(*v.StringPtr()).empty() ? vb::Variant(vb::Null) : vb::Variant(v.ToDouble());
      case TipoCampo::Importo: return v.IsString() && vb::Trim(*v.StringPtr()).empty() ? vb::Variant(vb::Null) : vb::Variant(v.ToCurrency());
      case TipoCampo::Data: return v.IsString() && vb::Trim(*v.StringPtr()).empty() ? vb::Variant(vb::Null) : vb::Variant(v.ToDate());
      case TipoCampo::SiNo: return vb::Variant(v.ToBool());
      case TipoCampo::Ignoto: return v;
    }
  } catch (const vb::Errore& e) {
    if (e.Number() == vb::ErrTipoNonCorrisp)
      vb::Solleva(3421, "Valore non valido per il tipo del campo");
    throw;
  }
  return v;
}

}  // namespace

// A text longer than its column is refused when written, as the legacy
// field did, whatever checks the file itself carries.
void Recordset::ControllaLunghezza(const std::string& testo, const ColonnaUscita& c) const {
  if (c.tipo != TipoCampo::Testo || c.tabellaBase.empty()) return;
  const TabellaCat* t = db_.Motore(conn_).LeggiCatalogo().Tabella(c.tabellaBase);
  const int k = t ? t->Colonna(c.colonnaBase) : -1;
  if (k < 0) return;
  const int massimo = t->colonne[static_cast<size_t>(k)].lunghezza;
  if (massimo > 0 && vb::Len(testo) > massimo)
    vb::Solleva(ErrCampoPiccolo, "Il campo " + c.colonnaBase +
                                     " è troppo piccolo per accettare la quantità di dati che si è tentato di "
                                     "aggiungere (al massimo " + std::to_string(massimo) + " caratteri)");
}

Recordset::Recordset(GestDatabase& db, std::string connessione, std::string sql, int tipo)
    : db_(db), conn_(std::move(connessione)), sql_(std::move(sql)), tipo_(tipo) {
  Carica({});
}

void Recordset::Carica(const std::string& condizione) {
  Connessione& motore = db_.Motore(conn_);
  std::shared_ptr<const Traduzione> t =
      condizione.empty() ? db_.Traduci(conn_, sql_)
                         : std::make_shared<const Traduzione>(
                               dati::Traduci(sql_, motore.Tipo(), motore.LeggiCatalogo(), condizione));
  if (t->tipo != Traduzione::Select)
    vb::Solleva(3219, "Operazione non valida: l'istruzione non è una selezione");
  std::vector<TipoCampo> tipi;
  bool conStella = false;
  for (const auto& c : t->colonne) {
    tipi.push_back(c.tipo);
    conStella = conStella || c.nome == "*";
  }
  // A reading that fails to open leaves the previous one as it was.
  std::unique_ptr<Cursore> nuovo = motore.ApriCursore(t->sql, conStella ? nullptr : &tipi);
  cursore_ = std::move(nuovo);
  righe_.clear();
  cancellate_.clear();
  base_ = 0;
  noti_ = 0;
  vive_ = 0;
  lette_ = 0;
  cancellateN_ = 0;
  pos_ = 0;  // with no rows, BOF and EOF both hold through Vuoto()
  modo_ = Modo::Nessuno;
  ultimoMod_ = -1;
  finito_ = false;
  esaurito_ = false;
  finestra_ = tipo_ != 2 && cursore_->Riavvolgibile();
  if (conStella) {
    // Tables the catalog does not know: the names come from the engine.
    colonne_.clear();
    for (const auto& c : cursore_->Colonne()) colonne_.push_back({c.nome, "", "", "", c.tipo});
  } else {
    colonne_ = t->colonne;
  }
  LeggiAltre(1);

  nomi_.clear();
  nomiVisti_.clear();
  recenti_.clear();
  for (int i = static_cast<int>(colonne_.size()) - 1; i >= 0; --i) {
    // Walked backwards so that the first column of a repeated name wins.
    const auto& c = colonne_[static_cast<size_t>(i)];
    nomi_[vb::Piega(c.nome)] = i;
    if (!c.qualificatore.empty()) nomi_[vb::Piega(c.qualificatore + "." + c.nome)] = i;
    if (!c.tabellaBase.empty()) nomi_[vb::Piega(c.tabellaBase + "." + c.colonnaBase)] = i;
  }

  scrivibili_.clear();
  principale_.clear();
  if (tipo_ != 2) return;
  const Catalogo& cat = motore.LeggiCatalogo();
  std::map<std::string, TabScrivibile> perQual;
  for (int i = 0; i < static_cast<int>(colonne_.size()); ++i) {
    const auto& c = colonne_[static_cast<size_t>(i)];
    if (c.tabellaBase.empty()) continue;
    auto& ts = perQual[vb::Piega(c.qualificatore + "|" + c.tabellaBase)];
    ts.nome = c.tabellaBase;
    ts.qualificatore = c.qualificatore;
    if (std::find(ts.campi.begin(), ts.campi.end(), i) == ts.campi.end()) {
      bool doppio = false;
      for (int k : ts.campi)
        if (vb::UgualeTesto(colonne_[static_cast<size_t>(k)].colonnaBase, c.colonnaBase)) doppio = true;
      if (!doppio) ts.campi.push_back(i);
    }
  }
  size_t migliore = 0;
  for (auto& [k, ts] : perQual) {
    const TabellaCat* tc = cat.Tabella(ts.nome);
    if (!tc || tc->chiave.empty()) continue;
    bool tutta = true;
    for (const auto& kc : tc->chiave) {
      int trovata = -1;
      for (int i : ts.campi)
        if (vb::UgualeTesto(colonne_[static_cast<size_t>(i)].colonnaBase, kc)) trovata = i;
      if (trovata < 0) tutta = false;
      else ts.chiave.push_back(trovata);
    }
    if (!tutta) continue;
    scrivibili_.push_back(ts);
    if (ts.campi.size() > migliore) {
      migliore = ts.campi.size();
      principale_ = ts.nome;
    }
  }
}

// ------------------------------------------------------------ reading

bool Recordset::LeggiAltre(size_t almeno) const {
  if (esaurito_) return false;
  const long prima = Fine();
  auto conta = [&] {
    const long dopo = Fine();
    lette_ += dopo - prima;
    if (dopo > noti_) {
      vive_ += dopo - noti_;
      noti_ = dopo;
    }
    if (!finestra_) cancellate_.resize(righe_.size(), false);
  };
  try {
    cursore_->Leggi(almeno, righe_);
  } catch (...) {
    // What came before the failure stays readable.
    conta();
    throw;
  }
  conta();
  const long dopo = Fine();
  if (finestra_ && static_cast<long>(righe_.size()) > 2 * gFinestra) {
    // The oldest rows go; those just read stay, the one asked for among
    // them.
    const long via = std::min(static_cast<long>(righe_.size()) - gFinestra, prima - base_);
    if (via > 0) {
      righe_.erase(righe_.begin(), righe_.begin() + via);
      base_ += via;
    }
  }
  if (cursore_->Finito()) {
    esaurito_ = finito_ = true;
    // The engine's resources (a statement, a snapshot, a server cursor) are
    // given back as soon as the last row is in, unless the window needs
    // them to read again what it let go.
    if (base_ == 0) cursore_.reset();
  }
  return dopo > prima;
}

bool Recordset::LeggiFino(long i) const {
  if (i < 0) return false;
  if (i < base_) {
    // Before the window: read again from the first row, the same rows.
    if (!cursore_ || !cursore_->Riavvolgi()) {
      if (cursore_) cursore_->Leggi(1, righe_);  // the cursor's own failure, if it had one
      NessunaRiga();
    }
    righe_.clear();
    base_ = 0;
    esaurito_ = false;
  }
  while (i >= Fine() && !esaurito_)
    LeggiAltre(finestra_ ? std::min<size_t>(static_cast<size_t>(i + 1 - Fine()), kBloccoLettura)
                         : static_cast<size_t>(i + 1 - Fine()));
  return i >= base_ && i < Fine();
}

void Recordset::LeggiTutte() const {
  while (!esaurito_) LeggiAltre(finestra_ ? kBloccoLettura : std::max<size_t>(righe_.size(), 1024));
}

long Recordset::RecordCount() const {
  if (!finito_) {
    if (std::optional<long> n = cursore_->Conta(); n && *n >= noti_) return vive_ + (*n - noti_);
    LeggiTutte();
  }
  return vive_;
}

long Recordset::LeggiFinoA(long n) const {
  // Blocks as the cursor gives them: a grid asks a screen at a time.
  while (vive_ < n && !finito_ && !esaurito_) LeggiAltre(static_cast<size_t>(std::min<long>(n - vive_, kBloccoLettura)));
  return vive_;
}

// ------------------------------------------------------------ position

bool Recordset::NessunaCorrente() const {
  if (Vuoto() || pos_ < 0 || pos_ >= noti_ || !Presente(pos_)) return true;
  return Cancellata(pos_);
}

long Recordset::AbsolutePosition() const {
  if (NessunaCorrente()) return -1;
  if (cancellateN_ == 0) return pos_;
  long n = 0;
  for (long i = 0; i < pos_; ++i)
    if (!Cancellata(i)) ++n;
  return n;
}

void Recordset::SetAbsolutePosition(long p) {
  if (p < 0) vb::Solleva(3001, "Posizione non valida");
  if (cancellateN_ == 0) {
    if (!Presente(p)) vb::Solleva(3001, "Posizione non valida");
    Posiziona(p);
    return;
  }
  long n = -1;
  for (long i = 0; Presente(i); ++i) {
    if (!Cancellata(i) && ++n == p) {
      Posiziona(i);
      return;
    }
  }
  vb::Solleva(3001, "Posizione non valida");
}

void Recordset::Posiziona(long pos) {
  modo_ = Modo::Nessuno;
  pos_ = pos;
}

void Recordset::MoveFirst() {
  if (Vuoto()) NessunaRiga();
  long i = 0;
  while (Presente(i) && Cancellata(i)) ++i;
  Posiziona(i);
}

void Recordset::MoveLast() {
  if (Vuoto()) NessunaRiga();
  LeggiTutte();
  long i = noti_ - 1;
  while (Cancellata(i)) --i;
  Posiziona(i);
}

void Recordset::MoveNext() {
  if (EOF_()) NessunaRiga();
  long i = pos_ + 1;
  while (Presente(i) && Cancellata(i)) ++i;
  Posiziona(std::min(i, noti_));
}

void Recordset::MovePrevious() {
  if (BOF()) NessunaRiga();
  long i = pos_ - 1;
  while (i >= 0 && Cancellata(i)) --i;
  Posiziona(i);
}

std::string Recordset::Bookmark() const {
  if (NessunaCorrente()) NessunaRiga();
  return std::to_string(pos_);
}

void Recordset::SetBookmark(const std::string& b) {
  // Exactly the text Bookmark handed out: "20x" or " 20" is no bookmark,
  // not the row 20.
  long i = -1;
  const auto r = std::from_chars(b.data(), b.data() + b.size(), i);
  if (r.ec != std::errc() || r.ptr != b.data() + b.size() || i < 0 || i >= noti_ || Cancellata(i))
    vb::Solleva(3159, "Segnalibro non valido");
  Posiziona(i);
}

// ------------------------------------------------------------ fields

int Recordset::Indice(std::string_view nome) const {
  for (const auto& r : recenti_)
    if (r.nome == nome) return r.indice;
  int i;
  auto visto = nomiVisti_.find(nome);
  if (visto != nomiVisti_.end()) {
    i = visto->second;
  } else {
    // A name the query lacks is remembered too: callers ask it row by row.
    i = IndiceLento(nome);
    nomiVisti_.emplace(std::string(nome), i);
  }
  if (recenti_.size() < 8) recenti_.push_back({std::string(nome), i});
  return i;
}

int Recordset::IndiceLento(std::string_view nome) const {
  auto it = nomi_.find(vb::Piega(nome));
  if (it != nomi_.end()) return it->second;
  // "Expr.Name" of a qualifier the query does not carry: the bare name.
  auto punto = nome.rfind('.');
  if (punto != std::string_view::npos) {
    it = nomi_.find(vb::Piega(nome.substr(punto + 1)));
    if (it != nomi_.end()) return it->second;
  }
  return -1;
}

std::vector<vb::Variant>& Recordset::Corrente() {
  if (NessunaCorrente()) NessunaRiga();
  return Riga(pos_);
}

const vb::Variant& Recordset::Valore(int i) const {
  if (modo_ != Modo::Nessuno) return buffer_[static_cast<size_t>(i)];
  // A walk reads the current row field after field: in memory, not deleted.
  if (pos_ >= base_ && pos_ < Fine() && cancellateN_ == 0) return Riga(pos_)[static_cast<size_t>(i)];
  if (NessunaCorrente()) NessunaRiga();
  return Riga(pos_)[static_cast<size_t>(i)];
}

const vb::Variant& Recordset::Leggi(std::string_view nome) const {
  int i = Indice(nome);
  if (i < 0) vb::Solleva(3265, "Elemento non trovato in questo insieme: " + std::string(nome));
  return Valore(i);
}

// ------------------------------------------------------------ changes

const Recordset::TabScrivibile* Recordset::TabellaDi(int campo) const {
  for (const auto& t : scrivibili_)
    if (std::find(t.campi.begin(), t.campi.end(), campo) != t.campi.end()) return &t;
  return nullptr;
}

void Recordset::AddNew() {
  if (!Aggiornabile()) vb::Solleva(ErrNonAggiornabile, "Impossibile aggiornare. Il recordset è di sola lettura");
  buffer_.assign(colonne_.size(), kNullo);
  scritto_.assign(colonne_.size(), false);
  modo_ = Modo::Nuovo;
}

void Recordset::Edit() {
  if (!Aggiornabile()) vb::Solleva(ErrNonAggiornabile, "Impossibile aggiornare. Il recordset è di sola lettura");
  buffer_ = Corrente();
  scritto_.assign(colonne_.size(), false);
  modo_ = Modo::Modifica;
}

void Recordset::Scrivi(std::string_view nome, const vb::Variant& valore) {
  if (modo_ == Modo::Nessuno)
    vb::Solleva(3020, "Aggiornamento o Annulla aggiornamento senza Aggiungi o Modifica");
  int i = Indice(nome);
  if (i < 0) vb::Solleva(3265, "Elemento non trovato in questo insieme: " + std::string(nome));
  const TabScrivibile* t = TabellaDi(i);
  if (!t || (modo_ == Modo::Nuovo && !vb::UgualeTesto(t->nome, principale_)))
    vb::Solleva(ErrCampoNonAggiornabile, "Impossibile aggiornare il campo " + std::string(nome));
  vb::Variant v = Conforma(valore, colonne_[static_cast<size_t>(i)].tipo);
  if (v.IsString()) ControllaLunghezza(*v.StringPtr(), colonne_[static_cast<size_t>(i)]);
  buffer_[static_cast<size_t>(i)] = std::move(v);
  scritto_[static_cast<size_t>(i)] = true;
}

void Recordset::Update() {
  if (modo_ == Modo::Nessuno)
    vb::Solleva(3020, "Aggiornamento o Annulla aggiornamento senza Aggiungi o Modifica");
  Connessione& c = db_.Motore(conn_);
  PartecipaTransazione(c);
  const bool server = c.Tipo() == TipoMotore::Server;
  auto id = [&](const std::string& n) { return "\"" + (server ? vb::LCase(n) : n) + "\""; };
  if (modo_ == Modo::Nuovo) {
    // A new row stays after all the others: those not read yet come in
    // first (they are the rows of the moment the recordset opened, so the
    // new one is not among them).
    LeggiTutte();
    const TabScrivibile* t = nullptr;
    for (const auto& s : scrivibili_)
      if (vb::UgualeTesto(s.nome, principale_)) t = &s;
    std::string colonne, segni;
    std::vector<vb::Variant> valori;
    for (int i : t->campi) {
      if (!scritto_[static_cast<size_t>(i)]) continue;
      if (!colonne.empty()) {
        colonne += ", ";
        segni += ", ";
      }
      colonne += id(colonne_[static_cast<size_t>(i)].colonnaBase);
      segni += "?";
      valori.push_back(buffer_[static_cast<size_t>(i)]);
    }
    std::string sql = "INSERT INTO " + id(t->nome) +
                      (colonne.empty() ? std::string(" DEFAULT VALUES") : " (" + colonne + ") VALUES (" + segni + ")");
    c.Esegui(sql, valori);
    righe_.push_back(buffer_);
    cancellate_.push_back(false);
    ++vive_;
    ++noti_;
    ultimoMod_ = noti_ - 1;
    modo_ = Modo::Nessuno;
    if (vive_ == 1) pos_ = ultimoMod_;
    return;
  }
  // Edit: each table touched is written by its key, only if its row still
  // holds what was read.
  std::vector<vb::Variant>& r = Corrente();
  for (const auto& t : scrivibili_) {
    std::string set;
    std::vector<vb::Variant> valori;
    for (int i : t.campi) {
      if (!scritto_[static_cast<size_t>(i)]) continue;
      if (!set.empty()) set += ", ";
      set += id(colonne_[static_cast<size_t>(i)].colonnaBase) + " = ?";
      valori.push_back(buffer_[static_cast<size_t>(i)]);
    }
    if (set.empty()) continue;
    std::string dove;
    for (int i : t.campi) {
      const auto& col = colonne_[static_cast<size_t>(i)];
      const vb::Variant& v = r[static_cast<size_t>(i)];
      if (!dove.empty()) dove += " AND ";
      if (v.IsNull()) {
        dove += id(col.colonnaBase) + " IS NULL";
      } else if (col.tipo == TipoCampo::Doppio || col.tipo == TipoCampo::Importo) {
        dove += "abs(" + id(col.colonnaBase) + " - ?) < 0.00005";
        valori.push_back(v);
      } else if (col.tipo == TipoCampo::Memo) {
        dove += "(" + id(col.colonnaBase) + " IS NOT NULL)";
      } else {
        dove += id(col.colonnaBase) + " = ?";
        valori.push_back(v);
      }
    }
    long n = c.Esegui("UPDATE " + id(t.nome) + " SET " + set + " WHERE " + dove, valori);
    if (n == 0)
      vb::Solleva(ErrRigaCambiata,
                  "I dati sono stati modificati da un altro utente dopo la lettura: operazione annullata");
  }
  r = buffer_;
  ultimoMod_ = pos_;
  modo_ = Modo::Nessuno;
}

void Recordset::Delete() {
  if (!Aggiornabile()) vb::Solleva(ErrNonAggiornabile, "Impossibile aggiornare. Il recordset è di sola lettura");
  std::vector<vb::Variant>& r = Corrente();
  modo_ = Modo::Nessuno;
  Connessione& c = db_.Motore(conn_);
  PartecipaTransazione(c);
  const bool server = c.Tipo() == TipoMotore::Server;
  auto id = [&](const std::string& n) { return "\"" + (server ? vb::LCase(n) : n) + "\""; };
  for (const auto& t : scrivibili_) {
    if (!vb::UgualeTesto(t.nome, principale_)) continue;
    std::string dove;
    std::vector<vb::Variant> valori;
    for (int i : t.chiave) {
      if (!dove.empty()) dove += " AND ";
      dove += id(colonne_[static_cast<size_t>(i)].colonnaBase) + " = ?";
      valori.push_back(r[static_cast<size_t>(i)]);
    }
    c.Esegui("DELETE FROM " + id(t.nome) + " WHERE " + dove, valori);
  }
  cancellate_[static_cast<size_t>(pos_)] = true;
  --vive_;
  ++cancellateN_;
  // No live row among those read: the next ones tell whether any is left.
  while (vive_ == 0 && !esaurito_) LeggiAltre(1);
}

void Recordset::VaiUltimoMod() {
  if (ultimoMod_ < 0 || Cancellata(ultimoMod_)) NessunaRiga();
  Posiziona(ultimoMod_);
}

void Recordset::Requery(const std::string& condizione) { Carica(condizione); }

void ImpostaFinestraRighe(long righe) { gFinestra = std::max(righe, 1L); }
long FinestraRighe() { return gFinestra; }

// ------------------------------------------------------------ search

void Recordset::Trova(const std::string& criterio, long da) {
  sql::NodoP n = sql::AnalizzaEspressione(criterio);
  nonTrovato_ = true;
  for (long i = std::max(0L, da); Presente(i); ++i) {
    if (Cancellata(i)) continue;
    const std::vector<vb::Variant>& r = Riga(i);
    auto campo = [&](const std::string& q, const std::string& nome) -> vb::Variant {
      int k = Indice(q.empty() ? nome : q + "." + nome);
      if (k < 0) vb::Solleva(3070, "Il motore di database non riconosce \"" + nome + "\" come nome di campo");
      return r[static_cast<size_t>(k)];
    };
    if (Vale(*n, campo)) {
      Posiziona(i);
      nonTrovato_ = false;
      return;
    }
  }
}

void Recordset::FindFirst(const std::string& criterio) { Trova(criterio, 0); }

void Recordset::FindNext(const std::string& criterio) {
  if (NessunaCorrente() && pos_ >= 0) LeggiTutte();  // past the end: nothing further
  Trova(criterio, NessunaCorrente() ? (pos_ < 0 ? 0 : noti_) : pos_ + 1);
}

}  // namespace dati
