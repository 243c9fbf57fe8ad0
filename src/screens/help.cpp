#include "screens/screens.h"

void runHelpScreen() {}
