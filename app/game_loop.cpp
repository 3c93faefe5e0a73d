#include "app/game_loop.h"

#include <algorithm>

#include "app/game_instance.h"
#include "app/input.h"

long RunGameLoop(const LoopPlatform& platform, const ScreenContext& context,
                 const LoopOptions& options) {
  float lastTime = 0.0f;  // carries across screens: the first frame after a load is clamped
  long frame = 0;

  while (CurrentState != STATE_QUIT) {
    if (platform.closeRequested()) break;
    EnterScreen(context);
    if (platform.stateEntered) platform.stateEntered(CurrentState);

    while (CurrentState == NextState) {
      float now = platform.now();
      float dt = options.fixedDt > 0.0f ? options.fixedDt : now - lastTime;
      if (platform.replayedStep)
        if (std::optional<float> step = platform.replayedStep(frame)) dt = *step;
      lastTime = now;
      dt = std::min(kMaxFrameTime, dt);

      input::BeginFrame();
      platform.pollEvents();
      input::ApplyPad(dt);  // the pad's state, polled or scripted, becomes keys, buttons and the pointer
      ActiveScreen->ProcessInput(dt);
      ActiveScreen->Update(dt);
      ActiveScreen->Draw();
      platform.endFrame(frame, dt);
      ++frame;

      // Closing the window, or running out of scripted frames, leaves the
      // screen as a quit does, at the end of the frame in which it happened.
      if (platform.closeRequested() || (options.maxFrames >= 0 && frame >= options.maxFrames))
        NextState = STATE_QUIT;
    }
    LeaveScreen();
  }
  return frame;
}
