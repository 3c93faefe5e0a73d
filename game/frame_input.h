#pragma once

// One frame's input as values: the screens read the input layer and fill
// these, so the rules run the same from a keyboard, a script or a search.
namespace game {

// The controls the player's rules read.
struct PlayerControls {
  bool left = false;   // A
  bool right = false;  // D
  bool jump = false;   // Space
  bool fire = false;   // left mouse button
};

// Everything a level frame reads from outside.
struct FrameInput {
  PlayerControls controls;
  bool look = false;   // right mouse button: the view slides toward the cursor
  double cursorX = 0.0;  // window pixels from the top-left corner, as the mouse reports them
  double cursorY = 0.0;
  int windowWidth = 0;
  int windowHeight = 0;
  bool paused = false;
  bool focused = true;
};

}  // namespace game
