#pragma once
// How a level editor and the line it edits meet. The line window opens an
// editor on its current line, hands it the line's inputs and its discount
// memory, disables itself and waits; the editor reads the document and the
// line's article settings through `ProtRigaLivelli` when it needs them and,
// closing, calls the line back: `AggQtaPrzLivelli` with the totals of the
// level rows when rows changed, then `DopoGestLivelli` in every case.
#include <cstdint>
#include <string>

#include "common/DatiTestataForm.h"
#include "platform/Variant.h"

namespace ui {
class Form;
}

// The discount memory of a level editor: the line's discount texts and
// commission reductions, set by the line when the editor opens and read
// back by the line when it closes after changes.
struct ScontiLivelli {
  std::string osDetScontoClie, osDetScontoTab, osDetScontoArt, osDetScontoQta, osDetScontoTot;
  double odPercRidProvv = 0, odPercRidProvvQta = 0;
};

// The line window as a level editor sees it.
class ProtRigaLivelli {
 public:
  virtual ~ProtRigaLivelli() = default;
  // The document's header members and the settings the line prices with
  // (list, currency, decimals and masks, warehouse, addressee), as the
  // line holds them now (`osIva` is the VAT code of the current line).
  virtual const ParDettaglio& ParRiga() const = 0;
  // The article of the current line: level groups, level-price flag
  // ("0", "1", "2"), goods group and subgroup.
  virtual std::string LivGruppo1() const = 0;
  virtual std::string LivGruppo2() const = 0;
  virtual std::string FlagLivLis() const = 0;
  virtual std::string ArtGruppo() const = 0;
  virtual std::string ArtSottoGru() const = 0;
  // The stock warning mode of the line window ("S", "B": warn).
  virtual std::string SegnalGiac() const = 0;
  // 1: the editor was asked to create the missing level rows.
  virtual int16_t LivelliCrea() const = 0;
  // The window a progress display opens on.
  virtual ui::Form& FormRiga() = 0;
  // The level rows' totals (quantity, amount) and the editor's discount
  // memory go into the line, which is saved; the answer of its "Salva".
  virtual vb::Variant AggQtaPrzLivelli(double pdQta, double pdPrezzo, const ScontiLivelli& pfrm) = 0;
  // The editor has closed: the line window takes over again.
  virtual void DopoGestLivelli() = 0;
};
