#include "platform/Processi.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <thread>

extern char** environ;

namespace vb::processi {

std::string CercaProgramma(const std::string& nome) {
  if (nome.empty()) return {};
  auto eseguibile = [](const std::string& p) {
    struct stat st {};
    return ::stat(p.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(p.c_str(), X_OK) == 0;
  };
  if (nome.find('/') != std::string::npos) return eseguibile(nome) ? nome : std::string();
  const char* path = std::getenv("PATH");
  if (!path) return {};
  std::string elenco = path;
  size_t inizio = 0;
  while (inizio <= elenco.size()) {
    size_t fine = elenco.find(':', inizio);
    if (fine == std::string::npos) fine = elenco.size();
    const std::string dir = fine > inizio ? elenco.substr(inizio, fine - inizio) : std::string(".");
    const std::string candidato = dir + "/" + nome;
    if (eseguibile(candidato)) return candidato;
    inizio = fine + 1;
  }
  return {};
}

long Avvia(const std::vector<std::string>& argv, std::function<void(int)> allaFine) {
  if (argv.empty()) return -1;
  const std::string programma = CercaProgramma(argv[0]);
  if (programma.empty()) return -1;

  std::vector<char*> args;
  for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);

  posix_spawn_file_actions_t azioni;
  posix_spawn_file_actions_init(&azioni);
  posix_spawn_file_actions_addopen(&azioni, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&azioni, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&azioni, 2, "/dev/null", O_WRONLY, 0);
  posix_spawnattr_t attributi;
  posix_spawnattr_init(&attributi);
#ifdef POSIX_SPAWN_SETSID
  posix_spawnattr_setflags(&attributi, POSIX_SPAWN_SETSID);
#endif
  pid_t pid = -1;
  const int esito = ::posix_spawn(&pid, programma.c_str(), &azioni, &attributi, args.data(), environ);
  posix_spawn_file_actions_destroy(&azioni);
  posix_spawnattr_destroy(&attributi);
  if (esito != 0) return -1;

  // Reaped on a thread of its own, so no finished player is left behind
  // as a zombie and the caller never waits.
  std::thread([pid, fine = std::move(allaFine)] {
    int stato = 0;
    while (::waitpid(pid, &stato, 0) < 0) {
      if (errno != EINTR) {
        stato = -1;
        break;
      }
    }
    if (fine) fine(stato >= 0 && WIFEXITED(stato) ? WEXITSTATUS(stato) : -1);
  }).detach();
  return static_cast<long>(pid);
}

}  // namespace vb::processi
