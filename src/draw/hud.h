// What the clock and the counters show, apart from drawing it.
#pragma once

#include <string>

// The clock's three texts, drawn at one point: hours end there, minutes start
// there, and the seconds' leading spaces push them past the minutes.
struct ClockTexts {
  std::string hours;
  std::string minutes;
  std::string seconds;
};

ClockTexts clockTexts(int playSeconds);

enum class CounterShade { neutral, good, poor };

// Mugs over all levels, the attempt just finished counted as if recorded.
int countedMugs(int attemptMugs);

// How a counter is coloured at a level: good at its best value, poor below
// its lower mark.
CounterShade mugShade(int mugs, int level);
CounterShade starShade(int stars, int level);
