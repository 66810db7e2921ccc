#pragma once
// A company database for the pricing tests: a real SQLite file with the
// company schema, the program-wide settings at their defaults, company and
// personal parameters answered from maps, and the messages collected
// instead of shown.
#include <gtest/gtest.h>

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
#include "support/CartellaTemp.h"

namespace prova {

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
  }

  void TearDown() override {
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
  vb::GestoreMsgBox msgPrec_;
};

}  // namespace prova
