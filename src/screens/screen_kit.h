// Small pieces the screens share: the display's close button, the centred
// labels' hover boxes, sheet patches and keys.
#pragma once

#include <allegro5/allegro.h>
#include <allegro5/allegro_font.h>

// An event queue on the display's close button, for as long as a screen runs.
class CloseWatch {
 public:
  CloseWatch();
  ~CloseWatch();
  CloseWatch(const CloseWatch&) = delete;
  CloseWatch& operator=(const CloseWatch&) = delete;
  // Takes one pending event; true when it was the close button.
  bool closeRequested();

 private:
  ALLEGRO_EVENT_QUEUE* queue_;
};

// The hover box of a label centred on x = 512: width w, rows top < y <= bottom.
// Its ends are 512 - w/2 (excluded) and 511 + w/2, halves truncated.
bool labelBoxHolds(int labelWidth, int top, int bottom, int x, int y);

// Width of text line n as drawn (plain), 0 without a font.
int textLineWidth(const ALLEGRO_FONT* font, int n);

// A patch of the sprite sheet stretched over a rectangle, tinted or not.
void drawSheetPatch(float sx, float sy, float sw, float sh, float dx, float dy, float dw, float dh);
void drawTintedSheetPatch(ALLEGRO_COLOR tint, float sx, float sy, float sw, float sh, float dx, float dy, float dw,
                          float dh);
// A region of the sprite sheet at its own size.
void drawSheetRegion(float sx, float sy, float sw, float sh, float dx, float dy);

bool enterHeld();  // Enter or keypad Enter

// The help and about pages once composed in canvasB: fades the page in, then
// shows it until Escape, Enter or a click on the back label (text line 5
// centred at y = backLabelY) and hands the player back with levelFadeIn.
void runComposedPage(int fadeFrames, double fadeRest, int backLabelY);
