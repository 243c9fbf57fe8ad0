#include "board/rules.h"

void advanceSlide(int&, int&, Dir&, int&, int&, double&, int) {}
