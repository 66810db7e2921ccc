// The header written as a user writes it, on the demo company, every part
// of the window working together: a new DDT typed from its number to its
// customer and saved with the customer's defaults, its expense rows and its
// footer; a stored DDT whose discount, VAT code and rate change in one edit
// and reach the lines, the footer and the expense rows in one transaction,
// rolled back whole when its last step fails (on SQLite and on the test
// server); and the decodes one exit of the customer field runs.
#include <cmath>
#include <map>
#include <memory>
#include <string>

#include "ddt/header/GanciProva.h"
#include "expenses/AggSpeBan.h"
#include "platform/FunzioniComuni.h"
#include "platform/aiuti/AiutiDecodifica.h"
#include "platform/dati/Transazioni.h"
#include "platform/ui/Headless.h"

namespace {

namespace demo = dati::demo;
namespace utente = ui::utente;

double Num(const std::string& s) { return vb::FunzioniComuni::Istanza().ValDouble(vb::Variant(s), true); }

class ScritturaDdt : public prova::GanciProva {
 protected:
  void SetUp() override {
    GanciProva::SetUp();
    AggSpeBan::AzzeraStato();
    Param("CauCon.SpesaCassaPrev", demo::kSpesaCassaPrev);
    ParPers("Fatture", "SpesaClieAutom", "S");
    ParPers("Ddt", "DicIntentiValDef", "N");
    ParPers("Ddt", "CodIvaDef", demo::kIva22);
  }
  void TearDown() override {
    AggSpeBan::AzzeraStato();
    GanciProva::TearDown();
  }

  // The user enters the field, types over its text and goes to `poi`.
  static void Scrivi(frmDdtTest& f, int campo, const std::string& testo, int poi) {
    ASSERT_TRUE(utente::Fuoco(f.txt(campo))) << campo;
    if (testo.empty()) {
      utente::Premi(f, ui::vbKeyDelete);
    } else {
      utente::Digita(f.txt(campo), testo);
    }
    ASSERT_TRUE(utente::Fuoco(f.txt(poi))) << poi;
  }
  static void Pagina(frmDdtTest& f, int tab) { f.C("TasPagine").SetSelectedTab(tab); }

  // The expense codes of a DDT and how many rows each has.
  std::map<std::string, int> CodiciSpese(long numRif) {
    dati::GestRecordset rs;
    const std::string k = rs.ApriRecordset(
        *db_, conn_, "", "Select Spesa from DdtSpese Where Anno = 2026 And NumRif = " + std::to_string(numRif),
        false, 4);
    std::map<std::string, int> out;
    for (; !rs.FineRec(k); rs.ProssimoRec(k)) ++out[rs.LeggiCampo(k, "Spesa").ToString()];
    rs.ChiudiRecordset(k);
    return out;
  }

  std::string Campo(long numRif, const std::string& campo) {
    return Valore("Select " + campo + " As V from DdtTest Where Anno = 2026 And NumRif = " + std::to_string(numRif));
  }

  // The totals strip shows what the header row stores.
  void StrisciaComeRiga(frmDdtTest& f, long numRif) {
    const struct {
      int lab;
      const char* campo;
    } totali[] = {{140, "TotMerce"}, {130, "TotSpese"}, {150, "TotImpon"}, {160, "TotIva"}, {170, "TotDocum"}};
    for (const auto& t : totali) {
      SCOPED_TRACE(t.campo);
      const std::string riga = Campo(numRif, t.campo);
      const std::string striscia = f.lab(t.lab).Caption();
      if (riga.empty()) {
        EXPECT_TRUE(striscia.empty() || Num(striscia) == 0) << striscia;
      } else {
        EXPECT_NEAR(Num(striscia), Num(riga), 0.005);
      }
    }
  }

  bool Chiesto(const std::string& parte) const {
    for (const auto& m : messaggi_)
      if (m.find(parte) != std::string::npos) return true;
    return false;
  }

  bool Errore() const {
    for (const auto& m : messaggi_)
      if (m.rfind("Errore(", 0) == 0) return true;
    return false;
  }

  // Every row the save of a stored DDT may touch, as one text.
  std::string Fotografia(long numRif) {
    const std::string n = std::to_string(numRif);
    std::string out;
    auto righe = [&](const std::string& sql) {
      dati::GestRecordset rs;
      const std::string k = rs.ApriRecordset(*db_, conn_, "", sql, false, 4);
      for (; !rs.FineRec(k); rs.ProssimoRec(k)) {
        out += rs.LeggiCampo(k, "V").ToString();
        out += "\n";
      }
      rs.ChiudiRecordset(k);
    };
    righe("Select ScontoCli & '|' & Iva & '|' & Cambio & '|' & TotMerce & '|' & TotDocum As V from DdtTest Where "
          "Anno = 2026 And NumRif = " + n);
    righe("Select RigDet & '|' & Iva & '|' & ScontoCli & '|' & ValTotale & '|' & ValEuro As V from DdtDett Where "
          "Anno = 2026 And NumRif = " + n + " Order By RigDet");
    righe("Select Riga & '|' & Spesa & '|' & Iva & '|' & Importo As V from DdtSpese Where Anno = 2026 And NumRif = " +
          n + " Order By Riga");
    return out;
  }
};

// ---------------------------------------------------------------- a new DDT

TEST_F(ScritturaDdt, ANewDdtTypedByTheUserIsSavedWithItsCustomersDefaultsExpensesAndFooter) {
  struct Caso {
    const char* nome;
    const char* conto;
    const char* listino;
    const char* pagamento;
    const char* banca;
    const char* agente;
    const char* vettore;
    const char* indSped;
    bool cassaPrev;
    const char* spese[4];  // codes the expense rows must hold
  };
  const Caso casi[] = {
      {"cliente ordinario", demo::kContoCliente1, demo::kListinoVendita, demo::kPagRiba30, demo::kBanca1,
       demo::kAgente1, demo::kVettore1, demo::kIndSped, false,
       {demo::kSpesaStandard, demo::kSpesaTrasporto, nullptr, nullptr}},
      {"cliente soggetto a cassa previdenza", demo::kContoClienteCassaPrev, demo::kListinoVendita,
       demo::kPagRibaSpese3, "", "", "", "", true,
       {demo::kSpesaRiba, demo::kSpesaStandard, demo::kSpesaCassaPrev, demo::kSpesaTrasporto}},
  };
  frmDdtTest& f = Finestra();
  for (const Caso& c : casi) {
    SCOPED_TRACE(c.nome);
    Lascia(f);
    f.txt(20).SetText("");
    f.txt(10).SetText("0");
    f.ogComPag().EseguiTasto("Ricerca");
    ASSERT_EQ(f.ogComPag().oiFlagOpe(), 2);
    Pagina(f, 1);
    Scrivi(f, 40, demo::kDocDdt, 30);
    Scrivi(f, 30, "10/12/2026", 80);
    Scrivi(f, 80, c.conto, 90);
    // The customer's defaults, on the window.
    EXPECT_EQ(f.txt(200).Text(), c.listino);
    EXPECT_EQ(f.txt(220).Text(), c.pagamento);
    EXPECT_EQ(f.txt(250).Text(), c.banca);
    EXPECT_EQ(f.txt(270).Text(), demo::kIva22);
    EXPECT_EQ(f.txt(480).Text(), c.agente);
    EXPECT_EQ(f.txt(950).Text(), c.vettore);
    EXPECT_EQ(f.txt(800).Text(), c.indSped);
    EXPECT_EQ(f.mbCassaPrev, c.cassaPrev);
    // The document type's and the company's.
    EXPECT_EQ(f.txt(400).Text(), demo::kEuro);
    EXPECT_EQ(f.txt(410).Text(), "1");
    EXPECT_EQ(f.txt(290).Text(), demo::kMagCentrale);
    messaggi_.clear();
    f.ogComPag().EseguiTasto("Salva");
    ASSERT_EQ(f.ogComPag().oiFlagOpe(), 1) << (messaggi_.empty() ? "" : messaggi_.front());
    EXPECT_FALSE(Errore()) << messaggi_.front();
    const long n = std::stol(f.txt(10).Text());
    // The header row holds them.
    EXPECT_EQ(Campo(n, "ContoCli"), std::string(c.conto).substr(4));
    EXPECT_EQ(Campo(n, "Listino"), c.listino);
    EXPECT_EQ(Campo(n, "Pagamento"), c.pagamento);
    EXPECT_EQ(Campo(n, "Banca"), c.banca);
    EXPECT_EQ(Campo(n, "Iva"), demo::kIva22);
    EXPECT_EQ(Campo(n, "Agente1"), c.agente);
    EXPECT_EQ(Campo(n, "Vettore"), c.vettore);
    EXPECT_EQ(Campo(n, "IndSped"), c.indSped);
    // Each automatic expense once.
    const std::map<std::string, int> spese = CodiciSpese(n);
    for (const char* codice : c.spese)
      if (codice) {
        EXPECT_EQ(spese.count(codice), 1u) << codice;
      }
    for (const auto& [codice, volte] : spese) EXPECT_EQ(volte, 1) << codice;
    // The footer is left to the line window's return: the strip shows the
    // row as it stands, and the window still owes the recount.
    StrisciaComeRiga(f, n);
    EXPECT_TRUE(f.mbAggPiedeDopo);
    EXPECT_EQ(dati::LivelloTransWorkspace(), 0);
  }
}

// ---------------------------------------------------------------- a stored DDT

class ScritturaModifica : public ScritturaDdt {
 protected:
  // The editable DDT in dollars at 1.5, divided: its lines' euro amounts
  // follow the rate. Its header without the customer's discount, as its
  // lines are: a new discount then reaches every line.
  void Prepara() {
    Sql("Update Monete Set Operatore = '/' Where Moneta = 'USD'");
    Sql("Update DdtTest Set Moneta = 'USD', Cambio = 1.5, ScontoCli = Null Where Anno = 2026 AND NumRif = 3");
  }

  // Discount, VAT code and rate typed in one edit; every question of the
  // save answered yes.
  void Modifica(frmDdtTest& f) {
    Pagina(f, 1);
    Scrivi(f, 240, "5", 90);
    Scrivi(f, 270, demo::kIva10, 90);
    Pagina(f, 2);
    Scrivi(f, 410, "2", 480);
    risposte_.assign(8, 1);
    messaggi_.clear();
  }

  void Prova(bool server) {
    std::unique_ptr<prova::DatabaseServer> srv;
    if (server && !ApriSuServer(srv)) GTEST_SKIP() << "DDT_PG_CONNECT non impostata: nessun server di prova";
    Prepara();
    frmDdtTest& f = Finestra();
    Mostra(f, demo::kDdtModificabile);
    const long n = demo::kDdtModificabile;
    const std::string prima = Fotografia(n);

    // The expense rows refuse any change: the save's last step fails.
    if (server) {
      db_->Motore(conn_).Esegui(
          "CREATE FUNCTION ddtspese_ferma() RETURNS trigger AS $$ BEGIN RAISE EXCEPTION 'righe bloccate'; END $$ "
          "LANGUAGE plpgsql");
      db_->Motore(conn_).Esegui(
          "CREATE TRIGGER ddtspese_ferma BEFORE INSERT OR UPDATE OR DELETE ON DdtSpese FOR EACH ROW EXECUTE "
          "FUNCTION ddtspese_ferma()");
    } else {
      for (const char* evento : {"INSERT", "UPDATE", "DELETE"})
        db_->Motore(conn_).Esegui(std::string("CREATE TRIGGER ddtspese_ferma_") + evento + " BEFORE " + evento +
                                  " ON DdtSpese BEGIN SELECT RAISE(ABORT, 'righe bloccate'); END");
    }
    Modifica(f);
    f.ogComPag().EseguiTasto("Salva");
    EXPECT_TRUE(Chiesto("Modificato codice Iva"));
    EXPECT_TRUE(Chiesto("Modificato Sconto Cliente"));
    EXPECT_TRUE(Errore());
    EXPECT_EQ(dati::LivelloTransWorkspace(), 0);
    EXPECT_FALSE(f.mbTransSalva);
    EXPECT_EQ(Fotografia(n), prima);
    if (server) {
      db_->Motore(conn_).Esegui("DROP TRIGGER ddtspese_ferma ON DdtSpese");
    } else {
      for (const char* evento : {"INSERT", "UPDATE", "DELETE"})
        db_->Motore(conn_).Esegui(std::string("DROP TRIGGER ddtspese_ferma_") + evento);
    }

    // Free again: the same edit, still on the window, goes through whole
    // at the next "Salva".
    risposte_.assign(8, 1);
    messaggi_.clear();
    f.ogComPag().EseguiTasto("Salva");
    EXPECT_FALSE(Errore()) << messaggi_.front();
    EXPECT_EQ(f.ogComPag().oiFlagOpe(), 1);
    EXPECT_EQ(dati::LivelloTransWorkspace(), 0);
    EXPECT_EQ(Campo(n, "ScontoCli"), "5");
    EXPECT_EQ(Campo(n, "Iva"), demo::kIva10);
    EXPECT_DOUBLE_EQ(Num(Campo(n, "Cambio")), 2);
    // The lines carry the new VAT code and discount, their euro amounts at
    // the new rate.
    dati::GestRecordset rs;
    const std::string k = rs.ApriRecordset(*db_, conn_, "",
                                           "Select * from DdtDett Where Anno = 2026 And NumRif = 3 And TipoRiga = 'A'",
                                           false, 4);
    int righe = 0;
    for (; !rs.FineRec(k); rs.ProssimoRec(k), ++righe) {
      SCOPED_TRACE(rs.LeggiCampo(k, "RigDet").ToString());
      EXPECT_EQ(rs.LeggiCampo(k, "Iva").ToString(), demo::kIva10);
      EXPECT_EQ(rs.LeggiCampo(k, "ScontoCli").ToString(), "5");
      EXPECT_NEAR(rs.LeggiCampo(k, "ValEuro").ToDouble(), rs.LeggiCampo(k, "ValTotale").ToDouble() / 2, 0.01);
    }
    rs.ChiudiRecordset(k);
    EXPECT_GT(righe, 0);
    // The expense rows rechecked, on the new VAT code; the footer stored
    // and shown.
    dati::GestRecordset sp;
    const std::string ks =
        sp.ApriRecordset(*db_, conn_, "", "Select * from DdtSpese Where Anno = 2026 And NumRif = 3", false, 4);
    for (; !sp.FineRec(ks); sp.ProssimoRec(ks)) EXPECT_EQ(sp.LeggiCampo(ks, "Iva").ToString(), demo::kIva10);
    sp.ChiudiRecordset(ks);
    EXPECT_NE(Fotografia(n), prima);
    StrisciaComeRiga(f, n);
    // What was stored is the footer of the stored rows: counted again, the
    // strip still matches the row.
    ASSERT_TRUE(f.AggPiede(false));
    StrisciaComeRiga(f, n);
    f.Unload();
  }
};

TEST_F(ScritturaModifica, DiscountVatAndRateInOneSaveReachEverythingOrNothing) { Prova(false); }
TEST_F(ScritturaModifica, OnTheServerDiscountVatAndRateInOneSaveReachEverythingOrNothing) { Prova(true); }

// ---------------------------------------------------------------- one exit

TEST_F(ScritturaDdt, LeavingTheCustomerWithANewCodeDecodesEachMasterOnce) {
  std::map<std::string, int> decodifiche;
  aiuti_->SorgenteEventi().ClsPrepDecod = [&](const std::string& psId, const std::string&, const std::string& psCampo,
                                             vb::Variant&, vb::Variant& pvSoloDecod, vb::Variant&, vb::Variant&) {
    if (pvSoloDecod.ToBool()) ++decodifiche[psId + " " + psCampo];
  };
  frmDdtTest& f = Finestra();
  Mostra(f, demo::kDdtModificabile);
  Pagina(f, 1);
  ASSERT_TRUE(utente::Fuoco(f.txt(80)));
  decodifiche.clear();
  utente::Digita(f.txt(80), demo::kContoCliente1);
  ASSERT_TRUE(utente::Fuoco(f.txt(90)));
  EXPECT_EQ(f.lab(80).Caption(), "Ferramenta Rossi Srl");
  EXPECT_FALSE(decodifiche.empty());
  // Each coded field's decoder once (both agents read the same master, each
  // for its own field).
  for (const auto& [chiave, volte] : decodifiche) EXPECT_EQ(volte, 1) << chiave;
  for (const char* campo : {"Conto txt(80)", "Pagamento txt(220)", "Banca txt(250)", "Iva txt(270)",
                            "Agente txt(480)", "Vettore txt(950)"})
    EXPECT_EQ(decodifiche.count(campo), 1u) << campo;
  aiuti_->SorgenteEventi().ClsPrepDecod = nullptr;
}

}  // namespace
