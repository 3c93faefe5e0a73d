#include <algorithm>

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

TEST_F(Particles, DebrisCountComesFromTheRunningBoundAndEachPuffDrawsItsLook) {
  for (std::uint32_t seed : {0u, 1u, 77u, 123456u, 99999999u}) {
    // A bound before the first puff and after each; four draws for each puff.
    SetRandomState(seed);
    RandomFloat(20, 30);
    const float lifetime = RandomFloat(2, 4), vy = RandomFloat(-50, 50) * kS, vx = RandomFloat(-50, 50) * kS;
    const float drag = RandomFloat(1, 2);
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
    EXPECT_TRUE(expected >= 20 && expected <= 29) << expected;
    EXPECT_EQ(RandomState(), after) << seed;
    const Particle& p = smoke.objects[0];
    EXPECT_EQ(p.lifetime, lifetime);
    EXPECT_EQ(p.velocity, glm::vec3(vx, vy, 0)) << "y is drawn before x";
    EXPECT_EQ(p.drag, drag);
  }
  const Particle& p = smoke.objects[0];
  EXPECT_EQ(p.GetMass(), 0.5f);
  EXPECT_EQ(p.position, enemy.position);
  EXPECT_EQ(p.acceleration, glm::vec3(0, 98.1f * kS, 0)) << "puffs rise";
  EXPECT_EQ(p.scale, glm::vec2(2 * kS));
  EXPECT_EQ(p.sprite.texture, smokeTexture);
  EXPECT_EQ(p.sprite.frameCount, 4u);
  EXPECT_TRUE(p.sprite.loop);
}

TEST_F(Particles, DamageNumbersShowTheLossAndFallAlertMarksRiseWhite) {
  enemy.AddHealth(-37);
  SetRandomState(11);
  SpawnDamageNumber(enemy, &text, kS);
  SetRandomState(11);
  const float vy = RandomFloat(40, 60) * kS, vx = RandomFloat(-50, 50) * kS;
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

  SpawnAlertMark(enemy, &text, kS);
  const TextParticle& mark = text.objects[1];
  EXPECT_EQ(mark.text, "!");
  EXPECT_EQ(mark.colour, glm::vec3(1));
  EXPECT_TRUE(mark.velocity.y >= 40 * kS && mark.velocity.y <= 60 * kS) << mark.velocity.y;
  EXPECT_EQ(mark.velocity.x, 0.0f);
  EXPECT_EQ(mark.scale, glm::vec2(0.8f));
  EXPECT_FLOAT_EQ(mark.lifetime, 1.0f);
}

TEST(DamageNumber, ScaleGrowsWithTheSquareRootOfTheDamage) {
  const struct { int damage; float scale; } table[] = {
      {0, 0.0f}, {1, 0.2f}, {3, 0.2f}, {4, 0.4f}, {8, 0.4f}, {9, 0.6f}, {20, 0.8f}, {25, 1.0f}, {100, 2.0f}};
  for (const auto& row : table) EXPECT_FLOAT_EQ(DamageNumberScale(row.damage), row.scale) << row.damage;
}

TEST_F(Particles, ParticlesMoveAndExpireWhenTheirLifetimeRunsOut) {
  SpawnAlertMark(enemy, &text, kS);
  for (int i = 0; i < 9; ++i) UpdateParticles(text, 0.1f, kS);
  EXPECT_TRUE(text.objects[0].active);
  EXPECT_GT(text.objects[0].position.y, enemy.position.y);
  UpdateParticles(text, 0.11f, kS);
  EXPECT_FALSE(text.objects[0].active);

  // A flash: its nine frames once, four steps each, then held until its 0.4 s are over.
  Particle& p = smoke.objects[0];
  p.sprite = MakeSprite(nullptr, nullptr, 9, 0, kDefaultFrameTime, false, false);
  p.lifetime = 0.4f;
  p.active = true;
  int steps = 0;
  for (; p.active && steps < 100; ++steps) {
    EXPECT_EQ(p.sprite.currentFrame, static_cast<unsigned>(std::min(steps / 4, 8))) << steps;
    UpdateParticles(smoke, 0.0105f, kS);
  }
  EXPECT_EQ(steps, 39);
  p.lifetime = 0.5f;
  p.active = true;
  UpdateParticles(smoke, 0.25f, kS);
  UpdateParticles(smoke, 0.25f, kS);
  EXPECT_FALSE(p.active) << "a lifetime of exactly 0 is over";
}

TEST_F(Particles, FullOrMissingPoolsDropSpawnsSilently) {
  for (Particle& p : smoke.objects) p.active = true;
  for (TextParticle& t : text.objects) t.active = true;
  enemy.AddHealth(-5);
  SpawnDebris(enemy, nullptr, smokeTexture, &smoke, kS);
  SpawnDamageNumber(enemy, &text, kS);
  SpawnAlertMark(enemy, &text, kS);
  EXPECT_EQ(smoke.objects[0].sprite.texture, nullptr);
  EXPECT_EQ(text.objects[999].text, "");
  SpawnDebris(enemy, nullptr, smokeTexture, nullptr, kS);
  SpawnDamageNumber(enemy, nullptr, kS);
  SpawnAlertMark(enemy, nullptr, kS);
}

}  // namespace
