#include "level_source.h"

#include <cstdio>
#include <fstream>
#include <sstream>

#include "data/level_file.h"

bool readLevelSource(const std::string& path, LevelSource& level, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = path + ": cannot open";
    return false;
  }
  std::string line;
  int row = 0, lineNo = 0;
  while (std::getline(in, line)) {
    ++lineNo;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    auto field = [&](const char* name, std::string& into) {
      std::string prefix = std::string(name) + ":";
      if (line.rfind(prefix, 0) != 0) return false;
      into = line.substr(prefix.size());
      while (!into.empty() && into.front() == ' ') into.erase(0, 1);
      return true;
    };
    if (line.empty() || line[0] == '#') continue;
    if (field("title", level.title) || field("idea", level.idea) || field("solution", level.solution)) continue;
    std::istringstream cells(line);
    int col = 0, v;
    while (cells >> v) {
      if (row >= 10 || col >= 13) {
        error = path + ":" + std::to_string(lineNo) + ": more than 13 columns or 10 rows";
        return false;
      }
      level.codes[row][col++] = v;
    }
    if (!cells.eof()) {
      error = path + ":" + std::to_string(lineNo) + ": not a number in the grid";
      return false;
    }
    if (col != 13) {
      error = path + ":" + std::to_string(lineNo) + ": a row needs 13 codes, found " + std::to_string(col);
      return false;
    }
    ++row;
  }
  if (row != 10) {
    error = path + ": the grid needs 10 rows, found " + std::to_string(row);
    return false;
  }
  return true;
}

std::vector<std::string> recordLines(const LevelSource& level) {
  std::vector<std::string> lines;
  lines.push_back(level.number == 1 ? " 1" : " 0");
  for (const auto& row : level.codes) {
    std::string text;
    char cell[16];
    for (int v : row) {
      std::snprintf(cell, sizeof cell, "%4d", v);
      text += cell;
    }
    lines.push_back(text);
  }
  return lines;
}

bool readLevelSet(const std::string& dir, std::vector<LevelSource>& levels, std::string& error) {
  levels.assign(50, LevelSource{});
  for (int n = 1; n <= 50; ++n) {
    char name[32];
    std::snprintf(name, sizeof name, "/%02d.txt", n);
    levels[n - 1].number = n;
    if (!readLevelSource(dir + name, levels[n - 1], error)) return false;
  }
  return true;
}

std::string recordText(const LevelSource& level) { return joinLevelLines(recordLines(level)); }

bool parseMoves(const std::string& text, std::string& moves, std::string& error) {
  moves.clear();
  for (size_t i = 0; i < text.size(); ++i) {
    char ch = text[i];
    if (ch == ' ' || ch == '\t') continue;
    if (ch != 'R' && ch != 'L' && ch != 'U' && ch != 'D' && ch != waitMove) {
      error = "move " + std::to_string(i + 1) + ": '" + std::string(1, ch) + "' is not one of R L U D .";
      return false;
    }
    moves += ch;
  }
  return true;
}
