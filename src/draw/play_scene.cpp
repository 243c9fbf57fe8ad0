#include <allegro5/allegro.h>

#include "board/board.h"
#include "draw/draw.h"
#include "shell/game.h"
#include "shell/platform.h"

void drawPlayScene() {
  if (!I_Drawing()) return;
  al_clear_to_color(al_map_rgb(0, 0, 0));
  al_hold_bitmap_drawing(true);
  for (int r = 0; r < boardRows; ++r)
    for (int c = 0; c < boardCols; ++c) {
      int code = board.baseLayer[cellIndex(c, r)];
      if (code < 0 || code > 99) continue;
      Point src = tilePicture(code);
      Point dst = cellOrigin(c, r);
      al_draw_bitmap_region(assets.atlas, src.x, src.y, 82, 82, dst.x, dst.y, 0);
    }
  al_hold_bitmap_drawing(false);
}

void drawMarkerOpening(int&, int&, int&, int, int) {}

void drawDarkeningLayer(int alpha) {
  if (!I_Drawing()) return;
  al_draw_tinted_scaled_bitmap(assets.atlas, al_map_rgba(0, 0, 0, alpha % 256), 120, 60, 8, 8, 0, 0, 1024, 768, 0);
}

void drawTopBarRepeat(bool) {}
