// The load of the line window: every member of the opening gets its value
// again (nothing survives from the DDT of an earlier opening), the settings
// are read, the header panel is filled, the line page is set up over the
// working line table and opens the DDT's lines; the first tick of the timer
// runs the post-load step once the opener has shown the window.
#include <string>

#include "common/AziendaUtil.h"
#include "common/Globali.h"
#include "common/mainDdt.h"
#include "common/utilprg.h"
#include "ddt/lines/frmDDTDett.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/ui/Griglia.h"
#include "services/Impostazioni.h"

namespace {

const vb::FunzioniComuni& FC() { return vb::FunzioniComuni::Istanza(); }
bool Uguale(const std::string& a, const std::string& b) { return vb::UgualeTesto(a, b); }
std::string Pers(const std::string& sez, const std::string& nome, const std::string& def = "") {
  return servizi::Testo(servizi::ParPers(sez, nome, vb::Variant(def)));
}
std::string Ditta(const std::string& nome) { return servizi::Testo(servizi::ParamDitta(nome)); }

}  // namespace

void frmDDTDett::Form_Load() {
  const Globali& g = G();
  AziendaUtil::CaricaFormPri(*this, 0, 0, 1, 0, 0, 0, 1, 0, 1, "");
  SetHelpContextID(31010);
  C("PicDati", 1).SetHelpContextID(31012);
  C("PicDati", 2).SetHelpContextID(31013);
  C("PicDati", 3).SetHelpContextID(31014);
  C("PicDati", 5).SetHelpContextID(31015);
  C("PicDati", 7).SetHelpContextID(31016);

  // ---- per-opening state, first group
  miInAggNonText = 0;
  miChiusuraDaPagina = 0;
  mbInChiusura = false;
  mbSalvaInUscita = true;
  mbArtDaAiuto = false;
  miStatoTimer = 0;
  miRigaArtMostrata = -1;
  mlInsPosizSalv = 0;
  miInsRigaSalv = 0;
  miRigaIns = 0;
  miRipresaTracc = 0;
  miRipresaLivelli = 0;
  mbInsInMezzo = false;
  mbCampiLivAbil = true;
  oiLivelliCrea = 0;
  miPaginaAttiva = -1;
  miArtMostrato = -1;
  mdValTotalePrec = 0;
  mdQtaPrec = 0;
  miNoEventiGriglia = 0;
  mbCodBarSalvato = false;
  miRigaCanc = 0;
  mlMaxRigLiv = 0;
  msBookmark.clear();
  // The design colour: an earlier opening may have left the caption in
  // another.
  mlColoreArticolo = mlColoreArticoloDis;

  // ---- settings of the article display
  msZonaCliSoci = Pers("KervoDF", "ZonaCliSoci");
  msContoAcqDef = FC().Formatta(
      vb::Variant(Ditta("CauCon.GruppoAcq") + Ditta("CauCon.MastroAcq") + Ditta("CauCon.ContoAcq")), "Conto");
  msContoVenDef = FC().Formatta(
      vb::Variant(Ditta("CauCon.GruppoVen") + Ditta("CauCon.MastroVen") + Ditta("CauCon.ContoVen")), "Conto");
  CaricaCodici();
  mbLetturaFile = false;
  miFileLettura = 0;
  mbLetturaMatr = false;
  miFileLetturaMatr = 0;
  mbRaeeDaCreare = false;
  miStatoRaee = 0;
  mdQtaRaee = 0;
  mbAggLivelli = false;
  mbRinumera = false;
  mbInComando = false;
  msRicavoSoci = Pers("Vendite", "RicavoSoci");
  mdDivPezziConf = FC().ValDouble(vb::Variant(Pers("Articoli", "DivPezziConf", "1")), true, true);

  // ---- display settings
  label1(700).SetVisible(Uguale(osPrzIvato, "S"));
  msLabLarg = Pers("Articoli", "LabLarg");
  msLabAlt = Pers("Articoli", "LabAlt");
  msLabLung = Pers("Articoli", "LabLung");
  // An empty setting leaves the design caption (also after an opening
  // that had one).
  auto didascalia = [&](const std::string& testo, const char* disegno, int a, int b) {
    const std::string& c = FC().Vuoto(vb::Variant(testo)) ? std::string(disegno) : testo;
    label1(a).SetCaption(c);
    label1(b).SetCaption(c);
  };
  didascalia(msLabLarg, "Larghezza:", 810, 260);
  didascalia(msLabAlt, "Altezza:", 820, 270);
  didascalia(msLabLung, "Lunghezza:", 800, 250);
  msDoveStampoSopra = Pers("DDT", "DoveStampoSopra");
  msDoveStampoSotto = Pers("DDT", "DoveStampoSotto");
  mbQtaDaDimen = Uguale(Pers("Vendite", "QtaDaDimen"), "S");
  C("ComPartLotti").SetVisible(obRicPartLotti);
  C("ComHlp", 220).SetVisible(obRicPartLotti);
  // What only the quantity from dimensions reads keeps no value of an
  // earlier opening.
  msQtaDaDimUML.clear();
  msQtaDaDimUMQ.clear();
  msQtaDaDimUMC.clear();
  msNotaDimensioniUML.clear();
  msNotaDimensioniUMQ.clear();
  msNotaDimensioniUMC.clear();
  mdQtaDimenRapp = 1000;
  if (mbQtaDaDimen) {
    msQtaDaDimUML = ";" + Pers("Vendite", "QtaDaDimUML") + ";";
    msQtaDaDimUMQ = ";" + Pers("Vendite", "QtaDaDimUMQ") + ";";
    msQtaDaDimUMC = ";" + Pers("Vendite", "QtaDaDimUMC") + ";";
    const std::string nota = Pers("Vendite", "NotaDimensioni");
    msNotaDimensioniUML = Pers("Vendite", "NotaDimensioniUML", nota);
    msNotaDimensioniUMQ = Pers("Vendite", "NotaDimensioniUMQ", nota);
    msNotaDimensioniUMC = Pers("Vendite", "NotaDimensioniUMC", nota);
    mdQtaDimenRapp = FC().ValDouble(vb::Variant(Pers("Vendite", "QtaDimenRapp", "1000#")), true, true);
    if (mdQtaDimenRapp == 0) mdQtaDimenRapp = 1000;
  }
  for (int n : {250, 260, 270}) {
    label1(n).SetVisible(mbQtaDaDimen);
    txt(n).SetVisible(mbQtaDaDimen);
  }
  label1(40).SetCaption(mbQtaDaDimen ? "Nr.Pezzi" : "Colli:");
  msSegnSottoScorta = Pers("MagaVen", "SegnSottoScorta", "N");
  osSegnalGiac.clear();
  mbMostraCostoUltimo = Uguale(Pers("DDT", "MostraCostoUltimo"), "S");
  {
    const std::string v = Pers("Vendite", "NotaLinguaDove");
    mbNotaLinguaSotto = true;
    if (v.size() < 2) {
      msNotaLinguaStampa = v;
    } else {
      if (Uguale(v.substr(v.size() - 1), "S")) mbNotaLinguaSotto = false;
      msNotaLinguaStampa = v.substr(0, 1);
    }
  }
  mbLettArtDafile = Uguale(Pers("DDT", "LettArtDafile"), "S");
  mbLettMatrDafile = Uguale(Pers("DDT", "LettMatrDafile"), "S");

  C("ComTipoRic").SetCaption(servizi::Testo(mainDdt::DescrRicCodice()));
  ColBackAutoSalva();

  // ---- personal entry order and columns
  if (osDettOrdIns.empty()) {
    if (!osDettOrdInsTab.empty()) DettOrdInsTab();
  } else {
    DettOrdIns();
  }
  if (!(osDettOrdIns.empty() ? osDettOrdInsTab : osDettOrdIns).empty())
    DettOrdInsRip();
  else
    mbOrdInsPers = false;
  if (!FC().Vuoto(vb::Variant(osDettOrdCol)))
    DettOrdCol();
  else
    mbColPers = false;
  msLivello1Salvato.clear();
  msLivello2Salvato.clear();

  // ---- header panel
  txt(600).SetText(osAnno);
  txt(610).SetText(osNumRif);
  txt(620).SetText(osDataRif);
  {
    int16_t anno = 0;
    std::string msg;
    AziendaUtil::CalcAnnoEsercizio(FC().ValData(vb::Variant(osDataRif)), anno, msg);
    miAnnoMag = anno;
  }
  txt(630).SetText(osFattDocum);
  lab(630).SetCaption(osLabFattDocum);
  txt(640).SetText(osPreDoc);
  txt(650).SetText(osNumDoc);
  txt(660).SetText(osDataDoc);
  txt(670).SetText(osIntest);
  lab(670).SetCaption(osIntRagSoc);
  lab(680).SetCaption(osIntRagSoc2);
  txt(690).SetText(osRiferimClie);
  txt(700).SetText(osListino);
  txt(710).SetText(osMoneta);
  txt(720).SetText(osCambio);
  label1(832).SetVisible(obContrDiversi);

  const bool lire = !Uguale(osMoneta, g.gsCodLira) &&
                    (Uguale(osMoneta, g.gsCodEuro) || !Uguale(g.gsCodEuro, g.gsMonetaDitta));
  label1(275).SetCaption(lire ? "Totale in Lire:" : "Totale in Euro:");

  // ---- the line page over the working line table
  datRiga().SetRecordset(nullptr);
  auto& p = ogLinPag();
  p.Form(*this);
  p.BarraStrumenti(tolLinPag());
  if (g.goDbAzienda) p.Database(*g.goDbAzienda);
  p.ChiaveDb(g.gsConnAzienda);
  p.TestoContaRighe(C("txtRiga"));
  p.Griglia(dbgRiga());
  p.ControlloDati(datRiga());
  p.NomeTabella(g.gsTabDettApp);
  msSqlRighe = servizi::Testo(PrepSql());
  p.FormatoData(g.gsFormatData);
  DefinisciCampi();

  const int pers[] = {220, 230, 265, 267};
  const std::string* desc[] = {&g.gsDescPersDet1, &g.gsDescPersDet2, &g.gsDescPersDet3, &g.gsDescPersDet4};
  for (int i = 0; i < 4; ++i) {
    const bool vis = !desc[i]->empty();
    label1(pers[i]).SetCaption(*desc[i]);
    label1(pers[i]).SetVisible(vis);
    txt(pers[i]).SetVisible(vis);
  }
  C("PicBeneUsato").SetVisible(Uguale(osRegimeMargine, "S"));

  // A terminal barred from prices sees none; the fields stay declared.
  const bool prezzi = !g.gbDisabTermVisPrz;
  for (int n : {60, 70, 80, 90, 100, 110, 120}) {
    txt(n).SetVisible(prezzi);
    label1(n).SetVisible(prezzi);
  }
  C("ComHlp", 60).SetVisible(prezzi);
  C("ComHlp", 80).SetVisible(prezzi);
  lab(80).SetVisible(prezzi);
  che(75).SetVisible(prezzi);
  C("picTotPrz").SetVisible(prezzi);

  p.Contesto(g.goContesto.get());
  p.CtrlPrimoCampo(txt(10));
  p.CtrlSecondoCampo(txt(20));
  msTipoRigaPrec = "A";
  p.ColoreTesto(g.glColoreTesto);
  p.ColoreTestoDisab(g.glColoreTestoDisab);
  p.ColoreErrore(g.glColoreErrore);
  p.ColoreSfondo(g.glColoreSfondo);
  for (int c : {16, 4, 10, 13, 7, 17, 8, 6, 19, 3, 20, 0}) p.AbilHook(c, true);
  mbVerifStampato = false;
  p.OpzioneAvvio(0);
  p.ImpImmagini(g.gsTipoIcone, &C("ImagePiccole"), &C("ImagePiccole"));

  // ---- toolbar by settings and by the DDT's state
  auto& tb = tolLinPag();
  auto bottone = [&](const char* key, bool vis, bool abil) {
    ui::Elemento& e = tb.Elem(key);
    e.Visible = vis;
    e.Enabled = abil;
  };
  const bool noEsci = oiAggTest > 1 || oiGestDupl != 0;
  bottone("EsciNoSalva", !noEsci, !noEsci);
  const bool stampato = !FC().Vuoto(vb::Variant(osStato));
  bottone("Copia", !stampato, true);
  bottone("Taglia", !stampato, true);
  // Nothing is flagged yet: no paste until a copy or a cut.
  bottone("Incolla", !stampato, false);
  bottone("Inserisci", !stampato, true);
  const bool livelli = Uguale(g.gsGesTaglie, "S");
  bottone("Livelli", livelli, false);
  bottone("LivelliCrea", livelli, false);
  ImpLetDaFile(g.gsParagLettFile, true);
  bottone("LetturaDaFile", mbLettArtDafile, mbLettArtDafile);
  bottone("MatrGest", obMatrGest, obMatrGest);
  ImpLetDaFileMatr(g.gsParagLettFileMatr, true);
  const bool lettMatr = obMatrGest && !stampato && mbLettMatrDafile;
  bottone("LettMatr", lettMatr, lettMatr);
  const bool tracc = !FC().Vuoto(vb::Variant(osLottoTipOpe));
  bottone("Tracc", tracc, tracc);
  tb.ElementoCambiato();

  miCopiaTaglia = 0;
  p.ApriRighe(msSqlRighe, {}, -1, 3);

  txt(26).SetMaxLength(txt(23).MaxLength());
  label1(23).SetLeft(label1(26).Left());

  AziendaUtil::CaricaFormDop(*this, 0, 0, 1, 0, 0, 0, 0, 1);

  ui::Controllo& liv = C("picLivelli");
  liv.Move(mlPicLivLeftDis, mlPicLivTopDis);
  mlPicLivTop = liv.Top();
  mlPicLivLeft = liv.Left();
  switch (oiPosPicLiv) {
    case 1:
      liv.Move(60, dbgRiga().Top() + 100);
      break;
    case 2:
      liv.Move(liv.Left(), dbgRiga().Top() + 100);
      break;
    case 3:
      liv.Move(60, liv.Top());
      break;
    default:
      break;
  }

  utilprg::ImpostaDimForm(*this, olFormDettWidth, olFormDettHeight, olFormDettLeft, olFormDettTop);

  ArmaTimer(3);
}

void frmDDTDett::ArmaTimer(int16_t piStato) {
  miStatoTimer = piStato;
  timLinPag().SetEnabled(true);
}
