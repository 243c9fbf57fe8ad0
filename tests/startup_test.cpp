#include <gtest/gtest.h>

#include "data/level_file.h"
#include "data/progress.h"
#include "data/text_table.h"
#include "shell/game.h"
#include "support/test_env.h"

TEST(StartUp, FirstStartWithoutProgressFilesBeginsAtTheStoredLevel) {
  ScratchMedia media;
  std::remove(media.path("dataB.txt").c_str());
  std::remove(media.path("dataC.txt").c_str());
  progress = Progress{};
  startGame();
  EXPECT_NE(assets.display, nullptr);
  EXPECT_EQ(al_get_display_width(assets.display), 1024);
  EXPECT_EQ(al_get_display_height(assets.display), 768);
  EXPECT_TRUE(media.exists("dataXX.txt"));
  EXPECT_EQ(game.currentLevel, 1);
  EXPECT_EQ(game.unlockedLevel, 1);
  EXPECT_EQ(game.campaignLevel, 1);
  EXPECT_EQ(mugTotal(), 0);
  EXPECT_EQ(starTotal(), 0);
  EXPECT_FALSE(textLine(80).empty());
  stopGame();
  EXPECT_EQ(assets.display, nullptr);
  EXPECT_EQ(assets.atlas, nullptr);
  EXPECT_FALSE(media.exists("dataXX.txt"));
  EXPECT_TRUE(media.exists("dataB.txt"));
  EXPECT_TRUE(media.exists("dataC.txt"));
}

TEST(StartUp, ShutDownAfterTheLastLevelStartsTheNextProcessAtLevelOne) {
  ScratchMedia media;
  progress = Progress{};
  startGame();
  game.currentLevel = 51;
  game.unlockedLevel = 51;
  progress.bestMugs[50] = 4;
  progress.starTaken[50] = 1;
  progress.playSeconds = 321;
  stopGame();
  EXPECT_EQ(decodeLine(media.read("data.txt").substr(0, 2)), " 1");
  progress = Progress{};
  startGame();
  EXPECT_EQ(game.currentLevel, 1);
  EXPECT_EQ(progress.bestMugs[50], 4);
  EXPECT_EQ(progress.starTaken[50], 1);
  EXPECT_EQ(progress.playSeconds, 321);
  stopGame();
}

// A run killed mid-way leaves its plain level file and perhaps the temporary
// file of a save; the next start must read the stored files as they are.
TEST(StartUp, LeftoversOfAKilledRunDoNotHurtTheNextStart) {
  ScratchMedia media;
  std::string stored = media.read("data.txt");
  stored.replace(0, stored.find('\r'), encodeLine(" 4"));
  media.write("data.txt", stored);
  media.write("dataXX.txt", " 9\r\n  21 junk");
  for (const char* name : {"data.txt.tmp", "dataXX.txt.tmp", "dataB.txt.tmp", "dataC.txt.tmp"})
    media.write(name, "3 3 3");
  progress = Progress{};
  startGame();
  EXPECT_EQ(game.currentLevel, 4);
  EXPECT_EQ(media.read("dataXX.txt").size(), stored.size());
  for (const char* name : {"data.txt.tmp", "dataXX.txt.tmp", "dataB.txt.tmp", "dataC.txt.tmp"})
    EXPECT_FALSE(media.exists(name)) << name;
  EXPECT_EQ(mugTotal(), 0);
  stopGame();
  EXPECT_EQ(media.read("data.txt"), stored);
}

TEST(StartUp, FullScreenSwitchKeepsStateAndThePlainLevelFile) {
  ScratchMedia media;
  progress = Progress{};
  startGame();
  game.currentLevel = 7;
  progress.playSeconds = 42;
  switchToFullScreen();
  EXPECT_EQ(game.displayMode, 1);
  ASSERT_NE(assets.display, nullptr);  // full screen, a full-screen window or a window: never null
  EXPECT_TRUE(media.exists("dataXX.txt"));
  EXPECT_EQ(game.currentLevel, 7);
  EXPECT_EQ(progress.playSeconds, 42);
  EXPECT_NE(assets.atlas, nullptr);
  stopGame();
  game.displayMode = 0;
  EXPECT_FALSE(media.exists("dataXX.txt"));
}
