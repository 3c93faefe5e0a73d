#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>

#include "tests/world/bmp_builder.h"
#include "world/level_image.h"
#include "world/world_random.h"

using namespace world;
using namespace testbmp;

namespace {

long long clockSeconds = 0;
long long TestClock() { return clockSeconds; }

class LevelImage : public ::testing::Test {
protected:
  void SetUp() override { SetClock(&TestClock); }
  void TearDown() override { SetClock(nullptr); }

  std::unique_ptr<PixelGrid> Parse(const std::vector<std::uint8_t>& bytes) {
    error.clear();
    return ParseLevelImage(bytes, 5.0f, error);
  }
  std::string error;
};

TEST_F(LevelImage, ReadsMaterialsBottomRowFirst) {
  auto grid = Parse(MakeBmp({{Yellow, Black, Blue, Red}, {White, White, White, White}}));
  ASSERT_TRUE(grid) << error;
  EXPECT_EQ(grid->width, 4u);
  EXPECT_EQ(grid->height, 2u);
  EXPECT_EQ(grid->cellSize, 5.0f);
  EXPECT_EQ(grid->gridScale, 4.0f / 384.0f);
  EXPECT_EQ(grid->At(0, 0).material, SAND);
  EXPECT_EQ(grid->At(1, 0).material, STONE);
  EXPECT_EQ(grid->At(2, 0).material, WATER);
  EXPECT_EQ(grid->At(3, 0).material, LAVA);
  for (int x = 0; x < 4; ++x) {
    EXPECT_EQ(grid->At(x, 1).material, CLEAR);
    EXPECT_EQ(grid->At(x, 1).colour, (Rgba{0, 0, 0, 0}));
  }
  EXPECT_EQ(grid->At(2, 0).colour, (Rgba{112, 141, 249, 100}));
  EXPECT_EQ(grid->viewOrigin.x, 0.0f);

  auto more = Parse(MakeBmp({{Grey, Cyan}}));
  ASSERT_TRUE(more);
  EXPECT_EQ(more->At(0, 0).material, OBSIDIAN);
  EXPECT_EQ(more->At(1, 0).material, ICE);
}

TEST_F(LevelImage, SkipsRowPaddingOfOddWidths) {
  // 3 pixels = 9 bytes per row, then 3 padding bytes that would read as lava.
  auto grid = Parse(MakeBmp({{White, White, Yellow}, {Blue, White, White}}));
  ASSERT_TRUE(grid) << error;
  EXPECT_EQ(grid->At(2, 0).material, SAND);
  EXPECT_EQ(grid->At(0, 1).material, WATER);
  EXPECT_EQ(grid->At(1, 1).material, CLEAR);
  for (const Cell& c : grid->cells) EXPECT_NE(c.material, LAVA);
}

TEST_F(LevelImage, MarkersBecomeEmptyCellsInScanOrder) {
  const Rgb health{255, 0, 255}, bat{51, 204, 255}, melee{102, 102, 102}, rifle{102, 102, 153},
      rocket{153, 102, 102}, gunner{102, 153, 102};
  auto grid = Parse(MakeBmp({
      {Treasure, PlayerStart, health, bat},
      {melee, rifle, rocket, gunner},
      {Treasure, White, PlayerStart, Treasure},
  }));
  ASSERT_TRUE(grid) << error;
  EXPECT_EQ(grid->playerSpawn, (CellPos{2, 2})) << "the last start pixel scanned wins";
  EXPECT_TRUE(grid->playerSpawnFound);
  EXPECT_EQ(grid->treasureMarkers, (std::vector<CellPos>{{0, 0}, {0, 2}, {3, 2}}));
  EXPECT_EQ(grid->healthMarkers, (std::vector<CellPos>{{2, 0}}));
  EXPECT_EQ(grid->batMarkers, (std::vector<CellPos>{{3, 0}}));
  EXPECT_EQ(grid->meleeMarkers, (std::vector<CellPos>{{0, 1}}));
  EXPECT_EQ(grid->rifleMarkers, (std::vector<CellPos>{{1, 1}}));
  EXPECT_EQ(grid->rocketMarkers, (std::vector<CellPos>{{2, 1}}));
  EXPECT_EQ(grid->gunnerMarkers, (std::vector<CellPos>{{3, 1}}));
  for (const Cell& c : grid->cells) EXPECT_EQ(c.material, CLEAR);

  auto noStart = Parse(MakeBmp({{White}}));
  ASSERT_TRUE(noStart);
  EXPECT_EQ(noStart->playerSpawn, (CellPos{0, 0}));
  EXPECT_FALSE(noStart->playerSpawnFound);
}

TEST_F(LevelImage, NearColoursAreEmptySpace) {
  auto grid = Parse(MakeBmp({{{101, 0, 0}, {254, 0, 0}, {0, 0, 254}, {255, 0, 1}, {1, 0, 0},
                              {255, 255, 1}, {0, 201, 200}, {127, 128, 128}, {0, 101, 0}}}));
  ASSERT_TRUE(grid) << error;
  for (const Cell& c : grid->cells) EXPECT_EQ(c.material, CLEAR);
  EXPECT_TRUE(grid->treasureMarkers.empty());
  EXPECT_EQ(grid->playerSpawn, (CellPos{0, 0}));
}

TEST_F(LevelImage, DarkStonesFollowTheClockSeed) {
  const std::vector<Rgb> row(200, Black);
  const auto bmp = MakeBmp({row, row});
  auto darkPattern = [&](long long seconds) {
    clockSeconds = seconds;
    auto grid = Parse(bmp);
    std::vector<int> dark;
    for (const Cell& c : grid->cells) {
      EXPECT_EQ(c.colour, c.dark ? DarkStoneColour : BaseColour(STONE));
      dark.push_back(c.dark);
    }
    return dark;
  };
  const auto first = darkPattern(42);
  EXPECT_EQ(first, darkPattern(42)) << "the same second gives the same stones";
  EXPECT_NE(first, darkPattern(43));
  int count = 0;
  for (int d : first) count += d;
  EXPECT_GT(count, 15);  // about one in ten of 400
  EXPECT_LT(count, 70);

  // One draw per black pixel only: the first pixel's shade is the first draw.
  clockSeconds = 7;
  world::srand(7);
  const bool firstDark = world::rand() % 10 == 0;
  world::srand(7);
  world::rand();
  const bool secondDark = world::rand() % 10 == 0;
  auto grid = Parse(MakeBmp({{Yellow, Black, Blue, Black}}));
  EXPECT_EQ(grid->At(1, 0).dark != 0, firstDark);
  EXPECT_EQ(grid->At(3, 0).dark != 0, secondDark);
}

TEST_F(LevelImage, RefusesHostileHeaders) {
  const auto good = MakeBmp({{White, Black}, {Black, White}});
  ASSERT_TRUE(Parse(good));

  EXPECT_FALSE(Parse({}));
  EXPECT_FALSE(Parse(std::vector<std::uint8_t>(good.begin(), good.begin() + 20)));
  EXPECT_NE(error.find("short"), std::string::npos) << error;

  auto wrongSignature = good;
  wrongSignature[0] = 'P';
  EXPECT_FALSE(Parse(wrongSignature));
  EXPECT_NE(error.find("signature"), std::string::npos) << error;

  auto os2 = good;
  Put32(os2, 14, 12);
  EXPECT_FALSE(Parse(os2));
  EXPECT_NE(error.find("header of 12 bytes"), std::string::npos) << error;

  EXPECT_FALSE(Parse(MakeBmp({{White, Black}}, 32)));
  EXPECT_NE(error.find("32 bits"), std::string::npos) << error;

  EXPECT_FALSE(Parse(MakeBmp({{White, Black}}, 24, 1)));
  EXPECT_NE(error.find("compressed"), std::string::npos) << error;

  auto topDown = good;
  Put32(topDown, 22, static_cast<std::uint32_t>(-2));
  EXPECT_FALSE(Parse(topDown));
  EXPECT_NE(error.find("top-down"), std::string::npos) << error;

  for (std::uint32_t bad : {0u, 0x80000000u}) {
    auto zeroWidth = good;
    Put32(zeroWidth, 18, bad);
    EXPECT_FALSE(Parse(zeroWidth));
    auto zeroHeight = good;
    Put32(zeroHeight, 22, 0);
    EXPECT_FALSE(Parse(zeroHeight));
    EXPECT_NE(error.find("empty"), std::string::npos) << error;
  }

  auto huge = good;
  Put32(huge, 18, 16385);
  EXPECT_FALSE(Parse(huge));
  EXPECT_NE(error.find("too large"), std::string::npos) << error;
  Put32(huge, 18, 16384);
  Put32(huge, 22, 16384);  // each side allowed, but 256 M cells are not
  EXPECT_FALSE(Parse(huge));
  EXPECT_NE(error.find("too large"), std::string::npos) << error;
}

TEST_F(LevelImage, RefusesFilesShorterThanTheirRows) {
  const auto good = MakeBmp({{White, Black, Blue}, {Black, White, Red}});  // rows of 12 bytes
  // The last row's padding may be missing; one byte of its pixels may not.
  EXPECT_TRUE(Parse(std::vector<std::uint8_t>(good.begin(), good.end() - 3))) << error;
  EXPECT_FALSE(Parse(std::vector<std::uint8_t>(good.begin(), good.end() - 4)));
  EXPECT_NE(error.find("truncated"), std::string::npos) << error;

  auto farOffset = good;
  Put32(farOffset, 10, 0xFFFFFFF0u);
  EXPECT_FALSE(Parse(farOffset));
  auto tall = good;
  Put32(tall, 22, 3);
  EXPECT_FALSE(Parse(tall));
}

TEST_F(LevelImage, LoadReportsOneLineAndBuildsNothing) {
  const std::string missing = "/nonexistent/level9.bmp";
  testing::internal::CaptureStdout();
  EXPECT_EQ(LoadLevelImage(5.0f, missing), nullptr);
  const std::string out = testing::internal::GetCapturedStdout();
  EXPECT_NE(out.find(missing), std::string::npos) << out;
  EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 1) << out;

  testing::internal::CaptureStdout();
  EXPECT_EQ(LoadLevelImage(5.0f, testing::TempDir()), nullptr) << "a directory is not a level";
  EXPECT_NE(testing::internal::GetCapturedStdout().find("cannot read"), std::string::npos);

  const std::string path = testing::TempDir() + "sandrift_level_test.bmp";
  const auto bmp = MakeBmp({{Yellow, Red}});
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bmp.data()),
                                               static_cast<std::streamsize>(bmp.size()));
  auto grid = LoadLevelImage(3.0f, path);
  ASSERT_TRUE(grid);
  EXPECT_EQ(grid->At(1, 0).material, LAVA);
  EXPECT_EQ(grid->cellSize, 3.0f);
  std::remove(path.c_str());
}

}  // namespace
