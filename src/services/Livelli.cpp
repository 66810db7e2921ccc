// Variant levels: the level condition of the price, cost and stock queries,
// the level groups and captions of an article; and the title of a window.
#include "common/AziendaUtil.h"
#include "common/Globali.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/dati/GestRecordset.h"
#include "platform/ui/Controllo.h"
#include "services/DbDitta.h"
#include "services/Impostazioni.h"

namespace AziendaUtil {

namespace {

constexpr const char* kNessunLivello = "~ç~";

// Levels are managed when the company says so; asked at every call, as the
// other programs of the suite may switch it.
bool LivelliGestiti() {
  const vb::Variant v = servizi::ParamDitta("Mag.GesTaglie", vb::Variant(""));
  return !v.IsNull() && vb::UgualeTesto(vb::Trim(servizi::Testo(v)), "S");
}

}  // namespace

std::string PrepSqlLivelli(int16_t piNumLiv, const vb::Variant& pvLiv1, const vb::Variant& pvLiv2,
                           bool pbNoLivelli, bool pbForza) {
  const auto& fc = vb::FunzioniComuni::Istanza();
  const bool livelli = LivelliGestiti() && !pbNoLivelli;
  const vb::Variant marcatore(kNessunLivello);
  const vb::Variant& l1 = livelli && !pvLiv1.IsMissing() && (piNumLiv >= 1 || pbForza) ? pvLiv1 : marcatore;
  const vb::Variant& l2 = livelli && !pvLiv2.IsMissing() && (piNumLiv >= 2 || pbForza) ? pvLiv2 : marcatore;
  return " And Livello1 = " + fc.ValoreSql(l1, vb::vbString) + " And Livello2 = " +
         fc.ValoreSql(l2, vb::vbString);
}

void LeggiGruppiLiv(std::string& psArticolo, ui::Controllo& pgLab1, ui::Controllo& pgLab2, int16_t& piNumGruppi) {
  const auto& fc = vb::FunzioniComuni::Istanza();
  pgLab1.SetCaption("Livello 1:");
  pgLab2.SetCaption("Livello 2:");
  if (!LivelliGestiti()) return;
  psArticolo = vb::RTrim(psArticolo);
  if (psArticolo.empty()) return;
  dati::GestRecordset rs;
  const std::string k = rs.ApriRecordset(
      servizi::DbDitta(), G().gsConnAzienda, "",
      std::string("SELECT Articoli.Articolo, Articoli.LivGruppo1, Articoli.LivGruppo2, LivGruppi_1.*, LivGruppi_2.*") +
          " FROM (Articoli" + " LEFT JOIN LivGruppi AS LivGruppi_1" +
          " ON Articoli.LivGruppo1 = LivGruppi_1.LivGruppo)" + " LEFT JOIN LivGruppi AS LivGruppi_2" +
          " ON Articoli.LivGruppo2 = LivGruppi_2.LivGruppo" + " WHERE" +
          " Articoli.Articolo = " + fc.ValoreSql(psArticolo, vb::vbString),
      false, 4);
  if (!rs.NessunRecord(k)) {
    auto pieno = [&](const char* campo) { return !fc.Vuoto(rs.LeggiCampo(k, campo)); };
    piNumGruppi = pieno("Articoli.Livgruppo2") ? 2 : pieno("Articoli.Livgruppo1") ? 1 : 0;
    const std::string d1 = servizi::Testo(rs.LeggiCampo(k, "LivGruppi_1.Descrizione"));
    const std::string d2 = servizi::Testo(rs.LeggiCampo(k, "LivGruppi_2.Descrizione"));
    if (!fc.Vuoto(vb::Variant(d1))) pgLab1.SetCaption(d1 + ":");
    if (!fc.Vuoto(vb::Variant(d2))) pgLab2.SetCaption(d2 + ":");
  }
  rs.ChiudiRecordset(k);
}

vb::Variant PrepTitolo(const std::string& psTitolo, const vb::Variant& pvSuffisso) {
  return psTitolo + " - " + (pvSuffisso.IsMissing() ? G().gsDescAzie : servizi::Testo(pvSuffisso));
}

}  // namespace AziendaUtil
