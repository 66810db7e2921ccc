#pragma once
// "Lista Testate DDT": the DDT headers of DdtTest that match a set of
// criteria, in a grid, handed back one at a time to the header window
// `frmDdtTest`. The window never opens on its own: the header creates it in
// its load, gives it the personal sort order (`osListaOrdin`) and its window
// key (`osKeySec`), and binds it to its record bar (`BarraRecord::Collega`);
// the bar shows it for "Lista", and the row chosen with "Seleziona" becomes
// the header's record; the header's "ListaAvanti" and "ListaInd" walk it.
//
// Two components do the list work, the window configures them and answers
// their callbacks: the list page `ogLisPag` (criteria, the search through
// `VerSelez`, `PersListaVarie`, `PrepSql`, `SettaRecordset`, the link to the
// header's bar) and the list commands `ogComlin` (grid, toolbar, counter,
// sorting, searching, bookmarks, printing).
//
// Personal settings of section "DDT": "ListaAggEle" additional columns
// ("expression,position,width,heading" entries separated by "§"),
// "ListaHideCol" list columns to hide, and "ListaOrdin" (read by the
// header) the ORDER BY of the list. Expressions and sort items reach the SQL
// only when they name a known column of DdtTest or Pianoconti; any other
// entry is dropped and the user is told which.
//
// The procedures are split into files by concern:
//   frmDdtTestLis.cpp           controls, load, unload, by-name access, events
//   frmDdtTestLis_Colonne.cpp   personal columns and sort order, column layout
//                               and the column questions of the list commands
//   frmDdtTestLis_Criteri.cpp   the seventeen criteria, their fields and the SQL
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/Barre.h"
#include "platform/Variant.h"
#include "platform/barre/ComandiLista.h"
#include "platform/barre/PaginaLista.h"
#include "platform/ui/Form.h"

namespace ui {
class Griglia;
}

class frmDdtTestLis : public ui::Form,
                      public barre::ProtFormLisPag,
                      public barre::ProtFormComlin,
                      public barre::navlib::ListaConPagina {
 public:
  frmDdtTestLis();
  ~frmDdtTestLis() override;

  // ---- public members
  // The list commands and the list page; created on first use, released by
  // the unload.
  barre::rowlib::ComandiLista& ogComlin();
  barre::navlib::PaginaLista& ogLisPag();
  // ORDER BY of the list, set by the header window; empty = by DataRif, NumRif.
  std::string osListaOrdin;
  // The menu server's key of the program's window, set by the header.
  std::string osKeySec;
  // The SQL of the list as last built or re-sorted by a heading.
  const std::string& osSql() const { return msSql; }

  // ---- answered to the list commands
  vb::Variant ovField(int piColIndex, const std::string& psProprieta) override;
  std::string ColToSourceField(int piColIndex) override;
  std::string ovfrmBookmark() const override { return msBookmark; }
  void SetovfrmBookmark(const std::string& psBookmark) override;
  void DatRefresh() override;
  void PersColonne() override;
  void ChiudiFrm() override;
  void MenuFrm() override;
  int oiStaAtt() const override;
  void SetoiStaAtt(int piStaAtt) override;

  // ---- commands: toolbar, search button, deferred selection, keys
  void ButtonComando(const std::string& psKey);

  // ---- answered to the record bar and the list page (ListaAvanti and
  // ListaIndietro come from ListaConPagina)
  // The header's bar the chosen rows go to; kept while the window is closed,
  // so that a list loaded again still serves it.
  void impOggBase(barre::BarraNavigazione* barra) override;
  bool VerSelez() override;
  std::string PrepSql(const std::string& psWhere) override;
  vb::Variant PersListaVarie(int piTipoPers, barre::navlib::CampoLista& pgLisCampo,
                             std::vector<vb::Variant>& pvParam) override;
  void SettaRecordset(const std::string& psSql, bool pvFaiSql) override;
  bool PersListaKey(std::string& pvRit) override;
  void ListaKey() override;
  void CompilaKey() override;
  // After "AzzSel": account type "Cliente", state "Normale".
  void AzzAltro();

  // ---- criterion fields
  void txt_GotFocus(int Index);
  void txt_LostFocus(int Index);
  void txt_KeyUp(int Index, int KeyCode, int Shift);
  void comHlp_Click(int Index);
  void cob_Click(int Index);
  void cob_KeyDown(int Index, int& KeyCode, int Shift);

  // ---- grid and timers
  void dbgRiga_Click();
  void dbgRiga_DblClick();
  void dbgRiga_KeyDown(int& KeyCode, int Shift);
  void dbgRiga_ColResize(int ColIndex);
  void dbgRiga_HeadClick(int ColIndex);
  void dbgRiga_SplitChange();
  void dbgRiga_RowColChange(const vb::Variant& LastRow, int LastCol);
  // Y in twips from the top of the grid.
  void dbgRiga_MouseMove(int Button, int Shift, long X, long Y);
  void dbgRiga_Error(int DataError, int& Response);
  void timVarie_Timer();
  void timResize_Timer();

  // ---- personal settings (also for the tests)
  // Reads "ListaAggEle" into the four lists of additional columns, dropping
  // (and telling) the entries that name no known column or take a place
  // another entry already holds.
  void LeggiColonneAgg(const std::string& psListaAggEle);
  // Reads "ListaHideCol".
  void LeggiColonneNascoste(const std::string& psListaHideCol);
  // The ORDER BY the list uses: `osListaOrdin` without the items that name
  // no known column (told once per setting); "" when none is left.
  std::string OrdineVerificato();
  // Whether `psRif` ("Col", "DdtTest.Col", "Pianoconti.Col") is one column of
  // the list's tables; `psPerche` says why not.
  bool ColonnaNota(const std::string& psRif, std::string& psPerche) const;
  // Grid columns (0-based) of Anno and NumRif once the additional columns
  // take their places.
  int ColonnaChiave(int piBase) const;

  // ---- events of the control model
  void Form_Load() override;
  void Form_Unload(int& Cancel) override;
  void Form_Resize() override;
  void Form_KeyDown(int& KeyCode, int Shift) override;
  void Form_KeyPress(int& KeyAscii) override;
  void Click(ui::Controllo& c) override;
  void DblClick(ui::Controllo& c) override;
  void GotFocus(ui::Controllo& c) override;
  void LostFocus(ui::Controllo& c) override;
  void KeyDown(ui::Controllo& c, int& KeyCode, int Shift) override;
  void KeyUp(ui::Controllo& c, int& KeyCode, int Shift) override;
  void Timer(ui::Controllo& c) override;
  void ButtonClick(ui::Controllo& barra, const std::string& key) override;
  void RowColChange(ui::Controllo& g, const vb::Variant& LastRow, int LastCol) override;

  vb::Variant LeggiPerNome(const std::string& nome) override;
  void ScriviPerNome(const std::string& nome, const vb::Variant& valore) override;
  vb::Variant ChiamaPerNome(const std::string& nome, std::vector<vb::Variant>& argomenti) override;
  ui::Oggetto* OggettoPerNome(const std::string& nome) override;

  ui::Controllo& txt(int n) const { return C("txt", n); }
  ui::Controllo& lab(int n) const { return C("lab", n); }
  ui::Controllo& cob(int n) const { return C("cob", n); }
  ui::Griglia& dbgRiga() const;

  // =====================================================================
  // State, public so that the tests read it as the window's code does.
  int16_t miAzioneTimer = 0;   // 0 none, 1 select the row, 2 focus back to a criterion
  bool mbNoSeleziona = false;  // a resize or heading click: skip the next selection
  int16_t miIndiceTxt = -1;    // criterion box that had the focus at a command
  std::string msNomeCtlAtt;    // name of the control that had the focus then
  int16_t miTastoPremuto = 0;  // a key went down: the next mouse move is ignored
  bool mbInChiusura = false;
  // Additional columns, 0-based here (the setting counts from 1): SQL
  // expression, 1-based place in the list, width (0 keep), heading ("" keep).
  std::vector<std::string> msCampoAgg;
  std::vector<int16_t> miPosAgg;
  std::vector<int16_t> miLargAgg;
  std::vector<std::string> msTitoloAgg;
  // 1-based list columns to hide.
  std::vector<int16_t> miColNascoste;
  std::string msSql;
  std::string msBookmark;

 protected:
  barre::navlib::PaginaLista& PaginaCollegata() override { return ogLisPag(); }

 private:
  void CreaControlli();
  template <class F>
  void Evento(F&& f);
  void DefinisciCriteri();
  void AvviaTimer();
  void Avviso(const std::string& psTesto) const;
  // The select list of the SQL, additional columns in their places.
  std::string ListaSelect() const;

  std::unique_ptr<barre::rowlib::ComandiLista> comlin_;
  std::unique_ptr<barre::navlib::PaginaLista> lisPag_;
  // The sort text last checked and what was kept of it.
  std::string ordineLetto_, ordineTenuto_;
  bool ordineVerificato_ = false;
  // Commands running, and the components to release when the last ends (a
  // command that closed the window).
  barre::BarraNavigazione* barraBase_ = nullptr;
  int comandiInCorso_ = 0;
  bool rilascia_ = false;
};

// The program-wide instance, bound by the header window to its bar.
frmDdtTestLis& FrmDdtTestLis();
