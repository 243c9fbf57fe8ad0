#include "board/board.h"
#include "board/rules.h"
#include "shell/game.h"
#include "shell/input.h"
#include "shell/platform.h"

namespace {

struct ArrowKey {
  Dir dir;
  int keycode;
};

// The order matters: with several keys held a later one wins.
constexpr ArrowKey arrowKeys[] = {
    {Dir::right, ALLEGRO_KEY_RIGHT},
    {Dir::left, ALLEGRO_KEY_LEFT},
    {Dir::up, ALLEGRO_KEY_UP},
    {Dir::down, ALLEGRO_KEY_DOWN},
};

void showPush(LevelRun& run, Dir d) {
  run.poseRow = pushRow(d);
  if (run.moveDir == d) run.moveDir = Dir::none;
}

// A box taken up in an earlier frame whose step never began goes back, so
// that a different key now cannot leave it in neither layer.
void returnUncarriedBox(LevelRun& run) {
  if (run.carrying != 1) return;
  setObject(stepCell(cellOf(board.playerX, board.playerY), run.moveDir), run.carriedCode);
  run.carrying = 0;
}

// A moving slider is in neither layer. A box pushed into the cell it is in or
// about to enter could meet it there, and one of the two would be lost.
bool slideCrosses(const LevelRun& run, Cell c) {
  if (run.slideActive != 1) return false;
  Cell here = cellOf(run.slideX, run.slideY);
  return c == here || c == stepCell(here, run.slideDir);
}

// The four tests for one held direction. A box is only marked for taking up;
// the caller takes it once every key has had its say.
void tryDirection(LevelRun& run, Dir d, Cell& boxToTake) {
  Cell player = cellOf(board.playerX, board.playerY);
  Cell ahead = stepCell(player, d), beyond = stepCell(player, d, 2);
  if (baseAt(ahead) <= 16) {
    run.poseRow = walkRow(d);
    run.moveDir = d;
    run.carrying = 0;
  }
  // Code 20 blocks a step right without showing the push.
  if (baseAt(ahead) > (d == Dir::right ? 20 : 19)) showPush(run, d);
  int thing = objectAt(ahead);
  if (thing == objSlider && run.slideActive == 1) {
    showPush(run, d);
    return;
  }
  if (run.moveDir != d || !isThing(thing)) return;
  if (isThing(objectAt(beyond)) || baseAt(beyond) > codeWater || slideCrosses(run, beyond)) {
    run.poseRow = pushRow(d);
    run.moveDir = Dir::none;
    run.carrying = 0;
  } else if (thing == objBox || thing == objCagedBox) {
    run.poseRow = pushRow(d);
    run.carriedCode = thing;
    run.carrying = 1;
    run.carriedTo = beyond;
    boxToTake = ahead;
  } else if (thing == objSlider && run.slideActive == 0) {
    run.slideActive = 1;
    run.slideDir = d;
    run.slideX = board.playerX + cellSize * dirDx(d);
    run.slideY = board.playerY + cellSize * dirDy(d);
    setObject(ahead, objNone);
  }
}

void advanceWalkFrame(LevelRun& run) {
  if (run.stepProgress > 0 && run.stepProgress % 7 == 0) ++run.animFrame;
  if (run.animFrame > 11 || run.stepProgress == 0) run.animFrame = 0;
}

void playStepSound(const LevelRun& run) {
  if (run.stepProgress != 1) return;
  if (run.carrying == 0)
    playSound(sfxStep, 0.8f, 0.0f, 1.0f);
  else
    playSound(sfxPushStep, 0.5f, 0.0f, 1.0f);
}

void tickPlayer(LevelRun& run) {
  double now = I_GetTime();
  if (!(now > run.playerClock + 0.0001)) return;
  run.carriedX = board.playerX;
  run.carriedY = board.playerY;
  if (run.moveDir != Dir::none) {
    int dx = dirDx(run.moveDir), dy = dirDy(run.moveDir);
    board.playerX += dx;
    board.playerY += dy;
    ++run.stepProgress;
    run.poseRow = walkRow(run.moveDir);
    run.carriedX = board.playerX + cellSize * dx;
    run.carriedY = board.playerY + cellSize * dy;
  }
  if (run.carrying == 1 && run.stepProgress > 0) run.poseRow = pushRow(run.moveDir);
  run.playerClock = now;
}

// At pixel 81 cellOf already gives the cell the player walks into.
void putDownCarried(const LevelRun& run) {
  if (run.carrying != 1 || run.stepProgress != 81) return;
  Cell player = cellOf(board.playerX, board.playerY);
  setObject(player, objNone);
  setObject(stepCell(player, run.moveDir), run.carriedCode);
}

}  // namespace

void handleArrowKeys(LevelRun& run) {
  returnUncarriedBox(run);
  Cell boxToTake{};
  for (const ArrowKey& key : arrowKeys)
    if (keyHeld(key.keycode)) tryDirection(run, key.dir, boxToTake);
  // Taken up only now that the step's direction is settled: a later key that
  // walks elsewhere has cleared carrying and the box stays where it lies.
  if (run.carrying == 1) setObject(boxToTake, objNone);
}

void stepPlayer(LevelRun& run) {
  advanceWalkFrame(run);
  playStepSound(run);
  tickPlayer(run);
  putDownCarried(run);
}

void applyArrivalEffects(LevelRun& run) {
  if (run.stepProgress != 82) return;
  int b = baseAt(cellOf(board.playerX, board.playerY));
  if (b == codeMug) ++run.attemptMugs;
  // A level without a door has nothing to open; the last level's door cell
  // must stay as it is.
  if (b == codeExitKey && run.hasDoor) {
    setBase({run.markerCol, run.markerRow}, run.markerKind - 40);
    run.markerOpening = 1;
  }
}
