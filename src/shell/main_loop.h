// The main loop: one frame after another until the player quits.
#pragma once

#include "shell/level_run.h"

// Runs one frame; false when the loop ends (Escape, close, quit item).
bool runFrame(LevelRun& run);

// startUp, the frames, shutDown.
int runGame();
