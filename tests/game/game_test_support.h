#pragma once

#include <cstring>
#include <iterator>
#include <ostream>
#include <vector>

#include <glm/geometric.hpp>

#include "game/enemies.h"
#include "game/game_object.h"
#include "game/level.h"
#include "game/player.h"
#include "game/pool.h"
#include "game/sound_events.h"
#include "world/pixel_grid.h"

// Small worlds for gameplay tests: S = 4 (a 1536-pixel-wide window).
namespace game_test {

inline constexpr float kS = 4.0f;
inline constexpr float kDt = 1.0f / 60.0f;

inline world::PixelGrid MakeGrid(int width, int height) {
  return world::PixelGrid(static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height), kS);
}

// s sand  o obsidian  i ice  l lava  w water  # stone  ~ steam  . clear
inline world::Material MaterialOf(char c) {
  const char* codes = "soilw#~.";
  return static_cast<world::Material>(std::strchr(codes, c) - codes);
}

// Fills cells x in [x0, x1), y in [y0, y1).
inline void Fill(world::PixelGrid& grid, int x0, int y0, int x1, int y1, world::Material m) {
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) grid.SetCell(x, y, m, 0.0f, 0.0f, false);
}

// World position of a cell's centre.
inline glm::vec3 CellCentre(float x, float y) { return glm::vec3((x + 0.5f) * kS, (y + 0.5f) * kS, 0.0f); }

// An active character with the walkers' common shape.
inline game::Character MakeCharacter(glm::vec3 position, int health = 100, float mass = 50.0f) {
  const game::GameObject body(game::StillSprite(game::Sheet::None), position, glm::vec3(0.0f), glm::vec3(0.0f), mass,
                              1.0f, glm::vec2(8 * kS, 8 * kS), 0.0f, true);
  game::Character c(body, health, glm::vec3(0.0f));
  c.active = true;
  return c;
}

// The level's player, active and ready to fire, aiming right, with its feet
// resting on a floor whose surface row is `floorTop` (after settling frames).
inline game::Player PlayerOnFloor(world::PixelGrid& grid, float x, int floorTop) {
  game::Player p = game::MakePlayer(kS, glm::vec3(x * kS, (floorTop + 10.0f) * kS, 0.0f));
  p.active = true;
  p.rocketCooldown = 0.0f;
  p.target = p.position + glm::vec3(100.0f * kS, 0.0f, 0.0f);
  game::SimulatePlayer(p, grid, kS, {}, 90, kDt);
  return p;
}

// A level-like field: 400 x 150 cells over a stone floor 40 rows deep, the
// player standing on it at x = 100, full pools of free objects, a camera;
// no keys held.
struct Arena {
  world::PixelGrid grid = MakeGrid(400, 150);
  game::Player player;
  game::Camera camera;
  std::vector<game::BatEnemy> bats;
  std::vector<game::GroundCharacter> melee;
  std::vector<game::RifleEnemy> rifles;
  std::vector<game::RocketEnemy> rocketEnemies;
  std::vector<game::MachineGunner> gunners;
  game::RocketPool rockets = game::MakeRocketPool();
  game::BulletPool bullets = game::MakeBulletPool();
  game::ParticlePool smoke = game::MakeSmokePool();
  game::TextParticlePool text = game::MakeTextPool();
  game::Random random;
  game::Playfield field;

  Arena() {
    // The field's spans must not move.
    bats.reserve(8);
    melee.reserve(8);
    rifles.reserve(8);
    rocketEnemies.reserve(8);
    gunners.reserve(8);
    Fill(grid, 0, 0, 400, 40, world::STONE);
    player = PlayerOnFloor(grid, 100, 40);
    field.grid = &grid;
    field.cellSize = kS;
    field.player = &player;
    field.camera = &camera;
    field.rockets = &rockets;
    field.bullets = &bullets;
    field.smoke = &smoke;
    field.text = &text;
    field.random = &random;
  }
  Arena(const Arena&) = delete;

  // A heavy melee enemy of 200 health.
  game::GroundCharacter& AddMelee(glm::vec3 position) {
    return Add(melee, game::GroundCharacter(
                          game::Walker(MakeCharacter(position, 200, 150.0f), 30 * kS, 400 * kS, 50 * kS, 60 * kS)));
  }
  template <class T>
  T& Add(std::vector<T>& to, const T& enemy) {
    to.push_back(enemy);
    field.bats = bats;
    field.meleeEnemies = melee;
    field.rifleEnemies = rifles;
    field.rocketEnemies = rocketEnemies;
    field.gunners = gunners;
    return to.back();
  }
};

}  // namespace game_test

// Values as a failing assertion prints them.
namespace glm {
inline std::ostream& operator<<(std::ostream& out, const vec2& v) { return out << '(' << v.x << ", " << v.y << ')'; }
inline std::ostream& operator<<(std::ostream& out, const vec3& v) {
  return out << '(' << v.x << ", " << v.y << ", " << v.z << ')';
}
}  // namespace glm
namespace game {
inline std::ostream& operator<<(std::ostream& out, Way way) {
  return out << (way == Way::Walk ? "Walk" : way == Way::Jump ? "Jump" : "Neither");
}
// One-byte enums would otherwise print as raw bytes.
inline std::ostream& operator<<(std::ostream& out, Outcome outcome) {
  return out << (outcome == Outcome::Victory ? "Victory" : outcome == Outcome::Defeat ? "Defeat" : "None");
}
inline std::ostream& operator<<(std::ostream& out, Sfx sound) {
  constexpr const char* kNames[] = {"EnemyAlert", "EnemyHurt",  "EnemyJump",      "EnemyStep",  "Explosion",
                                    "Healing",    "LavaHit",    "MachineGun",     "PlayerDefeated",
                                    "PlayerHurt", "PlayerJump", "PlayerStep",     "Ricochet",   "Rifle",
                                    "RocketLaunch", "Treasure", "WaterSplash"};
  static_assert(std::size(kNames) == kSfxCount);
  const auto i = static_cast<std::size_t>(sound);
  return out << (i < kSfxCount ? kNames[i] : "Sfx?");
}
inline std::ostream& operator<<(std::ostream& out, SoundSlot slot) {
  return out << (slot == SoundSlot::Explosion ? "Explosion" : "None");
}
}  // namespace game
