#include "render/cursor.h"

#include <algorithm>

#include <glm/glm.hpp>

#include "render/sprite_renderer.h"

Cursor::Cursor(SpriteRenderer* sprite, float size) : sprite(sprite), size(size) {}

void Cursor::SetFromMouse(double rawX, double rawY, int windowWidth, int windowHeight) {
  const double width = std::max(windowWidth, 0);
  const double height = std::max(windowHeight, 0);
  x = std::clamp(rawX, 0.0, width);
  y = std::clamp(height - rawY, 0.0, height);
}

void Cursor::DrawCursor() const {
  if (!sprite) return;
  sprite->DrawSprite(glm::vec2(0.0f), glm::vec2(static_cast<float>(x), static_cast<float>(y)),
                     glm::vec2(size, size), 0.0f);
}
