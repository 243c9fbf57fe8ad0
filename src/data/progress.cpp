#include "data/progress.h"

#include <algorithm>
#include <climits>
#include <string>
#include <string_view>
#include <vector>

#include "data/files.h"
#include "data/level_file.h"
#include "shell/game.h"

Progress progress{};

namespace {

constexpr const char* blanks = " \t\r\n\v\f";

// The number a word starts with; a number too long for an int reads as the
// largest of its sign. False when the word does not start with a number.
bool leadingNumber(std::string_view word, int& value) {
  size_t p = 0;
  bool negative = false;
  if (p < word.size() && (word[p] == '+' || word[p] == '-')) negative = word[p++] == '-';
  if (p >= word.size() || word[p] < '0' || word[p] > '9') return false;
  long long v = 0;
  for (; p < word.size() && word[p] >= '0' && word[p] <= '9'; ++p)
    v = std::min<long long>(v * 10 + (word[p] - '0'), INT_MAX);
  value = static_cast<int>(negative ? -v : v);
  return true;
}

// Reads up to count words into the fields in file order. A word that is not
// a number leaves its field as it was and the reading goes on, so a damaged
// value costs only itself, not every value after it.
template <typename Store>
void readIntegers(const char* path, int count, Store store) {
  std::string bytes;
  if (!readWholeFile(path, bytes)) return;
  std::string_view text(bytes);
  size_t pos = 0;
  for (int i = 0; i < count; ++i) {
    pos = text.find_first_not_of(blanks, pos);
    if (pos == std::string_view::npos) return;
    size_t end = std::min(text.find_first_of(blanks, pos), text.size());
    int v;
    if (leadingNumber(text.substr(pos, end - pos), v)) store(i, v);
    pos = end;
  }
}

// Line 1 of the plain level file holds the unlocked level. Below 1 is level
// 1; 51 is what a save between the last level and the final screen holds;
// a larger number is no save's: every level open, play at the last.
int readUnlockedLevel() {
  std::vector<std::string> lines = readPlainLevelLines();
  std::string_view header = lines.empty() ? std::string_view() : std::string_view(lines[0]);
  int level = 0;
  size_t start = header.find_first_not_of(blanks);
  if (start != std::string_view::npos) leadingNumber(header.substr(start), level);
  if (level > game.levelCount + 1) return game.levelCount;
  return std::max(level, 1);
}

}  // namespace

void readProgress() {
  game.currentLevel = readUnlockedLevel();
  readIntegers(mediaPath::bestMugs, 51, [](int i, int v) {
    if (i < 50)
      progress.bestMugs[i + 1] = std::clamp(v, 0, mugsInLevel(i + 1));
    else
      progress.playSeconds = std::clamp(v, 0, maxPlaySeconds);
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
