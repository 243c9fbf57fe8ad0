#include "board/rule_pictures.h"
#include "board/rules.h"
#include "shell/game.h"
#include "shell/platform.h"

namespace {

// One line of the board with an emitter's place at each end: a row with 50
// in column 0 and 52 in column 12, or a column with 51 in row 0 and 53 in
// row 9.
struct BeamLine {
  int length;       // cells in the line
  int nearCode;     // emitter at the line's start, whose beam marks nearly everything
  int farCode;      // emitter at the line's end, whose beam marks only floor-like cells
  int mark;         // object code of the beam
  Cell (*cellAt)(int line, int k);
};

Cell rowCell(int row, int k) { return {k, row}; }
Cell columnCell(int col, int k) { return {col, k}; }

constexpr BeamLine rowLines{boardCols, codeEmitterRight, codeEmitterLeft, objBeamH, rowCell};
constexpr BeamLine columnLines{boardRows, codeEmitterDown, codeEmitterUp, objBeamV, columnCell};

bool stopsBeam(Cell c) { return isThing(objectAt(c)) || baseAt(c) > 19; }
bool nearBeamMarks(int base) { return base <= 19; }
// The far emitters' beams pass keys, mugs, doors and pads unseen.
bool farBeamMarks(int base) { return base <= codeWater || base == codeTrapDeadly; }

// Both beams of a line advance together, one cell each per k; the line is
// done as soon as either meets an obstacle.
void fireLine(const BeamLine& kind, int line) {
  int last = kind.length - 1;
  bool nearFires = baseAt(kind.cellAt(line, 0)) == kind.nearCode;
  bool farFires = baseAt(kind.cellAt(line, last)) == kind.farCode;
  for (int k = 0; k <= last; ++k) {
    Cell nearCell = kind.cellAt(line, k), farCell = kind.cellAt(line, last - k);
    if (nearFires && nearBeamMarks(baseAt(nearCell))) setObject(nearCell, kind.mark);
    if (farFires && farBeamMarks(baseAt(farCell))) setObject(farCell, kind.mark);
    if (k == last) return;
    if (nearFires && stopsBeam(kind.cellAt(line, k + 1))) return;
    if (farFires && stopsBeam(kind.cellAt(line, last - 1 - k))) return;
  }
}

void clearBeamMarks() {
  for (int c = 0; c < boardCols; ++c)
    for (int r = 0; r < boardRows; ++r)
      if (objectAt({c, r}) <= objBeamV) setObject({c, r}, objNone);
}

// Beams and emitters alternate between two pictures by rewriting the
// pictures the scene draws them from.
void animateBeamPictures(int stepProgress, float beamPhase) {
  if (!I_Drawing()) return;
  if (beamPhase < 5 && stepProgress == 0) {
    copySheetRegion(assets.atlas, 332, 498, 82, 82, assets.imageGe, 285, 0);
    copySheetRegion(assets.atlas, 581, 498, 82, 82, assets.imageGe, 380, 0);
  }
  if (beamPhase > 4) {
    copySheetRegion(assets.atlas, 415, 498, 82, 82, assets.imageGe, 285, 0);
    copySheetRegion(assets.atlas, 498, 498, 82, 82, assets.imageGe, 380, 0);
  }
  if (stepProgress == 0)
    copySheetRegion(assets.atlas, beamPhase > 4 ? 0 : 332, 913, 249, 82, assets.atlas, 0, 415);
}

}  // namespace

void updateBeams(int stepProgress, double& beamClock, float& beamPhase, int carrying) {
  if (stepProgress == 0 && carrying == 0) clearBeamMarks();
  double now = I_GetTime();
  if (now > beamClock + 0.04) {
    beamPhase += 1.0f;
    if (beamPhase > 8.0f) beamPhase = 0.0f;
    animateBeamPictures(stepProgress, beamPhase);
    beamClock = now;
  }
  // During a step the marks stay as they were; from pixel 81 on, with the
  // carried box put down, they are added to without clearing.
  if (stepProgress != 0 && stepProgress <= 80) return;
  // Rows first: where a column beam crosses a row beam the cell holds 4.
  for (int r = 0; r < boardRows; ++r) fireLine(rowLines, r);
  for (int c = 0; c < boardCols; ++c) fireLine(columnLines, c);
}
