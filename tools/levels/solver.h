// Breadth-first search over every position a level can reach, for its
// shortest solution with all mugs and for the tidiest board it can end on.
#pragma once

#include <cstddef>
#include <string>

#include "level_source.h"

struct Solution {
  bool found = false;
  std::string moves;  // a move string (level_source.h)
  int steps = 0;      // arrow presses
  int pushes = 0;     // presses that carried a box or set a slider off
  int waits = 0;      // '.' waits for the traps
  int mugs = 0;
  int freeCells = 0;
  int points = 0;
};

struct SolveReport {
  bool complete = false;    // every reachable position was searched
  bool timed = false;       // traps: positions carry the trap cycle's time
  size_t states = 0;        // positions searched
  Solution shortest;        // fewest presses with all mugs
  Solution best;            // most points with all mugs, fewest presses among those
  Solution star;            // fewest presses that win the star
  int mostMugs = 0;         // most mugs any finish takes
  int bestPointsShort = 0;  // most points of a finish with fewer than all mugs
};

SolveReport solveLevel(const LevelSource& level, size_t maxStates = 6'000'000);

// A move string played from the level's start in the model the search uses
// (whole cells, or frames for levels with traps): how it ends.
struct PlayResult {
  bool finished = false;
  std::string fault;  // empty when every move went as planned
  Solution summary;   // steps, pushes, waits, mugs and points of the finish
};
PlayResult playMoves(const LevelSource& level, const std::string& moves);

bool levelHasTraps(const LevelSource& level);
