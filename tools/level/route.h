#pragma once

#include <string>
#include <vector>

// `sandrift-level route`: searches the headless level for an input script
// that wins it, and prints the script.
namespace level_tool {

// Returns 0 with the route printed, 1 when the search gave up, 2 after
// printing why a file could not be used, -1 with `usageError` set for bad
// options.
int Route(const std::string& levelPath, const std::vector<std::string>& options, std::string& usageError);

}  // namespace level_tool
