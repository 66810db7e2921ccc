#pragma once
// "Spese": the expense rows of one document in a grid bound to its data
// control, edited in place. The DDT header opens it from its command
// "Spese" (frmDdtTest::GestSpese): the header locks the DDT, sets the
// members below, disables itself and calls TabellaStd, which shows the
// window. Closing the window calls back `DopoGestSpese` by name on
// `ofrmTest`, and the header recomputes the footer, saves and unlocks.
//
// The list commands `ogComlin` carry out the toolbar (new, save, delete,
// cancel, pointer, go to, first and last, refresh, find, print, close,
// menu), sort on a heading and keep the row counter; the window gives them
// the query and the columns, checks each cell against the expense master,
// numbers new rows, and adds the customer's own expense ("SpeseClie").
//
// The rows are those of the document's table (DdtSpese), joined to the
// master Spese for the description and the kind of charge. Those two
// columns are the master's and only shown: the window keeps what it
// decoded for the row being edited and never writes them, so a saved row
// writes the document's table alone.
//
// The grid model fires the cell and row checks (BeforeColUpdate,
// AfterColUpdate, BeforeUpdate, RowColChange); the other grid events and
// the state of the cell editor (text typed, part selected) are handed over
// by the backend through the dbgRiga_* procedures and ModificaCella.
//
// The procedures are split into files by concern:
//   frmSpeseDoc.cpp         controls, load, unload, commands, keys, events
//   frmSpeseDoc_Righe.cpp   cell and row checks, look-ups, row number,
//                           the customer's expense
#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/Variant.h"
#include "platform/barre/ComandiLista.h"
#include "platform/ui/Form.h"

namespace ui {
class Griglia;
}

class frmSpeseDoc : public ui::Form, public barre::ProtFormComlin {
 public:
  frmSpeseDoc();
  ~frmSpeseDoc() override;

  // ---- set by the opener before TabellaStd
  ui::Form* ofrmTest = nullptr;  // DopoGestSpese is called on it
  std::string osCaption;         // appended to "Spese"
  std::string osAnnoRif, osNumRif;
  std::string osIvaTest;  // header VAT code; may be empty
  std::string osMoneta;   // document currency
  std::string osSpesa;    // the customer's own expense code; may be empty
  std::string osNumDecMon;  // display mask of amounts
  int16_t oiColFisse = 0;
  int16_t oiNumDecMon = 2;  // carried, not read
  std::string osSoggRitAcc;  // carried, not read
  std::string osParam;       // launch parameters ("RO" read at load)
  std::string osKeyLancia, osKeySecLancia, osParamLancia, osKeyAttivazione;

  // ---- properties
  const std::string& osKeySec() const { return msKeySec; }
  void SetosKeySec(const std::string& v) { msKeySec = v; }
  const std::string& osSql() const { return msSql; }
  void SetosSql(const std::string& v) { msSql = v; }
  int16_t oiNumKey() const { return miNumKey; }
  void SetoiNumKey(int16_t v) { miNumKey = v; }
  int16_t oiAbilRW() const { return miAbilRW; }
  void SetoiAbilRW(int16_t v);
  // -1 from the start of the load and after a failed one, 1 once loaded.
  int16_t oiLoadOk() const { return miStatoLoad; }
  barre::rowlib::ComandiLista& ogComlin();

  // ---- list protocol
  vb::Variant ovField(int piColIndex, const std::string& psProprieta) override;
  std::string ColToSourceField(int piColIndex) override;
  std::string ovfrmBookmark() const override { return msBookmark; }
  void SetovfrmBookmark(const std::string& psBookmark) override;
  void DatRefresh() override;
  void PersColonne() override;
  void ChiudiFrm() override;
  void MenuFrm() override;
  void PassaA() {}
  int oiStaAtt() const override;
  void SetoiStaAtt(int piStaAtt) override;

  // Builds the query of the rows of `psNomeLin` for the document; with
  // pbAbilita shows the window (its load runs then). The key is always
  // the first three columns.
  void TabellaStd(const std::string& psNomeLin, const std::string& psTabella, int16_t piNumKey = 0,
                  bool pbAbilita = false, bool pbSql = false);
  void ButtonComando(const std::string& psKey);

  // ---- rules of the rows
  // Checks one cell (and, for a new expense code with pbAggDati, fills the
  // row from the master). False after a refusal, which it has shown.
  bool DatiValidi(int piColIndex, bool pbSoloDecod, bool pbAggDati);
  // The look-up of the expense or VAT code from a cell (113 F2 or the cell
  // button, 114 F3).
  void DecodHelp(int piColIndex, int piKeyCode);
  // The whole row before it is stored; false after the message.
  bool VerifUpdate();
  // The number of a new row (highest + 1), written into its "Riga" with
  // pbRigaSuGrid; 0 when the row has one.
  int32_t MettiRiga(bool pbRigaSuGrid);
  // A new row of the customer's own expense, checked and stored.
  void AggSpesaClie();

  // ---- grid events the grid model does not fire itself
  void dbgRiga_KeyDown(int& KeyCode, int Shift);
  void dbgRiga_BeforeDelete(int& Cancel);
  void dbgRiga_AfterDelete();
  void dbgRiga_BeforeColEdit(int ColIndex, int KeyAscii, int& Cancel);
  void dbgRiga_ButtonClick(int ColIndex);
  void dbgRiga_Change();
  void dbgRiga_Error(int DataError, int& Response);
  void dbgRiga_HeadClick(int ColIndex);
  void dbgRiga_SplitChange();
  // The cell editor of the current cell opened (the text in it and the
  // part of it selected), or closed with FineModificaCella (nothing
  // written: the text typed is written when the cell is left).
  void ModificaCella(const std::string& psTesto, const std::string& psSelezionato);
  void FineModificaCella() { mbInModifica = false; }
  bool CellaInModifica() const { return mbInModifica; }

  // ---- state, for whoever drives the window
  bool ComandiAbilitati() const { return mbComandiAbil; }
  const std::string& CassaPrevSpesa() const { return msCassaPrevSpesa; }
  ui::Griglia& dbgRiga() const;
  // Grid column of a field name; -1 when none.
  int Colonna(const std::string& psCampo) const;
  // What the row shows in a column: the decoded description and kind of
  // the row being edited, else the record's value.
  vb::Variant ValoreVisto(const std::string& psCampo) const;

  // ---- form events
  void Form_Load() override;
  void Form_Unload(int& Cancel) override;
  void Form_Resize() override;
  void Form_KeyDown(int& KeyCode, int Shift) override;
  void Form_KeyPress(int& KeyAscii) override;
  void Timer(ui::Controllo& c) override;
  void ButtonClick(ui::Controllo& barra, const std::string& key) override;
  void BeforeColUpdate(ui::Controllo& g, int ColIndex, vb::Variant& OldValue, int& Cancel) override;
  void AfterColUpdate(ui::Controllo& g, int ColIndex) override;
  void BeforeUpdate(ui::Controllo& g, int& Cancel) override;
  void AfterUpdate(ui::Controllo& g) override;
  void RowColChange(ui::Controllo& g, const vb::Variant& LastRow, int LastCol) override;
  void KeyDown(ui::Controllo& c, int& KeyCode, int Shift) override;
  void Change(ui::Controllo& c) override;
  vb::Variant ChiamaPerNome(const std::string& nome, std::vector<vb::Variant>& argomenti) override;
  vb::Variant LeggiPerNome(const std::string& nome) override;
  void ScriviPerNome(const std::string& nome, const vb::Variant& valore) override;
  ui::Oggetto* OggettoPerNome(const std::string& nome) override;

 private:
  void CreaControlli();
  void Carica();
  void ArmaTimer(const char* nome);
  // The value of a cell of the current row as the checks see it: the text
  // being written or typed, else the record's.
  vb::Variant ValCella(int piCol) const;
  bool DatoCambiato(int piCol) const;
  // Writes a cell of the current row from the program: no cell check, and
  // a column the user may not type into takes it all the same.
  void ScriviCellaProg(int piCol, const vb::Variant& pvValore);
  void ScriviCellaProg(const std::string& psCampo, const vb::Variant& pvValore);
  // The row being edited was stored, dropped or left.
  void DimenticaRiga();
  void Messaggio(const std::string& psTesto) const;
  std::string NomeColonna(int piCol) const;

  std::unique_ptr<barre::rowlib::ComandiLista> comlin_;
  std::string msKeySec, msSql, msBookmark;
  int16_t miNumKey = 3;
  int16_t miAbilRW = 1;
  int16_t miStatoLoad = -1;
  std::string msCaptionForm;
  bool mbCassaPrevNoImpon = false;
  std::string msCassaPrevSpesa;
  bool mbComandiAbil = true;
  bool mbInAiuto = false;
  // Next tick of timVarie: 1 after a row deletion, 2 after a row stored
  // with a decoded code (the rows read again), 4 after a refused cell.
  int16_t miAzioneTimer = 0;
  int32_t mlRigaSalvata = 0;  // Riga of the row last stored
  std::string msTastoCorr;
  int miRigaColCambio = 0;
  int16_t miInVerifica = 0;
  // The cell editor.
  bool mbInModifica = false;
  std::string msTestoModifica, msSelezModifica;
  // The row being edited: columns changed, and the description and kind
  // decoded for its expense code (shown, never written).
  std::set<int> mCambiate;
  bool mbVistaRiga = false;
  vb::Variant mvDescrRiga, mvTipoRiga;
};

// The program's expense window.
frmSpeseDoc& FrmSpeseDoc();
