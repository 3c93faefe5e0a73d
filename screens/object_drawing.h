#pragma once

#include <array>
#include <cmath>

#include "game/game_object.h"
#include "render/sprite_renderer.h"

class ResourceManager;
class Texture;

inline constexpr float kDegreesPerRadian = 57.29578f;

// The screen's texture for each sheet the rules name. Sheets whose texture
// the screen never loaded stay null and must not be drawn.
struct SheetTextures {
  std::array<Texture*, game::kSheetCount> bySheet{};

  Texture* operator[](game::Sheet sheet) const { return bySheet[static_cast<std::size_t>(sheet)]; }
};
// Looked up once, after the screen has loaded its textures.
SheetTextures SheetTexturesOf(const ResourceManager& resources);

// Draws a game object's sprite through one shared renderer, with the
// renderer's own shader: game objects hold their look as data, the renderer
// takes the animation and the sheet's texture for the one draw.
void DrawObject(SpriteRenderer& renderer, const SheetTextures& sheets, const game::Camera& camera,
                const game::GameObject& object);
// The view offset objects and the grid are drawn with: position plus shake.
glm::vec2 CameraView(const game::Camera& camera);

// A carrier's weapon at its centre, turned toward its target: mirrored and
// drawn before the body when it aims left, after it when it aims right.
// `halfSize` is the weapon's unmirrored half extent.
template <class DrawBody>
void DrawWithWeapon(const SpriteRenderer& weapon, const game::Camera& camera, const game::Character& c,
                    float halfSize, DrawBody&& body) {
  const glm::vec3 aim = c.target;
  const float dx = aim.x - c.position.x, dy = aim.y - c.position.y;
  const float angle = dx == 0.0f && dy == 0.0f ? 0.0f : std::atan(dy / dx) * kDegreesPerRadian;
  const glm::vec2 view = CameraView(camera), at(c.position.x, c.position.y);
  if (c.position.x >= aim.x) weapon.DrawSprite(view, at, glm::vec2(-halfSize, halfSize), angle);
  body();
  if (aim.x > c.position.x) weapon.DrawSprite(view, at, glm::vec2(halfSize, halfSize), angle);
}
