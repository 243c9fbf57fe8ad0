#include "draw/hud.h"

#include <allegro5/allegro.h>
#include <allegro5/allegro_font.h>
#include <allegro5/allegro_primitives.h>

#include <cstdio>

#include "data/progress.h"
#include "draw/draw.h"
#include "shell/game.h"
#include "shell/platform.h"

namespace {

ALLEGRO_COLOR shadeColour(CounterShade shade) {
  switch (shade) {
    case CounterShade::good: return al_map_rgb(20, 200, 20);
    case CounterShade::poor: return al_map_rgb(233, 33, 33);
    default: return al_map_rgb(222, 222, 22);
  }
}

// Yellow first, then the shade over it.
void drawCounter(int value, float y, CounterShade shade) {
  ALLEGRO_FONT* font = assets.fontRegular20;
  al_draw_textf(font, shadeColour(CounterShade::neutral), 312, y, ALLEGRO_ALIGN_RIGHT, "%d", value);
  if (shade != CounterShade::neutral) al_draw_textf(font, shadeColour(shade), 312, y, ALLEGRO_ALIGN_RIGHT, "%d", value);
}

}  // namespace

ClockTexts clockTexts(int playSeconds) {
  int h = playSeconds / 3600, m = playSeconds % 3600 / 60, s = playSeconds % 60;
  char hours[24], minutes[8], seconds[16];
  std::snprintf(hours, sizeof hours, " %d", h);
  std::snprintf(minutes, sizeof minutes, m > 9 ? ":%d" : ":0%d", m);
  std::snprintf(seconds, sizeof seconds, s > 9 ? "     :%d" : "     :0%d", s);
  return {hours, minutes, seconds};
}

int countedMugs(int attemptMugs) {
  int mugs = mugTotal();
  int level = game.currentLevel;
  if (level >= 1 && level <= 50 && progress.bestMugs[level] < attemptMugs) mugs += attemptMugs - progress.bestMugs[level];
  return mugs;
}

CounterShade mugShade(int mugs, int level) {
  if (level <= 20 && mugs < 2 * level) return CounterShade::poor;
  int most = level <= 20 ? 3 * level : 5 * level - 40;
  return mugs == most ? CounterShade::good : CounterShade::neutral;
}

CounterShade starShade(int stars, int level) {
  if (stars == 0 || stars < level / 2) return CounterShade::poor;
  return stars == level ? CounterShade::good : CounterShade::neutral;
}

void drawClock(int x, int y) {
  if (!I_Drawing() || !assets.fontBold22) return;
  ClockTexts t = clockTexts(progress.playSeconds);
  ALLEGRO_FONT* font = assets.fontBold22;
  al_draw_text(font, al_map_rgb(44, 144, 11), x, y, 0, t.seconds.c_str());
  al_draw_text(font, al_map_rgb(9, 200, 9), x, y, 0, t.minutes.c_str());
  al_draw_text(font, al_map_rgb(9, 200, 9), x, y, ALLEGRO_ALIGN_RIGHT, t.hours.c_str());
}

void drawCounters(int attemptMugs) {
  if (!I_Drawing() || !assets.fontRegular20) return;
  al_draw_tinted_scaled_bitmap(assets.atlas, al_map_rgba(0, 0, 0, 120), 0, 0, 5, 5, 208, 322, 115, 52, 0);
  al_draw_rectangle(208, 322, 323, 374, al_map_rgb(0, 0, 0), 2);
  ALLEGRO_COLOR grey = al_map_rgb(120, 120, 120);
  al_draw_text(assets.fontRegular20, grey, 216, 325, 0, "kufle:");
  al_draw_text(assets.fontRegular20, grey, 216, 346, 0, "gwiazd:");
  int mugs = countedMugs(attemptMugs), stars = starTotal();
  drawCounter(mugs, 325, mugShade(mugs, game.currentLevel));
  drawCounter(stars, 346, starShade(stars, game.currentLevel));
}
