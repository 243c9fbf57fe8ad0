#include <gtest/gtest.h>

#include "shell/input.h"
#include "shell/platform.h"
#include "support/test_env.h"

TEST(HoverTargets, EveryBoundary) {
  struct Case {
    int x, y, target;
  } cases[] = {
      {659, 6, 101}, {658, 6, 0},   {659, 5, 0},   {659, 22, 0},  {745, 21, 101}, {746, 10, 0},
      {747, 6, 102}, {833, 21, 102}, {834, 10, 0}, {835, 6, 103}, {921, 21, 103}, {922, 21, 0},
      {69, 151, 1},  {147, 219, 1}, {148, 219, 0}, {68, 151, 0},  {69, 150, 0},   {69, 220, 0},
      {159, 151, 2}, {879, 599, 50}, {69, 331, 0}, {69, 351, 21}, {69, 350, 0},  {69, 241, 11},
      {69, 309, 11}, {69, 310, 0},  {879, 531, 50}, {958, 599, 0}, {69, 600, 0},  {0, 0, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(hoverTargetAt(c.x, c.y), c.target) << c.x << "," << c.y;
}

TEST(PollInput, MouseRunsOnePollBehindAndClicksNeedThePrimaryButtonAlone) {
  usePlatformForTests();
  input = InputSnapshot{};
  pollInput();  // the first poll copies the empty state
  EXPECT_EQ(input.prevMouseX, 0);
  platform.mouse.x = 700;
  platform.mouse.y = 10;
  platform.mouse.buttons = 1;
  pollInput();
  EXPECT_EQ(input.hoverTarget, 0);  // the pointer of the poll before
  EXPECT_FALSE(clicked(hoverHelpButton));
  platform.mouse.buttons = 3;
  pollInput();
  EXPECT_EQ(input.hoverTarget, hoverHelpButton);
  EXPECT_TRUE(clicked(hoverHelpButton));
  pollInput();
  EXPECT_EQ(input.prevMouseButtons, 3);
  EXPECT_FALSE(clicked(hoverHelpButton));  // both buttons: no click
  I_SetKey(ALLEGRO_KEY_F11, true);
  pollInput();
  EXPECT_TRUE(keyHeld(ALLEGRO_KEY_F11));
  I_SetKey(ALLEGRO_KEY_F11, false);
  pollInput();
  EXPECT_FALSE(keyHeld(ALLEGRO_KEY_F11));
}
