// The decoders of the line's coded fields: each writes the description
// beside its code and sets what the rest of the line reads of that code.
// None handles its own errors: they reach the caller's handler.
#include <string>
#include <vector>

#include "common/AziendaUtil.h"
#include "common/Globali.h"
#include "common/frmMsgCom.h"
#include "ddt/lines/frmDDTDett.h"
#include "ddt/lines/frmDDTDett_Util.h"
#include "platform/ui/Griglia.h"
#include "services/Impostazioni.h"

using namespace DettUtil;

namespace {

int16_t Flag(bool b) { return b ? -1 : 0; }

}  // namespace

void frmDDTDett::MostraIva(bool pbFaiHelp) {
  std::vector<vb::Variant> campi{vb::Variant("Aliquota"), vb::Variant("IvaMargine")};
  AziendaUtil::DecodCodice("Iva", txt(130), &lab(130), {}, 0, 0, "", &campi, "", "", 0, vb::Missing, -1,
                           Flag(pbFaiHelp), "", nullptr, -1, &dbgRiga());
  odPercIva = FC().ValDouble(campi[0]);
  osIva = txt(130).Text();
  if (!Vuoto(txt(130).Text()) && Uguale(osRegimeMargine, "S") && FC().Vuoto(campi[1], vb::vbDouble)) {
    const std::string testo = "Codice iva senza percentuale Iva margine";
    frmMsgCom::msgCom(testo, "&Ok");
    MsgPannello(testo);
    txt(130).SetBackColor(G().glColoreErrore);
  }
}

void frmDDTDett::MostraUM(bool pbFaiHelp) {
  AziendaUtil::DecodCodice("ArtUm", txt(140), &lab(140), {}, 0, 0, "", nullptr, "", "", 0, vb::Missing, -1,
                           Flag(pbFaiHelp), "", nullptr, -1, &dbgRiga());
  // A manual article has one unit, whatever the side: the unit's exit then
  // finds the factor 1 for it.
  if (Vuoto(txt(20).Text())) msArtUM = msArtUMAcq = msArtUMVen = txt(140).Text();
}

void frmDDTDett::MostraCRicavi(bool pbModif, bool pbFaiHelp, const std::string& psTxtHelp) {
  std::vector<vb::Variant> campi{vb::Variant("CompGiornMens"), vb::Variant("CdcObblig"), vb::Variant("CDC")};
  // Goods accounts are ledger accounts (class 1).
  AziendaUtil::DecodCodice("Conto", txt(160), &lab(160), vb::Variant("1"), 0, 0, "", &campi, "", "", 0, vb::Missing,
                           -1, Flag(pbFaiHelp), psTxtHelp, nullptr, -1, &dbgRiga());
  msCompGiornMens = servizi::Testo(campi[0]);
  msCdcObblig = servizi::Testo(campi[1]);
  const bool obblig = Uguale(msCdcObblig, "S");
  auto& p = ogLinPag();
  const std::string& colCdc = NomeCampo(165);
  if (p.HaCampo(colCdc)) p.Campi(colCdc).oiObblig = obblig ? -1 : 0;
  if (obblig && pbModif) {
    // The account chosen now brings its cost centre, even an empty one.
    txt(165).SetText(servizi::Testo(campi[2]));
    MostraCentroDiCosto(false);
  }
}

void frmDDTDett::MostraCentroDiCosto(bool pbFaiHelp) {
  AziendaUtil::DecodCodice("CentroDiCosto", txt(165), &lab(165), {}, 0, 0, "", nullptr, "", "", 0, vb::Missing, -1,
                           Flag(pbFaiHelp), "", nullptr, -1, &dbgRiga());
}

void frmDDTDett::MostraBeneUsato() {
  AziendaUtil::DecodTabella("BeniUsati", "BeneUsato", txt(195), &lab(195), 0, 0, vb::Variant(""), "Descrizione");
}

void frmDDTDett::MostraTipoDocProv(bool pbFaiHelp) {
  if (Vuoto(lab(540).Caption())) return;
  ui::Controllo* descr = Esiste("labdec", 540) ? &C("labdec", 540) : nullptr;
  AziendaUtil::DecodCodice("FattDocumento", lab(540), descr, {}, 0, 0, "", nullptr, "", "", 0, vb::Missing, -1,
                           Flag(pbFaiHelp), "", nullptr, -1, &dbgRiga());
  lab(540).SetBackColor(lab(670).BackColor());
}
