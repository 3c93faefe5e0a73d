// The routes of the first and the last level played by the real game under
// Xvfb: the same frames as the headless proofs, up to the victory.
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "tests/screens/game_run.h"

namespace {

constexpr int kLevelState = 1, kMenuState = 0, kVictoryState = 7;

std::string Read(const std::string& path) {
  std::ifstream file(path);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

// The frames the headless run took to win, from the route's header.
long RouteFrames(const std::string& route) {
  const std::size_t at = route.find("# victory after ");
  return at == std::string::npos ? -1 : std::stol(route.substr(at + 16));
}

// On an X server of its own: the level pauses whenever its window loses the
// focus, as it does to any game window opened later on a shared display.
GameRun PlayRoute(const std::string& levels, const std::string& route) {
  return RunGame({"--state", "1", "--levels", levels, "--window", "1152x648", "--fixed-dt", "0.016666667", "--clock-start",
                  "0", "--frames", std::to_string(RouteFrames(route) + 10)},
                 route, "tests/support/x_server.sh 1280x720x24 env");
}

TEST(RoutesInTheGame, TheFirstLevelsRouteWinsItAtTheSameFrame) {
  const std::string route = Read("tests/routes/level0_1152x648.txt");
  ASSERT_GT(RouteFrames(route), 0);
  const GameRun run = PlayRoute("Assets/Levels", route);
  ASSERT_EQ(run.StatesEntered(), (std::vector<int>{kLevelState, kVictoryState})) << run.output;
  // The frame after the winning one shows the level once more, then the screen changes.
  EXPECT_EQ(run.FrameEntering(kVictoryState), RouteFrames(route) + 1);
}

TEST(RoutesInTheGame, TheLastLevelsRouteEndsTheGameOnTheMenu) {
  int last = 0;
  while (std::filesystem::exists("Assets/Levels/level" + std::to_string(last + 1) + ".bmp")) ++last;
  const std::string name = "level" + std::to_string(last);
  const std::string route = Read("tests/routes/" + name + "_1152x648.txt");
  ASSERT_GT(RouteFrames(route), 0) << name;
  // A sequence of that one level: winning it is winning the last.
  const std::string folder = TempPath("last");
  std::filesystem::create_directories(folder);
  std::filesystem::copy_file("Assets/Levels/" + name + ".bmp", folder + "/level0.bmp",
                             std::filesystem::copy_options::overwrite_existing);
  std::ofstream(folder + "/levelNames.txt") << "The last level\n";
  const GameRun run = PlayRoute(folder, route);
  ASSERT_EQ(run.StatesEntered(), (std::vector<int>{kLevelState, kMenuState})) << run.output;
  EXPECT_EQ(run.FrameEntering(kMenuState), RouteFrames(route) + 1);
}

}  // namespace
