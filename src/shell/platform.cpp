#include "shell/platform.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

Platform platform;

double I_GetTime() { return platform.drivenClock ? platform.clockNow : al_get_time(); }

void I_Rest(double seconds) {
  if (platform.drivenClock && platform.restAdvancesClock) platform.clockNow += seconds;
  if (platform.sleepForReal) al_rest(seconds);
}

void I_PlaySample(ALLEGRO_SAMPLE* sample, int number, float gain, float pan, float speed) {
  if (platform.recordSamples) platform.samplesPlayed.push_back({number, gain, pan, speed, I_GetTime()});
  if (sample) al_play_sample(sample, gain, pan, speed, ALLEGRO_PLAYMODE_ONCE, nullptr);
}

void I_FlipDisplay() {
  ++platform.flips;
  if (!platform.showFrames || !platform.drawing || !al_get_current_display()) return;
  al_flip_display();
  if (platform.loseBackBuffer) {
    ALLEGRO_BITMAP* target = al_get_target_bitmap();
    al_set_target_backbuffer(al_get_current_display());
    al_clear_to_color(al_map_rgb(255, 0, 255));
    al_set_target_bitmap(target);
  }
}

void I_ReadKeyboard(ALLEGRO_KEYBOARD_STATE* state) {
  if (platform.injectedInput)
    *state = platform.keys;
  else
    al_get_keyboard_state(state);
}

void I_ReadMouse(ALLEGRO_MOUSE_STATE* state) {
  if (platform.beforeInputRead) platform.beforeInputRead();
  if (platform.injectedInput)
    *state = platform.mouse;
  else
    al_get_mouse_state(state);
}

bool I_NextEvent(ALLEGRO_EVENT_QUEUE* queue, ALLEGRO_EVENT* event) {
  if (!platform.injectedEvents.empty()) {
    *event = ALLEGRO_EVENT{};
    event->type = platform.injectedEvents.front();
    platform.injectedEvents.erase(platform.injectedEvents.begin());
    return true;
  }
  return queue && al_get_next_event(queue, event);
}

bool I_Drawing() { return platform.drawing; }

void I_Error(const char* format, ...) {
  std::fputs("mugcellar: ", stderr);
  va_list args;
  va_start(args, format);
  std::vfprintf(stderr, format, args);
  va_end(args);
  std::fputc('\n', stderr);
  std::exit(1);
}

void I_SetKey(int keycode, bool down) {
  unsigned int bit = 1u << (keycode % 32);
  if (down)
    platform.keys.__key_down__internal__[keycode / 32] |= bit;
  else
    platform.keys.__key_down__internal__[keycode / 32] &= ~bit;
}

void I_ReleaseAllKeys() { platform.keys = ALLEGRO_KEYBOARD_STATE{}; }
