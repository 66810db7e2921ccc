// The price of an article in a list, set from a new unit cost.
#include "common/AziendaUtil.h"
#include "common/FunVarie.h"
#include "common/frmMsgCom.h"
#include "platform/Errore.h"
#include "stock/UtilMovim.h"
#include "stock/UtilMovim_Interno.h"

namespace UtilMovim {

using namespace interno;

void AggListinoDaCosto(const std::string& psArticolo, const std::string& psLivello1, const std::string& psLivello2,
                       const std::string& psListino, const vb::Variant& ptData, double pdCostoEuro,
                       double pdCostoLire, const std::string& psSconto, const std::string& psScoSomSost,
                       const std::string& psModoRic, const std::string& psGruppo, const std::string& psMastro,
                       const std::string& psConto) {
  dati::GestRecordset rs;
  std::string k, kl;
  try {
    const Globali& g = G();
    // 1. The row in force at the date.
    k = OpenRs(rs,
               "Select top 1 ArtListini.* from ArtListini" + std::string(" Where Articolo = ") + Tx(psArticolo) +
                   " AND ArtListini.Listino = " + Tx(psListino) + " AND Livello1 = " + Tx(psLivello1) +
                   " AND Livello2 = " + Tx(psLivello2) + " AND DataInizio <= " + Lit(ptData, vb::vbDate) +
                   " ORDER BY DataInizio Desc",
               2);
    // 2.
    const bool nuova = rs.NessunRecord(k);
    vb::Variant inizio = ptData;
    if (nuova) {
      if (Ug(vb::UCase(servizi::Testo(servizi::ParamDitta("Mag.QualeDataLis"))), "D")) {
        const vb::Variant dl = servizi::ParamDitta("Mag.DataListino");
        if (!vb::Variant(dl).IsDateLike()) vb::Solleva(13, "Mag.DataListino non è una data");
        inizio = vb::Variant(dl.ToDate());
      }
      rs.NuovoRecord(k);
      rs.ScriviCampo(k, "Articolo", vb::Variant(psArticolo));
      rs.ScriviCampo(k, "Livello1", vb::Variant(psLivello1));
      rs.ScriviCampo(k, "Livello2", vb::Variant(psLivello2));
      rs.ScriviCampo(k, "Listino", vb::Variant(psListino));
      rs.ScriviCampo(k, "DataInizio", inizio);
    } else {
      rs.ModificaRecord(k);
    }
    // 3. - 9. The price.
    double prezzo = pdCostoEuro, prezzoLire = pdCostoLire;
    if (!vb::Trim(psModoRic).empty()) {
      kl = OpenRs(rs,
                  std::string("SELECT Monete.NumDecGest, Monete.Moneta, Listini.Ivato") +
                      " FROM Listini INNER JOIN Monete ON Listini.Moneta = Monete.Moneta" +
                      " Where Listini.Listino = " + Tx(psListino),
                  4);
      if (!rs.NessunRecord(kl)) {
        const bool lira = vb::UgualeTesto(T(rs, kl, "Moneta"), g.gsCodLira);
        const bool ivato = Ug(T(rs, kl, "Ivato"), "S");
        const int16_t n = I(rs, kl, "NumDecGest");
        ChiudiSilenzioso(rs, kl);
        double p = lira ? pdCostoLire : pdCostoEuro;
        double maggior = 0, aliquota = 0;
        if (ivato || vb::UCase(psModoRic).find('A') != std::string::npos) {
          kl = OpenRs(rs,
                      std::string("SELECT Articoli.Maggior, TabIva.Aliquota") +
                          " FROM Articoli INNER JOIN TabIva ON Articoli.IvaVendite = TabIva.Iva" +
                          " Where Articolo = " + Tx(psArticolo),
                      4);
          if (!rs.NessunRecord(kl)) {
            maggior = D(rs, kl, "Maggior");
            aliquota = D(rs, kl, "Aliquota");
          }
          ChiudiSilenzioso(rs, kl);
        }
        bool qualcuna = false;
        for (char c : psModoRic) {
          double m;
          if (c == 'A' || c == 'a') {
            m = maggior;
          } else {
            kl = OpenRs(rs,
                        std::string("SELECT PianoConti.PercRicListClie From PianoConti") +
                            " WHERE PianoConti.Gruppo = " + Tx(psGruppo) + " AND PianoConti.Mastro = " +
                            Tx(psMastro) + " AND PianoConti.Conto = " + Tx(psConto),
                        4);
            m = rs.NessunRecord(kl) ? 0 : D(rs, kl, "PercRicListClie");
            ChiudiSilenzioso(rs, kl);
            if (m == 0) {
              const vb::Variant def = servizi::ParamDitta("Mag.PercRicListClie");
              if (!def.IsNumeric()) vb::Solleva(13, "Mag.PercRicListClie non è un numero");
              m = def.ToDouble();
            }
          }
          if (FunVarie::ArrotConfronta(vb::Variant(m), vb::Variant(0.0), -8) != 0) qualcuna = true;
          p = AziendaUtil::CalcNetto(vb::Variant(p), vb::Variant(-m), 8, false);
        }
        if (Ug(psModoRic, "F") && !qualcuna) {
          ChiudiSilenzioso(rs, k);
          return;
        }
        if (ivato) p = AziendaUtil::AggiungiIva(vb::Variant(p), vb::Variant(aliquota), n, "A");
        if (lira) {
          prezzoLire = p;
          prezzo = AziendaUtil::LireInEuro(vb::Variant(p), true, true, vb::Variant(g.giNumDecGestEuro));
        } else {
          prezzo = p;
          prezzoLire = AziendaUtil::EuroInLire(vb::Variant(p), true, true, vb::Variant(g.giNumDecGestLire));
        }
      } else {
        ChiudiSilenzioso(rs, kl);
      }
    }
    // 10.
    rs.ScriviCampo(k, "Prezzo", vb::Variant(vb::Currency::FromDouble(prezzo)));
    rs.ScriviCampo(k, "PrezzoLire", vb::Variant(vb::Currency::FromDouble(prezzoLire)));
    rs.ScriviCampo(k, "Sconto", vb::Variant(psSconto));
    rs.ScriviCampo(k, "ScoSomSost", vb::Variant(psScoSomSost));
    rs.SalvaRecord(k);
    ChiudiSilenzioso(rs, k);
    // 11. The validity periods laid out again after a new row.
    if (nuova) {
      std::string art = psArticolo, l1 = psLivello1, l2 = psLivello2, lis = psListino;
      std::string data = Fc().Formatta(inizio, "dd/mm/yyyy");
      AziendaUtil::AggDateListini(art, l1, l2, lis, data);
    }
  } catch (const vb::Errore& e) {
    ChiudiSilenzioso(rs, kl);
    ChiudiSilenzioso(rs, k);
    frmMsgCom::MsgErrfrm(e, "", "\r\nListino non aggiornato");
  }
}

}  // namespace UtilMovim
