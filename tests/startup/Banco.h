#pragma once
// The test bench of the start-up: a stand-in menu server on a thread of its
// own, listening on a real socket in a private runtime folder; a company
// database and the suite ini in a private folder; the program started in
// this process on the server's command line. The message windows are
// answered and written down: the common message window (answers from
// risposteMsg_, 1 when none is queued), the plain message box (answers from
// risposteBox_, the default button when none) and the input box.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

#include "common/AziendaUtil.h"
#include "common/Globali.h"
#include "common/UtilClient.h"
#include "common/frmConn.h"
#include "common/frmPrincipale.h"
#include "common/mainDdt.h"
#include "common/scZelUtilPrg.h"
#include "platform/InputBox.h"
#include "platform/MsgBox.h"
#include "platform/Testo.h"
#include "platform/dati/DittaDemo.h"
#include "platform/dati/GestDatabase.h"
#include "platform/dati/Schema.h"
#include "platform/menu/ClientMenu.h"
#include "platform/menu/ServerMenu.h"
#include "platform/ui/Form.h"
#include "platform/ui/Headless.h"
#include "startup/RegistroForm.h"
#include "support/CartellaTemp.h"

namespace prova {

// The headless backend that answers the common message window by itself.
class BackendMenu : public ui::Headless {
 public:
  std::function<int(const std::string& testo)> rispondi;
  void AttendiModale(ui::Form& f) override {
    if (f.Name() != "frmMsgCom") return ui::Headless::AttendiModale(f);
    std::string testo = f.C("LabMessaggio").Text();
    if (f.Esiste("txtMessaggio") && f.C("txtMessaggio").Visible() && !f.C("txtMessaggio").Text().empty())
      testo = f.C("txtMessaggio").Text();
    const int r = rispondi ? rispondi(testo) : 1;
    if (r >= 1 && f.Esiste("ComEsegui", r - 1)) ui::utente::Clicca(f.C("ComEsegui", r - 1));
    if (f.Visible()) f.Hide();
  }
};

// The header form as the menu channel sees it: the launch keys, the load
// result, the open sub-form, and the close protocol in its unload handler.
class FormTestata : public ui::Form {
 public:
  FormTestata() : ui::Form("frmDdtTest") {
    SetCaption("Documenti di trasporto");
    Crea(ui::Tipo::TextBox, "txt", 1);
  }
  std::string osKeySec, osKeyLancia, osKeySecLancia, osParamLancia, osParam;
  int oiLoadOk = 0;
  int oiInDett = -1;
  bool falliscaCaricamento = false;
  int passaA = 0, attivatoDaAltri = 0;
  int modoChiusura = -1;
  std::vector<std::string> chiaviAlCaricamento;

  void Form_Load() override {
    chiaviAlCaricamento = {osKeySec, osKeyLancia, osKeySecLancia, osParamLancia, osParam};
    oiLoadOk = falliscaCaricamento ? -1 : 0;
    // The form framework closes the splash at the end of a load.
    if (FrmConn().Caricata()) FrmConn().Unload();
  }
  void Form_QueryUnload(int&, int modo) override { modoChiusura = modo; }
  void Form_Unload(int&) override {
    UtilClient::ChiudiFormLancio(*this, modoChiusura == ui::vbFormControlMenu ? -1 : 0);
  }
  vb::Variant LeggiPerNome(const std::string& n) override {
    if (n == "osKeySec") return osKeySec;
    if (n == "osKeyLancia") return osKeyLancia;
    if (n == "osKeySecLancia") return osKeySecLancia;
    if (n == "osParamLancia") return osParamLancia;
    if (n == "osParam") return osParam;
    if (n == "oiLoadOk") return oiLoadOk;
    if (n == "oiInDett") return oiInDett;
    return ui::Form::LeggiPerNome(n);
  }
  void ScriviPerNome(const std::string& n, const vb::Variant& v) override {
    if (n == "osKeySec") osKeySec = v.ToString();
    else if (n == "osKeyLancia") osKeyLancia = v.ToString();
    else if (n == "osKeySecLancia") osKeySecLancia = v.ToString();
    else if (n == "osParamLancia") osParamLancia = v.ToString();
    else if (n == "osParam") osParam = v.ToString();
    else ui::Form::ScriviPerNome(n, v);
  }
  vb::Variant ChiamaPerNome(const std::string& n, std::vector<vb::Variant>& a) override {
    if (n == "PassaA") return ++passaA;
    if (n == "AttivatoDaAltri") return ++attivatoDaAltri;
    return ui::Form::ChiamaPerNome(n, a);
  }
};

class Banco : public ::testing::Test {
 protected:
  void SetUp() override {
    ::setenv("XDG_RUNTIME_DIR", dir_.Dir().c_str(), 1);
    // Windows paths (the install ini "C:\\VelnorInst.ini") map into the test's folder.
    ::setenv("VELNOR_ROOT", dir_.Percorso("radice").c_str(), 1);
    ui::ImpostaBackend(&backend_);
    backend_.AzzeraScript();
    backend_.rispondi = [this](const std::string& t) {
      messaggi_.push_back(t);
      if (risposteMsg_.empty()) return 1;
      int r = risposteMsg_.front();
      risposteMsg_.pop_front();
      return r;
    };
    AzzeraGlobali();
    menu::ClientMenu::ImpostaAttesaMassima(10);
    boxPrima_ = vb::ImpostaGestoreMsgBox([this](const std::string& t, int pulsanti, const std::string&) {
      box_.push_back(t);
      if (!risposteBox_.empty()) {
        int r = risposteBox_.front();
        risposteBox_.pop_front();
        return r;
      }
      switch (pulsanti & 7) {
        case vb::vbOKCancel: return static_cast<int>(vb::vbOK);
        case vb::vbYesNoCancel:
        case vb::vbYesNo: return static_cast<int>(vb::vbYes);
        default: return static_cast<int>(vb::vbOK);
      }
    });
    inputPrima_ = vb::ImpostaGestoreInputBox([this](const std::string& p, const std::string&, const std::string&) {
      input_.push_back(p);
      if (risposteInput_.empty()) return std::string();
      std::string r = risposteInput_.front();
      risposteInput_.pop_front();
      return r;
    });
    CreaDitta();
    ScriviIni();
  }

  void TearDown() override {
    // Whatever a test left open goes, so the next one starts clean.
    for (int giro = 0; giro < 20 && !ui::Forms().empty(); ++giro) {
      std::vector<ui::Form*> aperte = ui::Forms();
      for (auto it = aperte.rbegin(); it != aperte.rend(); ++it) {
        try {
          (*it)->Unload();
        } catch (...) {
        }
      }
    }
    FermaServer();
    scZelUtilPrg::Rilascia();
    AzzeraGlobali();
    avvio::DimenticaForm("frmddttest");
    vb::ImpostaGestoreMsgBox(boxPrima_);
    vb::ImpostaGestoreInputBox(inputPrima_);
    ui::ImpostaBackend(nullptr);
  }

  void CreaDitta() {
    dati::GestDatabase db;
    const std::string k = db.CreaDatabase(dir_.Percorso("ditta.db"));
    dati::CreaSchema(db.Motore(k), dati::SchemaDitta());
    dati::CreaDittaDemo(db, k);
  }

  virtual void ScriviIni() {
    idMenu_ = "t" + std::to_string(::getpid()) + "-" + std::to_string(++contatore_);
    dir_.Scrivi("velnor.ini", "[Parametri Generali]\nOrdIniDBase=" + dir_.Percorso("ditta.ini") +
                                  "\n[Menu]\nNomeDB=" + dir_.Percorso("menu.db") + "\n[Base]\nTempoMaxCarStampa=2\n");
    dir_.Scrivi("ditta.ini", "[Configurazioni]\nFormatData=dd/mm/yyyy\n");
    dir_.Scrivi("menu.ini", "[Menu]\nId=" + idMenu_ + "\nUtente=mario\nTerminale=CASSA1\nDataLavoro=10/12/2026\n" +
                                "Ditta=DEMO\nIniSuite=" + dir_.Percorso("velnor.ini") + "\nNomeDB=" +
                                dir_.Percorso("menu.db") + "\n" + altroMenu_ + "[Ditta DEMO]\nDescrizione=Ditta dimostrativa\n" +
                                "NomeDB=" + dir_.Percorso("ditta.db") + "\n" + altraDitta_ +
                                "[Parametri DEMO]\nMag.NumDecQta=3\nMag.KeyRicDDT=1\nMag.GesTaglie=S\n" + altriParametri_ +
                                "[Programma]\nChiave=DDT\nForm=frmddttest\nHelp=" + dir_.Percorso("Ddt.chm") + "\n" +
                                "[Stampa]\n" + stampa_ + altroIni_);
  }

  void AvviaServer() {
    ScriviIni();
    server_ = std::make_unique<menu::ServerMenu>(dir_.Percorso("menu.ini"));
    server_->Silenzioso(true);
    server_->Avvia();
    thread_ = std::thread([this] { server_->Esegui(); });
  }

  void FermaServer() {
    if (!server_) return;
    server_->Ferma();
    if (thread_.joinable()) thread_.join();
    server_.reset();
  }

  // The program's start on the command line of a launch of the server.
  void Avvia(bool registraTestata = true) {
    if (!server_) AvviaServer();
    if (registraTestata) avvio::RegistraForm("frmddttest", [this]() -> ui::Form& { return testata_; });
    G().gsRigaComando = server_->PreparaLancio(&finestra_) + rigaAgg_;
    AziendaUtil::AvviaPrg(40, "");
  }

  // Lets the program run until the condition holds (false after 5 s).
  template <class F>
  bool Attendi(F condizione, int ms = 5000) {
    const auto fine = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!condizione()) {
      if (std::chrono::steady_clock::now() > fine) return false;
      ui::DoEvents();
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
  }

  // A menu command from the server, and the program's answer.
  menu::RispostaComando Comanda(const std::string& comando, const menu::ValoreMenu& param = {},
                                const std::string& programma = "DDT") {
    const long t = server_->InviaComando(programma, comando, param);
    std::optional<menu::RispostaComando> r;
    EXPECT_TRUE(Attendi([&] { return (r = server_->Risposta(t)).has_value(); })) << comando;
    return r.value_or(menu::RispostaComando{false, {}, -1, "nessuna risposta"});
  }

  static std::string Testo(const menu::RispostaComando& r) {
    if (!r.ok) return "ERR " + std::to_string(r.errore) + " " + r.descrizione;
    if (r.valore.IsEmpty() || r.valore.IsNull()) return "";
    if (r.valore.VarType() == vb::vbBoolean) return r.valore.ToBool() ? "True" : "False";
    return r.valore.ToString();
  }

  bool Evento(const std::string& e) const {
    for (const auto& x : server_->Eventi())
      if (x == e) return true;
    return false;
  }
  std::string Eventi() const { return vb::Join(server_->Eventi(), " / "); }

  // The end check runs: the fake clock on by `ms`.
  void Orologio(int ms = 1) { backend_.AvanzaTempo(ms); }

  bool Chiuso() const { return ui::Forms().empty(); }

  prova::CartellaTemp dir_{"avvio"};
  BackendMenu backend_;
  std::unique_ptr<menu::ServerMenu> server_;
  std::thread thread_;
  std::string idMenu_, finestra_;
  std::string altroMenu_, altraDitta_, altriParametri_, stampa_, altroIni_, rigaAgg_;
  FormTestata testata_;
  std::vector<std::string> messaggi_, box_, input_;
  std::deque<int> risposteMsg_, risposteBox_;
  std::deque<std::string> risposteInput_;
  vb::GestoreMsgBox boxPrima_;
  vb::GestoreInputBox inputPrima_;
  static inline int contatore_ = 0;
};

}  // namespace prova
