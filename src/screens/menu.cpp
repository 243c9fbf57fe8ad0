#include <allegro5/allegro_primitives.h>

#include "data/progress.h"
#include "data/text_table.h"
#include "draw/draw.h"
#include "draw/screen_surface.h"
#include "screens/screen_kit.h"
#include "screens/screens.h"
#include "shell/game.h"
#include "shell/input.h"
#include "shell/platform.h"

int menuItemAt(int x, int y) {
  if (x < 379 || x > 647) return hoverNone;
  for (int k = 0; k < 5; ++k)
    if (y > 304 + 40 * k && y <= 330 + 40 * k) return hoverMenuItem0 + k;
  return hoverNone;
}

int resetAnswerAt(int x, int y) {
  if (y <= 410 || y > 434) return hoverNone;
  if (x >= 401 && x <= 459) return hoverResetYes;
  if (x >= 571 && x <= 629) return hoverResetNo;
  return hoverNone;
}

MenuAction menuActionFor(bool enter, bool escapeAfterPoll, int hoverTarget, int prevMouseButtons) {
  auto click = [&](int k) { return hoverTarget == hoverMenuItem0 + k && prevMouseButtons == 1; };
  if (enter || click(0)) return MenuAction::backToLevel;
  if (click(1)) return MenuAction::levelGrid;
  if (click(2)) return MenuAction::resetDialog;
  // Escape after the poll opens the about page, which sees it still held
  // and leaves at once; the main loop then ends the game.
  if (escapeAfterPoll || click(3)) return MenuAction::about;
  if (click(4)) return MenuAction::quit;
  return MenuAction::stay;
}

GridCell gridCellState(int level, int unlockedLevel) {
  if (level > unlockedLevel) return GridCell::locked;
  return level == unlockedLevel ? GridCell::current : GridCell::finished;
}

int gridCellX(int level) { return 65 + 90 * ((level - 1) % 10); }
int gridCellY(int level) { return 150 + 90 * ((level - 1) / 10) + (level > 20 ? 20 : 0); }

void resetAllProgress() {
  resetProgress();
  game.unlockedLevel = 1;
  game.currentLevel = 1;
  game.levelLoaded = 0;
  game.campaignLevel = 1;
}

namespace {

void drawMenuFrame() {
  drawSheetPatch(50, 585, 5, 5, 328, 246, 370, 276);
  drawSheetPatch(30, 585, 5, 5, 331, 249, 364, 270);
  drawSheetPatch(0, 585, 5, 5, 334, 252, 358, 264);
  drawSheetPatch(5, 5, 2, 2, 360, 286, 305, 2);
  drawTextLine(assets.fontBold22, al_map_rgb(100, 222, 222), 515, 256, ALLEGRO_ALIGN_CENTRE, 4);
}

void drawMenuItems(int hovered) {
  drawSheetPatch(50, 585, 5, 5, 360, 298, 306, 204);
  int k = hovered - hoverMenuItem0;
  bool anyHovered = k >= 0 && k < 5;
  if (anyHovered) drawSheetPatch(20, 585, 5, 5, 378, 304 + 40 * k, 270, 28);
  for (int i = 0; i < 4; ++i) {
    drawTextLine(assets.fontBold22, al_map_rgb(150, 150, 150), 512, 306 + 40 * i, ALLEGRO_ALIGN_CENTRE, 5 + i);
    if (i == k) drawTextLine(assets.fontBold22, al_map_rgb(200, 200, 200), 512, 306 + 40 * i, ALLEGRO_ALIGN_CENTRE, 5 + i);
  }
  drawTextLine(assets.fontBold22, al_map_rgb(188, 22, 22), 512, 466, ALLEGRO_ALIGN_CENTRE, 9);
  if (k == 4) drawTextLine(assets.fontBold22, al_map_rgb(244, 44, 44), 512, 466, ALLEGRO_ALIGN_CENTRE, 9);
}

void drawGridCell(int n) {
  int x = gridCellX(n), y = gridCellY(n);
  GridCell state = gridCellState(n, game.unlockedLevel);
  bool open = state != GridCell::locked;
  drawSheetRegion(440, 590, 85, 70, x, y);
  switch (state) {
    case GridCell::locked: drawSheetRegion(698, 590, 86, 76, x, y); break;
    case GridCell::current: drawSheetRegion(612, 590, 86, 70, x, y); break;
    case GridCell::finished: drawSheetRegion(526, 590, 86, 70, x, y); break;
  }
  if (open) drawSheetRegion(0, 688, n <= 20 ? 45 : 75, 13, x + 6, y - 3);
  int grey = open ? 180 : 111;
  if (I_Drawing())
    al_draw_textf(assets.fontBold30, al_map_rgb(grey, grey, grey), x + 40, y + 16, ALLEGRO_ALIGN_CENTRE, "%d", n);
  if (open && progress.bestMugs[n] > 0) drawSheetRegion(0, 702, 15 * progress.bestMugs[n], 13, x + 6, y - 3);
  if (progress.starTaken[n] > 0) drawSheetRegion(99, 686, 26, 26, x + 55, y + 48);
}

void drawGridPage() {
  drawSheetPatch(0, 585, 5, 5, 40, 80, 941, 610);
  if (!I_Drawing()) return;
  al_draw_rectangle(47, 87, 975, 684, al_map_rgb(0, 122, 0), 3);
  drawTextLine(assets.fontBold22, al_map_rgb(80, 180, 180), 512, 99, ALLEGRO_ALIGN_CENTRE, 6);
  al_draw_text(assets.fontBold22, al_map_rgb(80, 120, 80), 90, 120, ALLEGRO_ALIGN_CENTRE, "6x9");
  al_draw_text(assets.fontBold22, al_map_rgb(80, 120, 80), 90, 320, ALLEGRO_ALIGN_CENTRE, "8x11");
  for (int n = 1; n <= 50; ++n) drawGridCell(n);
}

// The click that chose the menu item must not also choose a level.
void waitForButtonRelease() {
  do {
    pollInput();
    I_Rest(0.001);
  } while (input.prevMouseButtons != 0);
}

}  // namespace

void runLevelGrid() {
  ScreenScope scope;
  waitForButtonRelease();
  int backWidth = textLineWidth(assets.fontRegular20, 5);
  for (;;) {
    if (keyHeld(ALLEGRO_KEY_ESCAPE)) return levelFadeIn();
    pollInput();
    drawGridPage();
    int h = input.hoverTarget;
    if (h >= 1 && h <= game.unlockedLevel) {
      drawSheetRegion(340, 590, 92, 76, gridCellX(h) - 3, gridCellY(h) - 3);
      if (clicked(h)) {
        game.currentLevel = h;
        game.levelLoaded = 0;
        game.chosenFromGrid = 1;
        return;
      }
    }
    drawTextLine(assets.fontRegular20, al_map_rgb(180, 180, 180), 512, 630, ALLEGRO_ALIGN_CENTRE, 5);
    if (labelBoxHolds(backWidth, 628, 649, input.prevMouseX, input.prevMouseY)) {
      input.hoverTarget = hoverBackLabel;
      drawTextLine(assets.fontRegular20, al_map_rgb(220, 220, 220), 512, 630, ALLEGRO_ALIGN_CENTRE, 5);
      if (clicked(hoverBackLabel)) return levelFadeIn();
    }
    if (enterHeld()) return levelFadeIn();
    showScreenFrame();
    I_Rest(0.001);
  }
}

void drawResetDialog() {
  if (!I_Drawing()) return;
  int h = textLineWidth(assets.fontBold22, 77) / 2;
  int e = h + 30;
  drawSheetPatch(50, 585, 5, 5, 512 - e, 335, 2 * e, 115);
  drawSheetPatch(70, 585, 5, 5, 514 - e, 337, 2 * h + 56, 111);
  drawSheetPatch(0, 585, 5, 5, 516 - e, 339, 2 * h + 52, 107);
  drawTextLine(assets.fontBold22, al_map_rgb(200, 222, 222), 512, 350, ALLEGRO_ALIGN_CENTRE, 77);
  drawTextLine(assets.fontBold22, al_map_rgb(200, 222, 222), 512, 375, ALLEGRO_ALIGN_CENTRE, 83);
  drawTextLine(assets.fontBold22, al_map_rgb(255, 2, 2), 430, 410, ALLEGRO_ALIGN_CENTRE, 78);
  drawTextLine(assets.fontBold22, al_map_rgb(255, 2, 2), 590, 410, ALLEGRO_ALIGN_CENTRE, 79);
}

void runResetDialog() {
  ScreenScope scope;
  enterScreenTransition();
  for (;;) {
    // Escape must never confirm wiping all progress: it leaves like N.
    if (keyHeld(ALLEGRO_KEY_ESCAPE)) return;
    pollInput();
    drawResetDialog();
    if (int answer = resetAnswerAt(input.prevMouseX, input.prevMouseY)) input.hoverTarget = answer;
    if (keyHeld(ALLEGRO_KEY_N) || clicked(hoverResetNo)) return;
    if (keyHeld(ALLEGRO_KEY_T) || clicked(hoverResetYes)) {
      resetAllProgress();
      return levelFadeIn();
    }
    if (input.hoverTarget == hoverResetYes)
      drawTextLine(assets.fontBold22, al_map_rgb(222, 222, 222), 430, 410, ALLEGRO_ALIGN_CENTRE, 78);
    if (input.hoverTarget == hoverResetNo)
      drawTextLine(assets.fontBold22, al_map_rgb(222, 222, 222), 590, 410, ALLEGRO_ALIGN_CENTRE, 79);
    showScreenFrame();
    I_Rest(0.001);
  }
}

void runMainMenu(int& quitRequested) {
  ScreenScope scope;
  enterScreenTransition();
  for (;;) {
    if (keyHeld(ALLEGRO_KEY_ESCAPE)) return levelFadeIn();
    pollInput();
    if (game.unlockedLevel <= game.levelCount) drawMenuFrame();
    if (int item = menuItemAt(input.prevMouseX, input.prevMouseY)) input.hoverTarget = item;
    drawMenuItems(input.hoverTarget);
    switch (menuActionFor(enterHeld(), keyHeld(ALLEGRO_KEY_ESCAPE), input.hoverTarget, input.prevMouseButtons)) {
      case MenuAction::backToLevel: return levelFadeIn();
      case MenuAction::levelGrid: return runLevelGrid();
      case MenuAction::resetDialog: return runResetDialog();
      case MenuAction::about: return runAboutScreen();
      case MenuAction::quit:
        quitRequested = 1;
        return levelFadeIn();
      case MenuAction::stay: break;
    }
    showScreenFrame();
    I_Rest(0.001);
  }
}
