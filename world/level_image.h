#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "world/pixel_grid.h"

// Level images: 24-bit uncompressed BMP, one pixel per cell, bottom row first.
namespace world {

// Limits that keep a hostile header from asking for absurd allocations.
inline constexpr std::uint32_t kMaxLevelSide = 16384;
// Over five times the largest shipped level (1152 x 648) and room for 16384 x
// 256; loads in a fraction of a second, where 64 M cells took over a minute.
inline constexpr std::uint64_t kMaxLevelCells = 4ull * 1024 * 1024;

// Reads a whole file of at most 64 MiB; false with the reason in `error` when
// it cannot.
bool ReadFileBytes(const std::string& path, std::vector<std::uint8_t>& bytes, std::string& error);

// Builds a grid from the bytes of a BMP file: materials, markers and dark
// stones (one world::rand per black pixel after srand(Now())). Checks the
// header and the pixel data's extent first; on a bad image returns nullptr
// with a one-line reason in `error` and builds nothing.
std::unique_ptr<PixelGrid> ParseLevelImage(std::span<const std::uint8_t> bytes, float cellSize,
                                           std::string& error);

// Reads and parses a level file; nullptr with the reason in `error` when the
// file cannot be read or is no level. A header that is refused is refused
// before the rest of the file is read.
std::unique_ptr<PixelGrid> ReadLevelImage(const std::string& path, float cellSize, std::string& error);

// ReadLevelImage that, on failure, prints one line naming the file and the
// reason to standard output.
std::unique_ptr<PixelGrid> LoadLevelImage(float cellSize, const std::string& path);

}  // namespace world
