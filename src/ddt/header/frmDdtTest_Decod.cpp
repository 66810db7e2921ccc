// The decoders of the header's coded fields: the description beside each
// code, and what a code brings into the header (the document type's
// defaults, the currency's decimals and masks, a transport master's texts,
// the used amounts of a declaration of intent). Also the defaults of a new
// DDT and the mark beside the contract when lines do not follow it.
#include "common/AziendaUtil.h"
#include "common/FunVarie.h"
#include "common/Globali.h"
#include "common/frmMsgCom.h"
#include "ddt/header/frmDdtTest.h"
#include "fiscal/DichIntenti.h"
#include "lots/UtilLotto.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/aiuti/AiutiDecodifica.h"
#include "platform/dati/GestRecordset.h"
#include "services/Impostazioni.h"

namespace {

const vb::FunzioniComuni& FC() { return vb::FunzioniComuni::Istanza(); }

std::string Txt(const vb::Variant& v) { return servizi::Testo(v); }

bool Vuoto(const std::string& s) { return FC().Vuoto(vb::Variant(s), vb::vbString, 1, false); }

}  // namespace

void frmDdtTest::DecodSoloCodice(const std::string& psTipo, int piCodice, bool pbFaiHelp) {
  AziendaUtil::DecodCodice(psTipo, txt(piCodice), &lab(piCodice), {}, 0, 0, "", nullptr, "", "", 0, vb::Missing, -1,
                           pbFaiHelp ? -1 : 0);
}

// A code whose master carries texts the DDT may also hold on its own: with
// the code the visible boxes show the master and are locked, the hidden
// bound boxes are emptied (the row keeps the code only); without it the
// visible boxes take the DDT's own texts and are open for typing.
void frmDdtTest::DecodTestoLibero(int piCodice, int piVisibile, int piNascosto, bool pbModif, bool pbFocus,
                                  bool pbFaiHelp) {
  struct Copia {
    int vis, nasc;
    const char* colonna;
  };
  std::vector<Copia> copie;
  std::string tipo;
  aiuti::ChiaveAgg chiave;
  switch (piCodice) {
    case 800:
      tipo = "IndSped";
      copie = {{820, 840, "RagSoc2"},   {850, 900, "Indirizzo"}, {860, 910, "CAP"},
               {870, 920, "Localita"}, {880, 930, "Pr"},        {890, 940, "Stato"}};
      chiave = FC().Vuoto(vb::Variant(txt(86).Text())) ? aiuti::ChiaveAgg(txt(80))
                                                       : aiuti::ChiaveAgg{aiuti::ChiaveAgg(txt(86)), aiuti::ChiaveAgg(txt(80))};
      break;
    case 950:
      tipo = "Vettore";
      copie = {{980, 1020, "Indirizzo"}, {990, 1030, "CAP"}, {1000, 1040, "Localita"}, {1010, 1050, "Pr"},
               {1015, 1055, "Targa"}};
      break;
    case 1060: tipo = "CauTrasporto"; break;
    case 1090: tipo = "AspettoBene"; break;
    case 1120: tipo = "Resa"; break;
    case 1150: tipo = "Trasporto"; break;
    default: return;
  }
  auto abilita = [&](bool abil) {
    switch (piCodice) {
      case 800: AbilDestin(abil); break;
      case 950: AbilVettore(abil); break;
      case 1060: AbilCauTras(abil); break;
      case 1090: AbilAspetto(abil); break;
      case 1120: AbilResi(abil); break;
      default: AbilTrasporto(abil); break;
    }
  };

  ui::Controllo& codice = txt(piCodice);
  if (FC().Vuoto(vb::Variant(codice.Text()))) {
    codice.SetBackColor(G().glColoreSfondo);
    abilita(true);
    if (pbModif) {
      txt(piVisibile).SetText(txt(piNascosto).Text());
      for (const Copia& c : copie) txt(c.vis).SetText(txt(c.nasc).Text());
      if (pbFocus && txt(piVisibile).PuoFuoco()) txt(piVisibile).SetFocus();
    }
    return;
  }
  std::vector<vb::Variant> colonne;
  for (const Copia& c : copie) colonne.emplace_back(c.colonna);
  AziendaUtil::DecodCodice(tipo, codice, &txt(piVisibile), chiave, 0, 0, "", colonne.empty() ? nullptr : &colonne, "",
                           "", 0, vb::Missing, -1, pbFaiHelp ? -1 : 0);
  for (size_t i = 0; i < copie.size(); ++i) txt(copie[i].vis).SetText(i < colonne.size() ? Txt(colonne[i]) : "");
  txt(piNascosto).SetText("");
  for (const Copia& c : copie) txt(c.nasc).SetText("");
  // The carrier's plate may be kept on the DDT beside the code.
  if (piCodice == 950 && mbMemTargaVet) txt(1055).SetText(txt(1015).Text());
  abilita(false);
}

void frmDdtTest::MostraFattDoc(bool pbModif, bool pbFaiHelp) {
  static const char* const kColonne[] = {"MagCausale", "PrezzoDDT", "AFornitore", "PrefBolle", "Listino",
                                         "MagProposto", "NumNota1", "NumNota2", "NumNota3", "FattDocEvasione",
                                         "TabSconti", "DoveStampoDesLung", "MagCausaleRientro", "GgScadCli",
                                         "Segno", "RegimeMargine", "Interno", "Pagamento"};
  std::vector<vb::Variant> v;
  for (const char* c : kColonne) v.emplace_back(c);
  const vb::Variant r = AziendaUtil::DecodCodice("FattDocumento", txt(40), &lab(40), {}, 0, 0, "", &v,
                                                 " Tipo = '" + std::string("B") + "'", "", 0, vb::Missing, -1,
                                                 pbFaiHelp ? -1 : 0);
  // A type not found, or a look-up closed without a choice, changes nothing.
  if (r.ToInt() == 0) return;
  v.resize(std::size(kColonne));
  const bool interno = vb::UgualeTesto(Txt(v[16]), "S");
  AbilDdtInterno(interno);
  if (!pbModif || !HaBarra() || ogComPag().oiFlagOpe() == 0) return;
  if (interno) {
    if (ui::Controllo* c = Trova("che", 300)) c->SetValue(0);
    txt(300).SetText("N");
  }
  msMagCausale = Txt(v[0]);
  msDdtInterno = Txt(v[16]);
  msPrezzoDdtDoc = Txt(v[1]);
  msTabSconti = Txt(v[10]);
  mlGgScadCli = static_cast<int32_t>(FC().ValDouble(v[13], true));
  msSegnoDoc = Txt(v[14]);
  if (vb::UgualeTesto(msPrezzoDdtCli, "T")) txt(440).SetText(msPrezzoDdtDoc);
  // The payment discount goes on the lines for the types the user lists.
  const bool scoPagSuDett = AziendaUtil::VerifScontoPagInDet(txt(40).Text(), "DDT");
  if (ui::Controllo* c = Trova("che", 235)) c->SetValue(scoPagSuDett ? 1 : 0);
  txt(235).SetText(scoPagSuDett ? "S" : "N");
  vb::Variant qualeImporto;
  std::vector<vb::Variant> causale{vb::Variant("TipoMov"), vb::Variant("CarScar"), vb::Variant("Segno"),
                                   vb::Variant("Prov"),    vb::Variant("Dest"),    vb::Variant("Descrizione")};
  AziendaUtil::LeggiCampoDecod("MagCausale", vb::Variant(msMagCausale), qualeImporto, {}, 0, 8, "QualeImporto", 0,
                               &causale);
  causale.resize(6);
  msQualeImporto = Vuoto(Txt(qualeImporto)) ? std::string("L") : vb::Trim(Txt(qualeImporto));
  msPagamentoDoc = Txt(v[17]);
  msTipoMov = vb::Trim(Txt(causale[0]));
  msCarScar = vb::Trim(Txt(causale[1]));
  msSegnoCausale = vb::Trim(Txt(causale[2]));
  msProvCausale = vb::Trim(Txt(causale[3]));
  msDestCausale = vb::Trim(Txt(causale[4]));
  msDescCausale = vb::Trim(Txt(causale[5]));
  // What the cause means for the serial numbers and the lots of the lines.
  msMatrTipOpe = AziendaUtil::CalcMatrTipOpe(msTipoMov, msCarScar, msProvCausale, msSegnoCausale,
                                             msMatrCausaliRientro, msMagCausale, msMatrCausaliNoMovCar);
  msLottoTipOpe =
      UtilLotto::CalcLottoTipOpe(msTipoMov, msCarScar, msSegnoCausale, msMagCausale, msLottiCausaliNoMovCar);
  txt(86).SetText(Txt(v[2]));
  const std::string pref = Txt(v[3]);
  txt(50).SetText(Vuoto(pref) ? Txt(servizi::ParamDitta("Fat.PrefDdt")) : pref);
  msListinoDoc = Txt(v[4]);
  AbilListino(pbModif, true);
  const std::string mag = Txt(v[5]);
  txt(290).SetText(Vuoto(mag) ? Txt(servizi::ParamDitta("Mag.MagPrincipale")) : mag);
  DecodSoloCodice("Magazzino", 290, false);
  txt(530).SetText(Txt(v[6]));
  txt(540).SetText(Txt(v[7]));
  txt(550).SetText(Txt(v[8]));
  txt(300).SetText(Vuoto(Txt(v[9])) ? "N" : "S");
  msDoveStampoDesLung = Txt(v[11]);
  msMagCausaleRientro = Txt(v[12]);
  if (!Vuoto(msMagCausaleRientro)) txt(300).SetText("N");
  msRegimeMargine = Txt(v[15]);
  AggNonText();
  MostraScad(true);
}

void frmDdtTest::DecodDefault() {
  // Each decoder copies its own defaults: the document type first, the
  // currency second. No look-up window opens here.
  MostraFattDoc(true, false);
  MostraMoneta(true, true, true, false);
  DecodTestoLibero(1060, 1070, 1080, true, false, false);
  DecodTestoLibero(1090, 1100, 1110, true, false, false);
  DecodTestoLibero(1150, 1160, 1170, true, false, false);
}

void frmDdtTest::MostraIva(bool& pbModif, bool& pbFaiHelp) {
  (void)pbModif;
  DecodSoloCodice("Iva", 270, pbFaiHelp);
}

void frmDdtTest::MostraMoneta(bool pbModif, bool pbMostraCambio, bool pbDataOggi, bool pbFaiHelp) {
  std::vector<vb::Variant> v{vb::Variant("NumDec"), vb::Variant("NumDecGest"), vb::Variant("Operatore"),
                             vb::Variant("Cee")};
  const vb::Variant r = AziendaUtil::DecodCodice("Moneta", txt(400), &lab(400), {}, 0, 0, "", &v, "", "", 0,
                                                 vb::Missing, -1, pbFaiHelp ? -1 : 0);
  if (r.ToInt() == 0) return;
  if (!HaBarra() || ogComPag().oiFlagOpe() == 0 || !pbModif) return;
  v.resize(4);
  ui::Controllo& moneta = txt(400);
  const Globali& g = G();
  const std::string listino = vb::Trim(msMonetaListino);
  const std::string codice = moneta.Text();
  // A lira list may be used in a euro DDT and a euro list in a lira DDT.
  const bool coppiaLiraEuro = (vb::UgualeTesto(listino, g.gsCodLira) && vb::UgualeTesto(codice, g.gsCodEuro)) ||
                              (vb::UgualeTesto(listino, g.gsCodEuro) && vb::UgualeTesto(codice, g.gsCodLira));
  if (!listino.empty() && !vb::UgualeTesto(listino, codice) && !coppiaLiraEuro) moneta.SetBackColor(g.glColoreErrore);
  const bool cee = vb::UgualeTesto(Txt(v[3]), "S");
  if (moneta.BackColor() == ui::vbWindowBackground && !vb::Trim(codice).empty()) {
    msMonOper = Txt(v[2]);
    miNumDecMon = FC().ValInt(v[0], true, true);
    miNumDecMonGes = FC().ValInt(v[1], true, true);
    msMascImpMon = FC().MascheraNum(0, miNumDecMon, "0", true, "#,##0", 0, "", "^");
    msMascPrzMon = FC().MascheraNum(0, miNumDecMonGes, "0", true, "#,##0", 0, "", "^");
    if (pbMostraCambio) MostraCambioMoneta(pbDataOggi);
    AggTotali(false);
    if (cee) {
      txt(410).SetEnabled(false);
      if (ui::Controllo* b = Trova("ComHlp", 410)) b->SetEnabled(false);
      return;
    }
  }
  if (!cee) {
    txt(410).SetEnabled(true);
    if (ui::Controllo* b = Trova("ComHlp", 410)) b->SetEnabled(true);
  }
}

void frmDdtTest::MostraCambioMoneta(bool pbDataOggi) {
  ui::Controllo& data = txt(30);
  vb::Variant quando = vb::Variant(G().gtDataLavoro);
  if (!pbDataOggi && data.BackColor() != G().glColoreErrore && !FC().Vuoto(vb::Variant(data.Text()))) {
    const vb::Variant d = FC().ValData(vb::Variant(data.Text()), true);
    if (d.IsDate()) quando = d;
  }
  vb::Variant dataCambio;
  const vb::Variant r =
      AziendaUtil::LeggiCambio(txt(400).Text(), quando, txt(410), dataCambio, "#,###.^^^^^^", true, false);
  if (!r.ToBool()) txt(410).SetText("");
  if (ui::Controllo* l = Trova("lab", 410)) {
    const bool nessuna = !dataCambio.IsDate() || dataCambio.ToDate().Year() <= 100;
    l->SetCaption(nessuna ? std::string() : FC().Formatta(dataCambio, "dd/mm/yyyy"));
  }
}

void frmDdtTest::MostraPdcDicIntenti(bool pbModif, bool pbFaiHelp) {
  (void)pbModif;
  if (!mbDicIntentiTest) return;
  const Globali& g = G();
  // The frame's labels, those the window has.
  auto scrivi = [this](int n, const std::string& testo) {
    if (ui::Controllo* l = Trova("lab", n)) l->SetCaption(testo);
  };
  auto mostra = [&](int n, double importo) {
    scrivi(n, FC().MascheraNum(importo, g.giNumDecEuro, "0", false, "#,###", 0, "", "^"));
  };
  const bool senzaCodice = FC().Vuoto(vb::Variant(txt(310).Text()));
  const bool senzaConto = FC().Vuoto(vb::Variant(txt(80).Text()));
  std::string gruppo, mastro, conto;
  if (!senzaConto) AziendaUtil::DividiConto(FC().FormatTipo(vb::Variant(txt(80).Text()), "conto"), gruppo, mastro, conto);
  double fatture = 0, ddt = 0, ordini = 0;
  const int16_t numero = FC().ValInt(vb::Variant(txt(310).Text()), true, true);

  // What this DDT adds under a number typed and not yet saved.
  auto importoCambiato = [&]() -> double {
    if (!HaBarra() || ogComPag().oiFlagOpe() == 2) return 0;
    barre::BarraRecord& b = ogComPag();
    double memorizzato = 0;
    try {
      const vb::Variant m = b.OggDati().LeggiCampoNull(b.ChiaveDati(), "PdcDicIntenti");
      if (m.IsNull()) return 0;
      memorizzato = FC().ValDouble(m, true);
    } catch (...) {
      return 0;
    }
    const int32_t digitato = FC().ValLong(vb::Variant(txt(310).Text()), true);
    return digitato != 0 && digitato != static_cast<int32_t>(memorizzato)
               ? FC().ValDouble(vb::Variant(lab(170).Caption()), true)
               : 0;
  };

  if (senzaCodice || senzaConto) {
    for (int n : {310, 312, 314, 316, 319}) scrivi(n, "");
  } else {
    AziendaUtil::DecodCodice("PdcDicIntenti", txt(310), &lab(310),
                             aiuti::ChiaveAgg(FC().FormatTipo(vb::Variant(txt(80).Text()), "conto")), 0, 0, "", nullptr,
                             "", "", 0, vb::Missing, -1, pbFaiHelp ? -1 : 0);
    DichIntenti::CalcUtilizzatoDich(numero, gruppo, mastro, conto, fatture, ddt, ordini, true);
    ddt += importoCambiato();
    mostra(312, fatture);
    mostra(314, ddt);
    mostra(316, ordini);
  }
  auto colori = [&](bool superato) {
    for (int n : {312, 314, 316, 319})
      if (ui::Controllo* l = Trova("lab", n)) l->SetForeColor(superato ? 255 : 16711680);
    if (ui::Controllo* l = Trova("label1", 310)) l->SetBackColor(superato ? g.glColoreErrore : mlColSfondoLabel1);
  };
  double dichiarato = 0, o1 = 0, o2 = 0, o3 = 0;
  if (!senzaCodice && !senzaConto) {
    scrivi(520, Txt(DichIntenti::TestoDichIntenti(gruppo, mastro, conto, msDicIntentiCli, "DichIntentiTab", "",
                                                  dichiarato, 0, vb::Variant(numero), o1, o2, o3, importoCambiato())));
    mostra(318, dichiarato);
    double residuo = dichiarato - fatture;
    if (!vb::UgualeTesto(msDicIntentiCalcRes, "F")) residuo -= ddt;
    if (!vb::UgualeTesto(msDicIntentiCalcRes, "F") && !vb::UgualeTesto(msDicIntentiCalcRes, "D")) residuo -= ordini;
    mostra(319, residuo);
    colori(FunVarie::ArrotConfronta(dichiarato, fatture + ddt + ordini, -8) == -1);
    return;
  }
  colori(false);
  if (!senzaConto) {
    scrivi(520, Txt(DichIntenti::TestoDichIntenti(gruppo, mastro, conto, msDicIntentiCli, "DichIntentiTab", "",
                                                  dichiarato, 0, vb::Variant(0), o1, o2, o3, importoCambiato())));
    mostra(318, dichiarato);
    return;
  }
  scrivi(520, "");
  scrivi(318, "");
}

void frmDdtTest::VerContrDoppio() {
  try {
    const auto& fc = FC();
    const std::string t = G().gsTabDett;
    std::string sql = "Select count(*) as Tot From " + t + " where " + t + ".Anno = " +
                      fc.ValoreSql(vb::Variant(txt(20).Text()), vb::vbInteger) + " AND " + t +
                      ".NumRif = " + fc.ValoreSql(vb::Variant(txt(10).Text()), vb::vbLong);
    const std::string contratto = txt(1400).Text();
    if (!fc.Vuoto(vb::Variant(contratto), vb::vbString, 1, false))
      sql += " AND (" + t + ".Contratto <> " + fc.ValoreSql(vb::Variant(contratto), vb::vbString) + " OR isnull(" + t +
             ".Contratto))";
    else
      sql += " AND not isnull(" + t + ".Contratto)";
    sql += " AND (TipoRiga = " + fc.ValoreSql(vb::Variant("A"), vb::vbString) +
           " OR TipoRiga = " + fc.ValoreSql(vb::Variant("M"), vb::vbString) + ")";
    dati::GestRecordset rs;
    const std::string k = rs.ApriRecordset(*G().goDbAzienda, G().gsConnAzienda, "", sql, false, 4);
    const long tot = fc.ValLong(rs.LeggiCampo(k, "Tot"), true);
    rs.ChiudiRecordset(k);
    if (ui::Controllo* m = Trova("label1", 1402)) m->SetVisible(tot > 0);
  } catch (const vb::Errore& e) {
    frmMsgCom::MsgErrfrm(e);
  }
}
