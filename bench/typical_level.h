#pragma once

#include <cmath>
#include <cstdint>

#include "world/pixel_grid.h"

// The terrain the world and level benchmarks step: what a level author draws.
namespace bench {

using namespace world;

inline std::uint32_t Hash(int x, int y, std::uint32_t seed) {
  std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u + static_cast<std::uint32_t>(y) * 668265263u +
                    seed * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  return h ^ (h >> 16);
}

// Smooth value noise in [0, 1) with features about `scale` cells across.
inline float Noise(float x, float y, float scale, std::uint32_t seed) {
  const float fx = x / scale, fy = y / scale;
  const int ix = static_cast<int>(std::floor(fx)), iy = static_cast<int>(std::floor(fy));
  const float tx = fx - ix, ty = fy - iy;
  auto v = [&](int a, int b) { return (Hash(ix + a, iy + b, seed) & 0xFFFF) / 65536.0f; };
  const float sx = tx * tx * (3 - 2 * tx), sy = ty * ty * (3 - 2 * ty);
  const float top = v(0, 1) + (v(1, 1) - v(0, 1)) * sx;
  const float bottom = v(0, 0) + (v(1, 0) - v(0, 0)) * sx;
  return bottom + (top - bottom) * sy;
}

// Stone terrain with caves, pools of water and lava in the caves, sand heaps
// and a little ice and obsidian on the surface: what a level author draws.
inline void PaintTypicalLevel(PixelGrid& grid, int x0, int y0, int w, int h) {
  for (int x = x0; x < x0 + w; ++x) {
    const float surface = y0 + h * (0.55f + 0.25f * (Noise(x, 0, 90, 1) - 0.5f) + 0.08f * (Noise(x, 0, 17, 2) - 0.5f));
    for (int y = y0; y < y0 + h; ++y) {
      Material m = CLEAR;
      if (y < surface) {
        const bool cave = Noise(x, y, 40, 3) * 0.7f + Noise(x, y, 11, 4) * 0.3f > 0.62f;
        if (!cave) {
          m = STONE;
        } else {
          // Pools settle in the lower part of the caves.
          const bool pool = Noise(x, y + 6, 40, 3) * 0.7f + Noise(x, y + 6, 11, 4) * 0.3f <= 0.62f;
          if (pool) m = Noise(x, y, 60, 5) > 0.7f ? LAVA : WATER;
        }
      } else if (y < surface + 14.0f * Noise(x, 0, 25, 6) - 6.0f) {
        m = SAND;  // heaps on the surface
      } else if (y < surface + 3 && Noise(x, 0, 50, 7) > 0.8f) {
        m = ICE;
      }
      if (m == STONE && Hash(x, y, 8) % 97 == 0) m = OBSIDIAN;
      grid.SetCell(x, y, m, 0.0f, 0.0f, Hash(x, y, 9) % 10 == 0);
    }
  }
}

}  // namespace bench
