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
alignas(8) unsigned char g_record[kRecordSize];
bool g_record_open = false;
bool g_compiled = false;
std::uint32_t g_work_size = 0;
HeapBlock<char> g_match_text;
HeapBlock<char> g_working_subject;
HeapBlock<char> g_subject_copy;
std::size_t g_subject_length = 0;
std::uint32_t g_match_position = 0;
std::uint32_t g_match_length = 0;

void put_field(std::size_t offset, std::int32_t value) { std::memcpy(g_record + offset, &value, sizeof value); }
std::int32_t field(std::size_t offset) {
  std::int32_t value;
  std::memcpy(&value, g_record + offset, sizeof value);
  return value;
}

void release_work_buffers() {
  g_match_text.reset();
  g_working_subject.reset();
  g_subject_copy.reset();
  g_work_size = 0;
  g_subject_length = 0;
}

// The three work buffers at `size` bytes, each holding the empty string.
bool allocate_work_buffers(std::size_t size) {
  release_work_buffers();
  g_match_text = heap_array<char>(size);
  g_working_subject = heap_array<char>(size);
  g_subject_copy = heap_array<char>(size);
  if (!g_match_text || !g_working_subject || !g_subject_copy) {
    release_work_buffers();
    return false;
  }
  g_match_text[0] = g_working_subject[0] = g_subject_copy[0] = 0;
  g_work_size = static_cast<std::uint32_t>(size);
  return true;
}

bool open_record() {
  put_field(kRecordSizeField, static_cast<std::int32_t>(kRecordSize));
  g_record_open = g_engine.fn().Jre2Open(g_record) != 0;
  return g_record_open;
}

// Back to the unloaded state; while the process exits the engine is no
// longer called.
void unload(StopReason reason) {
  if (g_engine.loaded() && g_record_open && reason == StopReason::library_unloaded) g_engine.fn().Jre2Close(g_record);
  g_record_open = false;
  g_compiled = false;
  g_engine.free(reason);
  release_work_buffers();
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
  if (!allocate_work_buffers(kInitialWorkSize)) {
    unload(StopReason::library_unloaded);
    return 0;
  }
  return 1;
}

bool ensure_loaded() { return g_engine.loaded() || load_named({}) == 1; }

// Compiles on an open record: a failed compile closes it, and it is opened
// again before the next one rather than compiled on while closed.
bool compile(std::string_view pattern, intptr_t option) {
  g_compiled = false;
  if (!g_record_open && !open_record()) return false;
  HeapBlock<char> copy = heap_array<char>(pattern.size() + 10);
  if (!copy) return false;
  std::memcpy(copy.get(), pattern.data(), pattern.size());
  copy[pattern.size()] = 0;
  if (option == 1) bridges::fold_pattern_lower(copy.get(), pattern.size());
  // The library is a C interface, but whatever it throws must not reach the host.
  if (!guarded(0, [&] { return g_engine.fn().Jre2Compile(g_record, copy.get()); })) {
    g_engine.fn().Jre2Close(g_record);
    g_record_open = false;
    return false;
  }
  g_compiled = true;
  return true;
}

// The text of `length` bytes at `position` of the subject, in the result
// buffer grown to length + 10 when it does not hold it with its terminator.
const char* subject_part_result(std::int64_t position, std::int64_t length) {
  if (position < 0 || length < 0 || static_cast<std::uint64_t>(position + length) > g_subject_length) return result().c_str();
  const std::string_view part(g_subject_copy.get() + position, static_cast<std::size_t>(length));
  if (!result().assign(part, part.size() + 10)) return kEmptyResult;
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
  g_match_text[0] = 0;
  g_match_position = g_match_length = 0;
  const std::size_t effective_start = start >= 0 && static_cast<std::size_t>(start) <= subject.size() ? start : 0;
  if (!compile(pattern, option)) return -1;
  if (subject.size() + 1 > g_work_size) {
    if (subject.size() + 10 > INT32_MAX || !allocate_work_buffers(subject.size() + 10)) {
      unload(StopReason::library_unloaded);
      return 0;
    }
  }
  std::memcpy(g_working_subject.get(), subject.data(), subject.size());
  std::memcpy(g_subject_copy.get(), subject.data(), subject.size());
  g_working_subject[subject.size()] = g_subject_copy[subject.size()] = 0;
  g_subject_length = subject.size();
  put_field(kStartField, static_cast<std::int32_t>(effective_start));
  if (option == 1) cp932::fold_lower(g_working_subject.get(), subject.size(), cp932::fold_all);
  if (!guarded(0, [] { return g_engine.fn().Jre2GetMatchInfo(g_record, g_working_subject.get()); })) return 0;
  const std::int32_t length = field(kLengthField), position = field(kPositionField);
  // A match the library places outside the subject is none.
  if (length <= 0 || position < 0 || static_cast<std::size_t>(position) + length > subject.size()) return 0;
  std::memcpy(g_match_text.get(), subject.data() + position, length);
  g_match_text[length] = 0;
  g_match_position = position;
  g_match_length = length;
  return 1;
}

intptr_t match_info(const char* which) {
  switch (bridges::match_field(narrow_arg(which))) {
    case bridges::MatchField::length: return g_match_length;
    case bridges::MatchField::position: return g_match_position;
    case bridges::MatchField::none: break;
  }
  return -1;
}

const char* match_string() {
  result().clear();
  if (!g_engine.loaded()) return result().c_str();
  const std::string_view text(g_match_text.get(), std::strlen(g_match_text.get()));
  if (!result().assign(text, text.size() + 10)) return kEmptyResult;
  return result().data();
}

const char* match_tag_string(intptr_t tag) {
  result().clear();
  if (!g_engine.loaded() || tag < 1 || tag > 9 || !g_compiled || !g_match_text[0]) return result().c_str();
  int length = 0;
  const int position = g_engine.fn().JreGetTagPosition(g_record, '0' + static_cast<int>(tag), &length);
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
