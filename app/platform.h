#pragma once

#include <string>

// The only calls the game makes that differ between operating systems.
namespace platform {

// The running program's own file, as an absolute path; empty when the
// system does not say.
std::string ExecutablePath();

}  // namespace platform
