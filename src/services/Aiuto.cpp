// The look-up windows of the coded fields: the preparation of the library
// for one kind (columns, pass-through, colours, article pictures) and the
// account class a look-up uses.
#include <algorithm>
#include <functional>

#include "common/AziendaUtil.h"
#include "common/FunVarie.h"
#include "common/Globali.h"
#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/aiuti/AiutiDecodifica.h"
#include "platform/ui/Form.h"
#include "services/Impostazioni.h"

namespace AziendaUtil {

namespace {

aiuti::AiutiDecodifica& Libreria() {
  if (!G().goZelAiuto) vb::Solleva(vb::ErrOggettoNonImpostato, "Libreria degli aiuti non inizializzata");
  return *G().goZelAiuto;
}

// The preparation goes on whatever fails: the window opens with what was set.
void Ignora(const std::function<void()>& f) {
  try {
    f();
  } catch (...) {
  }
}

// A reading of personal settings, which the menu answers. Once the menu has
// not answered (error 5), the settings still to read are passed over rather
// than each waiting out the channel's time limit.
bool& MenuMuto() {
  static bool muto = false;
  return muto;
}

void IgnoraMenu(const std::function<void()>& f) {
  if (MenuMuto()) return;
  try {
    f();
  } catch (const vb::Errore& e) {
    if (e.Number() == 5) MenuMuto() = true;
  } catch (...) {
  }
}

// The class of a prefix letter: g general, f supplier, c customer.
std::string Lettera(const std::string& testo) {
  const std::string l = vb::LCase(vb::Left(testo, 1));
  if (l == "g") return "1";
  if (l == "c") return "3";
  if (l == "f") return "2";
  return {};
}

std::string IniBase(const std::string& chiave) {
  std::string valore;
  FunVarie::LeggiParIni("Base", chiave, "", valore);
  return valore;
}

}  // namespace

vb::Variant CalcTipoConto(const std::string& psTipoConto, const std::string& psTesto, int16_t piTasto) {
  std::string s = psTipoConto;
  const vb::Variant v(s);
  if (!s.empty() && v.IsNumeric()) {
    const double n = v.ToDouble();
    if (n >= 0) return s;
    if (piTasto == 113) {
      if (vb::Trim(s) == "-4") return std::string("0");
      return vb::Variant(-n);
    }
    const std::string c = Lettera(psTesto);
    return c.empty() ? std::string("0") : c;
  }
  bool x = false;
  if (vb::UgualeTesto(vb::Left(s, 1), "x")) {
    s = vb::Mid(s, 2);
    x = true;
  }
  std::string c = "0";
  if (s.empty() || !Lettera(s).empty()) {
    if (!s.empty()) c = Lettera(s);
    s = s.empty() ? s : vb::Mid(s, 2);
  }
  if (piTasto == 113) return x ? std::string("0") : s;
  if ((c != "0" && c == s) || (x && s == vb::Left(psTesto, 1))) return c;
  const std::string t = Lettera(psTesto);
  return t.empty() ? c : t;
}

vb::Variant ApriAiuto(const std::string& psTipo, ui::Controllo& pgCodice, ui::Controllo* pgDescr, int16_t piTasto,
                      const aiuti::ChiaveAgg& pvParAgg, int16_t& piScelto, const std::string& psColonneAgg,
                      int16_t piOpzAiuto, const std::string& psFiltro) {
  if (piTasto > -1 && (piTasto < 113 || piTasto > 123)) return vb::Variant();
  MenuMuto() = false;
  const auto& fc = vb::FunzioniComuni::Istanza();
  aiuti::AiutiDecodifica& lib = Libreria();
  Globali& g = G();
  const bool conto = vb::UgualeTesto(psTipo, "Conto");

  // Each reading is skipped on its own when it fails: one setting the menu
  // cannot give leaves the others in place.
  std::string chiave = psTipo + "Campi";
  if (conto) {
    IgnoraMenu([&] {
      const std::string stated = pvParAgg.Mancante() ? std::string() : servizi::Testo(pvParAgg.Valore(0));
      std::string classe = servizi::Testo(CalcTipoConto(stated, pgCodice.Text(), piTasto));
      if (classe == "0") classe.clear();
      chiave += classe;
    });
    IgnoraMenu([&] { lib.Parametri().ovLeggiPar("CFHelpRic11", servizi::ParPers("Tutti", "CFHelpRic11")); });
    IgnoraMenu([&] { lib.Parametri().ovLeggiPar("CFHelpRic12", servizi::ParPers("Tutti", "CFHelpRic12")); });
  }
  std::string elenco;
  IgnoraMenu([&] { elenco = servizi::Testo(servizi::ParPers("Help", chiave)); });
  if (conto && fc.Vuoto(vb::Variant(elenco)))
    IgnoraMenu([&] { elenco = servizi::Testo(servizi::ParPers("Help", "ContoCampi")); });
  if (vb::Left(elenco, 4) == ",No,") elenco.clear();
  const std::string colonne = psColonneAgg + elenco;
  IgnoraMenu([&] {
    lib.Risultato().ogComlin.ovLeggiPar(
        "ForzaPassThrough", vb::UgualeTesto(servizi::Testo(servizi::ParPers("Help", "SQLPass" + psTipo)), "S"));
  });
  const long colBackOk = lib.Parametri().olColBackOk;
  lib.Parametri().olColBackOk = g.glColBackGotFocus;
  for (const char* m : {"MargSopra", "MargSotto", "MargSin", "MargDestra"}) lib.Risultato().ogComlin.ovLeggiPar(m, 0);

  auto immaginiSpente = [&] {
    lib.ImpParam("MostraImg", 12, false);
    lib.Risultato().ovLeggiPar("MostraImg", false);
  };
  if (vb::UgualeTesto(psTipo, "Articolo")) {
    IgnoraMenu([&] {
      if (g.gsImmaginiArt.empty()) {
        g.gsImmaginiArt = servizi::Testo(servizi::ParPers("Articoli", "Immagini", vb::Variant("N")));
        if (g.gsImmaginiArt == "S") {
          std::string cartella = IniBase("DirImgArt");
          if (cartella.empty()) cartella = IniBase("DirImmagini");
          // A relative folder hangs from the database's drive.
          if (vb::Mid(cartella + "  ", 2, 1) != ":" && vb::Left(cartella, 2) != "\\\\")
            cartella = fc.ComponiPercorso("", IniBase("DriveDB"), cartella);
          g.gsDirImgArt = cartella;
        }
      }
    });
    if (g.gsImgDove.empty()) {
      IgnoraMenu([&] {
        g.gdImgRapVertOriz = fc.ValDouble(servizi::ParPers("Articoli", "ImgRapVertOriz", vb::Variant("0")));
      });
      IgnoraMenu([&] {
        g.gbImgDimReali =
            vb::UgualeTesto(servizi::Testo(servizi::ParPers("Articoli", "ImgDimReali", vb::Variant("S"))), "S");
      });
      IgnoraMenu([&] { g.gsImgDove = servizi::Testo(servizi::ParPers("Articoli", "ImgDove", vb::Variant("D"))); });
      IgnoraMenu([&] {
        const bool sopraSotto = vb::UgualeTesto(g.gsImgDove, "A") || vb::UgualeTesto(g.gsImgDove, "B");
        const long meta = (sopraSotto ? ui::Screen().Height : ui::Screen().Width) / 2;
        const long spazio =
            fc.ValLong(servizi::ParPers("Articoli", "ImgSpazio", vb::Variant(sopraSotto ? "2000" : "5000")));
        g.glImgSpazio = fc.ValLong(fc.Minimo({vb::Variant(static_cast<int32_t>(meta)), vb::Variant(spazio)}));
      });
    }
    if (g.gsImmaginiArt == "S") {
      Ignora([&] {
        lib.ImpParam("MostraImg", 12, true);
        lib.Risultato().ovLeggiPar("MostraImg", true);
        lib.ImpParam("DoveMostraImg", 12, g.gsImgDove);
        const char* margine = vb::UgualeTesto(g.gsImgDove, "A")   ? "MargSopra"
                              : vb::UgualeTesto(g.gsImgDove, "B") ? "MargSotto"
                              : vb::UgualeTesto(g.gsImgDove, "S") ? "MargSin"
                                                                   : "MargDestra";
        lib.Risultato().ogComlin.ovLeggiPar(margine, static_cast<int32_t>(g.glImgSpazio));
        lib.ImpParam("NomeColImg", 12, "Immagine");
        lib.ImpParam("DirImgArt", 12, g.gsDirImgArt);
        lib.ImpParam("ImgRapVertOriz", 12, g.gdImgRapVertOriz);
        lib.ImpParam("ImgDimReali", 12, g.gbImgDimReali);
      });
    }
  } else {
    immaginiSpente();
  }
  Ignora([] { FunVarie::NascondiFormNoHelp(); });

  vb::Variant ris;
  try {
    ris = lib.ApriRicerca(psTipo, pgCodice, pgDescr, piTasto, ui::Screen().ActiveForm, pvParAgg, piScelto,
                          piOpzAiuto, colonne, psFiltro);
  } catch (...) {
    lib.Parametri().olColBackOk = colBackOk;
    immaginiSpente();
    throw;
  }
  lib.Parametri().olColBackOk = colBackOk;
  immaginiSpente();
  return ris;
}

}  // namespace AziendaUtil
