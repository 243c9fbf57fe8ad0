// Fuzz targets for everything the game reads from files a player can edit.
// Built only with -DFUZZ=ON (clang); one binary per target, chosen by macro.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

#include "board/board.h"
#include "data/files.h"
#include "data/level_file.h"
#include "data/progress.h"
#include "data/text_table.h"
#include "shell/game.h"

namespace {

[[maybe_unused]] void writeFile(const char* path, const uint8_t* data, size_t size) {
  std::FILE* f = std::fopen(path, "wb");
  if (!f) return;
  std::fwrite(data, 1, size, f);
  std::fclose(f);
}

// Runs in a scratch directory of its own so media/ paths resolve there.
struct ScratchDir {
  ScratchDir() {
    char pattern[] = "/tmp/mugcellar-fuzz-XXXXXX";
    if (mkdtemp(pattern) && chdir(pattern) == 0) std::system("mkdir -p media");
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static ScratchDir scratch;
  std::string bytes(reinterpret_cast<const char*>(data), size);
#if defined(FUZZ_LEVEL_FILE)
  // The stored file decoded, every level loaded, then saved back.
  writeFile(mediaPath::storedLevels, data, size);
  decodeStoredLevelFile();
  for (int level = 0; level <= 51; ++level) {
    game.currentLevel = level;
    int col = 0, row = 0, kind = 0;
    loadLevel(col, row, kind);
  }
  game.unlockedLevel = 3;
  encodeStoredLevelFile(game.unlockedLevel);
#elif defined(FUZZ_LEVEL_RECORD)
  int col = 0, row = 0, kind = 0;
  clearBoard();
  loadLevelFromRecord(bytes, col, row, kind);
#elif defined(FUZZ_PROGRESS)
  // The same bytes as every progress file and as the plain level file.
  writeFile(mediaPath::plainLevels, data, size);
  writeFile(mediaPath::bestMugs, data, size);
  writeFile(mediaPath::stars, data, size);
  progress = Progress{};
  readProgress();
  if (game.currentLevel < 1 || game.currentLevel > 51) __builtin_trap();
  for (int i = 1; i <= 50; ++i)
    if (progress.bestMugs[i] < 0 || progress.bestMugs[i] > mugsInLevel(i) || progress.starTaken[i] < 0 ||
        progress.starTaken[i] > 1)
      __builtin_trap();
  if (progress.playSeconds < 0 || progress.playSeconds > maxPlaySeconds) __builtin_trap();
  // What was read is saved and read back unchanged: no drift from start to start.
  Progress read = progress;
  saveProgress();
  progress = Progress{};
  readProgress();
  if (std::memcmp(&read, &progress, sizeof read) != 0) __builtin_trap();
#elif defined(FUZZ_TEXT_TABLE)
  writeFile(mediaPath::texts, data, size);
  textTable = TextTable{};
  readTextTable(mediaPath::texts);
  for (int i = 0; i < textLineCount; ++i) (void)formatTextLine(textLine(i), {1, 2});
#elif defined(FUZZ_TEXT_FORMAT)
  // Any line with any argument count is safe to format.
  int a = size > 0 ? data[0] : 0;
  (void)formatTextLine(bytes, {});
  (void)formatTextLine(bytes, {a});
  (void)formatTextLine(bytes, {a, -a});
#endif
  return 0;
}
