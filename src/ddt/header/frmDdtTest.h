#pragma once
// "Gestione Ddt": the program's one main window. One DDT header (a row of
// DdtTest, key Anno + NumRif) at a time is searched, shown, created,
// changed, duplicated and deleted through the record bar `ogComPag`, which
// binds about a hundred boxes of the window to the table's columns and
// calls the window's hooks `PersPagPri` / `PersPagDop` around each of its
// operations. Around the bar: the toolbar `tolComPag` with the window's own
// commands, six pages under the tab strip `TasPagine`, the read-only grid of
// the DDT's lines `dbgDett`, the totals strip `picTotPrz`, and the list
// window `frmDdtTestLis` bound to the same bar.
//
// Every bound control is an element of the arrays `txt` (text boxes) and
// `lab` (labels) whose index is the field number all the procedures use;
// `label1`(n) is the caption of field n, `lab`(n) the description of a code,
// `ComHlp`(n) its look-up button, `che`(n) / `cob`(n) the check or combo box
// through which the user sets the hidden box `txt`(n).
//
// The menu channel and the record bar reach the window by name only
// (LeggiPerNome / ChiamaPerNome): the launch keys, `oiLoadOk`, `oiInDett`,
// `PassaA`, `ButtonComando`, the hooks, `ChiudiFrm`, `MenuFrm`.
//
// The procedures are split into files by concern:
//   frmDdtTest.cpp              members, by-name access, the instance
//   frmDdtTest_Controlli.cpp    the controls and their places
//   frmDdtTest_Carica.cpp       load, failed load, unload, close protocol
//   frmDdtTest_Impostazioni.cpp the settings read by the load
//   frmDdtTest_Campi.cpp        the bar's set-up and the field table
//   frmDdtTest_Comandi.cpp      commands, keys, timers, year buttons
//   frmDdtTest_Pagine.cpp       the six pages and the marker
//   frmDdtTest_Prima.cpp        the before-operation hook
//   frmDdtTest_Dopo.cpp         the after-operation hook and the snapshot
//   frmDdtTest_Numeri.cpp       reference and document numbers
//   frmDdtTest_Stato.cpp        the window after a mode change, a read, a clear
//   frmDdtTest_Duplica.cpp      duplication
//   frmDdtTest_Cancella.cpp     deletion
//   frmDdtTest_Mostra.cpp       the joined read of a stored DDT
//   frmDdtTest_Dett.cpp         the line grid
//   frmDdtTest_Provenienza.cpp  source and evasion documents
//   frmDdtTest_Scadenze.cpp     the customer's overdue payments
//   frmDdtTest_Eventi.cpp       field entry and exit, check and combo boxes
//   frmDdtTest_Tasti.cpp        look-up keys and field buttons
//   frmDdtTest_Cliente.cpp      the customer and what it brings
//   frmDdtTest_Abil.cpp         enabling by the DDT's state, new-DDT defaults
//   frmDdtTest_TipoDoc.cpp      document type, warehouse cause, internal DDT
//   frmDdtTest_Moneta.cpp       price list, currency and rate, payment
//   frmDdtTest_Decod.cpp        decoders of the other coded fields
//   frmDdtTest_DicIntenti.cpp   declaration of intent, contract warning
//   frmDdtTest_Totali.cpp       footer and totals display
//   frmDdtTest_Colli.cpp        packages and gross weight
//   frmDdtTest_Propaga.cpp      header changes carried to the lines
//   frmDdtTest_Spese.cpp        automatic expense rows, the expense window
//   frmDdtTest_Documento.cpp    lines, print, restore
//   frmDdtTest_Vuoti.cpp        deposit lines
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Variant.h"
#include "platform/barre/BarraNavigazione.h"
#include "platform/dati/GestRecordset.h"
#include "platform/ui/Form.h"

class frmDdtTestLis;
struct DatiTestataForm;
struct ParDettaglio;
class ProtSottoForm;
namespace ui {
class Griglia;
class DatiControllo;
}  // namespace ui

class frmDdtTest : public ui::Form {
 public:
  frmDdtTest();
  ~frmDdtTest() override;

  // ---- public members, in the order the sub-forms and the menu know them
  // The record bar; created on first access, released by the unload.
  barre::BarraRecord& ogComPag();
  bool HaBarra() const { return barra_ != nullptr; }
  // Set by the menu channel before the load.
  std::string osKeyLancia, osKeySecLancia, osParamLancia, osParam;
  // 1 editable, 0 read-only (the switch "RO" of osParam).
  int16_t oiAbilRW = 1;
  // Row of the line grid double-clicked, -1 none.
  int32_t olPosDett = -1;
  // -1 no sub-window open, 1 the lines, 2 the expenses.
  int16_t oiInDett = -1;
  std::string osZona;
  double odZonaSconto = 0, odZonaScontoLire = 0;
  // Size and place of the line window (0 none, -2 maximised, -1 full).
  int32_t olFormDettHeight = 0, olFormDettWidth = 0, olFormDettTop = 0, olFormDettLeft = 0;

  // -1 while loading and after a failed load, 1 once loaded.
  int16_t oiLoadOk() const { return miLoadOk; }
  const std::string& osKeySec() const { return msKeySec; }
  void SetosKeySec(const std::string& v) { msKeySec = v; }

  // ---- launch and close protocol
  void PassaA();
  void ChiudiFrm();
  void MenuFrm();

  // ---- commands and keys
  void ButtonComando(const std::string& psKey);
  void ComAnno_Click(int Index);
  void timComPag_Timer();
  // The steps of one command; True when it went to the line or expense
  // window (which ends it when it closes).
  bool EseguiComando(const std::string& psKey);
  // The end of a command: default pointer, the deferred step armed.
  void FineComando();
  // The toolbar and the framework's last step, at the end of the load.
  void FineCaricamento();
  // "9000;300" -> size 9000, place 300 (the line window's ini keys).
  static void LeggiDimDett(const std::string& psValore, int32_t& plDim, int32_t& plPos);
  // Nesting of ButtonComando: the outermost shows the errors.
  int miLivComando = 0;
  // The window's own caption, before a load adds the company to it.
  std::string msCaptionProgetto;
  void TimDupl_Timer();
  void dbgdett_DblClick();

  // ---- record bar hooks (arguments as the bar passes them by name: (0)
  // the code, (1) pvRit, then pvArray)
  vb::Variant PersPagPri(int16_t piOper, vb::Variant& pvRit, std::vector<vb::Variant>& pvArray);
  vb::Variant PersPagDop(int16_t piOper, vb::Variant& pvRit, std::vector<vb::Variant>& pvArray);
  // True when the header holds changes not saved.
  bool InVar();
  bool VerifCambioLotti();
  // The change snapshot; pbDopoIns: right after the first save of a new DDT.
  void SalDatiBase(bool pbDopoIns = false);
  // The questions of an update (which changes go to the lines).
  void ChiediCambi();
  // The after hook of a save (code 12) and of a failed insert (code 25).
  void DopoSalva(vb::Variant& pvRit, std::vector<vb::Variant>& pvArray);
  void DopoInsFallito(vb::Variant& pvRit, std::vector<vb::Variant>& pvArray);
  // The mode-change, read and clear steps of the after hook.
  void DopoCambioModo(int16_t piModo);
  void DopoMostra();
  void DopoSvuota(bool pbPredefiniti);

  // ---- numbers
  // The next reference number of the year in txt(20); written into txt(10)
  // when pbImpTxt is not 0.
  int32_t RicUltNum(int16_t pbImpTxt);
  // True (after its message) when the typed document number is not valid.
  bool NonValeNumDoc();

  // ---- duplication and deletion
  bool ConfermaDupl();
  bool DuplRigheDett();
  // The after hook of a duplicate (code 17).
  void DopoDuplica(vb::Variant& pvRit, std::vector<vb::Variant>& pvArray);
  // The before hook of a deletion (code 16): 0 lets the bar delete. On 0
  // the DDT is locked and a transaction of the window is open (the bar's
  // TransPropria 0) holding the give-back, the rows and the lot states.
  vb::Variant Cancella(vb::Variant& pvRit);
  // The after hook of a deletion (code 16) calls it: commits that
  // transaction (rolls it back when the bar's delete failed), then releases
  // the lock and ends the hourglass.
  void DopoCancella(vb::Variant& pvRit);

  // ---- reads
  void MostraTutto();
  void SetLabBackColor();
  void DettOrdCol();
  void MostraDett();
  std::string AggCampoNonPers(const std::string& psNomeCampo, const std::string& psCampoAs);
  std::string NomeColEspr(const std::string& psNome);
  std::string SottoQueryLiv(const std::string& psCampo);
  void FormatColDett();
  void MostraProvenienza();
  void ComPosizFat_Click();
  void MostraScad(bool pbMostraScad);
  void ScadenzeVis(bool pbVis);
  // "ClasseRegConf" checked once against the customer table's columns: a
  // suffix naming no column is dropped, with a warning. True when in force.
  bool VerifClasseRegConf();
  ui::Griglia& GrigliaDett() const;
  ui::DatiControllo& DatiDett() const;
  void ColonneFisse(std::vector<std::string>& psEspr, std::vector<std::string>& psCap) const;

  // ---- pages
  void SistemaPagina(int16_t piCorrente, bool pbSetFocus);
  void TasPagine_Click();
  // A place in twips: the tab strip's client area (where the pages lie) and
  // the tab n (1 to 6) on the strip's container.
  struct Riquadro {
    long Left = 0, Top = 0, Width = 0, Height = 0;
  };
  Riquadro AreaPagine() const;
  Riquadro PostoLinguetta(int n) const;

  // ---- field entry and exit (frmDdtTest_Eventi.cpp)
  void txt_Change(int Index);
  void txt_GotFocus(int Index);
  void txt_LostFocus(int Index);
  // The exit check and decoder dispatch; psTxtHelp is the text as typed.
  void VerificaCambiati(int Index);
  void VerificaCambiati(int Index, const std::string& psTxtHelp);
  void che_Click(int Index);
  void Che_KeyUp(int Index, int KeyCode, int Shift);
  void Che_MouseDown(int Index, int Button, int Shift, float X, float Y);
  void Cob_Click(int Index);
  void cob_KeyDown(int Index, int& KeyCode, int Shift);
  void AggNonText();
  // The gates of the field events under the names the procedures use: -1
  // events handled, 0 or more exits and combo clicks ignored (a command's
  // field, or 1 while AggNonText copies); the key of the command whose
  // exit check runs.
  int16_t& miEventiSospesi = miTxtRientro;
  std::string& msComandoCorrente = msTastoInCorso;
  // The text box whose entry event ran last, -1 none: a box left before it
  // was entered (the focus moved on by a decoder while the user's own move
  // was under way) has no exit to run.
  int miTxtEntrato = -1;

  // ---- look-up keys and field buttons (frmDdtTest_Tasti.cpp)
  void txt_KeyUp(int Index, int& KeyCode, int Shift);
  void ComHlp_Click(int Index);

  // ---- customer and header state (frmDdtTest_Cliente.cpp, frmDdtTest_Abil.cpp)
  void MostraCliente(bool pbModif, bool pbCalcScad, bool pbFaiHelp, const std::string& psTxtHelp);
  std::string QualeListino();
  void QualePagam();
  void MostraStato(const vb::Variant& pvStato, bool pbModif, bool pbFaiHelp);
  void MostraOrdProv();
  void AbilDisabVariaz(bool& pbStatoVuoto, bool& pbNonStampato);
  void AbilListino(bool pbModifica, bool pbNonStampato);
  void DecodDefault();

  // ---- document type, price list, currency, payment
  // (frmDdtTest_TipoDoc.cpp, frmDdtTest_Moneta.cpp)
  void MostraFattDoc(bool pbModif, bool pbFaiHelp);
  void AbilDdtInterno(bool pbInterno);
  void ImpTilToopIntest();
  void MostraListino(bool pbModif, bool pbFaiHelp);
  void MostraMoneta(bool pbModif, bool pbMostraCambio, bool pbDataOggi, bool pbFaiHelp);
  void MostraCambioMoneta(bool pbDataOggi);
  void MostraPagamento(bool pbModif, bool pbFaiHelp);
  // The fixed note of the payment last applied; the currency's masks on
  // "#,###" (those on "#,##0" are msMascImpMon and msMascPrzMon).
  std::string msNotaFissaPag, msMascImpMonPers, msMascPrzMonPers;

  // ---- decoders of the coded fields, declaration of intent, contract
  // (frmDdtTest_Decod.cpp, frmDdtTest_DicIntenti.cpp)
  void MostraBanca(bool& pbModif, bool& pbFaiHelp);
  void MostraIva(bool& pbModif, bool& pbFaiHelp);
  void MostraLingua(bool& pbModif, bool& pbFaiHelp);
  void MostraMagazzino(int piIndex, bool& pbModif, bool& pbFaiHelp);
  void MostraAgente(int piIndex, int piProvv, int piTxtProvv, bool& pbModif, bool& pbFaiHelp);
  void MostraDestinazione(bool& pbModif, bool& pbFocus, bool& pbFaiHelp);
  void MostraVettore(bool& pbModif, bool& pbFocus, bool& pbFaiHelp);
  void MostraCauTrasp(bool& pbModif, bool& pbFocus, bool& pbFaiHelp);
  void MostraAspetto(bool& pbModif, bool& pbFocus, bool& pbFaiHelp);
  void MostraTrasporto(bool& pbModif, bool& pbFocus, bool& pbFaiHelp);
  void MostraResa(bool& pbModif, bool& pbFocus, bool& pbFaiHelp);
  void MostraContratto(bool& pbModif);
  void MostraBeneUsato(bool& pbModif, bool& pbFaiHelp);
  void AbilDestin(bool pbAbil);
  void AbilVettore(bool& pbAbil);
  void AbilCauTras(bool pbAbil);
  void AbilAspetto(bool& pbAbil);
  void AbilResi(bool pbAbil);
  void AbilTrasporto(bool pbAbil);
  void DecodSoloCodice(const std::string& psTipo, int piCodice, bool pbFaiHelp);
  void MostraPdcDicIntenti(bool pbModif, bool pbFaiHelp);
  double ImpCambiatoCodDic(int16_t& piPasso);
  void VerContrDoppio();

  // ---- totals, packages and weight (frmDdtTest_Totali.cpp, frmDdtTest_Colli.cpp)
  bool AggPiede(bool pbSoloImpRitAcc);
  void AggTotali(bool pbSoloImpRitAcc);
  void MostraTotMon();
  void MostraRitAcc();
  vb::Variant CalcTotColli();
  void CalcolaPeso();

  // ---- header changes carried to the lines, after a save (inside the
  // save's transaction when the before hook began one) (frmDdtTest_Propaga.cpp)
  bool VerAggCambioIva(bool& pbRigheCambiate, bool& pbPiede);
  bool VerAggCambioScoCli(bool& pbRigheCambiate, bool& pbPiede);
  bool VerAggCambioContratto(bool& pbRigheCambiate, bool& pbPiede);
  bool VerAggCambioProvv(bool& pbRigheCambiate);
  bool AggModCambio(bool& pbRigheCambiate);
  void AggCambioProvv(const std::string& psNumProv, const std::string& psOldVal, const std::string& psNewVal,
                      int16_t piAggProvAg);

  // ---- automatic expense rows and the expense window (frmDdtTest_Spese.cpp)
  bool VerAggCambioSpesePag(bool& pbRigheCambiate, bool& pbPiede);
  bool VerAggCambioSpesePerc(bool& pbRigheCambiate, bool& pbPiede);
  bool AggSpesaClie(bool& pbRigheCambiate, bool& pbPiede);
  bool AggSpeseStandard(bool& pbPiede);
  void GestSpese();
  void DopoGestSpese();

  // ---- lines, print, restore, the sub-window protocol (frmDdtTest_Documento.cpp)
  void GestDettaglio(bool pbDopoDup, int16_t& piGestDupl);
  void DopoGestDettaglio(bool pbAgg, bool pbOk);
  void StampaDoc();
  void Ripristino();
  void RipEvasione();
  bool CancMovimRientro(int16_t& piAnnoMovimRientro, int32_t& plNumMovimRientro);
  // Kept for the line window's price routines; they do nothing here.
  void AggTestList(int16_t piNumDecMon, int16_t piNumDecMonGes);
  void AggTestConv(int16_t piNumDecMon, int16_t piNumDecMonGes);
  vb::Variant AggPrzLivModTest(dati::GestRecordset& pgRecDet, const std::string& psRecDet,
                               const std::string& psQualeImporto, const std::string& psCausDest,
                               const std::string& psCausProv, const std::string& psUnitaDa, const std::string& psUnitaA,
                               int16_t piAnno, const std::string& psArticolo, const std::string& psListino,
                               const std::string& psListIvato, bool pbPrzIvato, const std::string& psDataRif,
                               const std::string& psMoneta, int16_t piNumDecMonGes, int16_t piNumDecMon,
                               const std::string& psSconto);
  vb::Variant ConvPrzLivModTest(dati::GestRecordset& pgRecDet, const std::string& psRecDet, int16_t piNumDecMonGes,
                                int16_t piNumDecMon);
  // The header as its sub-windows read it (DatiTestataForm.h), and what the
  // line window is handed when it opens (the last hand-off prepared).
  DatiTestataForm DatiTestata() const;
  ParDettaglio PreparaParDettaglio(int16_t piGestDupl);
  ProtSottoForm& ProtDettaglio();
  std::shared_ptr<ParDettaglio> mpParDett;
  std::shared_ptr<ProtSottoForm> mpProtDett;
  // The reversal of the rows of a warehouse movement ("L" level rows, "D"
  // detail rows), each row deleted once its progressives are given back: 0
  // when every row went. Unset until the stock restore is in the program,
  // and then a return movement is not removed.
  std::function<int32_t(int16_t piAnno, int32_t plNumReg, const std::string& psRighe)> mfDisAggMovim;

  // ---- deposit lines (frmDdtTest_Vuoti.cpp)
  void CalcVuoti();
  void RenumRigheDet(int32_t& plRigDet, int32_t& plRigLiv);
  void CreoArtVuoto(const std::string& psArticolo, double pdQta, int32_t& plRigDet, int32_t& plRigLiv);

  // ---- events of the control model
  void Form_Load() override;
  void Form_KeyDown(int& KeyCode, int Shift) override;
  void Form_KeyPress(int& KeyAscii) override;
  void Form_QueryUnload(int& Cancel, int UnloadMode) override;
  void Form_Unload(int& Cancel) override;
  void Click(ui::Controllo& c) override;
  void DblClick(ui::Controllo& c) override;
  void Change(ui::Controllo& c) override;
  void GotFocus(ui::Controllo& c) override;
  void LostFocus(ui::Controllo& c) override;
  void KeyDown(ui::Controllo& c, int& KeyCode, int Shift) override;
  void KeyUp(ui::Controllo& c, int& KeyCode, int Shift) override;
  void MouseDown(ui::Controllo& c, int Button, int Shift, float X, float Y) override;
  void Timer(ui::Controllo& c) override;
  void ButtonClick(ui::Controllo& barra, const std::string& key) override;

  vb::Variant LeggiPerNome(const std::string& nome) override;
  void ScriviPerNome(const std::string& nome, const vb::Variant& valore) override;
  vb::Variant ChiamaPerNome(const std::string& nome, std::vector<vb::Variant>& argomenti) override;
  ui::Oggetto* OggettoPerNome(const std::string& nome) override;

  // ---- controls by field number
  ui::Controllo& txt(int n) const { return C("txt", n); }
  ui::Controllo& lab(int n) const { return C("lab", n); }
  ui::Controllo& label1(int n) const { return C("label1", n); }
  // Creates every control of the window (the constructor).
  void CreaControlli();
  // Drops the bar (the unload).
  void RilasciaBarra();
  // The bar's set-up over DdtTest and its binding to the list window.
  void ImpostaBarra();

  // =====================================================================
  // State shared by the window's procedures. Public so that the sub-forms
  // and the tests read it as the window's own code does.

  // ---- life of the window
  std::string msTitoloForm;
  int16_t miLoadOk = -1;
  std::string msKeySec;
  int16_t miChiudiFrm = 0;
  std::string msCtlAttivo;
  int16_t miTxtRientro = -1;
  bool mbScaricato = false;
  bool mbComandoInCorso = false;
  std::string msTastoInCorso;
  int16_t miPagCorrente = 0;
  // The list window the bar is bound to.
  frmDdtTestLis* mgLista = nullptr;

  // ---- decoded with the shown record (reset when the bar clears it)
  std::string msMagCausale, msQualeImporto, msTabSconti, msSegnoDoc, msDdtInterno, msSpesaCli, msListinoDoc,
      msListinoCli, msMonetaListino, msPrezzoDdtDoc, msPrezzoDdtCli, msProvv1Cli, msProvv2Cli, msRegimeMargine,
      msMatrTipOpe, msLottoTipOpe, msTipoMov, msClasseAttrCli, msPagamentoDoc, msPagamentoCli, msPagamento2Cli,
      msDicIntentiCli, msCarScar, msCategoriaCli, msZonaCli, msProvCausale, msDestCausale, msSegnoCausale,
      msDescCausale, msMagCausaleRientro;
  int32_t mlGgScadCli = 0;

  // ---- snapshot of the last read or save
  std::string msIvaPrec, msScontoCliPrec, msContrattoPrec, msPercProvv1Prec, msPercProvv2Prec, msPreDocPrec,
      msNumDocPrec, msDataDocPrec, msScontoPagPrec, msScoPagSuDettPrec, msClientePrec, msSegnoDocPrec,
      msPagamentoPrec, msMonetaPrec, msMagazzProvPrec, msMagazzDestPrec, msMagCausalePrec, msSpesaCliPrec,
      msCambioPrec, msAddebitoBolliPrec;
  double mdPesoPrec = 0, mdPercRitAccPrec = 0;

  // ---- change flags of a save
  bool mbAggIvaRighe = false, mbAggScoCliRighe = false, mbAggScoPagRighe = false, mbAggContrattoRighe = false,
       mbVerSpesePag = false, mbVerSpesePerc = false, mbAggSpesaCli = false, mbPesoCambiato = false,
       mbAggPiedeDopo = false, mbInRipEvasione = false;
  int16_t miAggProvv1Righe = 0, miAggProvv2Righe = 0;
  int16_t miNumTentIns = 0;
  // True from the update's transaction begun before the write (code 27)
  // until the after hook of the save ends it.
  bool mbTransSalva = false;

  // ---- duplication
  int16_t miDuplInCorso = 0;
  int16_t miAnnoDuplOrig = 0;
  int32_t mlNumRifDuplOrig = 0;

  // ---- colours taken at load
  long mlColSfondoLab = 0, mlColSfondoLabel1 = 0;

  // ---- the line grid and the source-documents page
  dati::GestRecordset mgRsDett;
  std::string msKeyRsDett;
  bool mbColPersTest = false;
  std::string msDettOrdCol;
  std::vector<std::string> msColPersNome, msColPersAlias;
  std::vector<int32_t> miColPersLarg;
  std::vector<int16_t> miColNascoste;
  dati::GestRecordset mgRsProv;
  std::string msKeyRsProv;
  int16_t miProvCaricata = 0;
  bool mbClasseRegConfVerif = false;
  // The text of the last joined read of the header.
  std::string msSqlLettura;

  // ---- settings read by the load
  bool mbOrdIns = false;
  std::vector<int16_t> miOrdInsCampi, miOrdInsTab, miOrdInsPrec;
  int16_t miPagIns = 0;
  std::string msDettOrdColTest;
  std::vector<std::string> msColFisseCap, msColFisseEspr;
  std::string msMascQtaDett, msCodIvaDef;
  bool mbColliDec = false, mbDicIntentiTest = false, mbDicIntentiValDef = false;
  std::string msListaOrdin;
  bool mbGestVuotiCauz = false;
  int16_t miTracQtaVer = 0;
  bool mbNonContrSucc = false;
  std::string msMatrCausaliRientro, msMatrCausaliNoMovCar, msLottiCausaliNoMovCar;
  bool mbMemTargaVet = false;
  std::string msClasseRegConf, msInizioAvvisoCliente;
  // Further settings, handed to the line window.
  bool mbCassaPrev = false, mbCercaListBase = false, mbCodBarSalva = false, mbLivGestTab = false,
       mbLivelliInsGest = false, mbMatrGest = false, mbNoSeleziona = false, mbRicPartLotti = false,
       mbSpesaClieAutom = false, mbTracQtaDivBloc = false, mbVisLottiScad = false;
  int16_t miCodBarLunArt = 0, miMatrLungMin = 0, miRidPercAgenti = 0;
  std::string msCalcolaPeso, msCalcolaPesoLordo, msCalcolaPesoUm, msCauzAttNoCalc, msCauzAttNoSconti,
      msDefParDaClassi, msDettOrdIns, msDettOrdInsTab, msDicIntentiCalcRes, msDoveStampoDesLung, msInibCliAttr,
      msInibClienti, msListIvato, msListinoPrinc, msListinoPrincIvato, msLiv1VertOriz,
      msMagaNoGiac, msMatrGuastoNoScar, msMatrSegnTipOpe, msMatrUnica, msModVisLotti, msNoRaeeAutom,
      msRicalcColli, msScoSomSost, msScontoListino, msVisLottiOrd, msGruppoContr, msMastroContr, msContoContr;
  std::string msMascImpMon, msMascPrzMon;
  // The barred customers' values, positions from 1 (the split of "InibClienti").
  std::vector<std::string> msInibCliValori;
  int16_t miPosPicLiv = 4;
  // Reads every setting, in the order the load needs them.
  void LeggiImpostazioni();
  void LeggiOrdIns();

  // ---- visible boxes of page 4 and the hidden boxes that store them
  std::array<int16_t, 1691> miCampoLegato{};

  // ---- field editing: the text of each box when it was entered (the
  // sentinel when it was in error), the DDT currency's decimals, masks and
  // operator, the DDT currency's Cee flag as last decoded
  static constexpr const char* kSentinellaErrore = "~ç§@*+";
  std::array<std::string, 1691> msValEntrata{};
  int16_t miNumDecMon = 2, miNumDecMonGes = 2;
  std::string msMonOper = "/";

 private:
  std::unique_ptr<barre::BarraRecord> barra_;
  // Why the window is closing (QueryUnload's UnloadMode), -1 none.
  int modoChiusura_ = -1;
};

// The program-wide instance; the menu opens it by the name "frmddttest".
frmDdtTest& FrmDdtTest();
