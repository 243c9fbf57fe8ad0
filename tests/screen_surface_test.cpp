#include <gtest/gtest.h>

#include <allegro5/allegro.h>
#include <allegro5/allegro_primitives.h>

#include <cmath>
#include <functional>

#include "draw/draw.h"
#include "data/progress.h"
#include "draw/screen_surface.h"
#include "screens/screens.h"
#include "shell/game.h"
#include "shell/input.h"
#include "shell/platform.h"
#include "support/board_text.h"
#include "support/screen_driver.h"

class ScreenSurface : public ScreenTest {
 protected:
  // The picture the main loop leaves in the back buffer when it calls a screen.
  void drawCallersFrame() {
    al_set_target_backbuffer(assets.display);
    drawPlayScene();
    al_draw_filled_rectangle(0, 0, 1024, 60, al_map_rgb(30, 90, 160));
    al_draw_filled_rectangle(990, 700, 1024, 768, al_map_rgb(200, 40, 40));
  }

  // The back buffer after the screen has returned: what the player sees.
  std::vector<uint8_t> pictureAfter(SurfaceMode mode, bool displayLosesBackBuffer, const std::function<void()>& run) {
    game = startState_;
    progress = startProgress_;
    setSurfaceMode(mode);
    platform.loseBackBuffer = displayLosesBackBuffer;
    resetInput();
    setBoardFromText("#############\n#....m..b...#\n#..~~.o.....#\n");
    drawCallersFrame();
    run();
    platform.loseBackBuffer = false;
    return backBufferPixels();
  }

  void expectSamePictureOnBothKindsOfDisplay(const std::function<void()>& run) {
    startState_ = game;
    startProgress_ = progress;
    std::vector<uint8_t> kept = pictureAfter(SurfaceMode::backBuffer, false, run);
    EXPECT_EQ(pictureAfter(SurfaceMode::copy, true, run) == kept, true) << "copy on a display that loses the buffer";
    EXPECT_EQ(pictureAfter(SurfaceMode::copy, false, run) == kept, true) << "copy on a display that keeps it";
    // Without the copy, such a display shows a different picture: the check has teeth.
    EXPECT_EQ(pictureAfter(SurfaceMode::backBuffer, true, run) == kept, false) << "back buffer that is lost";
  }

 private:
  GameState startState_{};
  Progress startProgress_{};
};

TEST_F(ScreenSurface, TheProbeTellsADisplayThatLosesItsBackBuffer) {
  platform.loseBackBuffer = true;
  EXPECT_FALSE(displayKeepsBackBuffer());
  platform.loseBackBuffer = false;
  bool kept = displayKeepsBackBuffer();
  RecordProperty("displayKeepsBackBuffer", kept ? "yes" : "no");
  // The first screen probes, and a lost back buffer is met with the copy.
  setSurfaceMode(SurfaceMode::unknown);
  platform.loseBackBuffer = true;
  { ScreenScope scope; }
  EXPECT_EQ(surfaceMode(), SurfaceMode::copy);
}

TEST_F(ScreenSurface, TheCallersPictureSurvivesTheProbe) {
  setSurfaceMode(SurfaceMode::unknown);
  platform.loseBackBuffer = true;
  drawCallersFrame();
  std::vector<uint8_t> before = backBufferPixels();
  { ScreenScope scope; }
  EXPECT_EQ(backBufferPixels() == before, true);
}

TEST_F(ScreenSurface, TransitionsLeaveTheDisplayAsTheTarget) {
  for (void (*transition)() : {enterScreenTransition, levelFadeIn}) {
    transition();
    EXPECT_EQ(al_get_target_bitmap(), al_get_backbuffer(assets.display));
  }
}

TEST_F(ScreenSurface, MenuAndResetDialogLookTheSameOnBothKindsOfDisplay) {
  expectSamePictureOnBothKindsOfDisplay([] {
    pointerBeforeNextPoll(500, 390, 1);  // the reset item, then no
    scriptInput([](int poll) {
      platform.mouse.buttons = 0;
      platform.mouse.x = poll < 6 ? 420 : 600;
      platform.mouse.y = 420;
      if (poll == 8) platform.mouse.buttons = 1;
    });
    int quit = 0;
    runMainMenu(quit);
  });
}

TEST_F(ScreenSurface, LevelGridLooksTheSameOnBothKindsOfDisplay) {
  game.unlockedLevel = 14;
  expectSamePictureOnBothKindsOfDisplay([] {
    pointerBeforeNextPoll(500, 345, 1);  // the grid item, then level 3
    scriptInput([](int poll) {
      platform.mouse.buttons = poll == 9 ? 1 : 0;
      if (poll > 4) platform.mouse.x = gridCellX(3) + 30, platform.mouse.y = gridCellY(3) + 30;
    });
    int quit = 0;
    runMainMenu(quit);
  });
}

TEST_F(ScreenSurface, FinalTextsLookTheSameOnBothKindsOfDisplay) {
  expectSamePictureOnBothKindsOfDisplay([] {
    game.currentLevel = 51;
    I_SetKey(ALLEGRO_KEY_ENTER, true);
    runFinalScreen();
  });
}

// A fade must end where its sum says, on both kinds of display: frames done
// in 8 bits each drop a fraction of a level, and over 33 frames a grey drifts
// into a colour.
TEST_F(ScreenSurface, AFadeEndsWhereItsSumSays) {
  struct Case {
    int frames, tint, alpha;
  };
  const Case cases[] = {{33, 11, 13}, {23, 30, 29}};
  const int from[3] = {40, 90, 200}, to[3] = {180, 150, 120};
  for (SurfaceMode mode : {SurfaceMode::backBuffer, SurfaceMode::copy}) {
    for (const Case& c : cases) {
      setSurfaceMode(mode);
      al_set_target_bitmap(assets.canvasA);
      al_clear_to_color(al_map_rgb(to[0], to[1], to[2]));
      al_set_target_backbuffer(assets.display);
      al_clear_to_color(al_map_rgb(from[0], from[1], from[2]));
      static Case now;
      now = c;
      {
        ScreenScope scope;
        fadeOnto(assets.canvasA, c.frames, 0, [](int) { return al_map_rgba(now.tint, now.tint, now.tint, now.alpha); });
      }
      std::vector<uint8_t> pixels = backBufferPixels();
      double keep = std::pow(1.0 - c.alpha / 255.0, c.frames);
      for (int k = 0; k < 3; ++k) {
        double expected = keep * from[k] + to[k] * (c.tint / 255.0) * (1.0 - keep) / (c.alpha / 255.0);
        EXPECT_NEAR(pixels[(384 * 1024 + 512) * 4 + k], expected, 1.01)
            << "channel " << k << ", " << c.frames << " frames of " << c.tint << "/" << c.alpha << ", mode "
            << static_cast<int>(mode);
      }
    }
  }
}
