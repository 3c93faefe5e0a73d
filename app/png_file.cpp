#include "app/png_file.h"

#include <cassert>

#include <stb_image_write.h>

bool WritePngFile(const std::string& path, int width, int height, std::span<const std::uint8_t> rgba) {
  if (width <= 0 || height <= 0) return false;
  const int stride = width * kRgbaBytes;
  assert(rgba.size() >= static_cast<std::size_t>(stride) * height);
  // A negative stride starts from the last stored row, the picture's top.
  const std::uint8_t* topRow = rgba.data() + static_cast<std::size_t>(height - 1) * stride;
  return stbi_write_png(path.c_str(), width, height, kRgbaBytes, topRow, -stride) != 0;
}
