// Drawing of the play scene, the clock and counters, and the transitions.
#pragma once

void drawPlayScene();
void drawMarkerOpening(int& markerOpening, int& openingTicks, int& openingOffset, int col, int row);
void drawClock(int x, int y);
void drawCounters(int attemptMugs);
// The top bar's level line and its three buttons.
void drawLevelLine();
void drawTopBarButtons();
// Level line, buttons and clock over a composed scene.
void drawTopBarRepeat(bool buttonsFirst);
void enterScreenTransition();
void levelFadeIn();
// The 8 x 8 sheet patch stretched black over the screen with alpha a.
void drawDarkeningLayer(int alpha);
