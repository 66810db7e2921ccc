#pragma once
// The in-house collection library: values kept under text keys (letter case
// ignored), in the order the keys first came. Only what the document footer
// asks of it: whether a key exists, the value under a key, storing a value
// (creating or replacing it), emptying, and walking the entries.
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/Variant.h"

namespace vb {

class CollezioneVettori {
 public:
  // pbTrovata: the key has an element. Also the result.
  bool LeggiVoce(std::string_view psChiave, bool& pbTrovata) const;
  bool LeggiVoce(std::string_view psChiave) const;
  // pvValore: the value held under the key (Empty when there is none).
  // The flag of the legacy signature (create the vector) changes nothing.
  Variant AggiungiVoceSpesa(std::string_view psChiave, bool pbCrea, Variant& pvValore) const;
  // Stores the value under the key, creating the element when needed.
  void AggiungiVoce(std::string_view psChiave, bool pbCrea, const Variant& pvValore);
  void Azzera();

  long Numero() const { return static_cast<long>(voci_.size()); }
  // Entries in the order their keys were first stored: (key as written, value).
  const std::vector<std::pair<std::string, Variant>>& Voci() const { return voci_; }

 private:
  std::vector<std::pair<std::string, Variant>> voci_;
  std::unordered_map<std::string, size_t> indice_;  // folded key -> position
};

}  // namespace vb
