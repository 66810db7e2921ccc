#include "lots/frmLisPartLot.h"

#include "common/AziendaUtil.h"
#include "common/FunVarie.h"
#include "common/Globali.h"
#include "common/frmMsgCom.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/dati/GestDatabase.h"
#include "platform/ui/Griglia.h"
#include "services/DbDitta.h"
#include "services/Impostazioni.h"
#include "services/LatoMenu.h"

namespace {

const vb::FunzioniComuni& FC() { return vb::FunzioniComuni::Istanza(); }
bool Nome(const std::string& a, const char* b) { return vb::UgualeTesto(a, b); }
std::string SqlT(const std::string& v) { return FC().ValoreSql(vb::Variant(v), vb::vbString); }

constexpr long kLargh = 6900, kAlt = 5400, kTopGriglia = 540;

ui::Griglia& Lista(const ui::Form& f) { return static_cast<ui::Griglia&>(f.C("dbgLista")); }
ui::DatiControllo& Dati(const ui::Form& f) { return static_cast<ui::DatiControllo&>(f.C("DatLi")); }

}  // namespace

frmLisPartLot::frmLisPartLot() : ui::Form("frmLisPartLot") { CreaControlli(); }

void frmLisPartLot::CreaControlli() {
  SetCaption("Lista partite / lotto");
  Move(0, 0, kLargh, kAlt);
  SetMinButton(false);
  SetMaxButton(false);
  int tab = 0;
  auto metti = [&](ui::Tipo t, const std::string& nome, int indice, long x, long y, long w, long h) -> ui::Controllo& {
    ui::Controllo& c = Crea(t, nome, indice);
    c.Move(x, y, w, h);
    c.SetTabIndex(tab++);
    return c;
  };
  metti(ui::Tipo::Label, "label1", 10, 120, 150, 780, 255).SetCaption("Articolo:");
  ui::Controllo& art = metti(ui::Tipo::TextBox, "txt", 10, 900, 120, 1500, 300);
  art.SetEnabled(false);
  ui::Controllo& descr = metti(ui::Tipo::Label, "lab", 10, 2460, 150, kLargh - 2460 - 240, 255);
  descr.SetForeColor(ui::vbBlue);
  auto& dati = Crea<ui::DatiControllo>(ui::Tipo::Data, "DatLi");
  dati.SetVisible(false);
  const long yb = kAlt - 405 - 120 - 375;
  auto& g = Crea<ui::Griglia>(ui::Tipo::DataGrid, "dbgLista");
  g.Move(120, kTopGriglia, kLargh - 360, yb - kTopGriglia - 90);
  g.SetTabIndex(tab++);
  g.SetAllowUpdate(false);
  g.SetDataSource(&dati);
  ui::Controllo& ok = metti(ui::Tipo::CommandButton, "comOk", -1, kLargh - 2 * 1215 - 360, yb, 1215, 375);
  ok.SetCaption("&Ok");
  ok.SetDefault(true);
  ui::Controllo& annulla = metti(ui::Tipo::CommandButton, "ComAnnulla", -1, kLargh - 1215 - 240, yb, 1215, 375);
  annulla.SetCaption("&Annulla");
  annulla.SetCancel(true);
}

void frmLisPartLot::Form_Load() {
  mbOk = false;
  AziendaUtil::CaricaFormPri(*this, 0, 0, 0, 0, 0, 0, 0, 1, 1, "");
  C("txt", 10).SetText(osArticolo);
  C("lab", 10).SetCaption(osDescArt);
  ImpostaGriglia();
  AziendaUtil::CaricaFormDop(*this, 0, 0, 0, 0, 0, 0, 1, 1);
}

void frmLisPartLot::ImpostaGriglia() {
  FunVarie::Clessidra(-1);
  try {
    const Globali& g = G();
    const std::string utente = servizi::UtenteMenu();
    AziendaUtil::SvuotaAppoggioTemp(utente, kIdProgramma);
    dati::GestRecordset rs;
    const std::string k = rs.ApriRecordset(
        servizi::DbDitta(), g.gsConnAzienda, "",
        std::string("Select MovMagDett.DescPers1") + ", MovMagDett.DescPers3" + " FROM (MovMagTes INNER JOIN MagCausali" +
            " ON MovMagTes.MagCausale = MagCausali.MagCausale)" + " INNER JOIN MovMagDett" +
            " ON MovMagTes.Anno = MovMagDett.Anno" + " AND MovMagTes.NumReg = MovMagDett.NumReg" +
            " WHERE MovMagTes.MagazzinoDest=" + SqlT(osMagazzino) +
            " AND MovMagTes.Anno = " + FC().ValoreSql(vb::Variant(oiAnno), vb::vbInteger) +
            " AND MovMagDett.Articolo = " + SqlT(osArticolo) +
            " group by MovMagDett.DescPers1, MovMagDett.DescPers3" +
            " order by MovMagDett.DescPers1, MovMagDett.DescPers3",
        false, 4);
    long contatore = 0;
    for (; !rs.NessunRecord(k) && !rs.FineRec(k); rs.ProssimoRec(k)) {
      ++contatore;
      const vb::Variant partita = rs.LeggiCampo(k, "DescPers1"), lotto = rs.LeggiCampo(k, "DescPers3");
      if (FC().Vuoto(partita) && FC().Vuoto(lotto)) continue;
      servizi::DbDitta().EseguiSql(
          g.gsConnAzienda, std::string("INSERT INTO AppoggioTemp") + "(Utente,IdProgramma,IdCampo" +
                               ",Valorestringa" + ",AppoStringa0" + ") VALUES (" + SqlT(utente) + "," +
                               SqlT(kIdProgramma) + "," + SqlT(std::to_string(contatore)) + "," +
                               SqlT(servizi::Testo(partita)) + "," + SqlT(servizi::Testo(lotto)) + ")");
    }
    rs.ChiudiRecordset(k);
    if (!mgRecDat) mgRecDat = std::make_unique<dati::GestRecordset>();
    if (!msRecDat.empty()) {
      Dati(*this).SetRecordset(nullptr);
      try {
        if (mgRecDat->Esiste(msRecDat)) mgRecDat->ChiudiRecordset(msRecDat);
      } catch (...) {
      }
      msRecDat.clear();
    }
    msRecDat = mgRecDat->ApriRecordset(servizi::DbDitta(), g.gsConnAzienda, "",
                                       std::string("Select Valorestringa as Partita") + ", AppoStringa0 as Lotto" +
                                           " FROM AppoggioTemp" + " Where Utente = " + SqlT(utente) +
                                           " AND IdProgramma = " + SqlT(kIdProgramma) +
                                           " Order by Valorestringa, AppoStringa0",
                                       false, 2);
    ui::Griglia& gr = Lista(*this);
    Dati(*this).SetRecordset(&mgRecDat->RecordsetDao(msRecDat));
    gr.ColonneDaCampi();
    const char* titoli[] = {"Partita", "Lotto"};
    for (int i = 0; i < 2 && i < gr.NumColonne(); ++i) {
      ui::ColonnaGriglia& c = gr.Colonna(i);
      c.Caption = titoli[i];
      c.Width = 1800;
      c.Locked = true;
      if (odRisVidVal != 1 && odRisVidVal > 0) c.Width = static_cast<long>(c.Width * odRisVidVal);
    }
    gr.ColonnaCambiata();
  } catch (...) {
    frmMsgCom::MsgErrfrm();
  }
  FunVarie::Clessidra(0);
}

void frmLisPartLot::comOk_Click() {
  try {
    ui::Griglia& g = Lista(*this);
    if (g.Bookmark().empty()) return;
    osPartita = g.TestoCella(0);
    osLotto = g.TestoCella(1);
    mbOk = true;
  } catch (...) {
    mbOk = false;
    frmMsgCom::MsgErrfrm();
    return;
  }
  Unload();
}

void frmLisPartLot::ComAnnulla_Click() {
  mbOk = false;
  Unload();
}

void frmLisPartLot::Form_Unload(int&) {
  Dati(*this).SetRecordset(nullptr);
  try {
    if (!msRecDat.empty() && mgRecDat && mgRecDat->Esiste(msRecDat)) mgRecDat->ChiudiRecordset(msRecDat);
  } catch (...) {
  }
  msRecDat.clear();
  if (!ofrmTest) return;
  try {
    std::vector<vb::Variant> a{vb::Variant(mbOk)};
    ofrmTest->ChiamaPerNome("DopoCercaPartita", a);
  } catch (...) {
    frmMsgCom::MsgErrfrm();
  }
}

void frmLisPartLot::Form_KeyDown(int& KeyCode, int Shift) {
  if (AziendaUtil::GestKeyDown(KeyCode, Shift, *this, 0, 0, 0, 0, 0, 0) > 0) return;
  std::string tasto, tastoAlt;
  AziendaUtil::GestTastiBarra(KeyCode, Shift, *this, 0, 0, 0, 0, 0, 0, 0, tasto, tastoAlt, false);
}

void frmLisPartLot::Form_KeyPress(int& KeyAscii) { KeyAscii = AziendaUtil::GestKeyPress(KeyAscii, *this); }

void frmLisPartLot::Click(ui::Controllo& c) {
  if (Nome(c.Name(), "comOk")) comOk_Click();
  else if (Nome(c.Name(), "ComAnnulla")) ComAnnulla_Click();
}

void frmLisPartLot::DblClick(ui::Controllo& c) {
  if (Nome(c.Name(), "dbgLista")) comOk_Click();
}

vb::Variant frmLisPartLot::LeggiPerNome(const std::string& n) {
  if (Nome(n, "odRisVidVal")) return odRisVidVal;
  if (Nome(n, "osKeySec")) return osKeySec;
  if (Nome(n, "oiAbilRW")) return oiAbilRW;
  return ui::Form::LeggiPerNome(n);
}

void frmLisPartLot::ScriviPerNome(const std::string& n, const vb::Variant& v) {
  if (Nome(n, "odRisVidVal")) odRisVidVal = v.ToDouble();
  else if (Nome(n, "osKeySec")) osKeySec = v.ToString();
  else if (Nome(n, "oiAbilRW")) oiAbilRW = static_cast<int16_t>(v.ToInt());
  else ui::Form::ScriviPerNome(n, v);
}
