// How the discount sources of a line (price list, header customer
// discount, quantity rule, table rule) fill its four discount fields.
#include "common/AziendaUtil.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "services/UtilDocFattGest.h"

namespace UtilDocFattGest {

namespace {

using vb::UgualeTesto;

bool Libero(const std::string& campo, bool pbForza) { return pbForza || vb::Trim(campo).empty(); }

// A rule's price as the unit-price box shows it.
std::string TestoPrezzo(double prezzo, int16_t decimali) {
  return vb::FunzioniComuni::Istanza().MascheraNum(vb::Variant(prezzo), decimali, {}, false, "#,##0", 0, {},
                                                  "0");
}

}  // namespace

void ApplicaModoSconto(FormPrezzo& pfrmForm, std::string& ptxtCampo, std::string& psScontoBase,
                       std::string& psModo1, std::string& psSconto1, std::string& psModo2,
                       std::string& psSconto2) {
  // The window's price search refreshes the mode and discount passed as
  // psModo1 and psSconto1: they are read only after it.
  if (UgualeTesto(psModo1, "N")) pfrmForm.CercaPrezzo();
  const bool documento = UgualeTesto(psModo1, "L");
  const std::string& modo = documento ? psModo2 : psModo1;
  const std::string& sconto = documento ? psSconto2 : psSconto1;
  if (modo == "0" || UgualeTesto(modo, "N"))
    ptxtCampo = psScontoBase;
  else if (UgualeTesto(modo, "M"))
    ptxtCampo = AziendaUtil::UnisciSconti({psScontoBase, sconto});
  else if (UgualeTesto(modo, "S"))
    ptxtCampo = sconto;
  else
    ptxtCampo.clear();
}

void ApplicaSconti(FormPrezzo& pfrmForm, std::string& ptxtScoCli, std::string& ptxtScoArt,
                   std::string& ptxtScoQta, std::string& ptxtScoTab, std::string& ptxtPrezzo,
                   const std::string& psArticolo, const vb::Variant& pvQta,
                   const std::string& psMoneta, double& pdPrzQta, std::string& psModQta,
                   std::string& psScoQta, double& pdPrzTab, std::string& psModTab,
                   std::string& psScoTab, std::string& psScoArt, std::string& psModLis,
                   std::string& psScoLis, std::string& psModLisDoc, std::string& psScoLisDoc,
                   const std::string& psScoCliTes, int16_t piNumDecGes,
                   const std::string& psIntest, const std::string& psIntTipo,
                   const std::string& psCategoria, const std::string& psArtGruppo,
                   const std::string& psArtSottoGru, const std::string& psTabSconti,
                   bool pbForza, bool pbScontoArt, double& pdRidTab, double& pdRidQta) {
  if (pbScontoArt && Libero(ptxtScoArt, pbForza))
    ApplicaModoSconto(pfrmForm, ptxtScoArt, psScoArt, psModLis, psScoLis, psModLisDoc, psScoLisDoc);

  const std::string qtaPrec = ptxtScoQta;
  ptxtScoQta.clear();
  const std::string tabPrec = ptxtScoTab;
  if (Libero(ptxtScoTab, pbForza)) ptxtScoTab.clear();

  if (UgualeTesto(psModLis, "Q") || UgualeTesto(psModLis, "P")) {
    // A promotion price takes no quantity or table discount; the customer
    // discount stays only where the promotion allows it.
    if (Libero(ptxtScoCli, pbForza)) ptxtScoCli = UgualeTesto(psModLis, "P") ? std::string() : psScoCliTes;
    if (pdRidTab == -2) pdRidTab = 0;
    if (pdRidQta == -2) pdRidQta = 0;
    return;
  }

  if (Libero(ptxtScoCli, pbForza)) ptxtScoCli = psScoCliTes;

  if (UgualeTesto(psModQta, "N"))
    RicScontoQta(psArticolo, pvQta, psMoneta, pdPrzQta, psModQta, psScoQta, qtaPrec, psIntTipo, psIntest,
                 psCategoria, psArtGruppo, psArtSottoGru, psTabSconti, pdRidQta);

  int16_t senzaQta = -1;
  if (!UgualeTesto(psModQta, "T")) {
    ptxtScoQta = psScoQta;
    if (pdPrzQta > 0) ptxtPrezzo = TestoPrezzo(pdPrzQta, piNumDecGes);
    ptxtScoArt.clear();
    if (psModQta == "1" || psModQta == "3") ptxtScoCli.clear();
    if (psModQta == "2" || psModQta == "3") {
      ptxtScoTab.clear();
      return;
    }
    senzaQta = 0;
  }

  if (Libero(ptxtScoTab, pbForza))
    ApplicaScontiTab(psArticolo, psMoneta, ptxtScoCli, ptxtScoArt, pdPrzTab, psModTab, ptxtScoTab, psScoTab,
                     tabPrec, ptxtPrezzo, piNumDecGes, psIntest, psIntTipo, psCategoria, psArtGruppo,
                     psArtSottoGru, psTabSconti, senzaQta, pdRidTab);
}

void ApplicaScontiTab(const std::string& psArticolo, const std::string& psMoneta,
                      std::string& ptxtScoCli, std::string& ptxtScoArt, double& pdPrzTab,
                      std::string& psModTab, std::string& ptxtScoTab, std::string& psScoTab,
                      const std::string& psScoTabPrec, std::string& ptxtPrezzo,
                      int16_t piNumDecGes, const std::string& psIntest,
                      const std::string& psIntTipo, const std::string& psCategoria,
                      const std::string& psArtGruppo, const std::string& psArtSottoGru,
                      const std::string& psTabSconti, int16_t piSenzaQta, double& pdRidTab) {
  if (UgualeTesto(psModTab, "N"))
    RicScontoTab(psArticolo, psMoneta, pdPrzTab, psModTab, psScoTab, psScoTabPrec, psIntest, psIntTipo,
                 psCategoria, psArtGruppo, psArtSottoGru, psTabSconti, pdRidTab);
  if (UgualeTesto(psModTab, "T")) return;
  ptxtScoTab = psScoTab;
  // A quantity rule's price is never overridden by a table rule's price.
  if (pdPrzTab > 0 && piSenzaQta == -1) ptxtPrezzo = TestoPrezzo(pdPrzTab, piNumDecGes);
  if (UgualeTesto(psModTab, "S") || UgualeTesto(psModTab, "A")) ptxtScoCli.clear();
  if (UgualeTesto(psModTab, "S") || UgualeTesto(psModTab, "C")) ptxtScoArt.clear();
}

}  // namespace UtilDocFattGest
