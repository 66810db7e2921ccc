// The lot of the current row: field entry and exit, the decoding of the
// lot against the lot master and of its codes, the lot master record of a
// load, the stock check of a row and the check before rows are deleted.
#include <exception>
#include <string>

#include "common/AziendaUtil.h"
#include "common/FunVarie.h"
#include "common/Globali.h"
#include "common/frmMsgCom.h"
#include "lots/UtilLotto.h"
#include "lots/frmMovTracc.h"
#include "platform/Date.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/aiuti/AiutiDecodifica.h"
#include "platform/dati/GestDatabase.h"
#include "platform/dati/GestRecordset.h"

namespace {
const vb::FunzioniComuni& FC() { return vb::FunzioniComuni::Istanza(); }
bool Uguale(const std::string& a, const std::string& b) { return vb::UgualeTesto(vb::Trim(a), b); }
std::string Tx(const std::string& s) { return FC().ValoreSql(vb::Variant(s), vb::vbString); }
std::string In(const std::string& s) { return FC().ValoreSql(vb::Variant(FC().ValInt(vb::Variant(s))), vb::vbInteger); }
// A date literal, Null for a box left empty.
std::string Dt(const std::string& s) {
  if (vb::Trim(s).empty()) return "Null";
  return FC().ValoreSql(vb::Variant(s), vb::vbDate);
}
const char* kValIniErrore = "~ç§@*+";
}  // namespace

void frmMovTracc::Stato(const std::string& psTesto) {
  auto& sta = C("staMessaggi");
  sta.Elem("Messaggio").Caption = psTesto;
  sta.ElementoCambiato();
}

void frmMovTracc::txt_GotFocus(int Index) {
  Globali& g = G();
  ui::Controllo& t = txt(Index);
  if (Index == 46 || Index == 410) {
    if (!vb::Trim(t.Text()).empty()) t.SetText(FC().FormatTipo(vb::Variant(t.Text()), "conto"));
    t.SetBackColor(g.glColoreSfondo);
  } else if (Index == 50 && HaPagina()) {
    ogLinPag().CampoGotFocus("Qta");
  }
  msValIni[Index] = t.BackColor() == g.glColoreErrore ? kValIniErrore : t.Text();
  AziendaUtil::ColoraGotFocus(t, 0);
}

void frmMovTracc::txt_LostFocus(int Index) {
  if (miCampoSospeso >= 0 || !Caricata()) return;
  Globali& g = G();
  ui::Controllo& t = txt(Index);
  AziendaUtil::ColoraLostFocus(t, 0);
  const bool cambiato = !vb::UgualeTesto(t.Text(), msValIni[Index]);
  switch (Index) {
    case 30:
      DecodLotto(cambiato, true, true, true);
      break;
    case 40:
      if (cambiato) DecodLotto(true, true, true, true);
      break;
    case 46:
      AziendaUtil::MostraDescConto(t, &lab(46), 2, 0, 0);
      if (!vb::Trim(t.Text()).empty() && cambiato) DecodLotto(true, false, true, true);
      break;
    case 50:
      if (HaPagina()) {
        ogLinPag().ValoreCampo("Qta");
        ogLinPag().CampoLostFocus("Qta");
      }
      if (t.BackColor() == g.glColoreErrore) Stato("Campo numerico: valore non valido");
      break;
    case 70: {
      std::string msg;
      FunVarie::VerifData(t, -2, 1, std::nullopt, &msg, false);
      Stato(msg);
      break;
    }
    case 80: DecodTabDec(80, "C", true); break;
    case 90: DecodTabDec(90, "T", true); break;
    case 100: DecodTabDec(100, "Z", true); break;
    case 110: DecodTabDec(110, "S", true); break;
    default: break;
  }
}

void frmMovTracc::txt_KeyUp(int Index, int KeyCode, int Shift) {
  const bool fn = (KeyCode >= 113 && KeyCode <= 118 && Shift == 0) || KeyCode == 122 || KeyCode == 123;
  if (!fn) return;
  int16_t scelto = 0;
  aiuti::ChiaveAgg agg;
  if (Index == 30) {
    std::string filtro = "Articolo = " + Tx(osArticolo);
    if (!Uguale(osLottoTipOpe, "C")) filtro += " And Chiuso = " + Tx("A");
    if (!vb::Trim(txt(46).Text()).empty()) {
      std::string gr, ma, co;
      AziendaUtil::DividiConto(txt(46).Text(), gr, ma, co);
      filtro += " And GruppoCliFor = " + Tx(gr) + " And MastroCliFor = " + Tx(ma) + " And ContoCliFor = " + Tx(co);
    }
    AziendaUtil::ApriAiuto("Lotti", txt(30), &txt(60), static_cast<int16_t>(KeyCode), agg, scelto, "", 0, filtro);
    if (scelto && G().goZelAiuto) {
      auto& r = G().goZelAiuto->Risultato();
      txt(40).SetText(r.RetVal("NrProgLotto").ToString());
      if (vb::Trim(txt(46).Text()).empty()) {
        std::string gr, ma, co;
        AziendaUtil::DividiConto(r.RetVal("fornitore").ToString(), gr, ma, co);
        txt(46).SetText(gr + ma + co);
        txt_LostFocus(46);
      }
    }
  } else if (Index == 46 || Index == 410) {
    AziendaUtil::ApriAiuto("Conto", txt(Index), &lab(Index), static_cast<int16_t>(KeyCode), agg, scelto);
  } else if (Index == 80 || Index == 90 || Index == 100 || Index == 110) {
    const char* chiavi[] = {"C", "T", "Z", "S"};
    AziendaUtil::ApriAiuto("TabDecod", txt(Index), &lab(Index), static_cast<int16_t>(KeyCode), agg, scelto, "", 0,
                           "Chiave = " + Tx(chiavi[(Index - 80) / 10]));
  }
}

void frmMovTracc::DecodTabDec(int piCampo, const std::string& psChiaveTab, bool pbFaiHelp) {
  if (vb::Trim(txt(piCampo).Text()).empty()) {
    lab(piCampo).SetCaption("");
    txt(piCampo).SetBackColor(G().glColoreSfondo);
    return;
  }
  AziendaUtil::DecodCodice("TabDecod", txt(piCampo), &lab(piCampo), {}, 0, 0, "", nullptr,
                           "Chiave = " + Tx(psChiaveTab), "", 0, vb::Missing, -1, pbFaiHelp ? 1 : 0);
}

void frmMovTracc::DecodLotto(bool pbVariato, bool pbDecodDaTxtLotto, bool pbChiuso, bool pbFaiHelp) {
  (void)pbFaiHelp;
  Globali& g = G();
  const int16_t p = FC().ValInt(vb::Variant(txt(40).Text()));
  const std::string descr = txt(60).Text();
  std::string gr, ma, co;
  const bool conConto = !vb::Trim(txt(46).Text()).empty();
  if (conConto) AziendaUtil::DividiConto(txt(46).Text(), gr, ma, co);
  std::string w = "Articolo = " + Tx(osArticolo) + " And Lotto = " + Tx(txt(30).Text());
  if (pbVariato && pbChiuso && !Uguale(osLottoTipOpe, "C")) w += " And Chiuso = " + Tx("A");
  if (conConto) w += " And GruppoCliFor = " + Tx(gr) + " And MastroCliFor = " + Tx(ma) + " And ContoCliFor = " + Tx(co);
  if (p > 0) w += " And NrProgLotto = " + In(txt(40).Text());
  dati::GestRecordset rs;
  const std::string k = rs.ApriRecordset(*g.goDbAzienda, g.gsConnAzienda, "", "Select * from Lotti Where " + w, false, 4);
  const bool trovato = !vb::Trim(txt(30).Text()).empty() && !rs.NessunRecord(k);
  const long n = trovato ? rs.NumRecord(k) : 0;
  auto campo = [&](const char* c) { return trovato ? vb::Trim(rs.LeggiCampo(k, c).ToString()) : std::string(); };
  txt(60).SetText(trovato ? campo("Descrizione") : "");
  msStatoLotto = campo("Chiuso");
  if (!Uguale(osLottoTipOpe, "C")) {
    // where the lot was loaded
    const std::string& T = osFileTracc;
    (void)T;
    dati::GestRecordset ro;
    const std::string ko = ro.ApriRecordset(
        *g.goDbAzienda, g.gsConnAzienda, "",
        "SELECT MovMagTes.Anno, MovMagTes.NumReg, MovMagTes.DataReg, MovMagTes.PreDoc, MovMagTes.NumDoc, "
        "MovMagTes.DataDoc FROM MovMagTes INNER JOIN MovMagRintraccia ON MovMagTes.NumReg = MovMagRintraccia.NumReg "
        "AND (MovMagTes.Anno = MovMagRintraccia.Anno) Where MovMagRintraccia.Articolo = " + Tx(txt(20).Text()) +
            " And MovMagRintraccia.Lotto = " + Tx(txt(30).Text()) +
            (conConto ? " And MovMagRintraccia.GruppoCliFor = " + Tx(gr) + " And MovMagRintraccia.MastroCliFor = " +
                            Tx(ma) + " And MovMagRintraccia.ContoCliFor = " + Tx(co)
                      : std::string()) +
            " And MovMagRintraccia.TipOpe = 'C'",
        false, 4);
    const bool c = !ro.NessunRecord(ko);
    C("LabMultiplo").SetVisible(c && ro.NumRecord(ko) > 1);
    auto leggi = [&](const char* f) { return c ? vb::Trim(ro.LeggiCampo(ko, f).ToString()) : std::string(); };
    txt(300).SetText(leggi("NumReg"));
    txt(310).SetText(c ? FC().FormatTipo(ro.LeggiCampo(ko, "DataReg"), "dd/mm/yyyy") : "");
    txt(320).SetText(leggi("PreDoc"));
    txt(330).SetText(leggi("NumDoc"));
    txt(340).SetText(c ? FC().FormatTipo(ro.LeggiCampo(ko, "DataDoc"), "dd/mm/yyyy") : "");
    ro.ChiudiRecordset(ko);
  } else if (!trovato) {
    txt(30).SetBackColor(g.glColoreSfondo);
    txt(60).SetText(descr);
  }
  if (!pbVariato || n > 1) {
    if (n > 1 && pbDecodDaTxtLotto) SpostaFuoco(&txt(30));
    rs.ChiudiRecordset(k);
    return;
  }
  if (!conConto && trovato) {
    txt(46).SetText(campo("GruppoCliFor") + campo("MastroCliFor") + campo("ContoCliFor"));
    AziendaUtil::MostraDescConto(txt(46), &lab(46), 2, 0, 0);
  }
  if (p == 0) {
    const int16_t nr = trovato ? FC().ValInt(rs.LeggiCampo(k, "NrProgLotto")) : 0;
    txt(40).SetText(std::to_string(nr == 0 ? 1 : nr));
  }
  if (!Uguale(osLottoTipOpe, "C") || trovato) {
    txt(80).SetText(campo("Categoria"));
    txt(90).SetText(campo("Trattamento"));
    txt(100).SetText(campo("Confezione"));
    txt(110).SetText(campo("Specie"));
  }
  DecodTabDec(80, "C", false);
  DecodTabDec(90, "T", false);
  DecodTabDec(100, "Z", false);
  DecodTabDec(110, "S", false);
  txt(70).SetBackColor(g.glColoreSfondo);
  const vb::Variant scad = trovato ? rs.LeggiCampo(k, "DataScadenza") : vb::Variant();
  if (scad.IsEmpty() || scad.IsNull() || vb::Trim(scad.ToString()).empty()) {
    txt(70).SetText("");
  } else {
    txt(70).SetText(FC().FormatTipo(scad, "dd/mm/yyyy"));
    if (scad.ToDate() < g.gtDataLavoro) txt(70).SetBackColor(g.glColoreErrore);
  }
  rs.ChiudiRecordset(k);
}

bool frmMovTracc::SalvaLotto() {
  Globali& g = G();
  if (txt(70).BackColor() == g.glColoreErrore) {
    frmMsgCom::msgCom("Data non valida", "&Ok");
    SpostaFuoco(&txt(70));
    return false;
  }
  std::string gr, ma, co;
  AziendaUtil::DividiConto(txt(46).Text(), gr, ma, co);
  const std::string chiave = " Where Articolo = " + Tx(txt(44).Text()) + " And GruppoCliFor = " + Tx(gr) +
                             " And MastroCliFor = " + Tx(ma) + " And ContoCliFor = " + Tx(co) + " And Lotto = " +
                             Tx(txt(30).Text()) + " And NrProgLotto = " + In(txt(40).Text());
  // A new row may name a lot already in the master: it is then updated,
  // as a duplicate key would have it, keeping its production date and state.
  dati::GestRecordset rs;
  const std::string k = rs.ApriRecordset(*g.goDbAzienda, g.gsConnAzienda, "", "Select Lotto from Lotti" + chiave, false, 4);
  const bool esiste = !rs.NessunRecord(k);
  rs.ChiudiRecordset(k);
  try {
    std::string sql;
    if (esiste) {
      sql = "Update Lotti Set Descrizione = " + Tx(txt(60).Text()) + ", DataScadenza = " + Dt(txt(70).Text()) +
            ", Categoria = " + Tx(txt(80).Text()) + ", Trattamento = " + Tx(txt(90).Text()) + ", Confezione = " +
            Tx(txt(100).Text()) + ", Specie = " + Tx(txt(110).Text()) + chiave;
    } else {
      sql = "Insert INTO Lotti (Lotto, NrProgLotto, Articolo, GruppoCliFor, MastroCliFor, ContoCliFor, DataScadenza, "
            "Descrizione, Categoria, Trattamento, Confezione, Specie, DataProduzione, Chiuso) Values ( " +
            Tx(txt(30).Text()) + ", " + In(txt(40).Text()) + ", " + Tx(txt(44).Text()) + ", " + Tx(gr) + ", " +
            Tx(ma) + ", " + Tx(co) + ", " + Dt(txt(70).Text()) + ", " + Tx(txt(60).Text()) + ", " +
            Tx(txt(80).Text()) + ", " + Tx(txt(90).Text()) + ", " + Tx(txt(100).Text()) + ", " +
            Tx(txt(110).Text()) + ", " + Dt(txt(130).Text()) + ", " + Tx("A") + ")";
    }
    g.goDbAzienda->EseguiSql(g.gsConnAzienda, sql);
    if (g.goDbAzienda->DbConnessione(g.gsConnAzienda).RecordsAffected == 0)
      frmMsgCom::msgCom("Attenzione: i dati lotto non sono stati salvati per un errore non identificato", "&Ok");
  } catch (...) {
    frmMsgCom::MsgErrfrm();
    return false;
  }
  return true;
}

int16_t frmMovTracc::ContrLottoQta(const std::string& psTipoOpe) {
  Globali& g = G();
  const bool nuovo = HaPagina() && ogLinPag().Stato() == 2;
  const int16_t anno = nuovo ? -1 : FC().ValInt(vb::Variant(txt(240).Text()));
  const int32_t num = nuovo ? -1 : FC().ValLong(vb::Variant(txt(120).Text()));
  const int32_t riga = nuovo ? -1 : FC().ValLong(vb::Variant(txt(10).Text()));
  UtilLotto::ChiaveLotto l;
  l.articolo = txt(44).Text();
  AziendaUtil::DividiConto(txt(46).Text(), l.gruppo, l.mastro, l.conto);
  l.lotto = txt(30).Text();
  l.nrProg = FC().ValInt(vb::Variant(txt(40).Text()));
  const double q = FC().ValDouble(vb::Variant(txt(50).Text()));
  auto arrot = [&](double v) { return FC().Arrotonda(vb::Variant(v), "A", 1, -g.giNumDecQta); };
  auto corto = [&](const std::string& tipo, const std::string& mag, double& a, std::string& parola) {
    UtilLotto::GiacenzaLotto gq;
    // a stock that cannot be read stops the save: no decision on it
    UtilLotto::GiacLotto(mag, l, gq, osTipoFileTracApp, anno, num, riga, "");
    if (tipo == "C") {
      a = arrot(gq.scarTot);
      parola = "da caricare";
      return FunVarie::ArrotConfronta(vb::Variant(q + gq.carTot), vb::Variant(gq.scarTot), -8) == -1;
    }
    a = arrot(gq.carTot - gq.scarTot);
    parola = "disponibile";
    return FunVarie::ArrotConfronta(vb::Variant(gq.carTot), vb::Variant(q + gq.scarTot), -8) == -1;
  };
  double a = 0;
  std::string parola;
  const std::string tipo = vb::UCase(vb::Trim(psTipoOpe));
  bool manca = false;
  if (tipo == "C") {
    manca = corto("C", osMagaCar, a, parola);
  } else if (tipo == "S") {
    manca = corto("S", osMagaScar, a, parola);
  } else {
    manca = corto("S", osMagaScar, a, parola);
    if (manca) parola += " per magazzino " + osMagaScar;
    else if ((manca = corto("C", osMagaCar, a, parola))) parola += " nel magazzino " + osMagaCar;
  }
  if (!manca) return 0;
  const std::string qta = FC().MascheraNum(vb::Variant(a), g.giNumDecQta, {}, false, "#,##0");
  const int r = frmMsgCom::msgCom("Quantità caricata insufficiente per gli scarichi richiesti\r\nQuantità " + parola +
                                      ": " + qta,
                                  "&Ok", "&Annulla", "Imposta la quantità", vb::Missing, 80, false, 600, vb::Missing, 2);
  if (r == 1) return 0;
  if (r == 3) txt(50).SetText(qta);
  return 1;
}

int16_t frmMovTracc::DettNonCanc(std::string& psTesto) {
  if (Uguale(osFileTraccApp, "MovProdRintraccia")) return 0;
  const std::string k = vb::UCase(vb::Trim(osLottoTipOpe));
  const int m = oiTracQtaVer;
  const bool controlla = (m == 1) || (m == 2 && (k == "S" || k == "I")) || (m == 3 && (k == "C" || k == "I"));
  if (!controlla) return 0;
  auto& pag = ogLinPag();
  auto& rs = pag.OggDati();
  const std::string kd = pag.ChiaveDati();
  const int16_t anno = FC().ValInt(vb::Variant(txt(240).Text()));
  const int32_t num = FC().ValLong(vb::Variant(txt(120).Text())), riga = FC().ValLong(vb::Variant(txt(10).Text()));
  // the current row; with several selected, each of them in turn
  std::vector<std::string> righe = pag.SelBookmarks();
  if (righe.empty() || miRigLivCanc != 0) righe = {std::string()};
  dati::Recordset* r = pag.Recordset();
  const std::string torna = r && !r->NessunaCorrente() ? r->Bookmark() : std::string();
  int16_t esito = 0;
  for (const auto& b : righe) {
    if (!b.empty() && r) r->SetBookmark(b);
    UtilLotto::ChiaveLotto l;
    const std::string& T = osFileTraccApp;
    l.articolo = vb::Trim(rs.LeggiCampo(kd, T + ".Articolo").ToString());
    l.gruppo = vb::Trim(rs.LeggiCampo(kd, T + ".GruppoCliFor").ToString());
    l.mastro = vb::Trim(rs.LeggiCampo(kd, T + ".MastroCliFor").ToString());
    l.conto = vb::Trim(rs.LeggiCampo(kd, T + ".ContoCliFor").ToString());
    l.lotto = vb::Trim(rs.LeggiCampo(kd, T + ".Lotto").ToString());
    l.nrProg = FC().ValInt(rs.LeggiCampo(kd, T + ".NrProgLotto"));
    if (miRigLivCanc != 0 && Uguale(msStatoLotto, "F")) break;
    esito = UtilLotto::VerifCancLotto(osLottoTipOpe, osMagaScar, osMagaCar, l, anno, num, riga, osTipoFileTracApp,
                                      psTesto);
    if (esito > 0) break;
    UtilLotto::AggStatoLotto(osLottoTipOpe, osMagaScar, osMagaCar, l, anno, num, riga, osTipoFileTracApp, 0, "");
  }
  if (r && !torna.empty()) r->SetBookmark(torna);
  DatRefresh();
  return esito;
}

void frmMovTracc::ComGenera_Click() {
  if (miChiaveBaseLun < 0) return;
  if (vb::Trim(txt(46).Text()).empty()) {
    frmMsgCom::msgCom("Inserire il fornitore del lotto", "&Ok", vb::Missing, vb::Missing, vb::Missing, 80, false, 600);
    return;
  }
  try {
    const std::string p = vb::Trim(txt(30).Text()).empty() ? msChiaveBase : vb::Trim(txt(30).Text());
    std::string gr, ma, co;
    AziendaUtil::DividiConto(txt(46).Text(), gr, ma, co);
    txt(30).SetText(UtilLotto::GeneraLotto(p, miChiaveBaseLun, gr, ma, co, mbChiavePerArt ? osArticolo : ""));
    DecodLotto(true, true, true, false);
  } catch (...) {
    frmMsgCom::MsgErrfrm();
  }
}
