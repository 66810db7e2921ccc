#include "common/ParametriMenu.h"

#include "common/AziendaUtil.h"
#include "common/Globali.h"
#include "common/frmConn.h"
#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/menu/ClientMenu.h"

namespace {

menu::ClientMenu& Client() {
  auto& c = G().goMenuClient;
  if (!c) vb::Solleva(91, "Variabile oggetto non impostata: goMenuClient");
  return *c;
}

}  // namespace

namespace AziendaUtil {

vb::Variant LeggiParPers(const std::string& psSezione, const std::string& psNome, const vb::Variant& pvDefault) {
  const std::string chiave = "Personal." + psSezione + ".§" + psNome;
  vb::Variant v = Client().LeggiParam(chiave, "");
  if (!pvDefault.IsMissing() && v.IsString() && *v.StringPtr() == "§ç~$!^") return pvDefault;
  return v;
}

vb::Variant LeggiOSPlatform() { return Client().LeggiParam("OSPlatform", ""); }

void PrepFrmConn(int16_t pbCarica, int16_t pbVisAccess) {
  frmConn& f = FrmConn();
  // Any use of its controls loads the window, as the legacy did.
  (void)pbCarica;
  f.Load();
  auto testo = [](const vb::Variant& v) { return v.IsNull() || v.IsEmpty() ? std::string() : v.ToString(); };
  f.C("labTitolo").SetVisible(true);
  f.C("labVersione").SetCaption("Versione " + testo(Client().LeggiParam("Versione", "")));
  f.C("labVersione").SetVisible(true);
  f.C("LabDataVer").SetCaption("del " + testo(Client().LeggiParam("DataVersione", "")));
  f.C("LabDataVer").SetVisible(true);
  f.C("imgLogo").SetVisible(true);
  f.C("imgAccess").SetVisible(pbVisAccess != 0);
}

}  // namespace AziendaUtil

namespace ComLock {

void ScriviParMenu(const std::string& psNome, const vb::Variant& pvValore) {
  Client().ScriviParam(psNome, "", pvValore);
}

vb::Variant LeggiParMenu(const std::string& psNome) { return Client().LeggiParam(psNome, ""); }

}  // namespace ComLock

namespace LoginTerminali {

vb::Variant VerifTerminale(const std::string& psTerminale, const std::string& psAbilitati,
                           const std::string& psDisabilitati, bool& pbInAbil, bool& pbInDisab) {
  const auto& fc = vb::FunzioniComuni::Istanza();
  bool ok = true;
  if (!fc.Vuoto(vb::Variant(psDisabilitati))) {
    if (fc.InElenco(psTerminale, psDisabilitati, ";", 1)) {
      pbInDisab = true;
      ok = false;
    }
  } else {
    pbInDisab = false;
  }
  if (!fc.Vuoto(vb::Variant(psAbilitati))) {
    if (fc.InElenco(psTerminale, psAbilitati, ";", 1))
      pbInAbil = true;
    else
      ok = false;
  } else {
    pbInAbil = false;
  }
  return ok;
}

}  // namespace LoginTerminali
