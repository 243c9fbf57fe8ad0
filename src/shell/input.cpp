#include "shell/input.h"

#include "shell/platform.h"

InputSnapshot input{};

namespace {

struct Box {
  int target, x0, x1, y0, y1;
};

constexpr Box topBarButtons[] = {
    {hoverHelpButton, 659, 745, 6, 21},
    {hoverRestartButton, 747, 833, 6, 21},
    {hoverMenuButton, 835, 921, 6, 21},
};

int gridCellAt(int x, int y) {
  int hit = 0;
  for (int n = 1; n <= 50; ++n) {
    int col = (n - 1) % 10, row = (n - 1) / 10;
    int top = (n <= 20 ? 150 : 170) + 90 * row;
    if (x >= 69 + 90 * col && x <= 147 + 90 * col && y >= top + 1 && y <= top + 69) hit = n;
  }
  return hit;
}

}  // namespace

int hoverTargetAt(int x, int y) {
  int target = hoverNone;
  for (const Box& b : topBarButtons)
    if (x >= b.x0 && x <= b.x1 && y >= b.y0 && y <= b.y1) target = b.target;
  if (int cell = gridCellAt(x, y)) target = cell;
  return target;
}

void pollInput() {
  input.hoverTarget = hoverNone;
  input.prevMouseX = input.mouseState.x;
  input.prevMouseY = input.mouseState.y;
  input.prevMouseButtons = input.mouseState.buttons;
  I_ReadMouse(&input.mouseState);
  I_ReadKeyboard(&input.keyboardState);
  input.hoverTarget = hoverTargetAt(input.prevMouseX, input.prevMouseY);
}

bool keyHeld(int keycode) { return al_key_down(&input.keyboardState, keycode); }

bool clicked(int target) { return input.hoverTarget == target && input.prevMouseButtons == 1; }
