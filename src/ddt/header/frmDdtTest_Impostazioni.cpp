// The settings the header's load reads, once, in a fixed order: personal
// parameters of the user, the terminal lists, company parameters, the
// quantity mask, the personal insert order and the columns of the line
// grid. Any reader that fails (the menu server does not answer) raises to
// the load, which then fails as a whole.
#include "common/AziendaUtil.h"
#include "common/Globali.h"
#include "common/ParametriMenu.h"
#include "ddt/header/frmDdtTest.h"
#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "services/Impostazioni.h"
#include "services/LatoMenu.h"

namespace {

const vb::FunzioniComuni& Fc() { return vb::FunzioniComuni::Istanza(); }

vb::Variant Pers(const std::string& psSezione, const std::string& psNome, const vb::Variant& pvDefault) {
  return servizi::ParPers(psSezione, psNome, pvDefault);
}

std::string PersTesto(const std::string& psSezione, const std::string& psNome, const std::string& psDefault) {
  return servizi::Testo(Pers(psSezione, psNome, vb::Variant(psDefault)));
}

int16_t PersNumero(const std::string& psSezione, const std::string& psNome, const vb::Variant& pvDefault) {
  return Fc().ValInt(Pers(psSezione, psNome, pvDefault));
}

bool FlagS(const std::string& psValore) { return vb::UgualeTesto(psValore, "S"); }

// A list closed by its separator, so that every item, the last included,
// is followed by it.
std::string ChiudiElenco(std::string psElenco, const std::string& psSep, bool pbTrim) {
  if (pbTrim) psElenco = vb::Trim(psElenco);
  if (!psElenco.empty() && vb::Right(psElenco, 1) != psSep) psElenco += psSep;
  return psElenco;
}

// True when this terminal is named in the ";" list of disabled terminals
// that the setting psNome of section "Ddt" holds.
bool TerminaleInElenco(const std::string& psNome) {
  const std::string terminale = servizi::TerminaleMenu();
  const std::string elenco = PersTesto("Ddt", psNome, "");
  bool inAbil = false, inDisab = false;
  return !LoginTerminali::VerifTerminale(terminale, "", elenco, inAbil, inDisab).ToBool();
}

}  // namespace

void frmDdtTest::LeggiImpostazioni() {
  Globali& g = G();
  mbInRipEvasione = false;
  msMatrTipOpe.clear();
  msLottoTipOpe.clear();
  msPagamentoDoc.clear();
  msDicIntentiCli.clear();

  // ---- levels and the line window
  miPosPicLiv = PersNumero("Livelli", "PosPicLiv", vb::Variant("4"));
  if (miPosPicLiv < 0 || miPosPicLiv > 4) miPosPicLiv = 4;
  miCodBarLunArt = PersNumero("Livelli", "CodBarLunArt", vb::Variant("7"));
  if (miCodBarLunArt < 1) miCodBarLunArt = 7;
  msLiv1VertOriz = PersTesto("Livelli", "Liv1VertOriz", "O");
  if (!vb::UgualeTesto(msLiv1VertOriz, "V")) msLiv1VertOriz = "O";

  // ---- quantities, weight, barred customers
  g.gsQtaDef = PersTesto("Ddt", "QtaDef", "");
  msCalcolaPeso = PersTesto("Ddt", "CalcolaPeso", "");
  msCalcolaPesoUm = ChiudiElenco(PersTesto("Ddt", "CalcolaPesoUm", ""), ";", false);
  msCalcolaPesoLordo = PersTesto("Ddt", "CalcolaPesoLordo", "S");
  msInibCliAttr.clear();
  msInibClienti = PersTesto("Ddt", "InibClienti", "");
  msInibCliValori.clear();
  Fc().Dividi(msInibClienti, ",", msInibCliValori);
  if (msInibCliValori.size() > 1 && vb::Mid(msInibCliValori[1], 2, 1) == "/") {
    msInibCliAttr = vb::Left(msInibCliValori[1], 1);
    msInibCliValori[1] = vb::Mid(msInibCliValori[1], 3);
  }

  // ---- this terminal: price entry and prices shown
  g.gbDisabTermPrz = TerminaleInElenco("DisabTermPrz");
  g.gbDisabTermVisPrz = TerminaleInElenco("DisabTermVisPrz");

  msCodIvaDef = PersTesto("Ddt", "CodIvaDef", "");
  msInizioAvvisoCliente = PersTesto("Note", "InizioAvvisoCliente", "");
  // Converted as the legacy did: a value that is no number fails the load.
  miRidPercAgenti = Pers("Tutti", "RidPercAgenti", vb::Variant(int16_t{-1})).ToInt();
  mbRicPartLotti = FlagS(PersTesto("DDT", "RicPartLotti", ""));
  msCauzAttNoCalc = PersTesto("Articoli", "CauzAttNoCalc", "N");
  msMascQtaDett = Fc().MascheraNum(vb::Variant(0), g.giNumDecQta, "0", true, "#,##0", 0, "", "^");
  msRicalcColli = PersTesto("Vendite", "RicalcColli", "N");

  // ---- serial numbers
  mbMatrGest = FlagS(PersTesto("Tutti", "MatrGest", "N"));
  miMatrLungMin = PersNumero("Tutti", "MatrLungMin", vb::Variant(int16_t{0}));
  msMatrUnica = PersTesto("Tutti", "MatrUnica", "C");
  msMatrSegnTipOpe = PersTesto("Tutti", "MatrSegnTipOpe", "S");
  msMatrGuastoNoScar = PersTesto("Tutti", "MatrGuastoNoScar", "S");
  mbSpesaClieAutom = FlagS(PersTesto("Fatture", "SpesaClieAutom", "N"));
  msMatrCausaliRientro = ChiudiElenco(PersTesto("Tutti", "MatrCausaliRientro", ""), ",", true);
  msMatrCausaliNoMovCar = ChiudiElenco(PersTesto("Tutti", "MatrCausaliNoMovCar", ""), ",", true);
  msNoRaeeAutom = ChiudiElenco(PersTesto("Magazzino", "NoRaeeAutom", ""), ",", true);

  // ---- lots
  mbTracQtaDivBloc = FlagS(PersTesto("Rintraccia", "QtaDivBloc", ""));
  miTracQtaVer = PersNumero("Rintraccia", "QtaVer", vb::Variant(int16_t{1}));
  msDefParDaClassi = PersTesto("Rintraccia", "DefParDaClassi", "");
  msLottiCausaliNoMovCar = ChiudiElenco(PersTesto("Rintraccia", "LottiCausaliNoMovCar", ""), ",", true);
  msModVisLotti = PersTesto("Rintraccia", "ModVisLotti", "P");
  msVisLottiOrd = PersTesto("Rintraccia", "VisLottiOrd", "D");
  mbVisLottiScad = FlagS(PersTesto("Rintraccia", "VisLottiScad", "S"));

  // ---- the page and the order of the fields while a new DDT is typed
  miPagIns = PersNumero("Ddt", "GestFoldIns", vb::Variant(int16_t{-1}));
  LeggiOrdIns();

  // ---- the line window's order and columns, the header grid's columns
  msDettOrdIns = PersTesto("Ddt", "DettOrdIns", "");
  msDettOrdInsTab = PersTesto("Ddt", "DettOrdInsTab", "");
  msDettOrdCol = PersTesto("Ddt", "DettOrdCol", "");
  const std::string& dett = g.gsTabDett;
  msColFisseCap = {"", "UM", "Quantità", "Prz_Unitario", "Prz_Totale", "Sconto"};
  msColFisseEspr = {"", dett + ".UM", dett + ".Qta", dett + ".ValUnitario", dett + ".ValTotale", dett + ".ScontoTot"};
  msDettOrdColTest = PersTesto("Ddt", "DettOrdColTest", "");
  if (msDettOrdColTest.empty()) msDettOrdColTest = msDettOrdCol;
  if (!msDettOrdColTest.empty())
    DettOrdCol();
  else
    mbColPersTest = false;

  // ---- carrier plate, price lists, deposits, the list window
  mbMemTargaVet = FlagS(PersTesto("DDT", "MemTargaVet", ""));
  mbCercaListBase = FlagS(PersTesto("Tutti", "CercaListBase", "N"));
  msListinoPrinc = servizi::Testo(servizi::ParamDitta("Mag.ListinoPrincipale", vb::Variant("")));
  msListinoPrincIvato.clear();
  // An empty code has no row to read.
  if (!Fc().Vuoto(vb::Variant(msListinoPrinc))) {
    vb::Variant ivato;
    AziendaUtil::LeggiCampoDecod("Listino", vb::Variant(msListinoPrinc), ivato, {}, 0, 8, "Ivato");
    msListinoPrincIvato = servizi::Testo(ivato);
  }
  msCauzAttNoSconti = PersTesto("Articoli", "CauzAttNoSconti", "N");
  msClasseRegConf = PersTesto("Conferim", "ClasseRegConf", "");
  msMagaNoGiac = ChiudiElenco(PersTesto("Tutti", "MagaNoGiac", ""), ",", false);
  mbGestVuotiCauz = FlagS(PersTesto("DDT", "GestVuotiCauz", ""));
  msListaOrdin = PersTesto("DDT", "ListaOrdin", "");
  mbColliDec = FlagS(PersTesto("Tutti", "ColliDec", ""));
  const bool diBa = vb::UgualeTesto(servizi::Testo(servizi::ParamDitta("Ditta.InstDiBa", vb::Variant(""))), "S");
  if (!diBa) {
    for (int n : {1430, 1435, 1440, 1445}) {
      label1(n).SetVisible(false);
      lab(n).SetVisible(false);
    }
  }

  // ---- two-step settings: the first section's answer is the default of "DDT"
  auto dueSezioni = [](const std::string& psSezione, const std::string& psNome, const std::string& psDefault) {
    const std::string primo = PersTesto(psSezione, psNome, psDefault);
    return FlagS(PersTesto("DDT", psNome, primo));
  };
  mbLivGestTab = dueSezioni("Livelli", "GestTab", "S");
  mbLivelliInsGest = dueSezioni("Livelli", "NuovoGest", "S");
  mbCodBarSalva = dueSezioni("CodBar", "CodBarSalva", "N");

  // ---- declarations of intent, the document number check
  mbDicIntentiTest = AziendaUtil::EsisteCampo(vb::Variant(g.gsTabTest), vb::Variant("PdcDicIntenti"));
  mbDicIntentiValDef = !vb::UgualeTesto(PersTesto("Ddt", "DicIntentiValDef", "S"), "N");
  msDicIntentiCalcRes = PersTesto("Ddt", "DicIntentiCalcRes", "");
  if (msDicIntentiCalcRes.empty()) msDicIntentiCalcRes = PersTesto("Tutti", "DicIntentiCalcRes", "O");
  mbNonContrSucc = FlagS(PersTesto("DDT", "NonContrSucc", ""));
}

void frmDdtTest::LeggiOrdIns() {
  miOrdInsCampi.clear();
  miOrdInsTab.clear();
  miOrdInsPrec.clear();
  std::vector<std::string> voci;
  const std::string ordine = PersTesto("Ddt", "GestOrdIns", "");
  if (!ordine.empty()) {
    const long n = Fc().Dividi(ordine, ",", voci);
    for (long i = 1; i <= n; ++i) miOrdInsCampi.push_back(Fc().ValInt(vb::Variant(voci[static_cast<size_t>(i)])));
    mbOrdIns = true;
  } else {
    const std::string ordineTab = PersTesto("Ddt", "GestOrdInsTab", "");
    if (ordineTab.empty()) {
      mbOrdIns = false;
      return;
    }
    mbOrdIns = true;
    const long n = Fc().Dividi(ordineTab, ",", voci);
    for (long i = 1; i <= n; ++i) {
      const int16_t tab = Fc().ValInt(vb::Variant(voci[static_cast<size_t>(i)]));
      int16_t campo = tab;
      for (int indice : Indici("txt")) {
        if (C("txt", indice).TabIndex() == tab) {
          campo = static_cast<int16_t>(indice);
          break;
        }
      }
      miOrdInsCampi.push_back(campo);
    }
  }
  // A field number that no box of the window has fails the load here.
  for (int16_t campo : miOrdInsCampi) miOrdInsTab.push_back(static_cast<int16_t>(txt(campo).TabIndex()));
  for (size_t k = 0; k < miOrdInsCampi.size(); ++k) {
    const int16_t sotto = k == 0 ? int16_t{-1} : miOrdInsTab[static_cast<size_t>(miOrdInsPrec[k - 1])];
    miOrdInsPrec.push_back(AziendaUtil::CercaCampoPrec(sotto, *this, miOrdInsCampi).ToInt());
  }
}
