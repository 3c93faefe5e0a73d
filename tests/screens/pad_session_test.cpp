// The game played with a gamepad alone, through the real binary: scripts of
// pad events only, from the logos through a level to the credits.
#include <cmath>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "screens/credits_screen.h"
#include "screens/victory_screen.h"
#include "tests/screens/game_run.h"

namespace {

constexpr int kW = 768, kH = 432;
constexpr double kDt = 0.0166667;
constexpr double kDeadZone = 0.2;  // the game's stick dead zone

// Main menu buttons and the pause menu's, window pixels from the top-left.
const glm::dvec2 kPlay{154, 302}, kCredits{461, 302}, kOptions{730, 43}, kSandbox{38, 43}, kBackToMain{384, 346},
    kToMain{307, 259};

glm::dvec2 Pixel(const ButtonScreenTable& table, std::size_t button) {
  const glm::ivec2 p = ButtonPixel(table, button, kW, kH);
  return {p.x, p.y};
}

// A pad script written in time order: the pointer steered by the left stick,
// buttons held for a few frames, axes set.
class PadScript {
 public:
  PadScript& Wait(long frames) {
    frame_ += frames;
    return *this;
  }
  PadScript& Press(const std::string& button, long hold = 3) {
    text_ += At(frame_, "pad button " + button + " press") + At(frame_ + hold, "pad button " + button + " release");
    frame_ += hold + 1;
    return *this;
  }
  PadScript& Axis(const std::string& axis, double value) {
    text_ += At(frame_, "pad axis " + axis + " " + std::to_string(value));
    return *this;
  }
  // Full pushes toward the target, then one partial push for the rest.
  PadScript& PointAt(glm::dvec2 to) {
    const glm::dvec2 d = to - pointer_;
    const double length = glm::length(d), step = kW * kDt;
    if (length < 0.5) return *this;
    const glm::dvec2 direction = d / length;
    const long full = static_cast<long>(length / step);
    const double rest = kDeadZone + (1.0 - kDeadZone) * (length - full * step) / step;
    Stick(direction).Wait(full).Stick(direction * rest).Wait(1).Stick({0.0, 0.0});
    pointer_ = to;
    return *this;
  }
  PadScript& Click(glm::dvec2 at) { return PointAt(at).Press("A"); }
  // Into the top-left corner, where the pointer stops whatever it started from.
  PadScript& Home() {
    const long frames = static_cast<long>(std::ceil(std::hypot(kW, kH) / (kW * kDt * std::sqrt(0.5)))) + 1;
    pointer_ = {0.0, 0.0};
    return Stick({-1.0, -1.0}).Wait(frames).Stick({0.0, 0.0});
  }
  long Frame() const { return frame_; }
  const std::string& Text() const { return text_; }

 private:
  PadScript& Stick(glm::dvec2 push) { return Axis("LEFT_X", push.x).Axis("LEFT_Y", push.y); }
  std::string text_ = "0 pad connect 1\n";
  long frame_ = 1;
  glm::dvec2 pointer_{0.0, 0.0};  // where a scripted run's pointer starts
};

GameRun RunPad(const std::vector<std::string>& options, long frames, const std::string& script,
            std::vector<std::string> extra = {}) {
  std::vector<std::string> args = {"--window", "768x432", "--fixed-dt", "0.0166667", "--clock", "1", "--frames",
                                   std::to_string(frames)};
  args.insert(args.end(), options.begin(), options.end());
  args.insert(args.end(), extra.begin(), extra.end());
  return RunGame(args, script);
}

const std::vector<std::string> kLevel = {"--state", "1", "--levels", "tests/data/levels"};

TEST(PadSession, FromTheLogosThroughAWonLevelToTheCreditsWithThePadAlone) {
  PadScript pad;
  pad.Wait(2).Press("X", 1);                      // any face button skips the logos
  pad.PointAt(kPlay).Wait(70 - pad.Frame()).Press("A");  // the launcher is ready a second in
  pad.Wait(40).Axis("LEFT_X", -1.0).Wait(80).Axis("LEFT_X", 0.0);  // walks left to the treasure
  pad.Home().Click(Pixel(kVictoryScreenTable, 1));  // main menu
  pad.PointAt(kCredits).Wait(80).Press("A");
  pad.Wait(20).Click(Pixel(kCreditsScreenTable, 2));  // the president's page
  pad.Wait(20).Press("START");                   // quits from a button screen
  const GameRun run = RunPad({"--state", "6", "--levels", "tests/data/levels"}, 2000, pad.Text());
  EXPECT_EQ(run.StatesEntered(), (std::vector<int>{6, 0, 1, 7, 0, 3, 9})) << run.output;
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_LT(run.LastFrame(), 1999) << "Start quit";
}

TEST(PadSession, TheLeftStickAndTheSouthButtonRunAndJumpAsDAndSpaceDo) {
  const std::string keys = At(0, "key D press") + At(20, "key D release") + At(25, "key SPACE press") +
                           At(40, "key SPACE release") + At(45, "key A press") + At(55, "key A release");
  const std::string pad = At(0, "pad connect 1") + At(0, "pad axis LEFT_X 0.8") + At(20, "pad axis LEFT_X 0") +
                          At(25, "pad button A press") + At(40, "pad button A release") +
                          At(45, "pad button DPAD_LEFT press") + At(55, "pad button DPAD_LEFT release");
  const GameRun byKeys = RunPad(kLevel, 70, keys), byPad = RunPad(kLevel, 70, pad);
  ASSERT_GT(byKeys.Field(19, "playerX"), byKeys.Field(0, "playerX")) << byKeys.output;
  EXPECT_GT(byKeys.Field(35, "playerY"), byKeys.Field(24, "playerY") + 10) << "jumped";
  EXPECT_EQ(byPad.traceLines, byKeys.traceLines) << "the same trace, line for line";
}

TEST(PadSession, TheRightStickAimsAndTheRightTriggerFires) {
  // A rocket fired at the feet throws the player up; one fired upward does not.
  const auto fire = [](const char* aimY) {
    return RunPad(kLevel, 40,
               At(0, "pad connect 1") + At(10, std::string("pad axis RIGHT_Y ") + aimY) +
                   At(30, "pad axis RIGHT_TRIGGER 1") + At(33, "pad axis RIGHT_TRIGGER -1"));
  };
  const GameRun down = fire("1"), up = fire("-1");
  EXPECT_GT(down.Field(32, "velocityY"), 100) << down.output;
  EXPECT_LT(up.Field(32, "velocityY"), 1);
}

TEST(PadSession, StartPausesALostPadPausesAndThePauseMenuLeadsToTheMainMenu) {
  PadScript pad;
  pad.Axis("LEFT_X", 1.0).Wait(9).Axis("LEFT_X", 0.0).Wait(1).Press("START", 1);  // Start at 11
  pad.Wait(10).Press("B", 1);                                                   // B at 23
  const long lost = pad.Wait(10).Frame();
  const std::string gone = At(lost, "pad connect 0") + At(lost + 2, "pad connect 1");
  pad.Wait(10).Click(kBackToMain).Wait(5).Click(kToMain);
  const GameRun run = RunPad(kLevel, pad.Frame() + 20, pad.Text() + gone);
  ASSERT_EQ(run.StatesEntered(), (std::vector<int>{1, 0})) << run.output;
  EXPECT_EQ(std::tuple(run.Field(10, "paused"), run.Field(11, "paused")), std::tuple(0, 1)) << "Start";
  EXPECT_EQ(std::tuple(run.Field(22, "paused"), run.Field(23, "paused")), std::tuple(1, 0)) << "B closes the pause menu";
  EXPECT_EQ(run.Field(lost + 5, "paused"), 1) << "a pad gone mid-level pauses";
}

TEST(PadSession, TheSandboxPaintsWithTheLeftTriggerAndTheShouldersChooseTheBlock) {
  PadScript pad;
  pad.Click(kOptions).Click(kSandbox).Press("B");  // B closes the options
  pad.PointAt({300, 60}).Axis("LEFT_TRIGGER", 1.0).Wait(5);
  const long painted = pad.Frame() - 1;
  const long stepped = pad.Axis("LEFT_TRIGGER", -1.0).Wait(2).Frame();
  pad.Press("RIGHT_BUMPER", 1).Press("LEFT_BUMPER", 1).Press("LEFT_BUMPER", 1);
  const std::string shot = TempPath("pad_paint.png");
  const GameRun run = RunPad({"--state", "0"}, pad.Frame() + 2, pad.Text(),
                          {"--screenshot", std::to_string(painted) + ":" + shot});
  ASSERT_EQ(run.exitCode, 0) << run.output;
  const Image image = LoadPng(shot);
  ASSERT_EQ(image.width, kW);
  const unsigned char* at = image.At(302, 60);
  EXPECT_EQ(std::tuple(at[0], at[1], at[2]), std::tuple(244, 164, 96)) << "sand under the pointer";
  EXPECT_EQ(std::tuple(run.Field(stepped - 1, "block"), run.Field(stepped, "block"), run.Field(run.LastFrame(), "block")),
            std::tuple(1, 5, 2))
      << "SAND, then ICE (the next after key 5's), then two back: key 4's";
}

}  // namespace
