#include "screens/screens.h"

const int starThreshold[51] = {1};
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
