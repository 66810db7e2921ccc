// The document commands of the header: the lines, printing, the restore of
// a printed DDT and of an evaded one, and the return from the line window.
// Each command first makes its own refusals (a header to save first, a
// window already open, the DDT in use by another user). The line window
// works on the working copies of the lines under the document lock; when it
// closes, the header follows what it committed (footer, save, lines grid)
// and the lock goes, unless the commit failed and the working rows are
// still the user's. The restore of a printed DDT takes it back to
// editable, its warehouse movements reversed and removed.
#include <cstdlib>

#include "common/AziendaUtil.h"
#include "common/FunVarie.h"
#include "common/Globali.h"
#include "common/frmMsgCom.h"
#include "common/DatiTestataForm.h"
#include "ddt/header/frmDdtTest.h"
#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/dati/GestDatabase.h"
#include "platform/ui/Form.h"
#include "services/ComLock.h"
#include "services/Impostazioni.h"
#include "services/UtilDocFattGest.h"
#include "stock/RipriDdt.h"
#include "platform/dati/GestRecordset.h"
#include "platform/barre/BarraNavigazione.h"
#include "ddt/lines/frmDDTDett.h"

namespace {

const vb::FunzioniComuni& FC() { return vb::FunzioniComuni::Istanza(); }

bool Uguale(const std::string& a, const std::string& b) { return vb::UgualeTesto(a, b); }

std::string Testo(const vb::Variant& v) {
  if (v.IsEmpty() || v.IsNull() || v.IsMissing()) return {};
  return v.ToString();
}

int16_t AnnoDdt(const frmDdtTest& f) { return FC().ValInt(vb::Variant(f.txt(20).Text()), true, true); }
int32_t NumRifDdt(const frmDdtTest& f) { return FC().ValLong(vb::Variant(f.txt(10).Text()), true, true); }

// Saves a header with pending changes; false when the command must stop:
// a new DDT (its first save opens its lines by itself) or changes still
// pending (the save was refused and said why).
bool SalvaPrima(frmDdtTest& f) {
  if (!f.InVar()) return true;
  const int modo = f.HaBarra() ? f.ogComPag().oiFlagOpe() : 0;
  f.ButtonComando("Salva");
  if (modo == 2) return false;
  return !f.InVar();
}

// Whether a list of codes separated by commas ("B2,RES,") holds the code as
// one of its items: "B2," holds "B2", not "B" nor "2".
bool InElenco(const std::string& psElenco, const std::string& psCodice) {
  const std::string codice = vb::Trim(psCodice);
  if (codice.empty()) return false;
  for (const std::string& voce : vb::Split(psElenco, ","))
    if (Uguale(vb::Trim(voce), codice)) return true;
  return false;
}

// The header as the line window sees its opener.
class ProtTestata : public ProtSottoForm {
 public:
  explicit ProtTestata(frmDdtTest& f) : f_(f) {}
  DatiTestataForm DatiTestata() const override { return f_.DatiTestata(); }
  std::string Zona() const override { return f_.osZona; }
  double ZonaSconto() const override { return f_.odZonaSconto; }
  double ZonaScontoLire() const override { return f_.odZonaScontoLire; }
  int32_t PosDett() const override { return f_.olPosDett; }
  void DopoSottoForm(bool pbAgg, bool pbOk) override { f_.DopoGestDettaglio(pbAgg, pbOk); }
  void PostoSottoForm(int32_t plLeft, int32_t plTop, int32_t plWidth, int32_t plHeight) override {
    f_.olFormDettLeft = plLeft;
    f_.olFormDettTop = plTop;
    f_.olFormDettWidth = plWidth;
    f_.olFormDettHeight = plHeight;
  }

 private:
  frmDdtTest& f_;
};

}  // namespace

ProtSottoForm& frmDdtTest::ProtDettaglio() {
  if (!mpProtDett) mpProtDett = std::make_shared<ProtTestata>(*this);
  return *mpProtDett;
}

DatiTestataForm frmDdtTest::DatiTestata() const {
  DatiTestataForm d;
  d.osAnno = txt(20).Text();
  d.osNumRif = txt(10).Text();
  d.osDataRif = txt(30).Text();
  d.osFattDocum = txt(40).Text();
  d.osLabFattDocum = lab(40).Caption();
  d.osPreDoc = txt(50).Text();
  d.osNumDoc = txt(60).Text();
  d.osDataDoc = txt(70).Text();
  d.osIntest = txt(80).Text();
  d.osIntRagSoc = lab(80).Caption();
  d.osIntRagSoc2 = lab(81).Caption();
  d.osListino = txt(200).Text();
  d.osMoneta = txt(400).Text();
  d.osCambio = txt(410).Text();
  return d;
}

// The line window's inputs from the header as it stands, in the order the
// line window's load expects them; the zone discounts are the header's own
// members, read again by the line window while it prices.
ParDettaglio frmDdtTest::PreparaParDettaglio(int16_t piGestDupl) {
  const auto& fc = FC();
  ParDettaglio p;
  static_cast<DatiTestataForm&>(p) = DatiTestata();
  p.osParam = osParam;
  p.oiAggTest = 0;
  p.oiGestDupl = piGestDupl;
  p.osIntTipo = txt(86).Text();
  p.osCategoria = msCategoriaCli;
  p.osZonaCli = msZonaCli;
  p.osGruppoMer = msGruppoContr;
  p.osMastroMer = msMastroContr;
  p.osContoMer = msContoContr;
  p.osQualeImporto = vb::Trim(msQualeImporto).empty() ? std::string("L") : msQualeImporto;
  p.osTabSconti = msTabSconti;
  p.osListIvato = msListIvato;
  p.osListSconto = msScontoListino;
  p.osListModSconto = msScoSomSost;
  p.obCercaListBase = mbCercaListBase && !Uguale(msListinoPrinc, txt(200).Text());
  p.osListBase = msListinoPrinc;
  p.osListBaseIvato = msListinoPrincIvato;
  p.osScontoClie = txt(240).Text();
  p.osScontoPag = txt(230).Text();
  const ui::Controllo* scoPag = Trova("che", 235);
  p.obScontoPagInDet = scoPag ? scoPag->Value() == 1 : Uguale(txt(235).Text(), "S");
  p.osMagazzino = txt(290).Text();
  p.osDescMagaz = lab(290).Caption();
  p.osMagazzDest = txt(88).Text();
  p.osStato = txt(110).Text();
  p.osLingua = txt(560).Text();
  p.oiRidPercAgenti = miRidPercAgenti;
  p.osIvaTest = txt(270).Text();
  p.osPrzIvato = txt(210).Text();
  p.oiNumDecMon = miNumDecMon;
  p.osNumDecMon = fc.MascheraNum(0, miNumDecMon, "0", true, "#,##0", 0, "", "^");
  p.osNumDecMonPers = fc.MascheraNum(0, miNumDecMon, "0", true, "#,###", 0, "", "^");
  p.oiNumDecMonGes = miNumDecMonGes;
  p.osNumDecMonGes = fc.MascheraNum(0, miNumDecMonGes, "0", true, "#,##0", 0, "", "^");
  p.osNumDecMonGesPers = fc.MascheraNum(0, miNumDecMonGes, "0", true, "#,###", 0, "", "^");
  p.osNumDecQta = msMascQtaDett;
  p.osMonOper = msMonOper;
  p.osEstrProv = txt(470).Text();
  p.osEstrProv2 = txt(515).Text();
  p.odPercProvv1 = fc.ValDouble(vb::Variant(txt(490).Text()), true, true);
  p.odPercProvv2 = fc.ValDouble(vb::Variant(txt(510).Text()), true, true);
  p.osDoveStampoDesLung = msDoveStampoDesLung;
  p.osProvenienza = txt(126).Text();
  p.osRegimeMargine = msRegimeMargine;

  // The customer's zone and its discounts, when discounts by zone are on.
  odZonaSconto = 0;
  odZonaScontoLire = 0;
  osZona = txt(570).Text();
  if (Uguale(G().gsScoZona, "S") && !fc.Vuoto(vb::Variant(osZona))) {
    vb::Variant sconto;
    std::vector<vb::Variant> altri{vb::Variant("ScontoLire")};
    if (AziendaUtil::LeggiCampoDecod("Zona", vb::Variant(osZona), sconto, {}, 0, 8, "Sconto", 0, &altri).ToInt() ==
        0) {
      odZonaSconto = fc.ValDouble(sconto, true, true);
      odZonaScontoLire = altri.empty() ? 0 : fc.ValDouble(altri[0], true, true);
    }
  }

  p.obRicPartLotti = mbRicPartLotti;
  p.osCauzAttNoCalc = msCauzAttNoCalc;
  p.osCauzAttNoSconti = msCauzAttNoSconti;
  p.osConaseSocio = msClasseAttrCli;
  p.osMatrUnica = msMatrUnica;
  p.oiMatrLungMin = miMatrLungMin;
  p.osTipOpe = msMatrTipOpe;
  p.obMatrGest = !vb::Trim(msMatrTipOpe).empty() && mbMatrGest;
  p.osMatrGuastoNoScar = msMatrGuastoNoScar;
  p.osMatrSegnTipOpe = msMatrSegnTipOpe;
  p.osTipoMov = msMagCausale;
  p.osTipoMovMag = msTipoMov;
  p.osVersoMovim = msCarScar;
  p.osSegnoMovim = msSegnoCausale;
  p.osCausProv = msProvCausale;
  p.osCausDest = msDestCausale;
  p.osLabMagCausale = msDescCausale;
  p.osLottoTipOpe = msLottoTipOpe;
  p.obTracQtaDivBloc = mbTracQtaDivBloc;
  p.oiTracQtaVer = miTracQtaVer;
  p.osDefParDaClassi = msDefParDaClassi;
  p.osModVisLotti = msModVisLotti;
  p.osVisLottiOrd = msVisLottiOrd;
  p.obVisLottiScad = mbVisLottiScad;
  p.osSoggRitAcc = fc.ValDouble(vb::Variant(txt(275).Text()), true, true) > 0 ? "S" : "N";
  p.obNoRaeeAutom = InElenco(msNoRaeeAutom, msMagCausale);
  p.osMagaNoGiac = msMagaNoGiac;
  p.osDettOrdIns = msDettOrdIns;
  p.osDettOrdInsTab = msDettOrdInsTab;
  p.osDettOrdCol = msDettOrdCol;
  p.osContratto = txt(1400).Text();
  p.obContrDiversi = label1(1402).Visible();
  p.obColliDec = mbColliDec;
  p.obLivGestTab = mbLivGestTab;
  p.obLivelliInsGest = mbLivelliInsGest;
  p.obCodBarLostFocusSalva = mbCodBarSalva;
  p.osKeySec = msKeySec;
  p.oiPosPicLiv = miPosPicLiv;
  p.osLiv1VertOriz = msLiv1VertOriz;
  p.oiCodBarLunArt = miCodBarLunArt;
  // An evaded DDT's lines are only shown.
  p.oiAbilRW = Uguale(txt(110).Text(), "E") ? int16_t(0) : oiAbilRW;
  p.olFormDettWidth = olFormDettWidth;
  p.olFormDettHeight = olFormDettHeight;
  p.olFormDettLeft = olFormDettLeft;
  p.olFormDettTop = olFormDettTop;
  return p;
}

void frmDdtTest::GestDettaglio(bool pbDopoDup, int16_t& piGestDupl) {
  if (!SalvaPrima(*this)) return;
  if (oiInDett > 0) return;
  if (!pbDopoDup) {
    std::string chiave = "Standard";
    if (!UtilDocFattGest::PrepDocApp(G().gsTipoDoc, G().gsNomeDoc, AnnoDdt(*this), NumRifDdt(*this),
                                     vb::Variant(G().gsTipoDoc), 0, chiave)
             .ToBool())
      return;
  }
  mpParDett = std::make_shared<ParDettaglio>(PreparaParDettaglio(piGestDupl));
  oiInDett = 1;
  frmDDTDett& dett = frmDDTDett::Istanza();
  dett.Apri(ProtDettaglio(), *mpParDett);
  SetEnabled(false);
  dett.Show();
}

// The line window closing. After its success the footer follows the
// stored lines, then the weight and packages by setting, and the header is
// saved again; the document lock goes whatever that meets. After its
// failure the lock stays: the working rows are still the user's.
void frmDdtTest::DopoGestDettaglio(bool pbAgg, bool pbOk) {
  SetEnabled(true);
  Show();
  olPosDett = -1;
  if (pbOk) {
    try {
      if (pbAgg || mbAggPiedeDopo) {
        if (AggPiede(false)) {
          if (Uguale(msCalcolaPeso, "S")) CalcolaPeso();
          if (Uguale(msRicalcColli, "Q") || Uguale(msRicalcColli, "C")) txt(1180).SetText(Testo(CalcTotColli()));
          ButtonComando("Salva");
        }
        MostraPdcDicIntenti(true, true);
      }
      mbAggPiedeDopo = false;
    } catch (...) {
      mbAggPiedeDopo = false;
      ComLock::SbloccaDoc(nullptr, -1);
      oiInDett = -1;
      throw;
    }
    ComLock::SbloccaDoc(nullptr, -1);
    MostraDett();
    VerContrDoppio();
  } else {
    mbAggPiedeDopo = false;
  }
  ui::Screen().MousePointer = 0;
  if (!mbScaricato)
    if (ui::Controllo* t = Trova("timComPag")) t->SetEnabled(true);
  oiInDett = -1;
}

void frmDdtTest::AggTestList(int16_t, int16_t) {}

void frmDdtTest::AggTestConv(int16_t, int16_t) {}

vb::Variant frmDdtTest::AggPrzLivModTest(dati::GestRecordset&, const std::string&, const std::string&,
                                         const std::string&, const std::string&, const std::string&,
                                         const std::string&, int16_t, const std::string&, const std::string&,
                                         const std::string&, bool, const std::string&, const std::string&, int16_t,
                                         int16_t, const std::string&) {
  return {};
}

vb::Variant frmDdtTest::ConvPrzLivModTest(dati::GestRecordset&, const std::string&, int16_t, int16_t) { return {}; }

// The DDT goes to the suite's print program: a print job is queued for it
// and the menu server starts the program, which prints, numbers and marks
// it; the header goes back to the search meanwhile.
void frmDdtTest::StampaDoc() {
  try {
    if (!SalvaPrima(*this)) return;
    const auto& g = G();
    const std::string stato = txt(110).Text();
    const int16_t tipoStampa = Uguale(stato, "S") || Uguale(stato, "E") ? 2 : 1;
    const std::vector<std::string> nomi{"StaDdtProgramma", "StaDdtTipoStampa"};
    const std::vector<vb::Variant> valori{vb::Variant(g.gsKeyPrg + g.gsParamPrg), vb::Variant(tipoStampa)};
    if (AziendaUtil::LanciaStampaDoc("StaDDT", "sDdt", g.gsKeyPrg, g.gsParamPrg, nomi, valori, -1, AnnoDdt(*this),
                                     NumRifDdt(*this), "TuttiSec", 0) == -1)
      return;
    ButtonComando("Ricerca");
    AziendaUtil::AttendiAvvioStampa("Stafat");
  } catch (const vb::Errore& e) {
    frmMsgCom::msgCom("(StampaDoc) Errore n°" + std::to_string(FC().CodiceErrore(e.Number())) + " :" +
                          e.Description(),
                      "&Ok");
  }
}

// A printed DDT back to editable. The restore shows the DDT again from the
// database, which would drop unsaved edits: those are saved first.
void frmDdtTest::Ripristino() {
  if (InVar()) {
    frmMsgCom::msgCom("Salvare la testata prima di ripristinare il DDT stampato", "&Ok");
    return;
  }
  if (frmMsgCom::msgCom("Confermi ripristino del DDT da stato stampato", "&Ok", vb::Variant("&Annulla")) != 1) return;
  FunVarie::Clessidra(-1);
  RipriDdt::ParRipristinoDdt par;
  par.piAnno = AnnoDdt(*this);
  par.psFattDocumento = txt(40).Text();
  par.plNumRifDa = par.plNumRifA = NumRifDdt(*this);
  par.psPreDoc = txt(50).Text();
  par.plNumDocDa = par.plNumDocA = 0;
  par.piDaElab = 0;
  par.psInterfLotti = mbRicPartLotti ? "S" : "N";
  RipriDdt::RipristinoDdt(par);
  // The DDT shown again as the restore left it.
  try {
    if (HaBarra()) {
      barre::BarraRecord& barra = ogComPag();
      const vb::Variant msgAnn = barra.LeggiVarBarra("MsgAnn", 12);
      barra.ScriviVarBarra("MsgAnn", 12, vb::Variant("N"));
      try {
        ButtonComando("Annulla");
      } catch (...) {
        barra.ScriviVarBarra("MsgAnn", 12, msgAnn);
        throw;
      }
      barra.ScriviVarBarra("MsgAnn", 12, msgAnn);
    }
  } catch (const vb::Errore& e) {
    frmMsgCom::MsgErrfrm(e);
  }
  FunVarie::Clessidra(0);
}

// An evaded DDT whose invoice is gone back to printed: its return movement
// is removed, then the header is saved with state "S".
void frmDdtTest::RipEvasione() {
  if (InVar()) {
    frmMsgCom::msgCom("Salvare la testata prima di ripristinare evasione", "&Ok");
    return;
  }
  if (frmMsgCom::msgCom("Confermi ripristino del DDT da stato evaso a stato stampato", "&Ok",
                        vb::Variant("&Annulla")) != 1)
    return;
  // The invoice is looked for now, not taken from a page that may not have
  // been shown: an invoiced DDT never goes back.
  MostraProvenienza();
  const ui::Controllo* evasione = Trova("lab", 2000);
  const bool conFattura = evasione && !vb::Trim(evasione->Caption()).empty();
  const int modo = HaBarra() ? ogComPag().oiFlagOpe() : 0;
  if (conFattura || !Uguale(txt(110).Text(), "E") || modo != 1) {
    frmMsgCom::msgCom("Non è possibile annullare l'evasione", "&Ok");
    return;
  }
  int32_t numMov = FC().ValLong(vb::Variant(lab(197).Caption()), true, true);
  int16_t annoMov = FC().ValInt(vb::Variant(lab(198).Caption()), true, true);
  if (numMov > 0 && annoMov > 0 && !CancMovimRientro(annoMov, numMov)) return;
  lab(198).SetCaption("0");
  lab(197).SetCaption("");
  txt(110).SetText("S");
  lab(110).SetCaption("Stampato");
  mbInRipEvasione = true;
  try {
    ButtonComando("Salva");
  } catch (...) {
    mbInRipEvasione = false;
    throw;
  }
  mbInRipEvasione = false;
  ui::Controllo& barra = C("tolComPag");
  if (barra.HaElem("RipEvasione")) {
    barra.Elem("RipEvasione").Visible = false;
    barra.ElementoCambiato();
  }
}

// Removes the DDT's return movement: its rows give their stock back and go,
// then its header. The movement is locked meanwhile under a key of its own,
// given back on every way out; a reversal that did not go through keeps the
// header, so the rows left still have their movement.
bool frmDdtTest::CancMovimRientro(int16_t& piAnnoMovimRientro, int32_t& plNumMovimRientro) {
  const auto& fc = FC();
  std::string chiave;
  auto rilascia = [&] {
    if (!chiave.empty()) ComLock::SbloccaDoc(&chiave, -1);
  };
  const std::string movimento =
      " in Movmag. n.rif " + std::to_string(plNumMovimRientro) + " anno " + std::to_string(piAnnoMovimRientro);
  try {
    for (;;) {
      std::string utente, varie, descErrore;
      std::string gestione = "1";
      int16_t nuovo = -1;
      long numErrore = 0;
      const int16_t esito =
          ComLock::BloccaDoc("0", "M", piAnnoMovimRientro, plNumMovimRientro, nuovo, 0, chiave, "Il Mov. Magazzino",
                             utente, gestione, varie, 0, "D", AnnoDdt(*this), NumRifDdt(*this), 0, nullptr,
                             &numErrore, &descErrore);
      if (esito == ComLock::kBloccoPreso) break;
      if (esito == ComLock::kBloccoInUso || esito == ComLock::kBloccoConteso) {
        if (frmMsgCom::msgCom("Il Mov. Magazzino è in uso da " + utente, "Riprova", vb::Variant("Esci")) == 1)
          continue;
      } else {
        frmMsgCom::msgCom("Errore n°" + std::to_string(numErrore) + movimento +
                              " errore nel loccaggio del movimento di magazzino: " + descErrore,
                          "&Ok");
      }
      rilascia();
      return false;
    }

    std::string utente, varie, gestione = "1";
    int16_t nuovo = 0;
    long numErrore = 0;
    std::string descErrore;
    if (ComLock::BloccaDoc("6", "M", piAnnoMovimRientro, plNumMovimRientro, nuovo, -1, chiave, "Il Mov. Magazzino",
                           utente, gestione, varie, 0, "", 0, 0, 0, nullptr, &numErrore, &descErrore) !=
        ComLock::kBloccoPreso) {
      frmMsgCom::msgCom("Errore n°" + std::to_string(numErrore) + " : Errore nel locaggio, Movimento n.rif " +
                            std::to_string(plNumMovimRientro) + " anno " + std::to_string(piAnnoMovimRientro),
                        "&Ok");
      rilascia();
      return false;
    }

    if (!mfDisAggMovim) {
      // The rows of the movement reversed and deleted under a recordset
      // manager of this removal; rows left answer not 0, so the header stays.
      mfDisAggMovim = [](int16_t piAnno, int32_t plNumReg, const std::string& psRighe) -> int32_t {
        dati::GestRecordset rs;
        std::string righe, testa;
        int16_t modo = 0;
        const long prima = RipriDdt::RigheNonStornate();
        const int32_t esito =
            RipriDdt::DisAggMovim(piAnno, plNumReg, rs, righe, psRighe, vb::Variant(true), testa, true, "2", modo);
        for (std::string* k : {&righe, &testa}) {
          try {
            if (!k->empty()) rs.ChiudiRecordset(*k);
          } catch (...) {
          }
        }
        if (esito != 0) return esito;
        return RipriDdt::RigheNonStornate() != prima ? 1 : 0;
      };
    }
    FunVarie::Clessidra(-1);
    int32_t esitoLivelli = 0;
    if (Uguale(Testo(servizi::ParamDitta("Mag.GesTaglie")), "S"))
      esitoLivelli = mfDisAggMovim(piAnnoMovimRientro, plNumMovimRientro, "L");
    const int32_t esitoDettaglio = mfDisAggMovim(piAnnoMovimRientro, plNumMovimRientro, "D");
    FunVarie::Clessidra(0);
    if (esitoLivelli != 0 || esitoDettaglio != 0) {
      frmMsgCom::msgCom("Il movimento di magazzino di rientro n.rif " + std::to_string(plNumMovimRientro) + " anno " +
                            std::to_string(piAnnoMovimRientro) +
                            " non è stato cancellato: alcune righe non sono state disaggiornate",
                        "&Ok");
      rilascia();
      return false;
    }
    G().goDbAzienda->EseguiSql(G().gsConnAzienda,
                               std::string("DELETE MovMagTes.*") + " FROM" + " MovMagTes" + " WHERE" +
                                   " MovMagTes.Anno=" + fc.ValoreSql(vb::Variant(piAnnoMovimRientro), vb::vbInteger) +
                                   " AND MovMagTes.NumReg=" +
                                   fc.ValoreSql(vb::Variant(static_cast<long>(plNumMovimRientro)), vb::vbLong));
    rilascia();
    return true;
  } catch (const vb::Errore& e) {
    FunVarie::Clessidra(0);
    rilascia();
    frmMsgCom::MsgErrfrm(e);
    return false;
  }
}
