// Step throughput in simulated-window cells per second (items_per_second).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "bench/typical_level.h"
#include "tests/world/reference_step.h"
#include "world/pixel_grid.h"
#include "world/world_random.h"

using namespace world;
using bench::Hash;
using bench::PaintTypicalLevel;

namespace {

constexpr float kFrame = 1.0f / 60.0f;
constexpr float kCellSize = 5.0f;  // a 1920 x 1080 window: 384 x 216 cells in view
// The step's window around the view, in views: as the world's step sizes it.
constexpr float kWindowBefore = 0.12f, kWindowAfter = 1.2f;

long long FixedClock() { return 1700000000; }

// Falling sand, flowing water and lava running into it across the whole window.
void PaintHeavyScene(PixelGrid& grid, int x0, int y0, int w, int h) {
  for (int x = x0; x < x0 + w; ++x) {
    for (int y = y0; y < y0 + h; ++y) {
      const float fy = static_cast<float>(y - y0) / h;
      const std::uint32_t r = Hash(x, y, 11) % 100;
      Material m = CLEAR;
      if (fy < 0.08f) m = STONE;
      else if (fy < 0.35f) m = r < 70 ? ((x / 64) % 3 == 0 ? LAVA : WATER) : CLEAR;
      else if (fy < 0.45f) m = (x % 40 < 4) ? STONE : CLEAR;
      else m = r < 45 ? ((x / 48) % 2 ? SAND : WATER) : CLEAR;
      grid.SetCell(x, y, m, 0.0f, 0.0f, false);
    }
  }
}

std::int64_t WindowCells(const PixelGrid& g) {
  const float aw = g.width / g.gridScale, ah = g.height / g.gridScale;
  const auto lo = [](float v) { return v < 0 ? 0ll : static_cast<long long>(v); };
  const long long x0 = lo(g.viewOrigin.x - kWindowBefore * aw), y0 = lo(g.viewOrigin.y - kWindowBefore * ah);
  const long long x1 = std::min<long long>(static_cast<long long>(g.viewOrigin.x + kWindowAfter * aw), g.width);
  const long long y1 = std::min<long long>(static_cast<long long>(g.viewOrigin.y + kWindowAfter * ah), g.height);
  return std::max(0ll, x1 - x0) * std::max(0ll, y1 - y0);
}

void Settle(PixelGrid& grid, int steps) {
  for (int i = 0; i < steps; ++i) grid.StepGrid(kFrame);
}

PixelGrid SettledTypicalLevel() {
  PixelGrid grid(1536, 864, kCellSize);  // four views wide, 16:9
  PaintTypicalLevel(grid, 0, 0, 1536, 864);
  grid.viewOrigin = {600.0f, 330.0f};
  Settle(grid, 600);
  return grid;
}

void BM_StepTypical(benchmark::State& state) {
  SetClock(&FixedClock);
  PixelGrid grid = SettledTypicalLevel();
  for (auto _ : state) grid.StepGrid(kFrame);
  state.SetItemsProcessed(state.iterations() * WindowCells(grid));
  SetClock(nullptr);
}
BENCHMARK(BM_StepTypical)->Unit(benchmark::kMicrosecond);

// The same level stepped by the plain step of the world tests.
void BM_StepTypicalPlain(benchmark::State& state) {
  SetClock(&FixedClock);
  PixelGrid grid = SettledTypicalLevel();
  for (auto _ : state) world_test::ReferenceStep{grid, kFrame, {}}.Run();
  state.SetItemsProcessed(state.iterations() * WindowCells(grid));
  SetClock(nullptr);
}
BENCHMARK(BM_StepTypicalPlain)->Unit(benchmark::kMicrosecond);

void BM_StepHeavy(benchmark::State& state) {
  SetClock(&FixedClock);
  PixelGrid fresh(768, 432, kCellSize);
  fresh.viewOrigin = {192.0f, 108.0f};
  PaintHeavyScene(fresh, 0, 0, 768, 432);
  Settle(fresh, 5);
  PixelGrid grid = fresh;
  constexpr int kStepsPerScene = 90;  // repaint before the scene settles down
  int steps = 0;
  for (auto _ : state) {
    if (++steps == kStepsPerScene) {
      state.PauseTiming();
      grid = fresh;
      steps = 0;
      state.ResumeTiming();
    }
    grid.StepGrid(kFrame);
  }
  state.SetItemsProcessed(state.iterations() * WindowCells(grid));
  SetClock(nullptr);
}
BENCHMARK(BM_StepHeavy)->Unit(benchmark::kMicrosecond);

// The same content under the same view in a small and a big level: the
// step's cost must follow the window, not the level.
void BM_StepLevelSize(benchmark::State& state) {
  SetClock(&FixedClock);
  const auto width = static_cast<std::uint32_t>(state.range(0));
  const std::uint32_t height = width * 9 / 16;
  PixelGrid grid(width, height, kCellSize);
  PaintTypicalLevel(grid, 0, 0, 768, 432);
  for (std::uint32_t x = 768; x < width; ++x)
    for (std::uint32_t y = 0; y < height; ++y) grid.SetCell(x, y, STONE, 0.0f, 0.0f, false);
  for (std::uint32_t x = 0; x < 768; ++x)
    for (std::uint32_t y = 432; y < height; ++y) grid.SetCell(x, y, STONE, 0.0f, 0.0f, false);
  grid.viewOrigin = {192.0f, 108.0f};
  Settle(grid, 300);
  for (auto _ : state) grid.StepGrid(kFrame);
  state.SetItemsProcessed(state.iterations() * WindowCells(grid));
  SetClock(nullptr);
}
BENCHMARK(BM_StepLevelSize)->Arg(768)->Arg(4096)->Unit(benchmark::kMicrosecond);

}  // namespace
