#pragma once

#include <glm/glm.hpp>

class Shader;

// Which part of a horizontal sprite sheet a draw samples: cell k of N covers
// u from k/N to (k+1)/N.
struct SheetWindow {
  glm::vec2 scale;      // "uv_off_scale"
  glm::vec2 translate;  // "uv_off_translate"
};

// With repeat wrapping, index == frames gives the offset 1.0 and shows cell 0.
// A still image (frames 0) always shows the whole picture, whatever the index.
SheetWindow SheetFrame(unsigned int frames, unsigned int index);

// A 2D OpenGL texture with crisp (nearest) pixels, optionally a sprite sheet of
// `frames` equal cells side by side.
class Texture {
 public:
  unsigned int ID = 0;
  unsigned int frames = 0;  // 0 for an ordinary image
  unsigned int width = 0;   // 0 x 0 until an image has loaded
  unsigned int height = 0;

  Texture(unsigned int frames, unsigned int width, unsigned int height);
  ~Texture();
  Texture(const Texture&) = delete;
  Texture& operator=(const Texture&) = delete;
  Texture(Texture&& other) noexcept;
  Texture& operator=(Texture&& other) noexcept;

  // Decodes a PNG (any channel count, shown as RGBA) and uploads it. On failure
  // prints one line naming the file and the reason, and leaves a 0 x 0 texture.
  bool LoadFromFile(const char* path);

  // Binds the texture to unit 0 and selects cell `index` for the shader's next draw.
  void BindFrame(const Shader& shader, unsigned int index) const;
};
