#pragma once
// Reorder files: plain text, one per habitual supplier, to which the line
// window appends the articles to order again. Several users append to the
// same file: each line is written between an open under an exclusive lock
// and its close, so lines never interleave and none is lost.
#include <functional>
#include <string>

namespace daordi {

// One line of a reorder file, in UTF-8 and without its line end: code (20,
// left), " - ", description (30, left), " - ", and with a quantity the
// quantity (10, right, mask "#,###.^^"), " - " and the note.
std::string RigaDaOrdi(const std::string& psArticolo, const std::string& psDescr, const double* pdQta,
                       const std::string& psNote);

// Appends psRiga, in Windows-1252 and ended by CR LF, to the file (created
// when missing). While another writer holds the file the open fails with
// error 70: `attesa` is called with the number of the attempt that failed
// (1, 2, ...) and must wait before the next one. Other failures raise the
// error.
void AppendiBloccato(const std::string& psFile, const std::string& psRiga,
                     const std::function<void(int tentativo)>& attesa);

}  // namespace daordi

namespace daordi {
// The wait between two attempts while another writer holds the file, in
// milliseconds (1000; tests shorten it).
int& AttesaMs();
}  // namespace daordi
