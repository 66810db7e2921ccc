#pragma once
// "Dati tracciabilità": the lot rows of one document line, edited in the
// working table `osFileTraccApp` through the line page `ogLinPag`, with the
// master data of the lot of the current row.
//
// Contract with the opener: every public input is set before Load; the
// opener disables itself and shows this window modeless. The window goes
// only through its unload, which checks the lot total against the line
// quantity and a mandatory traceability and then calls the opener back
// (ProtApreTracc::DopoGestTracc) exactly once, also when the closing met
// an error, so that the opener is never left disabled.
//
// The row save and delete are each one transaction, begun by the before
// hook (10, 17) and ended by the after hook (10, 17): the lot row, the
// `Lotti` record of a load and the lot states go together or not at all.
//
// Procedures by concern:
//   frmMovTracc_Carica.cpp   controls, load, proposal, timer, keys, unload
//   frmMovTracc_Righe.cpp    row hooks, commands, grid query and columns
//   frmMovTracc_Lotto.cpp    field entry, decoding, lot master, checks
#include <cstdint>
#include <map>
#include <string>

#include "platform/Variant.h"
#include "platform/barre/PaginaRighe.h"
#include "platform/ui/Form.h"

// What opens the traceability window and is called back when it goes.
class ProtApreTracc {
 public:
  virtual ~ProtApreTracc() = default;
  virtual void DopoGestTracc() = 0;
};

class frmMovTracc : public ui::Form, public barre::ProtFormLinPag {
 public:
  frmMovTracc();
  ~frmMovTracc() override;

  // ---- inputs
  std::string osKeySec, osParam;
  int16_t oiAbilRW = 1;
  ProtApreTracc* ofrmTest = nullptr;
  std::string osAnno, osNumReg, osDataReg, osFattDocum, osLabFattDocum, osPreDoc, osNumDoc, osDataDoc;
  std::string osMagCausale, osLabMagCausale, osTipoMovim, osVersoMovim, osSegnoMovim;
  std::string osListino, osListIvato, osMoneta, osCambio;
  std::string osUnitaDa, osLabUnitaDa, osUnitaA, osLabUnitaA;
  std::string osRigLiv, osArticolo, osDescArt, osUm, osDescUm;
  double odQtaTot = 0;
  std::string osNumDecQta;
  std::string osFileTracc = "DdtRintraccia", osFileTraccApp = "DdtRintracciaApp", osTipoFileTracApp = "da";
  bool obTracQtaDivBloc = false;
  int16_t oiTracQtaVer = 1;
  std::string osDefParDaClassi, osArtClassi;
  std::string osModVisLotti = "P", osVisLottiOrd = "D";
  bool obVisLottiScad = true;
  std::string osFlagGestRintraccia;
  std::string osLottoTipOpe;
  std::string osMagaScar, osMagaCar;
  std::string osGruppoCliForn, osMastroCliForn, osContoCliForn;
  std::string osCausProv, osCausDest, osNascondiLottoProd;
  int16_t oiDistBase = 0;

  // ---- the line page, created on first use, released by the unload
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

  // ---- commands and smaller procedures
  std::string ButtonComando(const std::string& psKey);
  std::string PrepSql() const;
  void PrepCarScar(bool pbFocus);
  bool QtaDiversa();
  void AnnullaIns();
  vb::Variant ButtonNuovo();
  void ComHlp_Click(int Index);
  void ComGenera_Click();
  bool GestSelLotti(bool pbPrep);

  // ---- lot work of the rows
  void DecodLotto(bool pbVariato, bool pbDecodDaTxtLotto, bool pbChiuso, bool pbFaiHelp);
  void DecodTabDec(int piCampo, const std::string& psChiaveTab, bool pbFaiHelp);
  bool SalvaLotto();
  int16_t ContrLottoQta(const std::string& psTipoOpe);
  int16_t DettNonCanc(std::string& psTesto);

  // ---- events
  void Form_Load() override;
  void Form_Unload(int& Cancel) override;
  void Form_KeyDown(int& KeyCode, int Shift) override;
  void Form_Resize() override;
  void timLinPag_Timer();
  void txt_GotFocus(int Index);
  void txt_LostFocus(int Index);
  void txt_KeyUp(int Index, int KeyCode, int Shift);
  void Click(ui::Controllo& c) override;
  void GotFocus(ui::Controllo& c) override;
  void LostFocus(ui::Controllo& c) override;
  void KeyUp(ui::Controllo& c, int& KeyCode, int Shift) override;
  void Timer(ui::Controllo& c) override;
  void ButtonClick(ui::Controllo& barra, const std::string& key) override;
  void RowColChange(ui::Controllo& g, const vb::Variant& LastRow, int LastCol) override;
  void SelChange(ui::Controllo& g, int& Cancel) override;
  ui::Oggetto* OggettoPerNome(const std::string& nome) override;

  ui::Controllo& txt(int n) const { return C("txt", n); }
  ui::Controllo& lab(int n) const { return C("lab", n); }

  // ---- state seen by the tests
  int16_t miAzioneTimer = 0;
  int16_t miNuovoDopoSalva = 0;
  int16_t miCampoSospeso = -1;
  std::string msStatoLotto;
  bool mbTransAperta = false;
  bool mbInChiusura = false;

 private:
  void Controlli();
  void DefinisciCampi();
  void PropostaLotti();
  void ChiudiTrans(bool pbConferma);
  // The line's lot total in the working table; an empty sum is 0.
  double TotaleLotti();
  std::string LitAnno() const;
  std::string LitNum() const;
  std::string LitRiga() const;
  void Stato(const std::string& psTesto);

  // The page released by the unload lives on until the next load: the
  // unload may run from inside one of its own commands ("Chiudi").
  std::unique_ptr<barre::gridlib::PaginaRighe> mpLinPag, mpLinPagChiusa;
  std::map<int, std::string> msCampo;
  std::map<int, std::string> msValIni;
  std::string msSqlRighe, msNomeCtrlAttivo, msBookmark;
  std::string msChiaveBase;
  int16_t miChiaveBaseLun = 0;
  bool mbChiavePerArt = true;
  bool mbChiudiDaPagina = false;
  int32_t miRigLivCanc = 0;
  int miRigaColStato = 0;
  bool mbRichiamato = false;
};
