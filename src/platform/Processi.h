#pragma once
// Outside programs the desktop offers (sound players, help viewers), found
// on the PATH when they are needed and started in the background: the
// program never waits for them and never installs them.
#include <functional>
#include <string>
#include <vector>

namespace vb::processi {

// Full path of the program `nome` on the PATH; "" when there is none.
std::string CercaProgramma(const std::string& nome);

// Starts argv[0] (looked up on the PATH) with the given arguments, its
// standard streams on /dev/null, in a session of its own so that it outlives
// a closed terminal. Returns its process id, or -1 when it could not start
// (then `allaFine` is not called). `allaFine` runs on a helper thread when
// the program has ended, with its exit status (-1 killed by a signal).
long Avvia(const std::vector<std::string>& argv, std::function<void(int esito)> allaFine = {});

}  // namespace vb::processi
