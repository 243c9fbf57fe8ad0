// Plays every shipped level's stored solution through the main loop's own
// frames, headless, with the driven clock: the level must end through its
// door with every mug and no death.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "board/board.h"
#include "data/progress.h"
#include "level_source.h"
#include "screens/screens.h"
#include "shell/game.h"
#include "shell/level_run.h"
#include "shell/main_loop.h"
#include "shell/platform.h"
#include "support/test_env.h"

namespace {

// Bounds that turn a broken replay into a failure instead of a hang.
constexpr int maxStepFrames = 2 * cellSize;
constexpr int maxIdleFrames = 20000;     // a slider crossing the board at rest
constexpr int maxTrapWaitFrames = 5000;  // a trap phase lasts 0.75 s, at least 1 ms a frame
constexpr int maxEndFrames = 400;        // the level-end fade counts 81 frames

int arrowFor(char move) {
  switch (move) {
    case 'R': return ALLEGRO_KEY_RIGHT;
    case 'L': return ALLEGRO_KEY_LEFT;
    case 'U': return ALLEGRO_KEY_UP;
    case 'D': return ALLEGRO_KEY_DOWN;
    default: return -1;
  }
}

int mugsOnBoard(const LevelSource& level) {
  int n = 0;
  for (const auto& row : level.codes)
    for (int v : row) n += v == codeMug;
  return n;
}

bool inLevelEndFade() {
  return isOpenDoor(baseAt(cellOf(board.playerX, board.playerY))) || board.playerX <= 19 || board.playerY <= 19;
}

class Replay {
 public:
  explicit Replay(int level) : level_(level) {
    game.currentLevel = level;
    game.levelLoaded = 0;
    initLevelRun(run_);
  }

  // The frame in which the result screen ran has passed: the level asked to
  // be loaded again with the level-end fade past its end.
  bool finished() const { return game.levelLoaded == 0 && run_.fadeCounter > 80 && run_.restartFade == 0; }
  bool died() const { return died_; }
  int mugs() const { return mugs_; }
  long frames() const { return frames_; }

  // One frame of the main loop. Enter is held through the level-end fade so
  // that the result screen leaves on its first frame.
  void frame() {
    I_SetKey(ALLEGRO_KEY_ENTER, inLevelEndFade());
    runFrame(run_);
    ++frames_;
    died_ = died_ || run_.restartFade == 1;
    if (run_.attemptMugs > mugs_) mugs_ = run_.attemptMugs;
  }

  ::testing::AssertionResult move(char letter, size_t index) {
    std::string where = std::string("move ") + std::to_string(index) + " '" + letter + "'";
    if (letter == waitMove) return waitForTrapPhase(where);
    int key = arrowFor(letter);
    if (key < 0) return ::testing::AssertionFailure() << where << ": not a move";
    // Held until the step starts: in the frame after the key goes down,
    // except for the very first frame, which loads the level with the
    // player's clock just set, so the player cannot tick yet.
    I_SetKey(key, true);
    frame();
    if (run_.stepProgress == 0 && frames_ == 1) frame();
    I_SetKey(key, false);
    if (run_.stepProgress == 0) return ::testing::AssertionFailure() << where << ": no step started";
    // The step ends in the frame of arrival, which sets the count back to 0.
    for (int n = 0; run_.stepProgress > 0 && !finished(); ++n) {
      if (n == maxStepFrames) return ::testing::AssertionFailure() << where << ": the step never arrives";
      frame();
    }
    return settle(where);
  }

  // Frames with no key until the player stays put for a frame and no slider
  // moves; a jump pad throws the player in the first of them.
  ::testing::AssertionResult settle(const std::string& where) {
    for (int n = 0; !finished(); ++n) {
      if (n == maxIdleFrames) return ::testing::AssertionFailure() << where << ": the board never comes to rest";
      Point before{board.playerX, board.playerY};
      frame();
      if (before == Point{board.playerX, board.playerY} && run_.slideActive == 0) break;
    }
    return died_ ? ::testing::AssertionFailure() << where << ": the player died" : ::testing::AssertionSuccess();
  }

  ::testing::AssertionResult waitForTrapPhase(const std::string& where) {
    int phase = run_.trapPhase;
    for (int n = 0; run_.trapPhase == phase && !finished(); ++n) {
      if (n == maxTrapWaitFrames) return ::testing::AssertionFailure() << where << ": the trap phase never changes";
      frame();
    }
    return died_ ? ::testing::AssertionFailure() << where << ": the player died" : ::testing::AssertionSuccess();
  }

  ::testing::AssertionResult finish() {
    for (int n = 0; !finished(); ++n) {
      if (n == maxEndFrames || died_)
        return ::testing::AssertionFailure() << "the level does not end (player at " << board.playerX << ", "
                                             << board.playerY << ", fade " << run_.fadeCounter << ")";
      frame();
    }
    return ::testing::AssertionSuccess();
  }

 private:
  int level_;
  LevelRun run_{};
  int mugs_ = 0;
  bool died_ = false;
  long frames_ = 0;
};

class ShippedLevel : public ::testing::TestWithParam<int> {};

TEST_P(ShippedLevel, SolutionEndsThroughTheDoorWithEveryMug) {
  const int n = GetParam();
  char path[64];
  std::snprintf(path, sizeof path, "/levels/%02d.txt", n);
  LevelSource level;
  std::string error;
  ASSERT_TRUE(readLevelSource(std::string(MUGCELLAR_SOURCE_DIR) + path, level, error)) << error;
  std::string moves;
  ASSERT_TRUE(parseMoves(level.solution, moves, error)) << "level " << n << ": " << error;
  if (moves.empty()) GTEST_SKIP() << "level " << n << " has no stored solution yet";

  auto started = std::chrono::steady_clock::now();
  ScratchMedia media;
  startGame();
  platform.drawing = false;
  Replay replay(n);
  size_t i = 0;
  for (; i < moves.size() && !replay.finished(); ++i) {
    ::testing::AssertionResult moved = replay.move(moves[i], i);
    if (!moved) {
      ADD_FAILURE() << "level " << n << ": " << moved.message();
      break;
    }
  }
  if (replay.finished() && i < moves.size()) ADD_FAILURE() << "level " << n << " ended before move " << i;
  if (!HasFailure()) {
    EXPECT_TRUE(replay.finish()) << "level " << n;
  }
  EXPECT_FALSE(replay.died()) << "level " << n;
  if (replay.finished()) {
    int mugs = mugsOnBoard(level);
    // cellOf never reaches column 0 or row 0; the cell the player stands in
    // at rest is its centre cell.
    EXPECT_TRUE(isOpenDoor(baseAt(centreCellOf(board.playerX, board.playerY)))) << "level " << n << " ends off its door";
    EXPECT_EQ(replay.mugs(), mugs) << "level " << n;
    EXPECT_EQ(progress.bestMugs[n], mugs) << "level " << n << ": the result screen's record";
    EXPECT_GE(pointsTarget(mugs), starThreshold[n]) << "level " << n << ": the star is not won";
  }
  stopGame();
  auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started);
  std::printf("level %02d: %ld frames, %lld ms\n", n, replay.frames(), static_cast<long long>(ms.count()));
}

std::string levelName(const ::testing::TestParamInfo<int>& param) {
  char name[16];
  std::snprintf(name, sizeof name, "level%02d", param.param);
  return name;
}

INSTANTIATE_TEST_SUITE_P(replay, ShippedLevel, ::testing::Range(1, 51), levelName);

}  // namespace
