// The board of the level being played: two layers of tile codes and the
// player's position, plus the geometry shared by every rule and drawing.
#pragma once

#include <cstdint>

constexpr int boardCols = 13;        // columns 0..12 are the board proper
constexpr int boardRows = 10;        // rows 0..9 are the board proper
constexpr int layerCols = 14;        // column 13 is the storage column
constexpr int layerRows = 11;        // row 10 is the storage row
constexpr int layerSize = layerCols * layerRows;  // 154 cells per layer
constexpr int cellSize = 82;         // pixels per cell side

// Base layer codes.
enum BaseCode : int32_t {
  codeFloor = 0,
  codePit = 1,
  codeFilledWater = 2,
  codeTrapSafe = 3,
  codeWater = 4,
  codeExitKey = 5,
  codeDoorUp = 6,  // open doors 6..9: up, down, right, left
  codeDoorDown = 7,
  codeDoorRight = 8,
  codeDoorLeft = 9,
  codeMug = 10,
  codeTrapDeadly = 11,
  codeCageKey = 12,
  codePadRight = 13,
  codePadLeft = 14,
  codePadUp = 15,
  codePadDown = 16,
  codeBlocker = 20,  // no rule of its own: blocks, but a step right shows no push pose
  codeCage = 44,
  codeDoorClosedUp = 46,  // closed doors 46..49 open into code - 40
  codeDoorClosedDown = 47,
  codeDoorClosedRight = 48,
  codeDoorClosedLeft = 49,
  codeEmitterRight = 50,  // stands in column 0
  codeEmitterDown = 51,   // stands in row 0
  codeEmitterLeft = 52,   // stands in column 12
  codeEmitterUp = 53,     // stands in row 9
  codePlayerStart = 69,   // only in the level file
  codeOutside = 99,       // what a neighbour outside the arrays reads as: a wall
};

// Object layer codes.
enum ObjectCode : int32_t {
  objNone = 0,
  objBeamH = 3,
  objBeamV = 4,
  objBox = 17,
  objCagedBox = 18,
  objSlider = 19,
};

enum class Dir { none, right, left, up, down };

struct Board {
  int32_t baseLayer[layerSize];    // fixed tile of each cell, index c * 11 + r
  int32_t objectLayer[layerSize];  // thing or beam mark lying on each cell
  int32_t playerX;                 // screen x of the player's picture
  int32_t playerY;                 // screen y of the player's picture
};

extern Board board;

struct Cell {
  int col;
  int row;
  bool operator==(const Cell&) const = default;
};

struct Point {
  int x;
  int y;
  bool operator==(const Point&) const = default;
};

constexpr int cellIndex(int c, int r) { return c * layerRows + r; }
constexpr Point cellOrigin(int c, int r) { return {cellSize * c - 20, cellSize * r - 20}; }
// C++ division truncates toward zero, as the cell rules want.
constexpr Cell cellOf(int x, int y) { return {x / cellSize + 1, y / cellSize + 1}; }
constexpr Cell centreCellOf(int x, int y) { return {(x + 41) / cellSize, (y + 41) / cellSize}; }

constexpr int dirDx(Dir d) { return d == Dir::right ? 1 : d == Dir::left ? -1 : 0; }
constexpr int dirDy(Dir d) { return d == Dir::down ? 1 : d == Dir::up ? -1 : 0; }
constexpr Cell stepCell(Cell c, Dir d, int n = 1) { return {c.col + n * dirDx(d), c.row + n * dirDy(d)}; }

// The rules index neighbours without bounds checks; an index outside the
// 14 x 11 arrays reads as a wall and is never written.
constexpr bool inLayers(int index) { return index >= 0 && index < layerSize; }
int baseAt(Cell c);
int objectAt(Cell c);
void setBase(Cell c, int code);
void setObject(Cell c, int code);

// What a code means to the rules.
constexpr bool isOpenDoor(int code) { return code >= codeDoorUp && code <= codeDoorLeft; }
constexpr bool isClosedDoor(int code) { return code >= codeDoorClosedUp && code <= codeDoorClosedLeft; }
constexpr bool isJumpPad(int code) { return code >= codePadRight && code <= codePadDown; }
constexpr bool isThing(int objectCode) { return objectCode > 16; }
constexpr bool isBeamMark(int objectCode) { return objectCode == objBeamH || objectCode == objBeamV; }

// Source rectangles on the sprite sheets.
constexpr Point tilePicture(int code) { return {83 * (code % 10), 83 * (code / 10)}; }
constexpr Point objectPicture(int code) { return {95 * (code % 10), 0}; }

void clearBoard();
