#pragma once

#include <string_view>

// Window settings from "Settings//Resolution.txt"; read once at start-up.
extern int WindowWidth;
extern int WindowHeight;
extern bool FullScreen;

// Larger windows than this are no monitor's; GLFW would fail to create them.
inline constexpr int kMaxWindowEdge = 16384;

struct Settings {
  int width = 1600;
  int height = 900;
  bool fullScreen = true;
};

// Three lines: width, height, full-screen flag (non-zero means full-screen),
// after an optional UTF-8 byte-order mark. Each line is read as strtol reads
// base 10; a missing line, a line that is no number, or a value outside the
// range the game can use keeps that default.
Settings ParseSettings(std::string_view text);

// Reads the file into the globals; a missing file keeps the defaults silently.
void LoadSettings(const char* path);
