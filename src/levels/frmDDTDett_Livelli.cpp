// The line's variant levels: the hand-over of a line to the level-row
// list editor and back, the panel of a line with one level row, and the
// enabling of the level commands. The level matrix is opened from one
// place only (GestLivelli).
#include <exception>
#include <memory>
#include <string>

#include "common/AziendaUtil.h"
#include "common/FunVarie.h"
#include "common/Globali.h"
#include "common/frmMsgCom.h"
#include "common/mainDdt.h"
#include "ddt/lines/frmDDTDett.h"
#include "levels/frmGestLivelli.h"
#include "ddt/lines/frmDDTDett_Util.h"
#include "levels/ProtRigaLivelli.h"
#include "levels/frmDDtDeLiv.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/dati/GestRecordset.h"
#include "services/Impostazioni.h"

using DettUtil::NonDisponibile;

namespace {

const vb::FunzioniComuni& FC() { return vb::FunzioniComuni::Istanza(); }

// The line window as the level editors read it.
class RigaLivelliDett : public ProtRigaLivelli {
 public:
  explicit RigaLivelliDett(frmDDTDett& f) : f_(f) {}
  const ParDettaglio& ParRiga() const override { return f_; }
  std::string LivGruppo1() const override { return f_.osLivGruppo1; }
  std::string LivGruppo2() const override { return f_.osLivGruppo2; }
  std::string FlagLivLis() const override { return f_.osFlagLivLis; }
  std::string ArtGruppo() const override { return f_.osArtGruppo; }
  std::string ArtSottoGru() const override { return f_.osArtSottoGru; }
  std::string SegnalGiac() const override { return f_.osSegnalGiac; }
  int16_t LivelliCrea() const override { return f_.oiLivelliCrea; }
  ui::Form& FormRiga() override { return f_; }
  vb::Variant AggQtaPrzLivelli(double pdQta, double pdPrezzo, const ScontiLivelli& pfrm) override {
    return f_.AggQtaPrzLivelli(pdQta, pdPrezzo, pfrm);
  }
  void DopoGestLivelli() override { f_.DopoGestLivelli(); }

 private:
  frmDDTDett& f_;
};

}  // namespace

ProtRigaLivelli& frmDDTDett::RigaLivelli() {
  if (!mpRigaLivelli) mpRigaLivelli = std::make_shared<RigaLivelliDett>(*this);
  return *mpRigaLivelli;
}

bool frmDDTDett::GestLivelli(bool pbMessaggi) {
  const Globali& g = G();
  const auto& fc = FC();
  std::string rifiuto;
  if (!vb::UgualeTesto(g.gsGesTaglie, "S") ||
      (fc.Vuoto(vb::Variant(osLivGruppo1)) && fc.Vuoto(vb::Variant(osLivGruppo2))))
    rifiuto = "Articolo senza gestione livelli";
  else if (!servizi::Testo(ogLinPag().VarDati(-1)).empty())
    rifiuto = "Salvare i dati prima di andare nella gestione livelli";
  if (!rifiuto.empty()) {
    if (pbMessaggi) frmMsgCom::msgCom(rifiuto, "&Ok");
    return false;
  }
  // The editor closed last may still be inside its own unload.
  mfrmDeLivChiuso.reset();
  if (obLivGestTab && oiLivelliCrea == 1) {
    return ApriMatriceLivelli(*this);
  }
  FunVarie::Clessidra(true);
  auto f = std::make_shared<frmDDtDeLiv>();
  f->ofrmRiga = &RigaLivelli();
  f->osParam = osParam;
  f->oiAnnoMag = miAnnoMag;
  f->osRigLiv = lab(15).Caption();
  f->osArticolo = txt(20).Text();
  f->osDescArt = txt(26).Text();
  f->osUm = txt(140).Text();
  f->osDescUm = lab(140).Caption();
  f->odPercIva = odPercIva;
  f->odFatCon = fc.ValDouble(vb::Variant(txt(150).Text()), true);
  if (f->odFatCon == 0) f->odFatCon = 1;
  f->osDetScontoClie = txt(100).Text();
  f->osDetScontoTab = txt(90).Text();
  f->osDetScontoArt = txt(110).Text();
  f->osDetScontoQta = txt(120).Text();
  f->osDetScontoTot = txt(80).Text();
  f->osPromozione = txt(175).Text();
  f->odPercRidProvv = mdPercRidProvvTab;
  f->odPercRidProvvQta = mdPercRidProvvQta;
  DisabilitaPerLivelli();
  f->osKeySec = osKeySec;
  mfrmDeLiv = f;
  oiInDeLiv = 1;
  try {
    f->Load();
    f->AbilRw(fc.Vuoto(vb::Variant(osStato)) ? oiAbilRW : 0);
  } catch (...) {
    FunVarie::Clessidra(false);
    oiInDeLiv = 0;
    mfrmDeLiv.reset();
    SetEnabled(true);
    for (int n : {0, 1}) C("PicDett", n).SetEnabled(true);
    throw;
  }
  FunVarie::Clessidra(false);
  f->Show(0);
  return true;
}

void frmDDTDett::DisabilitaPerLivelli() {
  for (int n : {0, 1}) C("PicDett", n).SetEnabled(false);
  SetEnabled(false);
}

vb::Variant frmDDTDett::AggQtaPrzLivelli(double pdQta, double pdPrezzo, const ScontiLivelli& pfrm) {
  const Globali& g = G();
  const auto& fc = FC();
  mbAggLivelli = true;
  txt(30).SetText(fc.MascheraNum(vb::Variant(pdQta), g.giNumDecQta, {}, false, "#,##0", 0, {}, "^"));
  txt(70).SetText(fc.MascheraNum(vb::Variant(pdPrezzo), oiNumDecMon, {}, false, "#,##0", 0, {}, "0"));
  txt(110).SetText(pfrm.osDetScontoArt);
  txt(100).SetText(pfrm.osDetScontoClie);
  txt(120).SetText(pfrm.osDetScontoQta);
  txt(90).SetText(pfrm.osDetScontoTab);
  txt(80).SetText(pfrm.osDetScontoTot);
  mdPercRidProvvTab = pfrm.odPercRidProvv;
  mdPercRidProvvQta = pfrm.odPercRidProvvQta;
  vb::Variant ris;
  try {
    MostraScontoTot(false, true);
    CalcPrezzo(2);
    const bool insInPos = mbInsInMezzo;
    ris = ButtonComando("Salva");
    mbInsInMezzo = insInPos;
  } catch (...) {
    mbAggLivelli = false;
    throw;
  }
  mbAggLivelli = false;
  return ris;
}

void frmDDTDett::DopoGestLivelli() {
  // The editor is in its unload: it goes at the next opening.
  mfrmDeLivChiuso = std::move(mfrmDeLiv);
  oiInDeLiv = 0;
  SetEnabled(true);
  Show();
  oiLivelliCrea = 0;
  for (int n : {0, 1}) C("PicDett", n).SetEnabled(true);
  ui::Controllo& tb = tolLinPag();
  if (tb.HaElem("Livelli")) {
    tb.Elem("Livelli").Enabled = true;
    tb.ElementoCambiato();
  }
  AbilLivelliCrea();
  DisabSeLivelli(true, true);
  auto& p = ogLinPag();
  if (mlInsPosizSalv > 0) {
    p.Riposiziona(true, 1, 0, mlInsPosizSalv, miInsRigaSalv);
    mlInsPosizSalv = 0;
    miInsRigaSalv = 0;
    p.ImpInsModo(1);
  }
  std::string key;
  switch (miRipresaLivelli) {
    case 0:
      miStatoTimer = 0;
      break;
    case 1:
    case 4: {
      const int16_t numero = FC().ValInt(vb::Variant(txt(10).Text()), true, true);
      miRigaIns = static_cast<int16_t>(mbInsInMezzo ? numero : numero + 1);
      key = "Nuovo";
      CompletaInserisci(key);
      if (miRipresaLivelli == 4) {
        miRipresaLivelli = 0;
        ButtonComando(key);
        key.clear();
      }
      break;
    }
    case 2:
      key = "LivelliCrea";
      break;
    case 3:
      key = "Livelli";
      break;
    default:
      break;
  }
  if (!key.empty()) {
    p.EseguiTasto(key);
    if (!mbInChiusura) timLinPag().SetEnabled(true);
    mbInsInMezzoRich = mbInsInMezzo;
  }
  if (mbRaeeDaCreare)
    ArmaTimer(9);
  else if (mbLetturaFile)
    ArmaTimer(5);
  else if (mbLetturaMatr)
    ArmaTimer(6);
}

void frmDDTDett::NascondiPicLiv() {
  C("picLivelli").SetVisible(false);
  for (int n : {21, 22}) {
    txt(n).SetBackColor(G().glColoreSfondo);
    txt(n).SetText("");
    lab(n).SetCaption("");
  }
}

void frmDDTDett::AbilLivelliCrea() {
  if (!(obLivGestTab || (oiAbilRW != 0 && FC().Vuoto(vb::Variant(osStato))))) return;
  ui::Controllo& tb = tolLinPag();
  if (!tb.HaElem("LivelliCrea")) return;
  tb.Elem("LivelliCrea").Enabled = true;
  tb.ElementoCambiato();
}

bool frmDDTDett::SalDatiLiv() {
  // The line's one level row from the panel and the line's own fields.
  const Globali& g = G();
  const auto& fc = FC();
  dati::GestRecordset rs;
  std::string k;
  try {
    const std::string& t = g.gsTabLivApp;
    k = rs.ApriRecordset(*g.goDbAzienda, g.gsConnAzienda, "",
                         "Select * from " + t + " where " + t + ".Anno = " +
                             fc.ValoreSql(vb::Variant(txt(600).Text()), vb::vbInteger) + " AND " + t + ".NumRif = " +
                             fc.ValoreSql(vb::Variant(txt(610).Text()), vb::vbLong) + " AND " + t + ".RigLiv = " +
                             fc.ValoreSql(vb::Variant(lab(15).Caption()), vb::vbLong) + " Order By " + t +
                             ".Livello1, " + t + ".Livello2",
                         false, 2);
    if (rs.NessunRecord(k)) {
      rs.NuovoRecord(k);
      rs.ScriviCampo(k, "Anno", fc.ValInt(vb::Variant(txt(600).Text())));
      rs.ScriviCampo(k, "NumRif", fc.ValLong(vb::Variant(txt(610).Text())));
      rs.ScriviCampo(k, "RigLiv", fc.ValLong(vb::Variant(lab(15).Caption())));
    } else {
      rs.ModificaRecord(k);
    }
    rs.ScriviCampo(k, "Livello1", txt(21).Text());
    rs.ScriviCampo(k, "Livello2", txt(22).Text());
    rs.ScriviCampo(k, "UM", txt(140).Text());
    rs.ScriviCampo(k, "FatCon", fc.ValDouble(vb::Variant(txt(150).Text()), true));
    rs.ScriviCampo(k, "Qta", fc.ValDouble(vb::Variant(txt(30).Text()), true));
    rs.ScriviCampo(k, "ValUnitario", fc.ValDouble(vb::Variant(txt(60).Text()), true));
    rs.ScriviCampo(k, "ValTotale", fc.ValDouble(vb::Variant(txt(70).Text()), true));
    rs.ScriviCampo(k, "ScontoTot", txt(80).Text());
    rs.ScriviCampo(k, "ValLire", fc.ValDouble(vb::Variant(lab(290).Caption()), true));
    rs.ScriviCampo(k, "ValEuro", fc.ValDouble(vb::Variant(lab(300).Caption()), true));
    rs.SalvaRecord(k);
    rs.ChiudiRecordset(k);
    msLivello1Salvato = txt(21).Text();
    msLivello2Salvato = txt(22).Text();
    return true;
  } catch (const vb::Errore& e) {
    try {
      if (!k.empty() && rs.Esiste(k)) rs.ChiudiRecordset(k);
    } catch (...) {
    }
    frmMsgCom::MsgErrfrm(e, "Attenzione livello non creato correttamente");
    return false;
  }
}

bool frmDDTDett::LivelloUnico() {
  // The panel serves a line of a valid article with at most one level row:
  // the row's codes go into it; a line with several rows is the level
  // editor's.
  const Globali& g = G();
  const auto& fc = vb::FunzioniComuni::Istanza();
  auto svuota = [&] {
    for (int n : {21, 22}) {
      txt(n).SetText("");
      lab(n).SetCaption("");
    }
  };
  dati::GestRecordset rs;
  std::string k;
  try {
    if (txt(20).BackColor() == g.glColoreErrore || oiPosPicLiv == 0) {
      svuota();
      msLivello1Salvato = txt(21).Text();
      msLivello2Salvato = txt(22).Text();
      return false;
    }
    auto& p = ogLinPag();
    const std::string memorizzato = vb::Trim(servizi::Testo(CampoRigaPag("Articolo")));
    if (p.Stato() != 2 && vb::UgualeTesto(memorizzato, vb::Trim(txt(20).Text()))) {
      const std::string& t = g.gsTabLivApp;
      k = rs.ApriRecordset(*g.goDbAzienda, g.gsConnAzienda, "",
                           "Select " + t + ".Livello1, Livelli1.Descrizione as DescrLiv1, " + t +
                               ".Livello2, Livelli2.Descrizione as DescrLiv2 FROM (" + t +
                               " LEFT JOIN Livelli as Livelli1 ON Livelli1.Livello = " + t +
                               ".Livello1) LEFT JOIN Livelli as Livelli2 ON Livelli2.Livello = " + t +
                               ".Livello2 where " + t + ".Anno = " +
                               fc.ValoreSql(vb::Variant(txt(600).Text()), vb::vbInteger) + " AND " + t +
                               ".NumRif = " + fc.ValoreSql(vb::Variant(txt(610).Text()), vb::vbLong) + " AND " + t +
                               ".RigLiv = " + fc.ValoreSql(vb::Variant(lab(15).Caption()), vb::vbLong),
                           false, 4);
      if (rs.NumRecord(k) > 1) {
        rs.ChiudiRecordset(k);
        return false;
      }
      if (rs.NessunRecord(k)) {
        svuota();
      } else {
        txt(21).SetText(servizi::Testo(rs.LeggiCampo(k, "Livello1")));
        lab(21).SetCaption(servizi::Testo(rs.LeggiCampo(k, "DescrLiv1")));
        txt(22).SetText(servizi::Testo(rs.LeggiCampo(k, "Livello2")));
        lab(22).SetCaption(servizi::Testo(rs.LeggiCampo(k, "DescrLiv2")));
      }
    } else {
      svuota();
    }
    std::string articolo = txt(20).Text();
    int16_t gruppi = 0;
    AziendaUtil::LeggiGruppiLiv(articolo, label1(21), label1(22), gruppi);
    // An article without a second level group stores "~ç~" as its level 2.
    const bool secondo = !fc.Vuoto(vb::Variant(osLivGruppo2));
    if (!secondo) txt(22).SetText("~ç~");
    label1(22).SetVisible(secondo);
    txt(22).SetVisible(secondo);
    lab(22).SetVisible(secondo);
    C("ComHlp", 22).SetVisible(secondo);
    if (!k.empty()) rs.ChiudiRecordset(k);
    msLivello1Salvato = txt(21).Text();
    msLivello2Salvato = txt(22).Text();
    return true;
  } catch (...) {
    MostraErrore(std::current_exception());
    msLivello1Salvato.clear();
    msLivello2Salvato.clear();
    try {
      if (!k.empty() && rs.Esiste(k)) rs.ChiudiRecordset(k);
    } catch (...) {
    }
    return false;
  }
}
