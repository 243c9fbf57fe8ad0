#include "board/rules.h"

void handleArrowKeys(LevelRun&) {}
void stepPlayer(LevelRun&) {}
void applyArrivalEffects(LevelRun&) {}
