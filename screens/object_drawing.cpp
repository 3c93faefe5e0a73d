#include "screens/object_drawing.h"

#include "render/resource_manager.h"
#include "render/sprite_renderer.h"

namespace {

struct SheetName {
  game::Sheet sheet;
  const char* texture;
};
// The resource names both the level and the main menu load the pictures under.
constexpr SheetName kSheetNames[] = {
    {game::Sheet::Player, "playerSprite"},
    {game::Sheet::Bat, "batEnemySprite"},
    {game::Sheet::Melee, "meleeEnemySprite"},
    {game::Sheet::Rifle, "rifleEnemySprite"},
    {game::Sheet::RocketEnemy, "rocketEnemySprite"},
    {game::Sheet::Gunner, "machineGunnerSprite"},
    {game::Sheet::Treasure, "winboxSprite"},
    {game::Sheet::Health, "healboxSprite"},
    {game::Sheet::Rocket, "rocketSprite"},
    {game::Sheet::Bullet, "bulletSprite"},
    {game::Sheet::Smoke, "smokeSprite"},
    {game::Sheet::Explosion, "explosionSprite"},
};

}  // namespace

SheetTextures SheetTexturesOf(const ResourceManager& resources) {
  SheetTextures sheets;
  for (const SheetName& s : kSheetNames) {
    const auto found = resources.textures.find(s.texture);
    if (found != resources.textures.end()) sheets.bySheet[static_cast<std::size_t>(s.sheet)] = found->second.get();
  }
  return sheets;
}

glm::vec2 CameraView(const game::Camera& camera) {
  return glm::vec2(camera.position.x + camera.shake.x, camera.position.y + camera.shake.y);
}

void DrawObject(SpriteRenderer& renderer, const SheetTextures& sheets, const game::Camera& camera,
                const game::GameObject& object) {
  if (!object.visible) return;
  static_cast<SpriteAnimation&>(renderer) = object.sprite;
  renderer.texture = sheets[object.sprite.sheet];
  renderer.DrawSprite(CameraView(camera), glm::vec2(object.position.x, object.position.y), object.scale,
                      object.rotation);
}
