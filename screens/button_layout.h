#pragma once

#include <glm/glm.hpp>

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
