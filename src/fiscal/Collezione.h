#pragma once
// The keyed collection of the VAT summary: rows kept in the order in which
// they were added, found by a text key without regard to letter case, taken
// by position (1 = first), removed one by one. Rows are shared: whoever got
// a row through the collection changes the same row the collection holds.
// Errors are those of the legacy Collection: 5 for a missing key, 457 for a
// key added twice, 9 for a position outside the rows.
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/Errore.h"
#include "platform/Testo.h"

namespace fiscal {

inline constexpr long ErrChiaveDoppia = 457;

template <class T>
class Collezione {
 public:
  using Ptr = std::shared_ptr<T>;

  long Count() const { return static_cast<long>(righe_.size()); }
  bool Vuota() const { return righe_.empty(); }

  // Never raises: the existence tests of the summary rely on it.
  bool Esiste(std::string_view chiave) const noexcept {
    try {
      return indice_.count(vb::Piega(chiave)) > 0;
    } catch (...) {
      return false;
    }
  }

  T& Item(std::string_view chiave) const { return *righe_[Posizione(chiave)]; }
  Ptr Condiviso(std::string_view chiave) const { return righe_[Posizione(chiave)]; }
  // 1-based, as the legacy Collection.
  T& Item(long posizione) const {
    if (posizione < 1 || posizione > Count()) vb::Solleva(vb::ErrIndice);
    return *righe_[static_cast<size_t>(posizione - 1)];
  }
  T& Ultimo() const { return Item(Count()); }

  void Add(std::string_view chiave, Ptr riga) {
    std::string k = vb::Piega(chiave);
    if (indice_.count(k))
      vb::Solleva(ErrChiaveDoppia, "Questa chiave è già associata ad un elemento dell'insieme");
    indice_.emplace(std::move(k), righe_.size());
    righe_.push_back(std::move(riga));
  }

  void Remove(std::string_view chiave) {
    size_t p = Posizione(chiave);
    righe_.erase(righe_.begin() + static_cast<std::ptrdiff_t>(p));
    std::unordered_map<std::string, size_t> nuovo;
    for (auto& [k, i] : indice_) {
      if (i == p) continue;
      nuovo.emplace(k, i > p ? i - 1 : i);
    }
    indice_ = std::move(nuovo);
  }

  void Clear() {
    righe_.clear();
    indice_.clear();
  }

  auto begin() const { return righe_.begin(); }
  auto end() const { return righe_.end(); }

 private:
  size_t Posizione(std::string_view chiave) const {
    auto it = indice_.find(vb::Piega(chiave));
    if (it == indice_.end()) vb::Solleva(vb::ErrChiamataNonValida);
    return it->second;
  }

  std::vector<Ptr> righe_;
  std::unordered_map<std::string, size_t> indice_;
};

}  // namespace fiscal
