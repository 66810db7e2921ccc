// The list print of the print library: pages to PDF (text read back with
// pdftotext), the preview's pages, files in every format, fixed length and
// the saved options.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>

#include "platform/MsgBox.h"
#include "platform/stampa/OggettoStampa.h"
#include "platform/stampa/OpzioniStampa.h"
#include "platform/stampa/StampaLista.h"
#include "platform/stampa/Stampanti.h"
#include "platform/ui/Form.h"
#include "support/CartellaTemp.h"

namespace {

std::string Esegui(const std::string& comando) {
  std::string out;
  FILE* p = popen(comando.c_str(), "r");
  if (!p) return out;
  char buf[4096];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
  pclose(p);
  return out;
}

int PaginePdf(const std::string& file) {
  const std::string info = Esegui("pdfinfo '" + file + "'");
  const size_t i = info.find("Pages:");
  return i == std::string::npos ? -1 : std::atoi(info.c_str() + i + 6);
}

stampa::TabellaStampa Tabella(int righe) {
  stampa::TabellaStampa t;
  t.titolo = "Lista DDT";
  t.colonne = {{"Numero", 800, 1}, {"Cliente", 2400, 0}, {"Totale", 1200, 1}};
  for (int i = 1; i <= righe; ++i)
    t.righe.push_back({std::to_string(i), "Cliente àè " + std::to_string(i), i % 2 ? "1.234,50" : "-7"});
  return t;
}

TEST(StampaLista, AListToPdfCarriesHeadingsRowsAndPageNumbersOnEveryPage) {
  prova::CartellaTemp dir("sta");
  stampa::OggettoStampa o;
  auto opz = std::make_shared<stampa::OpzioniStampa>();
  opz->oiStaVid = stampa::StaFile;
  opz->FileName = dir.Percorso("lista.pdf");
  o.SetogOpzSta(opz);
  // A file destination of a laid-out document is a PDF.
  stampa::ImpaginaLista(Tabella(120), {}, *opz, o.Doc());
  ASSERT_GE(o.Doc().NumPagine(), 2);
  std::string errore;
  ASSERT_TRUE(o.StampaDocumento(errore)) << errore;
  const std::string testo = Esegui("pdftotext -layout '" + opz->FileName + "' -");
  EXPECT_NE(testo.find("Lista DDT"), std::string::npos);
  EXPECT_NE(testo.find("Cliente àè 1"), std::string::npos);
  EXPECT_NE(testo.find("Cliente àè 120"), std::string::npos);
  EXPECT_NE(testo.find("1.234,50"), std::string::npos);
  EXPECT_NE(testo.find("Pag. 2"), std::string::npos);
  EXPECT_EQ(PaginePdf(opz->FileName), o.Doc().NumPagine());
  // the headings stand at the top of the second page too
  const std::string p2 = Esegui("pdftotext -f 2 -l 2 '" + opz->FileName + "' -");
  EXPECT_NE(p2.find("Numero"), std::string::npos);
  // no temporary file is left beside it
  int file = 0;
  for (auto& e : std::filesystem::directory_iterator(dir.Dir())) (void)e, ++file;
  EXPECT_EQ(file, 1);
}

TEST(StampaLista, LandscapeUnlessForcedPortraitAndThePageRange) {
  stampa::OpzioniStampa o;
  stampa::Documento d;
  stampa::ImpLista imp;
  imp.orientamento = 2;
  stampa::ImpaginaLista(Tabella(10), imp, o, d);
  EXPECT_GT(d.larghezza, d.altezza);
  o.ForzaVert = -1;
  stampa::ImpaginaLista(Tabella(10), imp, o, d);
  EXPECT_LT(d.larghezza, d.altezza);

  prova::CartellaTemp dir("sta");
  stampa::OggettoStampa ogg;
  auto opz = std::make_shared<stampa::OpzioniStampa>();
  opz->oiStaVid = stampa::StaFile;
  opz->FileName = dir.Percorso("parte.pdf");
  opz->ScriviOpzione("PaginaDa", 12, 2);
  opz->ScriviOpzione("PaginaA", 12, 3);
  ogg.SetogOpzSta(opz);
  stampa::ImpaginaLista(Tabella(300), {}, *opz, ogg.Doc());
  ASSERT_GE(ogg.Doc().NumPagine(), 4);
  std::string errore;
  ASSERT_TRUE(ogg.StampaDocumento(errore)) << errore;
  EXPECT_EQ(PaginePdf(opz->FileName), 2);
  EXPECT_NE(Esegui("pdftotext -f 1 -l 1 '" + opz->FileName + "' -").find("Pag. 2"), std::string::npos);
}

struct CasoFile {
  int formato;
  std::string sep, delim;
  int numNoForm;
  std::string atteso;
};

TEST(StampaLista, SeparatedTextFiles) {
  const std::vector<CasoFile> casi = {
      // a spreadsheet's text: ";" and double quotes whatever the options,
      // numbers without their thousands separators
      {0, "\t", "'", 0,
       "\"Numero\";\"Cliente\";\"Totale\"\r\n1;\"Cliente àè 1\";1234,50\r\n2;\"Cliente àè 2\";-7\r\n"},
      {1, " ", "'", 0, "'Numero' 'Cliente' 'Totale'\r\n1 'Cliente àè 1' 1.234,50\r\n2 'Cliente àè 2' -7\r\n"},
      {1, "\t", "", -1, "Numero\tCliente\tTotale\r\n1\tCliente àè 1\t1234,50\r\n2\tCliente àè 2\t-7\r\n"},
  };
  for (const CasoFile& c : casi) {
    prova::CartellaTemp dir("sta");
    stampa::OpzioniStampa o;
    o.oiStaVid = stampa::StaFile;
    o.FileForm = c.formato;
    o.SepCampi = c.sep;
    o.DelimStr = c.delim;
    o.NumNoForm = c.numNoForm;
    o.FileName = dir.Percorso("lista.txt");
    std::string errore;
    ASSERT_TRUE(stampa::ScriviFileTabella(Tabella(2), o, errore)) << errore;
    EXPECT_EQ(dir.Leggi("lista.txt"), c.atteso) << c.formato << " [" << c.sep << "]";
  }
}

TEST(StampaLista, SpreadsheetFileHoldsNumbersAsNumbers) {
  prova::CartellaTemp dir("sta");
  stampa::OpzioniStampa o;
  o.oiStaVid = stampa::StaFile;
  o.FileForm = stampa::FormExcel;
  o.FileName = dir.Percorso("lista.xlsx");
  std::string errore;
  ASSERT_TRUE(stampa::ScriviFileTabella(Tabella(3), o, errore)) << errore;
  const std::string py =
      "python3 -c \"import zipfile,sys; z=zipfile.ZipFile(sys.argv[1]); "
      "print(z.read('xl/sharedStrings.xml').decode()); print(z.read('xl/worksheets/sheet1.xml').decode())\" '" +
      o.FileName + "'";
  const std::string x = Esegui(py);
  EXPECT_NE(x.find("Cliente àè 3"), std::string::npos);
  EXPECT_NE(x.find("<v>1234.5</v>"), std::string::npos) << x;
  EXPECT_NE(x.find("<v>-7</v>"), std::string::npos);
}

TEST(StampaLista, FixedLengthPagesWithMarginsAndCompressSequences) {
  stampa::TabellaStampa t;
  t.colonne = {{"Num", 480, 1}, {"Cliente", 960, 0}};
  for (int i = 1; i <= 3; ++i) t.righe.push_back({std::to_string(i), "Rossi " + std::to_string(i)});
  stampa::OpzioniStampa o;
  o.FisRighe = 5;
  o.FisMrAlt = 1;
  o.FisMrBas = 1;
  o.FisColonne = 10;
  o.FisUtilComp = -1;
  o.FisCodIniComp = "\x0f";
  o.FisCodFinComp = "\x12";
  // 3 lines a page: headings, dashes, one row; cut at 10 columns
  EXPECT_EQ(stampa::TestoFisso(t, o),
            "\x0f\r\n Num Clien\r\n----------\r\n   1 Rossi\r\n\r\n"
            "\f\r\n Num Clien\r\n----------\r\n   2 Rossi\r\n\r\n"
            "\f\r\n Num Clien\r\n----------\r\n   3 Rossi\r\n\r\n\x12");
  prova::CartellaTemp dir("sta");
  stampa::OggettoStampa ogg;
  auto opz = std::make_shared<stampa::OpzioniStampa>(o);
  opz->oiStaVid = stampa::StaFissa;
  opz->FisFileName = dir.Percorso("fissa.txt");
  ogg.SetogOpzSta(opz);
  std::string errore;
  ASSERT_TRUE(stampa::StampaTabella(ogg, t, {}, errore)) << errore;
  EXPECT_EQ(dir.Leggi("fissa.txt"), stampa::TestoFisso(t, o));
}

TEST(StampaLista, NumbersAsTheGridShowsThem) {
  const std::vector<std::pair<std::string, bool>> casi = {
      {"1.234,50", true}, {"-7", true}, {"0,5", true}, {"12.345.678", true}, {"1234,5", true},
      {"12.34", false},   {"A12", false}, {"", false}, {"1,2,3", false},     {"-", false},
      {"3,", false},      {"01/02/2024", false}};
  for (auto& [s, atteso] : casi) EXPECT_EQ(stampa::TestoNumerico(s), atteso) << s;
  EXPECT_EQ(stampa::NumeroSenzaFormato("-1.234.567,89"), "-1234567,89");
}

TEST(StampaLista, SavedOptionsPrintSectionOverDefaultsAndTerminalOverCommon) {
  prova::CartellaTemp dir("sta");
  dir.Scrivi("term.ini",
             "[Opzioni Stampa]\nStaVid=2\nSepCampi=32\n[StaDDT]\nFileName=/x/ter.csv\nDelimStr=-1\nCassetto=7\n");
  dir.Scrivi("com.ini", "[Opzioni Stampa]\nStaVid=0\nFileForm=1\n[StaDDT]\nFileName=/x/com.csv\nFatt=1,5\n"
                        "InviaEmail=S\n");
  stampa::OpzioniStampa o;
  o.CodStampa = "StaDDT";
  o.LeggiSalvate(dir.Percorso("term.ini"), dir.Percorso("com.ini"));
  EXPECT_EQ(o.oiStaVid, 2);
  EXPECT_EQ(o.SepCampi, " ");
  EXPECT_EQ(o.DelimStr, "");
  EXPECT_EQ(o.FileForm, 1);
  EXPECT_EQ(o.FileName, "/x/ter.csv");
  EXPECT_FLOAT_EQ(o.Fatt, 1.5f);
  EXPECT_EQ(o.LeggiOpzione("NumCassetto").ToInt(), 7);
  EXPECT_TRUE(o.LeggiOpzione("EmailInvia").ToBool());
  EXPECT_TRUE(o.LeggiOpzione("PaginaDa").IsEmpty());
}

TEST(StampaLista, LegacyPaperAndTrayCodes) {
  const std::vector<std::pair<int, std::string>> carte = {{9, "A4"}, {1, "Letter"}, {11, "A5"}};
  for (auto& [c, m] : carte) {
    EXPECT_EQ(stampa::CartaDaCodice(c), m);
    EXPECT_EQ(stampa::CodiceDaCarta(m), c);
  }
  EXPECT_EQ(stampa::CodiceDaCarta("iso_a4_210x297mm"), 9);
  const std::vector<std::pair<int, std::string>> cassetti = {{1, "Upper"}, {2, "Lower"}, {4, "Manual"}, {7, "Auto"}};
  for (auto& [c, s] : cassetti) {
    EXPECT_EQ(stampa::CassettoDaCodice(c), s);
    EXPECT_EQ(stampa::CodiceDaCassetto(s), c);
  }
}

TEST(StampaLista, TrayAndPaperItemsAndTheirNumbersBack) {
  struct Caso {
    std::string voce;
    long numero;
  };
  const std::vector<Caso> casi = {
      {stampa::VoceCassetto(7, "Alimentazione automatica"), 7},
      {stampa::VoceCassetto(260, "Vassoio 3"), 260},
      {stampa::VoceCarta(9, "A4", true), 9},
      {stampa::VoceCarta(11, "A5", false), 11},
      {"Nessuna impostazione - Default", 0},
      {"senza trattino", 0},
  };
  EXPECT_EQ(casi[0].voce, "     7 - Alimentazione automatica");
  EXPECT_EQ(casi[1].voce, "   260 - Vassoio 3");
  EXPECT_EQ(casi[2].voce, "9 - A4 (ATTUALE)");
  for (const Caso& c : casi) EXPECT_EQ(stampa::NumeroDaVoce(c.voce), c.numero) << c.voce;
}

TEST(StampaLista, DefaultPrinterDevice) {
  struct Caso {
    std::string device, nome, driver, porta;
  };
  const std::vector<Caso> casi = {{"HP,winspool,Ne01:", "HP", "winspool", "Ne01:"},
                                  {",,,", "", "", ""},
                                  {"Solo", "Solo", "", ""},
                                  {std::string("PDF,winspool,PDF:\0resto", 22), "PDF", "winspool", "PDF:"}};
  for (const Caso& c : casi) {
    const stampa::DispositivoStampante d = stampa::LeggiDispositivo(c.device);
    EXPECT_EQ(d.nome, c.nome) << c.device;
    EXPECT_EQ(d.driver, c.driver) << c.device;
    EXPECT_EQ(d.porta, c.porta) << c.device;
  }
}

// A preview that asks for the pages a script says.
class AnteprimaProva : public ui::Form, public stampa::FinestraAnteprima {
 public:
  AnteprimaProva() : ui::Form("FrmVStampa") {}
  void ImpostaStampa(stampa::OggettoStampa* s) override {
    ogg = s;
    if (s) {
      s->SetPagina(1);
      s->SetMostraPagina(1);
      s->SetPaginaMax(0);
    }
  }
  void MostraFilePagina(const std::string& f) override { pagine.push_back(f); }
  void Messaggio(const std::string& t) override { msg = t; }
  void AbilitaComandi(bool, bool, bool, bool, bool) override {}
  bool Attivo() const override { return true; }
  void Continua() override {
    ++attese;
    if (attese >= fermaDopo) {
      ogg->SetStatoStampa(2);
      return;
    }
    ogg->SetMostraPagina(ogg->NumPagine() + 1);
  }
  stampa::OggettoStampa* ogg = nullptr;
  std::vector<std::string> pagine;
  std::string msg;
  int attese = 0, fermaDopo = 100;
};

TEST(StampaLista, PreviewProducesEachPageWhenAskedAndEndsWithStampaTerminata) {
  stampa::OggettoStampa ogg;
  AnteprimaProva f;
  ogg.SetofrmVStampa(&f);
  auto opz = std::make_shared<stampa::OpzioniStampa>();
  opz->oiStaVid = stampa::StaVideo;
  ogg.SetogOpzSta(opz);
  stampa::ImpaginaLista(Tabella(130), {}, *opz, ogg.Doc());
  const int n = ogg.Doc().NumPagine();
  ASSERT_GE(n, 3);
  std::string errore;
  ASSERT_TRUE(ogg.StampaDocumento(errore)) << errore;
  EXPECT_EQ(static_cast<int>(f.pagine.size()), n);
  EXPECT_EQ(f.msg, "Stampa Terminata");
  EXPECT_EQ(ogg.NumPagine(), n);
  for (const std::string& p : f.pagine) {
    EXPECT_TRUE(std::filesystem::exists(p)) << p;
    EXPECT_EQ(p.rfind(ogg.PercorsoFile(), 0), 0u);
  }
  // the user leaving stops it
  stampa::OggettoStampa ogg2;
  AnteprimaProva f2;
  f2.fermaDopo = 1;
  ogg2.SetofrmVStampa(&f2);
  ogg2.SetogOpzSta(opz);
  stampa::ImpaginaLista(Tabella(130), {}, *opz, ogg2.Doc());
  ASSERT_TRUE(ogg2.StampaDocumento(errore));
  EXPECT_EQ(f2.pagine.size(), 1u);
  EXPECT_NE(ogg.PercorsoFile(), ogg2.PercorsoFile());
}

// A progress window whose user stops the print at the second page.
class AvanzamentoProva : public ui::Form, public stampa::FinestraAvanzamento {
 public:
  AvanzamentoProva() : ui::Form("frmStampaInCorso") {}
  void ImpostaStampa(stampa::OggettoStampa* s) override { ogg = s; }
  void MostraAvanzamento(int p) override {
    if (p == 2 && ogg) ogg->SetStatoStampa(1);
  }
  bool ChiediEmailLogPwd() override { return false; }
  stampa::OggettoStampa* ogg = nullptr;
};

TEST(StampaLista, AStoppedPrintLeavesNoFileUnderItsName) {
  prova::CartellaTemp dir("sta");
  stampa::OggettoStampa ogg;
  AvanzamentoProva f;
  ogg.SetofrmStampaInCorso(&f);
  auto opz = std::make_shared<stampa::OpzioniStampa>();
  opz->oiStaVid = stampa::StaFile;
  opz->FileName = dir.Percorso("lista.pdf");
  ogg.SetogOpzSta(opz);
  stampa::ImpaginaLista(Tabella(300), {}, *opz, ogg.Doc());
  std::string errore;
  EXPECT_FALSE(ogg.StampaDocumento(errore));
  EXPECT_EQ(errore, "Stampa interrotta");
  EXPECT_TRUE(std::filesystem::is_empty(dir.Dir()));
  EXPECT_FALSE(f.Caricata());
}

TEST(StampaLista, PageCountMessageCanCancel) {
  auto prima = vb::ImpostaGestoreMsgBox([](const std::string& t, int, const std::string&) {
    EXPECT_NE(t.find("pagine"), std::string::npos);
    return static_cast<int>(vb::vbCancel);
  });
  prova::CartellaTemp dir("sta");
  stampa::OggettoStampa ogg;
  auto opz = std::make_shared<stampa::OpzioniStampa>();
  opz->oiStaVid = stampa::StaFile;
  opz->FileName = dir.Percorso("lista.pdf");
  opz->ScriviOpzione("MostraNumPag", 12, true);
  ogg.SetogOpzSta(opz);
  stampa::ImpaginaLista(Tabella(100), {}, *opz, ogg.Doc());
  std::string errore;
  EXPECT_FALSE(ogg.StampaDocumento(errore));
  EXPECT_FALSE(dir.Esiste("lista.pdf"));
  vb::ImpostaGestoreMsgBox(prima);
}

}  // namespace
