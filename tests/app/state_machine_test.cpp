#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "app/game_instance.h"
#include "app/game_loop.h"
#include "app/game_state.h"

namespace {

using Calls = std::vector<std::string>;
Calls calls;

// What a screen writes to NextState: in ProcessInput and in Update of each
// frame (-1 writes nothing), and in Initialize.
struct Script {
  std::vector<int> input = {}, update = {};
  int onInitialize = -1;
};

// Records every operation and follows its script.
class RecordingScreen : public GameInstance {
public:
  explicit RecordingScreen(std::string name) : name_(std::move(name)) {}

  Script script;
  double lastDt = 0.0;

  void Load() override { Record("Load"); }
  void Initialize() override {
    Record("Initialize");
    if (script.onInitialize >= 0) NextState = script.onInitialize;
  }
  void ProcessInput(double) override {
    Record("ProcessInput");
    Request(script.input);
  }
  void Update(double dt) override {
    Record("Update");
    lastDt = dt;
    Request(script.update);
  }
  void Draw() override {
    Record("Draw");
    ++frame_;
  }
  void Free() override { Record("Free"); }
  void Unload() override { Record("Unload"); }

private:
  void Record(const char* op) { calls.push_back(name_ + "." + op); }
  void Request(const std::vector<int>& requests) const {
    if (frame_ < requests.size() && requests[frame_] != -1) NextState = requests[frame_];
  }
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
  std::vector<std::pair<int, int>> entered;  // the state entered, and PreviousState then
  LoopPlatform platform;

  void SetUp() override {
    calls.clear();
    for (int id = 0; id < kStateCount; ++id) RegisterScreen(id, nullptr);
    RegisterScreen(STATE_MAIN_MENU, &menu);
    RegisterScreen(STATE_LEVEL, &level);
    RegisterScreen(STATE_LOGO, &logo);
    ActiveScreen = nullptr;
    platform.now = [this] { return clock += 0.01f; };
    platform.pollEvents = [] { calls.push_back("poll"); };
    platform.endFrame = [](long, float) {};
    platform.closeRequested = [this] { return closeFlag; };
    platform.stateEntered = [this](int state) { entered.emplace_back(state, PreviousState); };
  }

  // A frame limit keeps a broken state machine from looping for ever.
  long Run(int first, LoopOptions options = {0.0f, 1000}) {
    SetState(first);
    return RunGameLoop(platform, ScreenContext{}, options);
  }

  // The lifecycle operations without the per-frame ones, as "logo:LIFU menu:LI":
  // each screen's run of Load, Initialize, Free and Unload.
  static std::string Lifecycle() {
    std::string out, screen;
    for (const auto& c : calls) {
      const std::size_t dot = c.find('.');
      const std::string op = c.substr(dot + 1);
      if (op != "Load" && op != "Initialize" && op != "Free" && op != "Unload") continue;
      if (c.substr(0, dot) != screen) out += (out.empty() ? "" : " ") + (screen = c.substr(0, dot)) + ":";
      out += op[0];
    }
    return out;
  }
};

constexpr int Menu = STATE_MAIN_MENU, Level = STATE_LEVEL, Logo = STATE_LOGO, Quit = STATE_QUIT,
              Restart = STATE_RESTART;

TEST_F(StateMachineTest, ScreensAreLeftBeforeTheNextIsEnteredAndRestartsReloadOnlyTheMenu) {
  const struct {
    const char* what;
    int first;
    Script logo, menu, level;
    long maxFrames, frames;
    std::string lifecycle;
    std::vector<std::pair<int, int>> entered;
  } cases[] = {
      {"switching", Logo, {{-1, Menu}}, {{Quit}}, {}, 1000, 3, "logo:LIFU menu:LIFU", {{Logo, Logo}, {Menu, Logo}}},
      {"a level restarts without reloading", Level, {}, {}, {{Restart, -1, Quit}}, 1000, 3, "level:LIFIFU",
       {{Level, Level}, {Level, Level}}},
      {"the main menu reloads on a restart", Menu, {}, {{Restart}}, {}, 3, 3, "menu:LIFULIFU",
       {{Menu, Menu}, {Menu, Menu}}},
      {"after a restart the previous state is the restarted screen", Logo, {{Level}}, {}, {{Restart}}, 3, 3,
       "logo:LIFU level:LIFIFU", {{Logo, Logo}, {Level, Logo}, {Level, Level}}},
      {"requesting the running screen changes nothing", Level, {}, {}, {{Level, Level, Quit}}, 1000, 3, "level:LIFU",
       {{Level, Level}}},
      {"of two writes in a frame the last counts", Logo, {{Level}, {Menu}}, {{Quit}}, {}, 1000, 2,
       "logo:LIFU menu:LIFU", {{Logo, Logo}, {Menu, Logo}}},
      {"an Initialize that redirects runs no frame", Level, {}, {{Quit}}, {{}, {}, Menu}, 1000, 1,
       "level:LIFU menu:LIFU", {{Level, Level}, {Menu, Level}}},
      {"the frame limit leaves as a quit does", Level, {}, {}, {}, 5, 5, "level:LIFU", {{Level, Level}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    RecordingScreen logoScreen{"logo"}, menuScreen{"menu"}, levelScreen{"level"};
    logoScreen.script = c.logo;
    menuScreen.script = c.menu;
    levelScreen.script = c.level;
    RegisterScreen(Logo, &logoScreen);
    RegisterScreen(Menu, &menuScreen);
    RegisterScreen(Level, &levelScreen);
    calls.clear();
    entered.clear();
    EXPECT_EQ(Run(c.first, LoopOptions{0.0f, c.maxFrames}), c.frames);
    EXPECT_EQ(Lifecycle(), c.lifecycle);
    EXPECT_EQ(entered, c.entered);
    EXPECT_EQ(CurrentState, Quit);
  }
}

TEST_F(StateMachineTest, AFrameRunsToItsEndWithTheInputPolledFirst) {
  logo.script.input = {STATE_QUIT};
  Run(STATE_LOGO);
  EXPECT_EQ(calls, (Calls{"logo.Load", "logo.Initialize", "poll", "logo.ProcessInput", "logo.Update", "logo.Draw",
                          "logo.Free", "logo.Unload"}));
}

TEST_F(StateMachineTest, ClosingTheWindowQuitsAtTheEndOfTheFrame) {
  platform.endFrame = [this](long frame, float) { closeFlag = frame == 1; };
  EXPECT_EQ(Run(STATE_LEVEL), 2);
  EXPECT_EQ(calls.back(), "level.Unload");
}

TEST_F(StateMachineTest, AnUnknownStateQuitsAtOnce) {
  for (int bad : {13, -7, 99, static_cast<int>(STATE_CREDITS) /* registered to nothing here */}) {
    RecordingScreen screen{"level"};
    screen.script.input = {bad};
    RegisterScreen(STATE_LEVEL, &screen);
    calls.clear();
    testing::internal::CaptureStdout();
    EXPECT_EQ(Run(STATE_LEVEL), 1);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("Unknown game state " + std::to_string(bad)), std::string::npos) << out;
    EXPECT_EQ(CurrentState, STATE_QUIT);
    EXPECT_EQ(calls.back(), "level.Unload");
  }
}

TEST_F(StateMachineTest, FrameTimeIsMeasuredClampedOrFixed) {
  Run(STATE_LEVEL, LoopOptions{0.0f, 3});
  EXPECT_FLOAT_EQ(level.lastDt, 0.01f);
  platform.now = [this] { return clock += 2.0f; };  // a two-second frame
  const struct { float fixedDt, dt; } cases[] = {{0.0f, 0.03f}, {0.01f, 0.01f}, {0.5f, 0.03f}};
  for (const auto& c : cases) {
    Run(STATE_LEVEL, LoopOptions{c.fixedDt, 1});
    EXPECT_FLOAT_EQ(level.lastDt, c.dt) << c.fixedDt;
  }
}

}  // namespace
