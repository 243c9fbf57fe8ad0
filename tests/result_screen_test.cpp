#include <gtest/gtest.h>

#include <algorithm>

#include "board/board.h"
#include "data/progress.h"
#include "draw/screen_surface.h"
#include "screens/result.h"
#include "screens/screens.h"
#include "shell/game.h"
#include "shell/input.h"
#include "shell/platform.h"
#include "support/board_text.h"
#include "support/screen_driver.h"

namespace {

void startCampaignAt(int level) {
  game.currentLevel = game.unlockedLevel = game.campaignLevel = level;
  game.chosenFromGrid = 0;
  game.levelLoaded = 1;
}

// Runs the frames of a result screen until the points have long stopped;
// the screen is never left.
ResultRun runUntilSettled(int attemptMugs) {
  ScreenScope scope;
  ResultRun run = prepareResultScreen(attemptMugs);
  CloseWatch watch;
  for (int i = 0; i < 500 * attemptMugs + 4000; ++i)
    if (runResultFrame(run, watch)) ADD_FAILURE() << "left at frame " << run.frameNo;
  return run;
}

}  // namespace

TEST(ResultScoring, FreeCellsCountBareFloorOfTheBoardProper) {
  setBoardFromText(
      "#############\n"
      "#..._.mb#####\n"   // 4 floor + 1 filled water; mug, box and wall are not free
      "#.~o6k.s#####\n"   // 2 floor; water, pit, door, key, slider are not
      "#-|.g.#######\n"); // beams lie on floor but are objects; 2 floor
  EXPECT_EQ(freeCells(), 9);
  // The storage column and row are no part of the board.
  board.baseLayer[cellIndex(13, 4)] = codeFloor;
  board.objectLayer[cellIndex(13, 4)] = 0;
  board.baseLayer[cellIndex(4, 10)] = codeFloor;
  EXPECT_EQ(freeCells(), 9);
  for (auto [mugs, target] : {std::pair{0, 50}, {1, 59}, {3, 77}, {5, 95}}) EXPECT_EQ(pointsTarget(mugs), target);
}

TEST(ResultNextLevel, EveryRowOfTheTable) {
  struct Case {
    const char* what;
    int mugs, level, unlocked, campaign, fromGrid;
    NextLevel expected;
  } cases[] = {
      {"last level, all five, campaign", 5, 50, 50, 50, 0, {51, 50, 50}},
      {"last level, all five, from the grid", 5, 50, 50, 50, 1, {50, 50, 50}},
      {"last level from the grid, campaign earlier", 5, 50, 50, 30, 1, {30, 30, 30}},
      {"campaign goes on", 2, 7, 7, 7, 0, {8, 8, 8}},
      {"last level with fewer mugs", 4, 50, 50, 50, 0, {51, 51, 51}},
      {"grid pick of the campaign level", 3, 12, 12, 12, 1, {13, 13, 13}},
      {"grid pick of an earlier level", 3, 4, 12, 12, 1, {12, 12, 12}},
      {"earlier level with all five, from the grid", 5, 30, 40, 40, 1, {40, 40, 40}},
  };
  for (const Case& c : cases) {
    NextLevel n = chooseNextLevel(c.mugs, c.level, c.unlocked, c.campaign, c.fromGrid, 50);
    EXPECT_EQ(n.currentLevel, c.expected.currentLevel) << c.what;
    EXPECT_EQ(n.unlockedLevel, c.expected.unlockedLevel) << c.what;
    EXPECT_EQ(n.campaignLevel, c.expected.campaignLevel) << c.what;
  }
}

TEST(ResultVerdict, NextLevelReplayBetterOrStar) {
  game.levelCount = 50;
  struct Case {
    const char* what;
    int level, campaign, mugs, best, star;
    Verdict expected;
  } cases[] = {
      {"campaign goes on, even with the star", 10, 10, 3, 0, 1, Verdict::nextLevel},
      {"campaign at 49", 49, 49, 0, 0, 0, Verdict::nextLevel},
      {"replay beat the best, no star", 4, 10, 3, 2, 0, Verdict::betterThisTime},
      {"replay with the star", 4, 10, 3, 2, 1, Verdict::starWon},
      {"replay, star from before, no better", 4, 10, 1, 2, 1, Verdict::starWon},
      {"replay, nothing new", 4, 10, 2, 2, 0, Verdict::none},
      {"last level with its star", 50, 50, 5, 5, 1, Verdict::starWon},
      {"last level beaten", 50, 50, 4, 2, 0, Verdict::betterThisTime},
      {"after the campaign passed 50", 30, 51, 0, 3, 0, Verdict::none},
  };
  for (const Case& c : cases) EXPECT_EQ(verdictKind(c.level, c.campaign, c.mugs, c.best, c.star), c.expected) << c.what;
}

// The count-up frames are the slow part; they run without drawing.
class ResultFrames : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    platform.drawing = false;
  }
};

TEST_F(ResultFrames, StarWonWhenThePointsStopExactlyAtTheThresholdNotOneBelow) {
  struct Case {
    int level, mugs, free;
    bool won;
  } cases[] = {
      {1, 1, 102, true},   // 102 + 50 = 152
      {1, 1, 101, false},  // 151
      {23, 5, 40, true},   // 250
      {23, 5, 39, false},  // 245
      {3, 0, 130, false},  // no mug: 50 points, under every threshold
  };
  for (const Case& c : cases) {
    startCampaignAt(c.level);
    progress.starTaken[c.level] = 0;
    setBoardWithFreeCells(c.free);
    ResultRun run = runUntilSettled(c.mugs);
    EXPECT_EQ(run.points, run.pointsTarget) << "level " << c.level << " free " << c.free;
    EXPECT_EQ(progress.starTaken[c.level], c.won ? 1 : 0) << "level " << c.level << " free " << c.free;
    EXPECT_EQ(run.pointsGood, c.won);
  }
}

TEST_F(ResultFrames, AStarWonEarlierIsNeverTakenBack) {
  startCampaignAt(6);
  progress.starTaken[6] = 1;
  setBoardWithFreeCells(10);
  runUntilSettled(2);
  EXPECT_EQ(progress.starTaken[6], 1);
}

TEST_F(ResultFrames, IconsBannerAndVerdictFollowTheMugs) {
  startCampaignAt(2);
  setBoardWithFreeCells(40);
  ScreenScope scope;
  ResultRun run = prepareResultScreen(3);
  CloseWatch watch;
  std::vector<int> pickUpFrames;
  int fanfarePhase = 0;
  while (run.frameNo < 5000) {
    size_t before = platform.samplesPlayed.size();
    ASSERT_FALSE(runResultFrame(run, watch));
    for (size_t i = before; i < platform.samplesPlayed.size(); ++i) {
      if (platform.samplesPlayed[i].sample == sfxPickUp) pickUpFrames.push_back(run.frameNo);
      if (platform.samplesPlayed[i].sample == sfxFanfare) fanfarePhase = run.phaseClock;
    }
  }
  EXPECT_EQ(pickUpFrames, (std::vector<int>{500, 1000, 1500}));
  EXPECT_EQ(run.mugsShown, 3);
  EXPECT_EQ(fanfarePhase, 1665);
  // The banner settles after 19 shrink steps; a full set shows the verdict later.
  EXPECT_EQ(run.bannerGrowX, 264);
  EXPECT_EQ(run.bannerGrowY, 21);
  EXPECT_EQ(run.verdictAt, 3000);
  EXPECT_EQ(run.phaseClock, 5000 - 1480);  // runs from frame 1501 on
}

TEST_F(ResultFrames, PartialMugsKeepTheVerdictEarlyAndPlayNoFanfare) {
  startCampaignAt(2);
  setBoardWithFreeCells(40);
  ResultRun run = runUntilSettled(2);
  EXPECT_EQ(run.mugsShown, 2);
  EXPECT_EQ(run.verdictAt, 2000);
  EXPECT_TRUE(std::none_of(platform.samplesPlayed.begin(), platform.samplesPlayed.end(),
                           [](const PlayedSample& s) { return s.sample == sfxFanfare; }));
}

// Every way out records the result the same way, however early.
class ResultLeaving : public ScreenTest {};

TEST_F(ResultLeaving, FirstFramesRaiseTheBestSaveAndChooseTheNextLevel) {
  struct Way {
    const char* what;
    void (*prepare)();
    bool drawing;
  } ways[] = {
      {"Enter", [] { I_SetKey(ALLEGRO_KEY_ENTER, true); }, true},
      {"keypad Enter", [] { I_SetKey(ALLEGRO_KEY_PAD_ENTER, true); }, true},
      {"Space", [] { I_SetKey(ALLEGRO_KEY_SPACE, true); }, true},
      {"Escape from before", [] { keyBeforeNextPoll(ALLEGRO_KEY_ESCAPE); }, true},
      {"close button", [] { platform.injectedEvents.push_back(ALLEGRO_EVENT_DISPLAY_CLOSE); }, true},
      {"click on the label", [] { pointerBeforeNextPoll(512, 560, 1); }, true},
      {"Enter in a replay without drawing", [] { I_SetKey(ALLEGRO_KEY_ENTER, true); }, false},
  };
  for (const Way& way : ways) {
    SCOPED_TRACE(way.what);
    startCampaignAt(5);
    progress.bestMugs[5] = 1;
    progress.starTaken[5] = 0;
    setBoardWithFreeCells(120);  // 3 x 120 + 50 would pass the threshold, had the points counted
    platform.drawing = way.drawing;
    resetInput();
    way.prepare();
    int attemptMugs = 3;
    scriptInput([](int) {});
    runResultScreen(attemptMugs);

    EXPECT_LE(pollsSoFar(), 1);
    EXPECT_EQ(attemptMugs, 0);
    EXPECT_EQ(progress.bestMugs[5], 3);
    EXPECT_EQ(progress.starTaken[5], 0);
    EXPECT_EQ(game.currentLevel, 6);
    EXPECT_EQ(game.unlockedLevel, 6);
    EXPECT_EQ(game.campaignLevel, 6);
    // Saved once, before the next level was chosen.
    EXPECT_EQ(fileNumbers(media, "dataB.txt").at(4), 3);
    EXPECT_EQ(storedUnlockedLevel(media), 5);
    platform.drawing = true;
  }
}

TEST_F(ResultLeaving, ABestIsNeverLoweredAndAGridPickGoesBackToTheCampaign) {
  startCampaignAt(20);
  game.currentLevel = 8;
  game.chosenFromGrid = 1;
  progress.bestMugs[8] = 3;
  setBoardWithFreeCells(30);
  I_SetKey(ALLEGRO_KEY_ENTER, true);
  int attemptMugs = 1;
  runResultScreen(attemptMugs);
  EXPECT_EQ(progress.bestMugs[8], 3);
  EXPECT_EQ(game.currentLevel, 20);
  EXPECT_EQ(game.unlockedLevel, 20);
  EXPECT_EQ(game.chosenFromGrid, 0);
}

TEST_F(ResultLeaving, MoreMugsThanSlotsAreCountedAsAFullSet) {
  startCampaignAt(50);
  setBoardWithFreeCells(30);
  I_SetKey(ALLEGRO_KEY_ENTER, true);
  int attemptMugs = 7;
  runResultScreen(attemptMugs);
  EXPECT_EQ(progress.bestMugs[50], 5);
  EXPECT_EQ(game.currentLevel, 51);
  EXPECT_EQ(game.unlockedLevel, 50);
}
