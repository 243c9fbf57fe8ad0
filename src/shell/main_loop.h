// The main loop: one frame after another until the player quits.
#pragma once

#include "shell/level_run.h"

// Before the first frame, after startUp: the level run state zeroed with
// every clock at now, and the close event of the display watched.
void beginLevelRun(LevelRun& run);
void endLevelRun(LevelRun& run);

// Runs one frame; false when the loop ends (Escape, close, quit item).
bool runFrame(LevelRun& run);

// startUp, the frames, shutDown.
int runGame();
