// Any script is either refused with a line number or gives events in frame
// order with codes the input layer accepts; playing them must be safe.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "app/input.h"
#include "app/input_script.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ParsedScript script = ParseInputScript({reinterpret_cast<const char*>(data), size});
  if (!script.error.empty()) {
    if (!script.events.empty() || script.error.rfind("line ", 0) != 0) std::abort();
    return 0;
  }
  long frame = 0;
  for (const ScriptEvent& e : script.events) {
    if (e.frame < frame) std::abort();
    frame = e.frame;
    const int codes = e.kind == ScriptEvent::KEY     ? input::kKeyCount
                      : e.kind == ScriptEvent::MOUSE ? input::kMouseButtonCount
                                                     : 2;
    if (e.kind != ScriptEvent::CURSOR && (e.code < 0 || e.code >= codes)) std::abort();
  }
  ScriptPlayer player(std::move(script.events));
  player.Play(frame);
  if (!player.Finished()) std::abort();
  input::Reset();
  return 0;
}
