#pragma once

#include "app/pad.h"

// The one place the game reads keyboard, mouse and gamepad state from. Real
// GLFW events and scripted test input both arrive here, so screens and game
// rules never call GLFW input functions and behave identically under a script.
// The pad reaches the screens as the keys, buttons and pointer it stands for
// (app/pad.h).
//
// Key, button and action numbers are GLFW's (GLFW_KEY_SPACE is 32, GLFW_PRESS 1),
// so this header needs no GLFW include and the game rules stay window-free.
namespace input {

constexpr int kKeyCount = 349;        // GLFW_KEY_LAST + 1
constexpr int kMouseButtonCount = 8;  // GLFW_MOUSE_BUTTON_LAST + 1

constexpr int RELEASE = 0;
constexpr int PRESS = 1;
constexpr int REPEAT = 2;

constexpr int KEY_SPACE = 32;
constexpr int KEY_1 = 49;  // 1 to 9 follow in order, as in ASCII
constexpr int KEY_6 = 54;
constexpr int KEY_A = 65;  // letters are their capitals' ASCII codes
constexpr int KEY_D = 68;
constexpr int KEY_Q = 81;
constexpr int KEY_R = 82;
constexpr int KEY_T = 84;
constexpr int KEY_Y = 89;
constexpr int KEY_ESCAPE = 256;
constexpr int KEY_ENTER = 257;
constexpr int MOUSE_BUTTON_LEFT = 0;
constexpr int MOUSE_BUTTON_RIGHT = 1;

// Callbacks a screen may install; same meaning as GLFW's, without the window.
using KeyCallback = void (*)(int key, int scancode, int action, int mods);
using MouseButtonCallback = void (*)(int button, int action, int mods);
using FocusCallback = void (*)(int focused);
using PadConnectCallback = void (*)(int connected);

// What glfwGetKey / glfwGetMouseButton / glfwGetCursorPos would report with
// sticky keys and buttons: PRESS (1) or RELEASE (0); the cursor in window
// pixels from the top-left. A press reads PRESS for the frame it arrived in
// even when its release came in the same poll, so a quick tap is never lost.
int GetKey(int key);
int GetMouseButton(int button);
// Called before each frame's event poll: a release that followed its press
// within the last poll takes effect now.
void BeginFrame();
void GetCursorPos(double* x, double* y);
// Whether the window has the input focus, as the last focus event said (true
// until one arrives); under a script, as the script says.
bool HasFocus();

// Installing a callback replaces the previous one; nullptr removes it.
void SetKeyCallback(KeyCallback callback);
void SetMouseButtonCallback(MouseButtonCallback callback);
void SetFocusCallback(FocusCallback callback);
void SetPadConnectCallback(PadConnectCallback callback);

// Event entry points: the GLFW platform forwards its callbacks here, scripted
// input calls them directly. Each updates the state, then runs the installed callback.
void OnKey(int key, int scancode, int action, int mods);
void OnMouseButton(int button, int action, int mods);
void OnCursorPos(double x, double y);
void OnFocus(int focused);
// The pad's events, in GLFW's gamepad numbers: a button's press or release,
// an axis's new value, the pad connected (1) or gone (0, back to rest).
void OnPadButton(int button, int action);
void OnPadAxis(int axis, float value);
void OnPadConnect(int connected);
// The pad as its events last said, taps not counted: what a device poll
// compares the device with.
const PadState& GetPad();

// The running screen says what the pad controls on it, where the player is and
// how big the window is; kept until it says otherwise.
void SetPadView(const PadView& view);
// After the frame's events: the pad's state becomes the keys and buttons it
// holds (their press and release run the callbacks) and the pointer's place.
void ApplyPad(float dt);
// Sandbox: +1 or -1 when a shoulder button was pressed this frame, else 0.
int PadChoiceStep();

// Back to nothing pressed, cursor at 0, 0, no pad, no callbacks (tests start from here).
void Reset();

}  // namespace input
