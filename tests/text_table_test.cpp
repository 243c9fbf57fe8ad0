#include <gtest/gtest.h>

#include <string>

#include "data/text_table.h"
#include "support/test_env.h"

namespace {

void readFrom(ScratchMedia& media, const std::string& bytes) {
  textTable = TextTable{};
  media.write("t.txt", bytes);
  readTextTable(media.path("t.txt").c_str());
}

}  // namespace

TEST(TextTable, LabelsDroppedAndLineEndsEitherWay) {
  ScratchMedia media;
  for (const char* end : {"\n", "\r\n"}) {
    std::string file = std::string("000 Menu") + end + "001 " + end + "02" + end + "0033x" + end + "004 Ż%ółw";
    readFrom(media, file);
    EXPECT_EQ(textLine(0), "Menu") << end;
    EXPECT_EQ(textLine(1), "") << end;      // exactly 4 bytes
    EXPECT_EQ(textLine(2), "") << end;      // shorter than the label
    EXPECT_EQ(textLine(3), "x") << end;     // 5 bytes give 1
    EXPECT_EQ(textLine(4), "Ż%ółw") << end;  // last line without LF
    EXPECT_EQ(textLine(5), "") << end;
  }
}

TEST(TextTable, ReadsNinetyNineLinesAtMostAndNothingWithoutAFile) {
  ScratchMedia media;
  std::string file;
  for (int i = 0; i < 120; ++i) file += "LLLL" + std::to_string(i) + "\r\n";
  readFrom(media, file);
  EXPECT_EQ(textLine(98), "98");
  EXPECT_EQ(textLine(99), "");  // outside the table
  EXPECT_EQ(textLine(-1), "");
  textTable = TextTable{};
  readTextTable(media.path("missing.txt").c_str());
  for (int i = 0; i < textLineCount; ++i) EXPECT_EQ(textLine(i), "");
}

// Text lines come from a file a player can edit: only exactly the integer
// conversions the caller passes make a line a format.
TEST(TextLineFormat, UsedAsFormatOnlyWithMatchingIntegerConversions) {
  struct Case {
    const char* line;
    std::initializer_list<int> args;
    const char* shown;
  } cases[] = {
      {"Poziom %d z %d", {7, 50}, "Poziom 7 z 50"},
      {"Dalej: %02d", {3}, "Dalej: 03"},
      {"100%% pewne %i", {5}, "100% pewne 5"},
      {"%d", {}, "%d"},                        // no arguments: plain text
      {"50% rabatu", {}, "50% rabatu"},
      {"Poziom %d", {7, 50}, "Poziom %d"},     // too few conversions
      {"%d %d %d", {1, 2}, "%d %d %d"},        // too many
      {"%s %d", {1, 2}, "%s %d"},              // not an integer conversion
      {"%n%d", {1, 2}, "%n%d"},
      {"%x", {1}, "%x"},
      {"%*d", {1}, "%*d"},
      {"%99999d", {1}, "%99999d"},             // absurd width
      {"koniec %", {1}, "koniec %"},
      {"%ld", {1}, "%ld"},
  };
  for (const Case& c : cases) EXPECT_EQ(formatTextLine(c.line, c.args), c.shown) << c.line;
}
