#include <string>

#include <gtest/gtest.h>

#include "tests/screens/game_run.h"

namespace {

// In a 1280 x 720 window, 0.03 s a frame.
std::vector<std::string> With(std::vector<std::string> args) {
  args.insert(args.begin(), {"--window", "1280x720", "--fixed-dt", "0.03"});
  return args;
}

TEST(LogoAndControlsTest, KeysLeaveForTheirScreensOrQuit) {
  // frame: when the second state was entered, or the last frame of a run that quit.
  const struct { const char* state; const char* script; std::vector<int> states; long frame; } cases[] = {
      {"6", "0 key SPACE press\n", {6, 0}, 1}, {"6", "5 key ENTER press\n", {6, 0}, 6},
      {"6", "0 key SPACE press\n0 key SPACE release\n", {6, 0}, 1},  // a tap within one frame
      {"6", "3 key ESCAPE press\n", {6}, 3},   {"2", "2 key T press\n", {2, 0}, 3},
      {"2", "2 key Y press\n", {2, 1}, 3},     {"2", "4 key ESCAPE press\n", {2}, 4},
      {"2", "2 key T press\n2 key Y press\n", {2, 1}, 3},  // the later test in the frame wins
  };
  for (const auto& c : cases) {
    const GameRun run = RunGame(With({"--state", c.state, "--frames", "20"}), c.script);
    SCOPED_TRACE(c.script);
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(run.StatesEntered(), c.states);
    EXPECT_EQ(c.states.size() > 1 ? run.FrameEntering(c.states.back()) : run.LastFrame(), c.frame);
  }
}

// Each logo stays until its timer first exceeds 2 s (67 frames of 0.03 s), the
// controls picture until a key; each is drawn centred, 2 halfW x 2 halfH pixels.
TEST(LogoAndControlsTest, TheLogosHandOverAfterALittleMoreThanFourSecondsAndEachScreenShowsItsPicture) {
  const std::string first = TempPath("logo1.png"), second = TempPath("logo2.png"), controls = TempPath("controls.png");
  const GameRun logos =
      RunGame(With({"--frames", "200", "--screenshot", "10:" + first, "--screenshot", "75:" + second}));
  ASSERT_EQ(logos.exitCode, 0) << logos.output;
  EXPECT_EQ(logos.StatesEntered(), (std::vector<int>{6, 0}));
  EXPECT_EQ(logos.FrameEntering(0), 2 * 67);
  const GameRun shown =
      RunGame({"--window", "1920x1080", "--state", "2", "--frames", "3", "--screenshot", "1:" + controls});
  ASSERT_EQ(shown.exitCode, 0) << shown.output;
  const struct { std::string shot, picture; float halfW, halfH; } pictures[] = {
      {first, "Assets/OstrelLogo.png", 533.75f, 155.75f},
      {second, "Assets/FMODLogo.png", 533.75f, 155.75f},
      {controls, "Assets/controls.png", 960.0f, 540.0f}};
  for (const auto& p : pictures) {
    const Image shot = LoadPng(p.shot), picture = LoadPng(p.picture);
    ASSERT_GT(shot.width, 0) << p.shot;
    ASSERT_GT(picture.width, 0) << p.picture;
    const WindowRect centred{shot.width / 2.0f - p.halfW, shot.height / 2.0f - p.halfH, 2 * p.halfW, 2 * p.halfH};
    EXPECT_GT(ShareShowing(shot, picture, centred), 0.8) << p.picture;
  }
}

TEST(GameStartTest, BadOptionsAndNoOpenGlContextEndTheGameBeforeItsFirstFrame) {
  const struct { std::vector<std::string> args; const char* script; const char* environment; int exitCode;
                 const char* says; } cases[] = {
      {{"--help"}, "", "", 0, "--fixed-dt"},
      {{"--state", "4"}, "", "", 2, "bad value"},
      {{"--frames", "2"}, "1 key NOPE press\n", "", 2, "line 1"},
      {{"--input", "tests", "--frames", "2"}, "", "", 2, "Could not read input script tests\n"},  // a folder
      {{"--frames", "5"}, "", "DISPLAY= WAYLAND_DISPLAY=", -1, "Failed to initialize GLAD\n"},
  };
  for (const auto& c : cases) {
    const GameRun run = RunGame(c.args, c.script, c.environment);
    EXPECT_EQ(run.exitCode, c.exitCode) << c.args[0];
    EXPECT_NE(run.output.find(c.says), std::string::npos) << run.output;
    EXPECT_TRUE(run.traceLines.empty()) << c.args[0];
  }
}

}  // namespace
