#include "tests/render/render_fixture.h"

#include <cstdlib>
#include <fstream>

#include <glm/gtc/matrix_transform.hpp>
#include <stb_image_write.h>

#include "render/sprite_renderer.h"

void RenderTest::SetUp() {
  GlTest::SetUp();
  if (IsSkipped() || HasFatalFailure()) return;
  InitRenderData(&glyphVAO, &glyphVBO);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);

  std::string pattern = (std::filesystem::temp_directory_path() / "sandrift_render_XXXXXX").string();
  ASSERT_NE(mkdtemp(pattern.data()), nullptr);
  scratch = pattern;
}

void RenderTest::TearDown() {
  if (!scratch.empty()) std::filesystem::remove_all(scratch);
  GlTest::TearDown();
}

std::string RenderTest::WritePng(const std::string& name, int width, int height, int channels,
                                 const std::vector<std::uint8_t>& pixels) {
  const std::string path = (scratch / name).string();
  EXPECT_EQ(pixels.size(), static_cast<std::size_t>(width * height * channels));
  EXPECT_NE(stbi_write_png(path.c_str(), width, height, channels, pixels.data(), width * channels), 0);
  return path;
}

std::string RenderTest::WriteFile(const std::string& name, const std::string& bytes) {
  const std::string path = (scratch / name).string();
  std::ofstream(path, std::ios::binary) << bytes;
  return path;
}

void RenderTest::SetWindowProjection(const Shader& shader) const {
  shader.Use();
  shader.SetMatrix4("projection", glm::ortho(0.0f, float(kWidth), 0.0f, float(kHeight)));
}
