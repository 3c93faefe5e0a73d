#pragma once

#include <glm/glm.hpp>

class SpriteRenderer;

// A clickable image placed relative to the window's centre, y up.
class Button {
 public:
  glm::vec2 position{0.0f, 0.0f};  // centre, relative to the window centre
  glm::vec2 halfSize{0.0f, 0.0f};  // (0, 0) is never hit
  SpriteRenderer* sprite = nullptr;  // not owned

  void SetButton(glm::vec2 position, glm::vec2 halfSize, SpriteRenderer* sprite);
  // Strictly inside: a point on the edge is not a hit. px, py are centre-relative.
  bool HitTest(float px, float py) const;
  void DrawButton(int W, int H) const;
};

// The raw mouse position (pixels from the top-left, not clamped) in a button's
// centre-relative coordinates; the window halves are truncated to whole pixels.
glm::vec2 CentreRelative(double rawX, double rawY, int windowWidth, int windowHeight);
