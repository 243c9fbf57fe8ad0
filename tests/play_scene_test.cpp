#include <gtest/gtest.h>

#include <allegro5/allegro.h>

#include <string>

#include "board/board.h"
#include "draw/draw.h"
#include "shell/game.h"
#include "support/play_fixture.h"

namespace {

// The back buffer keeps the frame: nothing is flipped.
class PlayScene : public PlayLoop {
 protected:
  void SetUp() override {
    PlayLoop::SetUp();
    platform.showFrames = false;
  }
};

std::string sheetPixel(ALLEGRO_BITMAP* sheet, int x, int y) { return DrawnPixels::rgbText(al_get_pixel(sheet, x, y)); }

// A point of a cell where two pictures are both opaque and differ, so that
// the drawn pixel tells which is on top; (-1, -1) when there is none.
Point pointWherePicturesDiffer(ALLEGRO_BITMAP* sheetA, Point a, ALLEGRO_BITMAP* sheetB, Point b) {
  al_lock_bitmap(sheetA, ALLEGRO_PIXEL_FORMAT_ANY, ALLEGRO_LOCK_READONLY);
  al_lock_bitmap(sheetB, ALLEGRO_PIXEL_FORMAT_ANY, ALLEGRO_LOCK_READONLY);
  Point found{-1, -1};
  for (int y = 0; y < 82 && found.x < 0; ++y)
    for (int x = 0; x < 82 && found.x < 0; ++x) {
      ALLEGRO_COLOR ca = al_get_pixel(sheetA, a.x + x, a.y + y), cb = al_get_pixel(sheetB, b.x + x, b.y + y);
      if (ca.a == 1.0f && cb.a == 1.0f && DrawnPixels::rgbText(ca) != DrawnPixels::rgbText(cb)) found = {x, y};
    }
  al_unlock_bitmap(sheetB);
  al_unlock_bitmap(sheetA);
  return found;
}

TEST_F(PlayScene, TheCageStandsInFrontOfItsBox) {
  standOn(picture({{homeCell, '@'}, {{6, 3}, 'B'}}));
  drawPlayScene();
  Point at = cellOrigin(6, 3), cage = tilePicture(codeCage), box = objectPicture(objCagedBox);
  al_lock_bitmap(assets.atlas, ALLEGRO_PIXEL_FORMAT_ANY, ALLEGRO_LOCK_READONLY);
  std::string cagePixels[82][82];
  int opaque = 0;
  for (int y = 0; y < 82; ++y)
    for (int x = 0; x < 82; ++x) {
      ALLEGRO_COLOR c = al_get_pixel(assets.atlas, cage.x + x, cage.y + y);
      cagePixels[y][x] = c.a == 1.0f ? DrawnPixels::rgbText(c) : "";
      opaque += c.a == 1.0f;
    }
  al_unlock_bitmap(assets.atlas);
  ASSERT_GT(opaque, 0);
  std::string boxOverhang = sheetPixel(assets.imageGe, box.x + 86, box.y + 40);
  DrawnPixels drawn;
  for (int y = 0; y < 82; ++y)
    for (int x = 0; x < 82; ++x)
      if (!cagePixels[y][x].empty()) {
        ASSERT_EQ(drawn.at(at.x + x, at.y + y), cagePixels[y][x]) << x << "," << y;
      }
  EXPECT_EQ(drawn.at(at.x + 86, at.y + 40), boxOverhang) << "the box itself is drawn";
}

// The overlay is the door's frame, drawn over a player in the doorway.
TEST_F(PlayScene, TheDoorOverlayIsDrawnOnlyForALevelWithADoor) {
  constexpr Cell door{8, 3};
  standOn(picture({{homeCell, '@'}, {door, 'C'}}));
  storeBoardAsLevel(2);
  standOn(picture({{homeCell, '@'}, {door, '.'}}));
  storeBoardAsLevel(3);

  Point overlay{83 * (codeDoorClosedRight - 40), 415};
  Point at = cellOrigin(door.col, door.row);
  for (int level : {2, 3}) {
    SCOPED_TRACE("level " + std::to_string(level));
    game.currentLevel = level;
    game.levelLoaded = 0;
    ASSERT_TRUE(frames(1));
    EXPECT_EQ(run.hasDoor, level == 2);
    EXPECT_EQ(run.markerCol, door.col) << "kept from the last level with a door";
    EXPECT_EQ(run.markerKind, codeDoorClosedRight);
    board.playerX = at.x;
    board.playerY = at.y;
    ASSERT_TRUE(frames(1));
    Point player{83 * run.animFrame, run.poseRow};
    Point p = pointWherePicturesDiffer(assets.atlas, overlay, assets.imageGs, player);
    ASSERT_GE(p.x, 0);
    std::string expected = level == 2 ? sheetPixel(assets.atlas, overlay.x + p.x, overlay.y + p.y)
                                      : sheetPixel(assets.imageGs, player.x + p.x, player.y + p.y);
    DrawnPixels drawn;
    EXPECT_EQ(drawn.at(at.x + p.x, at.y + p.y), expected);
  }
}

TEST_F(PlayScene, TheCarriedBoxAndThePlayerAreDrawnWhereTheyAre) {
  standOn(picture({{homeCell, '@'}, {{6, 3}, 'b'}, {{7, 3}, '.'}}));
  I_SetKey(ALLEGRO_KEY_RIGHT, true);
  ASSERT_TRUE(frames(40));
  Point box = objectPicture(objBox);
  DrawnPixels drawn;
  EXPECT_EQ(drawn.at(run.carriedX + 46, run.carriedY + 46), sheetPixel(assets.imageGe, box.x + 46, box.y + 46));
  EXPECT_EQ(drawn.at(board.playerX + 41, board.playerY + 41),
            sheetPixel(assets.imageGs, 83 * run.animFrame + 41, run.poseRow + 41));
}

TEST_F(PlayScene, LevelsUpTo20AreFramed) {
  standOn(picture({}));
  for (int level : {20, 21}) {
    game.currentLevel = level;
    drawPlayScene();
    DrawnPixels drawn;
    EXPECT_EQ(drawn.at(47, 300) == "120,140,140", level == 20) << level;
  }
}

TEST(MarkerOpening, TheDoorSlidesOnePixelEvery20CallsAndStopsPast82) {
  platform = Platform{};
  platform.drawing = false;
  struct Case {
    int calls;
    int opening, ticks, offset;
  } cases[] = {
      {19, 1, 19, 0},
      {20, 1, 20, 1},
      {1659, 1, 1659, 82},
      {1660, 0, 0, 0},
      {1700, 0, 0, 0},  // over: no restart by itself
  };
  for (const Case& c : cases) {
    int opening = 1, ticks = 0, offset = 0;
    for (int i = 0; i < c.calls; ++i) drawMarkerOpening(opening, ticks, offset, 8, 3);
    EXPECT_EQ(opening, c.opening) << c.calls;
    EXPECT_EQ(ticks, c.ticks) << c.calls;
    EXPECT_EQ(offset, c.offset) << c.calls;
  }
  platform = Platform{};
}

}  // namespace
