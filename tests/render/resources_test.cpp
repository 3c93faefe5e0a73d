#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "render/resource_manager.h"
#include "tests/render/render_fixture.h"

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

namespace {

const std::string kSeparator = "\n -- --------------------------------------------------- -- \n";

int Count(const std::string& text, const std::string& part) {
  int n = 0;
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

}  // namespace

TEST_F(RenderTest, AMissingShaderFileIsReportedInItsBlockAndTheShaderStillRegistered) {
  const struct { const char *vertex, *geometry, *stage; } cases[] = {
      {"Shaders//no_such_file.vs", nullptr, "VERTEX"}, {kSpriteVs, "Shaders//no_such_file.gs", "GEOMETRY"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stage);
    ResourceManager screen;
    CaptureStdout();
    screen.LoadShader("SpriteShader", c.vertex, kSpriteFs, c.geometry);
    const std::string out = GetCapturedStdout();

    const std::string missing = c.geometry ? c.geometry : c.vertex;
    EXPECT_EQ(out.rfind("ERROR::SHADER::FILE_NOT_SUCCESFULLY_READ\n  " + missing + "\n", 0), 0u) << out;
    // The empty source fails in the driver, and then the link; each block ends in the separator.
    EXPECT_NE(out.find("ERROR::SHADER_COMPILATION_ERROR of type: " + std::string(c.stage) + "\n"), std::string::npos);
    EXPECT_EQ(std::tuple(Count(out, "FILE_NOT_SUCCESFULLY_READ"), Count(out, "SHADER_COMPILATION_ERROR"),
                         Count(out, "PROGRAM_LINKING_ERROR of type: PROGRAM\n"), Count(out, kSeparator)),
              std::tuple(1, 1, 1, 2)) << out;
    EXPECT_NO_THROW(screen.GetShader("SpriteShader"));
  }
}

TEST_F(RenderTest, AShaderCompileErrorPrintsTheDriverLogCutToTheBufferInABlock) {
  std::string source = "#version 330 core\nvoid main() {\n";
  for (int i = 0; i < 200; ++i) source += "  undeclared_" + std::to_string(i) + " = 1;\n";
  CaptureStdout();
  Shader shader(kSpriteVs, WriteFile("long.fs", source + "}\n").c_str());
  const std::string out = GetCapturedStdout();

  const std::string head = "ERROR::SHADER_COMPILATION_ERROR of type: FRAGMENT\n";
  ASSERT_EQ(out.rfind(head, 0), 0u) << out;
  const auto logEnd = out.find(kSeparator);
  ASSERT_NE(logEnd, std::string::npos) << out;
  EXPECT_GE(logEnd - head.size(), 900u) << "one error per line,";
  EXPECT_LE(logEnd - head.size(), 1023u) << "cut to the buffer";
}

TEST_F(RenderTest, AProgramWithoutAUniformTheGameSetsIsNamedAndDrawsNothing) {
  // Declared but never read: the linked program drops it.
  const std::string vertex = WriteFile("shader_sprite.vs",
      "#version 330 core\nlayout (location = 0) in vec3 p;\nuniform mat4 projection, view, model;\nout vec2 TexCoord;\n"
      "uniform vec2 uv_off_scale, uv_off_translate;\nvoid main() { gl_Position = projection * view * model * vec4(p, 1); "
      "TexCoord = uv_off_scale; }\n");
  CaptureStdout();
  const Shader shader(vertex.c_str(), kSpriteFs);
  EXPECT_EQ(GetCapturedStdout(), "Shader program of " + vertex + " " + kSpriteFs +
                                     " lacks uniform vec2 uv_off_translate; it draws nothing\n");
  EXPECT_EQ(glGetUniformLocation(shader.ID, "projection"), -1) << "the stand-in program has none";
}

TEST_F(RenderTest, FirstLoadOfANameWinsInItsOwnManager) {
  ResourceManager screen, other;
  screen.LoadTexture("Button_Cursor_Texture", WritePng(2, 2, 4, std::vector<std::uint8_t>(16, 255)).c_str(), 0);
  Texture* first = screen.GetTexture("Button_Cursor_Texture");
  screen.LoadTexture("Button_Cursor_Texture", WritePng(8, 4, 4, std::vector<std::uint8_t>(128, 255)).c_str(), 4);
  EXPECT_EQ(std::tuple(screen.GetTexture("Button_Cursor_Texture"), first->width), std::tuple(first, 2u));
  EXPECT_THROW(other.GetTexture("Button_Cursor_Texture"), std::out_of_range);
  EXPECT_THROW(screen.GetTexture("button_cursor_texture"), std::out_of_range);

  screen.LoadShader("FontShader", kFontVs, kFontFs, nullptr);
  Shader* shader = screen.GetShader("FontShader");
  CaptureStdout();
  screen.LoadShader("FontShader", "Shaders//gone.vs", "Shaders//gone.fs", nullptr);
  EXPECT_EQ(std::tuple(GetCapturedStdout(), screen.GetShader("FontShader")), std::tuple("", shader))
      << "a known name reads no file";
}

TEST_F(RenderTest, UnloadableImagesAreReportedAndRegisteredEmpty) {
  const std::string missing = (scratch / "missing.png").string();
  ResourceManager screen;
  for (const std::string& path : {missing, WriteFile("garbage.png", "not a picture at all")}) {
    SCOPED_TRACE(path);
    CaptureStdout();
    screen.LoadTexture(path, path.c_str(), 0, 16, 16);
    const std::string out = GetCapturedStdout();
    const std::string head = "ERROR::TEXTURE: Failed to load " + path + ": ";
    EXPECT_EQ(out.rfind(head, 0), 0u) << out;
    EXPECT_GT(out.size(), head.size() + 1) << "a reason is given";
    if (path == missing) { EXPECT_EQ(out, head + "can't fopen\n"); }
    EXPECT_EQ(std::tuple(screen.GetTexture(path)->width, screen.GetTexture(path)->height), std::tuple(0u, 0u));
  }
}

TEST_F(RenderTest, ClearReleasesTheTexturesWhileTheContextLives) {
  ResourceManager screen;
  screen.LoadTexture("CursorTexture", WritePng(1, 1, 4, {1, 2, 3, 255}).c_str(), 0);
  const unsigned int id = screen.GetTexture("CursorTexture")->ID;
  ASSERT_TRUE(glIsTexture(id));
  screen.Clear();
  EXPECT_FALSE(glIsTexture(id));
  EXPECT_THROW(screen.GetTexture("CursorTexture"), std::out_of_range);
}
