#include "app/input.h"

#include <array>

namespace input {
namespace {

// Down: as the devices last said. Tapped: pressed in this frame's poll, so a
// press released within the same poll is still read for one frame.
std::array<bool, kKeyCount> keysDown{}, keysTapped{};
std::array<bool, kMouseButtonCount> buttonsDown{}, buttonsTapped{};
double cursorX = 0.0;
double cursorY = 0.0;
bool focused = true;
KeyCallback keyCallback = nullptr;
MouseButtonCallback mouseButtonCallback = nullptr;
FocusCallback focusCallback = nullptr;

bool ValidKey(int key) { return key >= 0 && key < kKeyCount; }
bool ValidButton(int button) { return button >= 0 && button < kMouseButtonCount; }

}  // namespace

int GetKey(int key) { return ValidKey(key) && (keysDown[key] || keysTapped[key]) ? PRESS : RELEASE; }

int GetMouseButton(int button) {
  return ValidButton(button) && (buttonsDown[button] || buttonsTapped[button]) ? PRESS : RELEASE;
}

void BeginFrame() {
  keysTapped.fill(false);
  buttonsTapped.fill(false);
}

void GetCursorPos(double* x, double* y) {
  if (x) *x = cursorX;
  if (y) *y = cursorY;
}


void SetKeyCallback(KeyCallback callback) { keyCallback = callback; }
void SetMouseButtonCallback(MouseButtonCallback callback) { mouseButtonCallback = callback; }
void SetFocusCallback(FocusCallback callback) { focusCallback = callback; }

void OnKey(int key, int scancode, int action, int mods) {
  // A held key repeats in events, but glfwGetKey keeps reporting PRESS.
  if (ValidKey(key) && action != REPEAT) {
    keysDown[key] = action == PRESS;
    keysTapped[key] = keysTapped[key] || action == PRESS;
  }
  if (keyCallback) keyCallback(key, scancode, action, mods);
}

void OnMouseButton(int button, int action, int mods) {
  if (ValidButton(button)) {
    buttonsDown[button] = action == PRESS;
    buttonsTapped[button] = buttonsTapped[button] || action == PRESS;
  }
  if (mouseButtonCallback) mouseButtonCallback(button, action, mods);
}

void OnCursorPos(double x, double y) {
  cursorX = x;
  cursorY = y;
}

bool HasFocus() { return focused; }

void OnFocus(int gained) {
  focused = gained != 0;
  if (focusCallback) focusCallback(gained);
}

void Reset() {
  keysDown.fill(false);
  buttonsDown.fill(false);
  BeginFrame();
  cursorX = cursorY = 0.0;
  focused = true;
  keyCallback = nullptr;
  mouseButtonCallback = nullptr;
  focusCallback = nullptr;
}

}  // namespace input
