// The interface texts, read once from media/teksty_100.txt.
#pragma once

#include <allegro5/allegro.h>
#include <allegro5/allegro_font.h>

#include <initializer_list>
#include <string>

constexpr int textLineCount = 99;

struct TextTable {
  std::string lines[textLineCount];  // text line N at index N, label dropped
};

extern TextTable textTable;

// Reads the file into the table; a missing file leaves every line empty.
void readTextTable(const char* path);

// A text line, or an empty string for an index outside the table.
const std::string& textLine(int n);

// Text lines are data: a line is used as a format only when its conversions
// are exactly one integer conversion per argument; otherwise it is plain text.
std::string formatTextLine(const std::string& line, std::initializer_list<int> args);

// Draws text line n (formatted as above) with al_draw_text.
void drawTextLine(const ALLEGRO_FONT* font, ALLEGRO_COLOR colour, float x, float y, int flags, int n,
                  std::initializer_list<int> args = {});
