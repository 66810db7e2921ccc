#pragma once
// The record test form of the navigation bar: a two-part key (Anno,
// Numero), a date, a masked amount, a text and an account triple, over a
// small table; its hooks log what the bar calls and answer as the tests set.
// Code 25 answers as the header window does: the next number, ten numbers in
// all, then give up.
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"
#include "platform/barre/BarraNavigazione.h"
#include "platform/dati/GestDatabase.h"
#include "platform/ui/Form.h"

namespace prova {

inline const char* kDdlSQLite =
    "CREATE TABLE Registrazioni (Anno SMALLINT NOT NULL, Numero INTEGER NOT NULL, Data DATETIME, "
    "Importo CURRENCY, Nota VARCHAR(50), Gruppo SMALLINT, Mastro SMALLINT, Conto INTEGER, "
    "PRIMARY KEY (Anno, Numero))";
inline const char* kDdlServer =
    "CREATE TABLE Registrazioni (Anno smallint NOT NULL, Numero integer NOT NULL, Data timestamp(0), "
    "Importo numeric(19,4), Nota varchar(50), Gruppo smallint, Mastro smallint, Conto integer, "
    "PRIMARY KEY (Anno, Numero))";

class FormRecordProva : public ui::Form {
 public:
  FormRecordProva() : ui::Form("frmRecordProva") {
    SetCaption("Registrazioni di prova");
    Move(0, 0, 9000, 5200);
    auto& tb = Crea(ui::Tipo::Toolbar, "tolComPag");
    tb.Move(0, 0, 9000, 420);
    const std::vector<std::pair<std::string, std::string>> bottoni = {
        {"Ricerca", "(R) Ricerca"}, {"Salva", "(S) Salva"},       {"Annulla", "(A) Annulla"},
        {"Cancella", "(C) Cancella"}, {"Duplica", "(D) Duplica"}, {"VarKey", "(K) Cambia chiave"},
        {"Lista", "(L) Lista"},     {"Inizio", "(I) Inizio"},     {"Precedente", "(P) Precedente"},
        {"Successivo", "(U) Successivo"}, {"Fine", "(F) Fine"},   {"Aggiorna", "(G) Aggiorna"}};
    for (const auto& [k, t] : bottoni) tb.AggiungiElemento(k, k).ToolTipText = t;
    auto& st = Crea(ui::Tipo::StatusBar, "staMessaggi");
    st.Move(0, 4700, 9000, 300);
    st.AggiungiElemento("Messaggio");
    auto& pt = Crea(ui::Tipo::PictureBox, "picTest");
    pt.Move(120, 500, 8700, 500);
    auto& pd = Crea(ui::Tipo::PictureBox, "PicDett");
    pd.Move(120, 1100, 8700, 3400);
    struct Def {
      int n;
      const char* caption;
      ui::Controllo* dentro;
      long top, left;
    };
    const std::vector<Def> campi = {{1, "Anno", &pt, 60, 0},        {2, "Numero", &pt, 60, 3000},
                                    {3, "Data", &pd, 100, 0},       {4, "Importo", &pd, 600, 0},
                                    {5, "Nota", &pd, 1100, 0},      {6, "Conto", &pd, 1600, 0}};
    int tab = 0;
    for (const Def& d : campi) {
      auto& l = Crea(ui::Tipo::Label, "label1", d.n);
      l.SetContainer(d.dentro);
      l.Move(d.left, d.top + 40, 1200, 300);
      l.SetCaption(d.caption);
      auto& t = Crea(ui::Tipo::TextBox, "txt", d.n);
      t.SetContainer(d.dentro);
      t.Move(d.left + 1300, d.top, d.n == 5 ? 5000 : 1600, 330);
      t.SetTabIndex(tab++);
    }
  }

  // Sets the bar up on `db`, as a window's load does.
  void Prepara(dati::GestDatabase& db, const std::string& conn, ui::Form* lista = nullptr) {
    ogComPag = std::make_unique<barre::BarraRecord>();
    auto& b = *ogComPag;
    b.NomeTabella("Registrazioni");
    b.MsgChiave("\r\nImpostare a 0 il numero per inserire");
    for (int op : {16, 5, 7, 9, 4, 25}) b.AbilHook(op, true);
    b.ErroriRiprova("3022,3146,");
    for (int op : {12, 8, 1, 27, 17, 3}) b.AbilHook(op, true);
    b.DefinisciCampo("Anno", C("txt", 1), "Anno", 1, vb::Missing, vb::Missing, vb::Missing, vb::Missing,
                     vb::Variant(2026), vb::Variant(4));
    b.DefinisciCampo("Numero", C("txt", 2), "Numero", 1, vb::Missing, vb::Missing, vb::Missing, vb::Missing,
                     vb::Missing, vb::Variant(6), vb::Variant(1), vb::Variant("0"));
    b.DefinisciCampo("Data", C("txt", 3), "Data registrazione", vb::Missing, vb::Missing, vb::Missing,
                     vb::Missing, vb::Missing, vb::Variant("10/12/2026"), vb::Missing, vb::Variant(true));
    b.DefinisciCampo("Importo", C("txt", 4), C("label1", 4), vb::Missing, vb::Missing, vb::Missing, vb::Missing,
                     vb::Missing, vb::Missing, vb::Variant(-14.2), vb::Missing, vb::Variant("#,###.^^"));
    b.DefinisciCampo("Nota", C("txt", 5), "Nota");
    b.DefinisciCampo("|-|Gruppo|Mastro|Conto", C("txt", 6), "Conto");
    b.CtrlChiave(C("txt", 2));
    b.CtrlPrimoDato(C("txt", 3));
    b.PicTestata(C("picTest"));
    b.PicDettaglio(C("PicDett"));
    b.ColoreErrore(255);
    b.ScriviVarBarra("InMuovi", 12, vb::Variant("S"));
    b.ImpImmagini("", C("tolComPag"));
    b.Collega(*this, db, conn, lista);
  }

  // ---- what the tests set and read
  std::vector<std::string> log;
  std::map<int, vb::Variant> rispostaPri;  // before-hook results by code
  bool transazioneFinestra = false;        // 27 opens the window's transaction
  bool confermaFinestra = true;            // 12 commits it (else rolls back)
  bool nuovoConZero = true;                // 3: Numero "0" starts a new record
  int tentativi = 0;                       // 25's counter, as the header keeps it
  bool sempreRiprova = false;              // 25 answers 4 for ever, key unchanged
  int erroreIn = 0;                        // the before-hook of this code raises
  int erroreDopo = 0;                      // the after-hook of this code raises
  int annidaSalva = 0;                     // after 12 saves again, this many times
  std::string inMuoviAl8;                  // "InMuovi" as the clear hook read it
  std::function<void()> primaDelCommit;

  std::unique_ptr<barre::BarraRecord> ogComPag;

  vb::Variant ButtonComando(const std::string& k) { return ogComPag->EseguiTasto(k); }
  void ButtonClick(ui::Controllo&, const std::string& key) override { ButtonComando(key); }

  vb::Variant ChiamaPerNome(const std::string& nome, std::vector<vb::Variant>& a) override {
    if (nome == "PersPagPri") return Pri(a[0].ToInt(), a);
    if (nome == "PersPagDop") return Dop(a[0].ToInt(), a);
    if (nome == "ButtonComando") return ButtonComando(a.at(0).ToString());
    if (nome == "ChiudiFrm") {
      log.push_back("ChiudiFrm");
      return vb::Variant();
    }
    return ui::Form::ChiamaPerNome(nome, a);
  }
  ui::Oggetto* OggettoPerNome(const std::string& nome) override {
    if (nome == "ogComPag") return ogComPag.get();
    return ui::Form::OggettoPerNome(nome);
  }
  void Form_QueryUnload(int& Cancel, int) override {
    if (ogComPag) Cancel = ogComPag->PuoChiudere() ? 0 : 1;
  }

 private:
  static std::string T(const vb::Variant& v) {
    if (v.IsEmpty()) return "";
    if (v.IsNull()) return "Null";
    if (v.VarType() == vb::vbBoolean) return v.ToBool() ? "True" : "False";
    return v.ToString();
  }

  vb::Variant Pri(int op, std::vector<vb::Variant>& a) {
    log.push_back("P" + std::to_string(op) + (op == 4 ? ":" + T(a[2]) : ""));
    if (op == 3 && nuovoConZero && ogComPag->oiFlagOpe() == 0 && vb::Trim(C("txt", 2).Text()) == "0")
      ogComPag->ImpModo(1);
    if (op == 25) tentativi = 1;
    if (op == erroreIn) vb::Solleva(5, "guasto nella finestra");
    if (op == 27 && transazioneFinestra && ogComPag->oiFlagOpe() == 1) {
      vb::FunzioniComuni::Istanza().IniziaTrans();
      ogComPag->SetTransPropria(0);
    }
    auto it = rispostaPri.find(op);
    if (it != rispostaPri.end()) {
      a[1] = it->second;
      return it->second;
    }
    return vb::Variant(static_cast<int16_t>(0));
  }

  vb::Variant Dop(int op, std::vector<vb::Variant>& a) {
    std::string e = "D" + std::to_string(op);
    if (op == 1) e += ":" + T(a[2]);
    if (op == 8 || op == 17) e += ":" + T(a[3]);
    if (op == 12) e += ":" + T(a[2]) + (T(a[1]).empty() ? "" : " rit=" + T(a[1]));
    if (op == 25) e += ":" + T(a[4]);
    log.push_back(e);
    if (op == erroreDopo) vb::Solleva(5, "guasto dopo il salvataggio");
    if (op == 8) inMuoviAl8 = ogComPag->LeggiVarBarra("InMuovi", 12).ToString();
    if (op == 12 && annidaSalva > 0) {
      --annidaSalva;
      ButtonComando("Salva");
    }
    if (op == 25 && sempreRiprova) {
      a[1] = vb::Variant(static_cast<int16_t>(4));
    } else if (op == 25 && a[4].ToDouble() != 0 && ogComPag->oiFlagOpe() == 2) {
      if (tentativi == 10) {
        a[1] = vb::Variant(static_cast<int16_t>(2));
      } else {
        ++tentativi;
        C("txt", 2).SetText(std::to_string(std::stol(C("txt", 2).Text()) + 1));
        a[1] = vb::Variant(static_cast<int16_t>(4));
      }
    }
    if (op == 12 && ogComPag->TransPropria() == 0) {
      const bool ok = a[2].ToBool() && T(a[1]).empty();
      if (primaDelCommit) primaDelCommit();
      if (ok && confermaFinestra) vb::FunzioniComuni::Istanza().ConfermaTrans();
      else vb::FunzioniComuni::Istanza().AnnullaTrans();
      long stato = ogComPag->StatoRecord(0);
      ogComPag->SetTransPropria(-1);
      if (stato < 0) a[1] = ogComPag->MostraRecord(stato, 0);
    }
    return vb::Variant(static_cast<int16_t>(0));
  }
};

}  // namespace prova
