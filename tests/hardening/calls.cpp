#include "calls.h"

#include <windows.h>

#include <string>
#include <vector>

namespace hardening {
namespace {

// The arguments held beyond what the table's marks hold (a WINDOW argument is
// drawn from the windows, a SLOT one from the file handles), by export and
// argument name.
struct Held {
  const char* export_name;
  const char* argument;
  Role role;
};
constexpr Held kHeld[] = {
    {"Wait", "milliseconds", Role::short_time},
    // Relative names go to the Windows folder through the profile functions.
    {"WriteIniNumW", "file", Role::sandbox_path},
    {"WriteIniStrW", "file", Role::sandbox_path},
    {"FileClose", "handle", Role::slot},
    {"IsEncode", "handle", Role::slot},
    {"ScreenToClient_X", "window", Role::window},
    {"ScreenToClient_Y", "window", Role::window},
    // Only the test's own child program ever starts.
    {"GetStdout", "command", Role::command},
    {"RUNSYNC", "command", Role::command},
    // Key strokes out of range or a plain letter; the clipboard's opener is a held window.
    {"SendKeyPress", "key", Role::key},
    {"SendKeyPress", "modifiers", Role::modifiers},
    {"GetClipboardDSPTEXT", "opener", Role::window},
};
// Exports that act outside the process even with their held arguments
// (child processes, key strokes, the help viewer): the fault test skips them.
constexpr const char* kOutside[] = {"GetStdout", "RUNSYNC", "SendKeyPress", "OpenHtmlHelp"};

// The names of an export's arguments, in order ("start, text, search").
std::vector<std::string> argument_names(const lmx::ExportInfo& info) {
  std::vector<std::string> names;
  std::string all = info.arg_names;
  for (std::size_t at = 0; at < all.size();) {
    const std::size_t comma = all.find(", ", at);
    names.push_back(all.substr(at, comma == std::string::npos ? std::string::npos : comma - at));
    at = comma == std::string::npos ? all.size() : comma + 2;
  }
  return names;
}

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
  for (const char* name : kOutside) x.outside = x.outside || name == std::string(e.info.name);
  const std::vector<std::string> names = argument_names(e.info);
  bool any_held = false;
  for (std::size_t i = 0; i < names.size(); ++i) {
    const lmx::Mark m = e.info.marks[i].kind;
    Role role = m == lmx::Mark::window ? Role::window : m == lmx::Mark::slot ? Role::slot : Role::any;
    for (const Held& h : kHeld)
      if (h.export_name == std::string(e.info.name) && h.argument == names[i]) role = h.role;
    x.roles += static_cast<char>(role);
    any_held = any_held || role != Role::any;
  }
  if (!any_held && !x.outside) x.roles.clear();
  return x;
}

}  // namespace hardening
