#pragma once
// A private folder for one test, removed when the test ends.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace prova {

class CartellaTemp {
 public:
  explicit CartellaTemp(const std::string& prefisso = "t") {
    const char* base = std::getenv("DDT_TEST_TMP");
    dir_ = (base && *base) ? std::filesystem::path(base) : std::filesystem::temp_directory_path();
    dir_ /= prefisso + "-" + std::to_string(std::random_device{}()) + std::to_string(std::rand());
    std::filesystem::create_directories(dir_);
  }
  ~CartellaTemp() {
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }
  CartellaTemp(const CartellaTemp&) = delete;
  CartellaTemp& operator=(const CartellaTemp&) = delete;

  std::string Percorso(const std::string& nome) const { return (dir_ / nome).string(); }
  const std::filesystem::path& Dir() const { return dir_; }

  void Scrivi(const std::string& nome, const std::string& dati) const {
    std::ofstream(dir_ / nome, std::ios::binary) << dati;
  }
  std::string Leggi(const std::string& nome) const {
    std::ifstream in(dir_ / nome, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  bool Esiste(const std::string& nome) const { return std::filesystem::exists(dir_ / nome); }

 private:
  std::filesystem::path dir_;
};

}  // namespace prova
