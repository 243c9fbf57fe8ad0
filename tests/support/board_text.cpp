#include "support/board_text.h"

#include <sstream>
#include <stdexcept>

#include "board/board.h"

namespace {

struct Glyph {
  char ch;
  int base;
  int object;
};

constexpr Glyph glyphs[] = {
    {'.', 0, 0},   {'o', 1, 0},   {'_', 2, 0},   {'t', 3, 0},   {'~', 4, 0},   {'k', 5, 0},
    {'6', 6, 0},   {'7', 7, 0},   {'8', 8, 0},   {'9', 9, 0},   {'m', 10, 0},  {'T', 11, 0},
    {'g', 12, 0},  {'r', 13, 0},  {'l', 14, 0},  {'u', 15, 0},  {'d', 16, 0},  {'=', 20, 0},
    {'#', 21, 0},  {'x', 44, 0},  {'A', 46, 0},  {'B', 44, 18}, {'C', 48, 0},  {'D', 49, 0},
    {'E', 50, 0},  {'F', 51, 0},  {'G', 52, 0},  {'H', 53, 0},  {'b', 0, 17},  {'s', 0, 19},
    {'-', 0, 3},   {'|', 0, 4},   {'@', 0, 0},
};

const Glyph* glyphFor(char ch) {
  for (const Glyph& g : glyphs)
    if (g.ch == ch) return &g;
  return nullptr;
}

}  // namespace

void setBoardFromText(const std::string& text) {
  clearBoard();
  for (int c = 0; c < boardCols; ++c)
    for (int r = 0; r < boardRows; ++r) board.baseLayer[cellIndex(c, r)] = 21;
  std::istringstream in(text);
  std::string line;
  int r = 0;
  while (std::getline(in, line)) {
    size_t first = line.find_first_not_of(" \t");
    if (first == std::string::npos) continue;  // blank lines around a raw string
    line = line.substr(first);
    if (r >= boardRows) throw std::invalid_argument("more than 10 rows");
    for (int c = 0; c < static_cast<int>(line.size()) && c < boardCols; ++c) {
      const Glyph* g = glyphFor(line[c]);
      if (!g) throw std::invalid_argument(std::string("unknown board character ") + line[c]);
      board.baseLayer[cellIndex(c, r)] = g->base;
      board.objectLayer[cellIndex(c, r)] = g->object;
      if (g->ch == '@') {
        Point p = cellOrigin(c, r);
        board.playerX = p.x;
        board.playerY = p.y;
      }
    }
    ++r;
  }
}

std::string boardToText(bool showPlayer) {
  std::string out;
  for (int r = 0; r < boardRows; ++r) {
    for (int c = 0; c < boardCols; ++c) {
      int base = board.baseLayer[cellIndex(c, r)], object = board.objectLayer[cellIndex(c, r)];
      Point p = cellOrigin(c, r);
      char ch = '?';
      if (showPlayer && board.playerX == p.x && board.playerY == p.y && base == 0 && object == 0) {
        ch = '@';
      } else {
        for (const Glyph& g : glyphs)
          if (g.base == base && g.object == object && g.ch != '@') {
            ch = g.ch;
            break;
          }
      }
      out += ch;
    }
    out += '\n';
  }
  return out;
}
