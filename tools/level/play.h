#pragma once

#include <string>
#include <vector>

// `sandrift-level play`: a whole level run headless from an input script.
namespace level_tool {

inline constexpr int ExitVictory = 0;
inline constexpr int ExitDefeat = 1;
inline constexpr int ExitNoOutcome = 3;  // neither within the frames allowed

// Runs the level and returns its exit code; 2 after printing why a file could
// not be used; -1 with `usageError` set for bad options.
int Play(const std::string& levelPath, const std::vector<std::string>& options, std::string& usageError);

}  // namespace level_tool
