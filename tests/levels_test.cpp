// The level tool's models of the rules, its form checks and its search.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "board/board.h"
#include "cell_model.h"
#include "frame_replay.h"
#include "level_check.h"
#include "level_rules.h"
#include "level_source.h"
#include "solver.h"
#include "support/board_text.h"

namespace {

// A level from a board picture (support/board_text.h); '@' is the start.
LevelSource levelFromPicture(int number, const std::string& picture) {
  setBoardFromText(picture);
  LevelSource level;
  level.number = number;
  Cell start = cellOf(board.playerX, board.playerY);
  for (int r = 0; r < boardRows; ++r)
    for (int c = 0; c < boardCols; ++c) {
      int base = board.baseLayer[cellIndex(c, r)], thing = board.objectLayer[cellIndex(c, r)];
      level.codes[r][c] = isThing(thing) ? thing : base;
      if (Cell{c, r} == start) level.codes[r][c] = codePlayerStart;
    }
  return level;
}

Position positionOf(const LevelSource& level) { return startPosition(loadStart(level)); }

std::string pictureOf(const Position& p) {
  board = p.board;
  return boardToText(false);
}

// Plays moves in the cell model; returns the last outcome.
Outcome playCells(Position& p, const std::string& moves) {
  Outcome last = Outcome::moved;
  for (char m : moves) {
    last = applyMove(p, dirOfMove(m)).outcome;
    if (last != Outcome::moved) break;
  }
  return last;
}

}  // namespace

TEST(LevelBeams, EmittersMarkTheirLinesAsTheGameDoes) {
  struct Case {
    const char* name;
    const char* picture;
    const char* row1;  // row 1 after marking; '?' is a mug under a mark
  } cases[] = {
      {"right emitter up to a wall", "#############\nE.....#######\n", "E-----#######"},
      {"a box ends the beam", "#############\nE..b..#######\n", "E--b..#######"},
      {"both ends meet in the middle", "#############\nE...........G\n", "E-----------G"},
      {"a box stops both beams when either meets it", "#############\nE..b........G\n", "E--b......--G"},
      {"the left emitter's beam passes a mug unmarked", "#############\n#...m.......G\n", "#---m-------G"},
      {"the right emitter's beam marks a mug", "#############\nE...m......##\n", "E---?------##"},
  };
  for (const Case& c : cases) {
    setBoardFromText(c.picture);
    markBeams(board);
    EXPECT_EQ(boardToText(false).substr(14, 13), c.row1) << c.name;
  }
}

TEST(LevelBeams, ColumnsAreMarkedAfterRowsSoCrossingsHoldTheVerticalMark) {
  setBoardFromText(R"(
##F##########
E...........#
##.##########
##H##########
)");
  Board b = board;
  markBeams(b);
  EXPECT_EQ(b.objectLayer[cellIndex(2, 1)], objBeamV);
  EXPECT_EQ(b.objectLayer[cellIndex(1, 1)], objBeamH);
  EXPECT_EQ(b.objectLayer[cellIndex(2, 2)], objBeamV);
}

TEST(LevelCellModel, BoxesSlidersAndWater) {
  struct Case {
    const char* name;
    const char* picture;
    const char* moves;
    Outcome outcome;
    const char* after;  // rows 1.. of the board afterwards, or empty
  } cases[] = {
      {"a box moves one cell", "#######\n#@b..##\n#######\n", "R", Outcome::moved, "#..b.##"},
      {"a box stops at a wall", "#######\n#@.b###\n#######\n", "RR", Outcome::blocked, "#..b###"},
      {"a box cannot go onto a mug", "#######\n#@bm.##\n#######\n", "R", Outcome::blocked, "#.bm.##"},
      {"a box rests on water and the player dies there", "#######\n#@b~.##\n#######\n", "RR", Outcome::died, ""},
      {"a slider runs to the wall", "#######\n#@s..##\n#######\n", "R", Outcome::moved, "#...s##"},
      {"a slider stops before a mug", "#######\n#@s.m##\n#######\n", "R", Outcome::moved, "#..sm##"},
      {"a slider fills the first water", "########\n#@s.~~##\n########\n", "R", Outcome::moved, "#..._~##"},
      {"a slider crosses a pit", "#######\n#@so.##\n#######\n", "R", Outcome::moved, "#..os##"},
      {"a slider blocked at once does not move", "#######\n#@sb###\n#######\n", "R", Outcome::blocked, "#.sb###"},
      {"walking onto a pit kills", "#######\n#@o..##\n#######\n", "R", Outcome::died, ""},
      {"code 20 blocks a step right", "#######\n#@=..##\n#######\n", "R", Outcome::blocked, "#.=..##"},
  };
  for (const Case& c : cases) {
    LevelSource level = levelFromPicture(30, c.picture);
    Position p = positionOf(level);
    EXPECT_EQ(playCells(p, c.moves), c.outcome) << c.name;
    if (*c.after) {
      EXPECT_EQ(pictureOf(p).substr(14, std::string(c.after).size()), c.after) << c.name;
    }
  }
}

TEST(LevelCellModel, KeysMugsCagesAndTheDoor) {
  LevelSource level = levelFromPicture(30, R"(
#######
#@kmgC#
#.B.x##
#######
)");
  Position p = positionOf(level);
  EXPECT_EQ(playCells(p, "R"), Outcome::moved);
  EXPECT_EQ(baseOn(p.board, {5, 1}), codeDoorRight) << "the exit key opens the door";
  EXPECT_EQ(playCells(p, "R"), Outcome::moved);
  EXPECT_EQ(p.mugs, 1);
  EXPECT_EQ(baseOn(p.board, {4, 2}), codeCage);
  EXPECT_EQ(playCells(p, "R"), Outcome::moved);
  EXPECT_EQ(baseOn(p.board, {4, 2}), codeFloor) << "the cage key takes every cage away";
  EXPECT_EQ(baseOn(p.board, {2, 2}), codeFloor);
  EXPECT_EQ(objectOn(p.board, {2, 2}), objCagedBox) << "the caged box stays";
  EXPECT_EQ(playCells(p, "LLDL"), Outcome::blocked) << "a box against the wall";
  Position q = positionOf(level);
  EXPECT_EQ(playCells(q, "RRRR"), Outcome::finished);
}

TEST(LevelCellModel, JumpPads) {
  struct Case {
    const char* name;
    const char* picture;
    const char* moves;
    Outcome outcome;
    Cell player;
    int mugs;
  } cases[] = {
      {"thrown two cells", "########\n#@r....#\n########\n", "R", Outcome::moved, {4, 1}, 0},
      {"lands on a wall and walks off", "########\n#@r.#..#\n########\n", "RR", Outcome::moved, {5, 1}, 0},
      {"lands in water unharmed", "########\n#@r.~..#\n########\n", "R", Outcome::moved, {4, 1}, 0},
      {"a mug landed on is not taken", "########\n#@r.m..#\n########\n", "R", Outcome::moved, {4, 1}, 0},
      {"walking off and back takes the mug", "########\n#@r.m..#\n########\n", "RRL", Outcome::moved, {4, 1}, 1},
      {"a box on the landing cell stops the throw", "########\n#@r.b..#\n########\n", "R", Outcome::moved, {2, 1}, 0},
      {"pads throw on from pad to pad", "##########\n#@r.r...##\n##########\n", "R", Outcome::moved, {6, 1}, 0},
      {"pads throwing back and forth never rest", "#########\n#@r.l...#\n#########\n", "R", Outcome::jumpLoop, {0, 0}, 0},
      {"a landing in the open door ends the level", "#####\n#@r.8\n#####\n", "R", Outcome::finished, {4, 1}, 0},
  };
  for (const Case& c : cases) {
    LevelSource level = levelFromPicture(30, c.picture);
    Position p = positionOf(level);
    EXPECT_EQ(playCells(p, c.moves), c.outcome) << c.name;
    if (c.outcome != Outcome::jumpLoop) {
      EXPECT_EQ(p.player, c.player) << c.name;
    }
    EXPECT_EQ(p.mugs, c.mugs) << c.name;
  }
}

TEST(LevelCellModel, BeamsKillOnArrivalOnly) {
  struct Case {
    const char* name;
    const char* picture;
    const char* moves;
    Outcome outcome;
  } cases[] = {
      {"walking into a beam", "#############\nE.....#######\n#@###########\n", "U", Outcome::died},
      {"pushing the blocking box out of the beam's way",
       "#############\n###.#########\nE..b..#######\n###@#########\n", "U", Outcome::died},
      {"a box pushed towards the emitter shields the cell behind it",
       "##F##########\n##.##########\n##b##########\n##@##########\n", "U", Outcome::moved},
      {"a slider that stops after one cell is back by pixel 81", "#############\nE.s@....#####\n", "L",
       Outcome::moved},
      {"a slider still sliding at pixel 81 lets the beam through", "#############\nE..s@...#####\n", "L",
       Outcome::died},
  };
  for (const Case& c : cases) {
    LevelSource level = levelFromPicture(30, c.picture);
    Position p = positionOf(level);
    EXPECT_EQ(playCells(p, c.moves), c.outcome) << c.name;
  }
}

TEST(LevelFrameReplay, AgreesWithTheCellModelOnRandomPlay) {
  const char* pictures[] = {
      R"(
#############
E..b..s..~..G
#.@.r.k..m.##
#..x#B#..g..#
#.s..~~.b...#
##F###7######
)",
      R"(
#############
#@.s..o.b...#
#.m.d.~.b..##
#..b....r.s.#
#......~~...#
#############
)",
  };
  // A move that ends the game is compared and then taken back, so that
  // every game runs its full length.
  std::mt19937 random(7);
  int compared = 0;
  for (const char* picture : pictures) {
    LevelSource level = levelFromPicture(30, picture);
    for (int game = 0; game < 40; ++game) {
      Position cells = positionOf(level);
      FrameReplay frames(cells);
      for (int move = 0; move < 60; ++move) {
        Dir d = static_cast<Dir>(1 + random() % 4);
        Position nextCells = cells;
        FrameReplay nextFrames = frames;
        Outcome o = applyMove(nextCells, d).outcome;
        FrameReplay::Result r = nextFrames.press(d);
        Outcome expected = r == FrameReplay::Result::ok         ? Outcome::moved
                           : r == FrameReplay::Result::noStep   ? Outcome::blocked
                           : r == FrameReplay::Result::died     ? Outcome::died
                           : r == FrameReplay::Result::finished ? Outcome::finished
                                                                : Outcome::jumpLoop;
        ASSERT_EQ(o, expected) << picture << "game " << game << " move " << move;
        ++compared;
        if (o != Outcome::moved) continue;
        Position f = nextFrames.position();
        ASSERT_EQ(pictureOf(nextCells), pictureOf(f)) << "game " << game << " move " << move;
        ASSERT_EQ(nextCells.player, f.player) << "game " << game << " move " << move;
        ASSERT_EQ(nextCells.mugs, f.mugs);
        cells = nextCells;
        frames = nextFrames;
      }
    }
  }
  EXPECT_EQ(compared, 2 * 40 * 60);
}

TEST(LevelFrameReplay, TrapsTurnDeadlyOnTheirClock) {
  LevelSource level = levelFromPicture(30, R"(
#######
#@t...#
#######
)");
  {
    // Phases 0..3 are safe: a step onto the trap at once survives, and
    // standing there through the change to phase 4 kills.
    FrameReplay replay(positionOf(level));
    EXPECT_EQ(replay.press(Dir::right), FrameReplay::Result::ok);
    for (int phase = 1; phase <= 3; ++phase) EXPECT_EQ(replay.waitForTrapChange(), FrameReplay::Result::ok);
    EXPECT_EQ(replay.trapPhase(), 3);
    EXPECT_EQ(replay.waitForTrapChange(), FrameReplay::Result::died);
  }
  {
    // Arriving in phase 4 kills; in phase 8 the trap is safe again.
    FrameReplay replay(positionOf(level));
    for (int phase = 1; phase <= 4; ++phase) replay.waitForTrapChange();
    EXPECT_EQ(replay.press(Dir::right), FrameReplay::Result::died);
    FrameReplay later(positionOf(level));
    for (int phase = 1; phase <= 8; ++phase) later.waitForTrapChange();
    EXPECT_EQ(later.press(Dir::right), FrameReplay::Result::ok);
  }
  {
    // A step takes 0.407 s: the phase runs on while the player walks.
    FrameReplay replay(positionOf(level));
    replay.press(Dir::right);
    replay.press(Dir::right);
    EXPECT_EQ(replay.trapPhase(), 1);
    EXPECT_EQ(replay.msSinceTrapChange(), 814 - 752);
  }
}

TEST(LevelFrameReplay, BoxesGoOntoTrapsOnlyWhileTheyAreSafe) {
  LevelSource level = levelFromPicture(30, R"(
########
#@bt...#
########
)");
  FrameReplay safe(positionOf(level));
  EXPECT_EQ(safe.press(Dir::right), FrameReplay::Result::ok);
  FrameReplay deadly(positionOf(level));
  for (int phase = 1; phase <= 4; ++phase) deadly.waitForTrapChange();
  EXPECT_EQ(deadly.press(Dir::right), FrameReplay::Result::noStep);
}

TEST(LevelMoves, ParsesTheMoveAlphabetAndRejectsTheRest) {
  std::string moves, error;
  EXPECT_TRUE(parseMoves("RRD .L U", moves, error));
  EXPECT_EQ(moves, "RRD.LU");
  EXPECT_FALSE(parseMoves("RRx", moves, error));
  EXPECT_NE(error.find("move 3"), std::string::npos) << error;
  EXPECT_FALSE(parseMoves("rr", moves, error)) << "lower case is not a move";
}

TEST(LevelCheck, FindsFaultsOfForm) {
  const char* good = R"(
#############
#############
##@........##
##.........##
##..m.m.m..C#
##k........##
##.........##
##.........##
#############
#############
)";
  EXPECT_TRUE(checkLevel(levelFromPicture(5, good)).empty());
  struct Case {
    const char* name;
    int row, col, code;
    const char* expect;
  } cases[] = {
      {"a second start", 3, 3, codePlayerStart, "one player start"},
      {"no exit key", 5, 2, codeFloor, "no exit key"},
      {"a fourth mug", 6, 6, codeMug, "needs 3 mugs"},
      {"floor in the wall ring", 1, 5, codeFloor, "outside the field"},
      {"an unknown code", 3, 5, 92, "unknown code 92"},
      {"a deadly trap at the start", 3, 5, codeTrapDeadly, "starts deadly"},
      {"an emitter on a small level", 4, 0, codeEmitterRight, "outside the field"},
      {"a door inside the field", 3, 10, codeDoorClosedRight, "one exit door"},
      {"a pad that throws onto the edge", 7, 3, codePadDown, "onto the board's edge"},
      {"a four-digit code breaks the record", 3, 5, 1000, "unknown code"},
  };
  for (const Case& c : cases) {
    LevelSource level = levelFromPicture(5, good);
    level.codes[c.row][c.col] = c.code;
    std::string all;
    for (const std::string& p : checkLevel(level)) all += p + "\n";
    EXPECT_NE(all.find(c.expect), std::string::npos) << c.name << ":\n" << all;
  }
  LevelSource full = levelFromPicture(30, good);
  std::string all;
  for (const std::string& p : checkLevel(full)) all += p + "\n";
  EXPECT_NE(all.find("needs 5 mugs"), std::string::npos) << all;
}

TEST(LevelSolver, FindsTheShortestFinishAndTheTidiestOne) {
  // The quick way leaves the slider and the water on the board; sinking the
  // slider first frees two more cells.
  LevelSource level = levelFromPicture(3, R"(
#############
#############
##@.s...~..##
##.........##
##.m.m.m..kC#
##.........##
##.........##
##.........##
#############
#############
)");
  SolveReport r = solveLevel(level);
  ASSERT_TRUE(r.complete);
  ASSERT_TRUE(r.shortest.found);
  EXPECT_EQ(r.shortest.steps, 11);
  EXPECT_EQ(r.shortest.freeCells, 54 - 2);
  EXPECT_EQ(r.best.freeCells, 54);
  EXPECT_EQ(r.best.pushes, 1);
  EXPECT_EQ(r.best.points, 54 * 3 + 50);
  EXPECT_GT(r.best.steps, r.shortest.steps);
  EXPECT_EQ(r.mostMugs, 3);
  PlayResult played = playMoves(level, r.best.moves);
  EXPECT_TRUE(played.finished);
  EXPECT_EQ(played.summary.points, r.best.points);
}

TEST(LevelSolver, TrapLevelsAreSearchedWithTheirClock) {
  // The trap is deadly by the time the player gets there: the way on is to
  // wait for its next safe spell, and the solution found must replay.
  LevelSource level = levelFromPicture(3, R"(
#############
#############
##@mmm....t8#
#############
)");
  SolveReport r = solveLevel(level);
  ASSERT_TRUE(r.timed);
  ASSERT_TRUE(r.shortest.found);
  EXPECT_EQ(r.shortest.steps, 9);
  EXPECT_GE(r.shortest.waits, 1);
  PlayResult played = playMoves(level, r.shortest.moves);
  EXPECT_TRUE(played.finished) << played.fault;
  EXPECT_EQ(played.summary.mugs, 3);
}
