// The DDT list on the PostgreSQL server (DDT_PG_CONNECT): the demo company
// in a database of its own, the criteria and the order giving what they
// give on SQLite.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ddt/header/ListaProva.h"
#include "platform/dati/DittaDemo.h"
#include "platform/dati/ServerDiProva.h"

namespace {

class ListaServer : public prova::ListaProva {
 protected:
  void SetUp() override {
    demo_ = false;
    prova::ListaProva::SetUp();
    if (prova::ConnessioneServer().empty()) return;
    server_ = std::make_unique<prova::DatabaseServer>();
    srv_ = std::make_shared<dati::GestDatabase>();
    connSrv_ = srv_->ApriDatabase("", 0, false, false, server_->Connessione());
    dati::CreaSchema(srv_->Motore(connSrv_), dati::SchemaDitta());
    dati::CreaDittaDemo(*srv_, connSrv_);
    G().goDbAzienda = srv_;
    G().gsConnAzienda = connSrv_;
  }
  void TearDown() override {
    if (l_ && l_->Caricata()) l_->Unload();
    l_.reset();
    if (srv_) srv_->ChiudiDatabase(connSrv_);
    srv_.reset();
    prova::ListaProva::TearDown();
    server_.reset();
  }
  std::unique_ptr<prova::DatabaseServer> server_;
  std::shared_ptr<dati::GestDatabase> srv_;
  std::string connSrv_;
};

TEST_F(ListaServer, CriteriaAndOrderAsOnSQLite) {
  SALTA_SENZA_SERVER();
  srv_->EseguiSql(connSrv_, "Update DdtTest Set Stato = '' Where Anno = 2026 And NumRif = 4");
  srv_->EseguiSql(connSrv_, "Update DdtDett Set Articolo = 'MAGLIA01' Where Anno = 2026 And NumRif = 2");
  struct Caso {
    const char* nome;
    std::function<void(frmDdtTestLis&)> imposta;
    std::vector<long> attesi;
  };
  const std::vector<Caso> casi = {
      {"working year", [](frmDdtTestLis&) {}, {1, 2, 3, 4}},
      {"numbers and dates",
       [](frmDdtTestLis& l) {
         l.txt(30).SetText("2");
         l.txt(60).SetText("30/11/2026");
       },
       {2}},
      {"customer with dashes", [](frmDdtTestLis& l) { l.txt(90).SetText("04-01-0013"); }, {2}},
      {"supplier type", [](frmDdtTestLis& l) { l.cob(80).SetListIndex(1); }, {}},
      {"reference begins with", [](frmDdtTestLis& l) { l.txt(160).SetText("VS. ORD"); }, {1}},
      {"article", [](frmDdtTestLis& l) { l.txt(170).SetText(dati::demo::kArticoloTaglie); }, {2, 4}},
      {"state normal, Null or empty", [](frmDdtTestLis& l) { l.cob(150).SetListIndex(0); }, {3, 4}},
      {"state printed", [](frmDdtTestLis& l) { l.cob(150).SetListIndex(1); }, {2}},
      {"state all", [](frmDdtTestLis& l) { l.cob(150).SetListIndex(3); }, {1, 2, 3, 4}},
  };
  frmDdtTestLis& l = Lista();
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.nome);
    messaggi_.clear();
    l.ButtonComando("AzzSel");
    l.cob(80).SetListIndex(-1);
    l.cob(150).SetListIndex(-1);
    l.txt(10).SetText("2026");
    l.txt(20).SetText("2026");
    c.imposta(l);
    EXPECT_EQ(Cerca(), c.attesi) << l.osSql();
    EXPECT_TRUE(messaggi_.empty()) << messaggi_.front();
  }
  // A personal order and an additional column.
  l.Unload();
  ParPers("DDT", "ListaAggEle", "Peso,3,1500,H");
  frmDdtTestLis& m = Lista();
  m.osListaOrdin = "Pianoconti.Descrizione Desc";
  EXPECT_EQ(Cerca(), (std::vector<long>{4, 1, 2, 3}));  // Velnor, Ferramenta, Boutique, Alimentari
  EXPECT_EQ(m.dbgRiga().TestoCella(1L, 2), "11,2");
}

}  // namespace
