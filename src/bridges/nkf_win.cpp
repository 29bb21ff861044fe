// The NKF bridge over NKF32.DLL.
#include <windows.h>

#include <cstring>
#include <iterator>
#include <span>
#include <string>

#include "bridges/bridge_text.h"
#include "bridges/error_texts.h"
#include "bridges/loader.h"
#include "bridges/nkf.h"
#include "frame/messages.h"
#include "frame/path_limit.h"
#include "frame/read_only.h"
#include "frame/result_buffer.h"
#include "frame/rewrite_win.h"
#include "frame/text_args.h"

namespace lmx::nkf {
namespace {

struct NkfFunctions {
  void(WINAPI* GetNkfVersion)(char* version);
  int(WINAPI* SetNkfOption)(const char* options);
  // Levels 0 and 1: no output capacity.
  using OlderConversion = void(WINAPI*)(char* out, const char* in);
  OlderConversion NkfConvert;
  void(WINAPI* ToHankaku)(char* in_out);
  OlderConversion ToZenkakuKana, EncodeSubject, ToMime;
  // The in-place conversions mark the levels but are not called: a file is
  // converted into a new file instead (convert_file).
  void(WINAPI* NkfFileConvert1)(const char* path);
  void(WINAPI* NkfFileConvert2)(const char* input, const char* output);
  int(WINAPI* NkfGetKanjiCode)();
  // Level 2: the "Safe" functions.
  using SafeConversion = BOOL(WINAPI*)(char* out, DWORD capacity, DWORD* written, const char* in, DWORD in_length);
  SafeConversion NkfConvertSafe, ToHankakuSafe, ToZenkakuKanaSafe, EncodeSubjectSafe;
  BOOL(WINAPI* GetNkfGuessA)(char* out, DWORD capacity, DWORD* written);
  BOOL(WINAPI* NkfFileConvert1SafeA)(const char* path, DWORD path_size);
  BOOL(WINAPI* NkfFileConvert2SafeA)(const char* input, DWORD input_size, const char* output, DWORD output_size);
};

#define NKF_(member) LMX_ENGINE_REQUIRED(NkfFunctions, member)
constexpr bridges::ExportSlot kVersionExport[] = {NKF_(GetNkfVersion)};
constexpr bridges::ExportSlot kLevel0[] = {NKF_(GetNkfVersion), NKF_(SetNkfOption),  NKF_(NkfConvert),
                                           NKF_(ToHankaku),     NKF_(ToZenkakuKana), NKF_(EncodeSubject)};
constexpr bridges::ExportSlot kLevel1[] = {NKF_(GetNkfVersion),   NKF_(SetNkfOption),    NKF_(NkfConvert),
                                           NKF_(ToHankaku),       NKF_(ToZenkakuKana),   NKF_(NkfGetKanjiCode),
                                           NKF_(NkfFileConvert1), NKF_(NkfFileConvert2), NKF_(ToMime)};
constexpr bridges::ExportSlot kLevel2[] = {
    NKF_(GetNkfVersion),        NKF_(SetNkfOption),         NKF_(NkfGetKanjiCode), NKF_(NkfConvertSafe),
    NKF_(GetNkfGuessA),         NKF_(NkfFileConvert1SafeA), NKF_(NkfFileConvert2SafeA),
    NKF_(ToHankakuSafe),        NKF_(ToZenkakuKanaSafe),    NKF_(EncodeSubjectSafe)};
#undef NKF_

struct Level {
  const char* version_prefix;  // nullptr: any other version
  std::span<const bridges::ExportSlot> exports;
};
// Tried in this order on the beginning of the version text.
constexpr Level kLevels[] = {{"1.", kLevel0}, {"2.0.4", kLevel1}, {nullptr, kLevel2}};

enum Code : intptr_t { LMX_MESSAGES_nkf_bridge(LMX_MESSAGE_CODE) };
constexpr const char* kMessages[] = {LMX_MESSAGES_nkf_bridge(LMX_MESSAGE_TEXT)};

bridges::Engine<NkfFunctions> g_engine{"NKF32.DLL", kLevel2};
int g_level = 0;
intptr_t g_code = no_error;

const NkfFunctions& fn() { return g_engine.fn(); }

// How each string conversion is made at each level.
struct ConversionRule {
  const char* options;  // nullptr: the caller's
  NkfFunctions::SafeConversion NkfFunctions::*safe;
  NkfFunctions::OlderConversion NkfFunctions::*older;  // nullptr: ToHankaku, in place
};
ConversionRule rule_of(Conversion conversion) {
  switch (conversion) {
    case Conversion::exec: return {nullptr, &NkfFunctions::NkfConvertSafe, &NkfFunctions::NkfConvert};
    case Conversion::to_hankaku: return {"-ZSs", &NkfFunctions::ToHankakuSafe, nullptr};
    case Conversion::to_zenkaku_kana: return {"-Ss", &NkfFunctions::ToZenkakuKanaSafe, &NkfFunctions::ToZenkakuKana};
    case Conversion::to_mime: break;
  }
  return {"-jM", &NkfFunctions::EncodeSubjectSafe, g_level == 0 ? &NkfFunctions::EncodeSubject : &NkfFunctions::ToMime};
}

// Options that would end the process are refused like options the DLL refuses.
bool set_options(const char* options) {
  if (bridges::nkf_options_end_process(options) || fn().SetNkfOption(options) < 0) {
    g_code = option_refused;
    return false;
  }
  return true;
}

// The Safe functions of nkf 2.1.5 succeed on a full buffer without ending the
// text and say what they needed: grow and convert again until the whole
// output fits with its terminator, within the cap.
const char* convert_safe(NkfFunctions::SafeConversion function, std::string_view text) {
  NarrowResult& out = result();
  for (;;) {
    DWORD written = 0;
    if (function(out.data(), static_cast<DWORD>(out.capacity()), &written, text.data(), static_cast<DWORD>(text.size())) != 1) {
      g_code = command_failed;
      out.clear();
      return out.data();
    }
    if (written < out.capacity()) {
      out.data()[written] = 0;
      g_code = no_error;
      return out.data();
    }
    const std::size_t needed = std::size_t{written} + 1;
    if (!out.ensure_doubled(needed)) {
      g_code = command_failed;
      return kEmptyResult;
    }
  }
}

bool is_file(const char* path) {
  const DWORD attributes = GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}
bool exists(const char* path) { return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }

// The checks both file conversions share; false with the code set.
bool file_conversion_allowed() {
  if (!g_engine.loaded()) return g_code = not_loaded, false;
  if (g_level == 0) return g_code = wrong_version, false;
  return true;
}

DWORD size_with_terminator(const char* text) { return static_cast<DWORD>(std::strlen(text) + 1); }

// NKF32.DLL closes the output it failed to open, a C-runtime parameter check
// that ends the process on Windows, and leaves its input open. So the output
// is always a file made here first (never over an existing one): the new file
// of a rewrite, for the engine to open again.
bool convert_into(const char* input, const char* output) {
  if (g_level == 2)
    return fn().NkfFileConvert2SafeA(input, size_with_terminator(input), output, size_with_terminator(output)) == 1;
  fn().NkfFileConvert2(input, output);
  return true;
}

// Whether the file converted in place can be written back: not marked
// read-only (NKF32.DLL would clear the mark and rewrite the file; a file its
// owner marked so is refused, as nkf's own --overwrite refuses it), and not
// held by a program that refuses writers.
bool writable_in_place(const char* path) {
  if (marked_read_only(path)) return false;
  return static_cast<bool>(FileHandle(CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)));
}

}  // namespace

intptr_t load(const char* file_name) {
  g_level = 0;
  if (!g_engine.open(narrow_arg(file_name)) || !g_engine.resolve(kVersionExport)) {
    g_code = not_loaded;
    return 0;
  }
  char version_text[256] = {};
  fn().GetNkfVersion(version_text);
  const std::string_view version(version_text, strnlen(version_text, sizeof version_text));
  for (const Level& level : kLevels) {
    if (level.version_prefix && !version.starts_with(level.version_prefix)) continue;
    g_level = static_cast<int>(&level - kLevels);
    if (!g_engine.resolve(level.exports)) {
      g_code = missing_function;
      return 0;
    }
    break;
  }
  g_code = no_error;
  return 1;
}

intptr_t free() {
  g_engine.free();
  g_code = no_error;
  return 1;
}

const char* module_file_name() { return g_engine.module_file_name(); }

const char* convert(Conversion conversion, const char* options, const char* text_arg) {
  if (!g_engine.loaded()) return g_code = not_loaded, kEmptyResult;
  const std::string_view text = narrow_arg(text_arg);
  if (text.empty()) return g_code = empty_argument, kEmptyResult;
  NarrowResult& out = result();
  // The older functions write without a capacity: the buffer must first hold
  // the largest output nkf can make of this text.
  const std::size_t needed = g_level == 2 ? text.size() + 1 : bridges::nkf_worst_output(text.size());
  const std::size_t grown = g_level == 2 ? doubled(text.size()) : needed;
  // A text whose output could not fit the result buffer is refused.
  if (!out.ensure(needed, grown)) return g_code = command_failed, kEmptyResult;
  const ConversionRule rule = rule_of(conversion);
  if (!set_options(rule.options ? rule.options : narrow_cstr(options))) return kEmptyResult;
  if (g_level == 2) return convert_safe(fn().*rule.safe, text);
  if (rule.older) {
    (fn().*rule.older)(out.data(), text_arg);
  } else {
    std::memcpy(out.data(), text.data(), text.size());
    out.data()[text.size()] = 0;
    fn().ToHankaku(out.data());
  }
  g_code = no_error;
  return out.data();
}

// Converted into a new file beside it, which takes its place only when whole:
// the engine's own in-place conversion empties the file first and rewrites
// it, so a kill in between would leave half of it.
intptr_t convert_file(const char* path_arg, const char* options) {
  if (!file_conversion_allowed()) return 0;
  const char* path = narrow_cstr(path_arg);
  if (!*path) return g_code = empty_argument, 0;
  // NKF32.DLL opens its files through the C runtime, which takes no long path.
  if (!may_open(path, MAX_PATH - 1) || !is_file(path)) return g_code = bad_input_file, 0;
  if (!set_options(narrow_cstr(options))) return 0;
  if (!writable_in_place(path)) return g_code = bad_input_file, 0;
  Rewrite<char> rewrite(path, MAX_PATH - 1);
  if (!rewrite.make_empty()) return g_code = command_failed, 0;
  g_code = convert_into(path, rewrite.temporary().c_str()) && rewrite.commit(true) ? no_error : command_failed;
  return 1;
}

// The output is written under a name of its own in the output's folder and
// gets its name only when whole, so that no half output ever stands there.
intptr_t convert_file_to(const char* input_arg, const char* output_arg, const char* options) {
  if (!file_conversion_allowed()) return 0;
  const char* input = narrow_cstr(input_arg);
  const char* output = narrow_cstr(output_arg);
  if (!*input || !*output) return g_code = empty_argument, 0;
  if (!may_open(input, MAX_PATH - 1) || !is_file(input)) return g_code = bad_input_file, 0;
  if (!may_open(output, MAX_PATH - 1) || exists(output)) return g_code = output_exists, 0;
  if (!set_options(narrow_cstr(options))) return 0;
  Rewrite<char> rewrite(output, MAX_PATH - 1);
  if (!rewrite.make_empty()) return g_code = output_exists, 0;
  if (!convert_into(input, rewrite.temporary().c_str())) return g_code = command_failed, 1;
  // Another file took the name meanwhile: it stays, and this output goes.
  if (!rewrite.commit(false)) return g_code = output_exists, 0;
  g_code = no_error;
  return 1;
}

const char* guess() {
  if (!g_engine.loaded()) return g_code = not_loaded, kEmptyResult;
  if (g_level != 2) return g_code = wrong_version, kEmptyResult;
  NarrowResult& out = result();
  DWORD written = 0;
  const bool ok = out.data() && fn().GetNkfGuessA(out.data(), static_cast<DWORD>(out.capacity()), &written) == 1;
  g_code = ok ? no_error : command_failed;
  if (!ok) out.clear();
  return out.c_str();
}

intptr_t kanji_code() {
  if (!g_engine.loaded() || g_level == 0) return -1;
  return fn().NkfGetKanjiCode();
}

const char* version() {
  if (!g_engine.loaded()) return g_code = not_loaded, kEmptyResult;
  if (!result().data()) return kEmptyResult;
  fn().GetNkfVersion(result().data());
  g_code = no_error;
  return result().data();
}

intptr_t error_code() { return g_code; }

const char* error_message() {
  const char* text = bridges::message_of(kMessages, g_code);
  if (!text || !result().assign(text, std::strlen(text) + 1)) return kEmptyResult;
  return result().data();
}

void stop(StopReason reason) { g_engine.free(reason); }

}  // namespace lmx::nkf
