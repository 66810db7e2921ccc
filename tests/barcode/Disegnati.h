#pragma once
// Reads back what an encoder drew: the module string its filled boxes make,
// checking on the way that the boxes sit side by side on one band.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "platform/stampa/OggettoStampa.h"

namespace prova {

constexpr float kX = 5;
constexpr float kY = 7;
constexpr float kAlt = 10;

// Every box must be a filled box from y kY to kY + kAlt, starting where the
// previous one ended (the first at kX); a box w units wide stands for w
// modules ("1" when black, "0" when white), so drawing with the width equal
// to the number of modules gives the module string back.
inline std::string ModuliDisegnati(const stampa::OggettoStampa& s) {
  std::string moduli;
  double x = kX;
  for (const auto& d : s.Disegni()) {
    EXPECT_EQ(d.tipo, stampa::TipoDisegno::RiquadroPieno);
    EXPECT_NEAR(d.x1, x, 1e-3);
    EXPECT_FLOAT_EQ(d.y1, kY);
    EXPECT_FLOAT_EQ(d.y2, kY + kAlt);
    const long w = std::lround(d.x2 - d.x1);
    EXPECT_NEAR(d.x2 - d.x1, w, 1e-3);
    EXPECT_TRUE(d.colore == stampa::ColoreNero || d.colore == stampa::ColoreBianco);
    moduli.append(static_cast<size_t>(w), d.colore == stampa::ColoreNero ? '1' : '0');
    x = d.x2;
  }
  return moduli;
}

// Code 128 draws elements, not modules: one digit per box, its width.
inline std::string ElementiDisegnati(const stampa::OggettoStampa& s) {
  std::string elementi;
  double x = kX;
  bool barra = true;
  for (const auto& d : s.Disegni()) {
    EXPECT_EQ(d.tipo, stampa::TipoDisegno::RiquadroPieno);
    EXPECT_NEAR(d.x1, x, 1e-3);
    EXPECT_FLOAT_EQ(d.y2 - d.y1, kAlt);
    EXPECT_EQ(d.colore, barra ? stampa::ColoreNero : stampa::ColoreBianco);
    const long w = std::lround(d.x2 - d.x1);
    EXPECT_NEAR(d.x2 - d.x1, w, 1e-3);
    elementi += static_cast<char>('0' + w);
    x = d.x2;
    barra = !barra;
  }
  return elementi;
}

}  // namespace prova
