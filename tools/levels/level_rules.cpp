#include "level_rules.h"

#include "data/level_file.h"
#include "screens/screens.h"

void clearBeamMarks(Board& b) {
  for (int c = 0; c < boardCols; ++c)
    for (int r = 0; r < boardRows; ++r)
      if (b.objectLayer[cellIndex(c, r)] <= objBeamV) b.objectLayer[cellIndex(c, r)] = objNone;
}

namespace {

bool blocksBeam(const Board& b, Cell c) { return isThing(objectOn(b, c)) || baseOn(b, c) > 19; }
// Emitters 50 and 51 mark every cell a beam passes; 52 and 53 skip keys,
// mugs, doors and pads, which their beams cross unseen.
bool nearMarks(int base) { return base <= 19; }
bool farMarks(int base) { return base <= codeWater || base == codeTrapDeadly; }

// One line of cells from both ends at once, as the game walks it: the two
// beams advance together and the line ends when either meets an obstacle.
void markLine(Board& b, Cell first, Cell last, int dc, int dr, int length, int nearCode, int farCode, int mark) {
  bool near = baseOn(b, first) == nearCode, far = baseOn(b, last) == farCode;
  if (!near && !far) return;
  for (int k = 0; k < length; ++k) {
    Cell n{first.col + k * dc, first.row + k * dr}, f{last.col - k * dc, last.row - k * dr};
    if (near && nearMarks(baseOn(b, n))) setObjectOn(b, n, mark);
    if (far && farMarks(baseOn(b, f))) setObjectOn(b, f, mark);
    if (k == length - 1) break;
    Cell n1{n.col + dc, n.row + dr}, f1{f.col - dc, f.row - dr};
    if ((near && blocksBeam(b, n1)) || (far && blocksBeam(b, f1))) break;
  }
}

}  // namespace

void markBeams(Board& b) {
  for (int r = 0; r < boardRows; ++r)
    markLine(b, {0, r}, {boardCols - 1, r}, 1, 0, boardCols, codeEmitterRight, codeEmitterLeft, objBeamH);
  for (int c = 0; c < boardCols; ++c)
    markLine(b, {c, 0}, {c, boardRows - 1}, 0, 1, boardRows, codeEmitterDown, codeEmitterUp, objBeamV);
}

bool hasEmitters(const Board& b) {
  for (int i = 0; i < layerSize; ++i)
    if (isEmitter(b.baseLayer[i])) return true;
  return false;
}

void removeCages(Board& b) {
  for (int c = 0; c < boardCols; ++c)
    for (int r = 0; r < boardRows; ++r)
      if (b.baseLayer[cellIndex(c, r)] == codeCage) b.baseLayer[cellIndex(c, r)] = codeFloor;
}

Field fieldOf(int levelNumber) {
  if (levelNumber <= 20) return {2, 10, 2, 7};
  return {1, 11, 1, 8};
}

LevelStart loadStart(const LevelSource& level) {
  LevelStart start;
  int col = 0, row = 0, kind = 0;
  clearBoard();
  loadLevelFromRecord(recordText(level), col, row, kind);
  start.board = board;
  start.player = cellOf(board.playerX, board.playerY);
  start.door = {col, row};
  start.doorKind = kind;
  return start;
}

int boardFreeCells(const Board& b) {
  board = b;
  return freeCells();
}

int boardPoints(const Board& b, int mugs) {
  board = b;
  return pointsTarget(mugs);
}

int thresholdOf(int levelNumber) { return starThreshold[levelNumber]; }
