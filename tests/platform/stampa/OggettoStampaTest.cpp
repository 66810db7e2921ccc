#include <gtest/gtest.h>

#include <functional>

#include "platform/Errore.h"
#include "platform/stampa/OggettoStampa.h"
#include "support/Errori.h"

using stampa::Disegno;
using stampa::OggettoStampa;
using stampa::TipoDisegno;

namespace {

TEST(OggettoStampa, RecordsEveryLineBoxAndFilledBoxInOrder) {
  OggettoStampa s;
  s.Linea(1, 2, 3, 4, 0, "BF");
  s.Linea(3, 2, 5, 4, 0xFFFFFF, "bf");
  s.Linea(0, 0, 10, 0);
  s.Linea(0, 0, 10, 5, 255, "B");
  ASSERT_EQ(s.Disegni().size(), 4u);
  const Disegno& d = s.Disegni()[0];
  EXPECT_EQ(d.tipo, TipoDisegno::RiquadroPieno);
  EXPECT_FLOAT_EQ(d.x1, 1);
  EXPECT_FLOAT_EQ(d.y1, 2);
  EXPECT_FLOAT_EQ(d.x2, 3);
  EXPECT_FLOAT_EQ(d.y2, 4);
  EXPECT_EQ(d.colore, stampa::ColoreNero);
  EXPECT_EQ(s.Disegni()[1].tipo, TipoDisegno::RiquadroPieno);
  EXPECT_EQ(s.Disegni()[1].colore, stampa::ColoreBianco);
  EXPECT_EQ(s.Disegni()[2].tipo, TipoDisegno::Linea);
  EXPECT_EQ(s.Disegni()[3].tipo, TipoDisegno::Riquadro);
  EXPECT_EQ(s.Disegni()[3].colore, 255);
  s.AzzeraDisegni();
  EXPECT_TRUE(s.Disegni().empty());
}

TEST(OggettoStampa, DrawingMovesTheCurrentPosition) {
  OggettoStampa s;
  EXPECT_FLOAT_EQ(s.CurrentX(), 0);
  s.Linea(1, 2, 3.5f, 4.5f, 0, "BF");
  EXPECT_FLOAT_EQ(s.CurrentX(), 3.5f);
  EXPECT_FLOAT_EQ(s.CurrentY(), 4.5f);
  s.CurrentX(7);
  s.CurrentY(8);
  EXPECT_FLOAT_EQ(s.CurrentX(), 7);
  EXPECT_FLOAT_EQ(s.CurrentY(), 8);
}

TEST(OggettoStampa, ColourDefaultsToForeColor) {
  OggettoStampa s;
  s.ForeColor(0x00FF00);
  s.Linea(0, 0, 1, 1);
  EXPECT_EQ(s.Disegni().back().colore, 0x00FF00);
}

TEST(OggettoStampa, UnknownOptionIsRefusedAndNothingIsRecorded) {
  OggettoStampa s;
  EXPECT_EQ(prova::NumeroErrore([&] { s.Linea(0, 0, 1, 1, 0, "F"); }), vb::ErrChiamataNonValida);
  EXPECT_TRUE(s.Disegni().empty());
}

TEST(OggettoStampa, ScaleModes) {
  OggettoStampa s;
  EXPECT_EQ(s.ScaleMode(), stampa::ScalaMillimetro);
  EXPECT_NEAR(s.TwipPerUnita(), 56.6929, 1e-3);
  s.ScaleMode(stampa::ScalaTwip);
  EXPECT_DOUBLE_EQ(s.TwipPerUnita(), 1);
  s.ScaleMode(stampa::ScalaPollice);
  EXPECT_DOUBLE_EQ(s.TwipPerUnita(), 1440);
  s.ScaleMode(stampa::ScalaPunto);
  EXPECT_DOUBLE_EQ(s.TwipPerUnita(), 20);
  EXPECT_EQ(prova::NumeroErrore([&] { s.ScaleMode(0); }), 380);
  EXPECT_EQ(prova::NumeroErrore([&] { s.ScaleMode(8); }), 380);
  EXPECT_EQ(s.ScaleMode(), stampa::ScalaPunto);
}

}  // namespace
