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

// The record as the stored level file holds it in plain form: 11 lines, each
// followed by CR LF.
std::string recordText(const LevelSource& level);

// Move strings: how solutions are stored ("solution:") and replayed.
// One character per action, in order; spaces are ignored:
//   R L U D  one press of the Right, Left, Up or Down arrow. The key is held
//            from the frame in which the player stands still until the step
//            has started (the frame that moves the first pixel), then let go.
//            The step runs its 82 frames to arrival; then frames with no key
//            run until the player stays put for a frame and no slider moves
//            (a jump pad throws the player in the first of them). A press
//            must start a step: one into a wall or a blocked push is a fault.
//   .        no key, until the trap phase next changes (a wait for traps).
// The letters are upper case; any other character is an error.
constexpr char waitMove = '.';
bool parseMoves(const std::string& text, std::string& moves, std::string& error);
