#include "screens/object_drawing.h"

#include "render/sprite_renderer.h"

glm::vec2 CameraView(const game::Camera& camera) {
  return glm::vec2(camera.position.x + camera.shake.x, camera.position.y + camera.shake.y);
}

void DrawObject(SpriteRenderer& renderer, const game::Camera& camera, const game::GameObject& object) {
  if (!object.visible) return;
  static_cast<SpriteAnimation&>(renderer) = object.sprite;
  renderer.shader = object.sprite.shader;
  renderer.texture = object.sprite.texture;
  renderer.DrawSprite(CameraView(camera), glm::vec2(object.position.x, object.position.y), object.scale,
                      object.rotation);
}
