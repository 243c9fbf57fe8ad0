// What tests need around the game: a scratch media directory, the game
// started on a real display with a clock the test drives.
#pragma once

#include <string>

// A scratch directory holding a media/ like the run directory's (pictures,
// fonts and sounds linked, data files copied); the working directory while
// it lives.
class ScratchMedia {
 public:
  ScratchMedia();
  ~ScratchMedia();
  ScratchMedia(const ScratchMedia&) = delete;
  ScratchMedia& operator=(const ScratchMedia&) = delete;

  const std::string& dir() const { return dir_; }
  std::string path(const std::string& name) const { return dir_ + "/media/" + name; }
  std::string read(const std::string& name) const;
  void write(const std::string& name, const std::string& bytes) const;
  bool exists(const std::string& name) const;

 private:
  std::string dir_;
  std::string oldCwd_;
};

// The run directory's media/, where the build put the real files.
std::string builtMediaDir();

// Platform for tests: driven clock starting at 1000 s, no real sleeps,
// injected input, samples recorded, frames shown.
void usePlatformForTests();

// startUp() on a real display inside the current scratch media, with the
// platform set for tests; stopGame() runs shutDown().
void startGame();
void stopGame();
