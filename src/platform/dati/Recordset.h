#pragma once
// One open recordset: the rows of a query, a current position with BOF and
// EOF, bookmarks, and the edit buffer through which an updatable recordset
// (open type 2) writes its rows back.
//
// Rows are read from the engine as the caller moves, in blocks: opening a
// query of a million rows reads the first block only. An updatable
// recordset keeps every row it has read (its edits and deletions live
// there); a read-only one whose engine can read its rows again from the
// same moment keeps a window of them, and a move back before the window
// reads again from the first row. A move to the last row, a search that
// finds nothing, or a new row read the rest. The row count is exact
// whenever asked: the engine counts the rows not read yet when it can,
// else they are read; RigheNote() answers what is known without either.
//
// What the layer writes and what it refuses:
// - a recordset writes to the stored tables whose whole primary key is among
//   its columns; new rows and deletions go to the main one (the table with
//   the most columns in the result); a column of an expression or of a table
//   without its key cannot be written (3164), a read-only snapshot (open
//   type 4) not at all (3027);
// - an update changes the row only if it still holds what was read (numbers
//   compared to the fourth decimal); otherwise 3197 and nothing is written;
// - a new row is kept at the end of the rows, as the legacy dynaset did.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/Variant.h"
#include "platform/dati/Motore.h"
#include "platform/dati/Traduttore.h"

namespace dati {

class GestDatabase;

class Recordset {
 public:
  Recordset(GestDatabase& db, std::string connessione, std::string sql, int tipo);

  // ---- position
  bool BOF() const { return pos_ < 0 || Vuoto(); }
  bool EOF_() const { return pos_ >= noti_ || Vuoto(); }
  bool NessunaCorrente() const;
  long RecordCount() const;
  // Live rows known so far, without counting those not read yet; FineNota()
  // tells whether they are all (the last row has been read). A list shows
  // these, and asks the exact count only when the user goes to the end.
  long RigheNote() const { return vive_; }
  bool FineNota() const { return finito_; }
  // Reads on until at least `n` live rows are known or the rows end; the
  // live rows known then.
  long LeggiFinoA(long n) const;
  // Rows read from the engine so far.
  long RigheLette() const { return lette_; }
  // Rows held in memory now.
  long RigheInMemoria() const { return static_cast<long>(righe_.size()); }
  // 0-based place of the current row among the live rows; -1 off the rows.
  long AbsolutePosition() const;
  void SetAbsolutePosition(long p);
  void MoveFirst();
  void MoveLast();
  void MoveNext();
  void MovePrevious();
  // A bookmark names a row for as long as the recordset is open.
  std::string Bookmark() const;
  void SetBookmark(const std::string& b);

  // ---- fields
  int NumCampi() const { return static_cast<int>(colonne_.size()); }
  const ColonnaUscita& Campo(int i) const { return colonne_[static_cast<size_t>(i)]; }
  // Index of a field named bare, by table or by alias, in any letter case;
  // -1 when absent.
  int Indice(std::string_view nome) const;
  int IndiceLento(std::string_view nome) const;
  const vb::Variant& Valore(int i) const;  // of the row being edited, else the current row
  const vb::Variant& Leggi(std::string_view nome) const;

  // ---- changes
  void AddNew();
  void Edit();
  void Scrivi(std::string_view nome, const vb::Variant& valore);
  void Update();
  void CancelUpdate() { modo_ = Modo::Nessuno; }
  void Delete();
  bool InModifica() const { return modo_ != Modo::Nessuno; }
  // The row last added or updated.
  void VaiUltimoMod();

  // ---- reading again
  void Requery(const std::string& condizioneAggiunta = {});

  // ---- search in memory (FindFirst / FindNext with a criterion of the
  // legacy dialect over the fields); NoMatch tells the outcome.
  void FindFirst(const std::string& criterio);
  void FindNext(const std::string& criterio);
  bool NoMatch() const { return nonTrovato_; }

  bool Aggiornabile() const { return tipo_ == 2 && !principale_.empty(); }
  const std::string& Sql() const { return sql_; }

 private:
  enum class Modo { Nessuno, Nuovo, Modifica };
  struct TabScrivibile {
    std::string nome;            // stored table
    std::string qualificatore;   // alias in the query
    std::vector<int> chiave;     // field indexes of its key
    std::vector<int> campi;      // field indexes that are its columns
  };

  // No live row can appear any more: rows are read ahead whenever all those
  // read so far are deleted.
  bool Vuoto() const { return vive_ == 0; }
  void Carica(const std::string& condizione);
  // Reads at least `almeno` more rows, unless the result ends first; false
  // when there was nothing left to read.
  bool LeggiAltre(size_t almeno) const;
  // Row `i` is in memory, if the result has it.
  bool Presente(long i) const {
    return (i >= base_ && i < Fine()) || ((!esaurito_ || i < base_) && LeggiFino(i));
  }
  bool LeggiFino(long i) const;
  long Fine() const { return base_ + static_cast<long>(righe_.size()); }
  std::vector<vb::Variant>& Riga(long i) const { return righe_[static_cast<size_t>(i - base_)]; }
  bool Cancellata(long i) const {
    return i < static_cast<long>(cancellate_.size()) && cancellate_[static_cast<size_t>(i)];
  }
  void LeggiTutte() const;
  void Posiziona(long pos);
  std::vector<vb::Variant>& Corrente();
  const TabScrivibile* TabellaDi(int campo) const;
  void Trova(const std::string& criterio, long da);
  void ControllaLunghezza(const std::string& testo, const ColonnaUscita& c) const;

  GestDatabase& db_;
  std::string conn_, sql_;
  int tipo_;
  std::vector<ColonnaUscita> colonne_;
  std::unordered_map<std::string, int> nomi_;  // folded "name", "qual.name", "table.name"
  // Names as the callers spell them, resolved once: a walk over many rows
  // asks for the same few fields again and again.
  struct HashTesto {
    using is_transparent = void;
    size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
  };
  mutable std::unordered_map<std::string, int, HashTesto, std::equal_to<>> nomiVisti_;
  // The last few names asked for, compared whole before any hashing: a walk
  // reads the same handful of fields row after row.
  struct NomeRecente {
    std::string nome;
    int indice;
  };
  mutable std::vector<NomeRecente> recenti_;
  // The rows read so far, as the engine gave them (taken over whole, no
  // copy), and which of them this recordset deleted. Reading more is no
  // change the caller sees, so the const queries may do it.
  mutable std::unique_ptr<Cursore> cursore_;
  mutable bool finito_ = true;    // the whole count is known
  mutable bool esaurito_ = true;  // the cursor has no more rows in this pass
  mutable std::vector<std::vector<vb::Variant>> righe_;  // rows base_ .. Fine() - 1
  mutable long base_ = 0;
  bool finestra_ = false;           // read-only, read again when needed
  mutable long noti_ = 0;           // rows known to exist
  mutable std::vector<bool> cancellate_;  // by row; empty for a window
  mutable long vive_ = 0;
  mutable long lette_ = 0;
  long cancellateN_ = 0;
  long pos_ = -1;
  Modo modo_ = Modo::Nessuno;
  std::vector<vb::Variant> buffer_;
  std::vector<bool> scritto_;
  std::vector<TabScrivibile> scrivibili_;
  std::string principale_;
  long ultimoMod_ = -1;
  bool nonTrovato_ = false;
};

// Rows a read-only recordset keeps in memory at least (tests make it small).
void ImpostaFinestraRighe(long righe);
long FinestraRighe();

}  // namespace dati
