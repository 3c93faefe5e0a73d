// The menu world's own rules: its blast on the player and the open sides.
#include <cmath>
#include <tuple>

#include <gtest/gtest.h>

#include "game/menu.h"
#include "tests/game/game_test_support.h"

using namespace game;
using namespace game_test;

namespace {

class Menu : public ::testing::Test {
 protected:
  MenuWorld menu;
  void SetUp() override { Build(); }
  void Build() {
    world::PixelGrid grid = MakeGrid(384, 216);
    Fill(grid, 0, 0, 384, 40, world::STONE);
    grid.playerSpawn = {100, 60};
    BuildMenuWorld(menu, std::move(grid), nullptr, nullptr, nullptr, nullptr, nullptr);
  }
  // A rocket resting on a fresh floor at `offset` pixels from the player.
  void ExplodeAt(glm::vec3 offset) {
    Build();
    menu.player.position = CellCentre(100, 41);
    Rocket& r = menu.rockets.objects[0];
    r.position = menu.player.position + offset;
    r.scale = glm::vec2(4 * kS);
    r.active = true;  // at rest: its velocity was never set
    SoundEvents events;
    StepMenuRockets(menu, kDt, &events);
    ASSERT_EQ(std::tuple(r.active, events.Events().size()), std::tuple(false, 1u)) << "one explosion, heard";
  }
};

TEST_F(Menu, ABlastNearThePlayerPushesItAwayAndCostsUpToTwentyFive) {
  const struct { glm::vec3 offset; int health; } cases[] = {
      {{-20, -10, 0}, 75},                // within ~70.7 pixels: full strength
      {{0, 0, 0}, 75},                    // on the player: still a defined push
      {{-200, -10, 0}, 100 - 3}};         // beyond: falls with the square of the distance
  for (const auto& c : cases) {
    ExplodeAt(c.offset);
    SCOPED_TRACE(c.offset.x);
    EXPECT_EQ(menu.player.GetHealth(), c.health);
    EXPECT_TRUE(std::isfinite(glm::length(menu.player.velocity))) << menu.player.velocity;
    if (c.offset.y == 0.0f) continue;
    EXPECT_GT(menu.player.velocity.x * -c.offset.x, 0.0f) << "away from the blast";
    EXPECT_GT(menu.player.velocity.y, 0.0f);
  }
  EXPECT_GT(menu.camera.shake.x, 0.0f);
}

TEST_F(Menu, APlayerLeavingTheWorldComesBackAtTheStart) {
  for (glm::vec3 out : {glm::vec3(-3 * kS, 100 * kS, 0), glm::vec3(385 * kS, 100 * kS, 0), glm::vec3(50, -1, 0)}) {
    menu.player.position = out;
    menu.player.velocity = glm::vec3(0, -10, 0);
    StepMenuPlayer(menu, kDt);
    EXPECT_EQ(std::tuple(menu.player.position, menu.player.velocity),
              std::tuple(glm::vec3(100 * kS, 60 * kS, 0), glm::vec3(0)));
  }
}

}  // namespace
