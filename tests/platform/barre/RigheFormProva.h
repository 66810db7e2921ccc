#pragma once
// A line window over table RigheProva, built as the program's line windows
// are: bound text boxes declared to the line page, a grid over its data
// control, a toolbar; every hook the page calls is written down.
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/Testo.h"
#include "platform/barre/PaginaRighe.h"
#include "platform/dati/GestDatabase.h"
#include "platform/ui/Form.h"
#include "platform/ui/Griglia.h"

namespace prova {

inline void CreaRigheProva(dati::GestDatabase& db, const std::string& conn) {
  db.Motore(conn).Esegui(
      "CREATE TABLE RigheProva (Anno SMALLINT NOT NULL, NumRif INTEGER NOT NULL, RigDet SMALLINT NOT NULL, "
      "Articolo VARCHAR(20) COLLATE NOCASE, Qta DOUBLE, Prezzo CURRENCY, DataCons DATETIME, "
      "GruppoVen VARCHAR(2), MastroVen VARCHAR(2), ContoVen VARCHAR(4), Nota VARCHAR(200), "
      "PRIMARY KEY (Anno, NumRif, RigDet))");
  db.Motore(conn).AzzeraCatalogo();
}

class FormRigheProva : public ui::Form, public barre::ProtFormLinPag {
 public:
  FormRigheProva(dati::GestDatabase& db, std::string conn, int anno, long numRif)
      : ui::Form("frmRigheProva"), db_(db), conn_(std::move(conn)), anno_(anno), numRif_(numRif) {
    SetCaption("Righe di prova");
    Move(0, 0, 9600, 6600);
    Crea(ui::Tipo::Toolbar, "tolLinPag").Move(0, 0, 9600, 420);
    struct Def {
      int n;
      const char* etichetta;
    };
    const Def campi[] = {{600, "Anno"},  {610, "Numero"}, {10, "Riga"},    {20, "Articolo"}, {30, "Quantità"},
                         {40, "Prezzo"}, {50, "Consegna"}, {60, "Conto"}, {70, "Nota"}};
    int i = 0;
    for (const Def& d : campi) {
      const long x = 120 + (i % 3) * 3100, y = 540 + (i / 3) * 420;
      auto& l = Crea(ui::Tipo::Label, "label1", d.n);
      l.SetCaption(d.etichetta);
      l.Move(x, y + 40, 1200, 300);
      auto& t = Crea(ui::Tipo::TextBox, "txt", d.n);
      t.Move(x + 1250, y, 1600, 330);
      t.SetTabIndex(i + 1);
      ++i;
    }
    auto& dat = Crea<ui::DatiControllo>(ui::Tipo::Data, "datRiga");
    dat.SetVisible(false);
    Crea<ui::Griglia>(ui::Tipo::DataGrid, "dbgRiga").Move(0, 1900, 9480, 3800);
    Crea(ui::Tipo::TextBox, "txtRiga").Move(0, 5760, 1500, 330);
  }

  void Form_Load() override {
    C("txt", 600).SetText(std::to_string(anno_));
    C("txt", 610).SetText(std::to_string(numRif_));
    ogLinPag.Form(*this);
    ogLinPag.BarraStrumenti(C("tolLinPag"));
    ogLinPag.Database(db_);
    ogLinPag.ChiaveDb(conn_);
    ogLinPag.TestoContaRighe(C("txtRiga"));
    ogLinPag.Griglia(static_cast<ui::Griglia&>(C("dbgRiga")));
    ogLinPag.ControlloDati(static_cast<ui::DatiControllo&>(C("datRiga")));
    ogLinPag.NomeTabella("RigheProva");
    ogLinPag.FormatoData("dd/mm/yyyy");
    using vb::Currency;
    ogLinPag.DefinisciCampo("Anno", C("txt", 600), {}, {}, {}, 1, 3, 2, -1, 0, "", Currency::FromText("4"), true);
    ogLinPag.DefinisciCampo("NumRif", C("txt", 610), {}, {}, {}, 1, 4, 2, -1, 0, "", Currency::FromText("9"), true);
    ogLinPag.DefinisciCampo("RigDet", C("txt", 10), "Nr", {}, {}, 1, 3, 0, -1, 0, "", Currency::FromText("4"), true);
    ogLinPag.DefinisciCampo("Articolo", C("txt", 20), {}, {}, {}, 0, -1, 0, -1, 0, "", Currency::FromText("-1"));
    ogLinPag.DefinisciCampo("Qta", C("txt", 30), "Quantità", {}, {}, 0, 7, 0, -1, 0, "1", Currency::FromText("-10,3"));
    ogLinPag.DefinisciCampo("Prezzo", C("txt", 40), {}, {}, {}, 0, 7, 0, -1, 0, "", Currency::FromText("10,4"));
    ogLinPag.DefinisciCampo("DataCons", C("txt", 50), "Consegna", {}, {}, 0, -1, 0, -1, 0, "");
    ogLinPag.DefinisciCampo("|-|GruppoVen|MastroVen|ContoVen", C("txt", 60), "ContoRicavo", {}, "Conto Ricavo", 0, -1, 0,
                            -1, 0, "");
    ogLinPag.DefinisciCampo("Nota", C("txt", 70), {}, {}, {}, 0, -1, 0, -1, 0, "", Currency::FromText("200"));
    ogLinPag.CtrlPrimoCampo(C("txt", 10));
    ogLinPag.CtrlSecondoCampo(C("txt", 20));
    ogLinPag.ColoreErrore(ui::vbRed);
    ogLinPag.ColoreSfondo(ui::vbWindowBackground);
    for (int c : {16, 4, 10, 13, 7, 17, 8, 6, 19, 3, 20, 0}) ogLinPag.AbilHook(c, true);
    ogLinPag.OpzioneAvvio(0);
    ogLinPag.ApriRighe(PrepSql());
  }

  std::string PrepSql() const {
    return "Select * From RigheProva Where Anno = " + std::to_string(anno_) + " And NumRif = " + std::to_string(numRif_) +
           " Order by RigDet";
  }

  void ButtonClick(ui::Controllo&, const std::string& key) override { ButtonComando(key); }
  // The grid's events go to the page, as the line windows hand them on;
  // `annullaSel` refuses a change of the selection.
  void RowColChange(ui::Controllo&, const vb::Variant& ultima, int col) override {
    if (seguiGriglia) ogLinPag.RigaColCambiata(ultima, col);
  }
  void SelChange(ui::Controllo&, int& annulla) override {
    log.push_back("SelChange");
    annulla = annullaSel;
    if (!annulla) ogLinPag.SelCambiata(annulla);
  }
  bool seguiGriglia = false;
  int annullaSel = 0;
  std::string ButtonComando(const std::string& key) { return ogLinPag.EseguiTasto(key); }

  // ---- the hooks: written down, answered from `risposte` (code -> result
  // and pvRit), with an optional action run inside
  vb::Variant PersLPaPri(int op, vb::Variant& rit, std::vector<vb::Variant>& arr) override {
    (void)arr;
    log.push_back("B" + std::to_string(op));
    if (auto a = azioni.find(op); a != azioni.end()) a->second();
    if (auto r = risposte.find(op); r != risposte.end()) {
      rit = r->second.second;
      return r->second.first;
    }
    return 0;
  }
  vb::Variant PersLPaDop(int op, vb::Variant& rit, std::vector<vb::Variant>& arr) override {
    std::string s = "A" + std::to_string(op);
    if (op == 7 && !arr.empty()) s += "(" + arr[0].ToString() + ")";
    if ((op == 10 || op == 17) && !rit.ToString().empty()) s += ":" + rit.ToString();
    log.push_back(s);
    return 0;
  }
  std::string ovfrmBookmark() const override { return segnalibro_; }
  void SetovfrmBookmark(const std::string& b) override { segnalibro_ = b; }
  void ChiudiFrm() override { log.push_back("ChiudiFrm"); }

  ui::Oggetto* OggettoPerNome(const std::string& nome) override {
    if (vb::StrComp(nome, "ogLinPag", vb::vbTextCompare) == 0) return &ogLinPag;
    return ui::Form::OggettoPerNome(nome);
  }

  barre::gridlib::PaginaRighe ogLinPag;
  std::vector<std::string> log;
  std::map<int, std::pair<vb::Variant, vb::Variant>> risposte;
  std::map<int, std::function<void()>> azioni;

 private:
  dati::GestDatabase& db_;
  std::string conn_;
  int anno_;
  long numRif_;
  std::string segnalibro_;
};

}  // namespace prova
