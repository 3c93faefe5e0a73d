#pragma once

#include <array>

#include "game/frame_input.h"
#include "game/playfield.h"

// The main menu's live world: the player with its launcher, rockets that
// blast the terrain, and the sandbox brush. Its rules differ from a level's:
// its rockets push and hurt the player by their own fall-off, shake the view
// a fixed amount, and never meet characters; its player never dies.
namespace game {

struct MenuWorld {
  world::PixelGrid grid;
  float S = 0.0f;
  Player player;
  Camera camera;
  RocketPool rockets;
  ParticlePool particles;
  Shader* spriteShader = nullptr;
  Texture* smokeTexture = nullptr;
  Texture* explosionTexture = nullptr;
  // The run's generator while the menu is shown: the screen lends it and
  // takes it back when it leaves.
  Random random;

  // The steps borrow the world through a field, as the level's do.
  Playfield Field(SoundEvents* sounds);
};

// A grid loaded from the menu image: the player at its start, active, with
// its launcher ready; a camera; 100 rockets and 1000 particles, inactive.
void BuildMenuWorld(MenuWorld& menu, world::PixelGrid grid, Shader* spriteShader, Texture* playerTexture,
                    Texture* rocketTexture, Texture* smokeTexture, Texture* explosionTexture);

// One unpaused frame after input: the grid, the player, the rockets, the
// particles, then the aim at the cursor and the camera's shake.
void StepMenuWorld(MenuWorld& menu, const FrameInput& input, float dt, SoundEvents* sounds);

// The menu's player step: move, sense, hazards, timers, facing. A player
// that leaves the world at a side or the bottom comes back at the start.
void StepMenuPlayer(MenuWorld& menu, float dt);
// The menu's rockets: the level's, by the menu's rule (kMenuRockets).
void StepMenuRockets(MenuWorld& menu, float dt, SoundEvents* sounds);

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

// The cell under the cursor (window pixels from the top-left), through the view.
world::CellPos CellUnderCursor(double cursorX, double cursorY, int windowHeight, float S,
                               world::ViewOrigin view);

}  // namespace game
