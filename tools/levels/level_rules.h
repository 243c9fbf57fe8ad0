// Board rules shared by the level tool's two models (whole cells, and frame
// by frame) and its form checks. They work on a Board value, not on the
// game's own board, so that a search can hold many.
#pragma once

#include "board/board.h"
#include "level_source.h"

inline int baseOn(const Board& b, Cell c) {
  int i = cellIndex(c.col, c.row);
  return inLayers(i) ? b.baseLayer[i] : codeOutside;
}
inline int objectOn(const Board& b, Cell c) {
  int i = cellIndex(c.col, c.row);
  return inLayers(i) ? b.objectLayer[i] : codeOutside;
}
inline void setBaseOn(Board& b, Cell c, int code) {
  if (inLayers(cellIndex(c.col, c.row))) b.baseLayer[cellIndex(c.col, c.row)] = code;
}
inline void setObjectOn(Board& b, Cell c, int code) {
  if (inLayers(cellIndex(c.col, c.row))) b.objectLayer[cellIndex(c.col, c.row)] = code;
}

constexpr bool isBox(int objectCode) { return objectCode == objBox || objectCode == objCagedBox; }
constexpr bool isCollectible(int code) { return code == codeExitKey || code == codeMug || code == codeCageKey; }
constexpr bool isDeadlyFloor(int code) { return code == codePit || code == codeWater || code == codeTrapDeadly; }
constexpr bool isWallCode(int code) { return code == codeBlocker || (code >= 21 && code <= 43) || code == 45; }
constexpr bool isEmitter(int code) { return code >= codeEmitterRight && code <= codeEmitterUp; }
constexpr bool isTrap(int code) { return code == codeTrapSafe || code == codeTrapDeadly; }
// A pushed thing may enter a cell whose object code is 16 or less and whose
// base code is 4 or less; a sliding one only over objects of 4 or less.
inline bool pushFree(const Board& b, Cell c) { return objectOn(b, c) <= 16 && baseOn(b, c) <= codeWater; }
inline bool slideFree(const Board& b, Cell c) { return objectOn(b, c) <= objBeamV && baseOn(b, c) <= codeWater; }
// The trap's base code in a phase of the cycle (traps start safe at phase 0).
constexpr int trapCodeInPhase(int phase) { return phase >= 4 && phase <= 7 ? codeTrapDeadly : codeTrapSafe; }

// Beam marks: every mark (object 4 or less) cleared, and the marks the
// emitters write, added to whatever the board holds.
void clearBeamMarks(Board& b);
void markBeams(Board& b);
bool hasEmitters(const Board& b);
// The cage key: every cage on the board becomes floor.
void removeCages(Board& b);

// Where a level is played: levels 1..20 on the small field inside a ring of
// walls, the others on the full field inside the board's border.
struct Field {
  int col0, col1, row0, row1;  // inclusive
  bool contains(Cell c) const { return c.col >= col0 && c.col <= col1 && c.row >= row0 && c.row <= row1; }
};
Field fieldOf(int levelNumber);
constexpr bool onOuterEdge(Cell c) { return c.col <= 0 || c.col >= boardCols - 1 || c.row <= 0 || c.row >= boardRows - 1; }
constexpr int mugsOfLevel(int levelNumber) { return levelNumber <= 20 ? 3 : 5; }

// A level as loaded by the game's own reader.
struct LevelStart {
  Board board;      // as loaded, no beam marks yet
  Cell player;      // start cell
  Cell door{0, 0};  // exit door's cell
  int doorKind = 0; // its closed code 46..49 (0: no door)
};
LevelStart loadStart(const LevelSource& level);

// Scoring of a finished board, counted by the result screen's own functions.
int boardFreeCells(const Board& b);
int boardPoints(const Board& b, int mugs);
int thresholdOf(int levelNumber);
