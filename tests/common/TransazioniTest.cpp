#include <gtest/gtest.h>

#include "common/Globali.h"
#include "common/utilprg.h"
#include "platform/dati/GestDatabase.h"
#include "platform/dati/GestRecordset.h"
#include "support/CartellaTemp.h"

namespace {

class Transazioni : public ::testing::Test {
 protected:
  void SetUp() override {
    AzzeraGlobali();
    G().goDbAzienda = std::make_shared<dati::GestDatabase>();
    G().gsConnAzienda = G().goDbAzienda->CreaDatabase(dir_.Percorso("ditta.db"));
    G().goDbAzienda->EseguiSql(G().gsConnAzienda, "CREATE TABLE T (K INTEGER PRIMARY KEY)", 64);
    G().goDbAzienda->Motore(G().gsConnAzienda).AzzeraCatalogo();
  }
  void TearDown() override { AzzeraGlobali(); }
  long Righe() {
    dati::GestRecordset rs;
    auto k = rs.ApriRecordset(*G().goDbAzienda, G().gsConnAzienda, "", "Select Count(*) as N from T", false, 4);
    return rs.LeggiCampo(k, "N").ToLong();
  }
  prova::CartellaTemp dir_{"trans"};
};

}  // namespace

TEST_F(Transazioni, CommitKeepsRollbackUndoesOnTheCompanyDatabase) {
  utilprg::TransInizio(0, -1, nullptr, -1, "");
  G().goDbAzienda->EseguiSql(G().gsConnAzienda, "Insert into T (K) Values (1)");
  utilprg::TransConferma(0, -1, nullptr, -1, "");
  utilprg::TransInizio();
  G().goDbAzienda->EseguiSql(G().gsConnAzienda, "Insert into T (K) Values (2)");
  utilprg::TransAnnulla();
  EXPECT_EQ(Righe(), 1);
  // A file database is no server: no isolation statement was sent, or the
  // engine would have refused it and the transaction call before it stood.
  EXPECT_FALSE(G().goDbAzienda->LeggiVar("DbTipoSql:" + G().gsConnAzienda).ToBool());
}

TEST_F(Transazioni, AnotherManagerAndConnectionKey) {
  dati::GestDatabase altro;
  std::string k = altro.ApriDatabase(dir_.Percorso("ditta.db"));
  utilprg::TransInizio(0, -1, &altro, 0, k);
  altro.EseguiSql(k, "Insert into T (K) Values (5)");
  utilprg::TransAnnulla(0, -1, &altro, 0, k);
  EXPECT_EQ(Righe(), 0);
}
