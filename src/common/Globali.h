#pragma once
// Program-wide variables. Each is set once during start-up and read
// afterwards; tests reset them all with AzzeraGlobali().
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/Variant.h"

namespace dati {
class GestDatabase;
class GestRecordset;
}
namespace menu {
class ClientMenu;
class ContestoProgramma;
}
namespace ui {
class Form;
}
namespace utilprg {
struct DatabaseDao;
}
namespace aiuti {
class AiutiDecodifica;
}
class scMenuComandiClie;
class frmPrincipale;

struct Globali {
  // The suite ini "velnor.ini" and the database's own ini ("" when none):
  // the only two ini files every read and write goes to.
  std::string gsFileIni;
  std::string gsFileIniDb;

  // The company database manager and the key of the company connection.
  std::shared_ptr<dati::GestDatabase> goDbAzienda;
  std::string gsConnAzienda;

  // Currencies (company settings, each replaced by its default when the
  // menu gives an empty value): company currency, lira and euro codes, the
  // lira/euro rate as text with the decimal comma and its operator.
  std::string gsMonetaDitta = "Euro";
  std::string gsCodLira = "L.";
  std::string gsCodEuro = "Euro";
  std::string gsOperCambio = "/";
  std::string gsCambioLiraEuro = "1936,27";
  // Decimals of amounts and of unit values (table Monete; 2 when the
  // currency row is missing); "Moneta" copies those of the company currency.
  int16_t giNumDecLire = 2;
  int16_t giNumDecGestLire = 2;
  int16_t giNumDecEuro = 2;
  int16_t giNumDecGestEuro = 2;
  int16_t giNumDecMoneta = 2;
  int16_t giNumDecGestMoneta = 2;
  // Personal "ArrotIvaEuro" of "Tutti": "S" rounds VAT by direction.
  std::string gsArrotIvaEuro = "A";
  // Company "Mag.GesArtFor": "S" keeps per-supplier article data.
  std::string gsGesArtFor;

  // Who answers the company parameters by dotted name ("Fat.ScontoQta")
  // with a default: the menu server, once connected. Unset, every company
  // parameter reads as its default.
  std::function<vb::Variant(const std::string&, const vb::Variant&)> gfLeggiParam;

  // Barcode types and the level prefix of each, 1 to 5 (element 0 unused).
  // A prefix is read from the personal parameters the first time it is
  // needed; until then it holds the marker "not read yet".
  static constexpr const char* kCodIniLivNonLetto = "§ç°@^";
  std::array<std::string, 6> gsVetTipoBarCode{"", "12", "39", "13", "E8", "UA"};
  std::array<std::string, 6> gsVetCodIniLiv{"", kCodIniLivNonLetto, kCodIniLivNonLetto,
                                            kCodIniLivNonLetto, kCodIniLivNonLetto,
                                            kCodIniLivNonLetto};

  // Who answers the personal parameters (section, name, default) -> value:
  // the menu server, once the program is connected to it. Unset, every
  // personal parameter reads as its default.
  std::function<vb::Variant(const std::string&, const std::string&, const vb::Variant&)>
      gfLeggiParPers;

  // Prepares the splash window frmConn (loaded, the database picture
  // hidden) that the form framework shows while a form loads: set by the
  // start-up. Unset, forms load without a splash.
  std::function<ui::Form*()> gfPrepFrmConn;

  // ---- start-up, menu channel and shutdown (set once by the start-up)
  // Switches M and P: menu identifier, program key, and the window
  // identifier of this launch (the text after the first blank of P).
  // The whole command line (the legacy Command$), as the switches are read from it.
  std::string gsRigaComando;
  // The exit status of the run: not 0 once start-up has failed, so that
  // whoever started the program (the menu, a script) learns it.
  int giCodiceUscita = 0;
  std::string gsIdMenu;
  std::string gsKeyPrg;
  std::string gsParamPrg;
  // The menu-server client and its holder, the receiver of the menu
  // commands; the program context handed to the look-up library.
  std::shared_ptr<menu::ClientMenu> goMenuClient;
  std::shared_ptr<scMenuComandiClie> goMenuComandiClie;
  std::shared_ptr<menu::ContestoProgramma> goContesto;
  // The hidden main form (end check, deferred focus), loaded for the whole run.
  frmPrincipale* gfrmPrincipale = nullptr;
  // The look-up window of the look-up library, once it is set up.
  ui::Form* gfrmAiuto = nullptr;
  // The look-up library (scZelUtilPrg.ogZelAiuti), once it is set up.
  std::shared_ptr<aiuti::AiutiDecodifica> goZelAiuto;
  // Decoders and look-ups: personal "Articoli" / "NoDecInattivi" ("S"
  // leaves inactive articles undecoded), read the first time an article is
  // decoded; the article pictures of the look-up ("Immagini", "ImgDove",
  // "ImgRapVertOriz", "ImgDimReali", "ImgSpazio" and their folder), read at
  // the first article look-up. Empty until read.
  std::string gsNoDecInattivi;
  std::string gsImmaginiArt;
  std::string gsDirImgArt;
  std::string gsImgDove;
  double gdImgRapVertOriz = 0;
  bool gbImgDimReali = false;
  long glImgSpazio = 0;
  // Receiver of the e-invoice information of "FEInfo": a form that offers
  // oiFeInfo and FeInfoLetto by name; nobody registers one yet.
  ui::Form* goFeInfo = nullptr;
  std::string gsTipoIcone = "p";
  bool gbSuona = false;
  // Why the last close failed ("Maschera Modal"); the answer to a refused "fine".
  std::string gsMotivoNoChiudi;
  // True while closing on "fine" or after a form failed to load: a closing
  // form then returns neither to its launcher nor to the menu.
  bool gbNoRitornoMenu = false;
  // Primary and secondary key of the last program launched from here.
  std::string gsLanciaKeyPrim;
  std::string gsLanciaKeySec;
  // The client command the menu may ask for ("comandoprgclie").
  std::string gsComandoPrgClie;
  // Company database as the menu names it, and the passwords it hands over.
  std::string gsNomeDBAzie;
  std::string gsConnectDBAzie;
  std::string gsPwdDbAzie;
  std::string gsAccMenuPwd;
  std::string gsSepDecimali = ",";
  std::string gsSepOra = ":";
  // Direct handles on the company database and on the common database.
  std::shared_ptr<utilprg::DatabaseDao> goDbDao;
  std::shared_ptr<utilprg::DatabaseDao> goDbDaoMenu;
  // The common (menu) database: name, connect text, and its connection key
  // inside goDbAzienda ("" until first opened).
  std::string gsNomeDbMenu;
  std::string gsConnectDbMenu;
  std::string gsConnMenu;
  // Screen factors: -2 not set, -1 off, 0 automatic, above 0 the factor.
  double gdRisVidGenerale = 0;
  double gdRisVidBase = 0;
  double gdRisVidStaVid = 0;
  double gdRisVidMsgCom = 0;
  // The program's help file (switch H of the launch parameter).
  std::string gsFileHelp;
  std::string gsBeepCome;
  bool gbLisSpostaCurs = false;
  bool gbLisClickNoSel = false;
  // 1 while a list window prints its list (one list print at a time).
  int16_t giStaAtt = 0;
  std::string gsDataMinima = "01/01/1900";

  // ---- company settings
  vb::Date gtDataLavoro;
  std::string gsDescAzie;
  // Display masks of amounts and unit values: plain, Var and Zero kinds.
  std::string gsMascLire, gsMascLireVar, gsMascLireZero;
  std::string gsMascLireGest, gsMascLireGestVar, gsMascLireGestZero;
  std::string gsMascEuro, gsMascEuroVar, gsMascEuroZero;
  std::string gsMascEuroGest, gsMascEuroGestVar, gsMascEuroGestZero;
  std::string gsMascMoneta, gsMascMonetaVar, gsMascMonetaZero;
  std::string gsMascMonetaGest, gsMascMonetaGestVar, gsMascMonetaGestZero;
  int16_t giNumDecQtaMag = 0;
  // Colours (legacy RGB longs; system colours with the high bit set).
  long glColoreErrore = 255;
  long glColoreSfondo = 0x80000005L;
  long glColoreTesto = 0x80000008L;
  long glColoreTestoDisab = 0x80000011L;
  long glColBackGotFocus = 0xFFFF80L;
  long glColBacklostFocus = 0x80000005L;
  long glColBackForm = 0;
  // "2" maximises the forms on this terminal.
  std::string gsStatoFinestra;
  std::string gsTastierinoVirgola;
  std::string gsDecodHelpAbil = "N";
  bool gbDecodHelpPersKey = false;
  int16_t giDecodInCorso = 0;
  // The grid bookmark the line grids save while giDecodInCorso is 2.
  vb::Variant gvBookmarkDecod;

  // Document locks (ComLock): the recordsets of the lock rows held, each
  // under its key, the key of the default lock ("Standard"), and, by key,
  // the lock rows this program inserted under it (only those are released,
  // wherever the key's recordset has moved since).
  struct LockTenuto {
    std::string tipo;
    int16_t anno = 0;
    int32_t numReg = 0;
    std::string utente;
  };
  std::shared_ptr<dati::GestRecordset> goRecLock;
  std::string gsKeyRecLock;
  std::map<std::string, std::vector<LockTenuto>> gmLockTenuti;
  std::string gsFormatData = "dd/mm/yyyy";

  // ---- the delivery-note program's own settings
  std::string gsTabTest = "DdtTest";
  std::string gsTabDett = "DdtDett";
  std::string gsTabLiv = "DdtLiv";
  std::string gsTabSpese = "DdtSpese";
  std::string gsTabDettApp = "DdtDettApp";
  std::string gsTabLivApp = "DdtLivApp";
  std::string gsTabMatr = "DdtMatr";
  std::string gsTabMatrApp = "DdtMatrApp";
  std::string gsTabRintraccia = "DdtRintraccia";
  std::string gsTabRintracciaApp = "DdtRintracciaApp";
  std::string gsTabNumer = "NumerDdt";
  std::string gsTipoDoc = "D";
  std::string gsNomeDoc = "Il DDT";
  int16_t giNumDecQta = 0;
  std::string gsMascQta;
  std::string gsMascQtaVar;
  // Not 0: the article field of the lines searches by barcode (F9 switches).
  int16_t giKeyRicDdt = 0;
  std::string gsGesTaglie;
  std::string gsDaOrdi;
  std::string gsDirDaOrdi;
  std::string gsPartitaEnse;
  std::string gsDescPersTest1, gsDescPersTest2, gsDescPersTest3;
  std::string gsDescPersDet1, gsDescPersDet2, gsDescPersDet3, gsDescPersDet4;
  std::string gsScoZona;
  // Read by the header's load for the line and level windows: the default
  // quantity of a new line (personal "Ddt" / "QtaDef"), price entry
  // disabled and prices hidden on this terminal (the terminal is named in
  // "Ddt" / "DisabTermPrz", "Ddt" / "DisabTermVisPrz").
  std::string gsQtaDef;
  bool gbDisabTermPrz = false;
  bool gbDisabTermVisPrz = false;
  bool gbArrUnitIntermedio = false;
  std::string gsParagLettFile = "LettArtDafile";
  std::string gsParagLettFileMatr = "LettMatrDafile";
};

Globali& G();
void AzzeraGlobali();
