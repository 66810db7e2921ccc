// The expense routines' statements on both engines, SQLite and the test
// server: the next row after rows 1, 2 and 5 is 6; the bank charge of
// kind "R" of 2 with 3 instalments is 6, a new payment of 2 instalments
// makes it 4 on the same row; the pension-fund join and the replacement of
// one code by another.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "common/Globali.h"
#include "ddt/header/DittaSuMotore.h"
#include "expenses/AggSpeBan.h"
#include "platform/dati/GestRecordset.h"

namespace {

using namespace dati::demo;

class SpeseSuMotore : public prova::DittaSuMotore {
 protected:
  SpeseSuMotore() : prova::DittaSuMotore("spesemotori") {}
  void SetUp() override {
    prova::DittaSuMotore::SetUp();
    if (IsSkipped()) return;
    AzzeraGlobali();
    AggSpeBan::AzzeraStato();
    db_ = std::make_shared<dati::GestDatabase>();
    conn_ = Apri(*db_);
    G().goDbAzienda = db_;
    G().gsConnAzienda = conn_;
  }
  void TearDown() override {
    AggSpeBan::AzzeraStato();
    AzzeraGlobali();
  }
  void Riga(int32_t numRif, int riga, const std::string& spesa) {
    db_->EseguiSql(conn_,
                   "Insert Into DdtSpese (Anno, NumRif, Riga, Spesa, Iva, Importo, ImportoMin, ImportoMax, "
                   "Percentuale, SoggRitAcc) Values (2026, " +
                       std::to_string(numRif) + ", " + std::to_string(riga) + ", '" + spesa +
                       "', '22', 1, 0, 0, 0, 'N')");
  }
  std::string Righe(int32_t numRif) {
    dati::GestRecordset rs;
    const std::string k = rs.ApriRecordset(
        *db_, conn_, "", "Select * from DdtSpese Where Anno = 2026 And NumRif = " + std::to_string(numRif) + " Order By Riga",
        false, 4);
    std::string out;
    for (; !rs.FineRec(k); rs.ProssimoRec(k)) {
      char buf[120];
      std::snprintf(buf, sizeof buf, "%ld:%s:%.2f;", static_cast<long>(rs.LeggiCampo(k, "Riga").ToLong()),
                    rs.LeggiCampo(k, "Spesa").ToString().c_str(), rs.LeggiCampo(k, "Importo").ToDouble());
      out += buf;
    }
    rs.ChiudiRecordset(k);
    return out;
  }
  std::shared_ptr<dati::GestDatabase> db_;
  std::string conn_;
};

TEST_P(SpeseSuMotore, RowNumbersBankChargeAndReplacement) {
  constexpr int32_t kDoc = 90;
  int32_t n = -1;
  AggSpeBan::CalcUltRiga("DdtSpese", kAnno, kDoc, n);
  EXPECT_EQ(n, 0);
  for (int r : {1, 2, 5}) Riga(kDoc, r, kSpesaTrasporto);
  AggSpeBan::CalcUltRiga("DdtSpese", kAnno, kDoc, n);
  EXPECT_EQ(n + 1, 6);

  int32_t err = -1;
  std::string testo;
  EXPECT_EQ(AggSpeBan::VerifSpeseBanPag("DdtSpese", kAnno, kDoc, "", "+", "", kContoClienteCassaPrev, "",
                                        kPagRibaSpese3, "", kEuro, "", err, testo)
                .ToLong(),
            0)
      << testo;
  EXPECT_EQ(Righe(kDoc), "1:TRA:1.00;2:TRA:1.00;5:TRA:1.00;6:RIB:6.00;");
  EXPECT_EQ(AggSpeBan::VerifSpeseBanPag("DdtSpese", kAnno, kDoc, "+", "+", kContoClienteCassaPrev,
                                        kContoClienteCassaPrev, kPagRibaSpese3, kPagRibaSpese2, kEuro, kEuro, "", err,
                                        testo)
                .ToLong(),
            0)
      << testo;
  EXPECT_EQ(Righe(kDoc), "1:TRA:1.00;2:TRA:1.00;5:TRA:1.00;6:RIB:4.00;");

  EXPECT_FALSE(AggSpeBan::EsisteCassaPrev("DdtSpese", kAnno, kDoc).ToBool());
  EXPECT_EQ(AggSpeBan::SostSpesaDoc("DdtSpese", kAnno, kDoc, "", kSpesaCassaPrev, "+", "+", kEuro, "", err, testo)
                .ToLong(),
            -1)
      << testo;
  EXPECT_TRUE(AggSpeBan::EsisteCassaPrev("DdtSpese", kAnno, kDoc).ToBool());
  EXPECT_EQ(AggSpeBan::SostSpesaDoc("DdtSpese", kAnno, kDoc, kSpesaCassaPrev, "", "+", "+", kEuro, "", err, testo)
                .ToLong(),
            -1);
  EXPECT_EQ(Righe(kDoc), "1:TRA:1.00;2:TRA:1.00;5:TRA:1.00;6:RIB:4.00;");
  bool piede = false;
  EXPECT_EQ(AggSpeBan::InsSpeseStandard("DdtSpese", kAnno, kDoc, "+", kEuro, "", piede, err, testo).ToLong(), 0)
      << testo;
  EXPECT_TRUE(piede);
  EXPECT_EQ(Righe(kDoc), "1:TRA:1.00;2:TRA:1.00;5:TRA:1.00;6:RIB:4.00;7:STD:1.50;");
}

INSTANTIATE_TEST_SUITE_P(Motori, SpeseSuMotore,
                         ::testing::Values(prova::Motore::SQLite, prova::Motore::Server),
                         [](const auto& i) { return i.param == prova::Motore::SQLite ? "SQLite" : "Server"; });

}  // namespace
