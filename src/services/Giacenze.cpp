// Stock figures of an article from the yearly progressives, and its minimum
// stock.
#include "common/AziendaUtil.h"
#include "common/Globali.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/dati/GestRecordset.h"
#include "services/DbDitta.h"

namespace AziendaUtil {

namespace {

bool Assente(const vb::Variant& v) { return v.IsNull() || v.IsMissing(); }

}  // namespace

vb::Variant CalcGiacenza(const std::string& psArticolo, int16_t piAnno, const vb::Variant& pvMagazzino,
                         const vb::Variant& pvLiv1, const vb::Variant& pvLiv2, vb::Variant* pvDisp,
                         vb::Variant* pvGiac, vb::Variant* pvOrdFor, const vb::Variant& pvModo) {
  const auto& fc = vb::FunzioniComuni::Istanza();
  std::string sql = std::string("Select sum(QtaIniziale) As SumQtaIniziale") + ", sum(QtaCarico) As SumQtaCarico" +
                    ", sum(QtaSCarico) As SumQtaSCarico" + ", sum(QtaOrdFor) As SumQtaOrdFor" +
                    ", sum(QtaImpCli) As SumQtaImpCli" + " from ArticoliProg" +
                    " Where Anno = " + fc.ValoreSql(piAnno, vb::vbInteger) +
                    " and Articolo = " + fc.ValoreSql(psArticolo, vb::vbString);
  if (!pvMagazzino.IsMissing() && !fc.Vuoto(pvMagazzino, vb::vbString))
    sql += " and Magazzino = " + fc.ValoreSql(pvMagazzino, vb::vbString);
  if (!Assente(pvLiv1)) sql += " and Livello1 = " + fc.ValoreSql(pvLiv1, vb::vbString);
  if (!Assente(pvLiv2)) sql += " and Livello2 = " + fc.ValoreSql(pvLiv2, vb::vbString);

  dati::GestRecordset rs;
  const std::string k = rs.ApriRecordset(servizi::DbDitta(), G().gsConnAzienda, "", sql, false, 4);
  // Sums over no row read as 0.
  auto somma = [&](const char* alias) { return fc.ValDouble(rs.LeggiCampo(k, alias, vb::vbDouble)); };
  const double iniziale = somma("SumQtaIniziale"), carico = somma("SumQtaCarico"),
               scarico = somma("SumQtaScarico"), ordinato = somma("SumQtaOrdFor"),
               impegnato = somma("SumQtaImpCli");
  rs.ChiudiRecordset(k);

  const int dec = G().giNumDecQtaMag;
  const double disp = fc.Arrotonda(((iniziale + carico) - scarico + ordinato) - impegnato, "A", 1, -dec);
  const double giac = fc.Arrotonda((iniziale + carico) - scarico, "A", 1, -dec);
  const double ord = fc.Arrotonda(ordinato, "A", 1, -dec);
  if (pvDisp) *pvDisp = disp;
  if (pvGiac) *pvGiac = giac;
  if (pvOrdFor) *pvOrdFor = ord;

  std::string modo = pvModo.IsMissing() || pvModo.IsNull() ? std::string() : pvModo.ToString();
  if (pvModo.IsMissing()) modo = pvDisp ? "D" : "G";
  return vb::UgualeTesto(modo, "D") ? disp : giac;
}

vb::Variant LeggiScortaMin(const std::string& psArticolo, const vb::Variant& pvMagazzino) {
  const auto& fc = vb::FunzioniComuni::Istanza();
  dati::GestRecordset rs;
  vb::Variant valore;
  std::string k = rs.ApriRecordset(servizi::DbDitta(), G().gsConnAzienda, "",
                                   std::string("Select ArtScorte.ScortaMinima") + " from ArtScorte" +
                                       " Where Articolo = " + fc.ValoreSql(psArticolo, vb::vbString) +
                                       " and Magazzino = " + fc.ValoreSql(pvMagazzino, vb::vbString),
                                   false, 4);
  if (!rs.NessunRecord(k)) valore = rs.LeggiCampo(k, "ScortaMinima");
  rs.ChiudiRecordset(k);
  // No row, or 0 for the warehouse: the article's own minimum.
  if (valore.IsEmpty() || fc.ValDouble(valore) == 0) {
    k = rs.ApriRecordset(servizi::DbDitta(), G().gsConnAzienda, "",
                         std::string("Select Articoli.ScortaMinima") + " from Articoli" +
                             " Where Articolo = " + fc.ValoreSql(psArticolo, vb::vbString),
                         false, 4);
    if (!rs.NessunRecord(k)) valore = rs.LeggiCampo(k, "ScortaMinima");
    rs.ChiudiRecordset(k);
  }
  // A minimum that was never recorded is no minimum of 0.
  if (valore.IsString() && valore.ToString().empty()) return vb::Variant();
  return valore;
}

}  // namespace AziendaUtil
