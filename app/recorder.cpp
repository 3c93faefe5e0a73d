#include "app/recorder.h"

#include <cstdio>

#include "app/input.h"
#include "app/input_script.h"

namespace recorder {
namespace {

std::FILE* file = nullptr;
long currentFrame = 0;

void Write(ScriptEvent e) {
  if (!file) return;
  e.frame = currentFrame;
  std::fprintf(file, "%s\n", FormatScriptEvent(e).c_str());
}

}  // namespace

bool Open(const std::string& path) {
  // Binary: a recording is the same file whichever system wrote it.
  file = std::fopen(path.c_str(), "wb");
  if (!file) std::printf("Could not open recording file %s for writing\n", path.c_str());
  return file != nullptr;
}

void Start(int windowWidth, int windowHeight, long long clock, int state) {
  if (!file) return;
  std::fprintf(file, "# A recorded session: sandrift --input FILE replays it.\n");
  std::fprintf(file, "window %dx%d\nclock %lld\nstate %d\n", windowWidth, windowHeight, clock, state);
}

void Key(int key, int action) {
  // GLFW's unknown key (-1) has no name a script could read back.
  if (key >= 0 && key < input::kKeyCount && action >= input::RELEASE && action <= input::REPEAT)
    Write({.kind = ScriptEvent::KEY, .code = key, .action = action});
}

void MouseButton(int button, int action) {
  if (button >= 0 && button < input::kMouseButtonCount && (action == input::PRESS || action == input::RELEASE))
    Write({.kind = ScriptEvent::MOUSE, .code = button, .action = action});
}

void CursorPos(double x, double y) { Write({.kind = ScriptEvent::CURSOR, .x = x, .y = y}); }

void Focus(int focused) { Write({.kind = ScriptEvent::FOCUS, .code = focused ? 1 : 0}); }

void PadButton(int button, int action) {
  if (button >= 0 && button < input::kPadButtonCount && (action == input::PRESS || action == input::RELEASE))
    Write({.kind = ScriptEvent::PAD_BUTTON, .code = button, .action = action});
}

void PadAxis(int axis, float value) {
  if (axis >= 0 && axis < input::kPadAxisCount) Write({.kind = ScriptEvent::PAD_AXIS, .code = axis, .value = value});
}

void PadConnect(int connected) { Write({.kind = ScriptEvent::PAD_CONNECT, .code = connected ? 1 : 0}); }

void Clock(long long seconds) { Write({.kind = ScriptEvent::CLOCK, .seconds = seconds}); }

void EndFrame(long frame, float dt) {
  currentFrame = frame;
  Write({.kind = ScriptEvent::STEP, .dt = dt});
  currentFrame = frame + 1;
  // A session that ends in a crash is the one most worth sending.
  if (file) std::fflush(file);
}

void Close() {
  if (file) std::fclose(file);
  file = nullptr;
}

}  // namespace recorder
