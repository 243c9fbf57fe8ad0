#include "screens/screens.h"

void runFinalScreen() {}
