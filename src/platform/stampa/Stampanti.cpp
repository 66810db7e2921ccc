#include "platform/stampa/Stampanti.h"

#include <cups/cups.h>

#include <cstdlib>

#include "platform/Testo.h"

namespace stampa {

namespace {

struct Codice {
  int codice;
  const char* nome;
};
constexpr Codice kCarte[] = {{9, "A4"}, {1, "Letter"}, {11, "A5"}, {5, "Legal"}, {8, "A3"}};
constexpr Codice kCassetti[] = {{1, "Upper"}, {2, "Lower"}, {4, "Manual"}, {7, "Auto"}};

}  // namespace

std::string CartaDaCodice(int codice) {
  for (const Codice& c : kCarte)
    if (c.codice == codice) return c.nome;
  return {};
}

int CodiceDaCarta(const std::string& media) {
  for (const Codice& c : kCarte)
    if (vb::UgualeTesto(media, c.nome)) return c.codice;
  // "iso_a4_210x297mm", "na_letter_8.5x11in"
  const std::string m = vb::LCase(media);
  if (m.rfind("iso_a4_", 0) == 0) return 9;
  if (m.rfind("iso_a5_", 0) == 0) return 11;
  if (m.rfind("iso_a3_", 0) == 0) return 8;
  if (m.rfind("na_letter_", 0) == 0) return 1;
  if (m.rfind("na_legal_", 0) == 0) return 5;
  return 0;
}

std::string CassettoDaCodice(int codice) {
  for (const Codice& c : kCassetti)
    if (c.codice == codice) return c.nome;
  return {};
}

int CodiceDaCassetto(const std::string& slot) {
  for (const Codice& c : kCassetti)
    if (vb::UgualeTesto(slot, c.nome)) return c.codice;
  return 0;
}

std::string VoceCassetto(int numero, const std::string& nome) {
  std::string n = std::to_string(numero);
  if (n.size() < 6) n = std::string(6 - n.size(), ' ') + n;
  return n + " - " + nome;
}

std::string VoceCarta(int numero, const std::string& nome, bool attuale) {
  return std::to_string(numero) + " - " + nome + (attuale ? " (ATTUALE)" : "");
}

long NumeroDaVoce(const std::string& voce) {
  const size_t t = voce.find('-');
  if (t == std::string::npos) return 0;
  const std::string n = vb::Trim(voce.substr(0, t));
  char* fine = nullptr;
  const long v = std::strtol(n.c_str(), &fine, 10);
  return fine == n.c_str() ? 0 : v;
}

DispositivoStampante LeggiDispositivo(const std::string& device) {
  DispositivoStampante d;
  const std::string testo = device.substr(0, device.find('\0'));
  const size_t a = testo.find(',');
  d.nome = vb::Trim(testo.substr(0, a));
  if (a == std::string::npos) return d;
  const size_t b = testo.find(',', a + 1);
  d.driver = vb::Trim(testo.substr(a + 1, b == std::string::npos ? std::string::npos : b - a - 1));
  if (b != std::string::npos) d.porta = vb::Trim(testo.substr(b + 1, testo.find(',', b + 1) - b - 1));
  return d;
}

bool InviaLavoro(const LavoroStampa& l, std::string& errore) {
  std::string coda = l.coda;
  if (coda.empty()) {
    cups_dest_t* d = cupsGetNamedDest(CUPS_HTTP_DEFAULT, nullptr, nullptr);
    if (!d) {
      errore = "Nessuna stampante predefinita: scegliere una stampante";
      return false;
    }
    coda = d->name;
    cupsFreeDests(1, d);
  }
  int n = 0;
  cups_option_t* opz = nullptr;
  const std::string carta = CartaDaCodice(l.carta);
  if (!carta.empty()) n = cupsAddOption("media", carta.c_str(), n, &opz);
  const std::string cassetto = CassettoDaCodice(l.cassetto);
  if (!cassetto.empty()) n = cupsAddOption("InputSlot", cassetto.c_str(), n, &opz);
  if (l.grezzo) n = cupsAddOption("raw", "true", n, &opz);
  const int job = cupsPrintFile(coda.c_str(), l.file.c_str(), l.titolo.c_str(), n, opz);
  cupsFreeOptions(n, opz);
  if (job == 0) {
    const std::string causa = cupsLastErrorString() ? cupsLastErrorString() : "";
    if (cupsLastError() == IPP_STATUS_ERROR_NOT_FOUND)
      errore = "La stampante " + coda + " non è più disponibile";
    else if (cupsLastError() == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE || cupsLastError() == IPP_STATUS_ERROR_INTERNAL)
      errore = "Il servizio di stampa non risponde (" + causa + ")";
    else
      errore = "Stampa su " + coda + " non riuscita: " + causa;
    return false;
  }
  return true;
}

std::vector<std::string> NomiStampanti(std::string& predefinita) {
  predefinita.clear();
  cups_dest_t* dest = nullptr;
  const int n = cupsGetDests2(CUPS_HTTP_DEFAULT, &dest);
  std::vector<std::string> nomi;
  for (int i = 0; i < n; ++i) {
    if (dest[i].instance) continue;
    nomi.push_back(dest[i].name);
    if (dest[i].is_default) predefinita = dest[i].name;
  }
  cupsFreeDests(n, dest);
  return nomi;
}

}  // namespace stampa
