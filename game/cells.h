#pragma once

#include <cmath>

namespace game {

// Far outside any grid, yet safe to step a few cells from without overflow.
inline constexpr int kOffGridCell = 1000000000;

// World coordinate to cell index, truncated toward zero (so -0.5 cells is
// cell 0). Non-finite or absurd coordinates land off the grid.
inline int ToCell(float worldCoordinate, float S) {
  const float c = worldCoordinate / S;
  if (!(c > -1.0e9f && c < 1.0e9f)) return c > 0.0f ? kOffGridCell : -kOffGridCell;
  return static_cast<int>(c);
}

}  // namespace game
