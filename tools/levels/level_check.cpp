#include "level_check.h"

#include <string>

#include "data/level_file.h"
#include "level_rules.h"

const char* const mechanicNames[] = {"box", "key", "pit", "water", "slider", "cage", "pad", "trap", "beam"};
const int mechanicCount = 9;

namespace {

std::string at(int c, int r) { return "(" + std::to_string(c) + "," + std::to_string(r) + ")"; }

bool isKnownCode(int v) {
  return (v >= 0 && v <= 19 && v != codeTrapDeadly) || (v >= 20 && v <= 53) || v == codePlayerStart;
}

bool emitterOnItsEdge(int v, int c, int r) {
  bool rowInside = r > 0 && r < boardRows - 1, colInside = c > 0 && c < boardCols - 1;
  switch (v) {
    case codeEmitterRight: return c == 0 && rowInside;
    case codeEmitterDown: return r == 0 && colInside;
    case codeEmitterLeft: return c == boardCols - 1 && rowInside;
    case codeEmitterUp: return r == boardRows - 1 && colInside;
    default: return false;
  }
}

bool isDoorCode(int v) { return isOpenDoor(v) || isClosedDoor(v); }

// The door sits in the wall around the field, beside a field cell, and not in
// a corner (where no field cell touches it).
bool doorPlaced(const Field& f, int c, int r) {
  if (f.contains({c, r})) return false;
  for (Dir d : {Dir::right, Dir::left, Dir::up, Dir::down})
    if (f.contains(stepCell({c, r}, d))) return true;
  return false;
}

}  // namespace

std::vector<std::string> checkLevel(const LevelSource& level) {
  std::vector<std::string> problems;
  auto problem = [&](const std::string& text) { problems.push_back(text); };
  Field field = fieldOf(level.number);
  int starts = 0, doors = 0, mugs = 0, exitKeys = 0, dynamic = 0;
  bool closedDoor = false;
  for (int r = 0; r < boardRows; ++r)
    for (int c = 0; c < boardCols; ++c) {
      int v = level.codes[r][c];
      bool inField = field.contains({c, r});
      if (v == codeTrapDeadly) {
        problem("trap at " + at(c, r) + " starts deadly; traps start safe (3)");
        continue;
      }
      if (!isKnownCode(v)) {
        problem("unknown code " + std::to_string(v) + " at " + at(c, r));
        continue;
      }
      if (v == codePlayerStart) ++starts;
      if (v == codeMug) ++mugs;
      if (v == codeExitKey) ++exitKeys;
      if (isCollectible(v) || v == codeWater || v == codeCage || v == objCagedBox) ++dynamic;
      if (isDoorCode(v)) {
        ++doors;
        closedDoor = isClosedDoor(v);
        if (!doorPlaced(field, c, r)) problem("the exit door at " + at(c, r) + " is not on the field's edge");
        continue;
      }
      if (inField) {
        if (isEmitter(v)) problem("emitter inside the field at " + at(c, r));
        if (isJumpPad(v)) {
          Cell landing = stepCell({c, r}, static_cast<Dir>(v - codePadRight + 1), 2);
          if (onOuterEdge(landing) || !inLayers(cellIndex(landing.col, landing.row)))
            problem("the jump pad at " + at(c, r) + " throws the player onto the board's edge");
        }
        continue;
      }
      // Outside the field only walls, the door and (on the full field) emitters.
      bool allowed = isWallCode(v) || (level.number > 20 && emitterOnItsEdge(v, c, r));
      if (!allowed) problem("code " + std::to_string(v) + " outside the field at " + at(c, r));
    }
  if (starts != 1) problem("needs one player start (69), has " + std::to_string(starts));
  if (doors != 1) problem("needs one exit door, has " + std::to_string(doors));
  if (closedDoor && exitKeys == 0) problem("the exit door is closed and there is no exit key");
  if (mugs != mugsOfLevel(level.number))
    problem("needs " + std::to_string(mugsOfLevel(level.number)) + " mugs, has " + std::to_string(mugs));
  if (dynamic > 64) problem("more than 64 keys, mugs, water cells and cages");
  size_t size = recordText(level).size();
  if (size != static_cast<size_t>(recordSize))
    problem("its record is " + std::to_string(size) + " bytes, not " + std::to_string(recordSize));
  std::string moves, error;
  if (!parseMoves(level.solution, moves, error)) problem("solution: " + error);
  return problems;
}

std::vector<std::string> mechanicsOf(const LevelSource& level) {
  bool seen[9] = {};
  for (const auto& row : level.codes)
    for (int v : row) {
      seen[0] |= isBox(v);
      seen[1] |= v == codeExitKey;
      seen[2] |= v == codePit;
      seen[3] |= v == codeWater;
      seen[4] |= v == objSlider;
      seen[5] |= v == codeCageKey || v == codeCage || v == objCagedBox;
      seen[6] |= isJumpPad(v);
      seen[7] |= isTrap(v);
      seen[8] |= isEmitter(v);
    }
  std::vector<std::string> names;
  for (int i = 0; i < mechanicCount; ++i)
    if (seen[i]) names.push_back(mechanicNames[i]);
  return names;
}
