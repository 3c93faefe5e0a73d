#pragma once

#include <array>
#include <memory>
#include <span>

#include "app/game_instance.h"
#include "app/game_state.h"
#include "render/button.h"
#include "render/cursor.h"
#include "render/sprite_renderer.h"
#include "screens/button_layout.h"

// One button of a picture-and-buttons screen.
struct ButtonEntry {
  const char* texture;  // resource name
  const char* path;     // its picture
  int target;           // the state a click on it requests
  Spot spot;
  double factor = 0.0;  // see Spot
};

// Everything that tells one such screen from another.
struct ButtonScreenTable {
  const char* background;  // resource name of the full-window picture
  const char* backgroundPath;
  std::span<const ButtonEntry> buttons;  // hit-test and draw order: a later hit wins
  SizeTier (*tier)(int W);
};

// The buttons every credit page has: back to the hub, and the main menu.
inline constexpr ButtonEntry kCreditPageButtons[] = {
    {"Back_Button_Cursor_Texture", "Assets//backbutton.png", STATE_CREDITS, Spot::BACK},
    {"Button_Cursor_Texture", "Assets//mainmenu_button.png", STATE_MAIN_MENU, Spot::BOTTOM_LEFT},
};

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
