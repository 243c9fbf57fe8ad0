#include "board/rules.h"
#include "shell/game.h"
#include "shell/platform.h"

namespace {

bool isCollectible(int b) { return b == codeExitKey || b == codeMug || b == codeCageKey; }

// The origin of the cell the step leads into.
Point enteredCellOrigin(int s, Dir moveDir) {
  int x = board.playerX, y = board.playerY;
  switch (moveDir) {
    case Dir::right: return {x + cellSize - s, y};
    case Dir::left: return {x - cellSize + s, y};
    case Dir::up: return {x, y - cellSize + s};
    case Dir::down: return {x, y + cellSize - s};
    default: return {0, 0};
  }
}

unsigned char byte(int v) { return static_cast<unsigned char>(((v % 256) + 256) % 256); }

// The floor shows through while a star grows and a second one flickers over it.
void drawFloorShowingThrough(Point at, int s) {
  unsigned char a = byte(2 * s);
  al_draw_tinted_bitmap_region(assets.atlas, al_map_rgba(a, a, a, a), 0, 0, 82, 82, at.x, at.y, 0);
}

void drawCollectPictures(Point at, int s) {
  al_draw_tinted_scaled_bitmap(assets.imageGe, al_map_rgba(255, 255, 255, byte(3 * s)), 83, 0, 82, 82, at.x - s / 2,
                               at.y - s / 2, 2.2f * s, 2.2f * s, 0);
  if (s % 2 != 0) return;
  al_draw_tinted_scaled_bitmap(assets.imageGe, al_map_rgba(byte(255 - s), byte(255 - s), byte(255 - s), byte(255 - 2 * s)),
                               166, 0, 82, 82, at.x - s / 3, at.y - s / 2, 2.5f * s, 2.5f * s, 0);
}

void removeCages() {
  for (int c = 0; c < boardCols; ++c)
    for (int r = 0; r < boardRows; ++r)
      if (baseAt({c, r}) == codeCage) setBase({c, r}, codeFloor);
}

}  // namespace

void collectEffects(int stepProgress, Dir moveDir) {
  int s = stepProgress;
  Cell cell = cellOf(board.playerX, board.playerY);
  int b = baseAt(cell);
  if (b == codeMug || (isCollectible(b) && s > 0)) {
    Point at = enteredCellOrigin(s, moveDir);
    if (I_Drawing()) drawFloorShowingThrough(at, s);
    if (s == cellSize) setBase(cell, codeFloor);
    if (I_Drawing()) drawCollectPictures(at, s);
    I_Rest(0.002);
    b = baseAt(cell);
  }
  // The centre cell turns at pixel 22 or 61, so the sounds at pixel 30 are
  // heard whichever way the player comes.
  int c = baseAt(centreCellOf(board.playerX, board.playerY));
  bool mug = b == codeMug || c == codeMug;
  bool exitKey = b == codeExitKey || c == codeExitKey;
  bool cageKey = b == codeCageKey || c == codeCageKey;
  if (mug && s == 30) playSound(sfxPickUp, 0.8f, 0.0f, 0.9f);
  if (exitKey && s == 30) playSound(sfxKeyChime, 0.8f, 0.0f, 0.8f);
  if (b == codeExitKey && s == 81) playSound(sfxDoorChime, 1.0f, 0.0f, 0.4f);
  if (cageKey && s == 30) {
    playSound(sfxPickUp, 0.6f, 0.0f, 1.3f);
    removeCages();
  }
}
