#pragma once
// The print of a list: a table of texts (headings, widths, alignment), laid
// out on pages (headings again at the top of each page, the page number at
// the foot), or written to a file where the options say: separated text
// (format 0 and 1), a spreadsheet (format 2) or fixed-length lines.
#include <string>
#include <vector>

#include "platform/stampa/OggettoStampa.h"

namespace stampa {

struct ColonnaStampa {
  std::string titolo;
  long larghezza = 1000;  // twips, as the grid shows it
  int allinea = 0;        // 0 left, 1 right, 2 centre
};

struct TabellaStampa {
  std::string titolo;  // printed above the first page's headings when given
  std::vector<ColonnaStampa> colonne;
  std::vector<std::vector<std::string>> righe;
};

struct ImpLista {
  FontStampa font;
  int orientamento = 1;  // 1 portrait, 2 landscape, -1 the printer's
};

// Lays the table out into `doc` (replacing its pages). ForzaVert of `o`
// keeps the page portrait.
void ImpaginaLista(const TabellaStampa& t, const ImpLista& imp, const OpzioniStampa& o, Documento& doc);

// A cell written to a file: a number typed as the grid shows it
// ("1.234,50", "-3") counts as a number.
bool TestoNumerico(const std::string& s);
// The number without its thousands separators ("1234,50").
std::string NumeroSenzaFormato(const std::string& s);

// Writes the table to FileName in format FileForm.
bool ScriviFileTabella(const TabellaStampa& t, const OpzioniStampa& o, std::string& errore);
// The fixed-length lines of the table (pages of FisRighe lines with the
// blank lines of the margins, FisColonne characters, form feeds between
// pages, the compress sequences around the whole when FisUtilComp).
std::string TestoFisso(const TabellaStampa& t, const OpzioniStampa& o);

// Prints the table where the options of `ogg` say; `ogg`'s windows show
// the pages and the progress. False with the message in `errore`.
bool StampaTabella(OggettoStampa& ogg, const TabellaStampa& t, const ImpLista& imp, std::string& errore);

}  // namespace stampa
