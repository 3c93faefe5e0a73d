#pragma once

// Frame animation of a sprite sheet, kept free of OpenGL so game rules can
// advance and inspect it without a window.
struct SpriteAnimation {
  unsigned int frameCount = 0;  // 0 for a still sprite
  unsigned int currentFrame = 0;
  float frameTimer = 0.0f;      // seconds since the last frame change
  float frameTime = 0.0f;       // seconds per frame
  bool loop = false;            // after the last frame go back to frame 0
  bool paused = false;

  // At most one frame passes per call: the surplus time is dropped.
  void Animate(float dt) {
    if (frameCount == 0 || paused) return;
    frameTimer += dt;
    if (frameTimer < frameTime) return;
    frameTimer = 0.0f;
    if (currentFrame + 1 < frameCount)
      ++currentFrame;
    else if (loop)
      currentFrame = 0;
  }

  // The sheet cell to bind: still sprites show the whole image. Animated ones
  // ask for the frame after the current one; with repeat wrapping the cell
  // after the last is cell 0.
  unsigned int SheetIndex() const { return frameCount != 0 ? currentFrame + 1 : 0; }

  bool operator==(const SpriteAnimation&) const = default;
};
