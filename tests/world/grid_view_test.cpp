// The grid texture read back from a hidden window (Xvfb + Mesa in CI).
#include <gtest/gtest.h>

#include "render/grid_view.h"
#include "tests/render/render_fixture.h"
#include "world/pixel_grid.h"

namespace {

// 320 x 180 window, 32 x 18 texels: every cell is a 10 x 10 pixel block.
constexpr unsigned ViewWidth = 32, ViewHeight = 18;
constexpr int Block = 10;
constexpr int Red = -1;  // the texture's colour where no cell was ever drawn

class GridViewTest : public RenderTest {
protected:
  void SetUp() override {
    RenderTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    resources.LoadShader("GridShader", "Shaders//shader_texture.vs", "Shaders//shader_texture.fs");
    shader = resources.GetShader("GridShader");
    view.CreateGridView(shader, ViewWidth, ViewHeight);
    // Each cell's colour names its coordinates.
    for (int x = 0; x < static_cast<int>(grid.width); ++x)
      for (int y = 0; y < static_cast<int>(grid.height); ++y)
        grid.At(x, y).colour = {static_cast<std::uint8_t>(x * 5), static_cast<std::uint8_t>(y * 5), 77, 255};
  }
  void TearDown() override {
    view.FreeGridView();
    RenderTest::TearDown();
  }

  // The block of view column i, view row j (from the bottom) shows cell (x, y), or red.
  void ExpectTexel(int i, int j, int x, int y = 0) const {
    const Rgba p = ReadPixel(i * Block + Block / 2, j * Block + Block / 2);
    SCOPED_TRACE(testing::Message() << "texel " << i << ", " << j);
    EXPECT_EQ(Rgb(p), x == Red ? std::tuple(255, 0, 0) : std::tuple(x * 5, y * 5, 77));
  }

  Shader* shader = nullptr;
  GridView view;
  world::PixelGrid grid{40, 30, 10.0f};
};

TEST_F(GridViewTest, ShowsTheViewInWholeCellsBottomRowAtTheBottom) {
  view.DrawGrid(grid);
  ExpectTexel(0, 0, 0, 0);
  ExpectTexel(31, 17, 31, 17);
  const Rgba a = ReadPixel(10, 10), b = ReadPixel(19, 19);  // corners of one sharp block
  EXPECT_EQ(Rgb(a), Rgb(b));
  grid.viewOrigin = {2.9f, 1.7f};
  view.DrawGrid(grid);
  ExpectTexel(5, 3, 7, 4);
}

TEST_F(GridViewTest, TexelsBeyondTheGridAreRedUntilACellIsDrawnThere) {
  grid.viewOrigin = {20.0f, 0.0f};
  view.DrawGrid(grid);
  ExpectTexel(19, 0, 39, 0);
  ExpectTexel(20, 0, Red);
  ExpectTexel(31, 17, Red);

  grid.viewOrigin = {0.0f, 0.0f};
  view.DrawGrid(grid);
  grid.viewOrigin = {20.0f, 20.0f};  // beyond the right and the top: the rest is kept
  view.DrawGrid(grid);
  ExpectTexel(0, 0, 20, 20);
  ExpectTexel(25, 3, 25, 3);
  ExpectTexel(3, 12, 3, 12);

  grid.viewOrigin = {-1.5f, -3.0f};  // truncates to -1: one column left of the grid
  GridView fresh;
  fresh.CreateGridView(shader, ViewWidth, ViewHeight);
  fresh.DrawGrid(grid);
  ExpectTexel(0, 5, Red);
  ExpectTexel(5, 2, Red);
  ExpectTexel(1, 3, 0, 0);
}

TEST_F(GridViewTest, ClearCellsShowWhatWasDrawnBeforeAndWaterTints) {
  grid.ClearCell(0, 0);
  grid.SetCell(1, 0, world::WATER, 0.0f, 0.0f, false);
  glClearColor(0.0f, 1.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  view.DrawGrid(grid);
  const Rgba clear = ReadPixel(Block / 2, Block / 2), water = ReadPixel(Block + Block / 2, Block / 2);
  EXPECT_EQ(Rgb(clear), std::tuple(0, 255, 0));
  EXPECT_NEAR(water.r, 44, 2);  // 112, 141, 249 at 100 / 255 over green
  EXPECT_NEAR(water.g, 210, 2);
  EXPECT_NEAR(water.b, 98, 2);
}

}  // namespace
