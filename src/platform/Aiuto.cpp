#include "platform/Aiuto.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/Percorsi.h"
#include "platform/Processi.h"

namespace vb {

namespace {

// Kept for the whole run (never destroyed): a deferred launch may still be
// waiting when the program ends.
struct Stato {
  std::mutex blocco;
  aiuto::Visualizzatore installato;
  uint64_t generazione = 0;
};
Stato& S() {
  static auto* s = new Stato;
  return *s;
}

// How long the contents wait for a topic that replaces them: F1 asks for
// the contents and then for the topic, and a viewer started twice would
// open two windows.
constexpr auto kAttesaContenuto = std::chrono::milliseconds(300);

std::vector<std::string> ComandoViewer(const std::string& programma, const aiuto::Richiesta& r) {
  const std::string file = PercorsoLocale(aiuto::FileDelComando(r.file));
  const std::string nome = std::filesystem::path(programma).filename().string();
  if (nome == "xchm" && r.comando == aiuto::HH_HELP_CONTEXT)
    return {programma, "-c", std::to_string(r.dati), file};
  return {programma, file};
}

bool Desktop(const aiuto::Richiesta& r) {
  const std::string programma = aiuto::ProgrammaVisualizzatore();
  if (programma.empty()) return false;
  const std::vector<std::string> argv = ComandoViewer(programma, r);
  Stato& s = S();
  uint64_t mia;
  {
    std::lock_guard<std::mutex> l(s.blocco);
    mia = ++s.generazione;
  }
  if (r.comando != aiuto::HH_DISPLAY_TOC) return processi::Avvia(argv) >= 0;
  std::thread([argv, mia] {
    std::this_thread::sleep_for(kAttesaContenuto);
    {
      std::lock_guard<std::mutex> l(S().blocco);
      if (S().generazione != mia) return;  // a topic or the index came instead
    }
    processi::Avvia(argv);
  }).detach();
  return true;
}

}  // namespace

namespace aiuto {

Visualizzatore ImpostaVisualizzatore(Visualizzatore v) {
  std::lock_guard<std::mutex> l(S().blocco);
  Visualizzatore prima = S().installato;
  S().installato = std::move(v);
  return prima;
}

bool HtmlHelp(const std::string& file, int comando, long dati, const std::string& parola) {
  Richiesta r{file, comando, dati, parola};
  Visualizzatore chi;
  {
    std::lock_guard<std::mutex> l(S().blocco);
    chi = S().installato;
  }
  return chi ? chi(r) : Desktop(r);
}

std::string FileDelComando(const std::string& file) {
  size_t fine = file.find('>');
  const size_t argomento = file.find("::/");
  if (argomento != std::string::npos && argomento < fine) fine = argomento;
  return fine == std::string::npos ? file : file.substr(0, fine);
}

std::string ProgrammaVisualizzatore() {
  for (const char* nome : {"xchm", "kchmviewer", "xdg-open"}) {
    std::string p = processi::CercaProgramma(nome);
    if (!p.empty()) return p;
  }
  return {};
}

}  // namespace aiuto
}  // namespace vb
