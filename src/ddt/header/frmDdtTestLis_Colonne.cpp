// The columns of the list: the personal additional and hidden columns and
// the personal sort order, the layout of the grid, and what the list
// commands ask of a column.
#include <algorithm>
#include <array>
#include <cctype>

#include "common/Globali.h"
#include "ddt/header/frmDdtTestLis.h"
#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/FunzioniComuniUi.h"
#include "platform/Testo.h"
#include "platform/dati/GestDatabase.h"
#include "platform/dati/Recordset.h"
#include "platform/dati/Schema.h"
#include "platform/ui/Backend.h"
#include "platform/ui/Griglia.h"

namespace {

constexpr int kColonneBase = 12;

struct ColonnaBase {
  const char* titolo;
  long larghezza;     // twips; 0 = hidden
  const char* campione;  // the widest value the column shows ("" free text)
};

// The base columns in query order (position 1 to 12). The widths were
// drawn for an 8-point font; `LarghezzaMinima` widens them to what the
// screen's font needs.
const std::array<ColonnaBase, kColonneBase + 1> kBase = {{
    {"", 0, ""},
    {"Anno", 0, ""},
    {"Numero", 800, "999999"},
    {"Data_Ins.", 950, "00/00/0000"},
    {"Tipo_Doc.", 300, ""},
    {"Documento", 1000, ""},
    {"DataDocumento", 1300, "00/00/0000"},
    {"Cliente", 1200, "00-00-0000"},
    {"Descrizione", 3500, ""},
    {"Stato", 800, "Stampato"},
    {"Rif.Cliente", 1500, ""},
    {"Note", 5000, ""},
    {"StatoSel", 0, ""},
}};

// Room a cell and a heading take besides their text (margins, the sort
// arrow), in twips.
constexpr long kMargineColonna = 300;

// The width a base column needs to show its heading and its widest value
// whole in the grid's fonts, never less than its designed width.
long LarghezzaMinima(const ui::Griglia& g, const ColonnaBase& c) {
  long w = c.larghezza;
  ui::Backend& b = ui::BackendAttivo();
  w = std::max(w, b.MisuraTesto(g.HeadFont(), c.titolo, 0).larghezza + kMargineColonna);
  if (*c.campione) w = std::max(w, b.MisuraTesto(g.Font(), c.campione, 0).larghezza + kMargineColonna);
  return w;
}

bool Identificatore(const std::string& s) {
  if (s.empty()) return false;
  for (char c : s)
    if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '_')) return false;
  return !std::isdigit(static_cast<unsigned char>(s[0]));
}

// A table of the list as the company database holds it (the schema of the
// program when no database is open).
const dati::TabellaCat* TabellaLista(const std::string& nome) {
  const Globali& g = G();
  if (g.goDbAzienda && !g.gsConnAzienda.empty()) {
    try {
      return g.goDbAzienda->Motore(g.gsConnAzienda).LeggiCatalogo().Tabella(nome);
    } catch (const vb::Errore&) {
    }
  }
  for (const auto& t : dati::SchemaDitta())
    if (vb::UgualeTesto(t.nome, nome)) return &t;
  return nullptr;
}

int16_t Intero(const std::string& s) {
  try {
    return vb::FunzioniComuni::Istanza().ValInt(s);
  } catch (const vb::Errore&) {
    return 0;
  }
}

}  // namespace

// ---------------------------------------------------------------- settings

bool frmDdtTestLis::ColonnaNota(const std::string& psRif, std::string& psPerche) const {
  const std::string rif = vb::Trim(psRif);
  const std::vector<std::string> parti = vb::Split(rif, ".");
  if (rif.empty()) {
    psPerche = "manca la colonna";
    return false;
  }
  if (parti.size() > 2 || !Identificatore(vb::Trim(parti.back())) ||
      (parti.size() == 2 && !Identificatore(vb::Trim(parti[0])))) {
    psPerche = "non è il nome di una colonna";
    return false;
  }
  const std::string tabTest = G().gsTabTest;
  const dati::TabellaCat* test = TabellaLista(tabTest);
  const dati::TabellaCat* conti = TabellaLista("Pianoconti");
  const std::string colonna = vb::Trim(parti.back());
  if (parti.size() == 2) {
    const std::string tabella = vb::Trim(parti[0]);
    const dati::TabellaCat* t = vb::UgualeTesto(tabella, tabTest)       ? test
                                : vb::UgualeTesto(tabella, "Pianoconti") ? conti
                                                                         : nullptr;
    if (!t) {
      psPerche = "la tabella " + tabella + " non è nella lista (solo " + tabTest + " e Pianoconti)";
      return false;
    }
    if (t->Colonna(colonna) < 0) {
      psPerche = "la colonna " + colonna + " non esiste in " + tabella;
      return false;
    }
    return true;
  }
  const bool inTest = test && test->Colonna(colonna) >= 0;
  const bool inConti = conti && conti->Colonna(colonna) >= 0;
  if (inTest && inConti) {
    psPerche = "la colonna " + colonna + " è sia in " + tabTest + " sia in Pianoconti: indicare la tabella";
    return false;
  }
  if (!inTest && !inConti) {
    psPerche = "la colonna " + colonna + " non esiste";
    return false;
  }
  return true;
}

void frmDdtTestLis::LeggiColonneAgg(const std::string& psListaAggEle) {
  msCampoAgg.clear();
  miPosAgg.clear();
  miLargAgg.clear();
  msTitoloAgg.clear();
  const auto& fc = vb::FunzioniComuni::Istanza();
  if (fc.Vuoto(psListaAggEle)) return;
  std::vector<std::string> voci;
  const long n = fc.Dividi(psListaAggEle, "§", voci);
  std::vector<std::string> scartate;
  for (long i = 1; i <= n; ++i) {
    std::vector<std::string> parti;
    const long m = fc.Dividi(voci[static_cast<size_t>(i)], ",", parti);
    const std::string espr = m >= 1 ? vb::Trim(parti[1]) : std::string();
    const int16_t pos = m >= 2 ? Intero(parti[2]) : int16_t{0};
    const int16_t larg = m >= 3 ? Intero(parti[3]) : int16_t{0};
    const std::string titolo = m >= 4 ? parti[4] : std::string();
    std::string perche;
    if (!ColonnaNota(espr, perche)) {
      scartate.push_back("\"" + voci[static_cast<size_t>(i)] + "\": " + perche);
      continue;
    }
    // One column a place: a second entry for the same place is left out.
    bool occupata = false;
    for (int16_t p : miPosAgg) occupata = occupata || (pos >= 1 && p == pos);
    if (occupata) {
      scartate.push_back("\"" + voci[static_cast<size_t>(i)] + "\": la posizione " + std::to_string(pos) +
                         " è già di un'altra colonna");
      continue;
    }
    msCampoAgg.push_back(espr);
    miPosAgg.push_back(pos);
    miLargAgg.push_back(larg);
    msTitoloAgg.push_back(titolo);
  }
  if (!scartate.empty())
    Avviso("Impostazione personale \"ListaAggEle\" della lista dei DDT: queste colonne aggiunte non sono "
           "mostrate:\n" +
           vb::Join(scartate, "\n"));
}

void frmDdtTestLis::LeggiColonneNascoste(const std::string& psListaHideCol) {
  miColNascoste.clear();
  const auto& fc = vb::FunzioniComuni::Istanza();
  if (fc.Vuoto(psListaHideCol)) return;
  std::vector<std::string> parti;
  const long n = fc.Dividi(psListaHideCol, ",", parti);
  for (long i = 1; i <= n; ++i) miColNascoste.push_back(Intero(parti[static_cast<size_t>(i)]));
}

std::string frmDdtTestLis::OrdineVerificato() {
  if (ordineVerificato_ && ordineLetto_ == osListaOrdin) return ordineTenuto_;
  ordineLetto_ = osListaOrdin;
  ordineVerificato_ = true;
  ordineTenuto_.clear();
  if (vb::FunzioniComuni::Istanza().Vuoto(osListaOrdin)) return ordineTenuto_;
  std::vector<std::string> scartate;
  for (const std::string& voce : vb::Split(osListaOrdin, ",")) {
    std::vector<std::string> parole;
    for (const std::string& p : vb::Split(vb::Trim(voce), " "))
      if (!p.empty()) parole.push_back(p);
    std::string perche;
    bool buona = !parole.empty() && parole.size() <= 2;
    if (!buona) perche = "non è una colonna seguita, se serve, da Asc o Desc";
    if (buona && parole.size() == 2 && !vb::UgualeTesto(parole[1], "Asc") && !vb::UgualeTesto(parole[1], "Desc")) {
      buona = false;
      perche = "dopo la colonna è ammesso solo Asc o Desc";
    }
    if (buona) buona = ColonnaNota(parole[0], perche);
    if (!buona) {
      scartate.push_back("\"" + vb::Trim(voce) + "\": " + perche);
      continue;
    }
    if (!ordineTenuto_.empty()) ordineTenuto_ += ", ";
    ordineTenuto_ += parole[0] + (parole.size() == 2 ? " " + parole[1] : "");
  }
  if (!scartate.empty())
    Avviso("Impostazione personale \"ListaOrdin\" della lista dei DDT: " +
           std::string(ordineTenuto_.empty() ? "la lista è ordinata per data e numero di riferimento" :
                                               "la lista è ordinata per " + ordineTenuto_) +
           "; non usati:\n" + vb::Join(scartate, "\n"));
  return ordineTenuto_;
}

// ---------------------------------------------------------------- places

namespace {

// Place (1-based) of each base column once the additional columns are in:
// an additional column takes the place of its position, the base columns
// fill the others in their order.
std::array<int, kColonneBase + 1> PostiBase(const std::vector<int16_t>& posAgg) {
  std::array<int, kColonneBase + 1> posto{};
  const int totale = static_cast<int>(posAgg.size()) + kColonneBase;
  int k = 0;
  for (int p = 1; p <= totale; ++p) {
    int qui = 0;
    for (int16_t x : posAgg) qui += x == p ? 1 : 0;
    if (qui > 0) k += qui;
    else if (p - k <= kColonneBase) posto[static_cast<size_t>(p - k)] = p;
  }
  return posto;
}

}  // namespace

int frmDdtTestLis::ColonnaChiave(int piBase) const {
  if (piBase < 1 || piBase > kColonneBase) return -1;
  return PostiBase(miPosAgg)[static_cast<size_t>(piBase)] - 1;
}

std::string frmDdtTestLis::ListaSelect() const {
  const std::string T = G().gsTabTest;
  const std::array<std::string, kColonneBase + 1> base = {
      "",
      T + ".Anno",
      T + ".NumRif",
      T + ".DataRif",
      T + ".FattDocumento",
      T + ".PreDoc & '/' & " + T + ".NumDoc as Documento",
      T + ".DataDoc",
      T + ".GruppoCli & '-' & MastroCli & '-' & ContoCli as Cliente",
      "PianoConti.Descrizione",
      "iif(" + T + ".Stato = 'S','Stampato', iif(" + T + ".Stato = 'E','Evaso',' '))",
      T + ".RifCli",
      T + ".Nota",
      T + ".Stato as StatoSel",
  };
  std::string l;
  const int totale = static_cast<int>(msCampoAgg.size()) + kColonneBase;
  int k = 0;
  for (int p = 1; p <= totale; ++p) {
    bool agg = false;
    for (size_t i = 0; i < msCampoAgg.size(); ++i) {
      if (miPosAgg[i] != p) continue;
      l += ", " + msCampoAgg[i];
      if (msCampoAgg[i].find('.') == std::string::npos) l += " as _" + msCampoAgg[i];
      ++k;
      agg = true;
    }
    if (!agg && p - k <= kColonneBase) l += ", " + base[static_cast<size_t>(p - k)];
  }
  return l;
}

void frmDdtTestLis::PersColonne() {
  if (!comlin_) return;
  barre::rowlib::ComandiLista& cl = *comlin_;
  const int totale = static_cast<int>(msCampoAgg.size()) + kColonneBase;
  const auto posto = PostiBase(miPosAgg);
  // 1. Headings.
  int k = 0;
  for (int p = 1; p <= totale; ++p) {
    bool agg = false;
    for (size_t i = 0; i < msCampoAgg.size(); ++i) {
      if (miPosAgg[i] != p) continue;
      if (!msTitoloAgg[i].empty()) cl.TitoloColonna(p - 1, msTitoloAgg[i]);
      ++k;
      agg = true;
    }
    if (!agg && p - k <= kColonneBase) cl.TitoloColonna(p - 1, kBase[static_cast<size_t>(p - k)].titolo);
  }
  // 2. Widths of the base columns, each in its place (by place rather than
  // heading: an additional column may carry a heading of the base ones).
  for (int j = 1; j <= kColonneBase; ++j)
    if (kBase[static_cast<size_t>(j)].larghezza > 0 && posto[static_cast<size_t>(j)] > 0)
      cl.LargColonna(posto[static_cast<size_t>(j)] - 1, LarghezzaMinima(dbgRiga(), kBase[static_cast<size_t>(j)]));
  // 3. Widths of the additional columns.
  for (int p = 1; p <= totale; ++p) {
    int d = 0;
    for (size_t i = 0; i < msCampoAgg.size(); ++i) {
      if (miPosAgg[i] != p) continue;
      if (miLargAgg[i] > 0) cl.LargColonna(p - 1 + d, miLargAgg[i]);
      ++d;
    }
  }
  // 4. The columns the user hides.
  for (int p = 1; p <= totale; ++p)
    for (int16_t h : miColNascoste)
      if (h == p) cl.ColonnaNascosta(p - 1, 0, 0);
  // 5. Anno and StatoSel are never shown.
  for (int j : {1, kColonneBase})
    if (posto[static_cast<size_t>(j)] > 0) cl.ColonnaNascosta(posto[static_cast<size_t>(j)] - 1, 0, 0);
}

// ---------------------------------------------------------------- column questions

namespace {

}  // namespace

vb::Variant frmDdtTestLis::ovField(int piColIndex, const std::string& psProprieta) {
  const std::string prop = vb::LCase(vb::Trim(psProprieta));
  dati::Recordset* rs = comlin_ ? comlin_->Recordset() : nullptr;
  std::string campoDati;
  const dati::ColonnaUscita* campo = nullptr;
  try {
    ui::Griglia& g = dbgRiga();
    if (piColIndex >= 0 && piColIndex < g.NumColonne()) {
      campoDati = g.Colonna(piColIndex).DataField;
      if (rs) {
        const int i = rs->Indice(campoDati);
        if (i >= 0) campo = &rs->Campo(i);
      }
    }
  } catch (const vb::Errore&) {
    campo = nullptr;
  }
  if (prop == "type") return static_cast<int16_t>(campo ? dati::CodiceTipo(campo->tipo) : 10);
  if (prop == "name") return campo ? campo->nome : std::string();
  if (prop == "sourcefield") return campo ? campo->colonnaBase : std::string();
  if (prop == "sourcetable") return campo ? campo->tabellaBase : std::string();
  // The list is a read-only snapshot.
  if (prop == "dataupdatable") return campo && rs && rs->Aggiornabile() && !campo->colonnaBase.empty();
  if (prop == "size") {
    if (!campo) return int32_t{0};
    switch (campo->tipo) {
      case dati::TipoCampo::SiNo:
      case dati::TipoCampo::Byte: return int32_t{1};
      case dati::TipoCampo::Intero: return int32_t{2};
      case dati::TipoCampo::Lungo: return int32_t{4};
      case dati::TipoCampo::Importo:
      case dati::TipoCampo::Doppio:
      case dati::TipoCampo::Data: return int32_t{8};
      case dati::TipoCampo::Memo:
      case dati::TipoCampo::Ignoto: return int32_t{0};
      case dati::TipoCampo::Testo: break;
    }
    if (campo->tabellaBase.empty()) return int32_t{0};
    const dati::TabellaCat* t = TabellaLista(campo->tabellaBase);
    const int c = t ? t->Colonna(campo->colonnaBase) : -1;
    return int32_t{c >= 0 ? t->colonne[static_cast<size_t>(c)].lunghezza : 0};
  }
  if (prop == "fieldsize") {
    if (!rs || campoDati.empty()) return int32_t{0};
    try {
      return vb::FunzioniComuniUi::ValCampo(*rs, campoDati);
    } catch (const vb::Errore&) {
      return int32_t{0};
    }
  }
  return {};
}

std::string frmDdtTestLis::ColToSourceField(int piColIndex) {
  const std::string T = G().gsTabTest;
  const std::string nome = ovField(piColIndex, "Name").ToString();
  if (vb::UgualeTesto(nome, "Cliente")) return T + ".GruppoCli & '-' & MastroCli & '-' & ContoCli";
  if (vb::UgualeTesto(nome, "Documento")) return T + ".PreDoc , " + T + ".NumDoc";
  // An additional column sorts by its own column, not by the name the
  // query gave it.
  for (size_t i = 0; i < msCampoAgg.size(); ++i)
    if (miPosAgg[i] == piColIndex + 1) return msCampoAgg[i];
  ui::Griglia& g = dbgRiga();
  if (piColIndex < 0 || piColIndex >= g.NumColonne()) return {};
  return g.Colonna(piColIndex).DataField;
}
