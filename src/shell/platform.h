// The thin layer between the game and the machine. Everything that depends on
// real time, plays a sound, shows a frame or reads the devices goes through
// these I_ functions, so tests can run the real game code with a clock they
// drive, input they feed and a record of the samples played.
#pragma once

#include <allegro5/allegro.h>
#include <allegro5/allegro_audio.h>

#include <functional>
#include <string>
#include <vector>

// Sample numbers: the number in each sample's file name.
enum Sfx : int {
  sfxFanfare = 0,
  sfxSlide = 1,
  sfxStep = 2,
  sfxPushStep = 3,
  sfxDeath = 4,
  sfxKeyChime = 5,
  sfxDoorChime = 6,
  sfxSplash = 7,
  sfxPickUp = 8,
  sfxLevelEnd = 9,
  sfxMusic = 10,
  sfxTrapOn = 11,
  sfxTrapOff = 12,
  sfxJump = 13,
  sfxCount = 14,
};

struct PlayedSample {
  int sample;   // Sfx number
  float gain;   // as passed to al_play_sample
  float pan;
  float speed;
  double time;  // I_GetTime() when it was asked for
};

// How the platform layer behaves. The game leaves it as it is; tests change it.
struct Platform {
  bool drivenClock = false;         // time comes from clockNow, not the machine
  double clockNow = 0.0;            // the driven clock, in seconds
  bool restAdvancesClock = true;    // with a driven clock, I_Rest moves it on
  bool sleepForReal = true;         // I_Rest really sleeps
  bool injectedInput = false;       // the devices are replaced by the fields below
  ALLEGRO_KEYBOARD_STATE keys{};    // the injected keyboard
  ALLEGRO_MOUSE_STATE mouse{};      // the injected mouse
  std::vector<ALLEGRO_EVENT_TYPE> injectedEvents;  // display events handed out first
  bool showFrames = true;           // I_FlipDisplay really flips
  bool loseBackBuffer = false;      // after a flip the back buffer is scrambled, as some displays do
  bool drawing = true;              // drawing code runs (off for fast replays)
  long flips = 0;                   // frames shown (or skipped) so far
  bool recordSamples = false;       // append every request to samplesPlayed
  std::vector<PlayedSample> samplesPlayed;
  std::function<void()> beforeInputRead;  // runs at every poll, before the devices are read
};

extern Platform platform;

double I_GetTime();
void I_Rest(double seconds);
void I_PlaySample(ALLEGRO_SAMPLE* sample, int number, float gain, float pan, float speed);
void I_FlipDisplay();
void I_ReadKeyboard(ALLEGRO_KEYBOARD_STATE* state);
void I_ReadMouse(ALLEGRO_MOUSE_STATE* state);
// Takes one pending event; true when one was taken.
bool I_NextEvent(ALLEGRO_EVENT_QUEUE* queue, ALLEGRO_EVENT* event);
// True while frames are drawn at all (false in a headless replay).
bool I_Drawing();

// The one way out on a fatal start-up error: message on stderr, exit 1.
[[noreturn]] void I_Error(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Test helpers for injected input.
void I_SetKey(int keycode, bool down);
void I_ReleaseAllKeys();
