// The window's spine: controls, settings, field declarations, the lot
// proposal at load, the deferred step, keys and the closing checks.
#include <exception>
#include <string>

#include "common/AziendaUtil.h"
#include "common/Globali.h"
#include "common/frmMsgCom.h"
#include "common/mainDdt.h"
#include "lots/UtilLotto.h"
#include "lots/frmMovTracc.h"
#include "platform/Currency.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/ui/Griglia.h"

namespace {
const vb::FunzioniComuni& FC() { return vb::FunzioniComuni::Istanza(); }
bool Uguale(const std::string& a, const std::string& b) { return vb::UgualeTesto(vb::Trim(a), b); }
// A personal setting of "Rintraccia"; its default when the menu cannot
// answer (no menu server: the window works with the defaults).
std::string Par(const char* nome, const char* def) {
  try {
    return AziendaUtil::LeggiParPers("Rintraccia", nome, def).ToString();
  } catch (...) {
    return def;
  }
}
constexpr int kEsc = 27, kF10 = 121, kTastoE = 69;
constexpr int kShift = 1, kAlt = 4;
}  // namespace

frmMovTracc::frmMovTracc() : ui::Form("frmMovTracc") { Controlli(); }
frmMovTracc::~frmMovTracc() = default;

barre::gridlib::PaginaRighe& frmMovTracc::ogLinPag() {
  if (!mpLinPag) mpLinPag = std::make_unique<barre::gridlib::PaginaRighe>();
  return *mpLinPag;
}

void frmMovTracc::Controlli() {
  SetCaption("Dati tracciabilità");
  Move(0, 0, 11400, 8400);
  auto& tb = Crea(ui::Tipo::Toolbar, "tolLinPag");
  tb.Move(0, 0, 11400, 420);
  const char* tasti[][2] = {{"Nuovo", "(N) Nuovo"},       {"Salva", "(S) Salva"},
                            {"Cancella", "(C) Cancella"}, {"Annulla", "(A) Annulla"},
                            {"Duplica", "(D) Duplica"},   {"VarKey", "(R) Varia campi chiave"},
                            {"Punta", "(P) Puntatore"},   {"VaiA", "(V) Vai a"},
                            {"Inizio", "(I) Inizio Archivio"}, {"Posiz", ""},
                            {"Fine", "(F) Fine Archivio"}, {"Aggiorna", "(G) Aggiorna"},
                            {"Trova", "(T) Trova"},       {"Chiudi", "(H) Chiudi"},
                            {"Menu", "(M) Menu"},         {"SelLotti", "(E) Seleziona lotti"}};
  for (auto& t : tasti) {
    auto& e = tb.AggiungiElemento(t[0], t[0]);
    e.ToolTipText = t[1];
  }
  tb.Elem("SelLotti").Caption = "(E) Seleziona lotti";
  tb.Elem("VaiA").Enabled = false;

  // header panel: display only
  auto& fisso = Crea(ui::Tipo::PictureBox, "picFisso");
  fisso.Move(0, 450, 11400, 1380);
  auto campo = [&](int n, const char* etichetta, long x, long y, long w, bool conLab = false, long wl = 2000) {
    if (etichetta) {
      auto& l = Crea(ui::Tipo::Label, "label1", n);
      l.SetCaption(etichetta);
      l.Move(x, y + 40, 1300, 300);
    }
    auto& t = Crea(ui::Tipo::TextBox, "txt", n);
    t.Move(x + (etichetta ? 1350 : 0), y, w, 315);
    if (conLab) Crea(ui::Tipo::Label, "lab", n).Move(x + (etichetta ? 1350 : 0) + w + 60, y + 40, wl, 300);
    return &t;
  };
  campo(120, "Movimento Numero:", 60, 480, 900);
  campo(130, "Del:", 2400, 480, 1100);
  campo(140, "Tipo Doc.:", 5000, 480, 500, true, 3000);
  campo(150, "Docum.:", 60, 820, 500);
  campo(160, nullptr, 1960, 820, 800);
  campo(170, "Del:", 2900, 820, 1100);
  campo(180, "Causale:", 5000, 820, 500, true, 3000);
  campo(190, "Listino:", 60, 1160, 500);
  campo(200, "Moneta:", 2400, 1160, 600);
  campo(210, "Cambio:", 5000, 1160, 900);
  campo(220, "Unità da: ", 60, 1500, 500, true, 2600);
  campo(230, "Unità a: ", 5000, 1500, 500, true, 3000);
  for (int n : {120, 130, 140, 150, 160, 170, 180, 190, 200, 210, 220, 230}) txt(n).SetLocked(true);
  campo(20, "Articolo:", 60, 1880, 1500, true, 3800);
  campo(21, "UM", 6900, 1880, 500, true, 900);
  Crea(ui::Tipo::Label, "lab", 22).Move(9800, 1920, 1500, 300);
  txt(20).SetLocked(true);
  txt(21).SetLocked(true);
  for (int n : {10, 240, 44, 42}) campo(n, nullptr, 0, 0, 300)->SetVisible(false);

  // the row
  campo(46, "Fornitore:", 60, 2260, 1200, true, 3300);
  Crea(ui::Tipo::CommandButton, "comHlp", 46).Move(2660, 2260, 300, 315);
  campo(30, "Lotto:", 60, 2620, 1800);
  Crea(ui::Tipo::CommandButton, "comHlp", 30).Move(3260, 2620, 300, 315);
  campo(40, "Progr.:", 3700, 2620, 500);
  auto& dupl = Crea(ui::Tipo::CommandButton, "comHlp", 45);
  dupl.SetCaption("Dupl.");
  dupl.Move(5650, 2620, 700, 315);
  auto& gen = Crea(ui::Tipo::CommandButton, "ComGenera");
  gen.SetCaption("Genera");
  gen.Move(6450, 2620, 900, 315);
  campo(50, "Quantità:", 7500, 2620, 1300);
  // the lot master panel
  campo(60, "Descrizione:", 60, 2980, 5200);
  campo(70, "Data scadenza:", 7500, 2980, 1300);
  const char* tab[] = {"Categoria:", "Trattamento:", "Confezione:", "Specie:"};
  for (int i = 0; i < 4; ++i) {
    const int n = 80 + 10 * i;
    const long x = 60 + (i % 2) * 5600, y = 3340 + (i / 2) * 360;
    campo(n, tab[i], x, y, 700, true, 2600);
    Crea(ui::Tipo::CommandButton, "comHlp", n).Move(x + 2060, y, 300, 315);
  }
  // where a lot that is not loaded here comes from
  auto& ori = Crea(ui::Tipo::PictureBox, "PicOrigine");
  ori.Move(0, 4080, 11400, 380);
  auto& lo = Crea(ui::Tipo::Label, "label1", 299);
  lo.SetCaption("Origine:");
  lo.Move(60, 4120, 800, 300);
  campo(300, "Movimento Numero:", 900, 4080, 800);
  campo(310, "Del:", 3100, 4080, 1100);
  campo(320, "Docum.:", 5600, 4080, 500);
  campo(330, nullptr, 7500, 4080, 800);
  campo(340, "Del:", 8400, 4080, 1100);
  auto& mul = Crea(ui::Tipo::Label, "LabMultiplo");
  mul.SetCaption("*");
  mul.Move(11000, 4120, 200, 300);
  mul.SetVisible(false);
  for (int n : {300, 310, 320, 330, 340}) txt(n).SetLocked(true);
  // the produced lot (production movements only)
  auto& fra = Crea(ui::Tipo::Frame, "FraProd");
  fra.SetCaption("Lotto prodotto");
  fra.Move(0, 4500, 11400, 420);
  fra.SetVisible(false);
  for (int n : {400, 410, 420, 430}) {
    campo(n, nullptr, 0, 0, 300)->SetVisible(false);
    if (n != 430) Crea(ui::Tipo::Label, "lab", n).SetVisible(false);
  }

  auto& dat = Crea<ui::DatiControllo>(ui::Tipo::Data, "datRiga");
  dat.SetVisible(false);
  Crea<ui::Griglia>(ui::Tipo::DataGrid, "dbgRiga").Move(0, 4560, 11280, 3000);
  Crea(ui::Tipo::TextBox, "txtRiga").Move(0, 7600, 1500, 315);
  auto& sta = Crea(ui::Tipo::StatusBar, "staMessaggi");
  sta.Move(0, 7950, 11400, 330);
  for (const char* k : {"TipOpe", "Messaggio", "Time", "Date"}) sta.AggiungiElemento(k);
  auto& tim = Crea(ui::Tipo::Timer, "timLinPag");
  tim.SetInterval(1);
  tim.SetEnabled(false);
}

void frmMovTracc::Form_Load() {
  Globali& g = G();
  miCampoSospeso = -1;
  mbChiudiDaPagina = mbInChiusura = mbTransAperta = false;
  miAzioneTimer = miNuovoDopoSalva = 0;
  msStatoLotto.clear();
  mbRichiamato = false;

  // settings
  const bool genSempre = Uguale(Par("ChiaveGenSempre", ""), "S");
  const bool prod = Uguale(osCausProv, "N") && Uguale(osCausDest, "M") && (oiDistBase == 1 || oiDistBase == 2);
  C("ComGenera").SetVisible(Uguale(osLottoTipOpe, "C") && (genSempre || prod));
  msChiaveBase = Par("ChiaveBase", "");
  miChiaveBaseLun = FC().ValInt(vb::Variant(Par("ChiaveBaseLun", "0")));
  mbChiavePerArt = Uguale(Par("ChiavePerArt", "S"), "S");
  if (miChiaveBaseLun < 0) C("ComGenera").SetVisible(false);
  C("comHlp", 45).SetVisible(Uguale(Par("hlpLottoForn", ""), "S"));

  PrepCarScar(false);

  // the header
  txt(120).SetText(osNumReg);
  txt(130).SetText(osDataReg);
  txt(140).SetText(osFattDocum);
  lab(140).SetCaption(osLabFattDocum);
  txt(150).SetText(osPreDoc);
  txt(160).SetText(osNumDoc);
  txt(170).SetText(osDataDoc);
  txt(180).SetText(osMagCausale);
  lab(180).SetCaption(osLabMagCausale);
  txt(190).SetText(osListino);
  txt(200).SetText(osMoneta);
  txt(210).SetText(osCambio);
  txt(220).SetText(osUnitaDa);
  lab(220).SetCaption(osLabUnitaDa);
  txt(230).SetText(osUnitaA);
  lab(230).SetCaption(osLabUnitaA);
  txt(240).SetText(osAnno);
  txt(10).SetText(osRigLiv);
  txt(20).SetText(osArticolo);
  lab(20).SetCaption(osDescArt);
  lab(22).SetCaption("Quantità: " + FC().MascheraNum(vb::Variant(odQtaTot), g.giNumDecQta, {}, false, "#,##0"));
  txt(21).SetText(osUm);
  lab(21).SetCaption(osDescUm);
  if (Uguale(osNascondiLottoProd, "S")) C("FraProd").SetVisible(false);
  C("staMessaggi").Elem("TipOpe").Caption = osLottoTipOpe;

  // the line page
  auto& pag = ogLinPag();
  pag.Form(*this);
  pag.BarraStrumenti(C("tolLinPag"));
  pag.Database(*g.goDbAzienda);
  pag.ChiaveDb(g.gsConnAzienda);
  pag.TestoContaRighe(C("txtRiga"));
  pag.Griglia(static_cast<ui::Griglia&>(C("dbgRiga")));
  pag.ControlloDati(static_cast<ui::DatiControllo&>(C("datRiga")));
  pag.NomeTabella(osFileTraccApp);
  pag.FormatoData(g.gsFormatData.empty() ? "dd/mm/yyyy" : g.gsFormatData);
  DefinisciCampi();
  pag.CtrlPrimoCampo(Uguale(osLottoTipOpe, "C") ? txt(30) : txt(46));
  pag.CtrlSecondoCampo(txt(50));
  pag.ColoreErrore(g.glColoreErrore);
  pag.ColoreSfondo(g.glColoreSfondo);
  for (int c : {16, 4, 10, 3, 8, 17}) pag.AbilHook(c, true);
  msSqlRighe = PrepSql();
  pag.OpzioneAvvio(0);
  pag.ImpImmagini(g.gsTipoIcone);

  auto& tb = C("tolLinPag");
  tb.Elem("SelLotti").Enabled = oiAbilRW == 1;
  tb.Elem("SelLotti").Visible = oiAbilRW == 1;
  tb.Elem("Duplica").Visible = false;
  tb.ElementoCambiato();

  if (oiAbilRW == 1) PropostaLotti();
  pag.ImpPersonal(msSqlRighe);
  pag.SetoiAbilRW(oiAbilRW == 1 ? 1 : 0);
  const bool vuota = pag.OggDati().NessunRecord(pag.ChiaveDati());
  miAzioneTimer = (Uguale(osModVisLotti, "I") || Uguale(osModVisLotti, "R")) && !Uguale(osLottoTipOpe, "C") &&
                          oiAbilRW == 1 && vuota
                      ? 6
                      : -1;
  DatRefresh();
  C("timLinPag").SetEnabled(true);
}

void frmMovTracc::DefinisciCampi() {
  Globali& g = G();
  auto& pag = ogLinPag();
  using vb::Currency;
  msCampo = {{240, "Anno"},         {120, "NumReg"},  {10, "RigLiv"},    {30, "Lotto"},
             {40, "NrProgLotto"},   {44, "Articolo"}, {46, "|-|GruppoCliFor|MastroCliFor|ContoCliFor"},
             {42, "TipOpe"},        {50, "Qta"},      {400, "ArticoloProd"},
             {410, "|-|GruppoProd|MastroProd|ContoProd"}, {420, "LottoProd"}, {430, "NrProgLottoProd"}};
  pag.DefinisciCampo("Anno", txt(240), {}, {}, {}, 1, 3, 2, -1, 0, osAnno, Currency::FromText("4"), true);
  pag.DefinisciCampo("NumReg", txt(120), {}, {}, {}, 1, 4, 2, -1, 0, osNumReg, Currency::FromText("9"), true);
  pag.DefinisciCampo("RigLiv", txt(10), {}, {}, {}, 1, 4, 2, -1, 0, osRigLiv, Currency::FromText("9"), true);
  pag.DefinisciCampo("Lotto", txt(30), "Lotto", {}, "Lotto", 1, -1, 0, -1, 0, "", Currency::FromText("30"), true);
  pag.DefinisciCampo("NrProgLotto", txt(40), "Nr", "Nr", "Progressivo", 1, 3, 0, -1, 0, "1", Currency::FromText("4"),
                     true);
  pag.DefinisciCampo("Articolo", txt(44), {}, {}, {}, 1, -1, 2, -1, 0, osArticolo, {}, true, {}, {}, 2, -1);
  pag.DefinisciCampo(msCampo[46], txt(46), "Fornitore", "Fornitore", "Fornitore", 1, -1, 0, -1, 0,
                     FC().FormatTipo(vb::Variant(osGruppoCliForn + osMastroCliForn + osContoCliForn), "conto"), {},
                     true);
  pag.DefinisciCampo("TipOpe", txt(42), {}, {}, {}, 0, -1, 2, -1, 0, osLottoTipOpe, {}, true, {}, {}, 2, -1);
  const int dec = g.giNumDecQtaMag > 0 ? g.giNumDecQtaMag : g.giNumDecQta;
  pag.DefinisciCampo("Qta", txt(50), "Quantità", {}, "Quantità", 0, 7, 0, -1, 0, "",
                     Currency::FromText("-10," + std::to_string(dec)), true, g.gsMascQta, osNumDecQta);
  pag.DefinisciCampo("ArticoloProd", txt(400), {}, {}, {}, 0, -1, 0, -1, 0, "", {}, {}, {}, {}, 2, -1);
  pag.DefinisciCampo(msCampo[410], txt(410), "Fornitore_Prod", "Fornitore_Prod", "Fornitore Produzione", 0, -1, 0,
                     -1, 0, "", {}, {}, {}, {}, 2, -1);
  pag.DefinisciCampo("LottoProd", txt(420), {}, {}, {}, 0, -1, 0, -1, 0, "", {}, {}, {}, {}, 2, -1);
  pag.DefinisciCampo("NrProgLottoProd", txt(430), "NrProd", "NrProd", {}, 0, 3, 0, -1, 0, "", {}, {}, {}, {}, 2,
                     -1);
}

void frmMovTracc::PrepCarScar(bool) {
  const bool carico = Uguale(osLottoTipOpe, "C");
  C("PicOrigine").SetVisible(!carico);
  for (int n : {300, 310, 320, 330, 340}) txt(n).SetVisible(!carico);
  C("label1", 299).SetVisible(!carico);
  for (int n : {60, 70, 80, 90, 100, 110}) txt(n).SetEnabled(carico);
  for (int n : {80, 90, 100, 110}) C("comHlp", n).SetVisible(carico);
  C("FraProd").SetVisible(Uguale(osCausProv, "M") && Uguale(osLottoTipOpe, "S") && Uguale(osCausDest, "N") &&
                          (oiDistBase == 2 || oiDistBase == 3));
}

void frmMovTracc::PropostaLotti() {
  if (Uguale(osLottoTipOpe, "C")) return;
  const int16_t anno = FC().ValInt(vb::Variant(txt(240).Text()));
  const int32_t num = FC().ValLong(vb::Variant(txt(120).Text())), riga = FC().ValLong(vb::Variant(txt(10).Text()));
  if (!UtilLotto::NessunLottoRiga(osFileTraccApp, anno, num, riga)) return;
  if (Uguale(osModVisLotti, "P")) return;
  const int16_t n = UtilLotto::CreaListaLottiSel(osTipoFileTracApp, osMagaScar, osArticolo, obVisLottiScad,
                                                 vb::Variant(txt(130).Text()), osTipoFileTracApp, anno, num, riga);
  if (n <= 0) return;
  if (Uguale(osModVisLotti, "I") || Uguale(osModVisLotti, "A"))
    UtilLotto::RipartQtaLotti(osTipoFileTracApp, odQtaTot, osVisLottiOrd);
  if (Uguale(osModVisLotti, "A"))
    UtilLotto::ScriviLottiSel(osTipoFileTracApp, osFileTraccApp, anno, num, riga, false, osLottoTipOpe, osMagaScar,
                              osMagaCar);
}

void frmMovTracc::timLinPag_Timer() {
  C("timLinPag").SetEnabled(false);
  try {
    auto rientra = [&] {
      if (miCampoSospeso >= 0) {
        ui::Controllo* a = ActiveControl();
        if (a && a->Name() == "txt" && a->Index() == miCampoSospeso) txt_GotFocus(miCampoSospeso);
      }
      msNomeCtrlAttivo.clear();
      miCampoSospeso = -1;
    };
    switch (miAzioneTimer) {
      case 2:
      case 5: {
        const bool nuovo = miNuovoDopoSalva == 1 || miAzioneTimer == 5;
        rientra();
        if (nuovo) {
          miAzioneTimer = 0;
          ButtonNuovo();
          miNuovoDopoSalva = 0;
        }
        break;
      }
      case 6:
        if (HaPagina()) ogLinPag().EventoTimer();
        GestSelLotti(false);
        break;
      case -1:
        if (HaPagina()) ogLinPag().EventoTimer();
        break;
      default:
        rientra();
    }
  } catch (...) {
    frmMsgCom::MsgErrfrm();
  }
  miAzioneTimer = 0;
}

void frmMovTracc::Form_KeyDown(int& KeyCode, int Shift) {
  if (!HaPagina()) return;
  const bool inserisce = ogLinPag().Stato() == 2;
  const bool lottoVuoto = FC().Vuoto(vb::Variant(txt(30).Text()));
  if (KeyCode == kEsc && !(Shift & kShift) && inserisce) {
    AnnullaIns();
    KeyCode = 0;
    return;
  }
  std::string comando;
  if (KeyCode == kF10 && !(Shift & kShift) && inserisce && lottoVuoto) {
    AnnullaIns();
    comando = "Chiudi";
  } else if (KeyCode == kTastoE && (Shift & kAlt)) {
    comando = "SelLotti";
  } else if (KeyCode == kF10 && Shift == 0) {
    KeyCode = 0;
    if (ButtonComando("Salva").empty()) {
      miAzioneTimer = 5;
      C("timLinPag").SetEnabled(true);
    }
    return;
  }
  if (!comando.empty()) {
    KeyCode = 0;
    auto& tb = C("tolLinPag");
    if (tb.HaElem(comando) && tb.Elem(comando).Visible && tb.Elem(comando).Enabled) ButtonComando(comando);
  }
}

void frmMovTracc::Form_Resize() {
  if (HaPagina()) ogLinPag().Ridimensiona();
}

void frmMovTracc::Form_Unload(int& Cancel) {
  try {
    bool inTesto = false;
    if (!mbChiudiDaPagina) {
      ui::Controllo* a = ActiveControl();
      msNomeCtrlAttivo = a ? a->Name() : "";
      if (Uguale(msNomeCtrlAttivo, "txt")) {
        inTesto = true;
        txt_LostFocus(a->Index());
      } else {
        miCampoSospeso = -1;
      }
    }
    auto annulla = [&] {
      Cancel = 1;
      if (inTesto)
        if (ui::Controllo* a = ActiveControl()) txt_GotFocus(a->Index());
      mbChiudiDaPagina = false;
    };
    if (HaPagina()) {
      auto& pag = ogLinPag();
      if (!pag.PuoChiudere()) return annulla();
      const bool conRighe = pag.Recordset() && pag.OggDati().NumRecord(pag.ChiaveDati()) != 0;
      if (conRighe && QtaDiversa()) return annulla();
      if (!conRighe && Uguale(osFlagGestRintraccia, "O") &&
          frmMsgCom::msgCom("Articolo con gestione rintracciabilità obbligatoria\r\n"
                            "Uscire senza inserire dati relativi alla rintracciabilità?",
                            "&Annulla", "&Conferma", vb::Missing, 80, false, 600) != 2)
        return annulla();
    }
  } catch (...) {
    // The window goes all the same: the opener must not stay disabled.
    frmMsgCom::MsgErrfrm();
  }
  mbInChiusura = true;
  mbChiudiDaPagina = false;
  C("timLinPag").SetEnabled(false);
  if (mbTransAperta) ChiudiTrans(false);
  mainDdt::ChiudiProgramma(0);
  if (ofrmTest && !mbRichiamato) {
    mbRichiamato = true;
    ofrmTest->DopoGestTracc();
  }
  mpLinPagChiusa = std::move(mpLinPag);
}

void frmMovTracc::Timer(ui::Controllo& c) {
  if (c.Name() == "timLinPag") timLinPag_Timer();
}
void frmMovTracc::ButtonClick(ui::Controllo&, const std::string& key) { ButtonComando(key); }
void frmMovTracc::Click(ui::Controllo& c) {
  if (c.Name() == "comHlp") ComHlp_Click(c.Index());
  else if (c.Name() == "ComGenera") ComGenera_Click();
}
void frmMovTracc::GotFocus(ui::Controllo& c) {
  if (c.Name() == "txt") txt_GotFocus(c.Index());
  else if (c.Name() == "txtRiga") SpostaFuoco(&txt(Uguale(osLottoTipOpe, "C") ? 30 : 46));
}
void frmMovTracc::LostFocus(ui::Controllo& c) {
  if (c.Name() == "txt") txt_LostFocus(c.Index());
}
void frmMovTracc::KeyUp(ui::Controllo& c, int& KeyCode, int Shift) {
  if (c.Name() == "txt") txt_KeyUp(c.Index(), KeyCode, Shift);
}
void frmMovTracc::RowColChange(ui::Controllo&, const vb::Variant& LastRow, int LastCol) {
  if (!HaPagina()) return;
  std::string corr, tot;
  ogLinPag().RigaColCambiata(LastRow, LastCol, miRigaColStato, corr, tot);
  C("txtRiga").SetText(corr + " / " + tot);
  miRigaColStato = 0;
}
void frmMovTracc::SelChange(ui::Controllo&, int& Cancel) {
  if (HaPagina()) ogLinPag().SelCambiata(Cancel);
}
ui::Oggetto* frmMovTracc::OggettoPerNome(const std::string& nome) {
  if (vb::UgualeTesto(nome, "ogLinPag")) return &ogLinPag();
  return ui::Form::OggettoPerNome(nome);
}
