#include "world/sleep_map.h"

#include <algorithm>
#include <bit>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "world/pixel_grid.h"

namespace world {
namespace {

constexpr int kSize = SleepMap::kRegionSize;
constexpr int kShift = SleepMap::kRegionShift;

// Bits lo to hi - 1 of a region column, 0 <= lo <= hi <= 32.
constexpr std::uint32_t Rows(int lo, int hi) {
  return static_cast<std::uint32_t>((1ull << hi) - (1ull << lo));
}

// Working out a region reads 64-bit columns whose bit i is row Y - 1 + i:
// the region's 32 rows and one row on each side.
constexpr int kMaskRows = kSize + 2;
constexpr std::uint64_t Below(std::uint64_t column) { return column << 1; }  // bit i: the row under i
constexpr std::uint64_t Above(std::uint64_t column) { return column >> 1; }

// The cells with a neighbour set in the three columns (left, own, right).
constexpr std::uint64_t AnyNeighbour(std::uint64_t l, std::uint64_t h, std::uint64_t r) {
  return Below(l) | l | Above(l) | Below(h) | Above(h) | Below(r) | r | Above(r);
}

// The cells with at least kSurroundedFrom of their 8 neighbours set: at
// most two misses, counted a bit plane at a time.
constexpr std::uint64_t Surrounded(std::uint64_t l, std::uint64_t h, std::uint64_t r) {
  static_assert(kSurroundedFrom == 6, "counts up to three misses");
  const std::uint64_t neighbours[] = {Below(l), l, Above(l), Below(h), Above(h), Below(r), r, Above(r)};
  std::uint64_t one = 0, two = 0, three = 0;
  for (std::uint64_t n : neighbours) {
    const std::uint64_t miss = ~n;
    three |= two & miss;
    two |= one & miss;
    one |= miss;
  }
  return ~three;
}

struct ColumnMasks {
  std::uint64_t of[kMaterialCount];  // the rows holding each material
  std::uint64_t rewritten;           // STONE with kRewrittenBit
};

// The masks of kMaskRows bytes of the copy from `copy`, of which the first
// `rows` are the column's (the rest may be the next column's, or padding).
ColumnMasks ReadColumn(const std::uint8_t* copy, int rows) {
  ColumnMasks m{};
  const std::uint64_t valid = (1ull << rows) - 1;
#if defined(__SSE2__)
  // Sixteen rows at a time: rows 0-15, 16-31 and 18-33 (overlapping).
  constexpr int kLastBlock = kMaskRows - 16;
  const __m128i blocks[] = {_mm_loadu_si128(reinterpret_cast<const __m128i*>(copy)),
                            _mm_loadu_si128(reinterpret_cast<const __m128i*>(copy + 16)),
                            _mm_loadu_si128(reinterpret_cast<const __m128i*>(copy + kLastBlock))};
  const auto rowsOf = [&](__m128i (*test)(__m128i, __m128i), __m128i value) {
    std::uint64_t bits = 0;
    const int at[] = {0, 16, kLastBlock};
    for (int b = 0; b < 3; ++b)
      bits |= static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(test(blocks[b], value)))) << at[b];
    return bits & valid;
  };
  const auto materialIs = [](__m128i block, __m128i value) {
    return _mm_cmpeq_epi8(_mm_and_si128(block, _mm_set1_epi8(SleepMap::kMaterialBits)), value);
  };
  const auto rewritten = [](__m128i block, __m128i bit) { return _mm_cmpeq_epi8(_mm_and_si128(block, bit), bit); };
  for (int code = 0; code < kMaterialCount; ++code)
    m.of[code] = rowsOf(materialIs, _mm_set1_epi8(static_cast<char>(code)));
  m.rewritten = rowsOf(rewritten, _mm_set1_epi8(static_cast<char>(SleepMap::kRewrittenBit)));
#else
  for (int i = 0; i < rows; ++i) {
    const std::uint8_t b = copy[i];
    const int code = b & SleepMap::kMaterialBits;
    if (code < kMaterialCount) m.of[code] |= 1ull << i;
    if (b & SleepMap::kRewrittenBit) m.rewritten |= 1ull << i;
  }
#endif
  (void)valid;
  return m;
}

// The byte a cell's material copy holds, and whether it is stone that
// rewriting would change (only a cell written by hand can be).
std::uint8_t CopyOf(const Cell& c) {
  auto code = static_cast<std::uint8_t>(c.material);
  if (c.material == STONE) {
    const Rgba shade = c.dark == 1 ? kDarkStoneColour : BaseColour(STONE);
    const bool still = std::bit_cast<std::uint32_t>(c.velocityX) == 0 && std::bit_cast<std::uint32_t>(c.velocityY) == 0;
    if (c.dark > 1 || !(c.colour == shade) || !still) code |= SleepMap::kRewrittenBit;
  }
  return code;
}

}  // namespace

void SleepMap::Build(const PixelGrid& grid, std::size_t windowCells) {
  width = static_cast<int>(grid.width);
  height = static_cast<int>(grid.height);
  stride = height + 2;
  regionColumns = (width + kSize - 1) >> kShift;
  regionRows = (height + kSize - 1) >> kShift;
  // Padding after the last column: a region's top rows are read 16 at a time.
  constexpr std::size_t kPadding = kMaskRows;
  materials.assign(static_cast<std::size_t>(width + 2 * kReachColumns) * stride + kPadding, kOutsideGrid);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) materials[Index(x, y)] = CopyOf(grid.At(x, y));
  const std::size_t words = static_cast<std::size_t>(width) * regionRows;
  awake.assign(words, ~0u);
  draws.assign(words, 0u);
  marks.assign(words, 0u);
  regions.assign(static_cast<std::size_t>(regionColumns) * regionRows, Region{stepCount});
  handled.assign(windowCells, 0u);
  handledCount = 0;
}

void SleepMap::Free() { *this = SleepMap{}; }

std::size_t SleepMap::Bytes() const {
  return materials.size() + (awake.size() + draws.size() + marks.size() + handled.size()) * sizeof(std::uint32_t) +
         regions.size() * sizeof(Region);
}

void SleepMap::ChangedNearEdge(PixelGrid& grid, int x, int y) {
  const int xa = std::max(x - kReachColumns, 0), xb = std::min(x + kReachColumns, width - 1);
  const int ya = std::max(y - kReachRows, 0), yb = std::min(y + kReachRows, height - 1);
  for (int ry = ya >> kShift; ry <= yb >> kShift; ++ry) {
    for (int rx = xa >> kShift; rx <= xb >> kShift; ++rx) {
      Region& r = RegionAt(rx, ry);
      r.lastChange = stepCount;
      r.stale = true;
      if (!r.allAwake) WakeWithin(grid, rx, ry, x, y);
    }
  }
}

void SleepMap::WakeWithin(PixelGrid& grid, int rx, int ry, int x, int y) {
  Region& r = RegionAt(rx, ry);
  if (r.changesStep != stepCount) {
    r.changesStep = stepCount;
    r.changes = 0;
  }
  if (++r.changes > kBusyChanges) return WakeWhole(grid, rx, ry);
  const int regionX = rx << kShift, regionY = ry << kShift;
  const int xa = std::max(x - kReachColumns, regionX);
  const int xb = std::min({x + kReachColumns, regionX + kSize - 1, width - 1});
  const int ya = std::max(y - kReachRows, regionY), yb = std::min(y + kReachRows, regionY + kSize - 1);
  const std::uint32_t rows = Rows(ya - regionY, yb + 1 - regionY);
  for (int c = xa; c <= xb; ++c) Wake(grid, c, regionY, Word(c, ry), rows);
}

void SleepMap::Wake(PixelGrid& grid, int x, int regionY, std::size_t word, std::uint32_t rows) {
  RegionAt(x >> kShift, regionY >> kShift).changedColumns |= 1u << (x & (kSize - 1));
  const std::uint32_t waking = rows & ~awake[word];
  if (waking & marks[word]) KeepMarks(grid, x, regionY, waking & marks[word]);
  awake[word] |= waking;
}

void SleepMap::WakeWhole(PixelGrid& grid, int rx, int ry) {
  const int regionX = rx << kShift;
  for (int x = regionX; x < std::min(regionX + kSize, width); ++x) Wake(grid, x, ry << kShift, Word(x, ry), ~0u);
  RegionAt(rx, ry).allAwake = true;
}

bool SleepMap::PassedBy(int x, int y, std::uint16_t stamp) const {
  if (RegionAt(x >> kShift, y >> kShift).walkedStamp != stamp) return false;
  if (x < windowX0 || x >= windowX1 || y < windowY0 || y >= windowY1) return false;
  return !stepping || x < walkX || (x == walkX && y < walkY);
}

void SleepMap::KeepMarks(PixelGrid& grid, int x, int regionY, std::uint32_t rows) {
  for (; rows != 0; rows &= rows - 1) {
    const int y = regionY + std::countr_zero(rows);
    if (PassedBy(x, y, grid.stepStamp)) grid.At(x, y).updated = grid.stepStamp;
  }
}

bool SleepMap::PassedWithMark(int x, int y, std::uint16_t stamp) const {
  const std::size_t w = Word(x, y >> kShift);
  const std::uint32_t bit = 1u << (y & (kSize - 1));
  return (marks[w] & bit) != 0 && (awake[w] & bit) == 0 && PassedBy(x, y, stamp);
}

void SleepMap::ForgetStamps() {
  for (Region& r : regions) r.walkedStamp = 0;
}

void SleepMap::BeginStep(int x0, int x1, int y0, int y1) {
  ++stepCount;
  windowX0 = x0;
  windowX1 = x1;
  windowY0 = y0;
  windowY1 = y1;
  stepping = true;
}

void SleepMap::EndStep() {
  for (std::size_t i = 0; i < handledCount; ++i) materials[handled[i]] &= static_cast<std::uint8_t>(~kHandledBit);
  handledCount = 0;
  stepping = false;
}

void SleepMap::WorkOut(int rx, int ry) {
  Region& region = RegionAt(rx, ry);
  // Columns with no change within reach since they were worked out are as they were.
  const std::uint32_t redo = region.allAwake ? ~0u : region.changedColumns;
  // Their columns and kReachColumns either side, each with a row of border
  // above and below; beyond the copy's border nothing is held, as outside.
  constexpr int kSpan = kSize + 2 * kReachColumns;
  std::uint64_t read = 0;
  for (int k = 0; k <= 2 * kReachColumns; ++k) read |= static_cast<std::uint64_t>(redo) << k;
  ColumnMasks columns[kSpan];
  const int regionX = rx << kShift, regionY = ry << kShift;
  const int maskRows = std::min(kMaskRows, height + 2 - regionY);
  for (int j = 0; j < kSpan; ++j) {
    const int x = regionX - kReachColumns + j;
    if (!((read >> j) & 1)) continue;
    columns[j] = x < width + kReachColumns ? ReadColumn(&materials[Index(x, regionY - 1)], maskRows) : ColumnMasks{};
  }
  const auto free = [&](int j) { return columns[j].of[CLEAR]; };
  const auto freeOrWater = [&](int j) { return columns[j].of[CLEAR] | columns[j].of[WATER]; };
  const std::uint64_t cells = (1ull << (1 + std::min(kSize, height - regionY))) - 2;  // rows inside the grid
  for (int i = 0; i < kSize && regionX + i < width; ++i) {
    if (!((redo >> i) & 1)) continue;
    const int h = i + kReachColumns;  // this column; h - 1 and h + 1 its neighbours
    const ColumnMasks &left = columns[h - 1], &own = columns[h], &right = columns[h + 1];
    std::uint64_t surrounded = 0;
    for (int m = 0; m < kMaterialCount; ++m)
      if (own.of[m] & cells) surrounded |= own.of[m] & Surrounded(left.of[m], own.of[m], right.of[m]);
    // Room to fall or slide: the cell below or a diagonal below is CLEAR
    // (for sand, CLEAR or WATER); room to spread: CLEAR within reach in the row.
    const std::uint64_t roomBelow = Below(free(h) | free(h - 1) | free(h + 1));
    const std::uint64_t sandRoom = Below(freeOrWater(h) | freeOrWater(h - 1) | freeOrWater(h + 1));
    std::uint64_t lavaRoom = roomBelow, waterRoom = roomBelow;
    for (int k = 1; k <= kReachColumns; ++k) {
      const std::uint64_t side = free(h - k) | free(h + k);
      if (k <= 2) lavaRoom |= side;
      waterRoom |= side;
    }
    const std::uint64_t nearLava = AnyNeighbour(left.of[LAVA], own.of[LAVA], right.of[LAVA]);
    const std::uint64_t nearWater = AnyNeighbour(left.of[WATER], own.of[WATER], right.of[WATER]);
    const std::uint64_t sand = own.of[SAND] & ~sandRoom;
    const std::uint64_t water = own.of[WATER] & ~waterRoom;
    const std::uint64_t lava = own.of[LAVA] & ~lavaRoom & ~nearWater;
    const std::uint64_t ice = own.of[ICE] & ~nearLava;
    const std::uint64_t stone = own.of[STONE] & ~own.rewritten & ~nearLava;
    const std::uint64_t drawing = (sand | water | lava | ice | stone) & ~surrounded;
    const std::uint64_t asleep = own.of[CLEAR] | own.of[OBSIDIAN] | surrounded | drawing;
    const std::size_t w = Word(regionX + i, ry);
    awake[w] = static_cast<std::uint32_t>((cells & ~asleep) >> 1);
    draws[w] = static_cast<std::uint32_t>((cells & drawing) >> 1);
    marks[w] = static_cast<std::uint32_t>((cells & (sand | ice | stone) & ~surrounded) >> 1);
  }
  region.stale = false;
  region.allAwake = false;
  region.changedColumns = 0;
}

}  // namespace world
