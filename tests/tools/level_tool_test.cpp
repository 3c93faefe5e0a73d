// End to end: the sandrift-level binary on small level files written here.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <fstream>
#include <string>

#include <stb_image.h>

#include "app/game_state.h"
#include "tests/world/bmp_builder.h"

using namespace testbmp;

namespace {

struct ToolRun {
  int exitCode;
  std::string out;  // standard output and standard error together
};

// Each test writes in a folder of its own: tests run side by side, in this
// build and in others on the same machine.
class LevelTool : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = std::filesystem::temp_directory_path() /
             ("sandrift-tool-" + std::to_string(getpid()) + "-" +
              testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(folder);
  }
  void TearDown() override { std::filesystem::remove_all(folder); }

  std::string Path(const std::string& name) const { return (folder / name).string(); }

  std::string Write(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    const std::string path = Path(name);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return path;
  }

  ToolRun Tool(const std::string& args) {
    const std::string command = std::string(SANDRIFT_LEVEL_TOOL) + " " + args + " 2>&1";
    std::FILE* pipe = popen(command.c_str(), "r");
    std::string out;
    char buffer[4096];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, got);
    const int status = pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
  }

  std::filesystem::path folder;
};

TEST_F(LevelTool, InfoCountsMarkersAndMaterialsAndWarns) {
  const Rgb bat{51, 204, 255};
  const std::string level = Write("info.bmp", MakeBmp({
                                                  {Black, Black, Black, Black},
                                                  {PlayerStart, bat, Blue, Yellow},
                                                  {bat, White, Red, Black},
                                              }));
  const ToolRun run = Tool("info " + level);
  EXPECT_EQ(run.exitCode, 0) << run.out;
  for (const char* line : {"size: 4 x 3 cells", "player start: 0, 1", "treasure 0 health 0 bat 2 melee 0",
                           "sand 1 obsidian 0 ice 0 lava 1 water 1 stone 5 steam 0 clear 4", "warning: no treasure",
                           "warning: narrower than 384"})
    EXPECT_NE(run.out.find(line), std::string::npos) << run.out;
  EXPECT_EQ(run.out.find("9/16"), std::string::npos) << "4 x 9/16 rounds up to 3 rows: " << run.out;
  EXPECT_EQ(run.out.find("warning: no player start"), std::string::npos) << run.out;
}

TEST_F(LevelTool, InfoWarnsAboutProportionsTheCameraCannotShow) {
  const std::vector<Rgb> wide(384, White);
  std::vector<std::vector<Rgb>> rows(217, wide);  // one row above 384 x 9/16 = 216
  rows[0][0] = Treasure;
  ToolRun run = Tool("info " + Write("tall.bmp", MakeBmp(rows)));
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_NE(run.out.find("cannot reach the top 1 rows; make the level 384 x 216"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("warning: no player start"), std::string::npos) << run.out;
  EXPECT_EQ(run.out.find("narrower"), std::string::npos) << run.out;

  rows.resize(215);
  run = Tool("info " + Write("short.bmp", MakeBmp(rows)));
  EXPECT_NE(run.out.find("scrolls above the top edge; make the level 384 x 216"), std::string::npos) << run.out;

  rows.resize(216, wide);
  run = Tool("info " + Write("right.bmp", MakeBmp(rows)));
  EXPECT_EQ(run.out.find("9/16"), std::string::npos) << run.out;
}

TEST_F(LevelTool, BadFilesExitWithTheReason) {
  auto truncated = MakeBmp({{White, Black, Blue}, {Black, White, Red}});
  truncated.resize(truncated.size() - 6);
  ToolRun run = Tool("info " + Write("short.bmp", truncated));
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.out.find("/short.bmp: file truncated"), std::string::npos) << run.out;

  run = Tool("simulate " + Write("deep.bmp", MakeBmp({{White}}, 32)) + " --steps 1 --text");
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.out.find("32 bits per pixel"), std::string::npos) << run.out;

  run = Tool("info /nonexistent/level.bmp");
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.out.find("cannot open"), std::string::npos) << run.out;

  run = Tool("simulate " + Write("fine.bmp", MakeBmp({{White}})) + " --steps 0 --png /nonexistent/out.png");
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.out.find("cannot write /nonexistent/out.png"), std::string::npos) << run.out;

  // What a route search cannot hold (one bit per treasure in a place's key, a
  // guide three blocks wide) is refused as a bad file, which play and route exit 2 for.
  std::vector<std::vector<Rgb>> hoard(12, std::vector<Rgb>(25, White));
  hoard[0].assign(25, Treasure);
  for (const auto& [name, rows, reason] :
       {std::tuple{"hoard.bmp", hoard, "25 treasure boxes; a route can be searched for at most 24"},
        std::tuple{"tiny.bmp", std::vector(2, hoard[1]),
                   "25 x 2 cells; a route can be searched for in at least 12 x 12"}}) {
    run = Tool("route " + Write(name, MakeBmp(rows)) + " --budget 1");
    EXPECT_EQ(run.exitCode, 2) << name;
    EXPECT_NE(run.out.find(reason), std::string::npos) << run.out;
  }
}

TEST_F(LevelTool, UsageErrorsExitTwo) {
  const std::string level = Write("usage.bmp", MakeBmp({{White}}));
  for (const std::string& args : std::vector<std::string>{"", "info", "frobnicate " + level, "simulate " + level + " --text",
                                 "simulate " + level + " --steps 1",
                                 "simulate " + level + " --steps 1 --text --png x.png",
                                 "simulate " + level + " --steps -3 --text",
                                 "simulate " + level + " --steps 1x --text",
                                 "simulate " + level + " --steps 1 --dt fast --text",
                                 "simulate " + level + " --steps 1 --dt -1 --text",
                                 "simulate " + level + " --steps 1 --view 3 --text",
                                 "simulate " + level + " --steps 1 --text --clock"}) {
    EXPECT_EQ(Tool(args).exitCode, 2) << args;
  }
  EXPECT_EQ(Tool("--help").exitCode, 0);
}

// A number from the last line of a trace file.
double LastTraced(const std::string& path, const std::string& key) {
  std::ifstream file(path);
  std::string line, last;
  while (std::getline(file, line)) last = line;
  const std::size_t at = last.find("\"" + key + "\":");
  return at == std::string::npos ? -1e9 : std::atof(last.c_str() + at + key.size() + 3);
}

// Whole levels from tests/data, played headless as the game would play them.
TEST_F(LevelTool, PlayWinsAndLosesTheTestLevelsAsTheirScriptsPlayThem) {
  const struct { const char* level; const char* script; int exitCode; const char* says; int outcome; bool fellOut; } runs[] = {
      {"walk", "0 key A press\n", 0, "victory after 49 frames", 1, false},
      {"walk", "0 key A press\n10 key ESCAPE press\n11 key ESCAPE release\n70 key ESCAPE press\n", 0,
       "victory after 109 frames", 1, false},  // paused for 60 frames
      // Losing the focus pauses, and coming back leaves the level paused.
      {"walk", "0 key A press\n5 focus 0\n8 focus 1\n", 3, "no outcome after 900 frames", 0, false},
      {"walk", "0 key D press\n", 1, "defeat", 2, false},  // burnt in the lava
      {"fall", "0 key D press\n", 1, "defeat", 2, true},   // down the shaft
      {"rifle", "", 1, "defeat", 2, false},                 // shot standing still
  };
  const std::string trace = Path("trace.json");
  for (const auto& r : runs) {
    SCOPED_TRACE(std::string(r.level) + ": " + r.script);
    const std::string script = Write("script.txt", std::vector<std::uint8_t>(r.script, r.script + std::strlen(r.script)));
    const ToolRun run = Tool(std::string("play tests/data/") + r.level + ".bmp --input " + script +
                             " --fixed-dt 0.0166667 --clock 7 --window 1536x864 --frames 900 --trace " + trace);
    EXPECT_EQ(run.exitCode, r.exitCode) << run.out;
    EXPECT_NE(run.out.find(r.says), std::string::npos) << run.out;
    EXPECT_EQ(LastTraced(trace, "outcome"), r.outcome);
    EXPECT_EQ(LastTraced(trace, "state"), STATE_LEVEL);  // frames traced as the game's level screen traces them
    EXPECT_EQ(LastTraced(trace, "playerY") < 0, r.fellOut);
  }
  EXPECT_EQ(Tool("play tests/data/walk.bmp --window 12").exitCode, 2);
}

std::string ReadAll(const std::string& path) {
  std::ifstream file(path);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// The finder's script wins the level it was made on; once it stops winning,
// play names where it left its route, and a set piece that did not happen
// spoils a victory.
TEST_F(LevelTool, RouteFindsAWinningScriptThatPlayChecks) {
  const std::string route = Path("route.txt");
  ASSERT_EQ(std::system((std::string(SANDRIFT_LEVEL_TOOL) + " route tests/data/walk.bmp --window 768x432 > " + route +
                         " 2> /dev/null").c_str()),
            0);
  const std::string script = ReadAll(route);
  ToolRun run = Tool("play tests/data/walk.bmp --window 768x432 --input " + route);
  EXPECT_EQ(run.exitCode, 0) << script << run.out;

  const std::size_t press = script.find("key A press");
  ASSERT_NE(press, std::string::npos) << script;
  std::string stalled = script;
  stalled.replace(press, 11, "key Q press");
  run = Tool("play tests/data/walk.bmp --window 768x432 --input " + Write("stalled.txt", {stalled.begin(), stalled.end()}));
  EXPECT_EQ(run.exitCode, 3) << run.out;
  EXPECT_NE(run.out.find("walk.bmp at 768x432: the route went wrong at frame "), std::string::npos) << run.out;
  EXPECT_NE(run.out.find(": the player at "), std::string::npos) << run.out;  // off at a checkpoint, not at the end

  const std::string pieces = "walk 0 56 20 64 1 the sky falls\nfall 0 0 192 64 0 not this level\n";
  run = Tool("play tests/data/walk.bmp --window 768x432 --input " + route + " --set-pieces " +
             Write("pieces.txt", {pieces.begin(), pieces.end()}));
  EXPECT_EQ(run.exitCode, 4) << run.out;
  EXPECT_NE(run.out.find("the sky falls did not happen"), std::string::npos) << run.out;
  EXPECT_EQ(run.out.find("not this level"), std::string::npos) << run.out;
}

// A set piece counts only where a player could see it happen: sand falling
// beside the player does, sand falling onto a ledge above the view does not.
TEST_F(LevelTool, PlaySetPiecesMustHappenInTheView) {
  std::vector<std::vector<Rgb>> rows(432, std::vector<Rgb>(768, White));
  rows[0].assign(768, Grey);
  rows[120][40] = PlayerStart;
  rows[9][40] = Treasure;  // won when the player has fallen onto it
  for (int x = 240; x < 270; ++x) rows[225][x] = Grey;
  for (int x = 200; x < 203; ++x) rows[150][x] = rows[235][x + 50] = Yellow;
  const std::string pieces = "near 190 0 210 216 3 sand falls in the view\nnear 240 220 270 240 3 sand falls above it\n";
  const ToolRun run = Tool("play " + Write("near.bmp", MakeBmp(rows)) + " --window 768x432 --set-pieces " +
                           Write("near.txt", {pieces.begin(), pieces.end()}));
  EXPECT_EQ(run.exitCode, 4) << run.out;
  EXPECT_NE(run.out.find("near.bmp at 768x432: sand falls above it happened out of the view"), std::string::npos)
      << run.out;
  EXPECT_EQ(run.out.find("sand falls in the view happened"), std::string::npos) << run.out;
  EXPECT_EQ(run.out.find("did not happen"), std::string::npos) << run.out;
}

// A rocket enemy 400 cells along open ground shoots at a player it is not in view of.
TEST_F(LevelTool, PlayCountsEnemyRocketsFromBeyondTheView) {
  std::vector<std::vector<Rgb>> rows(216, std::vector<Rgb>(768, White));
  rows[0].assign(768, Grey);
  rows[9][40] = PlayerStart;
  rows[9][440] = Rgb{153, 102, 102};
  rows[100][700] = Treasure;
  // It fires first after a second, still walking in from 400 cells.
  const ToolRun run = Tool("play " + Write("far.bmp", MakeBmp(rows)) + " --window 768x432 --frames 90");
  EXPECT_NE(run.out.find("enemy rockets from beyond the view 1\n"), std::string::npos) << run.out;
}

TEST_F(LevelTool, SimulateTextPrintsMaterialsTopRowFirst) {
  const std::string level = Write("text.bmp", MakeBmp({
                                                  {Blue, White, White, White, White, White},
                                                  {White, White, White, White, White, Cyan},
                                                  {White, White, Yellow, White, White, White},
                                              }));
  EXPECT_EQ(Tool("simulate " + level + " --steps 0 --text").out, "770777\n777772\n477777\n");
  // The sand falls one row on the first step; the water spreads 4 cells right.
  EXPECT_EQ(Tool("simulate " + level + " --steps 1 --text --clock 3").out, "777777\n770772\n777747\n");
  // A view far to the right leaves the left part of the level frozen.
  EXPECT_EQ(Tool("simulate " + level + " --steps 5 --view 500,0 --text").out, "770777\n777772\n477777\n");
  // A longer time step: the sand drops both rows at once.
  EXPECT_EQ(Tool("simulate " + level + " --steps 1 --dt 0.03 --text").out, "777777\n777772\n770747\n");
}

TEST_F(LevelTool, SimulatePngWritesCellColoursAndFollowsTheClock) {
  std::vector<std::vector<Rgb>> rows(12, std::vector<Rgb>(12, Black));
  rows[0][0] = Blue;
  rows[11][11] = White;
  const std::string level = Write("png.bmp", MakeBmp(rows));
  const std::string a = Path("a.png"), b = Path("b.png"), c = Path("c.png");
  ASSERT_EQ(Tool("simulate " + level + " --steps 0 --clock 42 --png " + a).exitCode, 0);
  ASSERT_EQ(Tool("simulate " + level + " --steps 0 --clock 42 --png " + b).exitCode, 0);
  ASSERT_EQ(Tool("simulate " + level + " --steps 0 --clock 43 --png " + c).exitCode, 0);

  auto load = [](const std::string& path) {
    int w = 0, h = 0, n = 0;
    stbi_uc* pixels = stbi_load(path.c_str(), &w, &h, &n, 4);
    EXPECT_NE(pixels, nullptr) << path;
    EXPECT_EQ(w, 12);
    EXPECT_EQ(h, 12);
    std::vector<std::uint8_t> v(pixels, pixels + (pixels ? 12 * 12 * 4 : 0));
    stbi_image_free(pixels);
    return v;
  };
  const auto first = load(a);
  ASSERT_EQ(first.size(), 12u * 12 * 4);
  EXPECT_EQ(first, load(b)) << "the same clock gives the same dark stones";
  EXPECT_NE(first, load(c));

  auto pixel = [&](int x, int row) { return std::vector<int>(&first[(row * 12 + x) * 4], &first[(row * 12 + x) * 4 + 4]); };
  EXPECT_EQ(pixel(0, 11), (std::vector<int>{112, 141, 249, 100})) << "water, bottom-left, last PNG row";
  EXPECT_EQ(pixel(11, 0), (std::vector<int>{0, 0, 0, 0})) << "clear, top-right, first PNG row";
  int dark = 0;
  for (int i = 0; i < 144; ++i) dark += first[i * 4] == 100;
  EXPECT_GT(dark, 2);
  EXPECT_LT(dark, 40);
}

}  // namespace
