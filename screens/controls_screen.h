#pragma once

#include "app/game_instance.h"

// A picture of the controls; T goes to the main menu, Y to the level.
class ControlsScreen : public GameInstance {
public:
  void Load() override;
  void Initialize() override;
  void ProcessInput(double dt) override;
  void Update(double dt) override;
  void Draw() override;
  void Free() override;
  void Unload() override;
};
