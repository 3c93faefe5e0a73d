// sandrift-measure: how far the player runs, jumps and rocket-jumps with the
// game's own movement code, on small made-up grids. The levels are shaped to
// these numbers (docs/LEVELS.md).
//   sandrift-measure [--cell-size S]...
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "game/player.h"
#include "game/pool.h"
#include "game/weapons.h"
#include "world/pixel_grid.h"

namespace {

using game::Player;
using game::PlayerControls;
using world::Material;

constexpr float Dt = 1.0f / 60.0f;
constexpr int Floor = 20;      // top row of the floor is Floor - 1
constexpr float Half = 8.0f;   // the player's half size in cells

struct Rig {
  world::PixelGrid grid;
  float S;
  Player player;

  Rig(float s, int width, Material floorMaterial, float startX)
      : grid(width, 400, s),
        S(s),
        player(game::MakePlayer(nullptr, nullptr, s, glm::vec3(startX * s, (Floor + Half + 1) * s, 0.0f))) {
    Fill(0, 0, width, Floor, floorMaterial);
    player.active = true;
    player.rocketCooldown = 0.0f;
    Run({}, 60);  // settle onto the floor
  }
  void Fill(int x0, int y0, int x1, int y1, Material m) {
    for (int x = x0; x < x1; ++x)
      for (int y = y0; y < y1; ++y) grid.SetCell(x, y, m, 0.0f, 0.0f, false);
  }
  void Run(PlayerControls c, int frames) { game::SimulatePlayer(player, grid, S, c, frames, Dt); }
  float Feet() const { return player.position.y / S - Half; }
  float X() const { return player.position.x / S; }
};

PlayerControls Keys(bool left, bool right, bool jump) {
  PlayerControls c;
  c.left = left;
  c.right = right;
  c.jump = jump;
  return c;
}

float StandingJump(float S, float holdSeconds) {
  Rig rig(S, 300, world::STONE, 100);
  const float base = rig.Feet();
  float top = base;
  for (int i = 0; i < 180; ++i) {
    rig.Run(Keys(false, false, i * Dt < holdSeconds), 1);
    top = std::max(top, rig.Feet());
  }
  return top - base;
}

struct RunningJump {
  float topSpeed, distance, height, seconds;
};

RunningJump MeasureRunningJump(float S) {
  Rig rig(S, 1200, world::STONE, 40);
  const float base = rig.Feet();
  rig.Run(Keys(false, true, false), 60);
  RunningJump r{rig.player.velocity.x / S, 0, 0, 0};
  const float start = rig.X();
  float top = base;
  bool airborne = false;
  int frames = 0;
  while (frames < 600) {
    rig.Run(Keys(false, true, true), 1);
    ++frames;
    top = std::max(top, rig.Feet());
    if (rig.Feet() > base + 2) {
      airborne = true;
    } else if (airborne) {
      break;
    }
  }
  r.distance = rig.X() - start;
  r.height = top - base;
  r.seconds = frames * Dt;
  return r;
}

float RunUp(float S, Material floor) {
  Rig rig(S, 2000, floor, 100);
  for (int i = 0; i < 300; ++i) {
    rig.Run(Keys(false, true, false), 1);
    if (rig.player.velocity.x / S >= 0.9f * game::kPlayerMaxRunCells) return (i + 1) * Dt;
  }
  return INFINITY;
}

float StopDistance(float S, Material floor) {
  Rig rig(S, 2000, floor, 100);
  rig.Run(Keys(false, true, false), 120);
  const float start = rig.X();
  rig.Run({}, 600);
  return rig.X() - start;
}

// Feet rise when a rocket aimed at (dx, dy) is fired on frame fireFrame of a
// held jump (or without jumping), standing on obsidian, which blasts leave.
float RocketJump(float S, int fireFrame, float dx, float dy, bool jump) {
  Rig rig(S, 400, world::OBSIDIAN, 200);
  game::RocketPool rockets = game::MakeRocketPool(nullptr, nullptr, 4);
  game::Playfield field;
  field.grid = &rig.grid;
  field.cellSize = S;
  field.player = &rig.player;
  const float base = rig.Feet();
  float top = base;
  for (int i = 0; i < 240; ++i) {
    if (i == fireFrame) {
      rig.player.target = rig.player.position + glm::vec3(dx, dy, 0.0f) * (100.0f * S);
      game::FireRocket(rig.player, rockets, S);
    }
    game::ApplyPlayerControls(rig.player, Keys(false, false, jump), Dt);
    game::UpdatePlayer(rig.player, field, Dt);
    game::UpdateRockets(rockets, field, Dt);
    top = std::max(top, rig.Feet());
  }
  return top - base;
}

float WaterJump(float S) {
  Rig rig(S, 300, world::STONE, 100);
  rig.Fill(0, Floor, 300, Floor + 40, world::WATER);
  rig.Run({}, 120);
  const float base = rig.Feet();
  float top = base;
  for (int i = 0; i < 180; ++i) {
    rig.Run(Keys(false, false, true), 1);
    top = std::max(top, rig.Feet());
  }
  return top - base;
}

void Report(float S) {
  std::printf("cell size S = %g (window %d pixels wide)\n", S, static_cast<int>(S * 384));
  std::printf("  standing jump, held: %.1f cells; tapped 0.05 s: %.1f\n", StandingJump(S, 1.0f),
              StandingJump(S, 0.05f));
  const RunningJump r = MeasureRunningJump(S);
  std::printf("  running: top speed %.1f cells/s; jump %.1f cells far, %.1f high, %.2f s\n", r.topSpeed,
              r.distance, r.height, r.seconds);
  const struct {
    const char* name;
    Material m;
  } floors[] = {{"stone", world::STONE}, {"sand", world::SAND}, {"ice", world::ICE}};
  for (const auto& f : floors) {
    std::printf("  %s: 90%% speed after %.2f s; stops within %.1f cells\n", f.name, RunUp(S, f.m),
                StopDistance(S, f.m));
  }
  for (int frame : {1, 3, 5, 7}) {
    std::printf("  rocket jump, rocket down at frame %d of the jump: feet rise %.1f cells\n", frame,
                RocketJump(S, frame, 0.0f, -1.0f, true));
  }
  std::printf("  rocket at the feet without jumping: %.1f cells\n", RocketJump(S, 0, 0.0f, -1.0f, false));
  std::printf("  rocket jump, rocket down-back at 45 degrees: %.1f high\n",
              RocketJump(S, 3, -0.7071f, -0.7071f, true));
  std::printf("  jump off a pool floor under water: feet rise %.1f cells\n", WaterJump(S));
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<float> sizes;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--cell-size" && i + 1 < argc) {
      sizes.push_back(std::strtof(argv[++i], nullptr));
      if (!(sizes.back() > 0.0f)) {
        std::fprintf(stderr, "sandrift-measure: --cell-size needs a positive number\n");
        return 2;
      }
    } else {
      std::fprintf(stderr, "usage: sandrift-measure [--cell-size S]...\n");
      return 2;
    }
  }
  if (sizes.empty()) sizes = {3.0f, 4.0f, 5.0f};
  for (float S : sizes) Report(S);
  return 0;
}
