// The rules that move and change things on the board.
#pragma once

#include "shell/level_run.h"

// Player movement and pushing.
void handleArrowKeys(LevelRun& run);
void stepPlayer(LevelRun& run);

// The main loop's arrival effects: mug counted, exit door opened.
void applyArrivalEffects(LevelRun& run);

// Sliding motion. `reserved`: the cell a carried box is bound for, if any.
inline constexpr Cell noCell{-100, -100};
void advanceSlide(int& slideActive, int& slideProgress, Dir& slideDir, int& slideX, int& slideY, double& slideClock,
                  int stepProgress, Cell reserved = noCell);

// Hazards, traps, the death sequence and the water animation.
void animateWater(double& waterClock, float& waterPhase);
void updateTraps(double& trapClock, int& trapPhase);
void checkDeath(int stepProgress, int animFrame, int poseRow, int carrying, Dir moveDir, int& restartFade);

// Beams.
void updateBeams(int stepProgress, double& beamClock, float& beamPhase, int carrying);

// Collectibles.
void collectEffects(int stepProgress, Dir moveDir);

// Jump pads.
void checkJumpPad(int stepProgress, int& poseRow);
