// The frame of "Dettagli Livelli del DDT": controls, field table, load,
// keys, deferred steps of the timer, commands and closing.
#include "levels/frmDDtDeLiv.h"

#include <exception>
#include <string>

#include "common/AziendaUtil.h"
#include "common/FunVarie.h"
#include "common/Globali.h"
#include "common/mainDdt.h"
#include "platform/Currency.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/aiuti/AiutiDecodifica.h"
#include "platform/ui/Griglia.h"
#include "services/Impostazioni.h"

namespace {

const vb::FunzioniComuni& FC() { return vb::FunzioniComuni::Istanza(); }
bool Nome(const std::string& a, const char* b) { return vb::UgualeTesto(a, b); }

constexpr long kLargh = 11400;
constexpr long kPasso = 345;
constexpr long kAltTesto = 300;

class Disegno {
 public:
  explicit Disegno(frmDDtDeLiv& f) : f_(f) {}
  ui::Controllo* cont = nullptr;
  template <class T = ui::Controllo>
  T& Metti(ui::Tipo t, const std::string& nome, int indice, long x, long y, long w, long h) {
    T& c = f_.Crea<T>(t, nome, indice);
    if (cont) {
      c.SetContainer(cont);
      x += 45;
      y += 15;
    }
    c.Move(x, y, w, h);
    c.SetTabIndex(tab_++);
    return c;
  }
  long Riga(int r) const { return 30 + r * kPasso; }
  ui::Controllo& Cap(int n, const std::string& testo, long x, int r, long w) {
    auto& c = Metti(ui::Tipo::Label, "label1", n, x, Riga(r) + 30, w, 255);
    c.SetCaption(testo);
    return c;
  }
  ui::Controllo& Txt(int n, long x, int r, long w) { return Metti(ui::Tipo::TextBox, "txt", n, x, Riga(r), w, kAltTesto); }
  ui::Controllo& Lab(int n, long x, int r, long w) {
    auto& c = Metti(ui::Tipo::Label, "lab", n, x, Riga(r) + 15, w, kAltTesto - 30);
    c.SetForeColor(ui::vbBlue);
    return c;
  }
  ui::Controllo& Hlp(int n, long x, int r) {
    auto& c = Metti(ui::Tipo::CommandButton, "ComHlp", n, x, Riga(r), 300, kAltTesto);
    c.SetCaption("..");
    c.SetTabStop(false);
    return c;
  }
  ui::Controllo& Contenitore(const std::string& nome, int indice, long x, long y, long w, long h) {
    auto& c = Metti(ui::Tipo::PictureBox, nome, indice, x, y, w, h);
    c.SetBorderStyle(0);
    c.SetTabStop(false);
    return c;
  }

 private:
  frmDDtDeLiv& f_;
  int tab_ = 0;
};

}  // namespace

frmDDtDeLiv::frmDDtDeLiv() : ui::Form("frmDDtDeLiv") {
  SetCaption("Dettagli Livelli del DDT");
  Move(0, 0, kLargh, 8400);
  CreaControlli();
}

frmDDtDeLiv::~frmDDtDeLiv() = default;

void frmDDtDeLiv::CreaControlli() {
  Disegno d(*this);
  auto& tb = d.Metti(ui::Tipo::Toolbar, "tolLinPag", -1, 0, 0, kLargh - 120, 420);
  const struct {
    const char* key;
    const char* tip;
  } bottoni[] = {{"Nuovo", "(N) Nuovo"},         {"Salva", "(S) Salva"},      {"Cancella", "(C) Cancella"},
                 {"Annulla", "(A) Annulla"},     {"Duplica", "(D) Duplica"},  {"VarKey", "(R) Varia campi chiave"},
                 {"Punta", "(P) Puntatore"},     {"VaiA", "(V) Vai a"},       {"Inizio", "(I) Inizio Archivio"},
                 {"Posiz", ""},                  {"Fine", "(F) Fine Archivio"}, {"Aggiorna", "(G) Aggiorna"},
                 {"Trova", "(T) Trova"},         {"Chiudi", "(H) Chiudi"},    {"Menu", "(M) Menu"}};
  for (const auto& b : bottoni) {
    ui::Elemento& e = tb.AggiungiElemento(b.key);
    e.ToolTipText = b.tip;
    e.Image = b.key;
  }
  tb.Elem("Posiz").Visible = false;
  tb.Elem("VaiA").Enabled = false;
  tb.ElementoCambiato();

  // The document and the line, read-only.
  auto& fisso = d.Contenitore("picFisso", -1, 60, 480, kLargh - 240, 4 * kPasso + 30);
  d.cont = &fisso;
  d.Cap(610, "Numero Riferimento:", 0, 0, 1740);
  d.Txt(610, 1800, 0, 960);
  d.Cap(620, "Del:", 2880, 0, 420);
  d.Txt(620, 3360, 0, 1140);
  d.Cap(630, "Tipo Doc.:", 4620, 0, 900);
  d.Txt(630, 5580, 0, 660);
  d.Lab(630, 6300, 0, 4620);
  d.Cap(640, "Docum.:", 0, 1, 1680);
  d.Txt(640, 1740, 1, 420);
  d.Txt(650, 2220, 1, 900);
  d.Cap(660, "Del:", 3240, 1, 420);
  d.Txt(660, 3720, 1, 1140);
  d.Cap(670, "Cliente/Fornit.:", 4980, 1, 1320);
  d.Txt(670, 6360, 1, 1200);
  d.Lab(670, 7620, 1, 3300);
  d.Lab(680, 7620, 2, 3300);
  d.Cap(690, "Riferim. Cliente:", 0, 2, 1680);
  d.Txt(690, 1740, 2, 1800);
  d.Cap(700, "Listino:", 3660, 2, 720);
  d.Txt(700, 4440, 2, 600);
  d.Cap(710, "Moneta:", 5160, 2, 720);
  d.Txt(710, 5940, 2, 600);
  d.Cap(720, "Cambio:", 0, 3, 720);
  d.Txt(720, 780, 3, 1200);
  d.Cap(20, "Articolo:", 2100, 3, 840);
  d.Txt(20, 3000, 3, 1500);
  d.Lab(20, 4560, 3, 3000);
  d.Cap(21, "UM", 7620, 3, 360);
  d.Txt(21, 8040, 3, 480);
  d.Lab(21, 8580, 3, 1200);
  d.Cap(22, "Cod.Iva:", 9840, 3, 720);
  d.Lab(22, 10560, 3, 480);
  d.cont = nullptr;
  fisso.SetEnabled(false);

  // Totals.
  const long yTot = 480 + 4 * kPasso + 90;
  d.Metti(ui::Tipo::Label, "label1", 270, 120, yTot + 30, 1500, 255).SetCaption("Quantità totale:");
  d.Metti(ui::Tipo::Label, "lab", 270, 1680, yTot, 1500, 285).SetAlignment(1);
  auto& totPrz = d.Contenitore("picTotPrz", -1, 3360, yTot - 15, 3600, kAltTesto + 30);
  d.cont = &totPrz;
  d.Metti(ui::Tipo::Label, "label1", 280, 0, 30, 1500, 255).SetCaption("Totale Articolo:");
  d.Metti(ui::Tipo::Label, "lab", 280, 1560, 0, 1800, 285).SetAlignment(1);
  d.cont = nullptr;
  auto& nonMod = d.Metti(ui::Tipo::Label, "label1", 28, 7200, yTot + 30, 2400, 255);
  nonMod.SetCaption("Non Modificabile");
  nonMod.SetForeColor(ui::vbRed);
  { ui::Carattere f = nonMod.Font(); f.Bold = true; nonMod.SetFont(f); }
  nonMod.SetVisible(false);

  // The grid and its counter.
  const long yGriglia = yTot + kPasso + 60;
  auto& dat = d.Metti<ui::DatiControllo>(ui::Tipo::Data, "DatRiga", -1, 0, 0, 0, 0);
  dat.SetVisible(false);
  d.Metti<ui::Griglia>(ui::Tipo::DataGrid, "dbgRiga", -1, 60, yGriglia, kLargh - 240, 2700);
  auto& conta = d.Metti(ui::Tipo::TextBox, "txtRiga", -1, 60, yGriglia + 2730, 1500, kAltTesto);
  conta.SetText("99999 / 99999");

  // The level codes.
  const long yLiv = yGriglia + 2730 + kPasso + 30;
  auto& test = d.Contenitore("picTest", 0, 60, yLiv, kLargh - 240, 2 * kPasso + 30);
  d.cont = &test;
  d.Cap(30, "Gruppo Liv.1", 0, 0, 1380);
  d.Txt(30, 1440, 0, 1200);
  d.Hlp(30, 2700, 0);
  d.Lab(30, 3060, 0, 4200);
  d.Cap(40, "Gruppo Liv.2", 0, 1, 1380);
  d.Txt(40, 1440, 1, 1200);
  d.Hlp(40, 2700, 1);
  d.Lab(40, 3060, 1, 4200);
  d.cont = nullptr;

  // The row's figures.
  const long yDett = yLiv + 2 * kPasso + 60;
  auto& dett = d.Contenitore("picDett", 0, 60, yDett, kLargh - 240, 4 * kPasso + 30);
  d.cont = &dett;
  d.Cap(50, "Quantità:", 0, 0, 1380);
  d.Txt(50, 1440, 0, 1300);
  d.Cap(60, "Prezzo:", 3000, 0, 1000);
  d.Txt(60, 4080, 0, 1400);
  d.Hlp(60, 5520, 0);
  d.Cap(70, "Importo:", 6120, 0, 960);
  d.Txt(70, 7140, 0, 1500);
  d.Cap(80, "Sconto Totale:", 0, 1, 1380);
  d.Txt(80, 1440, 1, 1300);
  d.Hlp(80, 2780, 1);
  d.Lab(80, 3120, 1, 900);
  d.Cap(120, "Sconto Cliente:", 0, 2, 1380);
  d.Txt(120, 1440, 2, 1300);
  d.Cap(90, "Sconto Art.:", 3000, 2, 1000);
  d.Txt(90, 4080, 2, 1400);
  d.Cap(110, "Sconto Tab:", 6120, 2, 960);
  d.Txt(110, 7140, 2, 1500);
  d.Cap(100, "Sconto Qta:", 0, 3, 1380);
  d.Txt(100, 1440, 3, 1300);
  d.Cap(130, "Disponibilità:", 2880, 3, 1140);
  d.Lab(130, 4080, 3, 1000);
  d.Cap(141, "Giacenza:", 5160, 3, 900);
  d.Lab(140, 6120, 3, 1000);
  auto& neg = d.Cap(140, "Giacenza negativa", 7200, 3, 1800);
  neg.SetForeColor(ui::vbRed);
  { ui::Carattere f = neg.Font(); f.Bold = true; neg.SetFont(f); }
  neg.SetVisible(false);
  d.Cap(175, "Promozione:", 8760, 0, 1020);
  d.Metti(ui::Tipo::CheckBox, "che", 175, 9840, d.Riga(0), 420, kAltTesto).SetEnabled(false);
  for (int n : {310, 320}) {
    auto& c = d.Txt(n, 0, 0, 600);
    c.SetVisible(false);
    c.SetTabStop(false);
  }
  d.cont = nullptr;

  // Bound but never seen.
  for (int n : {600, 10}) {
    auto& c = d.Txt(n, 0, 0, 600);
    c.SetVisible(false);
    c.SetTabStop(false);
  }
  for (int n : {290, 300}) d.Metti(ui::Tipo::Label, "lab", n, 0, 0, 600, 255).SetVisible(false);

  auto& stato = d.Metti(ui::Tipo::StatusBar, "staMessaggi", -1, 0, yDett + 4 * kPasso + 120, kLargh - 120, 420);
  stato.AggiungiElemento("TipOpe").Width = 900;
  stato.AggiungiElemento("Messaggio").Width = 7000;
  stato.AggiungiElemento("Time").Width = 900;
  stato.AggiungiElemento("Date").Width = 1200;
  stato.ElementoCambiato();
  auto& tim = d.Metti(ui::Tipo::Timer, "timLinPag", -1, 0, 0, 0, 0);
  tim.SetInterval(1);
  tim.SetEnabled(false);
  Move(0, 0, kLargh, yDett + 4 * kPasso + 120 + 420 + 450);
}

// ------------------------------------------------------------ load

void frmDDtDeLiv::Form_Load() {
  const Globali& g = G();
  const ParDettaglio& par = Par();
  SetHelpContextID(31020);
  miCampoCom = -1;
  AziendaUtil::CaricaFormPri(*this, 0, 0, 1, 0, 0, 0, 1, 0, 1, "");

  miPassoTimer = 0;
  mbChiusura = false;
  mbCaricato = false;
  mbAggPrezziFinito = true;
  mvPrezzoComune = vb::Variant();
  miRigaCancellata = 0;
  miPrezzoDaRiga = 0;
  miNuovoDopoSalva = 0;
  mbInCreazione = false;
  miNumDecQta = FC().ValInt(servizi::ParamDitta("Mag.NumDecQta"));

  // The header.
  txt(600).SetText(par.osAnno);
  txt(610).SetText(par.osNumRif);
  txt(620).SetText(par.osDataRif);
  txt(630).SetText(par.osFattDocum);
  lab(630).SetCaption(par.osLabFattDocum);
  txt(640).SetText(par.osPreDoc);
  txt(650).SetText(par.osNumDoc);
  txt(660).SetText(par.osDataDoc);
  txt(670).SetText(par.osIntest);
  lab(670).SetCaption(par.osIntRagSoc);
  lab(680).SetCaption(par.osIntRagSoc2);
  txt(690).SetText(par.osRiferimClie);
  txt(700).SetText(par.osListino);
  txt(710).SetText(par.osMoneta);
  txt(720).SetText(par.osCambio);
  MostraScontiDet();
  txt(10).SetText(osRigLiv);
  txt(20).SetText(osArticolo);
  lab(20).SetCaption(osDescArt);
  lab(22).SetCaption(par.osIva);
  txt(21).SetText(osUm);
  lab(21).SetCaption(osDescUm);
  C("che", 175).SetValue(vb::UgualeTesto(osPromozione, "S") ? 1 : 0);

  // The captions of the two level groups.
  std::string articolo = osArticolo;
  int16_t gruppi = 0;
  AziendaUtil::LeggiGruppiLiv(articolo, label1(30), label1(40), gruppi);
  const bool secondo = !FC().Vuoto(vb::Variant(ofrmRiga->LivGruppo2()));
  if (!secondo) {
    label1(40).SetVisible(false);
    txt(40).SetVisible(false);
    lab(40).SetVisible(false);
    C("ComHlp", 40).SetVisible(false);
  }

  // The page.
  mpLinPag = std::make_unique<barre::gridlib::PaginaRighe>();
  auto& p = *mpLinPag;
  p.Form(*this);
  p.BarraStrumenti(C("tolLinPag"));
  p.Database(*g.goDbAzienda);
  p.ChiaveDb(g.gsConnAzienda);
  p.TestoContaRighe(C("txtRiga"));
  p.Griglia(static_cast<ui::Griglia&>(C("dbgRiga")));
  p.ControlloDati(static_cast<ui::DatiControllo&>(C("DatRiga")));
  p.NomeTabella("DDtLivApp");
  p.FormatoData(g.gsFormatData);
  auto dim = [&](const char* intero, int dec) {
    return vb::Currency::FromText(std::string(intero) + (g.gsSepDecimali.empty() ? "," : g.gsSepDecimali) +
                                  std::to_string(dec));
  };
  auto campo = [&](int n, const std::string& col, ui::Controllo& c, const vb::Variant& descr, int chiave, int tipo,
                   int fisso, const std::string& azz, vb::Currency dimensione, const vb::Variant& obblig,
                   const std::string& masc, const vb::Variant& formato, int nascosto) {
    msNomeCampo[n] = col;
    p.DefinisciCampo(col, c, descr, {}, {}, chiave, tipo, fisso, -1, 0, azz, dimensione, obblig, masc, formato, 2,
                     nascosto);
  };
  const vb::Variant no;
  campo(600, "Anno", txt(600), no, 1, -1, 2, "", {}, no, "", no, -1);
  campo(610, "NumRif", txt(610), no, 1, -1, 2, "", {}, no, "", no, -1);
  campo(10, "RigLiv", txt(10), no, 1, -1, 2, "", {}, no, "", no, -1);
  campo(30, "Livello1", txt(30), no, 1, -1, 0, "", {}, true, "", no, 0);
  msNomeCampo[30] = label1(30).Caption();
  campo(40, "Livello2", txt(40), no, 1, -1, 0, secondo ? "" : "~ç~", {}, true, "", no, secondo ? 0 : -1);
  msNomeCampo[40] = label1(40).Caption();
  campo(50, "Qta", txt(50), "Quantità", 0, 7, 0, "", dim("10", g.giNumDecQta), true, g.gsMascQta, g.gsMascQtaVar, 0);
  campo(60, "ValUnitario", txt(60), "Val_Unitario", 0, 7, 0, "", dim("-14", par.oiNumDecMonGes), no,
        par.osNumDecMonGesPers, par.osNumDecMonGes, 0);
  campo(70, "ValTotale", txt(70), "Val_Totale", 0, 7, 0, "", dim("-14", par.oiNumDecMon), no, par.osNumDecMonPers,
        par.osNumDecMon, 0);
  campo(290, "ValLire", lab(290), no, 0, 7, 0, "", dim("-20", g.giNumDecLire), no, g.gsMascLire, g.gsMascLireVar, -1);
  campo(300, "ValEuro", lab(300), no, 0, 7, 0, "", dim("-20", g.giNumDecEuro), no, g.gsMascEuro, g.gsMascEuroVar, -1);
  campo(80, "ScontoTot", txt(80), no, 0, -1, 0, osDetScontoTot, {}, no, "", no, 0);
  campo(310, "UM", txt(310), no, 0, -1, 0, osUm, {}, true, "", no, -1);
  {
    std::string fat = FC().MascheraNum(odFatCon, 3, {}, false, "#,##0", 0, "", "^");
    campo(320, "FatCon", txt(320), no, 0, 7, 0, fat, dim("10", 3), no, "#,###.^^^", "#,###.000", -1);
  }
  p.CtrlPrimoCampo(txt(30));
  p.CtrlSecondoCampo(txt(50));
  p.ColoreTesto(g.glColoreTesto);
  p.ColoreTestoDisab(g.glColoreTestoDisab);
  p.ColoreErrore(g.glColoreErrore);
  p.ColoreSfondo(g.glColoreSfondo);
  for (int c : {16, 4, 10, 13, 8, 0, 19, 17}) p.AbilHook(c, true);

  msSql = PrepSql();
  p.OpzioneAvvio(0);
  p.ImpImmagini(g.gsTipoIcone);
  if (g.gbDisabTermPrz) DisabCampiTerminale();
  p.ApriRighe(msSql, {}, -1, 3);

  miQtaTotAttiva = 0;
  AzzMemSconti();
  miQtaTotAttiva = 1;

  if (oiAbilRW == 1) {
    if (ofrmRiga->LivelliCrea() == 1) {
      p.Campi("Qta").oiObblig = 0;
      CreaRigheLivelli();
      p.Campi("Qta").oiObblig = 1;
    }
    miPassoTimer = 1;
  } else {
    miPassoTimer = -1;
  }
  p.Campi("Qta").osAzzCampo = g.gsQtaDef;

  if (g.gbDisabTermVisPrz) {
    for (int n : {60, 70, 80, 110, 120, 90, 100}) {
      txt(n).SetVisible(false);
      label1(n).SetVisible(false);
    }
    C("ComHlp", 60).SetVisible(false);
    C("ComHlp", 80).SetVisible(false);
    lab(80).SetVisible(false);
    C("picTotPrz").SetVisible(false);
  }

  AziendaUtil::CaricaFormDop(*this, 0, 0, 1, 0, 0, 0, 0, 1);
  ui::Controllo& tb = C("tolLinPag");
  tb.Elem("Duplica").Visible = false;
  tb.ElementoCambiato();
  mbCaricato = true;
  timLinPag().SetEnabled(true);
}

void frmDDtDeLiv::AbilRw(int piAbil) {
  if (mpLinPag) mpLinPag->AbilRW(piAbil);
  label1(28).SetVisible(piAbil == 0);
}

// ------------------------------------------------------------ timer

void frmDDtDeLiv::Timer(ui::Controllo& c) {
  if (Nome(c.Name(), "timLinPag")) timLinPag_Timer();
}

void frmDDtDeLiv::timLinPag_Timer() {
  timLinPag().SetEnabled(false);
  if (!mpLinPag) return;
  auto& p = *mpLinPag;
  const int16_t passo = miPassoTimer;
  miPassoTimer = 0;
  switch (passo) {
    case 1: {
      p.EventoTimer();
      p.Riposiziona(false, -1, 0, -1, -1);
      const bool righe = !p.ChiaveDati().empty() && p.OggDati().NumRecord(p.ChiaveDati()) > 0;
      mainDdt::DaiFocus(righe ? txt(50) : txt(30));
      return;
    }
    case -1:
      p.EventoTimer();
      return;
    case 2:
    case 5:
      if (passo == 2) AggPrezziAltri();
      break;
    default:
      break;
  }
  // Focus re-entry: the box a command left runs its entry again.
  if (miCampoCom >= 0 && Nome(msCtrlCom, "txt")) {
    ui::Controllo* a = ActiveControl();
    if (a && Nome(a->Name(), "txt") && a->Index() == miCampoCom) txt_GotFocus(miCampoCom);
  }
  msCtrlCom.clear();
  miCampoCom = -1;
  if ((passo == 2 || passo == 5) && (passo == 5 || miNuovoDopoSalva == 1)) {
    miPassoTimer = 0;
    if (!mbInCreazione) ButtonNuovo();
    miNuovoDopoSalva = 0;
  }
}

// ------------------------------------------------------------ commands

void frmDDtDeLiv::ButtonClick(ui::Controllo& barra, const std::string& key) {
  (void)barra;
  ButtonComando(key);
}

std::string frmDDtDeLiv::ButtonComando(const std::string& psKey) {
  std::string ris;
  msCtrlCom.clear();
  if (ui::Controllo* a = ActiveControl()) msCtrlCom = a->Name();
  if (Nome(msCtrlCom, "txt")) {
    const int n = ActiveControl()->Index();
    txt_LostFocus(n);
    miCampoCom = static_cast<int16_t>(n);
  } else {
    miCampoCom = -1;
  }
  auto& p = ogLinPag();
  const bool nuova = p.Stato() == 2;
  if (Nome(psKey, "Salva") && nuova) miNuovoDopoSalva = 1;
  ris = p.EseguiTasto(psKey);
  if (Nome(psKey, "Salva") && nuova) {
    try {
      if (ui::Controllo* c = p.CtrlIniziale()) mainDdt::DaiFocus(*c);
    } catch (...) {
    }
  }
  if (!mbChiusura && Caricata()) timLinPag().SetEnabled(true);
  return ris;
}

// ------------------------------------------------------------ keys

void frmDDtDeLiv::Form_KeyDown(int& KeyCode, int Shift) {
  const int stato = mpLinPag ? mpLinPag->Stato() : 0;
  const bool shift = (Shift & 1) != 0;
  if (KeyCode == 27 && !shift && stato == 2) AnnullaIns();
  if (KeyCode == 121 && !shift) {
    if (ButtonComando("Salva").empty()) {
      miPassoTimer = 5;
      timLinPag().SetEnabled(true);
    }
    KeyCode = 0;
    return;
  }
  if (AziendaUtil::GestKeyDown(KeyCode, Shift, *this, 0, 0, -1, 0, 0, 0, 0, false, true) > 0) return;
  std::string tasto, alt;
  AziendaUtil::GestTastiBarra(KeyCode, Shift, *this, 0, 0, -1, 0, 0, 0, 0, tasto, alt, false);
}

void frmDDtDeLiv::Form_KeyPress(int& KeyAscii) { KeyAscii = AziendaUtil::GestKeyPress(KeyAscii, *this); }

void frmDDtDeLiv::KeyUp(ui::Controllo& c, int& KeyCode, int Shift) {
  if (Nome(c.Name(), "txt")) txt_KeyUp(c.Index(), KeyCode, Shift);
}

void frmDDtDeLiv::txt_KeyUp(int Index, int& KeyCode, int Shift) {
  if (KeyCode < 113 || KeyCode > 118 || (Shift & 1) != 0) return;
  const ParDettaglio& par = Par();
  const auto& g = G();
  switch (Index) {
    case 30:
    case 40: {
      int16_t scelto = 0;
      AziendaUtil::ApriAiuto("Livello", txt(Index), &lab(Index), static_cast<int16_t>(KeyCode),
                             {aiuti::ChiaveAgg(osArticolo), aiuti::ChiaveAgg(Index == 30 ? 1 : 2)}, scelto);
      break;
    }
    case 60:
      if (KeyCode == 113) {
        CercaListino();
      } else if (KeyCode == 114 || KeyCode == 118) {
        double prezzo = 0;
        if (KeyCode == 114) {
          int16_t scelto = 0;
          AziendaUtil::ApriAiuto("ArtListino", txt(20), &txt(60), 114,
                                 {aiuti::ChiaveAgg(txt(30)), aiuti::ChiaveAgg(txt(40)), aiuti::ChiaveAgg(vb::Missing),
                                  aiuti::ChiaveAgg(par.osDataRif)},
                                 scelto);
          if (!scelto) return;
          auto& r = G().goZelAiuto->Risultato();
          prezzo = FC().ValDouble(r.RetVal(vb::UgualeTesto(par.osMoneta, g.gsCodLira) ? "PrezzoLire" : "Prezzo"));
          if (vb::UgualeTesto(servizi::Testo(r.RetVal("Listino.Ivato")), par.osPrzIvato)) {
            txt(60).SetText(FC().MascheraNum(prezzo, par.oiNumDecMonGes, {}, false, "#,##0", 0, "", "0"));
            CalcPrezzo(1);
            return;
          }
        } else {
          prezzo = Num(60);
        }
        if (!vb::UgualeTesto(par.osPrzIvato, "S"))
          prezzo = AziendaUtil::ScorporaIva(prezzo, odPercIva, par.oiNumDecMonGes);
        else
          prezzo = AziendaUtil::AggiungiIva(prezzo, odPercIva, par.oiNumDecMonGes, "A");
        txt(60).SetText(FC().MascheraNum(prezzo, par.oiNumDecMonGes, {}, false, "#,##0", 0, "", "0"));
        CalcPrezzo(1);
      }
      break;
    case 80:
      if (KeyCode == 113) {
        osScontoQta.clear();
        osDetScontoQta.clear();
        osModScontoQta = "N";
        ElaboraSconti(true, true);
      }
      break;
    default:
      break;
  }
}

void frmDDtDeLiv::Click(ui::Controllo& c) {
  if (Nome(c.Name(), "ComHlp")) ComHlp_Click(c.Index());
}

void frmDDtDeLiv::ComHlp_Click(int Index) { FunVarie::SimulaTastoCampo(*this, Index, 113, false); }

// ------------------------------------------------------------ fields

void frmDDtDeLiv::GotFocus(ui::Controllo& c) {
  if (Nome(c.Name(), "txt")) txt_GotFocus(c.Index());
  else if (Nome(c.Name(), "txtRiga")) FunVarie::SpostaFocus(1);
}

void frmDDtDeLiv::LostFocus(ui::Controllo& c) {
  if (Nome(c.Name(), "txt")) txt_LostFocus(c.Index());
}

void frmDDtDeLiv::txt_GotFocus(int Index) {
  if (!mpLinPag || Index < 0 || Index > 320) return;
  if (Index == 50 || Index == 60 || Index == 70) {
    ogLinPag().CampoGotFocus(msNomeCampo[Index]);
    if (Index == 60) MsgPannello("F2=rileggi prezzo; F3=cerca listini; F7=Scorpora/iva prezzo unitario");
  }
  msValPrec[Index] = txt(Index).BackColor() == G().glColoreErrore ? std::string("~ç§@*+") : txt(Index).Text();
  FunVarie::SelezTesto();
  AziendaUtil::ColoraGotFocus(txt(Index), 0);
}

void frmDDtDeLiv::txt_LostFocus(int Index) {
  if (miCampoCom >= 0 || !mpLinPag || Index < 0 || Index > 320) return;
  const ParDettaglio& par = Par();
  ui::Controllo& t = txt(Index);
  AziendaUtil::ColoraLostFocus(t, 0);
  MsgPannello("");
  const bool cambiato = !vb::UgualeTesto(t.Text(), msValPrec[Index]);
  switch (Index) {
    case 30:
    case 40:
      if (cambiato) {
        MostraDispGiac();
        CercaListino();
        if (miPrezzoDaRiga != 1) ElaboraSconti(true, true);
        CalcPrezzo(1);
      }
      AziendaUtil::DecodCodice("Livello", t, &lab(Index),
                               {aiuti::ChiaveAgg(osArticolo), aiuti::ChiaveAgg(Index == 30 ? 1 : 2)}, 0, 0, "",
                               nullptr, "", "", 0, vb::Missing, -1, 0, "", nullptr, 0,
                               static_cast<ui::Griglia*>(&C("dbgRiga")));
      if (Index == 40 && t.BackColor() == G().glColoreErrore) MsgPannello("Codice Livello non valido");
      break;
    case 50:
    case 60:
    case 70:
      if (cambiato) {
        if (Index == 50) {
          if (!vb::UgualeTesto(osPromozione, "S") && !FC().Vuoto(vb::Variant(txt(20).Text()))) {
            double rid = odPercRidProvvQta;
            if (UtilDocFattGest::RicScontoQta(txt(20).Text(), QtaTot(), txt(710).Text(), odQtaPrezzo,
                                              osModScontoQta, osDetScontoQta, txt(100).Text(), par.osIntTipo,
                                              par.osIntest, par.osCategoria, ofrmRiga->ArtGruppo(),
                                              ofrmRiga->ArtSottoGru(), par.osTabSconti, rid)) {
              odPercRidProvvQta = rid;
              ElaboraSconti(false, false);
            }
          }
          if (!FC().Vuoto(vb::Variant(txt(50).Text()))) CalcPrezzo(0);
        } else {
          CalcPrezzo(Index == 60 ? 1 : 2);
        }
      }
      ogLinPag().CampoLostFocus(msNomeCampo[Index]);
      if (t.BackColor() == G().glColoreErrore) MsgPannello("Campo numerico: valore non valido");
      break;
    case 80:
      if (cambiato) MostraScontoTot(true);
      break;
    case 90:
    case 100:
    case 110:
    case 120:
      if (cambiato) CalcScontoTot(true);
      break;
    default:
      break;
  }
}

// ------------------------------------------------------------ grid

void frmDDtDeLiv::RowColChange(ui::Controllo& g, const vb::Variant& LastRow, int LastCol) {
  if (!mpLinPag) return;
  Globali& gl = G();
  auto& griglia = static_cast<ui::Griglia&>(g);
  if (gl.giDecodInCorso > 1) return;
  if (gl.giDecodInCorso == 1 && griglia.Bookmark() != LastRow.ToString()) {
    gl.giDecodInCorso = 2;
    gl.gvBookmarkDecod = griglia.Bookmark();
    griglia.SetBookmark(LastRow.ToString());
    return;
  }
  std::string corr, tot;
  mpLinPag->RigaColCambiata(LastRow, LastCol, miFlagRigaCol, corr, tot);
  miFlagRigaCol = 0;
  C("txtRiga").SetText(corr + " / " + tot);
}

void frmDDtDeLiv::SelChange(ui::Controllo& g, int& Cancel) {
  (void)g;
  if (mpLinPag) mpLinPag->SelCambiata(Cancel);
}

void frmDDtDeLiv::Form_Resize() {
  if (mpLinPag) mpLinPag->Ridimensiona();
}

void frmDDtDeLiv::DatRefresh() {
  ogLinPag().FormatGriglia(-1, "M", 0, "dd/mm/yyyy");
  PersColonne();
  CalcTotDocum();
}

vb::Variant frmDDtDeLiv::ovField(int piColIndex, const std::string& psProprieta) {
  const std::string p = vb::LCase(psProprieta);
  vb::Variant def;
  if (p == "type") def = 10;
  else if (p == "name" || p == "sourcefield" || p == "sourcetable") def = std::string();
  else if (p == "dataupdatable") def = false;
  else if (p == "size" || p == "fieldsize") def = 0;
  try {
    auto& g = static_cast<ui::Griglia&>(C("dbgRiga"));
    const std::string campo = g.Colonna(piColIndex).DataField;
    if (p == "name" || p == "sourcefield") return campo;
    if (p == "sourcetable") return std::string("DDtLivApp");
    if (p == "dataupdatable") return true;
  } catch (...) {
  }
  return def;
}

void frmDDtDeLiv::SetovfrmBookmark(const std::string& psBookmark) {
  msBookmark = psBookmark;
  ui::Controllo& tb = C("tolLinPag");
  tb.Elem("VaiA").Enabled = !psBookmark.empty();
  tb.ElementoCambiato();
}

bool frmDDtDeLiv::VerBookmark(const vb::Variant& pvBook) {
  return static_cast<ui::Griglia&>(C("dbgRiga")).Bookmark() == pvBook.ToString();
}

void frmDDtDeLiv::ChiudiFrm() { Unload(); }
void frmDDtDeLiv::MenuFrm() { mainDdt::MostraMenu(); }

// ------------------------------------------------------------ closing

void frmDDtDeLiv::Form_Unload(int& Cancel) {
  if (!mpLinPag) return;
  auto& p = *mpLinPag;
  if (!p.PuoChiudere()) {
    Cancel = 1;
    return;
  }
  if (p.Cambiato() == 1) {
    if (!CancRecVuoti()) {
      Cancel = 1;
      return;
    }
    // The line takes the sum of the rows that stay: the totals are counted
    // again after the clean-up.
    CalcTotDocum();
    const double qta = NumLab(270), importo = NumLab(280);
    ofrmRiga->AggQtaPrzLivelli(qta, importo, *this);
  }
  mbChiusura = true;
  timLinPag().SetEnabled(false);
  ofrmRiga->DopoGestLivelli();
  mpLinPag.reset();
}

// ------------------------------------------------------------ names

vb::Variant frmDDtDeLiv::LeggiPerNome(const std::string& n) {
  if (Nome(n, "oiAbilRW")) return oiAbilRW;
  if (Nome(n, "osParam")) return osParam;
  if (Nome(n, "osKeySec")) return osKeySec;
  return ui::Form::LeggiPerNome(n);
}

void frmDDtDeLiv::ScriviPerNome(const std::string& n, const vb::Variant& v) {
  if (Nome(n, "oiAbilRW")) oiAbilRW = static_cast<int>(v.ToInt());
  else if (Nome(n, "osParam")) osParam = v.ToString();
  else if (Nome(n, "AbilRw")) AbilRw(static_cast<int>(v.ToInt()));
  else ui::Form::ScriviPerNome(n, v);
}

vb::Variant frmDDtDeLiv::ChiamaPerNome(const std::string& n, std::vector<vb::Variant>& a) {
  if (Nome(n, "PersLPaPri") || Nome(n, "PersLPaDop")) {
    a.resize(std::max<size_t>(a.size(), 2));
    std::vector<vb::Variant> arr(a.begin() + 2, a.end());
    const int op = static_cast<int>(a[0].ToInt());
    return Nome(n, "PersLPaPri") ? PersLPaPri(op, a[1], arr) : PersLPaDop(op, a[1], arr);
  }
  if (Nome(n, "ButtonComando")) return ButtonComando(a.empty() ? std::string() : a[0].ToString());
  if (Nome(n, "ChiudiFrm")) {
    ChiudiFrm();
    return {};
  }
  if (Nome(n, "MenuFrm")) {
    MenuFrm();
    return {};
  }
  if (Nome(n, "CercaPrezzo")) return CercaPrezzo(a.empty() ? false : a[0].ToBool());
  if (Nome(n, "PrepSql")) return PrepSql();
  if (Nome(n, "txt_KeyUp")) {
    a.resize(std::max<size_t>(a.size(), 3));
    int tasto = static_cast<int>(a[1].ToInt());
    txt_KeyUp(static_cast<int>(a[0].ToInt()), tasto, static_cast<int>(a[2].ToInt()));
    return {};
  }
  return ui::Form::ChiamaPerNome(n, a);
}

ui::Oggetto* frmDDtDeLiv::OggettoPerNome(const std::string& n) {
  if (Nome(n, "ogLinPag")) return mpLinPag.get();
  return ui::Form::OggettoPerNome(n);
}

// ------------------------------------------------------------ helpers

void frmDDtDeLiv::MsgPannello(const std::string& psTesto) {
  ui::Controllo& s = C("staMessaggi");
  s.Elem("Messaggio").Caption = psTesto;
  s.ElementoCambiato();
}

std::string frmDDtDeLiv::TestoPannello() const { return C("staMessaggi").Elem("Messaggio").Caption; }

double frmDDtDeLiv::Num(int n) const { return FC().ValDouble(vb::Variant(txt(n).Text()), true); }
double frmDDtDeLiv::NumLab(int n) const { return FC().ValDouble(vb::Variant(lab(n).Caption()), true); }
int16_t frmDDtDeLiv::FlagLiv() const { return FC().ValInt(vb::Variant(ofrmRiga->FlagLivLis())); }
