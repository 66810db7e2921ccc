// The exit hub of the line fields.
#include <string>

#include "common/AziendaUtil.h"
#include "common/FunVarie.h"
#include "common/Globali.h"
#include "ddt/lines/frmDDTDett.h"
#include "ddt/lines/frmDDTDett_Util.h"

using namespace DettUtil;

void frmDDTDett::txt_LostFocus(int Index) {
  if (mbInChiusura) return;
  if (!ValidoIndice(Index) || !Esiste("txt", Index)) return;
  const Globali& g = G();
  ui::Controllo& t = txt(Index);
  AziendaUtil::ColoraLostFocus(t, 0);
  MsgPannello("");
  const std::string& ingresso = masValIngresso[static_cast<size_t>(Index)];
  const std::string& col = NomeCampo(Index);
  const bool campo = HaPagina() && !col.empty() && ogLinPag().HaCampo(col);
  auto formatta = [&] {
    if (campo) ogLinPag().CampoLostFocus(t);
  };
  auto inErrore = [&](ui::Controllo& c) { return c.BackColor() == g.glColoreErrore; };
  const bool numero = Index == 30 || Index == 60 || Index == 70 || Index == 180 || Index == 190 ||
                      (Index >= 250 && Index <= 270 && Index % 10 == 0) || (Index >= 800 && Index <= 820 && Index % 10 == 0);
  // Unchanged, with the article in order: only the format.
  if (t.Text() == ingresso && txt(20).BackColor() == g.glColoreSfondo && Index != 20 && Index != 40) {
    if (numero) formatta();
    else if (Index == 160) t.SetText(FC().Formatta(vb::Variant(t.Text()), "Conto"));
    return;
  }
  const bool cambiato = !Uguale(t.Text(), ingresso);
  switch (Index) {
    case 20:
      if (miArtMostrato != 1 || inErrore(t) || cambiato) MostraArticolo(true, false, true, cambiato);
      else DisabSeLivelli(true, true);
      if (inErrore(t)) MsgPannello("Codice Articolo non valido");
      break;
    case 30: case 40: case 60: case 70: case 180: case 190:
      formatta();
      if (inErrore(t)) MsgPannello("Campo numerico: valore non valido");
      break;
    case 80:
      MostraScontoTot(true, true);
      break;
    case 130:
      if (cambiato || inErrore(t)) MostraIva(true);
      break;
    case 140:
      MostraUM(true);
      if (inErrore(t)) MsgPannello("Codice Unità di Misura non valido");
      break;
    case 160: {
      const bool trattino = t.Text().find('-') != std::string::npos;
      t.SetBackColor(trattino ? g.glColoreErrore : g.glColoreSfondo);
      if (trattino) MsgPannello("Non usare - nel campo conto");
      const std::string scritto = t.Text();
      t.SetText(FC().Formatta(vb::Variant(scritto), "Conto"));
      MostraCRicavi(true, true, scritto);
      break;
    }
    case 165:
      MostraCentroDiCosto(true);
      break;
    case 195:
      MostraBeneUsato();
      break;
    case 250: case 260: case 270: case 800: case 810: case 820: {
      formatta();
      if (inErrore(t)) MsgPannello("Campo numerico: valore non valido");
      const int gemello = Index < 800 ? Index + 550 : Index - 550;
      txt(gemello).SetText(t.Text());
      break;
    }
    case 420: case 440: {
      ui::Controllo& modo = txt(Index == 420 ? 410 : 430);
      const std::string& def = Index == 420 ? msDoveStampoSopra : msDoveStampoSotto;
      if (!Vuoto(t.Text()) && Uguale(vb::Trim(modo.Text()), "N") && !Vuoto(def)) {
        modo.SetText(def);
        FunVarie::PosizCombo(cob(Index == 420 ? 410 : 430), vb::Variant(def), Vettore(mavStampaNota), true, true);
      }
      break;
    }
    case 425: case 910:
      // Both kinds of line keep their text in the note above.
      txt(420).SetText(t.Text());
      break;
    default:
      break;
  }
}

void frmDDTDett::LostTxtActive() {
  SenzaErrori([&] {
    ui::Controllo* a = ActiveControl();
    msCtrlAttivo = a ? a->Name() : std::string();
    if (a && Uguale(a->Name(), "txt")) txt_LostFocus(a->Index());
  });
}
