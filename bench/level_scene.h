#pragma once

// The level benchmarks' scene: a settled typical level with 50 walkers on the
// ground, full pools and the player running back and forth, as level_bench.cpp
// times it and level_frames.cpp counts its instructions.
#include <vector>

#include "bench/typical_level.h"
#include "game/level.h"
#include "game/random.h"
#include "world/world_random.h"

namespace bench {

using namespace game;

constexpr float kFrame = 1.0f / 60.0f;
constexpr float kCell = 5.0f;  // a 1920 x 1080 window
constexpr int kWindowWidth = 1920, kWindowHeight = 1080;
constexpr int kWidth = 1536, kHeight = 864;
constexpr int kViewX = 600;  // cells: the player runs in the middle of this view
constexpr int kWalkers = 50;
constexpr int kFramesPerScene = 60;  // then the scene is put back, walkers on the ground again

inline long long FixedClock() { return 1700000000; }

// The first free row above the ground under column x.
inline int Surface(const world::PixelGrid& g, int x) {
  for (int y = static_cast<int>(g.height) - 1; y > 0; --y)
    if (world::IsSolid(g.At(x, y).material)) return y + 1;
  return 0;
}

inline void FillPools(Level& level) {
  const float S = kCell;
  for (std::size_t i = 0; i < level.rockets.objects.size(); ++i) {
    Rocket& r = level.rockets.objects[i];
    r.position = glm::vec3((kViewX + 10.0f + (i % 20) * 18) * S, (kHeight - 60.0f - (i / 20) * 10) * S, 0);
    r.velocity = glm::vec3(RandomFloat(level.random, -300, 300), RandomFloat(level.random, 0, 100), 0) * S;
    r.scale = glm::vec2(4 * S);
    r.SetMass(0.5f);
    r.drag = 0.05f;
    r.active = true;
  }
  for (std::size_t i = 0; i < level.bullets.objects.size(); ++i) {
    Bullet& b = level.bullets.objects[i];
    b.position = glm::vec3((kViewX + 5.0f + i * 7 % 370) * S, (kHeight - 120.0f - i % 60) * S, 0);
    b.velocity = glm::vec3(RandomFloat(level.random, -200, 200), RandomFloat(level.random, 0, 50), 0) * S;
    b.scale = glm::vec2(4 * S);
    b.damage = 5;
    b.active = true;
  }
  for (Particle& p : level.smoke.objects) {
    p.position = level.player.position +
                 glm::vec3(RandomFloat(level.random, -150, 150), RandomFloat(level.random, 0, 100), 0) * S;
    p.velocity = glm::vec3(RandomFloat(level.random, -50, 50), RandomFloat(level.random, -50, 50), 0) * S;
    p.acceleration = glm::vec3(0, kGravityCells * S, 0);
    p.scale = glm::vec2(2 * S);
    p.drag = 1.5f;
    p.SetMass(0.5f);
    p.lifetime = 4.0f;
    p.active = true;
  }
  for (TextParticle& t : level.text.objects) {
    t.position = level.player.position;
    t.velocity = glm::vec3(0, 50 * S, 0);
    t.text = "25";
    t.lifetime = 2.0f;
    t.active = true;
  }
}

struct Scene {
  Level level;
  FrameInput input{.controls = {}, .windowWidth = kWindowWidth, .windowHeight = kWindowHeight};
  int frame = 0;

  Scene() {
    world::SetClock(&FixedClock);
    world::PixelGrid grid(kWidth, kHeight, kCell);
    bench::PaintTypicalLevel(grid, 0, 0, kWidth, kHeight);
    grid.viewOrigin = {kViewX, static_cast<float>(Surface(grid, kViewX + 192) - 108)};
    for (int i = 0; i < 600; ++i) grid.StepGrid(kFrame);
    // The player in the middle, a walker every 7 cells across the view.
    grid.playerSpawn = {kViewX + 192, Surface(grid, kViewX + 192) + 9};
    std::vector<world::CellPos>* kinds[] = {&grid.meleeMarkers, &grid.rifleMarkers, &grid.rocketMarkers,
                                            &grid.gunnerMarkers};
    for (int i = 0; i < kWalkers; ++i) {
      const int x = kViewX + 17 + i * 7;
      kinds[i % 4]->push_back({x, Surface(grid, x) + 9});
    }
    grid.treasureMarkers = {{20, Surface(grid, 20) + 9}};  // far away: the level goes on
    level = MakeLevel(std::move(grid));
    level.player.SetMaxHealth(1 << 30);  // it keeps running under fire
    level.player.SetHealth(1 << 30);
    level.camera.position = level.player.position - glm::vec3(kWindowWidth / 2, kWindowHeight / 2, 0);
    for (int i = 0; i < 30; ++i) Step();  // everyone lands and senses the ground
    FillPools(level);
  }

  void Step() {
    input.controls = {.left = frame % 120 >= 60, .right = frame % 120 < 60, .jump = frame % 90 < 8,
                      .fire = frame % 70 == 0};
    input.cursorX = frame % 120 < 60 ? kWindowWidth : 0;
    input.cursorY = kWindowHeight / 2;
    StepLevel(level, input, kFrame);
    ++frame;
  }

  int Grounded() const {
    int n = 0;
    auto count = [&n](const auto& walkers) {
      for (const auto& w : walkers) n += w.active && w.IsOnGround();
    };
    count(level.meleeEnemies);
    count(level.rifleEnemies);
    count(level.rocketEnemies);
    count(level.gunners);
    return n;
  }
};

}  // namespace bench
