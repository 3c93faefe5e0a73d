#pragma once

#include <array>
#include <memory>

#include "app/game_instance.h"
#include "render/button.h"
#include "render/cursor.h"
#include "render/sprite_renderer.h"
#include "screens/button_layout.h"

constexpr std::size_t kMaxScreenButtons = 6;

// What one such screen keeps between its operations; each screen module holds its own.
struct ButtonScreenState {
  int W = 0;
  int H = 0;
  double rawX = 0.0;  // the mouse as the last Update read it: from the top-left, not clamped
  double rawY = 0.0;
  bool armed = false;  // the left button has been up since the screen opened
  std::unique_ptr<SpriteRenderer> background;
  std::unique_ptr<SpriteRenderer> pointer;
  std::array<std::unique_ptr<SpriteRenderer>, kMaxScreenButtons> buttonSprites;
  std::array<Button, kMaxScreenButtons> buttons;
  std::unique_ptr<Cursor> cursor;
};

// The credits hub and pages, victory and defeat: a full-window picture, image
// buttons and the pointer. A held left button over a button requests its
// state; Escape quits. The per-screen state lives in the screen's own module.
class ButtonScreen : public GameInstance {
public:
  void Load() final;
  void Initialize() final;
  void ProcessInput(double dt) final;
  void Update(double dt) final;
  void Draw() final;
  void Free() final;
  void Unload() final;

protected:
  ButtonScreen(const ButtonScreenTable& table, ButtonScreenState& state) : table_(table), state_(state) {}

private:
  const ButtonScreenTable& table_;
  ButtonScreenState& state_;
};
