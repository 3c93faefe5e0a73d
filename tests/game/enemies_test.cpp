// Enemies on the level-like field: alert and calm, hurting each other and the
// player, and the feedback they give. Reach, sight and bursts: rules_test.cpp.
#include <algorithm>
#include <tuple>

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
  // This frame's first event of the sound, positional from `source`.
  const SoundEvent* HeardFrom(Sfx sfx, glm::vec3 source) const {
    for (const SoundEvent& e : sounds.Events())
      if (e.sound == sfx && e.positional && e.source == source && e.listener == level.player.position) return &e;
    return nullptr;
  }
  // Obsidian (which no blast breaks) all round the player: out of every sight.
  void HidePlayer() { Fill(level.grid, 80, 40, 121, 70, world::OBSIDIAN); }
};

TEST_F(Enemies, ARocketEnemyFiresARocketHeardFromWhereItStands) {
  RocketEnemy& e = level.Add(level.rocketEnemies, MakeRocketEnemy(kS, Standing(350)));
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

}  // namespace
