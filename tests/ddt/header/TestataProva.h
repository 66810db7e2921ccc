#pragma once
// The header window's test bench: the demo company in a real SQLite file,
// the program-wide settings at their defaults, company and personal
// parameters answered from maps (the menu server's part), the messages
// collected instead of shown (the common message window answers from
// risposte_, the plain message box from risposteBox_; the first button
// when none is queued), and a header window of the test's own, loaded as
// the menu channel loads it.
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "common/AziendaUtil.h"
#include "common/Globali.h"
#include "ddt/header/frmDdtTest.h"
#include "platform/Date.h"
#include "platform/MsgBox.h"
#include "platform/Testo.h"
#include "platform/dati/DittaDemo.h"
#include "platform/dati/GestDatabase.h"
#include "platform/dati/GestRecordset.h"
#include "platform/dati/Schema.h"
#include "platform/dati/ServerDiProva.h"
#include "platform/aiuti/AiutiDecodifica.h"
#include "platform/menu/ContestoProgramma.h"
#include "platform/ui/Form.h"
#include "platform/ui/Headless.h"
#include "services/LatoMenu.h"
#include "support/CartellaTemp.h"

namespace prova {

class BackendTestata : public ui::Headless {
 public:
  std::function<void(const std::string& testo, int& risposta)> rispondi;

  void AttendiModale(ui::Form& f) override {
    if (f.Name() != "frmMsgCom") return ui::Headless::AttendiModale(f);
    std::string testo = f.C("LabMessaggio").Text();
    if (f.Esiste("txtMessaggio") && f.C("txtMessaggio").Visible() && !f.C("txtMessaggio").Text().empty())
      testo = f.C("txtMessaggio").Text();
    int risposta = 1;
    if (rispondi) rispondi(testo, risposta);
    if (risposta >= 1 && f.Esiste("ComEsegui", risposta - 1)) ui::utente::Clicca(f.C("ComEsegui", risposta - 1));
    if (f.Visible()) f.Hide();
  }
};

class TestataProva : public ::testing::Test {
 protected:
  void SetUp() override {
    AzzeraGlobali();
    AziendaUtil::AzzeraArrotTabelle();
    db_ = std::make_shared<dati::GestDatabase>();
    conn_ = db_->CreaDatabase(dir_.Percorso("ditta.db"));
    dati::CreaSchema(db_->Motore(conn_), dati::SchemaDitta());
    if (demo_) dati::CreaDittaDemo(*db_, conn_);
    G().goDbAzienda = db_;
    G().gsConnAzienda = conn_;
    G().gtDataLavoro = vb::Date::FromYmd(2026, 12, 10);
    ApriAiuti();
    G().gfLeggiParam = [this](const std::string& nome, const vb::Variant& predefinito) {
      auto it = param_.find(vb::Piega(nome));
      return it == param_.end() ? predefinito : vb::Variant(it->second);
    };
    G().gfLeggiParPers = [this](const std::string& sezione, const std::string& nome,
                                const vb::Variant& predefinito) {
      auto it = parPers_.find(vb::Piega(sezione + "." + nome));
      return it == parPers_.end() ? predefinito : vb::Variant(it->second);
    };
    msgPrec_ = vb::ImpostaGestoreMsgBox([this](const std::string& testo, int, const std::string&) {
      messaggi_.push_back(testo);
      if (!risposteBox_.empty()) {
        int r = risposteBox_.front();
        risposteBox_.pop_front();
        return r;
      }
      return int(vb::vbOK);
    });
    backend_.rispondi = [this](const std::string& testo, int& risposta) {
      messaggi_.push_back(testo);
      if (!risposte_.empty()) {
        risposta = risposte_.front();
        risposte_.pop_front();
      }
    };
    ui::ImpostaBackend(&backend_);
    servizi::ImpostaLatoMenu({[this] { return utente_; }, {}, {}});
  }

  void TearDown() override {
    if (f_ && f_->Caricata()) {
      try {
        f_->Unload();
      } catch (...) {
      }
    }
    f_.reset();
    for (int giro = 0; giro < 5 && !ui::Forms().empty(); ++giro) {
      std::vector<ui::Form*> aperte = ui::Forms();
      for (auto it = aperte.rbegin(); it != aperte.rend(); ++it) {
        try {
          (*it)->Unload();
        } catch (...) {
        }
      }
    }
    if (aiuti_) aiuti_->ChiudiFinestre();
    G().goZelAiuto.reset();
    aiuti_.reset();
    servizi::ImpostaLatoMenu({});
    ui::ImpostaBackend(nullptr);
    vb::ImpostaGestoreMsgBox(msgPrec_);
    AziendaUtil::AzzeraArrotTabelle();
    AzzeraGlobali();
  }

  // A header window of the test's own, loaded (and shown) as the menu
  // channel does it.
  frmDdtTest& Testata(const std::string& osParam = {}) {
    f_ = std::make_unique<frmDdtTest>();
    f_->SetosKeySec("w1");
    f_->osParam = osParam;
    f_->Load();
    if (f_->oiLoadOk() == 1) f_->Show();
    return *f_;
  }

  // The window loaded, showing the demo DDT of that number.
  frmDdtTest& Mostra(long numRif) {
    frmDdtTest& f = Testata();
    EXPECT_EQ(f.oiLoadOk(), 1) << (messaggi_.empty() ? "" : messaggi_.front());
    f.txt(20).SetText("2026");
    f.txt(10).SetText(std::to_string(numRif));
    f.ogComPag().EseguiTasto("Ricerca");
    EXPECT_EQ(f.ogComPag().oiFlagOpe(), 1);
    return f;
  }

  // The window loaded, on a new DDT.
  frmDdtTest& Nuovo() {
    frmDdtTest& f = Testata();
    EXPECT_EQ(f.oiLoadOk(), 1) << (messaggi_.empty() ? "" : messaggi_.front());
    f.ogComPag().EseguiTasto("Nuovo");
    EXPECT_EQ(f.ogComPag().oiFlagOpe(), 2);
    return f;
  }

  // One value of the first row of a query, as text.
  std::string Valore(const std::string& sql, const std::string& campo) {
    dati::GestRecordset rs;
    const std::string k = rs.ApriRecordset(*db_, conn_, "", sql, false, 4);
    const std::string v = rs.NessunRecord(k) ? std::string("<nessuna riga>") : rs.LeggiCampo(k, campo).ToString();
    rs.ChiudiRecordset(k);
    return v;
  }

  // The look-up library on the company, as the start-up sets it up: the
  // header's decoders go through it.
  void ApriAiuti() {
    if (aiuti_) aiuti_->ChiudiFinestre();
    aiuti_ = std::make_shared<aiuti::AiutiDecodifica>();
    std::shared_ptr<menu::ContestoProgramma> contesto;
    aiuti_->Inizializza(nullptr, nullptr, contesto, db_, conn_, nullptr, G().glColoreSfondo, G().glColoreErrore, "p",
                        "dd/mm/yyyy");
    G().goZelAiuto = aiuti_;
  }

  // The company moves to a database of its own on the PostgreSQL test
  // server (DDT_PG_CONNECT), with the demo data when the bench has them;
  // false, and nothing changes, without a server. `server` keeps the
  // database alive for the test.
  bool ApriSuServer(std::unique_ptr<DatabaseServer>& server) {
    if (ConnessioneServer().empty()) return false;
    server = std::make_unique<DatabaseServer>();
    db_ = std::make_shared<dati::GestDatabase>();
    conn_ = db_->ApriDatabase("", 0, false, false, server->Connessione());
    dati::CreaSchema(db_->Motore(conn_), dati::SchemaDitta());
    if (demo_) dati::CreaDittaDemo(*db_, conn_);
    G().goDbAzienda = db_;
    G().gsConnAzienda = conn_;
    ApriAiuti();
    return true;
  }

  void Sql(const std::string& sql) { db_->EseguiSql(conn_, sql); }
  void Param(const std::string& nome, const std::string& valore) { param_[vb::Piega(nome)] = valore; }
  void ParPers(const std::string& sezione, const std::string& nome, const std::string& valore) {
    parPers_[vb::Piega(sezione + "." + nome)] = valore;
  }

  // A message shown so far holds this text.
  bool MessaggioCon(const std::string& parte) const {
    for (const auto& m : messaggi_)
      if (m.find(parte) != std::string::npos) return true;
    return false;
  }

  bool demo_ = true;  // set false in the constructor for an empty company
  CartellaTemp dir_{"testata"};
  std::shared_ptr<dati::GestDatabase> db_;
  std::string conn_;
  std::map<std::string, std::string> param_;
  std::map<std::string, std::string> parPers_;
  std::vector<std::string> messaggi_;
  std::deque<int> risposte_;     // buttons of the common message window, in turn
  std::deque<int> risposteBox_;  // answers of the plain message box, in turn
  std::string utente_ = "mario";
  BackendTestata backend_;
  vb::GestoreMsgBox msgPrec_;
  std::unique_ptr<frmDdtTest> f_;
  std::shared_ptr<aiuti::AiutiDecodifica> aiuti_;
};

}  // namespace prova
