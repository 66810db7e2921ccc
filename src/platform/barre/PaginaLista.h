#pragma once
// The list page: the selection criteria of a list window, the search that
// turns them into the list's query through the window's callbacks, and the
// link to the record bar of the window the list serves. A list window holds
// one as `ogLisPag`, over its list commands `ogComlin`.
//
// Our choices:
// - "Ricerca": the window's `VerSelez`; then the WHERE of the non-empty
//   criteria joined by " And ", each value only as a literal of its kind
//   (`FunzioniComuni.ValoreSql`); a "pers" criterion asks the window's
//   `PersListaVarie` (1, the criterion, {P, value}) with P "" for the first
//   condition and " And " after it, and its answer is taken whole; then
//   `PrepSql` with the WHERE and `SettaRecordset` with its SQL. A criterion
//   that does not read stops the search with its box in the error colour
//   and a message naming it; nothing reaches the database;
// - `VerifFiltri` colours every criterion that does not read (error colour)
//   and gives the others back the normal colour; True when one does not;
// - "AzzSel" empties every criterion; "Seleziona" hands the key columns of
//   the current row to the bound record bar (`MostraDaLista`); "Torna" hides
//   the list window; `Avanti` and `Indietro` move in the list and select.
#include <memory>
#include <string>
#include <vector>

#include "platform/Barre.h"
#include "platform/Variant.h"
#include "platform/barre/CampoLista.h"

namespace ui {
class Controllo;
class Form;
}  // namespace ui

namespace barre {

namespace rowlib {
class ComandiLista;
}
namespace navlib {
class CampoLista;
}

// What a list window answers its list page.
class ProtFormLisPag {
 public:
  virtual ~ProtFormLisPag() = default;
  virtual bool VerSelez() = 0;
  // The SQL of the list for the WHERE text (empty: no condition).
  virtual std::string PrepSql(const std::string& psWhere) = 0;
  // The condition of a "pers" criterion; pvParam[0] goes in front of it,
  // pvParam[1] is the value. Empty: no condition.
  virtual vb::Variant PersListaVarie(int piTipoPers, navlib::CampoLista& pgLisCampo,
                                     std::vector<vb::Variant>& pvParam) = 0;
  virtual void SettaRecordset(const std::string& psSql, bool pbFaiSql) = 0;
  virtual bool PersListaKey(std::string& pvRit) {
    pvRit.clear();
    return true;
  }
  virtual void ListaKey() {}
  virtual void CompilaKey() {}
};

// What the print dialogs of a list are, set by name by the window.
struct OggettoStampaLista {
  ui::Form* ofrmComlinSTampa = nullptr;
  ui::Form* ofrmStampaInCorso = nullptr;
};

namespace navlib {

class PaginaLista : public barre::PaginaLista {
 public:
  PaginaLista();
  ~PaginaLista() override;

  // ---- Componente and keys
  vb::Variant ovLeggiPar(const std::string& psNome) const override;
  void SetovLeggiPar(const std::string& psNome, const vb::Variant& pvValore) override;
  std::string TastoPremuto(int piKeyCode) override;

  // ---- set-up
  void BarraStrumenti(ui::Controllo& ptol);
  void OggettoBase(rowlib::ComandiLista& pComlin);
  OggettoStampaLista& OggStampa() { return stampa_; }
  void Form(ui::Form& pfrm);
  // A criterion: column (or "pers" name), its text box, operator, kind
  // (engine type code; 0 text), name suffix ("A" for an upper bound) and
  // the value that counts as empty.
  void DefinisciFiltro(const std::string& psNome, ui::Controllo& pCtrl, const std::string& psOperatore,
                       const vb::Variant& = {}, int piTipo = 0, const vb::Variant& = {},
                       const std::string& psSuffisso = {}, const vb::Variant& pvVuoto = {});
  std::string ValoreFiltro(const std::string& psNomeFiltro) const;
  void ValoreFiltro(const std::string& psNomeFiltro, const std::string& psValore);
  // True when a criterion does not read (coloured with the error colour).
  bool VerifFiltri(const vb::Variant& = {});
  bool VerifFiltri(const vb::Variant& pv, bool& pbErrore) {
    pbErrore = VerifFiltri(pv);
    return pbErrore;
  }
  void ColoreErrore(long plColore) { coloreErrore_ = plColore; }
  void ColoreSfondo(long plColore) { coloreSfondo_ = plColore; }
  void ImpImmagini(const std::string& psTipo, ui::Controllo* pimgPiccole = nullptr, ui::Controllo* pimgGrandi = nullptr);
  void Prepara();
  // The top of the area left to the grid (below the criteria), in twips.
  long AreaUtile() const;

  // ---- the record bar served
  void BarraBase(barre::BarraNavigazione* pBarra) { barraBase_ = pBarra; }
  barre::BarraNavigazione* BarraOrigine() const { return barraBase_; }
  // "Lista" of the record bar: the list window is shown.
  void TastoLista();
  // The next or the previous row of the list becomes the bar's record.
  bool Avanti();
  bool Indietro();

  // ---- commands: "Ricerca", "AzzSel", "Seleziona", "Torna"; "" when done
  // or not ours, else why not.
  std::string EseguiTasto(const std::string& psKey);

  const std::vector<std::unique_ptr<CampoLista>>& Filtri() const { return filtri_; }
  CampoLista* Filtro(const std::string& psNomeFiltro) const;
  // The WHERE of the criteria as "Ricerca" builds it (raises 13 on a value
  // that does not read).
  std::string CostruisciWhere();

 private:
  std::string Ricerca();
  std::string Seleziona();
  ProtFormLisPag* Prot() const;

  ui::Form* form_ = nullptr;
  ui::Controllo* barra_ = nullptr;
  rowlib::ComandiLista* comlin_ = nullptr;
  barre::BarraNavigazione* barraBase_ = nullptr;
  OggettoStampaLista stampa_;
  std::vector<std::unique_ptr<CampoLista>> filtri_;
  long coloreErrore_ = 0x0000FF;
  long coloreSfondo_ = static_cast<long>(0x80000005);
  bool preparata_ = false;
  std::vector<std::pair<std::string, vb::Variant>> variabili_;
};

// A list window serving a record bar: what the bar asks of the window it
// is bound to (`Collega`) goes to the window's list page, so that "Lista",
// "Seleziona" and the bar's "ListaAvanti" and "ListaInd" work together. The
// window derives from it and names its page.
class ListaConPagina : public barre::ListaCollegata {
 public:
  void impOggBase(barre::BarraNavigazione* barra) override { PaginaCollegata().BarraBase(barra); }
  void ListaAvanti() override { PaginaCollegata().Avanti(); }
  void ListaIndietro() override { PaginaCollegata().Indietro(); }

 protected:
  virtual PaginaLista& PaginaCollegata() = 0;
};

}  // namespace navlib
}  // namespace barre
