#pragma once
// The print object of the print library: one print, drawn in the object's
// own units. This first part holds what the barcode encoders draw with: the
// scale, the current position and Linea (lines, boxes and filled boxes).
//
// Every drawing operation is also kept, in order, as a Disegno: kind,
// corners in the object's units and colour. The page output of the library
// is built from that list, and it lets a caller check what was drawn (a
// barcode's bars against its module string) without a printer.
#include <string_view>
#include <vector>

namespace stampa {

// Scale modes of the legacy print surfaces: the unit of every coordinate.
enum ScalaStampa : int {
  ScalaTwip = 1, ScalaPunto = 2, ScalaPixel = 3, ScalaCarattere = 4, ScalaPollice = 5,
  ScalaMillimetro = 6, ScalaCentimetro = 7,
};

inline constexpr long ColoreNero = 0x000000;
inline constexpr long ColoreBianco = 0xFFFFFF;

enum class TipoDisegno { Linea, Riquadro, RiquadroPieno };

struct Disegno {
  TipoDisegno tipo;
  float x1, y1, x2, y2;  // in the units of the object when it was drawn
  long colore;           // red-green-blue value, 0 black, FFFFFF white
};

class OggettoStampa {
 public:
  OggettoStampa() = default;
  virtual ~OggettoStampa() = default;
  OggettoStampa(const OggettoStampa&) = delete;
  OggettoStampa& operator=(const OggettoStampa&) = delete;

  // Millimetres unless changed: the callers give label-sized symbols
  // (30 x 10) and lists measured on paper. Raises 380 for an unknown mode.
  int ScaleMode() const { return scala_; }
  void ScaleMode(int modo);
  // Twips in one unit of the current scale (a twip is 1/1440 inch).
  double TwipPerUnita() const;

  float CurrentX() const { return x_; }
  void CurrentX(float x) { x_ = x; }
  float CurrentY() const { return y_; }
  void CurrentY(float y) { y_ = y; }

  // Colour of a Linea called without one.
  long ForeColor() const { return colore_; }
  void ForeColor(long colore) { colore_ = colore; }

  // Linea(x1, y1, x2, y2, colour, option): a line from (x1, y1) to (x2, y2);
  // option "B" a box with those opposite corners, "BF" a filled box (letter
  // case ignored). A negative colour takes ForeColor. The current position
  // moves to (x2, y2). Raises 5 for any other option.
  void Linea(float x1, float y1, float x2, float y2, long colore = -1, std::string_view opzione = {});

  const std::vector<Disegno>& Disegni() const { return disegni_; }
  void AzzeraDisegni() { disegni_.clear(); }

 protected:
  // Where a subclass that renders a page receives each operation as drawn.
  virtual void Disegnato(const Disegno&) {}

 private:
  int scala_ = ScalaMillimetro;
  float x_ = 0;
  float y_ = 0;
  long colore_ = ColoreNero;
  std::vector<Disegno> disegni_;
};

}  // namespace stampa
