// The game's own texts in the game's own fonts fit the places the screens
// give them: inside their panels and clear of their neighbours.
#include <gtest/gtest.h>

#include <allegro5/allegro_font.h>

#include <initializer_list>

#include "data/text_table.h"
#include "shell/game.h"
#include "support/screen_driver.h"

namespace {

struct Span {
  int left, right;
};

// Where a text line lands: x is its left end, or its centre when centred.
Span spanOf(const ALLEGRO_FONT* font, int line, int x, bool centred, std::initializer_list<int> args = {}) {
  int w = al_get_text_width(font, formatTextLine(textLine(line), args).c_str());
  return centred ? Span{x - w / 2, x + w - w / 2} : Span{x, x + w};
}

}  // namespace

class ScreenLayout : public ScreenTest {};

TEST_F(ScreenLayout, EveryTextFitsItsPanel) {
  const ALLEGRO_FONT *b22 = assets.fontBold22, *b30 = assets.fontBold30, *b40 = assets.fontBold40,
                     *r20 = assets.fontRegular20;
  struct Case {
    const char* where;
    const ALLEGRO_FONT* font;
    int line, x;
    bool centred;
    std::initializer_list<int> args;
    int left, right;  // the room it has
  } cases[] = {
      {"menu title", b22, 4, 515, true, {}, 334, 692},
      {"menu item 0", b22, 5, 512, true, {}, 378, 648},
      {"menu item 1", b22, 6, 512, true, {}, 378, 648},
      {"menu item 2", b22, 7, 512, true, {}, 378, 648},
      {"menu item 3", b22, 8, 512, true, {}, 378, 648},
      {"menu item 4", b22, 9, 512, true, {}, 378, 648},
      {"grid title", b22, 6, 512, true, {}, 50, 972},
      {"grid back label", r20, 5, 512, true, {}, 50, 972},
      {"full-set banner strip", b40, 10, 202, true, {}, 2, 402},
      {"continue label", r20, 13, 512, true, {}, 172, 852},
      {"clock box caption", r20, 70, 757, true, {}, 702, 814},
      {"next level verdict", b30, 76, 512, true, {50}, 172, 852},
      {"summary heading", b40, 81, 512, true, {}, 197, 827},
      {"summary mugs, all", b22, 72, 512, true, {}, 197, 827},
      {"summary mugs", b22, 73, 512, true, {209, 1}, 197, 827},
      {"summary stars", b22, 75, 512, true, {50}, 197, 827},
      {"summary thanks", b30, 82, 512, true, {}, 197, 827},
      {"summary last line", b22, 30, 540, true, {}, 197, 827},
      {"all-stars heading", b40, 71, 520, true, {}, 100, 920},
      {"all-stars mugs", b30, 72, 520, true, {}, 100, 920},
      {"all-stars round", b30, 74, 520, true, {}, 100, 920},
      {"help title", b30, 46, 512, true, {}, 214, 810},
      {"help back label", r20, 5, 512, true, {}, 214, 810},
      {"about title", b30, 14, 512, true, {}, 114, 910},
      {"about back label", r20, 5, 512, true, {}, 114, 910},
      {"about closing heading", r20, 31, 150, false, {}, 114, 910},
      {"about closing line", r20, 32, 150, false, {}, 114, 910},
      {"about column heading", r20, 40, 530, false, {}, 512, 910},
      {"about column line", r20, 41, 530, false, {}, 512, 910},
  };
  for (const Case& c : cases) {
    Span s = spanOf(c.font, c.line, c.x, c.centred, c.args);
    EXPECT_GE(s.left, c.left) << c.where << ": " << textLine(c.line);
    EXPECT_LE(s.right, c.right) << c.where << ": " << textLine(c.line);
  }
  for (int line = 15; line <= 22; ++line) EXPECT_LE(spanOf(r20, line, 150, false).right, 910) << textLine(line);
  for (int line = 23; line <= 30; ++line) EXPECT_LT(spanOf(r20, line, 150, false).right, 275) << textLine(line);
  // Beside the rule and the legend; the last row stands below them.
  for (int line = 33; line <= 38; ++line) EXPECT_LT(spanOf(r20, line, 280, false).right, 505) << textLine(line);
  EXPECT_LE(spanOf(r20, 39, 280, false).right, 910) << textLine(39);
  for (int line = 42; line <= 45; ++line) EXPECT_LE(spanOf(r20, line, 580, false).right, 910) << textLine(line);
}

TEST_F(ScreenLayout, HelpNamesClearTheirDescriptions) {
  struct Entry {
    int nameLine, nameX, descriptionX, lines;
  } entries[] = {{47, 310, 430, 2}, {50, 310, 415, 2}, {53, 310, 370, 1}, {55, 360, 450, 2},
                 {58, 310, 415, 2}, {61, 365, 430, 2}, {64, 475, 645, 2}, {67, 475, 560, 2}};
  for (const Entry& e : entries) {
    EXPECT_LT(spanOf(assets.fontBold22, e.nameLine, e.nameX, false).right, e.descriptionX) << textLine(e.nameLine);
    EXPECT_LE(spanOf(assets.fontRegular20, e.nameLine + 1, e.descriptionX, false).right, 810) << textLine(e.nameLine + 1);
    if (e.lines == 2) {
      EXPECT_LE(spanOf(assets.fontRegular20, e.nameLine + 2, e.nameX, false).right, 810) << textLine(e.nameLine + 2);
    }
  }
}

TEST_F(ScreenLayout, ResetDialogHoldsItsQuestionAndAnswers) {
  // The panel's width follows the question's first line.
  int h = al_get_text_width(assets.fontBold22, textLine(77).c_str()) / 2;
  Span panel{516 - (h + 30), 516 - (h + 30) + 2 * h + 52};
  Span second = spanOf(assets.fontBold22, 83, 512, true);
  EXPECT_GE(second.left, panel.left) << textLine(83);
  EXPECT_LE(second.right, panel.right) << textLine(83);
  Span yes = spanOf(assets.fontBold22, 78, 430, true), no = spanOf(assets.fontBold22, 79, 590, true);
  EXPECT_GE(yes.left, panel.left);
  EXPECT_LE(no.right, panel.right);
  // Each answer's hover box (58 wide) lies on its word.
  EXPECT_LE(yes.left, 459);
  EXPECT_GE(yes.right, 401);
  EXPECT_LE(no.left, 629);
  EXPECT_GE(no.right, 571);
}
