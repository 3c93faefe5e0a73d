#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <tuple>

#include <unistd.h>

#include "tests/world/bmp_builder.h"
#include "tests/world/grid_art.h"
#include "world/level_image.h"

using namespace world;
using namespace testbmp;
using Bytes = std::vector<std::uint8_t>;

namespace {

class LevelImage : public ::testing::Test {
 protected:
  void SetUp() override { SetClock(&gridart::FixedClock); }
  void TearDown() override { SetClock(nullptr); }

  std::unique_ptr<PixelGrid> Parse(const Bytes& bytes) {
    error.clear();
    return ParseLevelImage(bytes, 5.0f, error);
  }
  std::string error;
};

TEST_F(LevelImage, ReadsMaterialsAndMarkersBottomRowFirstPastThePadding) {
  const Rgb health{255, 0, 255}, bat{51, 204, 255}, melee{102, 102, 102}, rifle{102, 102, 153},
      rocket{153, 102, 102}, gunner{102, 153, 102};
  // Seven pixels: 21 bytes a row, then 3 padding bytes that would read as lava.
  // The top row holds colours one step away from a material or marker: empty space.
  auto grid = Parse(MakeBmp({
      {Yellow, Grey, Cyan, Red, Blue, Black, White},
      {Treasure, health, bat, melee, rifle, rocket, gunner},
      {PlayerStart, Treasure, PlayerStart, White, White, White, Treasure},
      {{101, 0, 0}, {254, 0, 0}, {1, 0, 0}, {0, 0, 254}, {0, 201, 200}, {127, 128, 128}, {0, 101, 0}},
  }));
  ASSERT_TRUE(grid) << error;
  EXPECT_EQ(grid->gridScale, 7.0f / 384.0f);
  EXPECT_EQ(gridart::Draw(*grid), (gridart::Rows{".......", ".......", ".......", "soilw#."}));
  EXPECT_EQ(grid->At(0, 1).colour, (Rgba{0, 0, 0, 0}));
  EXPECT_EQ(std::tuple(grid->playerSpawn, grid->playerSpawnFound), std::tuple(CellPos{2, 2}, true))
      << "the last start pixel scanned wins";
  EXPECT_EQ(grid->treasureMarkers, (std::vector<CellPos>{{0, 1}, {1, 2}, {6, 2}}));
  int x = 1;
  for (auto list : {&PixelGrid::healthMarkers, &PixelGrid::batMarkers, &PixelGrid::meleeMarkers,
                    &PixelGrid::rifleMarkers, &PixelGrid::rocketMarkers, &PixelGrid::gunnerMarkers})
    EXPECT_EQ((*grid).*list, (std::vector<CellPos>{{x++, 1}}));
}

TEST_F(LevelImage, AboutOneStoneInTenIsDarkAndTheClockPicksWhich) {
  const std::vector<Rgb> row(400, Black);
  std::string patterns[3];
  for (int i = 0; i < 3; ++i) {
    gridart::fixedSeconds = i < 2 ? 42 : 43;
    auto grid = Parse(MakeBmp({row}));
    ASSERT_TRUE(grid) << error;
    EXPECT_FALSE(grid->playerSpawnFound);
    for (const Cell& c : grid->cells) {
      EXPECT_EQ(c.colour, c.dark ? kDarkStoneColour : BaseColour(STONE));
      patterns[i] += char('0' + c.dark);
    }
    const auto dark = std::count(patterns[i].begin(), patterns[i].end(), '1');
    EXPECT_GT(dark, 15) << "of 400 stones";
    EXPECT_LT(dark, 70) << "of 400 stones";
  }
  EXPECT_EQ(patterns[0], patterns[1]) << "the same clock";
  EXPECT_NE(patterns[1], patterns[2]) << "another second";
}

TEST_F(LevelImage, RefusesHostileHeadersAndShortFilesWithAReason) {
  const auto good = MakeBmp({{White, Black, Blue}, {Black, White, Red}});  // rows of 9 + 3 bytes
  auto with = [&](std::size_t at, std::uint32_t v, std::size_t at2 = 0, std::uint32_t v2 = 0) {
    Bytes b = good;
    Put32(b, at, v);
    if (at2) Put32(b, at2, v2);
    return b;
  };
  auto cut = [&](std::size_t n) { return Bytes(good.begin(), good.end() - static_cast<long>(n)); };
  Bytes wrongSignature = good;
  wrongSignature[0] = 'P';
  const struct { const char* what; Bytes bytes; const char* reason; } cases[] = {
      {"empty", {}, "short"},                   {"20 bytes", Bytes(good.begin(), good.begin() + 20), "short"},
      {"no BM", wrongSignature, "signature"},   {"OS/2 header", with(14, 12), "header of 12 bytes"},
      {"32 bits", MakeBmp({{White}}, 32), "32 bits"}, {"compressed", MakeBmp({{White}}, 24, 1), "compressed"},
      {"top-down", with(22, static_cast<std::uint32_t>(-2)), "top-down"}, {"zero width", with(18, 0), "empty"},
      {"negative width", with(18, 0x80000000u), "empty"}, {"zero height", with(22, 0), "empty"},
      {"too wide", with(18, 16385), "too large"},
      {"a byte of the last row missing", cut(4), "truncated"},
      {"pixels far beyond the end", with(10, 0xFFFFFFF0u), "truncated"},
      {"more rows than stored", with(22, 3), "truncated"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_FALSE(Parse(c.bytes));
    EXPECT_NE(error.find(c.reason), std::string::npos) << error;
  }
  EXPECT_TRUE(Parse(cut(3))) << "the last row's padding may be missing: " << error;
}

TEST_F(LevelImage, LoadReportsOneLineAndBuildsNothing) {
  const std::pair<std::string, std::string> failures[] = {{"/nonexistent/level9.bmp", "cannot open"},
                                                          {testing::TempDir(), "cannot read"}};  // a directory
  for (const auto& [path, reason] : failures) {
    testing::internal::CaptureStdout();
    EXPECT_EQ(LoadLevelImage(5.0f, path), nullptr);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find(path + ": " + reason), std::string::npos) << out;
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 1) << out;
  }

  // Named by process: the same test may be running in another build.
  const std::string path = testing::TempDir() + "sandrift_level_test_" + std::to_string(getpid()) + ".bmp";
  Bytes bmp = MakeBmp({{Yellow, Red}});
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bmp.data()), std::streamsize(bmp.size()));
  auto grid = LoadLevelImage(3.0f, path);
  ASSERT_TRUE(grid);
  EXPECT_EQ(std::tuple(grid->At(1, 0).material, grid->cellSize), std::tuple(LAVA, 3.0f));

  // A gigabyte (sparse) behind a header asking for 64 M cells: refused from the header alone, unread.
  bmp[18] = bmp[22] = 0, bmp[19] = 0x40, bmp[23] = 0x10;  // 16384 x 4096, little-endian
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bmp.data()), 54);
  ASSERT_EQ(truncate(path.c_str(), 1ll << 30), 0);
  testing::internal::CaptureStdout();
  EXPECT_EQ(LoadLevelImage(5.0f, path), nullptr);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "Level image " + path +
                ": image too large: 16384 x 4096 is 67108864 cells, a level may have at most 4194304\n");
  std::remove(path.c_str());
}

}  // namespace
