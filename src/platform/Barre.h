#pragma once
// The command components a working form carries as public objects: the
// record-navigation bar (`ogComPag`), the line page (`ogLinPag`), the list
// commands (`ogComlin`) and the list page (`ogLisPag`). Each is its own
// in-house library; what is here is only what the form framework asks of
// them (read-only state, named values, the Alt accelerators of their
// toolbars, the record bar's operation and pending changes, the line page's
// row position). The components derive from these and add the rest.
#include <string>
#include <utility>
#include <vector>

#include "platform/Variant.h"
#include "platform/ui/Form.h"

namespace barre {

// What every component shares: named values kept by the component
// (`ovLeggiPar`, written by the load steps with "RisVid" and "RisVidFatta").
class Componente : public ui::Oggetto {
 public:
  virtual vb::Variant ovLeggiPar(const std::string& psNome) const = 0;
  virtual void SetovLeggiPar(const std::string& psNome, const vb::Variant& pvValore) = 0;
};

// Read-only state: 1 = the form may change data, 0 = read-only.
class ConStato {
 public:
  virtual ~ConStato() = default;
  virtual int oiAbilRW() const = 0;
  virtual void SetoiAbilRW(int piValore) = 0;
};

// The key of the toolbar button bound to an Alt accelerator of key code
// `piKeyCode`; "" when none.
class ConAcceleratori {
 public:
  virtual ~ConAcceleratori() = default;
  virtual std::string TastoPremuto(int piKeyCode) = 0;
};

class BarraNavigazione : public Componente, public ConStato, public ConAcceleratori {
 public:
  // Current operation: 0 idle, 1 and 2 in progress, 2 = inserting.
  virtual int oiFlagOpe() const = 0;
  // Asked with -1: the pending changes, "" when there are none.
  virtual vb::Variant VarDati(int piIndice) = 0;
  // The list window bound to the bar hands over the key columns of the row
  // chosen (column, value): the bar shows that record and its window comes
  // forward. False when it did not (changes pending, no such record).
  virtual bool MostraDaLista(const std::vector<std::pair<std::string, vb::Variant>>& pvChiave) {
    (void)pvChiave;
    return false;
  }
  // The list window bound to the bar closed.
  virtual void ChiudiLista(int piModo) { (void)piModo; }
};

// The list window a record bar is bound to (`Collega`): it takes the bar as
// the base object its page hands the chosen rows to, and walks its rows for
// the bar's "ListaAvanti" and "ListaInd".
class ListaCollegata {
 public:
  virtual ~ListaCollegata() = default;
  virtual void impOggBase(BarraNavigazione* barra) = 0;
  virtual void ListaAvanti() {}
  virtual void ListaIndietro() {}
};

class PaginaRighe : public Componente, public ConStato, public ConAcceleratori {
 public:
  // The current record and the record count, as texts.
  virtual void RecCorrSuTot(std::string& psCorr, std::string& psTot) = 0;
};

class PaginaLista : public Componente, public ConAcceleratori {};

class ComandiLista : public Componente {};

}  // namespace barre
