// A stand-in media player for tests: records how it was started and exits. The folder named by
// VORLANE_FAKE_PLAYER_LOG receives one file per start. Windows records the raw command line; POSIX, which
// has none, records the arguments one per line.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

std::string Record([[maybe_unused]] int argc, [[maybe_unused]] char** argv) {
#ifdef _WIN32
  const wchar_t* line = GetCommandLineW();
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, line, -1, nullptr, 0, nullptr, nullptr);
  std::string utf8(bytes > 0 ? bytes - 1 : 0, '\0');
  if (bytes > 1) WideCharToMultiByte(CP_UTF8, 0, line, -1, utf8.data(), bytes, nullptr, nullptr);
  return utf8;
#else
  std::string arguments;
  for (int i = 0; i < argc; ++i) arguments += std::string(argv[i]) + "\n";
  return arguments;
#endif
}

}  // namespace

int main(int argc, char** argv) {
  const char* folder = std::getenv("VORLANE_FAKE_PLAYER_LOG");
  if (folder == nullptr) return 2;
  std::random_device entropy;
  const std::string name = std::to_string(entropy()) + std::to_string(entropy());
  const std::filesystem::path partial = std::filesystem::path(folder) / (name + ".part");
  {
    std::ofstream out(partial, std::ios::binary);
    out << Record(argc, argv);
  }
  // Renamed only when complete, so that a reader never sees half a record.
  std::filesystem::rename(partial, std::filesystem::path(folder) / (name + ".start"));
  return 0;
}
