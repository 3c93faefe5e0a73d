// The optimised step checked cell for cell against the plain version, on
// seeded random worlds.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <tuple>

#include "tests/world/grid_art.h"
#include "tests/world/reference_step.h"

using namespace world;
using world_test::ReferenceStep;

namespace {

// Pockets of every material in air, so that everything moves and reacts.
PixelGrid RandomWorld(unsigned seed, std::uint32_t width, std::uint32_t height) {
  PixelGrid grid(width, height, 1.0f);
  world::srand(seed);
  for (int blob = 0; blob < static_cast<int>(width * height / 40); ++blob) {
    const int cx = world::rand() % static_cast<int>(width), cy = world::rand() % static_cast<int>(height);
    const auto m = static_cast<Material>(world::rand() % 7);  // any but CLEAR
    const int r = 1 + world::rand() % 4;
    for (int x = cx - r; x <= cx + r; ++x)
      for (int y = cy - r; y <= cy + r; ++y)
        if (world::rand() % 3 != 0) grid.SetCell(x, y, m, 0.0f, 0.0f, world::rand() % 10 == 0);
  }
  return grid;
}

// What a step leaves in a cell, its floats bitwise so that 0.0 and -0.0 are told apart.
auto State(const Cell& c, bool updated) {
  return std::tuple(c.material, c.colour, c.dark, updated, std::bit_cast<std::uint32_t>(c.velocityX),
                    std::bit_cast<std::uint32_t>(c.velocityY), std::bit_cast<std::uint32_t>(c.lifetime));
}

TEST(ReferenceStep, OptimisedStepMatchesThePlainOneCellForCell) {
  SetClock(&gridart::FixedClock);
  const float dts[] = {1.0f / 60.0f, 0.03f, 0.004f};
  for (unsigned seed = 1; seed <= 12; ++seed) {
    // Small worlds are simulated whole; the wide one also tests a moving window.
    const bool wide = seed % 3 == 0;
    PixelGrid fast = wide ? RandomWorld(seed, 900, 120) : RandomWorld(seed, 64, 48);
    PixelGrid slow = fast;
    for (int step = 0; step < 150; ++step) {
      gridart::fixedSeconds = 1000 + seed * 7 + step / 20;  // new draws every 20 steps
      if (wide) fast.viewOrigin = slow.viewOrigin = {step * 3 + 0.7f, (step % 7) * 3.5f};
      const float dt = dts[(seed + step) % 3];
      fast.StepGrid(dt);
      ReferenceStep reference{slow, dt, {}};
      reference.Run();
      for (std::size_t i = 0; i < fast.cells.size(); ++i) {
        const Cell &p = fast.cells[i], &q = slow.cells[i];
        const int x = static_cast<int>(i % fast.width), y = static_cast<int>(i / fast.width);
        ASSERT_EQ(State(p, fast.WasUpdated(x, y)), State(q, reference.updated[i]))
            << "seed " << seed << " step " << step << ": cell (" << i % fast.width << ", " << i / fast.width
            << ") " << gridart::ToChar(p.material) << " vs reference " << gridart::ToChar(q.material);
      }
    }
  }
  SetClock(nullptr);
}

}  // namespace
