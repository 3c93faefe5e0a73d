#include "render/texture.h"

#include <cstdio>
#include <iostream>
#include <utility>

#include <epoxy/gl.h>
#include <stb_image.h>

#include "render/gl_context.h"
#include "render/shader.h"

namespace {

constexpr int kRgbaChannels = 4;

void Upload(unsigned int width, unsigned int height, const unsigned char* pixels) {
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, static_cast<GLsizei>(width),
               static_cast<GLsizei>(height), 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
}

}  // namespace

SheetWindow SheetFrame(unsigned int frames, unsigned int index) {
  if (frames == 0) return {glm::vec2(1.0f, 1.0f), glm::vec2(0.0f, 0.0f)};
  const float cells = static_cast<float>(frames);
  return {glm::vec2(1.0f / cells, 1.0f), glm::vec2(static_cast<float>(index) / cells, 0.0f)};
}

Texture::Texture(unsigned int frames, unsigned int width, unsigned int height)
    : frames(frames), width(width), height(height) {
  glGenTextures(1, &ID);
  glBindTexture(GL_TEXTURE_2D, ID);
  Upload(width, height, nullptr);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
}

Texture::~Texture() {
  if (ID != 0 && GlContextIsCurrent()) glDeleteTextures(1, &ID);
}

Texture::Texture(Texture&& other) noexcept
    : ID(std::exchange(other.ID, 0)), frames(other.frames), width(other.width),
      height(other.height) {}

Texture& Texture::operator=(Texture&& other) noexcept {
  std::swap(ID, other.ID);
  frames = other.frames;
  width = other.width;
  height = other.height;
  return *this;
}

bool Texture::LoadFromFile(const char* path) {
  glBindTexture(GL_TEXTURE_2D, ID);
  int decodedWidth = 0;
  int decodedHeight = 0;
  int channelsInFile = 0;
  unsigned char* data = nullptr;
  const char* reason = "can't fopen";
  if (std::FILE* file = std::fopen(path, "rb")) {
    data = stbi_load_from_file(file, &decodedWidth, &decodedHeight, &channelsInFile, kRgbaChannels);
    if (!data) reason = stbi_failure_reason();
    std::fclose(file);
  }
  if (!data) {
    std::cout << "ERROR::TEXTURE: Failed to load " << path << ": " << (reason ? reason : "unknown")
              << std::endl;
    width = 0;
    height = 0;
    Upload(0, 0, nullptr);
    return false;
  }
  width = static_cast<unsigned int>(decodedWidth);
  height = static_cast<unsigned int>(decodedHeight);
  Upload(width, height, data);
  stbi_image_free(data);
  return true;
}

void Texture::BindFrame(const Shader& shader, unsigned int index) const {
  glActiveTexture(GL_TEXTURE0);
  glBindTexture(GL_TEXTURE_2D, ID);
  shader.Use();
  shader.SetInteger("texture", 0);
  const SheetWindow window = SheetFrame(frames, index);
  shader.SetVector2f("uv_off_scale", window.scale);
  shader.SetVector2f("uv_off_translate", window.translate);
}
