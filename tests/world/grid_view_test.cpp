// The grid texture read back from a hidden window (Xvfb + Mesa in CI).
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "render/grid_view.h"
#include "render/shader.h"
#include "render/sprite_renderer.h"
#include "tests/support/gl_context.h"
#include "world/pixel_grid.h"

using world::PixelGrid;

namespace {

// 320 x 180 window, 32 x 18 texels: every cell is a 10 x 10 pixel block.
constexpr unsigned ViewWidth = 32;
constexpr unsigned ViewHeight = 18;
constexpr int Block = 10;

class GridViewTest : public GlTest {
protected:
  void SetUp() override {
    GlTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    InitRenderData(&glyphVAO, &glyphVBO);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    shader = std::make_unique<Shader>("Shaders//shader_texture.vs", "Shaders//shader_texture.fs");
    view.CreateGridView(shader.get(), ViewWidth, ViewHeight);
    // Each cell's colour names its coordinates.
    for (int x = 0; x < static_cast<int>(grid.width); ++x)
      for (int y = 0; y < static_cast<int>(grid.height); ++y)
        grid.At(x, y).colour = {static_cast<std::uint8_t>(x * 5), static_cast<std::uint8_t>(y * 5), 77, 255};
  }
  void TearDown() override {
    view.FreeGridView();
    shader.reset();
    GlTest::TearDown();
  }

  // The pixel in the middle of the block of view column i, view row j (from the bottom).
  Rgba Texel(int i, int j) const { return ReadPixel(i * Block + Block / 2, j * Block + Block / 2); }
  static void ExpectCell(Rgba p, int x, int y) {
    EXPECT_EQ(p.r, x * 5) << "cell x";
    EXPECT_EQ(p.g, y * 5) << "cell y";
    EXPECT_EQ(p.b, 77);
  }
  static void ExpectRed(Rgba p) {
    EXPECT_EQ(p.r, 255);
    EXPECT_EQ(p.g, 0);
    EXPECT_EQ(p.b, 0);
  }

  unsigned glyphVAO = 0, glyphVBO = 0;
  std::unique_ptr<Shader> shader;
  GridView view;
  PixelGrid grid{40, 30, 10.0f};
};

TEST_F(GridViewTest, BottomRowOfTheViewIsDrawnAtTheBottom) {
  view.DrawGrid(grid);
  ExpectCell(Texel(0, 0), 0, 0);
  ExpectCell(Texel(0, 17), 0, 17);
  ExpectCell(Texel(31, 0), 31, 0);
  ExpectCell(Texel(31, 17), 31, 17);
  // Sharp blocks: both corners of one block show the same cell.
  const Rgba a = ReadPixel(10, 10), b = ReadPixel(19, 19);
  EXPECT_EQ(a.r, b.r);
  EXPECT_EQ(a.g, b.g);
}

TEST_F(GridViewTest, ViewMovesInWholeCells) {
  grid.viewOrigin = {2.9f, 1.7f};
  view.DrawGrid(grid);
  ExpectCell(Texel(0, 0), 2, 1);
  ExpectCell(Texel(5, 3), 7, 4);
}

TEST_F(GridViewTest, TexelsBeyondTheGridAreRedUntilACellIsDrawnThere) {
  grid.viewOrigin = {20.0f, 0.0f};
  view.DrawGrid(grid);
  ExpectCell(Texel(19, 0), 39, 0);
  ExpectRed(Texel(20, 0));
  ExpectRed(Texel(31, 17));

  grid.viewOrigin = {0.0f, 0.0f};
  view.DrawGrid(grid);
  grid.viewOrigin = {20.0f, 20.0f};  // now beyond the right and the top
  view.DrawGrid(grid);
  ExpectCell(Texel(0, 0), 20, 20);
  ExpectCell(Texel(25, 3), 25, 3);  // kept from the earlier frame
  ExpectCell(Texel(3, 12), 3, 12);

  grid.viewOrigin = {-1.5f, -3.0f};  // truncates to -1: one column left of the grid
  GridView fresh;
  fresh.CreateGridView(shader.get(), ViewWidth, ViewHeight);
  fresh.DrawGrid(grid);
  ExpectRed(Texel(0, 5));
  ExpectRed(Texel(5, 2));
  ExpectCell(Texel(1, 3), 0, 0);
}

TEST_F(GridViewTest, ClearCellsShowWhatWasDrawnBeforeAndWaterTints) {
  grid.ClearCell(0, 0);
  grid.SetCell(1, 0, world::WATER, 0.0f, 0.0f, false);
  glClearColor(0.0f, 1.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  view.DrawGrid(grid);
  const Rgba clear = Texel(0, 0);
  EXPECT_EQ(clear.r, 0);
  EXPECT_EQ(clear.g, 255);
  const Rgba water = Texel(1, 0);  // 112, 141, 249 at 100 / 255 over green
  EXPECT_NEAR(water.r, 44, 2);
  EXPECT_NEAR(water.g, 210, 2);
  EXPECT_NEAR(water.b, 98, 2);
}

}  // namespace
