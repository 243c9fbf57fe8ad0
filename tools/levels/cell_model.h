// The rules at the scale of whole cells: one arrow press takes the board from
// rest to rest. Exact for levels without traps, whose outcome depends on time
// (frame_replay.h handles those).
#pragma once

#include "level_rules.h"

// The board between two presses: the player stands still, no slider moves.
struct Position {
  Board board;       // beam marks as the game keeps them at rest
  Cell player;       // the player's cell
  int mugs = 0;      // mugs collected
  Cell door{0, 0};   // exit door and its closed code (0: none)
  int doorKind = 0;
  bool finished = false;  // the player is in the open door
  bool emitters = false;  // the level has beams at all
};

Position startPosition(const LevelStart& start);

enum class Outcome { blocked, died, moved, finished, jumpLoop };

struct MoveReport {
  Outcome outcome = Outcome::blocked;
  bool pushed = false;  // a box carried or a slider set off
  int jumps = 0;        // jump pad throws after the step
};

// One press. On blocked (no step starts) the position is unchanged; after a
// death it is meaningless.
MoveReport applyMove(Position& p, Dir d);

Dir dirOfMove(char move);
char moveOfDir(Dir d);
