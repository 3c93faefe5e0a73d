#pragma once

// The real gamepad: GLFW's gamepad mappings, and each frame's reading of the
// first connected pad, sent to the input layer (and to a recording) as the
// events a script would hold.
namespace pad_device {

// The file beside the other settings, in SDL's gamecontrollerdb format, and
// the variable SDL games and Steam read: mappings for pads GLFW does not know.
inline constexpr const char* kMappingsPath = "Settings//gamecontrollerdb.txt";
inline constexpr const char* kMappingsVariable = "SDL_GAMECONTROLLERCONFIG";

// After glfwInit: adds the file's mappings, then the variable's; prints a line
// for each that GLFW refuses.
void LoadMappings();

// Reads the first joystick GLFW knows as a gamepad and sends every change
// since the last reading: connection, buttons, then axes.
void Poll();

}  // namespace pad_device
