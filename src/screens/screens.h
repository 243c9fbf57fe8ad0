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
