#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "tests/screens/game_run.h"

namespace {

const std::vector<std::string> kSmallWindow = {"--window", "1280x720", "--fixed-dt", "0.03"};

std::vector<std::string> With(std::vector<std::string> args) {
  args.insert(args.begin(), kSmallWindow.begin(), kSmallWindow.end());
  return args;
}

TEST(LogoScreenTest, HandsOverToTheMainMenuAfterALittleMoreThanFourSeconds) {
  GameRun run = RunGame(With({"--frames", "200"}));
  ASSERT_EQ(run.exitCode, 0) << run.output;
  long frame = run.FrameEntering(0);
  ASSERT_GT(frame, 0) << run.output;
  // Each logo stays until its timer first exceeds 2 s: 67 frames of 0.03 s.
  EXPECT_EQ(frame, 2 * 67);
  EXPECT_EQ(run.StatesEntered(), (std::vector<int>{6, 0}));
}

TEST(LogoScreenTest, SpaceOrEnterSkipsToTheMainMenu) {
  GameRun space = RunGame(With({"--frames", "20"}), "0 key SPACE press\n");
  EXPECT_EQ(space.FrameEntering(0), 1);
  GameRun enter = RunGame(With({"--frames", "20"}), "5 key ENTER press\n");
  EXPECT_EQ(enter.FrameEntering(0), 6);
}

TEST(LogoScreenTest, EscapeQuitsCleanly) {
  GameRun run = RunGame(With({"--frames", "100"}), "3 key ESCAPE press\n");
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_EQ(run.LastFrame(), 3);
  EXPECT_EQ(run.StatesEntered(), (std::vector<int>{6}));
}

TEST(ControlsScreenTest, KeysLeadToTheMenuOrTheLevel) {
  GameRun t = RunGame(With({"--state", "2", "--frames", "10"}), "2 key T press\n");
  EXPECT_EQ(t.StatesEntered(), (std::vector<int>{2, 0}));
  GameRun y = RunGame(With({"--state", "2", "--frames", "10"}), "2 key Y press\n");
  EXPECT_EQ(y.StatesEntered(), (std::vector<int>{2, 1}));
  // Both in one frame: the later test in the frame, the level, wins.
  GameRun both = RunGame(With({"--state", "2", "--frames", "10"}), "2 key T press\n2 key Y press\n");
  EXPECT_EQ(both.StatesEntered(), (std::vector<int>{2, 1}));
  GameRun escape = RunGame(With({"--state", "2", "--frames", "10"}), "4 key ESCAPE press\n");
  EXPECT_EQ(escape.exitCode, 0);
  EXPECT_EQ(escape.LastFrame(), 4);
}

// The picture is drawn centred, 2 halfW x 2 halfH pixels.
void ExpectShowsPicture(const Image& shot, const Image& picture, float halfW, float halfH) {
  ASSERT_GT(picture.width, 0);
  WindowRect centred{shot.width / 2.0f - halfW, shot.height / 2.0f - halfH, 2 * halfW, 2 * halfH};
  EXPECT_GT(ShareShowing(shot, picture, centred), 0.8);
}

bool HasVariety(const Image& shot) {
  int distinct = 0;
  const unsigned char* first = shot.At(0, 0);
  for (int i = 0; i < shot.width * shot.height; i += 97)
    if (std::memcmp(first, &shot.rgba[static_cast<std::size_t>(i) * 4], 3) != 0) ++distinct;
  return distinct > 50;
}

TEST(LogoScreenTest, ScreenshotsShowBothLogos) {
  std::string first = TempPath("logo1.png"), second = TempPath("logo2.png");
  GameRun run = RunGame(With({"--frames", "80", "--screenshot", "10:" + first, "--screenshot", "75:" + second}));
  ASSERT_EQ(run.exitCode, 0) << run.output;
  Image a = LoadPng(first), b = LoadPng(second);
  ASSERT_EQ(a.width, 1280);
  ASSERT_EQ(a.height, 720);
  EXPECT_TRUE(HasVariety(a));
  ExpectShowsPicture(a, LoadPng("Assets/OstrelLogo.png"), 533.75f, 155.75f);
  ExpectShowsPicture(b, LoadPng("Assets/FMODLogo.png"), 533.75f, 155.75f);
}

TEST(ControlsScreenTest, ScreenshotShowsThePictureAndTheTitle) {
  std::string path = TempPath("controls.png");
  GameRun run = RunGame({"--window", "1920x1080", "--state", "2", "--frames", "3", "--screenshot", "1:" + path});
  ASSERT_EQ(run.exitCode, 0) << run.output;
  Image shot = LoadPng(path);
  ASSERT_EQ(shot.width, 1920);
  EXPECT_TRUE(HasVariety(shot));
  ExpectShowsPicture(shot, LoadPng("Assets/controls.png"), 960.0f, 540.0f);
}

TEST(GameStartTest, WithoutAnOpenGlContextItSaysSoAndExitsMinusOne) {
  GameRun run = RunGame({"--frames", "5"}, "", "DISPLAY= WAYLAND_DISPLAY=");
  EXPECT_EQ(run.exitCode, -1);
  EXPECT_NE(run.output.find("Failed to initialize GLAD\n"), std::string::npos) << run.output;
  EXPECT_TRUE(run.traceLines.empty());
}

TEST(GameOptionsTest, HelpAndBadOptions) {
  GameRun help = RunGame({"--help"});
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_NE(help.output.find("--fixed-dt"), std::string::npos);
  GameRun bad = RunGame({"--state", "4"});
  EXPECT_EQ(bad.exitCode, 2);
  EXPECT_NE(bad.output.find("bad value"), std::string::npos);
  GameRun script = RunGame({"--frames", "2"}, "1 key NOPE press\n");
  EXPECT_EQ(script.exitCode, 2);
  EXPECT_NE(script.output.find("line 1"), std::string::npos);
}

}  // namespace
