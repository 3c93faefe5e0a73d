// The optimised step checked cell for cell against a plain version that
// clears a flag array every step, on seeded random worlds.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "tests/world/grid_art.h"
#include "world/pixel_grid.h"
#include "world/world_random.h"

using namespace world;

namespace {

struct ReferenceStep {
  PixelGrid& g;
  float dt;
  std::vector<bool> updated;

  bool In(int x, int y) { return g.InBounds(x, y); }
  Material M(int x, int y) { return g.At(x, y).material; }
  bool Clear(int x, int y) { return In(x, y) && M(x, y) == CLEAR; }
  void Mark(int x, int y) { updated[static_cast<std::size_t>(y) * g.width + x] = true; }
  static int T(float v) { return static_cast<int>(std::trunc(v)); }

  void Move(int x, int y, int nx, int ny, Material m, float vx, float vy) {
    g.SetCell(nx, ny, m, vx, vy, false);
    Mark(nx, ny);
    g.ClearCell(x, y);
  }

  void Fall(int x, int y) {
    Cell& c = g.At(x, y);
    c.velocityY = c.velocityY - 100.0f * dt;
    int target = y + T(c.velocityY);
    if (target < 0) target = 0;
    if (target == y) return;
    int dest = y;
    while (dest > target && Clear(x, dest - 1)) dest--;
    Move(x, y, x, dest, g.At(x, y).material, c.velocityX, c.velocityY);
  }

  void Rise(int x, int y) {
    Cell& c = g.At(x, y);
    c.velocityY = c.velocityY + 80.0f * dt;
    int target = y + T(c.velocityY);
    if (target < 0) target = 0;
    if (target == y) return;
    int dest = y;
    while (dest < target && Clear(x, dest + 1)) dest++;
    Move(x, y, x, dest, STEAM, c.velocityX, c.velocityY);
  }

  bool Slide(int x, int y, int dir, int row, float dvy, float dvxFirst, float dvxSecond) {
    Cell& c = g.At(x, y);
    int side;
    if (Clear(x + dir, row)) {
      side = x + dir;
      c.velocityY = c.velocityY + dvy;
      c.velocityX = c.velocityX + dvxFirst;
    } else if (Clear(x - dir, row)) {
      side = x - dir;
      c.velocityY = c.velocityY + dvy;
      c.velocityX = c.velocityX + dvxSecond;
    } else {
      return false;
    }
    if (T(c.velocityY) == 0 && T(c.velocityX) == 0) return true;
    c.velocityX = 0.0f;
    c.velocityY = 0.0f;
    Move(x, y, side, row, c.material, 0.0f, 0.0f);
    return true;
  }

  void Spread(int x, int y, int reach, float factor) {
    Cell& c = g.At(x, y);
    for (int k = reach; k >= 1; k--) {
      if (Clear(x + k, y)) {
        int e = x;
        while (e < x + k && Clear(e + 1, y)) e++;
        c.velocityX = c.velocityX + static_cast<float>(e - x) * factor * dt;
        if (T(c.velocityX) >= 1) {
          c.velocityX = 0.0f;
          Move(x, y, e, y, c.material, 0.0f, c.velocityY);
          return;
        }
      }
      if (Clear(x - k, y)) {
        int e = x;
        while (e > x - k && Clear(e - 1, y)) e--;
        c.velocityX = c.velocityX + static_cast<float>(e - x) * factor * dt;
        if (T(c.velocityX) <= -1) {
          c.velocityX = 0.0f;
          Move(x, y, e, y, c.material, 0.0f, c.velocityY);
          return;
        }
      }
    }
  }

  int Coin() { return world::rand() % 2 == 1 ? 1 : -1; }

  void Sand(int x, int y) {
    int dir = Coin();
    Cell& c = g.At(x, y);
    if (Clear(x, y - 1)) return Fall(x, y);
    if (In(x, y - 1) && M(x, y - 1) == WATER) {
      if (c.velocityY <= -5.0f) c.velocityY = c.velocityY * 0.1f;
      c.velocityY = c.velocityY - 5.0f * dt;
      int d = T(c.velocityY);
      if (d == 0) return;
      int target = y + d;
      if (target < 0) target = 0;
      int dest = y;
      while (dest > target && In(x, dest - 1) && M(x, dest - 1) == WATER) dest--;
      g.SetCell(x, dest, SAND, c.velocityX, c.velocityY, false);
      Mark(x, dest);
      g.SetCell(x, y, WATER, 0.0f, 0.0f, false);
      return;
    }
    if (!In(x + dir, y - 1)) return Mark(x, y);
    if (M(x + dir, y - 1) == WATER) {
      g.SetCell(x + dir, y - 1, SAND, c.velocityX, c.velocityY, false);
      Mark(x + dir, y - 1);
      g.SetCell(x, y, WATER, 0.0f, 0.0f, false);
    } else if (M(x + dir, y - 1) != CLEAR) {
      Mark(x, y);
    } else {
      Move(x, y, x + dir, y - 1, SAND, c.velocityX, c.velocityY);
    }
  }

  bool FindNeighbour(int x, int y, Material m, int& nx, int& ny) {
    for (int dx = -1; dx <= 1; dx++)
      for (int dy = -1; dy <= 1; dy++)
        if (!(dx == 0 && dy == 0) && In(x + dx, y + dy) && M(x + dx, y + dy) == m) {
          nx = x + dx;
          ny = y + dy;
          return true;
        }
    return false;
  }

  int Heat(int x, int y, int n) {
    int sum = 0;
    for (int dx = -1; dx <= 1; dx++)
      for (int dy = -1; dy <= 1; dy++)
        if (In(x + dx, y + dy) && M(x + dx, y + dy) == LAVA) sum += world::rand() % n;
    return sum;
  }

  void Run() {
    world::srand(static_cast<unsigned>(Now()));
    updated.assign(g.cells.size(), false);
    float aw = g.width / g.gridScale, ah = g.height / g.gridScale;
    float fx0 = g.viewOrigin.x - 0.12f * aw, fy0 = g.viewOrigin.y - 0.12f * ah;
    int x0 = fx0 < 0 ? 0 : T(fx0), y0 = fy0 < 0 ? 0 : T(fy0);
    int x1 = std::min(T(g.viewOrigin.x + 1.2f * aw), static_cast<int>(g.width));
    int y1 = std::min(T(g.viewOrigin.y + 1.2f * ah), static_cast<int>(g.height));
    if (x0 >= x1) return;
    for (int x = x0; x < x1; x++) {
      for (int y = y0; y < y1; y++) {
        Material m = M(x, y);
        if (updated[static_cast<std::size_t>(y) * g.width + x] || m == CLEAR || g.IsSurrounded(x, y, m))
          continue;
        int nx, ny;
        switch (m) {
          case SAND: Sand(x, y); break;
          case WATER: {
            int dir = Coin();
            if (Clear(x, y - 1)) Fall(x, y);
            else if (!Slide(x, y, dir, y - 1, -100.0f * dt, 100.0f * dt, -100.0f * dt)) Spread(x, y, 4, 100.0f);
            break;
          }
          case LAVA: {
            if (FindNeighbour(x, y, WATER, nx, ny)) {
              g.SetCell(nx, ny, STEAM, 0.0f, 0.0f, false);
              g.SetCell(x, y, OBSIDIAN, 0.0f, 0.0f, false);
              break;
            }
            int dir = Coin();
            if (Clear(x, y - 1)) Fall(x, y);
            else if (!Slide(x, y, dir, y - 1, -50.0f * dt, 20.0f * dt, -20.0f * dt)) Spread(x, y, 2, 20.0f);
            break;
          }
          case STEAM: {
            if (FindNeighbour(x, y, ICE, nx, ny)) {
              g.ClearCell(x, y);
              g.SetCell(x, y, WATER, 0.0f, 0.0f, false);
              break;
            }
            int dir = Coin();
            Cell& c = g.At(x, y);
            c.lifetime = c.lifetime - dt;
            if (c.lifetime <= 0.0f) {
              g.ClearCell(x, y);
              break;
            }
            if (Clear(x, y + 1)) Rise(x, y);
            else if (!Slide(x, y, dir, y + 1, 50.0f * dt, dir * 100.0f * dt, -dir * 100.0f * dt)) Spread(x, y, 3, 100.0f);
            break;
          }
          case ICE: {
            int sum = Heat(x, y, 20);
            if (world::rand() % 100 < sum) g.SetCell(x, y, WATER, 0.0f, 0.0f, false);
            Mark(x, y);
            break;
          }
          case STONE: {
            int sum = Heat(x, y, 4);
            if (world::rand() % 100 >= sum) g.SetCell(x, y, STONE, 0.0f, 0.0f, g.At(x, y).dark != 0);
            else g.ClearCell(x, y);
            Mark(x, y);
            break;
          }
          default: break;
        }
      }
    }
  }
};

long long clockSeconds = 0;
long long TestClock() { return clockSeconds; }

// Pockets of every material in air, so that everything moves and reacts.
PixelGrid RandomWorld(unsigned seed, std::uint32_t width, std::uint32_t height) {
  PixelGrid grid(width, height, 1.0f);
  world::srand(seed);
  const Material palette[] = {SAND, OBSIDIAN, ICE, LAVA, WATER, STONE, STEAM};
  for (int blob = 0; blob < static_cast<int>(width * height / 40); ++blob) {
    const int cx = world::rand() % static_cast<int>(width);
    const int cy = world::rand() % static_cast<int>(height);
    const Material m = palette[world::rand() % 7];
    const int r = 1 + world::rand() % 4;
    for (int x = cx - r; x <= cx + r; ++x)
      for (int y = cy - r; y <= cy + r; ++y)
        if (world::rand() % 3 != 0) grid.SetCell(x, y, m, 0.0f, 0.0f, world::rand() % 10 == 0);
  }
  return grid;
}

void ExpectSameCells(const PixelGrid& a, const PixelGrid& b, const std::string& where) {
  ASSERT_EQ(a.cells.size(), b.cells.size());
  for (std::size_t i = 0; i < a.cells.size(); ++i) {
    const Cell& p = a.cells[i];
    const Cell& q = b.cells[i];
    const bool same = p.material == q.material && p.colour == q.colour && p.dark == q.dark &&
                      std::memcmp(&p.velocityX, &q.velocityX, sizeof(float)) == 0 &&
                      std::memcmp(&p.velocityY, &q.velocityY, sizeof(float)) == 0 &&
                      std::memcmp(&p.lifetime, &q.lifetime, sizeof(float)) == 0;
    ASSERT_TRUE(same) << where << ": cell (" << i % a.width << ", " << i / a.width << ") "
                      << gridart::ToChar(p.material) << " vs reference " << gridart::ToChar(q.material);
  }
}

TEST(ReferenceStep, OptimisedStepMatchesThePlainOneCellForCell) {
  SetClock(&TestClock);
  const float dts[] = {1.0f / 60.0f, 0.03f, 0.004f};
  for (unsigned seed = 1; seed <= 12; ++seed) {
    // Small worlds are simulated whole; the wide one also tests a moving window.
    const bool wide = seed % 3 == 0;
    PixelGrid fast = wide ? RandomWorld(seed, 900, 120) : RandomWorld(seed, 64, 48);
    PixelGrid slow = fast;
    for (int step = 0; step < 150; ++step) {
      clockSeconds = 1000 + seed * 7 + step / 20;  // new draws every 20 steps
      if (wide) {
        const ViewOrigin view{static_cast<float>(step * 3) + 0.7f, static_cast<float>(step % 7) * 3.5f};
        fast.viewOrigin = view;
        slow.viewOrigin = view;
      }
      const float dt = dts[(seed + step) % 3];
      fast.StepGrid(dt);
      ReferenceStep{slow, dt, {}}.Run();
      ExpectSameCells(fast, slow, "seed " + std::to_string(seed) + " step " + std::to_string(step));
      if (HasFatalFailure()) break;
    }
  }
  SetClock(nullptr);
}

}  // namespace
