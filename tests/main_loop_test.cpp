#include <gtest/gtest.h>

#include <string>

#include "board/board.h"
#include "data/progress.h"
#include "shell/input.h"
#include "support/play_fixture.h"

namespace {

TEST_F(PlayLoop, TheLevelEndFadeStartsWhereThePlayerLeavesAndEndsInTheResultScreen) {
  struct Case {
    const char* name;
    Cell start;
    Cell target;
    char targetCode;
    int key;
    bool keepHolding;  // walking on into the storage column behind the door
    int firstFadePixel;
  } cases[] = {
      {"into an open door in column 12", {11, 3}, {12, 3}, '8', ALLEGRO_KEY_RIGHT, true, 20},
      {"into column 0", {1, 3}, {0, 3}, '.', ALLEGRO_KEY_LEFT, false, 43},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    standOn(picture({{c.start, '@'}, {c.target, c.targetCode}}));
    platform.samplesPlayed.clear();
    media.write("dataB.txt", "");
    I_SetKey(c.key, true);
    int fadeFrames = 0, fadeStartedAt = -1;
    while (game.levelLoaded == 1 && fadeFrames <= 90) {
      ASSERT_TRUE(frames(1));
      if (!c.keepHolding) I_ReleaseAllKeys();
      if (run.fadeCounter > 0 && fadeStartedAt < 0) fadeStartedAt = run.stepProgress;
      if (fadeStartedAt >= 0) ++fadeFrames;
      if (fadeFrames == 80) {
        EXPECT_EQ(media.read("dataB.txt"), "") << "saved only after the result screen";
        I_SetKey(ALLEGRO_KEY_ENTER, true);  // leaves the result screen in its first frame
      }
    }
    I_ReleaseAllKeys();
    EXPECT_EQ(fadeStartedAt, c.firstFadePixel);
    EXPECT_EQ(fadeFrames, 81);
    EXPECT_EQ(game.levelLoaded, 0);
    EXPECT_NE(media.read("dataB.txt"), "") << "progress saved after the result screen";
    EXPECT_EQ(timesPlayed(sfxLevelEnd), 1);
  }
}

TEST_F(PlayLoop, AfterADeathBothFadesRunAndTheSameLevelStartsAgainWithoutAResult) {
  standOn(picture({{homeCell, '@'}}));
  storeBoardAsLevel(game.currentLevel);
  // What the death sequence leaves behind.
  run.restartFade = 1;
  board.playerX = board.playerY = -99;
  run.attemptMugs = 2;
  ASSERT_TRUE(frames(40));
  EXPECT_EQ(run.fadeCounter, 80) << "both fades count";
  EXPECT_EQ(game.levelLoaded, 1);
  ASSERT_TRUE(frames(1));
  EXPECT_EQ(game.levelLoaded, 0);
  EXPECT_EQ(run.attemptMugs, 2) << "no result screen ran";
  EXPECT_EQ(timesPlayed(sfxLevelEnd), 1);
  ASSERT_TRUE(frames(1));
  EXPECT_EQ(run.attemptMugs, 0);
  EXPECT_EQ(run.restartFade, 0);
  EXPECT_EQ(board.playerX, cellOrigin(homeCell.col, homeCell.row).x);
}

TEST_F(PlayLoop, SpaceInTheMiddleOfAPushOrSlideReloadsWithNothingLost) {
  for (char thing : {'b', 's'}) {
    SCOPED_TRACE(std::string("pushing ") + thing);
    standOn(picture({{homeCell, '@'}, {{6, 3}, thing}, {{7, 3}, '.'}, {{8, 3}, '.'}}));
    std::string stored = boardToText();
    storeBoardAsLevel(game.currentLevel);
    game.levelLoaded = 0;
    I_SetKey(ALLEGRO_KEY_RIGHT, true);
    ASSERT_TRUE(frames(40));
    EXPECT_EQ(objectAt({6, 3}), objNone) << "the thing is under way";
    I_ReleaseAllKeys();
    I_SetKey(ALLEGRO_KEY_SPACE, true);
    ASSERT_TRUE(frames(1));
    I_ReleaseAllKeys();
    ASSERT_TRUE(frames(1));
    EXPECT_EQ(boardToText(), stored);
    EXPECT_EQ(run.carrying, 0);
    EXPECT_EQ(run.slideActive, 0);
    EXPECT_EQ(run.stepProgress, 0);
  }
}

TEST_F(PlayLoop, RAndTheRestartButtonReloadTheLevel) {
  struct Case {
    const char* name;
    bool rKey;
    int buttons;
    bool reloads;
  } cases[] = {
      {"R", true, 0, true},
      {"a click on the restart button", false, 1, true},
      {"both mouse buttons on it", false, 3, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    standOn(picture({{homeCell, '@'}}));
    platform.mouse.x = 790;
    platform.mouse.y = 12;
    platform.mouse.buttons = c.buttons;
    if (c.rKey) I_SetKey(ALLEGRO_KEY_R, true);
    ASSERT_TRUE(frames(2));  // clicks are seen one poll late
    EXPECT_EQ(game.levelLoaded, c.reloads ? 0 : 1);
    I_ReleaseAllKeys();
    platform.mouse = ALLEGRO_MOUSE_STATE{};
  }
}

TEST_F(PlayLoop, EscapeTheCloseButtonAndTheQuitItemEndTheLoop) {
  standOn(picture({{homeCell, '@'}}));
  platform.injectedEvents.push_back(ALLEGRO_EVENT_DISPLAY_SWITCH_OUT);
  EXPECT_TRUE(frames(1)) << "another display event goes by";
  platform.injectedEvents.push_back(ALLEGRO_EVENT_DISPLAY_CLOSE);
  EXPECT_FALSE(frames(1));

  run.quitRequested = 1;
  EXPECT_FALSE(frames(1));
  run.quitRequested = 0;

  I_SetKey(ALLEGRO_KEY_ESCAPE, true);
  EXPECT_TRUE(frames(1)) << "Escape is read on the poll before the frame";
  EXPECT_FALSE(frames(1));
}

TEST_F(PlayLoop, ASecondOfPlayAddsOneToTheClock) {
  standOn(picture({{homeCell, '@'}}));
  progress.playSeconds = 59;
  ASSERT_TRUE(frames(3));
  EXPECT_EQ(progress.playSeconds, 59);
  platform.clockNow += 1.0;
  ASSERT_TRUE(frames(3));
  EXPECT_EQ(progress.playSeconds, 60);
}

// A damaged level file may hold a level without a start: the player stood on
// the board's corner at the game's start, which ended the level at once and
// unlocked the next one.
TEST_F(PlayLoop, ALevelWithoutAStartNeitherEndsNorMoves) {
  for (bool emptyRecord : {false, true}) {
    SCOPED_TRACE(emptyRecord ? "an empty record" : "walls and floor, no start");
    standOn(picture({{homeCell, '.'}}));
    board.playerX = board.playerY = 7;  // no cell's origin: no start is stored
    storeBoardAsLevel(game.currentLevel);
    if (emptyRecord) media.write("dataXX.txt", "");
    media.write("dataB.txt", "");
    board.playerX = board.playerY = 0;  // where a new process has it
    game.levelLoaded = 0;
    int unlocked = game.unlockedLevel, level = game.currentLevel;
    I_SetKey(ALLEGRO_KEY_LEFT, true);
    ASSERT_TRUE(frames(60));  // short of the 81 frames after which a result screen would wait
    I_ReleaseAllKeys();
    EXPECT_EQ(run.fadeCounter, 0);
    EXPECT_EQ(run.stepProgress, 0);
    EXPECT_EQ(game.levelLoaded, 1);
    EXPECT_EQ(game.currentLevel, level);
    EXPECT_EQ(game.unlockedLevel, unlocked);
    EXPECT_EQ(media.read("dataB.txt"), "") << "no result screen, no save";
  }
}

TEST_F(PlayLoop, F11SwitchesToFullScreenOnceAndWatchesTheNewDisplay) {
  standOn(picture({{homeCell, '@'}}));
  I_SetKey(ALLEGRO_KEY_F11, true);
  ASSERT_TRUE(frames(1));
  ASSERT_EQ(game.displayMode, 1);
  ASSERT_NE(assets.display, nullptr);
  EXPECT_TRUE(al_is_event_source_registered(run.eventQueue, al_get_display_event_source(assets.display)));
  // Held on: every further frame shows exactly one picture, no more switching.
  ALLEGRO_DISPLAY* display = assets.display;
  long flips = platform.flips;
  ASSERT_TRUE(frames(3));
  EXPECT_EQ(platform.flips - flips, 3);
  EXPECT_EQ(assets.display, display);
  EXPECT_EQ(game.displayMode, 1);
}

}  // namespace
