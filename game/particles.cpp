#include "game/particles.h"

#include <charconv>
#include <cmath>

#include "game/random.h"

namespace game {
namespace {

constexpr float kDebrisMinCount = 20.0f, kDebrisMaxCount = 30.0f;
constexpr float kDebrisMinLife = 2.0f, kDebrisMaxLife = 4.0f;
constexpr float kDebrisSpreadCells = 50.0f;
constexpr float kDebrisSizeCells = 2.0f;
constexpr float kDebrisMinDrag = 1.0f, kDebrisMaxDrag = 2.0f;
constexpr float kDebrisMass = 0.5f;
constexpr unsigned kPuffFrames = 4;

constexpr float kNumberLife = 2.0f;
constexpr float kRiseMinCells = 40.0f, kRiseMaxCells = 60.0f;
constexpr float kNumberSpreadCells = 50.0f;
constexpr float kNumberScaleStep = 0.2f;

constexpr char kAlertText = '!';
constexpr float kAlertLife = 1.0f;
constexpr float kAlertScale = 0.8f;
constexpr float kAlertDrag = 25.0f;
constexpr float kAlertMass = 10.0f;

template <class P>
void Step(Pool<P>& pool, float dt, float S) {
  for (P& p : pool.objects) {
    if (!p.active) continue;
    p.Integrate(dt, S);
    p.ReduceLifetime(dt);
    if (!p.IsLiving()) p.active = false;
  }
}

}  // namespace

float DamageNumberScale(int n) {
  if (n <= 0) return 0.0f;
  return std::trunc(std::sqrt(static_cast<float>(n))) * kNumberScaleStep;
}

void SpawnDebris(const GameObject& origin, Sheet sheet, ParticlePool* pool, float S, Random& random) {
  // The bound is drawn anew before every particle, so the count lands between
  // 20 and 29 with the odds of that running draw.
  Spawner<Particle> free(pool);
  for (int count = 0; count < static_cast<int>(RandomFloat(random, kDebrisMinCount, kDebrisMaxCount)); ++count) {
    Particle* p = free.Acquire();
    if (!p) continue;
    p->lifetime = RandomFloat(random, kDebrisMinLife, kDebrisMaxLife);
    p->sprite = MakeSprite(sheet, kPuffFrames, 0, kDefaultFrameTime, true, false);
    p->position = origin.position;
    p->velocity.y = RandomFloat(random, -kDebrisSpreadCells, kDebrisSpreadCells) * S;
    p->velocity.x = RandomFloat(random, -kDebrisSpreadCells, kDebrisSpreadCells) * S;
    p->velocity.z = 0.0f;
    p->acceleration = glm::vec3(0.0f, kGravityCells * S, 0.0f);  // puffs rise
    p->scale = glm::vec2(kDebrisSizeCells * S);
    p->drag = RandomFloat(random, kDebrisMinDrag, kDebrisMaxDrag);
    p->SetMass(kDebrisMass);
    p->active = true;
  }
}

void SpawnDamageNumber(const Character& character, TextParticlePool* pool, float S, Random& random) {
  const long long loss = static_cast<long long>(character.GetPreviousHealth()) - character.GetHealth();
  if (loss <= 0) return;
  TextParticle* p = pool ? pool->Acquire() : nullptr;
  if (!p) return;
  const int n = static_cast<int>(loss > 0x7FFFFFFF ? 0x7FFFFFFF : loss);
  p->lifetime = kNumberLife;
  char digits[16];
  const auto end = std::to_chars(digits, digits + sizeof digits, n).ptr;
  p->text.assign(digits, end);  // short enough to stay in the string's own buffer
  p->colour = glm::vec3(1.0f, 0.0f, 0.0f);
  p->position = character.position;
  p->velocity.y = RandomFloat(random, kRiseMinCells, kRiseMaxCells) * S;
  p->velocity.x = RandomFloat(random, -kNumberSpreadCells, kNumberSpreadCells) * S;
  p->velocity.z = 0.0f;
  p->acceleration = glm::vec3(0.0f, -kGravityCells * S, 0.0f);
  p->scale = glm::vec2(DamageNumberScale(n));
  p->drag = 0.0f;
  p->SetMass(0.0f);
  p->active = true;
}

void SpawnAlertMark(const GameObject& enemy, TextParticlePool* pool, float S, Random& random) {
  TextParticle* p = pool ? pool->Acquire() : nullptr;
  if (!p) return;
  p->lifetime = kAlertLife;
  p->text.assign(1, kAlertText);
  p->colour = glm::vec3(1.0f);
  p->position = enemy.position;
  p->velocity = glm::vec3(0.0f, RandomFloat(random, kRiseMinCells, kRiseMaxCells) * S, 0.0f);
  p->acceleration = glm::vec3(0.0f);
  p->scale = glm::vec2(kAlertScale);
  p->drag = kAlertDrag;
  p->SetMass(kAlertMass);
  p->active = true;
}

void UpdateParticles(ParticlePool& pool, float dt, float S) { Step(pool, dt, S); }
void UpdateParticles(TextParticlePool& pool, float dt, float S) { Step(pool, dt, S); }

}  // namespace game
