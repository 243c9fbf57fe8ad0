#include "draw/draw.h"

void drawTopBarRepeat(bool) {}
void enterScreenTransition() {}
void levelFadeIn() {}
