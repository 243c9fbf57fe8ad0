#include "screens/result.h"

#include <allegro5/allegro_primitives.h>

#include <algorithm>

#include "board/board.h"
#include "data/progress.h"
#include "data/text_table.h"
#include "draw/draw.h"
#include "draw/screen_surface.h"
#include "screens/screens.h"
#include "shell/game.h"
#include "shell/input.h"

const int starThreshold[51] = {
    1,
    152, 143, 134, 143, 149, 164, 167, 146, 164, 152,  // 1..10
    179, 164, 176, 176, 170, 161, 170, 152, 149, 158,  // 11..20
    305, 345, 250, 355, 355, 330, 360, 395, 355, 345,  // 21..30
    335, 370, 340, 350, 365, 370, 430, 330, 320, 340,  // 31..40
    325, 410, 350, 315, 335, 345, 340, 375, 355, 345,  // 41..50
};

int freeCells() {
  int n = 0;
  for (int c = 0; c < boardCols; ++c)
    for (int r = 0; r < boardRows; ++r) {
      int i = cellIndex(c, r);
      if ((board.baseLayer[i] == codeFloor || board.baseLayer[i] == codeFilledWater) && board.objectLayer[i] == 0) ++n;
    }
  return n;
}

int pointsTarget(int attemptMugs) { return freeCells() * attemptMugs + 50; }

NextLevel chooseNextLevel(int attemptMugs, int currentLevel, int unlockedLevel, int campaignLevel,
                          int chosenFromGrid, int levelCount) {
  if (currentLevel == levelCount && attemptMugs == mugsInLevel(levelCount)) {
    if (chosenFromGrid == 0) return {levelCount + 1, unlockedLevel, campaignLevel};
    return {campaignLevel, campaignLevel, campaignLevel};
  }
  if (chosenFromGrid == 0 || currentLevel == campaignLevel) {
    int next = currentLevel + 1;
    return {next, next, next};
  }
  return {campaignLevel, campaignLevel, campaignLevel};
}

Verdict verdictKind(int currentLevel, int campaignLevel, int attemptMugs, int storedBest, int starTaken) {
  if (currentLevel == campaignLevel && currentLevel < game.levelCount) return Verdict::nextLevel;
  if (currentLevel < campaignLevel || campaignLevel >= game.levelCount) {
    if (attemptMugs > storedBest && starTaken == 0) return Verdict::betterThisTime;
    if (starTaken == 1) return Verdict::starWon;
  }
  return Verdict::none;
}

namespace {

// 3.14 / 180, not pi / 180: the angles of the icons and rays were set with it.
constexpr double degToRad = 3.14 / 180;

struct Slot {
  int x, y, angle;
};

// The five-slot arc; levels 1..20 use the middle three.
constexpr Slot slotArc[5] = {{367, 297, 350}, {437, 279, 355}, {507, 271, 0}, {577, 279, 5}, {647, 297, 10}};

const Slot& slotFor(const ResultRun& run, int k) { return slotArc[(run.slotCount == 3 ? 1 : 0) + k]; }

float radians(int degrees) { return static_cast<float>(degrees * degToRad); }

ALLEGRO_COLOR pointsColour(const ResultRun& run) {
  return run.pointsGood ? al_map_rgb(28, 222, 28) : al_map_rgb(200, 200, 28);
}

// Clears a rectangle of the sprite sheet to transparent.
void clearSheetArea(float x0, float y0, float x1, float y1) {
  ALLEGRO_STATE state;
  al_store_state(&state, ALLEGRO_STATE_BLENDER);
  al_set_blender(ALLEGRO_ADD, ALLEGRO_ONE, ALLEGRO_ZERO);
  al_draw_filled_rectangle(x0, y0, x1, y1, al_map_rgba(0, 0, 0, 0));
  al_restore_state(&state);
}

// Text over four black copies at the corners (cx +- spread, cy +- spread).
template <typename Draw>
void outlined(float cx, float cy, float spread, ALLEGRO_COLOR shadow, float x, float y, ALLEGRO_COLOR colour,
              Draw draw) {
  for (float dy : {-spread, spread})
    for (float dx : {-spread, spread}) draw(shadow, cx + dx, cy + dy);
  draw(colour, x, y);
}

// The level number and the full-set banner are rendered once into free
// areas of the sheet and then drawn like sprites. Clipping keeps a long
// text from spilling over the pictures beside them.
void renderScratchPictures(int level) {
  al_set_target_bitmap(assets.atlas);
  clearSheetArea(240, 655, 300, 705);
  clearSheetArea(0, 768, 404, 810);
  al_set_clipping_rectangle(240, 655, 60, 50);
  outlined(271, 661, 1, al_map_rgb(0, 0, 0), 271, 661, al_map_rgb(200, 200, 200), [&](ALLEGRO_COLOR c, float x, float y) {
    al_draw_textf(assets.fontBold40, c, x, y, ALLEGRO_ALIGN_CENTRE, "%d", level);
  });
  al_set_clipping_rectangle(0, 768, 404, 42);
  outlined(202, 770, 2, al_map_rgb(0, 0, 0), 201, 770, al_map_rgb(20, 200, 20), [&](ALLEGRO_COLOR c, float x, float y) {
    drawTextLine(assets.fontBold40, c, x, y, ALLEGRO_ALIGN_CENTRE, 10);
  });
  al_reset_clipping_rectangle();

  al_set_target_bitmap(assets.cellCanvas);
  al_clear_to_color(al_map_rgba(0, 0, 0, 0));
  al_draw_bitmap_region(assets.atlas, 180, 650, 60, 60, 0, 0, 0);
}

void composePanel(const ResultRun& run) {
  al_set_target_bitmap(assets.canvasB);
  int half = run.labelWidth / 2;
  drawTintedSheetPatch(al_map_rgba(0, 0, 0, 133), 0, 0, 5, 5, 160, 160, 704, 458);
  al_draw_rectangle(170, 170, 854, 608, al_map_rgb(20, 200, 20), 2);
  al_draw_scaled_bitmap(assets.imageGe, 0, 190, 640, 140, 209, 190, 610, 138, 0);
  if (run.slotCount == 3)
    drawSheetRegion(545, 670, 205, 85, 410, 250);
  else
    drawSheetPatch(480, 670, 335, 85, 345, 250, 335, 85);
  drawSheetRegion(790, 630, 40, 40, 573, 330);
  drawSheetRegion(248, 660, 48, 40, 489, 193);
  drawTintedSheetPatch(al_map_rgba(0, 0, 0, 133), 0, 0, 5, 5, 500 - half, 545, run.labelWidth + 20, 33);
  drawTextLine(assets.fontRegular20, al_map_rgb(180, 180, 180), 512, 550, ALLEGRO_ALIGN_CENTRE, 13);
  drawTintedSheetPatch(al_map_rgba(0, 0, 0, 120), 0, 0, 5, 5, 700, 322, 115, 52);
  al_draw_rectangle(700, 322, 815, 374, al_map_rgb(0, 0, 0), 2);
  al_draw_rectangle(702, 324, 814, 373, al_map_rgb(111, 111, 111), 1);
  drawTextLine(assets.fontRegular20, al_map_rgb(120, 120, 120), 757, 322, ALLEGRO_ALIGN_CENTRE, 70);
}

void stepPulse(ResultRun& run) {
  if (run.pulse == 251) {
    run.pulse = 250;
    run.pulseRising = false;
  } else if (run.pulse > 49) {
    run.pulse += run.pulseRising ? 1 : -1;
  } else {
    run.pulse += 1;
    run.pulseRising = true;
  }
}

void drawMugIcons(const ResultRun& run) {
  if (!I_Drawing()) return;
  for (int k = 0; k < std::min(run.mugsShown, run.slotCount); ++k) {
    const Slot& s = slotFor(run, k);
    al_draw_rotated_bitmap(assets.cellCanvas, 20, 20, s.x, s.y, radians(s.angle), 0);
  }
}

void drawPoints(const ResultRun& run) {
  if (!I_Drawing()) return;
  al_draw_textf(assets.fontBold30, pointsColour(run), 512, 333, ALLEGRO_ALIGN_CENTRE, "%d", run.points);
  al_draw_textf(assets.fontBold30, al_map_rgb(150, 150, 18), 430, 333, ALLEGRO_ALIGN_CENTRE, "(%d)", run.threshold);
}

void lightUpStar(ResultRun& run) {
  if (run.starFlash < 246) {
    int f = ++run.starFlash;
    if (I_Drawing()) {
      al_draw_tinted_bitmap_region(assets.atlas, al_map_rgba(f, f, f, f), 790, 590, 40, 40, 573, 330, 0);
      float size = static_cast<float>(f) - 2.2f;
      al_draw_tinted_scaled_bitmap(assets.imageGe, al_map_rgba(255, 255, 255, (3 * f) % 256), 83, 0, 82, 82,
                                   585 - f / 2, 340 - f / 2, size, size, 0);
    }
    if (f == 10) playSound(sfxKeyChime, 0.8f, 0, 1.0f);
    I_Rest(0.003);
  }
  if (run.starFlash > 164) drawSheetRegion(790, 590, 40, 40, 573, 330);
}

void shrinkBanner(ResultRun& run) {
  int start = 550 * run.attemptMugs;
  if (run.phaseClock > start && run.phaseClock <= start + 499 && run.phaseClock % 25 == 0) {
    run.bannerGrowX -= 144;
    run.bannerGrowY -= 21;
  }
}

void showFullSetBanner(ResultRun& run) {
  if (run.phaseClock > 550 * run.attemptMugs) {
    run.verdictAt = 500 * run.mugsShown + 1500;
    drawSheetPatch(0, 768, 404, 42, 312 - run.bannerGrowX / 2, 404 - run.bannerGrowY / 2, run.bannerGrowX + 400,
                   run.bannerGrowY + 52);
  }
  if (run.phaseClock == 555 * run.attemptMugs) playSound(sfxFanfare, 0.8f, 0, 1.0f);
}

void turnRays(ResultRun& run) {
  if (run.pulse % 50 == 0) {
    ++run.rayAngleA;
    --run.rayAngleB;
  }
  if (run.rayAngleA > 360) run.rayAngleA = 1;
  if (run.rayAngleB <= 0) run.rayAngleB = 360;
  if (!I_Drawing()) return;
  al_draw_rotated_bitmap(assets.imagePromienie, 200, 80, 593, 348, radians(run.rayAngleA), 0);
  al_draw_rotated_bitmap(assets.imagePromienie, 200, 80, 593, 348, radians(run.rayAngleB), 0);
}

void drawVerdict(const ResultRun& run) {
  if (!I_Drawing()) return;
  Verdict v = verdictKind(run.level, game.campaignLevel, run.attemptMugs, progress.bestMugs[run.level],
                          progress.starTaken[run.level]);
  switch (v) {
    case Verdict::nextLevel:
      outlined(512, 490, 1, al_map_rgb(8, 8, 8), 512, 490, al_map_rgb(188, 188, 188), [&](ALLEGRO_COLOR c, float x, float y) {
        drawTextLine(assets.fontBold30, c, x, y, ALLEGRO_ALIGN_CENTRE, 76, {run.level + 1});
      });
      break;
    case Verdict::betterThisTime:
      al_draw_text(assets.fontBold22, pointsColour(run), 511, 490, ALLEGRO_ALIGN_CENTRE, "tym razem lepiej");
      break;
    case Verdict::starWon:
      al_draw_text(assets.fontBold30, pointsColour(run), 511, 490, ALLEGRO_ALIGN_CENTRE, "zdobyta gwiazdka");
      break;
    case Verdict::none:
      break;
  }
}

bool continueLabelClicked(const ResultRun& run) {
  if (!labelBoxHolds(run.labelWidth, 550, 569, input.prevMouseX, input.prevMouseY)) return false;
  input.hoverTarget = hoverBackLabel;
  drawTextLine(assets.fontRegular20, al_map_rgb(222, 222, 222), 512, 550, ALLEGRO_ALIGN_CENTRE, 13);
  return input.prevMouseButtons == 1;
}

}  // namespace

ResultRun prepareResultScreen(int attemptMugs) {
  ResultRun run{};
  run.level = std::clamp(game.currentLevel, 1, game.levelCount);
  run.slotCount = mugsInLevel(run.level);
  run.attemptMugs = std::clamp(attemptMugs, 0, run.slotCount);
  run.threshold = starThreshold[run.level];
  run.labelWidth = textLineWidth(assets.fontRegular20, 13);
  if (I_Drawing()) renderScratchPictures(run.level);
  enterScreenTransition();
  if (I_Drawing()) composePanel(run);
  targetScreen();
  run.pointsTarget = pointsTarget(run.attemptMugs);
  run.pulse = 250;
  run.pulseRising = true;
  run.phaseClock = 20;
  run.rayAngleB = 360;
  run.bannerGrowX = 3000;
  run.bannerGrowY = 420;
  run.verdictAt = 500 * run.attemptMugs + 1000;
  return run;
}

bool runResultFrame(ResultRun& run, CloseWatch& watch) {
  if (keyHeld(ALLEGRO_KEY_ESCAPE)) return true;
  if (watch.closeRequested()) return true;
  pollInput();
  stepPulse(run);
  ++run.frameNo;
  if (run.frameNo > 500 * run.attemptMugs && run.phaseClock < 5000) ++run.phaseClock;

  if (I_Drawing()) {
    al_draw_bitmap(assets.canvasB, 0, 0, 0);
    drawCounters(run.attemptMugs);
    drawClock(735, 347);
  }
  drawMugIcons(run);
  if (run.frameNo % 500 == 0 && run.mugsShown < run.attemptMugs) {
    ++run.mugsShown;
    playSound(sfxPickUp, 0.5f, 0, 1.6f);
  }
  if (run.phaseClock > 100 && run.phaseClock % 5 == 0 && run.points < run.pointsTarget) ++run.points;
  bool reached = run.points >= run.threshold;
  if (reached) {
    run.pointsGood = true;
    progress.starTaken[run.level] = 1;
  }
  // The green frame shows only once every slot of the level is filled.
  if (run.mugsShown < run.slotCount && I_Drawing()) al_draw_rectangle(170, 170, 854, 608, al_map_rgb(20, 20, 20), 2);
  if (reached && run.bannerGrowY <= 99) {
    I_Rest(0.001);
    if (I_Drawing()) al_draw_rectangle(170, 170, 854, 608, al_map_rgb(run.pulse, run.pulse, 20), 1);
  }
  drawPoints(run);
  if (reached) lightUpStar(run);
  if (run.mugsShown == run.attemptMugs) shrinkBanner(run);
  if (run.mugsShown == run.slotCount) showFullSetBanner(run);
  if (continueLabelClicked(run)) return true;
  if (enterHeld() || keyHeld(ALLEGRO_KEY_SPACE)) return true;
  if (run.starFlash > 164) turnRays(run);
  if (run.phaseClock > run.verdictAt) drawVerdict(run);
  showScreenFrame();
  I_Rest(0.001);
  return false;
}

void leaveResultScreen(const ResultRun& run, int& attemptMugs) {
  int& best = progress.bestMugs[run.level];
  best = std::max(best, run.attemptMugs);
  attemptMugs = 0;
  saveProgress();
  NextLevel next = chooseNextLevel(run.attemptMugs, run.level, game.unlockedLevel, game.campaignLevel,
                                   game.chosenFromGrid, game.levelCount);
  game.currentLevel = next.currentLevel;
  game.unlockedLevel = next.unlockedLevel;
  game.campaignLevel = next.campaignLevel;
  game.chosenFromGrid = 0;
  for (int i = 0; i <= 32; ++i) {
    // Past the last level the final screen follows: no darkening.
    if (game.currentLevel <= game.levelCount && I_Drawing()) {
      targetScreen();
      drawDarkeningLayer(i);
    }
    showScreenFrame();
    I_Rest(0.02);
  }
}

void runResultScreen(int& attemptMugs) {
  ScreenScope scope;
  ResultRun run = prepareResultScreen(attemptMugs);
  CloseWatch watch;
  while (!runResultFrame(run, watch)) {
  }
  leaveResultScreen(run, attemptMugs);
}
