#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// What the world step keeps from one step to the next so that its cost
// follows what moves rather than what is shown: a copy of every cell's
// material, and for each region of cells which of them are awake.
//
// A cell sleeps when stepping it would change nothing whatever the generator
// gives: sand on a floor with no free diagonal, water and lava with no room
// to fall, slide or spread, ice and stone away from lava, obsidian, and any
// surrounded cell. Such a cell draws a fixed count of numbers (one, or none
// when it is surrounded or obsidian), so the step passes it by and advances
// the generator by that count instead. Whether a cell sleeps depends on the
// cells up to kReachColumns beside it and kReachRows above and below; when
// any of those changes the cell wakes at once, even in the middle of a step.
// Regions are worked out again when the step reaches them, which is when
// their cells fall asleep.
namespace world {

struct PixelGrid;

// Set bits of a region column. std::popcount is a library call on x86-64
// processors without the instruction; this is a dozen inline operations.
constexpr int CountRows(std::uint32_t rows) {
  rows = rows - ((rows >> 1) & 0x55555555u);
  rows = (rows & 0x33333333u) + ((rows >> 2) & 0x33333333u);
  rows = (rows + (rows >> 4)) & 0x0F0F0F0Fu;
  return static_cast<int>((rows * 0x01010101u) >> 24);
}

struct SleepMap {
  // Regions of 32 x 32 cells: one 32-bit word holds a region column's cells.
  static constexpr int kRegionShift = 5;
  static constexpr int kRegionSize = 1 << kRegionShift;
  // How far a cell's outcome looks: water up to 4 cells sideways for room
  // to spread, every material one row up or down.
  static constexpr int kReachColumns = 4;
  static constexpr int kReachRows = 1;
  // A region is worked out when the step first reaches it and nothing
  // within its reach has changed yet in this step (changes would have left
  // handled cells in it). Waiting longer left regions where water jitters
  // awake for good; working them out costs less than stepping them.
  static constexpr std::uint32_t kQuietSteps = 1;
  // Changes within one step after which a region wakes whole: waking a
  // busy region's cells one change at a time would cost more than stepping
  // them all.
  static constexpr std::uint32_t kBusyChanges = 16;

  // The material copy's bytes: the material, or kOutsideGrid in the border.
  static constexpr std::uint8_t kOutsideGrid = 8;  // never equal to a material
  static constexpr std::uint8_t kMaterialBits = 0x0F;
  // STONE that the step's rewrite of itself would change (its colour,
  // velocity or shade flag set by hand): it never sleeps.
  static constexpr std::uint8_t kRewrittenBit = 0x10;
  static constexpr std::uint8_t kHandledBit = 0x80;  // moved into this step: passed by

  struct Region {
    std::uint32_t lastChange = 0;   // stepCount when a cell within reach last changed
    std::uint32_t changes = 0;      // cells woken one change at a time during step changesStep
    std::uint32_t changesStep = 0;
    std::uint32_t changedColumns = 0;  // bit i: a change within reach of column i since it was worked out
    std::uint16_t walkedStamp = 0;  // the step stamp of the latest step that walked it
    bool stale = true;              // a cell within reach changed since it was worked out
    bool allAwake = true;           // every cell awake: not worked out since built or woken whole
  };

  // Built for a grid of this size: SetCell keeps it in step with the cells.
  template <class Grid>
  bool Fits(const Grid& grid) const {
    return width == static_cast<int>(grid.width) && height == static_cast<int>(grid.height) && !materials.empty();
  }
  // From the grid's cells, every cell awake; room for `windowCells` moves a step.
  void Build(const PixelGrid& grid, std::size_t windowCells);
  void Free();
  std::size_t Bytes() const;

  // Column-major with kReachColumns columns and one row of border around the grid.
  std::size_t Index(int x, int y) const {
    return static_cast<std::size_t>(x + kReachColumns) * stride + static_cast<std::size_t>(y + 1);
  }
  // The words of region row ry for column x; a column's words are adjacent.
  std::size_t Word(int x, int ry) const { return static_cast<std::size_t>(x) * regionRows + ry; }
  Region& RegionAt(int rx, int ry) { return regions[static_cast<std::size_t>(ry) * regionColumns + rx]; }
  const Region& RegionAt(int rx, int ry) const {
    return regions[static_cast<std::size_t>(ry) * regionColumns + rx];
  }

  // Cell (x, y), inside the grid, now holds `material` and may differ in
  // any field: the cells within reach wake. A sleeping cell that the latest
  // step passed by with its mark gets the mark written before it wakes.
  void Changed(PixelGrid& grid, int x, int y, std::uint8_t material) {
    std::uint8_t& copy = materials[Index(x, y)];
    copy = static_cast<std::uint8_t>((copy & kHandledBit) | material);
    // Most changes have all their reach inside one region.
    const int cx = x & (kRegionSize - 1), cy = y & (kRegionSize - 1);
    if (static_cast<unsigned>(cx - kReachColumns) < static_cast<unsigned>(kRegionSize - 2 * kReachColumns) &&
        static_cast<unsigned>(cy - kReachRows) < static_cast<unsigned>(kRegionSize - 2 * kReachRows)) {
      Region& r = RegionAt(x >> kRegionShift, y >> kRegionShift);
      r.lastChange = stepCount;
      r.stale = true;
      if (!r.allAwake) WakeWithin(grid, x >> kRegionShift, y >> kRegionShift, x, y);
      return;
    }
    ChangedNearEdge(grid, x, y);
  }
  // Works out which cells of the region sleep, from the material copy.
  void WorkOut(int rx, int ry);

  void BeginStep(int x0, int x1, int y0, int y1);
  void EndStep();
  // The latest step passed the cell by asleep where it would have marked it
  // handled (sand on a floor, ice, stone): WasUpdated's other half.
  bool PassedWithMark(int x, int y, std::uint16_t stamp) const;
  // The step stamps wrapped: no region was walked by a step with the new ones.
  void ForgetStamps();

  int width = 0, height = 0;
  int stride = 0;  // bytes per column of `materials`
  int regionColumns = 0, regionRows = 0;
  std::vector<std::uint8_t> materials;
  // Per region column (Word): awake cells, sleeping cells that draw one
  // number, sleeping cells the step marks handled. Bit b is row 32 ry + b.
  std::vector<std::uint32_t> awake, draws, marks;
  std::vector<Region> regions;
  std::vector<std::uint32_t> handled;  // indices of kHandledBit, cleared when the step ends
  std::size_t handledCount = 0;
  std::uint32_t stepCount = 0;
  // The window of the latest step; while it runs, the cell being stepped.
  int windowX0 = 0, windowX1 = 0, windowY0 = 0, windowY1 = 0;
  bool stepping = false;
  int walkX = 0, walkY = 0;

 private:
  bool PassedBy(int x, int y, std::uint16_t stamp) const;
  void KeepMarks(PixelGrid& grid, int x, int regionY, std::uint32_t rows);
  void Wake(PixelGrid& grid, int x, int regionY, std::size_t word, std::uint32_t rows);
  void ChangedNearEdge(PixelGrid& grid, int x, int y);
  void WakeWithin(PixelGrid& grid, int rx, int ry, int x, int y);
  void WakeWhole(PixelGrid& grid, int rx, int ry);
};

}  // namespace world
