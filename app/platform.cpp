#include "app/platform.h"

#include <cstddef>
#include <filesystem>
#include <iterator>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

// AddressSanitizer replaces malloc, so glibc's count would miss every block.
#if defined(__SANITIZE_ADDRESS__)
#define SANDRIFT_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SANDRIFT_ASAN 1
#endif
#endif

#if defined(SANDRIFT_ASAN)
// The sanitizer runtime's own count (GCC ships no header declaring it).
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#elif defined(__GLIBC__) || defined(_WIN32)
#include <malloc.h>
#endif

namespace platform {

std::string ExecutablePath() {
#ifdef _WIN32
  wchar_t buffer[32768];
  const DWORD length = GetModuleFileNameW(nullptr, buffer, static_cast<DWORD>(std::size(buffer)));
  if (length == 0 || length == std::size(buffer)) return {};
  return std::filesystem::path(std::wstring(buffer, length)).string();
#else
  // Linux names the running program here; elsewhere the link is missing and
  // the game looks for its data in the current folder only.
  std::error_code error;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::string() : exe.string();
#endif
}

long long LiveHeapBytes() {
#if defined(SANDRIFT_ASAN)
  return static_cast<long long>(__sanitizer_get_current_allocated_bytes());
#elif defined(__GLIBC__)
  const struct mallinfo2 heap = mallinfo2();  // every arena, the audio threads' too
  return static_cast<long long>(heap.uordblks + heap.hblkhd);
#elif defined(_WIN32)
  // The C runtime's heap, which malloc and new draw on for every thread.
  long long bytes = 0;
  _HEAPINFO block{};
  int status = _HEAPOK;
  while ((status = _heapwalk(&block)) == _HEAPOK)
    if (block._useflag == _USEDENTRY) bytes += static_cast<long long>(block._size);
  return status == _HEAPEND ? bytes : -1;
#else
  return -1;
#endif
}

}  // namespace platform
