// Price, discounts and amount of a cell. The current cell works through the
// detail fields txt(60) and txt(70); any other cell through its arrays.
#include "common/AziendaUtil.h"
#include "common/FunVarie.h"
#include "common/Globali.h"
#include "common/frmMsgCom.h"
#include "levels/frmGestLivelli.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"

namespace {
const vb::FunzioniComuni& FC() { return vb::FunzioniComuni::Istanza(); }
}  // namespace

std::string frmGestLivelli::TestoQta(const vb::Variant& pvValore, const std::string& psMaschera) {
  if (!vb::Trim(psMaschera).empty()) return FC().Formatta(pvValore, psMaschera);
  return FC().MascheraNum(pvValore, G().giNumDecQta, {}, false, "#,##0", 0, {}, "^");
}

void frmGestLivelli::CellaEffettiva(int16_t& piC, int16_t& piC2) const {
  if (piC == -1) {
    piC = miRigaCor;
    piC2 = miColCor;
  }
}

std::string frmGestLivelli::PrezzoCella(int16_t piC, int16_t piC2) const {
  if (piC == -1) return txt(60).Text();
  return msPrezzo[static_cast<size_t>(piC)][static_cast<size_t>(piC2)];
}
void frmGestLivelli::ImpPrezzoCella(int16_t piC, int16_t piC2, const std::string& psTesto) {
  if (piC == -1) txt(60).SetText(psTesto);
  else msPrezzo[static_cast<size_t>(piC)][static_cast<size_t>(piC2)] = psTesto;
}
std::string frmGestLivelli::ImportoCella(int16_t piC, int16_t piC2) const {
  if (piC == -1) return txt(70).Text();
  return msImporto[static_cast<size_t>(piC)][static_cast<size_t>(piC2)];
}
void frmGestLivelli::ImpImportoCella(int16_t piC, int16_t piC2, const std::string& psTesto) {
  if (piC == -1) txt(70).SetText(psTesto);
  else msImporto[static_cast<size_t>(piC)][static_cast<size_t>(piC2)] = psTesto;
}

namespace {
// A price text read as a number: the marker of an unknown price reads 0.
double ValPrezzo(const std::string& s) {
  return vb::UgualeTesto(s, frmGestLivelli::kNessunPrezzo) ? 0 : FC().ValDouble(vb::Variant(s));
}
}  // namespace

int16_t frmGestLivelli::CercaPrezzo(int16_t piC, int16_t piC2, double& pdPrezzo, bool pbSoloSconti, bool pbNoPrz) {
  const DatiAperturaLivelli d = ofrmMain ? ofrmMain->DatiLivelli() : DatiAperturaLivelli{};
  CellaEffettiva(piC, piC2);
  if (pbSoloSconti) {
    if (!vb::UgualeTesto(osPromozione, "S")) {
      osArtLisModSconto = d.osListModSconto;
      osArtLisSconto = d.osListSconto;
    } else {
      osArtLisModSconto = "P";
    }
    return 0;
  }
  if (!pbNoPrz && FC().ValInt(vb::Variant(d.osFlagLivLis)) < 2 && LeggiPrezzo(piC, piC2, pdPrezzo)) return 1;
  const std::string liv1 = Livello1Cella(piC, piC2);
  const std::string liv2 = mbLiv2 ? Livello2Cella(piC, piC2) : std::string("~ç~");
  if (FC().Vuoto(vb::Variant(liv1)) || FC().Vuoto(vb::Variant(liv2))) {
    pdPrezzo = 0;
    return 0;
  }
  std::string sconto, modo;
  auto cerca = [&](const std::string& listino, const std::string& ivato) {
    const vb::Variant p = UtilDocFattGest::RicPrezzo(
        d.osQualeImporto, d.osIntTipo, txt(670).Text(), oiAnnoMag, txt(20).Text(), listino, ivato, d.osPrzIvato,
        d.osDataRif, d.osMoneta, d.oiNumDecMonGes, odFatCon, osUm, odPercIva, sconto, modo,
        vb::Variant(d.osFlagLivLis), vb::Variant(liv1), vb::Variant(liv2));
    return FC().ValDouble(p);
  };
  pdPrezzo = cerca(d.osListino, d.osListIvato);
  if (pdPrezzo == 0 && mbCercaListBase) pdPrezzo = cerca(d.osListBase, d.osListBaseIvato);
  return 0;
}

void frmGestLivelli::CercaPrezzo() {
  double p = 0;
  CercaPrezzo(-1, -1, p, true, false);
}

vb::Variant frmGestLivelli::CercaListino(int16_t piC, int16_t piC2, bool pbNoPrz) {
  try {
    const DatiAperturaLivelli d = ofrmMain ? ofrmMain->DatiLivelli() : DatiAperturaLivelli{};
    CellaEffettiva(piC, piC2);
    double prezzo = 0;
    miEsitoCercaPrezzo = CercaPrezzo(piC, piC2, prezzo, false, pbNoPrz);
    const size_t a = static_cast<size_t>(piC), b = static_cast<size_t>(piC2);
    msPrezzo[a][b] =
        prezzo != 0 ? FC().MascheraNum(vb::Variant(prezzo), d.oiNumDecMonGes, {}, false, "#,##0", 0, {}, "0") : "";
    mlColPrezzo[a][b] = G().glColoreSfondo;
    if (FunVarie::ArrotConfronta(vb::Variant(prezzo), vb::Variant(0), -8) != 0) {
      const int16_t modo = FC().ValInt(vb::Variant(d.osFlagLivLis));
      if (modo == 0) {
        msPrezzoUnico = vb::Variant(prezzo).ToString();
      } else if (modo == 1) {
        if (vb::UgualeTesto(osLiv1VertOriz, "O")) msPrezzo[a][0] = msPrezzo[a][b];
        else msPrezzo[0][b] = msPrezzo[a][b];
      }
    }
    return vb::Variant(prezzo);
  } catch (...) {
    frmMsgCom::MsgErrfrm();
    return vb::Variant();
  }
}

void frmGestLivelli::AzzMemSconti(bool pbNorec) {
  const DatiAperturaLivelli d = ofrmMain ? ofrmMain->DatiLivelli() : DatiAperturaLivelli{};
  if (!vb::UgualeTesto(osPromozione, "S")) {
    osArtLisModSconto = d.osListModSconto;
    osArtLisSconto = d.osListSconto;
  } else {
    osArtLisModSconto = "P";
    osArtLisSconto = "";
  }
  osScontoQta = "";
  osModScontoQta = "N";
  osScontoTab = "";
  osModScontoTab = "N";
  if (pbNorec) ElaboraSconti(false, true);
}

void frmGestLivelli::ElaboraSconti(bool pbAggPrezzi, bool pbRicalcSconti) {
  const DatiAperturaLivelli d = ofrmMain ? ofrmMain->DatiLivelli() : DatiAperturaLivelli{};
  if (pbRicalcSconti) SbiancaSconti();
  std::string cli = txt(120).Text(), art = txt(90).Text(), qta = txt(100).Text(), tab = txt(110).Text(),
              prezzo = txt(60).Text();
  std::string lisModDoc = d.osListModSconto, lisScoDoc = d.osListSconto;
  UtilDocFattGest::ApplicaSconti(*this, cli, art, qta, tab, prezzo, txt(20).Text(), vb::Variant(QtaTot()), d.osMoneta,
                                 odQtaPrezzo, osModScontoQta, osDetScontoQta, odTabPrezzo, osModScontoTab,
                                 osDetScontoTab, osDetScontoArt, osArtLisModSconto, osArtLisSconto, lisModDoc,
                                 lisScoDoc, osDetScontoClie, d.oiNumDecMonGes, d.osIntest, d.osIntTipo, d.osCategoria,
                                 d.osArtGruppo, d.osArtSottoGru, d.osTabSconti, pbRicalcSconti, false, odPercRidProvv,
                                 odPercRidProvvQta);
  txt(120).SetText(cli);
  txt(90).SetText(art);
  txt(100).SetText(qta);
  txt(110).SetText(tab);
  txt(60).SetText(prezzo);
  CalcScontoTot(pbAggPrezzi);
}

void frmGestLivelli::SbiancaSconti() {
  const bool promo = vb::UgualeTesto(osPromozione, "S");
  txt(90).SetText(promo ? "" : osDetScontoArt);
  txt(120).SetText(promo ? "" : osDetScontoClie);
  txt(100).SetText(promo ? "" : osDetScontoQta);
  txt(110).SetText(promo ? "" : osDetScontoTab);
  txt(80).SetText(promo ? "" : osDetScontoTot);
  MostraScontoTot(false);
}

void frmGestLivelli::CalcScontoTot(bool pbAggPrezzo) {
  txt(80).SetText(AziendaUtil::UnisciSconti({vb::Variant(txt(90).Text()), vb::Variant(txt(120).Text()),
                                             vb::Variant(txt(100).Text()), vb::Variant(txt(110).Text())}));
  MostraScontoTot(pbAggPrezzo);
}

void frmGestLivelli::MostraScontoTot(bool pbAggPrezzo) {
  const Globali& g = G();
  bool errore = false;
  const double perc = AziendaUtil::CalcPercSconto(txt(80).Text(), errore, 0, 6);
  lab(80).SetCaption(FC().MascheraNum(vb::Variant(perc), 6, {}, false, "#,##0", 0, {}, "^"));
  if (errore) {
    MsgPannello("Sconto non valido");
    txt(80).SetBackColor(g.glColoreErrore);
  } else {
    txt(80).SetBackColor(g.glColoreSfondo);
  }
  if (!pbAggPrezzo || Vuota()) return;
  CalcPrezzo(0, -1, -1);
  for (int16_t c1 = 1; c1 <= K1(); ++c1)
    for (int16_t c2 = 1; c2 <= K2(); ++c2) CalcPrezzo(0, c1, c2);
}

void frmGestLivelli::CalcPrezzo(int16_t piBaseCalc, int16_t piC, int16_t piC2) {
  const double p = ValPrezzo(PrezzoCella(piC, piC2));
  if (piBaseCalc == 2 || (p == 0 && piBaseCalc != 1)) CalcDaTotale(piC, piC2);
  else CalcDaUnitario(piC, piC2);
}

double frmGestLivelli::UnitScont(int16_t piC, int16_t piC2) {
  const DatiAperturaLivelli d = ofrmMain ? ofrmMain->DatiLivelli() : DatiAperturaLivelli{};
  return AziendaUtil::CalcNetto(vb::Variant(ValPrezzo(PrezzoCella(piC, piC2))),
                                vb::Variant(FC().ValDouble(vb::Variant(lab(80).Caption()))), d.oiNumDecMonGes,
                                oiTipoGest == 6 ? true : G().gbArrUnitIntermedio);
}

double frmGestLivelli::TotScont(double pdValue) {
  return AziendaUtil::CalcLordo(vb::Variant(pdValue), vb::Variant(FC().ValDouble(vb::Variant(lab(80).Caption()))), 8,
                                false);
}

void frmGestLivelli::CalcDaUnitario(int16_t piC, int16_t piC2) {
  const DatiAperturaLivelli d = ofrmMain ? ofrmMain->DatiLivelli() : DatiAperturaLivelli{};
  int16_t c = piC, c2 = piC2;
  CellaEffettiva(c, c2);
  ui::Controllo& box = txtLiv(IndDaEle(c, c2));
  const double q = FC().ValDouble(vb::Variant(box.Text()));
  const double n = UnitScont(piC, piC2);
  if (q != 0) {
    ImpImportoCella(piC, piC2, FC().MascheraNum(vb::Variant(q * n), d.oiNumDecMon, {}, false, "#,##0", 0, {}, "0"));
    return;
  }
  const double a = FC().ValDouble(vb::Variant(ImportoCella(piC, piC2)));
  if (a != 0 && n != 0) box.SetText(TestoQta(vb::Variant(a / n), d.osNumDecQta));
}

void frmGestLivelli::CalcDaTotale(int16_t piC, int16_t piC2) {
  const DatiAperturaLivelli d = ofrmMain ? ofrmMain->DatiLivelli() : DatiAperturaLivelli{};
  int16_t c = piC, c2 = piC2;
  CellaEffettiva(c, c2);
  ui::Controllo& box = txtLiv(IndDaEle(c, c2));
  const double q = FC().ValDouble(vb::Variant(box.Text()));
  const double a = FC().ValDouble(vb::Variant(ImportoCella(piC, piC2)));
  if (q != 0) {
    ImpPrezzoCella(piC, piC2,
                   FC().MascheraNum(vb::Variant(TotScont(a / q)), d.oiNumDecMonGes, {}, false, "#,##0", 0, {}, "0"));
    return;
  }
  if (ValPrezzo(PrezzoCella(piC, piC2)) != 0) {
    const double n = UnitScont(piC, piC2);
    if (n != 0) box.SetText(TestoQta(vb::Variant(a / n), d.osNumDecQta));
  }
}
