#pragma once
// "Dettagli DDT": the lines of one DDT. The header opens it (GestDettaglio)
// once the DDT is locked and its committed rows are copied into the
// working tables; every insertion, change, move, cut, copy, paste and
// deletion then works on the working copies (DdtDettApp, DdtLivApp,
// DdtMatrApp, DdtRintracciaApp) through the line page `ogLinPag`, which
// calls the window's hooks `PersLPaPri` / `PersLPaDop` around each of its
// operations. Closing commits the copies (UtilDocFattGest::SalvaDocApp) or
// discards them, empties the working rows unless the commit failed, and
// calls the opener back through ProtSottoForm::DopoSottoForm.
//
// Contract with the opener: every input (ParDettaglio, whose members this
// window inherits under their own names) is set before Load; `oiAbilRW`
// after it (SetoiAbilRW acts on the toolbar and the page). The opener stays
// disabled until the callback and holds the document lock meanwhile; this
// window never releases that lock.
//
// Every bound control is an element of `txt` / `lab` whose index is the
// field number; `label1`(n) its caption, `ComHlp`(n) its look-up button,
// `cob`(n) / `che`(n) the combo or check box through which the user sets
// the hidden box `txt`(n). `masNomeCampo`(n) is the column of field n.
//
// The procedures are split into files by concern:
//   frmDDTDett.cpp            members, by-name access, read/write mode
//   frmDDTDett_Controlli.cpp  the controls and their places
//   frmDDTDett_Carica.cpp     load: settings, header panel, toolbar
//   frmDDTDett_Campi.cpp      the field table and its code tables
//   frmDDTDett_Voce.cpp       line-kind, entry and exit of the fields the
//                             grid needs (completed by the line entry)
//   frmDDTDett_Prima.cpp      before-hooks: changes, save, new line, delete
//   frmDDTDett_Dopo.cpp       after-hooks
//   frmDDTDett_Numeri.cpp     line numbering
//   frmDDTDett_Query.cpp      the grid's query, column metadata
//   frmDDTDett_Colonne.cpp    personal columns
//   frmDDTDett_OrdIns.cpp     personal entry order
//   frmDDTDett_Totali.cpp     the totals strip
//   frmDDTDett_Comandi.cpp    commands, close and menu
//   frmDDTDett_Tasti.cpp      keyboard map
//   frmDDTDett_Timer.cpp      deferred steps
//   frmDDTDett_Incolla.cpp    cut, copy and paste
//   frmDDTDett_Griglia.cpp    grid events, tab pages, resizing
//   frmDDTDett_Chiudi.cpp     the unload: commit or discard
//   src/levels/frmDDTDett_*.cpp    the line's variant levels
//   src/lots/frmDDTDett_*.cpp      its lots, serial numbers, batch/lot split
//   src/lineaids/frmDDTDett_*.cpp  reader-file imports, eco-fee lines, reorder
//   frmDDTDett_Uscita.cpp     the exit hub of the line fields
//   frmDDTDett_Fuoco.cpp      field entry, function keys, look-ups
//   frmDDTDett_Articolo.cpp   the article shown and the line's defaults
//   frmDDTDett_Decodifiche.cpp  VAT, unit, account, cost centre decoders
//   frmDDTDett_Prezzi.cpp     price search, price and amount
//   frmDDTDett_Sconti.cpp     discount chain and promotions
//   frmDDTDett_Tipi.cpp       mandatory fields, terminal limits
//   frmDDTDett_Bottoni.cpp    kind buttons, combos, check boxes
//   frmDDTDett_Dimensioni.cpp quantity from dimensions
//   frmDDTDett_Giacenza.cpp   stock and availability
//   frmDDTDett_Competenza.cpp accrual dates and notes in other languages
#include <array>
#include <cstdint>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "common/DatiTestataForm.h"
#include "platform/Variant.h"
#include "platform/barre/PaginaRighe.h"
#include "platform/dati/GestRecordset.h"
#include "platform/ui/Form.h"

namespace ui {
class Griglia;
class DatiControllo;
}  // namespace ui
class FrmCompetenza;
class frmGestLivelli;
class ApriLivelli;
class frmMovTracc;
class ProtApreTracc;
class frmNotaLingua;
class frmSelIniCarFile;
namespace lettura {
struct Tracciato;
class FileRighe;
}  // namespace lettura

class frmDDTDett : public ui::Form, public ParDettaglio, public barre::ProtFormLinPag {
 public:
  frmDDTDett();
  ~frmDDTDett() override;

  // The window of this process, created on first use (the legacy global
  // form); Rilascia drops it (tests, the end of the program).
  static frmDDTDett& Istanza();
  static bool Creata();
  static void Rilascia();

  // ---- opening, as the header runs it
  // The inputs, then Load (the set-up), then the read/write mode.
  void Apri(ProtSottoForm& pOpener, const ParDettaglio& pPar);
  ProtSottoForm* Opener() const { return mpOpener; }

  // ---- read/write mode (a property: setting it acts on the toolbar)
  int16_t LeggioiAbilRW() const { return oiAbilRW; }
  void SetoiAbilRW(int16_t piValore);

  // ---- the line page; created on first use, released by the unload
  barre::gridlib::PaginaRighe& ogLinPag();
  bool HaPagina() const { return mpLinPag != nullptr; }

  // ---- line-page protocol
  vb::Variant PersLPaPri(int piOper, vb::Variant& pvRit, std::vector<vb::Variant>& pvArray) override;
  vb::Variant PersLPaDop(int piOper, vb::Variant& pvRit, std::vector<vb::Variant>& pvArray) override;
  vb::Variant ovField(int piColIndex, const std::string& psProprieta) override;
  std::string ovfrmBookmark() const override { return msBookmark; }
  void SetovfrmBookmark(const std::string& psBookmark) override;
  void DatRefresh() override;
  void PersColonne() override;
  void ChiudiFrm() override;
  void MenuFrm() override;

  // ---- before-hooks (frmDDTDett_Prima.cpp)
  // Code 0: what changed; 3 field checks; 10 save; 13 write; 8 new line;
  // 17 delete of the selection; 19 delete of one row.
  vb::Variant PrimaVarDati(vb::Variant& pvRit);
  vb::Variant PrimaControlli(vb::Variant& pvRit);
  vb::Variant PrimaSalva(vb::Variant& pvRit);
  vb::Variant PrimaScrivi(vb::Variant& pvRit);
  vb::Variant PrimaNuovo(vb::Variant& pvRit);
  vb::Variant PrimaCancSel(vb::Variant& pvRit);
  vb::Variant PrimaCancRiga(vb::Variant& pvRit);

  // ---- after-hooks (frmDDTDett_Dopo.cpp)
  void DopoAnnulla(vb::Variant& pvRit);
  void DopoCambioStato(vb::Variant& pvRit, std::vector<vb::Variant>& pvArray);
  void DopoNuovo(vb::Variant& pvRit);
  void DopoSalva(vb::Variant& pvRit);
  void DopoScrivi(vb::Variant& pvRit);
  void DopoMostra(vb::Variant& pvRit);
  void DopoCancSel(vb::Variant& pvRit);

  // ---- numbering (frmDDTDett_Numeri.cpp)
  vb::Variant RicUltNum();
  vb::Variant SpostaRighe(const std::string& psCampo, const std::string& psFile, int16_t piNumRecIni,
                          int16_t piNumMuovi, int32_t& plSpostatmp, const vb::Variant& pvCopiaTaglia = vb::Missing);
  vb::Variant RenumRighe(dati::GestRecordset& pgRecDat, const std::string& psRecDat, const std::string& psCampo,
                         int16_t piNumRecIni);

  // ---- grid query and columns (frmDDTDett_Query.cpp, _Colonne.cpp)
  vb::Variant PrepSql();
  vb::Variant NomeColEspr(const std::string& psNomeCampo);
  vb::Variant AggCampoNonPers(const std::string& psNomeCampo, const std::string& psCampoAs);
  void DettOrdCol();

  // ---- entry order (frmDDTDett_OrdIns.cpp)
  void DettOrdIns();
  void DettOrdInsTab();
  void DettOrdInsRip();

  // ---- totals (frmDDTDett_Totali.cpp)
  void CalcTotDocum();

  // ---- commands (frmDDTDett_Comandi.cpp)
  vb::Variant ButtonComando(const std::string& psKey);
  void tollinPag_ButtonClick(const std::string& psKey) { ButtonComando(psKey); }

  // ---- keys and deferred steps (frmDDTDett_Tasti.cpp, _Timer.cpp)
  void Form_KeyDown(int& KeyCode, int Shift) override;
  void Form_KeyPress(int& KeyAscii) override;
  void timLinPag_Timer();
  // Arms the deferred step: the next tick of timLinPag runs it.
  void ArmaTimer(int16_t piStato);

  // ---- cut, copy and paste (frmDDTDett_Incolla.cpp)
  void CopiaTagliaDett(int16_t piCopiaTaglia);
  vb::Variant AzzeraCopiaTaglia();
  void IncollaDett();
  void IncollaDaTaglia(const std::string& psCampo, const std::string& psFile);
  vb::Variant IncollaDaCopia(const std::string& psCampo, const std::string& psFile);
  int32_t FlaggatiPrimaDiPunt(int32_t& plPrimaDaSpost, const std::string& psCampo, const std::string& psFile);

  // ---- grid events, pages, resizing (frmDDTDett_Griglia.cpp)
  void ComTipoRic_Click();
  void ColBackAutoSalva();
  void dbgRiga_DblClick();
  void dbgRiga_RowColChange(const vb::Variant& LastRow, int LastCol);
  void dbgRiga_SelChange(int& Cancel);
  void Form_Resize() override;
  void TasPagine_Click();
  void SistemaPagina(int16_t piCorrente, bool pbSetFocus);
  void TextSpost_Click(int Index);
  void TextSpost_GotFocus(int Index);
  void PosDoppioClick();
  void AggVisRighe(int32_t& plRipoRiga);

  // ---- the unload (frmDDTDett_Chiudi.cpp)
  void Form_QueryUnload(int& Cancel, int UnloadMode) override;
  void Form_Unload(int& Cancel) override;

  // ---- line entry the grid needs (frmDDTDett_Voce.cpp); the rest of the
  // line entry (decoders, pricing) completes these files
  void txt_GotFocus(int Index);
  void txt_LostFocus(int Index);
  void GotTxtActive();
  void LostTxtActive();
  void VisualDettDescr(bool pbFocus);
  void AggNonText();
  void ComTipoRiga_Click(int Index);
  int16_t DettNonCanc(std::string& psTesto);
  void CompletaInserisci(std::string& psKey);
  void AnnullaIns(bool pbSempre);
  // Called by the hooks; what the line entry shows of the current line.
  void MostraArticolo(bool pbRicArt, bool pbHelp, bool pbFaiHelp, bool pbMostraLiv);
  void MostraIva(bool pbFaiHelp);
  void MostraUM(bool pbFaiHelp);
  void MostraCentroDiCosto(bool pbFaiHelp);
  void MostraTipoDocProv(bool pbFaiHelp);
  void MostraBeneUsato();
  void MostraCRicavi(bool pbModif, bool pbFaiHelp, const std::string& psTxtHelp);
  void MostraScontoTot(bool pbAggPrezzo, bool pbAggProvvAge);
  void AbilDescArt(bool pbAbil);
  void AbilDisabArtRiepil(bool pbAbilDisab);
  void DisabSeLivelli(bool pbFocus, bool pbModArt);
  void AzzMemSconti();
  void ChiediNotaLingua();

  // ---- variant levels (src/levels/frmDDTDett_*.cpp)
  bool GestLivelli(bool pbMessaggi);
  void DopoGestLivelli();
  void NascondiPicLiv();
  void AbilLivelliCrea();
  // The level panel for the current line: True when it serves the line
  // (its one level row, if any, shown), False when the line is the level
  // editor's or its article is in error.
  bool LivelloUnico();
  // Writes the line's one level row from the panel; True when written.
  bool SalDatiLiv();
  // The level editor's closing: the rows' totals and its discount memory
  // into the line, then the line saved; the answer of "Salva".
  vb::Variant AggQtaPrzLivelli(double pdQta, double pdPrezzo, const struct ScontiLivelli& pfrm);
  // The open level editor, for the menu's "fine": 1 list, 2 matrix, 0 none.
  int16_t oiInDeLiv = 0;
  // The line window as the level editors read it (levels/ProtRigaLivelli.h).
  class ProtRigaLivelli& RigaLivelli();

  // ---- variant levels (state)
  // The line and its data pages disabled while an editor is open.
  void DisabilitaPerLivelli();
  std::shared_ptr<ProtRigaLivelli> mpRigaLivelli;
  // The list editor open now and the one closed last (still inside its
  // own unload when it calls the line back).
  std::shared_ptr<class frmDDtDeLiv> mfrmDeLiv, mfrmDeLivChiuso;
  // The matrix editor while it is open, its opener over this window, and
  // the one closed last (its callback runs inside its own unload).
  std::shared_ptr<frmGestLivelli> mfrmMatrice, mfrmMatriceChiusa;
  std::shared_ptr<ApriLivelli> mpApriMatrice;

  // ---- lot traceability (src/lots/frmDDTDett_Tracc*.cpp)
  bool GestTracc(bool pbMessaggi, bool pbDaInsNonCtrl);
  void DopoGestTracc();
  // The traceability window while it is open (or last closed), for tests.
  frmMovTracc* FormTracc() const;

  // ---- lot traceability (state)
  std::shared_ptr<frmMovTracc> mfrmTracc, mfrmTraccChiusa;
  std::shared_ptr<ProtApreTracc> mpApreTracc;

  // ---- serial numbers, batch/lot split (src/lots/frmDDTDett_Matr*.cpp, _Part*.cpp)
  bool GestMatricole(bool pbMessaggi);
  void DopoGestMatricole();
  // Serials read from a reader file. The line of article psNewArt that
  // should take the next serial (plRigLiv -1), or line plRigLiv itself: its
  // RigLiv, -1 none; psRecArt is left open in pgRecDat on that line (the
  // recordset of the previous call on the same key is closed first).
  int32_t MatrRigLiv(const std::string& psNewArt, dati::GestRecordset& pgRecDat, std::string& psRecArt,
                     int32_t plRigLiv);
  // Stores the serial on line plRigLiv; with pbAggQta raises the line's
  // quantity to its number of serials (never lowers it) and prices it again.
  void MatrIns(int32_t plRigLiv, const std::string& psMatricola, bool pbAggQta, dati::GestRecordset& pgRecDat,
               const std::string& psRecArt, const std::string& psLivGruppo1, const std::string& psLivGruppo2);
  // A new article line entered and saved as if typed (psTipoCod "B" a
  // barcode; piQualeImp 1 pdImp the amount, 2 the unit price, 0 none):
  // Empty, or the error's number.
  vb::Variant InsDettArt(const std::string& psArticolo, const std::string& psTipoCod, double pdQta, double pdImp,
                         int16_t piQualeImp);
  // The minimum length of serial codes (the header's "MatrLungMin").
  void SetoiMatrLungMin(int16_t piMatrLungMin) { oiMatrLungMin = piMatrLungMin; }
  // One code read: "A" article code, "B" barcode, "M" serial number whose
  // article is psNewArt ("" skip it); plRigLiv a line of this DDT, -1 any.
  std::string MatrTipoCod(const std::string& psArticolo, std::string& psNewArt, std::string& psLivGruppo1,
                          std::string& psLivGruppo2, int32_t& plRigLiv);
  // The article of the line last worked on (asking with psTipoRic when the
  // new line has none; "" asks nothing).
  std::string ArtUltRiga(const std::string& psMatricola, const std::string& psTipoRic, std::string& psLivGruppo1,
                         std::string& psLivGruppo2, int32_t& plRigLiv);
  // One candidate article of a serial used for several articles: true when
  // the choice is made.
  bool VerificaMulti(dati::GestRecordset& pgRecDat, const std::string& psRecDat, bool& pbNoCompat,
                     const std::string& psArticolo, std::string& psNewArt, std::string& psLivGruppo1,
                     std::string& psLivGruppo2, const std::string& psMovTipOpePrec, const std::string& psMovTipOpeSucc,
                     bool pbVerSucc, std::string& psArtUnico, int32_t& plRigLiv, const std::string& psMatricola,
                     const vb::Date& ptUltData);
  // Asks the article of a serial and waits: the article confirmed, "" when
  // cancelled (also when the question goes any other way).
  std::string ChiediArt(const std::string& psMatricola, const std::string& psTipoRic, const std::string& psArticolo,
                        const std::string& psStato, bool pbEnabArt, bool pbNonUlt, const vb::Date& ptUltData,
                        const std::string& psUltTipOpe, std::string& psLivGruppo1, std::string& psLivGruppo2);
  bool obInRichMatr = false;
  // The last question ended without its buttons (the window closed another
  // way, the program's end): the reading of the file stops.
  bool mbRichMatrInterrotta = false;
  // The split of the current line by batch and lot.
  void ComPartLotti_Click();
  void DopoPartLotti();
  vb::Variant AddPartLotti(const std::string& psCampo, const std::string& psFile, int16_t piRigheAdd);
  void AggRecPartLott(dati::GestRecordset& pgRecDat, const std::string& psRecDat, int16_t piRiga, double& pdOrdPrec,
                      double pdOrdTot);
  void DopoCercaPartita(bool pbOk);
  // ---- serial numbers, batch/lot split (state)
  // The serial-import layout in use (set by the import when it is chosen).
  struct LayoutMatricole {
    std::string codArtInizIdent, codArtSeqRic, addArtPrima, addArtDopo, matrSuUltRiga;
    int16_t matrLungMin = 0;
    bool segnalNonUlt = true;
  };
  LayoutMatricole oLayMatr;
  std::shared_ptr<class frmMatrArt> mfrmMatrArt;
  std::shared_ptr<class frmPartLottoDiv> mfrmPartLottoDiv, mfrmPartLottoDivChiuso;
  std::shared_ptr<class frmLisPartLot> mfrmLisPartLot, mfrmLisPartLotChiuso;

  // ---- line aids: reader files, eco-fee lines, reorder lists (src/lineaids/frmDDTDett_*.cpp)
  void ImpLetDaFile(const std::string& psLettArtDafile, bool pbDisTool);
  void ImpLetDaFileMatr(const std::string& psLettArtDafile, bool pbDisTool);
  void LeggiDaFileBarCode();
  void LeggiDaFileMatricole();
  void FineLetCodBar();
  void FineLetMatr(bool pbAgg);
  void AggDaOrdi();
  void RicDaOrdi();
  void CancRigaRAEE(const std::string& psArtRaee);
  void AggRigaRAEE();
  void AggSelRAEE();
  void InsVarRigaRAEE();
  void CreaRigArtRAEE();
  void DopoInsVarRigaRAEE();
  std::string LeggiCampo(const std::string& psRiga, int16_t piNumCampo);
  std::string LeggiCampoApici(const std::string& psRiga, int16_t piNumCampo);
  vb::Variant AggDettArt(std::string& psArticolo, double pdQta, double pdImp, int16_t piQualeImp);
  bool DecArtDaCodBar(dati::GestRecordset& pgRecDat, std::string& psRecDat, const std::string& psArticolo,
                      bool pbCercaCodBarre);
  bool AggSelRigLiv(int32_t plRigLiv);
  // The same for a line of that RigLiv whose article is psArtRaee.
  bool AggSelRigLivArt(int32_t plRigLiv, const std::string& psArtRaee);
  bool LeggiFileDaOrdi(std::string& psRecDat, dati::GestRecordset& pgRecDat, const std::string& psArticolo);
  void ScriviDaOrdi(const std::string& psFile, const std::string& psArticolo, const std::string& psDescr,
                    const vb::Variant& pvQta, const std::string& psNote);
  void tolLinPag_MouseUp(int Button, int Shift, float X, float Y);
  void MostraSceIniLetFile(const std::string& psDaChi);
  void DopoSceIniLetFile(const std::string& psDaChi);
  // ---- line aids (state)
  // The article import's layout in use and its section; the serial
  // import's section (its layout is the serial routines').
  std::shared_ptr<lettura::Tracciato> mpLettArt;
  std::string msLettArtParag, msLettMatrParag;
  // The reader file being imported: owned by this window, never a number
  // shared with anything else.
  std::shared_ptr<lettura::FileRighe> mpFileLettura;
  // The layout chooser while it is open.
  std::shared_ptr<frmSelIniCarFile> mfrmSelIniCarFile;
  // The eco-fee line being inserted after a stored article line: the
  // article line's RigDet.
  int32_t mlRigDetArtRaee = 0;
  // The new article line whose eco-fee line is pending: its RigLiv, so that
  // a pending line that is never stored can be unlinked.
  int32_t mlRigLivArtRaee = 0;
  // Set while CreaRigArtRAEE saves the eco-fee row from code.
  bool mbNoEventiRaee = false;

  // ---- events of the control model
  void Form_Load() override;
  void Click(ui::Controllo& c) override;
  void DblClick(ui::Controllo& c) override;
  void GotFocus(ui::Controllo& c) override;
  void LostFocus(ui::Controllo& c) override;
  void KeyUp(ui::Controllo& c, int& KeyCode, int Shift) override;
  void Timer(ui::Controllo& c) override;
  void ButtonClick(ui::Controllo& barra, const std::string& key) override;
  void RowColChange(ui::Controllo& g, const vb::Variant& LastRow, int LastCol) override;
  void SelChange(ui::Controllo& g, int& Cancel) override;

  vb::Variant LeggiPerNome(const std::string& nome) override;
  void ScriviPerNome(const std::string& nome, const vb::Variant& valore) override;
  vb::Variant ChiamaPerNome(const std::string& nome, std::vector<vb::Variant>& argomenti) override;
  ui::Oggetto* OggettoPerNome(const std::string& nome) override;

  // ---- controls by field number
  ui::Controllo& txt(int n) const { return C("txt", n); }
  ui::Controllo& lab(int n) const { return C("lab", n); }
  ui::Controllo& label1(int n) const { return C("label1", n); }
  ui::Controllo& cob(int n) const { return C("cob", n); }
  ui::Controllo& che(int n) const { return C("che", n); }
  ui::Controllo& tolLinPag() const { return C("tolLinPag"); }
  ui::Controllo& timLinPag() const { return C("timLinPag"); }
  ui::Griglia& dbgRiga() const;
  ui::DatiControllo& datRiga() const;
  // Creates every control of the window (the constructor).
  void CreaControlli();
  // The field table: masNomeCampo and the page's field declarations.
  void DefinisciCampi();
  // The two code tables of the combos.
  void CaricaCodici();
  // The column of field n ("" when none).
  const std::string& NomeCampo(int n) const;

  // The document's key as the header panel holds it.
  int16_t AnnoDoc() const;
  int32_t NumRifDoc() const;

  // =====================================================================
  // State shared by the window's procedures. Public so that the tests read
  // it as the window's own code does.

  // ---- field table
  std::array<std::string, 921> masNomeCampo{};
  // Per field, the text on entry; "~ç§@*+" when the box was in error.
  std::array<std::string, 921> masValIngresso{};
  std::array<vb::Variant, 4> mavStampaNota{};
  std::array<vb::Variant, 9> mavComandiRiga{};

  // ---- per opening (given their values by the load)
  int16_t miInAggNonText = 0;
  int16_t miChiusuraDaPagina = 0;
  bool mbInChiusura = false;
  bool mbSalvaInUscita = true;
  bool mbArtDaAiuto = false;
  int16_t miStatoTimer = 0;
  int16_t miRigaArtMostrata = -1;
  int32_t mlInsPosizSalv = 0;
  int16_t miInsRigaSalv = 0;
  int16_t miRigaIns = 0;
  bool mbInsInMezzo = false;
  int16_t miRipresaTracc = 0;
  int16_t miRipresaLivelli = 0;
  bool mbCampiLivAbil = true;
  int16_t oiLivelliCrea = 0;
  int16_t miPaginaAttiva = -1;
  int16_t miArtMostrato = -1;
  double mdValTotalePrec = 0, mdQtaPrec = 0;
  int16_t miNoEventiGriglia = 0;
  bool mbCodBarSalvato = false;
  long mlColoreArticolo = 0;
  bool mbLetturaFile = false;
  int16_t miFileLettura = 0;
  bool mbLetturaMatr = false;
  int16_t miFileLetturaMatr = 0;
  bool mbRaeeDaCreare = false;
  int16_t miStatoRaee = 0;
  double mdQtaRaee = 0;
  int32_t mlRigLivRaee = 0;
  bool mbAggLivelli = false;
  bool mbRinumera = false;
  bool mbInComando = false;
  std::string osSegnalGiac;
  bool mbOrdInsPers = false;
  bool mbColPers = false;
  std::string msLivello1Salvato, msLivello2Salvato;
  std::string msTipoRigaPrec = "A";
  bool mbVerifStampato = false;
  int16_t miCopiaTaglia = 0;
  long mlPicLivTop = 0, mlPicLivLeft = 0;
  std::string msSqlRighe;
  int16_t miAnnoMag = 0;
  int16_t miRigaCanc = 0;
  int32_t mlMaxRigLiv = 0;
  std::string msBookmark;
  std::string msCtrlAttivo;
  // Set by the line entry: the article's lot-tracing option, eco-fee
  // article.
  std::string msGestRintraccia = "N", msArtRaee;
  bool mbLettArtDafile = false, mbLettMatrDafile = false;
  std::string msCancFile, msCancFileMatr;

  // ---- settings read by the load
  std::string msZonaCliSoci, msContoAcqDef, msContoVenDef, msRicavoSoci;
  double mdDivPezziConf = 1;
  std::string msLabLarg, msLabAlt, msLabLung, msDoveStampoSopra, msDoveStampoSotto;
  bool mbQtaDaDimen = false;
  std::string msQtaDaDimUML, msQtaDaDimUMQ, msQtaDaDimUMC;
  std::string msNotaDimensioniUML, msNotaDimensioniUMQ, msNotaDimensioniUMC;
  double mdQtaDimenRapp = 1000;
  std::string msSegnSottoScorta = "N";
  bool mbMostraCostoUltimo = false;
  std::string msNotaLinguaStampa;
  bool mbNotaLinguaSotto = true;

  // ---- personal columns (frmDDTDett_Colonne.cpp)
  struct ColonnaPers {
    std::string nome;     // the column as the list names it
    std::string titolo;   // caption ("" the column's own)
    int16_t larghezza = -1;
  };
  std::vector<ColonnaPers> maColPers;

  // ---- personal entry order (frmDDTDett_OrdIns.cpp)
  std::vector<int16_t> maiOrdIns;

  // =====================================================================
  // Additions by concern: each file's own private state goes in its block.
  // ---- [Carica]
  // Design place of the level panel (the load moves it by oiPosPicLiv).
  long mlPicLivTopDis = 0, mlPicLivLeftDis = 0;
  // Design colour of the caption "Articolo".
  long mlColoreArticoloDis = 0;
  // Mandatory marks of the line kind; the command line's parameter box.
  void CampiObblig(bool pbObbl);
  void NoObblManuale(bool pbObbl);
  void ImpParamCom(bool pbAgg);
  // The status bar's "Messaggio" panel.
  void MsgPannello(const std::string& psTesto);
  // ---- [Prima/Dopo]
  std::string osLivGruppo1, osLivGruppo2;  // level groups of the article shown
  std::string msArtRaeeRiga, msArtRaeeDaCreare, msTipoCompConto, msCdcObblig;
  std::string msPercProvvArt1, msPercProvvArt2, msCauzioneArt;
  vb::Variant mvDesLunga;
  // The one rule of the totals strip: an article or manual line that is
  // not free goods counts (as the sums of CalcTotDocum count it).
  static bool RigaContata(const vb::Variant& pvTipoRiga, const vb::Variant& pvOmaggio);
  // Adds the differences to the goods total and the total quantity and
  // shows the goods total again in the other currency.
  void AggTotaliDiff(double pdValDiff, double pdQtaDiff);
  // A column of the page's current row (Null without one).
  vb::Variant CampoRigaPag(const std::string& psColonna);
  void MsgStato(const std::string& psTesto);
  // ---- [Numeri/Incolla]
  // Highest display number a line may take (the shift bands start at 10000).
  static constexpr int32_t kMaxRigDet = 9999;
  // The highest RigDet of the DDT's working lines (0 when none).
  int32_t UltimaRigDet();
  // Test hook: kills the program at the named point (see the source).
  static void PuntoArresto(const char* psPunto);
  // The paste's data steps (gap, move or copy); false when one failed.
  bool IncollaSposta(int32_t plPos);
  // ---- [Query/Colonne/OrdIns/Totali]
  // The personal column list as the grid's statement takes it: the column
  // (qualified, or a computed name), its alias clause (" as X" or ""), its
  // width in twips (0 none); entries that name no column are left out.
  std::vector<std::string> masColPers, masAliasColPers;
  std::vector<int16_t> maiLargColPers;
  // Personal entry order: the design tab index of each listed field, and
  // positions into maiOrdIns from the highest design place down.
  std::vector<int16_t> maiOrdInsTab, maiOrdInsPrec;
  // The tab index of every control as designed (taken at the first load).
  std::vector<int> maiTabDisegno;
  // The personal entry order laid out at the head of the tab order (a new
  // line) or the form's own order put back; for the after-hook of code 7.
  void OrdInsNuovaRiga();
  void OrdInsRipristina();
  // The field a new line starts on under the personal order (-1 none);
  // FuocoOrdIns puts the focus there, errors ignored.
  int16_t PrimoCampoOrdIns() const;
  void FuocoOrdIns();
  // Gives txt(n) place k of the tab order, the others shifting by one.
  void PostoTab(int piCampo, int piPosto);
  // ---- [Comandi/Tasti/Timer/Chiudi]
  // The insert-at-position mode the running command leaves behind.
  bool mbInsInMezzoRich = false;
  // Whether the current article has variant levels.
  bool ArtConLivelli() const;
  // Shows an unexpected error as "Errore(n): ..." and answers its text.
  static std::string MostraErrore(const std::exception_ptr& e);
  // Commands under way (nested); a page released by a close inside one is
  // kept until the outermost command has returned through it.
  int16_t miLivComando = 0;
  std::unique_ptr<barre::gridlib::PaginaRighe> mpLinPagChiusa;
  // ---- [Griglia]
  // Work flag handed to the page at a row change; 0 between calls.
  int16_t miFlagRigaCol = 0;
  // The detail panel below the grid: the row counter, the article strip,
  // the tab strip with its pages and the panels of descriptive and
  // command lines, moved together by the resize.
  std::vector<ui::Controllo*> PannelloDettaglio() const;

  // =====================================================================
  // Line entry: what typing a line does. Each concern keeps its
  // procedures and private state in its own block and file.
  // ---- [Uscita/Fuoco] field exit hub and focus, keys, look-ups
  // (frmDDTDett_Uscita.cpp, frmDDTDett_Fuoco.cpp)
  void txt_KeyUp(int Index, int& KeyCode, int Shift);
  void ComHlp_Click(int Index);
  void txtRiga_GotFocus();
  // A field filled by program as if typed: the entry value it had is taken
  // as the focus would take it, then the text is written and the field's
  // exit runs. Imports and aids fill fields 20, 30, 60 and 70 through it,
  // so that a computed line goes through the same chain as a typed one.
  void CampoDaCodice(int piIndice, const std::string& psTesto);
  // Test hook: when set, the exit and key handlers note there each
  // line-entry procedure they call, with its arguments ("CalcPrezzo(1)").
  std::vector<std::string>* mpTracciaCampi = nullptr;
  void TracciaCampi(const std::string& psVoce);
  // The field's own step of the exit; txt_LostFocus runs it under its
  // error guard.
  void UscitaCampo(int piIndice);
  void UscitaArticolo(bool pbCambiato);
  void UscitaNumero(int piIndice, bool pbCambiato);
  void UscitaColli();
  // The article field does not show the error colour.
  bool ArticoloValido() const;
  // The text of the status bar's "Messaggio" panel.
  std::string TestoPannello() const;
  // A number written as the field's column shows it (its mask; whole
  // numbers when it has none). A value that is no finite number raises 6.
  std::string TestoCampoNum(int piIndice, double pdValore) const;
  // The unit price written with the unit-price decimals.
  std::string TestoPrezzo(double pdValore) const;
  // F3 and F7 on the unit price.
  void PrezzoDaListini(int piTasto);
  void IvaPrezzo();
  // ---- [Articolo/Decodifiche] article display, line defaults, decoders
  // (frmDDTDett_Articolo.cpp, frmDDTDett_Decodifiche.cpp)
  bool ArtDescrToApp();
  // The article shown: units and factors by side, sector, deposit flag,
  // attribute classes, description as decoded.
  std::string msArtUM, msArtUMAcq, msArtUMVen, msFatConAcq, msFatConVen;
  std::string msSettore, msDescrArt;
  std::array<std::string, 6> msClasseAttr{};
  // Accrual kind of the revenue account ("M", "G" or "").
  std::string msCompGiornMens;
  // The article shown, as the price and discount procedures read it:
  // prices per level in the list ("0" none), group and subgroup.
  std::string osFlagLivLis = "0", osArtGruppo, osArtSottoGru;
  // Rate of the line's VAT code.
  double odPercIva = 0;
  // ---- [Prezzi/Sconti] price, amounts, discounts and promotions
  // (frmDDTDett_Prezzi.cpp, frmDDTDett_Sconti.cpp)
  void CercaListino();
  void CercaPrezzo();
  void CalcPrezzo(int16_t piBaseCalc);
  void CalcDaUnitario();
  void CalcDaTotale();
  void ElaboraSconti(bool pbAzzSconti, bool pbAggPrezzi, bool pbRicalcSconti, bool pbRicalcLivQta);
  void SbiancaSconti();
  void CalcScontoTot(bool pbAggPrezzo);
  void AzzRicSconto();
  void VerificaPromozione();
  // The remembered discounts of the current article. Modes: "N" not yet
  // searched, "T" no rule, "P"/"Q" promotional list price ("Q" keeps the
  // customer discount), "L" level prices.
  std::string osArtSconto, osArtLisSconto, osArtLisModSconto = "N";
  std::string osScontoQta, osModScontoQta = "N";
  double odQtaPrezzo = 0;
  std::string osScontoTab, osModScontoTab = "N";
  double odTabPrezzo = 0;
  // The price the last search found (text, as the field takes it).
  std::string msPrezzoTrovato;
  // Commission reductions of the quantity and table rules; -2 = not known yet.
  double mdPercRidProvvTab = -2, mdPercRidProvvQta = -2;
  // True when no price is to be sought for the line: the article is in
  // error, or it has levels and a level code is still missing.
  bool PrezzoSospeso() const;
  // The line's amount in lire and in euro as their labels show them;
  // raises overflow when either leaves the range of an amount.
  void LireEuroRiga(double pdImporto, std::string& psLire, std::string& psEuro) const;
  // ---- [Tipi/Bottoni] line kinds, read/write, deletion, buttons, combos
  // (frmDDTDett_Voce.cpp, frmDDTDett_Tipi.cpp, frmDDTDett_Bottoni.cpp)
  void DisabCampiTerminale();
  void Cob_Click(int Index);
  void cob_KeyDown(int Index, int& KeyCode, int Shift);
  void che_Click(int Index);
  void com_Click(int Index);
  bool InVar();
  void DisCampiLiv(bool pbAbilDisab);
  void LivQtaDef();
  // The keys of the line's lists (cob_KeyDown).
  void KeyDown(ui::Controllo& c, int& KeyCode, int Shift) override;
  // ---- [Aiuti] dimensions, stock, accrual dates, language notes
  // (frmDDTDett_Dimensioni.cpp, frmDDTDett_Giacenza.cpp,
  // frmDDTDett_Competenza.cpp)
  void CalcQtaDaDimens();
  void MostraDispGiac();
  void MostraCompetenza();
  void DopoCompetenza();
  void DopoChiediNotaLingua();
  void CercaPartita();
  // The accrual dialog of the current line, from MostraCompetenza to
  // DopoCompetenza; the one closed last waits here to be released, since
  // its callback runs inside its own unload.
  std::shared_ptr<FrmCompetenza> mfrmCompetenza, mfrmCompetenzaChiusa;
  // The language-note dialog (read by the callback after its unload) and,
  // while it is open, its rows.
  std::shared_ptr<frmNotaLingua> mfrmNotaLingua;
  std::unique_ptr<dati::GestRecordset> mgRecNote;
  std::string msRecNote;

 private:
  ProtSottoForm* mpOpener = nullptr;
  std::unique_ptr<barre::gridlib::PaginaRighe> mpLinPag;
};
