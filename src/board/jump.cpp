#include "board/rule_pictures.h"
#include "board/rules.h"
#include "draw/draw.h"
#include "shell/game.h"
#include "shell/platform.h"

namespace {

constexpr int jumpFrames = 2 * cellSize;

Dir padDirection(int b) {
  switch (b) {
    case codePadRight: return Dir::right;
    case codePadLeft: return Dir::left;
    case codePadUp: return Dir::up;
    case codePadDown: return Dir::down;
    default: return Dir::none;
  }
}

// The player's lift over the throw: up by one every other frame to 41, a
// frame at the top, and down again to 1.
int liftAfter(int i, int g) {
  if (i % 2 != 0 || i == 82) return g;
  return i < 82 ? g + 1 : g - 1;
}

}  // namespace

void drawJumpFrame(int poseRow, int g) {
  al_draw_scaled_bitmap(assets.imageGs, 0, poseRow, 82, 82, board.playerX - g / 2, board.playerY - g / 2, 82 + g,
                        82 + g, 0);
}

void checkJumpPad(int stepProgress, int& poseRow) {
  Cell cell = cellOf(board.playerX, board.playerY);
  Dir d = padDirection(baseAt(cell));
  if (d == Dir::none || stepProgress != 0) return;
  // Only the landing cell's object is tested: the player flies over anything
  // and may land on water or a wall.
  if (objectAt(stepCell(cell, d, 2)) > 0) return;
  poseRow = walkRow(d);
  int g = 0;
  for (int i = 0; i < jumpFrames; ++i) {
    drawPlayScene();
    board.playerX += dirDx(d);
    board.playerY += dirDy(d);
    g = liftAfter(i, g);
    if (i == 1) playSound(sfxJump, 1.2f, 0.0f, 1.0f);
    if (I_Drawing()) drawJumpFrame(poseRow, g);
    I_FlipDisplay();
    I_Rest(0.004);
  }
}
