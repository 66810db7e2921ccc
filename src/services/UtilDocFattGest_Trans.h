#pragma once
// The transaction the document-row routines run their work in.
#include "common/utilprg.h"

namespace UtilDocFattGest {

// One transaction of the data-access engine, rolled back unless confirmed.
// Inside a caller's transaction it is a level of its own: rolling it back
// leaves the caller's work alone.
class TransDocumento {
 public:
  TransDocumento() {
    utilprg::TransInizio(0, -1, nullptr, -1, "");
    aperta_ = true;
  }
  ~TransDocumento() {
    if (!aperta_) return;
    try {
      utilprg::TransAnnulla(0, -1, nullptr, -1, "");
    } catch (...) {
    }
  }
  TransDocumento(const TransDocumento&) = delete;
  TransDocumento& operator=(const TransDocumento&) = delete;
  // A commit that fails has already ended this level: it is not rolled
  // back again (that would undo the caller's level).
  void Conferma() {
    aperta_ = false;
    utilprg::TransConferma(0, -1, nullptr, -1, "");
  }

 private:
  bool aperta_ = false;
};

}  // namespace UtilDocFattGest
