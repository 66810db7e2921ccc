// The company settings and the delivery-note program's own, read once at
// start-up into the program-wide variables.
#include <cmath>

#include "common/AziendaUtil.h"
#include "common/FunVarie.h"
#include "common/Globali.h"
#include "common/mainDdt.h"
#include "common/utilprg.h"
#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/menu/ClientMenu.h"
#include "platform/menu/ContestoProgramma.h"

namespace {

const vb::FunzioniComuni& Fc() { return vb::FunzioniComuni::Istanza(); }

menu::ClientMenu& Client() {
  auto& c = G().goMenuClient;
  if (!c) vb::Solleva(91, "Variabile oggetto non impostata: goMenuClient");
  return *c;
}

vb::Variant Param(const std::string& nome) { return Client().LeggiParam(nome, ""); }

std::string Testo(const vb::Variant& v) { return v.IsEmpty() || v.IsNull() ? std::string() : v.ToString(); }

std::string ParamODefault(const std::string& nome, const std::string& def) {
  const vb::Variant v = Param(nome);
  return Fc().Vuoto(v) ? def : Testo(v);
}

std::string Pers(const std::string& sezione, const std::string& nome, const std::string& def) {
  return Testo(AziendaUtil::LeggiParPers(sezione, nome, vb::Variant(def)));
}

std::string Ini(const std::string& sezione, const std::string& chiave, const std::string& def, int* letti = nullptr) {
  std::string v;
  const std::string n = FunVarie::LeggiParIni(sezione, chiave, def, v);
  if (letti) *letti = std::stoi(n);
  return v;
}

// The three kinds of display mask for a number of decimals.
struct Maschere {
  std::string semplice, var, zero;
};
Maschere Maschera(int decimali) {
  const auto& fc = Fc();
  return {fc.MascheraNum(0, decimali, {}, true, "#,###", 0, "", "^"),
          fc.MascheraNum(0, decimali, "#", true, "#,###", 0, "", "^"),
          fc.MascheraNum(0, decimali, {}, true, "#,##0", 0, "", "0")};
}

// A colour parameter: the default for an empty text, else the number (the
// legacy "&H" notation included); anything else is an error.
long Colore(const std::string& nome, long def) {
  const vb::Variant v = Param(nome);
  if (v.IsString() && v.StringPtr()->empty()) return def;
  if (v.IsString() && vb::UgualeTesto(vb::Left(*v.StringPtr(), 2), "&H"))
    return static_cast<long>(vb::Val(*v.StringPtr()));
  return v.ToLong();
}

// Is this terminal in the list of maximised terminals? The list names
// terminals each followed by a comma; "tutti" maximises everywhere.
bool TerminaleMassimizzato(std::string elenco, const std::string& terminale) {
  if (vb::Right(elenco, 1) != ",") elenco += ",";
  if (vb::UgualeTesto(elenco, "tutti,")) return true;
  // Item by item: a name that merely ends with this terminal's name, or an
  // empty name, is no match.
  for (const std::string& voce : vb::Split(elenco, ",")) {
    const std::string v = vb::Trim(voce);
    if (!v.empty() && vb::UgualeTesto(v, vb::Trim(terminale))) return true;
  }
  return false;
}

}  // namespace

namespace AziendaUtil {

void LeggiParamDitta() {
  Globali& g = G();
  menu::ClientMenu& client = Client();
  // 1. Working date and company.
  g.gtDataLavoro = client.DataLavoro().ToDate();
  g.gsDescAzie = Testo(Param("DescAzie"));
  // 2. Currencies.
  g.gsMonetaDitta = ParamODefault("Ditta.Moneta", "Euro");
  g.gsCodLira = ParamODefault("Ditta.CodLira", "L.");
  g.gsCodEuro = ParamODefault("Ditta.CodEuro", "Euro");
  g.gsOperCambio = ParamODefault("Ditta.OperCambio", "/");
  g.gsCambioLiraEuro = ParamODefault("Ditta.CambioLiraEuro", "1936,27");
  // 3-4. Decimals and masks of lire and euro.
  std::string oper, cee;
  int16_t gest = 2, dec = 2;
  LeggiMoneta(g.gsCodLira, &gest, &dec, oper, cee);
  g.giNumDecLire = dec;
  g.giNumDecGestLire = gest;
  Maschere m = Maschera(g.giNumDecLire);
  g.gsMascLire = m.semplice, g.gsMascLireVar = m.var, g.gsMascLireZero = m.zero;
  m = Maschera(g.giNumDecGestLire);
  g.gsMascLireGest = m.semplice, g.gsMascLireGestVar = m.var, g.gsMascLireGestZero = m.zero;
  gest = 2, dec = 2;
  LeggiMoneta(g.gsCodEuro, &gest, &dec, oper, cee);
  g.giNumDecEuro = dec;
  g.giNumDecGestEuro = gest;
  m = Maschera(g.giNumDecEuro);
  g.gsMascEuro = m.semplice, g.gsMascEuroVar = m.var, g.gsMascEuroZero = m.zero;
  m = Maschera(g.giNumDecGestEuro);
  g.gsMascEuroGest = m.semplice, g.gsMascEuroGestVar = m.var, g.gsMascEuroGestZero = m.zero;
  // 5. The company currency: the lira, or else the euro.
  if (vb::UgualeTesto(g.gsMonetaDitta, g.gsCodLira)) {
    g.giNumDecMoneta = g.giNumDecLire;
    g.giNumDecGestMoneta = g.giNumDecGestLire;
    g.gsMascMoneta = g.gsMascLire, g.gsMascMonetaVar = g.gsMascLireVar, g.gsMascMonetaZero = g.gsMascLireZero;
    g.gsMascMonetaGest = g.gsMascLireGest, g.gsMascMonetaGestVar = g.gsMascLireGestVar,
    g.gsMascMonetaGestZero = g.gsMascLireGestZero;
  } else {
    g.giNumDecMoneta = g.giNumDecEuro;
    g.giNumDecGestMoneta = g.giNumDecGestEuro;
    g.gsMascMoneta = g.gsMascEuro, g.gsMascMonetaVar = g.gsMascEuroVar, g.gsMascMonetaZero = g.gsMascEuroZero;
    g.gsMascMonetaGest = g.gsMascEuroGest, g.gsMascMonetaGestVar = g.gsMascEuroGestVar,
    g.gsMascMonetaGestZero = g.gsMascEuroGestZero;
  }
  // 6. Quantity decimals for the stock and price services.
  g.giNumDecQtaMag = Fc().ValInt(Param("Mag.NumDecQta"));
  // 7. Colours.
  g.glColoreErrore = 255;
  g.glColoreSfondo = 0x80000005L;
  g.glColoreTesto = 0x80000008L;
  g.glColoreTestoDisab = 0x80000011L;
  g.glColBackGotFocus = Colore("ColBackGotFocus", 0xFFFF80L);
  g.glColBacklostFocus = Colore("ColBacklostFocus", 0x80000005L);
  g.glColBackForm = std::lround(Fc().ValDouble(vb::Variant(Pers("Tutti", "ColBackForm", "0"))));
  // 8. Window state of this terminal.
  g.gsStatoFinestra = TerminaleMassimizzato(Pers("Tutti", "Massimizzato", ""), client.Terminale()) ? "2" : "";
  // 9. Personal options.
  g.gsArrotIvaEuro = Pers("Tutti", "ArrotIvaEuro", "A");
  g.gsTastierinoVirgola = Pers("Tutti", "TastierinoVirgola", "");
  g.gsDecodHelpAbil = Pers("Tutti", "DecodHelpAbil", "N");
  g.gbDecodHelpPersKey = vb::UgualeTesto(Pers("Tutti", "DecodHelpPersKey", "N"), "S");
  g.giDecodInCorso = 0;
  // 10. The direct handle on the company database.
  g.goDbDao = utilprg::ApriDbDao(g.gsNomeDBAzie, Testo(Param("SqlLogin")), Testo(Param("SqlPwd")));
  // 11. Date format.
  g.gsFormatData = Ini("Configurazioni", "FormatData", "dd/mm/yyyy");
  // 12. Program context.
  if (!g.goContesto) g.goContesto = std::make_shared<menu::ContestoProgramma>();
  g.goContesto->ImpAttivo(true);
  g.goContesto->ClientMenu(g.goMenuClient);
  // 13. Barcode types, their level prefixes read on first use.
  g.gsVetTipoBarCode = {"", "12", "39", "13", "E8", "UA"};
  for (size_t i = 1; i < g.gsVetCodIniLiv.size(); ++i) g.gsVetCodIniLiv[i] = Globali::kCodIniLivNonLetto;
  // 14.
  g.gbNoRitornoMenu = false;
}

}  // namespace AziendaUtil

namespace mainDdt {

void PrepParamDdt() {
  Globali& g = G();
  AziendaUtil::LeggiParamDitta();
  g.gsTabTest = "DdtTest";
  g.gsTabDett = "DdtDett";
  g.gsTabLiv = "DdtLiv";
  g.gsTabSpese = "DdtSpese";
  g.gsTabDettApp = "DdtDettApp";
  g.gsTabLivApp = "DdtLivApp";
  g.gsTabMatr = "DdtMatr";
  g.gsTabMatrApp = "DdtMatrApp";
  g.gsTabRintraccia = "DdtRintraccia";
  g.gsTabRintracciaApp = "DdtRintracciaApp";
  g.gsTabNumer = "NumerDdt";
  g.gsTipoDoc = "D";
  g.gsNomeDoc = "Il DDT";
  g.giNumDecQta = Fc().ValInt(Param("Mag.NumDecQta"));
  g.gsMascQtaVar = Fc().MascheraNum(0, g.giNumDecQta, "#", true, "#,##0", 0, "", "^");
  g.gsMascQta = Fc().MascheraNum(0, g.giNumDecQta, {}, true, "#,###", 0, "", "^");
  g.giKeyRicDdt = Fc().ValInt(Param("Mag.KeyRicDDT"));
  g.gsGesArtFor = Testo(Param("Mag.GesArtFor"));
  g.gsGesTaglie = Testo(Param("Mag.GesTaglie"));
  // Reorder files, only when a folder is configured.
  g.gsDaOrdi = Pers("Ddt", "DaOrdi", "");
  g.gsDirDaOrdi.clear();
  if (vb::LCase(g.gsDaOrdi) == "s") {
    const std::string drive = Ini("Base", "DriveDB", "");
    int letti = 0;
    std::string dir = Ini("Base", "DirDaOrdi", "", &letti);
    if (letti == 0) dir = Ini("Base", "DirCarica", "", &letti);
    if (letti > 0) {
      if (vb::Left(dir, 2) != "\\\\" && vb::Mid(dir, 2, 1) != ":") dir = drive + dir;
      g.gsDirDaOrdi = dir;
    } else {
      g.gsDaOrdi = "n";
    }
  }
  g.gsPartitaEnse = Pers("Ddt", "PartitaEnse", "");
  g.gsDescPersTest1 = Pers("Ddt", "DescPersTest1", "");
  g.gsDescPersTest2 = Pers("Ddt", "DescPersTest2", "");
  g.gsDescPersTest3 = Pers("Ddt", "DescPersTest3", "");
  g.gsDescPersDet1 = Pers("Ddt", "DescPersDet1", "");
  g.gsDescPersDet2 = Pers("Ddt", "DescPersDet2", "");
  g.gsDescPersDet3 = Pers("Ddt", "DescPersDet3", "");
  g.gsDescPersDet4 = Pers("Ddt", "DescPersDet4", "");
  g.gsScoZona = Pers("Ddt", "ScoZona", "");
  g.gbArrUnitIntermedio = vb::UCase(Pers("Tutti", "ArrUnitIntermedio", "N")) == "S";
  g.gsParagLettFile = Ini("NomiParagLettFile", "DDT", "LettArtDafile");
  g.gsParagLettFileMatr = Ini("NomiParagLettFileMatr", "DDT", "LettMatrDafile");
}

}  // namespace mainDdt
