#include <cmath>

#include <gtest/gtest.h>

#include "game/pool.h"
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
}

TEST(RandomFloat, EqualBoundsReturnTheBoundAndStillAdvance) {
  SetRandomState(0);
  EXPECT_EQ(RandomFloat(3.5f, 3.5f), 3.5f);
  EXPECT_EQ(RandomState(), 3726135379u);
}

TEST(RandomFloat, AStateNearTheTopRoundsToExactlyHi) {
  SetRandomState(679020045u);  // advances to 2^32 - 107
  EXPECT_EQ(RandomFloat(2.0f, 5.0f), 5.0f);
}

TEST(GameObject, StartsInactiveVisibleInAirAndUnsensed) {
  const GameObject o(StillSprite(nullptr, nullptr), "GameObject", glm::vec3(1, 2, 3), glm::vec3(4, 5, 6),
                     glm::vec3(0), -3.0f, 0.5f, glm::vec2(2, 3), 45.0f, true);
  EXPECT_FALSE(o.active);
  EXPECT_TRUE(o.visible);
  EXPECT_EQ(o.GetMass(), 0.0f) << "a negative mass is stored as 0";
  EXPECT_EQ(o.density, 1.0f);
  EXPECT_EQ(o.traction, 0.0f);
  for (world::Material m : {o.materialAbove, o.materialRight, o.materialBelow, o.materialLeft, o.materialGround})
    EXPECT_EQ(m, world::CLEAR);
  EXPECT_EQ(o.sprite.frameCount, 0u);
  EXPECT_EQ(o.sprite.currentFrame, 0xFFFFFFFFu);
}

TEST(GameObject, KindsStartWithTheirDefaults) {
  const Character c = MakeCharacter(glm::vec3(0), 60);
  EXPECT_EQ(c.GetHealth(), 60);
  EXPECT_EQ(c.GetMaxHealth(), 60);
  EXPECT_EQ(c.GetPreviousHealth(), 60);
  EXPECT_EQ(c.drownTimer + c.submergedTime + c.invulnerable, 0.0f);

  const Player p = MakePlayer(nullptr, nullptr, kS, glm::vec3(0));
  EXPECT_EQ(p.rocketCooldown, 1.0f) << "the level clears it when it places the player";
  EXPECT_EQ(p.acceleration.y, -98.1f * kS);

  const GroundCharacter g{Walker(c, 1, 2, 3, 4)};
  EXPECT_FALSE(g.alerted);
  EXPECT_TRUE(g.facingLeft);
  EXPECT_EQ(g.jumpsLeft, 2);
  EXPECT_EQ(g.jumpCooldown, 1.0f);

  SetRandomState(0);
  const BatEnemy bat(FlyingCharacter(c, -100 * kS, 200 * kS), kS);
  EXPECT_EQ(bat.GetMaxSpeed(), 100 * kS) << "max speed is stored as its absolute value";
  EXPECT_EQ(bat.wanderRadius, 500 * kS);
  SetRandomState(0);
  EXPECT_EQ(bat.turnRate, RandomFloat(-10000.0f, 10000.0f)) << "drawn once, at construction";
}

TEST(CharacterHealth, DamageHealingAndInvulnerability) {
  Character c = MakeCharacter(glm::vec3(0, 100, 0), 100);
  c.AddHealth(-30);
  EXPECT_EQ(c.GetHealth(), 70);
  c.AddHealth(50);
  EXPECT_EQ(c.GetHealth(), 100) << "healing stops at maxHealth";
  c.AddHealth(-500);
  EXPECT_EQ(c.GetHealth(), 0) << "damage stops at 0";

  c.SetHealth(50);
  c.SetInvulnerable(0.5f);
  EXPECT_TRUE(c.IsInvulnerable());
  c.AddHealth(-10);
  c.AddHealth(0);
  EXPECT_EQ(c.GetHealth(), 50) << "no damage while invulnerable";
  c.AddHealth(10);
  EXPECT_EQ(c.GetHealth(), 60) << "healing is never blocked";

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

TEST(CharacterHealth, FallingBelowTheWorldKills) {
  Character c = MakeCharacter(glm::vec3(0, 5, 0), 100);
  EXPECT_TRUE(c.IsAlive());
  c.position.y = -0.01f;
  c.SetInvulnerable(10.0f);
  EXPECT_FALSE(c.IsAlive()) << "whatever the health or invulnerability";
  EXPECT_EQ(c.GetHealth(), 0);
  c.SavePreviousHealth();
  EXPECT_EQ(c.GetPreviousHealth(), 0);
}

TEST(CharacterHealth, BlinksOnlyWhileInvulnerable) {
  Character c = MakeCharacter(glm::vec3(0));
  c.Blink();
  EXPECT_TRUE(c.visible);
  c.SetInvulnerable(0.2f);
  c.Blink();
  EXPECT_FALSE(c.visible);
  c.Blink();
  EXPECT_TRUE(c.visible);
  c.Blink();
  c.SetInvulnerable(0.0f);
  c.Blink();
  EXPECT_TRUE(c.visible) << "visible again once the invulnerability ends";
}

TEST(Overlaps, StrictBoxesOnAbsoluteSizes) {
  GameObject a, b;
  a.active = b.active = true;
  a.scale = b.scale = glm::vec2(2, 3);
  a.position = glm::vec3(0, 0, 0);
  b.position = glm::vec3(4, 0, 0);
  EXPECT_FALSE(Overlaps(a, b)) << "boxes sharing an edge do not overlap";
  b.position.x = 3.99f;
  EXPECT_TRUE(Overlaps(a, b));
  EXPECT_TRUE(Overlaps(b, a));
  b.position = glm::vec3(0, 6, 0);
  EXPECT_FALSE(Overlaps(a, b));
  b.position.y = 5.9f;
  EXPECT_TRUE(Overlaps(a, b));

  b.scale.x = -2;  // mirrored: collides as the unmirrored box
  a.scale.y = -3;
  EXPECT_TRUE(Overlaps(a, b));

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
  EXPECT_TRUE(std::isfinite(f.velocity.x) && std::isfinite(f.velocity.y)) << "no direction, no thrust";
  EXPECT_FLOAT_EQ(f.velocity.y, 10.0f);
}

TEST(Pools, TakeTheFirstInactiveObjectAndDropSpawnsWhenFull) {
  RocketPool rockets = MakeRocketPool(nullptr, nullptr);
  BulletPool bullets = MakeBulletPool(nullptr, nullptr);
  ParticlePool smoke = MakeSmokePool(nullptr, nullptr);
  TextParticlePool text = MakeTextPool(nullptr);
  EXPECT_EQ(rockets.objects.size(), 100u);
  EXPECT_EQ(bullets.objects.size(), 500u);
  EXPECT_EQ(smoke.objects.size(), 1000u);
  EXPECT_EQ(text.objects.size(), 1000u);
  EXPECT_EQ(rockets.ActiveCount() + bullets.ActiveCount() + smoke.ActiveCount() + text.ActiveCount(), 0u);
  EXPECT_TRUE(rockets.objects[0].collidesWithGrid);
  EXPECT_TRUE(bullets.objects[0].collidesWithGrid);
  EXPECT_FALSE(smoke.objects[0].collidesWithGrid);
  EXPECT_EQ(rockets.objects[0].name, "Rocket");
  EXPECT_EQ(text.objects[0].name, "Particle");

  bullets.objects[0].active = true;
  bullets.objects[2].active = true;
  EXPECT_EQ(bullets.Acquire(), &bullets.objects[1]);
  for (Bullet& b : bullets.objects) b.active = true;
  EXPECT_EQ(bullets.Acquire(), nullptr);
  bullets.objects[321].active = false;
  EXPECT_EQ(bullets.Acquire(), &bullets.objects[321]) << "a spent object is used again";
}

}  // namespace
