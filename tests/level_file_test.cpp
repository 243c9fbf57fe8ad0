#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "board/board.h"
#include "data/files.h"
#include "data/level_file.h"
#include "shell/game.h"
#include "support/board_text.h"
#include "support/test_env.h"

namespace {

// A record of 11 lines in the plain file's layout: header " H", rows of
// four-character numbers, CR LF ends.
std::string record(const std::vector<std::vector<int>>& rows, const std::string& header = " 0") {
  std::string out = header + "\r\n";
  for (int r = 0; r < 10; ++r) {
    for (int c = 0; c < 13; ++c) {
      int v = r < static_cast<int>(rows.size()) && c < static_cast<int>(rows[r].size()) ? rows[r][c] : 21;
      char cell[8];
      std::snprintf(cell, sizeof cell, "%4d", v);
      out += cell;
    }
    out += "\r\n";
  }
  return out;
}

std::string plainFile(const std::vector<std::string>& records) {
  std::string out;
  for (const std::string& r : records) out += r;
  return out;
}

struct Marker {
  int col = -7, row = -7, kind = -7;
};

Marker load(int level) {
  Marker m;
  game.currentLevel = level;
  loadLevel(m.col, m.row, m.kind);
  return m;
}

}  // namespace

TEST(LevelFile, ShiftCodingRoundTripsEveryByte) {
  std::string all;
  for (int b = 0; b < 256; ++b)
    if (b != '\n') all += static_cast<char>(b);
  EXPECT_EQ(decodeLine(encodeLine(all)), all);
  EXPECT_EQ(encodeLine(" 12"), "+<=");
  EXPECT_EQ(decodeLine(std::string(1, '\x05')), std::string(1, '\xfa'));  // wraps modulo 256
}

TEST(LevelFile, DecodingThenSavingGivesTheStoredFileBackByteForByte) {
  ScratchMedia media;
  std::string stored = media.read("data.txt");
  ASSERT_EQ(stored.size(), 50u * recordSize);
  decodeStoredLevelFile();
  std::string plain = media.read("dataXX.txt");
  ASSERT_EQ(plain.size(), stored.size());
  EXPECT_EQ(plain.substr(0, 4), " 1\r\n");
  ASSERT_TRUE(encodeStoredLevelFile(1));
  EXPECT_EQ(media.read("data.txt"), stored);
}

TEST(LevelFile, AMissingStoredFileGivesEmptyLinesAndEmptyLevels) {
  ScratchMedia media;
  std::remove(media.path("data.txt").c_str());
  decodeStoredLevelFile();
  std::string emptyLines;
  for (int i = 0; i < levelFileLines; ++i) emptyLines += "\r\n";
  EXPECT_EQ(media.read("dataXX.txt"), emptyLines);
  board.playerX = 5;
  Marker m = load(3);
  EXPECT_EQ(board.playerX, 5);
  EXPECT_EQ(m.kind, -7);
  for (int i = 0; i < layerSize; ++i) ASSERT_EQ(board.baseLayer[i], 0);
}

TEST(LevelFile, LoadingFollowsTheCodeTable) {
  ScratchMedia media;
  std::vector<std::vector<int>> rows = {
      {21, 21, 21, 21, 21, 21, 21, 21, 21, 21, 21, 21, 21},
      {21, 17, 18, 19, 69, 10, 5, 12, 44, 0, 0, 69, 21},
      {21, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 48},
      {21, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 21},
      {21, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 21},
      {21, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 21},
      {21, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 21},
      {21, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 21},
      {21, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 21},
      {21, 21, 21, 21, 7, 21, 21, 21, 21, 21, 21, 21, 21},
  };
  media.write("dataXX.txt", plainFile({record({}, " 1"), record(rows)}));
  Marker m = load(2);
  EXPECT_EQ(boardToText(false),
            "#############\n"
            "#bBs.mkgx...#\n"
            "#...........C\n"
            "#...........#\n"
            "#...........#\n"
            "#...........#\n"
            "#...........#\n"
            "#...........#\n"
            "#...........#\n"
            "####7########\n");
  // Two starts: the later one places the player; the last door is reported.
  EXPECT_EQ((Point{board.playerX, board.playerY}), cellOrigin(11, 1));
  EXPECT_EQ(m.col, 4);
  EXPECT_EQ(m.row, 9);
  EXPECT_EQ(m.kind, 47);
  for (int c = 0; c < layerCols; ++c) EXPECT_EQ(board.baseLayer[cellIndex(c, 10)], 0);
  for (int r = 0; r < layerRows; ++r) EXPECT_EQ(board.objectLayer[cellIndex(13, r)], 0);
}

TEST(LevelFile, RecordOffsetsHoldForFirstLastAndTwoDigitUnlockedLevel) {
  EXPECT_EQ(recordOffset(1), 0);
  EXPECT_EQ(recordOffset(50), 544 * 49);
  ScratchMedia media;
  std::vector<std::string> records;
  for (int n = 1; n <= 50; ++n) records.push_back(record({{50 + n % 4}}, n == 1 ? " 12" : " 0"));
  media.write("dataXX.txt", plainFile(records));  // record 1 is 545 bytes
  for (int n : {1, 2, 27, 50}) {
    load(n);
    EXPECT_EQ(board.baseLayer[cellIndex(0, 0)], 50 + n % 4) << "level " << n;
    EXPECT_EQ(board.baseLayer[cellIndex(12, 9)], 21) << "level " << n;
  }
}

TEST(LevelFile, ARecordThatEndsEarlyRepeatsItsLastNumber) {
  ScratchMedia media;
  std::string full = record({{21, 0, 69, 4}});
  // Cut the record after its fourth code of row 0; the next record holds more.
  std::string cut = full.substr(0, 4 + 16);
  cut.resize(recordSize, ' ');
  cut.replace(cut.size() - 3, 3, " x\n");  // garbage stops the reading inside the record
  media.write("dataXX.txt", plainFile({record({}, " 1"), cut, record({{10}})}));
  load(2);
  EXPECT_EQ(board.baseLayer[cellIndex(3, 0)], 4);
  EXPECT_EQ(board.baseLayer[cellIndex(12, 9)], 4);
  EXPECT_EQ(board.baseLayer[cellIndex(2, 0)], 0);
}

TEST(LevelFile, LevelsOutsideTheSetGiveAnEmptyBoard) {
  ScratchMedia media;
  decodeStoredLevelFile();
  for (int level : {0, -3, 51, 1000}) {
    board.baseLayer[5] = 33;
    Marker m = load(level);
    EXPECT_EQ(board.baseLayer[5], 0) << level;
    EXPECT_EQ(m.kind, -7) << level;
  }
}

TEST(LevelFile, HugeAndGarbledNumbersStayInsideTheRecord) {
  ScratchMedia media;
  std::string bad = record({{21, 5}});
  bad.replace(6, 4, "9999999999999");  // overflows: reading stops there
  bad.resize(recordSize, ' ');
  media.write("dataXX.txt", plainFile({record({}, " 1"), bad, record({{10, 10, 10}})}));
  load(2);
  for (int c = 0; c < boardCols; ++c)
    for (int r = 0; r < boardRows; ++r) EXPECT_NE(board.baseLayer[cellIndex(c, r)], 10);
}

// A hand-edited or damaged file may hold lines of other lengths than the
// level tool writes: a record is still the same 11 lines.
TEST(LevelFile, RecordsAreFoundByTheirLinesWhateverTheLineLengths) {
  ScratchMedia media;
  decodeStoredLevelFile();
  std::vector<std::string> lines = splitLines(media.read("dataXX.txt"), levelFileLines);
  std::vector<std::string> expected;
  for (int n : {1, 2, 50}) {
    load(n);
    expected.push_back(boardToText(true));
  }
  lines[0] = std::string(300, ' ') + "7";          // a long header
  lines[3] += std::string(90, ' ');                // a row of level 1 with trailing blanks
  lines[11 + 4].erase(0, 2);                       // a row of level 2 two bytes shorter
  lines[11 * 30 + 2].insert(0, std::string(1000, ' '));  // level 31 grows by 1000 bytes
  media.write("dataXX.txt", joinLevelLines(lines));
  int i = 0;
  for (int n : {1, 2, 50}) {
    load(n);
    EXPECT_EQ(boardToText(true), expected[i++]) << "level " << n;
  }
}

// A read-only media/ (or a plain file removed by another copy of the game
// while this one runs) must not empty the levels.
TEST(LevelFile, LevelsLoadFromTheDecodedLinesWhenThePlainFileIsGone) {
  ScratchMedia media;
  ASSERT_TRUE(decodeStoredLevelFile());
  load(3);
  std::string level3 = boardToText(true);

  std::remove(media.path("dataXX.txt").c_str());
  load(3);
  EXPECT_EQ(boardToText(true), level3) << "removed while running";

  ASSERT_TRUE(std::filesystem::create_directory(media.path("dataXX.txt")));  // cannot be written
  EXPECT_FALSE(decodeStoredLevelFile());
  load(3);
  EXPECT_EQ(boardToText(true), level3) << "never written";
}
