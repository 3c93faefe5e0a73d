#pragma once

#include <string>

// Writes the real keyboard, mouse and gamepad input of a session as an input script
// (docs/INPUT.md) that --input replays exactly: the session's window size,
// clock and first screen, every event in the frame it arrived in, every
// change of the world's clock, and every frame's time step. Does nothing
// until opened.
namespace recorder {

bool Open(const std::string& path);  // prints a message and returns false on failure
void Start(int windowWidth, int windowHeight, long long clock, int state);

// GLFW's numbers, as the input layer takes them.
void Key(int key, int action);
void MouseButton(int button, int action);
void CursorPos(double x, double y);
void Focus(int focused);
void PadButton(int button, int action);  // GLFW's gamepad numbers
void PadAxis(int axis, float value);
void PadConnect(int connected);
void Clock(long long seconds);  // the world's clock from this frame on

void EndFrame(long frame, float dt);  // the frame's step; later events belong to the next frame
void Close();

}  // namespace recorder
