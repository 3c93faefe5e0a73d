#include "render/button.h"

#include "render/sprite_renderer.h"

void Button::SetButton(glm::vec2 newPosition, glm::vec2 newHalfSize, SpriteRenderer* newSprite) {
  position = newPosition;
  halfSize = newHalfSize;
  sprite = newSprite;
}

bool Button::HitTest(float px, float py) const {
  return px > position.x - halfSize.x && px < position.x + halfSize.x &&
         py > position.y - halfSize.y && py < position.y + halfSize.y;
}

void Button::DrawButton(int W, int H) const {
  if (!sprite) return;
  // This camera puts world (0, 0) at the window's centre.
  const glm::vec2 camera(static_cast<float>(-W) * 0.5f, static_cast<float>(-H) * 0.5f);
  sprite->DrawSprite(camera, position, halfSize, 0.0f);
}

glm::vec2 CentreRelative(double rawX, double rawY, int windowWidth, int windowHeight) {
  return glm::vec2(static_cast<float>(rawX - windowWidth / 2),
                   static_cast<float>(windowHeight / 2 - rawY));
}
