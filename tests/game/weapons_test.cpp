#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "game/flags.h"
#include "game/random.h"
#include "game/weapons.h"
#include "tests/game/game_test_support.h"

using namespace game;
using namespace game_test;

namespace {

bool Finite(glm::vec3 v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

Rocket RocketAt(glm::vec3 position, bool fromPlayer) {
  Rocket r = MakeRocketPool(nullptr, nullptr, 1).objects[0];
  r.position = position;
  r.scale = glm::vec2(4 * kS);
  r.fromPlayer = fromPlayer;
  r.active = true;
  return r;
}

TEST(Firing, ABulletLeavesTwentyCellsOutAlongTheAim) {
  BulletPool pool = MakeBulletPool(nullptr, nullptr);
  Character shooter = MakeCharacter(glm::vec3(100, 100, 0));
  shooter.target = glm::vec3(100, 500, 0);
  Bullet* b = FireBullet(shooter, pool, kS, 200 * kS, 20);
  ASSERT_EQ(b, &pool.objects[0]);
  EXPECT_TRUE(b->active);
  EXPECT_EQ(b->position, glm::vec3(100, 100 + 20 * kS, 0));
  EXPECT_EQ(b->velocity, glm::vec3(0, 200 * kS, 0));
  EXPECT_EQ(b->scale, glm::vec2(4 * kS));
  EXPECT_EQ(b->damage, 20);
  EXPECT_EQ(b->GetMass(), 0.0f);

  shooter.target = shooter.position;  // aiming at itself: straight ahead
  shooter.scale.x = -shooter.scale.x;
  b = FireBullet(shooter, pool, kS, 100 * kS, 5);
  EXPECT_TRUE(Finite(b->velocity));
  EXPECT_EQ(b->velocity, glm::vec3(-100 * kS, 0, 0)) << "the way it faces";
}

TEST(Firing, RocketsFlyAtTheShootersSpeedAndSetItsCooldown) {
  RocketPool pool = MakeRocketPool(nullptr, nullptr);
  Player player = MakePlayer(nullptr, nullptr, kS, glm::vec3(0, 100, 0));
  player.target = glm::vec3(10, 100, 0);
  Rocket* r = FireRocket(player, pool, kS);
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(r->velocity, glm::vec3(300 * kS, 0, 0));
  EXPECT_EQ(r->acceleration, glm::vec3(50 * kS, -98.1f * kS, 0));
  EXPECT_TRUE(r->fromPlayer);
  EXPECT_FALSE(r->exploded);
  EXPECT_EQ(player.rocketCooldown, 1.0f);

  RocketEnemy enemy{Walker(MakeCharacter(glm::vec3(0, 100, 0)), 1, 1, 1, 1)};
  enemy.target = glm::vec3(0, 0, 0);
  enemy.fireCooldown = -3.0f;
  r = FireRocket(enemy, pool, kS);
  EXPECT_EQ(r, &pool.objects[1]);
  EXPECT_EQ(r->velocity, glm::vec3(0, -150 * kS, 0));
  EXPECT_FALSE(r->fromPlayer);
  EXPECT_EQ(enemy.fireCooldown, 1.0f);

  for (Rocket& each : pool.objects) each.active = true;
  player.rocketCooldown = -1.0f;
  EXPECT_EQ(FireRocket(player, pool, kS), nullptr);
  EXPECT_EQ(player.rocketCooldown, -1.0f) << "no rocket, no cooldown";
}

TEST(Blast, DamageAndPushFallWithDistance) {
  struct Case {
    float cells;
    int damage;
    float k;
  } cases[] = {{10, 25, 0.0002f}, {14, 25, 0.0002f}, {20, 12, 0.0001f}, {40, 3, 0.000025f}};
  for (const Case& c : cases) {
    Character target = MakeCharacter(glm::vec3(500, 500, 0), 100, 50.0f);
    const Rocket r = RocketAt(target.position - glm::vec3(c.cells * kS, 0, 0), false);
    ApplyBlast(r, target, kS, 1.0f);
    EXPECT_EQ(target.GetHealth(), 100 - c.damage) << c.cells;
    EXPECT_NEAR(target.velocity.x, kS * 4e7f * c.k / 50.0f, 1e-3f * kS * 4e7f * c.k / 50.0f)
        << "pushed away from the rocket at " << c.cells;
    EXPECT_NEAR(target.velocity.y, 0.0f, 1e-3f);
    EXPECT_NEAR(target.invulnerable, 1250.0f * c.k, 1e-6f) << c.cells;
  }
}

TEST(Blast, InvulnerableTargetsArePushedButUnhurt) {
  Character target = MakeCharacter(glm::vec3(500, 500, 0));
  target.SetInvulnerable(1.0f);
  ApplyBlast(RocketAt(target.position + glm::vec3(0, 5 * kS, 0), false), target, kS, 1.0f);
  EXPECT_EQ(target.GetHealth(), 100);
  EXPECT_LT(target.velocity.y, 0.0f) << "pushed down, away from a rocket above";
  EXPECT_FLOAT_EQ(target.invulnerable, 0.25f);
}

TEST(Blast, ARocketOnTheTargetsCentreThrowsItStraightUp) {
  Character target = MakeCharacter(glm::vec3(500, 500, 0));
  ApplyBlast(RocketAt(target.position, false), target, kS, 1.0f);
  EXPECT_TRUE(Finite(target.velocity));
  EXPECT_TRUE(Finite(target.position));
  EXPECT_EQ(target.velocity.x, 0.0f);
  EXPECT_FLOAT_EQ(target.velocity.y, kS * 4e7f * 0.0002f / 50.0f);
  EXPECT_EQ(target.GetHealth(), 75);
}

// A level-like field: stone floor, the player standing on it, two enemies.
class RocketStep : public ::testing::Test {
 protected:
  world::PixelGrid grid = MakeGrid(400, 150);
  Player player;
  std::vector<GroundCharacter> melee;
  std::vector<BatEnemy> bats;
  Camera camera;
  RocketPool rockets = MakeRocketPool(nullptr, nullptr);
  ParticlePool smoke = MakeSmokePool(nullptr, nullptr);
  Texture* explosionTexture = reinterpret_cast<Texture*>(0x2000);  // compared only
  Playfield field;

  void SetUp() override {
    Muted = false;
    Fill(grid, 0, 0, 400, 40, world::STONE);
    player = PlayerOnFloor(grid, 100, 40);
    field.grid = &grid;
    field.cellSize = kS;
    field.player = &player;
    field.camera = &camera;
    field.smoke = &smoke;
    field.explosionTexture = explosionTexture;
  }
  void AddMelee(glm::vec3 position) {
    melee.emplace_back(Walker(MakeCharacter(position, 200, 150.0f), 30 * kS, 400 * kS, 50 * kS, 60 * kS));
    field.meleeEnemies = melee;
  }
};

TEST_F(RocketStep, APlayerRocketIntoAnAdjacentWallRocketJumps) {
  player.target = player.position + glm::vec3(0, -100 * kS, 0);  // straight down into the floor
  FireRocket(player, rockets, kS);
  const float y = player.position.y;
  player.SetInvulnerable(0.3f);
  UpdateRockets(rockets, field, kDt);
  EXPECT_EQ(rockets.ActiveCount(), 0u) << "exploded in its first step";
  EXPECT_EQ(player.GetHealth(), 100) << "the player's own rocket does no damage";
  EXPECT_EQ(player.invulnerable, 0.0f) << "and clears invulnerability";
  EXPECT_GT(player.velocity.y, 30 * kS) << "thrown upwards";
  EXPECT_FALSE(grid.At(100, 30).material == world::STONE) << "a hole in the floor";
  EXPECT_EQ(grid.At(100, 5).material, world::STONE) << "20 cells deep at most";
  EXPECT_GT(camera.shake.x, 0.0f);

  float top = y;
  for (int i = 0; i < 120; ++i) {
    SimulatePlayer(player, grid, kS, {}, 1, kDt);
    top = std::max(top, player.position.y);
  }
  EXPECT_GT((top - y) / kS, 15.0f) << "a rocket jump";
}

TEST_F(RocketStep, AnEnemyRocketHurtsThePlayer) {
  RocketEnemy enemy{Walker(MakeCharacter(player.position + glm::vec3(60 * kS, 0, 0)), 1, 1, 1, 1)};
  enemy.target = player.position;
  FireRocket(enemy, rockets, kS);
  for (int i = 0; i < 60 && rockets.ActiveCount() > 0; ++i) UpdateRockets(rockets, field, kDt);
  EXPECT_EQ(rockets.ActiveCount(), 0u);
  EXPECT_LT(player.GetHealth(), 100);
  EXPECT_GE(player.GetHealth(), 75);
  EXPECT_GT(player.invulnerable, 0.0f);
}

TEST_F(RocketStep, TwoRocketsThatTouchBothExplodeInTheSameFrame) {
  const glm::vec3 sky = CellCentre(250, 120);
  rockets.objects[0] = RocketAt(sky, false);
  rockets.objects[5] = RocketAt(sky + glm::vec3(6 * kS, 0, 0), false);
  rockets.objects[9] = RocketAt(sky + glm::vec3(-30 * kS, 0, 0), false);  // apart: flies on
  UpdateRockets(rockets, field, kDt);
  EXPECT_FALSE(rockets.objects[0].active);
  EXPECT_FALSE(rockets.objects[5].active);
  EXPECT_TRUE(rockets.objects[9].active);
}

TEST_F(RocketStep, TouchingAnEnemyExplodesAndHurtsEveryoneNear) {
  AddMelee(CellCentre(250, 60));
  AddMelee(CellCentre(262, 60));
  rockets.objects[0] = RocketAt(melee[0].position + glm::vec3(-10 * kS, 0, 0), true);
  UpdateRockets(rockets, field, kDt);
  EXPECT_FALSE(rockets.objects[0].active);
  EXPECT_EQ(melee[0].GetHealth(), 175) << "a player rocket hurts enemies fully";
  EXPECT_LT(melee[1].GetHealth(), 200);
  EXPECT_GT(melee[1].velocity.x, 0.0f) << "thrown away from the blast";
  EXPECT_GT(melee[0].velocity.x, melee[1].velocity.x) << "harder nearer";
  EXPECT_EQ(player.GetHealth(), 100);
}

TEST_F(RocketStep, AFlashAndSmokeUseTheParticlePool) {
  rockets.objects[0] = RocketAt(CellCentre(250, 120), false);
  rockets.objects[0].velocity = glm::vec3(0, -100 * kS, 0);
  for (int i = 0; i < 100 && rockets.objects[0].active; ++i) UpdateRockets(rockets, field, kDt);
  ASSERT_FALSE(rockets.objects[0].active);
  const Particle* flash = nullptr;
  int trail = 0;
  for (const Particle& p : smoke.objects) {
    if (!p.active) continue;
    if (p.sprite.texture == explosionTexture) flash = &p;
    else ++trail;
  }
  ASSERT_NE(flash, nullptr);
  EXPECT_GT(trail, 0);
  EXPECT_EQ(flash->sprite.frameCount, 9u);
  EXPECT_FALSE(flash->sprite.loop);
  EXPECT_EQ(flash->scale, glm::vec2(16 * kS, 32 * kS));
  EXPECT_FLOAT_EQ(flash->lifetime, 0.4f);
  EXPECT_GT(flash->position.y, 40 * kS + 8 * kS) << "raised to stand on the blast";
}

TEST_F(RocketStep, WithNoFreeParticleARocketStillFliesAndExplodes) {
  for (Particle& p : smoke.objects) {
    p.active = true;
    p.lifetime = 100.0f;
  }
  rockets.objects[0] = RocketAt(CellCentre(250, 120), false);
  rockets.objects[0].velocity = glm::vec3(0, -100 * kS, 0);
  for (int i = 0; i < 100 && rockets.objects[0].active; ++i) UpdateRockets(rockets, field, kDt);
  EXPECT_FALSE(rockets.objects[0].active);
  EXPECT_NE(grid.At(250, 39).material, world::STONE) << "the terrain was still blasted";
}

TEST_F(RocketStep, SmokeTrailDrawsInItsStatedOrder) {
  rockets.objects[0] = RocketAt(CellCentre(250, 120), false);
  rockets.objects[0].velocity = glm::vec3(30 * kS, 40 * kS, 0);
  rockets.objects[0].SetMass(0.0f);  // no drag, so the velocity after the move is exact
  const glm::vec3 v = rockets.objects[0].velocity;  // no acceleration yet
  SetRandomState(4242);
  UpdateRockets(rockets, field, 0.02f);  // chance 2 > any draw: always smokes

  SetRandomState(4242);
  RandomFloat(0, 1);
  const float lifetime = RandomFloat(0.1f, 0.4f);
  const float r1 = RandomFloat(-0.2f, 0.2f);
  const float r2 = RandomFloat(-0.2f, 0.2f);
  const float drag = RandomFloat(25, 100);
  const Particle& p = smoke.objects[0];
  ASSERT_TRUE(p.active);
  EXPECT_EQ(p.lifetime, lifetime);
  const float speed = glm::length(v);
  EXPECT_FLOAT_EQ(p.velocity.x, r2 * speed - v.x);
  EXPECT_FLOAT_EQ(p.velocity.y, r1 * speed - v.y);
  EXPECT_EQ(p.drag, drag);
  EXPECT_EQ(p.scale, glm::vec2(2 * kS));
  EXPECT_EQ(RandomState(), (SetRandomState(4242), RandomFloat(0, 1), RandomFloat(0, 1), RandomFloat(0, 1),
                            RandomFloat(0, 1), RandomFloat(0, 1), RandomState()))
      << "five draws, nothing else";
}

TEST_F(RocketStep, RocketsTurnToTheirFlightAndKeepThrusting) {
  rockets.objects[0] = RocketAt(CellCentre(250, 120), false);
  rockets.objects[0].velocity = glm::vec3(-50 * kS, 50 * kS, 0);
  UpdateRockets(rockets, field, 0.001f);
  const Rocket& r = rockets.objects[0];
  EXPECT_NEAR(r.rotation, 135.0f, 0.5f);
  const glm::vec3 thrust = r.acceleration - glm::vec3(0, -98.1f * kS, 0);
  EXPECT_NEAR(glm::length(thrust), 100 * kS, 1e-2f);
  EXPECT_LT(thrust.x, 0.0f);
}

class BulletStep : public RocketStep {
 protected:
  BulletPool bullets = MakeBulletPool(nullptr, nullptr);
  Bullet& Shot(glm::vec3 position, glm::vec3 velocity, int damage) {
    Bullet& b = bullets.objects[0];
    b.position = position;
    b.velocity = velocity;
    b.scale = glm::vec2(4 * kS);
    b.damage = damage;
    b.active = true;
    return b;
  }
};

TEST_F(BulletStep, ABulletHitsEveryCharacterItOverlaps) {
  AddMelee(CellCentre(250, 60));
  AddMelee(CellCentre(252, 60));
  Shot(CellCentre(251, 60), glm::vec3(0), 20);
  UpdateBullets(bullets, field, kDt);
  EXPECT_FALSE(bullets.objects[0].active);
  EXPECT_EQ(melee[0].GetHealth(), 180);
  EXPECT_EQ(melee[1].GetHealth(), 180);
  EXPECT_FLOAT_EQ(melee[0].invulnerable, 0.2f);
  EXPECT_LT(melee[0].velocity.x, 0.0f) << "pushed away from the bullet";
  EXPECT_GT(melee[1].velocity.x, 0.0f);
  EXPECT_FLOAT_EQ(melee[1].velocity.x, 100 * kS * 20 / 150.0f);
}

TEST_F(BulletStep, HitOnAnInvulnerableTargetPushesAndShortensItsInvulnerability) {
  AddMelee(CellCentre(250, 60));
  melee[0].SetInvulnerable(2.0f);
  Shot(CellCentre(246, 60), glm::vec3(0), 5);
  UpdateBullets(bullets, field, kDt);
  EXPECT_EQ(melee[0].GetHealth(), 200);
  EXPECT_GT(melee[0].velocity.x, 0.0f);
  EXPECT_FLOAT_EQ(melee[0].invulnerable, 0.05f);
}

TEST_F(BulletStep, GroundHitsBoreAHoleAndStillHurtWhoIsThere) {
  player.position = CellCentre(100, 48);
  Shot(CellCentre(100, 41), glm::vec3(0, -10 * kS, 0), 20);
  UpdateBullets(bullets, field, kDt);
  EXPECT_FALSE(bullets.objects[0].active);
  EXPECT_NE(grid.At(100, 35).material, world::STONE) << "radius 20 / 5 + 6 = 10";
  EXPECT_EQ(grid.At(100, 28).material, world::STONE);
  EXPECT_EQ(player.GetHealth(), 80) << "enemy bullets hurt the player in the same frame";
}

TEST_F(BulletStep, BulletsFlyStraightAndPointAlongTheirPath) {
  Bullet& b = Shot(CellCentre(200, 100), glm::vec3(-100 * kS, 0, 0), 5);
  b.SetMass(0.0f);
  UpdateBullets(bullets, field, 0.1f);
  EXPECT_FLOAT_EQ(b.position.x, CellCentre(200, 100).x - 10 * kS);
  EXPECT_FLOAT_EQ(b.position.y, CellCentre(200, 100).y);
  EXPECT_FLOAT_EQ(b.rotation, 180.0f);
}

}  // namespace
