#pragma once
// A list window over table ListaProva, built as the program's list windows
// are: criteria text boxes, the list page over the list commands, a grid
// over its data control; every callback it answers is written down.
#include <string>
#include <vector>

#include "platform/Barre.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/barre/ComandiLista.h"
#include "platform/barre/PaginaLista.h"
#include "platform/dati/GestDatabase.h"
#include "platform/ui/Form.h"
#include "platform/ui/Griglia.h"

namespace prova {

// The table of the list, `n` rows: Anno 2023/2024 alternating, NumRif 1..n,
// DataRif from 01/01/2024 one day a row, Cliente "C" + (i % 7), RifCli
// "Rif " + i, Stato "S" every third row, else Null.
inline void CreaListaProva(dati::GestDatabase& db, const std::string& conn, int n) {
  db.Motore(conn).Esegui(
      "CREATE TABLE ListaProva (Anno SMALLINT NOT NULL, NumRif INTEGER NOT NULL, DataRif DATETIME, "
      "Cliente VARCHAR(10) COLLATE NOCASE, RifCli VARCHAR(30) COLLATE NOCASE, Stato VARCHAR(1) COLLATE NOCASE, "
      "Importo CURRENCY, PRIMARY KEY (Anno, NumRif))");
  db.Motore(conn).AzzeraCatalogo();
  db.Motore(conn).Esegui("BEGIN");
  const auto& fc = vb::FunzioniComuni::Istanza();
  for (int i = 1; i <= n; ++i) {
    const vb::Date d = vb::Date::FromYmd(2024, 1, i);
    db.EseguiSql(conn, "Insert into ListaProva Values (" + std::to_string(2023 + i % 2) + ", " + std::to_string(i) + ", " +
                           fc.ValoreSql(d, vb::vbDate) + ", 'C" + std::to_string(i % 7) + "', 'Rif " + std::to_string(i) +
                           "', " + (i % 3 == 0 ? "'S'" : "Null") + ", " + std::to_string(i) + ".5)");
  }
  db.Motore(conn).Esegui("COMMIT");
}

// The record bar the list serves, reduced to what the list hands it.
class BarraFinta : public barre::BarraNavigazione {
 public:
  vb::Variant ovLeggiPar(const std::string&) const override { return {}; }
  void SetovLeggiPar(const std::string&, const vb::Variant&) override {}
  int oiAbilRW() const override { return 1; }
  void SetoiAbilRW(int) override {}
  std::string TastoPremuto(int) override { return {}; }
  int oiFlagOpe() const override { return 0; }
  vb::Variant VarDati(int) override { return ""; }
  bool MostraDaLista(const std::vector<std::pair<std::string, vb::Variant>>& chiave) override {
    std::string s;
    for (const auto& [c, v] : chiave) s += (s.empty() ? "" : ",") + c + "=" + v.ToString();
    mostrati.push_back(s);
    return true;
  }
  std::vector<std::string> mostrati;
};

class FormListaProva : public ui::Form, public barre::ProtFormLisPag, public barre::ProtFormComlin {
 public:
  FormListaProva(dati::GestDatabase& db, std::string conn) : ui::Form("frmListaProva"), db_(db), conn_(std::move(conn)) {
    SetCaption("Lista di prova");
    Move(0, 0, 9600, 6600);
    auto& tol = Crea(ui::Tipo::Toolbar, "tolComlin");
    tol.Move(0, 0, 9600, 420);
    const char* etichette[] = {"Anno da:", "a:", "Numero da:", "a:", "Data da:", "a:", "Cliente:", "Rif. cliente:", "Stato:"};
    for (int i = 1; i <= 9; ++i) {
      const long x = 120 + ((i - 1) % 3) * 3100, y = 540 + ((i - 1) / 3) * 420;
      auto& l = Crea(ui::Tipo::Label, "label1", i * 10);
      l.SetCaption(etichette[i - 1]);
      l.Move(x, y + 40, 1300, 300);
      auto& t = Crea(ui::Tipo::TextBox, "txt", i * 10);
      t.Move(x + 1350, y, 1500, 330);
      t.SetTabIndex(i);
    }
    auto& fra = Crea(ui::Tipo::Frame, "FraCerca");
    fra.SetVisible(false);
    Crea(ui::Tipo::TextBox, "txtCerca").SetContainer(&fra);
    auto& dat = Crea<ui::DatiControllo>(ui::Tipo::Data, "datRiga");
    dat.SetVisible(false);
    auto& dbg = Crea<ui::Griglia>(ui::Tipo::DataGrid, "dbgRiga");
    dbg.Move(0, 1900, 9480, 3800);
    auto& riga = Crea(ui::Tipo::TextBox, "txtRiga");
    riga.Move(0, 5760, 1500, 330);
  }

  void Form_Load() override {
    ogLisPag.BarraStrumenti(C("tolComlin"));
    ogLisPag.OggettoBase(ogComlin);
    C("tolComlin").Elem("Stampa").Visible = true;
    ogLisPag.Form(*this);
    ogLisPag.DefinisciFiltro("Anno", C("txt", 10), ">=", {}, 3);
    ogLisPag.DefinisciFiltro("Anno", C("txt", 20), "<=", {}, 3, {}, "A");
    ogLisPag.DefinisciFiltro("NumRif", C("txt", 30), ">=", {}, 4);
    ogLisPag.DefinisciFiltro("NumRif", C("txt", 40), "<=", {}, 4, {}, "A");
    ogLisPag.DefinisciFiltro("DataRif", C("txt", 50), ">=", {}, 8);
    ogLisPag.DefinisciFiltro("DataRif", C("txt", 60), "<=", {}, 8, {}, "A");
    ogLisPag.DefinisciFiltro("Cliente", C("txt", 70), "=");
    ogLisPag.DefinisciFiltro("RifCli", C("txt", 80), "like*");
    ogLisPag.DefinisciFiltro("StatoSel", C("txt", 90), "pers");
    ogComlin.Form(*this);
    ogComlin.BarraStrumenti(C("tolComlin"));
    ogComlin.TestoContaRighe(C("txtRiga"));
    ogComlin.Griglia(static_cast<ui::Griglia&>(C("dbgRiga")));
    ogComlin.ControlloDati(static_cast<ui::DatiControllo&>(C("datRiga")));
    ogComlin.DatabaseDao(db_, conn_);
    ogLisPag.ColoreErrore(ui::vbRed);
    ogLisPag.ColoreSfondo(ui::vbWindowBackground);
    ogComlin.LeggiImpostazioneA(0);
    ogComlin.LeggiImpostazioneA(1);
    ogComlin.LeggiImpostazioneB(false);
    ogLisPag.ImpImmagini("", nullptr, nullptr);
    ogLisPag.Prepara();
  }

  void ButtonClick(ui::Controllo&, const std::string& key) override { ButtonComando(key); }
  void RowColChange(ui::Controllo&, const vb::Variant& ult, int col) override {
    std::string a, b;
    ogComlin.RigaColCambiata(ult, col, 0, a, b);
    C("txtRiga").SetText(a + " / " + b);
  }

  void ButtonComando(const std::string& key) {
    log.push_back("ButtonComando " + key);
    if (key == "Stampa" && (!ogComlin.Recordset() || ogComlin.Recordset()->RecordCount() == 0)) return;
    vb::Variant ris;
    ogComlin.EseguiTasto(key, -1, false, ris);
    ogLisPag.EseguiTasto(key);
  }

  // ---- ProtFormLisPag
  bool VerSelez() override {
    log.push_back("VerSelez");
    return !ogLisPag.VerifFiltri();
  }
  std::string PrepSql(const std::string& where) override {
    log.push_back("PrepSql " + where);
    osSql = "Select Anno, NumRif, DataRif, Cliente, RifCli, Stato, Importo From ListaProva";
    if (!where.empty()) osSql += " where " + where;
    osSql += " Order by Anno, NumRif";
    return osSql;
  }
  vb::Variant PersListaVarie(int tipo, barre::navlib::CampoLista& campo, std::vector<vb::Variant>& param) override {
    log.push_back("PersListaVarie " + campo.Nome() + " [" + param[0].ToString() + "] " + param[1].ToString());
    if (tipo != 1 || vb::StrComp(campo.Nome(), "StatoSel", vb::vbTextCompare) != 0) return {};
    const std::string v = vb::UCase(param[1].ToString().substr(0, 1));
    if (v == "N") return param[0].ToString() + "IsNull(Stato)";
    if (v == "S") return param[0].ToString() + "Stato = " + vb::FunzioniComuni::Istanza().ValoreSql("S", vb::vbString);
    return param[0].ToString() + "true";
  }
  void SettaRecordset(const std::string& sql, bool faiSql) override {
    log.push_back("SettaRecordset");
    osSql = sql;
    ogComlin.ImpSql(sql, {}, false, faiSql);
    std::string a, b;
    ogComlin.Riapri(a, b);
    C("txtRiga").SetText(a + " / " + b);
  }

  // ---- ProtFormComlin
  std::string ColToSourceField(int col) override {
    auto& g = static_cast<ui::Griglia&>(C("dbgRiga"));
    if (g.Colonna(col).DataField == "Importo") return {};  // not sortable here, on purpose
    return g.Colonna(col).DataField;
  }
  std::string ovfrmBookmark() const override { return segnalibro_; }
  void SetovfrmBookmark(const std::string& b) override {
    segnalibro_ = b;
    C("tolComlin").Elem("VaiA").Enabled = !b.empty();
  }
  void DatRefresh() override {
    log.push_back("DatRefresh");
    PersColonne();
  }
  void PersColonne() override {
    ogComlin.LargColonna("Anno", 700);
    ogComlin.LargColonna("NumRif", 900);
    ogComlin.TitoloColonna(2, "Data");
    ogComlin.LargColonna(2, 1150);
    ogComlin.LargColonna("RifCli", 2200);
  }
  void ChiudiFrm() override { log.push_back("ChiudiFrm"); }
  void MenuFrm() override { log.push_back("MenuFrm"); }
  int oiStaAtt() const override { return staAtt_; }
  void SetoiStaAtt(int v) override { staAtt_ = v; }

  ui::Oggetto* OggettoPerNome(const std::string& nome) override {
    if (vb::StrComp(nome, "ogLisPag", vb::vbTextCompare) == 0) return &ogLisPag;
    if (vb::StrComp(nome, "ogComlin", vb::vbTextCompare) == 0) return &ogComlin;
    return ui::Form::OggettoPerNome(nome);
  }

  ui::Griglia& Griglia() { return static_cast<ui::Griglia&>(C("dbgRiga")); }

  barre::navlib::PaginaLista ogLisPag;
  barre::rowlib::ComandiLista ogComlin;
  std::string osSql;
  std::vector<std::string> log;

 private:
  dati::GestDatabase& db_;
  std::string conn_;
  std::string segnalibro_;
  int staAtt_ = 0;
};

}  // namespace prova
