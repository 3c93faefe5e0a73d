#include "app/platform.h"

#include <filesystem>
#include <iterator>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
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

}  // namespace platform
