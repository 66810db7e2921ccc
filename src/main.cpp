#include <cstdio>

int main() {
  std::puts("Velnor DDT: il programma non e' ancora avviabile da solo.");
  return 0;
}
