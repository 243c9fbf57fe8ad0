// The rules inside the main loop's frame: where their order in the frame
// decides what the player sees.
#include <gtest/gtest.h>

#include <string>

#include "board/board.h"
#include "shell/game.h"
#include "shell/level_run.h"
#include "shell/main_loop.h"
#include "shell/platform.h"
#include "support/board_text.h"
#include "support/test_env.h"

namespace {

// A board set up by picture and played through runFrame, headless.
class BoardEvents : public ::testing::Test {
 protected:
  void SetUp() override {
    usePlatformForTests();
    platform.drawing = false;
  }

  void start(const std::string& picture, Cell door = {-1, -1}, int doorKind = 0) {
    setBoardFromText(picture);
    game.currentLevel = 30;
    game.levelLoaded = 1;
    initLevelRun(run);
    run.hasDoor = door.col >= 0;
    if (run.hasDoor) {
      run.markerCol = door.col;
      run.markerRow = door.row;
      run.markerKind = doorKind;
    }
    frame();  // the player's clock was just set: nothing can move in this frame
  }

  void frame() {
    runFrame(run);
    ++frames;
  }

  // One arrow press; runs frames up to and including the arrival frame, or
  // until the player dies.
  void step(int key) {
    I_SetKey(key, true);
    frame();
    I_SetKey(key, false);
    ASSERT_GT(run.stepProgress, 0) << "no step started";
    for (int n = 0; run.stepProgress > 0 && n < 100; ++n) {
      pixelsBeforeDeath = run.stepProgress;
      frame();
    }
  }

  int deaths() const {
    int n = 0;
    for (const PlayedSample& s : platform.samplesPlayed) n += s.sample == sfxDeath;
    return n;
  }

  LevelRun run{};
  long frames = 0;
  int pixelsBeforeDeath = 0;  // the step count before the last frame of a step
};

TEST_F(BoardEvents, BoxPushedOutOfABeamKillsThePlayerArrivingInIt) {
  start(R"(
      #############
      #...........#
      #...........#
      E...b.......#
      #...@.......#)");
  step(ALLEGRO_KEY_UP);
  EXPECT_EQ(run.restartFade, 1);
  EXPECT_EQ(pixelsBeforeDeath, 81) << "the player died before arriving";
  EXPECT_EQ(deaths(), 1);
  EXPECT_EQ(objectAt({4, 2}), objBox);
  EXPECT_EQ(board.playerX, -99);
}

TEST_F(BoardEvents, MugInABeamCountsAlthoughThePlayerDiesOnIt) {
  start(R"(
      #############
      E...m.......#
      #...@.......#)");
  step(ALLEGRO_KEY_UP);
  EXPECT_EQ(run.restartFade, 1);
  EXPECT_EQ(run.attemptMugs, 1);
}

TEST_F(BoardEvents, ArrivingInAPitOrWaterKillsJumpingOverThemDoesNot) {
  struct Case {
    const char* row;
    bool dies;
  } cases[] = {
      {"#@o.", true},
      {"#@~.", true},
      {"#@T.", true},
      {"#ro..", false},
      {"#r~..", false},
  };
  for (const Case& c : cases) {
    start(std::string("#############\n") + c.row);
    platform.samplesPlayed.clear();
    if (c.row[1] == '@') {
      step(ALLEGRO_KEY_RIGHT);
    } else {
      board.playerX = cellOrigin(1, 1).x;
      board.playerY = cellOrigin(1, 1).y;
      for (int i = 0; i < 5; ++i) frame();
      EXPECT_EQ(board.playerX, cellOrigin(3, 1).x) << c.row;
    }
    EXPECT_EQ(deaths(), c.dies ? 1 : 0) << c.row;
    EXPECT_EQ(run.restartFade, c.dies ? 1 : 0) << c.row;
  }
}

TEST_F(BoardEvents, JumpLandingOnAMugLeavesItOnAnOpenDoorEndsTheLevel) {
  start(R"(
      #############
      #r.m.#
      #r.8.#)",
        {3, 2}, 48);
  // The pad at (1, 1) throws the player onto the mug in the frame after the
  // level's first: the mug is neither counted nor cleared.
  board.playerX = cellOrigin(1, 1).x;
  board.playerY = cellOrigin(1, 1).y;
  for (int i = 0; i < 5; ++i) frame();
  EXPECT_EQ(board.playerX, cellOrigin(3, 1).x);
  EXPECT_EQ(baseAt({3, 1}), codeMug);
  EXPECT_EQ(run.attemptMugs, 0);
  EXPECT_EQ(run.fadeCounter, 0);
  // Onto the open door: the level-end fade counts in the frame of landing.
  board.playerX = cellOrigin(1, 2).x;
  board.playerY = cellOrigin(1, 2).y;
  frame();
  EXPECT_EQ(board.playerX, cellOrigin(3, 2).x);
  EXPECT_EQ(run.fadeCounter, 1);
}

TEST_F(BoardEvents, JumpOverAHazardIntoANeighbouringPadThrowsAgain) {
  start(R"(
      #############
      #ror.o..#)");
  board.playerX = cellOrigin(1, 1).x;
  board.playerY = cellOrigin(1, 1).y;
  frame();
  EXPECT_EQ(board.playerX, cellOrigin(3, 1).x);
  frame();
  EXPECT_EQ(board.playerX, cellOrigin(5, 1).x);
  EXPECT_EQ(run.restartFade, 0) << "landing in a pit does not kill";
}

TEST_F(BoardEvents, ASecondExitKeyOpensTheDoorAgain) {
  start(R"(
      #############
      #@k.k#
      ####C#)",
        {4, 2}, 48);
  step(ALLEGRO_KEY_RIGHT);
  EXPECT_EQ(baseAt({4, 2}), codeDoorRight);
  EXPECT_EQ(run.markerOpening, 1);
  for (int n = 0; run.markerOpening == 1 && n < 2000; ++n) frame();
  ASSERT_EQ(run.markerOpening, 0) << "the door never finishes opening";
  step(ALLEGRO_KEY_RIGHT);
  step(ALLEGRO_KEY_RIGHT);
  EXPECT_EQ(baseAt({4, 2}), codeDoorRight);
  EXPECT_EQ(run.markerOpening, 1);
  EXPECT_EQ(baseAt({4, 1}), codeFloor);
}

}  // namespace
