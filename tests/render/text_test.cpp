#include <algorithm>
#include <array>
#include <memory>
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

TEST_F(TextTest, DrawsEachCharacterAtThePenAsItAdvances) {
  const std::vector<std::uint8_t> empty = ReadFramebuffer();
  const glm::vec3 white(255, 255, 255);  // components above 1 saturate
  text->RenderText("AB", 10.0f, 60.0f, 2.0f, white, "default");
  const std::vector<std::uint8_t> together = ReadFramebuffer();
  ASSERT_NE(together, empty);

  glClear(GL_COLOR_BUFFER_BIT);
  text->RenderText("A", 10.0f, 60.0f, 2.0f, white, "default");
  text->RenderText("B", 10.0f + 2.0f * float(GlyphOf('A').advance >> 6), 60.0f, 2.0f, white, "default");
  EXPECT_TRUE(ReadFramebuffer() == together);


  glClear(GL_COLOR_BUFFER_BIT);
  text->RenderText("", 20.0f, 40.0f, 1.0f, white, "default");
  text->RenderText("HELLO", 20.0f, 40.0f, 1.0f, white, "never loaded");
  EXPECT_TRUE(ReadFramebuffer() == empty);
}

TEST_F(TextTest, AnOverlongLineDrawsOnlyTheGlyphsInTheWindow) {
  GLuint query = 0;
  glGenQueries(1, &query);
  const auto glyphsDrawn = [&](auto&& draw) {
    glBeginQuery(GL_PRIMITIVES_GENERATED, query);
    draw();
    glEndQuery(GL_PRIMITIVES_GENERATED);
    GLuint triangles = 0;
    glGetQueryObjectuiv(query, GL_QUERY_RESULT, &triangles);
    return int(triangles) / 2;
  };
  const float advance = float(GlyphOf('W').advance >> 6);
  const std::string line(1000, 'W');
  const glm::vec3 white(1, 1, 1);
  // Starting 100 glyphs left of the window, then a row below it and one above.
  const struct { float x, y; int draws; } cases[] = {{-100 * advance, 60, kWidth / int(advance) + 2}, {0, -80, 0},
                                                    {0, kHeight + 1, 0}};
  for (const auto& c : cases)
    EXPECT_LE(glyphsDrawn([&] { text->RenderText(line, c.x, c.y, 1.0f, white, "default"); }), c.draws)
        << "at " << c.x << ", " << c.y;
  glDeleteQueries(1, &query);
  const std::vector<std::uint8_t> skipping = ReadFramebuffer();

  // The same pixels as drawing only the glyphs from one left of the window on.
  glClear(GL_COLOR_BUFFER_BIT);
  text->RenderText(line.substr(0, kWidth / int(advance) + 2), -advance, 60, 1.0f, white, "default");
  const std::vector<std::uint8_t> visible = ReadFramebuffer();
  ASSERT_EQ(skipping.size(), visible.size());
  int differing = 0;
  for (std::size_t i = 0; i < visible.size(); ++i) differing += skipping[i] != visible[i];
  EXPECT_EQ(differing, 0);
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
  EXPECT_FALSE(text->LoadFont("Assets//no_such_font.ttf", "other") || text->fonts.contains("other"));
  EXPECT_EQ(GetCapturedStdout(), "ERROR::FREETYPE: Failed to load font\n  Assets//no_such_font.ttf\n");

  CaptureStdout();
  EXPECT_TRUE(text->LoadFont("Assets//no_such_font.ttf", "default"));
  EXPECT_TRUE(GetCapturedStdout().empty() && GlyphOf('A').textureID == firstA) << "a loaded name opens no file";
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
