#include "support/play_fixture.h"

#include <fstream>

#include "data/files.h"
#include "data/level_file.h"
#include "level_source.h"

std::string picture(std::initializer_list<std::pair<Cell, char>> cells) {
  std::string rows[boardRows];
  for (std::string& row : rows) row.assign(boardCols, '#');
  for (const auto& [cell, ch] : cells) rows[cell.row][cell.col] = ch;
  std::string text;
  for (const std::string& row : rows) text += row + "\n";
  return text;
}

void storeBoardAsLevel(int n) {
  LevelSource level;
  level.number = n;
  for (int r = 0; r < boardRows; ++r)
    for (int c = 0; c < boardCols; ++c) {
      int object = board.objectLayer[cellIndex(c, r)];
      Point origin = cellOrigin(c, r);
      int& code = level.codes[r][c];
      code = board.baseLayer[cellIndex(c, r)];
      if (isThing(object)) code = object;
      if (board.playerX == origin.x && board.playerY == origin.y) code = codePlayerStart;
    }
  std::string bytes;
  readWholeFile(mediaPath::plainLevels, bytes);
  std::vector<std::string> lines = splitLines(bytes, levelFileLines);
  lines.resize(levelFileLines);
  std::vector<std::string> record = recordLines(level);
  for (size_t i = 0; i < record.size(); ++i) lines[(n - 1) * linesPerRecord + i] = record[i];
  std::ofstream(mediaPath::plainLevels, std::ios::binary | std::ios::trunc) << joinLevelLines(lines);
}
