#include "app/pad_device.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include <GLFW/glfw3.h>

#include "app/input.h"
#include "app/recorder.h"

namespace pad_device {
namespace {

// Axes are read in hundredths: a stick at rest jitters by a few thousandths,
// which would otherwise fill a recording with a line every frame.
constexpr float kAxisSteps = 100.0f;

void AddMappings(const std::string& text, const char* from) {
  if (text.empty()) return;
  if (glfwUpdateGamepadMappings(text.c_str()) != GLFW_TRUE) std::printf("Gamepad mappings in %s refused\n", from);
}

// The first joystick with a gamepad mapping, or -1.
int FirstGamepad() {
  for (int jid = GLFW_JOYSTICK_1; jid <= GLFW_JOYSTICK_LAST; ++jid)
    if (glfwJoystickIsGamepad(jid)) return jid;
  return -1;
}

void SendConnection(bool connected) {
  recorder::PadConnect(connected ? 1 : 0);
  input::OnPadConnect(connected ? 1 : 0);
}

}  // namespace

void LoadMappings() {
  std::ifstream file(kMappingsPath);
  if (file) {
    std::stringstream text;
    text << file.rdbuf();
    AddMappings(text.str(), kMappingsPath);
  }
  if (const char* lines = std::getenv(kMappingsVariable)) AddMappings(lines, kMappingsVariable);
}

void Poll() {
  GLFWgamepadstate state;
  const int jid = FirstGamepad();
  const bool connected = jid >= 0 && glfwGetGamepadState(jid, &state) == GLFW_TRUE;
  if (connected != input::GetPad().connected) SendConnection(connected);
  if (!connected) return;
  const input::PadState& pad = input::GetPad();
  for (int b = 0; b < input::kPadButtonCount; ++b) {
    const bool down = state.buttons[b] == GLFW_PRESS;
    if (down == pad.buttons[b]) continue;
    recorder::PadButton(b, down ? input::PRESS : input::RELEASE);
    input::OnPadButton(b, down ? input::PRESS : input::RELEASE);
  }
  for (int a = 0; a < input::kPadAxisCount; ++a) {
    const float value = std::round(state.axes[a] * kAxisSteps) / kAxisSteps;
    if (value == pad.axes[a]) continue;
    recorder::PadAxis(a, value);
    input::OnPadAxis(a, value);
  }
}

}  // namespace pad_device
