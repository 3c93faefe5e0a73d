#pragma once

#include <glm/glm.hpp>

#include "game/sprite_animation.h"

class Shader;
class Texture;

// The shared unit quad every sprite draws: corners at +-1, so sprite sizes are
// half-extents. Made by InitRenderData.
extern unsigned int quadVAO;

// Called once with a current context, before any sprite: creates the shared
// quad (left bound).
void InitRenderData();

// Draws one texture, or one cell of a sprite sheet, on the shared quad. The
// shader and texture belong to a ResourceManager and must outlive the sprite.
class SpriteRenderer : public SpriteAnimation {
 public:
  Shader* shader = nullptr;
  Texture* texture = nullptr;
  unsigned int quadVAO = 0;

  // Still sprites: frameCount 0 (startFrame and frameTime are then unused).
  SpriteRenderer(Shader* shader, Texture* texture, unsigned int frameCount,
                 unsigned int startFrame, float frameTime, bool loop, bool paused);

  // camera is the world point drawn at the window's bottom-left corner; size is
  // a half-extent (negative mirrors); rotation is in degrees, counter-clockwise.
  void DrawSprite(glm::vec2 camera, glm::vec2 position, glm::vec2 size, float rotation) const;
};
