#include "data/text_table.h"

#include <cstdio>
#include <vector>

#include "data/files.h"
#include "shell/platform.h"

TextTable textTable;

void readTextTable(const char* path) {
  std::string bytes;
  if (!readWholeFile(path, bytes)) return;
  std::vector<std::string> lines = splitLines(bytes, textLineCount);
  for (size_t i = 0; i < lines.size(); ++i) textTable.lines[i] = lines[i].size() > 4 ? lines[i].substr(4) : "";
}

const std::string& textLine(int n) {
  static const std::string empty;
  return n >= 0 && n < textLineCount ? textTable.lines[n] : empty;
}

namespace {

// Counts integer conversions (%d, %i with flags and width); -1 when the line
// holds any other conversion or a lone % at its end.
int integerConversions(const std::string& line) {
  int count = 0;
  for (size_t i = 0; i < line.size(); ++i) {
    if (line[i] != '%') continue;
    size_t j = i + 1;
    if (j < line.size() && line[j] == '%') {
      i = j;
      continue;
    }
    while (j < line.size() && std::string_view("-+ 0#").find(line[j]) != std::string_view::npos) ++j;
    for (int digits = 0; j < line.size() && line[j] >= '0' && line[j] <= '9'; ++j)
      if (++digits > 3) return -1;
    if (j >= line.size() || (line[j] != 'd' && line[j] != 'i')) return -1;
    ++count;
    i = j;
  }
  return count;
}

}  // namespace

std::string formatTextLine(const std::string& line, std::initializer_list<int> args) {
  if (args.size() == 0 || args.size() > 2 || integerConversions(line) != static_cast<int>(args.size())) return line;
  const int a0 = args.begin()[0], a1 = args.size() > 1 ? args.begin()[1] : 0;
  auto print = [&](char* out, size_t size) {
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
#pragma GCC diagnostic ignored "-Wformat-security"
    // Safe: the line was checked to hold exactly these integer conversions.
    return args.size() == 1 ? std::snprintf(out, size, line.c_str(), a0) : std::snprintf(out, size, line.c_str(), a0, a1);
#pragma GCC diagnostic pop
  };
  int n = print(nullptr, 0);
  if (n < 0) return line;
  std::string out(static_cast<size_t>(n) + 1, '\0');
  print(out.data(), out.size());
  out.resize(static_cast<size_t>(n));
  return out;
}

void drawTextLine(const ALLEGRO_FONT* font, ALLEGRO_COLOR colour, float x, float y, int flags, int n,
                  std::initializer_list<int> args) {
  if (!font || !I_Drawing()) return;
  al_draw_text(font, colour, x, y, flags, formatTextLine(textLine(n), args).c_str());
}
