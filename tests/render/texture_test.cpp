#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "render/shader.h"
#include "render/sprite_renderer.h"
#include "render/texture.h"
#include "tests/render/render_fixture.h"

TEST(SheetFrame, SelectsOneCellOfAHorizontalSheet) {
  const SheetWindow third = SheetFrame(4, 2);
  EXPECT_EQ(third.scale, glm::vec2(0.25f, 1.0f));
  EXPECT_EQ(third.translate, glm::vec2(0.5f, 0.0f));

  // One past the last cell wraps round to cell 0 through repeat wrapping.
  EXPECT_EQ(SheetFrame(4, 4).translate, glm::vec2(1.0f, 0.0f));
}

TEST(SheetFrame, StillImageShowsTheWholePictureForAnyIndex) {
  for (unsigned int index : {0u, 1u, 5u, 0xFFFFFFFFu}) {
    const SheetWindow whole = SheetFrame(0, index);
    EXPECT_EQ(whole.scale, glm::vec2(1.0f, 1.0f)) << index;
    EXPECT_EQ(whole.translate, glm::vec2(0.0f, 0.0f)) << index;
  }
}

class TextureDrawTest : public RenderTest {
protected:
  void SetUp() override {
    RenderTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    sprite = std::make_unique<Shader>(kSpriteVs, kSpriteFs);
    SetWindowProjection(*sprite);
  }
  void TearDown() override {
    sprite.reset();
    RenderTest::TearDown();
  }
  void DrawStill(Texture& texture, glm::vec2 position, glm::vec2 size) {
    SpriteRenderer(sprite.get(), &texture, 0, 0xFFFFFFFFu, 0.04167f, false, false)
        .DrawSprite(glm::vec2(0.0f), position, size, 0.0f);
  }
  std::unique_ptr<Shader> sprite;
};

TEST_F(TextureDrawTest, NearestFilteringScalesTexelsToHardBlocks) {
  // Every texel of a 16 x 16 image has its own colour: red from x, green from y.
  std::vector<std::uint8_t> pixels;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) pixels.insert(pixels.end(), {std::uint8_t(x * 16), std::uint8_t(y * 16), 77, 255});
  Texture texture(0, 0, 0);
  ASSERT_TRUE(texture.LoadFromFile(WritePng("grid.png", 16, 16, 4, pixels).c_str()));

  DrawStill(texture, glm::vec2(160, 90), glm::vec2(32, 32));  // 64 x 64 pixels from (128, 58)

  for (int py = 58; py < 122; ++py) {
    for (int px = 128; px < 192; ++px) {
      const int texelX = (px - 128) / 4;
      const int texelY = (121 - py) / 4;  // the first image row is the top
      const Rgba got = ReadPixel(px, py);
      ASSERT_TRUE(Same(got, texelX * 16, texelY * 16, 77))
          << "pixel " << px << "," << py << " got " << int(got.r) << "," << int(got.g) << "," << int(got.b);
    }
  }
}

TEST_F(TextureDrawTest, RgbImageIsOpaqueAndTransparentTexelsShowWhatIsBehind) {
  glClearColor(0, 0, 1, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  Texture rgb(0, 0, 0);
  ASSERT_TRUE(rgb.LoadFromFile(WritePng("rgb.png", 1, 1, 3, {200, 10, 20}).c_str()));
  Texture cutout(0, 0, 0);
  ASSERT_TRUE(cutout.LoadFromFile(WritePng("cutout.png", 2, 1, 4, {0, 255, 0, 0, 0, 255, 0, 255}).c_str()));

  DrawStill(rgb, glm::vec2(60, 90), glm::vec2(10, 10));
  DrawStill(cutout, glm::vec2(200, 90), glm::vec2(20, 10));

  EXPECT_TRUE(Same(ReadPixel(60, 90), 200, 10, 20));
  EXPECT_TRUE(Same(ReadPixel(190, 90), 0, 0, 255)) << "alpha 0 left half";
  EXPECT_TRUE(Same(ReadPixel(210, 90), 0, 255, 0));
}

TEST_F(TextureDrawTest, SheetCellFollowsTheCurrentFrame) {
  const std::uint8_t cells[4][3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 0}};
  std::vector<std::uint8_t> pixels;  // 4 cells of 2 x 2 side by side
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 8; ++x) pixels.insert(pixels.end(), {cells[x / 2][0], cells[x / 2][1], cells[x / 2][2], 255});
  Texture sheet(4, 0, 0);
  ASSERT_TRUE(sheet.LoadFromFile(WritePng("sheet.png", 8, 2, 4, pixels).c_str()));
  SpriteRenderer smoke(sprite.get(), &sheet, 4, 0, 0.1f, true, false);

  // Frame k shows cell k + 1; the last frame shows cell 0.
  for (unsigned int frame = 0; frame < 4; ++frame) {
    smoke.currentFrame = frame;
    smoke.DrawSprite(glm::vec2(0.0f), glm::vec2(40.0f + 60.0f * frame, 90.0f), glm::vec2(20, 20), 0.0f);
    const auto& want = cells[(frame + 1) % 4];
    for (int dx : {-19, 0, 19})
      for (int dy : {-19, 0, 19})
        EXPECT_TRUE(Same(ReadPixel(40 + 60 * frame + dx, 90 + dy), want[0], want[1], want[2]))
            << "frame " << frame << " at offset " << dx << "," << dy;
  }
}

TEST_F(TextureDrawTest, StillSpriteDrawsTheWholeImageWhateverItsFrame) {
  Texture halves(0, 0, 0);
  ASSERT_TRUE(halves.LoadFromFile(WritePng("halves.png", 2, 1, 4, {255, 0, 0, 255, 0, 255, 0, 255}).c_str()));
  SpriteRenderer still(sprite.get(), &halves, 0, 3, 0.04167f, true, false);

  still.DrawSprite(glm::vec2(0.0f), glm::vec2(160, 90), glm::vec2(40, 20), 0.0f);

  EXPECT_TRUE(Same(ReadPixel(121, 90), 255, 0, 0));
  EXPECT_TRUE(Same(ReadPixel(159, 90), 255, 0, 0));
  EXPECT_TRUE(Same(ReadPixel(161, 90), 0, 255, 0));
  EXPECT_TRUE(Same(ReadPixel(198, 90), 0, 255, 0));
}

TEST_F(TextureDrawTest, TextureProgramFillsTheWindowUpright) {
  // Corners: red top-left, green top-right, blue bottom-left, white bottom-right.
  Texture background(0, 0, 0);
  ASSERT_TRUE(background
                  .LoadFromFile(WritePng("corners.png", 2, 2, 4,
                                         {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 255, 255})
                                    .c_str()));
  Shader program(kTextureVs, kTextureFs);
  SetWindowProjection(program);

  SpriteRenderer(&program, &background, 0, 0xFFFFFFFFu, 0.04167f, false, false)
      .DrawSprite(glm::vec2(0.0f), glm::vec2(0.0f), glm::vec2(1.0f), 0.0f);

  EXPECT_TRUE(Same(ReadPixel(0, kHeight - 1), 255, 0, 0));
  EXPECT_TRUE(Same(ReadPixel(kWidth - 1, kHeight - 1), 0, 255, 0));
  EXPECT_TRUE(Same(ReadPixel(0, 0), 0, 0, 255));
  EXPECT_TRUE(Same(ReadPixel(kWidth - 1, 0), 255, 255, 255));
}
