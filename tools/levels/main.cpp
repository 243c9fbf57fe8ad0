// The level tool: builds the stored level file from the level sources, and
// checks, solves and measures the levels.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "data/level_file.h"
#include "frame_replay.h"
#include "level_check.h"
#include "level_rules.h"
#include "level_source.h"
#include "solver.h"

namespace {

int usage() {
  std::fputs(
      "usage: levels build LEVEL_DIR OUT_FILE   encode the levels into the stored level file\n"
      "       levels check LEVEL_DIR            check every level's form\n"
      "       levels solve LEVEL_DIR [N|N-M] [--store]\n"
      "                                         search the levels: shortest solution with all mugs,\n"
      "                                         best points; --store writes the star solution\n"
      "       levels verify LEVEL_DIR           replay every stored solution\n"
      "       levels stats LEVEL_DIR            a table of the levels' figures\n",
      stderr);
  return 2;
}

bool loadAll(const std::string& dir, std::vector<LevelSource>& levels) {
  std::string error;
  if (readLevelSet(dir, levels, error)) return true;
  std::fprintf(stderr, "levels: %s\n", error.c_str());
  return false;
}

int build(const std::string& dir, const std::string& out) {
  std::vector<LevelSource> levels;
  if (!loadAll(dir, levels)) return 1;
  std::string bytes;
  for (const LevelSource& level : levels)
    for (const std::string& line : recordLines(level)) bytes += encodeLine(line) + "\r\n";
  std::ofstream file(out, std::ios::binary);
  file << bytes;
  if (!file) {
    std::fprintf(stderr, "levels: cannot write %s\n", out.c_str());
    return 1;
  }
  return 0;
}

bool checkOne(const LevelSource& level) {
  std::vector<std::string> problems = checkLevel(level);
  for (const std::string& p : problems) std::printf("level %d: %s\n", level.number, p.c_str());
  return problems.empty();
}

int check(const std::string& dir) {
  std::vector<LevelSource> levels;
  if (!loadAll(dir, levels)) return 1;
  int bad = 0;
  for (const LevelSource& level : levels) bad += !checkOne(level);
  std::printf("%d of %zu levels in good form\n", static_cast<int>(levels.size()) - bad, levels.size());
  return bad ? 1 : 0;
}

// What keeps a level from being shipped, as found by the search.
std::vector<std::string> solveFaults(const LevelSource& level, const SolveReport& r) {
  std::vector<std::string> faults;
  int threshold = thresholdOf(level.number);
  if (!r.shortest.found) faults.push_back("cannot be finished with all mugs");
  if (r.best.found && r.best.points < threshold) faults.push_back("the star cannot be won");
  if (r.shortest.found && r.shortest.points >= threshold) faults.push_back("the shortest finish already wins the star");
  if (r.bestPointsShort >= threshold) faults.push_back("the star can be won without all mugs");
  return faults;
}

double median(std::vector<int> v) {
  std::sort(v.begin(), v.end());
  size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2.0;
}

std::string joined(const std::vector<std::string>& names) {
  std::string out;
  for (const std::string& n : names) out += (out.empty() ? "" : ",") + n;
  return out.empty() ? "-" : out;
}

// What the whole set must show: difficulty rising from the first ten
// levels to the last ten, and every mechanic used often enough to learn it.
struct SetTally {
  std::vector<int> firstTen, lastTen;
  std::vector<int> mechanicLevels = std::vector<int>(mechanicCount);

  void add(const LevelSource& level, const SolveReport& r) {
    std::vector<std::string> mech = mechanicsOf(level);
    for (int i = 0; i < mechanicCount; ++i)
      mechanicLevels[i] += std::find(mech.begin(), mech.end(), mechanicNames[i]) != mech.end();
    if (level.number <= 10) firstTen.push_back(r.shortest.steps);
    if (level.number >= 41) lastTen.push_back(r.shortest.steps);
  }

  int report() const {
    int faults = 0;
    double m1 = median(firstTen), m5 = median(lastTen);
    std::printf("\nmedian shortest steps: levels 1..10 %.1f, levels 41..50 %.1f, ratio %.2f\n", m1, m5,
                m1 > 0 ? m5 / m1 : 0.0);
    std::printf("levels per mechanic:");
    for (int i = 0; i < mechanicCount; ++i) std::printf(" %s %d", mechanicNames[i], mechanicLevels[i]);
    std::printf("\n");
    if (m5 < 2.5 * m1) {
      std::printf("FAULT: the last ten levels are not 2.5 times as long as the first ten\n");
      ++faults;
    }
    for (int i = 0; i < mechanicCount; ++i)
      if (mechanicLevels[i] < 3) {
        std::printf("FAULT: %s appears in fewer than three levels\n", mechanicNames[i]);
        ++faults;
      }
    return faults;
  }
};

bool solveOne(const LevelSource& level, bool store, const std::string& dir, SetTally& tally);

bool parseRange(const std::string& text, int& first, int& last) {
  char dash = 0;
  std::istringstream in(text);
  if (!(in >> first)) return false;
  last = first;
  if (in >> dash && (dash != '-' || !(in >> last))) return false;
  return first >= 1 && last <= 50 && first <= last && in.eof();
}

int solve(const std::string& dir, const std::string& which, bool store) {
  std::vector<LevelSource> levels;
  if (!loadAll(dir, levels)) return 1;
  int first = 1, last = 50;
  if (!which.empty() && !parseRange(which, first, last)) {
    std::fprintf(stderr, "levels: '%s' is not a level number or range (1..50, e.g. 7 or 21-30)\n", which.c_str());
    return 2;
  }
  int bad = 0;
  SetTally tally;
  for (int n = first; n <= last; ++n) bad += !solveOne(levels[n - 1], store, dir, tally);
  if (first == 1 && last == 50) bad += tally.report();
  return bad ? 1 : 0;
}

bool storeSolution(const std::string& dir, int number, const std::string& moves) {
  char name[32];
  std::snprintf(name, sizeof name, "/%02d.txt", number);
  std::ifstream in(dir + name, std::ios::binary);
  std::string text, line, out;
  bool stored = false;
  while (std::getline(in, line)) {
    if (line.rfind("solution:", 0) == 0) {
      if (!stored) out += "solution: " + moves + "\n";
      stored = true;
      continue;
    }
    out += line + "\n";
    if (!stored && line.rfind("idea:", 0) == 0) {
      out += "solution: " + moves + "\n";
      stored = true;
    }
  }
  std::ofstream file(dir + name, std::ios::binary);
  file << out;
  return static_cast<bool>(file);
}

bool solveOne(const LevelSource& level, bool store, const std::string& dir, SetTally& tally) {
  if (!checkOne(level)) return false;
  SolveReport r = solveLevel(level);
  tally.add(level, r);
  int threshold = thresholdOf(level.number);
  std::printf("level %d \"%s\": %s%s, %zu positions\n", level.number, level.title.c_str(),
              r.timed ? "traps timed frame by frame" : "whole cells", r.complete ? "" : " (search cut short)",
              r.states);
  if (r.shortest.found) {
    std::printf("  all %d mugs: yes, shortest %d steps, %d pushes, %d waits, %d points: %s\n", r.shortest.mugs,
                r.shortest.steps, r.shortest.pushes, r.shortest.waits, r.shortest.points, r.shortest.moves.c_str());
    int mugs = mugsOfLevel(level.number), needed = (threshold - 50 + mugs - 1) / mugs;
    std::printf("  best %d points (%d free cells, the star needs %d, the shortest leaves %d), star at %d: %s\n",
                r.best.points, r.best.freeCells, needed, r.shortest.freeCells, threshold,
                r.best.points >= threshold ? "won" : "not won");
    if (r.star.found)
      std::printf("  star in %d steps, %d pushes, %d waits: %s\n", r.star.steps, r.star.pushes, r.star.waits,
                  r.star.moves.c_str());
  } else {
    std::printf("  all mugs: no (at most %d)\n", r.mostMugs);
  }
  std::vector<std::string> faults = solveFaults(level, r);
  for (const std::string& f : faults) std::printf("  FAULT: %s\n", f.c_str());
  if (store && r.star.found) {
    if (!storeSolution(dir, level.number, r.star.moves)) std::printf("  FAULT: cannot store the solution\n");
  }
  return faults.empty();
}

// The harness's timing may differ from the model's by a frame here and
// there; a solution must hold under all of these.
const ReplayTiming timings[] = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 5}, {2, 2, 11}};

std::string replayFault(const LevelSource& level, const std::string& moves, const ReplayTiming& timing,
                        Solution& end) {
  FrameReplay replay(startPosition(loadStart(level)), timing);
  for (size_t i = 0; i < moves.size(); ++i) {
    FrameReplay::Result r = replay.play(moves[i]);
    std::string where = "move " + std::to_string(i + 1) + " (" + moves[i] + ")";
    if (r == FrameReplay::Result::noStep) return where + ": no step starts";
    if (r == FrameReplay::Result::died) return where + ": the player dies";
    if (r == FrameReplay::Result::jumpLoop) return where + ": jump pads throw the player round for ever";
    if (r == FrameReplay::Result::finished) {
      if (i + 1 < moves.size()) return where + ": the level ends before the moves do";
      Board marked = replay.position().board;
      clearBeamMarks(marked);
      markBeams(marked);
      end.mugs = replay.position().mugs;
      end.freeCells = boardFreeCells(marked);
      end.points = boardPoints(marked, end.mugs);
      return "";
    }
  }
  return "the moves end before the exit door";
}

bool verifyOne(const LevelSource& level) {
  std::string moves, error;
  if (!parseMoves(level.solution, moves, error)) {
    std::printf("level %d: solution: %s\n", level.number, error.c_str());
    return false;
  }
  if (moves.empty()) {
    std::printf("level %d: no stored solution\n", level.number);
    return false;
  }
  int threshold = thresholdOf(level.number), mugs = mugsOfLevel(level.number);
  PlayResult model = playMoves(level, moves);
  bool ok = true;
  auto fail = [&](const std::string& text) {
    std::printf("level %d: %s\n", level.number, text.c_str());
    ok = false;
  };
  if (!model.fault.empty()) fail("in the model, " + model.fault);
  if (model.summary.mugs < mugs) fail("in the model, the solution takes " + std::to_string(model.summary.mugs) + " mugs");
  if (model.summary.points < threshold)
    fail("in the model, the solution scores " + std::to_string(model.summary.points) + " of " +
         std::to_string(threshold));
  for (const ReplayTiming& t : timings) {
    Solution end;
    std::string fault = replayFault(level, moves, t, end);
    std::string variant = "frame by frame (" + std::to_string(t.extraIdleFrames) + " idle, " +
                          std::to_string(t.extraWaitFrames) + " wait, " + std::to_string(t.startOffsetMs) + " ms), ";
    if (!fault.empty()) fail(variant + fault);
    else if (end.mugs < mugs || end.points < threshold || end.points != model.summary.points)
      fail(variant + "the finish scores " + std::to_string(end.points) + " with " + std::to_string(end.mugs) + " mugs");
  }
  if (ok)
    std::printf("level %d: %zu moves, %d mugs, %d points (star %d)\n", level.number, moves.size(), model.summary.mugs,
                model.summary.points, threshold);
  return ok;
}

int verify(const std::string& dir) {
  std::vector<LevelSource> levels;
  if (!loadAll(dir, levels)) return 1;
  int bad = 0;
  for (const LevelSource& level : levels) bad += !verifyOne(level);
  std::printf("%d of %zu stored solutions hold\n", static_cast<int>(levels.size()) - bad, levels.size());
  return bad ? 1 : 0;
}

int stats(const std::string& dir) {
  std::vector<LevelSource> levels;
  if (!loadAll(dir, levels)) return 1;
  SetTally tally;
  int bad = 0;
  std::printf("| level | steps | pushes | waits | positions | mechanics | best points | star at | shortest scores | "
              "star steps |\n");
  std::printf("|---|---|---|---|---|---|---|---|---|---|\n");
  for (const LevelSource& level : levels) {
    if (!checkLevel(level).empty()) {
      std::printf("| %d | not in good form |\n", level.number);
      ++bad;
      continue;
    }
    SolveReport r = solveLevel(level);
    bad += !solveFaults(level, r).empty();
    tally.add(level, r);
    std::printf("| %d | %d | %d | %d | %zu%s | %s | %d | %d | %d | %d |\n", level.number, r.shortest.steps,
                r.shortest.pushes, r.shortest.waits, r.states, r.complete ? "" : "+",
                joined(mechanicsOf(level)).c_str(), r.best.points, thresholdOf(level.number), r.shortest.points,
                r.star.steps);
    std::fflush(stdout);
  }
  bad += tally.report();
  return bad ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) return usage();
  const std::string& command = args[0];
  if (command == "build" && args.size() == 3) return build(args[1], args[2]);
  if (command == "check" && args.size() == 2) return check(args[1]);
  if (command == "verify" && args.size() == 2) return verify(args[1]);
  if (command == "stats" && args.size() == 2) return stats(args[1]);
  if (command == "solve" && args.size() >= 2 && args.size() <= 4) {
    bool store = std::find(args.begin() + 2, args.end(), "--store") != args.end();
    std::string which;
    for (size_t i = 2; i < args.size(); ++i)
      if (args[i] != "--store") which = args[i];
    if (args.size() == 4 && (!store || which.empty())) return usage();
    return solve(args[1], which, store);
  }
  return usage();
}
