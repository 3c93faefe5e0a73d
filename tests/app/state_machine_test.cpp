#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "app/game_instance.h"
#include "app/game_loop.h"
#include "app/game_state.h"

namespace {

// What the screens did, as "logo:LIpiudFU menu:LI...": a screen's name when it
// takes over, then L, I, F and U for Load, Initialize, Free and Unload, and p,
// i, u and d for a frame's poll of the window, ProcessInput, Update and Draw.
std::string trace, actor;
void Record(const std::string& screen, char op) {
  if (screen != actor) trace += (trace.empty() ? "" : " ") + (actor = screen) + ":";
  trace += op;
}

// What a screen writes to NextState: in ProcessInput and in Update of each
// frame (-1 writes nothing), and in Initialize.
struct Script {
  std::vector<int> input = {}, update = {};
  int onInitialize = -1;
};

// Records every operation and follows its script.
class RecordingScreen : public GameInstance {
 public:
  explicit RecordingScreen(std::string name, Script script = {})
      : name_(std::move(name)), script_(std::move(script)) {}

  double lastDt = 0.0;

  void Load() override { Record(name_, 'L'); }
  void Initialize() override {
    Record(name_, 'I');
    if (script_.onInitialize >= 0) NextState = script_.onInitialize;
  }
  void ProcessInput(double) override { Follow('i', script_.input); }
  void Update(double dt) override {
    lastDt = dt;
    Follow('u', script_.update);
  }
  void Draw() override {
    Record(name_, 'd');
    ++frame_;
  }
  void Free() override { Record(name_, 'F'); }
  void Unload() override { Record(name_, 'U'); }

 private:
  void Follow(char op, const std::vector<int>& requests) const {
    Record(name_, op);
    if (frame_ < requests.size() && requests[frame_] != -1) NextState = requests[frame_];
  }
  std::string name_;
  Script script_;
  std::size_t frame_ = 0;
};

class StateMachineTest : public ::testing::Test {
 protected:
  float clock = 0.0f;
  long polls = 0, closeOnPoll = -1;  // the window is closed during that poll, counted from 0
  bool closed = false;
  std::vector<std::pair<int, int>> entered;  // the state entered, and PreviousState then
  LoopPlatform platform;

  void SetUp() override {
    for (int id = 0; id < kStateCount; ++id) RegisterScreen(id, nullptr);
    ActiveScreen = nullptr;
    platform.now = [this] { return clock += 0.01f; };
    platform.pollEvents = [this] {
      trace += 'p';
      closed = closed || polls++ == closeOnPoll;
    };
    platform.endFrame = [](long, float) {};
    platform.closeRequested = [this] { return closed; };
    platform.stateEntered = [this](int state) { entered.emplace_back(state, PreviousState); };
  }

  // A frame limit keeps a broken state machine from looping for ever.
  long Run(int first, LoopOptions options = {0.0f, 1000}) {
    trace = actor = "";
    entered.clear();
    polls = 0;
    closed = false;
    SetState(first);
    return RunGameLoop(platform, ScreenContext{}, options);
  }
};

constexpr int Menu = STATE_MAIN_MENU, Level = STATE_LEVEL, Logo = STATE_LOGO, Quit = STATE_QUIT,
              Restart = STATE_RESTART;

TEST_F(StateMachineTest, ScreensRunWholeFramesAndAreLeftBeforeTheNextIsEnteredAndRestartsReloadOnlyTheMenu) {
  const struct {
    const char* what;
    int first;
    Script logo, menu, level;
    long maxFrames, frames;
    std::string trace;
    std::vector<std::pair<int, int>> entered;
    long closeOnPoll = -1;
    std::string printed = "";
  } cases[] = {
      {"switching", Logo, {{-1, Menu}}, {{Quit}}, {}, 1000, 3, "logo:LIpiudpiudFU menu:LIpiudFU",
       {{Logo, Logo}, {Menu, Logo}}},
      {"a level restarts without reloading", Level, {}, {}, {{Restart, -1, Quit}}, 1000, 3,
       "level:LIpiudFIpiudpiudFU", {{Level, Level}, {Level, Level}}},
      {"the main menu reloads on a restart", Menu, {}, {{Restart}}, {}, 3, 3, "menu:LIpiudFULIpiudpiudFU",
       {{Menu, Menu}, {Menu, Menu}}},
      {"after a restart the previous state is the restarted screen", Logo, {{Level}}, {}, {{Restart}}, 3, 3,
       "logo:LIpiudFU level:LIpiudFIpiudFU", {{Logo, Logo}, {Level, Logo}, {Level, Level}}},
      {"requesting the running screen changes nothing", Level, {}, {}, {{Level, Level, Quit}}, 1000, 3,
       "level:LIpiudpiudpiudFU", {{Level, Level}}},
      {"of two writes in a frame the last counts", Logo, {{Level}, {Menu}}, {{Quit}}, {}, 1000, 2,
       "logo:LIpiudFU menu:LIpiudFU", {{Logo, Logo}, {Menu, Logo}}},
      {"an Initialize that redirects runs no frame", Level, {}, {{Quit}}, {{}, {}, Menu}, 1000, 1,
       "level:LIFU menu:LIpiudFU", {{Level, Level}, {Menu, Level}}},
      {"the frame limit leaves as a quit does", Level, {}, {}, {}, 5, 5, "level:LIpiudpiudpiudpiudpiudFU",
       {{Level, Level}}},
      {"closing the window quits at the end of the frame", Level, {}, {}, {}, 1000, 2, "level:LIpiudpiudFU",
       {{Level, Level}}, 1},
      {"an unknown state quits at once", Level, {}, {}, {{13}}, 1000, 1, "level:LIpiudFU", {{Level, Level}}, -1,
       "Unknown game state 13"},
      {"so does a negative one", Level, {}, {}, {{-7}}, 1000, 1, "level:LIpiudFU", {{Level, Level}}, -1,
       "Unknown game state -7"},
      {"and one past the table", Level, {}, {}, {{99}}, 1000, 1, "level:LIpiudFU", {{Level, Level}}, -1,
       "Unknown game state 99"},
      {"and one with no screen behind it", Level, {}, {}, {{STATE_CREDITS}}, 1000, 1, "level:LIpiudFU",
       {{Level, Level}}, -1, "Unknown game state 3"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    RecordingScreen logo{"logo", c.logo}, menu{"menu", c.menu}, level{"level", c.level};
    RegisterScreen(Logo, &logo);
    RegisterScreen(Menu, &menu);
    RegisterScreen(Level, &level);
    closeOnPoll = c.closeOnPoll;
    testing::internal::CaptureStdout();
    EXPECT_EQ(Run(c.first, LoopOptions{0.0f, c.maxFrames}), c.frames);
    const std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_EQ(trace, c.trace);
    EXPECT_EQ(entered, c.entered);
    EXPECT_EQ(CurrentState, Quit);
    EXPECT_NE(printed.find(c.printed), std::string::npos) << printed;
  }
}

TEST_F(StateMachineTest, FrameTimeIsMeasuredClampedOrFixed) {
  RecordingScreen level{"level"};
  RegisterScreen(Level, &level);
  Run(Level, LoopOptions{0.0f, 3});
  EXPECT_FLOAT_EQ(level.lastDt, 0.01f);
  platform.now = [this] { return clock += 2.0f; };  // a two-second frame
  const struct { float fixedDt, dt; } cases[] = {{0.0f, 0.03f}, {0.01f, 0.01f}, {0.5f, 0.03f}};
  for (const auto& c : cases) {
    Run(Level, LoopOptions{c.fixedDt, 1});
    EXPECT_FLOAT_EQ(level.lastDt, c.dt) << c.fixedDt;
  }
}

}  // namespace
