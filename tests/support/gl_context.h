#pragma once

#include <cstdint>
#include <vector>

#include <epoxy/gl.h>
#include <gtest/gtest.h>

struct GLFWwindow;

// A hidden window with a real OpenGL 3.3 core context (Mesa llvmpipe under
// Xvfb in CI). Tests that read pixels back derive their fixture from this.
class GlTest : public ::testing::Test {
protected:
  static constexpr int kWidth = 320;
  static constexpr int kHeight = 180;

  void SetUp() override;
  void TearDown() override;

  // RGBA of one framebuffer pixel, x from the left, y from the bottom.
  struct Rgba { std::uint8_t r, g, b, a; };
  Rgba ReadPixel(int x, int y) const;
  std::vector<std::uint8_t> ReadFramebuffer() const;

  GLFWwindow* window = nullptr;
};
