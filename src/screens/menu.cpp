#include "screens/screens.h"

void runMainMenu(int&) {}
void runLevelGrid() {}
void runResetDialog() {}
void drawResetDialog() {}
