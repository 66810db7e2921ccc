#pragma once
// How a document window and the windows it opens meet. The opener hands a
// sub-window its inputs, disables itself and shows it; the sub-window reads
// the opener's document-header members to fill its own header panel and,
// when it closes, calls the opener back. The opener is reached through
// `ProtSottoForm`, never by the name of a member: what it offers and the
// callback it answers are typed here.
//
// The line window of a DDT gets its whole input at once (`ParDettaglio`):
// the document-header members followed by the settings and decoded values
// of the header it prices, checks and numbers the lines with.
#include <cstdint>
#include <string>

// The document-header members a document window offers to its sub-windows,
// all text. `osRiferimClie` and `osIva` belong to the line window: the
// header leaves them empty (the line window sets `osIva` to the VAT code of
// the article of its current line).
struct DatiTestataForm {
  std::string osAnno, osNumRif, osDataRif;
  std::string osFattDocum, osLabFattDocum;
  std::string osPreDoc, osNumDoc, osDataDoc;
  std::string osIntest, osIntRagSoc, osIntRagSoc2;
  std::string osRiferimClie;
  std::string osListino, osMoneta, osCambio;
  std::string osIva;
};

// What the header hands the line window when it opens it: the
// `DatiTestataForm` members, then the rest of the inputs (prefix os text,
// ob flag, oi 16-bit integer, od double). `oiAbilRW` is applied by the line
// window after its load (it acts on its toolbar and line page).
struct ParDettaglio : DatiTestataForm {
  std::string osParam;
  int16_t oiAggTest = 0;
  int16_t oiGestDupl = 0;
  std::string osIntTipo;
  std::string osCategoria, osZonaCli, osGruppoMer, osMastroMer, osContoMer;
  std::string osQualeImporto, osTabSconti;
  std::string osListIvato, osListSconto, osListModSconto;
  bool obCercaListBase = false;
  std::string osListBase, osListBaseIvato;
  std::string osScontoClie, osScontoPag;
  bool obScontoPagInDet = false;
  std::string osMagazzino, osDescMagaz, osMagazzDest;
  std::string osStato, osLingua;
  int16_t oiRidPercAgenti = 0;
  std::string osIvaTest, osPrzIvato;
  int16_t oiNumDecMon = 0;
  std::string osNumDecMon, osNumDecMonPers;
  int16_t oiNumDecMonGes = 0;
  std::string osNumDecMonGes, osNumDecMonGesPers;
  std::string osNumDecQta, osMonOper;
  std::string osEstrProv, osEstrProv2;
  double odPercProvv1 = 0, odPercProvv2 = 0;
  std::string osDoveStampoDesLung, osProvenienza, osRegimeMargine;
  bool obRicPartLotti = false;
  std::string osCauzAttNoCalc, osCauzAttNoSconti, osConaseSocio;
  std::string osMatrUnica;
  int16_t oiMatrLungMin = 0;
  std::string osTipOpe;
  bool obMatrGest = false;
  std::string osMatrGuastoNoScar, osMatrSegnTipOpe;
  // The document type's warehouse causal and what it says.
  std::string osTipoMov, osTipoMovMag, osVersoMovim, osSegnoMovim, osCausProv, osCausDest, osLabMagCausale;
  std::string osLottoTipOpe;
  bool obTracQtaDivBloc = false;
  int16_t oiTracQtaVer = 0;
  std::string osDefParDaClassi, osModVisLotti, osVisLottiOrd;
  bool obVisLottiScad = false;
  std::string osSoggRitAcc;
  bool obNoRaeeAutom = false;
  std::string osMagaNoGiac, osDettOrdIns, osDettOrdInsTab, osDettOrdCol;
  std::string osContratto;
  bool obContrDiversi = false;
  bool obColliDec = false, obLivGestTab = false, obLivelliInsGest = false, obCodBarLostFocusSalva = false;
  std::string osKeySec;
  int16_t oiPosPicLiv = 0;
  std::string osLiv1VertOriz;
  int16_t oiCodBarLunArt = 0;
  int16_t oiAbilRW = 1;
  // The line window's place and size when it last closed (0: its design).
  int32_t olFormDettWidth = 0, olFormDettHeight = 0, olFormDettLeft = 0, olFormDettTop = 0;
};

// The opener of a sub-window, as the sub-window sees it.
class ProtSottoForm {
 public:
  virtual ~ProtSottoForm() = default;
  // The header members the sub-window shows in its header panel.
  virtual DatiTestataForm DatiTestata() const = 0;
  // The zone of the document's customer and that zone's discounts, read by
  // the line window while it prices a line.
  virtual std::string Zona() const = 0;
  virtual double ZonaSconto() const = 0;
  virtual double ZonaScontoLire() const = 0;
  // The line of the opener's grid to start on, -1 none.
  virtual int32_t PosDett() const = 0;
  // The sub-window closing: pbAgg its work was written back into the
  // document, pbOk no failure met (false: the write-back or the close
  // failed, and the document stays locked). A sub-window whose callback
  // takes no arguments passes true, true.
  virtual void DopoSottoForm(bool pbAgg, bool pbOk) = 0;
  // The sub-window's place and size, kept by the opener for the next time.
  virtual void PostoSottoForm(int32_t plLeft, int32_t plTop, int32_t plWidth, int32_t plHeight) = 0;
};
