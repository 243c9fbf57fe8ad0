// The modal screens entered from the main loop.
#pragma once

void runResultScreen(int& attemptMugs);
void runFinalScreen();
void runMainMenu(int& quitRequested);
void runLevelGrid();
void runResetDialog();
void drawResetDialog();
void runHelpScreen();
void runAboutScreen();

// Level star thresholds, index = level number.
extern const int starThreshold[51];

// Scoring of a finished board: cells of bare floor (base 0 or 2, no object),
// and the points the result screen counts up to.
int freeCells();
int pointsTarget(int attemptMugs);
