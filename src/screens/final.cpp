#include <allegro5/allegro_primitives.h>

#include "data/progress.h"
#include "data/text_table.h"
#include "draw/draw.h"
#include "draw/screen_surface.h"
#include "screens/screen_kit.h"
#include "screens/screens.h"
#include "shell/game.h"
#include "shell/input.h"

FinalSequence finalSequenceFor(int totalStars, int currentLevel, int levelCount) {
  if (totalStars == levelCount) return FinalSequence::allStars;
  if (totalStars < levelCount && currentLevel > levelCount) return FinalSequence::plain;
  return FinalSequence::waitOnly;
}

namespace {

constexpr int allMugs = 210;  // 20 levels of 3 and 30 of 5

ALLEGRO_COLOR yellow() { return al_map_rgb(222, 222, 22); }
ALLEGRO_COLOR green() { return al_map_rgb(20, 200, 20); }
ALLEGRO_COLOR grey() { return al_map_rgb(188, 188, 188); }

void fadeInSummaryPanel() {
  for (int i = 0; i <= 18; ++i) {
    if (I_Drawing()) {
      drawTintedSheetPatch(al_map_rgba(0, 0, 0, i), 0, 0, 5, 5, 184, 350, 656, 328);
      al_draw_rectangle(194, 360, 830, 668, al_map_rgba(0, 2 * i, 0, i), 3);
    }
    showScreenFrame();
    I_Rest(0.03);
  }
}

// Each text comes in at its step and stays: it is drawn once over the picture.
void runSummaryTexts(int totalMugs, int totalStars) {
  for (int step = 0; step <= 104; ++step) {
    switch (step) {
      case 5:
        drawTextLine(assets.fontBold40, grey(), 512, 380, ALLEGRO_ALIGN_CENTRE, 81);
        break;
      case 30:
        if (totalMugs == allMugs)
          drawTextLine(assets.fontBold22, green(), 512, 460, ALLEGRO_ALIGN_CENTRE, 72);
        else
          drawTextLine(assets.fontBold22, yellow(), 512, 460, ALLEGRO_ALIGN_CENTRE, 73, {totalMugs, allMugs - totalMugs});
        break;
      case 50:
        drawTextLine(assets.fontBold22, yellow(), 512, 500, ALLEGRO_ALIGN_CENTRE, 75, {game.levelCount - totalStars});
        break;
      case 70:
        drawTextLine(assets.fontBold30, green(), 512, 540, ALLEGRO_ALIGN_CENTRE, 82);
        break;
      case 100:
        drawTextLine(assets.fontBold22, grey(), 540, 620, ALLEGRO_ALIGN_CENTRE, 30);
        break;
      default:
        break;
    }
    showScreenFrame();
    I_Rest(0.1);
  }
}

void runPlainEnding(int totalMugs, int totalStars) {
  enterScreenTransition();
  fadeInSummaryPanel();
  runSummaryTexts(totalMugs, totalStars);
}

void drawAllStarsFrame(int step, int totalMugs) {
  if (!I_Drawing()) return;
  al_draw_tinted_bitmap(assets.canvasA, al_map_rgba(30, 30, 30, 29), 0, 0, 0);
  if (step > 20) drawTextLine(assets.fontBold40, yellow(), 520, 500, ALLEGRO_ALIGN_CENTRE, 71);
  if (step > 40 && totalMugs == allMugs) drawTextLine(assets.fontBold30, green(), 520, 560, ALLEGRO_ALIGN_CENTRE, 72);
  if (step > 60) drawTextLine(assets.fontBold30, green(), 520, 600, ALLEGRO_ALIGN_CENTRE, 74);
  if (step > 100) {
    int c = (60 + 25 * step) % 256;
    drawTextLine(assets.fontBold30, al_map_rgb(c, c, c), 540, 660, ALLEGRO_ALIGN_CENTRE, 30);
  }
}

void runAllStarsEnding(int totalMugs) {
  if (I_Drawing()) {
    al_set_target_bitmap(assets.canvasA);
    al_clear_to_color(al_map_rgb(45, 45, 45));
    al_draw_bitmap(assets.imagePijak, 100, 100, 0);
    targetScreen();
  }
  for (int step = 0; step <= 104; ++step) {
    drawAllStarsFrame(step, totalMugs);
    showScreenFrame();
    I_Rest(0.1);
    // The track is never stopped: it plays on over the menu and the level.
    if (step == 20) playSound(sfxMusic, 0.8f, 0, 1.0f);
  }
  // A fresh start in which every level stays open.
  resetProgress();
  game.levelLoaded = 0;
}

// The last picture stays until Escape, Enter or the close button.
void finalWait() {
  CloseWatch watch;
  for (;;) {
    if (keyHeld(ALLEGRO_KEY_ESCAPE)) return;
    pollInput();
    if (watch.closeRequested()) return;
    if (enterHeld()) return;
    I_Rest(0.1);
  }
}

}  // namespace

void runFinalScreen() {
  ScreenScope scope;
  int totalMugs = mugTotal(), totalStars = starTotal();
  FinalSequence sequence = finalSequenceFor(totalStars, game.currentLevel, game.levelCount);
  // Settled before the pictures are made, so the top bar behind the summary
  // names the last level rather than one past it; and an unlocked level of
  // 51 is never left to be saved.
  if (sequence != FinalSequence::waitOnly || game.currentLevel > game.levelCount) {
    game.currentLevel = game.levelCount;
    game.unlockedLevel = game.levelCount;
    game.campaignLevel = game.levelCount;
  }
  if (sequence == FinalSequence::allStars) {
    runAllStarsEnding(totalMugs);
    saveProgress();
  } else if (sequence == FinalSequence::plain) {
    runPlainEnding(totalMugs, totalStars);
  }
  finalWait();
}
