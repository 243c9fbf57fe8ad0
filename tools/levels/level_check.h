// The form every level must have before anyone plays it.
#pragma once

#include <string>
#include <vector>

#include "level_source.h"

// What is wrong with the level's form; empty when nothing is.
std::vector<std::string> checkLevel(const LevelSource& level);

// The mechanics a level uses, as short names ("box", "key", ...).
std::vector<std::string> mechanicsOf(const LevelSource& level);
extern const char* const mechanicNames[];
extern const int mechanicCount;
