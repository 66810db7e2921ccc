// The grid's columns and the terminal's personal column list.
//
// The list ("DettOrdCol" of the user's settings) is one text of entries
// separated by commas, each a column, optionally "§" and a width in twips,
// optionally "^" and a name to show it under. It is read once, when the
// window loads; the grid's statement puts its entries first, in its order,
// and the layout gives each its width by position after every re-read.
//
// The list is the user's text and goes into a statement: an entry reaches
// it only when it names a column the statement can read (of the working
// lines, of the article master, of the header, or one of the computed
// columns) under a plain name. Anything else (a blank entry, a typing
// error, punctuation) is left out, and the rest of the list still counts.
#include <cctype>
#include <string>
#include <vector>

#include "common/AziendaUtil.h"
#include "common/Globali.h"
#include "ddt/lines/frmDDTDett.h"
#include "platform/Errore.h"
#include "platform/FunzioniComuni.h"
#include "platform/Testo.h"

namespace {

const vb::FunzioniComuni& FC() { return vb::FunzioniComuni::Istanza(); }

const char* const kCalcolate[] = {"_Descrizione", "ContoRicavo", "Val_Mon_Corr"};

bool Calcolata(const std::string& n) {
  for (const char* c : kCalcolate)
    if (vb::UgualeTesto(n, c)) return true;
  return false;
}

// Words of the statement's language that cannot stand as a name.
bool Riservata(const std::string& n) {
  static const char* const parole[] = {
      "all",  "and",    "as",      "asc",  "between", "by",    "case",  "desc",   "distinct", "else",  "end",
      "eqv",  "false",  "from",    "full", "group",   "having", "imp",  "in",     "inner",    "into",  "is",
      "join", "left",   "like",    "mod",  "not",     "null",  "on",    "or",     "order",    "outer", "percent",
      "right", "select", "set",    "then", "top",     "true",  "union", "values", "when",     "where", "xor"};
  for (const char* p : parole)
    if (vb::UgualeTesto(n, p)) return true;
  return false;
}

// A plain name: letters (those beyond ASCII too, as in "Quantità"), digits
// and "_", not beginning with a digit, and no word of the language.
bool NomeSemplice(const std::string& n) {
  if (n.empty() || std::isdigit(static_cast<unsigned char>(n[0]))) return false;
  for (unsigned char c : n)
    if (c < 0x80 && !std::isalnum(c) && c != '_') return false;
  return !Riservata(n);
}

// The name a column is read by in the statement's result.
std::string NomeUscita(const std::string& colonna) {
  const size_t p = colonna.rfind('.');
  return p == std::string::npos ? colonna : colonna.substr(p + 1);
}

// Is `nome` (qualified by its table, or computed) a column the grid's
// statement can read?
bool ColonnaNota(const std::string& nome) {
  if (Calcolata(nome)) return true;
  const size_t p = nome.find('.');
  if (p == std::string::npos || nome.find('.', p + 1) != std::string::npos) return false;
  const std::string tabella = nome.substr(0, p), colonna = nome.substr(p + 1);
  const Globali& g = G();
  if (!vb::UgualeTesto(tabella, g.gsTabDettApp) && !vb::UgualeTesto(tabella, "Articoli") &&
      !vb::UgualeTesto(tabella, g.gsTabTest))
    return false;
  return NomeSemplice(colonna) && AziendaUtil::EsisteCampo(vb::Variant(tabella), vb::Variant(colonna));
}

// The names of the standard columns of the grid (those a personal alias
// must not take, lest the grid show two columns under one name).
bool NomeStandard(const std::string& n) {
  static const char* const nomi[] = {
      "Anno",       "NumRif",         "RigDet",        "RigLiv",        "TipoRiga",         "Articolo",
      "Comando",    "Descrizione",    "UM",            "Qta",           "ValUnitario",      "ValTotale",
      "BeneUsato",  "ScontoTot",      "Iva",           "GruppoVen",     "MastroVen",        "ContoVen",
      "CentroDiCosto", "ScontoCli",   "ScontoArt",     "ScontoTab",     "ScontoQuant",      "FlScontoPag",
      "Promozione", "FatCon",         "Colli",         "Omaggio",       "PercProvv1",       "PercProvv2",
      "DoveStampoDesLung", "NotaSopraStamp", "NotaSopra", "NotaSottoStamp", "NotaSotto", "FattDocumentoProv",
      "AnnoRifProv", "NumRifProv",    "RigaRifProv",   "QtaProv",       "Lunghezza",        "Larghezza",
      "Altezza",    "ValLire",        "ValEuro",       "DescPers1",     "DescPers2",        "DescPers3",
      "DescPers4",  "CopiaTaglia",    "TipoProv",      "CompGiornMens", "DataCompDa",       "DataCompA",
      "SoggRitAcc", "RigLivRAEE",     "Contratto"};
  for (const char* s : nomi)
    if (vb::UgualeTesto(n, s)) return true;
  return Calcolata(n);
}

// Runs one step of the layout: a column the grid lacks only skips it.
template <class F>
void Passo(F&& f) {
  try {
    f();
  } catch (...) {
  }
}

}  // namespace

void frmDDTDett::DettOrdCol() {
  const Globali& g = G();
  masColPers.clear();
  masAliasColPers.clear();
  maiLargColPers.clear();
  mbColPers = true;
  const std::string testo = FC().Sostituisci(osDettOrdCol, g.gsTabDett + ".", g.gsTabDettApp + ".");
  std::vector<std::string> voci;
  const long n = FC().Dividi(testo, ",", voci);
  std::vector<std::string> usciti;  // the names the kept entries are read by
  for (long i = 1; i <= n && i < static_cast<long>(voci.size()); ++i) {
    std::string voce = voci[static_cast<size_t>(i)];
    std::string alias;
    if (const size_t p = voce.find('^'); p != std::string::npos) {
      alias = vb::Trim(voce.substr(p + 1));
      voce = vb::Trim(voce.substr(0, p));
    }
    std::string nome;
    int16_t larghezza = 0;
    if (const size_t p = voce.find("§"); p != std::string::npos) {
      nome = vb::Trim(voce.substr(0, p));
      try {
        larghezza = FC().ValInt(vb::Variant(voce.substr(p + std::string("§").size())), true, true);
      } catch (const vb::Errore&) {
        larghezza = 0;  // beyond an Integer: no width of its own
      }
    } else {
      nome = vb::Trim(voce);
    }
    if (nome.empty()) continue;
    if (!Calcolata(nome) && nome.find('.') == std::string::npos) nome = g.gsTabDettApp + "." + nome;
    if (!ColonnaNota(nome)) continue;
    // A computed column keeps its own name whatever the entry calls it.
    if (Calcolata(nome)) alias.clear();
    if (!alias.empty() && !NomeSemplice(alias)) continue;
    const std::string uscita = alias.empty() ? NomeUscita(nome) : alias;
    if (!alias.empty() && NomeStandard(alias) && !vb::UgualeTesto(alias, NomeUscita(nome))) continue;
    bool doppia = false;
    for (size_t k = 0; k < masColPers.size(); ++k)
      if (vb::UgualeTesto(masColPers[k], nome) || (!alias.empty() && vb::UgualeTesto(usciti[k], uscita)))
        doppia = true;
    if (doppia) continue;
    masColPers.push_back(nome);
    masAliasColPers.push_back(alias.empty() ? std::string() : " as " + alias);
    maiLargColPers.push_back(larghezza);
    usciti.push_back(uscita);
  }
  if (masColPers.empty()) mbColPers = false;
}

void frmDDTDett::PersColonne() {
  const Globali& g = G();
  auto& p = ogLinPag();
  const struct {
    int campo;  // field number, 0 for a computed column
    const char* calcolata;
    long larghezza;
  } larghezze[] = {{20, "", 1700},  {0, "_Descrizione", 3700}, {140, "", 350},  {30, "", 800},
                   {60, "", 1000},  {70, "", 1000},            {80, "", 800},   {165, "", 1300},
                   {0, "ContoRicavo", 1000}, {150, "", 800},   {830, "", 800}};
  for (const auto& l : larghezze) {
    const std::string nome = l.campo ? NomeCampo(l.campo) : std::string(l.calcolata);
    if (nome.empty()) continue;
    Passo([&] { p.LargColonna(vb::Variant(nome), l.larghezza); });
  }
  if (mbColPers)
    for (size_t i = 0; i < maiLargColPers.size(); ++i)
      if (maiLargColPers[i] > 0)
        Passo([&] { p.LargColonna(vb::Variant(static_cast<int16_t>(i)), maiLargColPers[i]); });

  const std::pair<const char*, const std::string*> dimensioni[] = {
      {"Lunghezza", &msLabLung}, {"Larghezza", &msLabLarg}, {"Altezza", &msLabAlt}};
  for (const auto& [col, titolo] : dimensioni)
    if (!FC().Vuoto(vb::Variant(*titolo), vb::vbString, 1, false))
      Passo([&] { p.TitoloColonna(vb::Variant(std::string(col)), *titolo); });

  const std::pair<const char*, const std::string*> libere[] = {{"DescPers1", &g.gsDescPersDet1},
                                                              {"DescPers2", &g.gsDescPersDet2},
                                                              {"DescPers3", &g.gsDescPersDet3},
                                                              {"DescPers4", &g.gsDescPersDet4}};
  for (const auto& [col, titolo] : libere) {
    if (!FC().Vuoto(vb::Variant(*titolo), vb::vbString, 1, false))
      Passo([&] { p.TitoloColonna(vb::Variant(std::string(col)), *titolo); });
    else
      Passo([&] { p.NascondiColonna(vb::Variant(std::string(col))); });
  }

  if (g.gbDisabTermVisPrz) {
    static const char* const prezzi[] = {"ValUnitario", "ValTotale",   "ScontoTot", "ScontoArt",
                                         "ScontoCli",   "ScontoQuant", "ScontoTab", "Val_Mon_Corr"};
    for (const char* col : prezzi) Passo([&] { p.NascondiColonna(vb::Variant(std::string(col))); });
    // A personal entry shows its column under its own name: found by its
    // place, since the name the column is hidden by is not there. The two
    // stored values of the line go with them: the field table hides them
    // by their names only.
    if (mbColPers) {
      for (size_t i = 0; i < masColPers.size(); ++i) {
        bool prezzo = vb::UgualeTesto(masColPers[i], "Val_Mon_Corr");
        for (const char* col : {"ValUnitario", "ValTotale", "ScontoTot", "ScontoArt", "ScontoCli", "ScontoQuant",
                                "ScontoTab", "ValLire", "ValEuro"})
          if (vb::UgualeTesto(masColPers[i], g.gsTabDettApp + "." + col)) prezzo = true;
        if (prezzo) Passo([&] { p.NascondiColonna(vb::Variant(static_cast<int16_t>(i))); });
      }
    }
  }

  if (!NomeCampo(119).empty()) Passo([&] { p.TitoloColonna(vb::Variant(NomeCampo(119)), "TipoCompetenza"); });
  for (const char* col : {"GruppoVen", "MastroVen", "ContoVen", "CopiaTaglia", "TipoProv"})
    Passo([&] { p.NascondiColonna(vb::Variant(std::string(col))); });
}
