// Checks the built media/ against what the game reads from it: sizes, the
// regions it draws from or draws into, animation frames, text lines that
// must fit where the screens put them, and sound levels.
#include <allegro5/allegro.h>
#include <allegro5/allegro_audio.h>
#include <allegro5/allegro_acodec.h>
#include <allegro5/allegro_font.h>
#include <allegro5/allegro_image.h>
#include <allegro5/allegro_ttf.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "data/text_table.h"
#include "support/test_env.h"

namespace {

std::string mediaPath(const std::string& name) { return builtMediaDir() + "/" + name; }

// A picture as plain RGBA bytes; sheets loaded with magenta as the key read
// magenta pixels as transparent, like the game after al_convert_mask_to_alpha.
struct Picture {
  int w = 0, h = 0;
  std::vector<uint8_t> rgba;

  bool opaque(int x, int y) const { return rgba[4 * (y * w + x) + 3] >= 128; }
  uint32_t pixel(int x, int y) const {
    uint32_t v;
    std::memcpy(&v, &rgba[4 * (y * w + x)], 4);
    return v;
  }
  // Share of the region's pixels that show something.
  double coverage(int x, int y, int rw, int rh) const {
    int n = 0;
    for (int j = y; j < y + rh; ++j)
      for (int i = x; i < x + rw; ++i) n += opaque(i, j);
    return double(n) / (rw * rh);
  }
  // Share of pixels that differ between two regions of the same size.
  double difference(int ax, int ay, int bx, int by, int rw, int rh) const {
    int n = 0;
    for (int j = 0; j < rh; ++j)
      for (int i = 0; i < rw; ++i) n += pixel(ax + i, ay + j) != pixel(bx + i, by + j);
    return double(n) / (rw * rh);
  }
  bool sameCoverage(int ax, int ay, int bx, int by, int rw, int rh) const {
    for (int j = 0; j < rh; ++j)
      for (int i = 0; i < rw; ++i)
        if (opaque(ax + i, ay + j) != opaque(bx + i, by + j)) return false;
    return true;
  }
};

class MediaTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_TRUE(al_init());
    ASSERT_TRUE(al_init_image_addon());
    ASSERT_TRUE(al_init_font_addon());
    ASSERT_TRUE(al_init_ttf_addon());
  }

  static Picture load(const std::string& name, bool magentaKey) {
    Picture p;
    const int oldFlags = al_get_new_bitmap_flags();
    al_set_new_bitmap_flags(ALLEGRO_MEMORY_BITMAP);
    ALLEGRO_BITMAP* bitmap = al_load_bitmap(mediaPath(name).c_str());
    al_set_new_bitmap_flags(oldFlags);
    if (!bitmap) {
      ADD_FAILURE() << "cannot load " << name;
      return p;
    }
    if (magentaKey) al_convert_mask_to_alpha(bitmap, al_map_rgb(255, 0, 255));
    p.w = al_get_bitmap_width(bitmap);
    p.h = al_get_bitmap_height(bitmap);
    p.rgba.resize(size_t(p.w) * p.h * 4);
    ALLEGRO_LOCKED_REGION* lock = al_lock_bitmap(bitmap, ALLEGRO_PIXEL_FORMAT_ABGR_8888, ALLEGRO_LOCK_READONLY);
    for (int y = 0; y < p.h; ++y)
      std::memcpy(&p.rgba[size_t(y) * p.w * 4], static_cast<uint8_t*>(lock->data) + y * lock->pitch, size_t(p.w) * 4);
    al_unlock_bitmap(bitmap);
    al_destroy_bitmap(bitmap);
    return p;
  }
};

struct Region {
  const char* what;
  int x, y, w, h;
  double minCoverage;  // 1.0: every pixel must be opaque
};

Region tile(const char* what, int v, double minCoverage) {
  return {what, 83 * (v % 10), 83 * (v / 10), 82, 82, minCoverage};
}

TEST_F(MediaTest, SheetsHaveTheSizesTheGameReads) {
  struct Case {
    const char* file;
    int minW, minH, maxW, maxH;
  } cases[] = {
      {"graf1.png", 830, 995, 4096, 4096},
      {"gs.png", 996, 664, 4096, 4096},
      {"ge.png", 947, 330, 4096, 4096},
      {"promienie.png", 400, 160, 4096, 4096},
      {"pijak.jpg", 700, 450, 924, 668},  // drawn at (100, 100) on a 1024 x 768 screen
  };
  for (const Case& c : cases) {
    Picture p = load(c.file, false);
    EXPECT_GE(p.w, c.minW) << c.file;
    EXPECT_GE(p.h, c.minH) << c.file;
    EXPECT_LE(p.w, c.maxW) << c.file;
    EXPECT_LE(p.h, c.maxH) << c.file;
  }
}

// Every region of the tile sheet that the game draws holds a picture; the
// ones drawn over a cleared screen or copied over each other cover the
// whole cell, and the stretched panel patches are solid.
TEST_F(MediaTest, TileSheetRegionsHoldPictures) {
  Picture atlas = load("graf1.png", true);
  ASSERT_GE(atlas.w, 830);
  std::vector<Region> regions;
  const int solid[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20,
                       46, 47, 48, 49, 50, 51, 52, 53, 60, 61, 62, 63};
  for (int v : solid) regions.push_back(tile("board tile", v, 1.0));
  for (int v = 21; v <= 45; ++v)
    if (v != 44) regions.push_back(tile("wall", v, 1.0));
  for (int v : {44, 54, 55, 56, 57, 58, 59, 64, 65, 66, 67}) regions.push_back(tile("overlay or beam", v, 0.1));
  const Region more[] = {
      {"door leaf up/down", 664, 913, 82, 82, 1.0},
      {"door leaf left/right", 747, 913, 82, 82, 1.0},
      {"pit inside", 89, 6, 70, 70, 1.0},
      {"deadly trap inside", 89, 89, 70, 70, 1.0},
      {"beam piece across", 332, 421, 82, 70, 0.1},
      {"beam piece down", 421, 415, 70, 82, 0.1},
      {"fade patch", 0, 0, 5, 5, 1.0},
      {"rule", 1, 1, 2, 2, 1.0},
      {"menu rule", 5, 5, 2, 2, 1.0},
      {"darkening patch", 120, 60, 8, 8, 1.0},
      {"panel rim", 290, 120, 5, 5, 1.0},
      {"panel fill", 0, 585, 5, 5, 1.0},
      {"help fill", 5, 585, 5, 5, 1.0},
      {"menu highlight", 20, 585, 5, 5, 1.0},
      {"menu rim", 30, 585, 5, 5, 1.0},
      {"menu panel", 50, 585, 5, 5, 1.0},
      {"dialog rim", 70, 585, 5, 5, 1.0},
      {"about edge", 0, 590, 3, 3, 1.0},
      {"top-bar buttons", 0, 600, 265, 20, 0.9},
      {"button highlight 1", 0, 621, 88, 20, 0.9},
      {"button highlight 2", 88, 621, 88, 20, 0.9},
      {"button highlight 3", 176, 621, 88, 20, 0.9},
      {"star, top bar", 74, 685, 22, 22, 0.25},
      {"star, level grid", 99, 686, 26, 26, 0.25},
      {"star lit", 790, 590, 40, 40, 0.25},
      {"star unlit", 790, 630, 40, 40, 0.25},
      {"mug icon", 180, 650, 60, 60, 0.3},
      {"empty mug slots", 0, 688, 75, 13, 0.3},
      {"mugs won", 0, 702, 75, 13, 0.3},
      {"grid cell", 440, 590, 85, 70, 0.9},
      {"finished overlay", 526, 590, 86, 70, 0.05},
      {"current overlay", 612, 590, 86, 70, 0.05},
      {"lock overlay", 698, 590, 86, 76, 0.05},
      {"grid highlight", 340, 590, 92, 76, 0.05},
      {"five mug slots", 480, 670, 335, 85, 0.3},
      {"three mug slots", 545, 670, 205, 85, 0.3},
  };
  regions.insert(regions.end(), std::begin(more), std::end(more));
  for (int i = 0; i < 4; ++i) regions.push_back({"about legend", 40 * i, 660, 39, 22, 0.2});
  for (int i = 0; i < 3; ++i) {
    regions.push_back({"emitter strip, lit", 83 * i, 913, 82, 82, 1.0});
    regions.push_back({"emitter strip, dim", 332 + 83 * i, 913, 82, 82, 1.0});
  }
  for (const Region& r : regions)
    EXPECT_GE(atlas.coverage(r.x, r.y, r.w, r.h), r.minCoverage)
        << r.what << " at (" << r.x << ", " << r.y << ", " << r.w << ", " << r.h << ")";
}

// The result screen renders the level number and the banner into the sheet.
TEST_F(MediaTest, ScratchAreasOfTheTileSheetAreFree) {
  Picture atlas = load("graf1.png", true);
  ASSERT_GE(atlas.h, 995);
  EXPECT_EQ(atlas.coverage(240, 655, 62, 52), 0.0) << "level number cell";
  EXPECT_EQ(atlas.coverage(0, 768, 404, 42), 0.0) << "banner strip";
}

// Animated pictures are copied over each other in the sheets: the frames must
// differ, and frames that replace each other must cover the same pixels, or
// a copy would leave the previous frame showing through.
TEST_F(MediaTest, AnimationFramesDifferAndReplaceEachOtherCleanly) {
  Picture atlas = load("graf1.png", true);
  ASSERT_GE(atlas.h, 995);
  auto at = [](int v) { return std::pair<int, int>{83 * (v % 10), 83 * (v / 10)}; };
  for (int a = 60; a <= 63; ++a)
    for (int b = a + 1; b <= 63; ++b)
      EXPECT_GT(atlas.difference(at(a).first, at(a).second, at(b).first, at(b).second, 82, 82), 0.05)
          << "water frames " << a << " and " << b;
  const std::pair<int, int> swaps[] = {{64, 65}, {67, 66}};
  for (auto [a, b] : swaps) {
    EXPECT_GT(atlas.difference(at(a).first, at(a).second, at(b).first, at(b).second, 82, 82), 0.02)
        << "beam frames " << a << " and " << b;
    EXPECT_TRUE(atlas.sameCoverage(at(a).first, at(a).second, at(b).first, at(b).second, 82, 82))
        << "beam frames " << a << " and " << b;
  }
  EXPECT_GT(atlas.difference(0, 913, 332, 913, 249, 82), 0.02) << "emitter strips";
  EXPECT_GT(atlas.difference(0, 415, 0, 913, 249, 82), 0.02) << "emitters start as the other strip";
  EXPECT_LT(atlas.coverage(332, 498, 82, 82), 0.5) << "beam 64 must leave the floor visible";

  // The object sheet's beam slots start as frames 64 and 67 and are overwritten by 64..67.
  Picture ge = load("ge.png", false);
  ASSERT_GE(ge.w, 947);
  for (auto [slot, v] : {std::pair{285, 64}, std::pair{380, 67}})
    for (int y = 0; y < 82; ++y)
      for (int x = 0; x < 82; ++x)
        ASSERT_EQ(ge.opaque(slot + x, y), atlas.opaque(at(v).first + x, at(v).second + y))
            << "beam slot at " << slot << " pixel " << x << ", " << y;
}

TEST_F(MediaTest, ThingsAndPlayerPicturesArePresent) {
  Picture ge = load("ge.png", false);
  ASSERT_GE(ge.w, 947);
  const Region things[] = {
      {"collect sparkle", 83, 0, 82, 82, 0.05}, {"collect burst", 166, 0, 82, 82, 0.1},
      {"box", 665, 0, 92, 92, 0.7},           {"caged box", 760, 0, 92, 92, 0.7},
      {"slider", 855, 0, 92, 92, 0.5},        {"result header", 0, 190, 640, 140, 0.6},
  };
  for (const Region& r : things) EXPECT_GE(ge.coverage(r.x, r.y, r.w, r.h), r.minCoverage) << r.what;
  // Box and caged box fill their cell, so a cage drawn over the caged box
  // (which leaves the crate's part of the cell open) never shows the black below.
  EXPECT_EQ(ge.coverage(760 + 4, 4, 74, 74), 1.0);

  Picture gs = load("gs.png", true);
  ASSERT_GE(gs.h, 664);
  for (int row = 0; row < 8; ++row) {
    for (int f = 0; f < 12; ++f) {
      double c = gs.coverage(83 * f, 83 * row, 82, 82);
      EXPECT_GT(c, 0.12) << "player row " << row << " frame " << f;
      EXPECT_LT(c, 0.6) << "player row " << row << " frame " << f;
    }
    // a walk cycle: the frames of a row are not all the same picture
    EXPECT_GT(gs.difference(0, 83 * row, 83 * 3, 83 * row, 82, 82), 0.01) << "row " << row;
  }
  // pushing looks different from walking in each direction
  for (int d = 0; d < 4; ++d) EXPECT_GT(gs.difference(0, 83 * d, 0, 83 * (d + 4), 82, 82), 0.03) << "direction " << d;
}

// ---------------------------------------------------------------- texts --

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST_F(MediaTest, TextTableHasNinetyNineLabelledPolishLinesWithTheirConversions) {
  std::string bytes = readFile(mediaPath("teksty_100.txt"));
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = bytes.find('\n', start)) != std::string::npos; start = end + 1) {
    ASSERT_GT(end, start) << "empty line " << lines.size();
    ASSERT_EQ(bytes[end - 1], '\r') << "line " << lines.size() << " must end in CR LF";
    lines.push_back(bytes.substr(start, end - 1 - start));
  }
  EXPECT_EQ(start, bytes.size()) << "text after the last line end";
  ASSERT_EQ(lines.size(), 99u);
  for (const char* letter : {"ą", "ć", "ę", "ł", "ń", "ó", "ś", "ź", "ż"})
    EXPECT_NE(bytes.find(letter), std::string::npos) << letter;

  const int conversions[] = {73, 2, 75, 1, 76, 1, 80, 2};
  for (int n = 0; n < 99; ++n) {
    ASSERT_GT(lines[n].size(), 4u) << "line " << n << " has no text after its label";
    std::string text = lines[n].substr(4);
    int expected = 0;
    for (int i = 0; i < 8; i += 2)
      if (conversions[i] == n) expected = conversions[i + 1];
    size_t percents = 0, ds = 0;
    for (size_t p = text.find('%'); p != std::string::npos; p = text.find('%', p + 1)) {
      ++percents;
      ds += text.compare(p, 2, "%d") == 0;
    }
    EXPECT_EQ(percents, size_t(expected)) << "line " << n << ": " << text;
    EXPECT_EQ(ds, size_t(expected)) << "line " << n << ": " << text;
  }
}

// Every line a screen shows fits the space that screen gives it, measured
// with the game's fonts at the game's sizes.
TEST_F(MediaTest, TextLinesFitWhereTheScreensDrawThem) {
  std::unique_ptr<ALLEGRO_FONT, void (*)(ALLEGRO_FONT*)> b22(
      al_load_ttf_font(mediaPath("arialbd.ttf").c_str(), 22, 0), al_destroy_font),
      b30(al_load_ttf_font(mediaPath("arialbd.ttf").c_str(), 30, 0), al_destroy_font),
      b40(al_load_ttf_font(mediaPath("arialbd.ttf").c_str(), 40, 0), al_destroy_font),
      r20(al_load_ttf_font(mediaPath("arial.ttf").c_str(), 20, 0), al_destroy_font);
  ASSERT_TRUE(b22 && b30 && b40 && r20);
  textTable = TextTable{};
  readTextTable(mediaPath("teksty_100.txt").c_str());

  struct Place {
    int line;
    const ALLEGRO_FONT* font;
    int width;               // space the screen leaves for the line
    std::vector<int> args;   // the largest numbers the screen passes
  };
  std::vector<Place> places = {
      {80, b22.get(), 215, {50, 50}},  // top bar: from x 60 to the star at 280
      {4, b22.get(), 340, {}},         // menu title inside the frame (334..692)
      {10, b40.get(), 396, {}},        // banner strip, 404 wide, centred on 201
      {13, r20.get(), 600, {}},        // continue label on the result panel
      {70, r20.get(), 108, {}},        // clock box caption, box 115 wide
      {76, b30.get(), 660, {50}},      // verdict on the result panel (704 wide)
      {14, b30.get(), 780, {}},        // about title on the about panel (796 wide)
      {23, r20.get(), 350, {}},        // about: heading left of the legend column
      {40, r20.get(), 360, {}},        // about: legend heading, x 530..895
      {41, r20.get(), 360, {}},
      {31, r20.get(), 740, {}},        // about: closing heading and line, x 150..895
      {32, r20.get(), 740, {}},
      {39, r20.get(), 610, {}},        // last table row lies below the rule
      {46, b30.get(), 580, {}},        // help title on the help panel (596 wide)
      {81, b40.get(), 620, {}},        // final screen panel (656 wide)
      {72, b30.get(), 620, {}},
      {73, b22.get(), 620, {210, 210}},
      {75, b22.get(), 620, {50}},
      {82, b30.get(), 620, {}},
      {30, b30.get(), 900, {}},
      {71, b40.get(), 900, {}},        // all-stars ending, over the picture
      {74, b30.get(), 900, {}},
      {77, b22.get(), 600, {}},        // reset question
  };
  for (int n = 5; n <= 9; ++n) places.push_back({n, b22.get(), 262, {}});   // menu items: bar 270 wide
  places.push_back({5, r20.get(), 262, {}});                               // back label
  for (int n = 15; n <= 22; ++n) places.push_back({n, r20.get(), 740, {}});  // about introduction
  for (int n = 24; n <= 30; ++n) places.push_back({n, r20.get(), 122, {}});  // key column, x 150..280
  for (int n = 33; n <= 38; ++n) places.push_back({n, r20.get(), 222, {}});  // next to the keys, up to the rule at 510
  for (int n = 42; n <= 45; ++n) places.push_back({n, r20.get(), 310, {}});  // legend captions, x 580..895
  // help page: a name ends before its first description line, descriptions
  // end before the panel's inner edge at 810
  const int help[][3] = {{47, 310, 430}, {50, 310, 415}, {53, 310, 370}, {55, 360, 450},
                         {58, 310, 415}, {61, 365, 430}, {64, 475, 645}, {67, 475, 560}};
  for (const auto& h : help) {
    int name = h[0], nameX = h[1], descX = h[2];
    places.push_back({name, b22.get(), descX - nameX - 4, {}});
    places.push_back({name + 1, r20.get(), 805 - descX, {}});
    if (name != 53) places.push_back({name + 2, r20.get(), 805 - nameX, {}});
  }
  for (const Place& p : places) {
    const std::string& line = textLine(p.line);
    std::string text = p.args.size() == 2   ? formatTextLine(line, {p.args[0], p.args[1]})
                       : p.args.size() == 1 ? formatTextLine(line, {p.args[0]})
                                            : formatTextLine(line, {});
    EXPECT_EQ(text.find('%'), std::string::npos) << "line " << p.line << " not formatted: " << text;
    EXPECT_FALSE(text.empty()) << "line " << p.line;
    EXPECT_LE(al_get_text_width(p.font, text.c_str()), p.width) << "line " << p.line << ": " << text;
  }
  // The reset dialog's panel follows its question: the second line must fit it too.
  EXPECT_LE(al_get_text_width(b22.get(), textLine(83).c_str()), al_get_text_width(b22.get(), textLine(77).c_str()) + 40);
  // The banner is rendered 2 px into a 42 px strip: nothing may hang below it.
  int bx, by, bw, bh;
  al_get_text_dimensions(b40.get(), textLine(10).c_str(), &bx, &by, &bw, &bh);
  EXPECT_LE(2 + by + bh, 42) << "banner glyphs below the strip";
  // The answers stand in hover boxes 58 px wide.
  for (int n : {78, 79}) EXPECT_LE(al_get_text_width(b22.get(), textLine(n).c_str()), 58) << "line " << n;
}

// ---------------------------------------------------------------- sounds --

struct Wave {
  int rate = 0, channels = 0, bits = 0;
  std::vector<double> samples;  // -1..1
};

Wave readWave(const std::string& path) {
  Wave w;
  std::string b = readFile(path);
  if (b.size() < 44 || b.compare(0, 4, "RIFF") != 0 || b.compare(8, 4, "WAVE") != 0) return w;
  auto u16 = [&](size_t at) { return unsigned(uint8_t(b[at])) | unsigned(uint8_t(b[at + 1])) << 8; };
  auto u32 = [&](size_t at) { return u16(at) | u16(at + 2) << 16; };
  for (size_t at = 12; at + 8 <= b.size();) {
    std::string id = b.substr(at, 4);
    size_t len = u32(at + 4);
    if (id == "fmt ") {
      w.channels = int(u16(at + 10));
      w.rate = int(u32(at + 12));
      w.bits = int(u16(at + 22));
    } else if (id == "data" && w.bits == 16) {
      for (size_t i = 0; i + 1 < len && at + 8 + i + 1 < b.size(); i += 2)
        w.samples.push_back(int16_t(u16(at + 8 + i)) / 32768.0);
    }
    at += 8 + len + (len & 1);
  }
  return w;
}

TEST_F(MediaTest, SoundEffectsAreShortCleanAndEquallyLoud) {
  for (int n : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 12, 13}) {
    std::string name = "samp/s" + std::to_string(n) + ".wav";
    Wave w = readWave(mediaPath(name));
    ASSERT_EQ(w.bits, 16) << name;
    ASSERT_EQ(w.channels, 1) << name;
    ASSERT_FALSE(w.samples.empty()) << name;
    double seconds = double(w.samples.size()) / w.rate;
    EXPECT_GT(seconds, 0.05) << name;
    EXPECT_LT(seconds, 2.5) << name;
    double peak = 0, loudest = 0;
    for (double s : w.samples) peak = std::max(peak, std::fabs(s));
    EXPECT_LT(peak, 0.95) << name << " clips";
    // loudness over the part that sounds (above 5 % of the peak)
    double sum = 0;
    int count = 0;
    for (double s : w.samples)
      if (std::fabs(s) > 0.05 * peak) sum += s * s, ++count;
    loudest = std::sqrt(sum / count);
    double db = 20 * std::log10(loudest);
    EXPECT_GT(db, -20.0) << name << " too quiet";
    EXPECT_LT(db, -12.0) << name << " too loud";
    // no click: it starts and ends at silence
    EXPECT_LT(std::fabs(w.samples.front()), 0.01) << name;
    EXPECT_LT(std::fabs(w.samples.back()), 0.01) << name;
  }
}

TEST_F(MediaTest, SamplesLoadAndTheMusicIsAnOggVorbisTuneOfAboutAMinute) {
  std::string bytes = readFile(mediaPath("samp/Jeszcze po kropelce.ogg"));
  ASSERT_GT(bytes.size(), 4u);
  EXPECT_EQ(bytes.compare(0, 4, "OggS"), 0);
  EXPECT_NE(bytes.find("vorbis"), std::string::npos);
  if (!al_install_audio() || !al_init_acodec_addon()) GTEST_SKIP() << "no audio here to decode the sounds";
  for (int n : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 12, 13}) {
    ALLEGRO_SAMPLE* effect = al_load_sample(mediaPath("samp/s" + std::to_string(n) + ".wav").c_str());
    EXPECT_NE(effect, nullptr) << "s" << n << ".wav";
    if (effect) al_destroy_sample(effect);
  }
  ALLEGRO_SAMPLE* tune = al_load_sample(mediaPath("samp/Jeszcze po kropelce.ogg").c_str());
  ASSERT_NE(tune, nullptr);
  double seconds = double(al_get_sample_length(tune)) / al_get_sample_frequency(tune);
  EXPECT_GT(seconds, 45.0);
  EXPECT_LT(seconds, 90.0);
  al_destroy_sample(tune);
}

}  // namespace
