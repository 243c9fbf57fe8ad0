// The game started on the test platform with a level run ready for frames,
// boards given as pictures, and what was drawn read back.
#pragma once

#include <gtest/gtest.h>

#include <allegro5/allegro.h>

#include <initializer_list>
#include <string>
#include <utility>

#include "board/board.h"
#include "shell/game.h"
#include "shell/input.h"
#include "shell/main_loop.h"
#include "shell/platform.h"
#include "support/board_text.h"
#include "support/test_env.h"

// A board of walls with the given cells set, as a picture for setBoardFromText.
std::string picture(std::initializer_list<std::pair<Cell, char>> cells);

// Where the tests put the player, away from the board's edges.
inline constexpr Cell homeCell{5, 3};

class PlayLoop : public ::testing::Test {
 protected:
  void SetUp() override {
    input = InputSnapshot{};  // what an earlier test's last poll left
    startGame();
    beginLevelRun(run);
  }
  void TearDown() override {
    I_ReleaseAllKeys();
    endLevelRun(run);
    stopGame();
  }

  // The board of the picture, the player at rest, the level taken as loaded.
  void standOn(const std::string& picture) {
    setBoardFromText(picture);
    resetLevelRunForLoad(run);
    run.poseRow = 0;
    run.animFrame = 0;
    game.levelLoaded = 1;
    // Real frames take time; without this the first frame's tick would not come.
    platform.clockNow += 0.01;
  }

  // Runs n frames; false as soon as one ends the loop.
  bool frames(int n) {
    for (int i = 0; i < n; ++i)
      if (!runFrame(run)) return false;
    return true;
  }

  static int timesPlayed(Sfx sample) {
    int n = 0;
    for (const PlayedSample& s : platform.samplesPlayed) n += s.sample == sample;
    return n;
  }

  ScratchMedia media;
  LevelRun run{};
};

// Writes the board as setBoardFromText left it into record n of the plain
// level file, so that the main loop loads it.
void storeBoardAsLevel(int n);

// The target bitmap locked for reading while it lives.
class DrawnPixels {
 public:
  DrawnPixels() : bitmap_(al_get_target_bitmap()) {
    al_lock_bitmap(bitmap_, ALLEGRO_PIXEL_FORMAT_ANY, ALLEGRO_LOCK_READONLY);
  }
  ~DrawnPixels() { al_unlock_bitmap(bitmap_); }
  DrawnPixels(const DrawnPixels&) = delete;
  DrawnPixels& operator=(const DrawnPixels&) = delete;

  // "r,g,b" of the pixel, easy to compare and to print.
  std::string at(int x, int y) const { return rgbText(al_get_pixel(bitmap_, x, y)); }

  static std::string rgbText(ALLEGRO_COLOR c) {
    unsigned char r, g, b;
    al_unmap_rgb(c, &r, &g, &b);
    return std::to_string(r) + "," + std::to_string(g) + "," + std::to_string(b);
  }

 private:
  ALLEGRO_BITMAP* bitmap_;
};
