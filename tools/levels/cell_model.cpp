#include "cell_model.h"

Position startPosition(const LevelStart& start) {
  Position p;
  p.board = start.board;
  p.player = start.player;
  p.door = start.door;
  p.doorKind = start.doorKind;
  p.emitters = hasEmitters(p.board);
  clearBeamMarks(p.board);
  markBeams(p.board);
  return p;
}

Dir dirOfMove(char move) {
  switch (move) {
    case 'R': return Dir::right;
    case 'L': return Dir::left;
    case 'U': return Dir::up;
    case 'D': return Dir::down;
    default: return Dir::none;
  }
}

char moveOfDir(Dir d) {
  switch (d) {
    case Dir::right: return 'R';
    case Dir::left: return 'L';
    case Dir::up: return 'U';
    case Dir::down: return 'D';
    default: return '?';
  }
}

namespace {

struct Slide {
  Cell rest;       // where it ends (its last cell, sunk or not)
  bool sunk;
  int cells;       // cells moved
};

// A slider set off from `from` moves cell by cell while the next one is free
// for it, and fills the first water it enters.
Slide slideFrom(Board& b, Cell from, Dir d) {
  Slide s{from, false, 0};
  while (slideFree(b, stepCell(s.rest, d))) {
    s.rest = stepCell(s.rest, d);
    ++s.cells;
    if (baseOn(b, s.rest) == codeWater) {
      setBaseOn(b, s.rest, codeFilledWater);
      s.sunk = true;
      return s;
    }
  }
  setObjectOn(b, s.rest, objSlider);
  return s;
}

// The step's last frames rebuild the beams without clearing the marks that
// stood at rest: the arrival cell is in a beam if it was one before, or one
// reaches it on the board of pixel 81 (the carried box already down, a long
// slide still under way) or of pixel 82 (the exit key has opened the door).
bool beamAtArrival(const Board& before, const Board& at81, Cell arrival, const Position& p) {
  if (isBeamMark(objectOn(before, arrival))) return true;
  Board marks = at81;
  markBeams(marks);
  if (isBeamMark(objectOn(marks, arrival))) return true;
  if (baseOn(at81, arrival) == codeExitKey && p.doorKind) {
    setBaseOn(marks, p.door, p.doorKind - 40);
    markBeams(marks);
    if (isBeamMark(objectOn(marks, arrival))) return true;
  }
  return false;
}

bool isExit(const Position& p, Cell c) { return isOpenDoor(baseOn(p.board, c)) || c.col <= 0 || c.row <= 0; }

}  // namespace

MoveReport applyMove(Position& p, Dir d) {
  MoveReport report;
  Cell a = stepCell(p.player, d), beyond = stepCell(p.player, d, 2);
  int base = baseOn(p.board, a);
  if (base > 16) return report;
  Board before = p.board;
  bool emitters = p.emitters;
  int thing = objectOn(p.board, a);
  Board at81;
  bool at81Set = false;
  if (isThing(thing)) {
    if (!pushFree(p.board, beyond)) return report;
    report.pushed = true;
    setObjectOn(p.board, a, objNone);
    if (isBox(thing)) {
      setObjectOn(p.board, beyond, thing);
    } else {
      // A slider still on its way at pixel 81 is in neither layer then.
      at81 = p.board;
      at81Set = true;
      Slide s = slideFrom(p.board, a, d);
      if (s.cells == 1) at81 = p.board;
    }
  }
  if (!at81Set) at81 = p.board;
  // The cage key takes the cages away 30 pixels into the step.
  if (base == codeCageKey) {
    removeCages(p.board);
    removeCages(at81);
  }
  p.player = a;
  if (isDeadlyFloor(base) || (emitters && beamAtArrival(before, at81, a, p))) {
    report.outcome = Outcome::died;
    return report;
  }
  if (base == codeMug) ++p.mugs;
  if (base == codeExitKey && p.doorKind) setBaseOn(p.board, p.door, p.doorKind - 40);
  if (isCollectible(base)) setBaseOn(p.board, a, codeFloor);
  if (emitters) {
    clearBeamMarks(p.board);
    markBeams(p.board);
  }
  if (isExit(p, a)) {
    p.finished = true;
    report.outcome = Outcome::finished;
    return report;
  }
  // Standing still on a pad throws the player, and a landing on a pad throws
  // again; a thing or a beam mark on the landing cell stops the throw.
  while (isJumpPad(baseOn(p.board, p.player))) {
    Dir pad = static_cast<Dir>(baseOn(p.board, p.player) - codePadRight + 1);
    Cell landing = stepCell(p.player, pad, 2);
    if (objectOn(p.board, landing) != objNone) break;
    p.player = landing;
    if (baseOn(p.board, landing) == codeTrapDeadly) {
      report.outcome = Outcome::died;
      return report;
    }
    if (++report.jumps > 16) {
      report.outcome = Outcome::jumpLoop;
      return report;
    }
    if (isExit(p, landing)) {
      p.finished = true;
      report.outcome = Outcome::finished;
      return report;
    }
  }
  report.outcome = Outcome::moved;
  return report;
}
