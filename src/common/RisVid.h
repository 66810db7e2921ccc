#pragma once
// Screen scaling: every form is enlarged or reduced by one factor (its size,
// its controls' places, sizes and fonts, grid headings, status-bar panels,
// lines). The factor comes from the ini section "Risoluzione Video" (read at
// start-up into gdRisVidGenerale and gdRisVidBase), from the form's own key
// there, or from the screen against 800 x 600 pixels.
//
// Factor values: -2 not set (the general factor, or the form's own key when
// the general one is -2), -1 scaling off, 0 automatic, above 0 the factor.
//
// A form declares by name (Form::LeggiPerNome / ScriviPerNome) what it
// wants of this: `osRisVidKey` (its key in "Risoluzione Video"; empty:
// gsKeyPrg & "-" & `osKeySec`), `osKeySec`, and `odRisVidVal`, which
// receives the factor applied (1 when none). A form lacking one is simply
// not served by it.
#include <functional>
#include <string>
#include <vector>

#include "platform/Variant.h"

namespace ui {
class Form;
class Griglia;
}

namespace RisVid {

// Exclusion flags of a control: 1 keep its place, 2 keep its size, 4 leave
// its fonts and the steps of its kind alone.
enum : int { NonSpostare = 1, NonDimensionare = 2, NonCaratteri = 4 };

// The factor of a form, and unless piSoloCalc the form rescaled by it,
// reduced first so that the form fits above a panel docked at the bottom
// (and, for an automatic factor, within the screen's width). pdFattore in:
// -2 for the configured factor or an explicit one; out: the factor worked
// out. pvAltriCtl: exclusion triples (control name, index or -1 for every
// element, flags), flat. Result: the factor (Double), or the Integer 1 when
// scaling is off. Every step ignores run-time errors.
vb::Variant ScalaForm(ui::Form& pgForm, int piSoloCalc, double& pdFattore,
                      const std::vector<vb::Variant>& pvAltriCtl = {});
// The form and all its controls multiplied by the factor (used by
// ScalaForm); nothing happens for 1 or a factor not above 0.
void RiscalaControlli(ui::Form& pgForm, double pdFattore, const std::vector<vb::Variant>& pvAltriCtl = {});
// The column widths of a grid multiplied by the factor (after the columns
// were rebuilt; callers pass the form's `odRisVidVal`).
void ScalaColonne(ui::Griglia& pgGriglia, double& pdFattore);

// A list box must stay taller than 60 twips: its height is raised a twip at
// a time until the height it reports is above 60. A list box that does not
// take the heights it is given would keep the loop going for ever; it is
// given up after an inch of tries. `leggi` and `imposta` read and set the
// height. True when the height ended above 60.
bool AlzaLista(const std::function<long()>& leggi, const std::function<void(long)>& imposta);

}  // namespace RisVid
