// Grid events, tab pages, resizing and the focus traps.
#include <algorithm>

#include "common/Globali.h"
#include "common/mainDdt.h"
#include "ddt/header/frmDdtTest.h"
#include "ddt/lines/frmDDTDett.h"
#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/FunzioniComuniUi.h"
#include "platform/dati/Recordset.h"
#include "platform/ui/Form.h"
#include "platform/ui/Griglia.h"

namespace {

// The focus control of each tab page: the article code for the main page
// and for the page of read-only references, the long-description print
// mode, the length.
struct Pagina {
  const char* nome;
  int indice;
};
const Pagina kFuocoPagina[] = {{"txt", 20}, {"cob", 400}, {"txt", 20}, {"txt", 800}};

}  // namespace

void frmDDTDett::ComTipoRic_Click() {
  C("ComTipoRic").SetCaption(mainDdt::CambiaRicCodice().ToString());
  try {
    mainDdt::DaiFocus(txt(20));
  } catch (...) {
  }
  ColBackAutoSalva();
}

// A red "Articolo" says that the code field reads barcodes and that the
// line is saved as soon as that field is left.
void frmDDTDett::ColBackAutoSalva() {
  label1(19).SetForeColor(mlColoreArticolo);
  if (G().giKeyRicDdt == 1 && obCodBarLostFocusSalva) label1(19).SetForeColor(G().glColoreErrore);
}

void frmDDTDett::dbgRiga_DblClick() {
  if (!HaPagina() || ogLinPag().Stato() != 1) return;
  if (vb::FunzioniComuni::Istanza().ValInt(txt(10).Text()) == miRigaArtMostrata) {
    ArmaTimer(2);
  } else {
    // The article display of the clicked line turns it into 2 and starts
    // the timer.
    miStatoTimer = 4;
  }
}

void frmDDTDett::dbgRiga_RowColChange(const vb::Variant& LastRow, int LastCol) {
  if (miNoEventiGriglia != 0) return;
  Globali& g = G();
  if (g.giDecodInCorso > 1) {
    g.giDecodInCorso = 1;
    return;
  }
  if (g.giDecodInCorso == 1) {
    // A look-up opened from a grid cell is open: the grid goes back to the
    // row it left, the look-up puts it on the saved one when it ends.
    g.giDecodInCorso = 2;
    g.gvBookmarkDecod = dbgRiga().Bookmark();
    if (!LastRow.IsNull() && !LastRow.IsEmpty() && !LastRow.ToString().empty())
      dbgRiga().SetBookmark(LastRow.ToString());
    return;
  }
  if (!HaPagina()) return;
  std::string corr, tot;
  ogLinPag().RigaColCambiata(LastRow, LastCol, miFlagRigaCol, corr, tot);
  C("txtRiga").SetText(corr + " / " + tot);
  miFlagRigaCol = 0;
}

void frmDDTDett::dbgRiga_SelChange(int& Cancel) {
  // The field being left is validated before the selection moves; its
  // entry runs again once the event is over.
  LostTxtActive();
  ArmaTimer(14);
  if (HaPagina()) ogLinPag().SelCambiata(Cancel);
}

std::vector<ui::Controllo*> frmDDTDett::PannelloDettaglio() const {
  std::vector<ui::Controllo*> v;
  auto metti = [&](const char* nome, int indice) {
    if (Esiste(nome, indice)) v.push_back(&C(nome, indice));
  };
  metti("txtRiga", -1);
  metti("PicDett", 0);
  for (int i : {0, 6}) metti("PicDati", i);
  metti("TasPagine", -1);
  for (int i = 1; i <= 4; ++i) metti("PicDati", i);
  for (int i : {1, 2}) metti("PicDett", i);
  // only what sits on the form itself: what a panel holds moves with it
  v.erase(std::remove_if(v.begin(), v.end(), [](ui::Controllo* c) { return c->Container() != nullptr; }), v.end());
  return v;
}

void frmDDTDett::Form_Resize() {
  if (HaPagina()) ogLinPag().Ridimensiona();
  try {
    ui::Griglia& g = dbgRiga();
    const std::vector<ui::Controllo*> pannello = PannelloDettaglio();
    if (pannello.empty()) return;
    long alto = pannello.front()->Top(), basso = 0;
    for (ui::Controllo* c : pannello) {
      alto = std::min(alto, c->Top());
      basso = std::max(basso, c->Top() + c->Height());
    }
    const long altezza = basso - alto;
    long statoAlt = 0;
    if (Esiste("staMessaggi")) {
      // the status bar keeps to the bottom of the window
      ui::Controllo& stato = C("staMessaggi");
      statoAlt = stato.Height();
      stato.Move(0, ScaleHeight() - statoAlt, ScaleWidth(), statoAlt);
    }
    // The panel sits on the status bar, the grid keeps three rows at least.
    const long top = std::max(g.Top() + 3 * g.RowHeight(), ScaleHeight() - statoAlt - altezza);
    const long delta = top - alto;
    if (delta != 0)
      for (ui::Controllo* c : pannello) c->SetTop(c->Top() + delta);
    g.SetHeight(top - g.Top());
    ui::Controllo& schede = C("TasPagine");
    for (int i = 1; i <= schede.NumElementi(); ++i)
      if (Esiste("PicDati", i)) C("PicDati", i).Move(schede.Left() + 60, schede.Top() + 360, schede.Width() - 120, schede.Height() - 420);
    SistemaPagina(static_cast<int16_t>(schede.SelectedTab()), false);
  } catch (...) {
  }
}

void frmDDTDett::TasPagine_Click() {
  const int scelta = C("TasPagine").SelectedTab();
  if (scelta == miPaginaAttiva) return;
  miPaginaAttiva = static_cast<int16_t>(scelta);
  SetFocus();
  SistemaPagina(miPaginaAttiva, true);
}

void frmDDTDett::SistemaPagina(int16_t piCorrente, bool pbSetFocus) {
  if (!Esiste("PicDati", piCorrente)) return;
  ui::Controllo& pagina = C("PicDati", piCorrente);
  ui::Controllo& schede = C("TasPagine");
  pagina.SetEnabled(true);
  pagina.SetVisible(true);
  if (pbSetFocus && piCorrente >= 1 && piCorrente <= 4) {
    const Pagina& f = kFuocoPagina[piCorrente - 1];
    if (Esiste(f.nome, f.indice)) vb::FunzioniComuniUi::AbilContenitore(C(f.nome, f.indice), true);
  }
  pagina.Move(schede.Left() + 60, schede.Top() + 360, schede.Width() - 120, schede.Height() - 420);
  pagina.ZOrder(0);
  // The pages of the other tabs are behind it and closed to the Tab key.
  for (int i = 1; i <= schede.NumElementi(); ++i) {
    if (i == piCorrente || !Esiste("PicDati", i)) continue;
    C("PicDati", i).SetEnabled(false);
    C("PicDati", i).SetVisible(false);
  }
}

void frmDDTDett::TextSpost_Click(int Index) {
  (void)Index;
  try {
    mainDdt::DaiFocus(che(75));
  } catch (...) {
  }
}

// Tabbing past the last field of the main page lands here: the focus goes
// back to the page and the line moves as Up or Down would move it.
void frmDDTDett::TextSpost_GotFocus(int Index) {
  try {
    mainDdt::DaiFocus(che(75));
    int tasto = Index == 0 ? 38 : 40;
    Form_KeyDown(tasto, 0);
  } catch (...) {
  }
}

void frmDDTDett::PosDoppioClick() {
  // The line the header window that opened the lines was on.
  const int32_t pos = Opener() ? Opener()->PosDett() : FrmDdtTest().olPosDett;
  if (pos < 0) return;
  try {
    dati::Recordset* rs = datRiga().Recordset();
    if (!rs) return;
    // Only the rows up to the wanted one are read.
    const long note = rs->LeggiFinoA(static_cast<long>(pos) + 1);
    if (pos > note - 1) rs->MoveLast();
    else rs->SetAbsolutePosition(pos);
    datRiga().Riposizionato();
  } catch (...) {
  }
}

void frmDDTDett::AggVisRighe(int32_t& plRipoRiga) {
  const int32_t riga = plRipoRiga == -1 ? vb::FunzioniComuni::Istanza().ValInt(txt(10).Text()) : plRipoRiga;
  const long indice = dbgRiga().Row();
  ogLinPag().Riposiziona(false, true, 0, true, true);
  if (dati::Recordset* rs = datRiga().Recordset(); rs && riga >= 1 && rs->LeggiFinoA(riga) >= riga) {
    rs->SetAbsolutePosition(riga - 1);
    datRiga().Riposizionato();
  }
  ui::DoEvents();
  ogLinPag().Rileggi();
  dbgRiga().Scroll(std::max(static_cast<long>(riga) - indice, 0L), 0);
}
