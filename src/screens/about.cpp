#include "data/text_table.h"
#include "draw/screen_surface.h"
#include "screens/screen_kit.h"
#include "screens/screens.h"
#include "shell/game.h"

namespace {

// The one text of the page that is not in the text table.
constexpr const char* creditLine = "Autorzy: zespół Mug Cellar";

// Rows stand 25 apart, with an extra 15 before each heading row (8 and 16).
int rowY(int row) { return 130 + 25 * row + (row >= 8 ? 15 : 0) + (row >= 16 ? 15 : 0); }

void drawBody() {
  ALLEGRO_COLOR plain = al_map_rgb(222, 222, 222), heading = al_map_rgb(222, 222, 22);
  for (int row = 0; row < 18; ++row) {
    ALLEGRO_COLOR colour = row == 8 || row == 16 ? heading : plain;
    drawTextLine(assets.fontRegular20, colour, 150, rowY(row), 0, 15 + row);
    if (row >= 9 && row <= 15) drawTextLine(assets.fontRegular20, colour, 280, rowY(row), 0, 24 + row);
  }
  drawTextLine(assets.fontRegular20, heading, 530, rowY(8), 0, 40);
  drawTextLine(assets.fontRegular20, plain, 530, rowY(9), 0, 41);
}

void drawLegend() {
  for (int i = 0; i < 4; ++i) {
    drawSheetPatch(40 * i, 660, 39, 22, 530, 397 + 30 * i, 36, 22);
    drawTextLine(assets.fontRegular20, al_map_rgb(222, 222, 222), 580, 395 + 30 * i, 0, 42 + i);
  }
  drawSheetPatch(1, 1, 2, 2, 510, 345, 2, 170);
}

// Composed over the darkened level that the main menu's transition left in canvasB.
void composeAboutPage() {
  al_set_target_bitmap(assets.canvasB);
  drawSheetPatch(0, 590, 3, 3, 109, 77, 806, 626);
  drawSheetPatch(290, 120, 5, 5, 112, 80, 800, 620);
  drawSheetPatch(0, 585, 5, 5, 114, 82, 796, 616);
  drawTextLine(assets.fontBold30, al_map_rgb(22, 222, 222), 512, 90, ALLEGRO_ALIGN_CENTRE, 14);
  drawBody();
  drawLegend();
  al_draw_text(assets.fontRegular20, al_map_rgb(120, 180, 180), 150, 610, 0, creditLine);
  drawTextLine(assets.fontRegular20, al_map_rgb(180, 180, 180), 512, 650, ALLEGRO_ALIGN_CENTRE, 5);
  targetScreen();
}

}  // namespace

void runAboutScreen() {
  ScreenScope scope;
  if (I_Drawing()) composeAboutPage();
  runComposedPage(30, 0.01, 650);
}
