// Measures what one play frame costs against the cheapest frame there is:
// one 1024 x 768 picture copied to the display and shown; then what one step
// of the player takes in the real loop, with its real sleeps, against the
// floor those sleeps set.
//
//   bench [level] [frames] [steps]
//
// The game starts for real on a scratch copy of the built media; the player
// stands while the level's timed tiles run. Without a level the busiest of
// levels 21 to 50 is taken: the most kinds of water, beams and things, then
// the most such cells. Play and reference frames
// alternate, so both see the same load on the machine.
#include <allegro5/allegro.h>
#include <allegro5/allegro_opengl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "board/board.h"
#include "data/level_file.h"
#include "draw/draw.h"
#include "shell/game.h"
#include "shell/main_loop.h"
#include "shell/platform.h"

namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

struct ScratchDir {
  fs::path dir;
  fs::path oldCwd;

  ScratchDir() {
    oldCwd = fs::current_path();
    std::string pattern = (fs::temp_directory_path() / "mugcellar-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
      std::perror("mkdtemp");
      std::exit(1);
    }
    dir = pattern;
    fs::copy(MUGCELLAR_MEDIA_DIR, dir / "media", fs::copy_options::recursive);
    fs::current_path(dir);
  }
  ~ScratchDir() {
    std::error_code ec;
    fs::current_path(oldCwd, ec);
    fs::remove_all(dir, ec);
  }
};

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// The driver may queue the drawing and do it later; wait until it is done so
// that a frame's work is not billed to the next one.
void finishDrawing() {
  using FinishFn = void (*)();
  static FinishFn finish = reinterpret_cast<FinishFn>(al_get_opengl_proc_address("glFinish"));
  if (finish) finish();
}

template <class F>
double timedMs(F&& f) {
  Clock::time_point t0 = Clock::now();
  f();
  finishDrawing();
  return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

// A full-screen picture to copy: the level as it stands, in a bitmap of its own.
ALLEGRO_BITMAP* makeReferencePicture() {
  ALLEGRO_BITMAP* picture = al_create_bitmap(1024, 768);
  if (!picture) I_Error("cannot create the reference picture");
  al_set_target_bitmap(picture);
  drawPlayScene();
  al_set_target_backbuffer(assets.display);
  return picture;
}

// Kinds (water, emitters, things) times 1000 plus cells of them.
int busyness() {
  bool water = false, beams = false, things = false;
  int cells = 0;
  for (int c = 0; c < boardCols; ++c)
    for (int r = 0; r < boardRows; ++r) {
      int b = baseAt({c, r}), o = objectAt({c, r});
      bool isWater = b == codeWater, isEmitter = b >= codeEmitterRight && b <= codeEmitterUp;
      water |= isWater;
      beams |= isEmitter;
      things |= isThing(o);
      cells += isWater + isEmitter + isThing(o);
    }
  return 1000 * (water + beams + things) + cells;
}

int busiestFullLevel() {
  int best = 21, bestScore = -1;
  for (int n = 21; n <= 50; ++n) {
    game.currentLevel = n;
    int col, row, kind;
    loadLevel(col, row, kind);
    if (int score = busyness(); score > bestScore) best = n, bestScore = score;
  }
  return best;
}

// An empty room inside a wall: the player walks to and fro in row 5 with
// nothing to push, collect or fall into.
void emptyRoom() {
  for (int c = 0; c < 13; ++c)
    for (int r = 0; r < 10; ++r) {
      bool edge = c == 0 || c == 12 || r == 0 || r == 9;
      setBase({c, r}, edge ? 21 : 0);
      setObject({c, r}, 0);
    }
  Point start = cellOrigin(1, 5);
  board.playerX = start.x;
  board.playerY = start.y;
}

// Wall-clock seconds of each step while an arrow key stays held; the key
// turns round at the walls.
std::vector<double> timeSteps(LevelRun& run, int steps) {
  platform.sleepForReal = true;
  emptyRoom();
  int key = ALLEGRO_KEY_RIGHT;
  I_SetKey(key, true);
  std::vector<double> times;
  Clock::time_point last = Clock::now();
  Point at{board.playerX, board.playerY};
  for (int frames = 0; static_cast<int>(times.size()) < steps + 1 && frames < 200 * (steps + 1); ++frames) {
    runFrame(run);
    Point now{board.playerX, board.playerY};
    if (run.stepProgress == 0 && now == at) {  // stopped by the wall
      I_SetKey(key, false);
      key = key == ALLEGRO_KEY_RIGHT ? ALLEGRO_KEY_LEFT : ALLEGRO_KEY_RIGHT;
      I_SetKey(key, true);
    }
    if (now != at && (now.x + 20) % cellSize == 0) {  // arrived on a cell
      Clock::time_point t = Clock::now();
      times.push_back(std::chrono::duration<double>(t - last).count());
      last = t;
    }
    at = now;
  }
  I_ReleaseAllKeys();
  // The first one began before the clock was read.
  if (!times.empty()) times.erase(times.begin());
  return times;
}

}  // namespace

int main(int argc, char** argv) {
  int level = argc > 1 ? std::atoi(argv[1]) : 0;
  int frames = argc > 2 ? std::atoi(argv[2]) : 600;
  int steps = argc > 3 ? std::atoi(argv[3]) : 24;
  if (level < 0 || level > 50 || frames < 1 || steps < 1) {
    std::fprintf(stderr, "usage: bench [level 1..50, 0 for the busiest of 21..50] [frames] [steps]\n");
    return 2;
  }

  ScratchDir scratch;
  platform.sleepForReal = false;
  platform.injectedInput = true;  // no key held: a stray key press must not move the player
  startUp();
  if (level == 0) level = busiestFullLevel();
  game.currentLevel = level;
  game.levelLoaded = 0;

  LevelRun run{};
  beginLevelRun(run);
  for (int i = 0; i < 30; ++i) runFrame(run);  // load the level, warm the caches
  ALLEGRO_BITMAP* picture = makeReferencePicture();

  std::vector<double> play, reference, scene;
  for (int i = 0; i < frames; ++i) {
    play.push_back(timedMs([&] { runFrame(run); }));
    scene.push_back(timedMs([&] { drawPlayScene(); }));
    reference.push_back(timedMs([&] {
      al_draw_bitmap(picture, 0, 0, 0);
      I_FlipDisplay();
    }));
  }

  al_destroy_bitmap(picture);
  std::vector<double> stepTimes = timeSteps(run, steps);
  endLevelRun(run);
  shutDown();

  double p = median(play), r = median(reference);
  std::printf("level %d, %d frames each\n", level, frames);
  std::printf("play frame median %.3f ms\n", p);
  std::printf("scene drawing alone median %.3f ms\n", median(scene));
  std::printf("reference frame median %.3f ms\n", r);
  std::printf("frame-cost ratio %.2f\n", p / r);
  if (stepTimes.empty()) {
    std::printf("no step was made\n");
    return 1;
  }
  // Inside a step each frame sleeps 4 ms plus 1 ms; 82 frames make a step.
  const double floorSeconds = 82 * 0.005;
  double step = median(stepTimes);
  std::printf("step median %.3f s over %zu steps (slowest %.3f s), floor %.3f s\n", step, stepTimes.size(),
              *std::max_element(stepTimes.begin(), stepTimes.end()), floorSeconds);
  std::printf("step ratio %.2f\n", step / floorSeconds);
  return 0;
}
