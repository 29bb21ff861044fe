// The regular-expression bridge over HMJRE.DLL.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "frame/guarded.h"
#include "bridges/bridge_text.h"
#include "bridges/loader.h"
#include "bridges/regex.h"
#include "frame/cp932.h"
#include "frame/heap.h"
#include "frame/result_buffer.h"
#include "frame/text_args.h"
#include "frame/win_owners.h"

namespace lmx::regex {
namespace {

// HMJRE.DLL's match context as the library exchanges it: 78 bytes, packed.
// Only these fields are the bridge's business; the rest is the library's.
constexpr std::size_t kRecordSize = 78;
constexpr std::size_t kRecordSizeField = 0;
constexpr std::size_t kStartField = 8;
constexpr std::size_t kLengthField = 20;
constexpr std::size_t kPositionField = 24;

struct RegexFunctions {
  unsigned(WINAPI* JreGetVersion)();
  void(WINAPI* GetJreMessage)();
  BOOL(WINAPI* Jre2Open)(void* record);
  BOOL(WINAPI* Jre2Compile)(void* record, const char* pattern);
  BOOL(WINAPI* Jre2GetMatchInfo)(void* record, const char* subject);
  BOOL(WINAPI* Jre2Close)(void* record);
  void(WINAPI* Jre2SetCodePage)();
  int(WINAPI* JreGetTagPosition)(void* record, int tag_digit, int* length);
};

constexpr bridges::ExportSlot kRegexExports[] = {
    LMX_ENGINE_REQUIRED(RegexFunctions, JreGetVersion),    LMX_ENGINE_REQUIRED(RegexFunctions, GetJreMessage),
    LMX_ENGINE_REQUIRED(RegexFunctions, Jre2Open),         LMX_ENGINE_REQUIRED(RegexFunctions, Jre2Compile),
    LMX_ENGINE_REQUIRED(RegexFunctions, Jre2GetMatchInfo), LMX_ENGINE_REQUIRED(RegexFunctions, Jre2Close),
    LMX_ENGINE_REQUIRED(RegexFunctions, Jre2SetCodePage),  LMX_ENGINE_REQUIRED(RegexFunctions, JreGetTagPosition),
};

constexpr char kDefaultFile[] = "HMJRE.DLL";
constexpr std::size_t kFileNameSize = 260;
constexpr std::uint32_t kInitialWorkSize = 2048;

bridges::Engine<RegexFunctions> g_engine{kDefaultFile, kRegexExports};
char g_file_name[kFileNameSize] = "HMJRE.DLL";
// Everything a match leaves behind for the calls that read it: the engine's
// record, the three work buffers (the text matched, the subject the engine
// works on, folded for option 1, and the subject as given, for the tags) and
// the last match's place. One reset gives the unloaded state, in which the
// last match's position and length can still be read.
struct MatchState {
  alignas(8) unsigned char record[kRecordSize] = {};
  bool record_open = false;
  bool compiled = false;
  std::uint32_t work_size = 0;
  HeapBlock<char> match_text, working_subject, subject_copy;
  std::size_t subject_length = 0;
  std::uint32_t match_position = 0, match_length = 0;

  void reset() {
    record_open = compiled = false;
    release_buffers();
  }
  void release_buffers() {
    match_text.reset();
    working_subject.reset();
    subject_copy.reset();
    work_size = 0;
    subject_length = 0;
  }
  // The three work buffers at `size` bytes, each holding the empty string.
  bool allocate_buffers(std::size_t size) {
    release_buffers();
    match_text = heap_array<char>(size);
    working_subject = heap_array<char>(size);
    subject_copy = heap_array<char>(size);
    if (!match_text || !working_subject || !subject_copy) {
      release_buffers();
      return false;
    }
    match_text[0] = working_subject[0] = subject_copy[0] = 0;
    work_size = static_cast<std::uint32_t>(size);
    return true;
  }
  void put_field(std::size_t offset, std::int32_t value) { std::memcpy(record + offset, &value, sizeof value); }
  std::int32_t field(std::size_t offset) const {
    std::int32_t value;
    std::memcpy(&value, record + offset, sizeof value);
    return value;
  }
};
MatchState g_state;

bool open_record() {
  g_state.put_field(kRecordSizeField, static_cast<std::int32_t>(kRecordSize));
  g_state.record_open = g_engine.fn().Jre2Open(g_state.record) != 0;
  return g_state.record_open;
}

// Back to the unloaded state; while the process exits the engine is no
// longer called.
void unload(StopReason reason) {
  if (g_engine.loaded() && g_state.record_open && reason == StopReason::library_unloaded)
    g_engine.fn().Jre2Close(g_state.record);
  g_state.reset();
  g_engine.free(reason);
}

bool set_file_name(std::string_view name) {
  if (name.size() >= kFileNameSize) return false;
  std::memcpy(g_file_name, name.data(), name.size());
  g_file_name[name.size()] = 0;
  return true;
}

// A registry value as stored, whatever its type, in a 260-byte text; empty
// when the key or value is missing or does not fit.
std::string registry_text(HKEY root, const char* key_name, const char* value_name) {
  RegistryKey key;
  if (RegOpenKeyExA(root, key_name, 0, KEY_READ, key.put()) != ERROR_SUCCESS) return {};
  char text[kFileNameSize] = {};
  DWORD size = sizeof text - 1;  // always room for a terminator
  if (RegQueryValueExA(key.get(), value_name, nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size) != ERROR_SUCCESS)
    return {};
  return text;
}

bool try_file(const std::string& folder_text) {
  if (folder_text.empty() || !set_file_name(folder_text + kDefaultFile)) return false;
  return g_engine.open(g_file_name);
}

// The editor's uninstaller path, cut where "hmsetup.exe" begins, then its
// home folder (run on without a separator, as the editor stores it).
bool open_through_registry_unguarded() {
  std::string uninstall = registry_text(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Hidemaru",
                                        "UninstallString");
  const std::size_t setup = uninstall.find("hmsetup.exe");
  if (setup != std::string::npos && try_file(uninstall.substr(0, setup))) return true;
  return try_file(registry_text(HKEY_CURRENT_USER, "Software\\Hidemaruo\\TuruKame\\Config", "HomeDir"));
}

// The registry texts are strings; without memory for them nothing is found.
bool open_through_registry() { return guarded(false, open_through_registry_unguarded); }

intptr_t load_named(std::string_view name) {
  // A second load gives back the first instead of losing it.
  unload(StopReason::library_unloaded);
  const bool named = name.empty() || set_file_name(name);
  if (!named || (!g_engine.open(g_file_name) && !open_through_registry())) {
    set_file_name(kDefaultFile);
    return 0;
  }
  if (!g_engine.resolve(kRegexExports)) return 0;
  if (!open_record()) {
    g_engine.free();
    return 0;
  }
  if (!g_state.allocate_buffers(kInitialWorkSize)) {
    unload(StopReason::library_unloaded);
    return 0;
  }
  return 1;
}

bool ensure_loaded() { return g_engine.loaded() || load_named({}) == 1; }

// Compiles on an open record: a failed compile closes it, and it is opened
// again before the next one rather than compiled on while closed.
bool compile(std::string_view pattern, intptr_t option) {
  g_state.compiled = false;
  if (!g_state.record_open && !open_record()) return false;
  HeapBlock<char> copy = heap_array<char>(pattern.size() + kSmallSlack);
  if (!copy) return false;
  std::memcpy(copy.get(), pattern.data(), pattern.size());
  copy[pattern.size()] = 0;
  if (option == 1) bridges::fold_pattern_lower(copy.get(), pattern.size());
  // The library is a C interface, but whatever it throws must not reach the host.
  if (!guarded(0, [&] { return g_engine.fn().Jre2Compile(g_state.record, copy.get()); })) {
    g_engine.fn().Jre2Close(g_state.record);
    g_state.record_open = false;
    return false;
  }
  g_state.compiled = true;
  return true;
}

// The text of `length` bytes at `position` of the subject, in the result
// buffer grown to length + kSmallSlack when it does not hold it with its terminator.
const char* subject_part_result(std::int64_t position, std::int64_t length) {
  if (position < 0 || length < 0 || static_cast<std::uint64_t>(position + length) > g_state.subject_length)
    return result().c_str();
  const std::string_view part(g_state.subject_copy.get() + position, static_cast<std::size_t>(length));
  if (!result().assign(part, part.size() + kSmallSlack)) return kEmptyResult;
  return result().data();
}

}  // namespace

intptr_t load(const char* file_name) { return load_named(narrow_arg(file_name)); }

intptr_t free() {
  if (g_engine.loaded()) unload(StopReason::library_unloaded);
  return 1;
}

intptr_t match(const char* subject_arg, const char* pattern_arg, intptr_t option, intptr_t start) {
  const std::string_view subject = narrow_arg(subject_arg), pattern = narrow_arg(pattern_arg);
  if (subject.empty() || pattern.empty()) return -1;
  if (!ensure_loaded()) return -1;
  MatchState& m = g_state;
  m.match_text[0] = 0;
  m.match_position = m.match_length = 0;
  const std::size_t effective_start = start >= 0 && static_cast<std::size_t>(start) <= subject.size() ? start : 0;
  if (!compile(pattern, option)) return -1;
  if (subject.size() + 1 > m.work_size) {
    if (subject.size() + kSmallSlack > INT32_MAX || !m.allocate_buffers(subject.size() + kSmallSlack)) {
      unload(StopReason::library_unloaded);
      return 0;
    }
  }
  std::memcpy(m.working_subject.get(), subject.data(), subject.size());
  std::memcpy(m.subject_copy.get(), subject.data(), subject.size());
  m.working_subject[subject.size()] = m.subject_copy[subject.size()] = 0;
  m.subject_length = subject.size();
  m.put_field(kStartField, static_cast<std::int32_t>(effective_start));
  if (option == 1) cp932::fold_lower(m.working_subject.get(), subject.size(), cp932::fold_all);
  if (!guarded(0, [&m] { return g_engine.fn().Jre2GetMatchInfo(m.record, m.working_subject.get()); })) return 0;
  const std::int32_t length = m.field(kLengthField), position = m.field(kPositionField);
  // A match the library places outside the subject is none.
  if (length <= 0 || position < 0 || static_cast<std::size_t>(position) + length > subject.size()) return 0;
  std::memcpy(m.match_text.get(), subject.data() + position, length);
  m.match_text[length] = 0;
  m.match_position = position;
  m.match_length = length;
  return 1;
}

intptr_t match_info(const char* which) {
  switch (bridges::match_field(narrow_arg(which))) {
    case bridges::MatchField::length: return g_state.match_length;
    case bridges::MatchField::position: return g_state.match_position;
    case bridges::MatchField::none: break;
  }
  return -1;
}

const char* match_string() {
  result().clear();
  if (!g_engine.loaded()) return result().c_str();
  const std::string_view text(g_state.match_text.get(), std::strlen(g_state.match_text.get()));
  if (!result().assign(text, text.size() + kSmallSlack)) return kEmptyResult;
  return result().data();
}

const char* match_tag_string(intptr_t tag) {
  result().clear();
  if (!g_engine.loaded() || tag < 1 || tag > 9 || !g_state.compiled || !g_state.match_text[0]) return result().c_str();
  int length = 0;
  const int position = g_engine.fn().JreGetTagPosition(g_state.record, '0' + static_cast<int>(tag), &length);
  if (position < 0) return result().c_str();
  return subject_part_result(position, length);
}

const char* version() {
  result().clear();
  if (!ensure_loaded() || !result().data()) return result().c_str();
  std::snprintf(result().data(), result().capacity(), "%x", g_engine.fn().JreGetVersion() & 0xFFFFu);
  return result().data();
}

void stop(StopReason reason) {
  if (g_engine.loaded()) unload(reason);
}

}  // namespace lmx::regex
