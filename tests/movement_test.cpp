#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "board/board.h"
#include "shell/input.h"
#include "support/play_fixture.h"

namespace {

int arrowKey(Dir d) {
  switch (d) {
    case Dir::right: return ALLEGRO_KEY_RIGHT;
    case Dir::left: return ALLEGRO_KEY_LEFT;
    case Dir::up: return ALLEGRO_KEY_UP;
    default: return ALLEGRO_KEY_DOWN;
  }
}

const char* dirName(Dir d) {
  switch (d) {
    case Dir::right: return "right";
    case Dir::left: return "left";
    case Dir::up: return "up";
    case Dir::down: return "down";
    default: return "none";
  }
}

// The rules run the same with or without drawing; these tests skip it.
class Movement : public PlayLoop {
 protected:
  void SetUp() override {
    PlayLoop::SetUp();
    platform.drawing = false;
  }

  void holdOnly(std::initializer_list<Dir> dirs) {
    I_ReleaseAllKeys();
    for (Dir d : dirs) I_SetKey(arrowKey(d), true);
  }

  Point player() const { return {board.playerX, board.playerY}; }
};

TEST_F(Movement, RightOntoFloorIsOneStepOf82FramesWithOneSoundAndTwelveWalkFrames) {
  standOn(picture({{homeCell, '@'}, {{6, 3}, '.'}, {{7, 3}, '.'}}));
  Point start = player();
  holdOnly({Dir::right});
  std::vector<int> walkFrames, expectedWalkFrames, stepSoundFrames;
  for (int k = 1; k <= 82; ++k) {
    size_t before = platform.samplesPlayed.size();
    ASSERT_TRUE(frames(1));
    for (size_t i = before; i < platform.samplesPlayed.size(); ++i)
      if (platform.samplesPlayed[i].sample == sfxStep) stepSoundFrames.push_back(k);
    walkFrames.push_back(run.animFrame);
    expectedWalkFrames.push_back((k - 1) / 7);  // up at pixels 7, 14, ..., 77
    ASSERT_EQ(board.playerX, start.x + k) << "frame " << k;
  }
  EXPECT_EQ(walkFrames, expectedWalkFrames);
  EXPECT_EQ(stepSoundFrames, std::vector<int>{2});  // the frame after the first pixel
  EXPECT_FLOAT_EQ(platform.samplesPlayed.at(0).gain, 0.8f);
  EXPECT_FLOAT_EQ(platform.samplesPlayed.at(0).speed, 1.0f);
  EXPECT_EQ(board.playerY, start.y);
  EXPECT_EQ(run.stepProgress, 0);
  EXPECT_EQ(run.moveDir, Dir::none);
  EXPECT_EQ(run.poseRow, 0);

  // Still held: the next step starts in the very next frame.
  ASSERT_TRUE(frames(1));
  EXPECT_EQ(board.playerX, start.x + 83);
}

TEST_F(Movement, PushedBoxIsCarriedOneCellAheadAndPutDownAtPixel81) {
  standOn(picture({{homeCell, '@'}, {{6, 3}, 'b'}, {{7, 3}, '.'}}));
  holdOnly({Dir::right});
  for (int k = 1; k <= 82; ++k) {
    ASSERT_TRUE(frames(1));
    ASSERT_EQ(run.poseRow, 332) << "frame " << k;
    if (k <= 80) {
      ASSERT_EQ(objectAt({6, 3}) + objectAt({7, 3}), 0) << "the box is in neither layer, frame " << k;
      ASSERT_EQ(run.carriedX, board.playerX + 82) << "frame " << k;
      ASSERT_EQ(run.carriedY, board.playerY);
    }
    if (k == 81) {
      EXPECT_EQ(objectAt({7, 3}), objBox);
      EXPECT_EQ(objectAt({6, 3}), objNone);
    }
  }
  EXPECT_EQ(player(), cellOrigin(6, 3));
  EXPECT_EQ(objectAt({7, 3}), objBox);
  EXPECT_EQ(run.carrying, 0);
  EXPECT_EQ(timesPlayed(sfxPushStep), 1);
  EXPECT_EQ(timesPlayed(sfxStep), 0);
  EXPECT_FLOAT_EQ(platform.samplesPlayed.at(0).gain, 0.5f);
}

TEST_F(Movement, ABoxMovesOnlyOntoFloorPitWaterSafeTrapOrABeam) {
  struct Case {
    char beyond;
    bool moves;
  } cases[] = {
      {'.', true},  {'_', true},  {'o', true},  {'~', true},  {'t', true},  {'-', true},
      {'#', false}, {'b', false}, {'B', false}, {'s', false}, {'k', false}, {'6', false},
      {'m', false}, {'T', false}, {'g', false}, {'r', false}, {'C', false}, {'=', false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("beyond: ") + c.beyond);
    standOn(picture({{homeCell, '@'}, {{6, 3}, 'b'}, {{7, 3}, c.beyond}}));
    int baseBeyond = baseAt({7, 3}), objectBeyond = objectAt({7, 3});
    platform.samplesPlayed.clear();
    holdOnly({Dir::right});
    ASSERT_TRUE(frames(1));
    I_ReleaseAllKeys();
    ASSERT_TRUE(frames(c.moves ? 81 : 5));
    EXPECT_EQ(run.poseRow, 332);
    EXPECT_EQ(baseAt({7, 3}), baseBeyond) << "the cell beyond keeps its code";
    if (c.moves) {
      EXPECT_EQ(player(), cellOrigin(6, 3));
      EXPECT_EQ(objectAt({7, 3}), objBox);
    } else {
      EXPECT_EQ(player(), cellOrigin(homeCell.col, homeCell.row));
      EXPECT_EQ(objectAt({6, 3}), objBox);
      EXPECT_EQ(objectAt({7, 3}), objectBeyond);
      EXPECT_EQ(run.moveDir, Dir::none);
      EXPECT_TRUE(platform.samplesPlayed.empty());
    }
  }
}

TEST_F(Movement, WhatStandsAheadDecidesThePose) {
  struct Case {
    char ahead;
    Dir dir;
    int pose;  // -1: the pose stays as it was
  } cases[] = {
      {'=', Dir::right, -1},  {'=', Dir::left, 415}, {'=', Dir::up, 498}, {'=', Dir::down, 581},
      {'#', Dir::right, 332}, {'B', Dir::right, 332},  // the cage keeps its box out of reach
      {'x', Dir::up, 498},
  };
  constexpr int before = 83;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("ahead: ") + c.ahead + " going " + dirName(c.dir));
    Cell ahead = stepCell(homeCell, c.dir);
    standOn(picture({{homeCell, '@'}, {ahead, c.ahead}, {stepCell(homeCell, c.dir, 2), '.'}}));
    run.poseRow = before;
    holdOnly({c.dir});
    ASSERT_TRUE(frames(3));
    EXPECT_EQ(run.poseRow, c.pose < 0 ? before : c.pose);
    EXPECT_EQ(player(), cellOrigin(homeCell.col, homeCell.row));
    EXPECT_EQ(boardToText(false).find('?'), std::string::npos);
    EXPECT_EQ(objectAt(ahead), c.ahead == 'B' ? objCagedBox : objNone);
  }
}

TEST_F(Movement, WithTwoKeysHeldTheLaterOneStepsAndNoBoxIsLost) {
  struct Case {
    const char* name;
    Dir first, second;
    char aheadFirst, aheadSecond;
    Cell playerEnds;
    std::vector<Cell> boxesEnd;
  } cases[] = {
      {"floor both ways", Dir::right, Dir::down, '.', '.', {5, 4}, {}},
      {"box right, floor down", Dir::right, Dir::down, 'b', '.', {5, 4}, {{6, 3}}},
      {"floor right, box down", Dir::right, Dir::down, '.', 'b', {5, 4}, {{5, 5}}},
      {"box right, box left", Dir::right, Dir::left, 'b', 'b', {4, 3}, {{6, 3}, {3, 3}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    standOn(picture({{homeCell, '@'},
                     {stepCell(homeCell, c.first), c.aheadFirst},
                     {stepCell(homeCell, c.first, 2), '.'},
                     {stepCell(homeCell, c.second), c.aheadSecond},
                     {stepCell(homeCell, c.second, 2), '.'}}));
    holdOnly({c.first, c.second});
    ASSERT_TRUE(frames(1));
    I_ReleaseAllKeys();
    ASSERT_TRUE(frames(81));
    EXPECT_EQ(player(), cellOrigin(c.playerEnds.col, c.playerEnds.row));
    int boxes = 0;
    for (int i = 0; i < layerSize; ++i) boxes += board.objectLayer[i] == objBox;
    EXPECT_EQ(boxes, static_cast<int>(c.boxesEnd.size()));
    for (Cell b : c.boxesEnd) EXPECT_EQ(objectAt(b), objBox) << b.col << "," << b.row;
  }
}

TEST_F(Movement, NeighboursOutsideTheArraysAreWalls) {
  // Column 0 is where the arrays start: a box there cannot go further left.
  standOn(picture({{{1, 3}, '@'}, {{0, 3}, 'b'}}));
  holdOnly({Dir::left});
  ASSERT_TRUE(frames(3));
  EXPECT_EQ(player(), cellOrigin(1, 3));
  EXPECT_EQ(run.poseRow, 415);
  EXPECT_EQ(objectAt({0, 3}), objBox);

  // A player moved off the board (as after a death) reads column -1 and row -1.
  standOn(picture({}));
  board.playerX = board.playerY = -99;
  for (Dir d : {Dir::left, Dir::up}) {
    holdOnly({d});
    ASSERT_TRUE(frames(2));
    EXPECT_EQ(player(), (Point{-99, -99})) << dirName(d);
    EXPECT_EQ(run.poseRow, 332 + walkRow(d)) << dirName(d);
  }
}

TEST_F(Movement, ArrivingOnAMugOrTheExitKeyCountsTheMugOrOpensTheDoor) {
  standOn(picture({{homeCell, '@'}, {{6, 3}, 'm'}, {{7, 3}, 'k'}, {{8, 3}, 'C'}}));
  run.hasDoor = true;
  run.markerCol = 8, run.markerRow = 3, run.markerKind = codeDoorClosedRight;
  holdOnly({Dir::right});
  ASSERT_TRUE(frames(81));
  EXPECT_EQ(run.attemptMugs, 0) << "counted on arrival, not before";
  ASSERT_TRUE(frames(1));
  EXPECT_EQ(run.attemptMugs, 1);
  board.baseLayer[cellIndex(6, 3)] = codeFloor;  // what collecting leaves
  ASSERT_TRUE(frames(81));
  EXPECT_EQ(baseAt({8, 3}), codeDoorClosedRight);
  ASSERT_TRUE(frames(1));
  EXPECT_EQ(baseAt({8, 3}), codeDoorRight);
  EXPECT_EQ(run.markerOpening, 1);
  EXPECT_EQ(run.attemptMugs, 1);
}

TEST_F(Movement, WithoutADoorTheExitKeyLeavesTheLastLevelsDoorCellAlone) {
  standOn(picture({{homeCell, '@'}, {{6, 3}, 'k'}}));
  run.hasDoor = false;
  run.markerCol = 7, run.markerRow = 3, run.markerKind = codeDoorClosedLeft;  // the level before's
  holdOnly({Dir::right});
  ASSERT_TRUE(frames(82));
  EXPECT_EQ(baseAt({7, 3}), 21);
  EXPECT_EQ(run.markerOpening, 0);
}

}  // namespace

// A moving slider is in neither layer, so nothing on the board stops a box
// from being pushed where the slider comes to rest: one of the two was lost.
TEST_F(Movement, ABoxAndAMovingSliderNeverEndInOneCell) {
  struct Case {
    const char* what;
    int slideFromRow;  // the slider moves down column 7 from this row...
    int slidPixels;    // ...this far already
    Cell box, slider;  // where each lies at the end
  } cases[] = {
      // It would slide into (7,3) while the box is carried there.
      {"slider bound for the box's cell", 1, 0, {7, 3}, {7, 2}},
      // It is already entering (7,3) when the push would begin.
      {"slider entering the box's cell", 2, 30, {6, 3}, {7, 3}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    standOn(picture({{homeCell, '@'}, {{6, 3}, 'b'}, {{7, 3}, '.'}, {{7, 2}, '.'}, {{7, 1}, '.'}}));
    Point from = cellOrigin(7, c.slideFromRow);
    run.slideActive = 1;
    run.slideDir = Dir::down;
    run.slideX = from.x;
    run.slideY = from.y + c.slidPixels;
    run.slideProgress = c.slidPixels;
    run.slideClock = platform.clockNow;
    holdOnly({Dir::right});
    for (int k = 0; k < 300; ++k) {
      platform.clockNow += 0.004;  // frames of 5 ms: the slider ticks in each
      ASSERT_TRUE(frames(1));
    }
    EXPECT_EQ(run.slideActive, 0);
    EXPECT_EQ(objectAt(c.box), objBox);
    EXPECT_EQ(objectAt(c.slider), objSlider);
  }
}
