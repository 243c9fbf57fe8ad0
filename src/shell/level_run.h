// The main loop's state of the level being played, kept between frames and
// passed by reference to the rules that change it.
#pragma once

#include <allegro5/allegro.h>

#include "board/board.h"

struct LevelRun {
  int stepProgress;      // pixels of the current step, 0..82
  Dir moveDir;           // direction of the current step
  int poseRow;           // row of the player's picture in imageGs
  int animFrame;         // walk frame 0..11
  int carrying;          // 1 while a box is carried along
  int carriedCode;       // 17 or 18
  int carriedX;          // where the carried box is drawn
  int carriedY;
  Cell carriedTo;        // where the carried box will be put down
  int slideActive;       // 1 while a slider moves
  Dir slideDir;          // its direction
  int slideX;            // screen position of the moving slider
  int slideY;
  int slideProgress;     // pixels moved within the current cell, 0..82
  int fadeCounter;       // frames of the restart fade and the level-end fade
  int restartFade;       // 1 while the fade after a death runs
  int attemptMugs;       // mugs collected in this attempt
  int markerCol;         // exit door's cell and closed code, from loadLevel
  int markerRow;
  int markerKind;
  int markerOpening;     // 1 while the door slides open
  int openingTicks;      // calls since the door started opening
  int openingOffset;     // pixels of the door already gone
  int quitRequested;     // set by the main menu's quit item
  double playerClock;    // last tick of each timed rule
  double secondClock;
  double slideClock;
  double waterClock;
  double trapClock;
  double beamClock;
  float waterPhase;      // animation phases
  float beamPhase;
  int trapPhase;         // trap cycle phase 0..8
  bool hasDoor;          // the loaded level reported a door
  ALLEGRO_EVENT_QUEUE* eventQueue;  // the display's close event
};

// Zero everything, every clock to now.
void initLevelRun(LevelRun& run);
// What a level load resets.
void resetLevelRunForLoad(LevelRun& run);

// Walk and push rows of imageGs by direction.
int walkRow(Dir d);
int pushRow(Dir d);
