#include "shell/game.h"

#include <allegro5/allegro_acodec.h>
#include <allegro5/allegro_image.h>
#include <allegro5/allegro_primitives.h>
#include <allegro5/allegro_ttf.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <unistd.h>

#include "data/files.h"
#include "data/level_file.h"
#include "data/progress.h"
#include "data/text_table.h"

Assets assets{};
GameState game{0, 50, 0, 0, 0, 0, 0};

namespace {

// Every file start-up loads. Pictures and fonts are required: without one the
// game cannot draw and says so. Samples are optional: a missing one is silence.
struct PictureEntry {
  ALLEGRO_BITMAP* Assets::*slot;
  const char* path;
  bool magentaToAlpha;
};

constexpr PictureEntry pictures[] = {
    {&Assets::atlas, "media/graf1.png", true},
    {&Assets::imageGs, "media/gs.png", true},
    {&Assets::imageGe, "media/ge.png", false},
    {&Assets::imagePijak, "media/pijak.jpg", false},
    {&Assets::imagePromienie, "media/promienie.png", false},
};

struct FontEntry {
  ALLEGRO_FONT* Assets::*slot;
  const char* path;
  int size;
};

constexpr FontEntry fonts[] = {
    {&Assets::fontBold22, "media/arialbd.ttf", 22},
    {&Assets::fontBold30, "media/arialbd.ttf", 30},
    {&Assets::fontBold40, "media/arialbd.ttf", 40},
    {&Assets::fontRegular20, "media/arial.ttf", 20},
};

constexpr const char* samplePaths[sfxCount] = {
    "media/samp/s0.wav",  "media/samp/s1.wav",  "media/samp/s2.wav",
    "media/samp/s3.wav",  "media/samp/s4.wav",  "media/samp/s5.wav",
    "media/samp/s6.wav",  "media/samp/s7.wav",  "media/samp/s8.wav",
    "media/samp/s9.wav",  "media/samp/Jeszcze po kropelce.ogg",
    "media/samp/s11.wav", "media/samp/s12.wav", "media/samp/s13.wav",
};

ALLEGRO_BITMAP* makeCanvas(int w, int h) {
  ALLEGRO_BITMAP* bitmap = al_create_bitmap(w, h);
  if (!bitmap) I_Error("cannot create a %d x %d off-screen picture", w, h);
  return bitmap;
}

void createDisplay() {
  al_set_new_display_option(ALLEGRO_VSYNC, 2, ALLEGRO_SUGGEST);  // never wait for the retrace
  al_set_new_window_title("Mug Cellar");
  if (game.displayMode == 0) {
    al_set_new_display_flags(ALLEGRO_WINDOWED);
    assets.display = al_create_display(1024, 768);
    if (!assets.display) I_Error("cannot open a 1024 x 768 window");
    return;
  }
  // A screen that cannot switch to 1024 x 768 still gets a full-screen
  // window, or else a window again.
  for (int flags : {ALLEGRO_FULLSCREEN, ALLEGRO_FULLSCREEN_WINDOW, ALLEGRO_WINDOWED}) {
    al_set_new_display_flags(flags);
    assets.display = al_create_display(1024, 768);
    if (assets.display) return;
  }
  I_Error("cannot open a 1024 x 768 display");
}

void loadPictures() {
  for (const PictureEntry& p : pictures) {
    ALLEGRO_BITMAP* bitmap = al_load_bitmap(p.path);
    if (!bitmap) I_Error("cannot load the picture %s", p.path);
    assets.*p.slot = bitmap;
  }
  if (al_get_bitmap_width(assets.atlas) < 830 || al_get_bitmap_height(assets.atlas) < 995)
    I_Error("the picture media/graf1.png is smaller than 830 x 995");
  al_convert_mask_to_alpha(assets.atlas, al_map_rgb(255, 0, 255));
  al_convert_mask_to_alpha(assets.imageGs, al_map_rgb(255, 0, 255));
  assets.canvasA = makeCanvas(1024, 768);
  assets.canvasB = makeCanvas(1024, 768);
  assets.canvasSnapshot = makeCanvas(1024, 768);
  assets.cellCanvas = makeCanvas(60, 60);
}

void loadFonts() {
  for (const FontEntry& f : fonts) {
    ALLEGRO_FONT* font = al_load_ttf_font(f.path, f.size, 0);
    if (!font) I_Error("cannot load the font %s", f.path);
    assets.*f.slot = font;
  }
}

void loadSamples() {
  if (!assets.audio) return;
  for (int i = 0; i < sfxCount; ++i)
    if (!assets.sounds[i]) assets.sounds[i] = al_load_sample(samplePaths[i]);
}

// A save killed half-way leaves its temporary file beside the whole old one.
void removeLeftoverTempFiles() {
  for (const char* path : {mediaPath::storedLevels, mediaPath::plainLevels, mediaPath::bestMugs, mediaPath::stars})
    std::remove(tempPathFor(path).c_str());
}

void destroyBitmap(ALLEGRO_BITMAP*& bitmap) {
  if (bitmap) al_destroy_bitmap(bitmap);
  bitmap = nullptr;
}

void destroyFont(ALLEGRO_FONT*& font) {
  if (font) al_destroy_font(font);
  font = nullptr;
}

void tearDown(bool removePlainLevels) {
  if (game.currentLevel > game.levelCount) {
    game.unlockedLevel = 1;
    game.currentLevel = 1;
    game.levelLoaded = 0;
  }
  saveProgress();
  if (removePlainLevels) std::remove(mediaPath::plainLevels);
  if (assets.display && I_Drawing()) {
    for (int i = 0; i <= 32; ++i) {
      al_draw_tinted_scaled_bitmap(assets.atlas, al_map_rgba(0, 0, 0, i), 120, 60, 8, 8, 0, 0, 1024, 768, 0);
      I_FlipDisplay();
      I_Rest(0.002);
    }
  }
  if (assets.display) al_destroy_display(assets.display);
  assets.display = nullptr;
  for (ALLEGRO_BITMAP** b : {&assets.atlas, &assets.imageGs, &assets.imageGe, &assets.canvasA, &assets.canvasB,
                             &assets.canvasSnapshot, &assets.cellCanvas, &assets.imagePijak, &assets.imagePromienie})
    destroyBitmap(*b);
  for (ALLEGRO_FONT** f : {&assets.fontBold22, &assets.fontRegular20, &assets.fontBold30, &assets.fontBold40})
    destroyFont(*f);
}

}  // namespace

void startUp() {
  if (!al_init()) I_Error("cannot start the Allegro library");
  al_install_keyboard();
  al_install_mouse();
  al_init_image_addon();
  std::srand(static_cast<unsigned>(std::time(nullptr)));
  al_init_font_addon();
  al_init_ttf_addon();
  // Without a sound device the game plays silently; reserving samples
  // without audio would abort inside the library.
  assets.audio = al_install_audio();
  al_init_acodec_addon();
  if (assets.audio && !al_reserve_samples(13)) assets.audio = false;
  al_init_primitives_addon();

  createDisplay();
  loadPictures();
  loadFonts();
  loadSamples();
  if (game.displayMode != 0) return;

  removeLeftoverTempFiles();
  if (!decodeStoredLevelFile())
    std::fprintf(stderr, "cannot write %s: the game plays but cannot save\n", mediaPath::plainLevels);
  readTextTable(mediaPath::texts);
  readProgress();
}

void shutDown() { tearDown(true); }

void switchToFullScreen() {
  tearDown(false);
  game.displayMode = 1;
  startUp();
}

void playSound(Sfx number, float gain, float pan, float speed) {
  if (number < 0 || number >= sfxCount) return;
  I_PlaySample(assets.audio ? assets.sounds[number] : nullptr, number, gain, pan, speed);
}

void enterProgramDirectory(const char* argv0) {
  char path[PATH_MAX];
  ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
  std::string exe = n > 0 ? std::string(path, static_cast<size_t>(n)) : std::string(argv0 ? argv0 : "");
  size_t slash = exe.rfind('/');
  if (slash != std::string::npos && ::chdir(exe.substr(0, slash + 1).c_str()) != 0)
    I_Error("cannot enter the game's directory %s", exe.substr(0, slash).c_str());
}
