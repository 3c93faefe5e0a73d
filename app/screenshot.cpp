#include "app/screenshot.h"

#include <cstdio>
#include <vector>

#include <epoxy/gl.h>

#include "app/png_file.h"

bool SaveScreenshot(const std::string& path, int width, int height) {
  std::vector<unsigned char> pixels(static_cast<std::size_t>(width) * height * kRgbaBytes);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(GL_BACK);
  glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  if (!WritePngFile(path, width, height, pixels)) {
    std::printf("Could not write screenshot %s\n", path.c_str());
    return false;
  }
  return true;
}
