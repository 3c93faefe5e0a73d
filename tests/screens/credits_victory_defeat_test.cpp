#include <string>

#include <gtest/gtest.h>

#include "screens/credits_copyright.h"
#include "screens/credits_faculty.h"
#include "screens/credits_president.h"
#include "screens/credits_screen.h"
#include "screens/credits_team_members.h"
#include "screens/defeat_screen.h"
#include "screens/victory_screen.h"
#include "tests/screens/game_run.h"

namespace {

constexpr int kW = 640, kH = 360;

std::vector<std::string> Window(int W, int H, std::vector<std::string> args) {
  args.insert(args.begin(), {"--window", std::to_string(W) + "x" + std::to_string(H), "--fixed-dt", "0.03"});
  return args;
}

// The mouse as the window system reports it, over the centre of a table's button.
std::string Pointer(int frame, const ButtonScreenTable& table, std::size_t button, int W = kW, int H = kH) {
  const glm::ivec2 at = ButtonPixel(table, button, W, H);
  return std::to_string(frame) + " cursor " + std::to_string(at.x) + " " + std::to_string(at.y) + "\n";
}

// Point at the button, press a frame later, let go once the next screen runs.
std::string ClickButton(int frame, const ButtonScreenTable& table, std::size_t button) {
  return Click(frame + 1, ButtonPixel(table, button, kW, kH));
}

TEST(ButtonScreens, EachButtonLeadsToItsScreen) {
  std::string tour;  // the hub opens each page, each page leads back, then quit
  for (int page = 2; page < 6; ++page)
    tour += ClickButton(8 * (page - 2), kCreditsScreenTable, page) +
            ClickButton(8 * (page - 2) + 4, kCreditsPresidentTable, 0);
  tour += ClickButton(32, kCreditsScreenTable, 0);
  GameRun run = RunGame(Window(kW, kH, {"--state", "3", "--frames", "100"}), tour);
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_EQ(run.StatesEntered(), (std::vector<int>{3, 9, 3, 10, 3, 11, 3, 12, 3}));
  EXPECT_EQ(run.LastFrame(), 33);

  const struct { int state; const ButtonScreenTable& table; std::size_t button; int next; } cases[] = {
      {3, kCreditsScreenTable, 1, 0},  {9, kCreditsPresidentTable, 1, 0},  {10, kCreditsFacultyTable, 1, 0},
      {11, kCreditsTeamMembersTable, 1, 0}, {12, kCreditsCopyrightTable, 1, 0}, {7, kVictoryScreenTable, 0, 1},
      {7, kVictoryScreenTable, 1, 0},  {8, kDefeatScreenTable, 0, 1},      {8, kDefeatScreenTable, 1, 0},
  };
  for (const auto& c : cases) {
    const std::string state = std::to_string(c.state);
    run = RunGame(Window(kW, kH, {"--state", state, "--frames", "8"}), ClickButton(1, c.table, c.button));
    EXPECT_EQ(run.StatesEntered(), (std::vector<int>{c.state, c.next})) << "state " << state << ", button " << c.button;
  }
}

// Odd window sizes: the mouse is made centre-relative with whole-pixel halves.
TEST(ButtonScreens, HeldButtonBordersAndEscape) {
  constexpr int W = 641, H = 361;
  std::string script =
      "0 cursor 580 117\n"  // on the right edge of the about button: nothing
      "1 mouse LEFT press\n"
      "3 cursor 320 282\n"  // on the bottom edge of copyright, still held: nothing
      "5 cursor 320 117\n"  // inside, still held: the page opens
      + Pointer(9, kCreditsPresidentTable, 1, W, H) +  // onto main menu, held since the hub: nothing
      "12 mouse LEFT release\n" +
      Pointer(13, kCreditsPresidentTable, 0, W, H) +  // a fresh press on back
      "14 mouse LEFT press\n"
      "18 key ESCAPE press\n";
  GameRun run = RunGame(Window(W, H, {"--state", "3", "--frames", "40"}), script);
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_EQ(run.StatesEntered(), (std::vector<int>{3, 9, 3}));
  // Each frame tests the mouse the frame before it read.
  EXPECT_EQ(run.FrameEntering(9), 7);
  EXPECT_EQ(run.LastFrame(), 18);
}

TEST(ButtonScreens, ScreenshotsShowThePictureAndEachButtonWhereItIsHit) {
  constexpr int W = 1280, H = 720;
  const std::pair<int, const ButtonScreenTable*> screens[] = {
      {3, &kCreditsScreenTable},       {9, &kCreditsPresidentTable}, {10, &kCreditsFacultyTable},
      {11, &kCreditsTeamMembersTable}, {12, &kCreditsCopyrightTable}, {7, &kVictoryScreenTable},
      {8, &kDefeatScreenTable},
  };
  for (const auto& [state, table] : screens) {
    std::string path = TempPath("buttons" + std::to_string(state) + ".png");
    GameRun run =
        RunGame(Window(W, H, {"--state", std::to_string(state), "--frames", "2", "--screenshot", "1:" + path}));
    Image shot = LoadPng(path);
    ASSERT_EQ(shot.width, W) << run.output;
    std::vector<WindowRect> rects = {{0, 0, 18, 18}};  // the pointer, at the mouse's 0, 0
    for (const Placement& place : LayOut(*table, W, H)) {
      rects.push_back({W / 2 + place.position.x - place.halfSize.x, H / 2 - place.position.y - place.halfSize.y,
                       2 * place.halfSize.x, 2 * place.halfSize.y});
      std::size_t i = rects.size() - 2;
      EXPECT_GT(ShareShowing(shot, LoadPng(table->buttons[i].path), rects.back()), 0.9)
          << "state " << state << ", button " << i;
    }
    auto onButton = [&](int x, int y) {
      for (const WindowRect& r : rects)
        if (WindowRect{r.left - 2, r.top - 2, r.width + 4, r.height + 4}.Contains(x, y)) return true;
      return false;
    };
    EXPECT_GT(ShareShowing(shot, LoadPng(table->backgroundPath), {0, 0, W, H}, onButton), 0.9) << "state " << state;
  }
}

}  // namespace
