// Pictures the rules draw or animate themselves.
#pragma once

#include <allegro5/allegro.h>

// Replaces a region of one sprite sheet with a region of another or of the
// same sheet. Allegro cannot draw a bitmap onto itself, and drawing would
// blend a picture's transparent parts with the old one, so the pixels are
// copied as they are.
void copySheetRegion(ALLEGRO_BITMAP* from, int sx, int sy, int w, int h, ALLEGRO_BITMAP* to, int dx, int dy);

// Frame i (0..81) of the death sequence over the hazard with base code b and
// object code o, the player in picture row pose, onto the current target.
void drawDeathFrame(int i, int b, int o, int animFrame, int pose);

// The thrown player, first walk frame of picture row poseRow, lifted by g.
void drawJumpFrame(int poseRow, int g);
