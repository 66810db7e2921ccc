#pragma once
// "Gestione livelli": the level rows of one document line as a matrix. The
// elements of one level group run across the top (array group 1, the
// columns), those of the other down the side (array group 2, the rows), and
// every pair has a quantity cell `txtLiv`(k), k = c1 + (c2 - 1) x K1. A
// detail panel below shows the price, amount, discounts and stock of the
// current cell; saving rewrites every level row of the line from the cells
// with a quantity above 0.
//
// Contract with the opener: it sets every input below, `ofrmMain`, then the
// mode through `AbilRw` (which loads the form: inputs read, model built,
// cells created), then shows the form modeless and stays disabled until
// `DopoGestLivelli` is called back. Every value of the document and of the
// line form is read through `ApriLivelli` at the moment it is needed. On
// closing, when rows were written, `AggQtaPrzLivelli` receives the total
// quantity and amount shown and the form itself (the discount texts and
// commission reductions are read back from it); `DopoGestLivelli` follows
// in every case.
//
// Procedures by concern:
//   frmGestLivelli.cpp          controls, events, inputs, buttons, keys,
//                               closing, totals
//   frmGestLivelli_Modello.cpp  element lists and stored rows (PrepVetLiv)
//   frmGestLivelli_Maschera.cpp cells, captions, panels, scrolling, focus
//   frmGestLivelli_Celle.cpp    cell entry and exit, shared prices, stock
//   frmGestLivelli_Prezzi.cpp   price search and amounts of a cell
//   frmGestLivelli_Dett.cpp     the detail fields and their keys
//   frmGestLivelli_Salva.cpp    saving and the stored-row count
//   frmDDTDett_Matrice.cpp      the DDT line window as opener
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Variant.h"
#include "platform/ui/Form.h"
#include "services/UtilDocFattGest.h"

class frmGestLivelli;
class frmDDTDett;

// What the matrix reads of the document and the line form that opened it.
struct DatiAperturaLivelli {
  std::string osAnno, osNumRif, osDataRif;
  std::string osFattDocum, osLabFattDocum, osPreDoc, osNumDoc, osDataDoc;
  std::string osRiferimClie, osRiferimForn;
  bool obCercaListBase = false;
  std::string osIntest, osIntRagSoc, osIntRagSoc2;
  std::string osListino, osMoneta, osCambio, osMonOper;
  std::string osIva;
  std::string osLivGruppo1, osLivGruppo2;
  // "0" one price, "1" a price per level-1 element, "2" a price per cell.
  std::string osFlagLivLis = "0";
  int16_t oiNumDecMon = 2, oiNumDecMonGes = 2;
  std::string osNumDecQta, osNumDecMonGes, osNumDecMonGesPers;
  std::string osIntTipo, osCategoria, osArtGruppo, osArtSottoGru, osTabSconti;
  std::string osListModSconto, osListSconto, osListIvato, osListBase, osListBaseIvato, osQualeImporto;
  std::string osPrzIvato;
  std::string osMagazzino, osSegnalGiac;
};

// The opener of the matrix: what it offers and the callbacks of the close.
class ApriLivelli {
 public:
  virtual ~ApriLivelli() = default;
  // Read anew each time a value is needed.
  virtual DatiAperturaLivelli DatiLivelli() const = 0;
  // The totals shown and the editor (discount texts, commission
  // reductions) handed back; called only when rows were written.
  virtual void AggQtaPrzLivelli(double pdQta, double pdPrezzo, frmGestLivelli& pfrm) = 0;
  // The editor has closed: the opener is enabled again.
  virtual void DopoGestLivelli() = 0;
};

// Opens the matrix on the current line of the DDT line window (layout 2,
// the line's levels, prices and discounts); the window is disabled and its
// `oiInDeLiv` is 2 until the matrix closes. False when it could not open
// (no article with levels, levels not managed, or an error already shown).
bool ApriMatriceLivelli(frmDDTDett& dett);

class frmGestLivelli : public ui::Form, public UtilDocFattGest::FormPrezzo {
 public:
  frmGestLivelli();
  ~frmGestLivelli() override;

  // ---- inputs set by the opener before AbilRw
  ApriLivelli* ofrmMain = nullptr;
  std::string osParam;
  int16_t oiAnnoMag = 0;
  std::string osRigLiv, osArticolo, osDescArt, osUm, osDescUm;
  double odPercIva = 0;
  double odFatCon = 1;
  std::string osDetScontoClie, osDetScontoTab, osDetScontoArt, osDetScontoQta, osDetScontoTot;
  std::string osDetScontoForn;
  std::string osPromozione;
  double odPercRidProvv = -2, odPercRidProvvQta = -2;
  std::string osKeySec;
  std::string osFileDocLiv = "DDtLivApp";
  int16_t oiTipoGest = 2;
  bool obDisabTermPrz = false, obDisabTermVisPrz = false;
  std::string osLiv1VertOriz;
  std::string osDecTitolo;
  // Discount memory of the article while editing.
  std::string osArtLisSconto, osArtLisModSconto = "N", osScontoQta, osModScontoQta = "N";
  double odQtaPrezzo = 0;
  std::string osScontoTab, osModScontoTab = "N";
  double odTabPrezzo = 0;
  // Screen scaling, read and written by name by the form framework.
  std::string osRisVidKey;
  double odRisVidVal = 1;

  // The mode (1 editable, 0 read-only); setting it loads the form.
  void AbilRw(int16_t piValore);

  // ---- layouts of oiTipoGest (the DDT line passes 2)
  struct Disposizione {
    bool prefisso;       // txt(640) shown
    bool riferimForn;    // txt(690) from osRiferimForn
    bool cercaListBase;  // mbCercaListBase from the opener
    bool evasoStato;     // "Qta Evasa:" and "Stato:" shown
    bool qtaProv;        // the model loads QtaProv
    bool qtaEvasa;       // the model loads QtaEvasa
    bool statoRiga;      // the model loads StatoRiga
    bool perUtente;      // rows by user instead of document
    bool scontoForn;     // "Sconto Fornitore" caption
  };
  static Disposizione Layout(int16_t piTipoGest);

  // ---- model (element lists and stored rows)
  void PrepVetLiv();
  void SqlEleLiv(const std::string& psLivello, int16_t piNumLiv);

  // ---- layout of the matrix
  int16_t NumTotLiv(int16_t piIndex, bool pbNoZero) const;
  int16_t IndDaEle(int16_t piC, int16_t piC2) const;
  int16_t EleDaInd(int16_t piIndex, int16_t piCosa) const;
  void PrepMask();
  void VScr_Change();
  void HScr_Change();
  void FocusLiv(int16_t piRigaCor, int16_t piColCor);

  // ---- cells
  void txtLiv_GotFocus(int Index);
  void txtLiv_LostFocus(int Index);
  double QtaTot() const;
  void MostraDispGiac();
  bool LeggiPrezzo(int16_t piC, int16_t piC2, double& pdPrezzo) const;
  void MettiPrezzi(int16_t piC, const std::string& psprezzo);
  void AggPrzUnici(long plColor);

  // ---- prices and discounts of a cell
  int16_t CercaPrezzo(int16_t piC, int16_t piC2, double& pdPrezzo, bool pbSoloSconti, bool pbNoPrz);
  void CercaPrezzo() override;  // the discount service's re-read: list discounts only
  vb::Variant CercaListino(int16_t piC, int16_t piC2, bool pbNoPrz);
  void AzzMemSconti(bool pbNorec);
  void ElaboraSconti(bool pbAggPrezzi, bool pbRicalcSconti);
  void SbiancaSconti();
  void CalcScontoTot(bool pbAggPrezzo);
  void MostraScontoTot(bool pbAggPrezzo);
  void CalcPrezzo(int16_t piBaseCalc, int16_t piC, int16_t piC2);
  void CalcDaUnitario(int16_t piC, int16_t piC2);
  void CalcDaTotale(int16_t piC, int16_t piC2);
  double UnitScont(int16_t piC, int16_t piC2);
  double TotScont(double pdValue);

  // ---- detail fields
  void txt_GotFocus(int Index);
  void txt_KeyUp(int Index, int& KeyCode, int Shift);
  void txt_LostFocus(int Index);

  // ---- totals, saving, buttons, closing
  void CalcTotDocum();
  bool SalvaDati();
  bool NoDatiMem();
  void comSalva_Click();
  void comOk_Click();
  void ComAnnulla_Click();

  // ---- events of the control model
  void Form_Load() override;
  void Form_Unload(int& Cancel) override;
  void Form_KeyDown(int& KeyCode, int Shift) override;
  void Form_KeyPress(int& KeyAscii) override;
  void Click(ui::Controllo& c) override;
  void GotFocus(ui::Controllo& c) override;
  void LostFocus(ui::Controllo& c) override;
  void KeyUp(ui::Controllo& c, int& KeyCode, int Shift) override;
  void Change(ui::Controllo& c) override;
  vb::Variant LeggiPerNome(const std::string& nome) override;
  void ScriviPerNome(const std::string& nome, const vb::Variant& valore) override;

  ui::Controllo& txt(int n) const { return C("txt", n); }
  ui::Controllo& lab(int n) const { return C("lab", n); }
  ui::Controllo& label1(int n) const { return C("label1", n); }
  ui::Controllo& txtLiv(int n) const { return C("txtLiv", n); }
  ui::Controllo& labLivOriz(int n) const { return C("labLivOriz", n); }
  ui::Controllo& labLivVert(int n) const { return C("labLivVert", n); }

  // The text of the status bar's "Messaggio" panel.
  std::string Messaggio() const;
  void MsgPannello(const std::string& psTesto);
  // A matrix above this many cells is refused: a cell index is a 16-bit
  // number.
  static constexpr long kMaxCelle = 32767;

  // =====================================================================
  // Matrix state. The two halves of the form were written with different
  // names for the same state; one member each, the other names here:
  //   miRigaCor  = miCorAsse1     miColCor = miCorAsse2   (current cell)
  //   msCodEle   = msEleLiv       msDesEle = msDesEleLiv  (element lists)
  //   miNumEle   = miNumEleLiv
  //   miGrpLiv1  = miAsseLiv1     miGrpLiv2 = miAsseLiv2  (axis of each level)
  //   mbLiv2     = mbLivello2                              (a second level group)
  //   mbCelleAttive = miQtaTotAttiva != 0                  (QtaTot counts)
  //   mbSalvato  = mbRigheScritte                          (the last save wrote rows)
  //   mbSalvaEdEsci = mbUscitaSalvata                      (closing after "Salva ed Esci")
  int16_t miAbilRw = 1;
  int16_t miGrpLiv1 = 1, miGrpLiv2 = 2;
  bool mbLiv2 = false;
  int16_t miNumGruppi = 0;
  int16_t miNumEle[3] = {0, 0, 0};
  // [group][element], elements from 1.
  std::vector<std::vector<std::string>> msCodEle, msDesEle;
  // Per-cell arrays, [e1][e2], 0..K1 by 0..K2.
  template <class T>
  using Celle = std::vector<std::vector<T>>;
  Celle<std::string> msQta, msPrezzo, msImporto, msFlagStato, msStatoRiga, msQtaProv, msQtaEvasa;
  Celle<long> mlColPrezzo, mlColImporto;
  Celle<int32_t> mlRigLivOrig;
  std::string msPrezzoUnico = kNessunPrezzo;
  std::vector<std::string> msTestoPrec;
  std::vector<std::string> msTestoPrecDett = std::vector<std::string>(121);
  int16_t miRigaCor = 1, miColCor = 1;
  bool mbCercaListBase = false;
  bool mbCelleAttive = false;
  bool mbSalvato = false, mbSalvaEdEsci = false;
  int16_t miEsitoCercaPrezzo = 0;
  // Why the last load refused the matrix ("" when it was built).
  std::string msRifiuto;
  // "$&?§ç": no price determined yet.
  static inline const std::string kNessunPrezzo = "$&?§ç";

  // A quantity written with the opener's quantity mask (the company's
  // quantity decimals when it gives none).
  static std::string TestoQta(const vb::Variant& pvValore, const std::string& psMaschera);
  // No cells: the matrix was refused or not built yet.
  bool Vuota() const { return msQta.empty() || msTestoPrec.empty(); }
  // Sizes with a floor of 1.
  int16_t K1() const { return NumTotLiv(1, true); }
  int16_t K2() const { return NumTotLiv(2, true); }
  // The level codes of a cell as they are stored.
  std::string Livello1Cella(int16_t e1, int16_t e2) const;
  std::string Livello2Cella(int16_t e1, int16_t e2) const;

 private:
  void CreaControlli();
  void Dimensiona(long k1, long k2);
  // Inner size of a picture box (inside its border).
  static long Interno(const ui::Controllo& c, bool larghezza);
  // Value of a cell's price or amount: the detail field for the current
  // cell (piC -1), else the arrays.
  std::string PrezzoCella(int16_t piC, int16_t piC2) const;
  void ImpPrezzoCella(int16_t piC, int16_t piC2, const std::string& psTesto);
  std::string ImportoCella(int16_t piC, int16_t piC2) const;
  void ImpImportoCella(int16_t piC, int16_t piC2, const std::string& psTesto);
  // piC -1: the current cell.
  void CellaEffettiva(int16_t& piC, int16_t& piC2) const;
  bool mbCaricata = false;
};
