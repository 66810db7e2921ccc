// The controls of "Dettagli DDT" and their places. From the top: the
// toolbar, the read-only header panel `picFisso`, the totals strip
// `picTotPrz`, the line grid `dbgRiga` with its row counter `txtRiga`, the
// article strip `PicDati`(0) with the markers `PicDati`(6), the tab strip
// `TasPagine` over the four pages `PicDati`(1..4); the panels of a
// descriptive line `PicDett`(1) and of a command line `PicDett`(2) take the
// pages' place; the level panel `picLivelli` floats over the grid. The
// article strip, its markers and the four pages make the panel of an
// article line `PicDett`(0): one of the three line panels shows at a time.
// Geometry in twips for a window of 12000 x 9000.
#include <algorithm>
#include <string>
#include <vector>

#include "ddt/lines/frmDDTDett.h"
#include "platform/ui/Griglia.h"

namespace {

constexpr long kLargh = 12000;
constexpr long kAlt = 9000;
constexpr long kPasso = 345;
constexpr long kAltTesto = 300;
constexpr long kScostaLab = 30;
constexpr long kAltLab = 255;
// Width of the usable area and of the line panels.
constexpr long kUtile = kLargh - 240;
// Places of the line panels and of the pages inside the article panel.
constexpr long kTopPannelli = 4080, kAltPannelli = 4050;
// The row between the grid and the panels.
constexpr long kTopSotto = kTopPannelli - kPasso;
constexpr long kTopSchede = 690, kTopPagine = kTopSchede + 375, kAltPagine = kAltPannelli - kTopPagine - 30;

class Disegno {
 public:
  explicit Disegno(frmDDTDett& f) : f_(f) {}
  ui::Controllo* cont = nullptr;

  template <class T = ui::Controllo>
  T& Metti(ui::Tipo t, const std::string& nome, int indice, long x, long y, long w, long h) {
    T& c = f_.Crea<T>(t, nome, indice);
    // Inside a container the contents keep clear of its sunken frame.
    if (cont) {
      c.SetContainer(cont);
      x += 45;
      y += 15;
    }
    c.Move(x, y, w, h);
    c.SetTabIndex(tab_++);
    return c;
  }
  long Riga(int r) const { return 30 + r * kPasso; }
  ui::Controllo& Cap(int n, const std::string& testo, long x, int r, long w) {
    auto& c = Metti(ui::Tipo::Label, "label1", n, x, Riga(r) + kScostaLab, w, kAltLab);
    c.SetCaption(testo);
    return c;
  }
  ui::Controllo& Txt(int n, long x, int r, long w) { return Metti(ui::Tipo::TextBox, "txt", n, x, Riga(r), w, kAltTesto); }
  ui::Controllo& Lab(int n, long x, int r, long w) {
    auto& c = Metti(ui::Tipo::Label, "lab", n, x, Riga(r) + 15, w, kAltTesto - 30);
    c.SetForeColor(ui::vbBlue);
    return c;
  }
  ui::Controllo& Hlp(int n, long x, int r) {
    auto& c = Metti(ui::Tipo::CommandButton, "ComHlp", n, x, Riga(r), 300, kAltTesto);
    c.SetCaption("..");
    c.SetTabStop(false);
    return c;
  }
  // A bound box the user never sees: a check or combo box shows it.
  ui::Controllo& Nascosto(int n, const char* nome = "txt") {
    auto& c = Metti(ui::Tipo::TextBox, nome, n, 0, 0, 600, kAltTesto);
    c.SetVisible(false);
    c.SetTabStop(false);
    return c;
  }
  ui::Controllo& Bottone(const std::string& nome, int indice, const std::string& testo, long x, int r, long w) {
    auto& c = Metti(ui::Tipo::CommandButton, nome, indice, x, Riga(r), w, kAltTesto);
    c.SetCaption(testo);
    c.SetTabStop(false);
    return c;
  }
  ui::Controllo& Casella(int n, const std::string& testo, long x, int r, long w) {
    auto& c = Metti(ui::Tipo::CheckBox, "che", n, x, Riga(r), w, kAltTesto);
    c.SetCaption(testo);
    return c;
  }
  ui::Controllo& Combo(int n, long x, int r, long w) {
    auto& c = Metti(ui::Tipo::ComboBox, "cob", n, x, Riga(r), w, kAltTesto);
    c.SetStyle(2);
    return c;
  }
  ui::Controllo& Contenitore(const std::string& nome, int indice, long x, long y, long w, long h) {
    auto& c = Metti(ui::Tipo::PictureBox, nome, indice, x, y, w, h);
    c.SetBorderStyle(0);
    c.SetTabStop(false);
    return c;
  }

 private:
  frmDDTDett& f_;
  int tab_ = 0;
};

struct Bottone {
  const char* key;
  const char* tip;
};

void Barra(Disegno& d) {
  auto& tb = d.Metti(ui::Tipo::Toolbar, "tolLinPag", -1, 0, 0, kLargh, 420);
  const std::vector<std::vector<Bottone>> gruppi = {
      {{"Nuovo", "(N) Nuovo"},
       {"Salva", "(S) Salva"},
       {"Cancella", "(C) Cancella"},
       {"Annulla", "(A) Annulla"},
       {"Duplica", "(D) Duplica"},
       {"VarKey", "(R) Varia campi chiave"}},
      {{"Punta", "(P) Puntatore"},
       {"VaiA", "(V) Vai a"},
       {"Inizio", "(I) Inizio Archivio"},
       {"Posiz", ""},
       {"Fine", "(F) Fine Archivio"},
       {"Aggiorna", "(G) Aggiorna"},
       {"Trova", "(T) Trova"}},
      {{"Chiudi", "(H) Chiudi"}, {"Menu", "(M) Menu"}, {"EsciNoSalva", "(E) Esci Annullando"}},
      {{"Taglia", "(X) Taglia"},
       {"Copia", "(O) Copia"},
       {"Incolla", "(W) Incolla"},
       {"Inserisci", "(F10) Inserisci riga"}},
      {{"Livelli", "(L) Gestione livelli"},
       {"LivelliCrea", "(K) Gest. livelli con Creazione"},
       {"LetturaDaFile", "(B) Lettura da File Ascii"},
       {"MatrGest", "(J) Gestione matricole"},
       {"LettMatr", "(Q) Lettura matricole da file"},
       {"Tracc", "(Z) Gestione lotti"}},
  };
  int sep = 0;
  for (size_t g = 0; g < gruppi.size(); ++g) {
    if (g > 0) tb.AggiungiElemento("-" + std::to_string(++sep), "", ui::tbrSeparator);
    for (const auto& b : gruppi[g]) {
      ui::Elemento& e = tb.AggiungiElemento(b.key);
      e.ToolTipText = b.tip;
      e.Image = b.key;
    }
  }
  tb.Elem("Duplica").Visible = false;
  tb.Elem("Posiz").Visible = false;
  tb.ElementoCambiato();
  d.Metti(ui::Tipo::ImageList, "ImagePiccole", -1, 0, 0, 0, 0);
}

void Testata(Disegno& d) {
  auto& p = d.Contenitore("picFisso", -1, 60, 480, kUtile, 3 * kPasso + 30);
  p.SetEnabled(false);
  d.cont = &p;
  d.Cap(600, "Anno:", 0, 0, 0).SetVisible(false);
  d.Txt(600, 0, 0, 0).SetVisible(false);
  d.Cap(610, "Numero Riferimento:", 0, 0, 1800);
  d.Txt(610, 1860, 0, 900);
  d.Cap(620, "Del:", 2880, 0, 420);
  d.Txt(620, 3300, 0, 1200);
  d.Cap(630, "Tipo Doc.:", 4620, 0, 960);
  d.Txt(630, 5640, 0, 720);
  d.Lab(630, 6420, 0, 5280);
  d.Cap(640, "Docum.:", 0, 1, 1800);
  d.Txt(640, 1860, 1, 420);
  d.Txt(650, 2340, 1, 900);
  d.Cap(660, "Del:", 3360, 1, 420);
  d.Txt(660, 3780, 1, 1200);
  d.Cap(670, "Cliente/Fornit.:", 5100, 1, 1380);
  d.Txt(670, 6480, 1, 1200);
  d.Lab(670, 7740, 1, 3960);
  d.Lab(680, 7740, 2, 3960);
  d.Cap(690, "Riferim. Cliente:", 0, 2, 1800);
  d.Txt(690, 1860, 2, 1200);
  d.Cap(701, "Listino:", 3180, 2, 660);
  d.Txt(700, 3900, 2, 480);
  d.Cap(711, "Moneta:", 4500, 2, 720);
  d.Txt(710, 5280, 2, 600);
  d.Cap(721, "Cambio:", 6000, 2, 720);
  d.Txt(720, 6780, 2, 900);
  d.cont = nullptr;
}

void Totali(Disegno& d) {
  auto& p = d.Contenitore("picTotPrz", -1, 60, 1575, kUtile, kPasso);
  d.cont = &p;
  d.Cap(8, "Totale Quantità:", 0, 0, 1380);
  d.Lab(285, 1440, 0, 1800).SetAlignment(1);
  d.Cap(280, "Totale Merce:", 3420, 0, 1200);
  d.Lab(280, 4680, 0, 1800).SetAlignment(1);
  d.Cap(275, "Totale in Lire:", 6660, 0, 1260);
  d.Lab(275, 7980, 0, 1800).SetAlignment(1);
  auto& ivati = d.Cap(700, "Prezzi Ivati", 9960, 0, 1200);
  ivati.SetForeColor(ui::vbRed);
  ivati.SetVisible(false);
  d.cont = nullptr;
}

void Griglia(Disegno& d) {
  auto& dat = d.Metti<ui::DatiControllo>(ui::Tipo::Data, "datRiga", -1, 0, 0, 1200, 300);
  dat.SetVisible(false);
  auto& g = d.Metti<ui::Griglia>(ui::Tipo::DataGrid, "dbgRiga", -1, 60, 1935, kUtile, kTopSotto - 30 - 1935);
  g.SetDataSource(&dat);
  g.SetAllowUpdate(false);
  g.SetAllowAddNew(false);
  // Under the grid: the read-only marker and the row counter.
  auto& sola = d.Metti(ui::Tipo::Label, "label1", 28, 60, kTopSotto + kScostaLab, 3600, kAltLab);
  sola.SetCaption("Solo Visualizzazione");
  sola.SetForeColor(ui::vbRed);
  sola.SetVisible(false);
  auto& conta = d.Metti(ui::Tipo::TextBox, "txtRiga", -1, 60 + kUtile - 1620, kTopSotto, 1620, kAltTesto);
  conta.SetText("99999 / 99999");
  conta.SetLocked(true);
  conta.SetTabStop(false);
  conta.SetAlignment(2);
}

void StrisciaArticolo(Disegno& d) {
  auto& p = d.Contenitore("PicDati", 0, 0, 0, kUtile - 90, kPasso);
  d.cont = &p;
  d.Cap(19, "Articolo", 0, 0, 900);
  d.Txt(20, 960, 0, 1800);
  d.Hlp(20, 2760, 0);
  d.Txt(26, 3120, 0, 4320);
  d.Bottone("ComTipoRic", -1, "Codice", 7500, 0, 2100);
  d.Bottone("ComTipoRiga", 0, "Riga Descrittiva (F8)", 9660, 0, kUtile - 9660 - 180);
  d.cont = nullptr;
}

void Marcatori(Disegno& d, ui::Controllo& pannello) {
  d.cont = &pannello;
  auto& m = d.Contenitore("PicDati", 6, 0, kPasso, kUtile - 90, kPasso);
  d.cont = &m;
  auto marca = [&](int n, const char* t, long x, long w) {
    auto& c = d.Cap(n, t, x, 0, w);
    c.SetForeColor(ui::vbRed);
    c.SetVisible(false);
  };
  // "Descr.Modificata" takes the place of "Articolo Manuale" at load.
  marca(26, "Articolo Manuale", 960, 1500);
  marca(23, "Descr.Modificata", 2520, 1500);
  marca(24, "RAEE", 4080, 600);
  // The level marker is label1(20), beside the article it speaks of.
  marca(20, "Livelli", 4740, 720);
  auto& pl = d.Bottone("ComPartLotti", -1, "Partite/Lotto (F12)", 7500, 0, 2100);
  pl.SetVisible(false);
  d.Bottone("ComTipoRiga", 2, "Riga Comando (F5)", 9660, 0, kUtile - 9660 - 180);
  d.cont = nullptr;
}

void PaginaPrincipale(Disegno& d) {
  constexpr long kCampo = 1140, kCap = 1080;
  d.Cap(30, "Quantità:", 0, 0, kCap);
  d.Txt(30, kCampo, 0, 1200);
  d.Cap(40, "Colli:", 2460, 0, 840);
  d.Txt(40, 3360, 0, 780);
  d.Cap(50, "Pezzi x Conf.:", 4260, 0, 1320);
  d.Lab(50, 5640, 0, 600);
  d.Cap(140, "U.M.:", 6360, 0, 480);
  d.Txt(140, 6900, 0, 540);
  d.Hlp(140, 7440, 0);
  d.Lab(140, 7800, 0, 1140);
  d.Cap(150, "Fatt. di Conv.:", 9000, 0, 1140);
  d.Txt(150, 10200, 0, 1200);

  d.Cap(60, "Prezzo:", 0, 1, kCap);
  d.Txt(60, kCampo, 1, 1200);
  d.Hlp(60, 2340, 1);
  d.Cap(70, "Importo:", 2760, 1, 720);
  d.Txt(70, 3540, 1, 1440);
  d.Casella(75, "Sogg. Sconto Pagamento", 5100, 1, 2580);
  d.Cap(130, "Iva:", 7740, 1, 360);
  d.Txt(130, 8160, 1, 540);
  d.Hlp(130, 8700, 1);
  d.Lab(130, 9060, 1, 2340);

  d.Cap(80, "Sconto Tot.:", 0, 2, kCap);
  d.Txt(80, kCampo, 2, 1200);
  d.Hlp(80, 2340, 2);
  d.Lab(80, 2700, 2, 900);
  d.Cap(90, "Tab.:", 3720, 2, 420);
  d.Txt(90, 4200, 2, 960);
  d.Cap(100, "Cli.:", 5280, 2, 360);
  d.Txt(100, 5700, 2, 960);
  d.Cap(110, "Art.:", 6780, 2, 420);
  d.Txt(110, 7260, 2, 960);
  d.Cap(120, "Qta:", 8340, 2, 360);
  d.Txt(120, 8760, 2, 960);

  d.Cap(160, "C/merce:", 0, 3, kCap);
  d.Txt(160, kCampo, 3, 1200);
  d.Hlp(160, 2340, 3);
  d.Lab(160, 2700, 3, 2580);
  d.Cap(165, "C.di Costo:", 5400, 3, 960);
  d.Txt(165, 6420, 3, 900);
  d.Hlp(165, 7320, 3);
  d.Lab(165, 7680, 3, 3720);

  d.Cap(170, "Omaggio:", 0, 4, kCap);
  auto& om = d.Combo(170, kCampo, 4, 1560);
  for (const char* v : {"N-No", "S-Omaggio", "I-Add.solo Iva"}) om.AddItem(v);
  d.Casella(175, "Promozione", 2820, 4, 1320).SetEnabled(false);
  d.Cap(180, "% provv Ag.1:", 4260, 4, 1200);
  d.Txt(180, 5520, 4, 780);
  d.Cap(190, "% provv Ag.2:", 6420, 4, 1200);
  d.Txt(190, 7680, 4, 780);
  d.Casella(205, "Sogg. Ritenuta d'acconto", 8580, 4, 2820);

  // Stock and availability of the article, and its warning.
  d.Cap(200, "Disponib.:", 0, 5, kCap);
  d.Lab(200, kCampo, 5, 1800);
  d.Cap(212, "Giacenza:", 3060, 5, 900);
  d.Lab(210, 4020, 5, 1800);
  auto& neg = d.Cap(210, "Giacenza negativa", 5940, 5, 1800);
  neg.SetForeColor(ui::vbRed);
  neg.SetVisible(false);
  d.Bottone("com", 117, "Date competenza", 9660, 5, 1740).SetVisible(false);

  // Personal descriptions, shown when the terminal names them.
  const int pers[] = {220, 230, 265, 267};
  for (int i = 0; i < 4; ++i) {
    const long x = i * 2940;
    d.Cap(pers[i], "", x, 6, kCap).SetVisible(false);
    d.Txt(pers[i], x + kCampo, 6, 1440).SetVisible(false);
  }
  d.Hlp(220, kCampo + 1440, 6).SetVisible(false);
  // Quantity from dimensions: the load shows these when it is on.
  d.Cap(250, "Lunghezza:", 0, 7, kCap).SetVisible(false);
  d.Txt(250, kCampo, 7, 1000).SetVisible(false);
  d.Cap(260, "Larghezza:", 2280, 7, kCap).SetVisible(false);
  d.Txt(260, 3420, 7, 1000).SetVisible(false);
  d.Cap(270, "Altezza:", 4560, 7, kCap).SetVisible(false);
  d.Txt(270, 5700, 7, 1000).SetVisible(false);

  auto& bu = d.Contenitore("PicBeneUsato", -1, 6840, d.Riga(7), 4560, kPasso);
  bu.SetVisible(false);
  ui::Controllo* prima = d.cont;
  d.cont = &bu;
  d.Cap(195, "Bene usato:", 0, 0, kCap);
  d.Txt(195, kCampo, 0, 720);
  d.Hlp(195, 1860, 0);
  d.Lab(195, 2220, 0, 2280);
  d.cont = prima;

  // Accrual dates and the other bound boxes the user does not type into.
  for (int n : {117, 118, 119, 240, 215, 18, 23, 75, 170, 175, 205}) d.Nascosto(n);
}

void PaginaDescrizione(Disegno& d) {
  d.Cap(400, "Dove Stampo Descrizione Lunga:", 0, 0, 2820);
  auto& dl = d.Combo(400, 2880, 0, 1500);
  dl.AddItem("No");
  dl.AddItem("Sopra");
  dl.AddItem("Sotto");
  for (int i = 0; i < 3; ++i) dl.SetItemData(i, i);
  d.Nascosto(400);
  d.Cap(420, "Nota Sopra:", 0, 1, 1080);
  d.Combo(410, 1140, 1, 2700);
  d.Nascosto(410);
  auto& ns = d.Metti(ui::Tipo::TextBox, "txt", 420, 0, d.Riga(2), 11400, 2 * kPasso + kAltTesto);
  ns.SetMultiLine(true);
  d.Cap(440, "Nota Sotto:", 0, 5, 1080);
  d.Combo(430, 1140, 5, 2700);
  d.Nascosto(430);
  auto& nt = d.Metti(ui::Tipo::TextBox, "txt", 440, 0, d.Riga(6), 11400, kPasso + kAltTesto);
  nt.SetMultiLine(true);
}

void PaginaProvenienza(Disegno& d) {
  d.Cap(540, "Tipo Doc.:", 0, 0, 1080);
  d.Lab(540, 1140, 0, 900);
  // The source document type's description.
  auto& tipoDoc = d.Metti(ui::Tipo::Label, "labdec", 540, 2100, d.Riga(0) + 15, 4500, kAltTesto - 30);
  tipoDoc.SetForeColor(ui::vbBlue);
  d.Cap(500, "Anno:", 0, 1, 1080);
  d.Lab(500, 1140, 1, 900);
  d.Cap(510, "Numero:", 0, 2, 1080);
  d.Lab(510, 1140, 2, 900);
  d.Cap(520, "Riga:", 0, 3, 1080).SetVisible(false);
  d.Lab(520, 1140, 3, 900).SetVisible(false);
  d.Cap(530, "Quantità:", 0, 3, 1080);
  d.Lab(530, 1140, 3, 1500);
}

void PaginaAltro(Disegno& d) {
  d.Cap(800, "Lunghezza:", 0, 0, 1080);
  d.Txt(800, 1140, 0, 1200);
  d.Cap(810, "Larghezza:", 0, 1, 1080);
  d.Txt(810, 1140, 1, 1200);
  d.Cap(820, "Altezza:", 0, 2, 1080);
  d.Txt(820, 1140, 2, 1200);
  d.Cap(830, "Contratto:", 0, 3, 1080);
  d.Txt(830, 1140, 3, 1200);
  d.Hlp(830, 2340, 3);
  d.Lab(830, 2700, 3, 4200);
  auto& stella = d.Cap(832, "*", 6960, 3, 200);
  stella.SetForeColor(ui::vbRed);
  stella.SetVisible(false);
}

}  // namespace

void frmDDTDett::CreaControlli() {
  SetCaption("Dettagli DDT");
  Move(0, 0, kLargh, kAlt);
  Disegno d(*this);
  Barra(d);
  Testata(d);
  Totali(d);
  Griglia(d);

  // Hidden bound fields of the line: its number, stable key, values in
  // lire and euro, the command of a command line.
  d.Nascosto(10);
  for (int n : {15, 290, 300}) d.Nascosto(n, "lab");
  d.Nascosto(900);

  // The panel of an article line: the article strip, its markers, the
  // four pages under their tabs.
  auto& art = d.Contenitore("PicDett", 0, 60, kTopPannelli, kUtile, kAltPannelli);
  d.cont = &art;
  StrisciaArticolo(d);
  d.cont = &art;
  auto& schede = d.Metti(ui::Tipo::TabStrip, "TasPagine", -1, 0, kTopSchede, kUtile - 90, kAltPannelli - kTopSchede - 30);
  struct Scheda {
    const char* caption;
    const char* key;
    const char* tip;
  };
  const Scheda tabs[] = {
      {"(&1) Principale", "Principale", "(1) - Dati Principali dell'articolo"},
      {"(&2) Descrizione", "Descrizione", "(2) - Descrizione lunga"},
      {"(&3) Riferimento provenienza", "Riferimenti", "(3) - Dati del documento di provenienza"},
      {"(&4) Altro", "Altro", "(4) Altri dati"},
  };
  for (const auto& t : tabs) schede.AggiungiElemento(t.key, t.caption).ToolTipText = t.tip;
  schede.ElementoCambiato();
  Marcatori(d, art);
  auto pagina = [&](int i) {
    d.cont = &art;
    auto& p = d.Contenitore("PicDati", i, 120, kTopPagine, kUtile - 240, kAltPagine);
    p.SetVisible(i == 1);
    d.cont = &p;
  };
  pagina(1);
  PaginaPrincipale(d);
  pagina(2);
  PaginaDescrizione(d);
  pagina(3);
  PaginaProvenienza(d);
  pagina(4);
  PaginaAltro(d);

  // The panels of a descriptive and of a command line take its place.
  d.cont = nullptr;
  auto& descr = d.Contenitore("PicDett", 1, 60, kTopPannelli, kUtile, kAltPannelli);
  descr.SetVisible(false);
  d.cont = &descr;
  auto& pd = d.Contenitore("PicDati", 5, 0, 0, kUtile - 90, kAltPannelli - 30);
  d.cont = &pd;
  d.Cap(425, "Riga Descrittiva:", 60, 0, 1500);
  d.Bottone("ComTipoRiga", 1, "Riga di Articolo (F8)", 7440, 0, 2160);
  d.Bottone("ComTipoRiga", 5, "Riga Comando (F5)", 9660, 0, kUtile - 9660 - 180);
  auto& dt = d.Metti(ui::Tipo::TextBox, "txt", 425, 60, d.Riga(1), kUtile - 240, 7 * kPasso + kAltTesto);
  dt.SetMultiLine(true);
  d.Cap(435, "Dove viene stampata:", 60, 9, 2040);
  d.Combo(435, 2160, 9, 2700);

  d.cont = nullptr;
  auto& com = d.Contenitore("PicDett", 2, 60, kTopPannelli, kUtile, kAltPannelli);
  com.SetVisible(false);
  d.cont = &com;
  auto& pc = d.Contenitore("PicDati", 7, 0, 0, kUtile - 90, kAltPannelli - 30);
  d.cont = &pc;
  d.Cap(902, "Riga di Comando:", 60, 0, 1500);
  d.Bottone("ComTipoRiga", 3, "Riga Descrittiva (F5)", 7440, 0, 2160);
  d.Bottone("ComTipoRiga", 4, "Riga di Articolo (F8)", 9660, 0, kUtile - 9660 - 180);
  d.Cap(901, "Comando:", 60, 1, 1380);
  d.Combo(900, 1500, 1, 5400);
  d.Cap(910, "Parametro:", 60, 2, 1380);
  d.Txt(910, 1500, 2, 1200);
  d.Cap(920, "Tipo Sottosezine:", 60, 2, 1380).SetVisible(false);
  auto& sotto = d.Combo(920, 1500, 2, 3000);
  sotto.SetVisible(false);
  {
    const std::vector<std::pair<const char*, long>> voci = {
        {"Tutti", 0},   {"Data Consegna", 30},         {"Modalità di pagamento", 31},
        {"Data Consegna", 32}, {"Durata validità offerta", 33}, {"Resa", 34},
        {"Consegna a mezzo", 35}, {"Dicitura prezzi ivati", 36}};
    for (const auto& [t, v] : voci) {
      sotto.AddItem(t);
      sotto.SetItemData(sotto.ListCount() - 1, v);
    }
    for (int i = 1; i <= 10; ++i) {
      sotto.AddItem("Libero " + std::to_string(i));
      sotto.SetItemData(sotto.ListCount() - 1, 39 + i);
    }
  }

  // The level panel, over the grid until the load places it.
  d.cont = nullptr;
  auto& liv = d.Contenitore("picLivelli", -1, 5640, 2520, 6060, 2 * kPasso + 90);
  liv.SetBorderStyle(1);
  liv.SetVisible(false);
  mlPicLivTopDis = liv.Top();
  mlPicLivLeftDis = liv.Left();
  d.cont = &liv;
  d.Cap(21, "Gruppo Liv.1", 60, 0, 1020);
  d.Txt(21, 1140, 0, 900);
  d.Hlp(21, 2040, 0);
  d.Lab(21, 2400, 0, 3540);
  d.Cap(22, "Gruppo Liv.2", 60, 1, 1020);
  d.Txt(22, 1140, 1, 900);
  d.Hlp(22, 2040, 1);
  d.Lab(22, 2400, 1, 3540);

  mlColoreArticoloDis = label1(19).ForeColor();

  d.cont = nullptr;
  auto& stato = d.Metti(ui::Tipo::StatusBar, "staMessaggi", -1, 0, kAlt - 405 - 420, kLargh, 420);
  stato.AggiungiElemento("DescrCampo").Width = 0;
  stato.AggiungiElemento("Messaggio").Width = 6000;
  stato.ElementoCambiato();

  auto& tim = d.Metti(ui::Tipo::Timer, "timLinPag", -1, 0, 0, 0, 0);
  tim.SetInterval(1);
  tim.SetEnabled(false);

  // Every field has its caption label1(n); the fields shown without one
  // get an empty, invisible one of no size.
  std::vector<ui::Controllo*> campi;
  for (const auto& c : Controlli())
    if ((c->Name() == "txt" || c->Name() == "lab") && !Esiste("label1", c->Index())) campi.push_back(c.get());
  for (ui::Controllo* c : campi) {
    if (Esiste("label1", c->Index())) continue;
    d.cont = c->Container();
    d.Metti(ui::Tipo::Label, "label1", c->Index(), 0, 0, 0, 0).SetVisible(false);
  }

  // ---- focus traps (grid events): two borderless boxes outside the visible
  // area of the main page (below it: a place is never negative here), next
  // in the Tab order after its last fields; reaching one moves the line as
  // Up or Down would.
  {
    int ultimo = 0;
    for (int n : {265, 267})
      if (Esiste("txt", n)) ultimo = std::max(ultimo, C("txt", n).TabIndex());
    for (const auto& c : Controlli())
      if (c->TabIndex() > ultimo) c->SetTabIndex(c->TabIndex() + 2);
    for (int i = 0; i < 2; ++i) {
      auto& t = Crea(ui::Tipo::TextBox, "TextSpost", i);
      t.SetContainer(&C("PicDati", 1));
      t.Move(60 + i * 120, C("PicDati", 1).Height() + 300, 75, 195);
      t.SetBorderStyle(0);
      t.SetBackColor(ui::vbButtonFace);
      t.SetTabIndex(ultimo + 1 + i);
    }
  }
}
