// The player's progress in memory and on disk.
#pragma once

#include <string>

struct Progress {
  int bestMugs[51];   // best mugs of level n at index n (0 unused)
  int playSeconds;    // seconds of play over all runs
  int starTaken[51];  // 1 when level n's star is won, index n (0 unused)
  int starSpare;      // a 51st star value, kept as read and counted like a star
};

extern Progress progress;

// The longest play time the clock shows, 99999 hours: far enough below the
// int limit that counting on can never overflow.
constexpr int maxPlaySeconds = 99999 * 3600 + 3599;

// Start-up: the unlocked level from dataXX.txt, then dataB.txt and dataC.txt.
// Values out of what the game can show are brought into range.
void readProgress();

// Writes data.txt (with the unlocked level in line 1), dataB.txt, dataC.txt.
void saveProgress();

// Sets every best, star and the clock to 0 (no file is written).
void resetProgress();

// The on-disk text of dataB.txt and dataC.txt.
std::string bestMugsFileText();
std::string starsFileText();

// Mugs a level holds: 3 for levels 1..20, 5 for 21..50.
constexpr int mugsInLevel(int level) { return level <= 20 ? 3 : 5; }

// Stars won: the values equal to 1 among starTaken[1..50] and starSpare.
int starTotal();
int mugTotal();
