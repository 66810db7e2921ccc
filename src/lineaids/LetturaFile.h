#pragma once
// Reader files: the text files a portable barcode reader (or any program)
// writes, one record a line, and the import layout (an ini section) that
// says where each value stands in a record.
//
// The cutting rules are those of the line window's imports: a fixed layout
// cuts by position and length, a separated one counts separators, a quoted
// one counts the fields written between double quotes. Everything here is
// free of the window, so the rules can be checked on their own.
#include <cstdint>
#include <fstream>
#include <memory>
#include <string>

namespace lettura {

// One import layout, as the ini section holds it (texts as read, the
// separator already turned into its character when given as a code).
struct Tracciato {
  std::string FileOrigine;
  std::string FissoSep = "F";
  std::string Separatore;
  int16_t CodInizio = 0, CodLung = 0;
  int16_t QtaInizio = 0, QtaLung = 0;
  int16_t ImpUniInizio = 0, ImpUniLung = 0;
  int16_t ImpTotInizio = 0, ImpTotLung = 0;
  std::string ExePrima, CancFile, CodArtSeqRic, AddArtPrima, AddArtDopo, CodArtInizIdent;
};

// Field n (from 1) of a separated record: n - 1 separators skipped (found
// without regard to case), up to the next one; enclosing double quotes
// removed when on both sides; trimmed. "" for n < 1 or past the last field.
std::string CampoSeparato(const std::string& psRiga, const std::string& psSeparatore, int piNumCampo);

// Field n (from 1) of a quoted record: only text between double quotes
// makes a field, what stands between fields is ignored; inside a field two
// double quotes are one double quote. An empty field ("") counts like any
// other, so the fields after it keep their numbers. A field whose closing
// quote is missing runs to the end of the record. Trimmed; "" for n < 1 or
// past the last field.
std::string CampoApici(const std::string& psRiga, int piNumCampo);

// The characters from position piInizio (from 1) for piLung, trimmed; ""
// past the end. A position below 1 raises error 5, as the reading of a
// record with a wrong layout must end the import.
std::string CampoFisso(const std::string& psRiga, int piInizio, int piLung);

// The code, quantity and value of one record as the layout cuts them.
// piQualeImp: 0 no value, 1 total value of the line, 2 unit value; a value
// of 0 counts as absent and the total wins over the unit value.
struct Record {
  std::string codice;
  double qta = 0;
  double imp = 0;
  int16_t qualeImp = 0;
};
Record TagliaRecord(const Tracciato& t, const std::string& psRiga);

// A reader file opened for sequential reading. Lines end at CR LF, LF or a
// lone CR, mixed in one file as they come; a line that is valid UTF-8 is
// taken as it is, any other as Windows-1252 (the readers' own code page).
// NUL bytes become blanks: no record can cut a statement short.
class FileRighe {
 public:
  // False when the file cannot be opened (it is then not open).
  bool Apri(const std::string& psPercorso);
  bool Aperto() const { return in_ && in_->is_open(); }
  // The next line, without its line end; false at the end of the file.
  bool LeggiRiga(std::string& psRiga);
  bool FineFile();
  void Chiudi();

 private:
  std::unique_ptr<std::ifstream> in_;
  bool primaRiga_ = true;
};

}  // namespace lettura
