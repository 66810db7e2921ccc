// The record bar of the header window over DdtTest: its set-up values, the
// declaration of every bound field in a fixed order, the visible boxes of
// page 4 and the hidden boxes that store them, the captions of the personal
// and free fields, and the binding to the list window.
//
// Runs once, inside the load, after the settings and before the toolbar.
// The defaults are fixed here: a new DDT takes the working date, the
// company parameters and the settings as they were at load.
#include "common/Globali.h"
#include "ddt/header/frmDdtTest.h"
#include "ddt/header/frmDdtTestLis.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "services/Impostazioni.h"

namespace {

using vb::Missing;
using vb::Variant;

// One row of the field table: the column, the field number and the box
// (txt, or lab for a label filled from the record), then the positional
// arguments the window passes.
struct Campo {
  const char* colonna;
  int numero;
  bool etichetta;   // bound to lab(n) rather than txt(n)
  const char* descrizione;  // nullptr: not passed
  int parteChiave;          // 0: not passed
  int pos5;                 // 0: not passed
  Variant predefinito;      // Missing: not passed
  Variant dimensione;       // Missing: not passed
  Variant obbligatorio;     // Missing: not passed
  Variant maschera;         // Missing: not passed
};

// The pairs of page 4: the box the user types in, the hidden box bound.
constexpr int kLegati[][2] = {{810, 830},   {820, 840},   {850, 900},   {860, 910},   {870, 920},   {880, 930},
                              {890, 940},   {960, 970},   {980, 1020},  {990, 1030},  {1000, 1040}, {1010, 1050},
                              {1015, 1055}, {1070, 1080}, {1100, 1110}, {1130, 1140}, {1160, 1170}};

}  // namespace

void frmDdtTest::ImpostaBarra() {
  auto& g = G();
  auto& fc = vb::FunzioniComuni::Istanza();
  barre::BarraRecord& b = ogComPag();
  b.Contesto(g.goContesto.get());
  b.NomeTabella(g.gsTabTest);
  b.OpzioneAvvioA(0);
  b.OpzioneAvvioE(18);
  b.MsgChiave("\r\nImpostare a 0 il numero riferimento per inserire");
  for (int op : {16, 5, 7, 9, 4, 25}) b.AbilHook(op, true);
  b.ErroriRiprova("3022,3146,");
  for (int op : {12, 8, 1, 27, 17, 3}) b.AbilHook(op, true);

  const Variant anno(static_cast<int16_t>(g.gtDataLavoro.Year()));
  const Variant data(g.gtDataLavoro.ToDateText());
  auto par = [](const char* nome) { return Variant(servizi::Testo(servizi::ParamDitta(nome))); };
  const std::string mascOra = "hh" + g.gsSepOra + "mm";
  const Variant impSize(-14.3), impMask("#,###.^^^");
  const Variant T(true);

  const std::vector<Campo> campi = {
      {"Anno", 20, false, "Anno Riferimento", 1, 0, anno, Variant(4), Missing, Missing},
      {"NumRif", 10, false, "Numero Riferimento", 1, 0, Missing, Variant(6), Variant(static_cast<int16_t>(1)),
       Variant("0")},
      {"DataRif", 30, false, "Data Riferimento", 0, 0, data, Missing, T, Missing},
      {"NumMovim", 190, true, nullptr, 0, 2, Missing, Variant(-6), Missing, Variant("#,###")},
      {"AnnoMovim", 195, true, nullptr, 0, 2, Missing, Variant(-4), Missing, Variant("####")},
      {"NumMovimRientro", 197, true, nullptr, 0, 2, Missing, Variant(-6), Missing, Variant("#,###")},
      {"AnnoMovimRientro", 198, true, nullptr, 0, 2, Missing, Variant(-4), Missing, Variant("####")},
      {"FattDocumento", 40, false, "Tipo Documento DDT", 0, 0, par("Fat.DocDdt"), Missing, T, Missing},
      {"PreDoc", 50, false, "Prefisso Documento", 0, 0, par("Fat.PrefDdt"), Missing, Missing, Missing},
      {"NumDoc", 60, false, "Numero Documento", 0, 0, Missing, Variant(6), Missing, Variant("#,###")},
      {"DataDoc", 70, false, "Data Documento", 0, 0, Missing, Missing, Missing, Missing},
      {"Stato", 110, false, nullptr, 0, 0, Missing, Missing, Missing, Missing},
      {"|-|GruppoCli|MastroCli|ContoCli", 80, false, "Intestatario", 0, 0, Missing, Missing, T, Missing},
      {"Tipo", 86, false, "Cliente/Fornitore", 0, 0, Variant("3"), Missing, Missing, Missing},
      {"RifCli", 90, false, "Rif.all'ord.del cliente", 0, 0, Missing, Missing, Missing, Missing},
      {"Iva", 270, false, nullptr, 0, 0, Variant(msCodIvaDef), Missing, Missing, Missing},
      {"IvaSosp", 280, false, nullptr, 0, 0, Missing, Missing, Missing, Missing},
      {"DaFatturare", 300, false, "S/N", 0, 0, Missing, Missing, Missing, Missing},
      {"Listino", 200, false, nullptr, 0, 0, Missing, Missing, Missing, Missing},
      {"PrezziIvati", 210, false, nullptr, 0, 0, Variant("N"), Missing, Missing, Missing},
      {"Moneta", 400, false, nullptr, 0, 0, Variant(g.gsMonetaDitta), Missing, T, Missing},
      {"Cambio", 410, false, nullptr, 0, 0, Missing, Variant(-14.6), T, Variant("#,###.^^^^^^")},
      {"Pagamento", 220, false, "Condizione di Pagamento", 0, 0, Missing, Missing, Missing, Missing},
      {"RagRB", 260, false, "Raggruppo Ric.Bancarie", 0, 0, Missing, Missing, Missing, Missing},
      {"RagOrd", 265, false, "Raggruppo Ordini", 0, 0, Missing, Missing, Missing, Missing},
      {"Banca", 250, false, "Banca", 0, 0, Missing, Missing, Missing, Missing},
      {"Acconto", 420, false, "Acconto", 0, 0, Missing, impSize, Missing, impMask},
      {"ScontoCli", 240, false, "Sconto cliente", 0, 0, Missing, Missing, Missing, Missing},
      {"ScontoPag", 230, false, "Sconto pagamento", 0, 0, Missing, Missing, Missing, Missing},
      {"ScoPagSuDett", 235, false, "Sconto Pagamento Su Dettagli", 0, 0, Missing, Missing, Missing, Missing},
      {"RagDDT", 450, false, "Raggr. DDT", 0, 0, Missing, Missing, Missing, Missing},
      {"PrezzoDDT", 440, false, "Tipo Prezzo in DDT", 0, 0, Missing, Missing, Missing, Missing},
      {"MagazzProv", 290, false, "Magazzino di carico", 0, 0, Missing, Missing, T, Missing},
      {"MagazzDest", 88, false, "Magazzino di destinazione (solo per doc. interni)", 0, 0, Missing, Missing,
       Missing, Missing},
      {"TipoProvv", 470, false, "Tipo Prelievo % Provv.", 0, 0, Missing, Missing, Missing, Missing},
      {"TipoProvv2", 515, false, "Tipo Prelievo % Provv. secondo agente", 0, 0, Missing, Missing, Missing,
       Missing},
      {"Agente1", 480, false, "Agente principale", 0, 0, Missing, Missing, Missing, Missing},
      {"PercProvv1", 490, false, "% prov. agente princ.", 0, 0, Missing, impSize, Missing, impMask},
      {"Agente2", 500, false, "Secondo Agente", 0, 0, Missing, Missing, Missing, Missing},
      {"PercProvv2", 510, false, "% prov. secondo agente", 0, 0, Missing, impSize, Missing, impMask},
      {"Lingua", 560, false, nullptr, 0, 0, Missing, Missing, Missing, Missing},
      {"NumNota1", 530, false, "Nota fissa 1", 0, 0, Missing, Missing, Missing, Missing},
      {"NumNota2", 540, false, "Nota fissa 2", 0, 0, Missing, Missing, Missing, Missing},
      {"NumNota3", 550, false, "Nota fissa 3", 0, 0, Missing, Missing, Missing, Missing},
      {"IndSped", 800, false, "Codice Indirizzo Spedizione", 0, 0, Missing, Missing, Missing, Missing},
      {"RagSoc", 830, false, "Rag.Soc. Spedizione", 0, 0, Missing, Missing, Missing, Missing},
      {"RagSoc2", 840, false, "Rag.Soc2.  Spedizione", 0, 0, Missing, Missing, Missing, Missing},
      {"IndirizzoSped", 900, false, "Indirizzo Spedizione", 0, 0, Missing, Missing, Missing, Missing},
      {"CAPSped", 910, false, "CAP Spedizione", 0, 0, Missing, Missing, Missing, Missing},
      {"LocalitaSped", 920, false, "Località Spedizione", 0, 0, Missing, Missing, Missing, Missing},
      {"PrSped", 930, false, "Prov. Spedizione", 0, 0, Missing, Missing, Missing, Missing},
      {"StatoSped", 940, false, "Stato Spedizione", 0, 0, Missing, Missing, Missing, Missing},
      {"AspettoBene", 1090, false, nullptr, 0, 0, par("Fat.AspettoBene"), Missing, Missing, Missing},
      {"DescAspetto", 1110, false, "Descr. Aspetto Bene", 0, 0, Missing, Missing, Missing, Missing},
      {"CauTrasporto", 1060, false, "Causale Trasporto", 0, 0, par("Fat.CauTrasporto"), Missing, Missing, Missing},
      {"DescCauTrasporto", 1080, false, "Descr. Causale Trasporto", 0, 0, Missing, Missing, Missing, Missing},
      {"Resa", 1120, false, nullptr, 0, 0, Missing, Missing, Missing, Missing},
      {"DescResa", 1140, false, "Descr. Resa", 0, 0, Missing, Missing, Missing, Missing},
      {"Trasporto", 1150, false, nullptr, 0, 0, par("Fat.Trasporto"), Missing, Missing, Missing},
      {"DescTrasporto", 1170, false, "Descr. Trasporto", 0, 0, Missing, Missing, Missing, Missing},
      {"Vettore", 950, false, nullptr, 0, 0, Missing, Missing, Missing, Missing},
      {"RagSocVett", 970, false, "Rag.Soc. Vettore", 0, 0, Missing, Missing, Missing, Missing},
      {"IndirizzoVett", 1020, false, "Indirizzo Vettore", 0, 0, Missing, Missing, Missing, Missing},
      {"CAPVett", 1030, false, "CAP Vettore", 0, 0, Missing, Missing, Missing, Missing},
      {"LocalitaVett", 1040, false, "Localita Vettore", 0, 0, Missing, Missing, Missing, Missing},
      {"PrVett", 1050, false, "Prov. Vettore", 0, 0, Missing, Missing, Missing, Missing},
      {"TargaVett", 1055, false, "Targa Vettore", 0, 0, Missing, Missing, Missing, Missing},
      {"Nota", 610, false, "Nota di Testata", 0, 0, Missing, Missing, Missing, Missing},
      {"StampoNota", 600, false, nullptr, 0, 0, Variant("N"), Missing, Missing, Missing},
      {"EvasioneNota", 620, false, nullptr, 0, 0, Variant("N"), Missing, Missing, Missing},
      {"DataRitiroMerce", 1190, false, nullptr, 0, 0, Missing, Missing, Missing, Missing},
      {"OraRitiroMerce", 1200, false, nullptr, 0, 0, Missing, Missing, Missing, Variant(mascOra)},
      {"DataInizioTrasp", 1220, false, "Data inizio trasporto", 0, 0, Missing, Missing, Missing, Missing},
      {"OraInizioTrasp", 1230, false, "Ora inizio trasporto", 0, 0, Missing, Missing, Missing, Variant(mascOra)},
      {"Colli", 1180, false, nullptr, 0, 0, Missing, mbColliDec ? Variant(8.2) : Variant(6), Missing,
       Variant(mbColliDec ? "#,###.^^" : "#,###")},
      {"Peso", 1210, false, nullptr, 0, 0, Missing, Variant(14.3), Missing, impMask},
      {"Interno", 120, false, nullptr, 0, 0, Variant("N"), Missing, Missing, Missing},
      {"Provenienza", 126, false, nullptr, 0, 0, Missing, Missing, Missing, Missing},
      {"Trasferito", 105, false, nullptr, 0, 0, Missing, Missing, Missing, Missing},
      {"LiberoTest1", 1660, false, nullptr, 0, 0, Missing, Missing, Missing, Missing},
      {"LiberoTest2", 1670, false, nullptr, 0, 0, Missing, Missing, Missing, Missing},
      {"LiberoTest3", 1680, false, nullptr, 0, 0, Missing, Missing, Missing, Missing},
      {"LiberoTest4", 1690, false, nullptr, 0, 0, Missing, Missing, Missing, Missing},
      {"PercRitAcc", 275, false, "Percentuale ritenuta d'acconto", 0, 0, Missing, Missing, Missing, impMask},
      {"ImponRitAcc", 278, false, "Imponibile Ritenuta d'Acconto", 0, 0, Missing, impSize, Missing, impMask},
      {"TotMerce", 140, true, "Totale Merce", 0, 0, Missing, impSize, Missing, impMask},
      {"TotSpese", 130, true, "Totale Spese", 0, 0, Missing, impSize, Missing, impMask},
      {"TotIva", 160, true, "Totale Iva", 0, 0, Missing, impSize, Missing, impMask},
      {"TotDocum", 170, true, "Totale Documento", 0, 0, Missing, impSize, Missing, impMask},
      {"TotImpon", 150, true, "Totale Imponibile", 0, 0, Missing, impSize, Missing, impMask},
      {"DescPers1", 570, false, nullptr, 0, 0, Missing, Missing, Missing, Missing},
      {"DescPers2", 580, false, nullptr, 0, 0, Missing, Missing, Missing, Missing},
      {"DescPers3", 590, false, nullptr, 0, 0, Missing, Missing, Missing, Missing},
      {"Contratto", 1400, false, nullptr, 0, 0, Missing, Missing, Missing, Missing},
      {"CIG", 1410, false, nullptr, 0, 0, Missing, Missing, Missing, Missing},
      {"CUP", 1420, false, nullptr, 0, 0, Missing, Missing, Missing, Missing},
      {"OrdAnno", 452, true, nullptr, 0, 0, Missing, Missing, Missing, Missing},
      {"OrdNumRif", 454, true, nullptr, 0, 0, Missing, Missing, Missing, Missing},
      {"AnnoMovProd", 1430, true, nullptr, 0, 2, Missing, Missing, Missing, Variant("####")},
      {"NumMovProd", 1435, true, nullptr, 0, 2, Missing, Missing, Missing, Variant("#,###")},
      {"AnnoMovDiBa", 1440, true, nullptr, 0, 2, Missing, Missing, Missing, Variant("####")},
      {"NumMovDiBa", 1445, true, nullptr, 0, 2, Missing, Missing, Missing, Variant("#,###")},
      {"PdcDicIntenti", 310, false, "Dic. Intenti", 0, 0, Missing, Missing, Missing, Missing},
  };

  for (const Campo& c : campi) {
    const int n = c.numero;
    if (n == 310 && !mbDicIntentiTest) continue;  // the company's DdtTest has no such column
    if (n >= 1660 && n <= 1690) {
      // The free fields are captioned by the company; an empty caption
      // hides the field, which stays bound all the same.
      const int k = (n - 1650) / 10;
      const std::string cap =
          servizi::Testo(servizi::ParamDitta("Fat.DescLibTest" + std::to_string(k))) + ":";
      label1(n).SetCaption(cap);
      if (cap == ":") {
        label1(n).SetVisible(false);
        txt(n).SetVisible(false);
      }
    }
    ui::Controllo& ctl = c.etichetta ? lab(n) : txt(n);
    barre::DescrCampo descr;
    if (n >= 1660 && n <= 1690) descr = barre::DescrCampo(label1(n));
    else if (c.descrizione) descr = barre::DescrCampo(c.descrizione);
    b.DefinisciCampo(c.colonna, ctl, descr, c.parteChiave ? Variant(c.parteChiave) : Missing, Missing, Missing,
                     c.pos5 ? Variant(c.pos5) : Missing, Missing, c.predefinito, c.dimensione, c.obbligatorio,
                     c.maschera);
  }

  const std::string* pers[] = {&g.gsDescPersTest1, &g.gsDescPersTest2, &g.gsDescPersTest3};
  for (int k = 1; k <= 3; ++k) {
    const int n = 560 + 10 * k;
    const bool c = !fc.Vuoto(*pers[k - 1], vb::vbString, 1, false);
    if (c) label1(n).SetCaption(*pers[k - 1]);
    label1(n).SetVisible(c);
    txt(n).SetVisible(c);
  }

  miCampoLegato.fill(0);
  for (const auto& p : kLegati) miCampoLegato[p[0]] = static_cast<int16_t>(p[1]);

  b.CtrlChiave(txt(10));
  b.CtrlPrimoDato(txt(30));
  b.PicTestata(C("picTest"));
  b.PicDettaglio(C("PicDett"));
  b.ColoreTesto(g.glColoreTesto);
  b.ColoreTestoDisab(g.glColoreTestoDisab);
  b.ColoreErrore(g.glColoreErrore);
  b.ColoreSfondo(g.glColoreSfondo);
  b.OpzioneAvvioB(1);
  b.ScriviVarBarra("InMuovi", 12, Variant("S"));

  frmDdtTestLis& lista = FrmDdtTestLis();
  lista.osListaOrdin = msListaOrdin;
  lista.osKeySec = msKeySec;
  b.Collega(*this, *g.goDbAzienda, g.gsConnAzienda, &lista);
  mgLista = &lista;
}
