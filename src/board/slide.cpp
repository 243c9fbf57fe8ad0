#include "board/rules.h"
#include "shell/game.h"
#include "shell/platform.h"

namespace {

// Floor, filled water, pit, safe trap and water let a slider in; a beam mark
// does not stop it.
// The cell a carried box is bound for is taken already: the box lands there
// at pixel 81 whether or not a slider has come to rest in it.
bool freeForSlider(Cell c, Cell reserved) {
  return objectAt(c) <= objBeamV && baseAt(c) <= codeWater && !(c == reserved);
}

void nudge(int& x, int& y, Dir d) {
  x += dirDx(d);
  y += dirDy(d);
}

}  // namespace

void advanceSlide(int& slideActive, int& slideProgress, Dir& slideDir, int& slideX, int& slideY, double& slideClock,
                  int stepProgress, Cell reserved) {
  double now = I_GetTime();
  if (!(now > slideClock + 0.003)) return;
  if (slideProgress == cellSize) slideProgress = 0;
  Cell here = cellOf(slideX, slideY);
  if (slideProgress == 0 && !freeForSlider(stepCell(here, slideDir), reserved)) {
    slideActive = 0;
    setObject(here, objSlider);
    slideProgress = 0;
    slideDir = Dir::none;
    slideClock = now;
    return;
  }
  if (slideProgress == 1 && baseAt(here) <= codeTrapSafe) playSound(sfxSlide, 0.7f, 0.0f, 1.2f);
  nudge(slideX, slideY, slideDir);
  ++slideProgress;
  // While the player walks the slider gains a pixel every fifth tick, so it
  // keeps ahead of a player following it; 22 and 82 are never skipped.
  if (stepProgress > 0 && slideProgress % 5 == 0) {
    nudge(slideX, slideY, slideDir);
    ++slideProgress;
  }
  slideClock = now;
  Cell cell = cellOf(slideX, slideY);
  if (baseAt(cell) != codeWater) return;
  if (slideProgress == 22) playSound(sfxSplash, 0.8f, 0.0f, 1.0f);
  if (slideProgress == cellSize) {
    setBase(cell, codeFilledWater);
    setObject(cell, objNone);
    slideProgress = 0;
    slideActive = 0;
    slideDir = Dir::none;
  }
}
