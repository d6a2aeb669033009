// POSIX: a program receives its arguments already split.
#include "player_start.h"

namespace vorlane::test {

std::string PlayerStartRecord(int argc, char** argv) {
  std::string arguments;
  for (int i = 0; i < argc; ++i) arguments += std::string(argv[i]) + "\n";
  return arguments;
}

}  // namespace vorlane::test
