#pragma once

#include <cstddef>
#include <vector>

#include "game/game_object.h"

namespace game {

inline constexpr std::size_t kRocketPoolSize = 100;
inline constexpr std::size_t kBulletPoolSize = 500;
inline constexpr std::size_t kSmokePoolSize = 1000;
inline constexpr std::size_t kTextPoolSize = 1000;

// Objects that come and go during play. The pool is filled once when a level
// starts; spawning reuses the first inactive object and never allocates.
template <class T>
struct Pool {
  std::vector<T> objects;

  // The first inactive object, or null when all are in use: the spawn is lost.
  // The spawner sets the fields it needs, then `active` last.
  T* Acquire() {
    for (T& object : objects)
      if (!object.active) return &object;
    return nullptr;
  }

  std::size_t ActiveCount() const {
    std::size_t n = 0;
    for (const T& object : objects) n += object.active ? 1 : 0;
    return n;
  }
};

// Many spawns into one pool during a step that frees none of its objects:
// each search starts where the last one stopped, since every object before
// that was in use and still is, so a full pool is looked through once per
// step rather than once per spawn. Each spawn gets what Acquire would give.
template <class T>
class Spawner {
 public:
  explicit Spawner(Pool<T>* pool) : pool_(pool) {}

  // Null without a pool, or when all are in use.
  T* Acquire() {
    if (!pool_) return nullptr;
    std::vector<T>& objects = pool_->objects;
    for (; next_ < objects.size(); ++next_)
      if (!objects[next_].active) return &objects[next_];
    return nullptr;
  }

 private:
  Pool<T>* pool_;
  std::size_t next_ = 0;  // the objects before it are in use
};

using RocketPool = Pool<Rocket>;
using BulletPool = Pool<Bullet>;
using ParticlePool = Pool<Particle>;
using TextParticlePool = Pool<TextParticle>;

// The level's pools, inactive: rockets and bullets collide with the grid,
// particles never do.
RocketPool MakeRocketPool(std::size_t size = kRocketPoolSize);
BulletPool MakeBulletPool(std::size_t size = kBulletPoolSize);
ParticlePool MakeSmokePool(std::size_t size = kSmokePoolSize);
TextParticlePool MakeTextPool(std::size_t size = kTextPoolSize);

}  // namespace game
