// Code decoding for every form: the generic decoder with its look-up, the
// entry of grids and lists, the account variants, account splitting and the
// thin wrappers of the look-up library.
#include "common/AziendaUtil.h"
#include "common/Globali.h"
#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/aiuti/AiutiDecodifica.h"
#include "platform/ui/Form.h"
#include "platform/ui/Griglia.h"
#include "services/Avvisi.h"
#include "services/Impostazioni.h"

namespace AziendaUtil {

namespace {

constexpr const char* kClausolaInattivi = " (ucase(Inattivo)<>'S') ";

aiuti::AiutiDecodifica& Libreria() {
  if (!G().goZelAiuto) vb::Solleva(vb::ErrOggettoNonImpostato, "Libreria degli aiuti non inizializzata");
  return *G().goZelAiuto;
}

bool Articolo(const std::string& psTipo, bool anchCod) {
  return vb::UgualeTesto(psTipo, "Articolo") || (anchCod && vb::UgualeTesto(psTipo, "ArticoloCod"));
}

// The article rule: inactive articles are left out when the user asks so.
std::string RegolaArticolo(const std::string& psFiltro) {
  Globali& g = G();
  if (vb::FunzioniComuni::Istanza().Vuoto(vb::Variant(g.gsNoDecInattivi)))
    g.gsNoDecInattivi = servizi::Testo(servizi::ParPers("Articoli", "NoDecInattivi", vb::Variant("N")));
  if (g.gsNoDecInattivi != "S") return psFiltro;
  return psFiltro + (psFiltro.empty() ? "" : " And ") + kClausolaInattivi;
}

std::string Filtro(const std::string& psTipo, const std::string& psFiltro, bool anchCod) {
  return Articolo(psTipo, anchCod) ? RegolaArticolo(psFiltro) : psFiltro;
}

// The key of a look-up opened by the decoder (step 6 of the decoder).
int16_t TastoAiuto(const std::string& tipoAiuto, int16_t piTasto) {
  const auto& fc = vb::FunzioniComuni::Istanza();
  int tasto = piTasto;
  if (G().gbDecodHelpPersKey) {
    const int n = fc.ValInt(servizi::ParPers("Tutti", tipoAiuto + "Hlp", vb::Variant("0")));
    if (n != 0) tasto = n + 111;
  }
  if (tasto == -1) {
    const std::string& abil = G().gsDecodHelpAbil;
    if (vb::UgualeTesto(abil, "C")) {
      tasto = 113;
    } else if (vb::UgualeTesto(abil, "D")) {
      tasto = 114;
    } else {
      const int n = fc.ValInt(vb::Variant(abil));
      tasto = n > 0 ? -(n + 1) : -1;
    }
  }
  return static_cast<int16_t>(tasto);
}

}  // namespace

void DividiConto(std::string psConto, std::string& psGruppo, std::string& psMastro,
                 std::string& psConto3) {
  psGruppo = vb::Left(psConto, 2);
  if (vb::InStr(psConto, "-", vb::vbTextCompare) > 0) {
    psMastro = vb::Mid(psConto, 4, 2);
    psConto3 = vb::Mid(psConto, 7);
  } else {
    psMastro = vb::Mid(psConto, 3, 2);
    psConto3 = vb::Mid(psConto, 5);
  }
}

vb::Variant DecodCodice(const std::string& psTipo, ui::Controllo& pgCodice, ui::Controllo* pgDescr,
                        const aiuti::ChiaveAgg& pvParAgg, int16_t piOpz1, int16_t piOpz2, const std::string& psOpz3,
                        std::vector<vb::Variant>* pvCampi, const std::string& psFiltro,
                        const std::string& psColonneAgg, int16_t piOpzAiuto, const vb::Variant& pvFiltroAiuto,
                        int16_t piTasto, int16_t pbFaiHelp, const std::string& psTxtHelp, int16_t* pbAiutoAperto,
                        int16_t pbRipristinaRiga, ui::Griglia* pgGriglia, int16_t pbNoAttesa) {
  const auto& fc = vb::FunzioniComuni::Istanza();
  aiuti::AiutiDecodifica& lib = Libreria();
  Globali& g = G();
  if (pbAiutoAperto) *pbAiutoAperto = 0;
  std::vector<vb::Variant> nessuno{vb::Variant("")};
  std::vector<vb::Variant>& campi = pvCampi ? *pvCampi : nessuno;
  const std::string filtro = Filtro(psTipo, psFiltro, true);
  const int16_t retZeroRec = fc.ValInt(lib.Risultato().ovLeggiPar("RetZeroRec"));

  for (bool secondo = false;; secondo = true) {
    std::vector<vb::Variant> copia = campi;
    const int16_t r = lib.DecodCodice(psTipo, pgCodice, pgDescr, pvParAgg, piOpz1, psOpz3, piOpz2, copia, filtro);
    if (r == -1 || fc.Vuoto(vb::Variant(pgCodice.Text())) || secondo || vb::UgualeTesto(g.gsDecodHelpAbil, "N") ||
        pbFaiHelp == 0 || Avvisi::MsgComAperta()) {
      campi = std::move(copia);
      return r;
    }

    // The code does not exist: the look-up, then the code chosen there.
    if (pbNoAttesa == 0) ui::DoEvents();
    const std::string filtroAiuto = pvFiltroAiuto.IsMissing() ? psFiltro : servizi::Testo(pvFiltroAiuto);
    const std::string tipoAiuto = vb::UgualeTesto(psTipo, "ArticoloCod") ? std::string("Articolo") : psTipo;
    int16_t tasto = TastoAiuto(tipoAiuto, piTasto);
    std::string testoPrima;
    const bool seme = !psTxtHelp.empty();
    if (seme) {
      testoPrima = pgCodice.Text();
      pgCodice.SetText(psTxtHelp);
    }
    if (pbAiutoAperto) *pbAiutoAperto = -1;
    g.giDecodInCorso = 1;
    if (pbRipristinaRiga != 0) ui::DoEvents();
    lib.Risultato().ovLeggiPar("RetZeroRec", 1);
    int16_t scelto = 0;
    try {
      vb::Variant ris = ApriAiuto(tipoAiuto, pgCodice, pgDescr, tasto, pvParAgg, scelto, psColonneAgg, piOpzAiuto,
                                  filtroAiuto);
      // Nothing fitted the key: once more with the other one, never a third time.
      if (fc.ValInt(ris) == 1 && pgDescr && vb::UgualeTesto(pgDescr->Text(), aiuti::kInesistente)) {
        tasto = tasto == 113 ? 114 : 113;
        ApriAiuto(tipoAiuto, pgCodice, pgDescr, tasto, pvParAgg, scelto, psColonneAgg, piOpzAiuto, filtroAiuto);
      }
    } catch (...) {
      lib.Risultato().ovLeggiPar("RetZeroRec", retZeroRec);
      g.giDecodInCorso = 0;
      throw;
    }
    lib.Risultato().ovLeggiPar("RetZeroRec", retZeroRec);

    if (scelto == 0) {
      if (seme) pgCodice.SetText(testoPrima);
      campi = std::move(copia);
      g.giDecodInCorso = 0;
      return false;
    }
    if (vb::UgualeTesto(psTipo, "Conto") && seme) pgCodice.SetText(fc.Formatta(pgCodice.Text(), "conto"));
    if (pbRipristinaRiga != 0 && g.giDecodInCorso == 2) {
      // A row change of the grid happened meanwhile: back to the row the
      // look-up was opened from.
      g.giDecodInCorso = 0;
      if (pgGriglia) pgGriglia->SetBookmark(servizi::Testo(g.gvBookmarkDecod));
    }
    g.giDecodInCorso = 0;
  }
}

vb::Variant DecodCodiceOpz(const std::string& psTipo, ui::Controllo& pgCodice, ui::Controllo* pgDescr,
                           const aiuti::ChiaveAgg& pvParAgg, int16_t piOpz1, int16_t piOpz2, const std::string& psOpz3,
                           std::vector<vb::Variant>* pvCampi, const std::string& psFiltro, int16_t pbNoAiuto,
                           int16_t pbNoAttesa) {
  const auto& fc = vb::FunzioniComuni::Istanza();
  std::vector<vb::Variant> nessuno{vb::Variant("")};
  std::vector<vb::Variant>& campi = pvCampi ? *pvCampi : nessuno;
  const std::string filtro = Filtro(psTipo, psFiltro, false);
  if (pbNoAiuto != 0 || piOpz1 == -1 || fc.Vuoto(vb::Variant(pgCodice.Text())))
    return Libreria().DecodCodice(psTipo, pgCodice, pgDescr, pvParAgg, piOpz1, psOpz3, piOpz2, campi, filtro);
  const std::string seme = vb::UgualeTesto(psTipo, "Conto") ? fc.FormatTipo(pgCodice.Text(), "Conto") : "";
  return DecodCodice(psTipo, pgCodice, pgDescr, pvParAgg, piOpz1, piOpz2, psOpz3, &campi, filtro, "", 0,
                     vb::Missing, -1, -1, seme, nullptr, 0, nullptr, pbNoAttesa);
}

namespace {

vb::Variant Conto(ui::Controllo& pgCodice, ui::Controllo* pgDescr, int16_t piTipoConto, int16_t piOpz1,
                  int16_t piOpz2, std::vector<vb::Variant>* pvCampi, int16_t pbFaiHelp) {
  // The look-up shows the account as typed; the box gets the display form.
  const std::string comeScritto = pgCodice.Text();
  pgCodice.SetText(vb::FunzioniComuni::Istanza().Formatta(pgCodice.Text(), "conto"));
  return DecodCodice("Conto", pgCodice, pgDescr, aiuti::ChiaveAgg(vb::Variant(piTipoConto)), piOpz1, piOpz2, "",
                     pvCampi, "", "", 0, vb::Missing, -1, pbFaiHelp, comeScritto, nullptr, 0, nullptr, 0);
}

}  // namespace

vb::Variant DecodConto(ui::Controllo& pgCodice, ui::Controllo* pgDescr, int16_t piOpz1, int16_t piTipoConto,
                       std::vector<vb::Variant>* pvCampi, int16_t pbFaiHelp) {
  return Conto(pgCodice, pgDescr, piTipoConto, piOpz1, 0, pvCampi, pbFaiHelp);
}

void MostraDescConto(ui::Controllo& pgCodice, ui::Controllo* pgDescr, int16_t piTipoConto, int16_t piOpz1,
                     int16_t piOpz2, std::vector<vb::Variant>* pvCampi, int16_t pbFaiHelp) {
  if (vb::InStr(pgCodice.Text(), "-") > 0) {
    if (piOpz1 == 0) pgCodice.SetBackColor(G().glColoreErrore);
    if (pgDescr) pgDescr->SetText("");
    return;
  }
  Conto(pgCodice, pgDescr, piTipoConto, piOpz1, piOpz2, pvCampi, pbFaiHelp);
}

vb::Variant LeggiCampoDecod(const std::string& psTipo, const vb::Variant& pvCodice, vb::Variant& pvValore,
                            const aiuti::ChiaveAgg& pvParAgg, int16_t piOpz1, int16_t piTipoDato,
                            const std::string& psCampo, int16_t piOpz2, std::vector<vb::Variant>* pvCampi,
                            const std::string& psFiltro) {
  std::vector<vb::Variant> nessuno{vb::Variant("")};
  return Libreria().LeggiCampoDecod(psTipo, pvCodice, pvValore, pvParAgg, 0, piOpz1, piTipoDato, psCampo, piOpz2,
                                    pvCampi ? pvCampi : &nessuno, Filtro(psTipo, psFiltro, false));
}

vb::Variant DecodTabella(const std::string& psTabella, const std::string& psCampoChiave, ui::Controllo& pgCodice,
                         ui::Controllo* pgDescr, int16_t piOpz1, int16_t piOpz2, const vb::Variant& pvOpz,
                         const std::string& psCampoDescr, const vb::Variant& pvOpz2, const vb::Variant& pvOpz3,
                         const std::string& psFiltro) {
  const std::string filtro =
      vb::UgualeTesto(psCampoChiave, "Articolo") ? RegolaArticolo(psFiltro) : psFiltro;
  return Libreria().DecodTabella(psTabella, psCampoChiave, pgCodice, pgDescr, piOpz1, piOpz2, pvOpz, psCampoDescr,
                                 pvOpz2, pvOpz3, filtro);
}

vb::Variant LeggiCambio(const std::string& psMoneta, const vb::Variant& pvData, ui::Controllo& pgCambio,
                        vb::Variant& pvOut, const std::string& psMaschera, bool pbOpz1, bool pbOpz2) {
  aiuti::AiutiDecodifica& lib = Libreria();
  // The euro and the lira rate are the company's.
  lib.ImpMonete(G().gsCodEuro, G().gsCodLira,
                vb::FunzioniComuni::Istanza().ValDouble(vb::Variant(G().gsCambioLiraEuro)));
  return lib.LeggiCambio(psMoneta, pvData, pgCambio, pvOut, psMaschera, pbOpz1, pbOpz2);
}

}  // namespace AziendaUtil
