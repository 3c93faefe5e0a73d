#include "world/pixel_grid.h"
#include "world/world_random.h"

#include <algorithm>
#include <bit>

namespace world {
namespace {

// Accelerations and spreading factors, cells per second (per second).
constexpr float kFallAcceleration = 100.0f;
constexpr float kRiseAcceleration = 80.0f;
constexpr float kSinkAcceleration = 5.0f;     // sand through water
constexpr float kSinkBrake = 0.1f;            // a fast grain loses speed entering water
constexpr float kSinkBrakeSpeed = -5.0f;
// The window reaches 12 % of a view beyond the left and bottom edges and
// 20 % beyond the right and top edges, so off-screen material near the view moves.
constexpr float kWindowBefore = 0.12f;
constexpr float kWindowAfter = 1.2f;
// rand() % n chances per lava neighbour, out of 100, of melting or wearing.
constexpr int kIceMeltRoll = 20;
constexpr int kStoneWearRoll = 4;
constexpr int kChanceRange = 100;

struct SlideRates {
  float vy;        // per second, applied to velocityY
  float vxFirst;   // per second, first side
  float vxSecond;  // per second, second side
};

struct SpreadRates {
  int reach;
  float factor;
};

constexpr SlideRates kWaterSlide{-100.0f, 100.0f, -100.0f};
constexpr SlideRates kLavaSlide{-50.0f, 20.0f, -20.0f};
constexpr float kSteamSlideVy = 50.0f;
constexpr float kSteamSlideVx = 100.0f;  // times dir: steam drifts the way its coin fell
constexpr SpreadRates kWaterSpread{4, 100.0f};
constexpr SpreadRates kLavaSpread{2, 20.0f};
constexpr SpreadRates kSteamSpread{3, 100.0f};

int Coin() { return (rand() & 1) ? 1 : -1; }

// The step walks the window column by column, but the cells are stored row
// by row: on a wide level consecutive rows land in the same cache sets. So
// the skip tests (handled this step, CLEAR, surrounded) and every look at a
// neighbour read the sleep map's column-major copy of the materials, which
// SetCell keeps in step with every write and which outlives the step.
constexpr std::uint8_t kHandledBit = SleepMap::kHandledBit;
constexpr std::uint8_t kMaterialBits = SleepMap::kMaterialBits;
constexpr int kRegionShift = SleepMap::kRegionShift;
constexpr int kRegionSize = SleepMap::kRegionSize;

// Bits lo to hi - 1 of a region column, 0 <= lo <= hi <= 32.
constexpr std::uint32_t Rows(int lo, int hi) {
  return static_cast<std::uint32_t>((1ull << hi) - (1ull << lo));
}

class Stepper {
 public:
  Stepper(PixelGrid& grid, float dt, int x0, int x1, int y0, int y1)
      : g(grid), map(grid.sleep), dt(dt), stamp(grid.stepStamp), x0(x0), x1(x1), y0(y0), y1(y1),
        rows(grid.sleep.stride), s(grid.sleep.materials.data()) {}

  // Column by column, each column region by region: awake cells are
  // stepped, sleeping ones only counted for the draws they would make.
  void Run() {
    const int firstRegion = y0 >> kRegionShift, lastRegion = (y1 - 1) >> kRegionShift;
    for (int x = x0; x < x1; ++x) {
      const int rx = x >> kRegionShift;
      for (int ry = firstRegion; ry <= lastRegion; ++ry) {
        SleepMap::Region& region = map.RegionAt(rx, ry);
        if (region.walkedStamp != stamp) Enter(region, rx, ry);
        const int regionY = ry << kRegionShift;
        WalkColumn(x, regionY, map.Word(x, ry), std::max(y0, regionY) - regionY,
                   std::min(y1, regionY + kRegionSize) - regionY);
      }
    }
    DrawSkipped();
  }

 private:
  // The first time the step reaches a region: one that has been still for
  // a while is worked out again. Never later in the step, as the cells
  // already passed by must keep the marks they were passed with.
  void Enter(SleepMap::Region& region, int rx, int ry) {
    region.walkedStamp = stamp;
    if (region.stale && map.stepCount - region.lastChange >= SleepMap::kQuietSteps) map.WorkOut(rx, ry);
  }

  // Rows lo to hi - 1 of one region column. A step can wake cells ahead of
  // it, never put any to sleep, so the awake bits are read again after each.
  void WalkColumn(int x, int regionY, std::size_t word, int lo, int hi) {
    const std::uint32_t range = Rows(lo, hi);
    const std::uint32_t awake = map.awake[word] & range;
    if (awake == range) {
      // The copy never moves during a step: walk it with a pointer.
      const std::uint8_t* at = &Copy(x, regionY + lo);
      const int stride = rows;
      for (int y = regionY + lo; y < regionY + hi; ++y, ++at) StepCell(x, y, at, stride);
      return;
    }
    int at = lo;
    for (;;) {
      const std::uint32_t ahead = map.awake[word] & Rows(at, hi);
      const int next = ahead ? std::countr_zero(ahead) : hi;
      skippedDraws += static_cast<unsigned>(CountRows(map.draws[word] & Rows(at, next)));
      if (!ahead) return;
      StepCell(x, regionY + next, &Copy(x, regionY + next), rows);
      at = next + 1;
    }
  }

  // The draws of the cells passed by, before anything draws after them.
  void DrawSkipped() {
    if (skippedDraws == 0) return;
    SkipDraws(skippedDraws);
    skippedDraws = 0;
  }

  // The skip tests of the plain step: CLEAR, handled this step, surrounded.
  void StepCell(int x, int y, const std::uint8_t* at, int stride) {
    const std::uint8_t b = *at;
    if (b == CLEAR || (b & kHandledBit)) return;
    const auto m = static_cast<Material>(b & kMaterialBits);
    if (!Surrounded(at, stride, m)) Step(x, y, m);
  }

  // Out of line, so that the skip tests above stay in the walk's loop.
  [[gnu::noinline]] void Step(int x, int y, Material m) {
    DrawSkipped();
    map.walkX = x;
    map.walkY = y;
    Cell& c = g.At(x, y);
    switch (m) {
      case SAND: Sand(x, y, c); break;
      case WATER: Water(x, y, c); break;
      case LAVA: Lava(x, y, c); break;
      case STEAM: Steam(x, y, c); break;
      case ICE: Ice(x, y, c); break;
      case STONE: Stone(x, y, c); break;
      default: break;  // OBSIDIAN never changes
    }
  }

  std::uint8_t& Copy(int x, int y) { return s[map.Index(x, y)]; }
  std::uint8_t CopyAt(int x, int y) const { return s[map.Index(x, y)]; }

  // IsSurrounded on the copy: its border cells outside the grid never match.
  static bool Surrounded(const std::uint8_t* at, int stride, Material m) {
    const std::uint8_t* l = at - stride;
    const std::uint8_t* r = at + stride;
    const int matches = ((l[-1] & kMaterialBits) == m) + ((l[0] & kMaterialBits) == m) +
                        ((l[1] & kMaterialBits) == m) + ((at[-1] & kMaterialBits) == m) +
                        ((at[1] & kMaterialBits) == m) + ((r[-1] & kMaterialBits) == m) +
                        ((r[0] & kMaterialBits) == m) + ((r[1] & kMaterialBits) == m);
    return matches >= kSurroundedFrom;
  }

  // Every write of the step changes the cell (the stone that would rewrite
  // itself unchanged is left alone), so the map is told without comparing.
  void Set(int x, int y, Material m, float vx, float vy, bool dark) {
    WriteMaterial(g.At(x, y), m, vx, vy, dark);
    map.Changed(g, x, y, static_cast<std::uint8_t>(m));
  }
  void Clear(int x, int y) { Set(x, y, CLEAR, 0.0f, 0.0f, false); }

  // Reads the copy: every cell a step looks at lies inside its border.
  bool Holds(int x, int y, Material m) const { return (CopyAt(x, y) & kMaterialBits) == m; }
  bool IsClear(int x, int y) const { return Holds(x, y, CLEAR); }
  // The cell being stepped: nothing comes back to it this step.
  void Mark(int x, int y) { g.At(x, y).updated = stamp; }
  // A cell moved into: passed by when the walk reaches it.
  void MarkMoved(int x, int y) {
    Mark(x, y);
    const std::size_t i = map.Index(x, y);
    s[i] |= kHandledBit;
    if (map.handledCount < map.handled.size()) {
      map.handled[map.handledCount] = static_cast<std::uint32_t>(i);
    } else {
      map.handled.push_back(static_cast<std::uint32_t>(i));  // a window larger than the grid was built for
    }
    ++map.handledCount;
  }

  void MoveTo(int sx, int sy, int dx, int dy, Material m, float vx, float vy) {
    Set(dx, dy, m, vx, vy, false);
    MarkMoved(dx, dy);
    Clear(sx, sy);
  }

  // Down for falling materials (step -1), up for steam (step +1).
  void FallOrRise(int x, int y, Cell& c, Material m, float acceleration, int step) {
    c.velocityY = c.velocityY + acceleration * dt;
    long long target = y + TruncateToCell(c.velocityY);
    if (target < 0) target = 0;
    if (target == y) return;
    int dest = y;
    while ((step < 0 ? dest - 1 >= target : dest + 1 <= target) && IsClear(x, dest + step)) dest += step;
    // A velocity pointing the other way walks nowhere; moving onto itself
    // would erase the cell, so it simply waits.
    if (dest == y) return;
    MoveTo(x, y, x, dest, m, c.velocityX, c.velocityY);
  }

  // True when one of the two diagonal cells was free, whether or not the
  // accumulated velocity was enough to move into it.
  bool Slide(int x, int y, Cell& c, Material m, int dir, int rowStep, const SlideRates& rates) {
    const int row = y + rowStep;
    int side;
    float vxRate;
    if (IsClear(x + dir, row)) {
      side = x + dir;
      vxRate = rates.vxFirst;
    } else if (IsClear(x - dir, row)) {
      side = x - dir;
      vxRate = rates.vxSecond;
    } else {
      return false;
    }
    c.velocityY = c.velocityY + rates.vy * dt;
    c.velocityX = c.velocityX + vxRate * dt;
    if (TruncateToCell(c.velocityY) == 0 && TruncateToCell(c.velocityX) == 0) return true;
    MoveTo(x, y, side, row, m, 0.0f, 0.0f);
    return true;
  }

  int SpreadEnd(int x, int y, int k, int step) const {
    int e = x;
    while (e != x + step * k && IsClear(e + step, y)) e += step;
    return e;
  }

  void SpreadMove(int x, int y, int e, Cell& c, Material m) {
    c.velocityX = 0.0f;
    MoveTo(x, y, e, y, m, 0.0f, c.velocityY);
  }

  void Spread(int x, int y, Cell& c, Material m, const SpreadRates& rates) {
    for (int k = rates.reach; k >= 1; --k) {
      if (IsClear(x + k, y)) {
        const int e = SpreadEnd(x, y, k, 1);
        c.velocityX = c.velocityX + static_cast<float>(e - x) * rates.factor * dt;
        if (TruncateToCell(c.velocityX) >= 1 && e != x) return SpreadMove(x, y, e, c, m);
      }
      if (IsClear(x - k, y)) {
        const int e = SpreadEnd(x, y, k, -1);
        c.velocityX = c.velocityX + static_cast<float>(e - x) * rates.factor * dt;
        if (TruncateToCell(c.velocityX) <= -1 && e != x) return SpreadMove(x, y, e, c, m);
      }
    }
  }

  void Liquid(int x, int y, Cell& c, Material m, const SlideRates& slide, const SpreadRates& spread) {
    const int dir = Coin();
    if (IsClear(x, y - 1)) return FallOrRise(x, y, c, m, -kFallAcceleration, -1);
    if (!Slide(x, y, c, m, dir, -1, slide)) Spread(x, y, c, m, spread);
  }

  void Water(int x, int y, Cell& c) { Liquid(x, y, c, WATER, kWaterSlide, kWaterSpread); }

  void Sand(int x, int y, Cell& c) {
    const int dir = Coin();
    if (IsClear(x, y - 1)) return FallOrRise(x, y, c, SAND, -kFallAcceleration, -1);
    if (Holds(x, y - 1, WATER)) return Sink(x, y, c);
    const int dx = x + dir;
    const float vx = c.velocityX, vy = c.velocityY;
    const std::uint8_t below = CopyAt(dx, y - 1) & kMaterialBits;  // kOutsideGrid beyond the grid
    if (below == WATER) {
      Set(dx, y - 1, SAND, vx, vy, false);
      MarkMoved(dx, y - 1);
      Set(x, y, WATER, 0.0f, 0.0f, false);
    } else if (below != CLEAR) {
      Mark(x, y);
    } else {
      MoveTo(x, y, dx, y - 1, SAND, vx, vy);
    }
  }

  void Sink(int x, int y, Cell& c) {
    if (c.velocityY <= kSinkBrakeSpeed) c.velocityY = c.velocityY * kSinkBrake;
    c.velocityY = c.velocityY - kSinkAcceleration * dt;
    const long long d = TruncateToCell(c.velocityY);
    if (d == 0) return;
    long long target = y + d;
    if (target < 0) target = 0;
    int dest = y;
    while (dest - 1 >= target && Holds(x, dest - 1, WATER)) --dest;
    if (dest == y) return;  // rising sand: see FallOrRise
    Set(x, dest, SAND, c.velocityX, c.velocityY, false);
    MarkMoved(x, dest);
    Set(x, y, WATER, 0.0f, 0.0f, false);
  }

  void Lava(int x, int y, Cell& c) {
    for (int dx = -1; dx <= 1; ++dx) {
      for (int dy = -1; dy <= 1; ++dy) {
        if ((dx != 0 || dy != 0) && Holds(x + dx, y + dy, WATER)) {
          Set(x + dx, y + dy, STEAM, 0.0f, 0.0f, false);
          Set(x, y, OBSIDIAN, 0.0f, 0.0f, false);
          return;
        }
      }
    }
    Liquid(x, y, c, LAVA, kLavaSlide, kLavaSpread);
  }

  void Steam(int x, int y, Cell& c) {
    for (int dx = -1; dx <= 1; ++dx) {
      for (int dy = -1; dy <= 1; ++dy) {
        if ((dx != 0 || dy != 0) && Holds(x + dx, y + dy, ICE)) {
          Clear(x, y);
          Set(x, y, WATER, 0.0f, 0.0f, false);
          return;
        }
      }
    }
    const int dir = Coin();
    c.lifetime = c.lifetime - dt;
    if (c.lifetime <= 0.0f) return Clear(x, y);
    if (IsClear(x, y + 1)) return FallOrRise(x, y, c, STEAM, kRiseAcceleration, 1);
    const SlideRates slide{kSteamSlideVy, static_cast<float>(dir) * kSteamSlideVx,
                           static_cast<float>(-dir) * kSteamSlideVx};
    if (!Slide(x, y, c, STEAM, dir, 1, slide)) Spread(x, y, c, STEAM, kSteamSpread);
  }

  // One rand() % roll per lava cell among the 9 (itself included).
  int LavaHeat(int x, int y, int roll) const {
    int sum = 0;
    for (int dx = -1; dx <= 1; ++dx)
      for (int dy = -1; dy <= 1; ++dy)
        if (Holds(x + dx, y + dy, LAVA)) sum += rand() % roll;
    return sum;
  }

  void Ice(int x, int y, Cell&) {
    const int heat = LavaHeat(x, y, kIceMeltRoll);
    if (rand() % kChanceRange < heat) Set(x, y, WATER, 0.0f, 0.0f, false);
    Mark(x, y);
  }

  void Stone(int x, int y, Cell& c) {
    const int heat = LavaHeat(x, y, kStoneWearRoll);
    if (rand() % kChanceRange >= heat) {
      // Rewriting stone changes it only when it was written by hand.
      if (CopyAt(x, y) & SleepMap::kRewrittenBit) Set(x, y, STONE, 0.0f, 0.0f, c.dark != 0);
    } else {
      Clear(x, y);
    }
    Mark(x, y);
  }

  PixelGrid& g;
  SleepMap& map;
  const float dt;
  const std::uint16_t stamp;
  const int x0, x1, y0, y1;  // the simulated window
  const int rows;            // bytes per column of the copy
  std::uint8_t* s;
  unsigned long long skippedDraws = 0;  // drawn by cells passed by, not yet skipped over
};

}  // namespace

void PixelGrid::StepGrid(float dt) {
  srand(static_cast<unsigned>(Now()));
  if (++stepStamp == 0) {
    // The stamp wrapped: forget every old stamp once, then start again at 1.
    for (Cell& cell : cells) cell.updated = 0;
    sleep.ForgetStamps();
    stepStamp = 1;
  }
  if (cells.empty() || !(gridScale > 0.0f)) return;

  const float aw = static_cast<float>(width) / gridScale;
  const float ah = static_cast<float>(height) / gridScale;
  const float left = viewOrigin.x - kWindowBefore * aw;
  const float bottom = viewOrigin.y - kWindowBefore * ah;
  const long long x0 = left < 0.0f ? 0 : TruncateToCell(left);
  const long long y0 = bottom < 0.0f ? 0 : TruncateToCell(bottom);
  const long long x1 = std::min<long long>(TruncateToCell(viewOrigin.x + kWindowAfter * aw), width);
  const long long y1 = std::min<long long>(TruncateToCell(viewOrigin.y + kWindowAfter * ah), height);
  if (x0 >= x1 || y0 >= y1) return;

  const int wx0 = static_cast<int>(x0), wx1 = static_cast<int>(x1);
  const int wy0 = static_cast<int>(y0), wy1 = static_cast<int>(y1);
  // Built with the grid; only a grid assembled field by field builds it here.
  if (!sleep.Fits(*this)) PrepareStep();
  sleep.BeginStep(wx0, wx1, wy0, wy1);
  Stepper(*this, dt, wx0, wx1, wy0, wy1).Run();
  sleep.EndStep();
}

}  // namespace world
