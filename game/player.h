#pragma once

#include "game/frame_input.h"
#include "game/playfield.h"

// The player: a walker run with A and D, jumped with a held Space and aimed
// with the mouse; the left button fires rockets.
namespace game {

inline constexpr int kPlayerHealth = 100;
inline constexpr float kPlayerMass = 50.0f;
inline constexpr float kPlayerHalfSizeCells = 8.0f;
inline constexpr float kPlayerMaxRunCells = 70.0f;
inline constexpr float kPlayerGroundAccelerationCells = 600.0f;
inline constexpr float kPlayerAirAccelerationCells = 100.0f;
inline constexpr float kPlayerJumpSpeedCells = 1000.0f;
inline constexpr float kJumpBoostSeconds = 0.1f;  // the longest a held jump keeps pushing

// The level's player at `position`, inactive, rocket cooldown 1 s: the screen
// activates it and clears the cooldown when it places it.
Player MakePlayer(float S, glm::vec3 position);

// Running, the held jump boost and the fire latch from this frame's controls.
void ApplyPlayerControls(Player& player, PlayerControls controls, float dt);

// The fire rule of the level and the menu, tested before ApplyPlayerControls
// in the same frame: a press with the latch clear, the cooldown run out, the
// player active and the game not paused asks for the launch sound and fires.
// Returns true when it fired.
bool TryFirePlayerRocket(Player& player, PlayerControls controls, RocketPool& rockets, const Playfield& field,
                         bool paused);
// The jump sound on the first frame Space is held on the ground, also tested
// before ApplyPlayerControls. Returns true when it was due.
bool PlayJumpSound(const Player& player, PlayerControls controls, const Playfield& field);

// The player's part of a level frame: death, hurt feedback, movement, walk
// animation and step sounds, sensing, hazards, timers and facing the target.
// An inactive player is not stepped.
void UpdatePlayer(Player& player, const Playfield& field, float dt);
// The part of the player's step after its move, shared with the menu's:
// sensing, hazards, the cooldown and invulnerability timers, facing the target.
void SenseAndAge(Player& player, const world::PixelGrid* grid, float S, float dt);

// Runs `frames` frames of input and step for the player alone on a grid, as a
// level does, with no sounds, effects or grid simulation: for measuring
// movement headless. Vary the controls by calling it once per frame.
void SimulatePlayer(Player& player, world::PixelGrid& grid, float S, PlayerControls controls, int frames,
                    float dt);

}  // namespace game
