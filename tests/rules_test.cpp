// The board's rules called one by one, headless, with the driven clock.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "board/board.h"
#include "board/rules.h"
#include "shell/platform.h"
#include "support/board_text.h"
#include "support/test_env.h"

namespace {

class Rules : public ::testing::Test {
 protected:
  void SetUp() override {
    usePlatformForTests();
    platform.drawing = false;
  }

  static int count(Sfx n) {
    int k = 0;
    for (const PlayedSample& s : platform.samplesPlayed) k += s.sample == n;
    return k;
  }
};

// A board picture with row 0 all wall and the given rows below it.
std::string rows(std::initializer_list<const char*> lines) {
  std::string text = "#############\n";
  for (const char* l : lines) text += std::string(l) + "\n";
  return text;
}

// One text line of the board as boardToText prints it.
std::string rowText(int r) { return boardToText(false).substr(static_cast<size_t>(r) * 14, 13); }

// A short row of a picture as rowText gives it: the cells left out are walls.
std::string padded(const std::string& row) { return row + std::string(13 - row.size(), '#'); }

void placePlayer(Cell c) {
  Point p = cellOrigin(c.col, c.row);
  board.playerX = p.x;
  board.playerY = p.y;
}

// Which samples were asked for at which pixel of a step.
using HeardAt = std::multimap<int, int>;  // sample -> pixel

// Moves the player pixel by pixel from cell `from` in direction d, calling
// rule(p) after each pixel as the main loop would.
template <typename Rule>
HeardAt walk(Cell from, Dir d, Rule rule) {
  HeardAt heard;
  Point o = cellOrigin(from.col, from.row);
  for (int p = 1; p <= cellSize; ++p) {
    board.playerX = o.x + p * dirDx(d);
    board.playerY = o.y + p * dirDy(d);
    size_t before = platform.samplesPlayed.size();
    rule(p);
    for (size_t i = before; i < platform.samplesPlayed.size(); ++i)
      heard.emplace(platform.samplesPlayed[i].sample, p);
  }
  return heard;
}

// ---------------------------------------------------------------- sliders

struct Slide {
  int active = 1;
  int progress = 0;
  Dir dir = Dir::none;
  int x = 0, y = 0;
  double clock = 0;

  // Takes the slider off the board at `from`, as a push does.
  Slide(Cell from, Dir d) : dir(d) {
    setObject(from, objNone);
    Point p = cellOrigin(from.col, from.row);
    x = p.x;
    y = p.y;
    clock = platform.clockNow;
  }

  // One frame of a step (0.005 s); false once the slide is over.
  bool frame(int stepProgress = 0) {
    platform.clockNow += 0.005;
    advanceSlide(active, progress, dir, x, y, clock, stepProgress);
    return active == 1;
  }

  int run(int stepProgress = 0) {
    int frames = 1;
    while (frame(stepProgress) && frames < 5000) ++frames;
    EXPECT_LT(frames, 5000) << "slide never ends";
    return frames;
  }
};

TEST_F(Rules, SliderStopsBeforeWhatIsNotFreeAndPassesWhatIs) {
  struct Case {
    const char* before;
    const char* after;
    int slideSounds;  // one per cell left over floor, pit or safe trap
  } cases[] = {
      {"#s....#", "#....s#", 4},           // wall
      {"#s..b..", "#..sb..", 2},           // another thing
      {"#s..T..", "#..sT..", 2},           // deadly trap
      {"#s..k..", "#..sk..", 2},           // exit key
      {"#s..m..", "#..sm..", 2},           // mug
      {"#s.9...", "#.s9...", 1},           // open door
      {"#s-ot_.#", "#.-ot_s#", 5},         // beam mark, pit, safe trap, filled water
      {"#sb", "#sb", 0},                   // blocked from the start
  };
  for (const Case& c : cases) {
    setBoardFromText(rows({c.before}));
    platform.samplesPlayed.clear();
    Slide slide({1, 1}, Dir::right);
    slide.run();
    EXPECT_EQ(rowText(1), padded(c.after)) << c.before;
    EXPECT_EQ(slide.dir, Dir::none);
    EXPECT_EQ(count(sfxSlide), c.slideSounds) << c.before;
    for (const PlayedSample& s : platform.samplesPlayed) {
      EXPECT_FLOAT_EQ(s.gain, 0.7f);
      EXPECT_FLOAT_EQ(s.speed, 1.2f);
    }
  }
}

TEST_F(Rules, SliderSinksIntoWaterAndSplashesOnlyGoingRightOrDown) {
  const std::string picture = rows({
      "###~#########",
      "###.#########",
      "#~.s.~#######",
      "###.#########",
      "###~#########",
  });
  struct Case {
    Dir dir;
    Cell water;
    bool walking;  // the player is in the middle of a step meanwhile
    int splashes;
  } cases[] = {
      {Dir::right, {5, 3}, false, 1}, {Dir::down, {3, 5}, false, 1}, {Dir::left, {1, 3}, false, 0},
      {Dir::up, {3, 1}, false, 0},    {Dir::right, {5, 3}, true, 1}, {Dir::up, {3, 1}, true, 0},
  };
  for (const Case& c : cases) {
    setBoardFromText(picture);
    setObject({3, 3}, objSlider);
    platform.samplesPlayed.clear();
    Slide slide({3, 3}, c.dir);
    slide.run(c.walking ? 40 : 0);
    SCOPED_TRACE(static_cast<int>(c.dir));
    EXPECT_EQ(baseAt(c.water), codeFilledWater);
    EXPECT_EQ(objectAt(c.water), objNone);
    EXPECT_EQ(slide.progress, 0);
    EXPECT_EQ(count(sfxSplash), c.splashes);
    EXPECT_EQ(count(sfxSlide), 2);
    for (int i = 0; i < layerSize; ++i) EXPECT_NE(board.objectLayer[i], objSlider) << "slider left behind at " << i;
  }
}

TEST_F(Rules, SliderGainsAPixelEveryFifthTickWhileThePlayerWalks) {
  for (bool walking : {false, true}) {
    setBoardFromText(rows({"#s.....#"}));
    Slide slide({1, 1}, Dir::right);
    int start = slide.x;
    std::vector<int> moved;
    for (int t = 1; t <= 82; ++t) {
      slide.frame(walking ? 10 : 0);
      moved.push_back(slide.x - start);
    }
    if (walking) {
      EXPECT_EQ(moved[4], 6);     // 6 pixels in 5 ticks
      EXPECT_EQ(moved[65], 82);   // a whole cell in 66 ticks
    } else {
      EXPECT_EQ(moved[4], 5);
      EXPECT_EQ(moved[81], 82);
    }
  }
}

TEST_F(Rules, SliderTicksAtMostOncePerThreeMilliseconds) {
  setBoardFromText(rows({"#s.....#"}));
  Slide slide({1, 1}, Dir::right);
  int start = slide.x;
  platform.clockNow += 0.0031;
  advanceSlide(slide.active, slide.progress, slide.dir, slide.x, slide.y, slide.clock, 0);
  advanceSlide(slide.active, slide.progress, slide.dir, slide.x, slide.y, slide.clock, 0);
  platform.clockNow += 0.002;
  advanceSlide(slide.active, slide.progress, slide.dir, slide.x, slide.y, slide.clock, 0);
  EXPECT_EQ(slide.x - start, 1);
  platform.clockNow += 0.0011;
  advanceSlide(slide.active, slide.progress, slide.dir, slide.x, slide.y, slide.clock, 0);
  EXPECT_EQ(slide.x - start, 2);
}

TEST_F(Rules, SliderLeavingTheArraysMeetsAWall) {
  // Floor in column 0: the slider ends in column 0 instead of reading
  // memory left of the board.
  setBoardFromText(rows({"..s##"}));
  Slide slide({2, 1}, Dir::left);
  EXPECT_LT(slide.run(), 1000);
  EXPECT_EQ(objectAt({0, 1}), objSlider);
}

// ---------------------------------------------------------------- jump pads

TEST_F(Rules, JumpPadThrowsThePlayerTwoCellsOverAnything) {
  const std::string picture = rows({
      "#############",
      "#####m#######",
      "#####o#######",
      "###mo.ro.####",
      "#####~#######",
      "#####.#######",
  });
  struct Case {
    int pad;
    Cell landing;
    int poseRow;
  } cases[] = {
      {codePadRight, {7, 4}, 0},
      {codePadLeft, {3, 4}, 83},
      {codePadUp, {5, 2}, 166},
      {codePadDown, {5, 6}, 249},
  };
  for (const Case& c : cases) {
    setBoardFromText(picture);
    setBase({5, 4}, c.pad);
    placePlayer({5, 4});
    std::string before = boardToText(false);
    platform.samplesPlayed.clear();
    long flips = platform.flips;
    double t0 = platform.clockNow;
    int pose = 999;
    checkJumpPad(0, pose);
    SCOPED_TRACE(c.pad);
    Point landing = cellOrigin(c.landing.col, c.landing.row);
    EXPECT_EQ(board.playerX, landing.x);
    EXPECT_EQ(board.playerY, landing.y);
    EXPECT_EQ(pose, c.poseRow);
    EXPECT_EQ(platform.flips - flips, 164);
    EXPECT_NEAR(platform.clockNow - t0, 164 * 0.004, 1e-9);
    ASSERT_EQ(platform.samplesPlayed.size(), 1u);
    EXPECT_EQ(platform.samplesPlayed[0].sample, sfxJump);
    EXPECT_FLOAT_EQ(platform.samplesPlayed[0].gain, 1.2f);
    EXPECT_NEAR(platform.samplesPlayed[0].time - t0, 0.004, 1e-9);  // in the second frame
    EXPECT_EQ(boardToText(false), before) << "the jump changes nothing on the board";
  }
}

TEST_F(Rules, JumpPadWaitsForALandingCellWithNothingOnIt) {
  struct Case {
    const char* row;
    int stepProgress;
    bool jumps;
  } cases[] = {
      {"#r.b#", 0, false},  // a thing
      {"#r.-#", 0, false},  // a beam mark
      {"#r.|#", 0, false},
      {"#r.m#", 3, false},  // in the middle of a step the pad does nothing
      {"#r.##", 0, true},   // a wall is not tested: the player lands on it
      {"#r.m#", 0, true},
      {"#r.~#", 0, true},
      {"#lo", 0, false},    // two cells left of column 1 is outside the arrays
  };
  for (const Case& c : cases) {
    setBoardFromText(rows({c.row}));
    placePlayer({1, 1});
    long flips = platform.flips;
    int pose = 999;
    checkJumpPad(c.stepProgress, pose);
    EXPECT_EQ(board.playerX == cellOrigin(3, 1).x, c.jumps) << c.row;
    EXPECT_EQ(platform.flips - flips, c.jumps ? 164 : 0) << c.row;
    EXPECT_EQ(pose, c.jumps ? 0 : 999) << c.row;
  }
}

TEST_F(Rules, LandingOnAMugLeavesItThere) {
  setBoardFromText(rows({"#r.m.#"}));
  placePlayer({1, 1});
  int pose = 0;
  checkJumpPad(0, pose);
  for (int frame = 0; frame < 3; ++frame) collectEffects(0, Dir::none);
  EXPECT_EQ(baseAt({3, 1}), codeMug);
  EXPECT_EQ(count(sfxPickUp), 0);
  // Walking off it: the pick-up sound at pixel 30, from the centre cell,
  // and the mug stays.
  HeardAt heard = walk({3, 1}, Dir::right, [](int p) { collectEffects(p, Dir::right); });
  EXPECT_EQ(heard.count(sfxPickUp), 1u);
  EXPECT_EQ(heard.find(sfxPickUp)->second, 30);
  EXPECT_EQ(baseAt({3, 1}), codeMug);
}

// ---------------------------------------------------------------- collectibles

TEST_F(Rules, MugIsHeardAtPixelThirtyAndClearedOnArrivalFromEveryDirection) {
  const std::string picture = rows({
      "#############",
      "#####.#######",
      "####.m.######",
      "#####.#######",
  });
  struct Case {
    Cell from;
    Dir dir;
    int firstPictureFrame;  // the collect picture runs while cellOf is the mug's
  } cases[] = {
      {{4, 3}, Dir::right, 20},
      {{5, 2}, Dir::down, 20},
      {{6, 3}, Dir::left, 63},
      {{5, 4}, Dir::up, 63},
  };
  for (const Case& c : cases) {
    setBoardFromText(picture);
    platform.samplesPlayed.clear();
    std::vector<int> pictureFrames;
    int codeAt81 = -1;
    HeardAt heard = walk(c.from, c.dir, [&](int p) {
      double t = platform.clockNow;
      collectEffects(p, c.dir);
      if (platform.clockNow > t) pictureFrames.push_back(p);  // each picture frame rests 2 ms
      if (p == 81) codeAt81 = baseAt({5, 3});
    });
    SCOPED_TRACE(static_cast<int>(c.dir));
    ASSERT_EQ(heard.count(sfxPickUp), 1u);
    EXPECT_EQ(heard.find(sfxPickUp)->second, 30);
    EXPECT_FLOAT_EQ(platform.samplesPlayed[0].gain, 0.8f);
    EXPECT_FLOAT_EQ(platform.samplesPlayed[0].speed, 0.9f);
    EXPECT_EQ(codeAt81, codeMug);
    EXPECT_EQ(baseAt({5, 3}), codeFloor);
    ASSERT_FALSE(pictureFrames.empty());
    EXPECT_EQ(pictureFrames.front(), c.firstPictureFrame);
    EXPECT_EQ(pictureFrames.back(), cellSize);
  }
}

TEST_F(Rules, ExitKeyChimesAtThirtyAndEightyOne) {
  for (Dir d : {Dir::right, Dir::left}) {
    setBoardFromText(rows({"#.k.#"}));
    platform.samplesPlayed.clear();
    Cell from = d == Dir::right ? Cell{1, 1} : Cell{3, 1};
    HeardAt heard = walk(from, d, [d](int p) { collectEffects(p, d); });
    ASSERT_EQ(platform.samplesPlayed.size(), 2u);
    EXPECT_EQ(heard.find(sfxKeyChime)->second, 30);
    EXPECT_EQ(heard.find(sfxDoorChime)->second, 81);
    EXPECT_FLOAT_EQ(platform.samplesPlayed[0].speed, 0.8f);
    EXPECT_FLOAT_EQ(platform.samplesPlayed[1].gain, 1.0f);
    EXPECT_FLOAT_EQ(platform.samplesPlayed[1].speed, 0.4f);
    EXPECT_EQ(baseAt({2, 1}), codeFloor);
  }
}

TEST_F(Rules, CageKeyRemovesEveryCageAtPixelThirty) {
  setBoardFromText(rows({
      "#.g.x#",
      "#B...#",
      "#...B#",
  }));
  std::string at29, at30;
  HeardAt heard = walk({1, 1}, Dir::right, [&](int p) {
    collectEffects(p, Dir::right);
    if (p == 29) at29 = boardToText(false);
    if (p == 30) at30 = boardToText(false);
  });
  EXPECT_NE(at29.find('x'), std::string::npos);
  EXPECT_EQ(at30.find('x'), std::string::npos);
  EXPECT_EQ(at30.find('B'), std::string::npos);
  EXPECT_EQ(objectAt({1, 2}), objCagedBox);  // the boxes stay, now on floor
  EXPECT_EQ(baseAt({1, 2}), codeFloor);
  EXPECT_EQ(baseAt({2, 1}), codeFloor);
  ASSERT_EQ(heard.count(sfxPickUp), 1u);
  EXPECT_EQ(heard.find(sfxPickUp)->second, 30);
  EXPECT_FLOAT_EQ(platform.samplesPlayed[0].gain, 0.6f);
  EXPECT_FLOAT_EQ(platform.samplesPlayed[0].speed, 1.3f);
}

// ---------------------------------------------------------------- beams

// A short picture as boardToText prints it.
std::string normalised(const std::string& text) {
  setBoardFromText(text);
  return boardToText(false);
}

void rebuildBeams(int stepProgress = 0, int carrying = 0) {
  static double clock = 0;
  static float phase = 0;
  updateBeams(stepProgress, clock, phase, carrying);
}

TEST_F(Rules, EmittersMarkTheirBeamsUpToTheFirstObstacle) {
  struct Case {
    const char* name;
    std::string before;
    std::string after;
  } cases[] = {
      {"50 up to a wall", rows({"E......#"}), rows({"E------#"})},
      {"50 up to a box", rows({"E..b...#"}), rows({"E--b...#"})},
      {"50 and 52 meet", rows({"E...........G"}), rows({"E-----------G"})},
      {"50 and 52 stop together at a box", rows({"E..b........G"}), rows({"E--b......--G"})},
      {"52 passes a mug, keys and a pad unmarked", rows({"#.m.kg.r....G"}), rows({"#-m-kg-r----G"})},
      {"52 stops at a wall", rows({"#...#.......G"}), rows({"#...#-------G"})},
      {"50 outside column 0 fires nothing", rows({"#..E...#"}), rows({"#..E...#"})},
      {"52 outside column 12 fires nothing", rows({"#...G...#"}), rows({"#...G...#"})},
      {"marks of a beam no longer there go", rows({"#.--..#"}), rows({"#.....#"})},
      {"a column beam crosses a row beam", R"(
          ####F########
          #...........#
          E...........#
          #...........#
          #...b.......#)",
       R"(
          ####F########
          #...|.......#
          E---|-------#
          #...|.......#
          #...b.......#)"},
      {"51 and 53 stop together at a box", R"(
          ##F
          ##.
          ##.
          ##.
          ##b
          ##.
          ##.
          ##.
          ##.
          ##H)",
       R"(
          ##F
          ##|
          ##|
          ##|
          ##b
          ##.
          ##|
          ##|
          ##|
          ##H)"},
  };
  for (const Case& c : cases) {
    std::string want = normalised(c.after);
    setBoardFromText(c.before);
    rebuildBeams();
    EXPECT_EQ(boardToText(false), want) << c.name;
  }
}

TEST_F(Rules, NearEmittersMarkCollectiblesAndDeadlyTrapsFarOnesOnlyTraps) {
  // 50 and 51 mark every cell they pass; 52 and 53 only floor-like cells
  // and deadly traps, so their beams neither show nor kill over a mug.
  setBoardFromText(rows({"E.m.T.#", "#.m.T.......G"}));
  rebuildBeams();
  EXPECT_EQ(objectAt({2, 1}), objBeamH);
  EXPECT_EQ(objectAt({4, 1}), objBeamH);
  EXPECT_EQ(objectAt({2, 2}), objNone);
  EXPECT_EQ(objectAt({4, 2}), objBeamH);
  EXPECT_EQ(objectAt({5, 2}), objBeamH);
}

TEST_F(Rules, BeamMarksStayFrozenDuringAStepAndAreAddedToFromPixel81) {
  setBoardFromText(rows({"E......#"}));
  rebuildBeams();
  // Something moves into the path while the player walks.
  setObject({3, 1}, objBox);
  struct Step {
    int stepProgress;
    int carrying;
    const char* row;
  } steps[] = {
      {40, 0, "E--b---#"},  // frozen
      {80, 1, "E--b---#"},
      {81, 0, "E--b---#"},  // rebuilt without clearing: the old marks stay
      {82, 0, "E--b---#"},
      {0, 1, "E--b---#"},   // at rest but carrying: still no clearing
      {0, 0, "E--b...#"},   // at rest: cleared and rebuilt
  };
  for (const Step& s : steps) {
    rebuildBeams(s.stepProgress, s.carrying);
    EXPECT_EQ(rowText(1), padded(s.row)) << s.stepProgress;
  }
  // Taking the box away at pixel 81 reopens the path at once.
  setObject({3, 1}, objNone);
  rebuildBeams(81, 0);
  EXPECT_EQ(rowText(1), padded("E------#"));
}

// ---------------------------------------------------------------- hazards

TEST_F(Rules, DeathOnArrivalInAHazardOrStandingOnADeadlyTrap) {
  struct Case {
    const char* cell;  // the player's cell
    int stepProgress;
    bool dies;
  } cases[] = {
      {"o", 82, true},  {"~", 82, true},  {"T", 82, true},  {"-", 82, true},  {"|", 82, true},
      {"T", 0, true},   {"o", 40, false}, {"~", 81, false}, {"T", 40, false}, {"-", 40, false},
      {"o", 0, false},  {"~", 0, false},  {"-", 0, false},  {"t", 82, false}, {".", 82, false},
      {"m", 82, false}, {"_", 82, false},
  };
  for (const Case& c : cases) {
    setBoardFromText(rows({(std::string("#") + c.cell + "#").c_str()}));
    placePlayer({1, 1});
    platform.samplesPlayed.clear();
    long flips = platform.flips;
    double t0 = platform.clockNow;
    int restartFade = 0;
    checkDeath(c.stepProgress, 0, 0, 0, Dir::right, restartFade);
    SCOPED_TRACE(std::string(c.cell) + " at " + std::to_string(c.stepProgress));
    EXPECT_EQ(restartFade, c.dies ? 1 : 0);
    if (!c.dies) {
      EXPECT_EQ(board.playerX, cellOrigin(1, 1).x);
      EXPECT_TRUE(platform.samplesPlayed.empty());
      continue;
    }
    EXPECT_EQ(board.playerX, -99);
    EXPECT_EQ(board.playerY, -99);
    EXPECT_EQ(platform.flips - flips, 82);
    EXPECT_NEAR(platform.clockNow - t0, 0.82, 1e-9);
    ASSERT_EQ(platform.samplesPlayed.size(), 1u);
    EXPECT_EQ(platform.samplesPlayed[0].sample, sfxDeath);
    EXPECT_FLOAT_EQ(platform.samplesPlayed[0].gain, 1.0f);
  }
}

TEST_F(Rules, TrapsTurnDeadlyAtPhase4AndSafeAtPhase8OneSampleEach) {
  setBoardFromText(rows({"#t.t#", "#T..#"}));
  double clock = platform.clockNow;
  int phase = 0;
  platform.clockNow += 0.75;  // not above 0.75 s yet
  updateTraps(clock, phase);
  EXPECT_EQ(phase, 0);
  std::string expected[] = {"#t.t#", "#t.t#", "#t.t#", "#T.T#", "#T.T#", "#T.T#", "#T.T#", "#t.t#", "#t.t#"};
  for (int tick = 1; tick <= 9; ++tick) {
    platform.samplesPlayed.clear();
    platform.clockNow += 0.7501;
    updateTraps(clock, phase);
    SCOPED_TRACE(tick);
    EXPECT_EQ(phase, tick % 9);
    EXPECT_EQ(rowText(1), padded(expected[tick - 1]));
    if (phase == 4) {
      ASSERT_EQ(platform.samplesPlayed.size(), 2u);  // the third trap was deadly already
      EXPECT_EQ(platform.samplesPlayed[0].sample, sfxTrapOn);
      EXPECT_FLOAT_EQ(platform.samplesPlayed[0].gain, 0.4f);
    } else if (phase == 8) {
      ASSERT_EQ(platform.samplesPlayed.size(), 3u);
      EXPECT_EQ(platform.samplesPlayed[0].sample, sfxTrapOff);
      EXPECT_FLOAT_EQ(platform.samplesPlayed[0].gain, 0.3f);
      EXPECT_FLOAT_EQ(platform.samplesPlayed[0].speed, 0.5f);
    } else {
      EXPECT_TRUE(platform.samplesPlayed.empty());
    }
  }
}

TEST_F(Rules, ArrivingOnATrapKillsInPhases4To7AndStandingOnOneDiesWhenItTurns) {
  for (int target = 0; target <= 8; ++target) {
    setBoardFromText(rows({"#t#"}));
    placePlayer({1, 1});
    double clock = platform.clockNow;
    int phase = 0;
    for (int tick = 0; tick < target; ++tick) {
      platform.clockNow += 0.7501;
      updateTraps(clock, phase);
    }
    ASSERT_EQ(phase, target);
    int restartFade = 0;
    checkDeath(82, 0, 0, 0, Dir::right, restartFade);
    EXPECT_EQ(restartFade, target >= 4 && target <= 7 ? 1 : 0) << "phase " << target;
  }
  // Standing on a safe trap: the frame whose trap tick reaches phase 4 kills.
  setBoardFromText(rows({"#t#"}));
  placePlayer({1, 1});
  double clock = platform.clockNow;
  int phase = 3;
  int restartFade = 0;
  checkDeath(0, 0, 0, 0, Dir::none, restartFade);
  ASSERT_EQ(restartFade, 0);
  platform.clockNow += 0.7501;
  updateTraps(clock, phase);
  checkDeath(0, 0, 0, 0, Dir::none, restartFade);
  EXPECT_EQ(restartFade, 1);
}

TEST_F(Rules, WaterPhaseRunsZeroToNineEveryFiftyMilliseconds) {
  setBoardFromText(rows({"#~#"}));
  double clock = platform.clockNow;
  float phase = 0;
  std::vector<float> seen;
  for (int frame = 0; frame < 60; ++frame) {
    platform.clockNow += 0.01;
    animateWater(clock, phase);
    if (seen.empty() || seen.back() != phase) seen.push_back(phase);
  }
  std::vector<float> want = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0};
  seen.resize(std::min(seen.size(), want.size()));
  EXPECT_EQ(seen, want);
}

}  // namespace
