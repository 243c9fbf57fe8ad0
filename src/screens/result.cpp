#include "screens/screens.h"

const int starThreshold[51] = {
    1,                                                    // entry 0 is never used
    152, 143, 134, 143, 149, 164, 167, 146, 164, 152,    // levels 1..10
    179, 164, 176, 176, 170, 161, 170, 152, 149, 158,    // 11..20
    305, 345, 250, 355, 355, 330, 360, 395, 355, 345,    // 21..30
    335, 370, 340, 350, 365, 370, 430, 330, 320, 340,    // 31..40
    325, 410, 350, 315, 335, 345, 340, 375, 355, 345,    // 41..50
};
void runResultScreen(int& attemptMugs) { attemptMugs = 0; }
#include "board/board.h"

int freeCells() {
  int n = 0;
  for (int c = 0; c < boardCols; ++c)
    for (int r = 0; r < boardRows; ++r) {
      int i = cellIndex(c, r);
      if ((board.baseLayer[i] == codeFloor || board.baseLayer[i] == codeFilledWater) && board.objectLayer[i] == 0) ++n;
    }
  return n;
}

int pointsTarget(int attemptMugs) { return freeCells() * attemptMugs + 50; }
