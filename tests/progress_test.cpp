#include <gtest/gtest.h>

#include <csignal>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include "data/level_file.h"
#include "data/progress.h"
#include "shell/game.h"
#include "support/test_env.h"

namespace {

std::string zeros51() {
  std::string s;
  for (int i = 0; i < 51; ++i) s += "0 ";
  return s;
}

void freshState() {
  progress = Progress{};
  game = GameState{0, 50, 0, 0, 0, 0, 0};
}

}  // namespace

TEST(ProgressFiles, SavedBytesAreExact) {
  ScratchMedia media;
  freshState();
  decodeStoredLevelFile();
  progress.bestMugs[1] = 2;
  progress.playSeconds = 95;
  progress.starTaken[1] = 1;
  progress.starSpare = 1;
  game.unlockedLevel = 12;
  saveProgress();
  std::string best = "2 ";
  for (int i = 0; i < 49; ++i) best += "0 ";
  EXPECT_EQ(media.read("dataB.txt"), best + "95 ");
  std::string stars = "1 ";
  for (int i = 0; i < 49; ++i) stars += "0 ";
  EXPECT_EQ(media.read("dataC.txt"), stars + "1 ");
  EXPECT_EQ(decodeLine(media.read("data.txt").substr(0, 3)), " 12");
  EXPECT_FALSE(media.exists("data.txt.tmp"));
}

TEST(ProgressFiles, ReadBackWhatWasSavedAndResumeAtTheSavedLevel) {
  ScratchMedia media;
  freshState();
  decodeStoredLevelFile();
  progress.bestMugs[7] = 3;
  progress.bestMugs[30] = 4;
  progress.playSeconds = 100 * 3600 + 5;  // past 99 hours
  progress.starTaken[50] = 1;
  game.unlockedLevel = 12;
  saveProgress();
  freshState();
  decodeStoredLevelFile();
  readProgress();
  EXPECT_EQ(game.currentLevel, 12);
  EXPECT_EQ(game.unlockedLevel, 12);
  EXPECT_EQ(game.campaignLevel, 12);
  EXPECT_EQ(progress.bestMugs[7], 3);
  EXPECT_EQ(progress.bestMugs[30], 4);
  EXPECT_EQ(progress.playSeconds, 360005);
  EXPECT_EQ(progress.starTaken[50], 1);
}

TEST(ProgressFiles, ReadingToleratesLineBreaksShortFilesAndGarbage) {
  ScratchMedia media;
  const std::string levels3To50 = zeros51().substr(0, 48 * 2);
  struct Case {
    std::string bytes;
    int best1, best2, seconds;
  } cases[] = {
      {"1\n2\r\n0\t3", 1, 2, 0},  // any whitespace
      {"3 1 x 2 2", 3, 1, 0},     // short: the rest stays 0
      // A damaged value costs only its own field, not every one after it.
      {"x 2 " + levels3To50 + "7200", 0, 2, 7200},
      {"%n -0x5 " + levels3To50 + "-1e9 ", 0, 0, 0},
      {"99999999999 2abc " + levels3To50 + "99999999999", 3, 2, maxPlaySeconds},
      {"", 0, 0, 0},  // empty
      {"", 0, 0, 0},  // missing (removed below)
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    freshState();
    decodeStoredLevelFile();
    media.write("dataB.txt", cases[i].bytes);
    if (i + 1 == std::size(cases)) std::remove(media.path("dataB.txt").c_str());
    readProgress();
    EXPECT_EQ(progress.bestMugs[1], cases[i].best1) << i;
    EXPECT_EQ(progress.bestMugs[2], cases[i].best2) << i;
    EXPECT_EQ(progress.playSeconds, cases[i].seconds) << i;
  }
}

TEST(ProgressFiles, ValuesOutOfRangeAreBroughtIntoRange) {
  ScratchMedia media;
  freshState();
  std::string best = "-4 9 2 ";
  for (int i = 3; i < 50; ++i) best += "7 ";
  media.write("dataB.txt", best + "-50 ");
  media.write("dataC.txt", "5 -1 1 ");
  decodeStoredLevelFile();
  readProgress();
  EXPECT_EQ(progress.bestMugs[1], 0);
  EXPECT_EQ(progress.bestMugs[2], 3);  // a small level holds 3
  EXPECT_EQ(progress.bestMugs[3], 2);
  EXPECT_EQ(progress.bestMugs[21], 5);
  EXPECT_EQ(progress.playSeconds, 0);
  EXPECT_EQ(progress.starTaken[1], 0);
  EXPECT_EQ(progress.starTaken[2], 0);
  EXPECT_EQ(progress.starTaken[3], 1);
}

TEST(ProgressFiles, UnlockedLevelOutsideTheSetIsClamped) {
  ScratchMedia media;
  // 51 is the save between the last level and the final screen; a larger
  // number is no save's: the last level, every level open. An empty header
  // is not the first tile code of the level below it.
  for (auto [written, expected] : {std::pair{" 0", 1}, {" 52", 50}, {" 999", 50}, {" 99999999999", 50}, {" -3", 1},
                                   {" 51", 51}, {" 7", 7}, {"", 1}, {" x", 1}}) {
    freshState();
    std::string stored = media.read("data.txt");
    stored.replace(0, stored.find('\r'), encodeLine(written));
    media.write("data.txt", stored);
    decodeStoredLevelFile();
    readProgress();
    EXPECT_EQ(game.currentLevel, expected) << written;
  }
}

TEST(ProgressFiles, AResetThenSaveWritesZerosAndLevelOne) {
  ScratchMedia media;
  freshState();
  decodeStoredLevelFile();
  progress.bestMugs[4] = 3;
  progress.starSpare = 1;
  progress.playSeconds = 77;
  resetProgress();
  game.unlockedLevel = 1;
  saveProgress();
  EXPECT_EQ(media.read("dataB.txt"), zeros51());
  EXPECT_EQ(media.read("dataC.txt"), zeros51());
  EXPECT_EQ(decodeLine(media.read("data.txt").substr(0, 2)), " 1");
}

TEST(ProgressFiles, AnEmptyOrShortPlainFileNeverReplacesTheStoredLevels) {
  ScratchMedia media;
  freshState();
  std::string stored = media.read("data.txt");
  for (const std::string& plain : {std::string(), std::string(" 1\r\n  21  21\r\n")}) {
    media.write("dataXX.txt", plain);
    game.unlockedLevel = 9;
    saveProgress();
    EXPECT_EQ(media.read("data.txt"), stored);
    EXPECT_EQ(media.read("dataB.txt"), zeros51());  // the other files are still written
  }
  std::remove(media.path("dataXX.txt").c_str());
  saveProgress();
  EXPECT_EQ(media.read("data.txt"), stored);
}

// A process killed at any moment of a save leaves every file whole: the old
// contents or the new, never a torn mix.
TEST(ProgressFiles, ASaveKilledHalfWayLeavesWholeFiles) {
  ScratchMedia media;
  freshState();
  decodeStoredLevelFile();
  std::string stored = media.read("data.txt");
  saveProgress();
  for (int round = 0; round < 25; ++round) {
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      for (int i = 0;; ++i) {
        progress.playSeconds = i;
        game.unlockedLevel = 1 + i % 9;  // one digit: record sizes stay
        saveProgress();
      }
    }
    usleep(2000 + round * 700);
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    std::string now = media.read("data.txt");
    ASSERT_EQ(now.size(), stored.size()) << "round " << round;
    EXPECT_EQ(now.substr(4), stored.substr(4)) << "round " << round;
    std::string best = media.read("dataB.txt");
    ASSERT_FALSE(best.empty());
    ASSERT_EQ(best.back(), ' ');
    int count = 0;
    for (char ch : best) count += ch == ' ';
    EXPECT_EQ(count, 51) << best;
  }
}
