#pragma once
// A company database for the services tests: a real SQLite file with the
// company schema, the program-wide settings at their defaults, company and
// personal parameters answered from maps, and the messages collected
// instead of shown (the plain message box and the common message window
// alike; the window's answers come from risposte_, 1 when none is queued).
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "common/AziendaUtil.h"
#include "common/Globali.h"
#include "platform/MsgBox.h"
#include "platform/Testo.h"
#include "platform/dati/GestDatabase.h"
#include "platform/dati/Schema.h"
#include "platform/ui/Form.h"
#include "platform/ui/Headless.h"
#include "services/LatoMenu.h"
#include "support/CartellaTemp.h"

namespace prova {

// The headless backend that answers the common message window by itself;
// every other modal window goes to the test's script as usual.
class BackendMessaggi : public ui::Headless {
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
    if (f.Visible()) f.Hide();  // no button: closed without an answer
  }
};

class DittaProva : public ::testing::Test {
 protected:
  void SetUp() override {
    AzzeraGlobali();
    AziendaUtil::AzzeraArrotTabelle();
    db_ = std::make_shared<dati::GestDatabase>();
    conn_ = db_->CreaDatabase(dir_.Percorso("ditta.db"));
    dati::CreaSchema(db_->Motore(conn_), dati::SchemaDitta());
    G().goDbAzienda = db_;
    G().gsConnAzienda = conn_;
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
    servizi::ImpostaLatoMenu({});
    ui::ImpostaBackend(nullptr);
    vb::ImpostaGestoreMsgBox(msgPrec_);
    AziendaUtil::AzzeraArrotTabelle();
    AzzeraGlobali();
  }

  void Sql(const std::string& sql) { db_->EseguiSql(conn_, sql); }
  void Param(const std::string& nome, const std::string& valore) { param_[vb::Piega(nome)] = valore; }
  void ParPers(const std::string& sezione, const std::string& nome, const std::string& valore) {
    parPers_[vb::Piega(sezione + "." + nome)] = valore;
  }

  CartellaTemp dir_{"prezzi"};
  std::shared_ptr<dati::GestDatabase> db_;
  std::string conn_;
  std::map<std::string, std::string> param_;
  std::map<std::string, std::string> parPers_;
  std::vector<std::string> messaggi_;
  // Buttons the common message window presses, in turn.
  std::deque<int> risposte_;
  std::string utente_ = "mario";
  BackendMessaggi backend_;
  vb::GestoreMsgBox msgPrec_;
};

}  // namespace prova
