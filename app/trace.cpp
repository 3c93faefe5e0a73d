#include "app/trace.h"

#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

#include "app/platform.h"

namespace trace {
namespace {

std::FILE* file = nullptr;
bool heapOnStateLines = false;
std::vector<std::pair<std::string, double>> values;

}  // namespace

bool Open(const std::string& path) {
  // Binary: the same bytes on every system, "\n" never written as "\r\n".
  file = std::fopen(path.c_str(), "wb");
  heapOnStateLines = std::getenv("SANDRIFT_TRACE_HEAP") != nullptr;
  if (!file) std::printf("Could not open trace file %s for writing\n", path.c_str());
  return file != nullptr;
}

bool Enabled() { return file != nullptr; }

void Value(const char* key, double value) {
  if (!file) return;
  for (auto& [name, v] : values)
    if (name == key) {
      v = value;
      return;
    }
  values.emplace_back(key, value);
}

void StateEntered(long frame, int state) {
  if (!file) return;
  std::fprintf(file, "{\"event\":\"state\",\"frame\":%ld,\"state\":%d", frame, state);
  if (heapOnStateLines) std::fprintf(file, ",\"heap\":%lld", platform::LiveHeapBytes());
  std::fputs("}\n", file);
}

void EndFrame(long frame, int state, float dt) {
  if (!file) return;
  std::fprintf(file, "{\"event\":\"frame\",\"frame\":%ld,\"state\":%d,\"dt\":%.6f", frame, state, dt);
  for (const auto& [name, v] : values) std::fprintf(file, ",\"%s\":%.17g", name.c_str(), v);
  std::fputs("}\n", file);
  values.clear();
}

void Close() {
  if (file) std::fclose(file);
  file = nullptr;
}

}  // namespace trace
