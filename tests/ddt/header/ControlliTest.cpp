// The controls of the header window as built: every field in its strip or
// page with its caption, the hidden bound boxes hidden, nothing a user can
// see overlapping or sticking out of its container, the toolbar, the tabs,
// the timers, the lists of the combo boxes.
#include <map>
#include <set>
#include <string>
#include <vector>

#include "ddt/header/TestataProva.h"

namespace {

// Field number -> place: 'K' key strip, 'H' header strip, '1'..'6' pages,
// 'T' totals strip.
const std::map<int, char> kPosti = {
    {20, 'K'},   {10, 'K'},   {30, 'H'},   {190, 'H'},  {195, 'H'},  {197, '2'},  {198, '2'},  {40, 'H'},
    {50, 'H'},   {60, 'H'},   {70, 'H'},   {110, 'H'},  {80, 'H'},   {86, 'H'},   {90, 'H'},   {270, '1'},
    {280, '1'},  {300, '1'},  {200, '1'},  {210, '1'},  {400, '2'},  {410, '2'},  {220, '1'},  {260, '1'},
    {265, '1'},  {250, '1'},  {420, '1'},  {240, '1'},  {230, '1'},  {235, '1'},  {450, '2'},  {440, '2'},
    {290, '1'},  {88, '1'},   {470, '2'},  {515, '2'},  {480, '2'},  {490, '2'},  {500, '2'},  {510, '2'},
    {560, '2'},  {530, '2'},  {540, '2'},  {550, '2'},  {800, '4'},  {830, '4'},  {840, '4'},  {900, '4'},
    {910, '4'},  {920, '4'},  {930, '4'},  {940, '4'},  {1090, '4'}, {1110, '4'}, {1060, '4'}, {1080, '4'},
    {1120, '4'}, {1140, '4'}, {1150, '4'}, {1170, '4'}, {950, '4'},  {970, '4'},  {1020, '4'}, {1030, '4'},
    {1040, '4'}, {1050, '4'}, {1055, '4'}, {610, '3'},  {600, '3'},  {620, '3'},  {1190, '4'}, {1200, '4'},
    {1220, '4'}, {1230, '4'}, {1180, '4'}, {1210, '4'}, {120, '1'},  {126, 'H'},  {105, '1'},  {1660, '5'},
    {1670, '5'}, {1680, '5'}, {1690, '5'}, {275, '1'},  {278, 'T'},  {140, 'T'},  {130, 'T'},  {160, 'T'},
    {170, 'T'},  {150, 'T'},  {570, '2'},  {580, '2'},  {590, '2'},  {1400, '2'}, {1410, '2'}, {1420, '2'},
    {452, '2'},  {454, '2'},  {1430, '2'}, {1435, '2'}, {1440, '2'}, {1445, '2'}, {310, '1'},
};
// Bound to a label.
const std::set<int> kEtichette = {190, 195, 197, 198, 140, 130, 160, 170, 150, 452, 454, 1430, 1435, 1440, 1445};
// Bound boxes the user never sees.
const std::set<int> kNascosti = {110,  86,   280,  300,  210,  260,  265,  235,  450,  440,  88,   470,  515,
                                 830,  840,  900,  910,  920,  930,  940,  1110, 1080, 1140, 1170, 970,  1020,
                                 1030, 1040, 1050, 1055, 600,  620,  120,  126,  105,  278,  570,  580,  590};

// Shown only in some cases: the destination store of an internal DDT, the
// source order of a DDT grouped by order.
const std::set<int> kSecondoCaso = {88, 452, 454};

class Controlli : public prova::TestataProva {
 protected:
  // The window as built, before any load.
  frmDdtTest f;

  ui::Controllo* Posto(char p) {
    if (p == 'K') return &f.C("picTest");
    if (p == 'H') return &f.C("PicMain");
    if (p == 'T') return &f.C("picTotPrz");
    return &f.C("PicPagine", p - '1');
  }
};

TEST_F(Controlli, EveryFieldLiesInItsPlaceWithItsCaption) {
  for (const auto& [n, posto] : kPosti) {
    SCOPED_TRACE(n);
    ui::Controllo& c = kEtichette.count(n) ? f.lab(n) : f.txt(n);
    // In its place, directly or inside a frame of it.
    ui::Controllo* dentro = c.Container();
    while (dentro && dentro != Posto(posto) && dentro->tipo() == ui::Tipo::Frame) dentro = dentro->Container();
    EXPECT_EQ(dentro, Posto(posto));
    EXPECT_TRUE(f.Esiste("label1", n));
    if (kNascosti.count(n)) {
      EXPECT_FALSE(c.Visible());
    } else if (!kSecondoCaso.count(n)) {
      EXPECT_TRUE(c.Visible());
    }
  }
  // The visible boxes of page 4 that store into the hidden ones.
  for (int n : {810, 820, 850, 860, 870, 880, 890, 960, 980, 990, 1000, 1010, 1015, 1070, 1100, 1130, 1160})
    EXPECT_EQ(f.txt(n).Container(), Posto('4')) << n;
  // The destination store is shown only for an internal DDT.
  for (const char* nome : {"label1", "txt", "ComHlp", "lab"}) EXPECT_FALSE(f.C(nome, 88).Visible()) << nome;
  // The data container holds the header strip, the tabs, the pages and the
  // totals; the key strip lies outside it.
  for (const char* nome : {"PicMain", "TasPagine", "picTotPrz"})
    EXPECT_EQ(f.C(nome).Container(), &f.C("PicDett")) << nome;
  for (int p = 0; p < 6; ++p) EXPECT_EQ(f.C("PicPagine", p).Container(), &f.C("PicDett"));
  EXPECT_EQ(f.C("picTest").Container(), nullptr);
}

TEST_F(Controlli, TheOtherNamedControlsAreThere) {
  const std::vector<std::pair<std::string, std::vector<int>>> nomi = {
      {"lab", {40, 80, 81, 82, 83, 84, 85, 87, 88, 89, 91, 92, 110, 180, 200, 220, 250, 270, 278, 290, 310, 312, 314,
               316, 318, 319, 400, 410, 480, 481, 500, 501, 520, 530, 540, 550, 560, 1400, 1610, 1620, 1630, 1640,
               1650, 1655, 2000, 2010, 2020, 2030, 2040}},
      {"label1", {14, 15, 16, 26, 27, 28, 52, 54, 55, 88, 91, 180, 310, 1402}},
      {"che", {210, 235, 260, 280, 300, 430, 460, 600}},
      {"cob", {440, 450, 470, 515, 620}},
      {"ComHlp", {40, 80, 88, 200, 220, 250, 270, 290, 310, 400, 410, 480, 500, 530, 540, 550, 560, 800, 950, 1060,
                  1090, 1120, 1150, 1180, 1210, 1400, 1610}},
      {"txt", {1600}},
      {"ComAnno", {0, 1}},
      {"PicEvid", {0}},
  };
  for (const auto& [nome, indici] : nomi)
    for (int i : indici) EXPECT_TRUE(f.Esiste(nome, i)) << nome << "(" << i << ")";
  for (const char* nome : {"labAnno", "labNoteCliente", "ComPosizFat", "dbgProvenienza", "datProvenienza", "labProv",
                           "dbgDett", "DatDett", "staMessaggi", "ImagePiccole", "timComPag", "TimDupl"})
    EXPECT_TRUE(f.Esiste(nome)) << nome;
  EXPECT_EQ(f.C("labAnno").Caption(), "Inizio/Fine Anno");
  EXPECT_LT(f.C("ComAnno", 0).Left(), f.C("labAnno").Left());
  EXPECT_GT(f.C("ComAnno", 1).Left(), f.C("labAnno").Left());
  // Hidden at load.
  for (const char* nome : {"ComPosizFat", "labProv", "labNoteCliente"}) EXPECT_FALSE(f.C(nome).Visible()) << nome;
  for (int n : {87, 89}) EXPECT_FALSE(f.lab(n).Visible()) << n;
  EXPECT_FALSE(f.label1(1402).Visible());
  EXPECT_FALSE(f.label1(180).Visible());
  EXPECT_FALSE(f.C("PicEvid", 0).Visible());
  EXPECT_EQ(f.C("PicEvid", 0).BackColor(), ui::vbRed);
  EXPECT_TRUE(f.txt(1600).Locked());
  EXPECT_TRUE(f.txt(1600).MultiLine());
  EXPECT_TRUE(f.txt(610).MultiLine());
  EXPECT_FALSE(f.C("che", 260).Enabled());
  EXPECT_FALSE(f.C("che", 430).Enabled());
  EXPECT_FALSE(f.C("che", 460).Enabled());
  for (const char* nome : {"timComPag", "TimDupl"}) {
    EXPECT_FALSE(f.C(nome).Enabled()) << nome;
    EXPECT_EQ(f.C(nome).Interval(), 1) << nome;
  }
  // Every box a user types in says what it holds.
  for (const auto& c : f.Controlli())
    if (c->Name() == "txt" && !kNascosti.count(c->Index())) {
      EXPECT_FALSE(c->ToolTipText().empty()) << "txt(" << c->Index() << ")";
    }
  EXPECT_EQ(f.txt(80).ToolTipText(), "Intestatario");
  EXPECT_TRUE(f.C("staMessaggi").HaElem("DescrCampo"));
  EXPECT_TRUE(f.C("staMessaggi").HaElem("Messaggio"));
}

TEST_F(Controlli, ToolbarTabsAndListsAsTheWindowOffersThem) {
  const std::vector<std::pair<std::string, std::string>> bottoni = {
      {"Ricerca", "(R) Ricerca"},
      {"Salva", "(S) Salva"},
      {"Cancella", "(C) Cancella"},
      {"Annulla", "(A) Annulla"},
      {"Duplica", "(D) Duplica"},
      {"VarKey", "(V) Varia campi chiave"},
      {"Lista", "(L) Lista"},
      {"ListaInd", "(-) Precedente nella lista"},
      {"ListaAvanti", "(+) Successivo nella lista"},
      {"Inizio", "(I) Inizio Archivio"},
      {"Precedente", "(P) Precedente"},
      {"Successivo", "(U) Successivo"},
      {"Fine", "(F) Fine Archivio"},
      {"Chiudi", "(H) Chiudi"},
      {"Menu", "(M) Menu"},
      {"Spese", "(X) Spese"},
      {"Dettaglio", "(E - F10) Gestione dettaglio"},
      {"Stampa", "(T) sTampa"},
      {"Ripristino", "(N) Annulla la stampa"},
      {"RipEvasione", "(O) Ripristino da evasione non in fattura"},
      {"CalcVuoti", "(Z) Inserisce righe Cauzione"},
  };
  ui::Controllo& tb = f.C("tolComPag");
  size_t k = 0;
  for (int i = 1; i <= tb.NumElementi(); ++i) {
    const ui::Elemento& e = tb.Elem(i);
    if (e.Style == ui::tbrSeparator) continue;
    ASSERT_LT(k, bottoni.size());
    EXPECT_EQ(e.Key, bottoni[k].first);
    EXPECT_EQ(e.ToolTipText, bottoni[k].second);
    EXPECT_EQ(e.Caption, "");
    ++k;
  }
  EXPECT_EQ(k, bottoni.size());
  // The window's own commands are the pictures 16 to 21 of the list.
  ui::Controllo& immagini = f.C("ImagePiccole");
  const std::vector<std::string> proprie = {"Dettaglio", "Spese", "Stampa", "Ripristino", "RipEvasione", "CalcVuoti"};
  for (size_t i = 0; i < proprie.size(); ++i) EXPECT_EQ(immagini.Elem(static_cast<int>(16 + i)).Key, proprie[i]);

  const std::vector<std::vector<std::string>> schede = {
      {"(1) Cliente", "Cliente", "1 - Cliente"},
      {"(2) Altri Dati", "Altri", "2 - Altri Dati"},
      {"(3) Note Testata", "NoteTestata", "3 - Note Testata"},
      {"(4) Dati Accompagnamento", "Accomp", "4 - Dati Accompagnamento"},
      {"(5) Nota Cliente", "NotaCliente", "5 - Nota Cliente"},
      {"(6) Doc. di Orig. e di Evas.", "DocOrig", "6 - Doc. di Origine e di Evasione"},
  };
  ui::Controllo& tas = f.C("TasPagine");
  ASSERT_EQ(tas.NumElementi(), 6);
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(tas.Elem(i + 1).Caption, schede[static_cast<size_t>(i)][0]);
    EXPECT_EQ(tas.Elem(i + 1).Key, schede[static_cast<size_t>(i)][1]);
    EXPECT_EQ(tas.Elem(i + 1).ToolTipText, schede[static_cast<size_t>(i)][2]);
  }

  const std::map<int, std::vector<std::string>> voci = {
      {440,
       {"0 No", "1 Prezzi e Sconti ", "2 Prezzi", "3 Prezzi Netti", "4 Prezzi,Sc.,Tot.Ivato",
        "5 Prezzi+iva,Sc.,Tot.Ivato", "6 Prezzi, Sconti e Totale"}},
      {450,
       {"Si", "No", "Si Una riga sola per Articolo", "Si Una fatt. per ogni dest.",
        "Si Una riga per Art. e una fatt. per dest.", "Si A parità di Ordine", "Si A parità di Contratto"}},
      {470, {"N No", "A Articolo", "C Cliente", "G Agente"}},
      {515, {"N No", "A Articolo", "C Cliente", "G Agente"}},
      {620,
       {"Non evade", "Evasione con Stampa Note nella destinazione", "Evasione senza Stampa Note nella destinazione"}},
  };
  for (const auto& [n, attese] : voci) {
    ui::Controllo& c = f.C("cob", n);
    ASSERT_EQ(c.ListCount(), static_cast<int>(attese.size())) << n;
    for (int i = 0; i < c.ListCount(); ++i) {
      EXPECT_EQ(c.List(i), attese[static_cast<size_t>(i)]) << n;
      if (n == 440 || n == 450) {
        EXPECT_EQ(c.ItemData(i), i) << n;
      }
    }
  }
}

// What a user may see: no two such controls of one container overlap and
// each lies inside its container. Hidden bound boxes never show; the pages
// lie over the tab strip and the marker under a tab by design; the note "no
// source documents" takes the place of the grid it replaces.
TEST_F(Controlli, NothingAUserMaySeeOverlapsOrSticksOut) {
  auto mostrabile = [&](const ui::Controllo& c) {
    switch (c.tipo()) {
      case ui::Tipo::Timer:
      case ui::Tipo::ImageList:
      case ui::Tipo::Data:
      case ui::Tipo::Toolbar:
      case ui::Tipo::StatusBar: return false;
      default: break;
    }
    if (c.Name() == "txt" && kNascosti.count(c.Index())) return false;
    if (c.Name() == "labProv" || c.Name() == "PicEvid") return false;
    return true;
  };
  std::map<const ui::Controllo*, std::vector<const ui::Controllo*>> figli;
  for (const auto& c : f.Controlli())
    if (mostrabile(*c)) figli[c->Container()].push_back(c.get());
  auto sovrapposti = [](const ui::Controllo& a, const ui::Controllo& b) {
    return a.Left() < b.Left() + b.Width() && b.Left() < a.Left() + a.Width() && a.Top() < b.Top() + b.Height() &&
           b.Top() < a.Top() + a.Height();
  };
  auto nome = [](const ui::Controllo* c) { return c->Name() + "(" + std::to_string(c->Index()) + ")"; };
  for (const auto& [contenitore, lista] : figli) {
    const long larghezza = contenitore ? contenitore->Width() : f.ScaleWidth();
    const long altezza = contenitore ? contenitore->Height() : f.ScaleHeight();
    for (size_t i = 0; i < lista.size(); ++i) {
      const ui::Controllo& a = *lista[i];
      EXPECT_GE(a.Left(), 0) << nome(&a);
      EXPECT_GE(a.Top(), 0) << nome(&a);
      EXPECT_LE(a.Left() + a.Width(), larghezza) << nome(&a) << " in " << (contenitore ? nome(contenitore) : "form");
      EXPECT_LE(a.Top() + a.Height(), altezza) << nome(&a) << " in " << (contenitore ? nome(contenitore) : "form");
      for (size_t j = i + 1; j < lista.size(); ++j) {
        const ui::Controllo& b = *lista[j];
        const bool pagine = (a.Name() == "PicPagine" || a.Name() == "TasPagine") &&
                            (b.Name() == "PicPagine" || b.Name() == "TasPagine");
        if (pagine) continue;
        EXPECT_FALSE(sovrapposti(a, b)) << nome(&a) << " and " << nome(&b);
      }
    }
  }
  // The toolbar on top, the status bar at the bottom, the grid between.
  EXPECT_LE(f.C("tolComPag").Height(), f.C("picTest").Top());
  EXPECT_LE(f.C("dbgDett").Top() + f.C("dbgDett").Height(), f.C("staMessaggi").Top());
  EXPECT_GE(f.C("dbgDett").Top(), f.C("PicDett").Top() + f.C("PicDett").Height());
}

TEST_F(Controlli, TabOrderFollowsThePlacesFromTheKeyToThePages) {
  auto ordine = [&](const ui::Controllo& c) { return c.TabIndex(); };
  EXPECT_LT(ordine(f.txt(20)), ordine(f.txt(10)));
  EXPECT_LT(ordine(f.txt(10)), ordine(f.txt(30)));
  EXPECT_LT(ordine(f.txt(30)), ordine(f.txt(80)));
  EXPECT_LT(ordine(f.txt(80)), ordine(f.txt(90)));
  EXPECT_LT(ordine(f.txt(90)), ordine(f.txt(200)));
  EXPECT_LT(ordine(f.txt(200)), ordine(f.txt(220)));
  EXPECT_LT(ordine(f.txt(220)), ordine(f.txt(400)));
  EXPECT_LT(ordine(f.txt(400)), ordine(f.txt(610)));
  EXPECT_LT(ordine(f.txt(610)), ordine(f.txt(800)));
  EXPECT_LT(ordine(f.txt(800)), ordine(f.txt(1660)));
  // Tab from the reference number goes straight to the data: the look-up
  // and year buttons are reached with the mouse or their keys.
  EXPECT_FALSE(f.C("ComAnno", 0).TabStop());
  EXPECT_FALSE(f.C("ComAnno", 1).TabStop());
  EXPECT_FALSE(f.C("ComHlp", 80).TabStop());
  std::set<int> indici;
  for (const auto& c : f.Controlli()) EXPECT_TRUE(indici.insert(c->TabIndex()).second) << c->Name();
}

}  // namespace
