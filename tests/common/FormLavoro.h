#pragma once
// A working form as the program writes them, for the framework's tests: its
// members reached by name, its bar components as fakes that write down what
// they were given, and the key handlers of the framework's contract.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "common/AziendaUtil.h"
#include "platform/Barre.h"
#include "platform/Testo.h"
#include "platform/ui/Form.h"

namespace prova {

// The named values every component keeps.
template <class Base>
class ConValori : public Base {
 public:
  vb::Variant ovLeggiPar(const std::string& n) const override {
    auto it = valori.find(vb::LCase(n));
    return it == valori.end() ? vb::Variant() : it->second;
  }
  void SetovLeggiPar(const std::string& n, const vb::Variant& v) override { valori[vb::LCase(n)] = v; }
  std::map<std::string, vb::Variant> valori;
};

class BarraFinta : public ConValori<barre::BarraNavigazione> {
 public:
  int oiAbilRW() const override { return abilRW; }
  void SetoiAbilRW(int v) override { abilRW = v; }
  std::string TastoPremuto(int k) override { return acceleratori.count(k) ? acceleratori[k] : ""; }
  int oiFlagOpe() const override { return flagOpe; }
  vb::Variant VarDati(int) override { return inSospeso; }
  int abilRW = -99;
  int flagOpe = 0;
  std::string inSospeso;
  std::map<int, std::string> acceleratori;
};

class PaginaFinta : public ConValori<barre::PaginaRighe> {
 public:
  int oiAbilRW() const override { return abilRW; }
  void SetoiAbilRW(int v) override { abilRW = v; }
  std::string TastoPremuto(int k) override { return acceleratori.count(k) ? acceleratori[k] : ""; }
  void RecCorrSuTot(std::string& c, std::string& t) override {
    c = corrente;
    t = totale;
  }
  int abilRW = -99;
  std::string corrente = "3", totale = "12";
  std::map<int, std::string> acceleratori;
};

class ListaFinta : public ConValori<barre::PaginaLista> {
 public:
  std::string TastoPremuto(int k) override { return acceleratori.count(k) ? acceleratori[k] : ""; }
  std::map<int, std::string> acceleratori;
};

class ComandiFinti : public ConValori<barre::ComandiLista> {};

// The bar flags the form was built with, passed the same to every step.
struct Flag {
  int comPag = 0, comlin = 0, linPag = 0, lisPag = 0;
};

class FormLavoro : public ui::Form {
 public:
  explicit FormLavoro(Flag flag = {}, const std::string& nome = "frmProva") : ui::Form(nome), flag_(flag) {
    SetCaption("Prova");
    for (int i : {10, 20, 30}) {
      auto& t = Crea(ui::Tipo::TextBox, "txt", i);
      t.SetTabIndex(i / 10 - 1);
    }
    Crea(ui::Tipo::Label, "lab", 10).SetCaption("&Cliente");
    Crea(ui::Tipo::CommandButton, "cmdOk").SetTabIndex(3);
    if (flag.comPag == -1) {
      auto& t = Crea(ui::Tipo::Toolbar, "tolComPag");
      for (const char* k : {"Precedente", "Successivo", "Inizio", "Fine", "Ricerca", "Salva", "Nuovo"})
        t.AggiungiElemento(k);
      ogComPag = std::make_unique<BarraFinta>();
    }
    if (flag.linPag == -1) {
      auto& t = Crea(ui::Tipo::Toolbar, "tolLinPag");
      for (const char* k : {"PageUp", "PageDown", "Precedente", "Successiva", "Elimina"}) t.AggiungiElemento(k);
      Crea(ui::Tipo::TextBox, "txtRiga").SetTabIndex(10);
      ogLinPag = std::make_unique<PaginaFinta>();
    }
    if (flag.lisPag == -1) {
      auto& t = Crea(ui::Tipo::Toolbar, "tolComlin");
      for (const char* k : {"Precedente", "Successiva", "Stampa"}) t.AggiungiElemento(k);
      ogLisPag = std::make_unique<ListaFinta>();
    }
    if (flag.lisPag == -1 || flag.comlin == -1) ogComlin = std::make_unique<ComandiFinti>();
  }

  // ---- the framework's contract
  void Form_Load() override {
    AziendaUtil::CaricaFormPri(*this, flag_.comPag, flag_.comlin, flag_.linPag, 0, flag_.lisPag, 0, abilRO, noSplash,
                               risVid, "");
    if (duranteCaricamento) duranteCaricamento();
    AziendaUtil::CaricaFormDop(*this, flag_.comPag, flag_.comlin, flag_.linPag, 0, flag_.lisPag, 0, noSplash, risVid,
                               altriCtl);
  }
  void Form_KeyDown(int& KeyCode, int Shift) override {
    if (AziendaUtil::GestKeyDown(KeyCode, Shift, *this, flag_.comPag, flag_.comlin, flag_.linPag, 0, flag_.lisPag, 0,
                                 0, invioAncheGriglia, verifMultiLine) > 0)
      return;
    std::string tasto, tastoAlt;
    AziendaUtil::GestTastiBarra(KeyCode, Shift, *this, flag_.comPag, flag_.comlin, flag_.linPag, 0, flag_.lisPag, 0,
                                0, tasto, tastoAlt, ricercaDopoSalva);
  }
  void Form_KeyPress(int& KeyAscii) override {
    KeyAscii = AziendaUtil::GestKeyPress(KeyAscii, *this, flag_.comPag, flag_.comlin, flag_.linPag, 0, flag_.lisPag, 0);
  }
  void GotFocus(ui::Controllo& c) override {
    if (c.tipo() == ui::Tipo::TextBox && colora) AziendaUtil::ColoraGotFocus(c, 0);
  }
  void LostFocus(ui::Controllo& c) override {
    if (c.tipo() == ui::Tipo::TextBox && colora) AziendaUtil::ColoraLostFocus(c, 0);
  }

  // ---- public members by name
  vb::Variant ChiamaPerNome(const std::string& nome, std::vector<vb::Variant>& a) override {
    if (vb::UgualeTesto(nome, "ButtonComando")) {
      comandi.push_back(a.at(0).ToString());
      if (dopoComando) dopoComando(comandi.back());
      return {};
    }
    if (vb::UgualeTesto(nome, "txt_KeyUp")) {
      keyUp.push_back(std::to_string(a.at(0).ToInt()) + "/" + std::to_string(a.at(1).ToInt()) + "/" +
                      std::to_string(a.at(2).ToInt()));
      return {};
    }
    return ui::Form::ChiamaPerNome(nome, a);
  }
  vb::Variant LeggiPerNome(const std::string& nome) override {
    if (vb::UgualeTesto(nome, "osParam") && conParam) return osParam;
    if (vb::UgualeTesto(nome, "oiAbilRW") && conParam) return static_cast<int16_t>(oiAbilRW);
    if (vb::UgualeTesto(nome, "osKeySec") && conChiavi) return osKeySec;
    if (vb::UgualeTesto(nome, "osRisVidKey") && conChiavi) return osRisVidKey;
    if (vb::UgualeTesto(nome, "odRisVidVal")) return odRisVidVal;
    if (vb::UgualeTesto(nome, "oiNoHelp") && conNoHelp) return static_cast<int16_t>(oiNoHelp);
    return ui::Form::LeggiPerNome(nome);
  }
  void ScriviPerNome(const std::string& nome, const vb::Variant& v) override {
    if (vb::UgualeTesto(nome, "oiAbilRW") && conParam) oiAbilRW = v.ToInt();
    else if (vb::UgualeTesto(nome, "odRisVidVal")) odRisVidVal = v.ToDouble();
    else if (vb::UgualeTesto(nome, "oiNoHelp") && conNoHelp) oiNoHelp = v.ToInt();
    else ui::Form::ScriviPerNome(nome, v);
  }
  ui::Oggetto* OggettoPerNome(const std::string& nome) override {
    if (vb::UgualeTesto(nome, "ogComPag") && ogComPag) return ogComPag.get();
    if (vb::UgualeTesto(nome, "ogLinPag") && ogLinPag) return ogLinPag.get();
    if (vb::UgualeTesto(nome, "ogLisPag") && ogLisPag) return ogLisPag.get();
    if (vb::UgualeTesto(nome, "ogComlin") && ogComlin) return ogComlin.get();
    return ui::Form::OggettoPerNome(nome);
  }

  // What the form chooses.
  int abilRO = 0, noSplash = -1, risVid = 0;
  bool invioAncheGriglia = false, verifMultiLine = true, ricercaDopoSalva = true, colora = false;
  bool conParam = true, conChiavi = true, conNoHelp = false;
  std::vector<vb::Variant> altriCtl;
  std::function<void()> duranteCaricamento;
  std::function<void(const std::string&)> dopoComando;

  // Its members.
  std::string osParam, osKeySec, osRisVidKey;
  int oiAbilRW = -99, oiNoHelp = 0;
  double odRisVidVal = 0;
  std::unique_ptr<BarraFinta> ogComPag;
  std::unique_ptr<PaginaFinta> ogLinPag;
  std::unique_ptr<ListaFinta> ogLisPag;
  std::unique_ptr<ComandiFinti> ogComlin;

  std::vector<std::string> comandi, keyUp;

 private:
  Flag flag_;
};

}  // namespace prova
