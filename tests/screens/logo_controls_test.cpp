#include <string>

#include <gtest/gtest.h>
#include <stb_image.h>

#include "tests/screens/game_run.h"

namespace {

const std::vector<std::string> kSmallWindow = {"--window", "1280x720", "--fixed-dt", "0.03"};

std::vector<std::string> With(std::vector<std::string> args) {
  args.insert(args.begin(), kSmallWindow.begin(), kSmallWindow.end());
  return args;
}

struct Image {
  int width = 0, height = 0;
  std::vector<unsigned char> rgba;
  const unsigned char* At(int x, int y) const { return &rgba[(static_cast<std::size_t>(y) * width + x) * 4]; }
};

Image LoadPng(const std::string& path) {
  Image image;
  int channels = 0;
  unsigned char* data = stbi_load(path.c_str(), &image.width, &image.height, &channels, 4);
  if (data) {
    image.rgba.assign(data, data + static_cast<std::size_t>(image.width) * image.height * 4);
    stbi_image_free(data);
  }
  return image;
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

TEST(LogoAndControlsTest, KeysLeaveForTheirScreensOrQuit) {
  // frame: when the second state was entered, or the last frame of a run that quit.
  const struct { const char* state; const char* script; std::vector<int> states; long frame; } cases[] = {
      {"6", "0 key SPACE press\n", {6, 0}, 1},
      {"6", "5 key ENTER press\n", {6, 0}, 6},
      {"6", "3 key ESCAPE press\n", {6}, 3},
      {"2", "2 key T press\n", {2, 0}, 3},
      {"2", "2 key Y press\n", {2, 1}, 3},
      {"2", "2 key T press\n2 key Y press\n", {2, 1}, 3},  // the later test in the frame wins
      {"2", "4 key ESCAPE press\n", {2}, 4},
  };
  for (const auto& c : cases) {
    const GameRun run = RunGame(With({"--state", c.state, "--frames", "20"}), c.script);
    SCOPED_TRACE(c.script);
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(run.StatesEntered(), c.states);
    EXPECT_EQ(c.states.size() > 1 ? run.FrameEntering(c.states.back()) : run.LastFrame(), c.frame);
  }
}

// The logo is drawn 1067.5 x 311.5 pixels, centred; sample its middle band and
// compare with the picture's own texels.
void ExpectShowsPicture(const Image& shot, const Image& picture, float halfW, float halfH) {
  ASSERT_GT(picture.width, 0);
  int matches = 0, samples = 0;
  for (float fx = -0.4f; fx <= 0.4f; fx += 0.05f) {
    for (float fy = -0.3f; fy <= 0.3f; fy += 0.1f) {
      int sx = static_cast<int>(shot.width / 2.0f + fx * 2.0f * halfW);
      int sy = static_cast<int>(shot.height / 2.0f - fy * 2.0f * halfH);
      int px = static_cast<int>((fx + 0.5f) * picture.width);
      int py = static_cast<int>((fy * -1.0f + 0.5f) * picture.height);
      const unsigned char* a = shot.At(sx, sy);
      const unsigned char* b = picture.At(px, py);
      ++samples;
      if (std::abs(a[0] - b[0]) <= 8 && std::abs(a[1] - b[1]) <= 8 && std::abs(a[2] - b[2]) <= 8) ++matches;
    }
  }
  EXPECT_GT(matches, samples * 8 / 10) << matches << " of " << samples;
}

TEST(LogoScreenTest, ScreenshotsShowBothLogos) {
  std::string first = TempPath("logo1.png"), second = TempPath("logo2.png");
  GameRun run = RunGame(With({"--frames", "80", "--screenshot", "10:" + first, "--screenshot", "75:" + second}));
  ASSERT_EQ(run.exitCode, 0) << run.output;
  Image a = LoadPng(first), b = LoadPng(second);
  ASSERT_EQ(a.width, 1280);
  ASSERT_EQ(a.height, 720);
  ExpectShowsPicture(a, LoadPng("Assets/OstrelLogo.png"), 533.75f, 155.75f);
  ExpectShowsPicture(b, LoadPng("Assets/FMODLogo.png"), 533.75f, 155.75f);
}

TEST(ControlsScreenTest, ScreenshotShowsThePicture) {
  std::string path = TempPath("controls.png");
  GameRun run = RunGame({"--window", "1920x1080", "--state", "2", "--frames", "3", "--screenshot", "1:" + path});
  ASSERT_EQ(run.exitCode, 0) << run.output;
  Image shot = LoadPng(path);
  ASSERT_EQ(shot.width, 1920);
  ExpectShowsPicture(shot, LoadPng("Assets/controls.png"), 960.0f, 540.0f);
}

TEST(GameStartTest, BadOptionsAndNoOpenGlContextEndTheGameBeforeItsFirstFrame) {
  const struct { std::vector<std::string> args; const char* script; const char* environment; int exitCode;
                 const char* says; } cases[] = {
      {{"--help"}, "", "", 0, "--fixed-dt"},
      {{"--state", "4"}, "", "", 2, "bad value"},
      {{"--frames", "2"}, "1 key NOPE press\n", "", 2, "line 1"},
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
