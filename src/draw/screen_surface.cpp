#include "draw/screen_surface.h"

#include "shell/game.h"
#include "shell/platform.h"

namespace {

int scopeDepth = 0;
SurfaceMode mode = SurfaceMode::unknown;
ALLEGRO_DISPLAY* modeDisplay = nullptr;  // the display the mode was found on
ALLEGRO_BITMAP* screenCopy = nullptr;    // the picture shown, in copy mode

bool drawingOnDisplay() { return I_Drawing() && assets.display; }

ALLEGRO_BITMAP* backBuffer() { return al_get_backbuffer(assets.display); }

bool samePixel(ALLEGRO_COLOR a, ALLEGRO_COLOR b) {
  unsigned char ar, ag, ab, br, bg, bb;
  al_unmap_rgb(a, &ar, &ag, &ab);
  al_unmap_rgb(b, &br, &bg, &bb);
  return ar == br && ag == bg && ab == bb;
}

SurfaceMode currentMode() { return modeDisplay == assets.display ? mode : SurfaceMode::unknown; }

void takeOverCallersPicture() {
  if (!drawingOnDisplay()) return;
  SurfaceMode m = currentMode();
  if (m == SurfaceMode::backBuffer) return;
  screenCopy = al_create_bitmap(1024, 768);
  if (!screenCopy) I_Error("cannot create a 1024 x 768 off-screen picture");
  copyPicture(backBuffer(), screenCopy);
  if (m == SurfaceMode::unknown) {
    // The probe's flips spoil the back buffer where it is not kept; the
    // caller's picture is safe in the copy by then.
    m = displayKeepsBackBuffer() ? SurfaceMode::backBuffer : SurfaceMode::copy;
    mode = m;
    modeDisplay = assets.display;
    if (m == SurfaceMode::backBuffer) {
      copyPicture(screenCopy, backBuffer());
      al_destroy_bitmap(screenCopy);
      screenCopy = nullptr;
    }
  }
}

void handBackToCaller() {
  if (screenCopy) {
    if (assets.display) copyPicture(screenCopy, backBuffer());
    al_destroy_bitmap(screenCopy);
    screenCopy = nullptr;
  }
  if (assets.display) al_set_target_backbuffer(assets.display);
}

}  // namespace

ScreenScope::ScreenScope() {
  if (scopeDepth++ == 0) takeOverCallersPicture();
  targetScreen();
}

ScreenScope::~ScreenScope() {
  if (--scopeDepth == 0) handBackToCaller();
}

void targetScreen() {
  if (screenCopy)
    al_set_target_bitmap(screenCopy);
  else if (assets.display)
    al_set_target_backbuffer(assets.display);
}

void showScreenFrame() {
  if (screenCopy && drawingOnDisplay()) copyPicture(screenCopy, backBuffer());
  I_FlipDisplay();
  targetScreen();
}

namespace {

// A fade frame lays the tinted picture over the last one: d' = c * s + (1 - a) * d.
// Done in 8 bits, each channel stops moving once a frame's step rounds to
// nothing, some levels short of the goal and by a different amount per
// channel, so greys turn green or purple. So the fade keeps the sum
// d = start * d0 + reach * s exactly and draws it fresh each frame.
struct FadeSum {
  float start = 1.0f;          // weight of the picture the fade began on
  float reach[3] = {0, 0, 0};  // weights of the faded-in picture, per channel

  void add(ALLEGRO_COLOR tint) {
    float keep = 1.0f - tint.a;
    start *= keep;
    const float c[3] = {tint.r, tint.g, tint.b};
    for (int k = 0; k < 3; ++k) reach[k] = c[k] + keep * reach[k];
  }
};

void drawFadeSum(const FadeSum& sum, ALLEGRO_BITMAP* begin, ALLEGRO_BITMAP* picture) {
  ALLEGRO_STATE state;
  al_store_state(&state, ALLEGRO_STATE_BLENDER);
  // Alpha is left as the first picture had it; only colour fades.
  al_set_blender(ALLEGRO_ADD, ALLEGRO_ONE, ALLEGRO_ZERO);
  al_draw_tinted_bitmap(begin, al_map_rgba_f(sum.start, sum.start, sum.start, 1.0f), 0, 0, 0);
  al_set_blender(ALLEGRO_ADD, ALLEGRO_ONE, ALLEGRO_ONE);
  al_draw_tinted_bitmap(picture, al_map_rgba_f(sum.reach[0], sum.reach[1], sum.reach[2], 0.0f), 0, 0, 0);
  al_restore_state(&state);
}

}  // namespace

void fadeOnto(ALLEGRO_BITMAP* picture, int frames, double rest, ALLEGRO_COLOR (*tintAt)(int frame)) {
  FadeSum sum;
  targetScreen();
  if (I_Drawing()) copyPicture(al_get_target_bitmap(), assets.canvasSnapshot);
  for (int i = 0; i < frames; ++i) {
    sum.add(tintAt(i));
    if (I_Drawing()) {
      targetScreen();
      drawFadeSum(sum, assets.canvasSnapshot, picture);
    }
    showScreenFrame();
    I_Rest(rest);
  }
}

void copyPicture(ALLEGRO_BITMAP* src, ALLEGRO_BITMAP* dst) {
  ALLEGRO_STATE state;
  al_store_state(&state, ALLEGRO_STATE_TARGET_BITMAP | ALLEGRO_STATE_BLENDER);
  al_set_target_bitmap(dst);
  al_set_blender(ALLEGRO_ADD, ALLEGRO_ONE, ALLEGRO_ZERO);
  al_draw_bitmap(src, 0, 0, 0);
  al_restore_state(&state);
}

bool displayKeepsBackBuffer() {
  ALLEGRO_BITMAP* target = al_get_target_bitmap();
  ALLEGRO_BITMAP* back = backBuffer();
  bool kept = true;
  for (ALLEGRO_COLOR mark : {al_map_rgb(3, 250, 7), al_map_rgb(250, 5, 251)}) {
    al_set_target_bitmap(back);
    al_put_pixel(0, 0, mark);
    I_FlipDisplay();
    kept = kept && samePixel(al_get_pixel(back, 0, 0), mark);
  }
  al_set_target_bitmap(target);
  return kept;
}

SurfaceMode surfaceMode() { return currentMode(); }

void setSurfaceMode(SurfaceMode m) {
  mode = m;
  modeDisplay = assets.display;
}
