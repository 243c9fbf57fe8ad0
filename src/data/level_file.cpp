#include "data/level_file.h"

#include "board/board.h"
#include "data/files.h"
#include "shell/game.h"

std::string decodeLine(const std::string& stored) {
  std::string plain(stored);
  for (char& ch : plain) ch = static_cast<char>(static_cast<unsigned char>(ch) - levelShift);
  return plain;
}

std::string encodeLine(const std::string& plain) {
  std::string stored(plain);
  for (char& ch : stored) ch = static_cast<char>(static_cast<unsigned char>(ch) + levelShift);
  return stored;
}

std::string joinLevelLines(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& line : lines) out += line + "\r\n";
  return out;
}

namespace {

// The plain lines as start-up decoded them: the levels still load when
// dataXX.txt cannot be written (a read-only media/) or has gone since.
std::vector<std::string> decodedLines;

}  // namespace

bool decodeStoredLevelFile() {
  std::string bytes;
  readWholeFile(mediaPath::storedLevels, bytes);
  std::vector<std::string> lines = splitLines(bytes, levelFileLines);
  lines.resize(levelFileLines);
  for (std::string& line : lines) line = decodeLine(line);
  decodedLines = lines;
  return writeFileAtomically(mediaPath::plainLevels, joinLevelLines(lines));
}

bool encodeStoredLevelFile(int unlockedLevel) {
  std::string bytes;
  if (!readWholeFile(mediaPath::plainLevels, bytes)) return false;
  std::vector<std::string> lines = splitLines(bytes, levelFileLines);
  // A short read would replace the levels with nothing: keep the old file.
  if (lines.size() < levelFileLines) return false;
  lines[0] = " " + std::to_string(unlockedLevel);
  for (std::string& line : lines) line = encodeLine(line);
  return writeFileAtomically(mediaPath::storedLevels, joinLevelLines(lines));
}

void loadLevelFromRecord(const std::string& record, int& markerCol, int& markerRow, int& markerKind) {
  IntReader reader(record);
  int v = 0;
  reader.next(v);  // the header: not used
  for (int r = 0; r < boardRows; ++r) {
    for (int c = 0; c < boardCols; ++c) {
      reader.next(v);  // a failed read repeats the last value
      int i = cellIndex(c, r);
      if (v == objBox || v == objCagedBox || v == objSlider) {
        board.objectLayer[i] = v;
      } else {
        board.baseLayer[i] = v;
        if (v == codePlayerStart) {
          board.baseLayer[i] = codeFloor;
          Point p = cellOrigin(c, r);
          board.playerX = p.x;
          board.playerY = p.y;
        }
      }
      if (isOpenDoor(v)) markerCol = c, markerRow = r, markerKind = v + 40;
      if (isClosedDoor(v)) markerCol = c, markerRow = r, markerKind = v;
      if (v == objCagedBox) board.baseLayer[i] = codeCage;
    }
  }
}

std::vector<std::string> readPlainLevelLines() {
  std::string bytes;
  return readWholeFile(mediaPath::plainLevels, bytes) ? splitLines(bytes, levelFileLines) : decodedLines;
}

std::string recordOfLevel(const std::vector<std::string>& lines, int level) {
  std::string record;
  size_t first = static_cast<size_t>(linesPerRecord) * static_cast<size_t>(level - 1);
  for (size_t i = first; i < first + linesPerRecord && i < lines.size(); ++i) record += lines[i] + "\r\n";
  return record;
}

void loadLevel(int& markerCol, int& markerRow, int& markerKind) {
  clearBoard();
  if (game.currentLevel < 1 || game.currentLevel > game.levelCount) return;
  // A record is found by its lines, not its byte offset: in a file whose
  // line lengths differ (a longer header, an edited row) every level still
  // loads; in a well-formed file both give the same record.
  loadLevelFromRecord(recordOfLevel(readPlainLevelLines(), game.currentLevel), markerCol, markerRow, markerKind);
}
