// A stand-in for an outside program: writes the arguments it was started with, one per line after a
// count line, into "argv.txt" in its current directory, so a test can see how its command line arrived.
#include <cstdio>
#include <fstream>

int main(int argc, char** argv) {
  std::ofstream out("argv.txt.part", std::ios::binary);
  out << argc - 1 << '\n';
  for (int i = 1; i < argc; ++i) out << argv[i] << '\n';
  out.close();
  // Renamed when complete, so a test never reads half a file.
  return std::rename("argv.txt.part", "argv.txt") == 0 ? 0 : 1;
}
