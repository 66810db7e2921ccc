#pragma once
// Child processes for the tests that several users run at once on one
// company database: each child works on its own connections, as another
// program would, and answers through its exit code.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <functional>

#include "platform/Errore.h"

namespace prova {

// Runs `f` in a child process and gives back its pid; the child's exit code
// is f's answer (a legacy error: its number modulo 256, after a line on the
// standard error; anything else: 255).
inline pid_t Figlio(const std::function<int()>& f) {
  std::fflush(nullptr);
  const pid_t p = fork();
  if (p == 0) {
    int r = 0;
    try {
      r = f();
    } catch (const vb::Errore& e) {
      std::fprintf(stderr, "figlio: errore %ld %s\n", e.Number(), e.Description().c_str());
      r = static_cast<int>(e.Number() % 256);
    } catch (...) {
      r = 255;
    }
    _exit(r);
  }
  return p;
}

// The child's exit code; -1 when it did not exit by itself.
inline int Attendi(pid_t p) {
  int st = 0;
  waitpid(p, &st, 0);
  return WIFEXITED(st) ? WEXITSTATUS(st) : -1;
}

}  // namespace prova
