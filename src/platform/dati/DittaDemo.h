#pragma once
// The demonstration company: a small, coherent data set for an empty company
// database, shared by the ddt-db command (a database to run the program on)
// and by the tests of every subsystem (a known company to work against).
//
// Everything goes in through the legacy dialect of the data layer, in one
// transaction: either the whole company is there or nothing is. The codes
// and amounts below are those the data set holds, so that a test can name
// "the customer with the evaded DDT" or "the article with two levels"
// without repeating literals.
//
// In short: currencies (euro, lira, dollar), VAT codes 22/10/4, an exempt
// and a non-taxable one, payment terms with their kinds, three price lists
// (one VAT-inclusive) with a promotion, discount rules by quantity and by
// customer/category, a customer's own discount, rounding bands, customers
// with a destination address, suppliers, revenue and purchase accounts,
// agents, carriers and the coded transport data, three warehouses and
// their causes, articles without
// levels, with one level and with two, a serial-number article and a lot
// article, their barcodes, lots, load and sale movements with the stock and
// cost progressives they imply, a customer order, and four DDTs: evaded into
// an invoice, printed, editable (with a lot row, a promotion, an exempt line
// and a line taken from the order) and an internal transfer.
#include <string>

namespace dati {

class GestDatabase;

// Fills the empty company database open under `chiave` (schema already
// created) with the demonstration company. Refuses (error 5, nothing
// written) a database that already holds DDTs, accounts or articles; any
// other failure rolls everything back and is raised to the caller.
void CreaDittaDemo(GestDatabase& db, const std::string& chiave);
// The serial history and the batch/lot pairs (DittaDemo_Matricole.cpp).
void DittaDemoMatricole(GestDatabase& db, const std::string& chiave);

namespace demo {

// The year of every document, movement and progressive.
inline constexpr int kAnno = 2026;

// ---- currencies (Monete); the lira rate itself is a company parameter
inline constexpr const char* kEuro = "Euro";
inline constexpr const char* kLira = "L.";
inline constexpr const char* kDollaro = "USD";
inline constexpr int kDecimaliEuro = 2;
inline constexpr int kDecimaliGestEuro = 3;
inline constexpr int kDecimaliLira = 0;
inline constexpr double kCambioLiraEuro = 1936.27;

// ---- VAT codes (TabIva)
inline constexpr const char* kIva22 = "22";
inline constexpr const char* kIva10 = "10";
inline constexpr const char* kIva4 = "4";
inline constexpr const char* kIvaEsente = "E10";       // exempt, art. 10 (nature N4)
inline constexpr const char* kIvaNonImponibile = "N41"; // intra-EU supply, art. 41 (N3.2)
inline constexpr const char* kIvaEsclusa = "E15";       // excluded, art. 15: the stamp duty's code

// ---- payment terms (Pagamenti) and kinds (PagTipi)
inline constexpr const char* kPagRimessaDiretta = "RD";
inline constexpr const char* kPagRiba30 = "RB30";       // one bank receipt, 30 days end of month
inline constexpr const char* kPagRiba3060 = "RB3060";   // two bank receipts, 30/60 days end of month
inline constexpr const char* kPagBonifico60 = "BB60";   // transfer 60 days from the document date
inline constexpr const char* kPagRiba3Rate = "RB90T";   // three receipts 30/60/90 days, VAT on the first
inline constexpr const char* kPagScontoCassa = "RDS2";  // cash with a 2% payment discount
inline constexpr const char* kPagTipoRiba = "RB";

// ---- price lists (Listini, ArtListini, ArtLisPromozioni)
inline constexpr const char* kListinoVendita = "01";
inline constexpr const char* kListinoIvato = "02";       // prices VAT included
inline constexpr const char* kListinoRivenditori = "03"; // its own discount 5, mode "S"
inline constexpr const char* kInizioListini = "2026-01-01";
inline constexpr const char* kInizioPromozione = "2026-12-01";
inline constexpr const char* kFinePromozione = "2026-12-31";

// ---- accounts (PianoConti): group, ledger, account as texts
inline constexpr const char* kGruppoClienti = "04";
inline constexpr const char* kMastroClienti = "01";
inline constexpr const char* kClienteSede = "0001";   // the company itself: internal transfers
inline constexpr const char* kCliente1 = "0012";      // Ferramenta Rossi: the evaded DDT
inline constexpr const char* kCliente2 = "0013";      // Boutique Eleganza: the printed DDT, discount 10
inline constexpr const char* kCliente3 = "0014";      // Alimentari Bianchi: the editable DDT
inline constexpr const char* kCliente4 = "0015";      // a private customer, VAT-inclusive list
inline constexpr const char* kCliente5 = "0016";      // a German customer, non-taxable supplies
inline constexpr const char* kContoCliente1 = "04010012";  // as typed in the header
inline constexpr const char* kContoCliente2 = "04010013";
inline constexpr const char* kContoCliente3 = "04010014";
// Customer 3's own discount (PianoConti.Sconto), on the editable DDT's
// header too: a new line there takes it as its customer discount.
inline constexpr const char* kScontoCliente3 = "2";
inline constexpr const char* kGruppoFornitori = "07";
inline constexpr const char* kMastroFornitori = "01";
inline constexpr const char* kFornitore1 = "0003";    // Utensilerie Lombarde: screws and drills
inline constexpr const char* kFornitore2 = "0004";    // Oleificio del Garda: oil lots, biscuits
inline constexpr const char* kFornitore3 = "0005";    // Maglificio Trevigiano: clothing
inline constexpr const char* kGruppoRicavi = "60";
inline constexpr const char* kMastroRicavi = "01";
inline constexpr const char* kContoRicaviMerci = "0001";
inline constexpr const char* kContoRicaviServizi = "0002";
inline constexpr const char* kMastroRimborsi = "02";
inline constexpr const char* kContoRimborsoTrasporto = "0001";
inline constexpr const char* kContoRimborsoIncasso = "0002";
inline constexpr const char* kContoRimborsoBolli = "0003";
inline constexpr const char* kCategoriaDettaglianti = "DET";
inline constexpr const char* kCategoriaRivenditori = "RIV";
inline constexpr const char* kIndSped = "001";        // destination of customers 1 and 3

// ---- masters of the header's coded fields
inline constexpr const char* kAgente1 = "A01";
inline constexpr const char* kAgente2 = "A02";
inline constexpr const char* kVettore1 = "V01";
inline constexpr const char* kVettore2 = "V02";
inline constexpr const char* kCauVendita = "01";
inline constexpr const char* kCauTrasferimento = "04";
inline constexpr const char* kAspettoScatole = "01";
inline constexpr const char* kTrasportoMittente = "01";
inline constexpr const char* kTrasportoVettore = "03";
inline constexpr const char* kResaFrancoDestino = "01";
inline constexpr const char* kBanca1 = "B01";
inline constexpr const char* kLinguaInglese = "EN";
inline constexpr const char* kSpesaTrasporto = "TRA";
inline constexpr const char* kSpesaIncasso = "INC";
inline constexpr const char* kSpesaImballo = "IMB";   // a percentage expense, used by no DDT

// ---- warehouses, causes, document types
inline constexpr const char* kMagCentrale = "01";
inline constexpr const char* kMagNegozio = "02";
inline constexpr const char* kMagDeposito = "03";
inline constexpr const char* kCausaleCarico = "CAR";
inline constexpr const char* kCausaleVendita = "VEN";
inline constexpr const char* kCausaleTrasferimento = "TRA";
inline constexpr const char* kCausaleReso = "RES";
inline constexpr const char* kCausaleInventario = "INV";
inline constexpr const char* kDocDdt = "DDT";
inline constexpr const char* kDocDdtInterno = "DDTI";
inline constexpr const char* kDocFattura = "FAT";
inline constexpr const char* kDocOrdine = "OC";

// ---- articles
inline constexpr const char* kArticoloViti = "VITE0410";      // no levels, quantity discounts
inline constexpr const char* kArticoloTaglie = "MAGLIA01";    // two levels: size and colour
inline constexpr const char* kArticoloUnLivello = "PANT01";   // one level, price per size
inline constexpr const char* kArticoloMatricole = "TRAPANO1"; // sold with serial numbers
inline constexpr const char* kArticoloLotti = "OLIO5L";       // lot traced, VAT 4
inline constexpr const char* kArticoloPromo = "BISCOTTI";     // VAT 10, December promotion
inline constexpr const char* kArticoloEsente = "CORSO01";     // an exempt service
inline constexpr const char* kNessunLivello = "~ç~";

// Levels: groups, their codes and the barcode of a level article. A scanned
// level barcode is the article part (kCodBarLunArt characters) followed by
// the level parts (2 characters for a size, 3 for a colour).
inline constexpr const char* kGruppoTaglie = "TAGLIE";
inline constexpr const char* kGruppoColori = "COLORI";
inline constexpr const char* kTagliaS = "S";
inline constexpr const char* kTagliaM = "M";
inline constexpr const char* kTagliaL = "L";
inline constexpr const char* kTagliaXL = "XL";
inline constexpr const char* kColoreBlu = "BLU";
inline constexpr const char* kColoreNero = "NER";
inline constexpr const char* kColoreRosso = "ROS";
inline constexpr int kCodBarLunArt = 7;
inline constexpr const char* kBarCodeMaglia = "80123453";        // EAN-8 of 8012345
inline constexpr const char* kBarCodePantaloni = "80123460";     // EAN-8 of 8012346
inline constexpr const char* kLetturaMagliaMBlu = "801234502001"; // MAGLIA01, size M, blue
inline constexpr const char* kBarCodeViti = "8001234567897";     // EAN-13
inline constexpr const char* kBarCodeTrapano = "8001234567903";
inline constexpr const char* kBarCodeOlio = "8001234567910";
inline constexpr const char* kBarCodeBiscotti = "8001234567927";

// Lots of the lot article (owner: supplier 2) and serials of the drill.
inline constexpr const char* kLotto1 = "L2026-045";   // 24 loaded, 6 on the editable DDT
inline constexpr const char* kLotto2 = "L2026-052";   // 12 loaded
inline constexpr const char* kMatricola1 = "TR18-000101";  // sold on the evaded DDT
inline constexpr const char* kMatricola2 = "TR18-000102";  // sold on the evaded DDT
inline constexpr const char* kMatricola3 = "TR18-000103";  // still in stock
// Serial history of the drill (movements kMovMatrCarico..kMovMatrViti):
// loaded, sold, back from the customer for repair (state "G"); a serial
// loaded both as the drill and as the screws. Batch kPartita1 of the oil
// loaded into the central store with both lots.
inline constexpr const char* kMatricolaRiparata = "TR18-000201";
inline constexpr const char* kMatricolaDoppia = "TR18-000202";
inline constexpr const char* kPartita1 = "P2026-11";
inline constexpr long kMovMatrCarico = 20;
inline constexpr long kMovMatrVendita = 21;
inline constexpr long kMovMatrRientro = 22;
inline constexpr long kMovMatrViti = 23;

// ---- documents
// DDTs by reference number (NumRif) in year kAnno, one per state.
inline constexpr long kDdtEvaso = 1;         // Stato "E", invoice kFatturaEvasione
inline constexpr long kDdtStampato = 2;      // Stato "S", level articles
inline constexpr long kDdtModificabile = 3;  // Stato "", lot, promotion, exempt line, order line
inline constexpr long kDdtInterno = 4;       // Stato "", transfer from kMagCentrale to kMagNegozio
inline constexpr long kNumeroDdt = 4;
inline constexpr long kFatturaEvasione = 1;
inline constexpr long kOrdineCliente = 1;    // customer 3's order, partly evaded by DDT 3
// Last printed DDT number of the year (NumerDdt, empty prefix).
inline constexpr long kUltimoNumDoc = 2;
// Warehouse movements (MovMagTes.NumReg): three loads, then the two sales
// of the printed DDTs.
inline constexpr long kMovCaricoUtensili = 1;
inline constexpr long kMovCaricoOlio = 2;
inline constexpr long kMovCaricoAbbigliamento = 3;
inline constexpr long kMovDdtEvaso = 4;
inline constexpr long kMovDdtStampato = 5;

// Stable line keys (RigLiv) of the lines other tests address. On the
// printed DDT the lines were reordered: display order and key differ.
inline constexpr long kRigLivViti = 1;          // DDT 1
inline constexpr long kRigLivTrapano = 2;       // DDT 1, the serial numbers
inline constexpr long kRigLivMaglia = 2;        // DDT 2, RigDet 1
inline constexpr long kRigLivPantaloni = 1;     // DDT 2, RigDet 2
inline constexpr long kRigLivOlio = 1;          // DDT 3, the lot row
inline constexpr long kRigLivBiscotti = 3;      // DDT 3, the promotion
inline constexpr long kRigLivCorso = 4;         // DDT 3, the exempt line

// Footer of each DDT as stored in its header (euro, two decimals): goods,
// expenses, taxable amount of the non-exempt codes, VAT, document total
// (taxable + VAT + exempt amount).
struct TotaliDdt {
  long numRif;
  double merce, spese, imponibile, iva, documento;
};
inline constexpr TotaliDdt kTotaliDdtEvaso{kDdtEvaso, 535.50, 15.00, 550.50, 121.11, 671.61};
inline constexpr TotaliDdt kTotaliDdtStampato{kDdtStampato, 270.00, 2.50, 272.50, 59.95, 332.45};
inline constexpr TotaliDdt kTotaliDdtModificabile{kDdtModificabile, 491.64, 10.00, 321.64, 18.70, 520.34};
inline constexpr TotaliDdt kTotaliDdtInterno{kDdtInterno, 55.50, 0.00, 55.50, 12.21, 67.71};
inline constexpr double kEsenteDdtModificabile = 180.00;

// ---- header editing: a dollar price list
// The export list, in dollars, without VAT, its own discount 3 in mode "M",
// prices of three articles from kInizioListini to the end of the year.
inline constexpr const char* kListinoDollari = "04";
inline constexpr const char* kScontoListinoDollari = "3";
inline constexpr double kPrezzoVitiDollari = 13.90;
inline constexpr double kPrezzoTrapanoDollari = 169.00;
inline constexpr double kPrezzoOlioDollari = 48.50;
// The dollar rate in force on the working days of December (the latest of
// the rates, from 2026-11-02) and one of June.
inline constexpr double kCambioDollaroDicembre = 1.1573;
inline constexpr const char* kDataCambioDollaroDicembre = "02/11/2026";
inline constexpr double kCambioDollaroGiugno = 1.0824;
// Fixed notes: one printed on the DDT, one kept for the invoice.
inline constexpr const char* kNotaSuDdt = "N2";      // SuEvasione "N"
inline constexpr const char* kNotaSuFattura = "N1";  // SuEvasione "S"
// Payments that carry a fixed note.
inline constexpr const char* kPagNotaDdt = "RDC";     // cash on delivery, note kNotaSuDdt
inline constexpr const char* kPagNotaFattura = "BB30";  // transfer 30 days, note kNotaSuFattura
// Document types of DDTs beyond the sale and the transfer:
// an export DDT priced on the dollar list, prefix "X", paid by kPagBonifico60,
// loaded from kMagDeposito, fixed note 1 kNotaSuDdt, overdue payments over
// 60 days shown, to be invoiced;
inline constexpr const char* kDocDdtExport = "DDTX";
inline constexpr const char* kPrefDdtExport = "X";
inline constexpr int kGgScadDdtExport = 60;
// a customer return (cause kCausaleReso, which is also its return cause:
// never invoiced, although it names an evasion type);
inline constexpr const char* kDocDdtReso = "DDTR";
// goods sent to a supplier for processing: made out to a supplier, its
// cause kCausaleContoLavoro states no price source (a price list, then),
// no warehouse of its own (the company's main one, then).
inline constexpr const char* kDocDdtFornitore = "DDTF";
inline constexpr const char* kCausaleContoLavoro = "CLV";

// ---- declarations of intent
// (constants of DatiDichiarazioni)
// Customer 3 (kCliente3) has two active declarations (PdcDicIntenti); the
// editable DDT falls under the first, the second is too small for it.
inline constexpr int kDicIntenti1 = 1;
inline constexpr double kImportoDicIntenti1 = 1000.00;
inline constexpr const char* kDescDicIntenti1 = "Dichiarazione d'intento 2026";
inline constexpr int kDicIntenti2 = 2;
inline constexpr double kImportoDicIntenti2 = 300.00;
inline constexpr const char* kDescDicIntenti2 = "Dichiarazione integrativa 2026";

// ---- standard expense, payment charges, pension-fund customer
// (constants of DatiSpese)
// Added to every new DDT in euro or lire.
inline constexpr const char* kSpesaStandard = "STD";
inline constexpr double kImportoSpesaStandard = 1.50;
// Bank collection charge per instalment (kind "R"), stamp duty (kind "T").
inline constexpr const char* kSpesaRiba = "RIB";
inline constexpr double kImportoSpesaRiba = 2.00;
inline constexpr const char* kSpesaBolli = "BTR";
inline constexpr double kPercSpesaBolli = 1.0;
inline constexpr double kMinimoSpesaBolli = 2.00;
// The pension-fund contribution (Spese.CassaPrev "S"): the code the company
// parameter "CauCon.SpesaCassaPrev" names.
inline constexpr const char* kSpesaCassaPrev = "CPV";
inline constexpr double kPercCassaPrev = 4.0;
// Payment terms carrying them: three and two receipts with the charge, a
// draft with the stamp duty.
inline constexpr const char* kPagRibaSpese3 = "RB3R";
inline constexpr const char* kPagRibaSpese2 = "RB2R";
inline constexpr const char* kPagTrattaBolli = "TR60";
// The customer subject to the pension fund, charged bank charges and stamp
// duty, with the transport expense as its own; pays kPagRibaSpese3.
inline constexpr const char* kClienteCassaPrev = "0017";
inline constexpr const char* kContoClienteCassaPrev = "04010017";

// ---- returnable packaging
// Two deposit articles (Cauzione "S") with a price on the sales list, and
// the articles that travel in them (ArtImballo, PezziPerConf): the biscuits
// and the oil of the editable DDT, and a mineral water for new lines. The
// deposit lines of the editable DDT, once recomputed: 24 biscuits in crates
// of 12 give 2 crates, 6 oil cans on pallets of 60 give 1 pallet.
inline constexpr const char* kArticoloCassa = "CASSA";      // plastic crate
inline constexpr const char* kArticoloBancale = "BANCALE";  // EPAL pallet
inline constexpr const char* kArticoloAcqua = "ACQUA15";    // bottles, 12 to a crate
inline constexpr double kPrezzoCassa = 3.00;
inline constexpr double kPrezzoBancale = 12.00;
inline constexpr double kPrezzoAcqua = 0.40;
inline constexpr int kPezziCassaBiscotti = 12;
inline constexpr int kPezziBancaleOlio = 60;
inline constexpr int kPezziCassaAcqua = 12;
inline constexpr int kCasseDdtModificabile = 2;
inline constexpr int kBancaliDdtModificabile = 1;

// ---- line aids (DittaDemo_Aiuti.cpp)
// A lamp carrying the RAEE eco-fee, bought from supplier 2, and the
// eco-fee article on the sales list; the lamp's stock and minimum in the
// main warehouse; the reorder file of supplier 2.
inline constexpr const char* kArticoloRaee = "LAMPLED8";
inline constexpr const char* kArticoloContributoRaee = "RAEE01";
inline constexpr double kPrezzoLampada = 24.90;
inline constexpr double kPrezzoContributoRaee = 0.50;
inline constexpr double kGiacenzaLampada = 8;
inline constexpr double kScortaLampada = 5;
inline constexpr const char* kFileDaOrdiFornitore2 = "OleificioDelGarda.doc";

}  // namespace demo

// The line aids' part of the demonstration company (called by CreaDittaDemo).
void CreaDittaDemoAiuti(GestDatabase& db, const std::string& chiave);
}  // namespace dati
