// Playing a move string frame by frame, the way the replay harness drives
// the game: a clock that only the game's own sleeps advance, the player's
// 82 pixels per step, sliders pixel by pixel, the trap cycle, beams rebuilt
// at rest and at pixels 81 and 82, jump pads in the first idle frame.
#pragma once

#include "cell_model.h"

// Shifts of the harness's timing that a sound solution must survive.
struct ReplayTiming {
  int extraIdleFrames = 0;  // more frames with no key after each step
  int extraWaitFrames = 0;  // more frames after the trap phase has changed in a wait
  int startOffsetMs = 0;    // time between the level's start and the first press
};

class FrameReplay {
 public:
  enum class Result { ok, noStep, died, finished, jumpLoop };

  // From the level's start: trap phase 0, its clock at the start time.
  explicit FrameReplay(const Position& start, const ReplayTiming& timing = {});
  // From a position at rest in the middle of the trap cycle.
  FrameReplay(const Position& at, int trapPhase, int msSinceTrapChange);

  Result press(Dir d);
  Result waitForTrapChange();
  Result play(char move);

  // The board at rest (beam marks as they are at rest).
  Position position() const;
  int trapPhase() const { return phase_; }
  int msSinceTrapChange() const { return static_cast<int>((now_ - trapClock_) / 1000); }
  long long elapsedUs() const { return now_ - startTime_; }
  bool pushed() const { return pushed_; }
  int jumps() const { return jumps_; }

 private:
  bool frame(Dir key);  // true in the frame of arrival
  void handleKey(Dir d);
  void advanceSlide();
  void updateTraps();
  void collect();
  void jumpPad();
  Result idle();

  Board b_;
  Cell door_;
  int doorKind_;
  ReplayTiming timing_;
  bool emitters_;
  int px_, py_;
  int step_ = 0;
  Dir moveDir_ = Dir::none;
  bool carrying_ = false;
  int carriedCode_ = 0;
  bool slideActive_ = false;
  Dir slideDir_ = Dir::none;
  int slideX_ = 0, slideY_ = 0, slideProgress_ = 0;
  long long slideClock_;
  int phase_ = 0;
  long long trapClock_;
  long long now_;        // microseconds
  long long startTime_;
  int mugs_;
  bool dead_ = false, finished_ = false, pushed_ = false;
  int jumps_ = 0;
};
