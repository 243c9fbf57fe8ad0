#include <gtest/gtest.h>

#include "data/progress.h"
#include "draw/screen_surface.h"
#include "screens/screen_kit.h"
#include "screens/screens.h"
#include "shell/game.h"
#include "shell/input.h"
#include "shell/platform.h"
#include "support/screen_driver.h"

TEST(MenuBoxes, ItemBoxesAtTheirEdges) {
  struct Case {
    int x, y, expected;
  } cases[] = {
      {379, 305, 61}, {647, 330, 61}, {378, 305, 0},  {648, 305, 0},  {379, 304, 0},
      {500, 331, 0},  {500, 344, 0},  {500, 345, 62}, {500, 370, 62}, {500, 385, 63},
      {500, 425, 64}, {500, 450, 64}, {500, 465, 65}, {647, 490, 65}, {500, 491, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(menuItemAt(c.x, c.y), c.expected) << c.x << "," << c.y;
}

TEST(MenuBoxes, ResetAnswerBoxesAtTheirEdges) {
  struct Case {
    int x, y, expected;
  } cases[] = {
      {401, 411, 104}, {459, 434, 104}, {400, 420, 0}, {460, 420, 0},   {430, 410, 0}, {430, 435, 0},
      {571, 411, 105}, {629, 434, 105}, {570, 420, 0}, {630, 420, 0},   {600, 410, 0}, {512, 420, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(resetAnswerAt(c.x, c.y), c.expected) << c.x << "," << c.y;
}

TEST(MenuBoxes, CentredLabelBoxExcludesItsLeftEndAndTop) {
  struct Case {
    int width, x, y;
    bool inside;
  } cases[] = {
      {100, 462, 640, false}, {100, 463, 640, true}, {100, 561, 640, true}, {100, 562, 640, false},
      {101, 463, 640, true},  {101, 561, 640, true}, {101, 562, 640, false}, {100, 500, 628, false},
      {100, 500, 629, true},  {100, 500, 649, true}, {100, 500, 650, false}, {0, 512, 640, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(labelBoxHolds(c.width, 628, 649, c.x, c.y), c.inside) << c.width << ": " << c.x << "," << c.y;
}

TEST(MenuActions, InTheOrderTheMenuTestsThem) {
  struct Case {
    bool enter, escape;
    int hover, buttons;
    MenuAction expected;
  } cases[] = {
      {false, false, 0, 0, MenuAction::stay},
      {true, false, 0, 0, MenuAction::backToLevel},
      {false, false, 61, 1, MenuAction::backToLevel},
      {false, false, 62, 1, MenuAction::levelGrid},
      {false, false, 63, 1, MenuAction::resetDialog},
      {false, false, 64, 1, MenuAction::about},
      {false, false, 65, 1, MenuAction::quit},
      {false, true, 0, 0, MenuAction::about},
      {false, false, 65, 3, MenuAction::stay},  // both buttons: no click
      {false, false, 62, 0, MenuAction::stay},  // hover alone
      {true, false, 65, 1, MenuAction::backToLevel},
      {false, true, 63, 1, MenuAction::resetDialog},
      {false, true, 65, 1, MenuAction::about},
  };
  for (const Case& c : cases)
    EXPECT_EQ(menuActionFor(c.enter, c.escape, c.hover, c.buttons), c.expected)
        << c.enter << c.escape << " " << c.hover << "/" << c.buttons;
}

TEST(LevelGridCells, StatesAndHitBoxes) {
  struct Case {
    int level, unlocked;
    GridCell expected;
  } cases[] = {
      {1, 1, GridCell::current},   {2, 1, GridCell::locked},    {4, 9, GridCell::finished},
      {9, 9, GridCell::current},   {10, 9, GridCell::locked},   {50, 50, GridCell::current},
      {50, 51, GridCell::finished}, {1, 51, GridCell::finished},
  };
  for (const Case& c : cases) EXPECT_EQ(gridCellState(c.level, c.unlocked), c.expected) << c.level << "/" << c.unlocked;
  // The drawn cells and the poll's hit boxes must agree, corner to corner.
  for (int n = 1; n <= 50; ++n) {
    int x = gridCellX(n), y = gridCellY(n);
    EXPECT_EQ(hoverTargetAt(x + 4, y + 1), n);
    EXPECT_EQ(hoverTargetAt(x + 82, y + 69), n);
    EXPECT_NE(hoverTargetAt(x + 3, y + 1), n);
    EXPECT_NE(hoverTargetAt(x + 4, y), n);
  }
}

namespace {

void release(int poll, int at) {
  if (poll == at) platform.mouse.buttons = 0;
}

}  // namespace

class MenuScreens : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    game.currentLevel = game.unlockedLevel = game.campaignLevel = 30;
    game.levelLoaded = 1;
    game.chosenFromGrid = 0;
  }
};

TEST_F(MenuScreens, TheClickThatOpensTheGridNeverChoosesALevel) {
  // (500, 360) is item 1 of the menu and, on the grid, the open level 25.
  ASSERT_EQ(hoverTargetAt(500, 360), 25);
  pointerBeforeNextPoll(500, 360, 1);
  scriptInput([](int poll) {
    release(poll, 8);
    if (poll == 20) I_SetKey(ALLEGRO_KEY_ENTER, true);
  });
  int quit = 0;
  runMainMenu(quit);
  EXPECT_GE(pollsSoFar(), 20);
  EXPECT_EQ(game.currentLevel, 30);
  EXPECT_EQ(game.chosenFromGrid, 0);
  EXPECT_EQ(game.levelLoaded, 1);
  EXPECT_EQ(quit, 0);
}

TEST_F(MenuScreens, GridClicksChooseOpenLevelsOnly) {
  struct Case {
    int level, unlocked;
    bool chosen;
  } cases[] = {{25, 30, true}, {30, 30, true}, {31, 30, false}, {1, 30, true}, {50, 51, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.level);
    game.currentLevel = game.campaignLevel = 30;
    game.unlockedLevel = c.unlocked;
    game.levelLoaded = 1;
    game.chosenFromGrid = 0;
    resetInput();
    int x = gridCellX(c.level) + 40, y = gridCellY(c.level) + 30;
    pointerBeforeNextPoll(x, y, 0);
    scriptInput([](int poll) {
      if (poll == 3) platform.mouse.buttons = 1;
      if (poll == 6) platform.mouse.buttons = 0;
      if (poll == 9) I_SetKey(ALLEGRO_KEY_ENTER, true);
    });
    runLevelGrid();
    EXPECT_EQ(game.currentLevel, c.chosen ? c.level : 30);
    EXPECT_EQ(game.chosenFromGrid, c.chosen ? 1 : 0);
    EXPECT_EQ(game.levelLoaded, c.chosen ? 0 : 1);
    // A chosen level returns at the click, without waiting for Enter.
    EXPECT_EQ(pollsSoFar() < 9, c.chosen);
  }
}

TEST_F(MenuScreens, ResetDialogChangesNothingUnlessConfirmed) {
  struct Case {
    const char* what;
    void (*answer)();
    bool reset;
  } cases[] = {
      {"N", [] { I_SetKey(ALLEGRO_KEY_N, true); }, false},
      {"Escape", [] { keyBeforeNextPoll(ALLEGRO_KEY_ESCAPE); }, false},
      {"click on no", [] { pointerBeforeNextPoll(600, 420, 1); }, false},
      {"T", [] { I_SetKey(ALLEGRO_KEY_T, true); }, true},
      {"click on yes", [] { pointerBeforeNextPoll(430, 420, 1); }, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    game.currentLevel = game.unlockedLevel = game.campaignLevel = 30;
    game.levelLoaded = 1;
    progress.bestMugs[7] = 2;
    progress.starTaken[9] = 1;
    progress.playSeconds = 4000;
    resetInput();
    c.answer();
    runResetDialog();
    EXPECT_EQ(progress.bestMugs[7], c.reset ? 0 : 2);
    EXPECT_EQ(progress.starTaken[9], c.reset ? 0 : 1);
    EXPECT_EQ(progress.playSeconds, c.reset ? 0 : 4000);
    EXPECT_EQ(game.currentLevel, c.reset ? 1 : 30);
    EXPECT_EQ(game.unlockedLevel, c.reset ? 1 : 30);
    EXPECT_EQ(game.campaignLevel, c.reset ? 1 : 30);
    EXPECT_EQ(game.levelLoaded, c.reset ? 0 : 1);
  }
}

TEST_F(MenuScreens, AResetFollowedByQuittingSavesAFreshStart) {
  for (int n = 1; n <= 50; ++n) progress.bestMugs[n] = n <= 30 ? 2 : 0, progress.starTaken[n] = n % 2;
  progress.starSpare = 1;
  progress.playSeconds = 9999;
  pointerBeforeNextPoll(500, 390, 1);  // item 2, the reset dialog
  scriptInput([](int poll) {
    if (poll == 2) I_SetKey(ALLEGRO_KEY_T, true);
  });
  int quit = 0;
  runMainMenu(quit);
  stop();
  EXPECT_EQ(media.read("dataB.txt"), [] {
    std::string zeros;
    for (int i = 0; i < 51; ++i) zeros += "0 ";
    return zeros;
  }());
  EXPECT_EQ(media.read("dataC.txt"), media.read("dataB.txt"));
  EXPECT_EQ(storedUnlockedLevel(media), 1);
}

TEST_F(MenuScreens, QuitItemAndWaysBackToTheLevel) {
  struct Case {
    const char* what;
    void (*input)();
    int quit;
  } cases[] = {
      {"quit item", [] { pointerBeforeNextPoll(500, 480, 1); }, 1},
      {"back item", [] { pointerBeforeNextPoll(500, 320, 1); }, 0},
      {"Enter", [] { I_SetKey(ALLEGRO_KEY_ENTER, true); }, 0},
      {"keypad Enter", [] { I_SetKey(ALLEGRO_KEY_PAD_ENTER, true); }, 0},
      {"Escape from before", [] { keyBeforeNextPoll(ALLEGRO_KEY_ESCAPE); }, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    resetInput();
    c.input();
    scriptInput([](int) {});
    int quit = 0;
    runMainMenu(quit);
    EXPECT_EQ(quit, c.quit);
    EXPECT_LE(pollsSoFar(), 1);
    EXPECT_EQ(game.currentLevel, 30);
  }
}

TEST_F(MenuScreens, EscapeInTheMenuShowsTheAboutPageWhichLeavesAtOnce) {
  scriptInput([](int poll) {
    if (poll == 3) I_SetKey(ALLEGRO_KEY_ESCAPE, true);
  });
  int quit = 0;
  { ScreenScope probeTheDisplayFirst; }
  long flipsBefore = platform.flips;
  runMainMenu(quit);
  // The menu's three frames, then the about page: its fade, no frame of its own, the fade-in.
  EXPECT_EQ(pollsSoFar(), 3);
  EXPECT_EQ(platform.flips - flipsBefore, 33 + 2 + 30 + 23);
  EXPECT_TRUE(keyHeld(ALLEGRO_KEY_ESCAPE));  // the main loop sees it next and ends the game
  EXPECT_EQ(quit, 0);
}

class PageScreens : public ScreenTest {};

TEST_F(PageScreens, HelpAndAboutLeaveByEnterOrTheBackLabelOnly) {
  struct Case {
    const char* what;
    void (*run)();
    int labelY;
  } pages[] = {{"help", runHelpScreen, 690}, {"about", runAboutScreen, 660}};
  for (const auto& page : pages) {
    SCOPED_TRACE(page.what);
    // The click that opened the page, on a top-bar button, does not close it.
    resetInput();
    pointerBeforeNextPoll(700, 10, 1);
    scriptInput([](int poll) {
      if (poll == 5) I_SetKey(ALLEGRO_KEY_ENTER, true);
    });
    page.run();
    EXPECT_EQ(pollsSoFar(), 5);

    int y = page.labelY;
    resetInput();
    pointerBeforeNextPoll(512, y, 0);
    scriptInput([y](int poll) {
      if (poll == 4) platform.mouse.buttons = 1;
      if (poll == 6) platform.mouse.y = y + 30;
    });
    page.run();
    EXPECT_EQ(pollsSoFar(), 5);  // pressed at the 4th poll, seen at the 5th
  }
}
