// The controls of "Dettagli DDT" and their places. From the top: the
// toolbar, the read-only header panel `picFisso`, the totals strip
// `picTotPrz`, the line grid `dbgRiga` with its row counter `txtRiga`, the
// article strip `PicDati`(0) with the markers `PicDati`(6), the tab strip
// `TasPagine` over the four pages `PicDati`(1..4); the panels of a
// descriptive line `PicDett`(1) and of a command line `PicDett`(2) take the
// pages' place; the level panel `picLivelli` floats over the grid. Geometry
// in twips for a window of 12000 x 8700.
#include <string>
#include <vector>

#include "ddt/lines/frmDDTDett.h"
#include "platform/ui/Griglia.h"

namespace {

constexpr long kLargh = 12000;
constexpr long kAlt = 8700;
constexpr long kPasso = 360;
constexpr long kAltTesto = 315;
constexpr long kScostaLab = 45;
constexpr long kAltLab = 255;

class Disegno {
 public:
  explicit Disegno(frmDDTDett& f) : f_(f) {}
  ui::Controllo* cont = nullptr;

  template <class T = ui::Controllo>
  T& Metti(ui::Tipo t, const std::string& nome, int indice, long x, long y, long w, long h) {
    T& c = f_.Crea<T>(t, nome, indice);
    if (cont) c.SetContainer(cont);
    c.Move(x, y, w, h);
    c.SetTabIndex(tab_++);
    return c;
  }
  long Riga(int r) const { return 60 + r * kPasso; }
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
    auto& c = Metti(ui::Tipo::CommandButton, "ComHlp", n, x, Riga(r), 270, kAltTesto);
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
  auto& p = d.Contenitore("picFisso", -1, 60, 450, kLargh - 240, 3 * kPasso + 60);
  p.SetEnabled(false);
  d.cont = &p;
  d.Cap(600, "Anno:", 0, 0, 0).SetVisible(false);
  d.Txt(600, 0, 0, 0).SetVisible(false);
  d.Cap(610, "Numero Riferimento:", 0, 0, 1560);
  d.Txt(610, 1620, 0, 900);
  d.Cap(620, "Del:", 2640, 0, 360);
  d.Txt(620, 3060, 0, 1080);
  d.Cap(630, "Tipo Doc.:", 4260, 0, 840);
  d.Txt(630, 5160, 0, 720);
  d.Lab(630, 5940, 0, 3000);
  d.Cap(640, "Docum.:", 0, 1, 1560);
  d.Txt(640, 1620, 1, 420);
  d.Txt(650, 2100, 1, 900);
  d.Cap(660, "Del:", 3060, 1, 360);
  d.Txt(660, 3480, 1, 1080);
  d.Cap(670, "Cliente/Fornit.:", 4680, 1, 1260);
  d.Txt(670, 6000, 1, 1200);
  d.Lab(670, 7260, 1, 4380);
  d.Lab(680, 7260, 2, 4380);
  d.Cap(690, "Riferim. Cliente:", 0, 2, 1560);
  d.Txt(690, 1620, 2, 1380);
  d.Cap(701, "Listino:", 3060, 2, 600);
  d.Txt(700, 3720, 2, 480);
  d.Cap(711, "Moneta:", 4260, 2, 660);
  d.Txt(710, 4980, 2, 600);
  d.Cap(721, "Cambio:", 5640, 2, 660);
  d.Txt(720, 6360, 2, 840);
  d.cont = nullptr;
}

void Totali(Disegno& d) {
  auto& p = d.Contenitore("picTotPrz", -1, 60, 1590, kLargh - 240, kPasso + 30);
  d.cont = &p;
  d.Cap(8, "Totale Quantità:", 0, 0, 1320);
  d.Lab(285, 1380, 0, 1800).SetAlignment(1);
  d.Cap(280, "Totale Merce:", 3420, 0, 1140);
  d.Lab(280, 4620, 0, 2000).SetAlignment(1);
  d.Cap(275, "Totale in Lire:", 6900, 0, 1260);
  d.Lab(275, 8220, 0, 2000).SetAlignment(1);
  auto& ivati = d.Cap(700, "Prezzi Ivati", 10380, 0, 1200);
  ivati.SetForeColor(ui::vbRed);
  ivati.SetVisible(false);
  d.cont = nullptr;
}

void Griglia(Disegno& d) {
  auto& dat = d.Metti<ui::DatiControllo>(ui::Tipo::Data, "datRiga", -1, 0, 0, 1200, 300);
  dat.SetVisible(false);
  auto& g = d.Metti<ui::Griglia>(ui::Tipo::DataGrid, "dbgRiga", -1, 60, 2010, kLargh - 240, 2460);
  g.SetDataSource(&dat);
  g.SetAllowUpdate(false);
  g.SetAllowAddNew(false);
  auto& conta = d.Metti(ui::Tipo::TextBox, "txtRiga", -1, kLargh - 1740, 4500, 1560, kAltTesto);
  conta.SetText("99999 / 99999");
  conta.SetLocked(true);
  conta.SetTabStop(false);
}

void StrisciaArticolo(Disegno& d) {
  auto& p = d.Contenitore("PicDati", 0, 60, 4860, 7800, kPasso + 30);
  d.cont = &p;
  d.Cap(19, "Articolo", 0, 0, 720);
  d.Txt(20, 780, 0, 1800);
  d.Hlp(20, 2580, 0);
  d.Txt(26, 2880, 0, 3600);
  auto& ric = d.Metti(ui::Tipo::CommandButton, "ComTipoRic", -1, 6540, d.Riga(0), 600, kAltTesto);
  ric.SetCaption("Cod.");
  ric.SetTabStop(false);
  auto& tipo = d.Metti(ui::Tipo::CommandButton, "ComTipoRiga", 0, 7200, d.Riga(0), 540, kAltTesto);
  tipo.SetCaption("Art.");
  tipo.SetTabStop(false);
  d.cont = nullptr;

  auto& m = d.Contenitore("PicDati", 6, 7920, 4860, kLargh - 8100, kPasso + 30);
  d.cont = &m;
  auto marca = [&](int n, const char* t, long x) {
    auto& c = d.Cap(n, t, x, 0, 1320);
    c.SetForeColor(ui::vbRed);
    c.SetVisible(false);
  };
  marca(26, "Articolo Manuale", 0);
  marca(23, "Descr.Modificata", 0);
  marca(24, "RAEE", 1380);
  marca(25, "Livelli", 1980);
  auto& pl = d.Metti(ui::Tipo::CommandButton, "ComPartLotti", -1, 2640, d.Riga(0), 1260, kAltTesto);
  pl.SetCaption("Partite/Lotto (F12)");
  pl.SetVisible(false);
  auto& t2 = d.Metti(ui::Tipo::CommandButton, "ComTipoRiga", 2, 3420, d.Riga(0), 420, kAltTesto);
  t2.SetCaption("Descr.");
  t2.SetTabStop(false);
  d.cont = nullptr;
}

void PaginaPrincipale(Disegno& d) {
  d.Cap(30, "Quantità:", 0, 0, 900);
  d.Txt(30, 960, 0, 1380);
  d.Cap(40, "Colli:", 2460, 0, 600);
  d.Txt(40, 3120, 0, 900);
  d.Cap(140, "U.M.:", 4140, 0, 480);
  d.Txt(140, 4680, 0, 480);
  d.Hlp(140, 5160, 0);
  d.Lab(140, 5460, 0, 1500);
  d.Cap(150, "Fatt.Conv.:", 7080, 0, 900);
  d.Txt(150, 8040, 0, 1080);

  d.Cap(60, "Prezzo Unit.:", 0, 1, 900);
  d.Txt(60, 960, 1, 1380);
  d.Hlp(60, 2340, 1);
  d.Cap(70, "Importo:", 2700, 1, 720);
  d.Txt(70, 3480, 1, 1500);
  auto& scp = d.Metti(ui::Tipo::CheckBox, "che", 75, 5100, d.Riga(1), 1800, kAltTesto);
  scp.SetCaption("Sconto pagamento");
  d.Cap(130, "Iva:", 7080, 1, 360);
  d.Txt(130, 7500, 1, 480);
  d.Hlp(130, 7980, 1);
  d.Lab(130, 8280, 1, 2400);

  d.Cap(80, "Sconto Tot.:", 0, 2, 900);
  d.Txt(80, 960, 2, 1380);
  d.Hlp(80, 2340, 2);
  d.Lab(80, 2640, 2, 720);
  d.Cap(100, "Cli.:", 3420, 2, 360);
  d.Txt(100, 3840, 2, 900);
  d.Cap(110, "Art.:", 4800, 2, 420);
  d.Txt(110, 5280, 2, 900);
  d.Cap(120, "Qta:", 6240, 2, 420);
  d.Txt(120, 6720, 2, 900);
  d.Cap(90, "Tab.:", 7680, 2, 420);
  d.Txt(90, 8160, 2, 900);

  d.Cap(160, "Conto Ricavo:", 0, 3, 900);
  d.Txt(160, 960, 3, 1380);
  d.Hlp(160, 2340, 3);
  d.Lab(160, 2640, 3, 2400);
  d.Cap(165, "Centro Costo:", 5160, 3, 1080);
  d.Txt(165, 6300, 3, 900);
  d.Hlp(165, 7200, 3);
  d.Lab(165, 7500, 3, 2400);

  d.Cap(170, "Omaggio:", 0, 4, 900);
  auto& om = d.Metti(ui::Tipo::ComboBox, "cob", 170, 960, d.Riga(4), 1680, kAltTesto);
  for (const char* v : {"N-No", "S-Omaggio", "I-Add.solo Iva"}) om.AddItem(v);
  auto& pr = d.Metti(ui::Tipo::CheckBox, "che", 175, 2760, d.Riga(4), 1260, kAltTesto);
  pr.SetCaption("Promozione");
  d.Cap(180, "% Provv.1:", 4140, 4, 840);
  d.Txt(180, 5040, 4, 900);
  d.Cap(190, "% Provv.2:", 6060, 4, 840);
  d.Txt(190, 6960, 4, 900);
  auto& rit = d.Metti(ui::Tipo::CheckBox, "che", 205, 7980, d.Riga(4), 1800, kAltTesto);
  rit.SetCaption("Sogg. ritenuta");

  // Personal descriptions, shown when the terminal names them.
  const int pers[] = {220, 230, 265, 267};
  for (int i = 0; i < 4; ++i) {
    const long x = (i % 2) * 5040;
    const int r = 5 + i / 2;
    d.Cap(pers[i], "", x, r, 900).SetVisible(false);
    d.Txt(pers[i], x + 960, r, 3900).SetVisible(false);
  }
  // Quantity from dimensions: the load shows these when it is on.
  d.Cap(250, "Lunghezza:", 0, 7, 900).SetVisible(false);
  d.Txt(250, 960, 7, 1200).SetVisible(false);
  d.Cap(260, "Larghezza:", 2280, 7, 900).SetVisible(false);
  d.Txt(260, 3240, 7, 1200).SetVisible(false);
  d.Cap(270, "Altezza:", 4560, 7, 900).SetVisible(false);
  d.Txt(270, 5520, 7, 1200).SetVisible(false);

  auto& bu = d.Contenitore("PicBeneUsato", -1, 6840, d.Riga(7), 4200, kPasso);
  bu.SetVisible(false);
  ui::Controllo* prima = d.cont;
  d.cont = &bu;
  d.Cap(195, "Bene usato:", 0, 0, 900);
  d.Txt(195, 960, 0, 720);
  d.Hlp(195, 1680, 0);
  d.Lab(195, 1980, 0, 2100);
  d.cont = prima;

  // Accrual dates and the other bound boxes the user does not type into.
  for (int n : {117, 118, 119, 240, 215, 18, 23, 75, 170, 175, 205}) d.Nascosto(n);
}

void PaginaDescrizione(Disegno& d) {
  d.Cap(400, "Descr. lunga:", 0, 0, 1080);
  auto& dl = d.Metti(ui::Tipo::ComboBox, "cob", 400, 1140, d.Riga(0), 1200, kAltTesto);
  dl.AddItem("No");
  dl.AddItem("Sopra");
  dl.AddItem("Sotto");
  for (int i = 0; i < 3; ++i) dl.SetItemData(i, i);
  d.Nascosto(400);
  d.Cap(410, "Nota sopra:", 0, 1, 1080);
  d.Metti(ui::Tipo::ComboBox, "cob", 410, 1140, d.Riga(1), 2700, kAltTesto);
  d.Nascosto(410);
  auto& ns = d.Metti(ui::Tipo::TextBox, "txt", 420, 0, d.Riga(2), 11100, 2 * kPasso);
  ns.SetMultiLine(true);
  d.Cap(430, "Nota sotto:", 0, 4, 1080);
  d.Metti(ui::Tipo::ComboBox, "cob", 430, 1140, d.Riga(4), 2700, kAltTesto);
  d.Nascosto(430);
  auto& nt = d.Metti(ui::Tipo::TextBox, "txt", 440, 0, d.Riga(5), 11100, 2 * kPasso);
  nt.SetMultiLine(true);
}

void PaginaProvenienza(Disegno& d) {
  d.Cap(540, "Tipo Doc.:", 0, 0, 1080);
  d.Lab(540, 1140, 0, 900);
  d.Cap(500, "Anno:", 0, 1, 1080);
  d.Lab(500, 1140, 1, 900);
  d.Cap(510, "Numero:", 0, 2, 1080);
  d.Lab(510, 1140, 2, 900);
  d.Cap(520, "Riga:", 0, 3, 1080).SetVisible(false);
  d.Lab(520, 1140, 3, 900).SetVisible(false);
  d.Cap(530, "Quantità:", 0, 4, 1080);
  d.Lab(530, 1140, 4, 1500);
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
  auto& stella = d.Cap(832, "*", 2400, 3, 200);
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
  StrisciaArticolo(d);

  // Hidden bound fields of the line: its number, stable key, values in
  // lire and euro, the command of a command line.
  for (int n : {10}) d.Nascosto(n);
  for (int n : {15, 290, 300}) d.Nascosto(n, "lab");
  d.Nascosto(900);

  const long topSchede = 5280, altSchede = kAlt - topSchede - 420 - 450;
  auto& schede = d.Metti(ui::Tipo::TabStrip, "TasPagine", -1, 60, topSchede, kLargh - 240, altSchede);
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
  const long xp = 120, yp = topSchede + 360, wp = kLargh - 360, hp = altSchede - 420;
  auto pagina = [&](int i) {
    d.cont = nullptr;
    auto& p = d.Contenitore("PicDati", i, xp, yp, wp, hp);
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

  // The panels of a descriptive and of a command line take the pages' place.
  d.cont = nullptr;
  auto& descr = d.Contenitore("PicDett", 1, 60, topSchede, kLargh - 240, altSchede);
  descr.SetVisible(false);
  d.cont = &descr;
  auto& pd = d.Contenitore("PicDati", 5, 0, 0, kLargh - 240, altSchede);
  d.cont = &pd;
  auto& dt = d.Metti(ui::Tipo::TextBox, "txt", 425, 60, d.Riga(0), kLargh - 480, 3 * kPasso);
  dt.SetMultiLine(true);
  d.Cap(435, "Stampa:", 60, 3, 720);
  d.Metti(ui::Tipo::ComboBox, "cob", 435, 840, d.Riga(3), 2700, kAltTesto);

  d.cont = nullptr;
  auto& com = d.Contenitore("PicDett", 2, 60, topSchede, kLargh - 240, altSchede);
  com.SetVisible(false);
  d.cont = &com;
  auto& pc = d.Contenitore("PicDati", 7, 0, 0, kLargh - 240, altSchede);
  d.cont = &pc;
  d.Cap(901, "Comando:", 60, 0, 840);
  d.Metti(ui::Tipo::ComboBox, "cob", 900, 960, d.Riga(0), 5400, kAltTesto);
  d.Cap(910, "Righe:", 60, 1, 840);
  d.Txt(910, 960, 1, 600);
  d.Metti(ui::Tipo::ComboBox, "cob", 920, 1620, d.Riga(1), 2700, kAltTesto);

  // The level panel, over the grid until the load places it.
  d.cont = nullptr;
  auto& liv = d.Contenitore("picLivelli", -1, 6000, 3600, 5700, 2 * kPasso + 60);
  liv.SetBorderStyle(1);
  liv.SetVisible(false);
  d.cont = &liv;
  d.Cap(21, "Livello 1:", 60, 0, 840);
  d.Txt(21, 960, 0, 900);
  d.Lab(21, 1920, 0, 3600);
  d.Cap(22, "Livello 2:", 60, 1, 840);
  d.Txt(22, 960, 1, 900);
  d.Lab(22, 1920, 1, 3600);

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
}
