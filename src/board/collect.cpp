#include "board/rules.h"

void collectEffects(int, Dir) {}
