// The keyboard and mouse as polled once per frame, and the control under the
// pointer. Mouse tests use the pointer of the poll before the last one.
#pragma once

#include <allegro5/allegro.h>

struct InputSnapshot {
  ALLEGRO_KEYBOARD_STATE keyboardState;  // keyboard as of the last poll
  ALLEGRO_MOUSE_STATE mouseState;        // mouse as of the last poll
  int prevMouseX;                        // pointer x of the poll before the last
  int prevMouseY;                        // pointer y of the poll before the last
  int prevMouseButtons;                  // buttons of the poll before the last
  int hoverTarget;                       // 0, grid cell 1..50, buttons 101..103, or a screen's own
};

extern InputSnapshot input;

enum HoverTarget : int {
  hoverNone = 0,
  hoverHelpButton = 101,
  hoverRestartButton = 102,
  hoverMenuButton = 103,
  hoverBackLabel = 99,
  hoverMenuItem0 = 61,  // 61..65, the main menu's five items
  hoverResetYes = 104,
  hoverResetNo = 105,
};

void pollInput();
// The target under (x, y) among the top-bar buttons and the level grid.
int hoverTargetAt(int x, int y);
bool keyHeld(int keycode);
// A click: the pointer was on target and only the primary button was held.
bool clicked(int target);
