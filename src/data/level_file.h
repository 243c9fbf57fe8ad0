// The two forms of the level file and the loading of one level into the board.
#pragma once

#include <string>
#include <vector>

constexpr int recordSize = 544;   // bytes per level record, CR LF included
constexpr int levelShift = 11;    // stored bytes are plain bytes + 11
constexpr int levelFileLines = 550;
constexpr int linesPerRecord = 11;

// One line of the stored file to plain and back (line ends not included).
std::string decodeLine(const std::string& stored);
std::string encodeLine(const std::string& plain);

// The 550 plain lines as one file: each line followed by CR LF.
std::string joinLevelLines(const std::vector<std::string>& lines);

// Start-up: data.txt decoded into dataXX.txt; a missing file gives 550 empty
// lines. False when dataXX.txt could not be written (the levels still load).
bool decodeStoredLevelFile();

// Saving: dataXX.txt encoded back into data.txt with line 1 replaced by the
// unlocked level. Keeps the old data.txt when dataXX.txt is missing or short.
bool encodeStoredLevelFile(int unlockedLevel);

// Byte offset of level n's record in the plain file.
constexpr long recordOffset(int level) { return static_cast<long>(recordSize) * (level - 1); }

// The lines of dataXX.txt, or the lines start-up decoded when it cannot be read.
std::vector<std::string> readPlainLevelLines();

// Lines 11(level - 1) + 1 to 11 level of the plain file, each with CR LF.
std::string recordOfLevel(const std::vector<std::string>& lines, int level);

// Fills the board from record currentLevel of dataXX.txt and reports the
// exit door; the three references are written only when the level has one.
void loadLevel(int& markerCol, int& markerRow, int& markerKind);

// The same from a record's bytes, for tools and tests.
void loadLevelFromRecord(const std::string& record, int& markerCol, int& markerRow, int& markerKind);
