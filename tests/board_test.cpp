#include <gtest/gtest.h>

#include "board/board.h"
#include "support/board_text.h"

TEST(CellGeometry, CellOfAndCentreCellOf) {
  struct Case {
    int x, y;
    Cell cellOfExpected, centreExpected;
  } cases[] = {
      {-20, -20, {1, 1}, {0, 0}},
      {62, 62, {1, 1}, {1, 1}},
      {82, 144, {2, 2}, {1, 2}},
      {390, 226, {5, 3}, {5, 3}},
      {-99, -99, {0, 0}, {0, 0}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(cellOf(c.x, c.y), c.cellOfExpected) << c.x << "," << c.y;
    EXPECT_EQ(centreCellOf(c.x, c.y), c.centreExpected) << c.x << "," << c.y;
  }
  EXPECT_EQ(cellOrigin(5, 3), (Point{390, 226}));
  EXPECT_EQ(cellIndex(6, 3), 69);
}

TEST(CellGeometry, MovingRightAndLeftTurnsCellsWhereTheRulesExpect) {
  Point start = cellOrigin(5, 3);
  for (int p = 1; p <= 82; ++p) {
    EXPECT_EQ(cellOf(start.x + p, start.y).col, p < 20 ? 5 : 6) << "right p=" << p;
    EXPECT_EQ(cellOf(start.x - p, start.y).col, p < 63 ? 5 : 4) << "left p=" << p;
    EXPECT_EQ(centreCellOf(start.x + p, start.y).col, p < 61 ? 5 : 6) << "centre right p=" << p;
    EXPECT_EQ(centreCellOf(start.x - p, start.y).col, p < 22 ? 5 : 4) << "centre left p=" << p;
  }
  // From column 1 into column 0 the cell never turns.
  Point one = cellOrigin(1, 3);
  for (int p = 1; p <= 82; ++p) EXPECT_EQ(cellOf(one.x - p, one.y).col, 1);
}

TEST(BoardAccess, OutsideTheArraysReadsAsWallAndIsNeverWritten) {
  clearBoard();
  EXPECT_EQ(baseAt({-1, 3}), codeOutside);
  EXPECT_EQ(objectAt({14, 0}), codeOutside);
  EXPECT_EQ(baseAt({0, -1}), codeOutside);
  // Row -1 of column 2 is the storage row of column 1, inside the arrays.
  EXPECT_EQ(baseAt({2, -1}), 0);
  setBase({-1, 0}, 7);
  setObject({14, 5}, 7);
  for (int i = 0; i < layerSize; ++i) ASSERT_EQ(board.baseLayer[i] + board.objectLayer[i], 0);
}

TEST(BoardText, RoundTripsAPicture) {
  const char* picture =
      "#############\n"
      "E.-.b..s..m.#\n"
      "#@o_t~k6789g#\n"
      "#TrludABCD=x#\n"
      "#|..........G\n"
      "#############\n"
      "#############\n"
      "#############\n"
      "#############\n"
      "#FH##########\n";
  setBoardFromText(picture);
  EXPECT_EQ(boardToText(), picture);
  EXPECT_EQ(board.playerX, cellOrigin(1, 2).x);
  EXPECT_THROW(setBoardFromText("#?#"), std::invalid_argument);
}
