#pragma once

#include <functional>
#include <string>
#include <vector>

#include "screens/button_layout.h"

// Runs the game binary as a player would, from the repository root, with the
// testing options, and collects what it printed and traced.
struct GameRun {
  int exitCode = -1;
  std::string output;
  std::vector<std::string> traceLines;

  // Frame at which the given state was entered, or -1.
  long FrameEntering(int state) const;
  std::vector<int> StatesEntered() const;
  // A value of every state line, in order, as written (NaN where missing).
  std::vector<double> StateValues(const std::string& key) const;
  long LastFrame() const;
  // A value of one frame's trace line, as written, or NaN.
  double Field(long frame, const std::string& key) const;
};

// `script` is the content of an --input file ("" for none); `environment`
// holds variables for the game ("DISPLAY= " runs it without a display); the
// game runs in `directory` (the repository root when empty).
GameRun RunGame(const std::vector<std::string>& args, const std::string& script = "",
                const std::string& environment = "", const std::string& directory = "");

// Lines of an --input script: `event` at `frame`; a left click with the
// pointer there a frame early (the menu hit-tests with the stored position);
// a click on a button screen's button in a W x H window.
std::string At(long frame, const std::string& event);
std::string ClickAt(long frame, float x, float y);
std::string ClickButton(long frame, const ButtonScreenTable& table, std::size_t button, int W, int H);

// Where tests may write files; removed by the OS's tmp cleaning.
std::string TempPath(const std::string& name);

// Script lines of a left click at a window pixel from the top-left. The
// pointer arrives a frame early: screens hit-test a press with the position
// their previous frame read.
std::string Click(long frame, glm::ivec2 at);
// The window pixel at the centre of a button screen's button in a W x H window.
glm::ivec2 ButtonPixel(const ButtonScreenTable& table, std::size_t button, int W, int H);

// A decoded PNG as RGBA bytes, rows from the top; empty if it would not load.
struct Image {
  int width = 0, height = 0;
  std::vector<unsigned char> rgba;
  const unsigned char* At(int x, int y) const { return &rgba[(static_cast<std::size_t>(y) * width + x) * 4]; }
};
Image LoadPng(const std::string& path);

// A rectangle of the window in pixels from the top-left corner.
struct WindowRect {
  float left, top, width, height;
  bool Contains(float x, float y) const { return x >= left && x < left + width && y >= top && y < top + height; }
};

// Of the points sampled every few pixels over `where`, the share at which the
// screenshot shows the texel of `picture` stretched over `where` (each channel
// within 8). Transparent texels and points `skip` names are not counted.
double ShareShowing(const Image& shot, const Image& picture, WindowRect where,
                    const std::function<bool(int x, int y)>& skip = nullptr);
