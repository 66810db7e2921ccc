// Provisional controls of the header window: every control the procedures
// address, by name and field number, in plain rows inside their
// containers. The finished layout replaces this file.
#include <map>
#include <set>

#include "ddt/header/frmDdtTest.h"
#include "platform/ui/Griglia.h"

namespace {

// Field number -> place: 'K' key strip, 'H' header strip, '1'..'6' pages,
// 'T' totals strip.
const std::vector<std::pair<int, char>> kPosti = {
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
    // visible boxes of page 4 that the user types in
    {810, '4'},  {820, '4'},  {850, '4'},  {860, '4'},  {870, '4'},  {880, '4'},  {890, '4'},  {960, '4'},
    {980, '4'},  {990, '4'},  {1000, '4'}, {1010, '4'}, {1015, '4'}, {1070, '4'}, {1100, '4'}, {1130, '4'},
    {1160, '4'},
};
// Bound to a label rather than a text box.
const std::set<int> kEtichette = {190, 195, 197, 198, 140, 130, 160, 170, 150, 452, 454, 1430, 1435, 1440, 1445};
// Hidden text boxes (set through a check box, a combo, a visible partner, or
// not shown at all).
const std::set<int> kNascosti = {110, 86,  280, 300, 210, 260, 265, 235, 450,  440,  88,   470,  515,
                                 830, 840, 900, 910, 920, 930, 940, 1110, 1080, 1140, 1170, 970, 1020,
                                 1030, 1040, 1050, 1055, 600, 620, 120, 126, 105, 278, 570, 580, 590};
const std::set<int> kAiuti = {40,  80,  270, 200, 400, 410, 220, 250, 290,  88,   480,  500,  560, 530,
                              540, 550, 800, 1090, 1060, 1120, 1150, 950, 1180, 1210, 1400, 310, 1610};
const std::set<int> kDescrizioni = {40,  80,  270, 200, 400, 220, 250, 290, 88,  480, 500, 560, 1400, 310,
                                    110, 278, 87,  1600, 2000, 2010, 180, 312, 314, 316, 319};
const std::set<int> kCaselle = {280, 300, 210, 260, 235, 600};
const std::set<int> kCombo = {450, 440, 470, 515, 620};

}  // namespace

void frmDdtTest::CreaControlli() {
  SetCaption("Gestione Ddt");
  Move(0, 0, 12000, 9000);
  auto& tb = Crea(ui::Tipo::Toolbar, "tolComPag");
  tb.Move(0, 0, 12000, 420);
  const std::vector<std::pair<const char*, const char*>> bottoni = {
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
  for (const auto& [k, t] : bottoni) tb.AggiungiElemento(k, k).ToolTipText = t;
  auto& st = Crea(ui::Tipo::StatusBar, "staMessaggi");
  st.Move(0, 8600, 12000, 300);
  st.AggiungiElemento("Messaggio");
  st.AggiungiElemento("DescrCampo");
  Crea(ui::Tipo::ImageList, "ImagePiccole");
  auto& t1 = Crea(ui::Tipo::Timer, "timComPag");
  t1.SetEnabled(false);
  t1.SetInterval(1);
  auto& t2 = Crea(ui::Tipo::Timer, "TimDupl");
  t2.SetEnabled(false);
  t2.SetInterval(1);

  auto& picTest = Crea(ui::Tipo::PictureBox, "picTest");
  picTest.Move(60, 480, 11800, 420);
  auto& picDett = Crea(ui::Tipo::PictureBox, "PicDett");
  picDett.Move(60, 960, 11800, 7560);
  auto& picMain = Crea(ui::Tipo::PictureBox, "PicMain");
  picMain.SetContainer(&picDett);
  picMain.Move(0, 0, 11800, 1500);
  auto& tas = Crea(ui::Tipo::TabStrip, "TasPagine");
  tas.SetContainer(&picDett);
  tas.Move(0, 1560, 11800, 3900);
  const char* schede[][3] = {{"(1) Cliente", "Cliente", "1 - Cliente"},
                             {"(2) Altri Dati", "Altri", "2 - Altri Dati"},
                             {"(3) Note Testata", "NoteTestata", "3 - Note Testata"},
                             {"(4) Dati Accompagnamento", "Accomp", "4 - Dati Accompagnamento"},
                             {"(5) Nota Cliente", "NotaCliente", "5 - Nota Cliente"},
                             {"(6) Doc. di Orig. e di Evas.", "DocOrig", "6 - Doc. di Origine e di Evasione"}};
  std::map<char, ui::Controllo*> posti = {{'K', &picTest}, {'H', &picMain}};
  for (int i = 0; i < 6; ++i) {
    tas.AggiungiElemento(schede[i][1], schede[i][0]).ToolTipText = schede[i][2];
    auto& p = Crea(ui::Tipo::PictureBox, "PicPagine", i);
    p.SetContainer(&picDett);
    p.Move(60, 1920, 11680, 3480);
    posti[static_cast<char>('1' + i)] = &p;
  }
  auto& totali = Crea(ui::Tipo::PictureBox, "picTotPrz");
  totali.SetContainer(&picDett);
  totali.Move(0, 5520, 11800, 420);
  posti['T'] = &totali;
  auto& dati = Crea<ui::DatiControllo>(ui::Tipo::Data, "DatDett");
  dati.SetContainer(&picDett);
  dati.SetVisible(false);
  auto& griglia = Crea<ui::Griglia>(ui::Tipo::DataGrid, "dbgDett");
  griglia.SetContainer(&picDett);
  griglia.Move(0, 6000, 11800, 1500);
  griglia.SetDataSource(&dati);
  griglia.SetAllowUpdate(false);
  auto& marcatore = Crea(ui::Tipo::PictureBox, "PicEvid", 0);
  marcatore.SetContainer(&picDett);
  marcatore.SetBackColor(ui::vbRed);
  marcatore.SetVisible(false);
  for (int i = 0; i < 2; ++i) {
    auto& b = Crea(ui::Tipo::CommandButton, "ComAnno", i);
    b.SetContainer(&picTest);
    b.SetCaption(i == 0 ? "<" : ">");
    b.Move(4200 + i * 2000, 40, 360, 330);
  }
  auto& annoEt = Crea(ui::Tipo::Label, "labAnno");
  annoEt.SetContainer(&picTest);
  annoEt.SetCaption("Inizio/Fine Anno");
  annoEt.Move(4620, 80, 1500, 300);
  auto& fat = Crea(ui::Tipo::CommandButton, "ComPosizFat");
  fat.SetContainer(posti['6']);
  fat.SetCaption("Fattura");
  fat.Move(9000, 120, 1200, 360);

  // Plain rows: label, box, look-up button, description.
  std::map<char, int> riga;
  int tab = 0;
  for (const auto& [n, posto] : kPosti) {
    ui::Controllo* dentro = posti[posto];
    const bool nascosto = kNascosti.count(n) > 0;
    const int r = nascosto ? 0 : riga[posto]++;
    const long top = 60 + (r % 9) * 380, left = 60 + (r / 9) * 3900;
    auto& l = Crea(ui::Tipo::Label, "label1", n);
    l.SetContainer(dentro);
    l.Move(left, top + 40, 1300, 300);
    l.SetVisible(!nascosto);
    if (kEtichette.count(n)) {
      auto& v = Crea(ui::Tipo::Label, "lab", n);
      v.SetContainer(dentro);
      v.Move(left + 1340, top, 1400, 330);
      continue;
    }
    auto& t = Crea(ui::Tipo::TextBox, "txt", n);
    t.SetContainer(dentro);
    t.Move(left + 1340, top, 1400, 330);
    t.SetVisible(!nascosto);
    if (!nascosto) t.SetTabIndex(tab++);
    if (n == 610) t.SetMultiLine(true);
    if (kAiuti.count(n)) {
      auto& h = Crea(ui::Tipo::CommandButton, "ComHlp", n);
      h.SetContainer(dentro);
      h.SetCaption("..");
      h.Move(left + 2760, top, 240, 330);
      h.SetVisible(!nascosto || n == 88);
    }
    if (kCaselle.count(n)) {
      auto& c = Crea(ui::Tipo::CheckBox, "che", n);
      c.SetContainer(dentro);
      c.Move(left + 1340, top, 300, 330);
    }
    if (kCombo.count(n)) {
      auto& c = Crea(ui::Tipo::ComboBox, "cob", n);
      c.SetContainer(dentro);
      c.Move(left + 1340, top, 1400, 330);
    }
  }
  for (int n : kDescrizioni) {
    if (Esiste("lab", n)) continue;
    auto& d = Crea(ui::Tipo::Label, "lab", n);
    ui::Controllo* vicino = Trova("txt", n);
    d.SetContainer(vicino ? vicino->Container() : posti['1']);
    if (vicino) d.Move(vicino->Left() + 1700, vicino->Top(), 2000, 330);
  }
  for (int n : {1610, 1402}) {
    if (!Esiste("label1", n)) Crea(ui::Tipo::Label, "label1", n).SetContainer(posti['1']);
  }
  if (!Esiste("ComHlp", 1610)) Crea(ui::Tipo::CommandButton, "ComHlp", 1610).SetContainer(posti['5']);
  // What the joined read, the overdue payments and the sixth page show.
  for (int n : {81, 82, 83, 84, 85, 89, 91, 92, 481, 501}) Crea(ui::Tipo::Label, "lab", n).SetContainer(posti['1']);
  for (int n : {1610, 1620, 1630, 1640, 1650, 1655}) Crea(ui::Tipo::Label, "lab", n).SetContainer(posti['5']);
  for (int n : {2020, 2030, 2040}) Crea(ui::Tipo::Label, "lab", n).SetContainer(posti['6']);
  Crea(ui::Tipo::Label, "label1", 91).SetContainer(posti['1']);
  for (int n : {430, 460}) Crea(ui::Tipo::CheckBox, "che", n).SetContainer(posti['1']);
  Crea(ui::Tipo::Label, "labNoteCliente").SetContainer(&picMain);
  auto& datProv = Crea<ui::DatiControllo>(ui::Tipo::Data, "datProvenienza");
  datProv.SetContainer(posti['6']);
  datProv.SetVisible(false);
  auto& dbgProv = Crea<ui::Griglia>(ui::Tipo::DataGrid, "dbgProvenienza");
  dbgProv.SetContainer(posti['6']);
  dbgProv.Move(0, 1200, 11680, 2280);
  dbgProv.SetDataSource(&datProv);
  dbgProv.SetAllowUpdate(false);
  Crea(ui::Tipo::Label, "labProv").SetContainer(posti['6']);
  if (!Esiste("txt", 1600)) {
    auto& t = Crea(ui::Tipo::TextBox, "txt", 1600);
    t.SetContainer(posti['5']);
    t.SetLocked(true);
  }
}
