#pragma once

#include <string>
#include <vector>

#include "world/pixel_grid.h"
#include "world/world_random.h"

// Small hand-drawn grids for the rule tests. Rows are written top row first,
// as they look on screen:  . clear  s sand  o obsidian  i ice  l lava
// w water  # stone  ~ steam.
namespace gridart {

inline world::Material FromChar(char c) {
  switch (c) {
    case 's': return world::SAND;
    case 'o': return world::OBSIDIAN;
    case 'i': return world::ICE;
    case 'l': return world::LAVA;
    case 'w': return world::WATER;
    case '#': return world::STONE;
    case '~': return world::STEAM;
    default: return world::CLEAR;
  }
}

inline char ToChar(world::Material m) { return "soilw#~."[m]; }

inline world::PixelGrid Make(const std::vector<std::string>& rows) {
  const auto height = static_cast<std::uint32_t>(rows.size());
  const auto width = static_cast<std::uint32_t>(rows[0].size());
  world::PixelGrid grid(width, height, 1.0f);
  for (std::uint32_t row = 0; row < height; ++row) {
    const int y = static_cast<int>(height - 1 - row);
    for (std::uint32_t x = 0; x < width; ++x) {
      grid.SetCell(static_cast<int>(x), y, FromChar(rows[row][x]), 0.0f, 0.0f, false);
    }
  }
  return grid;
}

inline std::vector<std::string> Draw(const world::PixelGrid& grid) {
  std::vector<std::string> rows;
  for (int y = static_cast<int>(grid.height) - 1; y >= 0; --y) {
    std::string row;
    for (int x = 0; x < static_cast<int>(grid.width); ++x) row += ToChar(grid.At(x, y).material);
    rows.push_back(row);
  }
  return rows;
}

// A clock whose seed makes the first world::rand() of a step odd (dir +1)
// or even (dir -1): the first coin of the step then goes that way.
inline long long fixedSeconds = 0;
inline long long FixedClock() { return fixedSeconds; }
inline void UseClockForFirstCoin(int dir) {
  for (long long seed = 0;; ++seed) {
    world::srand(static_cast<unsigned>(seed));
    if (((world::rand() & 1) ? 1 : -1) == dir) {
      fixedSeconds = seed;
      world::SetClock(&FixedClock);
      return;
    }
  }
}

// A clock that moves on one second per call: every step draws new numbers.
inline long long ticking = 0;
inline long long TickingClock() { return ++ticking; }

}  // namespace gridart
