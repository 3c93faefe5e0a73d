#pragma once

#include <string>

// Saves the current back buffer (width x height pixels) as a PNG, top row first.
// Prints a message naming the file and returns false when it cannot be written.
bool SaveScreenshot(const std::string& path, int width, int height);
