// Pictures of every screen for a person to look at. Runs only when
// MUGCELLAR_SHOTS_DIR names a directory to write them to.
#include <gtest/gtest.h>

#include <allegro5/allegro.h>

#include <cstdlib>
#include <string>

#include "board/board.h"
#include "data/level_file.h"
#include "data/progress.h"
#include "draw/draw.h"
#include "draw/screen_surface.h"
#include "screens/result.h"
#include "screens/screens.h"
#include "shell/game.h"
#include "shell/input.h"
#include "shell/platform.h"
#include "support/screen_driver.h"

namespace {

std::string shotsDir() {
  const char* dir = std::getenv("MUGCELLAR_SHOTS_DIR");
  return dir ? dir : "";
}

void saveShot(const std::string& name) {
  std::string path = shotsDir() + "/screens-" + name + ".png";
  EXPECT_TRUE(al_save_bitmap(path.c_str(), al_get_backbuffer(assets.display))) << path;
}

// Saves the picture shown at the given poll, then presses Enter.
void shootAtPoll(const std::string& name, int at, std::function<void(int)> before = {}) {
  scriptInput([name, at, before](int poll) {
    if (before) before(poll);
    if (poll == at) {
      saveShot(name);
      I_SetKey(ALLEGRO_KEY_ENTER, true);
    }
  });
}

}  // namespace

class ScreenShots : public ScreenTest {
 protected:
  void SetUp() override {
    if (shotsDir().empty()) GTEST_SKIP() << "set MUGCELLAR_SHOTS_DIR to take the pictures";
    ScreenTest::SetUp();
    game.currentLevel = game.unlockedLevel = game.campaignLevel = 7;
    int c = 0, r = 0, k = 0;
    loadLevel(c, r, k);
    game.levelLoaded = 1;
    int stars[] = {1, 3, 4, 6};
    for (int n = 1; n <= 6; ++n) progress.bestMugs[n] = n % 3 + 1;
    for (int n : stars) progress.starTaken[n] = 1;
    progress.playSeconds = 3 * 3600 + 25 * 60 + 7;
    showLevel();
  }

  // The picture the main loop shows when a screen is called.
  void showLevel() {
    al_set_target_backbuffer(assets.display);
    drawPlayScene();
    drawTopBarRepeat(false);
  }
};

TEST_F(ScreenShots, Result) {
  game.currentLevel = game.unlockedLevel = game.campaignLevel = 21;
  int c = 0, r = 0, k = 0;
  loadLevel(c, r, k);
  for (int i = 0; i < layerSize; ++i)
    if (board.baseLayer[i] == codeMug || board.baseLayer[i] == codeExitKey) board.baseLayer[i] = codeFloor;
  showLevel();
  ScreenScope scope;
  ResultRun run = prepareResultScreen(5);
  ASSERT_GE(run.pointsTarget, run.threshold) << "the board leaves too few free cells for a star";
  CloseWatch watch;
  // Five icons, the banner settled, the star lit with its rays, the verdict.
  while (run.frameNo < 6600) {
    platform.drawing = run.frameNo > 6550;
    ASSERT_FALSE(runResultFrame(run, watch));
  }
  saveShot("result-star");
}

TEST_F(ScreenShots, Help) {
  shootAtPoll("help", 3);
  runHelpScreen();
}

TEST_F(ScreenShots, About) {
  enterScreenTransition();
  pointerBeforeNextPoll(512, 660, 0);  // the back label lit
  shootAtPoll("about", 3);
  runAboutScreen();
}

TEST_F(ScreenShots, MainMenu) {
  pointerBeforeNextPoll(500, 350, 0);  // over the grid item
  shootAtPoll("menu", 3);
  int quit = 0;
  runMainMenu(quit);
}

TEST_F(ScreenShots, LevelGrid) {
  progress.starTaken[14] = 1;  // a star on a locked cell still shows
  pointerBeforeNextPoll(500, 350, 1);
  shootAtPoll("grid", 8, [](int poll) {
    platform.mouse.buttons = 0;
    if (poll == 3) platform.mouse.x = gridCellX(4) + 40, platform.mouse.y = gridCellY(4) + 30;
  });
  int quit = 0;
  runMainMenu(quit);
}

TEST_F(ScreenShots, ResetDialog) {
  pointerBeforeNextPoll(500, 390, 1);
  scriptInput([](int poll) {
    platform.mouse.buttons = 0;
    platform.mouse.x = 600, platform.mouse.y = 420;  // over "no"
    if (poll == 4) {
      saveShot("reset");
      I_SetKey(ALLEGRO_KEY_N, true);
    }
  });
  int quit = 0;
  runMainMenu(quit);
}

TEST_F(ScreenShots, FinalPlain) {
  for (int n = 1; n <= 50; ++n) progress.bestMugs[n] = mugsInLevel(n) - (n % 7 == 0), progress.starTaken[n] = n % 5 != 0;
  game.currentLevel = 51;
  game.unlockedLevel = game.campaignLevel = 50;
  shootAtPoll("final-plain", 1);
  runFinalScreen();
}

TEST_F(ScreenShots, FinalAllStars) {
  for (int n = 1; n <= 50; ++n) progress.bestMugs[n] = mugsInLevel(n), progress.starTaken[n] = 1;
  game.currentLevel = 51;
  game.unlockedLevel = game.campaignLevel = 50;
  shootAtPoll("final-all-stars", 1);
  runFinalScreen();
}
