// Boards as pictures in tests. One character per cell, rows top to bottom,
// starting at cell (0, 0); cells the text leaves out are walls.
//
//   .  floor          o  pit            _  filled water   t  safe trap
//   ~  water          k  exit key       m  mug            T  deadly trap
//   g  cage key       r l u d  jump pads (right, left, up, down)
//   6 7 8 9  open doors (up, down, right, left)   A B C D  closed doors
//   #  wall (21)      =  code 20        x  cage alone (44)
//   b  box            B  caged box (18 on a cage)       s  slider
//   -  horizontal beam mark on floor    |  vertical beam mark on floor
//   E F G H  emitters firing right, down, left, up (50..53)
//   @  the player at rest on floor
#pragma once

#include <string>

// Fills the board (and the player's position when '@' is given). Throws
// std::invalid_argument on an unknown character.
void setBoardFromText(const std::string& text);

// The board as text, 10 rows of 13 characters; the player as '@' when at rest
// in a cell. Cells with no character of their own show as '?'.
std::string boardToText(bool showPlayer = true);
