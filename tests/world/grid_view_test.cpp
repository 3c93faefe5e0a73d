// The grid texture read back from a hidden window (Xvfb + Mesa in CI).
#include <gtest/gtest.h>

#include <tuple>

#include "render/grid_view.h"
#include "tests/render/render_fixture.h"
#include "world/pixel_grid.h"

namespace {

// 320 x 180 window, 32 x 18 texels: every cell is a 10 x 10 pixel block.
constexpr unsigned ViewWidth = 32, ViewHeight = 18;
constexpr int Block = 10;
constexpr int Behind = -1;  // no cell: what was drawn before the grid shows

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

  // The block of view column i, view row j (from the bottom) shows cell (x, y),
  // or the green drawn before the grid.
  void ExpectTexel(int i, int j, int x, int y = 0) const {
    const Rgba p = ReadPixel(i * Block + Block / 2, j * Block + Block / 2);
    const std::tuple<int, int, int> expected = x == Behind ? std::tuple(0, 255, 0) : std::tuple(x * 5, y * 5, 77);
    EXPECT_EQ(std::tuple(int(p.r), int(p.g), int(p.b)), expected) << "texel " << i << ", " << j;
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

// A shaking camera near a level's edge moves the view past the grid; what was
// drawn there a frame before must not show as a second copy of the terrain.
TEST_F(GridViewTest, BeyondTheGridWhatWasDrawnBeforeShowsWhereverTheViewWas) {
  const struct {
    world::ViewOrigin view;
    int i, j;  // a texel beyond the grid, and one inside it with its cell
    int insideI, insideJ, cellX, cellY;
  } cases[] = {
      {{20.0f, 0.0f}, 20, 0, 19, 0, 39, 0},      // past the right edge
      {{20.0f, 20.0f}, 3, 12, 0, 0, 20, 20},     // past the top
      {{-1.5f, -3.0f}, 0, 5, 1, 3, 0, 0},        // truncates to -1: left of and below the grid
      {{-40.0f, 0.0f}, 31, 17, 31, 17, Behind, 0},  // wholly beside it
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "view " << c.view.x << ", " << c.view.y);
    grid.viewOrigin = {0.0f, 0.0f};
    view.DrawGrid(grid);  // every texel once held a cell
    glClearColor(0.0f, 1.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    grid.viewOrigin = c.view;
    view.DrawGrid(grid);
    ExpectTexel(c.i, c.j, Behind);
    ExpectTexel(c.insideI, c.insideJ, c.cellX, c.cellY);
  }
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
