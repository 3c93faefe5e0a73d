// The step that passes sleeping cells by, checked against the plain step
// after every step: every field of every cell, whether the step handled it,
// and the generator's state. On seeded worlds and on every shipped level,
// with blasts, painting, cells written by hand and a view that pans and jumps.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <tuple>

#include "tests/world/grid_art.h"
#include "tests/world/reference_step.h"
#include "world/level_image.h"

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

bool SameFields(const Cell& p, const Cell& q) {
  const auto bits = [](float v) { return std::bit_cast<std::uint32_t>(v); };
  return p.material == q.material && bits(p.velocityX) == bits(q.velocityX) && bits(p.velocityY) == bits(q.velocityY) &&
         bits(p.lifetime) == bits(q.lifetime) && p.dark == q.dark && p.colour == q.colour;
}

// The fast grid and the plain one, disturbed alike between steps by a
// generator of the test's own (the world's is reseeded by every step).
struct Twins {
  PixelGrid fast, slow;
  std::uint32_t dice;

  int Roll(int n) {
    dice = dice * 1103515245u + 12345u;
    return static_cast<int>((dice >> 8) % static_cast<std::uint32_t>(n));
  }

  void View(float x, float y) { fast.viewOrigin = slow.viewOrigin = {x, y}; }

  // A blast or painting near the view, now and then. Cells painted still
  // hold -0.0, which only the plain step's additions of 0.0 turn to +0.0.
  void Disturb() {
    const int x = static_cast<int>(fast.viewOrigin.x) - 40 + Roll(std::min<int>(fast.width, 440));
    const int y = static_cast<int>(fast.viewOrigin.y) - 20 + Roll(std::min<int>(fast.height, 260));
    const int what = Roll(4), radius = 2 + Roll(12);
    const auto m = static_cast<Material>(Roll(kMaterialCount));
    for (PixelGrid* g : {&fast, &slow}) {
      if (what == 0) g->Blast(x, y, radius);
      if (what == 1) g->StampBlock(x, y, m);
      if (what == 2) g->SetCell(x, y, m, 30.0f, -45.0f, false);
      for (int i = 0; what == 3 && i < 2 * radius; ++i)  // a mixed block two rows high
        g->SetCell(x + i / 2, y - i % 2, static_cast<Material>((m + i * i / 3) % kMaterialCount), -0.0f, -0.0f, false);
    }
  }

  // Both step; then the first cell that differs, if any, and the generators.
  void Step(float dt, const std::string& where) {
    fast.StepGrid(dt);
    const unsigned fastState = RandomState();
    ReferenceStep reference{slow, dt, {}};
    reference.Run();
    ASSERT_EQ(fastState, RandomState()) << where << ": the generator";
    for (int y = 0, i = 0; y < static_cast<int>(fast.height); ++y) {
      for (int x = 0; x < static_cast<int>(fast.width); ++x, ++i) {
        const Cell &p = fast.cells[i], &q = slow.cells[i];
        const bool mine = fast.WasUpdated(x, y), plain = reference.updated[i];
        if (SameFields(p, q) && mine == plain) continue;
        ASSERT_EQ(State(p, mine), State(q, plain)) << where << ": cell (" << x << ", " << y << ") "
                                                   << gridart::ToChar(p.material) << " vs plain "
                                                   << gridart::ToChar(q.material);
      }
    }
  }
};

TEST(ReferenceStep, SeededWorldsStepAsThePlainStepDoes) {
  SetClock(&gridart::FixedClock);
  const float dts[] = {1.0f / 60.0f, 0.03f, 0.004f};
  for (unsigned seed = 1; seed <= 12; ++seed) {
    // Small worlds are simulated whole; the wide ones also test a moving window.
    const bool wide = seed % 3 == 0;
    Twins w{wide ? RandomWorld(seed, 900, 120) : RandomWorld(seed, 64, 48), {}, seed};
    // Cells written by hand, the step told afterwards: a stone that its own
    // rewrite would change, a grain at rest with -0.0 in it.
    w.fast.At(5, 5) = Cell{STONE, 0.0f, 0.0f, 0, 0, kLifetimeNeverSet, {1, 2, 3, 255}};
    w.fast.At(9, 0) = Cell{SAND, -0.0f, -0.0f, 0, 0, kLifetimeNeverSet, BaseColour(SAND)};
    w.fast.PrepareStep();
    w.slow = w.fast;
    for (int step = 0; step < 150; ++step) {
      gridart::fixedSeconds = 1000 + seed * 7 + step / 20;  // new draws every 20 steps
      if (wide) w.View(step * 3 + 0.7f, (step % 7) * 3.5f);
      if (step % 2 == 0) w.Disturb();
      w.Step(dts[(seed + step) % 3], "seed " + std::to_string(seed) + " step " + std::to_string(step));
      if (HasFatalFailure()) return SetClock(nullptr);
    }
  }
  SetClock(nullptr);
}

// Cells at the edge of what decides their fate, painted still with -0.0,
// which only a step that steps them turns to +0.0 (by adding 0.0).
TEST(ReferenceStep, CellsJustWithinReachAreStepped) {
  gridart::UseClockForFirstCoin(1);
  const struct { gridart::Rows rows; int x, y; } cases[] = {
      {{"w###.", "#####"}, 0, 1}, {{".###w", "#####"}, 4, 1},  // water spreads 4 cells
      {{"l#.", "###"}, 0, 1}, {{".#l", "###"}, 2, 1},          // lava 2
  };
  for (const auto& c : cases) {
    PixelGrid grid = gridart::Make(c.rows);
    grid.SetCell(c.x, c.y, grid.At(c.x, c.y).material, -0.0f, -0.0f, false);
    Twins w{grid, grid, 1};
    for (int step = 0; step < 3 && !HasFatalFailure(); ++step)
      w.Step(1.0f / 60.0f, testing::PrintToString(c.rows) + " step " + std::to_string(step));
  }
  SetClock(nullptr);
}

TEST(ReferenceStep, ShippedLevelsStepAsThePlainStepDoes) {
  SetClock(&gridart::FixedClock);
  gridart::fixedSeconds = 1700000000;
  int levels = 0;
  for (const auto& file : std::filesystem::directory_iterator("Assets/Levels")) {
    if (file.path().extension() != ".bmp") continue;
    ++levels;
    std::string error;
    const std::unique_ptr<PixelGrid> level = ReadLevelImage(file.path().string(), 5.0f, error);
    ASSERT_TRUE(level) << file.path() << ": " << error;
    Twins w{*level, *level, static_cast<std::uint32_t>(levels)};
    // From the player's start the view pans right and bobs, and every 20
    // steps jumps somewhere else, edges and beyond included.
    float x = static_cast<float>(level->playerSpawn.x) - 192.0f, y = static_cast<float>(level->playerSpawn.y) - 108.0f;
    for (int step = 0; step < 60; ++step) {
      gridart::fixedSeconds += step % 30 == 0;
      if (step % 20 == 19) {
        x = static_cast<float>(w.Roll(static_cast<int>(level->width) + 200) - 100);
        y = static_cast<float>(w.Roll(static_cast<int>(level->height) + 100) - 50);
      }
      w.View(x += 2.5f, y + static_cast<float>(step % 16) * 0.75f);
      if (step % 3 == 0) w.Disturb();
      w.Step(1.0f / 60.0f, file.path().filename().string() + " step " + std::to_string(step));
      if (HasFatalFailure()) return SetClock(nullptr);
    }
  }
  EXPECT_GE(levels, 12) << "every level and the menu's";
  SetClock(nullptr);
}

}  // namespace
