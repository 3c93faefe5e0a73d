// The main menu through the real binary: buttons that wait for rockets, the
// options overlay, sandbox painting and the quit dialog.
#include <string>
#include <tuple>
#include <utility>

#include <gtest/gtest.h>

#include "tests/screens/game_run.h"

namespace {

// 768 x 432: S = 2. The player's launcher is ready one second after entry.
GameRun RunMenu(long frames, const std::string& script, std::vector<std::string> extra = {}) {
  std::vector<std::string> args = {"--state", "0", "--window", "768x432", "--fixed-dt", "0.0166667", "--clock", "1",
                                   "--frames", std::to_string(frames)};
  args.insert(args.end(), extra.begin(), extra.end());
  return RunGame(args, script);
}

// Window pixels of the buttons at 768 x 432, from the top-left.
const glm::ivec2 kPlay{154, 302}, kCredits{461, 302}, kQuit{614, 302}, kOptions{730, 43}, kSandbox{38, 43},
    kSound{384, 259}, kWindowMode{384, 302}, kFps{384, 346}, kConfirmQuit{461, 259}, kBackToMenu{307, 259};

// A screenshot's colour at window pixel (x, y) from the top-left; -1s off the picture.
using Rgb = std::tuple<int, int, int>;
constexpr Rgb kSand{244, 164, 96}, kObsidian{48, 25, 52};
Rgb ColourAt(const std::string& png, int x, int y) {
  const Image shot = LoadPng(png);
  if (x >= shot.width || y >= shot.height) return {-1, -1, -1};
  return {shot.At(x, y)[0], shot.At(x, y)[1], shot.At(x, y)[2]};
}

// The first and last rows of a screenshot where the colour shows; -1, -1 if nowhere.
std::pair<int, int> RowsShowing(const std::string& png, Rgb colour) {
  const Image shot = LoadPng(png);
  std::pair<int, int> rows{-1, -1};
  for (int y = 0; y < shot.height; ++y)
    for (int x = 0; x < shot.width; ++x)
      if (Rgb{shot.At(x, y)[0], shot.At(x, y)[1], shot.At(x, y)[2]} == colour) {
        if (rows.first < 0) rows.first = y;
        rows.second = y;
        break;
      }
  return rows;
}
// The sandbox help's blue at 768 wide, and the title's letters.
constexpr Rgb kHelpText{102, 102, 255}, kTitleLetters{241, 207, 122};

TEST(MainMenu, AButtonActsOnceEveryRocketInFlightHasGoneOff) {
  GameRun play = RunMenu(300, Click(70, kPlay));
  const long entered = play.FrameEntering(1);
  ASSERT_GT(entered, 72) << play.output;
  EXPECT_EQ(play.Field(71, "rockets"), 1) << "the click fired";
  EXPECT_EQ(std::tuple(play.Field(entered - 2, "rockets"), play.Field(entered - 1, "rockets")), std::tuple(1, 0))
      << "the level starts the frame after the explosion";

  GameRun tap = RunMenu(300, At(69, "cursor 154 302") + At(70, "mouse LEFT press") + At(70, "mouse LEFT release"));
  EXPECT_EQ(tap.FrameEntering(1), entered) << "a tap acts as the shortest held click";

  GameRun changed = RunMenu(300, Click(70, kPlay) + Click(74, kCredits));
  EXPECT_EQ(changed.StatesEntered(), (std::vector<int>{0, 3})) << "the later click is the choice";

  // A click while the launcher cools down waits for a later rocket: here one
  // shot straight up, retired above the world.
  GameRun sky = RunMenu(400, Click(30, kPlay) + Click(70, {60, 0}));
  EXPECT_GT(sky.FrameEntering(1), 80) << sky.output;
}

TEST(MainMenu, TheOptionsOverlayFreezesTheWorldQQuitsAndEscapeClosesIt) {
  GameRun run = RunMenu(200, Click(10, kOptions) + "40 key ESCAPE press\n41 key ESCAPE release\n" +
                                 Click(100, kOptions) + "150 key Q press\n");
  EXPECT_EQ(std::tuple(run.exitCode, run.LastFrame()), std::tuple(0, 150)) << "Q quits while the options are open";
  EXPECT_EQ(run.Field(12, "playerY"), run.Field(39, "playerY")) << "frozen";
  EXPECT_NE(run.Field(42, "playerY"), run.Field(43, "playerY")) << "Escape closed it: the world runs";
}

TEST(MainMenu, SandboxPaintingStampsTheChosenBlockUnderTheCursor) {
  const std::string sky = "cursor 300 60\n", floor = "cursor 505 415\n";
  const std::string script = Click(10, kOptions) + Click(14, kSandbox) + Click(18, kOptions) + "20 " + sky +
                             "20 mouse RIGHT press\n30 mouse RIGHT release\n40 key 1 press\n41 key 1 release\n42 " +
                             floor + "42 mouse RIGHT press\n44 mouse RIGHT release\n";
  const std::string shots = TempPath("menu_paint_");
  GameRun run = RunMenu(100, script,
                        {"--screenshot", "25:" + shots + "25.png", "--screenshot", "90:" + shots + "90.png",
                         "--screenshot", "41:" + shots + "41.png"});
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_EQ(std::tuple(run.Field(30, "block"), run.Field(42, "block")), std::tuple(1, 0)) << "SAND, then CLEAR";
  EXPECT_EQ(ColourAt(shots + "25.png", 302, 60), kSand) << "sand is stamped while the button is held,";
  EXPECT_NE(ColourAt(shots + "90.png", 302, 60), kSand) << "and falls";
  EXPECT_EQ(ColourAt(shots + "41.png", 505, 415), kObsidian);
  EXPECT_NE(ColourAt(shots + "90.png", 505, 415), kObsidian) << "CLEAR erases obsidian";
  const auto [helpTop, helpBottom] = RowsShowing(shots + "25.png", kHelpText);
  const auto [titleTop, titleBottom] = RowsShowing(shots + "25.png", kTitleLetters);
  EXPECT_GE(helpTop, 0) << "the sandbox help shows";
  EXPECT_LT(helpBottom, titleTop) << "the help stays clear of the title below it";
}

TEST(MainMenu, QuitAsksFirstAndHiddenButtonsDoNotReact) {
  // A click where the hidden window-mode button sits must not restart the menu.
  GameRun back = RunMenu(300, Click(20, kWindowMode) + Click(70, kQuit) + Click(200, kBackToMenu));
  EXPECT_EQ(std::tuple(back.StatesEntered(), back.LastFrame()), std::tuple(std::vector<int>{0}, 299))
      << "back to the menu, not quit";
  GameRun quit = RunMenu(300, Click(70, kQuit) + Click(200, kConfirmQuit));
  EXPECT_EQ(quit.exitCode, 0);
  EXPECT_NEAR(quit.LastFrame(), 204.5, 4.5) << "quits within ten frames of the confirmation";
}

TEST(MainMenu, OptionButtonsToggleSoundAndTheCounterAndTheWindowModeRestartsTheMenu) {
  GameRun run = RunMenu(60, Click(10, kOptions) + Click(14, kSound) + Click(17, kFps) + Click(20, kWindowMode));
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_EQ(std::tuple(run.Field(13, "muted"), run.Field(15, "muted")), std::tuple(0, 1)) << "the sound button mutes";
  EXPECT_EQ(std::tuple(run.Field(16, "showFps"), run.Field(18, "showFps")), std::tuple(0, 1)) << "the counter button";
  EXPECT_EQ(std::tuple(run.Field(15, "windowWidth"), run.Field(40, "windowWidth")), std::tuple(768, 1920));
  EXPECT_EQ(run.Field(40, "muted"), 1) << "options are kept over the restart";
  EXPECT_EQ(run.StatesEntered(), (std::vector<int>{0, 0})) << "entered again";
}

}  // namespace
