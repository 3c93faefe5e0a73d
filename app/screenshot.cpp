#include "app/screenshot.h"

#include <cstdio>
#include <vector>

#include <epoxy/gl.h>
#include <stb_image_write.h>

bool SaveScreenshot(const std::string& path, int width, int height) {
  std::vector<unsigned char> pixels(static_cast<std::size_t>(width) * height * 4);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(GL_BACK);
  glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());

  // GL's rows start at the bottom; PNG's at the top.
  const int stride = width * 4;
  if (!stbi_write_png(path.c_str(), width, height, 4, pixels.data() + (height - 1) * stride, -stride)) {
    std::printf("Could not write screenshot %s\n", path.c_str());
    return false;
  }
  return true;
}
