#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes small BMP files for the reader and tool tests.
namespace testbmp {

struct Rgb {
  std::uint8_t r, g, b;
};

// rows[0] is the bottom row of the picture (the first stored in the file).
inline std::vector<std::uint8_t> MakeBmp(const std::vector<std::vector<Rgb>>& rows,
                                         std::uint16_t bits = 24, std::uint32_t compression = 0) {
  const std::uint32_t width = rows.empty() ? 0 : static_cast<std::uint32_t>(rows[0].size());
  const std::uint32_t height = static_cast<std::uint32_t>(rows.size());
  const std::uint32_t bytesPerPixel = bits / 8;
  const std::uint32_t stride = (width * bytesPerPixel + 3) / 4 * 4;
  const std::uint32_t offset = 54;
  std::vector<std::uint8_t> out(offset + stride * height, 0);
  auto put16 = [&](std::size_t at, std::uint32_t v) {
    out[at] = v & 0xFF;
    out[at + 1] = (v >> 8) & 0xFF;
  };
  auto put32 = [&](std::size_t at, std::uint32_t v) {
    put16(at, v & 0xFFFF);
    put16(at + 2, v >> 16);
  };
  out[0] = 'B';
  out[1] = 'M';
  put32(2, static_cast<std::uint32_t>(out.size()));
  put32(10, offset);
  put32(14, 40);
  put32(18, width);
  put32(22, height);
  put16(26, 1);
  put16(28, bits);
  put32(30, compression);
  put32(34, stride * height);
  for (std::uint32_t y = 0; y < height; ++y) {
    for (std::uint32_t x = 0; x < width; ++x) {
      std::uint8_t* p = &out[offset + y * stride + x * bytesPerPixel];
      p[0] = rows[y][x].b;
      p[1] = rows[y][x].g;
      p[2] = rows[y][x].r;
    }
    // Padding bytes get a colour that would read as lava if misread as a pixel.
    for (std::uint32_t pad = width * bytesPerPixel; pad < stride; ++pad) {
      out[offset + y * stride + pad] = (pad % 3 == 2) ? 255 : 0;
    }
  }
  return out;
}

inline void Put32(std::vector<std::uint8_t>& bmp, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) bmp[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

constexpr Rgb White{255, 255, 255};
constexpr Rgb Yellow{255, 255, 0};  // sand
constexpr Rgb Grey{128, 128, 128};  // obsidian
constexpr Rgb Cyan{0, 200, 200};    // ice
constexpr Rgb Red{255, 0, 0};       // lava
constexpr Rgb Blue{0, 0, 255};      // water
constexpr Rgb Black{0, 0, 0};       // stone
constexpr Rgb PlayerStart{100, 0, 0};
constexpr Rgb Treasure{0, 100, 0};

}  // namespace testbmp
