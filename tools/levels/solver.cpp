#include "solver.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "frame_replay.h"

bool levelHasTraps(const LevelSource& level) {
  for (const auto& row : level.codes)
    for (int v : row)
      if (isTrap(v)) return true;
  return false;
}

namespace {

constexpr uint8_t goneSlider = 255;
// Positions of a trap level that differ only by a few milliseconds in the
// trap cycle count as one: a solution must not hang on a frame anyway.
constexpr int timeQuantumMs = 50;

// Counts what a finish scores: the board as the result screen sees it, with
// the beam marks rebuilt at rest.
void scoreFinish(const Position& end, Solution& s) {
  Board marked = end.board;
  clearBeamMarks(marked);
  markBeams(marked);
  s.mugs = end.mugs;
  s.freeCells = boardFreeCells(marked);
  s.points = boardPoints(marked, end.mugs);
}

void countMove(char move, bool pushed, Solution& s) {
  s.moves += move;
  if (move == waitMove) {
    ++s.waits;
  } else {
    ++s.steps;
    if (pushed) ++s.pushes;
  }
}

// A position as the search stores it: the player's cell, one bit for each
// cell whose base may change (collectibles, water, cages, the door), the
// cells of the boxes and of the sliders, and in trap levels the trap cycle.
class Search {
 public:
  explicit Search(const LevelSource& level)
      : level_(level), start_(loadStart(level)), timed_(levelHasTraps(level)) {
    template_ = start_.board;
    int boxes = 0;
    for (int i = 0; i < layerSize; ++i) {
      int base = template_.baseLayer[i], thing = template_.objectLayer[i];
      if (isBox(thing)) ++boxes;
      if (thing == objSlider) ++sliders_;
      if (isThing(thing)) template_.objectLayer[i] = objNone;
      bool door = i == cellIndex(start_.door.col, start_.door.row) && isClosedDoor(base);
      if (isCollectible(base) || base == codeWater || base == codeCage || door) dynamic_.push_back(i);
    }
    boxes_ = boxes;
    emitters_ = hasEmitters(template_);
    keyLength_ = 1 + 8 + boxes_ + sliders_ + (timed_ ? 2 : 0);
  }

  bool tooManyCells() const { return dynamic_.size() > 64; }

  SolveReport run(size_t maxStates) {
    SolveReport report;
    report.timed = timed_;
    Position start = startPosition(start_);
    std::vector<uint8_t> key = keyOf(start, 0, 0);
    insert(key.data(), UINT32_MAX, '?', 0);
    const std::string moves = timed_ ? "RLUD." : "RLUD";
    size_t next = 0;
    for (; next < count_ && count_ < maxStates; ++next) {
      int phase = 0, ms = timed_ ? exactMs_[next] : 0;
      Position here = positionOf(&arena_[next * keyLength_], phase);
      for (char move : moves) {
        Position after = here;
        int afterPhase = phase, afterMs = ms;
        int outcome = apply(after, move, afterPhase, afterMs);
        if (outcome == ignored) continue;
        if (outcome == finishedMove) {
          noteFinish(after, static_cast<uint32_t>(next), move, report);
          continue;
        }
        key = keyOf(after, afterPhase, afterMs);
        insert(key.data(), static_cast<uint32_t>(next), move, afterMs);
      }
    }
    report.complete = next >= count_;
    report.states = count_;
    if (bestFrom_ != UINT32_MAX) report.best = replay(pathTo(bestFrom_) + bestMove_);
    if (shortestFrom_ != UINT32_MAX) report.shortest = replay(pathTo(shortestFrom_) + shortestMove_);
    if (starFrom_ != UINT32_MAX) report.star = replay(pathTo(starFrom_) + starMove_);
    return report;
  }

 private:
  enum { ignored, movedOn, finishedMove };

  int apply(Position& p, char move, int& phase, int& ms) const {
    if (!timed_) {
      if (move == waitMove) return ignored;
      MoveReport r = applyMove(p, dirOfMove(move));
      if (r.outcome == Outcome::finished) return finishedMove;
      return r.outcome == Outcome::moved ? movedOn : ignored;
    }
    FrameReplay replay(p, phase, ms);
    FrameReplay::Result r = replay.play(move);
    p = replay.position();
    phase = replay.trapPhase();
    ms = replay.msSinceTrapChange();
    if (r == FrameReplay::Result::finished) return finishedMove;
    return r == FrameReplay::Result::ok ? movedOn : ignored;
  }

  void noteFinish(const Position& end, uint32_t from, char move, SolveReport& report) {
    Solution s;
    scoreFinish(end, s);
    if (s.mugs > report.mostMugs) report.mostMugs = s.mugs;
    if (s.mugs < mugsOfLevel(level_.number)) {
      if (s.points > report.bestPointsShort) report.bestPointsShort = s.points;
      return;
    }
    if (shortestFrom_ == UINT32_MAX) shortestFrom_ = from, shortestMove_ = move;
    if (starFrom_ == UINT32_MAX && s.points >= thresholdOf(level_.number)) starFrom_ = from, starMove_ = move;
    if (s.points > bestPoints_) bestPoints_ = s.points, bestFrom_ = from, bestMove_ = move;
  }

  std::vector<uint8_t> keyOf(const Position& p, int phase, int ms) const {
    std::vector<uint8_t> key(keyLength_, 0);
    key[0] = static_cast<uint8_t>(cellIndex(p.player.col, p.player.row));
    uint64_t bits = 0;
    for (size_t k = 0; k < dynamic_.size(); ++k)
      if (p.board.baseLayer[dynamic_[k]] != template_.baseLayer[dynamic_[k]]) bits |= uint64_t{1} << k;
    std::memcpy(&key[1], &bits, 8);
    int box = 9, slider = 9 + boxes_;
    for (int i = 0; i < layerSize; ++i) {
      int thing = p.board.objectLayer[i];
      if (isBox(thing)) key[box++] = static_cast<uint8_t>(i);
      if (thing == objSlider) key[slider++] = static_cast<uint8_t>(i);
    }
    while (slider < 9 + boxes_ + sliders_) key[slider++] = goneSlider;
    if (timed_) {
      key[keyLength_ - 2] = static_cast<uint8_t>(phase);
      key[keyLength_ - 1] = static_cast<uint8_t>(std::min(ms / timeQuantumMs, 255));
    }
    return key;
  }

  Position positionOf(const uint8_t* key, int& phase) const {
    Position p;
    p.board = template_;
    p.door = start_.door;
    p.doorKind = start_.doorKind;
    p.emitters = emitters_;
    p.player = {key[0] / layerRows, key[0] % layerRows};
    uint64_t bits;
    std::memcpy(&bits, key + 1, 8);
    for (size_t k = 0; k < dynamic_.size(); ++k) {
      int& base = p.board.baseLayer[dynamic_[k]];
      if (!(bits >> k & 1)) continue;
      if (base == codeMug) ++p.mugs;
      base = base == codeWater ? codeFilledWater : isClosedDoor(base) ? base - 40 : codeFloor;
    }
    for (int k = 0; k < boxes_; ++k) p.board.objectLayer[key[9 + k]] = objBox;
    for (int k = 0; k < sliders_; ++k)
      if (key[9 + boxes_ + k] != goneSlider) p.board.objectLayer[key[9 + boxes_ + k]] = objSlider;
    if (timed_) {
      phase = key[keyLength_ - 2];
      for (int i = 0; i < layerSize; ++i)
        if (isTrap(p.board.baseLayer[i])) p.board.baseLayer[i] = trapCodeInPhase(phase);
    }
    if (emitters_) markBeams(p.board);
    return p;
  }

  static uint64_t hashOf(const uint8_t* key, int length) {
    uint64_t h = 1469598103934665603ULL;
    for (int i = 0; i < length; ++i) h = (h ^ key[i]) * 1099511628211ULL;
    return h ^ (h >> 29);
  }

  void grow() {
    std::vector<uint32_t> old;
    old.swap(table_);
    table_.assign(old.empty() ? 1 << 16 : old.size() * 2, UINT32_MAX);
    for (uint32_t index : old)
      if (index != UINT32_MAX) place(index);
  }

  void place(uint32_t index) {
    size_t mask = table_.size() - 1, slot = hashOf(&arena_[index * keyLength_], keyLength_) & mask;
    while (table_[slot] != UINT32_MAX) slot = (slot + 1) & mask;
    table_[slot] = index;
  }

  void insert(const uint8_t* key, uint32_t parent, char move, int ms) {
    if (count_ * 2 >= table_.size()) grow();
    size_t mask = table_.size() - 1, slot = hashOf(key, keyLength_) & mask;
    while (table_[slot] != UINT32_MAX) {
      if (std::memcmp(&arena_[table_[slot] * size_t(keyLength_)], key, keyLength_) == 0) return;
      slot = (slot + 1) & mask;
    }
    arena_.insert(arena_.end(), key, key + keyLength_);
    parent_.push_back(parent);
    move_.push_back(move);
    if (timed_) exactMs_.push_back(static_cast<uint16_t>(ms));
    table_[slot] = static_cast<uint32_t>(count_++);
  }

  std::string pathTo(uint32_t index) const {
    std::string path;
    for (; parent_[index] != UINT32_MAX; index = parent_[index]) path += move_[index];
    return std::string(path.rbegin(), path.rend());
  }

  Solution replay(const std::string& moves) const {
    Solution s = playMoves(level_, moves).summary;
    s.found = true;
    return s;
  }

  const LevelSource& level_;
  LevelStart start_;
  bool timed_, emitters_ = false;
  Board template_;  // the start without things, for positions to be rebuilt on
  std::vector<int> dynamic_;
  int boxes_ = 0, sliders_ = 0, keyLength_ = 0;
  std::vector<uint8_t> arena_;
  std::vector<uint32_t> table_, parent_;
  std::vector<char> move_;
  std::vector<uint16_t> exactMs_;  // trap levels: the time each position was first reached at
  size_t count_ = 0;
  uint32_t shortestFrom_ = UINT32_MAX, bestFrom_ = UINT32_MAX, starFrom_ = UINT32_MAX;
  char shortestMove_ = 0, bestMove_ = 0, starMove_ = 0;
  int bestPoints_ = -1;
};

}  // namespace

SolveReport solveLevel(const LevelSource& level, size_t maxStates) {
  Search search(level);
  if (search.tooManyCells()) return {};
  return search.run(maxStates);
}

PlayResult playMoves(const LevelSource& level, const std::string& moves) {
  PlayResult result;
  Position p = startPosition(loadStart(level));
  bool timed = levelHasTraps(level);
  FrameReplay frames(p);
  for (size_t i = 0; i < moves.size(); ++i) {
    char move = moves[i];
    bool pushed = false, done = false;
    std::string fault;
    if (timed) {
      FrameReplay::Result r = frames.play(move);
      pushed = frames.pushed();
      p = frames.position();
      done = r == FrameReplay::Result::finished;
      if (r == FrameReplay::Result::noStep) fault = "no step starts";
      if (r == FrameReplay::Result::died) fault = "the player dies";
      if (r == FrameReplay::Result::jumpLoop) fault = "jump pads throw the player round for ever";
    } else if (move == waitMove) {
      fault = "a wait in a level without traps";
    } else {
      MoveReport r = applyMove(p, dirOfMove(move));
      pushed = r.pushed;
      done = r.outcome == Outcome::finished;
      if (r.outcome == Outcome::blocked) fault = "no step starts";
      if (r.outcome == Outcome::died) fault = "the player dies";
      if (r.outcome == Outcome::jumpLoop) fault = "jump pads throw the player round for ever";
    }
    if (!fault.empty()) {
      result.fault = "move " + std::to_string(i + 1) + " (" + move + "): " + fault;
      return result;
    }
    countMove(move, pushed, result.summary);
    if (done) {
      if (i + 1 < moves.size()) result.fault = "the level ends at move " + std::to_string(i + 1);
      result.finished = true;
      scoreFinish(p, result.summary);
      result.summary.found = true;
      return result;
    }
  }
  result.fault = "the moves end before the exit door";
  return result;
}
