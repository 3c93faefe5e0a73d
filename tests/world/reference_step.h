#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

#include "world/pixel_grid.h"
#include "world/world_random.h"

// The world step written plainly, clearing a flag array every step: the
// optimised StepGrid is checked against it, and the benchmarks measure it.
namespace world_test {

using namespace world;

struct ReferenceStep {
  PixelGrid& g;
  float dt;
  std::vector<bool> updated;

  bool Is(int x, int y, Material m) { return g.InBounds(x, y) && g.At(x, y).material == m; }
  bool Clear(int x, int y) { return Is(x, y, CLEAR); }
  void Mark(int x, int y) { updated[static_cast<std::size_t>(y) * g.width + x] = true; }
  static int T(float v) { return static_cast<int>(std::trunc(v)); }
  int Coin() { return world::rand() % 2 == 1 ? 1 : -1; }

  // Leaves CLEAR behind, or the water that sinking sand swapped places with.
  void Move(int x, int y, int nx, int ny, Material m, float vx, float vy, Material left = CLEAR) {
    g.SetCell(nx, ny, m, vx, vy, false);
    Mark(nx, ny);
    g.SetCell(x, y, left, 0.0f, 0.0f, false);
  }

  // Falls (dir -1) or rises (dir +1) through clear cells as far as the velocity reaches.
  void Fall(int x, int y, float acceleration, int dir) {
    Cell& c = g.At(x, y);
    c.velocityY = c.velocityY + acceleration * dt;
    const int target = std::max(y + T(c.velocityY), 0);
    int dest = y;
    while (dir * (target - dest) > 0 && Clear(x, dest + dir)) dest += dir;
    if (dest != y) Move(x, y, x, dest, c.material, c.velocityX, c.velocityY);
  }

  bool Slide(int x, int y, int dir, int row, float dvy, float dvxFirst, float dvxSecond) {
    Cell& c = g.At(x, y);
    const int side = Clear(x + dir, row) ? x + dir : Clear(x - dir, row) ? x - dir : x;
    if (side == x) return false;
    c.velocityY = c.velocityY + dvy;
    c.velocityX = c.velocityX + (side == x + dir ? dvxFirst : dvxSecond);
    if (T(c.velocityY) != 0 || T(c.velocityX) != 0) Move(x, y, side, row, c.material, 0.0f, 0.0f);
    return true;
  }

  void Spread(int x, int y, int reach, float factor) {
    Cell& c = g.At(x, y);
    for (int k = reach; k >= 1; k--) {
      for (int s : {1, -1}) {
        if (!Clear(x + s * k, y)) continue;
        int e = x;
        while (e != x + s * k && Clear(e + s, y)) e += s;
        c.velocityX = c.velocityX + static_cast<float>(e - x) * factor * dt;
        if (s * T(c.velocityX) >= 1 && e != x) return Move(x, y, e, y, c.material, 0.0f, c.velocityY);
      }
    }
  }

  void Liquid(int x, int y, float slideVy, float slideVx, int reach, float factor) {
    const int dir = Coin();
    if (Clear(x, y - 1)) return Fall(x, y, -100.0f, -1);
    if (!Slide(x, y, dir, y - 1, slideVy * dt, slideVx * dt, -slideVx * dt)) Spread(x, y, reach, factor);
  }

  void Sand(int x, int y) {
    const int dir = Coin();
    Cell& c = g.At(x, y);
    if (Clear(x, y - 1)) return Fall(x, y, -100.0f, -1);
    if (Is(x, y - 1, WATER)) {  // sinks, a fast grain braked to a tenth first
      if (c.velocityY <= -5.0f) c.velocityY = c.velocityY * 0.1f;
      c.velocityY = c.velocityY - 5.0f * dt;
      const int target = std::max(y + T(c.velocityY), 0);
      int dest = y;
      while (dest > target && Is(x, dest - 1, WATER)) dest--;
      if (dest != y) Move(x, y, x, dest, SAND, c.velocityX, c.velocityY, WATER);
    } else if (Is(x + dir, y - 1, WATER)) {
      Move(x, y, x + dir, y - 1, SAND, c.velocityX, c.velocityY, WATER);
    } else if (Clear(x + dir, y - 1)) {
      Move(x, y, x + dir, y - 1, SAND, c.velocityX, c.velocityY);
    } else {
      Mark(x, y);
    }
  }

  // The first neighbour holding m, scanning dx then dy from -1.
  bool Neighbour(int x, int y, Material m, int& nx, int& ny) {
    for (nx = x - 1; nx <= x + 1; nx++)
      for (ny = y - 1; ny <= y + 1; ny++)
        if ((nx != x || ny != y) && Is(nx, ny, m)) return true;
    return false;
  }

  // One draw of rand() % n per lava cell among the nine.
  int Heat(int x, int y, int n) {
    int sum = 0;
    for (int dx = -1; dx <= 1; dx++)
      for (int dy = -1; dy <= 1; dy++)
        if (Is(x + dx, y + dy, LAVA)) sum += world::rand() % n;
    return sum;
  }

  void Run() {
    world::srand(static_cast<unsigned>(Now()));
    updated.assign(g.cells.size(), false);
    const float aw = g.width / g.gridScale, ah = g.height / g.gridScale;
    const float fx0 = g.viewOrigin.x - 0.12f * aw, fy0 = g.viewOrigin.y - 0.12f * ah;
    const int x0 = fx0 < 0 ? 0 : T(fx0), y0 = fy0 < 0 ? 0 : T(fy0);
    const int x1 = std::min(T(g.viewOrigin.x + 1.2f * aw), static_cast<int>(g.width));
    const int y1 = std::min(T(g.viewOrigin.y + 1.2f * ah), static_cast<int>(g.height));
    for (int x = x0; x < x1; x++) {
      for (int y = y0; y < y1; y++) {
        const Material m = g.At(x, y).material;
        if (updated[static_cast<std::size_t>(y) * g.width + x] || m == CLEAR || g.IsSurrounded(x, y, m)) continue;
        Cell& c = g.At(x, y);
        int nx, ny;
        if (m == SAND) {
          Sand(x, y);
        } else if (m == WATER) {
          Liquid(x, y, -100.0f, 100.0f, 4, 100.0f);
        } else if (m == LAVA && Neighbour(x, y, WATER, nx, ny)) {
          g.SetCell(nx, ny, STEAM, 0.0f, 0.0f, false);
          g.SetCell(x, y, OBSIDIAN, 0.0f, 0.0f, false);
        } else if (m == LAVA) {
          Liquid(x, y, -50.0f, 20.0f, 2, 20.0f);
        } else if (m == STEAM && Neighbour(x, y, ICE, nx, ny)) {
          g.ClearCell(x, y);
          g.SetCell(x, y, WATER, 0.0f, 0.0f, false);
        } else if (m == STEAM) {
          const int dir = Coin();
          c.lifetime = c.lifetime - dt;
          if (c.lifetime <= 0.0f) g.ClearCell(x, y);
          else if (Clear(x, y + 1)) Fall(x, y, 80.0f, 1);
          else if (!Slide(x, y, dir, y + 1, 50.0f * dt, dir * 100.0f * dt, -dir * 100.0f * dt)) Spread(x, y, 3, 100.0f);
        } else if (m == ICE || m == STONE) {  // the heat is drawn before the chance
          const int heat = Heat(x, y, m == ICE ? 20 : 4);
          const bool changes = world::rand() % 100 < heat;
          if (m == ICE && changes) g.SetCell(x, y, WATER, 0.0f, 0.0f, false);
          if (m == STONE && changes) g.ClearCell(x, y);
          if (m == STONE && !changes) g.SetCell(x, y, STONE, 0.0f, 0.0f, c.dark != 0);
          Mark(x, y);
        }
      }
    }
  }
};

}  // namespace world_test
