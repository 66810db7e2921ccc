#pragma once
// Pages of a print, laid out once and drawn on demand: each page is a list
// of texts, lines and boxes placed in points from the sheet's top-left
// corner. Drawing is cairo and pango's (no window system): a page becomes a
// PNG picture for the preview, the pages a PDF for files and printers.
//
// Output files are written under a temporary name beside the final one and
// renamed when complete: a print stopped midway leaves no partial file under
// the name the user chose.
#include <string>
#include <vector>

namespace stampa {

struct FontStampa {
  std::string nome = "Arial";
  double punti = 10;
  bool grassetto = false, corsivo = false, sottolineato = false;
  friend bool operator==(const FontStampa&, const FontStampa&) = default;
};

enum class TipoElemento { Testo, Linea, Riquadro, RiquadroPieno };

struct ElementoPagina {
  TipoElemento tipo = TipoElemento::Testo;
  // Texts: the box they are written in (cut with "..." when too long),
  // baseline at the box's top plus the ascent. Lines: from (x, y) to
  // (x + w, y + h). Boxes: corner and size.
  double x = 0, y = 0, w = 0, h = 0;
  std::string testo;
  int font = 0;      // index in Documento::fonts
  int allinea = 0;   // 0 left, 1 right, 2 centre
  long colore = 0;   // 0xRRGGBB
};

struct Pagina {
  std::vector<ElementoPagina> elementi;
};

class Documento {
 public:
  // Sheet size in points (A4 portrait unless changed).
  double larghezza = 595.28, altezza = 841.89;
  std::vector<FontStampa> fonts;
  std::vector<Pagina> pagine;

  // The index of `f`, added when new.
  int Font(const FontStampa& f);
  int NumPagine() const { return static_cast<int>(pagine.size()); }
};

// Width in points of `testo` in font `f` on one line.
double LarghezzaTesto(const FontStampa& f, const std::string& testo);
// Line height in points of font `f`.
double AltezzaRiga(const FontStampa& f);

// Page `indice` (0-based) as a PNG at `fattore` x 96 dpi. False with a
// message in `errore` when it cannot be written.
bool ScriviPng(const Documento& d, int indice, double fattore, const std::string& file, std::string& errore);
// Pages da..a (0-based, inclusive) as one PDF. `continua`, when given, is
// asked before each page: false stops the print (no file is left).
bool ScriviPdf(const Documento& d, int da, int a, const std::string& file, std::string& errore,
               bool (*continua)(void*) = nullptr, void* dati = nullptr);

// A temporary name in the folder of `file`, unique to this process.
std::string NomeProvvisorio(const std::string& file);
// Renames the finished temporary file to its final name (replacing it).
bool Completa(const std::string& provvisorio, const std::string& file, std::string& errore);

// The arrow pictures of the preview: 1 first, 2 previous, 3 next, 4 last;
// 5 to 8 the same greyed. Drawn once per process into a folder of its own.
std::string FileFreccia(int i);
// Width and height in pixels of a PNG file.
bool DimensioniPng(const std::string& file, int& larghezza, int& altezza);

}  // namespace stampa
