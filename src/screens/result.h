// The level result screen in its three stages, so that tests can run it
// frame by frame; runResultScreen strings them together.
#pragma once

#include "screens/screen_kit.h"

struct ResultRun {
  int level;          // the finished level
  int attemptMugs;    // mugs of this attempt, never more than the slots
  int slotCount;      // mug slots: 3 for levels 1..20, 5 for 21..50
  int threshold;      // the level's star threshold
  int pointsTarget;   // what the points count up to
  int points;         // the number shown
  bool pointsGood;    // points reached the threshold: shown green
  int frameNo;        // frames run
  int phaseClock;     // paces points, banner and verdict once the icons are up
  int mugsShown;      // mug icons shown
  int pulse;          // 49..251 and back, one step per frame
  bool pulseRising;   // direction of the pulse
  int starFlash;      // 1..246 while and after the star lights up
  int rayAngleA;      // degrees of the two rays pictures
  int rayAngleB;
  int bannerGrowX;    // extra width and height of the full-set banner
  int bannerGrowY;
  int verdictAt;      // the verdict line shows once phaseClock passes this
  int labelWidth;     // width of the continue label
};

// Renders the scratch pictures, runs the transition, composes the panel in
// canvasB and sets the screen's state.
ResultRun prepareResultScreen(int attemptMugs);
// One frame; true when the player leaves (the frame is then not shown).
bool runResultFrame(ResultRun& run, CloseWatch& watch);
// Records the result, saves, chooses the next level and fades out.
void leaveResultScreen(const ResultRun& run, int& attemptMugs);
