#include "common/scZelUtilPrg.h"

#include "common/Globali.h"
#include "common/frmPrincipale.h"
#include "common/mainDdt.h"
#include "platform/FunzioniComuni.h"
#include "platform/aiuti/FinestraAiuto.h"
#include "platform/menu/ClientMenu.h"

namespace {

std::unique_ptr<scZelUtilPrg>& Globale() {
  static std::unique_ptr<scZelUtilPrg> p;
  return p;
}

std::function<void()>& MostraMenu() {
  static std::function<void()> f;
  return f;
}

}  // namespace

scZelUtilPrg::scZelUtilPrg() : ogZelAiuti(std::make_shared<aiuti::AiutiDecodifica>()) {
  aiuti::SorgenteEventiAiuti& ev = ogZelAiuti->SorgenteEventi();
  ev.ClsMainMenuFrm = [this] { mgZelAiuto_ClsMainMenuFrm(); };
  ev.ClsPrepDecod = [this](const std::string& psId, const std::string& psKeyBase, const std::string& psCampo,
                           vb::Variant& pvValore, vb::Variant& pvSoloDecod, vb::Variant& pvSqlNoFiltro,
                           vb::Variant& pvRitorno) {
    mgZelAiuto_ClsPrepDecod(psId, psKeyBase, psCampo, pvValore, pvSoloDecod, pvSqlNoFiltro, pvRitorno);
  };
  ev.LanciaKeyPrim = [this](const std::string& k) { mgZelAiuto_LanciaKeyPrim(k); };
  ev.LanciaKeySec = [this](const std::string& k) { mgZelAiuto_LanciaKeySec(k); };
}

scZelUtilPrg::~scZelUtilPrg() {
  if (!ogZelAiuti) return;
  // The library may outlive the holder (goZelAiuto): it no longer calls here.
  aiuti::SorgenteEventiAiuti& ev = ogZelAiuti->SorgenteEventi();
  ev = aiuti::SorgenteEventiAiuti{};
  ogZelAiuti.reset();
}

void scZelUtilPrg::mgZelAiuto_ClsMainMenuFrm() {
  if (MostraMenu()) {
    MostraMenu()();
  } else if (G().goMenuClient) {
    G().goMenuClient->TornaAlMenu("Tutti");
  }
}

void scZelUtilPrg::mgZelAiuto_ClsPrepDecod(const std::string&, const std::string& psKeyBase,
                                           const std::string& psCampo, vb::Variant& pvValore,
                                           vb::Variant& pvSoloDecod, vb::Variant& pvSqlNoFiltro,
                                           vb::Variant& pvRitorno) {
  pvRitorno = mainDdt::PrepDecod(psKeyBase, psCampo, pvValore, pvSoloDecod, pvSqlNoFiltro, vb::Missing, false);
}

void scZelUtilPrg::mgZelAiuto_LanciaKeyPrim(const std::string& psLanciaKeyPrim) {
  G().gsLanciaKeyPrim = psLanciaKeyPrim;
}

void scZelUtilPrg::mgZelAiuto_LanciaKeySec(const std::string& psLanciaKeySec) { G().gsLanciaKeySec = psLanciaKeySec; }

scZelUtilPrg& scZelUtilPrg::Istanza() {
  if (!Globale()) Globale() = std::make_unique<scZelUtilPrg>();
  return *Globale();
}

void scZelUtilPrg::Rilascia() { Globale().reset(); }

std::function<void()> scZelUtilPrg::ImpostaMostraMenu(std::function<void()> pfMostraMenu) {
  std::function<void()> prima = std::move(MostraMenu());
  MostraMenu() = std::move(pfMostraMenu);
  return prima;
}

void PreparaAiuti(double pdRisVidHelp) {
  Globali& g = G();
  g.goZelAiuto = scZelUtilPrg::Istanza().ogZelAiuti;
  aiuti::AiutiDecodifica& lib = *g.goZelAiuto;
  try {
    lib.FinestraAttiva().odRisVid = pdRisVidHelp;
  } catch (...) {
  }
  std::shared_ptr<void> dao = g.goDbDao;
  lib.Inizializza(g.gfrmPrincipale, g.goMenuClient, g.goContesto, g.goDbAzienda,
                  g.gsConnAzienda, dao, g.glColoreSfondo, g.glColoreErrore, g.gsTipoIcone, g.gsFormatData);
  aiuti::FinestraAiuto& f = lib.FinestraAttiva();
  g.gfrmAiuto = &f;
  try {
    const vb::Variant sposta =
        g.gfLeggiParPers ? g.gfLeggiParPers("Help", "HlpSpost", vb::Variant("")) : vb::Variant("");
    if (!vb::FunzioniComuni::Istanza().Vuoto(sposta)) {
      f.obLockSpostaCurs = true;
      f.oiSpostaCurs = vb::FunzioniComuni::Istanza().ValInt(sposta, true, true);
    }
  } catch (...) {
  }
}
