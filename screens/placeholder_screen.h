#pragma once

#include "app/game_instance.h"

// Stands in for a screen that is not built yet: a dark screen with its name.
// Escape quits.
class PlaceholderScreen : public GameInstance {
public:
  explicit PlaceholderScreen(const char* name) : name_(name) {}

  void Load() override;
  void Initialize() override {}
  void ProcessInput(double dt) override;
  void Update(double) override {}
  void Draw() override;
  void Free() override {}
  void Unload() override {}

private:
  const char* name_;
};
