#include "board/rules.h"

void animateWater(double&, float&) {}
void updateTraps(double&, int&) {}
void checkDeath(int, int, int, int, Dir, int&) {}
