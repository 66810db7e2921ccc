#pragma once
// The accrual dialog's bench: the program-wide settings of a euro company,
// the accounting year answered from a map of company parameters, the
// common message window and the plain message box answered from scripts
// (the first button when none is queued) and their texts collected, and an
// opener that records the callback the dialog makes by name.
#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "common/Globali.h"
#include "lineaids/FrmCompetenza.h"
#include "platform/FunzioniComuni.h"
#include "platform/MsgBox.h"
#include "platform/Testo.h"
#include "platform/ui/Form.h"
#include "platform/ui/Headless.h"

namespace prova {

class BackendCompetenza : public ui::Headless {
 public:
  std::vector<std::string>* messaggi = nullptr;
  std::deque<int>* risposte = nullptr;
  void AttendiModale(ui::Form& f) override {
    if (f.Name() != "frmMsgCom") return ui::Headless::AttendiModale(f);
    if (messaggi) messaggi->push_back(f.C("LabMessaggio").Text());
    int r = 1;
    if (risposte && !risposte->empty()) {
      r = risposte->front();
      risposte->pop_front();
    }
    if (f.Esiste("ComEsegui", r - 1)) ui::utente::Clicca(f.C("ComEsegui", r - 1));
    if (f.Visible()) f.Hide();
  }
};

// The line window as the dialog sees it: a form answering "DopoCompetenza"
// by name, which reads the dialog's outputs as the line window does.
class ApriCompetenza : public ui::Form {
 public:
  ApriCompetenza() : ui::Form("frmDDTDett") {}
  FrmCompetenza* dialogo = nullptr;
  int chiamate = 0;
  bool ok = false;
  std::string tipo, da, a;
  vb::Variant ChiamaPerNome(const std::string& nome, std::vector<vb::Variant>& argomenti) override {
    if (!vb::UgualeTesto(nome, "DopoCompetenza")) return ui::Form::ChiamaPerNome(nome, argomenti);
    ++chiamate;
    ok = dialogo->obOk;
    tipo = dialogo->osTipoComp;
    da = dialogo->osDataCompDa;
    a = dialogo->osDataCompA;
    return {};
  }
};

class CompetenzaProva : public ::testing::Test {
 protected:
  void SetUp() override {
    AzzeraGlobali();
    Globali& g = G();
    g.giNumDecMoneta = 2;
    g.gsMascMonetaVar = vb::FunzioniComuni::Istanza().MascheraNum(0, 2, "#", true, "#,###", 0, "", "^");
    g.gfLeggiParam = [this](const std::string& nome, const vb::Variant& predefinito) {
      auto it = param_.find(vb::Piega(nome));
      return it == param_.end() ? predefinito : vb::Variant(it->second);
    };
    msgPrec_ = vb::ImpostaGestoreMsgBox([this](const std::string& testo, int, const std::string&) {
      messaggi_.push_back(testo);
      return int(vb::vbOK);
    });
    backend_.messaggi = &messaggi_;
    backend_.risposte = &risposte_;
    ui::ImpostaBackend(&backend_);
    Param("CoGe.AnnoCorr", "2006");
    Param("CoGe.DataInizCont", "01/01/2006");
    Param("CoGe.DataFineCont", "31/12/2006");
  }

  void TearDown() override {
    if (f_ && f_->Caricata()) {
      risposte_.clear();
      f_->Unload();
    }
    f_.reset();
    ui::ImpostaBackend(nullptr);
    vb::ImpostaGestoreMsgBox(msgPrec_);
    AzzeraGlobali();
  }

  // The dialog opened as the line window opens it.
  FrmCompetenza& Apri(const std::string& tipo, const std::string& da, const std::string& a,
                      const std::string& importo = "1.200,00", int16_t anno = 2006, bool cliente = true) {
    f_ = std::make_unique<FrmCompetenza>();
    FrmCompetenza& f = *f_;
    opener_.dialogo = &f;
    f.Load();
    f.oiAnno = anno;
    f.osNumRif = "17";
    f.osDataRif = "15/03/2006";
    f.osIntest = "04-01-0014";
    f.osIntRagSoc = "Alimentari Bianchi";
    f.osIntRagSoc2 = "Via Roma 1 - Verona";
    f.osArticolo = "CORSO01";
    f.osLabArticolo = "Corso di formazione";
    f.osImporto = importo;
    f.obClieForn = cliente;
    f.obOk = false;
    f.osTipoComp = tipo;
    f.osDataCompDa = da;
    f.osDataCompA = a;
    f.osKeySec = "w1";
    f.ofrmDett = &opener_;
    f.mostra();
    f.Show(0);
    return f;
  }

  // The three shares as shown: previous year, current year, following years.
  static std::string Quote(FrmCompetenza& f) {
    return f.lab(30).Caption() + " | " + f.lab(40).Caption() + " | " + f.lab(50).Caption();
  }

  void Param(const std::string& nome, const std::string& valore) { param_[vb::Piega(nome)] = valore; }

  std::map<std::string, std::string> param_;
  std::vector<std::string> messaggi_;
  std::deque<int> risposte_;
  BackendCompetenza backend_;
  vb::GestoreMsgBox msgPrec_;
  ApriCompetenza opener_;
  std::unique_ptr<FrmCompetenza> f_;
};

}  // namespace prova
