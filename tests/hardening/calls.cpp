#include "calls.h"

#include <cstring>
#include <map>
#include <type_traits>
#include <utility>

#include "exports/api.h"

namespace hardening {
namespace {

template <class T>
T as(const Arg& a) {
  if constexpr (std::is_same_v<T, intptr_t>)
    return a.i;
  else if constexpr (std::is_same_v<T, const char*>)
    return a.s;
  else
    return a.w;
}

template <class R, class... P, std::size_t... n>
Outcome invoke_(R (*f)(P...), const Arg* a, std::index_sequence<n...>) {
  const R r = f(as<P>(a[n])...);
  if constexpr (std::is_same_v<R, intptr_t>)
    return {'I', r, nullptr};
  else if constexpr (std::is_same_v<R, const char*>)
    return {'S', 0, r};
  else
    return {'W', 0, r};
}
template <class R, class... P>
Outcome invoke(R (*f)(P...), const Arg* a) {
  return invoke_(f, a, std::index_sequence_for<P...>{});
}

#define HARDENING_CALLER_(family, name, ...) [](const Arg* a) { return invoke(&::name, a); },
using Caller = Outcome (*)(const Arg*);
const Caller kCallers[] = {LMX_ALL_EXPORTS(HARDENING_CALLER_)};
#undef HARDENING_CALLER_

#define HARDENING_CALLER_AT_(family, name, ...) \
  [](void* f, const Arg* a) { return invoke(reinterpret_cast<decltype(&::name)>(f), a); },
using CallerAt = Outcome (*)(void*, const Arg*);
const CallerAt kCallersAt[] = {LMX_ALL_EXPORTS(HARDENING_CALLER_AT_)};
#undef HARDENING_CALLER_AT_

constexpr intptr_t k32 = 0xFFFFFFFF;
constexpr unsigned first = 1, second = 2;

// What the hardening tests hold each export to, by family and then by name
// (a name's entry replaces its family's). Families of text exports need no
// entry: they fail with an empty text and any text within the cap is in range.
const std::map<std::string, Expectation>& rules() {
  static const std::map<std::string, Expectation> table = {
      {"conversion", {.failure = 0, .lowest = 0, .highest = 1}},
      {"string_search", {.failure = -1, .lowest = -1}},
      {"DebugOut", {.lowest = 1, .highest = 1}},
      {"GetDllVersion", {.lowest = 0}},

      {"GetSizeStr", {.path_args = first}},
      {"GetUnitStr", {.path_args = first}},
      {"GetFileSizeStr", {.path_args = first}},
      {"GetFileSizeByte", {.failure = -1, .lowest = -1, .path_args = first}},
      {"Wait", {.failure = -1, .lowest = -1, .highest = 1, .roles = "t"}},
      {"SetTime", {.lowest = 1, .highest = 1}},
      {"ResetTime", {.lowest = 1, .highest = 1}},

      {"ReadSectionKeys", {.failure = -1, .lowest = -1, .path_args = first, .longest_path = 259}},
      {"ReadSectionKeysW", {.failure = -1, .lowest = -1, .path_args = first, .longest_path = 259}},
      {"ReadSectionNames", {.failure = -1, .lowest = -1, .path_args = first, .longest_path = 259}},
      {"ReadSectionNamesW", {.failure = -1, .lowest = -1, .path_args = first, .longest_path = 259}},
      {"ExistKey", {.failure = -1, .lowest = -2}},
      {"ExistKeyW", {.failure = -1, .lowest = -2}},
      {"ExistSection", {.failure = -1, .lowest = -2}},
      {"ExistSectionW", {.failure = -1, .lowest = -2}},
      {"GetIniNumW", {.failure = 0, .lowest = 0, .highest = k32, .path_args = first, .longest_path = 259}},
      {"GetIniStrW", {.path_args = first, .longest_path = 259}},
      {"IsUTF16LE", {.failure = 0, .lowest = 0, .highest = 2, .path_args = first}},
      {"IsBOM", {.failure = 0, .lowest = 0, .highest = 2, .path_args = first}},
      {"ini_enumeration", {.failure = 0, .lowest = 0, .highest = 1}},
      // Relative names go to the Windows folder through the profile functions.
      {"WriteIniNumW", {.failure = -1, .other_failure = 0, .lowest = -1, .highest = 1, .path_args = first, .longest_path = 259, .roles = "a..."}},
      {"WriteIniStrW", {.failure = -1, .other_failure = 0, .lowest = -1, .highest = 1, .path_args = first, .longest_path = 259, .roles = "a..."}},

      {"AnalyzeEncoding", {.failure = -1, .path_args = first}},
      {"GetChangeFileExt", {.path_args = first}},
      {"GetCompactPath", {.path_args = first}},
      {"GetExpandPath", {.path_args = first}},
      {"GetFileAttr", {.failure = -1, .lowest = -1, .highest = k32, .path_args = first}},
      {"GetFileBaseName", {.path_args = first}},
      {"GetFileExtention", {.path_args = first}},
      {"GetFileName", {.path_args = first}},
      {"GetLongName", {.path_args = first}},
      {"GetParentFolder", {.path_args = first}},
      {"GetRelativePathTo", {.path_args = first | second}},
      {"GetShortName", {.path_args = first}},
      {"IsDirectory", {.failure = 0, .lowest = 0, .highest = 1, .path_args = first}},
      {"IsFile", {.failure = 0, .lowest = 0, .highest = 1, .path_args = first}},
      {"IsMatchFileName", {.failure = 0, .lowest = 0, .highest = 1, .path_args = first | second, .longest_path = 259}},
      {"IsRelativePath", {.failure = 0, .lowest = 0, .highest = 1, .path_args = first}},

      {"FileOpen", {.failure = 0, .lowest = 0, .highest = 10, .path_args = first}},
      {"FileOpenW", {.failure = 0, .lowest = 0, .highest = 10, .path_args = first}},
      {"FileClose", {.lowest = 1, .highest = 1, .roles = "s"}},
      {"FileDelete", {.failure = 0, .lowest = 0, .highest = 1, .path_args = first}},
      {"FileError", {.lowest = 0, .highest = 255}},
      {"IsOpen", {.failure = 0, .lowest = 0, .highest = 1, .slot_arg = 0, .roles = "s"}},
      {"IsEncode", {.failure = -1, .lowest = -1, .highest = 4, .roles = "s"}},
      {"IsEof", {.failure = 0, .lowest = 0, .highest = 1, .slot_arg = 0, .roles = "s"}},
      {"IsFerror", {.failure = 0, .lowest = 0, .highest = 1, .slot_arg = 0, .roles = "s"}},
      {"RdFile", {.slot_arg = 0, .roles = "s"}},
      {"RdFile2", {.slot_arg = 0, .roles = "s"}},
      {"RdFileLine", {.slot_arg = 0, .roles = "s"}},
      {"RdFileByte", {.slot_arg = 0, .roles = "s."}},
      {"RdFileW", {.slot_arg = 0, .roles = "s"}},
      {"RdFileLineW", {.slot_arg = 0, .roles = "s"}},
      {"WrFile", {.failure = 0, .lowest = 0, .highest = 1, .slot_arg = 0, .roles = "s."}},
      {"WrFileLine", {.failure = 0, .lowest = 0, .highest = 1, .slot_arg = 0, .roles = "s."}},
      {"WrFileW", {.failure = 0, .lowest = 0, .highest = 1, .slot_arg = 0, .roles = "s."}},
      {"WrFileLineW", {.failure = 0, .lowest = 0, .highest = 1, .slot_arg = 0, .roles = "s."}},

      // Window search: reading is harmless, activation is held to the test's windows.
      {"GetAncestorWindow", {.failure = 0, .window_arg = 0, .roles = "w"}},
      {"NextWindow", {.failure = 0, .window_arg = 0, .roles = "w"}},
      {"NextActiveWindow", {.failure = 0, .lowest = 0, .highest = 1, .window_arg = 0, .roles = "w"}},
      {"GetWindowCaption", {.window_arg = 0, .roles = "w"}},
      {"GetWindowClass", {.window_arg = 0, .roles = "w"}},

      // Window geometry and state: every window argument is held.
      {"GetWindowRect_Left", {.failure = -1, .window_arg = 0, .roles = "w"}},
      {"GetWindowRect_Top", {.failure = -1, .window_arg = 0, .roles = "w"}},
      {"GetWindowRect_Right", {.failure = -1, .window_arg = 0, .roles = "w"}},
      {"GetWindowRect_Bottom", {.failure = -1, .window_arg = 0, .roles = "w"}},
      {"GetClientRect_Left", {.failure = -1, .window_arg = 0, .roles = "w"}},
      {"GetClientRect_Top", {.failure = -1, .window_arg = 0, .roles = "w"}},
      {"GetClientRect_Right", {.failure = -1, .window_arg = 0, .roles = "w"}},
      {"GetClientRect_Bottom", {.failure = -1, .window_arg = 0, .roles = "w"}},
      {"DwmGetWindowRect_Left", {.failure = -1, .window_arg = 0, .roles = "w"}},
      {"DwmGetWindowRect_Top", {.failure = -1, .window_arg = 0, .roles = "w"}},
      {"DwmGetWindowRect_Right", {.failure = -1, .window_arg = 0, .roles = "w"}},
      {"DwmGetWindowRect_Bottom", {.failure = -1, .window_arg = 0, .roles = "w"}},
      {"GetWindowRectAll", {.failure = 0, .lowest = 0, .highest = 1, .window_arg = 0, .roles = "w."}},
      {"DwmGetWindowRectAll", {.failure = 0, .lowest = 0, .highest = 1, .window_arg = 0, .roles = "w."}},
      {"MOVEWINDOW", {.failure = 0, .lowest = 0, .highest = 1, .window_arg = 0, .roles = "w...."}},
      {"DwmMoveWindow", {.failure = 0, .lowest = 0, .highest = 1, .window_arg = 0, .roles = "w...."}},
      {"ScreenToClient_X", {.roles = "w.."}},
      {"ScreenToClient_Y", {.roles = "w.."}},
      {"GetWindowState", {.failure = -1, .window_arg = 0, .roles = "w"}},
      {"SetWindowState", {.failure = 0, .lowest = 0, .highest = 1, .window_arg = 0, .roles = "w."}},
      {"ActiveWindow", {.failure = 0, .lowest = 0, .highest = 1, .window_arg = 0, .roles = "w"}},
      {"ActiveWindow2", {.failure = 0, .lowest = 0, .highest = 1, .window_arg = 1, .roles = ".w"}},
      {"TopWindow", {.failure = 0, .lowest = 0, .highest = 1, .window_arg = 0, .roles = "w.."}},
      {"BottomWindow", {.failure = 0, .lowest = 0, .highest = 1, .window_arg = 0, .roles = "w."}},
      {"IsTopWindow", {.failure = 0, .lowest = 0, .highest = 1, .window_arg = 0, .roles = "w"}},

      // Processes: only the test's own child program ever starts.
      {"GetStdout", {.roles = "c.", .outside = true}},
      {"GetExitCode", {.lowest = -1, .highest = k32}},
      {"RUNSYNC", {.roles = "c..", .outside = true}},

      // Desktop: key strokes out of range or a plain letter; the clipboard's
      // opener and the module lookup take held windows.
      {"SendKeyPress", {.failure = 0, .lowest = 0, .highest = 1, .roles = "km", .outside = true}},
      {"GetClipboardDSPTEXT", {.roles = "w"}},
      {"GetFileNameFromHwnd", {.window_arg = 0, .roles = "w"}},
      {"OpenHtmlHelp", {.failure = 0, .lowest = 0, .highest = 1, .path_args = first, .longest_path = 259, .outside = true}},

      {"hmjre_load", {.failure = 0, .lowest = 0, .highest = 1, .path_args = first}},
      {"hunspell_load", {.failure = 0, .lowest = 0, .highest = 1, .path_args = first}},
      {"mecab_load", {.failure = 0, .lowest = 0, .highest = 1, .path_args = first}},
      {"nkf_load", {.failure = 0, .lowest = 0, .highest = 1, .path_args = first}},
      // Hunspell's file names are formed in 520-byte buffers (a base name
      // gains ".aff"), so it refuses longer ones itself.
      {"hunspell_Create", {.failure = 0, .lowest = 0, .highest = 1, .path_args = first | second, .longest_path = 515}},
      {"hunspell_SetDictionary", {.failure = 0, .lowest = 0, .highest = 1, .path_args = first, .longest_path = 515}},
      {"hunspell_AddDictionary", {.failure = -1, .other_failure = 0, .lowest = -1, .highest = 1, .path_args = first}},
      // NKF32.DLL opens its files through the C runtime: no long paths.
      {"nkf_fileconvert1", {.failure = 0, .lowest = 0, .highest = 1, .path_args = first, .longest_path = 259}},
      {"nkf_fileconvert2", {.failure = 0, .lowest = 0, .highest = 1, .path_args = first | second, .longest_path = 259}},
      {"hmjre_match", {.failure = -1, .other_failure = 0, .lowest = -1, .highest = 1}},
      {"hunspell_Spell", {.failure = -1, .lowest = -1}},
      {"hunspell_SpellW", {.failure = -1, .lowest = -1}},
      {"hunspell_Suggest", {.failure = -1, .lowest = -1}},
      {"hunspell_SuggestW", {.failure = -1, .lowest = -1}},
      {"hunspell_Add", {.failure = -1, .other_failure = 0, .lowest = -1, .highest = 1}},
      {"hunspell_AddW", {.failure = -1, .other_failure = 0, .lowest = -1, .highest = 1}},
      {"hunspell_RemoveW", {.failure = -1, .other_failure = 0, .lowest = -1, .highest = 1}},
      {"EditorConfigExecute", {.failure = -1, .lowest = -1, .path_args = first}},
      {"EditorConfigExecuteW", {.failure = -1, .lowest = -1, .path_args = first}},
  };
  return table;
}

}  // namespace

const std::vector<Export>& exports() {
  static const std::vector<Export> all = [] {
    std::vector<Export> v;
    for (std::size_t i = 0; i < lmx::kExportCount; ++i) v.push_back({lmx::kExportInfo[i], kCallers[i], kCallersAt[i]});
    return v;
  }();
  return all;
}

const Export* find_export(const std::string& name) {
  for (const auto& e : exports())
    if (name == e.info.name) return &e;
  return nullptr;
}

const Expectation& expectation(const Export& e) {
  static const Expectation none;
  const auto& table = rules();
  if (auto by_name = table.find(e.info.name); by_name != table.end()) return by_name->second;
  if (auto by_family = table.find(e.info.family); by_family != table.end()) return by_family->second;
  return none;
}

}  // namespace hardening
