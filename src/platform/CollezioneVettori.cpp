#include "platform/CollezioneVettori.h"

#include "platform/Testo.h"

namespace vb {

bool CollezioneVettori::LeggiVoce(std::string_view psChiave, bool& pbTrovata) const {
  pbTrovata = indice_.count(Piega(psChiave)) > 0;
  return pbTrovata;
}

bool CollezioneVettori::LeggiVoce(std::string_view psChiave) const {
  bool trovata = false;
  return LeggiVoce(psChiave, trovata);
}

Variant CollezioneVettori::AggiungiVoceSpesa(std::string_view psChiave, bool, Variant& pvValore) const {
  auto it = indice_.find(Piega(psChiave));
  pvValore = it == indice_.end() ? Variant() : voci_[it->second].second;
  return pvValore;
}

void CollezioneVettori::AggiungiVoce(std::string_view psChiave, bool, const Variant& pvValore) {
  std::string k = Piega(psChiave);
  auto it = indice_.find(k);
  if (it != indice_.end()) {
    voci_[it->second].second = pvValore;
    return;
  }
  indice_.emplace(std::move(k), voci_.size());
  voci_.emplace_back(std::string(psChiave), pvValore);
}

void CollezioneVettori::Azzera() {
  voci_.clear();
  indice_.clear();
}

}  // namespace vb
