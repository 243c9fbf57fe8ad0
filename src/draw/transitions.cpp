#include "draw/draw.h"

void enterScreenTransition() {}
void levelFadeIn() {}
