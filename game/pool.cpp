#include "game/pool.h"

namespace game {
namespace {

template <class T>
Pool<T> Fill(const T& prototype, std::size_t size) {
  Pool<T> pool;
  pool.objects.assign(size, prototype);
  return pool;
}

GameObject Still(Sheet sheet, bool collides) {
  return GameObject(StillSprite(sheet), glm::vec3(0.0f), glm::vec3(0.0f), glm::vec3(0.0f),
                    0.0f, 0.0f, glm::vec2(0.0f), 0.0f, collides);
}

}  // namespace

RocketPool MakeRocketPool(std::size_t size) { return Fill(Rocket(Still(Sheet::Rocket, true), false), size); }

BulletPool MakeBulletPool(std::size_t size) { return Fill(Bullet(Still(Sheet::Bullet, true), 0), size); }

ParticlePool MakeSmokePool(std::size_t size) { return Fill(Particle(Still(Sheet::Smoke, false), 0.0f), size); }

TextParticlePool MakeTextPool(std::size_t size) {
  return Fill(TextParticle(Particle(Still(Sheet::None, false), 0.0f), "", glm::vec3(0.0f)), size);
}

}  // namespace game
