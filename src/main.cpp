#include "shell/game.h"
#include "shell/main_loop.h"

int main(int, char** argv) {
  enterProgramDirectory(argv[0]);
  return runGame();
}
