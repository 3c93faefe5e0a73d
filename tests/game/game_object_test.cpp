#include <cmath>

#include <gtest/gtest.h>

#include "game/random.h"
#include "tests/game/game_test_support.h"

using namespace game;
using game_test::kS;
using game_test::MakeCharacter;

namespace {

TEST(RandomFloat, FollowsTheGeneratorFromAKnownState) {
  SetRandomState(0);
  EXPECT_FLOAT_EQ(RandomFloat(0.0f, 1.0f), 0.867558479f);
  EXPECT_EQ(RandomState(), 3726135379u);
  EXPECT_FLOAT_EQ(RandomFloat(0.0f, 1.0f), 0.164740667f);
  EXPECT_EQ(RandomState(), 707555753u);
  EXPECT_FLOAT_EQ(RandomFloat(0.0f, 10.0f), 2.2427978f);  // scaled to the range
  EXPECT_FLOAT_EQ(RandomFloat(-1.0f, 1.0f), -0.0096707940f);
  SetRandomState(0);
  EXPECT_EQ(RandomFloat(3.5f, 3.5f), 3.5f);
  EXPECT_EQ(RandomState(), 3726135379u) << "equal bounds still advance the state";
  SetRandomState(679020045u);  // advances to 2^32 - 107
  EXPECT_EQ(RandomFloat(2.0f, 5.0f), 5.0f) << "a state near the top rounds to exactly hi";
}

TEST(GameObject, KindsStartAsTheLevelExpects) {
  const GameObject o(StillSprite(nullptr, nullptr), "GameObject", glm::vec3(1), glm::vec3(1), glm::vec3(0),
                     -3.0f, 0.5f, glm::vec2(2, 3), 45.0f, true);
  EXPECT_FALSE(o.active);
  EXPECT_EQ(o.GetMass(), 0.0f) << "a negative mass is stored as 0";
  EXPECT_EQ(o.sprite.currentFrame, 0xFFFFFFFFu) << "a still picture";

  const Player p = MakePlayer(nullptr, nullptr, kS, glm::vec3(0));
  EXPECT_EQ(p.rocketCooldown, 1.0f) << "the level clears it when it places the player";
  EXPECT_EQ(p.acceleration.y, -98.1f * kS);

  SetRandomState(0);
  const BatEnemy bat(FlyingCharacter(MakeCharacter(glm::vec3(0)), -100 * kS, 200 * kS), kS);
  EXPECT_EQ(bat.GetMaxSpeed(), 100 * kS) << "max speed is stored as its absolute value";
  EXPECT_EQ(bat.wanderRadius, 500 * kS);
  SetRandomState(0);
  EXPECT_EQ(bat.turnRate, RandomFloat(-10000.0f, 10000.0f)) << "drawn once, at construction";
}

TEST(CharacterHealth, DamageHealingInvulnerabilityAndLimits) {
  Character c = MakeCharacter(glm::vec3(0, 100, 0), 100);
  const struct { int delta; float invulnerable; int health; } steps[] = {
      {-30, 0, 70}, {50, 0, 100},   // healing stops at maxHealth
      {-500, 0, 0}, {60, 0, 60},    // damage stops at 0
      {-10, 0.5f, 60}, {0, 0.5f, 60},  // no damage while invulnerable
      {10, 0.5f, 70},               // healing is never blocked
  };
  for (const auto& s : steps) {
    c.SetInvulnerable(s.invulnerable);
    c.AddHealth(s.delta);
    EXPECT_EQ(c.GetHealth(), s.health) << s.delta << (s.invulnerable > 0 ? " invulnerable" : "");
  }
  c.SetHealth(1000);
  EXPECT_EQ(c.GetHealth(), 100);
  c.SetHealth(-5);
  EXPECT_EQ(c.GetHealth(), 0);
  c.SetHealth(80);
  c.SetMaxHealth(40);
  EXPECT_EQ(c.GetHealth(), 40) << "lowering maxHealth lowers health above it";
  c.SetMaxHealth(90);
  EXPECT_EQ(c.GetHealth(), 40);
}

TEST(CharacterHealth, FallingBelowTheWorldKillsAndInvulnerabilityBlinks) {
  Character c = MakeCharacter(glm::vec3(0, 5, 0), 100);
  EXPECT_TRUE(c.IsAlive());
  c.Blink();
  EXPECT_TRUE(c.visible);
  c.SetInvulnerable(10.0f);
  c.Blink();
  EXPECT_FALSE(c.visible) << "flickers at the frame rate";
  c.Blink();
  EXPECT_TRUE(c.visible);
  c.Blink();
  c.SetInvulnerable(0.0f);
  c.Blink();
  EXPECT_TRUE(c.visible) << "visible again once the invulnerability ends";

  c.position.y = -0.01f;
  c.SetInvulnerable(10.0f);
  EXPECT_FALSE(c.IsAlive()) << "whatever the health or invulnerability";
  EXPECT_EQ(c.GetHealth(), 0);
}

TEST(Overlaps, StrictBoxesOnAbsoluteSizes) {
  GameObject a, b;
  a.active = b.active = true;
  a.scale = b.scale = glm::vec2(2, 3);
  const struct { glm::vec3 at; bool overlaps; } cases[] = {
      {{4, 0, 0}, false},  // boxes sharing an edge do not overlap
      {{3.99f, 0, 0}, true}, {{-3.99f, 0, 0}, true}, {{0, 6, 0}, false}, {{0, 5.9f, 0}, true}, {{0, -5.9f, 0}, true}};
  for (const auto& c : cases) {
    b.position = c.at;
    EXPECT_EQ(Overlaps(a, b), c.overlaps) << c.at.x << ", " << c.at.y;
    EXPECT_EQ(Overlaps(b, a), c.overlaps) << c.at.x << ", " << c.at.y;
  }
  b.scale.x = -2;  // mirrored: collides as the unmirrored box
  a.scale.y = -3;
  EXPECT_TRUE(Overlaps(a, b)) << "mirrored boxes collide as unmirrored ones";
  a.active = false;
  EXPECT_TRUE(Overlaps(a, b)) << "the first object's flag is not tested";
  b.active = false;
  EXPECT_FALSE(Overlaps(a, b));
}

TEST(FlyingCharacter, ThrustsAlongTheDirectionUpToItsTopSpeed) {
  FlyingCharacter f(MakeCharacter(glm::vec3(0)), 10.0f, 100.0f);
  f.Accelerate(glm::vec3(0, 3, 0), 0.05f);
  EXPECT_FLOAT_EQ(f.velocity.y, 5.0f) << "the direction is normalised";
  f.Accelerate(glm::vec3(0, 3, 0), 1.0f);
  EXPECT_FLOAT_EQ(glm::length(f.velocity), 10.0f);
  f.Accelerate(glm::vec3(0), 0.1f);
  EXPECT_FLOAT_EQ(f.velocity.y, 10.0f) << "no direction, no thrust (and no NaN)";
}

TEST(Pools, TakeTheFirstInactiveObjectAndDropSpawnsWhenFull) {
  const RocketPool rockets = MakeRocketPool(nullptr, nullptr);
  const ParticlePool smoke = MakeSmokePool(nullptr, nullptr);
  const TextParticlePool text = MakeTextPool(nullptr);
  BulletPool bullets = MakeBulletPool(nullptr, nullptr);
  EXPECT_EQ(rockets.objects.size() + bullets.objects.size() + smoke.objects.size() + text.objects.size(), 2600u);
  EXPECT_EQ(rockets.ActiveCount() + bullets.ActiveCount() + smoke.ActiveCount() + text.ActiveCount(), 0u);
  EXPECT_TRUE(rockets.objects[0].collidesWithGrid && bullets.objects[0].collidesWithGrid);
  EXPECT_FALSE(smoke.objects[0].collidesWithGrid || text.objects[0].collidesWithGrid);

  bullets.objects[0].active = bullets.objects[2].active = true;
  EXPECT_EQ(bullets.Acquire(), &bullets.objects[1]);
  for (Bullet& b : bullets.objects) b.active = true;
  EXPECT_EQ(bullets.Acquire(), nullptr);
  bullets.objects[321].active = false;
  EXPECT_EQ(bullets.Acquire(), &bullets.objects[321]) << "a spent object is used again";
}

}  // namespace
