#include "data/progress.h"

#include <algorithm>
#include <string>

#include "data/files.h"
#include "data/level_file.h"
#include "shell/game.h"

Progress progress{};

namespace {

// Reads up to count integers into the fields in file order; a missing file
// or a value that is not a number leaves the rest as they were.
template <typename Store>
void readIntegers(const char* path, int count, Store store) {
  std::string bytes;
  if (!readWholeFile(path, bytes)) return;
  IntReader reader(bytes);
  int v;
  for (int i = 0; i < count && reader.next(v); ++i) store(i, v);
}

}  // namespace

void readProgress() {
  std::string bytes;
  int level = 0;
  if (readWholeFile(mediaPath::plainLevels, bytes)) {
    IntReader reader(bytes);
    reader.next(level);
  }
  // 51 is the moment between the last level and the final screen.
  game.currentLevel = std::clamp(level, 1, game.levelCount + 1);

  readIntegers(mediaPath::bestMugs, 51, [](int i, int v) {
    if (i < 50)
      progress.bestMugs[i + 1] = std::clamp(v, 0, mugsInLevel(i + 1));
    else
      progress.playSeconds = std::max(v, 0);
  });
  readIntegers(mediaPath::stars, 51, [](int i, int v) {
    int star = v == 1 ? 1 : 0;
    if (i < 50)
      progress.starTaken[i + 1] = star;
    else
      progress.starSpare = star;
  });
  game.unlockedLevel = game.currentLevel;
  game.campaignLevel = game.currentLevel;
}

std::string bestMugsFileText() {
  std::string out;
  for (int i = 1; i <= 50; ++i) out += std::to_string(progress.bestMugs[i]) + " ";
  return out + std::to_string(progress.playSeconds) + " ";
}

std::string starsFileText() {
  std::string out;
  for (int i = 1; i <= 50; ++i) out += std::to_string(progress.starTaken[i]) + " ";
  return out + std::to_string(progress.starSpare) + " ";
}

void saveProgress() {
  encodeStoredLevelFile(game.unlockedLevel);
  writeFileAtomically(mediaPath::bestMugs, bestMugsFileText());
  writeFileAtomically(mediaPath::stars, starsFileText());
}

void resetProgress() {
  std::fill(std::begin(progress.bestMugs), std::end(progress.bestMugs), 0);
  std::fill(std::begin(progress.starTaken), std::end(progress.starTaken), 0);
  progress.playSeconds = 0;
  progress.starSpare = 0;
}

int starTotal() {
  int n = progress.starSpare == 1 ? 1 : 0;
  for (int i = 1; i <= 50; ++i) n += progress.starTaken[i] == 1 ? 1 : 0;
  return n;
}

int mugTotal() {
  int n = 0;
  for (int i = 1; i <= 50; ++i) n += progress.bestMugs[i];
  return n;
}
