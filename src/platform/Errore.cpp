#include "platform/Errore.h"

namespace vb {

Errore::Errore(long numero, std::string descrizione, std::string origine)
    : std::runtime_error(descrizione),
      numero_(numero),
      descrizione_(std::move(descrizione)),
      origine_(std::move(origine)) {}

std::string DescrizioneErrore(long numero) {
  switch (numero) {
    case 3: return "Return senza GoSub";
    case 5: return "Chiamata di routine o argomento non validi";
    case 6: return "Overflow";
    case 7: return "Memoria esaurita";
    case 9: return "Indice non compreso nell'intervallo";
    case 11: return "Divisione per zero";
    case 13: return "Tipo non corrispondente";
    case 52: return "Nome o numero di file non valido";
    case 53: return "Impossibile trovare il file";
    case 55: return "File già aperto";
    case 57: return "Errore di I/O su periferica";
    case 58: return "File già esistente";
    case 61: return "Disco pieno";
    case 70: return "Autorizzazione negata";
    case 75: return "Errore di accesso al percorso/file";
    case 76: return "Impossibile trovare il percorso";
    case 91: return "Variabile oggetto o variabile del blocco With non impostata";
    case 94: return "Utilizzo non valido di Null";
    case 380: return "Valore della proprietà non valido";
    case 401: return "Impossibile visualizzare una form non a scelta obbligatoria quando è visualizzata una form a scelta obbligatoria";
    case 449: return "Argomento non facoltativo";
    default: return {};
  }
}

void Solleva(long numero, std::string descrizione, std::string origine) {
  if (descrizione.empty()) {
    descrizione = DescrizioneErrore(numero);
    if (descrizione.empty()) descrizione = "Errore definito dall'applicazione o dall'oggetto";
  }
  throw Errore(numero, std::move(descrizione), std::move(origine));
}

}  // namespace vb
