#include <gtest/gtest.h>

#include <algorithm>

#include "data/progress.h"
#include "draw/draw.h"
#include "screens/screens.h"
#include "shell/game.h"
#include "shell/platform.h"
#include "support/screen_driver.h"

TEST(FinalChoice, EveryRowOfTheTable) {
  struct Case {
    int stars, level;
    FinalSequence expected;
  } cases[] = {
      {50, 51, FinalSequence::allStars}, {50, 50, FinalSequence::allStars}, {49, 51, FinalSequence::plain},
      {0, 51, FinalSequence::plain},     {49, 50, FinalSequence::waitOnly}, {12, 3, FinalSequence::waitOnly},
      {51, 51, FinalSequence::waitOnly},
  };
  for (const Case& c : cases) EXPECT_EQ(finalSequenceFor(c.stars, c.level, 50), c.expected) << c.stars << "/" << c.level;
}

class FinalScreen : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    // Level 50 just finished with all five mugs, as the campaign level.
    game.currentLevel = 51;
    game.unlockedLevel = game.campaignLevel = 50;
    game.levelLoaded = 0;
    for (int n = 1; n <= 50; ++n) progress.bestMugs[n] = mugsInLevel(n), progress.starTaken[n] = 1;
    progress.playSeconds = 7200;
    I_SetKey(ALLEGRO_KEY_ENTER, true);  // ends the final wait at its first pass
  }

  int samplesOf(Sfx s) const {
    return static_cast<int>(std::count_if(platform.samplesPlayed.begin(), platform.samplesPlayed.end(),
                                          [s](const PlayedSample& p) { return p.sample == s; }));
  }
};

TEST_F(FinalScreen, AllStarsEndingClearsAndSavesAFreshStartAtTheLastLevel) {
  double start = platform.clockNow;
  runFinalScreen();
  EXPECT_EQ(mugTotal(), 0);
  EXPECT_EQ(starTotal(), 0);
  EXPECT_EQ(progress.playSeconds, 0);
  EXPECT_EQ(game.currentLevel, 50);
  EXPECT_EQ(game.unlockedLevel, 50);
  EXPECT_EQ(game.campaignLevel, 50);
  EXPECT_EQ(game.levelLoaded, 0);
  EXPECT_EQ(fileNumbers(media, "dataB.txt"), std::vector<int>(51, 0));
  EXPECT_EQ(fileNumbers(media, "dataC.txt"), std::vector<int>(51, 0));
  EXPECT_EQ(storedUnlockedLevel(media), 50);
  // The music starts once, after the frame of step 20 and its sleep.
  ASSERT_EQ(samplesOf(sfxMusic), 1);
  auto music = std::find_if(platform.samplesPlayed.begin(), platform.samplesPlayed.end(),
                            [](const PlayedSample& p) { return p.sample == sfxMusic; });
  EXPECT_NEAR(music->time - start, 2.1, 1e-6);
  EXPECT_FLOAT_EQ(music->gain, 0.8f);
}

TEST_F(FinalScreen, PlainEndingKeepsTheProgressAndWritesNothing) {
  progress.starTaken[17] = 0;
  progress.bestMugs[30] = 2;
  std::string savedB = media.read("dataB.txt"), savedC = media.read("dataC.txt");
  runFinalScreen();
  EXPECT_EQ(starTotal(), 49);
  EXPECT_EQ(mugTotal(), 207);
  EXPECT_EQ(progress.playSeconds, 7200);
  EXPECT_EQ(game.currentLevel, 50);
  EXPECT_EQ(game.unlockedLevel, 50);
  EXPECT_EQ(game.campaignLevel, 50);
  EXPECT_EQ(media.read("dataB.txt"), savedB);
  EXPECT_EQ(media.read("dataC.txt"), savedC);
  EXPECT_EQ(samplesOf(sfxMusic), 0);
}

TEST_F(FinalScreen, TheSummaryStandsOverTheLastLevelNotOnePastIt) {
  progress.starTaken[17] = 0;
  game.currentLevel = 50;
  enterScreenTransition();
  std::vector<uint8_t> atTheLastLevel = pixelsOf(assets.canvasB);
  game.currentLevel = 51;
  runFinalScreen();
  EXPECT_EQ(pixelsOf(assets.canvasB) == atTheLastLevel, true);
}

TEST_F(FinalScreen, AFiftyFirstStarStillSettlesTheCampaignAtTheLastLevel) {
  progress.starSpare = 1;
  game.unlockedLevel = game.campaignLevel = 51;
  runFinalScreen();
  EXPECT_EQ(starTotal(), 51);
  EXPECT_EQ(game.currentLevel, 50);
  EXPECT_EQ(game.unlockedLevel, 50);
  EXPECT_EQ(game.campaignLevel, 50);
}

TEST_F(FinalScreen, TheFinalWaitEndsOnlyOnEscapeEnterOrClose) {
  progress.starTaken[1] = 0;  // plain ending
  platform.drawing = false;
  struct Case {
    const char* what;
    void (*input)();
    int polls;
  } cases[] = {
      {"Escape from the result screen's poll", [] { keyBeforeNextPoll(ALLEGRO_KEY_ESCAPE); }, 0},
      {"Enter", [] { I_SetKey(ALLEGRO_KEY_ENTER, true); }, 1},
      {"keypad Enter later", [] { scriptInput([](int poll) { if (poll == 4) I_SetKey(ALLEGRO_KEY_PAD_ENTER, true); }); }, 4},
      {"close button", [] { platform.injectedEvents.push_back(ALLEGRO_EVENT_DISPLAY_CLOSE); }, 1},
      {"Space does not", [] {
         I_SetKey(ALLEGRO_KEY_SPACE, true);
         scriptInput([](int poll) { if (poll == 6) I_SetKey(ALLEGRO_KEY_ENTER, true); });
       }, 6},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    game.currentLevel = 51;
    resetInput();
    scriptInput([](int) {});
    c.input();
    runFinalScreen();
    EXPECT_EQ(pollsSoFar(), c.polls);
  }
}
