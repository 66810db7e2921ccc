// The import layout chooser.
#include "lineaids/frmSelIniCarFile.h"

#include "common/AziendaUtil.h"
#include "common/Globali.h"
#include "common/frmMsgCom.h"
#include "platform/IniFile.h"
#include "platform/Testo.h"

namespace {
bool Nome(const std::string& a, const char* b) { return vb::UgualeTesto(a, b); }
}  // namespace

frmSelIniCarFile::frmSelIniCarFile() : ui::Form("frmSelIniCarFile") {
  SetCaption("Selezione parametri per caricamento da file");
  // The list as designed, with its bottom margin inside the frame.
  Move(0, 0, 6060, 5580);
  SetBorderStyle(3);
  SetMinButton(false);
  SetMaxButton(false);
  ui::Controllo& lista = Crea(ui::Tipo::ListBox, "LisParamIni");
  lista.Move(180, 120, 4155, 4935);
  lista.SetTabIndex(0);
  ui::Controllo& ok = Crea(ui::Tipo::CommandButton, "comOk");
  ok.Move(4800, 1320, 975, 855);
  ok.SetCaption("&Ok");
  ok.SetTabIndex(1);
  ui::Controllo& annulla = Crea(ui::Tipo::CommandButton, "ComAnnulla");
  annulla.Move(4800, 3000, 975, 795);
  annulla.SetCaption("&Annulla");
  annulla.SetCancel(true);
  annulla.SetTabIndex(2);
}

void frmSelIniCarFile::SetosDaChi(const std::string& psDaChi) {
  msDaChi = psDaChi;
  msPrefisso = vb::UgualeTesto(psDaChi, "Bar") ? "LettArtDafile" : "LettMatrDafile";
}

bool frmSelIniCarFile::mostra() {
  LisParamIni().Clear();
  masSezioni.clear();
  const Globali& g = G();
  PrepLista(g.gsFileIni);
  PrepLista(g.gsFileIniDb);
  if (masSezioni.empty()) return false;
  for (size_t i = 0; i < masSezioni.size(); ++i) {
    if (vb::UgualeTesto(masSezioni[i], osLettArtDafile)) {
      LisParamIni().SetListIndex(static_cast<int>(i));
      break;
    }
  }
  return true;
}

void frmSelIniCarFile::PrepLista(const std::string& psFileIni) {
  if (psFileIni.empty()) return;
  const long lung = vb::Len(msPrefisso);
  for (const std::string& sezione : vb::SezioniProfilo(psFileIni)) {
    if (sezione.empty() || !vb::UgualeTesto(vb::Left(sezione, lung), msPrefisso)) continue;
    bool gia = false;
    for (const std::string& s : masSezioni) gia = gia || vb::UgualeTesto(s, sezione);
    if (gia) continue;
    std::string descr;
    vb::LeggiProfilo(psFileIni, sezione, "Descr", descr);
    LisParamIni().AddItem(descr.empty() ? sezione : descr);
    masSezioni.push_back(sezione);
  }
}

void frmSelIniCarFile::comOk_Click() {
  const int scelta = LisParamIni().ListIndex();
  if (scelta < 0 || scelta >= static_cast<int>(masSezioni.size())) {
    // Nothing to hand back: as "&Annulla".
    ComAnnulla_Click();
    return;
  }
  obOk = true;
  osLettArtDafile = masSezioni[static_cast<size_t>(scelta)];
  Unload();
}

void frmSelIniCarFile::ComAnnulla_Click() {
  obOk = false;
  Unload();
}

void frmSelIniCarFile::Form_Load() {
  msPrefisso = "LettArtDafile";
  AziendaUtil::CaricaFormPri(*this, 0, 0, 0, 0, 0, 0, 0, 1, 1, "");
  AziendaUtil::CaricaFormDop(*this, 0, 0, 0, 0, 0, 0, 1, 1);
}

void frmSelIniCarFile::Form_Unload(int& Cancel) {
  (void)Cancel;
  if (!ofrmDett) return;
  try {
    std::vector<vb::Variant> arg{vb::Variant(msDaChi)};
    ofrmDett->ChiamaPerNome("DopoSceIniLetFile", arg);
  } catch (...) {
    frmMsgCom::MsgErrfrm();
  }
}

void frmSelIniCarFile::Form_KeyDown(int& KeyCode, int Shift) {
  if (AziendaUtil::GestKeyDown(KeyCode, Shift, *this, 0, 0, 0, 0, 0, 0) > 0) return;
  std::string tasto, tastoAlt;
  AziendaUtil::GestTastiBarra(KeyCode, Shift, *this, 0, 0, 0, 0, 0, 0, 0, tasto, tastoAlt, false);
}

void frmSelIniCarFile::Form_KeyPress(int& KeyAscii) { KeyAscii = AziendaUtil::GestKeyPress(KeyAscii, *this); }

void frmSelIniCarFile::Click(ui::Controllo& c) {
  if (Nome(c.Name(), "comOk")) comOk_Click();
  else if (Nome(c.Name(), "ComAnnulla")) ComAnnulla_Click();
}

void frmSelIniCarFile::DblClick(ui::Controllo& c) {
  if (Nome(c.Name(), "LisParamIni")) LisParamIni_DblClick();
}

vb::Variant frmSelIniCarFile::LeggiPerNome(const std::string& n) {
  if (Nome(n, "odRisVidVal")) return odRisVidVal;
  if (Nome(n, "osRisVidKey")) return osRisVidKey;
  if (Nome(n, "osKeySec")) return osKeySec;
  if (Nome(n, "obOk")) return obOk;
  if (Nome(n, "osLettArtDafile")) return osLettArtDafile;
  if (Nome(n, "osDaChi")) return msDaChi;
  return ui::Form::LeggiPerNome(n);
}

void frmSelIniCarFile::ScriviPerNome(const std::string& n, const vb::Variant& v) {
  if (Nome(n, "odRisVidVal")) odRisVidVal = v.ToDouble();
  else if (Nome(n, "osRisVidKey")) osRisVidKey = v.ToString();
  else if (Nome(n, "osKeySec")) osKeySec = v.ToString();
  else if (Nome(n, "osDaChi")) SetosDaChi(v.ToString());
  else ui::Form::ScriviPerNome(n, v);
}

vb::Variant frmSelIniCarFile::ChiamaPerNome(const std::string& n, std::vector<vb::Variant>& a) {
  if (Nome(n, "mostra")) return mostra();
  if (Nome(n, "PrepLista") && !a.empty()) {
    PrepLista(a[0].ToString());
    return {};
  }
  return ui::Form::ChiamaPerNome(n, a);
}
