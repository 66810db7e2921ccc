#include "print/FrmComlinStampa.h"

#include "common/Globali.h"
#include "common/frmMsgCom.h"
#include "common/mainDdt.h"
#include "common/modHTMLHelp.h"
#include "platform/MsgBox.h"
#include "platform/Testo.h"
#include "platform/ui/Backend.h"
#include "print/AziendaUtilStampe.h"
#include "print/FrmVStampa.h"
#include "print/frmStampaInCorso.h"

namespace {

bool Nome(const std::string& a, const char* b) { return vb::UgualeTesto(a, b); }

ui::Carattere Arial10() {
  ui::Carattere f;
  f.Name = "Arial";
  f.Size = 10;
  return f;
}

}  // namespace

FrmComlinStampa::FrmComlinStampa() : ui::Form("FrmComlinStampa") {
  SetCaption("Stampa dati della lista");
  Move(0, 0, 6420, 4050);
  SetBorderStyle(3);
  SetMinButton(false);
  SetMaxButton(false);
  int tab = 0;
  auto metti = [&](ui::Tipo t, const std::string& nome, int indice, ui::Controllo* cont, long x, long y, long w,
                   long h, const std::string& testo) -> ui::Controllo& {
    ui::Controllo& c = Crea(t, nome, indice);
    if (cont) c.SetContainer(cont);
    c.Move(x, y, w, h);
    c.SetTabIndex(tab++);
    if (!testo.empty()) c.SetCaption(testo);
    return c;
  };
  ui::Controllo& fo = metti(ui::Tipo::Frame, "fraOrientamento", -1, nullptr, 120, 120, 2940, 1095, "Orientamento");
  metti(ui::Tipo::OptionButton, "OptOrientamento", 1, &fo, 180, 300, 2600, 330, "Verticale").SetValue(-1);
  metti(ui::Tipo::OptionButton, "OptOrientamento", 0, &fo, 180, 660, 2600, 330, "Orizzontale");
  ui::Controllo& ft = metti(ui::Tipo::Frame, "FraTipSta", -1, nullptr, 3240, 120, 3000, 1095, "Stampa ");
  metti(ui::Tipo::OptionButton, "OptTipsta", 1, &ft, 180, 300, 2700, 330, "Tutte le colonne ").SetValue(-1);
  metti(ui::Tipo::OptionButton, "OptTipsta", 0, &ft, 180, 660, 2700, 330, "Solo le colonne visibili");
  metti(ui::Tipo::CommandButton, "CmdSceFont", -1, nullptr, 120, 1335, 1935, 420, "Scegli Font");
  metti(ui::Tipo::CommandButton, "comSceStam", -1, nullptr, 2175, 1335, 1935, 420, "Seleziona Stampante");
  metti(ui::Tipo::CommandButton, "ComUsaDef", -1, nullptr, 4230, 1335, 2010, 420, "Stampante predefinita");
  ui::Controllo& lab = metti(ui::Tipo::Label, "labStaAttuale", -1, nullptr, 120, 1875, 6120, 795, "Stampante attuale:");
  lab.SetBorderStyle(1);
  lab.SetAlignment(2);
  lab.SetWordWrap(true);
  metti(ui::Tipo::CommandButton, "CmdStampa", -1, nullptr, 120, 2835, 2940, 555, "&STAMPA");
  metti(ui::Tipo::CommandButton, "CmdEsci", -1, nullptr, 3240, 2835, 3000, 555, "&ESCI");
  mgFont = Arial10();
}

std::shared_ptr<stampa::OpzioniStampa> FrmComlinStampa::OpzSta() {
  if (!mgOpzSta) {
    mgOpzSta = std::make_shared<stampa::OpzioniStampa>();
    mgOpzSta->CodStampa = "StampaLista";
    mgOpzSta->LeggiSalvate(G().gsFileIni, G().gsFileIniDb);
  }
  return mgOpzSta;
}

void FrmComlinStampa::VisStaAttuale() {
  C("labStaAttuale").SetCaption(OpzSta()->DescrStampante(AziendaUtilStampe::Printer().DeviceName));
}

void FrmComlinStampa::Form_Load() {
  SetKeyPreview(true);
  // A new loading starts from the design defaults.
  C("fraOrientamento").SetEnabled(true);
  C("FraTipSta").SetEnabled(true);
  for (int i : {0, 1}) {
    OptOrientamento(i).SetValue(0);
    OptTipsta(i).SetValue(0);
  }
  OptOrientamento(1).SetValue(-1);
  OptTipsta(1).SetValue(-1);
  mgFont = Arial10();
  VisStaAttuale();
}

void FrmComlinStampa::Form_Unload(int&) { mainDdt::ChiudiProgramma(0); }

void FrmComlinStampa::Form_KeyDown(int& KeyCode, int Shift) { modHTMLHelp::GestTastoF1(KeyCode, Shift, *this, -1); }

void FrmComlinStampa::CmdStampa_Click() {
  if (G().giStaAtt == 1) {
    vb::MsgBox("Si può lanciare solo una stampa alla volta", vb::vbOKOnly);
    return;
  }
  // The print was handed over and the list commands released: only showing
  // the dialog again from the list starts another one.
  if (!ogComlin) return;
  stampa::OggettoStampa& sta = ogComlin->ogSta();
  sta.SetofrmVStampa(&FrmVStampaGlob());
  sta.SetofrmStampaInCorso(&FrmStampaInCorsoGlob());
  sta.SetogPrtStam(&AziendaUtilStampe::Printer());
  sta.SetogOpzSta(OpzSta());
  int orientamento = -1;
  if (OptOrientamento(0).Value() != 0) orientamento = 2;
  if (OptOrientamento(1).Value() != 0) orientamento = 1;
  std::string colonne;
  if (OptTipsta(0).Value() != 0) colonne = "V";
  if (OptTipsta(1).Value() != 0) colonne = "T";
  if (C("fraOrientamento").Enabled() && orientamento == -1) {
    vb::MsgBox("Scegliere un' orientamento", vb::vbOKOnly);
    OptOrientamento(0).SetFocus();
    return;
  }
  if (C("FraTipSta").Enabled() && colonne.empty()) {
    vb::MsgBox("Scegliere un tipo di stampa", vb::vbOKOnly);
    OptTipsta(0).SetFocus();
    return;
  }
  const auto opz = sta.ogOpzSta();
  if (opz->oiStaVid == stampa::StaStampante && !AziendaUtilStampe::ImpostaStampanteStampa(*opz, false)) {
    frmMsgCom::msgCom("Impossibile impostare la stampante predefinita\r\nper stampare su " + opz->osNomeStampante +
                          " uscire dal programma e rientrare\r\nOppure scegliere un'altra stampante",
                      "&Ok");
    return;
  }
  ogComlin->AvviaStampa(mgFont, orientamento, colonne);
  ogComlin = nullptr;
}

void FrmComlinStampa::CmdSceFont_Click() {
  ui::Carattere f = Arial10();
  // Cancelling keeps the font chosen before.
  if (ui::BackendAttivo().ScegliCarattere(f)) mgFont = f;
}

void FrmComlinStampa::comSceStam_Click() {
  OpzSta()->StampaSuEsclusa(stampa::StaFissa, true);
  frmMsgCom::msgCom(
      "La scelta della modalità di stampa non è ancora disponibile in questa versione del programma.", "&Ok");
  VisStaAttuale();
}

void FrmComlinStampa::ComUsaDef_Click() {
  std::string nome, mancante, porta;
  bool fallito = false;
  try {
    if (AziendaUtilStampe::giStampanteImp == 1) AziendaUtilStampe::RipristinaStampanteDef(nome, mancante, porta);
    else AziendaUtilStampe::LeggiStampanteDef(nome, mancante, porta);
  } catch (...) {
    fallito = true;
  }
  const std::string altra = "La stampante (%) predefinita appartiene ad un'altra sessione\r\n"
                            "Scegliere una stampante o cambiare la stampante predefinita";
  if (nome.empty() || fallito) {
    if (AziendaUtilStampe::VerifAltraSessione(mancante, 0)) {
      frmMsgCom::msgCom(vb::Replace(altra, "%", mancante), "&Ok");
      return;
    }
    if (AziendaUtilStampe::giStampanteImp == 1) {
      AziendaUtilStampe::MsgStampanteDefMancante("NomeStampante", mancante, OpzSta()->CodStampa);
      return;
    }
  } else if (AziendaUtilStampe::VerifAltraSessione(nome, 0)) {
    frmMsgCom::msgCom(vb::Replace(altra, "%", nome), "&Ok");
    return;
  }
  OpzSta()->osNomeStampante.clear();
  OpzSta()->NomePorta = porta;
  VisStaAttuale();
}

void FrmComlinStampa::Click(ui::Controllo& c) {
  const std::string& n = c.Name();
  if (Nome(n, "CmdStampa")) CmdStampa_Click();
  else if (Nome(n, "CmdSceFont")) CmdSceFont_Click();
  else if (Nome(n, "comSceStam")) comSceStam_Click();
  else if (Nome(n, "ComUsaDef")) ComUsaDef_Click();
  else if (Nome(n, "CmdEsci")) CmdEsci_Click();
}

FrmComlinStampa& FrmComlinStampaGlob() {
  static FrmComlinStampa* f = new FrmComlinStampa();
  return *f;
}
