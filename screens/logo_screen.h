#pragma once

#include "app/game_instance.h"

// The first screen: the studio logo, then the audio logo, two seconds each,
// then the main menu. Enter or Space skips, Escape quits.
class LogoScreen : public GameInstance {
public:
  void Load() override;
  void Initialize() override;
  void ProcessInput(double dt) override;
  void Update(double dt) override;
  void Draw() override;
  void Free() override;
  void Unload() override;
};
