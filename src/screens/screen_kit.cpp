#include "screens/screen_kit.h"

#include "data/text_table.h"
#include "draw/draw.h"
#include "draw/screen_surface.h"
#include "shell/game.h"
#include "shell/input.h"
#include "shell/platform.h"

CloseWatch::CloseWatch() : queue_(al_is_system_installed() ? al_create_event_queue() : nullptr) {
  if (queue_ && assets.display) al_register_event_source(queue_, al_get_display_event_source(assets.display));
}

CloseWatch::~CloseWatch() {
  if (queue_) al_destroy_event_queue(queue_);
}

bool CloseWatch::closeRequested() {
  ALLEGRO_EVENT event;
  return I_NextEvent(queue_, &event) && event.type == ALLEGRO_EVENT_DISPLAY_CLOSE;
}

bool labelBoxHolds(int labelWidth, int top, int bottom, int x, int y) {
  int half = labelWidth / 2;
  return x > 512 - half && x <= 511 + half && y > top && y <= bottom;
}

int textLineWidth(const ALLEGRO_FONT* font, int n) { return font ? al_get_text_width(font, textLine(n).c_str()) : 0; }

void drawSheetPatch(float sx, float sy, float sw, float sh, float dx, float dy, float dw, float dh) {
  if (I_Drawing()) al_draw_scaled_bitmap(assets.atlas, sx, sy, sw, sh, dx, dy, dw, dh, 0);
}

void drawTintedSheetPatch(ALLEGRO_COLOR tint, float sx, float sy, float sw, float sh, float dx, float dy, float dw,
                          float dh) {
  if (I_Drawing()) al_draw_tinted_scaled_bitmap(assets.atlas, tint, sx, sy, sw, sh, dx, dy, dw, dh, 0);
}

void drawSheetRegion(float sx, float sy, float sw, float sh, float dx, float dy) {
  if (I_Drawing()) al_draw_bitmap_region(assets.atlas, sx, sy, sw, sh, dx, dy, 0);
}

bool enterHeld() { return keyHeld(ALLEGRO_KEY_ENTER) || keyHeld(ALLEGRO_KEY_PAD_ENTER); }

namespace {

ALLEGRO_COLOR growingTint(int a) { return al_map_rgba(a, a, a, a); }

}  // namespace

void runComposedPage(int fadeFrames, double fadeRest, int backLabelY) {
  fadeOnto(assets.canvasB, fadeFrames, fadeRest, growingTint);
  int backWidth = textLineWidth(assets.fontRegular20, 5);
  for (;;) {
    if (keyHeld(ALLEGRO_KEY_ESCAPE)) return levelFadeIn();
    pollInput();
    if (I_Drawing()) al_draw_bitmap(assets.canvasB, 0, 0, 0);
    if (labelBoxHolds(backWidth, backLabelY, backLabelY + 19, input.prevMouseX, input.prevMouseY)) {
      input.hoverTarget = hoverBackLabel;
      drawTextLine(assets.fontRegular20, al_map_rgb(222, 222, 222), 512, backLabelY, ALLEGRO_ALIGN_CENTRE, 5);
      if (clicked(hoverBackLabel)) return levelFadeIn();
    }
    if (enterHeld()) return levelFadeIn();
    showScreenFrame();
    I_Rest(0.001);
  }
}
