// The lines of a demo DDT edited from the program as the menu starts it:
// the header opened by the start-up on the demo company, DDT 3 found, its
// lines opened with "Dettaglio", changed with the window's toolbar and keys
// and closed; the committed lines, the working copies, the document lock
// and the header's totals are then read back.
#include "startup/Banco.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "ddt/header/frmDdtTest.h"
#include "ddt/lines/frmDDTDett.h"
#include "platform/FunzioniComuni.h"
#include "platform/aiuti/FinestraAiuto.h"
#include "platform/dati/GestRecordset.h"
#include "platform/dati/ServerDiProva.h"
#include "platform/ui/Griglia.h"

using prova::Banco;

namespace {

namespace utente = ui::utente;

double Numero(const std::string& s) { return vb::FunzioniComuni::Istanza().ValDouble(vb::Variant(s), true); }
double Centesimi(double x) { return std::round(x * 100) / 100; }

// The footer of a DDT as its stored rows give it.
struct Piede {
  double merce = 0, spese = 0, imponibile = 0, iva = 0, documento = 0;
};

class RigheDdt : public Banco {
 protected:
  void SetUp() override {
    Banco::SetUp();
    altriParametri_ =
        "Fat.DocDdt=DDT\nFat.ElePrefDdt=AB\nFat.PrefDdt=\nFat.AspettoBene=01\nFat.CauTrasporto=01\n"
        "Fat.Trasporto=01\nFat.DescLibTest1=Commessa\nFat.DescLibTest2=Reparto\nDitta.InstDiBa=N\n"
        "Mag.ListinoPrincipale=02\n";
    avvio::RegistraFormProgramma();
    Avvia(false);
  }
  void TearDown() override {
    frmDDTDett::Rilascia();
    Banco::TearDown();
  }

  // The rows of a query, fields joined by ":", rows by " ".
  std::string Elenco(const std::string& sql, const std::vector<std::string>& campi) {
    dati::GestRecordset rs;
    const std::string k = rs.ApriRecordset(*G().goDbAzienda, G().gsConnAzienda, "", sql, false, 4);
    std::string s;
    for (; !rs.NessunRecord(k) && !rs.FineRec(k); rs.ProssimoRec(k)) {
      if (!s.empty()) s += " ";
      for (size_t i = 0; i < campi.size(); ++i) {
        const vb::Variant v = rs.LeggiCampoNull(k, campi[i]);
        s += (i ? ":" : "") + (v.IsNull() ? std::string("<Null>") : v.ToString());
      }
    }
    rs.ChiudiRecordset(k);
    return s;
  }

  // DDT 3's lines of a table in display order, "RigDet:RigLiv:Articolo".
  std::string Righe(const std::string& tabella) {
    return Elenco(
        "Select RigDet, RigLiv, Articolo from " + tabella + " Where Anno = 2026 And NumRif = 3 Order By RigDet",
        {"RigDet", "RigLiv", "Articolo"});
  }
  std::string Committed() {
    return Elenco(
        "Select RigDet, RigLiv, Articolo, Qta, ValTotale, Iva from DdtDett Where Anno = 2026 And "
        "NumRif = 3 Order By RigDet",
        {"RigDet", "RigLiv", "Articolo", "Qta", "ValTotale", "Iva"});
  }

  // Whatever of DDT 3 is left in the working tables and the lock.
  std::string Lavoro() {
    std::string s;
    for (const char* t : {"DdtDettApp", "DdtLivApp", "DdtMatrApp"})
      s += Elenco(std::string("Select RigLiv from ") + t + " Where Anno = 2026 And NumRif = 3", {"RigLiv"});
    s += Elenco("Select RigLiv from DdtRintracciaApp Where Anno = 2026 And NumReg = 3", {"RigLiv"});
    return s;
  }
  std::string Lock() {
    return Elenco("Select Stato from LockGest Where Tipo = 'D' And Anno = 2026 And NumReg = 3", {"Stato"});
  }

  // The footer computed from DDT 3's committed rows: goods are the counted
  // article lines, each VAT code taxed on its lines and expenses, the
  // taxable amount is that of the taxed codes.
  Piede PiedeDalleRighe() {
    std::map<std::string, std::pair<double, std::string>> codici;  // rate, kind
    {
      dati::GestRecordset rs;
      const std::string k = rs.ApriRecordset(*G().goDbAzienda, G().gsConnAzienda, "", "Select * from TabIva", false, 4);
      for (; !rs.NessunRecord(k) && !rs.FineRec(k); rs.ProssimoRec(k))
        codici[rs.LeggiCampo(k, "Iva").ToString()] = {Numero(rs.LeggiCampo(k, "Aliquota").ToString()),
                                                      rs.LeggiCampo(k, "TipoIva").ToString()};
      rs.ChiudiRecordset(k);
    }
    Piede p;
    std::map<std::string, double> basi;
    auto somma = [&](const std::string& sql, const char* importo, bool merce) {
      dati::GestRecordset rs;
      const std::string k = rs.ApriRecordset(*G().goDbAzienda, G().gsConnAzienda, "", sql, false, 4);
      for (; !rs.NessunRecord(k) && !rs.FineRec(k); rs.ProssimoRec(k)) {
        if (merce &&
            (rs.LeggiCampo(k, "Omaggio").ToString() != "N" ||
             (rs.LeggiCampo(k, "TipoRiga").ToString() != "A" && rs.LeggiCampo(k, "TipoRiga").ToString() != "M")))
          continue;
        const double v = Numero(rs.LeggiCampo(k, importo).ToString());
        (merce ? p.merce : p.spese) += v;
        basi[rs.LeggiCampo(k, "Iva").ToString()] += v;
      }
      rs.ChiudiRecordset(k);
    };
    somma("Select * from DdtDett Where Anno = 2026 And NumRif = 3", "ValTotale", true);
    somma("Select * from DdtSpese Where Anno = 2026 And NumRif = 3", "Importo", false);
    for (const auto& [codice, base] : basi) {
      const auto& [aliquota, tipo] = codici.at(codice);
      p.iva += Centesimi(base * aliquota / 100);
      if (tipo == "0") p.imponibile += base;
      p.documento += base;
    }
    p.documento += p.iva;
    return p;
  }

  // The totals strip of the header as the user reads it.
  Piede PiedeMostrato(frmDdtTest& f) {
    return {Numero(f.lab(140).Caption()), Numero(f.lab(130).Caption()), Numero(f.lab(150).Caption()),
            Numero(f.lab(160).Caption()), Numero(f.lab(170).Caption())};
  }
  Piede PiedeMemorizzato() {
    const std::string s = Elenco(
        "Select TotMerce, TotSpese, TotImpon, TotIva, TotDocum from DdtTest Where Anno = 2026 "
        "And NumRif = 3",
        {"TotMerce", "TotSpese", "TotImpon", "TotIva", "TotDocum"});
    const std::vector<std::string> v = vb::Split(s, ":");
    if (v.size() != 5) return {};
    return {Numero(v[0]), Numero(v[1]), Numero(v[2]), Numero(v[3]), Numero(v[4])};
  }
  static void ComePiede(const Piede& atteso, const Piede& visto, const char* dove) {
    SCOPED_TRACE(dove);
    EXPECT_NEAR(visto.merce, atteso.merce, 0.001);
    EXPECT_NEAR(visto.spese, atteso.spese, 0.001);
    EXPECT_NEAR(visto.imponibile, atteso.imponibile, 0.001);
    EXPECT_NEAR(visto.iva, atteso.iva, 0.001);
    EXPECT_NEAR(visto.documento, atteso.documento, 0.001);
  }

  // The header on DDT 3 of 2026, found as the user finds it.
  frmDdtTest& Testata() {
    frmDdtTest& f = FrmDdtTest();
    EXPECT_TRUE(f.Caricata());
    f.txt(20).SetText("2026");
    f.txt(10).SetText("3");
    utente::BottoneBarra(f.C("tolComPag"), "Ricerca");
    EXPECT_EQ(f.ogComPag().oiFlagOpe(), 1) << vb::Join(messaggi_, " / ");
    return f;
  }

  // "Dettaglio" on the header, and the window's deferred start.
  frmDDTDett& ApriRighe(frmDdtTest& f) {
    utente::BottoneBarra(f.C("tolComPag"), "Dettaglio");
    EXPECT_TRUE(frmDDTDett::Creata() && frmDDTDett::Istanza().Caricata()) << vb::Join(messaggi_, " / ");
    frmDDTDett& d = frmDDTDett::Istanza();
    Orologio(100);
    EXPECT_FALSE(f.Enabled());
    EXPECT_EQ(d.txt(10).Text(), "1");
    return d;
  }

  // A column of a grid by its field, in the order the grid shows its rows.
  static std::string Colonna(ui::Griglia& g, const std::string& campo) {
    int col = -1;
    for (int i = 0; i < g.NumColonne(); ++i)
      if (vb::UgualeTesto(g.Colonna(i).DataField, campo)) col = i;
    if (col < 0) return "<" + campo + "?>";
    std::string s;
    const long n = g.NumRigheEsatto();
    for (long r = 0; r < n; ++r) s += (r ? " " : "") + g.TestoCella(r, col);
    return s;
  }
  // The line window's grid as "RigDet:Articolo".
  static std::string Griglia(frmDDTDett& d) {
    const std::vector<std::string> num = vb::Split(Colonna(d.dbgRiga(), "RigDet"), " ");
    const std::vector<std::string> art = vb::Split(Colonna(d.dbgRiga(), "Articolo"), " ");
    std::string s;
    for (size_t i = 0; i < num.size() && i < art.size(); ++i) s += (i ? " " : "") + num[i] + ":" + art[i];
    return s;
  }

  // A new article line as the user types it: the article fills unit, VAT,
  // account and list price; the quantity and a price of its own follow,
  // and the amount is worked out.
  static void Scrivi(frmDDTDett& d, const char* articolo, const char* qta, const char* prezzo) {
    utente::Digita(d.txt(20), articolo);
    utente::Digita(d.txt(30), qta);
    utente::Digita(d.txt(60), prezzo);
    utente::Fuoco(d.txt(70));
  }

  void InserisciESposta();
  void EsciSenzaSalvare();
  void RigaDaListino();
};

// The same program on a company database on the PostgreSQL server.
class RigheDdtServer : public RigheDdt {
 protected:
  void SetUp() override {
    if (prova::ConnessioneServer().empty()) GTEST_SKIP() << "DDT_PG_CONNECT is not set: no PostgreSQL test server";
    server_ = std::make_unique<prova::DatabaseServer>();
    {
      dati::GestDatabase db;
      const std::string k = db.ApriDatabase("", 0, false, false, server_->Connessione());
      dati::CreaSchema(db.Motore(k), dati::SchemaDitta());
      dati::CreaDittaDemo(db, k);
    }
    altraDitta_ = "ConnectDB=" + server_->Connessione() + "\n";
    RigheDdt::SetUp();
  }
  void TearDown() override {
    RigheDdt::TearDown();
    server_.reset();
  }
  std::unique_ptr<prova::DatabaseServer> server_;
};

}  // namespace

// A line inserted before line 2, the last line cut and pasted on the new
// one, the window closed with its close box.
void RigheDdt::InserisciESposta() {
  frmDdtTest& f = Testata();
  ComePiede(PiedeDalleRighe(), PiedeMostrato(f), "header as found");
  ASSERT_EQ(Righe("DdtDett"), "1:1:OLIO5L 2:3:BISCOTTI 3:4:CORSO01");
  frmDDTDett& d = ApriRighe(f);
  ASSERT_EQ(Lock(), "7");
  ASSERT_EQ(Griglia(d), "1:OLIO5L 2:BISCOTTI 3:CORSO01");

  // A new line before line 2: down one line, F10, the line typed and saved.
  utente::Premi(d, ui::vbKeyDown);
  ASSERT_EQ(d.txt(10).Text(), "2");
  utente::Premi(d, ui::vbKeyF10);
  ASSERT_EQ(d.ogLinPag().Stato(), 2);
  Scrivi(d, "VITE0410", "10", "0,5");
  EXPECT_EQ(d.txt(130).Text(), "22");
  EXPECT_EQ(d.txt(140).Text(), "CF");
  // The customer's discount of 2 on 10 at 0.50.
  EXPECT_EQ(d.txt(100).Text(), dati::demo::kScontoCliente3);
  EXPECT_EQ(d.txt(70).Text(), "4,90");
  // The VAT code the article proposed cleared: the save says what is
  // missing and stores nothing.
  ASSERT_TRUE(utente::Fuoco(d.txt(130)));
  utente::Premi(d, ui::vbKeyDelete);
  ASSERT_EQ(d.txt(130).Text(), "");
  utente::BottoneBarra(d.tolLinPag(), "Salva");
  EXPECT_EQ(box_, (std::vector<std::string>{"Il campo Iva è obbligatorio"}));
  EXPECT_EQ(Righe("DdtDettApp"), "1:1:OLIO5L 2:3:BISCOTTI 3:4:CORSO01");
  utente::Digita(d.txt(130), "22");
  utente::BottoneBarra(d.tolLinPag(), "Salva");
  EXPECT_EQ(Righe("DdtDettApp"), "1:1:OLIO5L 2:5:VITE0410 3:3:BISCOTTI 4:4:CORSO01");
  // The save goes on with the next new line; Esc drops it, untouched.
  ASSERT_EQ(d.ogLinPag().Stato(), 2);
  utente::Premi(d, ui::vbKeyEscape);
  ASSERT_EQ(d.ogLinPag().Stato(), 1);
  EXPECT_EQ(d.txt(10).Text(), "2");
  EXPECT_EQ(d.txt(20).Text(), "VITE0410");
  // The grid shows the lines as the table numbers them.
  EXPECT_EQ(Griglia(d), "1:OLIO5L 2:VITE0410 3:BISCOTTI 4:CORSO01");

  // The last line cut (Alt+X) and pasted on line 2 (Alt+W).
  utente::BottoneBarra(d.tolLinPag(), "Fine");
  ASSERT_EQ(d.txt(20).Text(), "CORSO01");
  utente::Premi(d, 'X', ui::vbAltMask);
  EXPECT_EQ(d.miCopiaTaglia, 2);
  utente::BottoneBarra(d.tolLinPag(), "Inizio");
  // Reading the lines again after the cut passes over line 1, whose article
  // is locked, and the focus leaves the fields: a click on the grid, then
  // one line down.
  ASSERT_TRUE(utente::Fuoco(d.dbgRiga()));
  utente::Premi(d, ui::vbKeyDown);
  ASSERT_EQ(d.txt(20).Text(), "VITE0410");
  utente::Premi(d, 'W', ui::vbAltMask);
  Orologio(100);
  EXPECT_EQ(Righe("DdtDettApp"), "1:1:OLIO5L 2:4:CORSO01 3:5:VITE0410 4:3:BISCOTTI");
  EXPECT_EQ(Griglia(d), "1:OLIO5L 2:CORSO01 3:VITE0410 4:BISCOTTI");
  // Nothing committed yet.
  EXPECT_EQ(Righe("DdtDett"), "1:1:OLIO5L 2:3:BISCOTTI 3:4:CORSO01");

  // Closed with the close box: the lines are committed, nothing asked.
  messaggi_.clear();
  box_.clear();
  EXPECT_TRUE(utente::Chiudi(d));
  Orologio(100);
  EXPECT_FALSE(d.Caricata());
  EXPECT_TRUE(messaggi_.empty()) << vb::Join(messaggi_, " / ");
  EXPECT_TRUE(box_.empty()) << vb::Join(box_, " / ");
  EXPECT_EQ(Righe("DdtDett"), "1:1:OLIO5L 2:4:CORSO01 3:5:VITE0410 4:3:BISCOTTI");
  EXPECT_EQ(Elenco("Select Qta, ValTotale, Iva from DdtDett Where Anno = 2026 And NumRif = 3 And RigLiv = 5",
                   {"Qta", "ValTotale", "Iva"}),
            "10:4,9:22");
  EXPECT_EQ(Lavoro(), "");
  EXPECT_EQ(Lock(), "");

  // The header is back, its lines grid and its totals follow the committed
  // lines, and the header row stores the same totals.
  EXPECT_TRUE(f.Enabled());
  EXPECT_EQ(f.oiInDett, -1);
  EXPECT_EQ(f.ogComPag().oiFlagOpe(), 1);
  EXPECT_FALSE(f.InVar());
  EXPECT_EQ(Colonna(f.GrigliaDett(), "Articolo"), "OLIO5L CORSO01 VITE0410 BISCOTTI");
  const Piede atteso = PiedeDalleRighe();
  EXPECT_NEAR(atteso.merce, dati::demo::kTotaliDdtModificabile.merce + 4.9, 0.001);
  ComePiede(atteso, PiedeMostrato(f), "header after the lines");
  ComePiede(atteso, PiedeMemorizzato(), "header row");
  EXPECT_EQ(Testo(Comanda("fine")), "");
}

// Lines changed, then the window left with "Esci Annullando".
void RigheDdt::EsciSenzaSalvare() {
  frmDdtTest& f = Testata();
  const std::string prima = Committed();
  const Piede piedePrima = PiedeMostrato(f);
  frmDDTDett& d = ApriRighe(f);
  // Line 2's quantity and amount changed and saved into the working copy,
  // and a new line at the end.
  utente::Premi(d, ui::vbKeyDown);
  ASSERT_EQ(d.txt(20).Text(), "BISCOTTI");
  utente::Digita(d.txt(30), "30");
  utente::Digita(d.txt(70), "84");
  utente::BottoneBarra(d.tolLinPag(), "Salva");
  ASSERT_EQ(Elenco("Select Qta from DdtDettApp Where Anno = 2026 And NumRif = 3 And RigLiv = 3", {"Qta"}), "30");
  utente::BottoneBarra(d.tolLinPag(), "Fine");
  utente::BottoneBarra(d.tolLinPag(), "Nuovo");
  Scrivi(d, "VITE0410", "10", "0,5");
  utente::BottoneBarra(d.tolLinPag(), "Salva");
  utente::Premi(d, ui::vbKeyEscape);
  ASSERT_EQ(Righe("DdtDettApp"), "1:1:OLIO5L 2:3:BISCOTTI 3:4:CORSO01 4:5:VITE0410");

  // "Esci Annullando" (Alt+E), confirmed.
  box_.clear();
  risposteBox_ = {vb::vbOK};
  utente::Premi(d, 'E', ui::vbAltMask);
  Orologio(100);
  EXPECT_EQ(box_, (std::vector<std::string>{"Confermi Uscita SENZA SALVATAGGIO dei Dettagli"}));
  EXPECT_FALSE(d.Caricata());
  EXPECT_EQ(Committed(), prima);
  EXPECT_EQ(Lavoro(), "");
  EXPECT_EQ(Lock(), "");
  EXPECT_TRUE(f.Enabled());
  EXPECT_EQ(f.oiInDett, -1);
  ComePiede(piedePrima, PiedeMostrato(f), "header after the discard");
  ComePiede(PiedeDalleRighe(), PiedeMemorizzato(), "header row");
  EXPECT_EQ(Colonna(f.GrigliaDett(), "Articolo"), "OLIO5L BISCOTTI CORSO01");
  // The lines open again on the committed rows.
  frmDDTDett& ancora = ApriRighe(f);
  EXPECT_EQ(Griglia(ancora), "1:OLIO5L 2:BISCOTTI 3:CORSO01");
  EXPECT_EQ(Lock(), "7");
  EXPECT_TRUE(utente::Chiudi(ancora));
  EXPECT_EQ(Lock(), "");
  EXPECT_EQ(Lavoro(), "");
}

TEST_F(RigheDdt, ALineInsertedAndALineMovedAreCommittedInTheirNewOrderAndTheHeaderFollows) { InserisciESposta(); }
TEST_F(RigheDdtServer, ALineInsertedAndALineMovedAreCommittedInTheirNewOrderAndTheHeaderFollows) {
  ASSERT_TRUE(G().goDbAzienda->Motore(G().gsConnAzienda).Tipo() == dati::TipoMotore::Server);
  InserisciESposta();
}

TEST_F(RigheDdt, ChangedLinesLeftWithoutSavingLeaveTheCommittedLinesAsTheyWere) { EsciSenzaSalvare(); }
TEST_F(RigheDdtServer, ChangedLinesLeftWithoutSavingLeaveTheCommittedLinesAsTheyWere) {
  ASSERT_TRUE(G().goDbAzienda->Motore(G().gsConnAzienda).Tipo() == dati::TipoMotore::Server);
  EsciSenzaSalvare();
}

// Lines typed one after the other in the middle: every save goes on with a
// new line in the middle, and the grid keeps the table's numbering.
TEST_F(RigheDdt, LinesTypedOneAfterAnotherInTheMiddleKeepTheGridInTheTablesOrder) {
  frmDdtTest& f = Testata();
  frmDDTDett& d = ApriRighe(f);
  utente::Premi(d, ui::vbKeyDown);
  utente::BottoneBarra(d.tolLinPag(), "Inserisci");
  Scrivi(d, "VITE0410", "10", "0,5");
  utente::BottoneBarra(d.tolLinPag(), "Salva");
  Scrivi(d, "ACQUA15", "12", "0,4");
  utente::BottoneBarra(d.tolLinPag(), "Salva");
  utente::Premi(d, ui::vbKeyEscape);
  const std::string lavoro = Righe("DdtDettApp");
  ASSERT_EQ(vb::Split(lavoro, " ").size(), 5u) << lavoro;
  // Both new lines between the first line and the biscuits.
  EXPECT_EQ(lavoro.substr(0, 9), "1:1:OLIO5");
  EXPECT_NE(lavoro.find("4:3:BISCOTTI 5:4:CORSO01"), std::string::npos) << lavoro;
  std::string atteso;
  for (const std::string& r : vb::Split(lavoro, " ")) {
    const std::vector<std::string> p = vb::Split(r, ":");
    atteso += (atteso.empty() ? "" : " ") + p[0] + ":" + p[2];
  }
  EXPECT_EQ(Griglia(d), atteso);
  // A line moved afterwards keeps the numbering in the order shown.
  utente::BottoneBarra(d.tolLinPag(), "Inizio");
  utente::Premi(d, 'X', ui::vbAltMask);
  utente::BottoneBarra(d.tolLinPag(), "Fine");
  risposteMsg_ = {2};  // below the last line
  utente::Premi(d, 'W', ui::vbAltMask);
  EXPECT_EQ(messaggi_,
            (std::vector<std::string>{"Ultima riga dei movimenti\r\nVuoi incollare sopra o sotto questa riga"}));
  Orologio(100);
  const std::string dopo = Righe("DdtDettApp");
  EXPECT_EQ(dopo.substr(dopo.size() - 10), "5:1:OLIO5L") << dopo;
  EXPECT_EQ(Griglia(d).substr(0, 2), "1:") << Griglia(d);
  EXPECT_TRUE(utente::Chiudi(d));
  EXPECT_EQ(Righe("DdtDett"), dopo);
  EXPECT_EQ(Elenco("Select RigDet from DdtDett Where Anno = 2026 And NumRif = 3 Order By RigDet", {"RigDet"}),
            "1 2 3 4 5");
  EXPECT_EQ(Lavoro(), "");
  EXPECT_EQ(Lock(), "");
}

// A line typed at the end of DDT 3 from the article alone: the article
// fills it from the sales list and the customer's discount; what cannot
// stand turns its box red and says why; quantity,
// price and amount typed in turn keep one another and the line's lire and
// euro values consistent; F3 picks the resellers' list price; saved and
// committed, the line reads back as it was typed.
void RigheDdt::RigaDaListino() {
  using namespace dati::demo;
  frmDdtTest& f = Testata();
  frmDDTDett& d = ApriRighe(f);
  utente::BottoneBarra(d.tolLinPag(), "Fine");
  utente::BottoneBarra(d.tolLinPag(), "Nuovo");
  ASSERT_EQ(d.ogLinPag().Stato(), 2);

  // The line as the window shows it: codes and discounts as text, the
  // numbers as numbers (a typed number keeps the page's display format).
  auto vista = [](frmDDTDett& w) {
    std::string s;
    for (int n : {20, 26, 80, 90, 100, 110, 120, 130, 140, 150, 160}) s += w.txt(n).Text() + "|";
    for (double v : {Numero(w.txt(30).Text()), Numero(w.txt(60).Text()), Numero(w.txt(70).Text()),
                     Numero(w.lab(80).Caption()), Numero(w.lab(290).Caption()), Numero(w.lab(300).Caption())})
      s += std::to_string(v) + "|";
    return s;
  };
  // Quantity, price and amount on screen, and the lire and euro values of
  // the amount: euro is the document's currency, lire at the fixed rate.
  auto valori = [&](double qta, double prezzo, double importo, const std::string& dove) {
    SCOPED_TRACE(dove);
    EXPECT_DOUBLE_EQ(Numero(d.txt(30).Text()), qta);
    EXPECT_DOUBLE_EQ(Numero(d.txt(60).Text()), prezzo);
    EXPECT_DOUBLE_EQ(Numero(d.txt(70).Text()), importo);
    EXPECT_DOUBLE_EQ(Numero(d.lab(300).Caption()), importo);
    const double lire = Numero(d.lab(290).Caption());
    EXPECT_EQ(lire, std::round(lire));
    EXPECT_NEAR(lire, importo * kCambioLiraEuro, 0.5 + 1e-6);
  };

  // The article: unit, VAT and account of its sales side, the sales list's
  // price 12.50, the customer's discount of 2 as the whole discount.
  utente::Digita(d.txt(20), kArticoloViti);
  ASSERT_TRUE(utente::Fuoco(d.txt(30)));
  EXPECT_EQ(d.txt(26).Text(), "Viti inox M4x10 (confezione da 100 pz)");
  EXPECT_EQ(d.txt(140).Text(), "CF");
  EXPECT_EQ(d.txt(150).Text(), "1");
  EXPECT_EQ(d.txt(130).Text(), kIva22);
  EXPECT_EQ(d.txt(160).Text(), "60-01-0001");
  EXPECT_EQ(d.txt(60).Text(), "12,500");
  EXPECT_EQ(d.txt(100).Text(), kScontoCliente3);
  EXPECT_EQ(d.txt(80).Text(), kScontoCliente3);
  EXPECT_EQ(d.txt(90).Text() + d.txt(110).Text() + d.txt(120).Text(), "");
  EXPECT_DOUBLE_EQ(Numero(d.lab(80).Caption()), 2);
  EXPECT_EQ(d.txt(70).Text(), "");

  // What cannot stand turns its box red, with the reason in the status bar
  // when the field has one and "** INESISTENTE **" beside an unknown code;
  // typed right, the box is clear again.
  struct Controllo {
    int campo;
    const char *scritto, *messaggio, *descrizione;
    bool rosso;
  };
  for (const Controllo& c : {Controllo{30, "abc", "Campo numerico: valore non valido", nullptr, true},
                             Controllo{30, "1e400", "Campo numerico: valore non valido", nullptr, true},
                             Controllo{140, "XX", "Codice Unità di Misura non valido", "** INESISTENTE **", true},
                             Controllo{140, "CF", "", "Confezioni", false},
                             Controllo{130, "99", "", "** INESISTENTE **", true},
                             Controllo{130, "22", "", "Aliquota ordinaria 22%", false},
                             Controllo{160, "60-01-9999", "Non usare - nel campo conto", "** INESISTENTE **", true},
                             Controllo{160, "60010001", "", "Ricavi vendita merci", false}}) {
    SCOPED_TRACE(std::to_string(c.campo) + " " + c.scritto);
    utente::Digita(d.txt(c.campo), c.scritto);
    ASSERT_TRUE(utente::Fuoco(d.txt(c.campo == 30 ? 70 : 30)));
    EXPECT_EQ(d.txt(c.campo).BackColor() == G().glColoreErrore, c.rosso);
    EXPECT_EQ(d.TestoPannello(), c.messaggio);
    if (c.descrizione) {
      EXPECT_EQ(d.lab(c.campo).Caption(), c.descrizione);
    }
  }
  EXPECT_EQ(d.txt(160).Text(), "60-01-0001");
  EXPECT_TRUE(box_.empty()) << vb::Join(box_, " / ");

  // Each box typed and left: the quantity and the price make the amount
  // (less 2 %), the amount makes the price.
  struct Passo {
    int campo;
    const char* scritto;
    double qta, prezzo, importo;
  };
  for (const Passo& p : {Passo{30, "4", 4, 12.5, 49}, Passo{60, "11", 4, 11, 43.12}, Passo{70, "50", 4, 12.755, 50},
                         Passo{30, "10", 10, 12.755, 125}}) {
    utente::Digita(d.txt(p.campo), p.scritto);
    ASSERT_TRUE(utente::Fuoco(d.txt(p.campo == 70 ? 30 : 70)));
    valori(p.qta, p.prezzo, p.importo, std::to_string(p.campo) + " " + p.scritto);
  }
  EXPECT_TRUE(box_.empty()) << vb::Join(box_, " / ");
  EXPECT_TRUE(messaggi_.empty()) << vb::Join(messaggi_, " / ");

  // F3 on the price: the article's lists in force on the DDT's date, the
  // resellers' 11.00 chosen; the amount follows.
  std::vector<std::string> listini;
  backend_.Rispondi([&](ui::Form& w) {
    auto& a = static_cast<aiuti::FinestraAiuto&>(w);
    for (int r = 0; r < a.RigheMostrate(); ++r) listini.push_back(a.CodiceMostrato(r));
    for (int r = 0; r < a.RigheMostrate(); ++r)
      if (a.CodiceMostrato(r) == kListinoRivenditori) {
        a.VaiARiga(r);
        a.Scegli();
        return;
      }
    a.Esci();
  });
  ASSERT_TRUE(utente::Fuoco(d.txt(60)));
  utente::Premi(d, ui::vbKeyF3);
  EXPECT_TRUE(backend_.ScriptFinito());
  std::sort(listini.begin(), listini.end());
  EXPECT_EQ(vb::Join(listini, " "), "01 02 03 04");
  ASSERT_TRUE(utente::Fuoco(d.txt(70)));
  valori(10, 11, 107.80, "F3");
  EXPECT_EQ(d.txt(100).Text(), kScontoCliente3);
  const std::string scritta = vista(d);

  // Saved: the next new line dropped, the line is shown from the working
  // copy as it was typed.
  utente::BottoneBarra(d.tolLinPag(), "Salva");
  ASSERT_EQ(d.ogLinPag().Stato(), 2);
  utente::Premi(d, ui::vbKeyEscape);
  ASSERT_EQ(d.ogLinPag().Stato(), 1);
  EXPECT_EQ(vista(d), scritta);
  EXPECT_EQ(d.ogLinPag().VarDati(-1).ToString(), "");

  // Committed with the close box: the stored row holds what was shown.
  EXPECT_TRUE(utente::Chiudi(d));
  Orologio(100);
  EXPECT_FALSE(d.Caricata());
  EXPECT_TRUE(box_.empty()) << vb::Join(box_, " / ");
  const std::vector<std::string> riga =
      vb::Split(Elenco("Select * from DdtDett Where Anno = 2026 And NumRif = 3 And Articolo = 'VITE0410'",
                       {"RigDet", "UM", "FatCon", "Iva", "ScontoCli", "ScontoTot", "Qta", "ValUnitario", "ValTotale",
                        "ValLire", "ValEuro"}),
                ":");
  ASSERT_EQ(riga.size(), 11u);
  EXPECT_EQ(vb::Join({riga.begin(), riga.begin() + 6}, ":"), std::string("4:CF:1:") + kIva22 + ":2:2");
  const double atteso[] = {10, 11, 107.80, std::round(107.80 * kCambioLiraEuro), 107.80};
  for (size_t i = 0; i < 5; ++i) EXPECT_DOUBLE_EQ(Numero(riga[6 + i]), atteso[i]) << i;
  EXPECT_EQ(Lavoro(), "");
  // The header's totals follow the new line.
  EXPECT_NEAR(PiedeDalleRighe().merce, kTotaliDdtModificabile.merce + 107.80, 0.001);
  ComePiede(PiedeDalleRighe(), PiedeMostrato(f), "header after the lines");
  ComePiede(PiedeDalleRighe(), PiedeMemorizzato(), "header row");

  // Opened again: the stored line shows as it was typed, and passing
  // through its article changes nothing.
  frmDDTDett& ancora = ApriRighe(f);
  utente::BottoneBarra(ancora.tolLinPag(), "Fine");
  ASSERT_EQ(ancora.txt(20).Text(), kArticoloViti);
  EXPECT_EQ(vista(ancora), scritta);
  ASSERT_TRUE(utente::Fuoco(ancora.txt(20)));
  ASSERT_TRUE(utente::Fuoco(ancora.txt(30)));
  EXPECT_EQ(vista(ancora), scritta);
  EXPECT_EQ(ancora.ogLinPag().VarDati(-1).ToString(), "");
  EXPECT_TRUE(utente::Chiudi(ancora));
  EXPECT_TRUE(box_.empty()) << vb::Join(box_, " / ");
  EXPECT_EQ(Lock(), "");
}

TEST_F(RigheDdt, AnArticleFillsTheLineFromItsListAndTheCustomerDiscountAndReadsBackAsTyped) { RigaDaListino(); }
TEST_F(RigheDdtServer, AnArticleFillsTheLineFromItsListAndTheCustomerDiscountAndReadsBackAsTyped) {
  ASSERT_TRUE(G().goDbAzienda->Motore(G().gsConnAzienda).Tipo() == dati::TipoMotore::Server);
  RigaDaListino();
}
