// Driving the screens in tests: the game started on the test display, input
// scripted poll by poll, the picture on the display read back.
#pragma once

#include <allegro5/allegro.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "support/test_env.h"

// Scratch media and the game started; stopped again at the end unless the
// test stopped it itself.
class ScreenTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  void stop();

  ScratchMedia media;

 private:
  bool running_ = false;
};

// Runs f(n) before the devices are read at the n-th poll from now (n from 1).
void scriptInput(std::function<void(int poll)> f);
// Polls made since scriptInput (0 when nothing was scripted).
int pollsSoFar();

// No key, no button, pointer at (0, 0), no event waiting, in the devices and
// in the last poll alike.
void resetInput();

// The pointer (and its buttons) as if the last poll had already seen it, so
// the next poll tests it; keys likewise held since before the next poll.
void pointerBeforeNextPoll(int x, int y, int buttons);
void keyBeforeNextPoll(int keycode);

// A board with exactly n cells of bare floor, the rest walls.
void setBoardWithFreeCells(int n);

// A picture's pixels, row by row, 4 bytes each; the back buffer's.
std::vector<uint8_t> pixelsOf(ALLEGRO_BITMAP* bitmap);
std::vector<uint8_t> backBufferPixels();

// The progress files as numbers, and the unlocked level in data.txt line 1.
std::vector<int> fileNumbers(const ScratchMedia& media, const std::string& name);
int storedUnlockedLevel(const ScratchMedia& media);
