#include <allegro5/allegro.h>

#include "draw/draw.h"
#include "draw/screen_surface.h"
#include "shell/game.h"
#include "shell/platform.h"

namespace {

// Four copies per round, each drawn from the picture as it stood just
// before it: a bitmap cannot be drawn onto itself.
void smearCanvasB() {
  for (int k = 0; k < 4; ++k) {
    int e = 44 - k, d = 2 * k;
    const int offsets[4][2] = {{-d, 0}, {d, 0}, {0, -d}, {0, d}};
    for (const auto& o : offsets) {
      copyPicture(assets.canvasB, assets.canvasSnapshot);
      al_set_target_bitmap(assets.canvasB);
      al_draw_tinted_bitmap(assets.canvasSnapshot, al_map_rgba(e, e, e, 84 - e), o[0], o[1], 0);
    }
  }
}

void composeDarkenedLevel() {
  al_set_target_bitmap(assets.canvasB);
  drawPlayScene();
  drawTopBarRepeat(false);
  // 786 high, past the canvas; the excess is clipped.
  al_draw_tinted_scaled_bitmap(assets.atlas, al_map_rgba(0, 0, 0, 22), 0, 0, 5, 5, 0, 0, 1024, 786, 0);
  smearCanvasB();
}

void composeLevel() {
  al_set_target_bitmap(assets.canvasA);
  drawPlayScene();
  drawTopBarRepeat(true);
}

ALLEGRO_COLOR towardsDarkened(int) { return al_map_rgba(11, 11, 11, 13); }
ALLEGRO_COLOR towardsLevel(int) { return al_map_rgba(30, 30, 30, 29); }

}  // namespace

void enterScreenTransition() {
  ScreenScope scope;
  if (I_Drawing()) composeDarkenedLevel();
  fadeOnto(assets.canvasB, 33, 0.005, towardsDarkened);
}

void levelFadeIn() {
  ScreenScope scope;
  if (I_Drawing()) composeLevel();
  fadeOnto(assets.canvasA, 23, 0.02, towardsLevel);
}
