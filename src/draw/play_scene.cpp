#include <allegro5/allegro.h>
#include <allegro5/allegro_font.h>
#include <allegro5/allegro_primitives.h>

#include "board/board.h"
#include "data/progress.h"
#include "data/text_table.h"
#include "draw/draw.h"
#include "shell/game.h"
#include "shell/platform.h"

namespace {

constexpr int crossingTile = 64;  // where a vertical beam crosses a horizontal one

void drawCellPicture(ALLEGRO_BITMAP* sheet, Point src, int size, int c, int r) {
  Point dst = cellOrigin(c, r);
  al_draw_bitmap_region(sheet, src.x, src.y, size, size, dst.x, dst.y, 0);
}

void drawTiles() {
  for (int r = 0; r < boardRows; ++r)
    for (int c = 0; c < boardCols; ++c) {
      int code = board.baseLayer[cellIndex(c, r)];
      // Codes outside 0..99 have no picture on the sheet: the cell stays black.
      if (code >= 0 && code <= 99) drawCellPicture(assets.atlas, tilePicture(code), cellSize, c, r);
    }
}

void drawThings() {
  for (int r = 0; r < boardRows; ++r)
    for (int c = 0; c < boardCols; ++c) {
      int o = board.objectLayer[cellIndex(c, r)];
      if (o > 0 && o <= 99) drawCellPicture(assets.imageGe, objectPicture(o), 92, c, r);
    }
}

// Things overhang only to the right and below, so cages and crossings drawn
// after every thing still cover what they would cover drawn cell by cell.
void drawCagesAndCrossings() {
  for (int r = 0; r < boardRows; ++r)
    for (int c = 0; c < boardCols; ++c) {
      int i = cellIndex(c, r);
      if (board.baseLayer[i] == codeCage) drawCellPicture(assets.atlas, tilePicture(codeCage), cellSize, c, r);
      if (board.objectLayer[i] == objBeamV && (objectAt({c - 1, r}) == objBeamH || objectAt({c + 1, r}) == objBeamH))
        drawCellPicture(assets.atlas, tilePicture(crossingTile), cellSize, c, r);
    }
}

void drawTopBar() {
  drawLevelLine();
  al_draw_bitmap_region(assets.atlas, 74, 685, 22, 22, 280, 2, 0);
  al_draw_textf(assets.fontBold22, al_map_rgb(200, 200, 22), 300, 2, 0, " %d ", starTotal());
  drawTopBarButtons();
  al_draw_scaled_bitmap(assets.atlas, 0, 585, 5, 5, 464, 5, 92, 19, 0);
  drawClock(490, 2);
}

void drawFrame() {
  if (game.currentLevel <= 20) al_draw_rectangle(47, 52, 974, 728, al_map_rgb(120, 140, 140), 20);
}

}  // namespace

void drawPlayScene() {
  if (!I_Drawing()) return;
  al_clear_to_color(al_map_rgb(0, 0, 0));
  // The many sheet pictures go out in a few batches; text and primitives
  // may not be drawn while bitmap drawing is held.
  al_hold_bitmap_drawing(true);
  drawTiles();
  drawThings();
  drawCagesAndCrossings();
  al_hold_bitmap_drawing(false);
  drawTopBar();
  drawFrame();
}

void drawLevelLine() {
  if (!I_Drawing()) return;
  drawTextLine(assets.fontBold22, al_map_rgb(222, 222, 22), 60, 2, 0, 80, {game.currentLevel, game.levelCount});
}

void drawTopBarButtons() {
  if (!I_Drawing()) return;
  al_draw_bitmap_region(assets.atlas, 0, 600, 265, 20, 660, 4, 0);
}

void drawTopBarRepeat(bool buttonsFirst) {
  if (!I_Drawing()) return;
  if (buttonsFirst) drawTopBarButtons();
  drawLevelLine();
  if (!buttonsFirst) drawTopBarButtons();
  drawClock(490, 2);
}

void drawMarkerOpening(int& markerOpening, int& openingTicks, int& openingOffset, int col, int row) {
  if (markerOpening != 1) return;
  if (++openingTicks % 20 == 0) ++openingOffset;
  if (openingOffset > 82) {
    markerOpening = openingTicks = openingOffset = 0;
    return;
  }
  int off = openingOffset;
  if (!I_Drawing() || off >= 82) return;
  Point at = cellOrigin(col, row);
  switch (baseAt({col, row})) {
    case codeDoorUp:
      al_draw_bitmap_region(assets.atlas, 664, 913 + off, 82, 82 - off, at.x, at.y, 0);
      break;
    case codeDoorDown:
      al_draw_bitmap_region(assets.atlas, 664, 913 + off, 82, 82 - off, at.x, at.y + off, ALLEGRO_FLIP_VERTICAL);
      break;
    case codeDoorRight:
      al_draw_bitmap_region(assets.atlas, 747, 913, 82 - off, 82, at.x + off, at.y, 0);
      break;
    case codeDoorLeft:
      al_draw_bitmap_region(assets.atlas, 747, 913, 82 - off, 82, at.x, at.y,
                            ALLEGRO_FLIP_HORIZONTAL | ALLEGRO_FLIP_VERTICAL);
      break;
    default:
      break;
  }
}

void drawDarkeningLayer(int alpha) {
  if (!I_Drawing()) return;
  al_draw_tinted_scaled_bitmap(assets.atlas, al_map_rgba(0, 0, 0, alpha % 256), 120, 60, 8, 8, 0, 0, 1024, 768, 0);
}
