#include "platform/stampa/OggettoStampa.h"

#include "platform/Errore.h"
#include "platform/Testo.h"

namespace stampa {

void OggettoStampa::ScaleMode(int modo) {
  if (modo < ScalaTwip || modo > ScalaCentimetro) vb::Solleva(380);
  scala_ = modo;
}

double OggettoStampa::TwipPerUnita() const {
  switch (scala_) {
    case ScalaPunto: return 20.0;
    case ScalaPixel: return 15.0;       // 96 pixels to the inch
    case ScalaCarattere: return 120.0;  // horizontal character cell
    case ScalaPollice: return 1440.0;
    case ScalaMillimetro: return 1440.0 / 25.4;
    case ScalaCentimetro: return 1440.0 / 2.54;
    default: return 1.0;
  }
}

void OggettoStampa::Linea(float x1, float y1, float x2, float y2, long colore,
                          std::string_view opzione) {
  TipoDisegno tipo;
  if (opzione.empty()) {
    tipo = TipoDisegno::Linea;
  } else if (vb::UgualeTesto(opzione, "B")) {
    tipo = TipoDisegno::Riquadro;
  } else if (vb::UgualeTesto(opzione, "BF")) {
    tipo = TipoDisegno::RiquadroPieno;
  } else {
    vb::Solleva(vb::ErrChiamataNonValida);
  }
  Disegno d{tipo, x1, y1, x2, y2, colore < 0 ? colore_ : colore};
  disegni_.push_back(d);
  x_ = x2;
  y_ = y2;
  Disegnato(d);
}

}  // namespace stampa
