#pragma once

#include <string>

// The only calls the game makes that differ between operating systems.
namespace platform {

// The running program's own file, as an absolute path; empty when the
// system does not say.
std::string ExecutablePath();

// Bytes the program's allocator holds for live allocations (not what it keeps
// after they are freed, which resident memory counts); -1 where unknown.
long long LiveHeapBytes();

}  // namespace platform
