#include <iterator>

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

namespace {

// A whole result read at once, handed out as one block.
class CursoreIntero final : public Cursore {
 public:
  explicit CursoreIntero(Risultato r) : righe_(std::move(r.righe)) { colonne_ = std::move(r.colonne); }
  void Leggi(size_t, std::vector<std::vector<vb::Variant>>& righe) override {
    if (finito_) return;
    if (righe.empty()) righe = std::move(righe_);
    else std::move(righe_.begin(), righe_.end(), std::back_inserter(righe));
    righe_ = {};
    finito_ = true;
  }
  bool Finito() const override { return finito_; }

 private:
  std::vector<std::vector<vb::Variant>> righe_;
  bool finito_ = false;
};

}  // namespace

std::unique_ptr<Cursore> Connessione::ApriCursore(const std::string& sql, const std::vector<TipoCampo>* tipi) {
  return std::make_unique<CursoreIntero>(Interroga(sql, {}, tipi));
}

std::unique_ptr<Cursore> CursoreDa(Risultato r) { return std::make_unique<CursoreIntero>(std::move(r)); }

}  // namespace dati
