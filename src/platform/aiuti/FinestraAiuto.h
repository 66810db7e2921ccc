#pragma once
// The look-up window "Aiuto": the rows of a master table (codes,
// descriptions and the extra columns the caller asks for, under the
// caller's condition) in a grid bound to their recordset, with a search box
// that narrows them as the user types: by code (the beginning of the code,
// F2), by description (any part of it, F3) or by an extra column (F4 on);
// "*" and "?" typed there are wildcards. Each change of the search reads
// the rows again, so a table of any size costs one query a key. Enter or a
// double click chooses the current row, Esc leaves without a choice. The
// window is loaded once and hidden between look-ups.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/aiuti/AiutiDecodifica.h"
#include "platform/dati/GestRecordset.h"
#include "platform/ui/Form.h"
#include "platform/ui/Griglia.h"

namespace aiuti {

// What one look-up shows: the rows of `sql` (the kind's table under the
// kind's and the caller's conditions, without ORDER BY), the field shown as
// the code and the expression its search compares, the description, the
// extra columns.
struct DatiRicerca {
  std::string tipo;                       // the kind, handed on when a management is launched
  std::string titolo;
  std::string selezione = "*";            // select list
  std::string da;                         // FROM
  std::string dove;                       // WHERE without the search, "" none
  std::string ordine;                     // ORDER BY when searching by code
  std::string campoCodice;                // the field shown and written as the code
  std::string espressioneCodice;          // the code as one text, for the search
  std::string campoChiave;                // the key column, named as the chosen field
  std::string campoDescrizione;           // "" none
  std::vector<std::string> extra;         // extra columns, by field name
  std::vector<std::string> titoliExtra;   // their captions
  int colonnaRicerca = 0;                 // 0 code, 1 description, 2.. the extras
  std::string seme;                       // first search text
  bool scriviCodice = true;               // the chosen code goes into the code box
  // The picture of the current row beside the list ("MostraImg").
  bool mostraImmagine = false;
  std::string campoImmagine = "Immagine", cartellaImmagini, latoImmagine = "D";
  long margSopra = 0, margSotto = 0, margSin = 0, margDestra = 0;
};

class FinestraAiuto : public ui::Form {
 public:
  explicit FinestraAiuto(AiutiDecodifica& libreria);

  // Public members set at start-up: the screen factor of the window, and
  // the place of the caret in the search box when the window opens
  // (obLockSpostaCurs: at oiSpostaCurs characters instead of the end).
  double odRisVid = -2;
  bool obLockSpostaCurs = false;
  int16_t oiSpostaCurs = 0;

  // Reads the rows. With `ritornaSeVuota` and nothing fitting the first
  // search text it answers 1 without showing anything; otherwise it shows
  // the window modally and answers 0 when the window has gone.
  int Apri(const DatiRicerca& dati, bool ritornaSeVuota);

  bool Scelto() const { return scelto_; }
  // The chosen row: its code as it goes into the code box, the field the
  // user was on and that cell's text, every field of the row.
  const std::string& CodiceScelto() const { return codiceScelto_; }
  const std::string& CampoScelto() const { return campoScelto_; }
  const std::string& TestoScelto() const { return testoScelto_; }
  const std::vector<RisultatoAiuti::Campo>& RigaScelta() const { return rigaScelta_; }

  // The search now: column (0 code, 1 description, 2.. extras), rows shown.
  int ColonnaRicerca() const { return colonnaRicerca_; }
  void ImpostaColonnaRicerca(int colonna);
  int RigheMostrate() const;
  // What the list shows: column captions and cells (row 0-based), "" beyond.
  int NumColonne() const;
  std::string TitoloColonna(int colonna) const;
  std::string Cella(int riga, int colonna) const;
  std::string CodiceMostrato(int riga) const { return Cella(riga, 0); }
  // The current row (0-based, -1 none) and a move to another.
  int RigaCorrente() const;
  void VaiARiga(int riga);
  // Chooses the current row of the list (Enter, double click, "&Ok").
  void Scegli();
  // Leaves without a choice (Esc, "&Annulla", the close box).
  void Esci();

  ui::Controllo& txtCerca() const { return C("txtCerca"); }
  ui::Griglia& dbgAiuto() const;

  // The public members by name, as start-up and the screen scaling reach them.
  vb::Variant LeggiPerNome(const std::string& nome) override;
  void ScriviPerNome(const std::string& nome, const vb::Variant& valore) override;

 protected:
  void Form_Load() override;
  void Form_KeyDown(int& KeyCode, int Shift) override;
  void Form_QueryUnload(int& Cancel, int UnloadMode) override;
  void Form_Unload(int& Cancel) override;
  void Form_Resize() override;
  void Change(ui::Controllo& c) override;
  void Click(ui::Controllo& c) override;
  void DblClick(ui::Controllo& c) override;
  void RowColChange(ui::Controllo& g, const vb::Variant& LastRow, int LastCol) override;

 private:
  // Reads the rows that fit the search text of the search column.
  void Filtra();
  void Colonne();
  void Disponi();
  void MostraImmagine();
  std::string CondizioneRicerca() const;
  std::string TitoloRicerca() const;
  void Rilascia();

  AiutiDecodifica& lib_;
  DatiRicerca dati_;
  std::vector<std::string> campi_;    // field of each list column
  std::vector<std::string> titoli_;   // caption of each list column
  std::vector<bool> testo_;           // the column holds text (else searched as text)
  dati::GestRecordset rs_;
  std::string chiave_;
  int colonnaRicerca_ = 0;
  bool scelto_ = false;
  bool inAggiornamento_ = false;
  std::string codiceScelto_, campoScelto_, testoScelto_;
  std::vector<RisultatoAiuti::Campo> rigaScelta_;
};

}  // namespace aiuti
