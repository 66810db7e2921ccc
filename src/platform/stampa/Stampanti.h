#pragma once
// The printers of the print library: the CUPS destinations of the machine
// (or of the server named by CUPS_SERVER), and the jobs sent to them.
// Trays and papers carry the legacy codes where one fits, so that saved
// options keep their meaning: papers A4 9, Letter 1, A5 11, Legal 5, A3 8;
// trays upper 1, lower 2, manual 4, automatic 7; any other 256 + position.
#include <string>
#include <vector>

namespace stampa {

struct LavoroStampa {
  std::string coda;    // "" the default destination
  std::string file;    // PDF, or raw text with `grezzo`
  std::string titolo;
  int cassetto = 0;    // legacy tray code, 0 the queue's default
  int carta = 0;       // legacy paper code, 0 the queue's default
  bool grezzo = false;
};

// Sends a job; false with an Italian message when the server cannot be
// reached or the queue is not there (in bounded time).
bool InviaLavoro(const LavoroStampa& l, std::string& errore);

// The names of the CUPS destinations and the default one ("" none).
std::vector<std::string> NomiStampanti(std::string& predefinita);

// The media keyword of a legacy paper code ("" when it has none) and back
// (0 when none fits).
std::string CartaDaCodice(int codice);
int CodiceDaCarta(const std::string& media);
// The same for trays (InputSlot keywords).
std::string CassettoDaCodice(int codice);
int CodiceDaCassetto(const std::string& slot);

// The items of the tray and paper lists: "     7 - Upper" (the number
// right-aligned in 6 characters), "9 - A4" with " (ATTUALE)" for the
// printer's current paper; the number read back from an item (0 for an item
// without "-", as the first item "Nessuna impostazione - Default" is taken
// by its position).
std::string VoceCassetto(int numero, const std::string& nome);
std::string VoceCarta(int numero, const std::string& nome, bool attuale);
long NumeroDaVoce(const std::string& voce);

// The default printer as [windows] "device" holds it: name, driver and port
// separated by commas.
struct DispositivoStampante {
  std::string nome, driver, porta;
};
DispositivoStampante LeggiDispositivo(const std::string& device);

}  // namespace stampa
