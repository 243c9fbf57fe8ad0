// The readable form of a level in levels/NN.txt, and its record in the
// stored level file.
#pragma once

#include <array>
#include <string>
#include <vector>

struct LevelSource {
  int number = 0;                 // 1..50, from the file name
  std::string title;              // "title:" line
  std::string idea;               // "idea:" line
  std::array<std::array<int, 13>, 10> codes{};  // [row][col]
  std::string solution;           // "solution:" line, a move string (may be empty)
};

// Reads levels/NN.txt; on bad input returns false and says why in error.
bool readLevelSource(const std::string& path, LevelSource& level, std::string& error);

// The level's 11 plain lines; the header is " 1" in record 1 (the unlocked
// level of a new game) and " 0" elsewhere, so every record is 544 bytes.
std::vector<std::string> recordLines(const LevelSource& level);

// Reads all 50 levels from a directory.
bool readLevelSet(const std::string& dir, std::vector<LevelSource>& levels, std::string& error);
