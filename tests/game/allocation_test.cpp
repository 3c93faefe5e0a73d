// Counts heap allocations while a full gameplay frame runs: pools are made
// once at level start, so stepping, spawning and exploding must not allocate.
#include <atomic>
#include <cstdlib>
#include <new>

#include <gtest/gtest.h>

#include "game/level.h"
#include "tests/game/game_test_support.h"

// The replacements pair malloc with free themselves; GCC cannot see that
// through inlining.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

namespace {
std::atomic<bool> counting{false};
std::atomic<int> allocations{0};

void* Allocate(std::size_t size) noexcept {
  if (counting) ++allocations;
  return std::malloc(size ? size : 1);
}
void* AllocateOrThrow(std::size_t size) {
  if (void* p = Allocate(size)) return p;
  throw std::bad_alloc();
}
}  // namespace

// Every plain form is replaced, so each allocation meets its own release.
void* operator new(std::size_t size) { return AllocateOrThrow(size); }
void* operator new[](std::size_t size) { return AllocateOrThrow(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }

using namespace game;
using namespace game_test;

namespace {

TEST(Allocation, LevelFramesWithEveryKindOfEnemyShotsExplosionsAndADeathAllocateNothing) {
  world::PixelGrid grid = MakeGrid(400, 150);
  Fill(grid, 0, 0, 400, 40, world::STONE);
  grid.playerSpawn = {100, 48};
  grid.treasureMarkers = grid.meleeMarkers = {{350, 48}};
  grid.batMarkers = {{150, 100}};
  grid.rifleMarkers = grid.rocketMarkers = grid.gunnerMarkers = {{250, 48}};
  game::Level level = MakeLevel(grid);
  FrameInput input{.controls = {}, .windowWidth = 1536, .windowHeight = 864};
  counting = true;
  for (int frame = 0; frame < 240; ++frame) {
    input.controls = {.right = frame % 50 < 25, .jump = frame % 40 < 10, .fire = frame % 30 == 0};
    if (frame == 120) level.meleeEnemies[0].SetHealth(0);  // bursts into debris
    StepLevel(level, input, kDt);
  }
  counting = false;
  EXPECT_EQ(allocations.load(), 0);
  EXPECT_LT(level.player.GetHealth(), 100) << "the frames did fight";
}

}  // namespace
