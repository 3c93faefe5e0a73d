#pragma once

#include <array>

// The gamepad, as the input layer sees it. A pad plays through the same keys,
// buttons and pointer as the keyboard and mouse: each frame its state is
// translated into held keys (A, D, Space, Escape, T, Y), held mouse buttons
// and a pointer position, so the screens and the rules cannot tell which
// device played. What a pad control means depends on the screen (a stick runs
// in a level and moves the pointer in a menu): the running screen says which
// layout is in force.
//
// Button and axis numbers are GLFW's gamepad numbers (GLFW_GAMEPAD_BUTTON_A is
// 0, GLFW_GAMEPAD_AXIS_RIGHT_TRIGGER 5), so this header needs no GLFW include.
namespace input {

constexpr int kPadButtonCount = 15;  // GLFW_GAMEPAD_BUTTON_LAST + 1
constexpr int kPadAxisCount = 6;     // GLFW_GAMEPAD_AXIS_LAST + 1

enum PadButton : int {
  PAD_A, PAD_B, PAD_X, PAD_Y,  // south, east, west, north: Cross, Circle, Square, Triangle
  PAD_LEFT_BUMPER, PAD_RIGHT_BUMPER, PAD_BACK, PAD_START, PAD_GUIDE, PAD_LEFT_THUMB, PAD_RIGHT_THUMB,
  PAD_DPAD_UP, PAD_DPAD_RIGHT, PAD_DPAD_DOWN, PAD_DPAD_LEFT
};
enum PadAxis : int { PAD_LEFT_X, PAD_LEFT_Y, PAD_RIGHT_X, PAD_RIGHT_Y, PAD_LEFT_TRIGGER, PAD_RIGHT_TRIGGER };

// A released trigger reads -1, fully pulled 1; sticks read -1 to 1, y down.
constexpr float kTriggerRest = -1.0f;

// Sticks rest a little off centre, more as they wear (up to about 0.15 on
// worn pads): inside this radius a stick reads as centred, and past it the
// push is rescaled to start again from 0, so slow aiming stays possible.
constexpr float kStickDeadZone = 0.2f;
// Running is on or off: a deliberate half push, so that a thumb resting on
// the stick, or pushing it mostly up, does not walk the player.
constexpr float kRunPush = 0.5f;
// Triggers are buttons here: pulled past half their travel. Digital triggers
// jump from rest to full, analog ones rest with some noise near the bottom.
constexpr float kTriggerPull = 0.0f;  // on the -1..1 axis: half way
// Menus: a full push crosses the window's width in one second.
constexpr float kPointerWidthsPerSecond = 1.0f;
// Aiming in a level: a pushed right stick puts the pointer this far from the
// player, as a share of the window's height, whatever the window's size:
// far enough to read the aim, near enough to stay on screen at every edge.
constexpr float kAimReachOfHeight = 0.25f;

struct PadState {
  bool connected = false;
  std::array<bool, kPadButtonCount> buttons{};
  std::array<float, kPadAxisCount> axes{0.0f, 0.0f, 0.0f, 0.0f, kTriggerRest, kTriggerRest};
};

// What the pad controls on the running screen.
enum class PadLayout {
  Logos,     // any face button skips (Space), Start quits (Escape)
  Controls,  // B: T (main menu), Y: Y (the first level), Start: Escape
  Buttons,   // sticks move the pointer, A is the left button, Start: Escape
  Menu,      // as Buttons, and B is Escape too (it closes what is open)
  Sandbox,   // as Menu, the left trigger paints (right button), the shoulders step through the blocks
  Play,      // run, jump, aim, fire, look ahead; Start: Escape
};

struct PadView {
  PadLayout layout = PadLayout::Buttons;
  int windowWidth = 0, windowHeight = 0;
  double anchorX = 0.0, anchorY = 0.0;  // Play: the player on screen, window pixels from the top-left
};

// The keys and buttons a pad can hold, and where it puts the pointer.
enum PadKey : int { PADKEY_LEFT, PADKEY_RIGHT, PADKEY_JUMP, PADKEY_ESCAPE, PADKEY_T, PADKEY_Y, kPadKeyCount };
constexpr std::array<int, kPadKeyCount> kPadKeyCodes{65, 68, 32, 256, 84, 89};  // A, D, Space, Escape, T, Y
struct PadMapped {
  std::array<bool, kPadKeyCount> keys{};
  bool leftButton = false, rightButton = false;
  bool pointerMoved = false;
  double pointerX = 0.0, pointerY = 0.0;
  int choiceStep = 0;  // Sandbox: +1 right shoulder pressed, -1 left shoulder pressed
};

// One frame of the translation. `pad` is this frame's state (a button tapped
// within the frame counts as held), `before` the last frame's; the pointer
// starts from where it is now.
PadMapped MapPad(const PadState& pad, const PadState& before, const PadView& view, double pointerX, double pointerY,
                 float dt);

// A stick after the dead zone: centred inside it, rescaled from 0 past it.
struct Stick {
  float x = 0.0f, y = 0.0f;
};
Stick ApplyDeadZone(float x, float y);

}  // namespace input
