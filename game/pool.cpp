#include "game/pool.h"

namespace game {
namespace {

template <class T>
Pool<T> Fill(const T& prototype, std::size_t size) {
  Pool<T> pool;
  pool.objects.assign(size, prototype);
  return pool;
}

GameObject Still(Shader* shader, Texture* texture, const char* name, bool collides) {
  return GameObject(StillSprite(shader, texture), name, glm::vec3(0.0f), glm::vec3(0.0f), glm::vec3(0.0f),
                    0.0f, 0.0f, glm::vec2(0.0f), 0.0f, collides);
}

}  // namespace

RocketPool MakeRocketPool(Shader* spriteShader, Texture* rocketTexture, std::size_t size) {
  return Fill(Rocket(Still(spriteShader, rocketTexture, "Rocket", true), false), size);
}

BulletPool MakeBulletPool(Shader* spriteShader, Texture* bulletTexture, std::size_t size) {
  return Fill(Bullet(Still(spriteShader, bulletTexture, "GameObject", true), 0), size);
}

ParticlePool MakeSmokePool(Shader* spriteShader, Texture* smokeTexture, std::size_t size) {
  return Fill(Particle(Still(spriteShader, smokeTexture, "Particle", false), 0.0f), size);
}

TextParticlePool MakeTextPool(Shader* fontShader, std::size_t size) {
  return Fill(TextParticle(Particle(Still(fontShader, nullptr, "Particle", false), 0.0f), "", glm::vec3(0.0f)),
              size);
}

}  // namespace game
