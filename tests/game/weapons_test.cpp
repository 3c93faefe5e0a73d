// Bullets and rockets, and the effects they and hurt characters spawn.
#include <tuple>

#include <gtest/gtest.h>

#include "game/particles.h"
#include "game/random.h"
#include "game/weapons.h"
#include "tests/game/game_test_support.h"

using namespace game;
using namespace game_test;

namespace {

Rocket RocketAt(glm::vec3 position, bool fromPlayer = false, glm::vec3 velocity = glm::vec3(0)) {
  Rocket r = MakeRocketPool(1).objects[0];
  r.position = position;
  r.velocity = velocity;
  r.scale = glm::vec2(4 * kS);
  r.fromPlayer = fromPlayer;
  r.active = true;
  return r;
}

TEST(Firing, ProjectilesLeaveTwentyCellsOutAlongTheAimAndRocketsSetTheCooldown) {
  BulletPool bullets = MakeBulletPool();
  RocketPool rockets = MakeRocketPool();
  Player player = MakePlayer(kS, glm::vec3(100, 100, 0));
  RocketEnemy enemy{Walker(MakeCharacter(glm::vec3(100, 100, 0)), 1, 1, 1, 1)};
  player.target = glm::vec3(100, 500, 0);
  enemy.target = enemy.position;  // aiming at itself: the way it faces, here left
  enemy.scale.x = -enemy.scale.x;
  player.rocketCooldown = enemy.fireCooldown = -3.0f;
  const Bullet* b = FireBullet(player, bullets, kS, 200 * kS, 20);
  EXPECT_EQ(std::tuple(b->position, b->velocity, b->active, b->damage),
            std::tuple(glm::vec3(100, 100 + 20 * kS, 0), glm::vec3(0, 200 * kS, 0), true, 20));
  EXPECT_EQ(FireRocket(player, rockets, kS)->velocity, glm::vec3(0, 300 * kS, 0));
  const Rocket* r = FireRocket(enemy, rockets, kS);
  EXPECT_EQ(std::tuple(r->position, r->velocity, rockets.objects[0].fromPlayer, r->fromPlayer),
            std::tuple(glm::vec3(100 - 20 * kS, 100, 0), glm::vec3(-150 * kS, 0, 0), true, false));
  EXPECT_EQ(player.rocketCooldown + enemy.fireCooldown, 2.0f) << "one second each";
  for (Rocket& each : rockets.objects) each.active = true;
  player.rocketCooldown = -1.0f;
  EXPECT_EQ(FireRocket(player, rockets, kS), nullptr);
  EXPECT_EQ(player.rocketCooldown, -1.0f) << "no rocket, no cooldown";
}

// The level with its player on the floor; rockets and bullets fired into it.
class Shots : public ::testing::Test {
 protected:
  Arena level;
  Player& player = level.player;
  const glm::vec3 sky = CellCentre(250, 120);
  void StepRocketUntilGone(int i) {
    for (int n = 0; n < 100 && level.rockets.objects[i].active; ++n) UpdateRockets(level.rockets, level.field, kDt);
    ASSERT_FALSE(level.rockets.objects[i].active);
  }
  Bullet& Shot(glm::vec3 position, glm::vec3 velocity, int damage) {
    Bullet& b = level.bullets.objects[0];
    b.position = position;
    b.velocity = velocity;
    b.scale = glm::vec2(4 * kS);
    b.damage = damage;
    b.active = true;
    return b;
  }
};

TEST_F(Shots, APlayerRocketIntoTheFloorPushesButDoesNotHurtAnEnemyRocketHurts) {
  player.target = player.position + glm::vec3(0, -100 * kS, 0);
  FireRocket(player, level.rockets, kS);
  player.SetInvulnerable(-0.5f);  // run out, as in play: a hurting blast would land
  UpdateRockets(level.rockets, level.field, kDt);
  EXPECT_EQ(level.rockets.ActiveCount(), 0u) << "exploded in its first step";
  EXPECT_EQ(std::tuple(player.GetHealth(), player.invulnerable), std::tuple(100, 0.0f)) << "the player's own rocket";
  EXPECT_GT(player.velocity.y, 50 * kS) << "but throws the player up";
  EXPECT_GT(level.camera.shake.x, 0.0f);

  GroundCharacter& behind = level.AddMelee(player.position + glm::vec3(-17 * kS, 0, 0));
  RocketEnemy enemy{Walker(MakeCharacter(player.position + glm::vec3(60 * kS, 0, 0)), 1, 1, 1, 1)};
  enemy.target = player.position;
  FireRocket(enemy, level.rockets, kS);
  StepRocketUntilGone(0);
  // An enemy's rocket hurts everyone near, the farther the less.
  EXPECT_LT(behind.GetHealth(), 200);
  EXPECT_GT(100 - player.GetHealth(), 200 - behind.GetHealth());
}

TEST_F(Shots, ProjectilesThatLeaveTheWorldAreRetired) {
  const glm::vec3 fast(300 * kS, 0, 0);
  const struct { glm::vec3 at, velocity; } gone[] = {
      {CellCentre(1, 100), -fast}, {CellCentre(398, 100), fast}, {CellCentre(200, 149), glm::vec3(0, 100 * kS, 0)}};
  for (const auto& c : gone) {
    Shot(c.at, c.velocity, 5);
    UpdateBullets(level.bullets, level.field, 0.1f);
    EXPECT_FALSE(level.bullets.objects[0].active) << c.at.x << ", " << c.at.y;
  }
  // Above the top a rocket gets one grid height to come back down.
  level.rockets.objects[0] = RocketAt(CellCentre(200, 140), false, glm::vec3(0, 300 * kS, 0));
  int frames = 0;
  while (level.rockets.objects[0].position.y < 250 * kS && frames++ < 100) {
    UpdateRockets(level.rockets, level.field, kDt);
    ASSERT_TRUE(level.rockets.objects[0].active) << "retired at row " << level.rockets.objects[0].position.y / kS;
  }
  StepRocketUntilGone(0);
}

TEST_F(Shots, RocketsExplodeOnEachOtherOnEnemiesAndOnThePlayer) {
  level.rockets.objects[0] = RocketAt(sky);
  level.rockets.objects[5] = RocketAt(sky + glm::vec3(6 * kS, 0, 0));
  level.rockets.objects[9] = RocketAt(sky + glm::vec3(-40 * kS, 0, 0));  // apart: flies on
  UpdateRockets(level.rockets, level.field, kDt);
  const auto active = [&](int i) { return level.rockets.objects[i].active; };
  EXPECT_EQ(std::tuple(active(0), active(5), active(9)), std::tuple(false, false, true)) << "both in the same frame";

  GroundCharacter& hit = level.AddMelee(CellCentre(250, 60));
  GroundCharacter& near = level.AddMelee(CellCentre(262, 60));
  level.rockets.objects[1] = RocketAt(hit.position + glm::vec3(-10 * kS, 0, 0), true);
  UpdateRockets(level.rockets, level.field, kDt);
  EXPECT_FALSE(level.rockets.objects[1].active);
  EXPECT_EQ(hit.GetHealth(), 175) << "a player rocket hurts enemies fully";
  EXPECT_LT(near.GetHealth(), 200);
  EXPECT_GT(hit.velocity.x, near.velocity.x) << "thrown away, harder nearer";
  EXPECT_GT(near.velocity.x, 0.0f);
  EXPECT_EQ(player.GetHealth(), 100);

  player.position = sky + glm::vec3(60 * kS, 0, 0);  // up in the air, away from everything
  level.rockets.objects[2] = RocketAt(player.position, true);
  UpdateRockets(level.rockets, level.field, kDt);
  EXPECT_FALSE(level.rockets.objects[2].active) << "every rocket, the player's own too, goes off on the player";
  EXPECT_GT(player.velocity.y, 50 * kS) << "one right on it throws it up";
}

TEST_F(Shots, RocketsTurnToTheirFlightKeepThrustingAndTrailSmokeInOrder) {
  level.rockets.objects[0] = RocketAt(sky, false, glm::vec3(-30 * kS, 40 * kS, 0));
  level.rockets.objects[0].SetMass(0.0f);  // no drag, so the velocity after the move is exact
  UpdateRockets(level.rockets, level.field, 0.02f);  // chance 2 > any draw: always smokes
  const Rocket& r = level.rockets.objects[0];
  EXPECT_NEAR(r.rotation, 180.0f - 53.13f, 0.01f);
  const glm::vec3 thrust = r.acceleration - glm::vec3(0, -98.1f * kS, 0);
  EXPECT_NEAR(glm::length(thrust), 100 * kS, 1e-2f);
  EXPECT_LT(thrust.x, 0.0f) << "thrust along the flight";

  const Particle& p = level.smoke.objects[0];
  ASSERT_TRUE(p.active);
  EXPECT_GT(p.velocity.x, 0) << "blown backwards";
  EXPECT_LT(p.velocity.y, 0);
}

TEST_F(Shots, AnExplosionFlashesEvenWithoutFreeParticlesTheTerrainIsBlasted) {
  level.rockets.objects[0] = RocketAt(sky, false, glm::vec3(0, -100 * kS, 0));
  StepRocketUntilGone(0);
  const Particle* flash = nullptr;
  int trail = 0;
  for (const Particle& p : level.smoke.objects) {
    if (p.active && p.sprite.sheet == Sheet::Explosion) flash = &p;
    else trail += p.active;
  }
  ASSERT_NE(flash, nullptr);
  EXPECT_GT(trail, 0);
  EXPECT_EQ(flash->sprite.frameCount, 9u) << "the whole sheet plays";
  EXPECT_GT(flash->position.y, 40 * kS + 8 * kS) << "raised to stand on the blast";

  for (Particle& p : level.smoke.objects) p.active = true;
  level.rockets.objects[0] = RocketAt(CellCentre(150, 120), false, glm::vec3(0, -100 * kS, 0));
  StepRocketUntilGone(0);
  EXPECT_NE(level.grid.At(150, 39).material, world::STONE) << "the terrain was still blasted";
}

TEST_F(Shots, ABulletHitsEveryCharacterItOverlapsEvenInvulnerableOnes) {
  GroundCharacter& left = level.AddMelee(CellCentre(250, 60));
  GroundCharacter& right = level.AddMelee(CellCentre(252, 60));
  right.SetInvulnerable(2.0f);
  Shot(CellCentre(251, 60), glm::vec3(0), 20);
  UpdateBullets(level.bullets, level.field, kDt);
  EXPECT_FALSE(level.bullets.objects[0].active);
  EXPECT_EQ(std::tuple(left.GetHealth(), right.GetHealth()), std::tuple(180, 200)) << "invulnerable: unhurt";
  EXPECT_FLOAT_EQ(left.invulnerable, 0.2f);
  EXPECT_FLOAT_EQ(right.invulnerable, 0.2f) << "a hit sets the invulnerability, even shorter";
  EXPECT_LT(left.velocity.x, 0.0f) << "pushed away from the bullet";
  EXPECT_FLOAT_EQ(right.velocity.x, 100 * kS * 20 / 150.0f);
}

TEST_F(Shots, BulletsFlyStraightAndGroundHitsBoreAHoleAndStillHurt) {
  Bullet& b = Shot(CellCentre(200, 100), glm::vec3(-100 * kS, 0, 0), 5);
  UpdateBullets(level.bullets, level.field, 0.1f);
  EXPECT_EQ(std::tuple(b.position, b.rotation), std::tuple(CellCentre(200, 100) - glm::vec3(10 * kS, 0, 0), 180.0f));

  player.position = CellCentre(100, 48);
  Shot(CellCentre(100, 41), glm::vec3(0, -10 * kS, 0), 20);
  UpdateBullets(level.bullets, level.field, kDt);
  EXPECT_FALSE(level.bullets.objects[0].active);
  EXPECT_EQ(std::tuple(level.grid.At(100, 35).material, level.grid.At(100, 28).material),
            std::tuple(world::CLEAR, world::STONE)) << "a hole of radius 20 / 5 + 6 = 10";
  EXPECT_EQ(player.GetHealth(), 80) << "enemy bullets hurt the player in the same frame";
}

class Particles : public ::testing::Test {
 protected:
  ParticlePool smoke = MakeSmokePool();
  TextParticlePool text = MakeTextPool();
  Character enemy = MakeCharacter(glm::vec3(300, 400, 0), 100);
  Sheet debrisSheet = Sheet::Explosion;  // not the pool's own, so a spawn shows
  Random random;
};

TEST_F(Particles, DebrisIsTwentyToTwentyNineRisingPuffs) {
  for (std::uint32_t seed : {0u, 1u, 77u, 123456u, 99999999u}) {
    for (Particle& p : smoke.objects) p.active = false;
    random.state = seed;
    SpawnDebris(enemy, debrisSheet, &smoke, kS, random);
    EXPECT_NEAR(smoke.ActiveCount(), 24.5, 4.5) << "20 to 29";
  }
  const Particle& p = smoke.objects[0];
  EXPECT_EQ(std::tuple(p.position, p.sprite.sheet), std::tuple(enemy.position, debrisSheet));
  EXPECT_GT(p.acceleration.y, 0) << "puffs rise";
  EXPECT_NEAR(p.lifetime, 3, 1) << "for 2 to 4 s";
}

TEST_F(Particles, DamageNumbersShowTheLossInRedAndFallSizedByItsSquareRoot) {
  enemy.AddHealth(-37);
  SpawnDamageNumber(enemy, &text, kS, random);
  const TextParticle& t = text.objects[0];
  ASSERT_TRUE(t.active);
  EXPECT_EQ(std::tuple(t.text, t.colour), std::tuple("37", glm::vec3(1, 0, 0)));
  EXPECT_NEAR(t.velocity.y, 50 * kS, 10 * kS) << "thrown up";
  EXPECT_LT(t.acceleration.y, 0.0f) << "falls back";
  EXPECT_FLOAT_EQ(t.scale.x, DamageNumberScale(37));
  enemy.SavePreviousHealth();
  SpawnDamageNumber(enemy, &text, kS, random);
  EXPECT_EQ(text.ActiveCount(), 1u) << "nothing for no loss";
  const struct { int damage; float scale; } table[] = {
      {0, 0.0f}, {1, 0.2f}, {3, 0.2f}, {4, 0.4f}, {8, 0.4f}, {9, 0.6f}, {20, 0.8f}, {25, 1.0f}, {100, 2.0f}};
  for (const auto& row : table) EXPECT_FLOAT_EQ(DamageNumberScale(row.damage), row.scale) << row.damage;
}

TEST_F(Particles, AlertMarksRiseWhiteAndParticlesExpireWhenTheirLifetimeRunsOut) {
  SpawnAlertMark(enemy, &text, kS, random);
  const TextParticle& mark = text.objects[0];
  EXPECT_EQ(std::tuple(mark.text, mark.colour, mark.velocity.x), std::tuple("!", glm::vec3(1), 0.0f));
  EXPECT_NEAR(mark.velocity.y, 50 * kS, 10 * kS) << "thrown up";
  for (int i = 0; i < 9; ++i) UpdateParticles(text, 0.1f, kS);
  ASSERT_TRUE(mark.active);
  EXPECT_GT(mark.position.y, enemy.position.y);
  UpdateParticles(text, 0.11f, kS);
  EXPECT_FALSE(mark.active);

  Particle& p = smoke.objects[0];
  p.lifetime = 0.5f;
  p.active = true;
  UpdateParticles(smoke, 0.25f, kS);
  EXPECT_TRUE(p.active);
  UpdateParticles(smoke, 0.25f, kS);
  EXPECT_FALSE(p.active) << "a lifetime of exactly 0 is over";
}

TEST_F(Particles, FullOrMissingPoolsDropSpawnsSilently) {
  for (Particle& p : smoke.objects) p.active = true;
  for (TextParticle& t : text.objects) t.active = true;
  enemy.AddHealth(-5);
  SpawnDebris(enemy, debrisSheet, &smoke, kS, random);
  SpawnDamageNumber(enemy, &text, kS, random);
  SpawnAlertMark(enemy, &text, kS, random);
  EXPECT_EQ(std::tuple(smoke.objects[0].sprite.sheet, text.objects[999].text), std::tuple(Sheet::Smoke, ""))
      << "nothing overwritten";
  SpawnDebris(enemy, debrisSheet, nullptr, kS, random);
  SpawnDamageNumber(enemy, nullptr, kS, random);
  SpawnAlertMark(enemy, nullptr, kS, random);
}

}  // namespace
