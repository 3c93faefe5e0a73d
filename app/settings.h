#pragma once

#include <string_view>

// Window settings from "Settings//Resolution.txt"; read once at start-up.
extern int WindowWidth;
extern int WindowHeight;
extern bool FullScreen;

// The settings file's name, as the game opens it and names it in messages.
inline constexpr const char* kSettingsPath = "Settings//Resolution.txt";

// No monitor is wider (8K is 7680 x 4320), and a window of 16384 x 16384 costs
// 2 GB and seconds a frame: the bound of --window, and of the settings'
// window when no monitor says its size.
inline constexpr int kMaxWindowEdge = 8192;

struct Settings {
  int width = 1600;
  int height = 900;
  bool fullScreen = true;
};

// Three lines: width, height, full-screen flag (non-zero means full-screen),
// after an optional UTF-8 byte-order mark. Each line is read as strtol reads
// base 10; a missing line, a line that is no number, a value outside 32 bits
// or an edge below 1 keeps that default.
Settings ParseSettings(std::string_view text);

// Reads the file into the globals; a missing file keeps the defaults silently.
void LoadSettings(const char* path);

// Shrinks the globals' window, edge by edge, to fit a screen of that size,
// with one line naming `path` when it does.
void FitWindowToScreen(const char* path, int screenWidth, int screenHeight);
