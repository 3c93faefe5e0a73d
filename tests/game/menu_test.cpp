// The menu world's own rules: the open sides, and a whole course pinned.
#include <tuple>

#include <gtest/gtest.h>

#include "game/menu.h"
#include "tests/game/game_test_support.h"
#include "world/level_image.h"
#include "world/world_random.h"

using namespace game;
using namespace game_test;

namespace {

TEST(Menu, APlayerLeavingTheWorldComesBackAtTheStart) {
  world::PixelGrid grid = MakeGrid(384, 216);
  Fill(grid, 0, 0, 384, 40, world::STONE);
  grid.playerSpawn = {100, 60};
  MenuWorld menu;
  BuildMenuWorld(menu, std::move(grid));
  for (glm::vec3 out : {glm::vec3(-3 * kS, 100 * kS, 0), glm::vec3(385 * kS, 100 * kS, 0), glm::vec3(50, -1, 0)}) {
    menu.player.position = out;
    menu.player.velocity = glm::vec3(0, -10, 0);
    StepMenuPlayer(menu, kDt);
    EXPECT_EQ(std::tuple(menu.player.position, menu.player.velocity),
              std::tuple(glm::vec3(100 * kS, 60 * kS, 0), glm::vec3(0)));
  }
}

// Four seconds on the menu world at 768 x 432, pinned to the bit as the routes
// pin the levels: a run, a jump, rockets at the ground by the player (its own
// blasts hurt it) and at the sky, a paused moment, sand stamped. A change in
// the order of the frame's steps or of its random draws, or in the menu's
// blast, moves these numbers. The world is a copy of the menu image as it was
// when the course was pinned, so repainting the menu leaves the pin be.
TEST(MenuCourse, EndsWhereItAlwaysHas) {
  world::HoldClock(1);
  auto grid = world::LoadLevelImage(2.0f, "tests/data/menu_course.bmp");
  ASSERT_NE(grid, nullptr);
  MenuWorld menu;
  BuildMenuWorld(menu, std::move(*grid));
  MenuInput in;
  in.frame.windowWidth = 768;
  in.frame.windowHeight = 432;
  int explosions = 0;
  for (int i = 0; i < 240; ++i) {
    const bool pausedNow = i >= 180 && i < 190;  // running and firing: the run counts, the shot does not
    in.frame.controls = {
        .right = i < 50 || pausedNow, .jump = i >= 60 && i < 70, .fire = i == 70 || i == 100 || i == 185};
    in.frame.cursorX = i < 100 ? 420 : 200;
    in.frame.cursorY = i < 100 ? 400 : 50;
    in.frame.paused = pausedNow;
    in.paint = i == 190 ? std::optional(world::SAND) : std::nullopt;
    for (const SoundEvent& e : StepMenu(menu, in, kDt).sounds) explosions += e.sound == Sfx::Explosion;
  }
  EXPECT_EQ(menu.random.state, 3899938117u);
  EXPECT_EQ(menu.player.position.x, 257.440247f);
  EXPECT_EQ(menu.player.position.y, 96.9956665f);
  EXPECT_EQ(menu.player.GetHealth(), 97);
  EXPECT_EQ(menu.grid.viewOrigin.x, 4.77865768e-11f) << "the view, shaken by the blast, as drawn";
  EXPECT_EQ(explosions, 1) << "the one rocket that came down, heard; the other left the world";
}

}  // namespace
