#pragma once

#include <cstdint>
#include <span>
#include <string>

inline constexpr int kRgbaBytes = 4;  // bytes per pixel of the rows below

// Saves width x height RGBA pixels, stored bottom row first as GL and the
// world store them, as a PNG file (top row first). False when it cannot be written.
bool WritePngFile(const std::string& path, int width, int height, std::span<const std::uint8_t> rgba);
