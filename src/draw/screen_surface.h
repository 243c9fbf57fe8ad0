// Where the screens draw. They build their pictures over what the display
// showed last (fades, panels, texts that stay). Where the display keeps its
// back buffer across flips they draw on it directly; where it does not, they
// draw on an off-screen copy that is shown at every flip, so the player sees
// the same picture on both kinds of display.
#pragma once

#include <allegro5/allegro.h>

enum class SurfaceMode {
  unknown,     // not yet probed on this display
  backBuffer,  // the display keeps its back buffer: draw on it
  copy,        // it does not: draw on an off-screen copy
};

// Held by every screen and transition while it runs. The outermost one takes
// over the picture its caller left in the back buffer (probing the display
// once) and, on leaving, puts the last picture shown back there, so the
// caller goes on drawing over what the player sees.
class ScreenScope {
 public:
  ScreenScope();
  ~ScreenScope();
  ScreenScope(const ScreenScope&) = delete;
  ScreenScope& operator=(const ScreenScope&) = delete;
};

// Makes the surface the drawing target.
void targetScreen();

// Shows the surface as the next frame; the surface stays the target.
void showScreenFrame();

// Lays `picture` over the surface `frames` times, each tinted by tintAt(i),
// shown and followed by a sleep of `rest` seconds.
void fadeOnto(ALLEGRO_BITMAP* picture, int frames, double rest, ALLEGRO_COLOR (*tintAt)(int frame));

// Copies src over dst pixel for pixel (alpha included).
void copyPicture(ALLEGRO_BITMAP* src, ALLEGRO_BITMAP* dst);

// Draw, flip, read back: true when the back buffer survived two flips.
bool displayKeepsBackBuffer();

SurfaceMode surfaceMode();
// Tests: choose the mode for the current display (unknown probes again).
void setSurfaceMode(SurfaceMode mode);
