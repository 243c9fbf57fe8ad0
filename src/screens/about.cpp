#include "screens/screens.h"

void runAboutScreen() {}
