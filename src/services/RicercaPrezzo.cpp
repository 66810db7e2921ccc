// The price search of a document line and the last-cost notice.
#include "common/AziendaUtil.h"
#include "services/Calcolo.h"
#include "common/Globali.h"
#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/dati/GestRecordset.h"
#include "services/Avvisi.h"
#include "services/DbDitta.h"
#include "services/UtilDocFattGest.h"

namespace {

const vb::FunzioniComuni& FC() { return vb::FunzioniComuni::Istanza(); }
std::string L(const std::string& s) { return FC().ValoreSql(vb::Variant(s), vb::vbString); }

constexpr const char* kNessunLivello = "~ç~";

// The level condition: the marker on both levels for an article priced
// without levels, else the article's own levels as far as it has them.
std::string FiltroLivelli(int16_t n, const vb::Variant& pvLiv1, const vb::Variant& pvLiv2) {
  if (n == -1)
    return " AND Livello1 = " + L(kNessunLivello) + " AND Livello2 = " + L(kNessunLivello);
  return AziendaUtil::PrepSqlLivelli(n, pvLiv1, pvLiv2, false, false);
}

// Every price found is shown with the unit-price decimals and read back,
// so the price carries at most that many.
std::string Formatta(double v, int16_t decimali) {
  return FC().MascheraNum(vb::Variant(v), decimali, {}, false, "#,###", 0, {}, "^");
}

}  // namespace

namespace UtilDocFattGest {

// A price-list or promotion price kept in euro, for a document in a third
// currency: converted at the document's rate. A list kept in the
// document's own currency is taken as it is; one in yet another currency
// has no rate here and stops the search.
double PrezzoInMonetaDoc(double prezzo, const std::string& psListino, const std::string& psMoneta,
                         const vb::Variant& pvCambio, const vb::Variant& pvOperCambio) {
  const Globali& g = G();
  dati::GestRecordset rs;
  const std::string k = rs.ApriRecordset(servizi::DbDitta(), g.gsConnAzienda, "",
                                         "Select Moneta from Listini Where Listino = " + L(psListino), false, 4);
  const std::string monetaListino = rs.NessunRecord(k) ? std::string() : vb::Trim(rs.LeggiCampo(k, "Moneta").ToString());
  rs.ChiudiRecordset(k);
  if (vb::UgualeTesto(monetaListino, psMoneta)) return prezzo;
  if (!monetaListino.empty() && !vb::UgualeTesto(monetaListino, g.gsCodEuro) &&
      !vb::UgualeTesto(monetaListino, g.gsCodLira))
    vb::Solleva(vb::ErrChiamataNonValida,
                "Il listino \"" + psListino + "\" è in moneta \"" + monetaListino +
                    "\": i suoi prezzi non si possono convertire in \"" + psMoneta + "\"",
                "UtilDocFattGest.RicPrezzo");
  vb::Variant oper = pvOperCambio;
  if (oper.IsMissing()) {
    std::string op, cee;
    int16_t dec = 0;
    AziendaUtil::LeggiMoneta(psMoneta, nullptr, &dec, op, cee);
    oper = op;
  }
  return AziendaUtil::ConvDaEuro(prezzo, pvCambio, oper, psMoneta, false, vb::Missing, false);
}

vb::Variant RicPrezzo(const std::string& psQualeImporto, const std::string& psIntTipo,
                      const std::string& psConto, int16_t piAnnoMag, const std::string& psArticolo,
                      const std::string& psListino, const std::string& psListIvato,
                      const std::string& psPrzIvato, const std::string& psDataRif,
                      const std::string& psMoneta, int16_t piNumDecGes, double pdFatCon,
                      const std::string& psUM, double pdPercIva, std::string& psSconto,
                      std::string& psModSconto, const vb::Variant& pvNumLiv,
                      const vb::Variant& pvLiv1, const vb::Variant& pvLiv2,
                      const vb::Variant& pvCambio, const vb::Variant& pvOperCambio) {
  const auto& fc = FC();
  const Globali& g = G();
  using vb::UgualeTesto;
  try {
    const int16_t n = pvNumLiv.IsMissing() ? int16_t(-1) : fc.ValInt(pvNumLiv);
    std::string prezzo;  // as formatted; "" is no price
    std::string ivato = "N";
    std::string sconto, modo;
    const std::string filtro = FiltroLivelli(n, pvLiv1, pvLiv2);
    const bool lira = UgualeTesto(psMoneta, g.gsCodLira);
    const bool euro = UgualeTesto(psMoneta, g.gsCodEuro);
    const bool medio = UgualeTesto(psQualeImporto, "M");
    const bool ultimo = UgualeTesto(psQualeImporto, "U");
    dati::GestDatabase& db = servizi::DbDitta();
    dati::GestRecordset rs;
    bool risolto = false;

    if (ultimo && UgualeTesto(g.gsGesArtFor, "S") && psIntTipo == "2") {
      std::string gr, ma, co;
      AziendaUtil::DividiConto(psConto, gr, ma, co);
      const std::string k = rs.ApriRecordset(
          db, g.gsConnAzienda, "",
          std::string("Select * from ArticoliFor") + " Where Articolo = " + L(psArticolo) + filtro +
              " AND GruppoFor = " + L(gr) + " AND MastroFor = " + L(ma) + " AND ContoFor = " + L(co),
          false, 4);
      if (!rs.NessunRecord(k) && UgualeTesto(rs.LeggiCampo(k, "UltUM").ToString(), psUM)) {
        // The supplier's own unit: the cost is per that unit already.
        const std::string monetaCosto = rs.LeggiCampo(k, "Moneta").ToString();
        const vb::Variant costo = rs.LeggiCampo(k, "CostoUltimo");
        if (UgualeTesto(monetaCosto, psMoneta))
          prezzo = Formatta(fc.ValDouble(costo), piNumDecGes);
        else if (lira && UgualeTesto(monetaCosto, g.gsCodEuro))
          prezzo = Formatta(AziendaUtil::EuroInLire(costo, false, true), piNumDecGes);
        else if (euro && UgualeTesto(monetaCosto, g.gsCodLira))
          prezzo = Formatta(AziendaUtil::LireInEuro(costo, false, true), piNumDecGes);
        sconto.clear();
        modo = "M";
        risolto = true;
      }
      rs.ChiudiRecordset(k);
    }

    if (!risolto && !medio && !ultimo) {
      if (vb::Trim(psListino).empty()) {
        modo = "M";
      } else {
        const std::string data = fc.ValoreSql(vb::Variant(psDataRif), vb::vbDate);
        std::string suffisso = "Prom";
        std::string k = rs.ApriRecordset(
            db, g.gsConnAzienda, "",
            std::string("Select top 1 * from ArtLisPromozioni") + " Where Articolo = " + L(psArticolo) +
                " AND Listino = " + L(psListino) + filtro + " AND DataInizioProm <= " + data +
                " AND DataFineProm >= " + data + " ORDER BY DataInizioProm Desc",
            false, 4);
        if (!rs.NessunRecord(k)) {
          AziendaUtil::VerifMsgProm(rs, k);
          modo = UgualeTesto(vb::UCase(rs.LeggiCampo(k, "ScontoClie").ToString()), "S") ? "Q" : "P";
        } else {
          rs.ChiudiRecordset(k);
          suffisso.clear();
          modo = "M";
          k = rs.ApriRecordset(
              db, g.gsConnAzienda, "",
              std::string("Select top 1 ArtListini.*, Listini.ScoSomSost, Listini.Sconto from ArtListini "
                          "LEFT JOIN Listini") +
                  " ON ArtListini.Listino = Listini.Listino" + " Where Articolo = " + L(psArticolo) +
                  " AND ArtListini.Listino = " + L(psListino) + filtro + " AND DataInizio <= " + data +
                  " ORDER BY DataInizio Desc",
              false, 4);
        }
        if (!rs.NessunRecord(k)) {
          double valore = fc.ValDouble(rs.LeggiCampo(k, (lira ? "PrezzoLire" : "Prezzo") + suffisso));
          if (!lira && !euro) valore = PrezzoInMonetaDoc(valore, psListino, psMoneta, pvCambio, pvOperCambio);
          prezzo = Formatta(valore, piNumDecGes);
          if (suffisso.empty()) {
            modo = rs.LeggiCampo(k, "ArtListini.ScoSomSost").ToString();
            if (UgualeTesto(modo, "L")) modo = rs.LeggiCampo(k, "Listini.ScoSomSost").ToString();
            const vb::Variant scontoArt = rs.LeggiCampo(k, "ArtListini.Sconto");
            sconto = fc.Vuoto(scontoArt) ? rs.LeggiCampo(k, "Listini.Sconto").ToString() : scontoArt.ToString();
          }
        }
        rs.ChiudiRecordset(k);
      }
      ivato = psListIvato;
    } else if (!risolto) {
      modo = "M";
      if (lira || euro) {
        const std::string k = rs.ApriRecordset(
            db, g.gsConnAzienda, "",
            std::string("Select * from ArticoliCosti") + " Where anno = " + fc.ValoreSql(piAnnoMag, vb::vbInteger) +
                " AND Articolo = " + L(psArticolo) + filtro,
            false, 4);
        if (!rs.NessunRecord(k)) {
          const std::string colonna =
              std::string(medio ? "MedioPonderale" : "CostoUltimo") + (lira ? "Lire" : "");
          // The factor acts on the cost as stored, before any rounding.
          prezzo = Formatta(calcolo::Pulisci(fc.ValDouble(rs.LeggiCampo(k, colonna)) * pdFatCon), piNumDecGes);
        }
        rs.ChiudiRecordset(k);
      }
    }

    if (!UgualeTesto(psPrzIvato, ivato)) {
      const double p = fc.ValDouble(vb::Variant(prezzo));
      prezzo = UgualeTesto(psPrzIvato, "S")
                   ? Formatta(AziendaUtil::AggiungiIva(p, pdPercIva, piNumDecGes, "A"), piNumDecGes)
                   : Formatta(AziendaUtil::ScorporaIva(p, pdPercIva, piNumDecGes), piNumDecGes);
    }
    psModSconto = modo;
    psSconto = sconto;
    return fc.ValDouble(vb::Variant(prezzo));
  } catch (const vb::Errore& e) {
    Avvisi::MsgErr(e);
    return vb::Variant("");
  }
}

}  // namespace UtilDocFattGest

namespace AziendaUtil {

void MostraUltCosto(const std::string& psArticolo, int16_t piAnno, const vb::Variant& pvNumLiv,
                    const vb::Variant& pvLiv1, const vb::Variant& pvLiv2) {
  const auto& fc = FC();
  try {
    const std::string filtro =
        pvNumLiv.IsMissing() ? FiltroLivelli(-1, vb::Missing, vb::Missing)
                             : PrepSqlLivelli(fc.ValInt(pvNumLiv), pvLiv1, pvLiv2, false, false);
    dati::GestRecordset rs;
    const std::string k = rs.ApriRecordset(
        servizi::DbDitta(), G().gsConnAzienda, "",
        std::string("Select CostoUltimo from ArticoliCosti") + " Where anno = " +
            fc.ValoreSql(piAnno, vb::vbInteger) + " AND Articolo = " + L(psArticolo) + filtro,
        false, 4);
    const std::string testo =
        rs.NessunRecord(k) ? std::string("Ultimo Costo non disponibile")
                           : "Ultimo Costo: " + fc.MascheraNum(rs.LeggiCampo(k, "CostoUltimo"),
                                                               G().giNumDecGestMoneta, {}, false, "#,##0",
                                                               0, {}, "0");
    rs.ChiudiRecordset(k);
    Avvisi::MsgOk(testo, 80, 600);
  } catch (const vb::Errore& e) {
    Avvisi::MsgErrfrm(e);
  }
}

}  // namespace AziendaUtil
