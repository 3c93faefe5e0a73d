#include <tuple>

#include <gtest/gtest.h>

#include "app/input.h"
#include "app/input_script.h"

namespace {

std::vector<int> keyEvents;
void RecordKey(int key, int, int action, int) { keyEvents.push_back(key * 10 + action); }

class InputScriptTest : public ::testing::Test {
 protected:
  void SetUp() override {
    input::Reset();
    keyEvents.clear();
  }
  void TearDown() override { input::Reset(); }
};

TEST_F(InputScriptTest, ParsesKeysButtonsCursorAndFocusInFrameOrder) {
  ParsedScript s = ParseInputScript(
      "# walk right, then jump\n"
      "10 key D press\n"
      "2 cursor 800 450   # aim\n"
      "10 key SPACE press\n"
      "12 mouse LEFT press\n"
      "40 focus 0\n");
  ASSERT_TRUE(s.error.empty()) << s.error;
  ASSERT_EQ(s.events.size(), 5u);
  EXPECT_EQ(std::tuple(s.events[0].kind, s.events[3].kind, s.events[4].kind),
            std::tuple(ScriptEvent::CURSOR, ScriptEvent::MOUSE, ScriptEvent::FOCUS));
  EXPECT_EQ(std::tuple(s.events[1].code, s.events[2].code), std::tuple('D', 32)) << "same frame: file order kept";
}

TEST_F(InputScriptTest, ABadEventRefusesTheWholeScriptNamingItsLine) {
  const struct { const char* script; const char* error; } cases[] = {
      {"1 key A press\n\n3 key NOPE press\n", "line 3: unknown key 'NOPE'"},
      {"x key A press", "line 1: 'x' is not a frame number"}, {"-1 key A press", "line 1: '-1' is not a frame number"},
      {"99999999999999999999 key A press", "line 1: '99999999999999999999' is not a frame number"},
      {"1 key A hold", "line 1: 'hold' is not press, release or a key's repeat"},
      {"1 mouse LEFT repeat", "line 1: 'repeat' is not press, release or a key's repeat"},
      {"1 mouse 8 press", "line 1: unknown mouse '8'"},
      {"1 cursor 10", "line 1: cursor needs two numbers: x y"},
      {"1 dt 1.5", "line 1: dt needs a time step from 0 to 1 seconds"},
      {"1 dt nan", "line 1: dt needs a time step from 0 to 1 seconds"},
      {"1 focus 2", "line 1: focus needs 0 or 1"},
      {"1 clock -5", "line 1: clock needs whole seconds, 0 or more"},
      {"1 jump", "line 1: unknown event 'jump'"},
      {"1 pad button Z press", "line 1: unknown pad button 'Z'"},
      {"1 pad button A repeat", "line 1: 'repeat' is not press or release"},
      {"1 pad axis RIGHT_X 1.5", "line 1: a pad axis goes from -1 to 1"},
      {"1 pad axis TWIST 0", "line 1: unknown pad axis 'TWIST'"},
      {"1 pad connect", "line 1: pad connect needs 0 or 1"},
      {"1 pad wave", "line 1: pad needs button, axis or connect"},
  };
  for (const auto& c : cases) {
    const ParsedScript s = ParseInputScript(c.script);
    EXPECT_EQ(s.error, c.error);
    EXPECT_EQ(s.events.size(), 0u) << c.script;
  }
}

TEST_F(InputScriptTest, ARecordedLineReadsBackExactly) {
  std::vector<ScriptEvent> recorded = {
      {.frame = 3, .kind = ScriptEvent::KEY, .code = 263, .action = input::REPEAT},
      {.frame = 3, .kind = ScriptEvent::KEY, .code = 300, .action = input::PRESS},  // a key with no name
      {.frame = 4, .kind = ScriptEvent::MOUSE, .code = 5, .action = input::RELEASE},
      {.frame = 4, .kind = ScriptEvent::CURSOR, .x = 412.25, .y = 1.0 / 3.0},
      {.frame = 5, .kind = ScriptEvent::FOCUS, .code = 0},
      {.frame = 5, .kind = ScriptEvent::STEP, .dt = 1.0f / 60.0f},
      {.frame = 6, .kind = ScriptEvent::CLOCK, .seconds = 4102444800},  // past 2038
      {.frame = 7, .kind = ScriptEvent::PAD_CONNECT, .code = 1},
      {.frame = 7, .kind = ScriptEvent::PAD_BUTTON, .code = input::PAD_DPAD_LEFT, .action = input::PRESS},
      {.frame = 7, .kind = ScriptEvent::PAD_AXIS, .code = input::PAD_RIGHT_TRIGGER, .value = -0.37f},
  };
  std::string text = "window 640x360\nclock 17\nstate 0\n";
  for (const ScriptEvent& e : recorded) text += FormatScriptEvent(e) + "\n";
  ParsedScript s = ParseInputScript(text);
  ASSERT_TRUE(s.error.empty()) << s.error << "\n" << text;
  EXPECT_EQ(s.options, (std::vector<std::string>{"--window", "640x360", "--clock", "17", "--state", "0"}));
  ASSERT_EQ(s.events.size(), recorded.size());
  for (std::size_t i = 0; i < recorded.size(); ++i) {
    const ScriptEvent &a = recorded[i], &b = s.events[i];
    EXPECT_EQ(std::tie(a.frame, a.kind, a.code, a.action, a.x, a.y, a.dt, a.seconds, a.value),
              std::tie(b.frame, b.kind, b.code, b.action, b.x, b.y, b.dt, b.seconds, b.value))
        << FormatScriptEvent(a);
  }
}

TEST_F(InputScriptTest, OnlyARecordingSetsWhereTheRunEnds) {
  EXPECT_EQ(ScriptPlayer(ParseInputScript("0 dt 0.02\n0 key A press\n1 dt 0.005\n").events).StepFrames(), 2);
  EXPECT_EQ(ScriptPlayer(ParseInputScript("9 key A press\n").events).StepFrames(), 0);
}

TEST_F(InputScriptTest, KeyNamesFollowGlfwNumbers) {
  EXPECT_EQ(KeyFromName("ESCAPE"), 256);
  EXPECT_EQ(KeyFromName("a"), 'A');
  EXPECT_EQ(KeyFromName("7"), '7');
  EXPECT_EQ(KeyFromName("263"), 263);
  EXPECT_EQ(KeyFromName("349"), -1);
}

TEST_F(InputScriptTest, PlayingAFrameFeedsTheInputLayerAndItsCallbacks) {
  ParsedScript s = ParseInputScript("0 key A press\n2 key A release\n2 cursor 5 7\n3 mouse RIGHT press\n");
  ScriptPlayer player(s.events);
  input::SetKeyCallback(RecordKey);
  const auto frame = [&](long n) { input::BeginFrame(); player.Play(n); };

  frame(0);
  EXPECT_EQ(input::GetKey('A'), input::PRESS);
  frame(1);
  EXPECT_EQ(input::GetKey('A'), input::PRESS);  // held until released
  frame(2);
  EXPECT_EQ(input::GetKey('A'), input::RELEASE);
  double x = 0, y = 0;
  input::GetCursorPos(&x, &y);
  EXPECT_EQ(std::tuple(x, y), std::tuple(5.0, 7.0));
  EXPECT_EQ(keyEvents, (std::vector<int>{'A' * 10 + 1, 'A' * 10 + 0}));
  EXPECT_FALSE(player.Finished());
  frame(10);  // a skipped frame still delivers its events
  EXPECT_EQ(input::GetMouseButton(input::MOUSE_BUTTON_RIGHT), input::PRESS);
  EXPECT_TRUE(player.Finished());
}

TEST_F(InputScriptTest, RepeatsKeepAKeyDownAndBadNumbersAreIgnored) {
  input::OnKey(65, 0, input::PRESS, 0);
  input::OnKey(65, 0, input::REPEAT, 0);
  EXPECT_EQ(input::GetKey(65), input::PRESS);
  input::OnKey(-1, 0, input::PRESS, 0);  // GLFW's unknown key
  input::OnKey(5000, 0, input::PRESS, 0);
  EXPECT_EQ(std::tuple(input::GetKey(-1), input::GetKey(5000)), std::tuple(input::RELEASE, input::RELEASE));
}

}  // namespace
