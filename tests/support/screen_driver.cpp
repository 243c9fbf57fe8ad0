#include "support/screen_driver.h"

#include <allegro5/allegro.h>

#include <cstring>
#include <memory>
#include <sstream>

#include "board/board.h"
#include "data/level_file.h"
#include "data/progress.h"
#include "draw/screen_surface.h"
#include "shell/game.h"
#include "shell/input.h"
#include "shell/platform.h"
#include "support/board_text.h"

namespace {
int polls = 0;
}

void ScreenTest::SetUp() {
  startGame();
  running_ = true;
  resetInput();
  polls = 0;
}

void ScreenTest::TearDown() { stop(); }

void ScreenTest::stop() {
  if (!running_) return;
  platform.beforeInputRead = nullptr;
  platform.loseBackBuffer = false;
  platform.drawing = true;
  I_ReleaseAllKeys();
  stopGame();
  setSurfaceMode(SurfaceMode::unknown);
  running_ = false;
}

void scriptInput(std::function<void(int poll)> f) {
  polls = 0;
  platform.beforeInputRead = [f] { f(++polls); };
}

int pollsSoFar() { return polls; }

void resetInput() {
  I_ReleaseAllKeys();
  platform.mouse = ALLEGRO_MOUSE_STATE{};
  platform.injectedEvents.clear();
  input = InputSnapshot{};
}

void pointerBeforeNextPoll(int x, int y, int buttons) {
  platform.mouse.x = x;
  platform.mouse.y = y;
  platform.mouse.buttons = buttons;
  input.mouseState = platform.mouse;
}

void keyBeforeNextPoll(int keycode) {
  I_SetKey(keycode, true);
  input.keyboardState = platform.keys;
}

void setBoardWithFreeCells(int n) {
  std::string picture;
  for (int i = 0; i < boardCols * boardRows; ++i) {
    picture += i < n ? '.' : '#';
    if (i % boardCols == boardCols - 1) picture += '\n';
  }
  setBoardFromText(picture);
}

std::vector<uint8_t> backBufferPixels() { return pixelsOf(al_get_backbuffer(assets.display)); }

std::vector<uint8_t> pixelsOf(ALLEGRO_BITMAP* back) {
  int w = al_get_bitmap_width(back), h = al_get_bitmap_height(back);
  ALLEGRO_LOCKED_REGION* region = al_lock_bitmap(back, ALLEGRO_PIXEL_FORMAT_ABGR_8888, ALLEGRO_LOCK_READONLY);
  std::vector<uint8_t> pixels(static_cast<size_t>(w) * h * 4);
  for (int y = 0; y < h; ++y)
    std::memcpy(&pixels[static_cast<size_t>(y) * w * 4], static_cast<const uint8_t*>(region->data) + y * region->pitch,
                static_cast<size_t>(w) * 4);
  al_unlock_bitmap(back);
  return pixels;
}

std::vector<int> fileNumbers(const ScratchMedia& media, const std::string& name) {
  std::istringstream in(media.read(name));
  std::vector<int> values;
  for (int v; in >> v;) values.push_back(v);
  return values;
}

int storedUnlockedLevel(const ScratchMedia& media) {
  std::string stored = media.read("data.txt");
  return std::stoi(decodeLine(stored.substr(0, stored.find("\r\n"))));
}
