#pragma once

#include "render/resource_manager.h"

struct GLFWwindow;
class TextRenderer;
namespace audio { class System; }
namespace game { struct Random; }

// Every screen derives from this and exists once, as a static object. The main
// loop fills the four pointers before each Load; the screen's own state lives
// in its module, not in fields of its class.
class GameInstance {
 public:
  GLFWwindow* window = nullptr;
  TextRenderer* textRenderer = nullptr;
  ResourceManager resources;
  audio::System* soundSystem = nullptr;
  // The run's one gameplay generator: a screen with a world lends it to that
  // world and puts the world's back when it leaves, so one sequence runs
  // through the menu and every level.
  game::Random* random = nullptr;

  virtual void Load() = 0;
  virtual void Initialize() = 0;
  virtual void ProcessInput(double dt) = 0;
  virtual void Update(double dt) = 0;
  virtual void Draw() = 0;
  virtual void Free() = 0;
  virtual void Unload() = 0;

 protected:
  GameInstance() = default;
  ~GameInstance() = default;
};
