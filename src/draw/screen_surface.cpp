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

void fadeOnto(ALLEGRO_BITMAP* picture, int frames, double rest, ALLEGRO_COLOR (*tintAt)(int frame)) {
  for (int i = 0; i < frames; ++i) {
    if (I_Drawing()) {
      targetScreen();
      al_draw_tinted_bitmap(picture, tintAt(i), 0, 0, 0);
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
