// Stock and availability of the line's article beside the quantity: the
// document's warehouse and, when other counted warehouses hold the article,
// the total over them; a red warning when the line would take the stock
// below zero or below the article's minimum. Stock is only read here (the
// progressives of ArticoliProg): a DDT reaches them when it is printed, so
// the warnings weigh the stock against the line being entered.
#include <string>
#include <vector>

#include "common/AziendaUtil.h"
#include "common/FunVarie.h"
#include "common/Globali.h"
#include "ddt/lines/frmDDTDett.h"
#include "ddt/lines/frmDDTDett_Util.h"
#include "platform/Numeri.h"
#include "platform/Testo.h"

using namespace DettUtil;

namespace {

void Carattere(ui::Controllo& c, const char* nome) {
  ui::Carattere f = c.Font();
  f.Name = nome;
  c.SetFont(f);
}

}  // namespace

void frmDDTDett::MostraDispGiac() {
  const Globali& g = G();
  const std::string articolo = txt(20).Text();
  // The single level row of the line, when levels are managed; else every
  // level row of the article.
  vb::Variant liv1 = vb::Null, liv2 = vb::Null;
  if (Uguale(g.gsGesTaglie, "S") && !Vuoto(txt(21).Text()) && !Vuoto(txt(22).Text())) {
    liv1 = vb::Variant(txt(21).Text());
    liv2 = vb::Variant(txt(22).Text());
  }
  ui::Controllo& avviso = label1(210);
  const double qta = FC().ValDouble(vb::Variant(txt(30).Text()));
  double giacPropria = 0;
  if (miAnnoMag < 1) {
    lab(200).SetCaption("");
    lab(210).SetCaption("");
    avviso.SetVisible(false);
  } else {
    vb::Variant dispPropria, giacPropriaV, dispTot, giacTot;
    AziendaUtil::CalcGiacenza(articolo, miAnnoMag, vb::Variant(osMagazzino), liv1, liv2, &dispPropria, &giacPropriaV);
    AziendaUtil::CalcGiacenza(articolo, miAnnoMag, vb::Missing, liv1, liv2, &dispTot, &giacTot);
    const double dO = FC().ValDouble(dispPropria);
    giacPropria = FC().ValDouble(giacPropriaV);
    double dT = FC().ValDouble(dispTot), gT = FC().ValDouble(giacTot);
    // Warehouses whose stock does not count; "*" stands for the document's
    // own, which is taken off at most once.
    bool propriaEsclusa = false;
    if (!osMagaNoGiac.empty()) {
      std::vector<std::string> voci;
      const long quante = FC().Dividi(osMagaNoGiac, ",", voci);
      for (long i = 1; i <= quante; ++i) {
        const std::string voce = vb::Trim(voci[static_cast<size_t>(i)]);
        // The "," that ends the list leaves an empty item: it names no
        // warehouse (asked as one, it would be all of them).
        if (voce.empty()) continue;
        if (Uguale(voce, osMagazzino) || voce == "*") {
          if (!propriaEsclusa) {
            dT -= dO;
            gT -= giacPropria;
            propriaEsclusa = true;
          }
        } else {
          vb::Variant d, gi;
          AziendaUtil::CalcGiacenza(articolo, miAnnoMag, vb::Variant(voce), liv1, liv2, &d, &gi);
          dT -= FC().ValDouble(d);
          gT -= FC().ValDouble(gi);
        }
      }
    }
    // Own figure alone, or own " / " the counted total when a counted
    // warehouse other than the own holds something.
    auto mostra = [&](ui::Controllo& l, double propria, double esclusa, double totale) {
      Carattere(l, "MS Sans Serif");
      if (FunVarie::ArrotConfronta(propria, esclusa + totale, -8) != 0) {
        const std::string testo =
            vb::TestoDouble(propria) + " / " + vb::TestoDouble(FC().Arrotonda(totale, "A", 1, -g.giNumDecQtaMag));
        l.SetCaption(testo);
        if (vb::Len(testo) > 10) Carattere(l, "MS Serif");
      } else {
        l.SetCaption(vb::TestoDouble(propria));
      }
    };
    mostra(lab(200), dO, propriaEsclusa ? dO : 0, dT);
    mostra(lab(210), giacPropria, propriaEsclusa ? giacPropria : 0, gT);

    const bool segnala = Uguale(osSegnalGiac, "B") || Uguale(osSegnalGiac, "S");
    if (giacPropria - qta < 0 && segnala && Vuoto(osStato)) {
      avviso.SetCaption("Giacenza negativa");
      avviso.SetVisible(true);
      if (Uguale(msSegnSottoScorta, "S")) FunVarie::Suona();
    } else {
      avviso.SetVisible(false);
    }
  }
  // Below the minimum: only for articles without levels, and only while
  // something is left.
  if (Vuoto(osStato) && Uguale(msSegnSottoScorta, "S") && giacPropria - qta > 0 && osLivGruppo1.empty() &&
      osLivGruppo2.empty()) {
    const double minima = FC().ValDouble(AziendaUtil::LeggiScortaMin(articolo, vb::Variant(osMagazzino)));
    if (giacPropria - qta < minima) {
      avviso.SetCaption("Sottoscorta(" + vb::TestoDouble(minima) + ")");
      avviso.SetVisible(true);
      FunVarie::Suona();
    }
  }
}
