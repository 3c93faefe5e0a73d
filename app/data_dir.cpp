#include "app/data_dir.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "app/options.h"
#include "app/platform.h"

namespace fs = std::filesystem;

namespace {

bool HoldsData(const fs::path& folder) {
  std::error_code error;
  for (const char* part : {"Assets", "Shaders", "Settings"})
    if (!fs::is_directory(folder / part, error)) return false;
  return true;
}

// Where `cmake --install` puts the data, relative to the installed program.
fs::path InstalledDataFolder() {
  const std::string exe = platform::ExecutablePath();
  if (exe.empty()) return {};
  return (fs::path(exe).parent_path() / SANDRIFT_DATA_FROM_BIN).lexically_normal();
}

bool Enter(const fs::path& folder) {
  std::error_code error;
  fs::current_path(folder, error);
  if (error) std::printf("Could not change to the data folder %s: %s\n", folder.string().c_str(), error.message().c_str());
  return !error;
}

void Anchor(std::string& path) {
  if (path.empty()) return;
  std::error_code error;
  const fs::path absolute = fs::absolute(path, error);
  if (!error) path = absolute.string();
}

}  // namespace

bool EnterDataFolder(const std::string& chosen) {
  if (!chosen.empty()) {
    if (HoldsData(chosen)) return Enter(chosen);
    std::printf("The data folder %s does not hold Assets/, Shaders/ and Settings/\n", chosen.c_str());
    return false;
  }
  if (HoldsData(".")) return true;
  const fs::path installed = InstalledDataFolder();
  if (!installed.empty() && HoldsData(installed)) return Enter(installed);
  std::printf("Could not find the game's data (Assets/, Shaders/, Settings/) in the current folder%s%s; "
              "name its folder with --data DIR\n",
              installed.empty() ? "" : " or in ", installed.string().c_str());
  return false;
}

void AnchorFilePaths(Options& options) {
  Anchor(options.inputScript);
  Anchor(options.tracePath);
  Anchor(options.recordPath);
  for (Screenshot& shot : options.screenshots) Anchor(shot.path);
}
