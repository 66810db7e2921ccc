#pragma once
// What every test of the Qt backend shares: the toolkit started once per
// test program, and the folder where the pictures of the windows are kept
// to be looked at (DDT_TEST_TMP, else the system's temporary folder).
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/qt/BackendQt.h"

namespace prova {

inline void AvviaQtProva() {
  static char nome[] = "test_qt";
  static char* argv[] = {nome, nullptr};
  ui::AvviaQt(1, argv);
}

inline std::string FileSchermata(const std::string& nome) {
  const char* base = std::getenv("DDT_TEST_TMP");
  const std::filesystem::path dir = base && *base ? std::filesystem::path(base) : std::filesystem::temp_directory_path();
  std::filesystem::create_directories(dir);
  std::filesystem::remove(dir / nome);
  return (dir / nome).string();
}

}  // namespace prova
