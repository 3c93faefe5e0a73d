// The main menu through the real binary: buttons that wait for rockets, the
// options overlay, sandbox painting and the quit dialog.
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>
#include <stb_image.h>

#include "tests/screens/game_run.h"

namespace {

// 768 x 432: S = 2. The player's launcher is ready one second after entry.
GameRun RunMenu(long frames, const std::string& script, std::vector<std::string> extra = {}) {
  std::vector<std::string> args = {"--state", "0", "--window", "768x432", "--fixed-dt", "0.0166667", "--clock", "1",
                                   "--frames", std::to_string(frames)};
  args.insert(args.end(), extra.begin(), extra.end());
  return RunGame(args, script);
}

// The pointer arrives a frame early: the menu hit-tests a press with the
// position its previous frame stored.
std::string Click(long frame, int x, int y) {
  return std::to_string(frame - 1) + " cursor " + std::to_string(x) + " " + std::to_string(y) + "\n" +
         std::to_string(frame) + " mouse LEFT press\n" + std::to_string(frame + 1) + " mouse LEFT release\n";
}

// Window pixels of the buttons at 768 x 432, from the top-left.
constexpr int kPlay[] = {154, 302}, kCredits[] = {461, 302}, kQuit[] = {614, 302};
constexpr int kOptions[] = {730, 43}, kSandbox[] = {38, 43}, kSound[] = {384, 259}, kWindowMode[] = {384, 302};
constexpr int kConfirmQuit[] = {461, 259}, kBackToMenu[] = {307, 259};

// A value of one frame's trace line, as written (exactly), or -1.
double Field(const GameRun& run, long frame, const std::string& key) {
  const std::string tag = "\"event\":\"frame\",\"frame\":" + std::to_string(frame) + ",";
  const std::string field = "\"" + key + "\":";
  for (const std::string& line : run.traceLines) {
    if (line.find(tag) == std::string::npos) continue;
    const std::size_t at = line.find(field);
    return at == std::string::npos ? -1 : std::strtod(line.c_str() + at + field.size(), nullptr);
  }
  return -1;
}

struct Pixel {
  int r = -1, g = -1, b = -1;
};
Pixel PixelAt(const std::string& png, int x, int y) {
  int w = 0, h = 0, n = 0;
  unsigned char* data = stbi_load(png.c_str(), &w, &h, &n, 3);
  Pixel p;
  if (data && x < w && y < h) p = {data[(y * w + x) * 3], data[(y * w + x) * 3 + 1], data[(y * w + x) * 3 + 2]};
  stbi_image_free(data);
  return p;
}
bool IsSand(Pixel p) { return p.r == 244 && p.g == 164 && p.b == 96; }
bool IsObsidian(Pixel p) { return p.r == 48 && p.g == 25 && p.b == 52; }

TEST(MainMenu, AButtonActsOnceEveryRocketInFlightHasGoneOff) {
  GameRun play = RunMenu(300, Click(70, kPlay[0], kPlay[1]));
  const long entered = play.FrameEntering(1);
  ASSERT_GT(entered, 72) << play.output;
  EXPECT_EQ(Field(play, 71, "rockets"), 1) << "the click fired";
  EXPECT_EQ(Field(play, entered - 1, "rockets"), 0);
  EXPECT_EQ(Field(play, entered - 2, "rockets"), 1) << "the level starts the frame after the explosion";

  GameRun changed = RunMenu(300, Click(70, kPlay[0], kPlay[1]) + Click(74, kCredits[0], kCredits[1]));
  EXPECT_EQ(changed.StatesEntered(), (std::vector<int>{0, 3})) << "the later click is the choice";

  // A click while the launcher cools down waits for a later rocket: here one
  // shot straight up, retired above the world.
  GameRun sky = RunMenu(400, Click(30, kPlay[0], kPlay[1]) + Click(70, 60, 0));
  EXPECT_GT(sky.FrameEntering(1), 80) << sky.output;
}

TEST(MainMenu, TheOptionsOverlayFreezesTheWorldQQuitsAndEscapeClosesIt) {
  GameRun run = RunMenu(200, Click(10, kOptions[0], kOptions[1]) + "40 key ESCAPE press\n41 key ESCAPE release\n" +
                                 Click(100, kOptions[0], kOptions[1]) + "150 key Q press\n");
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.LastFrame(), 150) << "Q quits while the options are open";
  EXPECT_EQ(Field(run, 12, "playerY"), Field(run, 39, "playerY")) << "frozen";
  EXPECT_NE(Field(run, 42, "playerY"), Field(run, 43, "playerY")) << "Escape closed it: the world runs";
}

TEST(MainMenu, SandboxPaintingStampsTheChosenBlockUnderTheCursor) {
  const std::string sky = "cursor 300 60\n", floor = "cursor 505 415\n";
  const std::string script = Click(10, kOptions[0], kOptions[1]) + Click(14, kSandbox[0], kSandbox[1]) +
                             Click(18, kOptions[0], kOptions[1]) + "20 " + sky + "20 mouse RIGHT press\n" +
                             "30 mouse RIGHT release\n" + "40 key 1 press\n41 key 1 release\n" + "42 " + floor +
                             "42 mouse RIGHT press\n44 mouse RIGHT release\n";
  const std::string shots = TempPath("menu_paint_");
  GameRun run = RunMenu(100, script,
                        {"--screenshot", "25:" + shots + "25.png", "--screenshot", "90:" + shots + "90.png",
                         "--screenshot", "41:" + shots + "41.png"});
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_EQ(Field(run, 30, "block"), 1) << "SAND on a fresh run";
  EXPECT_TRUE(IsSand(PixelAt(shots + "25.png", 302, 60))) << "sand is stamped while the button is held";
  EXPECT_FALSE(IsSand(PixelAt(shots + "90.png", 302, 60))) << "and falls";
  EXPECT_EQ(Field(run, 42, "block"), 0);
  EXPECT_TRUE(IsObsidian(PixelAt(shots + "41.png", 505, 415)));
  EXPECT_FALSE(IsObsidian(PixelAt(shots + "90.png", 505, 415))) << "CLEAR erases obsidian";
}

TEST(MainMenu, QuitAsksFirstAndHiddenButtonsDoNotReact) {
  // A click where the hidden window-mode button sits must not restart the menu.
  GameRun back = RunMenu(300, Click(20, kWindowMode[0], kWindowMode[1]) + Click(70, kQuit[0], kQuit[1]) +
                                  Click(200, kBackToMenu[0], kBackToMenu[1]));
  EXPECT_EQ(back.StatesEntered(), (std::vector<int>{0}));
  EXPECT_EQ(back.LastFrame(), 299) << "back to the menu, not quit";
  GameRun quit = RunMenu(300, Click(70, kQuit[0], kQuit[1]) + Click(200, kConfirmQuit[0], kConfirmQuit[1]));
  EXPECT_EQ(quit.exitCode, 0);
  EXPECT_LT(quit.LastFrame(), 210);
  EXPECT_GT(quit.LastFrame(), 199);
}

TEST(MainMenu, TheWindowModeButtonRestartsTheMenuAtTheNewSize) {
  GameRun run = RunMenu(60, Click(10, kOptions[0], kOptions[1]) + Click(14, kSound[0], kSound[1]) +
                                Click(20, kWindowMode[0], kWindowMode[1]));
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_EQ(Field(run, 15, "windowWidth"), 768);
  EXPECT_EQ(Field(run, 40, "windowWidth"), 1920);
  EXPECT_EQ(run.StatesEntered(), (std::vector<int>{0, 0})) << "entered again";
}

}  // namespace
