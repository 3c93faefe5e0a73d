#pragma once

#include <functional>
#include <optional>

#include "app/game_state.h"

// What the loop needs from the window system, so that it runs the same with
// GLFW, with a fixed clock under test tools, or with no window at all in tests.
struct LoopPlatform {
  std::function<float()> now;               // seconds since start
  std::function<void()> pollEvents;         // input callbacks run here
  std::function<void(long frame, float dt)> endFrame;  // after Draw: screenshots, swap
  std::function<bool()> closeRequested;     // the window's close flag
  std::function<void(int state)> stateEntered;  // after a screen's Initialize
  std::function<std::optional<float>(long frame)> replayedStep;  // a recorded dt, used instead of the clock's
};

struct LoopOptions {
  float fixedDt = 0.0f;  // > 0: every frame's dt, before the clamp
  long maxFrames = -1;   // >= 0: quit after this many frames
};

// The largest step the simulation ever takes, whatever the frame took.
constexpr float kMaxFrameTime = 0.03f;

// Runs screens from CurrentState until one requests quit, the window is
// closed, or maxFrames frames have run. Returns the number of frames run.
long RunGameLoop(const LoopPlatform& platform, const ScreenContext& context,
                 const LoopOptions& options = {});
