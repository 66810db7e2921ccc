#pragma once
// The line page: binds a grid, its data control and the window's text
// boxes to the rows of one table, runs the page commands and calls its
// window back around each operation (`PersLPaPri` before, `PersLPaDop`
// after, for the codes the window switched on with `AbilHook`).
//
// Operations and the hooks around them (B before, A after):
// - a row shown: A16;
// - a new row ("Nuovo"): B8, the boxes take the defaults (fixed key parts
//   keep their value), A8, then A7 with (0) = 2 when the page was on a
//   stored row;
// - "Salva": B10, B3, the page's own checks, B13, the write, A13, A3, A10
//   with pvRit "" (a refused or failed save: A10 with the reason); a new row
//   stored then gives A7 with (0) = 1. `EseguiTasto` answers "" or the
//   reason, also when called by a hook from inside the save;
// - "Cancella": the question, B17, for every selected row (the current one
//   when none is selected) B19, the delete, A19; then A17 (pvRit "" when
//   all went), and A16 for the row shown after it;
// - "Annulla": the stored values again (a new row is dropped), then A4;
// - "VarKey": the key boxes of a stored row (fixed parts excepted) are
//   locked; the command opens them for the row shown and puts the focus on
//   the first, so that the next "Salva" writes the new key (a duplicate
//   key is refused as any save). Leaving the row locks them again;
// - "Trova" shows the window's search frame "FraCerca" (its box
//   "txtCerca"), or asks the text when the window has none; "Cerca" goes to
//   the next row, after the current one, whose grid cell in the current
//   column begins with that text (case not counted), leaving a changed row
//   as any move does; "Valore non trovato" when none;
// - `VarDati` asks B0 first: result 1 makes pvRit the whole answer; result
//   0 with pvRit "N-col,col" leaves those columns out of the comparison.
// Any hook's error is shown and stops the operation like a refusal. Codes
// 6 and 20 are accepted and never called.
//
// Our choices: a number box takes digits, at most the declared integer
// digits and decimals (negative only when the size is), with the Italian
// comma; a date box a real day; an empty box writes Null; what does not
// read refuses the save naming the field, its box in the error colour.
// Leaving a changed row (moves, "Aggiorna", closing) asks first.
#include <memory>
#include <string>
#include <vector>

#include "platform/Barre.h"
#include "platform/Currency.h"
#include "platform/Variant.h"
#include "platform/barre/ComandiLista.h"
#include "platform/dati/GestRecordset.h"

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

namespace barre {

// What a window with a line page answers it.
class ProtFormLinPag : public ProtFormComlin {
 public:
  virtual vb::Variant PersLPaPri(int piOper, vb::Variant& pvRit, std::vector<vb::Variant>& pvArray) = 0;
  virtual vb::Variant PersLPaDop(int piOper, vb::Variant& pvRit, std::vector<vb::Variant>& pvArray) = 0;
  std::string ColToSourceField(int) override { return {}; }
};

namespace gridlib {

// A bound field of the page.
class CampoRiga : public ui::Oggetto {
 public:
  std::string osNome;         // column, or "|sep|A|B|C"
  ui::Controllo* ctrl = nullptr;
  std::string osTitolo;       // grid caption
  std::string osColGriglia;   // grid column when it differs
  std::string osDescrizione;  // readable name
  int oiChiave = 0;           // 1 = part of the row key
  int oiTipoNum = -1;         // 3 integer, 4 long, 5 currency, 7 double; -1 not numeric
  int oiKeyFisso = 0;         // 2 = same for every row of the page
  std::string osAzzCampo;     // value of a new row
  vb::Currency odDim;         // n.d: digits, decimals; negative = negatives accepted
  int oiObblig = 0;
  std::string osMaschera;
  std::string osFormatoGriglia;
  int oiNascosto = 0;
  // the parts of a composite and its separator
  std::vector<std::string> parti;
  std::string sep;
  // the text last shown or stored
  std::string testoMostrato;

  std::string Nome() const { return osDescrizione.empty() ? osNome : osDescrizione; }
};

class PaginaRighe : public barre::PaginaRighe {
 public:
  PaginaRighe();
  ~PaginaRighe() override;

  // ---- Barre.h
  vb::Variant ovLeggiPar(const std::string& psNome) const override;
  void SetovLeggiPar(const std::string& psNome, const vb::Variant& pvValore) override;
  int oiAbilRW() const override { return abilRW_; }
  void SetoiAbilRW(int piValore) override;
  std::string TastoPremuto(int piKeyCode) override { return TastoDaSuggerimento(barra_, piKeyCode); }
  void RecCorrSuTot(std::string& psCorr, std::string& psTot) override;

  // ---- set-up
  void Form(ui::Form& pfrm);
  void BarraStrumenti(ui::Controllo& ptol);
  void Database(dati::GestDatabase& pdb) { db_ = &pdb; }
  void ChiaveDb(const std::string& psConn) { conn_ = psConn; }
  void TestoContaRighe(ui::Controllo& ptxt) { contaRighe_ = &ptxt; }
  void Griglia(ui::Griglia& pdbg);
  void ControlloDati(ui::DatiControllo& pdat);
  void NomeTabella(const std::string& psNome) { tabella_ = psNome; }
  void FormatoData(const std::string& psFormato) { formatoData_ = psFormato; }
  // The 17 arguments of a field: column, control, grid caption, grid
  // column, description, key part, numeric type, fixed key part, two
  // constants, default, size, mandatory, mask, grid format, a constant,
  // hidden in the grid (-1).
  CampoRiga& DefinisciCampo(const std::string& psNome, ui::Controllo& pCtrl, const vb::Variant& pvTitolo = {},
                            const vb::Variant& pvColGriglia = {}, const vb::Variant& pvDescrizione = {}, int piChiave = 0,
                            int piTipoNum = -1, int piKeyFisso = 0, int = -1, int = 0, const std::string& psAzzCampo = {},
                            vb::Currency pdDim = {}, const vb::Variant& pvObblig = {}, const std::string& psMaschera = {},
                            const vb::Variant& pvFormatoGriglia = {}, int = 2, int piNascosto = 0);
  void Contesto(void*) {}
  void CtrlPrimoCampo(ui::Controllo& p) { primo_ = &p; }
  void CtrlSecondoCampo(ui::Controllo& p) { secondo_ = &p; }
  ui::Controllo* CtrlSecondoCampo() const { return secondo_; }
  void ColoreTesto(long v) { coloreTesto_ = v; }
  void ColoreTestoDisab(long v) { coloreTestoDisab_ = v; }
  void ColoreErrore(long v) { coloreErrore_ = v; }
  void ColoreSfondo(long v) { coloreSfondo_ = v; }
  void AbilHook(int piCodice, bool pbAbil);
  void OpzioneAvvio(int piOpzione) { opzioneAvvio_ = piOpzione; }
  void ImpImmagini(const std::string& psTipo, ui::Controllo* = nullptr, ui::Controllo* = nullptr) {
    SetovLeggiPar("TipoIcone", psTipo);
  }
  // Opens the rows of `psSql` and shows the first (a new row when none).
  void ApriRighe(const std::string& psSql, const vb::Variant& = {}, int = -1, int = 3);
  void ImpPersonal(const std::string& psSql) { ApriRighe(psSql); }

  // ---- state
  // 1 a stored row is current, 2 a new row not stored yet.
  int Stato() const { return stato_; }
  vb::Variant VarDati(int = -1);
  std::string SalvaRiga() { return EseguiTasto("Salva"); }
  // The checks of the current row: "" when it passes, else the first
  // reason, shown to the user too when pbMostra.
  std::string VerificaRiga(bool pbMostra = false);
  bool PuoChiudere();
  int Cambiato() const { return cambiato_ ? 1 : 0; }
  dati::GestRecordset& OggDati() { return rs_; }
  const std::string& ChiaveDati() const { return chiave_; }
  dati::Recordset* Recordset() const;
  CampoRiga& Campi(const std::string& psColonna);
  bool HaCampo(const std::string& psColonna) const;
  const std::vector<std::unique_ptr<CampoRiga>>& Elenco() const { return campi_; }
  // Reads the rows again staying at the same place; Riposiziona goes back
  // to the same row by its key (changes made by SQL meanwhile are seen).
  void Rileggi();
  void Riposiziona();
  void Riposiziona(bool, long = -1, int = 0, long = -1, long = -1) { Riposiziona(); }
  // Insert at a position.
  void ImpInsPosizione(int v) { insModo_ = v; }
  void ImpPosInserimento(long v) { insPos_ = v; }
  void ImpRigaInserimento(long v) { insRiga_ = v; }
  int InsModo() const { return insModo_; }
  void ImpInsModo(int v) { insModo_ = v; }
  long PosInserimento() const { return insPos_; }
  long InsPos() const { return insPos_; }
  void ImpInsPos(long v) { insPos_ = v; }
  long RigaInserimento() const { return insRiga_; }
  // The same three, under the names the line windows use.
  void ImpPermessoA(int v) { insModo_ = v; }
  void ImpPermessoB(long v) { insPos_ = v; }
  void ImpPermessoC(long v) { insRiga_ = v; }
  void ImpInsRiga(long v) { insRiga_ = v; }
  // The rows the user selected (bookmarks); "Cancella" deletes them, or the
  // current row when none is selected.
  // A window may fill it itself; the grid's selection fills it through
  // SelCambiata.
  std::vector<std::string>& SelBookmarks() { return selezione_; }

  // ---- fields
  void CampoGotFocus(ui::Controllo& c);
  void CampoLostFocus(ui::Controllo& c);
  void CampoGotFocus(const std::string& psColonna, const std::string& = {}) { CampoGotFocus(*Campi(psColonna).ctrl); }
  void CampoLostFocus(const std::string& psColonna, const std::string& = {}) { CampoLostFocus(*Campi(psColonna).ctrl); }
  vb::Variant ValoreCampo(const std::string& psColonna);
  void PulisciRiga(int = 0) { Azzera(); }
  ui::Controllo* CtrlIniziale() const { return secondo_ ? secondo_ : primo_; }
  ui::Controllo* CtrlFuoco() const { return CtrlIniziale(); }
  void AbilRW(int v) { SetoiAbilRW(v); }
  void ImpAbilRW(int v) { SetoiAbilRW(v); }
  // The row counter's two texts, after a change of mode.
  void ImpAbilRW(std::string& psCorr, std::string& psTot) { RecCorrSuTot(psCorr, psTot); }
  vb::Variant LeggiVarPagina(const std::string& psNome, int = 12) const { return ovLeggiPar(psNome); }
  void ScriviVarPagina(const std::string& psNome, int, const vb::Variant& pv) { SetovLeggiPar(psNome, pv); }

  // ---- commands
  std::string EseguiTasto(const std::string& psKey);
  std::string EseguiTasto(const std::string& psKey, vb::Variant& pvRis) {
    std::string r = EseguiTasto(psKey);
    pvRis = r;
    return r;
  }

  // ---- grid
  void RigaColCambiata(const vb::Variant& = {}, int = 0, int = 0);
  void RigaColCambiata(const vb::Variant& pv, int pc, int pf, std::string& psCorr, std::string& psTot) {
    RigaColCambiata(pv, pc, pf);
    RecCorrSuTot(psCorr, psTot);
  }
  // The grid's selection changed: its selected rows become the page's
  // (a new row not stored yet keeps none); piCancel is left alone.
  void SelCambiata(int& piCancel);
  // The window was resized: the grid keeps its place and takes the width
  // left to it; the boxes stay where the window put them.
  void Ridimensiona(bool = false, long = 0, long = 0);
  void EventoTimer() {}
  void FormatGriglia(int = -1, const std::string& = "M", int = 0, const std::string& = {});
  void LargColonna(const vb::Variant& pvColonna, long plLarg, const vb::Variant& = {});
  void NascondiColonna(const vb::Variant& pvColonna, int = 0, int = 0);
  // The number format of a grid column (named as NascondiColonna names it).
  void FormatColonna(const vb::Variant& pvColonna, const std::string& psFormato);
  void TitoloColonna(const vb::Variant& pvColonna, const std::string& psTitolo);

 private:
  bool ColonnaNominata(int i, const vb::Variant& pvColonna) const;
  ProtFormLinPag* Prot() const;
  bool Abil(int c) const;
  // Calls a hook; false (with the reason in `psMotivo`) when it stops.
  bool Prima(int piOper, vb::Variant& pvRit, std::vector<vb::Variant>& pvArray, std::string& psMotivo);
  void Dopo(int piOper, vb::Variant& pvRit, std::vector<vb::Variant> pvArray = {});
  void Dopo(int piOper, const vb::Variant& pvRit = "", std::vector<vb::Variant> pvArray = {}) {
    vb::Variant r = pvRit;
    Dopo(piOper, r, std::move(pvArray));
  }
  void MostraRiga();
  void Azzera();
  std::string Nuovo();
  std::string Salva();
  std::string Cancella();
  std::string Annulla();
  std::string Muovi(const std::string& psKey);
  std::string VarKey();
  std::string Trova();
  std::string Cerca(const std::string& psTesto);
  // Locks the key boxes of a stored row unless "VarKey" opened them.
  void BloccaChiavi();
  // Asks about pending changes before leaving the row: "" to go on.
  std::string LasciaRiga();
  void CambiaStato(int piNuovo);
  std::string TestoDa(const CampoRiga& c, const vb::Variant& v) const;
  // The value of a box for its column; false with the reason when it does
  // not read.
  bool ValoreDa(const CampoRiga& c, std::vector<std::pair<std::string, vb::Variant>>& out, std::string& psMotivo) const;
  void AggiornaContatore();
  // With an insert position, the grid scrolls so that the row being
  // inserted (or just stored) sits on the grid row asked for.
  void MettiInVista();
  void Messaggio(const std::string& testo) const;
  int TipoColonna(const std::string& col) const;
  std::string CampoDi(const std::string& psColonna) const;

  ui::Form* form_ = nullptr;
  ui::Controllo* barra_ = nullptr;
  ui::Controllo* contaRighe_ = nullptr;
  ui::Griglia* griglia_ = nullptr;
  ui::DatiControllo* dati_ = nullptr;
  ui::Controllo* primo_ = nullptr;
  ui::Controllo* secondo_ = nullptr;
  dati::GestDatabase* db_ = nullptr;
  std::string conn_, tabella_, formatoData_ = "dd/mm/yyyy", sql_;
  std::vector<std::unique_ptr<CampoRiga>> campi_;
  std::vector<bool> hook_ = std::vector<bool>(32, false);
  long coloreTesto_ = 0, coloreTestoDisab_ = 0x808080, coloreErrore_ = 0x0000FF,
       coloreSfondo_ = static_cast<long>(0x80000005);
  int opzioneAvvio_ = 0;
  int abilRW_ = 1;
  int stato_ = 0;
  bool cambiato_ = false;
  int insModo_ = 0;
  long insPos_ = -1, insRiga_ = -1;
  std::vector<std::string> selezione_;
  std::string segnoPrimaNuovo_;
  dati::GestRecordset rs_;
  std::string chiave_;
  bool inMostra_ = false;
  // Counts the times the boxes were filled again (a row shown, cleared for
  // a new one): a hook that ran "Annulla" or moved the page inside a save
  // is seen by it.
  unsigned long mostrate_ = 0;
  bool chiaviAperte_ = false;
  std::vector<std::pair<std::string, vb::Variant>> variabili_;
};

}  // namespace gridlib
}  // namespace barre
