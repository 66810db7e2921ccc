// The article of the line: what an article code typed or chosen puts on the
// line (its defaults by the side of the document), and what showing a
// stored line reloads of the article into the window's state without
// touching the line.
#include <string>
#include <vector>

#include "barcode/BarCode.h"
#include "common/AziendaUtil.h"
#include "common/FunVarie.h"
#include "common/Globali.h"
#include "ddt/lines/frmDDTDett.h"
#include "ddt/lines/frmDDTDett_Util.h"
#include "platform/Testo.h"
#include "platform/dati/GestRecordset.h"
#include "platform/ui/Griglia.h"
#include "services/Impostazioni.h"

using namespace DettUtil;

namespace {

// The article columns read by one decode, by position.
enum Col {
  cArtUM, cArtUMAcq, cArtUMVen, cFatConAcq, cFatConVen, cLivGruppo1, cLivGruppo2, cIva, cArticolo,
  cFlagLivLis, cSconto, cProvvigione, cPezziPerConf,
  // the goods account of the side, then the sales account whatever the side
  cGruppoLato, cMastroLato, cContoLato, cGruppoVen, cMastroVen, cContoVen,
  cArtGruppo, cArtSottoGru, cDesLunga, cSegnalazione, cSettore, cTempoConsegna,
  cAttr1, cAttr2, cAttr3, cAttr4, cAttr5, cGestRintraccia, cLunghezza, cLarghezza, cAltezza, cCauzione,
  cArtRAEE, kNumColonne
};

std::string T(const vb::Variant& v) { return servizi::Testo(v); }

// The names of the columns, the VAT and goods account by the side.
std::vector<vb::Variant> Colonne(bool fornitore, bool soci) {
  std::vector<vb::Variant> c(kNumColonne);
  const char* nomi[kNumColonne] = {
      "ArtUM", "ArtUMAcq", "ArtUMVen", "FatConAcq", "FatConVen", "LivGruppo1", "LivGruppo2",
      fornitore ? "IvaAcquisti" : "IvaVendite", "Articolo", "FlagLivLis", "Sconto", "Provvigione", "PezziPerConf",
      fornitore ? "GruppoMerAcq" : soci ? "GruppoMerVenSoci" : "GruppoMerVen",
      fornitore ? "MastroMerAcq" : soci ? "MastroMerVenSoci" : "MastroMerVen",
      fornitore ? "ContoMerAcq" : soci ? "ContoMerVenSoci" : "ContoMerVen",
      "GruppoMerVen", "MastroMerVen", "ContoMerVen", "ArtGruppo", "ArtSottoGru", "DesLunga", "Segnalazione",
      "Settore", "TempoConsegna", "ArtClasseAttr1", "ArtClasseAttr2", "ArtClasseAttr3", "ArtClasseAttr4",
      "ArtClasseAttr5", "GestRintraccia", "Lunghezza", "Larghezza", "Altezza", "Cauzione", "ArtRAEE"};
  for (int i = 0; i < kNumColonne; ++i) c[static_cast<size_t>(i)] = vb::Variant(nomi[i]);
  return c;
}

void Abilita(ui::Controllo& barra, std::initializer_list<const char*> chiavi, bool abil) {
  for (const char* k : chiavi)
    if (barra.HaElem(k)) barra.Elem(k).Enabled = abil;
  barra.ElementoCambiato();
}

}  // namespace

void frmDDTDett::MostraArticolo(bool pbRicArt, bool pbHelp, bool pbFaiHelp, bool pbMostraLiv) {
  const Globali& g = G();
  const auto& fc = FC();
  miArtMostrato = 1;
  {
    const std::string tipo = vb::Trim(txt(18).Text());
    if (!Uguale(tipo, "A") && !Uguale(tipo, "M")) return;
  }
  AzzMemSconti();
  auto& p = ogLinPag();
  const bool fornitore = Uguale(osIntTipo, "2");
  const bool cliente = Uguale(osIntTipo, "3");
  const bool soci = !fornitore && Uguale(osConaseSocio, "S") && Uguale(msRicavoSoci, "S");
  const bool livelliGestiti = Uguale(g.gsGesTaglie, "S");
  // The account by default of the side, when neither header nor article has one.
  const std::string& contoDef = fornitore ? msContoAcqDef : msContoVenDef;
  auto contoTestata = [&] { return fc.Formatta(vb::Variant(osGruppoMer + osMastroMer + osContoMer), "Conto"); };
  auto barra = [&]() -> ui::Controllo& { return tolLinPag(); };

  bool daCodBar = false;
  std::string liv1, descLiv1, liv2, descLiv2;

  if (Vuoto(txt(20).Text())) {
    // A manual article: the line keeps what is typed on it.
    txt(20).SetBackColor(g.glColoreSfondo);
    msDescrArt.clear();
    label1(26).SetVisible(true);
    label1(23).SetVisible(false);
    AbilDescArt(true);
    osFlagLivLis = "0";
    osLivGruppo1.clear();
    osLivGruppo2.clear();
    msFatConAcq = msFatConVen = "1";
    mvDesLunga = std::string();
    msArtRaee.clear();
    label1(24).SetVisible(false);
    txt(26).SetText(txt(23).Text());
    txt(150).SetText("1");
    lab(50).SetCaption("");
    osArtGruppo.clear();
    osArtSottoGru.clear();
    osArtLisModSconto = "0";
    osModScontoQta = osModScontoTab = "T";
    for (auto& a : msClasseAttr) a.clear();
    msGestRintraccia.clear();
    if (pbRicArt) {
      txt(18).SetText("M");
      che(175).SetValue(0);
      txt(175).SetText("N");
      msArtUM = msArtUMAcq = msArtUMVen = txt(140).Text();
      if (!Vuoto(osIvaTest)) txt(130).SetText(osIvaTest);
      osIva.clear();
      MostraIva(false);
      MostraUM(false);
      msCauzioneArt.clear();
      txt(160).SetText(!Vuoto(osGruppoMer) ? contoTestata() : contoDef);
      txt(100).SetText(osScontoClie);
      for (int n : {110, 90, 120}) txt(n).SetText("");
      CalcScontoTot(true);
      for (int n : {60, 70, 800, 810, 820, 250, 260, 270}) txt(n).SetText("");
    }
    lab(200).SetCaption("");
    lab(210).SetCaption("");
    label1(210).SetVisible(false);
    if (p.Stato() == 1) Abilita(barra(), {"LivelliCrea", "Livelli"}, false);
  } else {
    label1(26).SetVisible(false);
    AbilDescArt(false);
    std::vector<vb::Variant> col = Colonne(fornitore, soci);
    const std::vector<vb::Variant> nomi = col;
    const int16_t aiuto = pbFaiHelp ? -1 : 0;
    auto decodArticolo = [&] {
      return AziendaUtil::DecodCodice("Articolo", txt(20), &txt(26), {}, 0, 0, "", &col, "", "", 0, vb::Missing, -1,
                                      aiuto, "", nullptr, -1, &dbgRiga());
    };
    if (!pbRicArt || pbHelp) {
      const vb::Variant r = decodArticolo();
      // Shown from a stored line the state follows the list as the decoder
      // leaves it; a code typed in the look-up that does not exist changes
      // nothing of the line.
      if (pbRicArt && !r.ToBool()) return;
    } else {
      const vb::Variant r = AziendaUtil::DecodCodice("ArticoloCod", txt(20), &txt(26), vb::Variant(g.giKeyRicDdt), 0,
                                                     0, "", &col, "", "", 0, vb::Missing, -1, aiuto, "", nullptr, -1,
                                                     &dbgRiga());
      if (r.ToBool()) {
        // Found by another of its codes: the line holds the article code.
        txt(20).SetText(T(col[cArticolo]));
      } else {
        const bool provaCodBar = livelliGestiti && g.giKeyRicDdt == 1 &&
                                 (p.Stato() == 2 || C("picLivelli").Visible());
        if (!provaCodBar) return;
        std::string codice = txt(20).Text(), descr;
        if (!BarCode::CercaArtCodBar(oiCodBarLunArt, codice, descr, liv1, descLiv1, liv2, descLiv2).ToBool())
          return;
        txt(20).SetBackColor(g.glColoreSfondo);
        txt(20).SetText(codice);
        txt(26).SetText(descr);
        col = nomi;
        decodArticolo();
        daCodBar = true;
      }
    }

    for (int i = 0; i < 5; ++i) msClasseAttr[static_cast<size_t>(i + 1)] = T(col[static_cast<size_t>(cAttr1 + i)]);
    msGestRintraccia = Vuoto(osLottoTipOpe) ? std::string("N") : T(col[cGestRintraccia]);
    if (Uguale(g.gsPartitaEnse, "S")) {
      vb::Variant descrAttr;
      AziendaUtil::LeggiCampoDecod("ArtClasseAttr", col[cAttr1], descrAttr, {}, 0, 8, "Descrizione");
      txt(26).SetText(txt(26).Text() + "-" + vb::Left(T(descrAttr), 5) + "-" + vb::Left(T(col[cAttr4]), 3));
    }
    msDescrArt = txt(26).Text();
    if (pbRicArt) txt(23).SetText("");
    else if (!Vuoto(txt(23).Text())) txt(26).SetText(txt(23).Text());
    label1(23).SetVisible(!Vuoto(txt(23).Text()));

    msSettore = T(col[cSettore]);
    msArtUM = T(col[cArtUM]);
    msArtUMAcq = T(col[cArtUMAcq]);
    msFatConAcq = T(col[cFatConAcq]);
    msArtUMVen = T(col[cArtUMVen]);
    msFatConVen = T(col[cFatConVen]);
    osLivGruppo1 = T(col[cLivGruppo1]);
    osLivGruppo2 = T(col[cLivGruppo2]);
    osIva = T(col[cIva]);
    osFlagLivLis = T(col[cFlagLivLis]);
    osArtSconto = T(col[cSconto]);
    osArtGruppo = T(col[cArtGruppo]);
    osArtSottoGru = T(col[cArtSottoGru]);
    const bool conLivelli = !osLivGruppo1.empty() || !osLivGruppo2.empty();

    {
      // A divisor of 0 would give no number: the pieces are shown undivided.
      const double pezzi = fc.ValLong(col[cPezziPerConf]);
      lab(50).SetCaption(T(vb::Variant(mdDivPezziConf != 0 ? pezzi / mdDivPezziConf : pezzi)));
    }

    mvDesLunga = col[cDesLunga];
    if (!Vuoto(osLingua)) {
      dati::GestRecordset rs;
      const std::string k = rs.ApriRecordset(*g.goDbAzienda, g.gsConnAzienda, "",
                                             std::string("Select deslunga from ArtLingue") + " Where Articolo = " +
                                                 fc.ValoreSql(vb::Variant(txt(20).Text()), 8) + " And Lingua = " +
                                                 fc.ValoreSql(vb::Variant(osLingua), 8),
                                             false, 4);
      if (!rs.NessunRecord(k)) mvDesLunga = rs.LeggiCampo(k, "DesLunga");
      rs.ChiudiRecordset(k);
    }
    if (mvDesLunga.IsNull()) mvDesLunga = std::string();

    msArtRaee = obNoRaeeAutom ? std::string() : T(col[cArtRAEE]);
    label1(24).SetVisible(!msArtRaee.empty());

    if (!pbRicArt && Vuoto(osListino)) osArtLisModSconto = "0";
    if (conLivelli && livelliGestiti) {
      osArtLisModSconto = "L";
      osArtLisSconto.clear();
    }
    if (Uguale(osEstrProv, "A")) msPercProvvArt1 = T(col[cProvvigione]);
    if (Uguale(osEstrProv2, "A")) msPercProvvArt2 = T(col[cProvvigione]);
    msCauzioneArt = T(col[cCauzione]);

    if (pbRicArt) {
      if (Uguale(osCauzAttNoCalc, "S") || Uguale(osCauzAttNoSconti, "S")) {
        const bool cauzione = Uguale(msCauzioneArt, "S");
        che(75).SetValue(cauzione ? 0 : 1);
        txt(75).SetText(cauzione ? "N" : "S");
      }
      txt(18).SetText("A");
      txt(130).SetText(!Vuoto(osIvaTest) ? osIvaTest : osIva);
      MostraIva(false);
      if (conLivelli && livelliGestiti)
        for (int n : {30, 40, 60, 70}) txt(n).SetText("");
      txt(140).SetText(cliente ? msArtUMVen : msArtUMAcq);
      txt(150).SetText(cliente ? msFatConVen : msFatConAcq);
      txt(140).SetBackColor(g.glColoreSfondo);
      txt(150).SetBackColor(g.glColoreSfondo);
      MostraUM(false);
      if (conLivelli && livelliGestiti) {
        VerificaPromozione();
        ElaboraSconti(false, true, true, true);
      } else {
        CercaListino();
        txt(70).SetText("");
        ElaboraSconti(true, true, true, false);
        CalcPrezzo(1);
      }
      auto provvArticolo = [&](int campo) {
        txt(campo).SetText(T(AziendaUtil::CalcProvvRidotta(txt(80).Text(), col[cProvvigione], vb::Variant(oiRidPercAgenti),
                                                           mdPercRidProvvTab, mdPercRidProvvQta, osModScontoQta)));
      };
      if (Uguale(osEstrProv, "A")) provvArticolo(180);
      if (Uguale(osEstrProv2, "A")) provvArticolo(190);

      std::string gruppo = T(col[cGruppoLato]), mastro = T(col[cMastroLato]), conto = T(col[cContoLato]);
      if (soci && Vuoto(gruppo)) {
        // The members' account, when the article has none, is its sales one.
        gruppo = T(col[cGruppoVen]);
        mastro = T(col[cMastroVen]);
        conto = T(col[cContoVen]);
      }
      if (!Vuoto(osGruppoMer)) txt(160).SetText(contoTestata());
      else if (!Vuoto(gruppo)) txt(160).SetText(fc.Formatta(vb::Variant(gruppo + mastro + conto), "Conto"));
      else txt(160).SetText(contoDef);
      if (!Vuoto(msZonaCliSoci) && Uguale(msZonaCliSoci, osZonaCli)) {
        const std::string zona = T(servizi::ParPers("KervoDF", osArtGruppo, vb::Variant("")));
        if (!Vuoto(zona)) txt(160).SetText(zona);
      }

      txt(440).SetText("");
      const auto stampa = Vettore(mavStampaNota);
      auto nota = [&](int testo, int modo) {
        txt(testo).SetText(T(mvDesLunga));
        txt(modo).SetText("S");
        FunVarie::PosizCombo(cob(modo), vb::Variant("S"), stampa, true, false);
      };
      if (osDoveStampoDesLung == "3") nota(420, 410);
      else if (osDoveStampoDesLung == "4") nota(440, 430);

      if (Uguale(g.gsPartitaEnse, "S")) {
        txt(220).SetText(T(col[cTempoConsegna]));
        txt(230).SetText(msClasseAttr[2]);
      }

      const std::string dim[3] = {T(col[cLunghezza]), T(col[cLarghezza]), T(col[cAltezza])};
      for (int i = 0; i < 3; ++i) {
        txt(800 + 10 * i).SetText(dim[i]);
        txt(250 + 10 * i).SetText(dim[i]);
      }
      for (int i = 0; i < 3; ++i) txt_LostFocus((mbQtaDaDimen ? 250 : 800) + 10 * i);
    }

    const std::string& colQta = NomeCampo(30);
    if (conLivelli) {
      if (p.HaCampo(colQta)) p.Campi(colQta).oiObblig = 0;
      Abilita(barra(), {"Livelli"}, true);
      AbilLivelliCrea();
    } else {
      if (p.HaCampo(colQta)) p.Campi(colQta).oiObblig = -1;
      if (p.Stato() == 1) Abilita(barra(), {"LivelliCrea", "Livelli"}, false);
    }
    DisabSeLivelli(false, pbMostraLiv);
    osSegnalGiac = T(col[cSegnalazione]);
    if (txt(20).BackColor() == g.glColoreSfondo && !Vuoto(txt(20).Text())) MostraDispGiac();
  }

  if (pbRicArt) {
    MostraCRicavi(true, false, "");
    auto provvTestata = [&](const std::string& estr, double perc, int campo) {
      if (Uguale(estr, "N")) {
        txt(campo).SetText("");
      } else if (!Uguale(estr, "A")) {
        txt(campo).SetText(T(AziendaUtil::CalcProvvRidotta(txt(80).Text(), vb::Variant(perc),
                                                           vb::Variant(oiRidPercAgenti), mdPercRidProvvTab,
                                                           mdPercRidProvvQta, osModScontoQta)));
      }
    };
    provvTestata(osEstrProv, odPercProvv1, 180);
    provvTestata(osEstrProv2, odPercProvv2, 190);
  }
  auto base = [&](const std::string& estr, double perc, std::string& dest) {
    if (Uguale(estr, "N")) dest.clear();
    else if (!Uguale(estr, "A")) dest = T(vb::Variant(perc));
  };
  base(osEstrProv, odPercProvv1, msPercProvvArt1);
  base(osEstrProv2, odPercProvv2, msPercProvvArt2);

  if (miStatoTimer == 4) ArmaTimer(2);

  // From here on the line is shown: what fails is left alone.
  SenzaErrori([&] {
    ui::Controllo* a = ActiveControl();
    if (a && Uguale(a->Name(), "txt") && ValidoIndice(a->Index()))
      masValIngresso[static_cast<size_t>(a->Index())] = a->Text();
  });
  SenzaErrori([&] { miRigaArtMostrata = fc.ValInt(vb::Variant(txt(10).Text())); });
  if (daCodBar) {
    SenzaErrori([&] {
      txt(21).SetBackColor(g.glColoreSfondo);
      txt(21).SetText(liv1);
      lab(21).SetCaption(descLiv1);
      txt(22).SetBackColor(g.glColoreSfondo);
      txt(22).SetText(liv2);
      lab(22).SetCaption(descLiv2);
    });
    SenzaErrori([&] { MostraDispGiac(); });
    SenzaErrori([&] { CercaListino(); });
    SenzaErrori([&] { ElaboraSconti(true, true, true, false); });
    SenzaErrori([&] { LivQtaDef(); });
    SenzaErrori([&] { CalcPrezzo(1); });
  }
}

bool frmDDTDett::ArtDescrToApp() {
  return Vuoto(txt(20).Text()) || !Uguale(txt(26).Text(), msDescrArt);
}
