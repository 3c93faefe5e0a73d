#pragma once

class SpriteRenderer;

// The drawn mouse pointer, in window pixels from the bottom-left corner and
// kept inside the window so it never vanishes off an edge.
class Cursor {
 public:
  SpriteRenderer* sprite = nullptr;  // not owned
  double x = 0.0;
  double y = 0.0;
  float size = 16.0f;                // half-extent of the drawn square

  Cursor(SpriteRenderer* sprite, float size);

  // rawX, rawY: pixels from the top-left as the mouse reports them (the input
  // layer's GetCursorPos), maybe outside the window.
  void SetFromMouse(double rawX, double rawY, int windowWidth, int windowHeight);
  void DrawCursor() const;
};
