// The deferred steps: one tick of the one-shot timer runs the step armed
// in miStatoTimer, once the event that asked for it has finished. Steps 5,
// 6 and 9 chain the imports and the eco-fee line, so a tick keeps them
// when they were armed again meanwhile; step 4 waits for the article
// display to turn it into 2.
#include "common/Globali.h"
#include "ddt/lines/frmDDTDett.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"

void frmDDTDett::timLinPag_Timer() {
  timLinPag().SetEnabled(false);
  try {
    switch (miStatoTimer) {
      case 1:
        miRipresaLivelli = 4;
        if (oiLivelliCrea == -2) {
          miRipresaLivelli = 0;
          oiLivelliCrea = obLivelliInsGest ? 1 : 0;
        } else if (oiLivelliCrea == -1) {
          oiLivelliCrea = 0;
        } else if (obLivelliInsGest) {
          oiLivelliCrea = 1;
        }
        GestLivelli(true);
        break;
      case 2:
        if (ArtConLivelli())
          ButtonComando("Livelli");
        else if (vb::UgualeTesto(msGestRintraccia, "O"))
          ButtonComando("Tracc");
        break;
      case 3: {
        if (!vb::FunzioniComuni::Istanza().Vuoto(vb::Variant(osIvaTest))) {
          txt(130).SetEnabled(false);
          if (ui::Controllo* h = Trova("ComHlp", 130)) h->SetEnabled(false);
        }
        ui::Controllo& barra = tolLinPag();
        if (barra.HaElem("Duplica")) {
          barra.Elem("Duplica").Visible = false;
          barra.ElementoCambiato();
        }
        if (HaPagina()) ogLinPag().EventoTimer();
        PosDoppioClick();
        if (HaPagina() && ogLinPag().Stato() == 2 && mbOrdInsPers && !maiOrdIns.empty())
          if (ui::Controllo* primo = Trova("txt", maiOrdIns[0])) SpostaFuoco(primo);
        break;
      }
      case 4:
        return;
      case 5:
        LeggiDaFileBarCode();
        break;
      case 6:
        LeggiDaFileMatricole();
        break;
      case 7:
        miRipresaTracc = 2;
        GestTracc(true, false);
        break;
      case 8:
        miRipresaTracc = 2;
        GestTracc(true, true);
        break;
      case 9:
        CreaRigArtRAEE();
        miStatoTimer = mbLetturaFile ? 5 : mbLetturaMatr ? 6 : 0;
        break;
      case 14:
        GotTxtActive();
        break;
      default:
        break;
    }
  } catch (...) {
    MostraErrore(std::current_exception());
  }
  if (miStatoTimer != 5 && miStatoTimer != 6 && miStatoTimer != 9) miStatoTimer = 0;
}
