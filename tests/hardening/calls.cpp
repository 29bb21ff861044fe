#include "calls.h"

#include <windows.h>

#include <map>

namespace hardening {
namespace {

struct Held {
  const char* roles;
  bool outside = false;
};

// The arguments held beyond what the table's marks hold (a WINDOW argument is
// drawn from the windows, a SLOT one from the file handles).
const std::map<std::string, Held> kHeld = {
    {"Wait", {"t"}},
    // Relative names go to the Windows folder through the profile functions.
    {"WriteIniNumW", {"a..."}},
    {"WriteIniStrW", {"a..."}},
    {"FileClose", {"s"}},
    {"IsEncode", {"s"}},
    {"ScreenToClient_X", {"w.."}},
    {"ScreenToClient_Y", {"w.."}},
    // Only the test's own child program ever starts.
    {"GetStdout", {"c.", true}},
    {"RUNSYNC", {"c..", true}},
    // Key strokes out of range or a plain letter; the clipboard's opener is a held window.
    {"SendKeyPress", {"km", true}},
    {"GetClipboardDSPTEXT", {"w"}},
    {"OpenHtmlHelp", {"", true}},
};

}  // namespace

const std::vector<Export>& exports() {
  static const std::vector<Export> all = [] {
    const HMODULE library = GetModuleHandleA("lorimax.dll");
    std::vector<Export> v;
    for (std::size_t i = 0; i < lmx::kExportCount; ++i)
      v.push_back({lmx::kExportInfo[i], lmx::kCallers[i],
                   reinterpret_cast<void*>(GetProcAddress(library, lmx::kExportInfo[i].name))});
    return v;
  }();
  return all;
}

const Export* find_export(const std::string& name) {
  for (const auto& e : exports())
    if (name == e.info.name) return &e;
  return nullptr;
}

Expectation expectation(const Export& e) {
  Expectation x{e.info, {}, false};
  if (auto held = kHeld.find(e.info.name); held != kHeld.end()) {
    x.roles = held->second.roles;
    x.outside = held->second.outside;
    return x;
  }
  bool any_held = false;
  for (std::size_t i = 0; e.info.kinds[i]; ++i) {
    const lmx::Mark m = e.info.marks[i].kind;
    x.roles += m == lmx::Mark::window ? 'w' : m == lmx::Mark::slot ? 's' : '.';
    any_held = any_held || m == lmx::Mark::window || m == lmx::Mark::slot;
  }
  if (!any_held) x.roles.clear();
  return x;
}

}  // namespace hardening
