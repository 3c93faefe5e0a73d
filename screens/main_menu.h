#pragma once

#include "app/game_instance.h"

// The title menu over a live sandbox world: the player stands in it with the
// rocket launcher, the four buttons act once the rockets in flight have gone
// off, and the options overlay switches sandbox painting, sound, window mode
// and the frame-rate counter.
class GameMainMenu : public GameInstance {
public:
  void Load() override;
  void Initialize() override;
  void ProcessInput(double dt) override;
  void Update(double dt) override;
  void Draw() override;
  void Free() override;
  void Unload() override;
};
