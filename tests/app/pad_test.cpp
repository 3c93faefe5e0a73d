// The pad through the input layer: what each layout makes of sticks, triggers
// and buttons, as the keys, mouse buttons and pointer the screens read.
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "app/input.h"

namespace {

using input::PadLayout;

constexpr float kDt = 0.25f;
// 800 x 400: a full push moves the pointer 200 pixels in kDt; the aim reaches 100.
const input::PadView kView{.windowWidth = 800, .windowHeight = 400, .anchorX = 100.0, .anchorY = 200.0};
constexpr double kStartX = 400.0, kStartY = 200.0;

std::vector<std::string> events;
void RecordKey(int key, int, int action, int) { events.push_back("key " + std::to_string(key) + (action ? "+" : "-")); }
void RecordButton(int button, int action, int) {
  events.push_back("mouse " + std::to_string(button) + (action ? "+" : "-"));
}

// What the screens read: held keys (of those a pad can hold), mouse buttons, pointer.
std::string Reading() {
  std::string s = "keys:";
  for (const auto& [key, name] : {std::pair{65, "A"}, {68, "D"}, {32, "SPACE"}, {256, "ESC"}, {84, "T"}, {89, "Y"}})
    if (input::GetKey(key) == input::PRESS) s += std::string(" ") + name;
  s += " mouse:";
  if (input::GetMouseButton(input::MOUSE_BUTTON_LEFT) == input::PRESS) s += " L";
  if (input::GetMouseButton(input::MOUSE_BUTTON_RIGHT) == input::PRESS) s += " R";
  double x = 0.0, y = 0.0;
  input::GetCursorPos(&x, &y);
  return s + " pointer: " + std::to_string(static_cast<int>(x)) + "," + std::to_string(static_cast<int>(y));
}

class PadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    input::Reset();
    events.clear();
    input::OnCursorPos(kStartX, kStartY);
    input::OnPadConnect(1);
  }
  void TearDown() override { input::Reset(); }
  static void Frame(PadLayout layout) {
    input::PadView view = kView;
    view.layout = layout;
    input::SetPadView(view);
    input::ApplyPad(kDt);
    input::BeginFrame();
  }
};

TEST_F(PadTest, EachLayoutTurnsSticksTriggersAndButtonsIntoKeysButtonsAndThePointer) {
  struct Case {
    const char* what;
    PadLayout layout;
    std::vector<std::pair<int, float>> axes;
    std::vector<int> buttons;
    std::string reading;
  };
  const Case cases[] = {
      {"a full push crosses the window in a second", PadLayout::Menu, {{input::PAD_LEFT_X, 1.0f}}, {},
       "keys: mouse: pointer: 600,200"},
      {"inside the dead zone a stick is centred", PadLayout::Menu, {{input::PAD_LEFT_X, 0.15f}}, {},
       "keys: mouse: pointer: 400,200"},
      {"past it the push starts again from 0; either stick", PadLayout::Buttons, {{input::PAD_RIGHT_Y, 0.6f}}, {},
       "keys: mouse: pointer: 400,300"},
      {"the D-pad is a full push", PadLayout::Sandbox, {}, {input::PAD_DPAD_UP}, "keys: mouse: pointer: 400,0"},
      {"aiming puts the pointer at the player plus the direction", PadLayout::Play,
       {{input::PAD_RIGHT_X, 0.3f}, {input::PAD_RIGHT_Y, 0.4f}}, {}, "keys: mouse: pointer: 160,280"},
      {"a released aim leaves the pointer", PadLayout::Play, {{input::PAD_RIGHT_X, 0.1f}}, {},
       "keys: mouse: pointer: 400,200"},
      {"a trigger under half way is not pulled", PadLayout::Play, {{input::PAD_RIGHT_TRIGGER, -0.5f}}, {},
       "keys: mouse: pointer: 400,200"},
      {"right trigger fires, left looks ahead", PadLayout::Play,
       {{input::PAD_RIGHT_TRIGGER, 0.2f}, {input::PAD_LEFT_TRIGGER, 1.0f}}, {}, "keys: mouse: L R pointer: 400,200"},
      {"left stick runs past half a push", PadLayout::Play, {{input::PAD_LEFT_X, -0.6f}}, {input::PAD_A},
       "keys: A SPACE mouse: pointer: 400,200"},
      {"a light push does not run", PadLayout::Play, {{input::PAD_LEFT_X, 0.4f}}, {},
       "keys: mouse: pointer: 400,200"},
      {"D-pad runs; Start pauses", PadLayout::Play, {}, {input::PAD_DPAD_RIGHT, input::PAD_START},
       "keys: D ESC mouse: pointer: 400,200"},
      {"menus: A clicks, B is Escape", PadLayout::Menu, {}, {input::PAD_A, input::PAD_B},
       "keys: ESC mouse: L pointer: 400,200"},
      {"button screens: B is not the Escape that quits", PadLayout::Buttons, {}, {input::PAD_B},
       "keys: mouse: pointer: 400,200"},
      {"sandbox: the left trigger paints", PadLayout::Sandbox, {{input::PAD_LEFT_TRIGGER, 1.0f}}, {},
       "keys: mouse: R pointer: 400,200"},
      {"any face button skips the logos", PadLayout::Logos, {}, {input::PAD_X}, "keys: SPACE mouse: pointer: 400,200"},
      {"the controls screen's T and Y", PadLayout::Controls, {}, {input::PAD_B, input::PAD_Y},
       "keys: T Y mouse: pointer: 400,200"},
  };
  for (const Case& c : cases) {
    SetUp();
    Frame(c.layout);  // the layout is in force before the pad moves
    for (const auto& [axis, value] : c.axes) input::OnPadAxis(axis, value);
    for (int button : c.buttons) input::OnPadButton(button, input::PRESS);
    Frame(c.layout);
    EXPECT_EQ(Reading(), c.reading) << c.what;
  }
}

TEST_F(PadTest, PressesAndReleasesReachTheCallbacksOnceAndATapIsHeldForOneFrame) {
  input::SetKeyCallback(RecordKey);
  input::SetMouseButtonCallback(RecordButton);
  Frame(PadLayout::Play);
  input::OnPadButton(input::PAD_A, input::PRESS);
  input::OnPadButton(input::PAD_A, input::RELEASE);
  input::OnPadAxis(input::PAD_RIGHT_TRIGGER, 1.0f);
  Frame(PadLayout::Play);
  Frame(PadLayout::Play);
  input::OnPadConnect(0);  // gone: back to rest
  Frame(PadLayout::Play);
  EXPECT_EQ(events, (std::vector<std::string>{"key 32+", "mouse 0+", "key 32-", "mouse 0-"}));
}

TEST_F(PadTest, AButtonHeldOverALayoutChangeActsOnlyAfterItsRelease) {
  Frame(PadLayout::Menu);
  input::OnPadButton(input::PAD_A, input::PRESS);
  Frame(PadLayout::Menu);
  EXPECT_EQ(Reading(), "keys: mouse: L pointer: 400,200") << "the click";
  Frame(PadLayout::Play);
  EXPECT_EQ(Reading(), "keys: mouse: pointer: 400,200") << "the level opened by it does not jump";
  input::OnPadButton(input::PAD_A, input::RELEASE);
  Frame(PadLayout::Play);
  input::OnPadButton(input::PAD_A, input::PRESS);
  Frame(PadLayout::Play);
  EXPECT_EQ(Reading(), "keys: SPACE mouse: pointer: 400,200") << "a new press jumps";
}

TEST_F(PadTest, TheShouldersStepThroughTheBlocksOncePerPress) {
  std::vector<int> steps;
  Frame(PadLayout::Sandbox);
  input::OnPadButton(input::PAD_RIGHT_BUMPER, input::PRESS);
  for (int frame = 0; frame < 2; ++frame) {
    Frame(PadLayout::Sandbox);
    steps.push_back(input::PadChoiceStep());
  }
  input::OnPadButton(input::PAD_LEFT_BUMPER, input::PRESS);
  Frame(PadLayout::Sandbox);
  steps.push_back(input::PadChoiceStep());
  EXPECT_EQ(steps, (std::vector<int>{1, 0, -1}));
}

}  // namespace
