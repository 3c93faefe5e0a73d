#pragma once

#include <string>

struct Options;

// The game opens its data by relative paths ("Assets//...", "Shaders//...",
// "Settings//..."), so it runs from a folder that holds all three: the one
// given with --data, else the current one, else the one installed beside the
// program. Prints what failed and returns false when there is none.
bool EnterDataFolder(const std::string& chosen);

// Makes the files named on the command line absolute, so they stay where the
// player meant them after the game has changed folder.
void AnchorFilePaths(Options& options);
