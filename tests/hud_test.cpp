#include <gtest/gtest.h>

#include <allegro5/allegro.h>

#include <string>

#include "data/progress.h"
#include "draw/draw.h"
#include "draw/hud.h"
#include "shell/game.h"
#include "support/play_fixture.h"
#include "support/test_env.h"

namespace {

TEST(Clock, ShowsHoursMinutesAndSecondsWithTheirLeadingZeros) {
  struct Case {
    int seconds;
    const char* hours;
    const char* minutes;
    const char* secondsText;
  } cases[] = {
      {0, " 0", ":00", "     :00"},
      {59, " 0", ":00", "     :59"},
      {60, " 0", ":01", "     :00"},
      {3599, " 0", ":59", "     :59"},
      {3600, " 1", ":00", "     :00"},
      {3600 + 5 * 60 + 7, " 1", ":05", "     :07"},
      {10 * 60 + 10, " 0", ":10", "     :10"},
      {100 * 3600, " 100", ":00", "     :00"},
  };
  for (const Case& c : cases) {
    ClockTexts t = clockTexts(c.seconds);
    EXPECT_EQ(t.hours, c.hours) << c.seconds;
    EXPECT_EQ(t.minutes, c.minutes) << c.seconds;
    EXPECT_EQ(t.seconds, c.secondsText) << c.seconds;
  }
}

TEST(Counters, ColourMarksTheBestValueAndTheLowerMark) {
  struct Case {
    const char* name;
    int value, level;
    CounterShade mugs, stars;
  } cases[] = {
      {"all mugs of levels 1..20", 60, 20, CounterShade::good, CounterShade::neutral},
      {"below two a level", 39, 20, CounterShade::poor, CounterShade::neutral},
      {"two a level", 40, 20, CounterShade::neutral, CounterShade::neutral},
      {"all mugs up to level 21", 65, 21, CounterShade::good, CounterShade::neutral},
      {"no red mark past level 20", 1, 21, CounterShade::neutral, CounterShade::poor},
      {"nothing at level 1", 0, 1, CounterShade::poor, CounterShade::poor},
      {"one at level 1", 1, 1, CounterShade::poor, CounterShade::good},
      {"half the levels", 3, 7, CounterShade::poor, CounterShade::neutral},
      {"below half the levels", 2, 7, CounterShade::poor, CounterShade::poor},
      {"a star each", 7, 7, CounterShade::poor, CounterShade::good},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(mugShade(c.value, c.level), c.mugs) << c.name;
    EXPECT_EQ(starShade(c.value, c.level), c.stars) << c.name;
  }
}

TEST(Counters, TheAttemptCountsOnlyWhereItBeatsTheRecordedBest) {
  progress = Progress{};
  progress.bestMugs[5] = 2;
  progress.bestMugs[9] = 3;
  struct Case {
    int level, attempt, total;
  } cases[] = {
      {5, 1, 5}, {5, 2, 5}, {5, 3, 6}, {6, 3, 8},
      {51, 5, 5},  // between the last level and the final screen: no level to compare with
  };
  for (const Case& c : cases) {
    game.currentLevel = c.level;
    EXPECT_EQ(countedMugs(c.attempt), c.total) << c.level << " " << c.attempt;
  }
  progress = Progress{};
  game.currentLevel = 0;
}

// Counts the pixels of one colour in a rectangle of the target.
int pixelsOf(const DrawnPixels& drawn, const std::string& colour, int x0, int y0, int x1, int y1) {
  int n = 0;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) n += drawn.at(x, y) == colour;
  return n;
}

TEST_F(PlayLoop, TheCountersAreDrawnInTheirShades) {
  platform.showFrames = false;
  progress = Progress{};
  for (int n = 1; n <= 20; ++n) progress.bestMugs[n] = 3;
  game.currentLevel = 20;
  al_clear_to_color(al_map_rgb(0, 0, 0));
  drawCounters(0);
  DrawnPixels drawn;
  const std::string green = "20,200,20", red = "233,33,33";
  // Mugs (60 of 60) on the first line, stars (none) on the second.
  EXPECT_GT(pixelsOf(drawn, green, 260, 325, 320, 346), 0);
  EXPECT_EQ(pixelsOf(drawn, red, 260, 325, 320, 346), 0);
  EXPECT_GT(pixelsOf(drawn, red, 260, 346, 320, 370), 0);
  EXPECT_EQ(pixelsOf(drawn, green, 260, 346, 320, 370), 0);
  EXPECT_GT(pixelsOf(drawn, "120,120,120", 210, 325, 280, 370), 0) << "the labels";
}

}  // namespace
