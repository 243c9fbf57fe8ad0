#include "draw/draw.h"

void drawClock(int, int) {}
void drawCounters(int) {}
