// The window-less expense routines on the demo company in a real SQLite
// file: row numbers, amounts by currency, the replacement of one code by
// another, and the bank-charge and stamp-duty recheck as a header's
// customer, payment, currency and sign change.
#include "expenses/AggSpeBan.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "common/AziendaUtil.h"
#include "common/Globali.h"
#include "platform/dati/DittaDemo.h"
#include "platform/dati/GestDatabase.h"
#include "platform/dati/GestRecordset.h"
#include "platform/dati/Schema.h"
#include "support/CartellaTemp.h"

namespace {

using namespace dati::demo;

constexpr int16_t kA = kAnno;
constexpr int32_t kVuoto = 50;  // a document with no expense rows

class AggSpeBanProva : public ::testing::Test {
 protected:
  void SetUp() override {
    AzzeraGlobali();
    AggSpeBan::AzzeraStato();
    db_ = std::make_shared<dati::GestDatabase>();
    conn_ = db_->CreaDatabase(dir_.Percorso("ditta.db"));
    dati::CreaSchema(db_->Motore(conn_), dati::SchemaDitta());
    dati::CreaDittaDemo(*db_, conn_);
    G().goDbAzienda = db_;
    G().gsConnAzienda = conn_;
  }
  void TearDown() override {
    AggSpeBan::AzzeraStato();
    AzzeraGlobali();
  }

  void Sql(const std::string& s) { db_->EseguiSql(conn_, s); }

  // The document's rows as "Riga:Spesa:Iva:Importo:Min:Max:Perc;" in row order.
  std::string Righe(int32_t numRif) {
    dati::GestRecordset rs;
    const std::string k = rs.ApriRecordset(*db_, conn_, "",
                                           "Select * from DdtSpese Where Anno = 2026 And NumRif = " +
                                               std::to_string(numRif) + " Order By Riga",
                                           false, 4);
    std::string out;
    for (; !rs.FineRec(k); rs.ProssimoRec(k)) {
      char buf[200];
      std::snprintf(buf, sizeof buf, "%ld:%s:%s:%.2f:%.2f:%.2f:%g;", static_cast<long>(rs.LeggiCampo(k, "Riga").ToLong()),
                    rs.LeggiCampo(k, "Spesa").ToString().c_str(), rs.LeggiCampo(k, "Iva").ToString().c_str(),
                    rs.LeggiCampo(k, "Importo").ToDouble(), rs.LeggiCampo(k, "ImportoMin").ToDouble(),
                    rs.LeggiCampo(k, "ImportoMax").ToDouble(), rs.LeggiCampo(k, "Percentuale").ToDouble());
      out += buf;
    }
    rs.ChiudiRecordset(k);
    return out;
  }

  void Riga(int32_t numRif, int riga, const std::string& spesa, const std::string& importo) {
    Sql("Insert Into DdtSpese (Anno, NumRif, Riga, Spesa, Iva, Importo, ImportoMin, ImportoMax, Percentuale, "
        "SoggRitAcc) Values (2026, " +
        std::to_string(numRif) + ", " + std::to_string(riga) + ", '" + spesa + "', '22', " + importo +
        ", 0, 0, 0, 'N')");
  }

  prova::CartellaTemp dir_{"aggspeban"};
  std::shared_ptr<dati::GestDatabase> db_;
  std::string conn_;
};

TEST_F(AggSpeBanProva, TheNextRowFollowsTheHighestWhateverTheGaps) {
  int32_t n = -1;
  AggSpeBan::CalcUltRiga("DdtSpese", kA, kVuoto, n);
  EXPECT_EQ(n, 0);
  AggSpeBan::CalcUltRiga("DdtSpese", kA, kDdtModificabile, n);
  EXPECT_EQ(n, 1);
  Riga(kVuoto, 1, kSpesaTrasporto, "1");
  Riga(kVuoto, 4, kSpesaIncasso, "1");
  bool piede = false;
  int32_t err = -1;
  std::string testo = "x";
  EXPECT_EQ(AggSpeBan::InsSpeseStandard("DdtSpese", kA, kVuoto, "+", kEuro, "", piede, err, testo).ToLong(), 0);
  EXPECT_EQ(err, 0);
  EXPECT_EQ(testo, "");
  EXPECT_EQ(Righe(kVuoto), "1:TRA:22:1.00:0.00:0.00:0;4:INC:22:1.00:0.00:0.00:0;5:STD:22:1.50:0.00:0.00:0;");
}

TEST_F(AggSpeBanProva, StandardExpensesBySignCurrencyVatAndFilter) {
  const double lire = std::llround(1.50 * kCambioLiraEuro);
  char rigaLire[80];
  std::snprintf(rigaLire, sizeof rigaLire, "1:STD:22:%.2f:0.00:0.00:0;", lire);
  struct Caso {
    const char* nome;
    const char* segno;
    const char* moneta;
    const char* iva;
    const char* filtro;
    std::string righe;
    bool piede;
  };
  const Caso casi[] = {
      {"segno meno", "-", kEuro, "", "", "", false},
      {"segno vuoto", "", kEuro, "", "", "", false},
      {"euro, IVA della testata", "+", kEuro, "10", "", "1:STD:10:1.50:0.00:0.00:0;", true},
      {"IVA in bianco: quella della spesa", "+", kEuro, "  ", "", "1:STD:22:1.50:0.00:0.00:0;", true},
      {"lire: colonne in lire", "+", kLira, "", "", rigaLire, true},
      {"dollari: nessuna spesa adatta", "+", kDollaro, "", "", "", false},
      {"filtro della cassa", "+", kEuro, "", " Where Spesa = 'CPV'", "1:CPV:22:0.00:0.00:0.00:4;", true},
      {"filtro di due spese", "+", kEuro, "", " Where Spesa In ('RIB', 'STD') Order By Spesa",
       "1:RIB:22:2.00:0.00:0.00:0;2:STD:22:1.50:0.00:0.00:0;", true},
  };
  int32_t numRif = 60;
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.nome);
    bool piede = false;
    int32_t err = -1;
    std::string testo;
    EXPECT_EQ(AggSpeBan::InsSpeseStandard("DdtSpese", kA, numRif, c.segno, c.moneta, c.iva, piede, err, testo,
                                          c.filtro)
                  .ToLong(),
              0);
    EXPECT_EQ(err, 0);
    EXPECT_EQ(piede, c.piede);
    EXPECT_EQ(Righe(numRif), c.righe);
    ++numRif;
  }
}

TEST_F(AggSpeBanProva, AFailureComesBackAsNumberAndTextAndKeepsTheFlag) {
  bool piede = false;
  int32_t err = 0;
  std::string testo;
  const long r =
      AggSpeBan::InsSpeseStandard("TabellaCheNonCe", kA, kVuoto, "+", kEuro, "", piede, err, testo).ToLong();
  EXPECT_GT(r, 0);
  EXPECT_EQ(r, err);
  EXPECT_FALSE(testo.empty());
  EXPECT_FALSE(piede);
  // The module's recordsets are closed: the next call works.
  EXPECT_EQ(AggSpeBan::InsSpeseStandard("DdtSpese", kA, kVuoto, "+", kEuro, "", piede, err, testo).ToLong(), 0);
  EXPECT_TRUE(piede);

  err = 0;
  const long v = AggSpeBan::VerifSpeseBanPag("TabellaCheNonCe", kA, kVuoto, "", "+", "", kContoClienteCassaPrev,
                                             "", kPagRibaSpese3, "", kEuro, "", err, testo)
                     .ToLong();
  EXPECT_GT(v, 0);
  EXPECT_EQ(v, err);
  EXPECT_FALSE(testo.empty());
  err = 0;
  EXPECT_GT(AggSpeBan::SostSpesaDoc("TabellaCheNonCe", kA, kVuoto, "", kSpesaTrasporto, "+", "+", kEuro, "", err,
                                    testo)
                .ToLong(),
            0);
  EXPECT_GT(err, 0);
}

TEST_F(AggSpeBanProva, ReplacingOneExpenseCodeByAnother) {
  struct Caso {
    const char* nome;
    const char* prec;
    const char* nuova;
    const char* segnoPrec;
    const char* segno;
    long esito;
    const char* righe;  // the editable DDT holds "1:TRA" 10.00 before each case
  };
  const Caso casi[] = {
      {"da A a B", kSpesaTrasporto, kSpesaIncasso, "+", "+", -1, "1:INC:22:2.50:0.00:0.00:0;"},
      {"da A ad A", kSpesaTrasporto, kSpesaTrasporto, "+", "+", 0, "1:TRA:22:10.00:0.00:0.00:0;"},
      {"da A a nessuna", kSpesaTrasporto, "", "+", "+", -1, ""},
      {"nuovo segno meno", kSpesaTrasporto, kSpesaIncasso, "+", "-", -1, ""},
      {"nessuna riga di A", kSpesaIncasso, "", "+", "+", 0, "1:TRA:22:10.00:0.00:0.00:0;"},
      {"nuova spesa inesistente", kSpesaTrasporto, "XYZ", "+", "+", -1, ""},
      {"segno precedente meno: la vecchia non si cerca", kSpesaTrasporto, kSpesaIncasso, "-", "+", -1,
       "1:TRA:22:10.00:0.00:0.00:0;2:INC:22:2.50:0.00:0.00:0;"},
      {"codici senza riguardo alle maiuscole", "tra", kSpesaTrasporto, "+", "+", 0, "1:TRA:22:10.00:0.00:0.00:0;"},
  };
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.nome);
    Sql("Delete From DdtSpese Where Anno = 2026 And NumRif = 3");
    Riga(kDdtModificabile, 1, kSpesaTrasporto, "10");
    int32_t err = -1;
    std::string testo;
    EXPECT_EQ(AggSpeBan::SostSpesaDoc("DdtSpese", kA, kDdtModificabile, c.prec, c.nuova, c.segnoPrec, c.segno,
                                      kEuro, "", err, testo)
                  .ToLong(),
              c.esito);
    EXPECT_EQ(err, 0);
    EXPECT_EQ(Righe(kDdtModificabile), c.righe);
  }
  // The new row goes after the highest one left.
  Sql("Delete From DdtSpese Where Anno = 2026 And NumRif = 3");
  Riga(kDdtModificabile, 1, kSpesaTrasporto, "10");
  Riga(kDdtModificabile, 3, kSpesaStandard, "1.5");
  int32_t err = -1;
  std::string testo;
  EXPECT_EQ(AggSpeBan::SostSpesaDoc("DdtSpese", kA, kDdtModificabile, kSpesaTrasporto, kSpesaIncasso, "+", "+",
                                    kEuro, "4", err, testo)
                .ToLong(),
            -1);
  EXPECT_EQ(Righe(kDdtModificabile), "3:STD:22:1.50:0.00:0.00:0;4:INC:4:2.50:0.00:0.00:0;");
}

TEST_F(AggSpeBanProva, APensionFundRowIsFoundByTheMaster) {
  EXPECT_FALSE(AggSpeBan::EsisteCassaPrev("DdtSpese", kA, kDdtModificabile).ToBool());
  Riga(kDdtModificabile, 2, kSpesaCassaPrev, "0");
  EXPECT_TRUE(AggSpeBan::EsisteCassaPrev("DdtSpese", kA, kDdtModificabile).ToBool());
  EXPECT_FALSE(AggSpeBan::EsisteCassaPrev("DdtSpese", kA, kDdtStampato).ToBool());
}

// One state of a header: sign, customer, payment, currency, stamp flag.
struct Stato {
  const char* segno;
  const char* conto;
  const char* pagam;
  const char* moneta;
};

TEST_F(AggSpeBanProva, TheBankChargeFollowsTheHeaderFromSaveToSave) {
  const Stato nuovo{"", "", "", ""};
  const Stato base{"+", kContoClienteCassaPrev, kPagRibaSpese3, kEuro};
  const double lire2 = 2 * static_cast<double>(std::llround(2.00 * kCambioLiraEuro));
  char righeLire[80];
  std::snprintf(righeLire, sizeof righeLire, "1:RIB:10:%.2f:0.00:0.00:0;", lire2);
  struct Passo {
    const char* nome;
    Stato prima, dopo;
    const char* iva;
    const char* prepara;  // SQL run before the step
    std::string righe;
  };
  const Stato due{"+", kContoClienteCassaPrev, kPagRibaSpese2, kEuro};
  const Passo passi[] = {
      {"nuovo DDT: tre rate da 2", nuovo, base, "", "", "1:RIB:22:6.00:0.00:0.00:0;"},
      {"due rate, stesso codice: la riga si riscrive", base, due, "10", "", "1:RIB:10:4.00:0.00:0.00:0;"},
      {"in lire: la stessa riga dalle colonne in lire", due, {"+", kContoClienteCassaPrev, kPagRibaSpese2, kLira},
       "10", "", righeLire},
      {"di nuovo in euro", {"+", kContoClienteCassaPrev, kPagRibaSpese2, kLira}, due, "10", "",
       "1:RIB:10:4.00:0.00:0.00:0;"},
      {"in dollari: la spesa non si adatta", due, {"+", kContoClienteCassaPrev, kPagRibaSpese2, kDollaro}, "", "", ""},
      {"di nuovo in euro: riga aggiunta", {"+", kContoClienteCassaPrev, kPagRibaSpese2, kDollaro}, due, "", "",
       "1:RIB:22:4.00:0.00:0.00:0;"},
      {"pagamento con spesa di altro tipo", due, {"+", kContoClienteCassaPrev, kPagRiba30, kEuro}, "", "", ""},
      {"pagamento con la spesa d'incasso", {"+", kContoClienteCassaPrev, kPagRiba30, kEuro}, base, "", "",
       "1:RIB:22:6.00:0.00:0.00:0;"},
      {"cliente senza spese bancarie", base, {"+", kContoCliente3, kPagRibaSpese3, kEuro}, "", "", ""},
      {"di nuovo il cliente addebitato", {"+", kContoCliente3, kPagRibaSpese3, kEuro}, base, "", "",
       "1:RIB:22:6.00:0.00:0.00:0;"},
      {"segno meno", base, {"-", kContoClienteCassaPrev, kPagRibaSpese3, kEuro}, "", "", ""},
      {"dal segno meno al più", {"-", kContoClienteCassaPrev, kPagRibaSpese3, kEuro}, base, "", "",
       "1:RIB:22:6.00:0.00:0.00:0;"},
      {"riga tolta a mano, poi cambio pagamento: riga nuova", base, due, "",
       "Delete From DdtSpese Where Anno = 2026 And NumRif = 50", "1:RIB:22:4.00:0.00:0.00:0;"},
      {"nessuna riga prima ma una a mano dello stesso codice: seconda riga", nuovo, due, "", "",
       "1:RIB:22:4.00:0.00:0.00:0;2:RIB:22:4.00:0.00:0.00:0;"},
      {"due righe del codice: se ne toglie una", due, {"+", kContoCliente3, kPagRibaSpese2, kEuro}, "", "",
       "2:RIB:22:4.00:0.00:0.00:0;"},
      {"un pagamento con zero rate non vuole riga", nuovo, due, "",
       "Update Pagamenti Set NumScad = 0 Where Pagamento = 'RB2R'", "2:RIB:22:4.00:0.00:0.00:0;"},
  };
  for (const Passo& p : passi) {
    SCOPED_TRACE(p.nome);
    if (*p.prepara) Sql(p.prepara);
    int32_t err = -1;
    std::string testo;
    EXPECT_EQ(AggSpeBan::VerifSpeseBanPag("DdtSpese", kA, kVuoto, p.prima.segno, p.dopo.segno, p.prima.conto,
                                          p.dopo.conto, p.prima.pagam, p.dopo.pagam, p.prima.moneta, p.dopo.moneta,
                                          p.iva, err, testo)
                  .ToLong(),
              0)
        << testo;
    EXPECT_EQ(err, 0);
    EXPECT_EQ(Righe(kVuoto), p.righe);
  }
}

TEST_F(AggSpeBanProva, TheStampDutyFollowsTheHeadersFlagsWhenBothAreGiven) {
  const char* bol = "1:BTR:E15:0.00:2.00:0.00:1;";
  struct Caso {
    const char* nome;
    vb::Variant soggPrec, sogg;
    const char* contoPrec;
    const char* conto;
    std::string righe;
  };
  // Customer 3 is not charged stamp duty in its master, the pension-fund
  // customer is.
  const Caso casi[] = {
      {"flag nuovo S", vb::Variant(""), vb::Variant("S"), "", kContoCliente3, bol},
      {"flag nuovo s minuscolo", vb::Variant("N"), vb::Variant("s"), "", kContoCliente3, bol},
      {"flag nuovo N col cliente addebitato", vb::Variant(""), vb::Variant("N"), "", kContoClienteCassaPrev, ""},
      {"un solo flag: decide l'anagrafica", vb::Missing, vb::Variant("S"), "", kContoCliente3, ""},
      {"un solo flag, cliente addebitato", vb::Variant("N"), vb::Missing, "", kContoClienteCassaPrev, bol},
      {"nessun flag, cliente addebitato", vb::Missing, vb::Missing, "", kContoClienteCassaPrev, bol},
  };
  int32_t numRif = 70;
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.nome);
    int32_t err = -1;
    std::string testo;
    EXPECT_EQ(AggSpeBan::VerifSpeseBolli("DdtSpese", kA, numRif, "", "+", c.contoPrec, c.conto, "",
                                         kPagTrattaBolli, "", kEuro, "", err, testo, c.soggPrec, c.sogg)
                  .ToLong(),
              0)
        << testo;
    EXPECT_EQ(Righe(numRif), c.righe);
    ++numRif;
  }
  // Flag from "S" to "N": the row goes.
  int32_t err = -1;
  std::string testo;
  AggSpeBan::VerifSpeseBolli("DdtSpese", kA, 70, "+", "+", kContoCliente3, kContoCliente3, kPagTrattaBolli,
                             kPagTrattaBolli, kEuro, kEuro, "", err, testo, vb::Variant("S"), vb::Variant("N"));
  EXPECT_EQ(err, 0);
  EXPECT_EQ(Righe(70), "");
  // The bank-charge payment carries no stamp duty, and the reverse.
  AggSpeBan::VerifSpeseBolli("DdtSpese", kA, 80, "", "+", "", kContoClienteCassaPrev, "", kPagRibaSpese3, "", kEuro,
                             "", err, testo, vb::Variant(""), vb::Variant("S"));
  AggSpeBan::VerifSpeseBanPag("DdtSpese", kA, 80, "", "+", "", kContoClienteCassaPrev, "", kPagTrattaBolli, "",
                              kEuro, "", err, testo);
  EXPECT_EQ(Righe(80), "");
}

}  // namespace
