// The controls of "Gestione Ddt" and their places. From the top: the
// toolbar, the key strip `picTest` (year and reference number) with the
// year buttons, then the data container `PicDett` that the bar switches on
// and off: the header strip `PicMain`, the tab strip `TasPagine` with its
// six pages `PicPagine`(0..5) and the red marker `PicEvid`(0), the totals
// strip `picTotPrz`; under it the read-only grid of the lines `dbgDett` and
// the status bar. Geometry in twips, for a window of 12000 x 8700 that the
// load maximises.
//
// Every bound field is `txt`(n) or `lab`(n) with its field number n; the
// caption beside it is `label1`(n), the look-up button `ComHlp`(n), the
// description of a code `lab`(n), and the check or combo box that sets a
// hidden box `che`(n) / `cob`(n). Hidden bound boxes sit on the container
// of their field, invisible.
#include <string>
#include <tuple>
#include <vector>

#include "ddt/header/frmDdtTest.h"
#include "platform/ui/Griglia.h"

namespace {

// Rows of fields: a text box of kAltTesto on a pitch of kPasso; captions and
// value labels sit a little lower so that their text lines up with the box.
constexpr long kPasso = 350;
constexpr long kMargine = 60;
constexpr long kAltTesto = 315;
constexpr long kAltLab = 255;
constexpr long kScostaLab = 45;
constexpr long kAltValore = 285;
constexpr long kScostaValore = 15;
constexpr long kAltRigaTesto = 210;
constexpr long kLargHlp = 270;
constexpr long kSpazio = 30;

long Riga(int r) { return kMargine + r * kPasso; }

const ui::Carattere kGrassetto = [] {
  ui::Carattere c;
  c.Bold = true;
  return c;
}();

// Creates the controls in tab order, each on the container in force.
class Disegno {
 public:
  explicit Disegno(frmDdtTest& f) : f_(f) {}

  ui::Controllo* cont = nullptr;

  template <class T = ui::Controllo>
  T& Metti(ui::Tipo t, const std::string& nome, int indice, long x, long y, long w, long h) {
    T& c = f_.Crea<T>(t, nome, indice);
    if (cont) c.SetContainer(cont);
    c.Move(x, y, w, h);
    c.SetTabIndex(tab_++);
    return c;
  }

  // A caption `label1`(n).
  ui::Controllo& Cap(int n, const std::string& testo, long x, int r, long w) {
    auto& c = Metti(ui::Tipo::Label, "label1", n, x, Riga(r) + kScostaLab, w, kAltLab);
    c.SetCaption(testo);
    return c;
  }
  // A text box `txt`(n).
  ui::Controllo& Txt(int n, long x, int r, long w) {
    return Metti(ui::Tipo::TextBox, "txt", n, x, Riga(r), w, kAltTesto);
  }
  // The look-up button `ComHlp`(n) right after a box.
  ui::Controllo& Hlp(int n, long x, int r) {
    auto& c = Metti(ui::Tipo::CommandButton, "ComHlp", n, x, Riga(r), kLargHlp, kAltTesto);
    c.SetCaption("..");
    c.SetTabStop(false);
    return c;
  }
  // A value label `lab`(n): a description, blue text of one line beside
  // its field (a label wraps at words, so a longer text is cut at the end
  // rather than showing half of a second line), or a bound value in a box.
  ui::Controllo& Lab(int n, long x, int r, long w, bool descrizione = true) {
    if (descrizione) {
      auto& c = Metti(ui::Tipo::Label, "lab", n, x, Riga(r) + kScostaLab, w, kAltRigaTesto);
      c.SetForeColor(ui::vbBlue);
      return c;
    }
    auto& c = Metti(ui::Tipo::Label, "lab", n, x, Riga(r) + kScostaValore, w, kAltValore);
    c.SetBackColor(ui::vbWindowBackground);
    c.SetBorderStyle(1);
    return c;
  }
  // A bound number shown in a label, right-aligned.
  ui::Controllo& Num(int n, long x, int r, long w) {
    auto& c = Lab(n, x, r, w, false);
    c.SetAlignment(1);
    return c;
  }
  // Caption, box, button and description of a coded field; the x of the
  // caption, the widths of caption, box and description (0 none).
  long Codice(int n, const std::string& testo, long x, int r, long wCap, long wTxt, long wLab, bool hlp = true) {
    if (!testo.empty()) Cap(n, testo, x, r, wCap);
    long p = x + wCap + kSpazio;
    Txt(n, p, r, wTxt);
    p += wTxt;
    if (hlp) {
      Hlp(n, p + kSpazio, r);
      p += kSpazio + kLargHlp;
    }
    if (wLab > 0) {
      Lab(n, p + kSpazio, r, wLab);
      p += kSpazio + wLab;
    }
    return p;
  }
  // A caption and the check box `che`(n) beside it.
  ui::Controllo& Che(int n, const std::string& testo, long x, int r, long wCap) {
    Cap(n, testo, x, r, wCap);
    auto& c = Metti(ui::Tipo::CheckBox, "che", n, x + wCap + kSpazio, Riga(r) + kScostaValore, 300, kAltValore);
    c.SetCaption("");
    return c;
  }
  // A caption and the drop-down list `cob`(n) with its items.
  ui::Controllo& Cob(int n, const std::string& testo, long x, int r, long wCap, long w,
                     const std::vector<std::string>& voci) {
    Cap(n, testo, x, r, wCap);
    auto& c = Metti(ui::Tipo::ComboBox, "cob", n, x + wCap + kSpazio, Riga(r), w, kAltTesto);
    c.SetStyle(2);
    for (const auto& v : voci) c.AddItem(v);
    return c;
  }
  // A bound box that the user never sees.
  ui::Controllo& Nascosto(int n) {
    auto& c = Metti(ui::Tipo::TextBox, "txt", n, 0, 0, 600, kAltTesto);
    c.SetVisible(false);
    c.SetTabStop(false);
    return c;
  }
  // A container (picture box or frame).
  ui::Controllo& Contenitore(ui::Tipo t, const std::string& nome, int indice, long x, long y, long w, long h) {
    auto& c = Metti(t, nome, indice, x, y, w, h);
    c.SetTabStop(false);
    return c;
  }

 private:
  frmDdtTest& f_;
  int tab_ = 0;
};

// ---------------------------------------------------------------- strips

void BarraComandi(Disegno& d, long larghezza) {
  auto& tb = d.Metti(ui::Tipo::Toolbar, "tolComPag", -1, 0, 0, larghezza, 420);
  struct Bottone {
    const char* key;
    const char* tip;
  };
  // Groups: record, list, moves, window, the window's own commands.
  const std::vector<std::vector<Bottone>> gruppi = {
      {{"Ricerca", "(R) Ricerca"},
       {"Salva", "(S) Salva"},
       {"Cancella", "(C) Cancella"},
       {"Annulla", "(A) Annulla"},
       {"Duplica", "(D) Duplica"},
       {"VarKey", "(V) Varia campi chiave"}},
      {{"Lista", "(L) Lista"}, {"ListaInd", "(-) Precedente nella lista"}, {"ListaAvanti", "(+) Successivo nella lista"}},
      {{"Inizio", "(I) Inizio Archivio"},
       {"Precedente", "(P) Precedente"},
       {"Successivo", "(U) Successivo"},
       {"Fine", "(F) Fine Archivio"}},
      {{"Chiudi", "(H) Chiudi"}, {"Menu", "(M) Menu"}},
      {{"Spese", "(X) Spese"},
       {"Dettaglio", "(E - F10) Gestione dettaglio"},
       {"Stampa", "(T) sTampa"},
       {"Ripristino", "(N) Annulla la stampa"},
       {"RipEvasione", "(O) Ripristino da evasione non in fattura"},
       {"CalcVuoti", "(Z) Inserisce righe Cauzione"}},
  };
  for (size_t g = 0; g < gruppi.size(); ++g) {
    if (g > 0) tb.AggiungiElemento("", "", ui::tbrSeparator);
    for (const auto& b : gruppi[g]) tb.AggiungiElemento(b.key).ToolTipText = b.tip;
  }
  tb.ElementoCambiato();
}

// The pictures of the toolbar, by key; the window's own commands are the
// pictures 16 to 21 of the list.
void Immagini(Disegno& d) {
  auto& il = d.Metti(ui::Tipo::ImageList, "ImagePiccole", -1, 0, 0, 0, 0);
  const std::vector<std::pair<const char*, const char*>> immagini = {
      {"Ricerca", "edit-find"},     {"Salva", "document-save"},     {"Cancella", "edit-delete"},
      {"Annulla", "edit-undo"},     {"Duplica", "edit-copy"},       {"VarKey", "go-top"},
      {"Lista", "view-list-details"}, {"ListaInd", "go-up"},        {"ListaAvanti", "go-down"},
      {"Inizio", "go-first"},       {"Precedente", "go-previous"},  {"Successivo", "go-next"},
      {"Fine", "go-last"},          {"Chiudi", "window-close"},     {"Menu", "go-home"},
      {"Dettaglio", "document-open"}, {"Spese", "accessories-calculator"}, {"Stampa", "document-print"},
      {"Ripristino", "document-revert"}, {"RipEvasione", "edit-redo"}, {"CalcVuoti", "list-add"},
  };
  for (const auto& [key, img] : immagini) il.AggiungiElemento(key).Image = img;
}

void StrisciaChiave(Disegno& d) {
  d.cont = &d.Contenitore(ui::Tipo::PictureBox, "picTest", -1, kMargine, 480, 3510, 435);
  // The strip is one row high: its boxes sit at its top margin.
  d.Cap(20, "Anno Rif.:", 60, 0, 870).SetTop(105);
  d.Txt(20, 960, 0, 600).SetTop(45);
  d.Cap(10, "Num. Rif.:", 1650, 0, 870).SetTop(105);
  d.Txt(10, 2550, 0, 900).SetTop(45);
  d.cont = nullptr;

  // First and last DDT of the year typed in the key strip.
  auto& prima = d.Metti(ui::Tipo::CommandButton, "ComAnno", 0, 3660, 540, 330, kAltTesto);
  prima.SetCaption("<");
  prima.SetToolTipText("Primo DDT dell'anno");
  prima.SetTabStop(false);
  auto& testo = d.Metti(ui::Tipo::Label, "labAnno", -1, 4020, 585, 1380, kAltLab);
  testo.SetCaption("Inizio/Fine Anno");
  testo.SetAlignment(2);
  auto& ultima = d.Metti(ui::Tipo::CommandButton, "ComAnno", 1, 5430, 540, 330, kAltTesto);
  ultima.SetCaption(">");
  ultima.SetToolTipText("Ultimo DDT dell'anno");
  ultima.SetTabStop(false);

  // Shown by the display of the customer when its notes ask for attention.
  auto& note = d.Metti(ui::Tipo::Label, "labNoteCliente", -1, 6000, 570, 1500, 300);
  note.SetCaption("Note Cliente");
  note.SetFont(kGrassetto);
  note.SetForeColor(ui::vbRed);
  note.SetVisible(false);
}

void StrisciaTestata(Disegno& d, long larghezza) {
  d.cont = &d.Contenitore(ui::Tipo::PictureBox, "PicMain", -1, kMargine, 0, larghezza, 790);
  // Row 0: date, document type, printed number and date, warehouse movement.
  d.Cap(30, "Data Rif.:", 60, 0, 870);
  d.Txt(30, 960, 0, 1110);
  d.Codice(40, "Tipo Doc.:", 2130, 0, 870, 600, 2310);
  d.Cap(50, "Documento:", 6300, 0, 1050);
  d.Txt(50, 7380, 0, 450);
  d.Txt(60, 7860, 0, 690);
  d.Cap(70, "del", 8610, 0, 300);
  d.Txt(70, 8940, 0, 1110);
  d.Cap(190, "Mov.:", 10110, 0, 420);
  d.Num(195, 10560, 0, 480);
  d.Num(190, 11070, 0, 630);
  // Row 1: addressee, customer's order reference, state.
  d.Codice(80, "Cliente/Fornit.:", 60, 1, 1290, 1200, 3090);
  auto& chiuso = d.Metti(ui::Tipo::Label, "lab", 89, 6060, Riga(1) + kScostaLab, 600, kAltLab);
  chiuso.SetCaption("Chiuso");
  chiuso.SetFont(kGrassetto);
  chiuso.SetForeColor(ui::vbRed);
  chiuso.SetVisible(false);
  d.Cap(90, "Rif. Ord. Cliente:", 6720, 1, 1410);
  d.Txt(90, 8160, 1, 1830);
  auto& stato = d.Metti(ui::Tipo::Label, "lab", 110, 10080, Riga(1) + kScostaValore, 1620, kAltValore);
  stato.SetFont(kGrassetto);
  stato.SetForeColor(ui::vbRed);
  stato.SetAlignment(2);
  for (int n : {86, 110, 126}) d.Nascosto(n);
}

// ---------------------------------------------------------------- pages

// (1) Cliente: the addressee's data, the fields of payment and VAT, the
// flags, the declaration of intent.
void PaginaCliente(Disegno& d) {
  // The customer, as the display of the addressee fills it.
  constexpr long wCapA = 1500, xvA = 60 + wCapA + kSpazio, wValA = 3450 - xvA;
  d.Lab(81, 60, 0, 3390);
  d.Cap(82, "Indirizzo:", 60, 1, wCapA);
  d.Lab(82, xvA, 1, wValA);
  d.Lab(83, xvA, 2, wValA);
  d.Cap(84, "P.Iva / Cod. Fisc.:", 60, 3, wCapA);
  d.Lab(84, xvA, 3, wValA);
  d.Cap(85, "Telefono:", 60, 4, wCapA);
  d.Lab(85, xvA, 4, wValA);
  d.Cap(92, "Cliente a Rischio:", 60, 5, wCapA);
  d.Lab(92, xvA, 5, 420);
  d.Cap(91, "Fido:", 2100, 5, 450).SetVisible(false);
  d.Num(91, 2580, 5, 870).SetVisible(false);
  d.Che(210, "Prezzi Ivati:", 60, 6, 1020);
  d.Che(280, "Iva Sospesa:", 1620, 6, 1110);
  auto& scaduti = d.Metti(ui::Tipo::Label, "lab", 87, 60, Riga(7), 3390, kAltTesto);
  scaduti.SetCaption("Pagamenti Scaduti da 999 giorni");
  scaduti.SetFont(kGrassetto);
  scaduti.SetForeColor(ui::vbRed);
  scaduti.SetBorderStyle(1);
  scaduti.SetAlignment(2);
  scaduti.SetVisible(false);

  // Prices, payment, bank, VAT, warehouses, discounts.
  constexpr long x = 3540, wCap = 1620, wTxt = 600, wLab = 1710;
  d.Codice(200, "Listino:", x, 0, wCap, wTxt, wLab);
  d.Codice(220, "Cond. di Pag.:", x, 1, wCap, wTxt, wLab);
  d.Codice(250, "Banca:", x, 2, wCap, wTxt, wLab);
  d.Codice(270, "Iva:", x, 3, wCap, wTxt, wLab);
  d.Codice(290, "Mag.Movimentato:", x, 4, wCap, wTxt, wLab);
  d.Codice(88, "Mag.Destinazione:", x, 5, wCap, wTxt, wLab);
  for (const char* nome : {"label1", "txt", "ComHlp", "lab"}) d.cont->Parent().C(nome, 88).SetVisible(false);
  // Two pairs a row.
  d.Cap(240, "Sconto cliente:", x, 6, 1290);
  d.Txt(240, 4860, 6, 720);
  d.Cap(230, "Sconto pag.:", 5640, 6, 1140);
  d.Txt(230, 6810, 6, 660);
  d.Cap(420, "Acconto:", x, 7, 1290);
  d.Txt(420, 4860, 7, 720);
  d.Cap(275, "Perc.Rit.Acc.:", 5640, 7, 1140);
  d.Txt(275, 6810, 7, 660);

  // The declaration of intent of the addressee.
  constexpr long xd = 7920, wd = 11640 - xd;
  ui::Controllo* pagina = d.cont;
  auto& cornice = d.Contenitore(ui::Tipo::Frame, "fraDicIntenti", -1, xd, 0, wd, Riga(6) - kSpazio);
  cornice.SetCaption("Dichiarazione d'intenti");
  d.cont = &cornice;
  // Tighter rows inside the frame, under its title.
  auto riga = [](int r) { return 300 + r * 300L; };
  d.Cap(310, "Codice:", 90, 0, 600).SetTop(riga(0) + kScostaLab);
  d.Txt(310, 720, 0, 750).SetTop(riga(0));
  d.Hlp(310, 1500, 0).SetTop(riga(0));
  // The description has the frame's width on a row of its own: beside the
  // code it would be cut after a dozen letters.
  d.Lab(310, 90, 0, wd - 180).SetTop(riga(1) + kScostaLab);
  const long meta = wd / 2;
  const std::vector<std::tuple<int, const char*, long, int>> importi = {
      {312, "Fatture:", 90, 2}, {314, "Ddt:", meta, 2}, {316, "Ordini:", 90, 3}, {318, "Importo:", meta, 3},
      {319, "Residuo:", 90, 4}};
  for (const auto& [n, testo, xi, r] : importi) {
    d.Cap(n, testo, xi, 0, 720).SetTop(riga(r) + kScostaLab);
    auto& valore = d.Lab(n, xi + 750, 0, meta - 900);
    valore.SetTop(riga(r) + kScostaLab);
    valore.SetAlignment(1);
  }
  d.Cap(520, "Lettera d'intenti:", 90, 0, 1440).SetTop(riga(5) + kScostaLab);
  d.Lab(520, 1560, 0, wd - 1650).SetTop(riga(5) + kScostaLab);
  d.cont = pagina;

  d.Che(300, "Da Fatturare:", xd, 6, 1140);
  d.Che(260, "Raggr. Ricevute:", xd + 1560, 6, 1410).SetEnabled(false);
  d.Che(235, "Sconto pag. su dett.:", xd, 7, 1770);

  for (int n : {210, 235, 260, 265, 280, 300, 120, 105}) d.Nascosto(n);
}

// (2) Altri Dati: currency and rate, DDT options, contract, agents,
// language, fixed notes, movements, personalised descriptions.
void PaginaAltri(Disegno& d) {
  constexpr long wCap = 1200, xa = 60, xv = xa + wCap + kSpazio;
  d.Codice(400, "Moneta:", xa, 0, wCap, 600, 1800);
  const long dopoCambio = d.Codice(410, "Cambio:", xa, 1, wCap, 1500, 0);
  d.Lab(410, dopoCambio + kSpazio, 1, 1200).SetVisible(false);
  auto& prezzi = d.Cob(440, "Prezzi in Ddt:", xa, 2, wCap, 2400,
                       {"0 No", "1 Prezzi e Sconti ", "2 Prezzi", "3 Prezzi Netti", "4 Prezzi,Sc.,Tot.Ivato",
                        "5 Prezzi+iva,Sc.,Tot.Ivato", "6 Prezzi, Sconti e Totale"});
  for (int i = 0; i < prezzi.ListCount(); ++i) prezzi.SetItemData(i, i);
  auto& ragg = d.Cob(450, "Raggr. Doc.:", xa, 3, wCap, 3630,
                     {"Si", "No", "Si Una riga sola per Articolo", "Si Una fatt. per ogni dest.",
                      "Si Una riga per Art. e una fatt. per dest.", "Si A parità di Ordine",
                      "Si A parità di Contratto"});
  for (int i = 0; i < ragg.ListCount(); ++i) ragg.SetItemData(i, i);
  // The source order, shown only for the grouping "by order".
  d.Cap(452, "Ord. Prov.:", xa, 4, wCap).SetVisible(false);
  d.Num(452, xv, 4, 480).SetVisible(false);
  d.Cap(454, "/", xv + 510, 4, 150).SetVisible(false);
  d.Num(454, xv + 690, 4, 750).SetVisible(false);
  d.Che(430, "Addebito Bolli:", 3060, 4, 1380).SetEnabled(false);
  const long fine = d.Codice(1400, "Contratto:", xa, 5, wCap, 900, 2280);
  auto& segno = d.Metti(ui::Tipo::Label, "label1", 1402, fine + kSpazio, Riga(5), 180, kAltTesto);
  segno.SetCaption("*");
  ui::Carattere grande;
  grande.Size = 9.75;
  segno.SetFont(grande);
  segno.SetForeColor(ui::vbRed);
  segno.SetVisible(false);
  d.Cap(1410, "CIG:", xa, 6, wCap);
  d.Txt(1410, xv, 6, 1500);
  d.Cap(1420, "CUP:", 2880, 6, 480);
  d.Txt(1420, 3390, 6, 1650);
  d.Cap(198, "Mov. Rientro:", xa, 7, wCap);
  d.Num(198, xv, 7, 480);
  d.Num(197, xv + 510, 7, 750);
  d.Che(460, "Addebito Spese:", 3060, 7, 1380).SetEnabled(false);

  constexpr long xb = 5160, wCapB = 1080, xvb = xb + wCapB + kSpazio;
  const std::vector<std::string> provv = {"N No", "A Articolo", "C Cliente", "G Agente"};
  d.Codice(480, "Agente:", xb, 0, wCapB, 660, 3300);
  d.Num(481, 10620, 0, 1020);
  d.Cap(490, "% Provv.:", xb, 1, wCapB);
  d.Txt(490, xvb, 1, 900);
  d.Cob(470, "Estraz.Provv.:", 7290, 1, 1200, 1500, provv);
  d.Codice(500, "2' Agente:", xb, 2, wCapB, 660, 3300);
  d.Num(501, 10620, 2, 1020);
  d.Cap(510, "% Provv.:", xb, 3, wCapB);
  d.Txt(510, xvb, 3, 900);
  d.Cob(515, "Estraz.Provv.:", 7290, 3, 1200, 1500, provv);
  d.Codice(560, "Lingua:", xb, 4, wCapB, 660, 3300);
  d.Cap(530, "Note Fisse:", xb, 5, wCapB);
  long x = xvb;
  for (int n : {530, 540, 550}) {
    d.Txt(n, x, 5, 450);
    d.Hlp(n, x + 450 + kSpazio, 5);
    d.Lab(n, x + 450 + kLargHlp + 2 * kSpazio, 5, 930);
    x += 450 + kLargHlp + 930 + 5 * kSpazio;
  }
  d.Cap(1430, "Mov. Prod.:", xb, 6, wCapB);
  d.Num(1430, xvb, 6, 480);
  d.Num(1435, xvb + 510, 6, 750);
  d.Cap(1440, "Mov. DiBa:", 7860, 6, 960);
  d.Num(1440, 8850, 6, 480);
  d.Num(1445, 9360, 6, 750);
  // Captioned at load from the personal texts; hidden without one.
  x = xb;
  for (int n : {570, 580, 590}) {
    d.Cap(n, "", x, 7, 900).SetVisible(false);
    d.Txt(n, x + 900 + kSpazio, 7, 1200).SetVisible(false);
    x += 2190;
  }
  for (int n : {440, 450, 470, 515}) d.Nascosto(n);
}

// (3) Note Testata: the header's note and how it is printed and evaded.
void PaginaNote(Disegno& d, long larghezza, long altezza) {
  d.Che(600, "Stampa Note sul documento:", 60, 0, 2490);
  d.Cob(620, "Tipo evasione nota:", 3120, 0, 1680, 4320,
        {"Non evade", "Evasione con Stampa Note nella destinazione", "Evasione senza Stampa Note nella destinazione"});
  auto& nota = d.Txt(610, 60, 1, larghezza - 120);
  nota.SetMultiLine(true);
  nota.SetHeight(altezza - Riga(1) - kMargine);
  for (int n : {600, 620}) d.Nascosto(n);
}

// (4) Dati Accompagnamento: destination, carrier, transport data. The
// visible boxes of a destination or carrier without a code are typed here
// and copied into their hidden bound partners.
void PaginaAccompagnamento(Disegno& d) {
  constexpr long wCap = 1140, wTxt = 2460;
  auto indirizzo = [&](long x, int codice, int rag, int rag2, int via, int cap, int loc, int pr, const char* titolo) {
    const long xv = x + wCap + kSpazio;
    d.Cap(codice, titolo, x, 0, wCap);
    d.Txt(codice, xv, 0, 750);
    d.Hlp(codice, xv + 750 + kSpazio, 0);
    d.Cap(rag, "Rag.Soc.:", x, 1, wCap);
    d.Txt(rag, xv, 1, wTxt);
    int r = 2;
    if (rag2 > 0) d.Txt(rag2, xv, r++, wTxt);
    d.Cap(via, "Indirizzo:", x, r, wCap);
    d.Txt(via, xv, r++, wTxt);
    d.Cap(cap, "Cap/Loc./Pr.:", x, r, wCap);
    d.Txt(cap, xv, r, 600);
    d.Txt(loc, xv + 630, r, 1380);
    d.Txt(pr, xv + 2040, r, 420);
    return r + 1;
  };
  int r = indirizzo(60, 800, 810, 820, 850, 860, 870, 880, "Destinazione:");
  d.Cap(890, "Stato:", 60, r, wCap);
  d.Txt(890, 60 + wCap + kSpazio, r, wTxt);
  r = indirizzo(3780, 950, 960, 0, 980, 990, 1000, 1010, "Vettore:");
  d.Cap(1015, "Targa:", 3780, r, wCap);
  d.Txt(1015, 3780 + wCap + kSpazio, r, 1380);

  constexpr long xc = 7500, wCapC = 1410, xvc = xc + wCapC + kSpazio;
  const std::vector<std::tuple<int, int, const char*>> codici = {
      {1060, 1070, "Caus. Trasporto:"}, {1090, 1100, "Aspetto Beni:"}, {1120, 1130, "Resa:"}, {1150, 1160, "Trasporto:"}};
  r = 0;
  for (const auto& [codice, testo, titolo] : codici) {
    d.Cap(codice, titolo, xc, r, wCapC);
    d.Txt(codice, xvc, r, 600);
    d.Hlp(codice, xvc + 600 + kSpazio, r);
    d.Txt(testo, xvc + 600 + kLargHlp + 2 * kSpazio, r, 11640 - (xvc + 600 + kLargHlp + 2 * kSpazio));
    ++r;
  }
  d.Cap(1180, "Colli:", xc, 4, wCapC);
  d.Txt(1180, xvc, 4, 660);
  d.Hlp(1180, xvc + 660 + kSpazio, 4);
  d.Cap(1210, "Peso:", 9960, 4, 450);
  d.Txt(1210, 10440, 4, 900);
  d.Hlp(1210, 11370, 4);
  d.Cap(1190, "Ritiro merce:", xc, 5, wCapC);
  d.Txt(1190, xvc, 5, 1200);
  d.Txt(1200, xvc + 1200 + kSpazio, 5, 600);
  d.Cap(1220, "Inizio trasp.:", xc, 6, wCapC);
  d.Txt(1220, xvc, 6, 1200);
  d.Txt(1230, xvc + 1200 + kSpazio, 6, 600);
  for (int n : {830, 840, 900, 910, 920, 930, 940, 970, 1020, 1030, 1040, 1050, 1055, 1080, 1110, 1140, 1170})
    d.Nascosto(n);
}

// (5) Nota Cliente: the customer's notes, risk, free descriptions, overdue
// payments.
void PaginaNotaCliente(Disegno& d) {
  d.Cap(1600, "Note Cliente:", 60, 0, 1500);
  auto& note = d.Txt(1600, 60, 1, 5400);
  note.SetMultiLine(true);
  note.SetLocked(true);
  note.SetHeight(Riga(6) - Riga(1) - kSpazio);
  d.Cap(1650, "Cliente a Rischio:", 60, 6, 1500);
  d.Lab(1650, 1590, 6, 420);
  d.Cap(1655, "Fido:", 2130, 6, 450);
  d.Num(1655, 2610, 6, 1200);

  constexpr long xb = 5640, wCap = 1050, xv = xb + wCap + kSpazio;
  for (int k = 1; k <= 4; ++k) {
    const int n = 1650 + 10 * k;
    d.Cap(n, "Desc. Lib." + std::to_string(k) + ":", xb, k - 1, wCap);
    d.Txt(n, xv, k - 1, 11640 - xv);
  }
  constexpr long wCapS = 1680, xs = xb + wCapS + kSpazio;
  d.Cap(14, "Pagamenti Scaduti:", xb, 4, wCapS);
  d.Hlp(1610, xs, 4);
  d.Cap(15, "da", xs + 330, 4, 240);
  d.Num(1610, xs + 600, 4, 600);
  d.Cap(16, "giorni", xs + 1260, 4, 540);
  const std::vector<std::pair<int, const char*>> figure = {
      {26, "Numero scadenze:"}, {27, "Importo in Lire:"}, {28, "Importo in Euro:"}};
  int r = 5, n = 1620;
  for (const auto& [cap, testo] : figure) {
    d.Cap(cap, testo, xb, r, wCapS);
    d.Num(n, xs, r, 1500);
    ++r;
    n += 10;
  }
}

// (6) Doc. di Orig. e di Evas.: the invoice that evaded the DDT and the
// documents it came from.
void PaginaProvenienza(Disegno& d, long larghezza, long altezza) {
  d.Cap(52, "Documento di Evasione:    Anno / Numero Riferimento:", 60, 0, 4620);
  d.Num(2000, 4710, 0, 600);
  d.Cap(53, "/", 5340, 0, 150);
  d.Num(2010, 5520, 0, 900);
  d.Cap(54, "Documento:", 60, 1, 1080);
  d.Lab(2020, 1170, 1, 600, false);
  d.Num(2030, 1800, 1, 900);
  d.Cap(55, "Del", 2760, 1, 330);
  d.Lab(2040, 3120, 1, 1200, false);
  auto& apri = d.Metti(ui::Tipo::CommandButton, "ComPosizFat", -1, 6600, Riga(0), 1500, kAltTesto);
  apri.SetCaption("Apri Fattura");
  apri.SetVisible(false);
  auto& dati = d.Metti<ui::DatiControllo>(ui::Tipo::Data, "datProvenienza", -1, 0, 0, 1200, 300);
  dati.SetVisible(false);
  const long top = Riga(2) + kMargine;
  auto& g = d.Metti<ui::Griglia>(ui::Tipo::DataGrid, "dbgProvenienza", -1, 0, top, larghezza, altezza - top);
  g.SetDataSource(&dati);
  g.SetAllowUpdate(false);
  auto& nessuno = d.Metti(ui::Tipo::Label, "labProv", -1, 60, top + 60, 4200, kAltLab);
  nessuno.SetCaption("Non ci sono documenti di origine");
  nessuno.SetVisible(false);
}

void StrisciaTotali(Disegno& d, long larghezza) {
  d.cont = &d.Contenitore(ui::Tipo::PictureBox, "picTotPrz", -1, kMargine, 4230, larghezza, 630);
  // Caption above value, one column per total.
  const std::vector<std::pair<int, const char*>> totali = {
      {140, "Totale Merce"},      {130, "Totale Spese"},       {150, "Totale Imponibile"}, {160, "Totale Iva"},
      {170, "Totale Documento"},  {278, "Ritenuta d'Acconto"}, {180, "Totale Mon. Rif."},
  };
  const long passo = (larghezza - 60) / static_cast<long>(totali.size());
  long x = 60;
  for (const auto& [n, testo] : totali) {
    auto& cap = d.Cap(n, testo, x, 0, passo - 60);
    cap.SetTop(30);
    cap.SetAlignment(2);
    auto& val = d.Num(n, x, 0, passo - 60);
    val.SetTop(300);
    if (n == 170) val.SetFont(kGrassetto);
    if (n == 180) {
      cap.SetVisible(false);
      val.SetVisible(false);
    }
    x += passo;
  }
  d.Nascosto(278);
  d.cont = nullptr;
}

// The description of each box the user types in, shown as its tool tip and,
// while it has the focus, in the status bar.
const std::vector<std::pair<int, const char*>>& Descrizioni() {
  static const std::vector<std::pair<int, const char*>> t = {
      {20, "Anno Riferimento"},
      {10, "Numero Riferimento"},
      {30, "Data Riferimento"},
      {40, "Tipo Documento DDT"},
      {50, "Prefisso Documento"},
      {60, "Numero Documento"},
      {70, "Data Documento"},
      {80, "Intestatario"},
      {90, "Rif.all'ord.del cliente"},
      {200, "Listino"},
      {220, "Condizione di Pagamento"},
      {230, "Sconto pagamento"},
      {240, "Sconto cliente"},
      {250, "Banca"},
      {270, "Codice Iva"},
      {275, "Percentuale ritenuta d'acconto"},
      {290, "Magazzino di carico"},
      {88, "Magazzino di destinazione (solo per doc. interni)"},
      {310, "Dic. Intenti"},
      {400, "Moneta"},
      {410, "Cambio"},
      {420, "Acconto"},
      {480, "Agente principale"},
      {490, "% prov. agente princ."},
      {500, "Secondo Agente"},
      {510, "% prov. secondo agente"},
      {530, "Nota fissa 1"},
      {540, "Nota fissa 2"},
      {550, "Nota fissa 3"},
      {560, "Lingua"},
      {570, "Descrizione personalizzata 1"},
      {580, "Descrizione personalizzata 2"},
      {590, "Descrizione personalizzata 3"},
      {610, "Nota di Testata"},
      {800, "Codice Indirizzo Spedizione"},
      {810, "Rag.Soc. Spedizione"},
      {820, "Rag.Soc2.  Spedizione"},
      {850, "Indirizzo Spedizione"},
      {860, "CAP Spedizione"},
      {870, "Località Spedizione"},
      {880, "Prov. Spedizione"},
      {890, "Stato Spedizione"},
      {950, "Vettore"},
      {960, "Rag.Soc. Vettore"},
      {980, "Indirizzo Vettore"},
      {990, "CAP Vettore"},
      {1000, "Localita Vettore"},
      {1010, "Prov. Vettore"},
      {1015, "Targa Vettore"},
      {1060, "Causale Trasporto"},
      {1070, "Descr. Causale Trasporto"},
      {1090, "Aspetto Bene"},
      {1100, "Descr. Aspetto Bene"},
      {1120, "Resa"},
      {1130, "Descr. Resa"},
      {1150, "Trasporto"},
      {1160, "Descr. Trasporto"},
      {1180, "Colli"},
      {1190, "Data ritiro merce"},
      {1200, "Ora ritiro merce"},
      {1210, "Peso"},
      {1220, "Data inizio trasporto"},
      {1230, "Ora inizio trasporto"},
      {1400, "Contratto"},
      {1410, "CIG"},
      {1420, "CUP"},
      {1600, "Note Cliente"},
      {1660, "Descrizione libera 1"},
      {1670, "Descrizione libera 2"},
      {1680, "Descrizione libera 3"},
      {1690, "Descrizione libera 4"},
  };
  return t;
}

}  // namespace

void frmDdtTest::CreaControlli() {
  SetCaption("Gestione Ddt");
  Move(0, 0, 12000, 8700);
  const long larghezza = ScaleWidth();
  const long interno = larghezza - 2 * kMargine;
  Disegno d(*this);

  BarraComandi(d, larghezza);
  Immagini(d);
  StrisciaChiave(d);

  auto& dett = d.Contenitore(ui::Tipo::PictureBox, "PicDett", -1, 0, 990, larghezza, 4890);
  dett.SetBorderStyle(0);
  d.cont = &dett;
  StrisciaTestata(d, interno);

  d.cont = &dett;
  auto& schede = d.Metti(ui::Tipo::TabStrip, "TasPagine", -1, kMargine, 840, interno, 3330);
  // Each tab as wide as its caption and a margin: the marker under the
  // selected tab takes its place from these widths.
  struct Scheda {
    const char* caption;
    const char* key;
    const char* tip;
    long larghezza;
  };
  const std::vector<Scheda> tabs = {
      {"(1) Cliente", "Cliente", "1 - Cliente", 1320},
      {"(2) Altri Dati", "Altri", "2 - Altri Dati", 1470},
      {"(3) Note Testata", "NoteTestata", "3 - Note Testata", 1680},
      {"(4) Dati Accompagnamento", "Accomp", "4 - Dati Accompagnamento", 2730},
      {"(5) Nota Cliente", "NotaCliente", "5 - Nota Cliente", 1650},
      {"(6) Doc. di Orig. e di Evas.", "DocOrig", "6 - Doc. di Origine e di Evasione", 2640},
  };
  for (const auto& t : tabs) {
    ui::Elemento& e = schede.AggiungiElemento(t.key, t.caption);
    e.ToolTipText = t.tip;
    e.Width = t.larghezza;
  }
  schede.ElementoCambiato();

  const Riquadro area = AreaPagine();
  auto pagina = [&](int i) -> ui::Controllo& {
    d.cont = &dett;
    auto& p = d.Contenitore(ui::Tipo::PictureBox, "PicPagine", i, area.Left, area.Top, area.Width, area.Height);
    p.SetBorderStyle(0);
    d.cont = &p;
    return p;
  };
  pagina(0);
  PaginaCliente(d);
  pagina(1);
  PaginaAltri(d);
  pagina(2);
  PaginaNote(d, area.Width, area.Height);
  pagina(3);
  PaginaAccompagnamento(d);
  pagina(4);
  PaginaNotaCliente(d);
  pagina(5);
  PaginaProvenienza(d, area.Width, area.Height);

  // The marker under the selected tab; the load shows it.
  d.cont = &dett;
  auto& segno = d.Contenitore(ui::Tipo::PictureBox, "PicEvid", 0, 0, 0, 0, 50);
  segno.SetBorderStyle(0);
  segno.SetBackColor(ui::vbRed);
  segno.SetVisible(false);

  StrisciaTotali(d, interno);
  d.cont = &dett;
  dett.SetHeight(4230 + 630 + 30);

  // The lines of the DDT, read-only, under the data container.
  d.cont = nullptr;
  auto& datDett = d.Metti<ui::DatiControllo>(ui::Tipo::Data, "DatDett", -1, 0, 0, 1200, 300);
  datDett.SetVisible(false);
  const long topGriglia = dett.Top() + dett.Height() + 30;
  constexpr long kAltStato = 450;
  auto& griglia = d.Metti<ui::Griglia>(ui::Tipo::DataGrid, "dbgDett", -1, kMargine, topGriglia, interno,
                                       ScaleHeight() - kAltStato - 30 - topGriglia);
  griglia.SetDataSource(&datDett);
  griglia.SetAllowUpdate(false);
  griglia.SetAllowAddNew(false);

  auto& stato = d.Metti(ui::Tipo::StatusBar, "staMessaggi", -1, 0, ScaleHeight() - kAltStato, larghezza, kAltStato);
  stato.AggiungiElemento("DescrCampo").Width = 0;
  stato.AggiungiElemento("Messaggio").Width = 5400;
  stato.ElementoCambiato();

  // Every field has its caption label1(n): the fields shown without one
  // (hidden boxes, a second box of a pair, values under a common caption)
  // get an empty, invisible one of no size.
  std::vector<ui::Controllo*> campi;
  for (const auto& c : Controlli())
    if ((c->Name() == "txt" || c->Name() == "lab") && !Esiste("label1", c->Index())) campi.push_back(c.get());
  for (ui::Controllo* c : campi) {
    if (Esiste("label1", c->Index())) continue;
    d.cont = c->Container();
    d.Metti(ui::Tipo::Label, "label1", c->Index(), 0, 0, 0, 0).SetVisible(false);
  }
  d.cont = nullptr;

  for (const auto& [n, testo] : Descrizioni()) txt(n).SetToolTipText(testo);

  // One-shot deferred steps.
  for (const char* nome : {"timComPag", "TimDupl"}) {
    auto& t = d.Metti(ui::Tipo::Timer, nome, -1, 0, 0, 0, 0);
    t.SetEnabled(false);
    t.SetInterval(1);
  }
}
