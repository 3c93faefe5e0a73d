#pragma once

#include <cstring>
#include <string>
#include <vector>

#include "world/pixel_grid.h"
#include "world/world_random.h"

// Small hand-drawn grids for the rule tests. Rows are written top row first,
// as they look on screen:  s sand  o obsidian  i ice  l lava  w water
// # stone  ~ steam  . clear.
namespace gridart {

using Rows = std::vector<std::string>;
inline constexpr char Codes[] = "soilw#~.";  // indexed by material

inline char ToChar(world::Material m) { return Codes[m]; }

inline world::PixelGrid Make(const Rows& rows) {
  const int height = static_cast<int>(rows.size()), width = static_cast<int>(rows[0].size());
  world::PixelGrid grid(static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height), 1.0f);
  for (int row = 0; row < height; ++row)
    for (int x = 0; x < width; ++x) {
      const char* code = std::strchr(Codes, rows[row][x]);
      const auto m = code ? static_cast<world::Material>(code - Codes) : world::CLEAR;
      grid.SetCell(x, height - 1 - row, m, 0.0f, 0.0f, false);
    }
  return grid;
}

inline Rows Draw(const world::PixelGrid& grid) {
  Rows rows;
  for (int y = static_cast<int>(grid.height) - 1; y >= 0; --y) {
    std::string row;
    for (int x = 0; x < static_cast<int>(grid.width); ++x) row += ToChar(grid.At(x, y).material);
    rows.push_back(row);
  }
  return rows;
}

inline int Count(const world::PixelGrid& grid, world::Material m) {
  int n = 0;
  for (const world::Cell& c : grid.cells) n += c.material == m;
  return n;
}

// A fixed clock: every step (and every level read) seeds with fixedSeconds.
inline long long fixedSeconds = 0;
inline long long FixedClock() { return fixedSeconds; }

// Fixes the clock on a second whose first world::rand() is odd (dir +1) or
// even (dir -1): the first coin of every step then goes that way.
inline void UseClockForFirstCoin(int dir) {
  for (fixedSeconds = 0;; ++fixedSeconds) {
    world::srand(static_cast<unsigned>(fixedSeconds));
    if (((world::rand() & 1) ? 1 : -1) == dir) break;
  }
  world::SetClock(&FixedClock);
}

}  // namespace gridart
