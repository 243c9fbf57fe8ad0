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

// The decisions of the screens, apart from their drawing.

// Where the game goes after a result screen.
struct NextLevel {
  int currentLevel;    // levelCount + 1 sends the main loop to the final screen
  int unlockedLevel;   // always equal to campaignLevel
  int campaignLevel;
};
NextLevel chooseNextLevel(int attemptMugs, int currentLevel, int unlockedLevel, int campaignLevel,
                          int chosenFromGrid, int levelCount);

enum class Verdict {
  none,
  nextLevel,       // the campaign goes on: text line 76 with the next level
  betterThisTime,  // a replay beat the stored best, star still missing
  starWon,         // a replay (or the last level) with the level's star
};
Verdict verdictKind(int currentLevel, int campaignLevel, int attemptMugs, int storedBest, int starTaken);

enum class FinalSequence { allStars, plain, waitOnly };
FinalSequence finalSequenceFor(int totalStars, int currentLevel, int levelCount);

enum class MenuAction { stay, backToLevel, levelGrid, resetDialog, about, quit };
// The main menu's answer to one frame's input, in the order it tests them.
MenuAction menuActionFor(bool enter, bool escapeAfterPoll, int hoverTarget, int prevMouseButtons);
// 61..65 for the item box holding (x, y), else 0.
int menuItemAt(int x, int y);
// 104 (yes) or 105 (no) for the reset dialog's answer box holding (x, y), else 0.
int resetAnswerAt(int x, int y);

enum class GridCell { locked, current, finished };
GridCell gridCellState(int level, int unlockedLevel);
int gridCellX(int level);
int gridCellY(int level);

// The reset dialog's yes: every best, star and the clock to 0, back to level 1.
void resetAllProgress();
