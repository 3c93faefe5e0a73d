#pragma once

#include <cstdint>
#include <vector>

#include "world/sleep_map.h"

// The pixel world: a rectangle of material cells, one per pixel of the level
// image. Cell x runs rightwards from the left edge, cell y upwards from the
// bottom row; gravity points to decreasing y.
namespace world {

// Fixed numbers: the level reader, the stamp and the step dispatch use them.
enum Material : std::int32_t {
  SAND = 0,
  OBSIDIAN = 1,
  ICE = 2,
  LAVA = 3,
  WATER = 4,
  STONE = 5,
  STEAM = 6,
  CLEAR = 7,
};
inline constexpr int kMaterialCount = 8;

struct Rgba {
  std::uint8_t r, g, b, a;
  friend bool operator==(const Rgba&, const Rgba&) = default;
};

// Blocks game objects and carries them.
constexpr bool IsSolid(Material m) { return (m >= SAND && m < LAVA) || m == STONE; }
// Stops line traces: every material but STEAM and CLEAR.
constexpr bool IsOccupied(Material m) { return m >= SAND && m < STEAM; }

// The colour a material is drawn in; STONE's light shade.
Rgba BaseColour(Material m);
inline constexpr Rgba kDarkStoneColour{100, 100, 100, 255};
inline constexpr Rgba kBaseColours[kMaterialCount] = {
    {244, 164, 96, 255},  // SAND
    {48, 25, 52, 255},    // OBSIDIAN
    {160, 242, 243, 255}, // ICE
    {206, 68, 0, 255},    // LAVA
    {112, 141, 249, 100}, // WATER: the only translucent material
    {136, 140, 141, 255}, // STONE, light shade
    {196, 196, 199, 255}, // STEAM
    {0, 0, 0, 0},         // CLEAR
};

inline constexpr float kSteamLifetime = 4.0f;       // seconds a fresh steam cell lives
inline constexpr float kLifetimeNeverSet = -1.0f;   // a position that never held steam

struct Cell {
  Material material = CLEAR;
  float velocityX = 0.0f;  // cells per step, accumulated; +x rightwards
  float velocityY = 0.0f;  // +y upwards
  std::uint8_t dark = 0;   // STONE only: drawn in the dark shade
  // Step stamp: equal to the grid's stepStamp when the step wrote or handled
  // the cell, so that no flag array is cleared every step. A sleeping cell
  // the step passed by is not stamped: ask PixelGrid::WasUpdated.
  std::uint16_t updated = 0;
  // Seconds of life left for STEAM; belongs to the position, not the steam.
  float lifetime = kLifetimeNeverSet;
  Rgba colour{0, 0, 0, 255};
};
static_assert(sizeof(Cell) == 24, "the step streams cells: keep the record small");

struct CellPos {
  std::int32_t x = 0;
  std::int32_t y = 0;
  friend bool operator==(const CellPos&, const CellPos&) = default;
};

struct ViewOrigin {
  float x = 0.0f;  // cell coordinates of the view's bottom-left corner
  float y = 0.0f;
};

// A position in cells to its cell: truncated toward zero, saturated at 1e9
// cells, far beyond any grid, so that a runaway value cannot overflow; NaN is 0.
inline long long TruncateToCell(float v) {
  constexpr float kLimit = 1.0e9f;
  if (!(v == v)) return 0;
  if (v > kLimit) return static_cast<long long>(kLimit);
  if (v < -kLimit) return -static_cast<long long>(kLimit);
  return static_cast<long long>(v);
}

// SetCell's rules for one cell of the grid, `material` a material, with
// nothing else told: the step, which keeps its sleep map itself, writes
// through this. Inline: the step mostly writes a known material.
inline void WriteMaterial(Cell& cell, Material material, float vx, float vy, bool darkFlag) {
  cell.material = material;
  cell.colour = kBaseColours[material];
  switch (material) {
    case SAND:
    case LAVA:
    case WATER:
      cell.velocityX = vx;
      cell.velocityY = vy;
      break;
    case STEAM:
      cell.velocityX = vx;
      cell.velocityY = vy;
      if (cell.lifetime == kLifetimeNeverSet) cell.lifetime = kSteamLifetime;
      break;
    case STONE:
      cell.velocityX = 0.0f;
      cell.velocityY = 0.0f;
      cell.dark = darkFlag ? 1 : 0;
      if (darkFlag) cell.colour = kDarkStoneColour;
      break;
    default:  // OBSIDIAN and ICE never move; CLEAR keeps its shade and lifetime
      cell.velocityX = 0.0f;
      cell.velocityY = 0.0f;
      break;
  }
}

// A cell with this many of its 8 neighbours of its own material is
// surrounded: the step passes it by.
inline constexpr int kSurroundedFrom = 6;

// Cells per view width: the view is always this many cells wide.
inline constexpr float kViewCells = 384.0f;

struct PixelGrid {
  PixelGrid() = default;
  // A grid of CLEAR cells, as a level image of that size with only white pixels.
  PixelGrid(std::uint32_t width, std::uint32_t height, float cellSize);

  CellPos playerSpawn;
  std::vector<CellPos> treasureMarkers;
  std::vector<CellPos> healthMarkers;
  std::vector<CellPos> batMarkers;
  std::vector<CellPos> meleeMarkers;
  std::vector<CellPos> rifleMarkers;
  std::vector<CellPos> rocketMarkers;
  std::vector<CellPos> gunnerMarkers;
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  float cellSize = 0.0f;   // world units per cell edge (S)
  float gridScale = 0.0f;  // width / 384: sizes the simulated window
  std::vector<Cell> cells; // row-major, index y * width + x
  ViewOrigin viewOrigin;
  std::uint16_t stepStamp = 0;  // stamp of the latest step; see Cell::updated
  bool playerSpawnFound = false;  // the image had a start pixel; else playerSpawn is 0, 0
  // StepGrid's memory between steps, kept in step with the cells by SetCell
  // and ClearCell: write cells through them (or Blast, StampBlock), or call
  // PrepareStep after writing cells by hand.
  SleepMap sleep;

  bool InBounds(int x, int y) const {
    return static_cast<std::uint32_t>(x) < width && static_cast<std::uint32_t>(y) < height;
  }
  // Unchecked: callers test InBounds first.
  Cell& At(int x, int y) { return cells[static_cast<std::size_t>(y) * width + x]; }
  const Cell& At(int x, int y) const { return cells[static_cast<std::size_t>(y) * width + x]; }
  // True only inside the grid: outside, no material (not even CLEAR) is held.
  bool Holds(int x, int y, Material m) const { return InBounds(x, y) && At(x, y).material == m; }
  // CLEAR outside the grid, so IsSolid and IsOccupied read false there.
  Material MaterialAt(int x, int y) const { return InBounds(x, y) ? At(x, y).material : CLEAR; }
  // True when the cell was written or handled during the latest step.
  bool WasUpdated(int x, int y) const {
    if (!InBounds(x, y)) return false;
    return At(x, y).updated == stepStamp || (sleep.Fits(*this) && sleep.PassedWithMark(x, y, stepStamp));
  }

  // Material CLEAR, zero velocity, transparent; keeps dark and lifetime.
  void ClearCell(int x, int y);
  // Writes one material with its base colour; ignores out-of-bounds cells and
  // values that are not materials. STEAM gets a fresh lifetime only where none
  // was ever set. Never touches the step stamp.
  void SetCell(int x, int y, Material material, float vx, float vy, bool darkFlag);
  // kSurroundedFrom or more of the 8 in-bounds neighbours hold `material`.
  bool IsSurrounded(int x, int y, Material material) const;

  // Advances the simulation one frame: only the window around the view moves.
  void StepGrid(float dt);
  // Clears the open disc of `radius` around (cx, cy); OBSIDIAN survives.
  void Blast(int cx, int cy, int radius);
  // The sandbox brush: writes `material` into (cx, cy), (cx + 1, cy),
  // (cx, cy - 1), (cx + 1, cy - 1) in that order, obsidian included.
  void StampBlock(int cx, int cy, Material material);
  // Builds the step's memory (the material copy, every cell awake) with room
  // for the largest window of this grid, so that no step allocates; call
  // after setting width, height, gridScale or cells by hand.
  void PrepareStep();
  // Releases the cells and marker lists; the grid is then empty.
  void FreeGrid();
};

}  // namespace world
