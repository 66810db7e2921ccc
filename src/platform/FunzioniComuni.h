#pragma once
// The application-wide utility object: conversions, the empty test, SQL
// literals, rounding, number masks, list and text routines, ini reading and
// command-line switches. Everything here uses Italian settings explicitly
// (decimal comma, thousands point, dd/mm/yyyy), never the process locale.
//
// Choices where the callers leave the format to us:
// - Empty: Empty, Null, Missing, "" and a text of blanks are empty; for
//   kind 7 (date) also a text without any digit ("  /  /    "). A number 0
//   is a value, not empty.
// - ValInt/ValLong/ValDouble/ValData read display texts ("1.234,50"); a text
//   whose points are no thousands grouping ("12.5") reads with the decimal
//   point; an empty or non-numeric text gives 0 (ValData: Empty date). The
//   flags are accepted for the callers' sake and change nothing. A number
//   too large for the integer type raises 6 rather than becoming 0.
// - ValoreSql literals: texts in single quotes with quotes doubled and each
//   NUL written as Chr(0) joined with "&" inside parentheses; numbers with
//   the decimal point and no exponent; dates as #yyyy-mm-dd# or
//   #yyyy-mm-dd hh:nn:ss#; an empty value of a number or date kind is Null.
//   A text that is no number for a number kind raises 13: nothing unreadable
//   reaches a statement.
// - Arrotonda: "A" to the nearest with halves away from zero, so negative
//   amounts mirror positive ones; "S" upwards and "I" downwards on the number
//   line (callers choose by the sign where they want "away from zero", as
//   the VAT rounding does: "S" for amounts >= 0, "I" below); "T" cuts off
//   towards zero. Any other mode letter rounds like "A". An omitted exponent
//   is 0.
// - MascheraNum: see its comment.
// - LeggiSwitch: see its comment.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Variant.h"

namespace dati {
class Recordset;
}

namespace vb {

class CollezioneVettori;

class FunzioniComuni {
 public:
  // The program-wide instance, created on first use.
  static FunzioniComuni& Istanza();

  // ---- empty test and conversions
  bool Vuoto(const Variant& valore, int tipo = vbString, int = 1, bool = false) const;
  int16_t ValInt(const Variant& valore, bool = false, bool = false) const;
  int32_t ValLong(const Variant& valore, bool = false, bool = false) const;
  double ValDouble(const Variant& valore, bool = false, bool = false) const;
  float ValSingle(const Variant& valore, bool = false) const;
  double ValNumero(const Variant& valore, bool = false) const;
  // The date of a value: a date, a date text, or a number read as a serial
  // (so -1, -2, -3 stay comparable); Empty for an empty or unreadable value.
  Variant ValData(const Variant& valore, bool = false) const;

  // ---- SQL literal of a value of kind 2 Integer, 3 Long, 5 Double,
  // 6 Currency, 7 Date, 8 text, 11 Boolean.
  std::string ValoreSql(const Variant& valore, int tipo) const;

  // ---- rounding and numbers
  double Arrotonda(const Variant& valore, std::string_view modo = "A", double passo = 1,
                   std::optional<int> esponente = std::nullopt) const;
  // Quotient of two amounts; 0 when the divisor is 0.
  double ElabImporto(Currency dividendo, const Currency& divisore) const;
  Variant Massimo(const std::vector<Variant>& valori) const;
  Variant Minimo(const std::vector<Variant>& valori) const;

  // ---- recordsets and collections
  // The number of live rows of a recordset (the one a grid shows).
  long NumRecord(const dati::Recordset& rs) const;
  // Empties a collection; the legacy flag (destroy the elements) changes
  // nothing, the elements being values.
  void SvuotaCollezione(CollezioneVettori& c, bool = false) const;

  // MascheraNum(value, decimals, placeholder, maskOnly, integerPattern, 0,
  // prefix, decimalSign). The program's masks use "^" for a decimal digit
  // shown only up to the last non-zero one and "0" for a fixed digit; the
  // placeholder, when given, replaces the decimal sign ("#" or "0").
  // With `soloMaschera` the result is the mask: pattern + "." + n signs
  // ("#,###.^^", "#,##0.00"). Otherwise the value, rounded to n decimals
  // (halves away from zero), as display text: thousands point, decimal
  // comma. The patterns "#,###" and "#,##^" show nothing for a zero value;
  // "#,##0" shows "0". ValDouble reads every such text back.
  std::string MascheraNum(const Variant& valore, int decimali,
                          std::string_view segnaposto = {}, bool soloMaschera = false,
                          std::string_view schemaIntero = "#,###", int = 0,
                          std::string_view prefisso = {},
                          std::string_view segnoDecimale = "^") const;
  // Value through a mask of the program's notation ("#,###.^^",
  // "#,##0.000", "00000", "dd/mm/yyyy") or the kind "conto" (account code
  // in its display form "GG-MM-CCCC").
  std::string Formatta(const Variant& valore, std::string_view maschera) const;
  // The editing form of a value of the kind "Conto": the account code
  // without separators ("GGMMCCCC").
  std::string FormatTipo(const Variant& valore, std::string_view tipo) const;
  std::string SepDecimali() const { return ","; }
  std::string SepOra() const { return ":"; }

  // ---- dates
  Date FineMese(const Variant& data) const;
  Date ComponiData(int giorno, int mese, int anno) const;

  // ---- text and lists
  // Splits on `sep` into `parti`, legacy 1-based: parti[1..n], parti[0]
  // unused; empty entries are kept. Returns n (0 for an empty text).
  long Dividi(std::string_view testo, std::string_view sep,
              std::vector<std::string>& parti) const;
  // Every occurrence replaced, letter case ignored; the long form takes the
  // start position and the compare mode.
  std::string Sostituisci(std::string_view testo, std::string_view cerca,
                          std::string_view con) const;
  std::string Sostituisci(long inizio, std::string_view testo, std::string_view cerca,
                          std::string_view con, int confronto) const;
  // Is `voce` one of the items of `elenco` (blanks around items ignored;
  // confronto 1 ignores letter case)?
  bool InElenco(std::string_view voce, std::string_view elenco, std::string_view sep = ";",
                int confronto = 1) const;
  // Last occurrence of `cerca` in the first `lunghezza` characters; 0 none.
  long CercaTesto(long lunghezza, std::string_view testo, std::string_view cerca,
                  int confronto = 0) const;
  // Text padded to `larghezza` with `riempi`: "S" text at the left, "D" at
  // the right. A longer text is cut to the width, fixed-width files rely on it.
  std::string Riempi(std::string_view testo, long larghezza, std::string_view riempi = " ",
                     std::string_view lato = "S") const;

  // Switches of a command line or parameter text. A switch is "/NAME" or
  // "-NAME" at the start of a word, or "NAME=" at the start of a word; the
  // name compares without regard to case. Its value runs from after the name
  // (an "=" or ":" right after it is skipped) to the next switch or the end,
  // so values may hold blanks ("/Pkey 12"). A switch present without a value
  // answers itself as written ("/RO"); an absent one answers "".
  std::string LeggiSwitch(std::string_view comando, std::string_view nome) const;

  // Error number to compare with the engine codes; the data layer already
  // raises the legacy numbers, so the number comes back as it is.
  long CodiceErrore(long numero) const { return numero; }

  // ---- files and ini
  std::string ComponiPercorso(std::string_view file, std::string_view unita,
                              std::string_view cartella) const;
  bool EsisteFile(std::string_view percorso) const;
  std::string CartellaSistema() const;
  std::string CartellaDaPercorso(std::string_view percorso) const;
  std::string PercorsoConFiltro(std::string_view testo, std::string_view filtro) const;
  // Value of `chiave`; an absent or empty key gives `predefinito`. Result:
  // the length of the value given back (0 for an absent key with "").
  long LeggiIniFile(std::string_view sezione, std::string_view chiave,
                    const Variant& predefinito, std::string& valore,
                    std::string_view file) const;
  // A file database the engine could not read (3343): checked and, when
  // damaged, rebuilt from what can still be read, the damaged file kept
  // beside it as "<name>.danneggiato-<date and time>". 0 when the file is
  // usable again (the caller then repeats the opening), else the error
  // number that stands (53 no such file, 3343 beyond repair).
  long VerifFile(std::string_view file) const;

  // Transactions of the data-access engine: they span every open database
  // connection, as the legacy workspace did. The workspace and option
  // arguments are kept for the callers' sake.
  void IniziaTrans(const Variant& workspace = 0, int opzione = -1) const;
  void ConfermaTrans(const Variant& workspace = 0, int opzione = -1) const;
  void AnnullaTrans(const Variant& workspace = 0, int opzione = -1) const;

  // Same over two files: the first that holds a non-empty value wins.
  long LeggiIni(std::string_view sezione, std::string_view chiave, const Variant& predefinito,
                std::string& valore, std::string_view file1, const std::string& file2) const;
};

}  // namespace vb
