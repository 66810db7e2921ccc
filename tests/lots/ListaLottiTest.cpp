// Lot stock from its six sources, the lot states, the lots a document's
// editing touched, and the lot selection list (build, preload, spreading,
// writing), on a SQLite file and, when the test server is there, on
// PostgreSQL.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "common/Globali.h"
#include "lots/UtilLotto.h"
#include "platform/dati/DittaDemo.h"
#include "platform/dati/DittaDemo_Lotti.h"
#include "platform/dati/GestRecordset.h"
#include "platform/dati/Schema.h"
#include "platform/dati/ServerDiProva.h"
#include "services/DittaProva.h"

namespace {

namespace demo = dati::demo;
using UtilLotto::ChiaveLotto;

const std::string W = demo::kMagCentrale;

class LottiMotori : public prova::DittaProva, public ::testing::WithParamInterface<bool> {
 protected:
  void SetUp() override {
    DittaProva::SetUp();
    if (GetParam()) {
      if (prova::ConnessioneServer().empty()) GTEST_SKIP() << "DDT_PG_CONNECT is not set: no PostgreSQL test server";
      server_ = std::make_unique<prova::DatabaseServer>();
      db_ = std::make_shared<dati::GestDatabase>();
      conn_ = db_->ApriDatabase("", 0, false, false, server_->Connessione());
      dati::CreaSchema(db_->Motore(conn_), dati::SchemaDitta());
      G().goDbAzienda = db_;
      G().gsConnAzienda = conn_;
    }
    dati::CreaDittaDemo(*db_, conn_);
  }
  void TearDown() override {
    db_.reset();
    G().goDbAzienda.reset();
    DittaProva::TearDown();
    server_.reset();
  }

  static ChiaveLotto Lotto(const std::string& codice, int16_t nr = 1) {
    return {demo::kArticoloLotti, demo::kGruppoFornitori, demo::kMastroFornitori, demo::kFornitore2, codice, nr};
  }
  static std::string Q(const std::string& s) {
    std::string out = "'";
    for (char c : s) out += c == '\'' ? std::string("''") : std::string(1, c);
    return out + "'";
  }
  void NuovoLotto(const std::string& codice, const char* chiuso = "A", const char* scadenza = nullptr) {
    Sql("Insert Into Lotti (Lotto, NrProgLotto, Articolo, GruppoCliFor, MastroCliFor, ContoCliFor, DataScadenza,"
        " Descrizione, Chiuso) Values (" + Q(codice) + ", 1, " + Q(demo::kArticoloLotti) + ", " +
        Q(demo::kGruppoFornitori) + ", " + Q(demo::kMastroFornitori) + ", " + Q(demo::kFornitore2) + ", " +
        (scadenza ? std::string("'") + scadenza + "'" : "Null") + ", " + Q("Lotto " + codice) + ", " + Q(chiuso) +
        ")");
  }
  void RigaLotto(const std::string& tabella, long num, long rigLiv, const std::string& lotto, const char* op,
                 double qta) {
    Sql("Insert Into " + tabella +
        " (Anno, NumReg, RigLiv, Articolo, GruppoCliFor, MastroCliFor, ContoCliFor, Lotto, NrProgLotto, Qta,"
        " TipOpe) Values (2026, " + std::to_string(num) + ", " + std::to_string(rigLiv) + ", " +
        Q(demo::kArticoloLotti) + ", " + Q(demo::kGruppoFornitori) + ", " + Q(demo::kMastroFornitori) + ", " +
        Q(demo::kFornitore2) + ", " + Q(lotto) + ", 1, " + std::to_string(qta) + ", " + Q(op) + ")");
  }
  void Ddt(long num, const char* stato = nullptr) {
    Sql("Insert Into DdtTest (Anno, NumRif, MagazzProv, Stato) Values (2026, " + std::to_string(num) + ", " + Q(W) +
        ", " + (stato ? Q(stato) : "Null") + ")");
  }
  void Carico(long num, const std::string& lotto, double qta) {
    Sql("Insert Into MovMagTes (Anno, NumReg, MagazzinoDest, MagCausale) Values (2026, " + std::to_string(num) +
        ", " + Q(W) + ", 'CAR')");
    RigaLotto("MovMagRintraccia", num, 1, lotto, "C", qta);
  }
  std::string Leggi(const std::string& sql, const std::string& campo) {
    dati::GestRecordset rs;
    const std::string k = rs.ApriRecordset(*db_, conn_, "", sql, false, 4);
    std::string out;
    while (!rs.FineRec(k)) {
      if (!out.empty()) out += " ";
      out += rs.LeggiCampo(k, campo).ToString();
      rs.ProssimoRec(k);
    }
    rs.ChiudiRecordset(k);
    return out;
  }
  std::string Stato(const std::string& lotto) {
    return Leggi("Select Chiuso from Lotti Where Lotto = " + Q(lotto), "Chiuso");
  }
  double Giac(const std::string& lotto, const char* escl = "", long num = 0, long rigLiv = 0) {
    UtilLotto::GiacenzaLotto q;
    return UtilLotto::CalcGiacLotto(W, Lotto(lotto), q, escl, 2026, static_cast<int32_t>(num),
                                    static_cast<int32_t>(rigLiv), "")
        .ToDouble();
  }
  // The list as "lot:chosen/available", in list order.
  std::string Lista() {
    dati::GestRecordset rs;
    const std::string k = rs.ApriRecordset(
        *db_, conn_, "",
        "Select * From AppoggioTemp Where Utente = " + Q(utente_) + " And IdProgramma = 'LottiListaSelda'"
        " Order by Valoredata, Valorestringa",
        false, 4);
    std::string out;
    while (!rs.FineRec(k)) {
      if (!out.empty()) out += " ";
      out += rs.LeggiCampo(k, "Valorestringa").ToString() + ":" + Num(rs.LeggiCampo(k, "Valorenumero")) + "/" +
             Num(rs.LeggiCampo(k, "AppoDouble0"));
      rs.ProssimoRec(k);
    }
    rs.ChiudiRecordset(k);
    return out;
  }
  static std::string Num(const vb::Variant& v) {
    const double d = v.ToDouble();
    char buf[32];
    std::snprintf(buf, sizeof buf, "%g", d);
    return buf;
  }
  // A list row as the build writes it, for the spreading.
  void VoceLista(int n, const std::string& lotto, double disp, const char* scadenza) {
    Sql("Insert Into AppoggioTemp (Utente, IdProgramma, IdCampo, Valorestringa, Valorenumero, Valoredata,"
        " AppoStringa0, AppoStringa1, AppoInte0, AppoDouble0) Values (" + Q(utente_) + ", 'LottiListaSelda', " +
        Q(std::to_string(n)) + ", " + Q(lotto) + ", 0, '" + scadenza + "', " + Q(demo::kArticoloLotti) + ", " +
        Q(std::string(demo::kGruppoFornitori) + "-" + demo::kMastroFornitori + "-" + demo::kFornitore2) + ", 1, " +
        std::to_string(disp) + ")");
  }

  std::unique_ptr<prova::DatabaseServer> server_;
};

INSTANTIATE_TEST_SUITE_P(Motori, LottiMotori, ::testing::Values(false, true),
                         [](const auto& i) { return i.param ? std::string("PostgreSQL") : std::string("SQLite"); });

// Loads 10 by a movement; an unprinted DDT unloads 3, a printed one 2, an
// unprinted invoice 1; a DDT open for editing counts by its working copy.
TEST_P(LottiMotori, CalcGiacLottoSixSources) {
  NuovoLotto("LS");
  Carico(50, "LS", 10);
  Ddt(60);
  RigaLotto("DdtRintraccia", 60, 1, "LS", "S", 3);
  Ddt(61, "S");
  RigaLotto("DdtRintraccia", 61, 1, "LS", "S", 2);
  Sql("Insert Into FatTest (Anno, NumRif, MagazzProv, Riepilogativa) Values (2026, 70, " + Q(W) + ", 'N')");
  RigaLotto("FattRintraccia", 70, 1, "LS", "S", 1);
  Sql("Insert Into FatTest (Anno, NumRif, MagazzProv, Riepilogativa) Values (2026, 71, " + Q(W) + ", 'S')");
  RigaLotto("FattRintraccia", 71, 1, "LS", "S", 7);
  struct Caso {
    const char* nome;
    const char* escl;
    long num, rigLiv;
    double atteso;
  } casi[] = {
      {"all sources", "", 0, 0, 6},
      {"the unprinted DDT left out", "d", 60, -1, 9},
      {"its line only", "d", 60, 1, 9},
      {"another line of it", "d", 60, 2, 6},
      {"the movement left out", "m", 50, -1, -4},
      {"the invoice left out", "f", 70, -1, 7},
      {"a code for another table", "da", 60, -1, 6},
  };
  for (const Caso& c : casi) EXPECT_DOUBLE_EQ(Giac("LS", c.escl, c.num, c.rigLiv), c.atteso) << c.nome;

  // DDT 60 opened for editing: its working copy counts instead (unload 5).
  Sql("Insert Into DdtDettApp (Anno, NumRif, RigDet, RigLiv) Values (2026, 60, 1, 1)");
  RigaLotto("DdtRintracciaApp", 60, 1, "LS", "S", 5);
  EXPECT_DOUBLE_EQ(Giac("LS"), 4);
  UtilLotto::GiacenzaLotto q;
  EXPECT_DOUBLE_EQ(UtilLotto::CalcGiacLotto(W, Lotto("LS"), q, "", 2026, 60, -1, "d").ToDouble(), 6)
      << "counted by its committed rows";
  EXPECT_DOUBLE_EQ(q.carMov, 10);
  EXPECT_DOUBLE_EQ(q.scarDdt, 3);
  EXPECT_DOUBLE_EQ(q.scarFatt, 1);
  EXPECT_TRUE(messaggi_.empty());
}

// Lot codes are data: quotes and wildcards are matched as they stand.
TEST_P(LottiMotori, LotCodesWithQuotesAndWildcards) {
  const std::string strano = "L'1*?%_#", simile = "L'1xx%_#";
  NuovoLotto(strano);
  NuovoLotto(simile);
  Carico(50, strano, 4);
  Carico(51, simile, 9);
  EXPECT_DOUBLE_EQ(Giac(strano), 4);
  EXPECT_EQ(UtilLotto::CreaListaLottiSel("da", W, demo::kArticoloLotti, true, vb::Variant("01/01/2026"), "da", 2026,
                                         999, 1),
            4);  // the demo's two lots and these two
  EXPECT_NE(Lista().find(strano + ":0/4"), std::string::npos) << Lista();
  EXPECT_TRUE(messaggi_.empty());
}

// Spreading in list order, each lot up to what it has.
TEST_P(LottiMotori, RipartQtaLotti) {
  struct Caso {
    double qta;
    const char* ordine;
    const char* atteso;
  } casi[] = {
      {12, "D", "A:4/4 B:8/10 C:0/3"}, {20, "D", "A:4/4 B:10/10 C:3/3"}, {4, "D", "A:4/4 B:0/10 C:0/3"},
      {0, "D", "A:0/4 B:0/10 C:0/3"},  {-2, "D", "A:0/4 B:0/10 C:0/3"},  {12, "q", "A:4/4 B:5/10 C:3/3"},
  };
  for (const Caso& c : casi) {
    Sql("Delete From AppoggioTemp");
    VoceLista(1, "A", 4, "2026-01-10");
    VoceLista(2, "B", 10, "2026-02-10");
    VoceLista(3, "C", 3, "2026-03-10");
    UtilLotto::RipartQtaLotti("da", c.qta, c.ordine);
    EXPECT_EQ(Lista(), c.atteso) << c.qta << " " << c.ordine;
    EXPECT_TRUE(messaggi_.empty()) << messaggi_[0];
  }
}

// The build lists the open, unexpired lots with stock, the line's own rows
// left out; the preload adds the line's lots with its quantities.
TEST_P(LottiMotori, CreaListaECaricaLottiRiga) {
  NuovoLotto("LA", "A", "2026-12-31");
  NuovoLotto("LB", "A", "2026-01-01");  // expired at the reference date
  NuovoLotto("LC", "C");
  NuovoLotto("LD", "A");  // no stock
  NuovoLotto("LE", "F");  // closed by hand, held by the line
  for (const char* l : {"LA", "LB", "LC", "LE"}) Carico(50 + (l[1] - 'A'), l, 10);
  Ddt(80);
  RigaLotto("DdtRintracciaApp", 80, 1, "LA", "S", 2);
  RigaLotto("DdtRintracciaApp", 80, 1, "LE", "S", 1);
  RigaLotto("DdtRintracciaApp", 80, 2, "LA", "S", 3);  // another line: counts

  Sql("Insert Into AppoggioTemp (Utente, IdProgramma, IdCampo) Values (" + Q(utente_) + ", 'LottiListaSelda', 'x')");
  const int16_t n = UtilLotto::CreaListaLottiSel("da", W, demo::kArticoloLotti, false, vb::Variant("02/01/2026"),
                                                 "da", 2026, 80, 1);
  // The demo's L2026-045 (18 left) and L2026-052 (12) never expire.
  EXPECT_EQ(n, 3);
  EXPECT_EQ(Lista(), "LA:0/7 L2026-045:0/18 L2026-052:0/12");
  ASSERT_TRUE(UtilLotto::CaricaLottiRiga("da", "DdtRintracciaApp", 2026, 80, 1));
  EXPECT_EQ(Lista(), "LA:2/7 L2026-045:0/18 L2026-052:0/12 LE:1/1");
  EXPECT_EQ(Leggi("Select AppoStringa4, IdCampo from AppoggioTemp Where Valorestringa = 'LE'", "IdCampo"), "9999");
  EXPECT_EQ(Leggi("Select AppoStringa4 from AppoggioTemp Where Valorestringa = 'LE'", "AppoStringa4"), "*");
  // Expired lots on request.
  EXPECT_EQ(UtilLotto::CreaListaLottiSel("da", W, demo::kArticoloLotti, true, vb::Variant("02/01/2026"), "da", 2026,
                                         80, 1),
            4);
  EXPECT_TRUE(messaggi_.empty());
}

// The chosen lots replace the line's rows, and the lots' states follow.
TEST_P(LottiMotori, ScriviLottiSel) {
  NuovoLotto("LA");
  NuovoLotto("LB");
  Carico(50, "LA", 4);
  Carico(51, "LB", 10);
  Ddt(80);
  RigaLotto("DdtRintracciaApp", 80, 1, "LB", "S", 10);
  Sql("Update Lotti Set Chiuso = 'C' Where Lotto = 'LB'");
  VoceLista(1, "LA", 4, "2026-01-10");
  VoceLista(2, "LB", 10, "2026-02-10");
  UtilLotto::RipartQtaLotti("da", 6, "D");
  ASSERT_TRUE(UtilLotto::ScriviLottiSel("da", "DdtRintracciaApp", 2026, 80, 1, true, "S", W, ""));
  EXPECT_EQ(Leggi("Select Lotto, Qta From DdtRintracciaApp Where NumReg = 80 Order by Lotto", "Lotto"), "LA LB");
  EXPECT_EQ(Leggi("Select Lotto, Qta From DdtRintracciaApp Where NumReg = 80 Order by Lotto", "Qta"), "4 2");
  EXPECT_EQ(Stato("LA"), "C");  // all 4 taken
  EXPECT_EQ(Stato("LB"), "A");  // 8 left
  ASSERT_TRUE(messaggi_.empty()) << messaggi_[0];

  // Nothing chosen: the question; "&Annulla" answers False, rows kept.
  Sql("Update AppoggioTemp Set Valorenumero = 0");
  risposte_ = {2};
  EXPECT_FALSE(UtilLotto::ScriviLottiSel("da", "DdtRintracciaApp", 2026, 80, 1, true, "S", W, ""));
  ASSERT_EQ(messaggi_.size(), 1u);
  EXPECT_EQ(messaggi_[0], "Non è stata selezionata nessuna quantità\r\nSi conferma l'uscita?");
  EXPECT_TRUE(UtilLotto::ScriviLottiSel("da", "DdtRintracciaApp", 2026, 80, 1, false, "S", W, ""));
  EXPECT_EQ(Leggi("Select Lotto From DdtRintracciaApp Where NumReg = 80 Order by Lotto", "Lotto"), "LA LB");
}

// A failure half way undoes the whole writing and answers False.
TEST_P(LottiMotori, ScriviLottiSelFailingRollsBack) {
  NuovoLotto("LA");
  Carico(50, "LA", 10);
  Ddt(80);
  RigaLotto("DdtRintracciaApp", 80, 1, "LA", "S", 10);
  Sql("Update Lotti Set Chiuso = 'C' Where Lotto = 'LA'");
  // The same lot twice: the second row breaks the key of the lot rows.
  VoceLista(1, "LA", 10, "2026-01-10");
  VoceLista(2, "LA", 10, "2026-01-10");
  Sql("Update AppoggioTemp Set Valorenumero = 3");
  EXPECT_FALSE(UtilLotto::ScriviLottiSel("da", "DdtRintracciaApp", 2026, 80, 1, false, "S", W, ""));
  ASSERT_EQ(messaggi_.size(), 1u);
  EXPECT_EQ(messaggi_[0].rfind("Errore(", 0), 0u) << messaggi_[0];
  EXPECT_EQ(Leggi("Select Qta From DdtRintracciaApp Where NumReg = 80", "Qta"), "10");
  EXPECT_EQ(Stato("LA"), "C");
}

// A stock that cannot be read writes no state, and the deletion's caller
// hears of it.
TEST_P(LottiMotori, FailingStockQueryWritesNoState) {
  NuovoLotto("LA");
  Carico(50, "LA", 10);
  Ddt(80);
  RigaLotto("DdtRintracciaApp", 80, 1, "LA", "S", 10);
  Sql("Update Lotti Set Chiuso = 'X'");
  Sql("Drop Table FattRintracciaApp");
  EXPECT_THROW(UtilLotto::AggStatoLotto("S", W, "", Lotto("LA"), 2026, 80, 1, "da", 0, ""), vb::Errore);
  EXPECT_EQ(Stato("LA"), "X");
  EXPECT_FALSE(UtilLotto::AggStatoLottiRighe("S", "DdtRintracciaApp", 2026, 80, W, "", "da", 1));
  EXPECT_EQ(Stato("LA"), "X");
  EXPECT_EQ(messaggi_.size(), 1u);
}

// Leaving the lines without saving: the lots the editing changed get the
// state of the committed rows back; an untouched lot is not evaluated.
TEST_P(LottiMotori, AggStatoLottiModif) {
  for (const char* l : {"LA", "LB", "LC", "LD"}) {
    NuovoLotto(l);
    Carico(50 + (l[1] - 'A'), l, 5);
  }
  Ddt(80);
  Sql("Insert Into DdtDettApp (Anno, NumRif, RigDet, RigLiv) Values (2026, 80, 1, 1)");
  // Committed: LA 5 (removed while editing), LC 2+3 on two lines, LD 1.
  RigaLotto("DdtRintraccia", 80, 1, "LA", "S", 5);
  RigaLotto("DdtRintraccia", 80, 1, "LC", "S", 2);
  RigaLotto("DdtRintraccia", 80, 2, "LC", "S", 3);
  RigaLotto("DdtRintraccia", 80, 1, "LD", "S", 1);
  // Working: LB 5 (added), LC 5 on one line (same total), LD 4 (changed).
  RigaLotto("DdtRintracciaApp", 80, 1, "LB", "S", 5);
  RigaLotto("DdtRintracciaApp", 80, 1, "LC", "S", 5);
  RigaLotto("DdtRintracciaApp", 80, 1, "LD", "S", 4);
  Sql("Update Lotti Set Chiuso = 'X'");
  UtilLotto::AggStatoLottiModif(2026, 80, "DdtRintraccia", "DdtRintracciaApp", "S", W, "", "d");
  EXPECT_EQ(Stato("LA"), "C");  // the committed unload of 5 takes it all
  EXPECT_EQ(Stato("LB"), "A");  // only the discarded rows took it
  EXPECT_EQ(Stato("LC"), "X");  // unchanged: not evaluated
  EXPECT_EQ(Stato("LD"), "A");  // 4 left under the committed rows
  EXPECT_TRUE(UtilLotto::NessunLottoRiga("DdtRintracciaApp", 2026, 80, 2));
  EXPECT_FALSE(UtilLotto::NessunLottoRiga("DdtRintracciaApp", 2026, 80, 1));
}

TEST(ConfrontaLottiMod, KeepsEachChangedLotOnce) {
  UtilLotto::LottiMod commit, lavoro;
  UtilLotto::AggiungiLottoMod("ART", "07", "01", "0004", "L1", 1, 5, "0", commit);       // same
  UtilLotto::AggiungiLottoMod("ART", "07", "01", "0004", "L2", 1, 5, "1", commit);       // changed
  UtilLotto::AggiungiLottoMod("ART", "07", "01", "0004", "L3", 1, 5, "2", commit);       // removed
  UtilLotto::AggiungiLottoMod("art", "07", "01", "0004", "l1", 1, 5.000000001, "0", lavoro);
  UtilLotto::AggiungiLottoMod("ART", "07", "01", "0004", "L2", 1, 6, "1", lavoro);
  UtilLotto::AggiungiLottoMod("ART", "07", "01", "0004", "L4", 1, 1, "2", lavoro);       // added
  UtilLotto::AggiungiLottoMod("ART", "07", "01", "0004", "L1", 2, 5, "3", lavoro);       // another progressive
  UtilLotto::ConfrontaLottiMod(commit, lavoro);
  std::string c, l;
  for (const auto& m : commit) c += m.osLotto + " ";
  for (const auto& m : lavoro) l += m.osLotto + "/" + std::to_string(m.oiNrProgLotto) + " ";
  EXPECT_EQ(c, "L2 L3 ");
  EXPECT_EQ(l, "L4/1 L1/2 ");
}

}  // namespace

namespace {

// The demo's cheese: lots in both stores, one closed by hand.
TEST_P(LottiMotori, DemoCheeseLots) {
  const UtilLotto::ChiaveLotto l{demo::kArticoloLottiObblig, demo::kGruppoFornitori, demo::kMastroFornitori,
                                 demo::kFornitore2, demo::kLottoForm1, 1};
  UtilLotto::GiacenzaLotto q;
  EXPECT_DOUBLE_EQ(UtilLotto::CalcGiacLotto(demo::kMagCentrale, l, q).ToDouble(), 20);
  EXPECT_DOUBLE_EQ(UtilLotto::CalcGiacLotto(demo::kMagNegozio, l, q).ToDouble(), 8);
  EXPECT_EQ(UtilLotto::CreaListaLottiSel("da", demo::kMagCentrale, demo::kArticoloLottiObblig, false,
                                         vb::Variant("10/12/2026"), "da", 2026, 999, 1),
            2);
  EXPECT_EQ(Leggi("Select Articolo, GestRintraccia From Articoli Where GestRintraccia In ('S', 'O') Order by "
                  "GestRintraccia",
                  "Articolo"),
            std::string(demo::kArticoloLottiObblig) + " " + demo::kArticoloLotti);
  EXPECT_EQ(Leggi("Select Chiave From TabDecod Group by Chiave Order by Chiave", "Chiave"), "C S T Z");
}

}  // namespace

namespace {

TEST_P(LottiMotori, GeneraLotto) {
  const std::string a = demo::kArticoloLotti;
  auto lotto = [&](const std::string& codice, const std::string& articolo) {
    Sql("Insert Into Lotti (Lotto, NrProgLotto, Articolo, GruppoCliFor, MastroCliFor, ContoCliFor, Chiuso) Values (" +
        Q(codice) + ", 1, " + Q(articolo) + ", '09', '09', '0009', 'A')");
  };
  for (const char* c : {"AB0007", "AB0012", "ABX1", "AB12X", "P7", "P999", "Q999", "Q1000", "A%_01"}) lotto(c, a);
  lotto("AB0099", "ALTRO");
  lotto("AB9999", a);
  Sql("Update Lotti Set GruppoCliFor = '08' Where Lotto = 'AB9999'");  // another owner
  struct Caso {
    const char* prefisso;
    int larghezza;
    bool perArticolo;
    const char* atteso;
  } casi[] = {
      {"L", 4, true, "L0001"},    {"AB", 4, true, "AB0013"},  {"ab", 4, true, "ab0013"},
      {"AB", 4, false, "AB0100"}, {"P", 0, true, "P1000"},     {"P", 3, true, "P1000"},
      {"Q", 3, true, "Q1001"},    {"A%_", 2, true, "A%_02"},   {"A_", 2, true, "A_01"},
      {"", 0, true, "1"},
  };
  for (const Caso& c : casi)
    EXPECT_EQ(UtilLotto::GeneraLotto(c.prefisso, static_cast<int16_t>(c.larghezza), "09", "09", "0009",
                                     c.perArticolo ? a : ""),
              c.atteso)
        << c.prefisso << " " << c.larghezza;
}

}  // namespace
