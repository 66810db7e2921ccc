// The combos and check boxes through which the user sets the hidden bound
// boxes of a line, the "Date competenza" button, the level panel with the
// fields it locks, and the small enabling procedures of the article field.
#include <string>

#include "common/FunVarie.h"
#include "common/Globali.h"
#include "common/mainDdt.h"
#include "ddt/lines/frmDDTDett.h"
#include "ddt/lines/frmDDTDett_Util.h"
#include "platform/FunzioniComuniUi.h"
#include "platform/Testo.h"
#include "platform/ui/Form.h"
#include "services/Impostazioni.h"

using namespace DettUtil;
namespace fcu = vb::FunzioniComuniUi;

void frmDDTDett::Cob_Click(int Index) {
  bool errore = false;
  auto passo = [&](auto&& f) {
    try {
      f();
    } catch (...) {
      errore = true;
    }
  };
  switch (Index) {
    case 170:
      passo([&] { txt(170).SetText(fcu::CodiceCombo(cob(170))); });
      break;
    case 400:
      passo([&] { txt(400).SetText(servizi::Testo(fcu::ValoreCombo(cob(400)))); });
      break;
    case 410:
    case 430:
      passo([&] { txt(Index).SetText(servizi::Testo(FunVarie::ElemCombo(cob(Index), Vettore(mavStampaNota)))); });
      break;
    case 435:
      passo([&] { txt(410).SetText(servizi::Testo(FunVarie::ElemCombo(cob(435), Vettore(mavStampaNota)))); });
      break;
    case 900:
      // AggNonText positions the list from the line's own command: there is
      // nothing to write back, and a command outside the list ("SS") must
      // survive the positioning.
      if (miInAggNonText == 1) return;
      passo([&] { txt(900).SetText(servizi::Testo(FunVarie::ElemCombo(cob(900), Vettore(mavComandiRiga)))); });
      passo([&] { ImpParamCom(true); });
      break;
    case 920:
      // The same for the sub-section: a stored value outside the list keeps
      // the line's parameter.
      if (miInAggNonText == 1) return;
      passo([&] {
        if (Uguale(vb::Trim(txt(900).Text()), "SS")) txt(420).SetText(servizi::Testo(fcu::ValoreCombo(cob(920))));
      });
      break;
    default:
      break;
  }
  // A choice that could not be read leaves its own box empty (435 and 920
  // have none).
  if (errore && Index != 435 && Index != 920) SenzaErrori([&] {
      if (Esiste("txt", Index)) txt(Index).SetText("");
    });
}

void frmDDTDett::cob_KeyDown(int Index, int& KeyCode, int Shift) {
  (void)Index;
  if ((Shift & (ui::vbShiftMask | ui::vbCtrlMask | ui::vbAltMask)) != 0) return;
  // The arrows and the page keys belong to the grid's lines, never to a
  // list of the line.
  if (KeyCode == ui::vbKeyUp || KeyCode == ui::vbKeyDown || KeyCode == ui::vbKeyPageUp || KeyCode == ui::vbKeyPageDown)
    KeyCode = 0;
}

void frmDDTDett::che_Click(int Index) {
  switch (Index) {
    case 75:
      txt(75).SetText(che(75).Value() == 1 ? "S" : "N");
      if (obScontoPagInDet) CalcScontoTot(true);
      break;
    case 205:
      txt(205).SetText(che(205).Value() == 1 ? "S" : "N");
      break;
    default:
      break;
  }
}

void frmDDTDett::com_Click(int Index) {
  if (Index == 117) MostraCompetenza();
}

bool frmDDTDett::InVar() {
  auto& p = ogLinPag();
  if (p.Stato() != 1) return true;
  return !servizi::Testo(p.VarDati(-1)).empty();
}

// ---- level panel and the fields it locks

void frmDDTDett::DisabSeLivelli(bool pbFocus, bool pbModArt) {
  const bool livelli = (!Vuoto(osLivGruppo1) || !Vuoto(osLivGruppo2)) && Uguale(G().gsGesTaglie, "S");
  const bool errore = txt(20).BackColor() == G().glColoreErrore;
  // The fields come back; the quantity takes the focus only when they had
  // been locked.
  auto abilita = [&] {
    const bool prima = mbCampiLivAbil;
    DisCampiLiv(true);
    if (pbFocus && !prima) mainDdt::DaiFocus(txt(30));
  };
  if (livelli || errore) {
    if (pbModArt) {
      if (LivelloUnico()) {
        C("picLivelli").SetVisible(true);
        abilita();
      } else {
        // Quantities and prices come from the line's level rows.
        DisCampiLiv(false);
        NascondiPicLiv();
      }
    }
    label1(20).SetVisible(!errore);
    return;
  }
  NascondiPicLiv();
  for (int n : {21, 22}) {
    txt(n).SetText("");
    lab(n).SetCaption("");
  }
  label1(20).SetVisible(false);
  abilita();
}

void frmDDTDett::AbilDescArt(bool pbAbil) { NoObblManuale(!pbAbil); }

void frmDDTDett::AbilDisabArtRiepil(bool pbAbilDisab) {
  txt(20).SetEnabled(pbAbilDisab);
  C("ComHlp", 20).SetEnabled(pbAbilDisab);
  C("ComTipoRiga", 0).SetEnabled(pbAbilDisab);
}
