#include "frame_replay.h"

namespace {

constexpr long long startUs = 100'000'000;  // any time will do; traps count from it
constexpr long long frameRestUs = 1000;     // every frame of the main loop
constexpr long long stepRestUs = 4000;      // more in a frame inside a step
constexpr long long collectRestUs = 2000;   // a frame that draws a collect picture
constexpr long long jumpFrameUs = 4000;     // each of a jump's 164 frames
constexpr long long trapPeriodUs = 750000;
constexpr long long slideTickUs = 3000;
constexpr int idleGuard = 100000;           // frames; a jump pad loop never rests

}  // namespace

FrameReplay::FrameReplay(const Position& start, const ReplayTiming& timing)
    : b_(start.board),
      door_(start.door),
      doorKind_(start.doorKind),
      timing_(timing),
      emitters_(start.emitters),
      slideClock_(startUs - 1'000'000),
      trapClock_(startUs),
      now_(startUs + timing.startOffsetMs * 1000LL),
      startTime_(now_),
      mugs_(start.mugs) {
  Point p = cellOrigin(start.player.col, start.player.row);
  px_ = p.x;
  py_ = p.y;
}

FrameReplay::FrameReplay(const Position& at, int trapPhase, int msSinceTrapChange) : FrameReplay(at) {
  phase_ = trapPhase;
  trapClock_ = now_ - msSinceTrapChange * 1000LL;
}

Position FrameReplay::position() const {
  Position p;
  p.board = b_;
  p.player = cellOf(px_, py_);
  p.mugs = mugs_;
  p.door = door_;
  p.doorKind = doorKind_;
  p.finished = finished_;
  p.emitters = emitters_;
  return p;
}

void FrameReplay::handleKey(Dir d) {
  Cell here = cellOf(px_, py_), a = stepCell(here, d), beyond = stepCell(here, d, 2);
  if (baseOn(b_, a) <= 16) {
    moveDir_ = d;
    carrying_ = false;
  }
  int thing = objectOn(b_, a);
  if (thing == objSlider && slideActive_) {
    if (moveDir_ == d) moveDir_ = Dir::none;
    return;
  }
  if (moveDir_ != d || !isThing(thing)) return;
  if (isThing(objectOn(b_, beyond)) || baseOn(b_, beyond) > codeWater) {
    moveDir_ = Dir::none;
    carrying_ = false;
  } else if (isBox(thing)) {
    carriedCode_ = thing;
    setObjectOn(b_, a, objNone);
    carrying_ = true;
    pushed_ = true;
  } else if (thing == objSlider) {
    slideActive_ = true;
    slideDir_ = d;
    slideX_ = px_ + cellSize * dirDx(d);
    slideY_ = py_ + cellSize * dirDy(d);
    slideProgress_ = 0;
    setObjectOn(b_, a, objNone);
    pushed_ = true;
  }
}

void FrameReplay::advanceSlide() {
  if (!(now_ > slideClock_ + slideTickUs)) return;
  if (slideProgress_ == cellSize) slideProgress_ = 0;
  Cell at = cellOf(slideX_, slideY_);
  if (slideProgress_ == 0 && !slideFree(b_, stepCell(at, slideDir_))) {
    slideActive_ = false;
    setObjectOn(b_, at, objSlider);
    slideDir_ = Dir::none;
    slideClock_ = now_;
    return;
  }
  int dx = dirDx(slideDir_), dy = dirDy(slideDir_);
  slideX_ += dx, slideY_ += dy, ++slideProgress_;
  // While the player walks the slider gains a pixel every fifth.
  if (step_ > 0 && slideProgress_ % 5 == 0) slideX_ += dx, slideY_ += dy, ++slideProgress_;
  slideClock_ = now_;
  at = cellOf(slideX_, slideY_);
  if (baseOn(b_, at) == codeWater && slideProgress_ == cellSize) {
    setBaseOn(b_, at, codeFilledWater);
    setObjectOn(b_, at, objNone);
    slideProgress_ = 0;
    slideActive_ = false;
    slideDir_ = Dir::none;
  }
}

void FrameReplay::updateTraps() {
  if (!(now_ > trapClock_ + trapPeriodUs)) return;
  if (++phase_ > 8) phase_ = 0;
  for (int c = 0; c < boardCols; ++c)
    for (int r = 0; r < boardRows; ++r) {
      int& base = b_.baseLayer[cellIndex(c, r)];
      if (phase_ == 4 && base == codeTrapSafe) base = codeTrapDeadly;
      if (phase_ == 8 && base == codeTrapDeadly) base = codeTrapSafe;
    }
  trapClock_ = now_;
}

void FrameReplay::collect() {
  Cell here = cellOf(px_, py_);
  int base = baseOn(b_, here);
  if (base == codeMug || ((base == codeExitKey || base == codeCageKey) && step_ > 0)) {
    if (step_ == cellSize) setBaseOn(b_, here, codeFloor);
    now_ += collectRestUs;
    base = baseOn(b_, here);
  }
  int centre = baseOn(b_, centreCellOf(px_, py_));
  if ((base == codeCageKey || centre == codeCageKey) && step_ == 30) removeCages(b_);
}

void FrameReplay::jumpPad() {
  Cell here = cellOf(px_, py_);
  int base = baseOn(b_, here);
  if (!isJumpPad(base) || step_ != 0) return;
  Dir d = static_cast<Dir>(base - codePadRight + 1);
  if (objectOn(b_, stepCell(here, d, 2)) > 0) return;
  px_ += 2 * cellSize * dirDx(d);
  py_ += 2 * cellSize * dirDy(d);
  now_ += 2 * cellSize * jumpFrameUs;
  ++jumps_;
}

bool FrameReplay::frame(Dir key) {
  if (step_ == 0 && key != Dir::none) handleKey(key);
  if (moveDir_ != Dir::none) {
    px_ += dirDx(moveDir_), py_ += dirDy(moveDir_), ++step_;
  }
  if (carrying_ && step_ == 81) {
    Cell here = cellOf(px_, py_);
    setObjectOn(b_, here, objNone);
    setObjectOn(b_, stepCell(here, moveDir_), carriedCode_);
  }
  if (step_ == cellSize) {
    int base = baseOn(b_, cellOf(px_, py_));
    if (base == codeMug) ++mugs_;
    if (base == codeExitKey && doorKind_) setBaseOn(b_, door_, doorKind_ - 40);
  }
  if (slideActive_) advanceSlide();
  updateTraps();
  if (emitters_) {
    if (step_ == 0 && !carrying_) clearBeamMarks(b_);
    if (step_ == 0 || step_ > 80) markBeams(b_);
  }
  Cell here = cellOf(px_, py_);
  int base = baseOn(b_, here), thing = objectOn(b_, here);
  if ((step_ == cellSize && (isDeadlyFloor(base) || isBeamMark(thing))) || (step_ == 0 && base == codeTrapDeadly)) {
    dead_ = true;
    return false;
  }
  collect();
  jumpPad();
  if (isOpenDoor(baseOn(b_, cellOf(px_, py_))) || px_ <= 19 || py_ <= 19) finished_ = true;
  bool arrived = step_ == cellSize;
  if (arrived) {
    step_ = 0;
    moveDir_ = Dir::none;
    carrying_ = false;
  } else if (step_ > 0) {
    now_ += stepRestUs;
  }
  now_ += frameRestUs;
  return arrived;
}

FrameReplay::Result FrameReplay::idle() {
  for (int n = 0; n < idleGuard; ++n) {
    int x = px_, y = py_;
    frame(Dir::none);
    if (dead_) return Result::died;
    if (finished_) return Result::finished;
    if (jumps_ > 16) return Result::jumpLoop;
    if (x == px_ && y == py_ && !slideActive_) {
      for (int extra = 0; extra < timing_.extraIdleFrames; ++extra) {
        frame(Dir::none);
        if (dead_) return Result::died;
      }
      return Result::ok;
    }
  }
  return Result::jumpLoop;
}

FrameReplay::Result FrameReplay::press(Dir d) {
  pushed_ = false;
  jumps_ = 0;
  bool arrived = frame(d);
  if (dead_) return Result::died;
  if (step_ == 0 && !arrived) return Result::noStep;
  while (!arrived) {
    arrived = frame(Dir::none);
    if (dead_) return Result::died;
  }
  if (finished_) return Result::finished;
  return idle();
}

FrameReplay::Result FrameReplay::waitForTrapChange() {
  pushed_ = false;
  jumps_ = 0;
  int before = phase_;
  for (int n = 0; n < idleGuard && phase_ == before; ++n) {
    frame(Dir::none);
    if (dead_) return Result::died;
    if (finished_) return Result::finished;
  }
  for (int extra = 0; extra < timing_.extraWaitFrames; ++extra) {
    frame(Dir::none);
    if (dead_) return Result::died;
  }
  return Result::ok;
}

FrameReplay::Result FrameReplay::play(char move) {
  return move == waitMove ? waitForTrapChange() : press(dirOfMove(move));
}
