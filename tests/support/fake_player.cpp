// A stand-in media player for tests: records how it was started and exits. The folder named by
// VORLANE_FAKE_PLAYER_LOG receives one file per start (player_start.h says what it holds).
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "player_start.h"

int main(int argc, char** argv) {
  const char* folder = std::getenv("VORLANE_FAKE_PLAYER_LOG");
  if (folder == nullptr) return 2;
  std::random_device entropy;
  const std::string name = std::to_string(entropy()) + std::to_string(entropy());
  const std::filesystem::path partial = std::filesystem::path(folder) / (name + ".part");
  {
    std::ofstream out(partial, std::ios::binary);
    out << vorlane::test::PlayerStartRecord(argc, argv);
  }
  // Renamed only when complete, so that a reader never sees half a record.
  std::filesystem::rename(partial, std::filesystem::path(folder) / (name + ".start"));
  return 0;
}
