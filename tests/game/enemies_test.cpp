// Enemies on the level-like field: look-ahead, patrol, chase, sight, weapons,
// contact and the feedback they give.
#include <algorithm>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "game/enemies.h"
#include "game/particles.h"
#include "game/weapons.h"
#include "tests/game/game_test_support.h"

using namespace game;
using namespace game_test;

namespace {

glm::vec3 Standing(float x) { return CellCentre(x, 48); }  // on the floor

class Enemies : public ::testing::Test {
 protected:
  Arena level;
  Scout scout = MakeScout(kS);
  SoundEvents sounds;
  Enemies() { level.field.sounds = &sounds; }

  // One frame of enemies, projectiles and particles; the combat flag.
  bool Frame() {
    sounds.Clear();
    const bool combat = UpdateEnemies(level.field, scout, kDt);
    UpdateRockets(level.rockets, level.field, kDt);
    UpdateBullets(level.bullets, level.field, kDt);
    UpdateParticles(level.smoke, kDt, kS);
    return combat;
  }
  int Heard(Sfx sfx) const {
    int n = 0;
    for (const SoundEvent& e : sounds.Events()) n += e.sound == sfx;
    return n;
  }
  // This frame's first event of the sound, positional from `source`.
  const SoundEvent* HeardFrom(Sfx sfx, glm::vec3 source) const {
    for (const SoundEvent& e : sounds.Events())
      if (e.sound == sfx && e.positional && e.source == source && e.listener == level.player.position) return &e;
    return nullptr;
  }
  // Obsidian (which no blast breaks) all round the player: out of every sight.
  void HidePlayer() { Fill(level.grid, 80, 40, 121, 70, world::OBSIDIAN); }
};

// Counts the frames on which the walker left the ground with a jump.
struct JumpLog {
  std::vector<int> frames;
  float lastVy = 0;
  void Watch(const Walker& w, int frame) {
    if (lastVy < 0.5f * w.jumpSpeed && w.velocity.y >= 0.5f * w.jumpSpeed) frames.push_back(frame);
    lastVy = w.velocity.y;
  }
};

// Patrolling toward a pit no jump clears it turns; chasing the player over a
// narrow one it jumps, once the jump cooldown allows.
TEST(Walkers, TurnBeforeALavaPitAJumpCannotClearAndJumpOneItCan) {
  for (bool narrow : {false, true}) {
    SCOPED_TRACE(narrow ? "chasing over a narrow pit" : "patrolling toward a wide pit");
    Arena l;
    Fill(l.grid, narrow ? 20 : 80, 40, narrow ? 30 : 121, 100, world::OBSIDIAN);  // behind or round the player
    Fill(l.grid, 380, 40, 400, 100, world::STONE);
    const int pitLeft = narrow ? 200 : 220, pitRight = narrow ? 208 : 280;
    Fill(l.grid, pitLeft, 30, pitRight, 40, world::LAVA);
    Scout scout = MakeScout(kS);
    GroundCharacter& e = l.Add(l.melee, MakeMeleeEnemy(kS, Standing(pitRight + 30)));
    JumpLog jumps;
    for (int frame = 0; frame < 360; ++frame) {
      UpdateEnemies(l.field, scout, kDt);
      jumps.Watch(e, frame);
      ASSERT_EQ(e.GetHealth(), 200) << "frame " << frame;
    }
    EXPECT_EQ(e.alerted, narrow);
    if (!narrow) {
      EXPECT_GT(e.position.x, pitRight * kS) << "turned back";
    } else {
      EXPECT_LT(e.position.x, pitLeft * kS) << "jumped over";
      ASSERT_FALSE(jumps.frames.empty());
      EXPECT_GE(jumps.frames[0], 60) << "not before the first cooldown ran out";
      for (std::size_t i = 1; i < jumps.frames.size(); ++i) EXPECT_GE(jumps.frames[i] - jumps.frames[i - 1], 60);
    }
  }
}

TEST_F(Enemies, APatrolJumpsAtAWallTwiceASecondApartThenTurnsBack) {
  HidePlayer();  // the hiding place is the wall
  GroundCharacter& e = level.Add(level.melee, MakeMeleeEnemy(kS, Standing(170)));
  JumpLog jumps;
  int turnedAt = -1;
  for (int frame = 0; frame < 480 && turnedAt < 0; ++frame) {
    Frame();
    jumps.Watch(e, frame);
    if (!e.facingLeft) turnedAt = frame;
  }
  ASSERT_EQ(jumps.frames.size(), 2u);
  EXPECT_GE(jumps.frames[1] - jumps.frames[0], 60);
  EXPECT_GE(turnedAt - jumps.frames[1], 59) << "turned back a cooldown after the second";
  const float x = e.position.x;
  for (int i = 0; i < 60; ++i) Frame();
  EXPECT_GT(e.position.x, x + 10 * kS) << "walks away";
}

TEST_F(Enemies, ARocketEnemyHoldsFireCloserThanAHundredCells) {
  RocketEnemy& e = level.Add(level.rocketEnemies, MakeRocketEnemy(kS, Standing(180)));
  for (int frame = 0; frame < 150; ++frame) {
    Frame();
    ASSERT_EQ(Heard(Sfx::RocketLaunch), 0) << "frame " << frame;
  }
  e.position.x = 350 * kS;
  const SoundEvent* launch = nullptr;
  for (int frame = 0; !launch && frame < 150; ++frame) {
    const glm::vec3 at = e.position;
    Frame();
    launch = HeardFrom(Sfx::RocketLaunch, at);
  }
  EXPECT_NE(launch, nullptr);
  EXPECT_EQ(level.rockets.ActiveCount(), 1u);
}

TEST_F(Enemies, AnAlertedRifleEnemyCalmsNearTheLastSeenPlaceAndTheCombatFlagFollows) {
  RifleEnemy& e = level.Add(level.rifles, MakeRifleEnemy(kS, Standing(260)));
  const glm::vec3 at = e.position;
  EXPECT_FALSE(Frame()) << "the flag reads the state the last frame left";
  const SoundEvent* alert = HeardFrom(Sfx::EnemyAlert, at);
  ASSERT_TRUE(alert);
  EXPECT_EQ(std::tuple(alert->volume, alert->pitch, level.text.objects[0].text), std::tuple(1.0f, 1.2f, "!"));
  for (int i = 0; i < 90; ++i) EXPECT_TRUE(Frame());
  HidePlayer();
  int frame = 0;
  while (e.alerted && frame++ < 600) EXPECT_TRUE(Frame());
  const float left = glm::length(e.target - e.position) / kS;
  EXPECT_NEAR(left, 47.5f, 2.5f) << "cells short";
  EXPECT_FALSE(Frame());
}

TEST_F(Enemies, EnemiesHurtEachOtherShowItAndBurstWhenTheyDie) {
  GroundCharacter& victim = level.Add(level.melee, MakeMeleeEnemy(kS, Standing(200)));
  RifleEnemy& shooter = level.Add(level.rifles, MakeRifleEnemy(kS, Standing(300)));
  victim.maxRunSpeed = victim.jumpSpeed = shooter.maxRunSpeed = 0;  // both hold their ground
  victim.SetHealth(30);
  std::tuple<float, float> hurt;  // the hurt sound's volume and pitch
  for (int i = 0; i < 300 && victim.active; ++i) {
    const glm::vec3 at = victim.position;
    Frame();
    if (const SoundEvent* heard = HeardFrom(Sfx::EnemyHurt, at)) hurt = {heard->volume, heard->pitch};
  }
  EXPECT_EQ(hurt, std::tuple(1.5f, 0.8f));
  EXPECT_FALSE(victim.active);
  EXPECT_GE(level.smoke.ActiveCount(), 20u) << "a puff of debris";
  const auto number = std::find_if(level.text.objects.begin(), level.text.objects.end(),
                                   [](const TextParticle& t) { return t.text == "20"; });
  EXPECT_NE(number, level.text.objects.end());
}

TEST_F(Enemies, ContactThrowsThePlayerAwayAndHurtsItOncePerInvulnerability) {
  BatEnemy& bat = level.Add(level.bats, MakeBat(kS, level.player.position));
  bat.thrust = 0;
  bat.SetMaxSpeed(0);  // stays exactly on the player
  Player& p = level.player;
  for (float invulnerable : {0.0f, 0.1f}) {
    p.invulnerable = invulnerable;
    const glm::vec3 v = p.velocity;
    Frame();
    EXPECT_EQ(p.velocity, v + glm::vec3(0, 20 * kS, 0)) << "straight up";
    EXPECT_EQ(std::tuple(p.GetHealth(), p.invulnerable), std::tuple(90, invulnerable > 0 ? invulnerable : 0.4f));
  }
}

TEST(Bats, TurnFasterNearAWallAheadAndNeverTooSlowly) {
  world::PixelGrid open = MakeGrid(400, 150), walled = open;
  Fill(walled, 230, 0, 250, 150, world::STONE);  // 30 cells ahead
  auto headingAfter = [](const world::PixelGrid& grid, float turnRate) {
    BatEnemy bat = MakeBat(kS, CellCentre(200, 100));
    bat.turnRate = turnRate;
    Random random;
    UpdateBat(bat, grid, kS, kDt, random);
    return bat.heading;
  };
  EXPECT_EQ(headingAfter(open, 0), 0.0f) << "a turn rate of 0 flies straight";
  const float slow = headingAfter(open, 3000);
  EXPECT_GT(slow, 0.0f);
  EXPECT_EQ(headingAfter(open, 1), slow) << "slower turns are raised to 3000";
  EXPECT_GT(headingAfter(walled, 3000), 10 * slow);
  const float clockwise = headingAfter(open, -1);
  EXPECT_NEAR(clockwise, kFullTurn - slow, slow) << "kept within one turn";
}

}  // namespace
