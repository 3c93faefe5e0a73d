#include "app/input.h"

#include <algorithm>
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
PadConnectCallback padConnectCallback = nullptr;

// The pad as its events said, the buttons pressed within this frame's poll,
// the state the last frame's translation read, and what that translation holds.
PadState pad, padBefore;
std::array<bool, kPadButtonCount> padTapped{};
PadView padView;
PadMapped padHeld;
// A button held when the layout changed (the press that opened a screen, or
// paused) means nothing in the new one until it is let go.
PadLayout appliedLayout = PadLayout::Buttons;
std::array<bool, kPadButtonCount> padStale{};

bool ValidKey(int key) { return key >= 0 && key < kKeyCount; }
bool ValidButton(int button) { return button >= 0 && button < kMouseButtonCount; }

bool PadHoldsKey(int key) {
  for (int k = 0; k < kPadKeyCount; ++k)
    if (kPadKeyCodes[k] == key && padHeld.keys[k]) return true;
  return false;
}

bool PadHoldsButton(int button) {
  return (button == MOUSE_BUTTON_LEFT && padHeld.leftButton) || (button == MOUSE_BUTTON_RIGHT && padHeld.rightButton);
}

// The state a frame's translation reads: a button tapped within the poll is
// held, one held over from the last layout is not.
PadState PadThisFrame() {
  PadState now = pad;
  const bool layoutChanged = padView.layout != appliedLayout;
  appliedLayout = padView.layout;
  for (int b = 0; b < kPadButtonCount; ++b) {
    now.buttons[b] = now.buttons[b] || padTapped[b];
    padStale[b] = now.buttons[b] && (padStale[b] || layoutChanged);
    now.buttons[b] = now.buttons[b] && !padStale[b];
  }
  return now;
}

void SendPadKey(int key, bool down) {
  if (keyCallback) keyCallback(key, 0, down ? PRESS : RELEASE, 0);
}

void SendPadButton(int button, bool down) {
  if (mouseButtonCallback) mouseButtonCallback(button, down ? PRESS : RELEASE, 0);
}

}  // namespace

int GetKey(int key) {
  return ValidKey(key) && (keysDown[key] || keysTapped[key] || PadHoldsKey(key)) ? PRESS : RELEASE;
}

int GetMouseButton(int button) {
  return ValidButton(button) && (buttonsDown[button] || buttonsTapped[button] || PadHoldsButton(button)) ? PRESS
                                                                                                          : RELEASE;
}

void BeginFrame() {
  keysTapped.fill(false);
  buttonsTapped.fill(false);
  padTapped.fill(false);
}

void GetCursorPos(double* x, double* y) {
  if (x) *x = cursorX;
  if (y) *y = cursorY;
}


void SetKeyCallback(KeyCallback callback) { keyCallback = callback; }
void SetMouseButtonCallback(MouseButtonCallback callback) { mouseButtonCallback = callback; }
void SetFocusCallback(FocusCallback callback) { focusCallback = callback; }
void SetPadConnectCallback(PadConnectCallback callback) { padConnectCallback = callback; }

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

void OnPadButton(int button, int action) {
  if (button < 0 || button >= kPadButtonCount) return;
  pad.buttons[button] = action == PRESS;
  padTapped[button] = padTapped[button] || action == PRESS;
}

void OnPadAxis(int axis, float value) {
  if (axis >= 0 && axis < kPadAxisCount) pad.axes[axis] = std::clamp(value, -1.0f, 1.0f);
}

void OnPadConnect(int connected) {
  pad = PadState();
  pad.connected = connected != 0;
  if (padConnectCallback) padConnectCallback(connected);
}

const PadState& GetPad() { return pad; }

void SetPadView(const PadView& view) { padView = view; }

void ApplyPad(float dt) {
  const PadState now = PadThisFrame();
  const PadMapped mapped = MapPad(now, padBefore, padView, cursorX, cursorY, dt);
  padBefore = now;
  // The pointer first, so that a click of this frame lands where it points.
  if (mapped.pointerMoved) OnCursorPos(mapped.pointerX, mapped.pointerY);
  const PadMapped was = padHeld;
  padHeld = mapped;
  for (int k = 0; k < kPadKeyCount; ++k)
    if (mapped.keys[k] != was.keys[k]) SendPadKey(kPadKeyCodes[k], mapped.keys[k]);
  if (mapped.leftButton != was.leftButton) SendPadButton(MOUSE_BUTTON_LEFT, mapped.leftButton);
  if (mapped.rightButton != was.rightButton) SendPadButton(MOUSE_BUTTON_RIGHT, mapped.rightButton);
}

int PadChoiceStep() { return padHeld.choiceStep; }

void Reset() {
  keysDown.fill(false);
  buttonsDown.fill(false);
  BeginFrame();
  cursorX = cursorY = 0.0;
  focused = true;
  keyCallback = nullptr;
  mouseButtonCallback = nullptr;
  focusCallback = nullptr;
  padConnectCallback = nullptr;
  pad = padBefore = PadState();
  padView = PadView();
  padHeld = PadMapped();
  appliedLayout = padView.layout;
  padStale.fill(false);
}

}  // namespace input
