// Reorder files: the fixed-width line in the readers' code page, and several
// processes appending to one supplier file at once.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>

#include "lineaids/DaOrdi.h"
#include "support/CartellaTemp.h"

namespace {

TEST(DaOrdi, FixedWidthsWithAndWithoutTheQuantity) {
  EXPECT_EQ(daordi::RigaDaOrdi("VITE0410", "Viti", nullptr, ""),
            "VITE0410             - Viti                           - ");
  const double qta = 1234.5;
  EXPECT_EQ(daordi::RigaDaOrdi("VITE0410", "Viti", &qta, "nota"),
            "VITE0410             - Viti                           -    1.234,5 - nota");
}

TEST(DaOrdi, Windows1252AndCrLf) {
  prova::CartellaTemp dir{"daordi"};
  const std::string file = dir.Percorso("Altri.doc");
  daordi::AppendiBloccato(file, "Però", {});
  std::ifstream in(file, std::ios::binary);
  const std::string tutto((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(tutto, "Per\xF2\r\n");
}

TEST(DaOrdi, FourProcessesAppendingGiveEveryLineWhole) {
  prova::CartellaTemp dir{"daordi"};
  const std::string file = dir.Percorso("Fornitore.doc");
  daordi::AttesaMs() = 2;
  constexpr int kProcessi = 4, kRighe = 200;
  pid_t figli[kProcessi];
  for (int p = 0; p < kProcessi; ++p) {
    figli[p] = fork();
    ASSERT_GE(figli[p], 0);
    if (figli[p] == 0) {
      int esito = 0;
      try {
        for (int i = 0; i < kRighe; ++i) {
          const double qta = i;
          daordi::AppendiBloccato(file,
                                  daordi::RigaDaOrdi("P" + std::to_string(p) + "-" + std::to_string(i),
                                                     std::string(30, static_cast<char>('a' + p)), &qta, "n"),
                                  [](int) { usleep(2000); });
        }
      } catch (...) {
        esito = 1;
      }
      _exit(esito);
    }
  }
  for (pid_t f : figli) {
    int stato = 0;
    waitpid(f, &stato, 0);
    EXPECT_TRUE(WIFEXITED(stato) && WEXITSTATUS(stato) == 0);
  }
  std::ifstream in(file, std::ios::binary);
  const std::string tutto((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::istringstream righe(tutto);
  std::string r;
  int n = 0;
  int perProcesso[kProcessi] = {};
  while (std::getline(righe, r, '\n')) {
    ++n;
    ASSERT_EQ(r.size(), 20u + 3 + 30 + 3 + 10 + 3 + 1 + 1) << n;
    ASSERT_EQ(r.back(), '\r');
    const int p = r[1] - '0';
    ASSERT_TRUE(p >= 0 && p < kProcessi);
    EXPECT_EQ(r.substr(23, 30), std::string(30, static_cast<char>('a' + p)));
    ++perProcesso[p];
  }
  EXPECT_EQ(n, kProcessi * kRighe);
  for (int c : perProcesso) EXPECT_EQ(c, kRighe);
}

}  // namespace
