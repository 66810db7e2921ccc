#pragma once
// The list commands: a grid over its data control, the toolbar, the row
// counter, sorting by a heading, searching, bookmarks and printing of a
// list; on an editable grid also new, save, delete and cancel of its rows.
// A list window holds one as `ogComlin`, alone or under its list page.
//
// Our choices:
// - the rows are read through the data layer under a key of our own; the
//   grid shows what its window needs and we never walk the rows to count
//   or to fill the screen (the counter shows the rows read so far, "n+"
//   until the last one was read, and "Fine" reads to the end);
// - the toolbar is the window's: when it is empty we add our buttons, each
//   tooltip opening with the letter of its Alt accelerator in brackets;
// - "Punta" keeps the current row in the window's `ovfrmBookmark`, "VaiA"
//   goes back to it; "Aggiorna" reads the rows again, keeps the current row
//   when it is still there, then calls the window's `DatRefresh`;
// - "Trova" shows the window's search frame `FraCerca` with its box
//   `txtCerca`; "Cerca" goes to the next row, after the current one, whose
//   cell of the current column begins with the text, letter case ignored;
// - on an editable grid (`AbilScrittura` 1 and an updatable query):
//   "Nuovo" starts a new row, "Salva" stores the row being edited, "Annulla"
//   drops it, "Cancella" asks and deletes the current row; asked by the
//   grid's own deletion (third argument True) it answers -1 when the
//   deletion is to be cancelled (refused, read-only, or not confirmed) and 0
//   when the grid may delete;
// - `OrdinaColonna` puts the window's `ColToSourceField` into the ORDER BY of
//   the query (a second click on the same column sorts it descending) and
//   reads the rows again; 1 when the column cannot be sorted;
// - "Stampa" puts this object into the print dialog given with
//   `FormStampa` (as its `ogComlin`) and shows it; the dialog starts the
//   print with `AvviaStampa`, which hands the grid's rows to the print
//   library through `ogSta` keeping the window's `oiStaAtt` at 1 while it
//   runs; without a dialog the user is told that printing is not there.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/Barre.h"
#include "platform/Variant.h"
#include "platform/dati/GestRecordset.h"
#include "platform/stampa/OggettoStampa.h"
#include "platform/ui/Controllo.h"

namespace dati {
class GestDatabase;
class Recordset;
}  // namespace dati
namespace ui {
class Controllo;
class DatiControllo;
class Form;
class Griglia;
}  // namespace ui
namespace menu {
class ContestoProgramma;
}

namespace barre {

// What a window with a grid answers the components that drive it.
class ProtFormComlin {
 public:
  virtual ~ProtFormComlin() = default;
  // A property of the field behind grid column `piColIndex`.
  virtual vb::Variant ovField(int piColIndex, const std::string& psProprieta) {
    (void)piColIndex;
    (void)psProprieta;
    return {};
  }
  // What the list can be sorted by for that column; "" when it cannot.
  virtual std::string ColToSourceField(int piColIndex) = 0;
  virtual std::string ovfrmBookmark() const = 0;
  virtual void SetovfrmBookmark(const std::string& psBookmark) = 0;
  // After the rows were read again.
  virtual void DatRefresh() {}
  virtual void PersColonne() {}
  virtual void ChiudiFrm() {}
  virtual void MenuFrm() {}
  // The print state shared by the list windows (1 while a list prints).
  virtual int oiStaAtt() const { return 0; }
  virtual void SetoiStaAtt(int piStaAtt) { (void)piStaAtt; }
};

// The button of toolbar `barra` whose tooltip opens with "(X)" for the key
// code of letter X; "" when none.
std::string TastoDaSuggerimento(const ui::Controllo* barra, int piKeyCode);

struct BottoneStd {
  const char* key;
  const char* caption;
  const char* tooltip;
  bool visibile;
};
// Adds to `barra` the buttons of `elenco` it does not have yet.
void AggiungiBottoni(ui::Controllo& barra, const std::vector<BottoneStd>& elenco);

namespace rowlib {
class ComandiLista;
}
// A list-print dialog: "Stampa" hands it the list commands before showing it.
class DialogoStampaLista {
 public:
  virtual ~DialogoStampaLista() = default;
  virtual void ImpostaComlin(rowlib::ComandiLista* pComlin) = 0;
};

// The concrete component (library BrolRowlib), reached by the form
// framework through the interface of the same name.
namespace rowlib {

class ComandiLista : public barre::ComandiLista {
 public:
  ComandiLista();
  ~ComandiLista() override;

  // ---- Componente
  vb::Variant ovLeggiPar(const std::string& psNome) const override;
  void SetovLeggiPar(const std::string& psNome, const vb::Variant& pvValore) override;

  // ---- set-up
  void Form(ui::Form& pfrm);
  void BarraStrumenti(ui::Controllo& ptol);
  void TestoContaRighe(ui::Controllo& ptxt);
  void Griglia(ui::Griglia& pdbg);
  void ControlloDati(ui::DatiControllo& pdat);
  void DatabaseDao(dati::GestDatabase& pdb, const std::string& psConn);
  void FormatoData(const std::string& psFormato) { formatoData_ = psFormato; }
  void Contesto(menu::ContestoProgramma& pContesto) { contesto_ = &pContesto; }
  void OpzioneAvvio(int piOpzione) { opzioneAvvio_ = piOpzione; }
  // A grid column index that is part of the rows' key ("Seleziona" hands
  // these columns to the record bar).
  void LeggiImpostazioneA(int piColonna);
  void LeggiImpostazioneB(bool pb) { impB_ = pb; }
  void ImpImmagini(const std::string& psTipo, ui::Controllo* pimgPiccole = nullptr, ui::Controllo* pimgGrandi = nullptr);
  // 1: rows may be added, changed and deleted; 0: read-only.
  void AbilScrittura(int piAbil);
  void NumChiave(int piAbil) { AbilScrittura(piAbil); }
  void ColonneFisse(int piNum) { colonneFisse_ = piNum; }
  void FormStampa(ui::Form* pfrm) { frmStampa_ = pfrm; }
  void FormStampaInCorso(ui::Form* pfrm) { frmStampaInCorso_ = pfrm; }
  ui::Form* FormStampaInCorso() const { return frmStampaInCorso_; }

  // ---- printing
  // The print object of the list.
  stampa::OggettoStampa& ogSta() { return *ogSta_; }
  // Prints the grid's rows: orientation 1 portrait, 2 landscape, -1 as the
  // options say; columns "T" all, "V" the visible ones ("" all). The font
  // may come back changed. Problems are told to the user.
  void AvviaStampa(ui::Carattere& pFont, int piOrientamento, const std::string& psColonne);

  // ---- query
  // Sets the query; with `pbFaiSql` it is read at once.
  void ImpSql(const std::string& psSql, const vb::Variant& = {}, bool = false, bool pbFaiSql = true);
  const std::string& Sql() const { return sql_; }
  // Reads the query when it is not open (first row current), lays the grid
  // out, and answers the current row and the row count.
  void Riapri(std::string& psCorr, std::string& psTot);
  // The rows shown (nullptr before the first query).
  dati::Recordset* Recordset() const;
  // The layer's manager and key of the rows.
  dati::GestRecordset& OggDati() { return rs_; }
  const std::string& ChiaveDati() const { return chiave_; }

  // ---- columns
  void FormatGriglia(bool pbRicrea = true, const std::string& = "M", int = 0, const std::string& psFormatoData = {});
  void DefinisciColonna(const std::string& psCampo, long plLarg, const std::string& psFormato = {});
  void ColonnaAiuto(const std::string& psCampo);
  void TitoloColonna(int piColonna, const std::string& psTitolo);
  void LargColonna(const vb::Variant& pvColonna, long plLarg);
  void ColonnaNascosta(const vb::Variant& pvColonna, int = 0, int = 0);
  int ColonnaSplit() const { return 1; }
  void SplitCambiato() {}
  // Grid column by heading or 0-based index; -1 when none.
  int IndiceColonna(const vb::Variant& pvColonna) const;
  // The key columns and their values on the current row.
  std::vector<std::pair<std::string, vb::Variant>> ChiaveRiga() const;

  // ---- commands
  // Runs `psKey`; answers 0 when done, 1 when not this object's or not
  // done, -1 to cancel a deletion the grid itself started.
  long EseguiTasto(const std::string& psKey, int piColonna = -1, bool pbDaGriglia = false);
  long EseguiTasto(const std::string& psKey, int piColonna, bool pbDaGriglia, vb::Variant& pvRis) {
    const long r = EseguiTasto(psKey, piColonna, pbDaGriglia);
    pvRis = static_cast<int32_t>(r);
    return r;
  }
  int OrdinaColonna(int piColonna, std::string& psSql);
  std::string ComandoDaTasto(int piKeyCode) const;
  std::string TastoPremuto(int piKeyCode) const { return ComandoDaTasto(piKeyCode); }

  // ---- grid events handed over by the window
  void RigaColCambiata(const vb::Variant& pvUltRiga, int piUltCol, int, std::string& psCorr, std::string& psTot);
  void ErroreDati(int piErrore, int& piRisposta, dati::Recordset* prs = nullptr);
  void Ridimensiona(bool = false, long piAltezza = 0, long plAreaUtile = 0);
  // The deferred work after the grid deleted a row itself: the counter and
  // the buttons follow the row it left current.
  void EventoTimer();
  void Cambiato() { cambiato_ = true; }
  void PrimaModCol(int piColonna, int piTasto, int& piCancel);
  void PrimaAggCol(int piColonna, const vb::Variant& pvVecchio, int& piCancel);
  void DopoAggCol(int piColonna) { (void)piColonna; cambiato_ = true; }
  bool PrimaAggiorna(bool = true);
  bool PrimaAggiorna(bool pb, vb::Variant& pvRis) {
    const bool r = PrimaAggiorna(pb);
    pvRis = r;
    return r;
  }
  // False while a changed row could not be stored (the user kept it).
  bool PuoChiudere();
  bool InModifica() const;
  // The row counter as "current / total" ("current / n+" while rows are
  // still to be read).
  void ContaRighe(std::string& psCorr, std::string& psTot) const;
  void AggiornaContatore();

  void ScriviVarLista(const std::string& psNome, int, const vb::Variant& pvValore) { SetovLeggiPar(psNome, pvValore); }
  vb::Variant LeggiVarLista(const std::string& psNome, int = 12) const { return ovLeggiPar(psNome); }

  ui::Form* FormLista() const { return form_; }
  ui::Griglia* GrigliaLista() const { return griglia_; }
  ui::Controllo* Barra() const { return barra_; }
  bool Scrivibile() const;

 private:
  void Apri();
  void Messaggio(const std::string& testo) const;
  void AbilitaBottoni();
  long Cancella(bool pbDaGriglia);
  long Stampa();
  bool Cerca();
  void Posiziona(long plRiga);
  ProtFormComlin* Prot() const;

  ui::Form* form_ = nullptr;
  ui::Controllo* barra_ = nullptr;
  ui::Controllo* contaRighe_ = nullptr;
  ui::Griglia* griglia_ = nullptr;
  ui::DatiControllo* dati_ = nullptr;
  dati::GestDatabase* db_ = nullptr;
  std::string conn_;
  std::string formatoData_ = "dd/mm/yyyy";
  menu::ContestoProgramma* contesto_ = nullptr;
  int opzioneAvvio_ = 0;
  std::vector<int> chiaviColonna_;
  bool impB_ = false;
  int abilScrittura_ = 0;
  int colonneFisse_ = 0;
  ui::Form* frmStampa_ = nullptr;
  ui::Form* frmStampaInCorso_ = nullptr;
  std::unique_ptr<stampa::OggettoStampa> ogSta_;
  dati::GestRecordset rs_;
  std::string chiave_;
  std::string sql_;
  std::string ordineColonna_;
  bool discendente_ = false;
  bool cambiato_ = false;
  long posCancellata_ = 0;
  std::map<std::string, vb::Variant> variabili_;
};

}  // namespace rowlib
}  // namespace barre
