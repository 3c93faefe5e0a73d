// Drawing each full-window layer of a level only where it can change a pixel
// (render/coverage) must leave every pixel, alpha included, as drawing it
// whole does: the same frames of The Last Dune, shot both ways.
#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "tests/screens/game_run.h"

namespace fs = std::filesystem;

namespace {

TEST(DrawCoverage, EveryPixelIsAsWhenEveryLayerIsDrawnWhole) {
  const fs::path levels = TempPath("coverage_levels");
  fs::create_directories(levels);
  fs::copy_file("Assets/Levels/level18.bmp", levels / "level0.bmp", fs::copy_options::overwrite_existing);
  std::ofstream(levels / "levelNames.txt") << "The Last Dune\n";
  // 1000 x 563 puts cell edges between pixel centres.
  for (const char* window : {"1152x648", "1920x1080", "1000x563"}) {
    Image shots[2][2];
    for (int whole = 0; whole < 2; ++whole) {
      const std::string first = TempPath("coverage_a.png"), second = TempPath("coverage_b.png");
      RunGame({"--state", "1", "--levels", levels.string(), "--window", window, "--fixed-dt", "0.0166667", "--clock",
               "1", "--frames", "121", "--screenshot", "20:" + first, "--screenshot", "120:" + second},
              At(0, "key D press") + At(60, "mouse LEFT press") + At(62, "mouse LEFT release"),
              whole ? "SANDRIFT_DRAW_WHOLE=1" : "");
      shots[whole][0] = LoadPng(first);
      shots[whole][1] = LoadPng(second);
    }
    for (int shot = 0; shot < 2; ++shot) {
      ASSERT_GT(shots[0][shot].width, 0) << window;
      EXPECT_TRUE(shots[0][shot].rgba == shots[1][shot].rgba) << window << ", shot " << shot;
    }
  }
}

}  // namespace
