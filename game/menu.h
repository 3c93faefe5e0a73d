#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <span>

#include "game/frame_input.h"
#include "game/playfield.h"

// The main menu's live world: the player with its launcher, rockets that
// blast the terrain, and the sandbox brush. Its rules differ from a level's:
// its rockets follow kMenuRockets (their own push and fall-off, a fixed
// shake, never meeting characters); its player never dies.
namespace game {

// A click on a menu button waits until every rocket in flight has gone off.
struct PendingButton {
  enum Which { None = 0, Credits = 1, Controls = 2, Play = 3, Quit = 4 };
  bool pressed = false;
  Which which = None;
  bool sawRocket = false;
  bool ready = false;

  void Press(Which button) {
    pressed = true;
    which = button;
  }
  // Ready in the first frame without a rocket in flight after one was seen.
  void Scan(const RocketPool& rockets);
  // The button to act on now, if any; acting resets the rule.
  Which Take();
};

struct MenuWorld {
  world::PixelGrid grid;
  float S = 0.0f;
  Player player;
  Camera camera;
  RocketPool rockets;
  ParticlePool particles;
  // The run's generator while the menu is shown: the screen lends it and
  // takes it back when it leaves.
  Random random;
  PendingButton pending;
  SoundEvents sounds;  // the latest frame's

  // The steps borrow the world through a field, as the level's do.
  Playfield Field();
};

// A grid loaded from the menu image: the player at its start, active, with
// its launcher ready; a camera; 100 rockets and 1000 particles, inactive; no
// button pending. The generator is left as it was.
void BuildMenuWorld(MenuWorld& menu, world::PixelGrid grid);

// One menu frame's input, as values.
struct MenuInput {
  FrameInput frame;  // controls, cursor and window; paused while the options overlay is shown
  PendingButton::Which button = PendingButton::None;  // the menu button held down this frame
  std::optional<world::Material> paint;              // the sandbox block to stamp under the cursor
};

// What the screen needs from a menu frame.
struct MenuFrame {
  std::span<const SoundEvent> sounds;
  PendingButton::Which button = PendingButton::None;  // to act on now
  // The player as the controls left it, before the world moved: what the
  // trace records and the crosshair shows.
  glm::vec3 playerPosition{0.0f};
  glm::vec3 playerVelocity{0.0f};
  int playerHealth = 0;
  bool playerOnGround = false;
  std::size_t rocketsInFlight = 0;
  bool launcherReady = false;
};

// One frame: the sandbox stamp, the pending button (scanned, pressed, taken),
// the player's fire (not while paused) and its controls (even while paused);
// then, unless paused, the grid, the player, the rockets, the particles, the
// aim at the cursor and the camera's shake; last the grid's view from the
// camera, which is drawn and around which the next frame simulates and paints.
MenuFrame StepMenu(MenuWorld& menu, const MenuInput& input, float dt);

// The menu's player step: move, sense, hazards, timers, facing. A player
// that leaves the world at a side or the bottom comes back at the start.
void StepMenuPlayer(MenuWorld& menu, float dt);

// The sandbox's block choices, by the menu's own numbering.
struct BlockChoice {
  const char* name;
  world::Material material;
};
inline constexpr std::array<BlockChoice, 7> kBlockChoices{{{"CLEAR", world::CLEAR},
                                                           {"SAND", world::SAND},
                                                           {"STONE", world::STONE},
                                                           {"LAVA", world::LAVA},
                                                           {"WATER", world::WATER},
                                                           {"ICE", world::ICE},
                                                           {"OBSIDIAN", world::OBSIDIAN}}};
inline constexpr int kStartBlock = 1;  // SAND

}  // namespace game
