#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Texts of the menus and the head-up display, and the level sequence's names.

// `elapsed` seconds printed with "%f", cut to 4 characters below 10 s, 5 below
// 100 s and 6 beyond: 7.5 reads "7.50", 123.456 reads "123.45".
std::string TimerText(float elapsed);
// Keeps one character after the first point: "59.880239" reads "59.8".
std::string CutAfterFirstDecimal(std::string text);
// 1 / dt printed with "%f".
std::string FrameRateText(double dt);

// Names are cut to this length: wider than a 4K window's whole bottom line at
// the head-up display's 16 pixels a character.
inline constexpr std::size_t kMaxLevelNameLength = 256;

// One name per line, an empty line a name too; a CR before a line's end is
// dropped so files written on Windows read the same. Longer names are cut to
// kMaxLevelNameLength and counted in `cut` when it is given.
std::vector<std::string> ParseLevelNames(std::string_view text, int* cut = nullptr);
// The names file's names; a missing file: none, and a line saying so; cut
// names: one line saying so.
std::vector<std::string> ReadLevelNames(const std::string& path);
