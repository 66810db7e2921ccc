// The discount rules of tables Sconti (table discounts) and ScoQua
// (quantity discounts). A rule is written for a combination of article,
// account, customer category and article group and subgroup, any of them
// left open ("~ç~"); the search asks the database for every combination
// that could match in one ranked union and takes its first row.
#include "common/AziendaUtil.h"
#include "common/Globali.h"
#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/dati/GestRecordset.h"
#include "services/Avvisi.h"
#include "services/DbDitta.h"
#include "services/UtilDocFattGest.h"

namespace UtilDocFattGest {

namespace {

const vb::FunzioniComuni& FC() { return vb::FunzioniComuni::Istanza(); }
std::string L(const std::string& s) { return FC().ValoreSql(vb::Variant(s), vb::vbString); }

constexpr const char* kAperto = "~ç~";

// A quantity was given and is not negative: the quantity rules' members
// and sort key take part.
bool QtaData(const vb::Variant& pvQta) {
  if (pvQta.IsMissing() || FC().Vuoto(pvQta)) return false;
  return FC().ValDouble(pvQta) >= 0;
}

// The rule's price in the document currency: none for a third currency.
double PrezzoRegola(dati::GestRecordset& rs, const std::string& k, const std::string& psMoneta) {
  if (vb::UgualeTesto(psMoneta, G().gsCodLira)) return FC().ValDouble(rs.LeggiCampo(k, "PrezzoLire"));
  if (vb::UgualeTesto(psMoneta, G().gsCodEuro)) return FC().ValDouble(rs.LeggiCampo(k, "Prezzo"));
  return 0;
}

}  // namespace

void PrepSqlSconti(const std::string& psTabella, std::string& psSql, int16_t piOrd,
                   const std::string& psArticolo, const std::string& psConto,
                   const std::string& psCategoria, const std::string& psArtGruppo,
                   const std::string& psArtSottoGru, bool pbTipo, const std::string& psTipo,
                   const vb::Variant& pvQta) {
  const auto& fc = FC();
  std::string gr = "~ç", ma = "~ç", co = kAperto, tipo = "~";
  if (psConto != kAperto) {
    AziendaUtil::DividiConto(psConto, gr, ma, co);
    tipo = psTipo;
  }
  psSql += "Select " + fc.ValoreSql(piOrd, vb::vbInteger) + " as Ord, " + psTabella + ".* from " + psTabella +
           " Where Articolo = " + L(psArticolo) + " and Gruppo = " + L(gr) + " and Mastro = " + L(ma) +
           " and Conto = " + L(co);
  if (pbTipo) psSql += " and Tipo = " + L(tipo);
  psSql += " and ArtGruppo = " + L(psArtGruppo) + " and ArtsottoGru = " + L(psArtSottoGru) +
           " and Categoria = " + L(psCategoria);
  if (QtaData(pvQta)) psSql += " and DaQuantita <= " + fc.ValoreSql(fc.ValDouble(pvQta), vb::vbDouble);
}

void PrepSqlUnioneSconti(const std::string& psTabella, dati::GestRecordset& poRs,
                         std::string& psKeyRs, const std::string& psIntTipo,
                         const std::string& psArticolo, const std::string& psIntest,
                         const std::string& psCategoria, const std::string& psArtGruppo,
                         const std::string& psArtSottoGru, bool pbTipo,
                         const std::string& psTabSconti, const vb::Variant& pvQta) {
  const bool a = !FC().Vuoto(vb::Variant(psIntest));
  const bool q = QtaData(pvQta);
  const bool t = psTabSconti == "1";
  std::string sql;
  int16_t ord = 0;
  // One member of the union: the given keys, "~ç~" for the others.
  auto membro = [&](int16_t rango, bool art, bool conto, bool cat, bool gru, bool sotto) {
    if (!sql.empty()) sql += " union ";
    ord = rango;
    PrepSqlSconti(psTabella, sql, rango, art ? psArticolo : kAperto, conto ? psIntest : kAperto,
                  cat ? psCategoria : kAperto, gru ? psArtGruppo : kAperto, sotto ? psArtSottoGru : kAperto,
                  pbTipo, psIntTipo, pvQta);
  };
  // The ranks: with setting "1" the article's rules (for the customer, for
  // the category, for everybody) come before the group rules; otherwise the
  // customer's own rules come first and the category rules after them.
  if (a) membro(0, true, true, false, false, false);                     // article, account
  if (a) membro(t ? 1 : 3, true, false, true, false, false);             // article, category
  if (q) membro(a ? int16_t(ord + 1) : int16_t(0), true, false, false, false, false);  // article
  if (a) membro(t ? int16_t(ord + 1) : int16_t(1), false, true, false, true, true);    // account, group, subgroup
  if (a) membro(int16_t(ord + 1), false, true, false, true, false);      // account, group
  if (a) membro(q ? 3 : 4, false, false, true, true, true);              // category, group, subgroup
  if (a) membro(int16_t(ord + 1), false, false, true, true, false);      // category, group
  if (q) membro(int16_t(ord + 1), false, false, false, true, true);      // group, subgroup
  if (q) membro(int16_t(ord + 1), false, false, false, true, false);     // group
  sql += " order by ord";
  if (q) sql += ", DaQuantita desc";
  psKeyRs = poRs.ApriRecordset(servizi::DbDitta(), G().gsConnAzienda, "", sql, false, 4);
}

bool RicScontoTab(const std::string& psArticolo, const std::string& psMoneta, double& pdPrezzo,
                  std::string& psModo, std::string& psSconto, const std::string& psScontoPrec,
                  const std::string& psIntest, const std::string& psIntTipo,
                  const std::string& psCategoria, const std::string& psArtGruppo,
                  const std::string& psArtSottoGru, const std::string& psTabSconti,
                  double& pdPercRidProvv) {
  bool ris = true;
  pdPrezzo = 0;
  psModo = "T";
  psSconto.clear();
  pdPercRidProvv = 0;
  if (FC().Vuoto(vb::Variant(psIntest))) return ris;
  try {
    dati::GestRecordset rs;
    std::string k;
    PrepSqlUnioneSconti("Sconti", rs, k, psIntTipo, psArticolo, psIntest, psCategoria, psArtGruppo,
                        psArtSottoGru, true, psTabSconti, -1);
    if (rs.NessunRecord(k)) {
      // Nothing to apply; the field needs clearing only if it held something.
      ris = !FC().Vuoto(vb::Variant(psScontoPrec));
    } else {
      pdPrezzo = PrezzoRegola(rs, k, psMoneta);
      psSconto = rs.LeggiCampo(k, "Sconto").ToString();
      psModo = rs.LeggiCampo(k, "SommaSost").ToString();
      pdPercRidProvv = FC().ValDouble(rs.LeggiCampo(k, "PercRidProvv"));
    }
    rs.ChiudiRecordset(k);
  } catch (const vb::Errore& e) {
    Avvisi::MsgErrfrm(e);
    ris = false;
  }
  return ris;
}

bool RicScontoQta(const std::string& psArticolo, const vb::Variant& pvQta,
                  const std::string& psMoneta, double& pdPrezzo, std::string& psModo,
                  std::string& psSconto, const std::string& psScontoPrec,
                  const std::string& psIntTipo, const std::string& psIntest,
                  const std::string& psCategoria, const std::string& psArtGruppo,
                  const std::string& psArtSottoGru, const std::string& psTabSconti,
                  double& pdPercRidProvv) {
  const auto& fc = FC();
  bool ris = true;
  pdPrezzo = 0;
  psModo = "T";
  psSconto.clear();
  pdPercRidProvv = 0;
  const auto& leggi = G().gfLeggiParam;
  const vb::Variant attivi = leggi ? leggi("Fat.ScontoQta", vb::Variant("")) : vb::Variant("");
  if (!attivi.IsNull() && vb::UgualeTesto(attivi.ToString(), "N")) return false;
  try {
    const vb::Variant qta = pvQta.IsMissing() ? vb::Variant() : pvQta;
    if (fc.ValDouble(qta) <= 0) return !fc.Vuoto(vb::Variant(psScontoPrec));
    dati::GestRecordset rs;
    std::string k;
    PrepSqlUnioneSconti("ScoQua", rs, k, psIntTipo, psArticolo, psIntest, psCategoria, psArtGruppo,
                        psArtSottoGru, false, psTabSconti, qta);
    if (rs.NessunRecord(k)) {
      ris = !fc.Vuoto(vb::Variant(psScontoPrec));
    } else {
      pdPrezzo = PrezzoRegola(rs, k, psMoneta);
      psSconto = rs.LeggiCampo(k, "Sconto").ToString();
      int modo = 0;
      if (vb::UgualeTesto(rs.LeggiCampo(k, "ScoTabSost").ToString(), "S")) modo += 2;
      if (vb::UgualeTesto(rs.LeggiCampo(k, "ScoCliSost").ToString(), "S")) modo += 1;
      psModo = std::to_string(modo);
      // Older company databases lack the column: -1 lets the table rule's
      // reduction count alone.
      pdPercRidProvv = AziendaUtil::EsisteCampo("ScoQua", "PercRidProvv")
                           ? fc.ValDouble(rs.LeggiCampo(k, "PercRidProvv"))
                           : -1;
    }
    rs.ChiudiRecordset(k);
  } catch (const vb::Errore& e) {
    Avvisi::MsgErrfrm(e);
    ris = false;
  }
  return ris;
}

}  // namespace UtilDocFattGest
