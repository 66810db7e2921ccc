#pragma once
// Barcodes: the encoders of thirteen symbologies, the entry point that picks
// one by its symbology code, and the look-up of a variant article and its
// levels by a scanned level barcode.
//
// Every encoder has one shape: print object, data (never changed), left and
// top edge, total width and bar height (in the print object's units), an
// option flag (read by Code 32 only), a no-drawing flag, and the output text,
// which it sets only once it gets as far as encoding (Code 39 adds its check
// flag). Each builds its symbol as a module string and, unless told not to,
// draws every module on the print object as a filled box, bars black and
// spaces white (UPC-A paints its bars only).
//
// Symbology codes, compared without regard to case: "12" Code 128 (sets B
// and C), "BCD_Matrix", "Code32", "39" Code 39, "13" EAN-13, "UA" UPC-A,
// "E8" EAN-8, "3BarMatrix", "5Bar", "Compress", "Datalogic", "Industrial",
// "Interleaved" (two-of-five family).
#include <string>
#include <string_view>

#include "platform/Variant.h"
#include "platform/stampa/OggettoStampa.h"

namespace BarCode {

using stampa::OggettoStampa;

// The code of `psTipo` for `psDati`, computed only: nothing is drawn.
// "13", "UA" and "E8" first turn the caller's data into 12, 11 and 7 digits
// (the leading characters read as a number, zeros in front); "39" drops its
// last character, the scanned check character (an empty data raises 5).
// The Code 39 check flag `piControllo` is passed on to Code 39 only.
// Returns the encoder's output text, "" for an unknown code or refused data.
std::string CalcCodBar(std::string_view psTipo, std::string& psDati, int& piControllo);

// True only while CalcCodBar runs an encoder: the encoders draw nothing then.
bool SoloCalcolo();

// EAN-13: the first 12 characters must be digits; output the data and its
// check digit; 113 modules (quiet zones included).
void CalcEan13(OggettoStampa& pgStampa, const std::string& psDati, float pfX, float pfY,
               float pfLargh, float pfAlt, int piOpzione, int piNoDisegno, std::string& psOut);
// EAN-8: the first 7 characters must be digits; output those 7 and the check
// digit; 81 modules.
void CalcEan8(OggettoStampa& pgStampa, const std::string& psDati, float pfX, float pfY,
              float pfLargh, float pfAlt, int piOpzione, int piNoDisegno, std::string& psOut);
// UPC-A: exactly 11 digits; output the data and its check digit; 95
// modules, bars only. Only the compute-only switch stops its drawing.
void CalcUpcA(OggettoStampa& pgStampa, const std::string& psDati, float pfX, float pfY,
              float pfLargh, float pfAlt, int piOpzione, int piNoDisegno, std::string& psOut);

// Code 128 in code sets B and C with the modulo-103 check; output the data.
// Data holding a character outside blank to "~" is refused.
void CalcCod128(OggettoStampa& pgStampa, const std::string& psDati, float pfX, float pfY,
                float pfLargh, float pfAlt, int piOpzione, int piNoDisegno, std::string& psOut);

// Code 39 with the modulo-43 check character when `piControllo` is not 0;
// output the data (letter case as given) and the check character.
void CalcCod39(OggettoStampa& pgStampa, const std::string& psDati, float pfX, float pfY,
               float pfLargh, float pfAlt, int piOpzione, int piNoDisegno, std::string& psOut,
               int& piControllo);
// Code 32, the Italian pharmaceutical code: up to 8 digits, with their check
// digit unless `piOpzione` is not 0, in six base-32 characters drawn as
// Code 39; output those six characters.
void CalcCod32(OggettoStampa& pgStampa, const std::string& psDati, float pfX, float pfY,
               float pfLargh, float pfAlt, int piOpzione, int piNoDisegno, std::string& psOut);

// The two-of-five family and the BCD matrix: digits only, a modulo-10 check
// digit weighted 3 and 1 from the right; output the data and its check digit
// (Interleaved: with a leading 0 when the count of digits would be odd).
void CalcBcdMatrix(OggettoStampa& pgStampa, const std::string& psDati, float pfX, float pfY,
                   float pfLargh, float pfAlt, int piOpzione, int piNoDisegno, std::string& psOut);
void Calc3BarMatrix(OggettoStampa& pgStampa, const std::string& psDati, float pfX, float pfY,
                    float pfLargh, float pfAlt, int piOpzione, int piNoDisegno, std::string& psOut);
void Calc5Bar(OggettoStampa& pgStampa, const std::string& psDati, float pfX, float pfY,
              float pfLargh, float pfAlt, int piOpzione, int piNoDisegno, std::string& psOut);
void CalcCompress(OggettoStampa& pgStampa, const std::string& psDati, float pfX, float pfY,
                  float pfLargh, float pfAlt, int piOpzione, int piNoDisegno, std::string& psOut);
void CalcDatalogic(OggettoStampa& pgStampa, const std::string& psDati, float pfX, float pfY,
                   float pfLargh, float pfAlt, int piOpzione, int piNoDisegno, std::string& psOut);
void CalcIndustrial(OggettoStampa& pgStampa, const std::string& psDati, float pfX, float pfY,
                    float pfLargh, float pfAlt, int piOpzione, int piNoDisegno, std::string& psOut);
void CalcInterleaved(OggettoStampa& pgStampa, const std::string& psDati, float pfX, float pfY,
                     float pfLargh, float pfAlt, int piOpzione, int piNoDisegno, std::string& psOut);

// The article of a scanned level barcode: its first `piLunArt` characters,
// with the level prefix of a barcode type in front (and, for EAN-13 and
// EAN-8, the check digit after), match Articoli.BarCode of an article with
// levels; the characters after them are the barcode parts of its first and
// second level. Types are tried in the order "13", "E8", "12", "39". On
// success (True) `psCodice` becomes the article code and the other outputs
// are filled, "~ç~" and "" for a second level the article does not have. A
// database error is shown in the error window and answers False.
vb::Variant CercaArtCodBar(int16_t piLunArt, std::string& psCodice, std::string& psDescrizione,
                           std::string& psLivello1, std::string& psDescLiv1,
                           std::string& psLivello2, std::string& psDescLiv2);

// ---- shared by the encoders

// Draws a module string ("1" bar, "0" space) from (pfX, pfY), each module
// pfLargh / length wide and pfAlt high; with `pbSoloBarre` the spaces are
// left unpainted.
void DisegnaModuli(OggettoStampa& pgStampa, std::string_view psModuli, float pfX, float pfY,
                   float pfLargh, float pfAlt, bool pbSoloBarre = false);
// True when an encoder may draw: its no-drawing flag is 0 and no entry-point
// call is computing.
bool PuoDisegnare(int piNoDisegno);

}  // namespace BarCode
