// Prices and discounts of a level row, the carry-over of a changed price
// or discount to the other rows of the line, the stock display and the
// small editing modes of the level-row list.
#include <exception>
#include <string>
#include <vector>

#include "common/AziendaUtil.h"
#include "common/FunVarie.h"
#include "common/Globali.h"
#include "common/frmMsgCom.h"
#include "common/utilprg.h"
#include "levels/frmDDtDeLiv.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/dati/GestRecordset.h"
#include "platform/ui/Form.h"
#include "services/Impostazioni.h"

namespace {

const vb::FunzioniComuni& FC() { return vb::FunzioniComuni::Istanza(); }
bool Vuoto(const std::string& s) { return FC().Vuoto(vb::Variant(s)); }
vb::Variant Facoltativo(const std::string& s) { return Vuoto(s) ? vb::Missing : vb::Variant(s); }

std::string TestoValuta(double v, int16_t decimali) {
  return FC().MascheraNum(vb::Variant(v), decimali, {}, false, "#,##0", 0, {}, "0");
}

}  // namespace

// ------------------------------------------------------------ price search

std::string frmDDtDeLiv::CercaListino() {
  try {
    miPrezzoDaRiga = CercaPrezzo(false);
    const ParDettaglio& par = Par();
    txt(60).SetText(msPrezzoTrovato.empty() ? std::string()
                                            : TestoValuta(FC().ValDouble(vb::Variant(msPrezzoTrovato), true),
                                                          par.oiNumDecMonGes));
    if (FunVarie::ArrotConfronta(vb::Variant(Num(60)), vb::Variant(0.0), -8) != 0 && FlagLiv() == 0) mvPrezzoComune = Num(60);
    return msPrezzoTrovato;
  } catch (const vb::Errore& e) {
    frmMsgCom::MsgErrfrm(e);
    return {};
  }
}

int16_t frmDDtDeLiv::CercaPrezzo(bool pbSoloSconti) {
  const ParDettaglio& par = Par();
  if (pbSoloSconti) {
    if (!vb::UgualeTesto(osPromozione, "S")) {
      osArtLisModSconto = par.osListModSconto;
      osArtLisSconto = par.osListSconto;
    } else {
      osArtLisModSconto = "P";
    }
    return 0;
  }
  double prezzo = 0;
  if (FlagLiv() < 2 && LeggiPrezzo(prezzo)) {
    msPrezzoTrovato = TestoValuta(prezzo, par.oiNumDecMonGes);
    return 1;
  }
  if (Vuoto(txt(30).Text()) || Vuoto(txt(40).Text())) {
    msPrezzoTrovato.clear();
    return 0;
  }
  std::string sconto, modo;
  auto cerca = [&](const std::string& listino, const std::string& ivato) {
    return servizi::Testo(UtilDocFattGest::RicPrezzo(
        par.osQualeImporto, par.osIntTipo, txt(670).Text(), oiAnnoMag, txt(20).Text(), listino, ivato,
        par.osPrzIvato, par.osDataRif, par.osMoneta, par.oiNumDecMonGes, Num(320), txt(310).Text(), odPercIva,
        sconto, modo, vb::Variant(ofrmRiga->FlagLivLis()), vb::Variant(txt(30).Text()), vb::Variant(txt(40).Text()),
        Facoltativo(par.osCambio), Facoltativo(par.osMonOper)));
  };
  msPrezzoTrovato = cerca(par.osListino, par.osListIvato);
  if (par.obCercaListBase && FC().ValDouble(vb::Variant(msPrezzoTrovato), true) == 0)
    msPrezzoTrovato = cerca(par.osListBase, par.osListBaseIvato);
  const bool promo = vb::UgualeTesto(modo, "P") || vb::UgualeTesto(modo, "Q");
  if (promo && !vb::UgualeTesto(osArtLisModSconto, "P"))
    frmMsgCom::msgCom("Attenzione: articolo con prezzo IN PROMOZIONE", "&Ok", vb::Missing, vb::Missing, vb::Missing,
                      80, false, 600, vb::Missing, 1);
  else if (!promo && vb::UgualeTesto(osArtLisModSconto, "P"))
    frmMsgCom::msgCom("Attenzione: articolo con prezzo NON in promozione", "&Ok", vb::Missing, vb::Missing,
                      vb::Missing, 80, false, 600, vb::Missing, 1);
  return 0;
}

bool frmDDtDeLiv::LeggiPrezzo(double& pdPrezzo) {
  const Globali& g = G();
  const auto& fc = FC();
  const int16_t flag = FlagLiv();
  if (flag == 0 && !mvPrezzoComune.IsEmpty()) {
    pdPrezzo = fc.ValDouble(mvPrezzoComune, true);
    return true;
  }
  dati::GestRecordset rs;
  std::string k;
  bool trovato = false;
  try {
    std::string sql = "Select TOP 1 ValUnitario FROM DDtLivApp WHERE Anno = " +
                      fc.ValoreSql(vb::Variant(txt(600).Text()), vb::vbInteger) +
                      " AND NumRif = " + fc.ValoreSql(vb::Variant(txt(610).Text()), vb::vbLong) +
                      " AND RigLiv = " + fc.ValoreSql(vb::Variant(txt(10).Text()), vb::vbLong);
    if (flag == 1) sql += " AND Livello1 = " + fc.ValoreSql(vb::Variant(txt(30).Text()), vb::vbString);
    if (mpLinPag && mpLinPag->Stato() == 1)
      sql += " AND Livello2 <> " + fc.ValoreSql(vb::Variant(txt(40).Text()), vb::vbString);
    sql += " ORDER BY Livello1, Livello2";
    k = rs.ApriRecordset(*g.goDbAzienda, g.gsConnAzienda, "", sql, false, 4);
    if (!rs.NessunRecord(k)) {
      const double v = fc.ValDouble(rs.LeggiCampo(k, "ValUnitario"), true);
      if (v != 0) {
        pdPrezzo = v;
        if (flag == 0) mvPrezzoComune = v;
        trovato = true;
      }
    }
    rs.ChiudiRecordset(k);
  } catch (const vb::Errore& e) {
    try {
      if (!k.empty()) rs.ChiudiRecordset(k);
    } catch (...) {
    }
    frmMsgCom::MsgErrfrm(e);
    return false;
  }
  return trovato;
}

// ------------------------------------------------------------ discounts

void frmDDtDeLiv::AzzMemSconti() {
  const ParDettaglio& par = Par();
  if (!vb::UgualeTesto(osPromozione, "S")) {
    osArtLisModSconto = par.osListModSconto;
    osArtLisSconto = par.osListSconto;
  } else {
    osArtLisModSconto = "P";
    osArtLisSconto.clear();
  }
  osScontoQta.clear();
  osModScontoQta = "N";
  osScontoTab.clear();
  osModScontoTab = "N";
  auto& p = ogLinPag();
  if (p.ChiaveDati().empty() || p.OggDati().NessunRecord(p.ChiaveDati())) ElaboraSconti(false, true);
}

void frmDDtDeLiv::ElaboraSconti(bool pbAggPrezzi, bool pbRicalcSconti) {
  const ParDettaglio& par = Par();
  if (pbRicalcSconti) SbiancaSconti();
  std::string cli = txt(120).Text(), art = txt(90).Text(), qta = txt(100).Text(), tab = txt(110).Text(),
              prezzo = txt(60).Text();
  std::string modLisDoc = par.osListModSconto, scoLisDoc = par.osListSconto;
  UtilDocFattGest::ApplicaSconti(*this, cli, art, qta, tab, prezzo, txt(20).Text(), QtaTot(), par.osMoneta,
                                 odQtaPrezzo, osModScontoQta, osDetScontoQta, odTabPrezzo, osModScontoTab,
                                 osDetScontoTab, osDetScontoArt, osArtLisModSconto, osArtLisSconto, modLisDoc,
                                 scoLisDoc, osDetScontoClie, par.oiNumDecMonGes, par.osIntest, par.osIntTipo,
                                 par.osCategoria, ofrmRiga->ArtGruppo(), ofrmRiga->ArtSottoGru(), par.osTabSconti,
                                 pbRicalcSconti, false, odPercRidProvv, odPercRidProvvQta);
  txt(120).SetText(cli);
  txt(90).SetText(art);
  txt(100).SetText(qta);
  txt(110).SetText(tab);
  txt(60).SetText(prezzo);
  CalcScontoTot(pbAggPrezzi);
}

void frmDDtDeLiv::SbiancaSconti() {
  const bool promo = vb::UgualeTesto(osPromozione, "S");
  txt(90).SetText(promo ? std::string() : osDetScontoArt);
  txt(120).SetText(promo ? std::string() : osDetScontoClie);
  txt(100).SetText(promo ? std::string() : osDetScontoQta);
  txt(110).SetText(promo ? std::string() : osDetScontoTab);
  txt(80).SetText(promo ? std::string() : osDetScontoTot);
}

void frmDDtDeLiv::CalcScontoTot(bool pbAggPrezzo) {
  txt(80).SetText(AziendaUtil::UnisciSconti({vb::Variant(txt(90).Text()), vb::Variant(txt(120).Text()),
                                             vb::Variant(txt(100).Text()), vb::Variant(txt(110).Text())}));
  MostraScontoTot(pbAggPrezzo);
}

void frmDDtDeLiv::MostraScontoTot(bool pbAggPrezzo) {
  bool errore = false;
  const double perc = AziendaUtil::CalcPercSconto(txt(80).Text(), errore, 0, 6);
  lab(80).SetCaption(FC().MascheraNum(vb::Variant(perc), 6, {}, false, "#,##0", 0, {}, "^"));
  if (errore) {
    MsgPannello("Sconto non valido");
    txt(80).SetBackColor(G().glColoreErrore);
  } else {
    txt(80).SetBackColor(G().glColoreSfondo);
  }
  if (pbAggPrezzo) CalcPrezzo(0);
}

void frmDDtDeLiv::MostraScontiDet() {
  txt(120).SetText(osDetScontoClie);
  txt(110).SetText(osDetScontoTab);
  txt(90).SetText(osDetScontoArt);
  txt(100).SetText(osDetScontoQta);
  txt(80).SetText(osDetScontoTot);
  MostraScontoTot(false);
}

double frmDDtDeLiv::QtaTot() {
  if (miQtaTotAttiva == 0) return 0;
  double memorizzata = 0;
  if (mpLinPag && mpLinPag->Stato() == 1)
    memorizzata = FC().ValDouble(mpLinPag->OggDati().LeggiCampo(mpLinPag->ChiaveDati(), "DDtLivApp.Qta"), true);
  return Num(50) + NumLab(270) - memorizzata;
}

// ------------------------------------------------------------ amounts

void frmDDtDeLiv::CalcPrezzo(int piBaseCalc) {
  if (piBaseCalc != 2 && (piBaseCalc == 1 || Num(60) != 0))
    CalcDaUnitario();
  else
    CalcDaTotale();
  CalcLiraEuro();
}

void frmDDtDeLiv::CalcDaUnitario() {
  const double q = Num(50), a = Num(70), n = UnitScont();
  if (q != 0) {
    txt(70).SetText(TestoValuta(FC().Arrotonda(q * n, "A", 1, -Par().oiNumDecMon), Par().oiNumDecMon));
  } else if (a != 0 && n != 0) {
    txt(50).SetText(FC().MascheraNum(vb::Variant(a / n), G().giNumDecQta, {}, false, "#,##0", 0, {}, "^"));
  }
}

void frmDDtDeLiv::CalcDaTotale() {
  const double q = Num(50), a = Num(70);
  if (q != 0) {
    txt(60).SetText(TestoValuta(TotScont(a / q), Par().oiNumDecMonGes));
  } else if (Num(60) != 0) {
    const double n = UnitScont();
    if (n != 0) txt(50).SetText(FC().MascheraNum(vb::Variant(a / n), G().giNumDecQta, {}, false, "#,##0", 0, {}, "^"));
  }
}

double frmDDtDeLiv::UnitScont() {
  return AziendaUtil::CalcNetto(vb::Variant(Num(60)), vb::Variant(NumLab(80)), Par().oiNumDecMonGes,
                                G().gbArrUnitIntermedio);
}

double frmDDtDeLiv::TotScont(double pdValue) {
  return AziendaUtil::CalcLordo(vb::Variant(pdValue), vb::Variant(NumLab(80)), 8, false);
}

void frmDDtDeLiv::CalcLiraEuro() {
  const ParDettaglio& par = Par();
  double lire = 0, euro = 0, doc = 0;
  AziendaUtil::ConvLireEuro(vb::Variant(Num(70)), Facoltativo(par.osCambio), Facoltativo(par.osMonOper),
                            vb::Variant(par.osMoneta), lire, euro, doc, true, true, true, vb::Missing, vb::Missing,
                            vb::Missing, false, false, "E", "E", vb::Missing);
  lab(290).SetCaption(FC().MascheraNum(vb::Variant(lire), G().giNumDecLire, {}, false, "#,##0", 0, {}, "0"));
  lab(300).SetCaption(FC().MascheraNum(vb::Variant(euro), G().giNumDecEuro, {}, false, "#,##0", 0, {}, "0"));
}

// ------------------------------------------------------------ carry-over

void frmDDtDeLiv::AggPrezziAltri() {
  if (!mbCaricato || (FlagLiv() == 2 && !mbScontoCambiato)) return;
  const ParDettaglio& par = Par();
  const auto& fc = FC();
  FunVarie::Clessidra(true);
  bool inTrans = false;
  try {
    utilprg::TransInizio(0, -1, nullptr, -1, "");
    inTrans = true;
    if (FlagLiv() == 0) mvPrezzoComune = mdPrezzoAgg;
    mbAggPrezziFinito = false;
    UtilDocFattGest::AggPrezziLivelli("DDtLivApp", fc.ValInt(vb::Variant(txt(600).Text())),
                                      fc.ValLong(vb::Variant(txt(610).Text())), fc.ValLong(vb::Variant(txt(10).Text())),
                                      ofrmRiga->FlagLivLis(), mbScontoCambiato, msLivello1Agg, mdPrezzoAgg,
                                      txt(80).Text(), vb::Variant(NumLab(80)), par.oiNumDecMon, par.osCambio,
                                      par.osMonOper, par.osMoneta, false);
    utilprg::TransConferma(0, -1, nullptr, -1, "");
    inTrans = false;
    osDetScontoTot = txt(80).Text();
    ogLinPag().Riposiziona(true, -1, 0, -1, -1);
    mbAggPrezziFinito = true;
    FunVarie::Clessidra(false);
  } catch (...) {
    const std::exception_ptr e = std::current_exception();
    if (inTrans) {
      try {
        utilprg::TransAnnulla(0, -1, nullptr, -1, "");
      } catch (...) {
      }
    }
    FunVarie::Clessidra(false);
    mbAggPrezziFinito = true;
    // The rows as they stand after the rollback.
    try {
      ogLinPag().Riposiziona();
      CalcTotDocum();
    } catch (...) {
    }
    try {
      std::rethrow_exception(e);
    } catch (const vb::Errore& err) {
      frmMsgCom::MsgErrfrm(err);
    } catch (const std::exception& err) {
      frmMsgCom::MsgErrfrm(vb::Variant(std::string(err.what())), 5);
    }
  }
}

// ------------------------------------------------------------ stock and modes

void frmDDtDeLiv::MostraDispGiac() {
  if (Vuoto(txt(30).Text()) || Vuoto(txt(40).Text()) || oiAnnoMag == 0) {
    lab(130).SetCaption("");
    lab(140).SetCaption("");
    label1(140).SetVisible(false);
    return;
  }
  vb::Variant disp, giac;
  AziendaUtil::CalcGiacenza(txt(20).Text(), oiAnnoMag, vb::Variant(Par().osMagazzino), vb::Variant(txt(30).Text()),
                            vb::Variant(txt(40).Text()), &disp, &giac);
  const double d = FC().ValDouble(disp, true), gi = FC().ValDouble(giac, true);
  lab(130).SetCaption(vb::Variant(d).ToString());
  lab(140).SetCaption(vb::Variant(gi).ToString());
  const std::string segn = ofrmRiga->SegnalGiac();
  label1(140).SetVisible(gi < 0 && (vb::UgualeTesto(segn, "S") || vb::UgualeTesto(segn, "B")));
}

void frmDDtDeLiv::DisabCampiTerminale() {
  for (const auto& c : Controlli()) {
    const ui::Controllo* cont = nullptr;
    try {
      cont = c->Container();
    } catch (...) {
    }
    if (!cont || !vb::UgualeTesto(cont->Name(), "picdett")) continue;
    if (c->tipo() == ui::Tipo::Label) continue;
    if (vb::UgualeTesto(c->Name(), "txt") && (c->Index() == 50 || c->Index() == 20)) continue;
    c->SetEnabled(false);
  }
}

void frmDDtDeLiv::AnnullaIns() {
  const std::string l2 = txt(40).Text();
  if (!Vuoto(txt(30).Text()) || !(Vuoto(l2) || l2 == "~ç~")) return;
  auto& p = ogLinPag();
  const vb::Variant prima = p.LeggiVarPagina("MsgAnn", 12);
  p.ScriviVarPagina("MsgAnn", 12, vb::Variant("N"));
  ButtonComando("Annulla");
  p.ScriviVarPagina("MsgAnn", 12, prima);
}

vb::Variant frmDDtDeLiv::ButtonNuovo() {
  if (ui::Controllo* a = ActiveControl(); a && vb::UgualeTesto(a->Name(), "txt")) txt_GotFocus(a->Index());
  ButtonComando("Nuovo");
  return {};
}
