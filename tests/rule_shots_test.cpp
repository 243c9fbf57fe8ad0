// Pictures of the rules at work for a person to look at: a slider in motion,
// beams crossing, the death sequence half-way and a jump at its height. Runs
// only when MUGCELLAR_SHOTS_DIR names a directory to write them to.
#include <gtest/gtest.h>

#include <allegro5/allegro.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "board/board.h"
#include "board/rule_pictures.h"
#include "draw/draw.h"
#include "shell/game.h"
#include "shell/level_run.h"
#include "shell/main_loop.h"
#include "shell/platform.h"
#include "support/board_text.h"
#include "support/test_env.h"

namespace {

std::string shotsDir() {
  const char* dir = std::getenv("MUGCELLAR_SHOTS_DIR");
  return dir ? dir : "";
}

class RuleShots : public ::testing::Test {
 protected:
  void SetUp() override {
    if (shotsDir().empty()) GTEST_SKIP() << "set MUGCELLAR_SHOTS_DIR to take the pictures";
    media = std::make_unique<ScratchMedia>();
    startGame();
    platform.showFrames = false;  // the back buffer keeps the last frame drawn
    game.currentLevel = 30;
  }
  void TearDown() override {
    if (!media) return;
    I_ReleaseAllKeys();
    stopGame();
  }

  // The board of the picture as the loaded level, and the level's first frame.
  void play(const std::string& picture) {
    setBoardFromText(picture);
    game.levelLoaded = 1;
    initLevelRun(run);
    platform.clockNow += 0.01;
    runFrame(run);
  }

  void frames(int n) {
    for (int i = 0; i < n; ++i) runFrame(run);
  }

  static void save(const std::string& name) {
    std::string path = shotsDir() + "/rules-" + name + ".png";
    EXPECT_TRUE(al_save_bitmap(path.c_str(), al_get_backbuffer(assets.display))) << path;
  }

  std::unique_ptr<ScratchMedia> media;
  LevelRun run{};
};

TEST_F(RuleShots, SliderInMotion) {
  play(R"(
      #############
      #...........#
      #..~........#
      #...........#
      #..@s...b...#
      #...........#
      #...........#
      #...........#
      #...........#
      #############)");
  I_SetKey(ALLEGRO_KEY_RIGHT, true);
  frames(1);
  I_SetKey(ALLEGRO_KEY_RIGHT, false);
  frames(150);
  ASSERT_EQ(run.slideActive, 1);
  save("slider");
}

TEST_F(RuleShots, BeamsCrossing) {
  play(R"(
      ######F######
      #...........#
      #...........#
      E.....m.....#
      #...........#
      #.@.........#
      #.....b.....G
      #...........#
      #...........#
      #######H#####)");
  frames(60);
  save("beams");
}

// The death and jump sequences run their frames inside one frame of the main
// loop; their pictures are drawn here the same way up to the frame shown.
TEST_F(RuleShots, DeathHalfWay) {
  play(R"(
      #############
      #...........#
      #...........#
      #...........#
      #...........#
      #...@o......#
      #...........#
      #...........#
      #...........#
      #############)");
  board.playerX = cellOrigin(5, 5).x;
  drawPlayScene();
  for (int i = 0; i <= 41; ++i) drawDeathFrame(i, codePit, objNone, 11, walkRow(Dir::right));
  save("death");
}

TEST_F(RuleShots, JumpAtItsHeight) {
  play(R"(
      #############
      #...........#
      #...........#
      #...........#
      #...........#
      #...........#
      #....~.m....#
      #...........#
      #...........#
      #############)");
  setBase({4, 6}, codePadRight);
  board.playerX = cellOrigin(4, 6).x + 82;
  board.playerY = cellOrigin(4, 6).y;
  drawPlayScene();
  drawJumpFrame(0, 41);
  save("jump");
}

}  // namespace
