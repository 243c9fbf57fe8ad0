#include "support/test_env.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <unistd.h>

#include "shell/game.h"
#include "shell/platform.h"

namespace fs = std::filesystem;

std::string builtMediaDir() { return MUGCELLAR_MEDIA_DIR; }

ScratchMedia::ScratchMedia() {
  oldCwd_ = fs::current_path().string();
  std::string pattern = (fs::temp_directory_path() / "mugcellar-test-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  dir_ = pattern;
  fs::create_directories(dir_ + "/media/samp");
  for (const auto& entry : fs::recursive_directory_iterator(builtMediaDir())) {
    if (!entry.is_regular_file()) continue;
    // What the game writes while it runs does not belong to a fresh install.
    std::string name = entry.path().filename().string();
    if (name == "data.txt" || name == "dataB.txt" || name == "dataC.txt" || name == "dataXX.txt" ||
        entry.path().extension() == ".tmp")
      continue;
    fs::path rel = fs::relative(entry.path(), builtMediaDir());
    fs::path target = fs::path(dir_) / "media" / rel;
    fs::create_directories(target.parent_path());
    std::string ext = entry.path().extension().string();
    if (ext == ".txt")
      fs::copy_file(entry.path(), target);
    else
      fs::create_symlink(entry.path(), target);
  }
  fs::copy_file(MUGCELLAR_PRISTINE_LEVELS, dir_ + "/media/data.txt");
  fs::current_path(dir_);
}

ScratchMedia::~ScratchMedia() {
  std::error_code ec;
  fs::current_path(oldCwd_, ec);
  fs::remove_all(dir_, ec);
}

std::string ScratchMedia::read(const std::string& name) const {
  std::ifstream in(path(name), std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

void ScratchMedia::write(const std::string& name, const std::string& bytes) const {
  std::ofstream out(path(name), std::ios::binary | std::ios::trunc);
  out << bytes;
}

bool ScratchMedia::exists(const std::string& name) const { return fs::exists(path(name)); }

void usePlatformForTests() {
  platform = Platform{};
  platform.drivenClock = true;
  platform.clockNow = 1000.0;
  platform.sleepForReal = false;
  platform.injectedInput = true;
  platform.recordSamples = true;
}

void startGame() {
  usePlatformForTests();
  game = GameState{0, 50, 0, 0, 0, 0, 0};
  startUp();
}

void stopGame() { shutDown(); }
