#pragma once
// The program's printer routines: the printer object the program prints on
// (`Printer`), the default printer of the machine (the CUPS default), and
// the printer of a print's options made the program's printer before a
// print.
#include <cstdint>
#include <string>

#include "platform/stampa/OggettoStampa.h"
#include "platform/stampa/OpzioniStampa.h"

namespace AziendaUtilStampe {

// 1 once the program has pointed its printer object at a printer itself.
extern int16_t giStampanteImp;

// The program's current printer object.
stampa::Stampante& Printer();

// Makes the printer of the options the program's printer. False when it is
// not installed (with `pbMsg` the user is told). An empty name is the
// default printer; the library's PDF printers are always there.
bool ImpostaStampanteStampa(const stampa::OpzioniStampa& pOpz, bool pbMsg);
// The default printer: its name when installed (else "" and the name in
// psMancante) and its port.
void LeggiStampanteDef(std::string& psNome, std::string& psMancante, std::string& psPorta);
// As LeggiStampanteDef, also setting the program's printer back to it.
void RipristinaStampanteDef(std::string& psNome, std::string& psMancante, std::string& psPorta);
// Whether a printer belongs to another remote session (none here).
bool VerifAltraSessione(const std::string& psNome, long plSessione);
// Tells that the default printer is not available and empties the saved
// key of the print's section in this terminal's ini.
void MsgStampanteDefMancante(const std::string& psChiave, const std::string& psNome, const std::string& psSezione);
// The printer name as saved.
std::string NormNomeStampante(const std::string& psNome);

}  // namespace AziendaUtilStampe
