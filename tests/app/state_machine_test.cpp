#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/game_instance.h"
#include "app/game_loop.h"
#include "app/game_state.h"

namespace {

std::vector<std::string> calls;

// Records every operation; a script of per-frame requests drives it.
class RecordingScreen : public GameInstance {
public:
  explicit RecordingScreen(std::string name) : name_(std::move(name)) {}

  int requestOnInitialize = -1;
  std::vector<int> requestsPerFrame;   // NextState written in ProcessInput; -1 writes nothing
  std::vector<int> secondRequests;     // a second write in Update of the same frame

  void Load() override { Record("Load"); }
  void Initialize() override {
    Record("Initialize");
    if (requestOnInitialize >= 0) NextState = requestOnInitialize;
  }
  void ProcessInput(double) override {
    Record("ProcessInput");
    if (frame_ < requestsPerFrame.size() && requestsPerFrame[frame_] != -1) NextState = requestsPerFrame[frame_];
  }
  void Update(double dt) override {
    Record("Update");
    lastDt = dt;
    if (frame_ < secondRequests.size() && secondRequests[frame_] != -1) NextState = secondRequests[frame_];
  }
  void Draw() override {
    Record("Draw");
    ++frame_;
  }
  void Free() override { Record("Free"); }
  void Unload() override { Record("Unload"); }

  double lastDt = 0.0;
  void RestartScript() { frame_ = 0; }

private:
  void Record(const char* op) { calls.push_back(name_ + "." + op); }
  std::string name_;
  std::size_t frame_ = 0;
};

class StateMachineTest : public ::testing::Test {
protected:
  RecordingScreen menu{"menu"};
  RecordingScreen level{"level"};
  RecordingScreen logo{"logo"};
  float clock = 0.0f;
  bool closeFlag = false;
  std::vector<int> entered;
  LoopPlatform platform;

  void SetUp() override {
    calls.clear();
    for (int id = 0; id < kStateCount; ++id) RegisterScreen(id, nullptr);
    RegisterScreen(STATE_MAIN_MENU, &menu);
    RegisterScreen(STATE_LEVEL, &level);
    RegisterScreen(STATE_LOGO, &logo);
    ActiveScreen = nullptr;
    platform.now = [this] { return clock += 0.01f; };
    platform.pollEvents = [] {};
    platform.endFrame = [](long, float) {};
    platform.closeRequested = [this] { return closeFlag; };
    platform.stateEntered = [this](int state) { entered.push_back(state); };
  }

  // A frame limit keeps a broken state machine from looping for ever.
  long Run(int first, LoopOptions options = {0.0f, 1000}) {
    SetState(first);
    return RunGameLoop(platform, ScreenContext{}, options);
  }

  // Only the lifecycle operations, without the per-frame ones.
  static std::vector<std::string> Lifecycle() {
    std::vector<std::string> out;
    for (const auto& c : calls)
      if (c.find("ProcessInput") == std::string::npos && c.find("Update") == std::string::npos &&
          c.find("Draw") == std::string::npos)
        out.push_back(c);
    return out;
  }
};

using Calls = std::vector<std::string>;

TEST_F(StateMachineTest, SwitchingScreensLeavesTheOldOneBeforeEnteringTheNew) {
  logo.requestsPerFrame = {-1, STATE_MAIN_MENU};
  menu.requestsPerFrame = {STATE_QUIT};
  Run(STATE_LOGO);
  EXPECT_EQ(Lifecycle(), (Calls{"logo.Load", "logo.Initialize", "logo.Free", "logo.Unload", "menu.Load",
                                "menu.Initialize", "menu.Free", "menu.Unload"}));
  EXPECT_EQ(entered, (std::vector<int>{STATE_LOGO, STATE_MAIN_MENU}));
  EXPECT_EQ(CurrentState, STATE_QUIT);
  EXPECT_EQ(PreviousState, STATE_MAIN_MENU);
}

TEST_F(StateMachineTest, TheFrameThatRequestsAChangeRunsToItsEnd) {
  logo.requestsPerFrame = {STATE_QUIT};
  Run(STATE_LOGO);
  EXPECT_EQ(calls, (Calls{"logo.Load", "logo.Initialize", "logo.ProcessInput", "logo.Update", "logo.Draw",
                          "logo.Free", "logo.Unload"}));
}

TEST_F(StateMachineTest, RestartOfALevelReinitialisesWithoutReloading) {
  level.requestsPerFrame = {STATE_RESTART, -1, STATE_QUIT};
  Run(STATE_LEVEL);
  EXPECT_EQ(Lifecycle(), (Calls{"level.Load", "level.Initialize", "level.Free", "level.Initialize",
                                "level.Free", "level.Unload"}));
  EXPECT_EQ(entered, (std::vector<int>{STATE_LEVEL, STATE_LEVEL}));
}

TEST_F(StateMachineTest, RestartOfTheMainMenuReloadsItsResources) {
  menu.requestsPerFrame = {STATE_RESTART};
  Run(STATE_MAIN_MENU, LoopOptions{0.0f, 3});
  EXPECT_EQ(Lifecycle(), (Calls{"menu.Load", "menu.Initialize", "menu.Free", "menu.Unload", "menu.Load",
                                "menu.Initialize", "menu.Free", "menu.Unload"}));
}

TEST_F(StateMachineTest, AfterARestartThePreviousStateIsTheRestartedScreen) {
  logo.requestsPerFrame = {STATE_LEVEL};
  level.requestsPerFrame = {STATE_RESTART};
  std::vector<int> previous;
  platform.stateEntered = [&](int) { previous.push_back(PreviousState); };
  Run(STATE_LOGO, LoopOptions{0.0f, 3});
  EXPECT_EQ(previous, (std::vector<int>{STATE_LOGO, STATE_LOGO, STATE_LEVEL}));
}

TEST_F(StateMachineTest, RequestingTheRunningScreenChangesNothing) {
  level.requestsPerFrame = {STATE_LEVEL, STATE_LEVEL, STATE_QUIT};
  Run(STATE_LEVEL);
  EXPECT_EQ(Lifecycle(), (Calls{"level.Load", "level.Initialize", "level.Free", "level.Unload"}));
}

TEST_F(StateMachineTest, OfTwoWritesInOneFrameTheLastCounts) {
  logo.requestsPerFrame = {STATE_LEVEL};
  logo.secondRequests = {STATE_MAIN_MENU};
  menu.requestsPerFrame = {STATE_QUIT};
  Run(STATE_LOGO);
  EXPECT_EQ(entered, (std::vector<int>{STATE_LOGO, STATE_MAIN_MENU}));
}

TEST_F(StateMachineTest, AnInitializeThatRedirectsRunsNoFrame) {
  level.requestOnInitialize = STATE_MAIN_MENU;
  menu.requestsPerFrame = {STATE_QUIT};
  Run(STATE_LEVEL);
  EXPECT_EQ(calls[0], "level.Load");
  EXPECT_EQ(calls[1], "level.Initialize");
  EXPECT_EQ(calls[2], "level.Free");
  EXPECT_EQ(calls[3], "level.Unload");
  EXPECT_EQ(calls[4], "menu.Load");
}

TEST_F(StateMachineTest, ClosingTheWindowQuitsAtTheEndOfTheFrame) {
  level.requestsPerFrame = {-1, -1, -1, -1};
  platform.endFrame = [this](long frame, float) { closeFlag = frame == 1; };
  long frames = Run(STATE_LEVEL);
  EXPECT_EQ(frames, 2);
  EXPECT_EQ(calls.back(), "level.Unload");
  EXPECT_EQ(CurrentState, STATE_QUIT);
}

TEST_F(StateMachineTest, AnUnknownStateIsTreatedAsQuit) {
  for (int bad : {13, -7, 99, static_cast<int>(STATE_CREDITS) /* registered to nothing here */}) {
    calls.clear();
    level.requestsPerFrame = {bad};
    level.RestartScript();
    testing::internal::CaptureStdout();
    Run(STATE_LEVEL);
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("Unknown game state " + std::to_string(bad)), std::string::npos) << out;
    EXPECT_EQ(CurrentState, STATE_QUIT);
    EXPECT_EQ(calls.back(), "level.Unload");
  }
}

TEST_F(StateMachineTest, FrameTimeIsClampedAndFixedStepsAreHonoured) {
  level.requestsPerFrame = {-1, -1};
  platform.now = [this] { return clock += 2.0f; };  // a two-second load before the frame
  Run(STATE_LEVEL, LoopOptions{0.0f, 1});
  EXPECT_FLOAT_EQ(level.lastDt, 0.03f);

  Run(STATE_LEVEL, LoopOptions{0.01f, 1});
  EXPECT_FLOAT_EQ(level.lastDt, 0.01f);
  Run(STATE_LEVEL, LoopOptions{0.5f, 1});
  EXPECT_FLOAT_EQ(level.lastDt, 0.03f);
}

TEST_F(StateMachineTest, TheFrameLimitQuitsThroughTheNormalLeavePath) {
  long frames = Run(STATE_LEVEL, LoopOptions{0.0f, 5});
  EXPECT_EQ(frames, 5);
  EXPECT_EQ(Lifecycle(), (Calls{"level.Load", "level.Initialize", "level.Free", "level.Unload"}));
}

}  // namespace
