#include "board/board.h"

#include <cstring>

Board board{};

int baseAt(Cell c) {
  int i = cellIndex(c.col, c.row);
  return inLayers(i) ? board.baseLayer[i] : codeOutside;
}

int objectAt(Cell c) {
  int i = cellIndex(c.col, c.row);
  return inLayers(i) ? board.objectLayer[i] : codeOutside;
}

void setBase(Cell c, int code) {
  int i = cellIndex(c.col, c.row);
  if (inLayers(i)) board.baseLayer[i] = code;
}

void setObject(Cell c, int code) {
  int i = cellIndex(c.col, c.row);
  if (inLayers(i)) board.objectLayer[i] = code;
}

void clearBoard() {
  std::memset(board.baseLayer, 0, sizeof board.baseLayer);
  std::memset(board.objectLayer, 0, sizeof board.objectLayer);
}
