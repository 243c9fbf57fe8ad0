// What the rules draw and how they animate the sprite sheets, on a real
// display with the game's own assets.
#include <gtest/gtest.h>

#include <allegro5/allegro_primitives.h>

#include <cstdint>
#include <vector>

#include "board/board.h"
#include "board/rule_pictures.h"
#include "board/rules.h"
#include "shell/game.h"
#include "shell/platform.h"
#include "support/board_text.h"
#include "support/test_env.h"

namespace {

class RulePictures : public ::testing::Test {
 protected:
  void SetUp() override { startGame(); }
  void TearDown() override { stopGame(); }

  ScratchMedia media;
};

std::vector<uint32_t> pixels(ALLEGRO_BITMAP* b, int x, int y, int w, int h) {
  std::vector<uint32_t> out;
  ALLEGRO_LOCKED_REGION* r = al_lock_bitmap_region(b, x, y, w, h, ALLEGRO_PIXEL_FORMAT_ABGR_8888, ALLEGRO_LOCK_READONLY);
  if (!r) return out;
  for (int row = 0; row < h; ++row) {
    const uint32_t* line = reinterpret_cast<const uint32_t*>(static_cast<const char*>(r->data) + row * r->pitch);
    out.insert(out.end(), line, line + w);
  }
  al_unlock_bitmap(b);
  return out;
}

// Paints a region of a sheet in one colour, so every source picture of an
// animation is told apart whatever the art looks like.
void paint(ALLEGRO_BITMAP* sheet, int x, int y, int w, int h, ALLEGRO_COLOR colour) {
  ALLEGRO_BITMAP* old = al_get_target_bitmap();
  al_set_target_bitmap(sheet);
  al_draw_filled_rectangle(x, y, x + w, y + h, colour);
  al_set_target_bitmap(old);
}

bool sameRegion(ALLEGRO_BITMAP* a, int ax, int ay, ALLEGRO_BITMAP* b, int bx, int by, int w, int h) {
  return pixels(a, ax, ay, w, h) == pixels(b, bx, by, w, h);
}

TEST_F(RulePictures, WaterTileShowsTheFrameOfItsPhase) {
  ALLEGRO_COLOR colours[] = {al_map_rgb(200, 0, 0), al_map_rgb(0, 200, 0), al_map_rgb(0, 0, 200),
                             al_map_rgb(200, 200, 0)};
  for (int f = 0; f < 4; ++f) paint(assets.atlas, 83 * f, 498, 82, 82, colours[f]);
  // Half transparent frames must replace the picture, not blend into it.
  paint(assets.atlas, 83 * 2, 498, 82, 82, al_map_rgba(0, 0, 100, 100));
  setBoardFromText("#~#");
  double clock = platform.clockNow;
  float phase = 0;
  int frameOfPhase[] = {0, 0, 0, 1, 1, 2, 2, 3, 3, 3};
  for (int tick = 1; tick <= 10; ++tick) {
    platform.clockNow += 0.051;
    animateWater(clock, phase);
    int want = frameOfPhase[static_cast<int>(phase)];
    EXPECT_TRUE(sameRegion(assets.atlas, 332, 0, assets.atlas, 83 * want, 498, 82, 82)) << "phase " << phase;
  }
  // With no water on the board the picture rests on the first frame.
  setBoardFromText("#.#");
  while (phase < 5) {
    platform.clockNow += 0.051;
    animateWater(clock, phase);
  }
  EXPECT_TRUE(sameRegion(assets.atlas, 332, 0, assets.atlas, 0, 498, 82, 82));
}

TEST_F(RulePictures, BeamAndEmitterPicturesAlternateWithThePhase) {
  const int sheet[][2] = {{332, 498}, {415, 498}, {498, 498}, {581, 498}};
  for (int i = 0; i < 4; ++i)
    paint(assets.atlas, sheet[i][0], sheet[i][1], 82, 82, al_map_rgba(60 * i, 255 - 60 * i, 90, 120));
  paint(assets.atlas, 0, 913, 249, 82, al_map_rgb(250, 10, 10));
  paint(assets.atlas, 332, 913, 249, 82, al_map_rgb(10, 10, 250));
  setBoardFromText("E..#");
  double clock = platform.clockNow;
  float phase = 4;
  auto tick = [&](int stepProgress) {
    platform.clockNow += 0.041;
    updateBeams(stepProgress, clock, phase, 0);
  };
  auto beamsShow = [](int h, int v) {
    return sameRegion(assets.imageGe, 285, 0, assets.atlas, h, 498, 82, 82) &&
           sameRegion(assets.imageGe, 380, 0, assets.atlas, v, 498, 82, 82);
  };
  auto emittersShow = [](int x) { return sameRegion(assets.atlas, 0, 415, assets.atlas, x, 913, 249, 82); };
  tick(0);  // phase 5
  EXPECT_TRUE(beamsShow(415, 498));
  EXPECT_TRUE(emittersShow(0));
  for (int i = 0; i < 5; ++i) tick(0);  // phase 1
  EXPECT_TRUE(beamsShow(332, 581));
  EXPECT_TRUE(emittersShow(332));
  // While the player walks the first pictures are not brought back and the
  // emitters keep theirs.
  for (int i = 0; i < 4; ++i) tick(40);  // phase 5
  EXPECT_TRUE(beamsShow(415, 498));
  EXPECT_TRUE(emittersShow(332));
  for (int i = 0; i < 5; ++i) tick(40);  // phase 1
  EXPECT_TRUE(beamsShow(415, 498));
}

TEST_F(RulePictures, DeathFramesOfSizeZeroOrLessDrawNothing) {
  paint(assets.imageGs, 0, 0, 83, 83, al_map_rgb(255, 255, 255));
  setBoardFromText("#@#");
  ALLEGRO_BITMAP* canvas = al_create_bitmap(300, 300);
  ALLEGRO_BITMAP* old = al_get_target_bitmap();
  al_set_target_bitmap(canvas);
  const std::vector<uint32_t> empty(300 * 300, 0);
  for (int i : {76, 77, 78, 81}) {
    al_clear_to_color(al_map_rgba(0, 0, 0, 0));
    drawDeathFrame(i, codeFloor, objNone, 0, 0);
    EXPECT_EQ(pixels(canvas, 0, 0, 300, 300) == empty, i >= 77) << "frame " << i;
  }
  al_set_target_bitmap(old);
  al_destroy_bitmap(canvas);
}

TEST_F(RulePictures, DeathAndJumpRunTheirFramesOnTheDisplay) {
  setBoardFromText("###\n#o#\n#r.~.#");
  board.playerX = cellOrigin(1, 1).x;
  board.playerY = cellOrigin(1, 1).y;
  int restartFade = 0;
  long flips = platform.flips;
  checkDeath(82, 3, 0, 0, Dir::right, restartFade);
  EXPECT_EQ(platform.flips - flips, 82);
  EXPECT_EQ(restartFade, 1);
  board.playerX = cellOrigin(1, 2).x;
  board.playerY = cellOrigin(1, 2).y;
  int pose = 0;
  checkJumpPad(0, pose);
  EXPECT_EQ(platform.flips - flips, 82 + 164);
  EXPECT_EQ(board.playerX, cellOrigin(3, 2).x);
}

}  // namespace
