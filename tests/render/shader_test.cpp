#include <string>

#include <gtest/gtest.h>

#include "render/resource_manager.h"
#include "render/shader.h"
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

bool Linked(const Shader& shader) {
  GLint status = 0;
  glGetProgramiv(shader.ID, GL_LINK_STATUS, &status);
  return status != 0;
}

}  // namespace

using ShaderTest = RenderTest;

TEST_F(ShaderTest, ShippedProgramsBuildSilently) {
  const char* pairs[][2] = {{kSpriteVs, kSpriteFs}, {kTextureVs, kTextureFs}, {kFontVs, kFontFs}};
  for (const auto& pair : pairs) {
    CaptureStdout();
    Shader shader(pair[0], pair[1], nullptr);
    EXPECT_EQ(GetCapturedStdout(), "") << pair[0];
    EXPECT_NE(shader.ID, 0u);
    EXPECT_TRUE(Linked(shader)) << pair[0];
  }
}

TEST_F(ShaderTest, MissingFileIsReportedOnceAndStillRegistered) {
  ResourceManager resources;
  CaptureStdout();
  resources.LoadShader("SpriteShader", "Shaders//no_such_file.vs", kSpriteFs, nullptr);
  const std::string out = GetCapturedStdout();

  EXPECT_EQ(Count(out, "ERROR::SHADER::FILE_NOT_SUCCESFULLY_READ\n"), 1) << out;
  EXPECT_NE(out.find("Shaders//no_such_file.vs"), std::string::npos) << out;
  // The empty vertex source fails in the driver; every such block ends in the separator.
  EXPECT_NE(out.find("ERROR::SHADER_COMPILATION_ERROR of type: VERTEX\n"), std::string::npos) << out;
  EXPECT_NE(out.find("ERROR::PROGRAM_LINKING_ERROR of type: PROGRAM\n"), std::string::npos) << out;
  EXPECT_EQ(Count(out, kSeparator),
            Count(out, "ERROR::SHADER_COMPILATION_ERROR") + Count(out, "ERROR::PROGRAM_LINKING_ERROR"));

  const Shader* shader = resources.GetShader("SpriteShader");
  ASSERT_NE(shader, nullptr);
  EXPECT_NE(shader->ID, 0u);
  EXPECT_FALSE(Linked(*shader));
}

TEST_F(ShaderTest, CompileErrorPrintsTheDriverLogInABlock) {
  const std::string broken = WriteFile("broken.fs", "#version 330 core\nvoid main() { oops }\n");
  CaptureStdout();
  Shader shader(kSpriteVs, broken.c_str());
  const std::string out = GetCapturedStdout();

  const std::string head = "ERROR::SHADER_COMPILATION_ERROR of type: FRAGMENT\n";
  ASSERT_EQ(out.rfind(head, 0), 0u) << out;
  const auto blockEnd = out.find(kSeparator);
  ASSERT_NE(blockEnd, std::string::npos) << out;
  EXPECT_GT(blockEnd, head.size()) << "the driver's log sits between heading and separator";
  EXPECT_EQ(out.find("FILE_NOT_SUCCESFULLY_READ"), std::string::npos);
}

TEST_F(ShaderTest, UndeclaredUniformIsIgnoredSilently) {
  Shader background(kTextureVs, kTextureFs);
  CaptureStdout();
  SetWindowProjection(background);
  background.SetVector2f("uv_off_scale", glm::vec2(0.5f, 1.0f));
  EXPECT_EQ(GetCapturedStdout(), "");
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(ShaderTest, LongCompileLogIsCutToTheBuffer) {
  std::string source = "#version 330 core\nvoid main() {\n";
  for (int i = 0; i < 200; ++i) source += "  undeclared_" + std::to_string(i) + " = 1;\n";
  const std::string broken = WriteFile("long.fs", source + "}\n");
  CaptureStdout();
  Shader shader(kSpriteVs, broken.c_str());
  const std::string out = GetCapturedStdout();

  const std::string head = "ERROR::SHADER_COMPILATION_ERROR of type: FRAGMENT\n";
  ASSERT_EQ(out.rfind(head, 0), 0u) << out;
  const std::size_t logLength = out.find(kSeparator) - head.size();
  EXPECT_GE(logLength, 900u) << "the driver reports one error per line";
  EXPECT_LE(logLength, 1023u);
}

TEST_F(ShaderTest, GivenGeometryStageIsReadAndCompiledToo) {
  CaptureStdout();
  Shader shader(kSpriteVs, kSpriteFs, "Shaders//no_such_file.gs");
  const std::string out = GetCapturedStdout();
  EXPECT_EQ(out.rfind("ERROR::SHADER::FILE_NOT_SUCCESFULLY_READ\n  Shaders//no_such_file.gs\n", 0), 0u) << out;
  EXPECT_NE(out.find("ERROR::SHADER_COMPILATION_ERROR of type: GEOMETRY\n"), std::string::npos) << out;
  EXPECT_EQ(out.find("of type: VERTEX"), std::string::npos) << out;
}
