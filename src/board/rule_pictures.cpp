#include "board/rule_pictures.h"

#include <cstdint>
#include <cstring>
#include <vector>

void copySheetRegion(ALLEGRO_BITMAP* from, int sx, int sy, int w, int h, ALLEGRO_BITMAP* to, int dx, int dy) {
  if (!from || !to || w <= 0 || h <= 0) return;
  auto fits = [w, h](ALLEGRO_BITMAP* b, int x, int y) {
    return x >= 0 && y >= 0 && x + w <= al_get_bitmap_width(b) && y + h <= al_get_bitmap_height(b);
  };
  if (!fits(from, sx, sy) || !fits(to, dx, dy)) return;
  constexpr int format = ALLEGRO_PIXEL_FORMAT_ABGR_8888;
  const size_t rowBytes = static_cast<size_t>(w) * 4;
  std::vector<uint8_t> pixels(rowBytes * static_cast<size_t>(h));
  ALLEGRO_LOCKED_REGION* src = al_lock_bitmap_region(from, sx, sy, w, h, format, ALLEGRO_LOCK_READONLY);
  if (!src) return;
  for (int y = 0; y < h; ++y)
    std::memcpy(&pixels[rowBytes * y], static_cast<const uint8_t*>(src->data) + static_cast<ptrdiff_t>(y) * src->pitch,
                rowBytes);
  al_unlock_bitmap(from);
  ALLEGRO_LOCKED_REGION* dst = al_lock_bitmap_region(to, dx, dy, w, h, format, ALLEGRO_LOCK_WRITEONLY);
  if (!dst) return;
  for (int y = 0; y < h; ++y)
    std::memcpy(static_cast<uint8_t*>(dst->data) + static_cast<ptrdiff_t>(y) * dst->pitch, &pixels[rowBytes * y],
                rowBytes);
  al_unlock_bitmap(to);
}
