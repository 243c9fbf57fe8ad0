#include "data/text_table.h"
#include "draw/draw.h"
#include "draw/screen_surface.h"
#include "screens/screen_kit.h"
#include "screens/screens.h"
#include "shell/game.h"

namespace {

// One entry of the page: tile pictures in a row from x = 250, 55 apart; the
// name, the first description line beside it and the second one below.
struct HelpEntry {
  int top;            // y of the pictures
  int codes[4];       // tile codes shown, 0 ends the list early
  int nameLine;       // the name; its description lines follow it
  int nameX;
  int descriptionX;   // x of the first description line
  int lines;          // description lines: 1 or 2
};

constexpr HelpEntry entries[] = {
    {130, {10}, 47, 310, 430, 2},               // mug
    {195, {12}, 50, 310, 415, 2},               // cage key
    {260, {5}, 53, 310, 370, 1},                // exit key
    {325, {17, 18}, 55, 360, 450, 2},           // box, caged box
    {390, {19}, 58, 310, 415, 2},               // slider
    {455, {54, 55}, 61, 365, 430, 2},           // beams
    {520, {1, 11, 4, 54}, 64, 475, 645, 2},     // pit, deadly trap, water, beam
    {585, {13, 14, 15, 16}, 67, 475, 560, 2},   // jump pads
};

void drawEntry(const HelpEntry& e) {
  for (int i = 0; i < 4 && (i == 0 || e.codes[i] != 0); ++i) {
    int v = e.codes[i];
    drawSheetPatch(83 * (v % 10), 83 * (v / 10), 82, 82, 250 + 55 * i, e.top, 50, 50);
  }
  drawTextLine(assets.fontBold22, al_map_rgb(222, 222, 22), e.nameX, e.top + 3, 0, e.nameLine);
  ALLEGRO_COLOR grey = al_map_rgb(200, 200, 200);
  drawTextLine(assets.fontRegular20, grey, e.descriptionX, e.top + 5, 0, e.nameLine + 1);
  if (e.lines == 2) drawTextLine(assets.fontRegular20, grey, e.nameX, e.top + 25, 0, e.nameLine + 2);
}

void composeHelpPage() {
  al_set_target_bitmap(assets.canvasB);
  drawSheetPatch(120, 60, 3, 3, 209, 47, 606, 686);
  drawSheetPatch(290, 120, 5, 5, 212, 50, 600, 680);
  drawSheetPatch(5, 585, 5, 5, 214, 52, 596, 676);
  drawTextLine(assets.fontBold30, al_map_rgb(222, 222, 222), 512, 70, ALLEGRO_ALIGN_CENTRE, 46);
  for (const HelpEntry& e : entries) drawEntry(e);
  drawTextLine(assets.fontRegular20, al_map_rgb(200, 200, 200), 512, 680, ALLEGRO_ALIGN_CENTRE, 5);
  targetScreen();
}

}  // namespace

void runHelpScreen() {
  ScreenScope scope;
  enterScreenTransition();
  if (I_Drawing()) composeHelpPage();
  runComposedPage(33, 0.005, 680);
}
