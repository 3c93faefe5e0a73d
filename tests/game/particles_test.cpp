#include <cmath>

#include <gtest/gtest.h>

#include "game/particles.h"
#include "game/random.h"
#include "tests/game/game_test_support.h"

using namespace game;
using namespace game_test;

namespace {

class Particles : public ::testing::Test {
 protected:
  ParticlePool smoke = MakeSmokePool(nullptr, nullptr);
  TextParticlePool text = MakeTextPool(nullptr);
  Character enemy = MakeCharacter(glm::vec3(300, 400, 0), 100);
  Texture* smokeTexture = reinterpret_cast<Texture*>(0x3000);  // compared only
};

TEST_F(Particles, DebrisCountComesFromTheRunningBound) {
  for (std::uint32_t seed : {0u, 1u, 77u, 123456u, 99999999u}) {
    // Expected count: a bound before the first particle and after each, and
    // four draws for each particle made.
    SetRandomState(seed);
    int expected = 0;
    while (expected < static_cast<int>(RandomFloat(20, 30))) {
      for (int i = 0; i < 4; ++i) RandomFloat(0, 1);
      ++expected;
    }
    const std::uint32_t after = RandomState();

    for (Particle& p : smoke.objects) p.active = false;
    SetRandomState(seed);
    SpawnDebris(enemy, nullptr, smokeTexture, &smoke, kS);
    EXPECT_EQ(static_cast<int>(smoke.ActiveCount()), expected) << seed;
    EXPECT_GE(expected, 20);
    EXPECT_LE(expected, 29);
    EXPECT_EQ(RandomState(), after) << seed;
  }
}

TEST_F(Particles, DebrisRisesFromTheOriginWithItsLook) {
  SetRandomState(5);
  SpawnDebris(enemy, nullptr, smokeTexture, &smoke, kS);
  SetRandomState(5);
  RandomFloat(20, 30);
  const float lifetime = RandomFloat(2, 4);
  const float vy = RandomFloat(-50, 50) * kS;
  const float vx = RandomFloat(-50, 50) * kS;
  const float drag = RandomFloat(1, 2);
  const Particle& p = smoke.objects[0];
  EXPECT_EQ(p.lifetime, lifetime);
  EXPECT_EQ(p.velocity, glm::vec3(vx, vy, 0)) << "y is drawn before x";
  EXPECT_EQ(p.drag, drag);
  EXPECT_EQ(p.GetMass(), 0.5f);
  EXPECT_EQ(p.position, enemy.position);
  EXPECT_EQ(p.acceleration, glm::vec3(0, 98.1f * kS, 0)) << "puffs rise";
  EXPECT_EQ(p.scale, glm::vec2(2 * kS));
  EXPECT_EQ(p.sprite.texture, smokeTexture);
  EXPECT_EQ(p.sprite.frameCount, 4u);
  EXPECT_TRUE(p.sprite.loop);
}

TEST_F(Particles, DamageNumberShowsTheLossAndFalls) {
  enemy.AddHealth(-37);
  SetRandomState(11);
  SpawnDamageNumber(enemy, &text, kS);
  SetRandomState(11);
  const float vy = RandomFloat(40, 60) * kS;
  const float vx = RandomFloat(-50, 50) * kS;
  const TextParticle& t = text.objects[0];
  ASSERT_TRUE(t.active);
  EXPECT_EQ(t.text, "37");
  EXPECT_EQ(t.colour, glm::vec3(1, 0, 0));
  EXPECT_EQ(t.velocity, glm::vec3(vx, vy, 0)) << "y is drawn before x";
  EXPECT_EQ(t.acceleration, glm::vec3(0, -98.1f * kS, 0));
  EXPECT_FLOAT_EQ(t.scale.x, 1.2f);
  EXPECT_FLOAT_EQ(t.lifetime, 2.0f);

  enemy.SavePreviousHealth();
  SpawnDamageNumber(enemy, &text, kS);
  EXPECT_EQ(text.ActiveCount(), 1u) << "nothing for no loss";
}

TEST(DamageNumber, ScaleGrowsWithTheSquareRootOfTheDamage) {
  const struct {
    int damage;
    float scale;
  } table[] = {{1, 0.2f}, {3, 0.2f}, {4, 0.4f}, {8, 0.4f}, {9, 0.6f}, {20, 0.8f}, {25, 1.0f}, {100, 2.0f}};
  for (const auto& row : table) EXPECT_FLOAT_EQ(DamageNumberScale(row.damage), row.scale) << row.damage;
}

TEST_F(Particles, AlertMarkRisesWhite) {
  SpawnAlertMark(enemy, &text, kS);
  const TextParticle& t = text.objects[0];
  EXPECT_EQ(t.text, "!");
  EXPECT_EQ(t.colour, glm::vec3(1));
  EXPECT_GE(t.velocity.y, 40 * kS);
  EXPECT_LE(t.velocity.y, 60 * kS);
  EXPECT_EQ(t.velocity.x, 0.0f);
  EXPECT_EQ(t.scale, glm::vec2(0.8f));
  EXPECT_FLOAT_EQ(t.lifetime, 1.0f);
  UpdateParticles(text, 0.1f, kS);
  EXPECT_GT(t.position.y, enemy.position.y);
}

TEST_F(Particles, ExpireWhenTheirLifetimeRunsOut) {
  SpawnAlertMark(enemy, &text, kS);
  for (int i = 0; i < 9; ++i) UpdateParticles(text, 0.1f, kS);
  EXPECT_TRUE(text.objects[0].active);
  UpdateParticles(text, 0.11f, kS);
  EXPECT_FALSE(text.objects[0].active);

  Particle& p = smoke.objects[0];
  p.lifetime = 0.5f;
  p.active = true;
  UpdateParticles(smoke, 0.25f, kS);
  EXPECT_TRUE(p.active);
  UpdateParticles(smoke, 0.25f, kS);
  EXPECT_FALSE(p.active) << "a lifetime of exactly 0 is over";
}

TEST_F(Particles, AFlashPlaysItsNineFramesOnceThenHolds) {
  Particle& p = smoke.objects[0];
  p.sprite = MakeSprite(nullptr, nullptr, 9, 0, kDefaultFrameTime, false, false);
  p.lifetime = 0.4f;
  p.active = true;
  const float dt = 0.0105f;  // four steps per frame
  int steps = 0;
  while (p.sprite.currentFrame < 8 && steps < 100) {
    UpdateParticles(smoke, dt, kS);
    ++steps;
  }
  EXPECT_EQ(steps, 8 * 4) << "the last frame shows after 0.336 s";
  while (p.active && steps < 100) {
    EXPECT_EQ(p.sprite.currentFrame, 8u) << "no loop back";
    UpdateParticles(smoke, dt, kS);
    ++steps;
  }
  EXPECT_EQ(steps, 39) << "gone once its 0.4 s are over";
}

TEST_F(Particles, FullPoolsDropSpawnsSilently) {
  for (Particle& p : smoke.objects) {
    p.active = true;
    p.lifetime = 4.0f;
  }
  for (TextParticle& t : text.objects) {
    t.active = true;
    t.lifetime = 2.0f;
  }
  enemy.AddHealth(-5);
  const Particle before = smoke.objects[0];
  SpawnDebris(enemy, nullptr, smokeTexture, &smoke, kS);
  SpawnDamageNumber(enemy, &text, kS);
  SpawnAlertMark(enemy, &text, kS);
  EXPECT_EQ(smoke.objects[0].position, before.position);
  EXPECT_EQ(smoke.objects[0].sprite.texture, before.sprite.texture);
  EXPECT_EQ(text.objects[999].text, "");
  SpawnDebris(enemy, nullptr, smokeTexture, nullptr, kS);  // no pool at all
}

}  // namespace
