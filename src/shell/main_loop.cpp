#include "shell/main_loop.h"

#include "board/rules.h"
#include "data/level_file.h"
#include "draw/draw.h"
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

bool runFrame(LevelRun& run) {
  if (keyHeld(ALLEGRO_KEY_ESCAPE)) return false;
  ALLEGRO_EVENT event;
  if (I_NextEvent(run.eventQueue, &event) && event.type == ALLEGRO_EVENT_DISPLAY_CLOSE) return false;
  pollInput();
  if (game.levelLoaded == 0) {
    int col = -1, row = -1, kind = -1;
    loadLevel(col, row, kind);
    run.hasDoor = kind != -1;
    if (run.hasDoor) run.markerCol = col, run.markerRow = row, run.markerKind = kind;
    game.levelLoaded = 1;
    resetLevelRunForLoad(run);
  }
  drawPlayScene();
  I_FlipDisplay();
  I_Rest(0.001);
  return true;
}

int runGame() {
  startUp();
  LevelRun run{};
  initLevelRun(run);
  run.eventQueue = al_create_event_queue();
  al_register_event_source(run.eventQueue, al_get_display_event_source(assets.display));
  while (runFrame(run)) {
  }
  shutDown();
  return 0;
}
