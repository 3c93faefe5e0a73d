#include <algorithm>
#include <array>
#include <functional>
#include <memory>
#include <numeric>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "render/glyph.h"
#include "render/text_renderer.h"
#include "tests/render/render_fixture.h"

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

TEST(GlyphLayout, PenAdvancesByWholeScaledPixelsAndQuadsHangFromTheBaseline) {
  GlyphMap glyphs;
  glyphs['A'] = Glyph{1, {30, 40}, {2, 40}, 32 * 64 + 63};  // a fraction short of 33 pixels
  glyphs['B'] = Glyph{2, {20, 40}, {4, 40}, 40 * 64};
  glyphs[' '] = Glyph{3, {0, 0}, {0, 0}, 24 * 64};
  glyphs['p'] = Glyph{4, {24, 48}, {0, 32}, 32 * 64};  // 16 pixels below the baseline

  std::vector<std::array<float, 4>> boxes;  // left, right, bottom, top
  // 0xE9 and 'Z' have no glyph: nothing is drawn for them and the pen stays.
  LayoutText(glyphs, "A\xE9pZ B", 10.0f, 100.0f, 2.0f, [&](const Glyph&, const GlyphQuad& q) {
    std::array<float, 4> box{q[0], q[0], q[1], q[1]};
    for (int v = 0; v < 24; v += 4)
      box = {std::min(box[0], q[v]), std::max(box[1], q[v]), std::min(box[2], q[v + 1]), std::max(box[3], q[v + 1])};
    boxes.push_back(box);
  });
  const std::vector<std::array<float, 4>> expected = {
      {14, 74, 100, 180},   // pen 10, bearing 2 x 2; A advances 2 x 32, the 63/64 dropped
      {74, 122, 68, 164},   // p hangs 2 x 16 below the baseline
      {138, 138, 100, 100},  // the space's quad is empty
      {194, 234, 100, 180},
  };
  EXPECT_EQ(boxes, expected);
}

class TextTest : public RenderTest {
protected:
  void SetUp() override {
    RenderTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    CaptureStdout();
    resources.LoadShader("FontShader", kFontVs, kFontFs);
    SetWindowProjection(*resources.GetShader("FontShader"));
    text = std::make_unique<TextRenderer>(kFontVs, kFontFs);
    text->shader = resources.GetShader("FontShader");
    const bool loaded = text->LoadFont(kFont, "default");
    ASSERT_EQ(GetCapturedStdout(), "");
    ASSERT_TRUE(loaded);
  }
  // Lit pixels in each row, bottom first.
  std::vector<int> LitPerRow() const {
    const std::vector<std::uint8_t> pixels = ReadFramebuffer();
    std::vector<int> lit(kHeight);
    for (int i = 0; i < kWidth * kHeight; ++i) lit[i / kWidth] += pixels[i * 4] != 0;
    return lit;
  }
  // The lowest and highest rows with anything drawn.
  std::pair<int, int> LitRows() const {
    const std::vector<int> lit = LitPerRow();
    const auto any = [](int n) { return n > 0; };
    return {int(std::find_if(lit.begin(), lit.end(), any) - lit.begin()),
            int(lit.rend() - std::find_if(lit.rbegin(), lit.rend(), any)) - 1};
  }
  const Glyph& GlyphOf(char c) const { return text->fonts.at("default").at(c); }

  void ReleaseAfterTheWindow() override {
    text.reset();
    RenderTest::ReleaseAfterTheWindow();
  }

  std::unique_ptr<TextRenderer> text;
};

TEST_F(TextTest, EmptyTextAndAFontNeverLoadedDrawNothing) {
  const std::vector<std::uint8_t> empty = ReadFramebuffer();
  text->RenderText("", 20.0f, 40.0f, 1.0f, glm::vec3(1), "default");
  text->RenderText("HELLO", 20.0f, 40.0f, 1.0f, glm::vec3(1), "never loaded");
  EXPECT_TRUE(ReadFramebuffer() == empty);
}

TEST_F(TextTest, AnOverlongLineDrawsOnlyTheGlyphsInTheWindowAndTheSamePixels) {
  const int advance = int(GlyphOf('W').advance >> 6), inWindow = kWidth / advance + 2;
  const std::string line(1000, 'W');
  GLuint query = 0, triangles = 0;
  glGenQueries(1, &query);
  glBeginQuery(GL_PRIMITIVES_GENERATED, query);
  // From 100 glyphs left of the window, then rows below and above it.
  for (const glm::vec2 at : {glm::vec2(-100 * advance, 60), glm::vec2(0, -80), glm::vec2(0, kHeight + 1)})
    text->RenderText(line, at.x, at.y, 1.0f, glm::vec3(1), "default");
  glEndQuery(GL_PRIMITIVES_GENERATED);
  glGetQueryObjectuiv(query, GL_QUERY_RESULT, &triangles);
  glDeleteQueries(1, &query);
  EXPECT_LE(triangles / 2, GLuint(inWindow)) << "glyphs drawn";
  const std::vector<std::uint8_t> skipping = ReadFramebuffer();
  glClear(GL_COLOR_BUFFER_BIT);
  text->RenderText(line.substr(0, inWindow), float(-advance), 60, 1.0f, glm::vec3(1), "default");
  const std::vector<std::uint8_t> visible = ReadFramebuffer();
  EXPECT_EQ(std::inner_product(visible.begin(), visible.end(), skipping.begin(), 0, std::plus<>(),
                               std::not_equal_to<>()), 0) << "bytes differing from drawing only the glyphs in the window";
}

TEST_F(TextTest, TextSitsUprightOnItsBaselineInItsColour) {
  const Glyph& capital = GlyphOf('A');
  ASSERT_EQ(capital.bearing.y, capital.size.y) << "a capital has no descender";
  text->RenderText("A", 20.0f, 40.0f, 1.0f, glm::vec3(1.0f, 0.0f, 0.6f), "default");
  EXPECT_EQ(LitRows(), std::make_pair(40, 40 + capital.size.y - 1));
  const std::vector<std::uint8_t> pixels = ReadFramebuffer();
  bool fullyCovered = false;
  for (std::size_t i = 0; i < pixels.size(); i += 4) {
    EXPECT_EQ(pixels[i + 1], 0);
    fullyCovered = fullyCovered || (pixels[i] == 255 && pixels[i + 2] == 153);
  }
  EXPECT_TRUE(fullyCovered);

  // Upright: a T's bar is its top row.
  glClear(GL_COLOR_BUFFER_BIT);
  text->RenderText("T", 20.0f, 40.0f, 1.0f, glm::vec3(1, 1, 1), "default");
  const auto [bottom, top] = LitRows();
  EXPECT_GT(LitPerRow()[top], 2 * LitPerRow()[bottom]);
}

TEST_F(TextTest, MissingFontIsReportedAndALoadedNameKeepsItsFont) {
  const unsigned int firstA = GlyphOf('A').textureID;
  CaptureStdout();
  EXPECT_FALSE(text->LoadFont("Assets//no_such_font.ttf", "other"));
  EXPECT_FALSE(text->fonts.contains("other"));
  EXPECT_EQ(GetCapturedStdout(), "ERROR::FREETYPE: Failed to load font\n  Assets//no_such_font.ttf\n");

  CaptureStdout();
  EXPECT_TRUE(text->LoadFont("Assets//no_such_font.ttf", "default"));
  EXPECT_EQ(std::tuple(GetCapturedStdout(), GlyphOf('A').textureID), std::tuple("", firstA)) << "a loaded name";
  EXPECT_EQ(text->fonts.at("default").size(), 128u);
}

TEST_F(TextTest, TheGlyphQuadGoesWithItsLastOwner) {
  std::optional<GlyphQuadBuffers> first(std::in_place), second(std::in_place), third;
  const unsigned int array = first->VertexArray(), replaced = second->VertexArray();
  third.emplace(std::move(*first));
  first.reset();
  EXPECT_TRUE(glIsVertexArray(array)) << "a moved-from owner deletes nothing";
  *second = std::move(*third);
  EXPECT_FALSE(glIsVertexArray(replaced)) << "the array it held before";
  third.reset();
  EXPECT_TRUE(glIsVertexArray(array));
  second.reset();
  EXPECT_FALSE(glIsVertexArray(array));
}
