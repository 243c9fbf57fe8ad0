#include <cstdlib>

#include "board/rule_pictures.h"
#include "board/rules.h"
#include "draw/draw.h"
#include "shell/game.h"
#include "shell/platform.h"

namespace {

constexpr int deathFrames = 82;
constexpr int trapDeadlyPhase = 4;
constexpr int trapSafePhase = 8;

struct HazardPicture {
  int sx, sy, w, h;  // atlas region
  int dx, dy;        // offset from the player's position
};

constexpr HazardPicture pitPicture{89, 6, 70, 70, 6, 6};
constexpr HazardPicture deadlyTrapPicture{89, 89, 70, 70, 6, 6};
constexpr HazardPicture waterPicture{0, 498, 82, 82, 0, 0};

const HazardPicture* hazardPicture(int b) {
  switch (b) {
    case codePit: return &pitPicture;
    case codeTrapDeadly: return &deadlyTrapPicture;
    case codeWater: return &waterPicture;
    default: return nullptr;
  }
}

bool killsOnArrival(int b, int o) {
  return b == codePit || b == codeWater || b == codeTrapDeadly || isBeamMark(o);
}

// The water frames 0..3 over the phases 0..9.
int waterFrame(int phase) { return phase <= 2 ? 0 : phase <= 4 ? 1 : phase <= 6 ? 2 : 3; }

bool boardHasWater() {
  for (int c = 0; c < boardCols; ++c)
    for (int r = 0; r < boardRows; ++r)
      if (baseAt({c, r}) == codeWater) return true;
  return false;
}

}  // namespace

void drawDeathFrame(int i, int b, int o, int animFrame, int pose) {
  int x = board.playerX, y = board.playerY;
  if (const HazardPicture* p = hazardPicture(b))
    al_draw_bitmap_region(assets.atlas, p->sx, p->sy, p->w, p->h, x + p->dx, y + p->dy, 0);
  if (o == objBeamH) al_draw_bitmap_region(assets.atlas, 332, 421, 82, 70, x, y + std::rand() % 9, 0);
  if (o == objBeamV) al_draw_bitmap_region(assets.atlas, 421, 415, 70, 82, x + std::rand() % 9, y, 0);
  // The last frames would have a size of zero or less, which Allegro draws
  // mirrored; the player has vanished by then.
  int size = 77 - i;
  if (size <= 0) return;
  al_draw_tinted_scaled_bitmap(assets.imageGs, al_map_rgb(250, 200 - i, 250 - 3 * i), 83 * animFrame, pose, 77, 77,
                               x + i / 2, y + i / 1.4f, size, size, 0);
}

void checkDeath(int stepProgress, int animFrame, int poseRow, int carrying, Dir moveDir, int& restartFade) {
  Cell cell = cellOf(board.playerX, board.playerY);
  int b = baseAt(cell), o = objectAt(cell);
  // On bare floor the player was walking into a beam: show it leaning in.
  int pose = poseRow;
  if (carrying == 0 && b == codeFloor && moveDir != Dir::none) pose = pushRow(moveDir);
  bool arrivalDeath = stepProgress == cellSize && killsOnArrival(b, o);
  bool standingDeath = stepProgress == 0 && b == codeTrapDeadly;
  if (!arrivalDeath && !standingDeath) return;
  for (int i = 0; i < deathFrames; ++i) {
    if (i == 0) playSound(sfxDeath, 1.0f, 0.0f, 1.0f);
    // Each frame draws over the last: the scene is not redrawn.
    if (I_Drawing()) drawDeathFrame(i, b, o, animFrame, pose);
    I_FlipDisplay();
    I_Rest(0.01);
  }
  restartFade = 1;
  board.playerX = -99;
  board.playerY = -99;
}

void updateTraps(double& trapClock, int& trapPhase) {
  double now = I_GetTime();
  if (!(now > trapClock + 0.75)) return;
  if (++trapPhase > 8) trapPhase = 0;
  for (int r = 0; r < boardRows; ++r)
    for (int c = 0; c < boardCols; ++c) {
      int b = baseAt({c, r});
      if (trapPhase == trapDeadlyPhase && b == codeTrapSafe) {
        setBase({c, r}, codeTrapDeadly);
        playSound(sfxTrapOn, 0.4f, 0.0f, 1.0f);
      } else if (trapPhase == trapSafePhase && b == codeTrapDeadly) {
        setBase({c, r}, codeTrapSafe);
        playSound(sfxTrapOff, 0.3f, 0.0f, 0.5f);
      }
    }
  trapClock = now;
}

void animateWater(double& waterClock, float& waterPhase) {
  double now = I_GetTime();
  if (!(now > waterClock + 0.05)) return;
  waterPhase += 1.0f;
  if (waterPhase > 9.0f) waterPhase = 0.0f;
  int frame = boardHasWater() ? waterFrame(static_cast<int>(waterPhase)) : 0;
  // Every water cell draws tile 4, so rewriting that one picture animates all.
  if (I_Drawing()) copySheetRegion(assets.atlas, 83 * frame, 498, 82, 82, assets.atlas, 332, 0);
  waterClock = now;
}
