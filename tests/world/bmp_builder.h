#pragma once

#include <cstdint>
#include <vector>

// Writes small BMP files for the reader and tool tests.
namespace testbmp {

struct Rgb {
  std::uint8_t r, g, b;
};

inline void Put32(std::vector<std::uint8_t>& bmp, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) bmp.at(at + i) = static_cast<std::uint8_t>(v >> (8 * i));
}

// rows[0] is the bottom row of the picture (the first stored in the file).
inline std::vector<std::uint8_t> MakeBmp(const std::vector<std::vector<Rgb>>& rows,
                                         std::uint16_t bits = 24, std::uint32_t compression = 0) {
  const std::uint32_t width = rows.empty() ? 0 : static_cast<std::uint32_t>(rows[0].size());
  const std::uint32_t height = static_cast<std::uint32_t>(rows.size());
  const std::uint32_t bytesPerPixel = bits / 8u;
  const std::uint32_t stride = (width * bytesPerPixel + 3) / 4 * 4;
  const std::uint32_t offset = 54;
  std::vector<std::uint8_t> out(offset + stride * height, 0);
  out[0] = 'B';
  out[1] = 'M';
  Put32(out, 2, static_cast<std::uint32_t>(out.size()));
  Put32(out, 10, offset);
  Put32(out, 14, 40);
  Put32(out, 18, width);
  Put32(out, 22, height);
  Put32(out, 26, 1u | static_cast<std::uint32_t>(bits) << 16);  // planes, then bits per pixel
  Put32(out, 30, compression);
  Put32(out, 34, stride * height);
  for (std::uint32_t y = 0; y < height; ++y) {
    std::uint8_t* row = &out[offset + y * stride];
    for (std::uint32_t x = 0; x < width; ++x) {
      row[x * bytesPerPixel] = rows[y][x].b;
      row[x * bytesPerPixel + 1] = rows[y][x].g;
      row[x * bytesPerPixel + 2] = rows[y][x].r;
    }
    // Padding bytes get a colour that would read as lava if misread as a pixel.
    for (std::uint32_t pad = width * bytesPerPixel; pad < stride; ++pad) row[pad] = (pad % 3 == 2) ? 255 : 0;
  }
  return out;
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
