// The process-wide records of the game shell: the assets every screen draws
// with and where the player is in the game.
#pragma once

#include <allegro5/allegro.h>
#include <allegro5/allegro_audio.h>
#include <allegro5/allegro_font.h>

#include "shell/platform.h"

struct Assets {
  ALLEGRO_DISPLAY* display;         // the 1024 x 768 window or full screen
  ALLEGRO_BITMAP* atlas;            // sprite sheet graf1.png; also drawn into
  ALLEGRO_BITMAP* imageGs;          // player pictures gs.png
  ALLEGRO_BITMAP* imageGe;          // movable things and result pictures ge.png
  ALLEGRO_BITMAP* canvasA;          // off-screen 1024 x 768: level fade-in, final, about
  ALLEGRO_BITMAP* cellCanvas;       // off-screen 60 x 60: result screen's mug icon
  ALLEGRO_BITMAP* canvasB;          // off-screen 1024 x 768: darkened level, pages
  ALLEGRO_BITMAP* canvasSnapshot;   // scratch copy: of canvasB while smearing, of the screen while fading
  ALLEGRO_BITMAP* imagePijak;       // the all-stars ending's picture
  ALLEGRO_BITMAP* imagePromienie;   // the rays behind a won star
  ALLEGRO_FONT* fontBold22;         // top bar, clock, menus
  ALLEGRO_FONT* fontBold30;         // titles, large numbers
  ALLEGRO_FONT* fontBold40;         // result and final screens
  ALLEGRO_FONT* fontRegular20;      // counters and running text
  ALLEGRO_SAMPLE* sounds[sfxCount]; // samples by Sfx number; null plays nothing
  bool audio;                       // a sound device was found
};

extern Assets assets;

struct GameState {
  int currentLevel;    // the level being played; levelCount + 1 before the final screen
  int levelCount;      // 50, never changes
  int unlockedLevel;   // highest level the grid offers; saved with the progress
  int campaignLevel;   // where the game goes back to after a level from the grid
  int levelLoaded;     // 0 asks the main loop to load currentLevel
  int chosenFromGrid;  // 1 while the current level was picked in the grid
  int displayMode;     // 0 window, 1 full screen
};

extern GameState game;

void startUp();
void shutDown();
void switchToFullScreen();

// Plays a sample by number, fire and forget.
void playSound(Sfx number, float gain, float pan, float speed);

// Where the game keeps its data, relative to the working directory.
namespace mediaPath {
inline constexpr const char* storedLevels = "media/data.txt";
inline constexpr const char* plainLevels = "media/dataXX.txt";
inline constexpr const char* bestMugs = "media/dataB.txt";
inline constexpr const char* stars = "media/dataC.txt";
inline constexpr const char* texts = "media/teksty_100.txt";
}  // namespace mediaPath

// Makes the executable's own directory the working directory.
void enterProgramDirectory(const char* argv0);
