#include "shell/main_loop.h"

#include <allegro5/allegro.h>

#include "board/rules.h"
#include "data/level_file.h"
#include "data/progress.h"
#include "draw/draw.h"
#include "screens/screens.h"
#include "shell/game.h"
#include "shell/input.h"
#include "shell/platform.h"

int walkRow(Dir d) {
  switch (d) {
    case Dir::right: return 0;
    case Dir::left: return 83;
    case Dir::up: return 166;
    case Dir::down: return 249;
    default: return 0;
  }
}

int pushRow(Dir d) { return d == Dir::none ? 0 : walkRow(d) + 332; }

void initLevelRun(LevelRun& run) {
  ALLEGRO_EVENT_QUEUE* queue = run.eventQueue;
  run = LevelRun{};
  run.eventQueue = queue;
  double now = I_GetTime();
  run.playerClock = run.secondClock = run.slideClock = now;
  run.waterClock = run.trapClock = run.beamClock = now;
}

void resetLevelRunForLoad(LevelRun& run) {
  run.stepProgress = 0;
  run.moveDir = Dir::none;
  run.carrying = 0;
  run.slideActive = 0;
  run.slideDir = Dir::none;
  run.slideProgress = 0;
  run.fadeCounter = 0;
  run.restartFade = 0;
  run.attemptMugs = 0;
}

namespace {

constexpr int stepLength = 82;
constexpr int fadeLength = 80;  // the fades act when the counter passes this

struct ButtonHighlight {
  int target;
  int sourceX;
  int x;
};

constexpr ButtonHighlight buttonHighlights[] = {
    {hoverHelpButton, 0, 660},
    {hoverRestartButton, 88, 748},
    {hoverMenuButton, 176, 836},
};

void watchDisplay(LevelRun& run) {
  if (run.eventQueue && assets.display)
    al_register_event_source(run.eventQueue, al_get_display_event_source(assets.display));
}

// Escape is read on the state of the poll before this frame's, which may be
// the last poll of a screen that has just returned.
bool endRequested(LevelRun& run) {
  if (keyHeld(ALLEGRO_KEY_ESCAPE)) return true;
  ALLEGRO_EVENT event;
  return I_NextEvent(run.eventQueue, &event) && event.type == ALLEGRO_EVENT_DISPLAY_CLOSE;
}

void loadIfAsked(LevelRun& run) {
  if (game.levelLoaded != 0) return;
  // A level without a start (a damaged file) would leave the player where
  // the last level put it, at the game's start on the board's corner, which
  // ends the level at once and unlocks the next. Parked far off the board,
  // among walls, the player can neither move nor finish.
  board.playerX = board.playerY = 20 * cellSize;
  // loadLevel writes the door only when the level has one.
  int col = -1, row = -1, kind = -1;
  loadLevel(col, row, kind);
  run.hasDoor = kind != -1;
  if (run.hasDoor) {
    run.markerCol = col;
    run.markerRow = row;
    run.markerKind = kind;
  }
  game.levelLoaded = 1;
  resetLevelRunForLoad(run);
}

void advanceBoard(LevelRun& run) {
  if (run.stepProgress == 0) handleArrowKeys(run);
  stepPlayer(run);
  applyArrivalEffects(run);
  if (run.slideActive == 1)
    advanceSlide(run.slideActive, run.slideProgress, run.slideDir, run.slideX, run.slideY, run.slideClock,
                 run.stepProgress, run.carrying == 1 ? run.carriedTo : noCell);
  animateWater(run.waterClock, run.waterPhase);
  updateTraps(run.trapClock, run.trapPhase);
}

void runBoardEvents(LevelRun& run) {
  updateBeams(run.stepProgress, run.beamClock, run.beamPhase, run.carrying);
  checkDeath(run.stepProgress, run.animFrame, run.poseRow, run.carrying, run.moveDir, run.restartFade);
  collectEffects(run.stepProgress, run.moveDir);
  checkJumpPad(run.stepProgress, run.poseRow);
}

void drawMovingThings(const LevelRun& run) {
  if (!I_Drawing()) return;
  if (run.carrying == 1 && run.stepProgress <= stepLength - 1) {
    Point src = objectPicture(run.carriedCode);
    al_draw_bitmap_region(assets.imageGe, src.x, src.y, 92, 92, run.carriedX, run.carriedY, 0);
  }
  if (run.slideActive == 1) {
    Point src = objectPicture(objSlider);
    al_draw_bitmap_region(assets.imageGe, src.x, src.y, 92, 92, run.slideX, run.slideY, 0);
  }
}

void drawPlayer(const LevelRun& run) {
  if (!I_Drawing()) return;
  al_draw_scaled_bitmap(assets.imageGs, 83 * run.animFrame, run.poseRow, 82, 82, board.playerX, board.playerY, 82, 82,
                        0);
}

// The door frame stays in front of a player standing in the doorway.
void drawDoor(LevelRun& run) {
  drawMarkerOpening(run.markerOpening, run.openingTicks, run.openingOffset, run.markerCol, run.markerRow);
  if (!run.hasDoor || !I_Drawing()) return;
  Point at = cellOrigin(run.markerCol, run.markerRow);
  al_draw_bitmap_region(assets.atlas, 83 * (run.markerKind - 40), 415, 82, 82, at.x, at.y, 0);
}

void countSeconds(LevelRun& run) {
  if (I_GetTime() >= run.secondClock + 1.0) {
    ++progress.playSeconds;
    run.secondClock = I_GetTime();
  }
  drawClock(490, 2);
}

void runRestartFade(LevelRun& run) {
  if (run.restartFade != 1) return;
  ++run.fadeCounter;
  I_Rest(0.001);
  drawDarkeningLayer(3 * run.fadeCounter);
  I_Rest(0.005);
  if (run.fadeCounter > fadeLength) {
    game.levelLoaded = 0;
    run.fadeCounter = 0;
  }
}

bool levelEnding() {
  int b = baseAt(cellOf(board.playerX, board.playerY));
  return isOpenDoor(b) || board.playerX <= 19 || board.playerY <= 19;
}

void runLevelEndFade(LevelRun& run) {
  if (!levelEnding()) return;
  if (++run.fadeCounter == 6) playSound(sfxLevelEnd, 0.8f, 0.0f, 1.0f);
  drawDarkeningLayer(3 * run.fadeCounter);
  I_Rest(0.005);
  if (run.fadeCounter > fadeLength) {
    runResultScreen(run.attemptMugs);
    game.levelLoaded = 0;
    saveProgress();
  }
}

void handleRestartAndHelpKeys() {
  if (keyHeld(ALLEGRO_KEY_SPACE)) game.levelLoaded = 0;
  if (keyHeld(ALLEGRO_KEY_I)) runHelpScreen();
}

// The level line and the buttons stay above the player, the door and the effects.
void drawTopBarAgain() {
  if (!I_Drawing()) return;
  if (game.currentLevel <= game.levelCount) {
    drawLevelLine();
    drawTopBarButtons();
  }
  for (const ButtonHighlight& h : buttonHighlights)
    if (input.hoverTarget == h.target) al_draw_bitmap_region(assets.atlas, h.sourceX, 621, 88, 20, h.x, 5, 0);
}

void handleKeysAndButtons(LevelRun& run) {
  if (keyHeld(ALLEGRO_KEY_I) || clicked(hoverHelpButton)) runHelpScreen();
  if (keyHeld(ALLEGRO_KEY_R) || clicked(hoverRestartButton)) game.levelLoaded = 0;
  if (keyHeld(ALLEGRO_KEY_M) || clicked(hoverMenuButton)) runMainMenu(run.quitRequested);
}

void endStep(LevelRun& run) {
  if (run.stepProgress == stepLength) {
    run.stepProgress = 0;
    run.moveDir = Dir::none;
    run.carrying = 0;
  } else if (run.stepProgress > 0) {
    I_Rest(0.004);
  }
}

void afterLastLevel(LevelRun& run) {
  if (game.currentLevel <= game.levelCount) return;
  runFinalScreen();
  game.currentLevel = game.levelCount;
  levelFadeIn();
  runMainMenu(run.quitRequested);
}

void switchOnF11(LevelRun& run) {
  if (!keyHeld(ALLEGRO_KEY_F11) || game.displayMode != 0) return;
  switchToFullScreen();
  watchDisplay(run);
}

}  // namespace

void beginLevelRun(LevelRun& run) {
  run.eventQueue = nullptr;
  initLevelRun(run);
  run.eventQueue = al_create_event_queue();
  watchDisplay(run);
}

void endLevelRun(LevelRun& run) {
  if (run.eventQueue) al_destroy_event_queue(run.eventQueue);
  run.eventQueue = nullptr;
}

bool runFrame(LevelRun& run) {
  if (endRequested(run)) return false;
  pollInput();
  loadIfAsked(run);
  advanceBoard(run);
  drawPlayScene();
  runBoardEvents(run);
  drawMovingThings(run);
  drawPlayer(run);
  drawDoor(run);
  countSeconds(run);
  runRestartFade(run);
  runLevelEndFade(run);
  handleRestartAndHelpKeys();
  drawTopBarAgain();
  handleKeysAndButtons(run);
  endStep(run);
  afterLastLevel(run);
  if (run.quitRequested == 1) return false;
  switchOnF11(run);
  I_FlipDisplay();
  I_Rest(0.001);
  return true;
}

int runGame() {
  startUp();
  LevelRun run{};
  beginLevelRun(run);
  while (runFrame(run)) {
  }
  endLevelRun(run);
  shutDown();
  return 0;
}
