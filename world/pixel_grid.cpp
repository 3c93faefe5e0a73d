#include "world/pixel_grid.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <cmath>
#include <iterator>
#include <limits>

namespace world {
namespace {


// Every field as the step sees it, the floats bitwise (0.0 is not -0.0).
bool SameCell(const Cell& a, const Cell& b) {
  const auto bits = [](float v) { return std::bit_cast<std::uint32_t>(v); };
  return a.material == b.material && bits(a.velocityX) == bits(b.velocityX) && bits(a.velocityY) == bits(b.velocityY) &&
         a.dark == b.dark && bits(a.lifetime) == bits(b.lifetime) && a.colour == b.colour;
}

}  // namespace

Rgba BaseColour(Material m) {
  assert(m >= SAND && m < kMaterialCount);
  return kBaseColours[m];
}

PixelGrid::PixelGrid(std::uint32_t width_, std::uint32_t height_, float cellSize_)
    : width(width_), height(height_), cellSize(cellSize_),
      gridScale(static_cast<float>(width_) / kViewCells),
      cells(static_cast<std::size_t>(width_) * height_) {
  for (Cell& cell : cells) cell.colour = kBaseColours[CLEAR];
  PrepareStep();
}

void PixelGrid::PrepareStep() {
  // The window spans 1.32 views; a few cells more cover truncation. A step
  // moves at most one cell into each cell of it.
  constexpr double kSpan = 1.32;
  constexpr double kMargin = 4.0;
  double windowCells = 0.0;
  if (gridScale > 0.0f) {
    const double columns = std::min<double>(width, std::ceil(kSpan * width / gridScale) + kMargin);
    const double rows = std::min<double>(height, std::ceil(kSpan * height / gridScale) + kMargin);
    windowCells = columns * rows;
  }
  sleep.Build(*this, static_cast<std::size_t>(windowCells));
}

void PixelGrid::ClearCell(int x, int y) { SetCell(x, y, CLEAR, 0.0f, 0.0f, false); }

void PixelGrid::SetCell(int x, int y, Material material, float vx, float vy, bool darkFlag) {
  if (!InBounds(x, y) || material < SAND || material >= kMaterialCount) return;
  Cell& cell = At(x, y);
  const Cell before = cell;
  WriteMaterial(cell, material, vx, vy, darkFlag);
  // A write that changes nothing wakes nothing: painting over the same material.
  if (!SameCell(before, cell) && sleep.Fits(*this)) sleep.Changed(*this, x, y, static_cast<std::uint8_t>(material));
}

bool PixelGrid::IsSurrounded(int x, int y, Material material) const {
  // A miss beyond the few allowed (out of bounds counts) decides.
  constexpr int kNeighbours = 8;
  int misses = 0;
  for (int dx = -1; dx <= 1; ++dx) {
    for (int dy = -1; dy <= 1; ++dy) {
      if (dx == 0 && dy == 0) continue;
      if (!Holds(x + dx, y + dy, material)) {
        if (++misses > kNeighbours - kSurroundedFrom) return false;
      }
    }
  }
  return true;
}

void PixelGrid::Blast(int cx, int cy, int radius) {
  if (radius <= 0) return;
  const long long r2 = static_cast<long long>(radius) * radius;
  for (long long x = static_cast<long long>(cx) - radius; x < static_cast<long long>(cx) + radius; ++x) {
    if (x < 0 || x >= width) continue;
    for (long long y = static_cast<long long>(cy) - radius; y < static_cast<long long>(cy) + radius; ++y) {
      if (y < 0 || y >= height) continue;
      const long long ddx = x - cx, ddy = y - cy;
      if (ddx * ddx + ddy * ddy >= r2) continue;
      if (At(static_cast<int>(x), static_cast<int>(y)).material == OBSIDIAN) continue;
      ClearCell(static_cast<int>(x), static_cast<int>(y));
    }
  }
}

void PixelGrid::StampBlock(int cx, int cy, Material material) {
  // The neighbours of a cell at the int limits are outside every grid.
  const bool right = cx < std::numeric_limits<int>::max();
  const bool below = cy > std::numeric_limits<int>::min();
  SetCell(cx, cy, material, 0.0f, 0.0f, false);
  if (right) SetCell(cx + 1, cy, material, 0.0f, 0.0f, false);
  if (below) SetCell(cx, cy - 1, material, 0.0f, 0.0f, false);
  if (right && below) SetCell(cx + 1, cy - 1, material, 0.0f, 0.0f, false);
}

void PixelGrid::FreeGrid() {
  for (auto* list : {&treasureMarkers, &healthMarkers, &batMarkers, &meleeMarkers, &rifleMarkers,
                     &rocketMarkers, &gunnerMarkers}) {
    std::vector<CellPos>().swap(*list);
  }
  std::vector<Cell>().swap(cells);
  sleep.Free();
  width = 0;
  height = 0;
}

}  // namespace world
