#include "platform/Testo.h"
#include "platform/dati/Motore.h"

namespace dati {

int TabellaCat::Colonna(std::string_view n) const {
  for (size_t i = 0; i < colonne.size(); ++i)
    if (vb::UgualeTesto(colonne[i].nome, n)) return static_cast<int>(i);
  return -1;
}

void Catalogo::Aggiungi(TabellaCat t) {
  std::string k = vb::Piega(t.nome);
  tabelle_[k] = std::move(t);
}

const TabellaCat* Catalogo::Tabella(std::string_view nome) const {
  auto it = tabelle_.find(vb::Piega(nome));
  return it == tabelle_.end() ? nullptr : &it->second;
}

std::vector<std::string> Catalogo::NomiTabelle() const {
  std::vector<std::string> n;
  n.reserve(tabelle_.size());
  for (const auto& [k, t] : tabelle_) n.push_back(t.nome);
  return n;
}

}  // namespace dati
