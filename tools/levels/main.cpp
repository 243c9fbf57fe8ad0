// The level tool: builds the stored level file from the level sources.
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "data/level_file.h"
#include "level_source.h"

namespace {

int usage() {
  std::fputs("usage: levels build LEVEL_DIR OUT_FILE\n", stderr);
  return 2;
}

int build(const std::string& dir, const std::string& out) {
  std::vector<LevelSource> levels;
  std::string error;
  if (!readLevelSet(dir, levels, error)) {
    std::fprintf(stderr, "levels: %s\n", error.c_str());
    return 1;
  }
  std::string bytes;
  for (const LevelSource& level : levels)
    for (const std::string& line : recordLines(level)) bytes += encodeLine(line) + "\r\n";
  std::ofstream file(out, std::ios::binary);
  file << bytes;
  if (!file) {
    std::fprintf(stderr, "levels: cannot write %s\n", out.c_str());
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return usage();
  std::string command = argv[1];
  if (command == "build" && argc == 4) return build(argv[2], argv[3]);
  return usage();
}
