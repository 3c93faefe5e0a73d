#pragma once

#include <span>
#include <vector>

#include <glm/glm.hpp>

#include "app/game_state.h"

// Where the buttons of the picture-and-buttons screens sit, as plain numbers:
// positions relative to the window centre (y up), sizes as half sizes.

// Button sizes and corner insets for one band of window widths.
struct SizeTier {
  float smallHalfWidth;
  float halfHeight;
  float wideHalfWidth;
  float insetX;
  float insetY;
};

// Credits hub and pages: large from 1650 pixels wide, medium from 1200, else small.
SizeTier CreditTier(int W);
// Victory and defeat keep 200 x 100 buttons in every window.
SizeTier OutcomeTier(int W);

enum class Spot {
  BOTTOM_RIGHT,  // a small button inset from the corner
  BOTTOM_LEFT,
  ROW,           // a wide button on the centre line, factor x (H / 2) above the centre
  BACK,          // the 100 x 100 back arrow in the top-left corner
  LOW,           // a small button at factor x (W / 2) right of the centre, low down
};

struct Placement {
  glm::vec2 position;
  glm::vec2 halfSize;
};

Placement PlaceButton(Spot spot, double factor, const SizeTier& tier, int W, int H);

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

// Where each of the table's buttons sits in a W x H window, in table order.
std::vector<Placement> LayOut(const ButtonScreenTable& table, int W, int H);
