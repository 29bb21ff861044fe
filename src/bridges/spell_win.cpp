// The spell-check bridge over Hunspell's C interface.
#include <windows.h>

#include <io.h>

#include <cstring>

#include "bridges/file_lines_win.h"
#include "bridges/loader.h"
#include "bridges/spell.h"
#include "bridges/spell_counts.h"
#include "bridges/spell_files.h"
#include "frame/guarded.h"
#include "frame/messages.h"
#include "frame/path_limit.h"
#include "frame/result_buffer.h"
#include "frame/text_args.h"

namespace lmx::spell {
namespace {

struct Hunhandle;

struct SpellFunctions {
  Hunhandle* (*Hunspell_create)(const char* affix, const char* dictionary);
  void (*Hunspell_destroy)(Hunhandle*);
  int (*Hunspell_spell)(Hunhandle*, const char* word);
  int (*Hunspell_suggest)(Hunhandle*, char*** list, const char* word);
  void (*Hunspell_free_list)(Hunhandle*, char*** list, int count);
  int (*Hunspell_add)(Hunhandle*, const char* word);
  char* (*Hunspell_get_dic_encoding)(Hunhandle*);
  int (*Hunspell_remove)(Hunhandle*, const char* word);
  int (*Hunspell_add_dic)(Hunhandle*, const char* path);
  const char* (*Hunspell_getversion)();
};

constexpr bridges::ExportSlot kSpellExports[] = {
    LMX_ENGINE_REQUIRED(SpellFunctions, Hunspell_create),
    LMX_ENGINE_REQUIRED(SpellFunctions, Hunspell_destroy),
    LMX_ENGINE_REQUIRED(SpellFunctions, Hunspell_spell),
    LMX_ENGINE_REQUIRED(SpellFunctions, Hunspell_suggest),
    LMX_ENGINE_REQUIRED(SpellFunctions, Hunspell_free_list),
    LMX_ENGINE_REQUIRED(SpellFunctions, Hunspell_add),
    LMX_ENGINE_REQUIRED(SpellFunctions, Hunspell_get_dic_encoding),
    LMX_ENGINE_OPTIONAL(SpellFunctions, Hunspell_remove),
    LMX_ENGINE_OPTIONAL(SpellFunctions, Hunspell_add_dic),
    LMX_ENGINE_OPTIONAL(SpellFunctions, Hunspell_getversion),
};

// The messages (exports/messages.txt), in code page 932.
namespace message {
LMX_MESSAGES_spell_bridge(LMX_MESSAGE_NAMED)
}  // namespace message

bridges::Engine<SpellFunctions> g_engine{"libhunspell.dll", kSpellExports};
DictionaryFiles g_files;
char g_last_error[255] = {};

const SpellFunctions& fn() { return g_engine.fn(); }

template <class Result>
Result fail(const char* text, Result value) {
  std::strncpy(g_last_error, text, sizeof g_last_error - 1);
  return value;
}

// Hunspell throws (std::bad_alloc, std::length_error) on a file whose counts
// ask for more than can be had, such as "REP 2000000000" in an affix file.
// An exception from a Hunspell call fails that call.
template <class Result, class Call>
Result engine_call(Result failure, Call call) {
  bool threw = true;
  const Result result = guarded(failure, [&] {
    const Result value = call();
    threw = false;
    return value;
  });
  if (threw) fail(message::out_of_memory, failure);
  return result;
}

// What Hunspell made for the macro: the instance and the last suggestion
// list, which is Hunspell's to free through that instance. One reset gives
// both back; while the process exits they are only forgotten.
struct Made {
  Hunhandle* instance = nullptr;
  char** list = nullptr;
  int count = -1;

  void give_back_list() {
    if (count >= 0 && list) fn().Hunspell_free_list(instance, &list, count);
    list = nullptr;
    count = -1;
  }
  void reset() {
    if (!instance) return;
    give_back_list();
    fn().Hunspell_destroy(instance);
    instance = nullptr;
  }
  void forget() { *this = Made{}; }
};
Made g_made;

bool paths_set() { return g_files.affix[0] && g_files.dictionary[0]; }

// A file Hunspell can open: a file, not a device, there, no directory, and
// readable now. (Hunspell makes an instance even from files it cannot read,
// which then knows no word.)
bool readable_file(const char* path) {
  if (!may_open(path)) return false;
  const DWORD attributes = GetFileAttributesA(path);
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
  return static_cast<bool>(FileHandle(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)));
}

// Why Hunspell must not be given this file, or null: it is no file on a disk
// (a read of a device can wait for ever), or a count in it is more than a
// file of its size can hold (Hunspell sizes memory by the counts before it
// reads what they count, spell_counts.h). Read as Hunspell reads it: the
// ANSI name, text mode; a dictionary's first line, every line of an affix file.
const char* file_refusal(const char* path, bool dictionary, const char* missing) {
  return guarded(message::out_of_memory, [&]() -> const char* {
    FileStream file;
    switch (bridges::open_text_file(FileHandle(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)),
                                    file)) {
      case bridges::Opened::file: break;
      case bridges::Opened::missing:
      case bridges::Opened::not_a_file: return missing;
    }
    const auto size = static_cast<std::uint64_t>(_filelengthi64(_fileno(file.get())));
    bool first = true, fits = true;
    bridges::read_lines(file.get(), [&](std::string_view line) {
      fits = dictionary ? word_count_fits(line, size) : !overcounted_table(line, first, size);
      first = false;
      return fits && !dictionary;
    });
    return fits ? nullptr : message::overcounted;
  });
}

// The checks that the word operations share, in their order. The answer is
// the failure's message, or null when the word may go to Hunspell.
const char* word_refusal(const char* word, const char* empty_message, bool needs_paths) {
  if (!g_engine.loaded()) return message::not_loaded;
  if (!*word) return empty_message;
  if (needs_paths && !paths_set()) return message::no_dictionary;
  if (!g_made.instance) return message::no_instance;
  return nullptr;
}

}  // namespace

void stop(StopReason reason) {
  if (!g_engine.loaded()) return;
  if (reason == StopReason::library_unloaded) {
    free();
    return;
  }
  // The process is exiting: Hunspell may be gone already; forget it.
  g_made.forget();
  g_engine.free(reason);
}

intptr_t load(const char* file_name) {
  // A new load replaces the library: what the old one made goes first.
  if (g_engine.loaded()) free();
  switch (g_engine.load(narrow_arg(file_name))) {
    case bridges::LoadOutcome::loaded: return 1;
    case bridges::LoadOutcome::not_found: return fail(message::load_failed, 0);
    case bridges::LoadOutcome::missing_export: break;
  }
  return fail(message::export_missing, 0);
}

intptr_t free() {
  if (g_engine.loaded()) {
    g_made.reset();
    g_engine.free();
  }
  return 1;
}

const char* module_file_name() { return g_engine.module_file_name(); }

intptr_t create(const char* dictionary, const char* affix) {
  if (!g_engine.loaded()) return fail(message::not_loaded, 0);
  if (!*dictionary) return fail(message::no_first_argument, 0);
  DictionaryFiles files;
  switch (form_dictionary_files(dictionary, affix, files)) {
    case Naming::formed: break;
    case Naming::affix_failed: return fail(message::affix_name_failed, 0);
    case Naming::dictionary_failed: return fail(message::dictionary_name_failed, 0);
  }
  if (!readable_file(files.affix) || !readable_file(files.dictionary)) {
    g_files = DictionaryFiles{};
    return fail(message::files_missing, 0);
  }
  if (const char* refusal = file_refusal(files.affix, false, message::files_missing)) return fail(refusal, 0);
  if (const char* refusal = file_refusal(files.dictionary, true, message::files_missing)) return fail(refusal, 0);
  g_files = files;
  g_made.reset();
  // A null instance is kept (later calls say so); a throw fails the call.
  bool made = false;
  g_made.instance = engine_call<Hunhandle*>(nullptr, [&made] {
    Hunhandle* instance = fn().Hunspell_create(g_files.affix, g_files.dictionary);
    made = true;
    return instance;
  });
  return made ? 1 : 0;
}

intptr_t add_dictionary(const char* path) {
  if (const char* refusal = word_refusal(path, message::empty_argument, true)) return fail(refusal, -1);
  if (!fn().Hunspell_add_dic) return fail(message::function_missing, -1);
  if (!readable_file(path)) return fail(message::extra_dictionary_missing, -1);
  if (const char* refusal = file_refusal(path, true, message::extra_dictionary_missing)) return fail(refusal, -1);
  return engine_call<intptr_t>(-1, [path] { return fn().Hunspell_add_dic(g_made.instance, path) == 0 ? 1 : 0; });
}

intptr_t check(const char* word) {
  if (const char* refusal = word_refusal(word, message::empty_argument, true)) return fail(refusal, -1);
  return engine_call<intptr_t>(-1, [word] { return fn().Hunspell_spell(g_made.instance, word); });
}

intptr_t suggest(const char* word) {
  if (const char* refusal = word_refusal(word, message::empty_argument, true)) return fail(refusal, -1);
  g_made.give_back_list();
  char** list = nullptr;
  const int count = engine_call(-1, [&] { return fn().Hunspell_suggest(g_made.instance, &list, word); });
  if (count > 0) {
    g_made.list = list;
    g_made.count = count;
  } else if (list) {
    fn().Hunspell_free_list(g_made.instance, &list, 0);  // an empty list is still Hunspell's to free
  }
  return count;
}

const char* suggestion(intptr_t index) {
  if (!g_engine.loaded()) return fail(message::not_loaded, kEmptyResult);
  if (!g_made.list || g_made.count < 0) return fail(message::no_suggestions, kEmptyResult);
  // An index outside the list reads nothing: there is no such candidate.
  if (index < 0 || index >= g_made.count) return fail(message::no_suggestions, kEmptyResult);
  const std::string_view entry = narrow_arg(g_made.list[index]);
  auto& out = result();
  if (2 * entry.size() > out.capacity() && !out.ensure(entry.size() + 1, doubled(2 * entry.size())))
    return fail(message::out_of_memory, kEmptyResult);
  if (!out.assign(entry, doubled(2 * entry.size()))) return fail(message::out_of_memory, kEmptyResult);
  return out.data();
}

const wchar_t* suggestion_w(intptr_t index) {
  const char* utf8 = suggestion(index);
  if (utf8 == kEmptyResult || !*utf8) return as_wchar(kEmptyWideResult);
  const int units = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
  auto& out = wide_result();
  if (units <= 0 || !out.ensure_doubled(static_cast<std::size_t>(units)))
    return as_wchar(kEmptyWideResult);
  if (MultiByteToWideChar(CP_UTF8, 0, utf8, -1, as_wchar(out.data()), static_cast<int>(out.capacity())) <= 0)
    return as_wchar(kEmptyWideResult);
  return as_wchar(out.data());
}

intptr_t add(const char* word) {
  if (const char* refusal = word_refusal(word, message::bad_argument, false)) return fail(refusal, -1);
  return engine_call<intptr_t>(-1, [word] { return fn().Hunspell_add(g_made.instance, word) == 0 ? 1 : 0; });
}

intptr_t remove(const char* word) {
  if (const char* refusal = word_refusal(word, message::empty_argument, false)) return fail(refusal, 0);
  if (!fn().Hunspell_remove) return fail(message::function_missing, 0);
  return engine_call<intptr_t>(0, [word] { return fn().Hunspell_remove(g_made.instance, word) == 0 ? 1 : 0; });
}

const char* dictionary_encoding() {
  if (!g_engine.loaded()) return fail(message::not_loaded, kEmptyResult);
  if (!paths_set()) return fail(message::create_not_run, kEmptyResult);
  if (!g_made.instance) return fail(message::no_instance, kEmptyResult);
  const std::string_view encoding = narrow_arg(fn().Hunspell_get_dic_encoding(g_made.instance));
  return result().assign(encoding, encoding.size() + kSmallSlack) ? result().data() : kEmptyResult;
}

const char* version() {
  if (!g_engine.loaded()) return fail(message::not_loaded, kEmptyResult);
  if (!fn().Hunspell_getversion) return fail(message::function_missing, kEmptyResult);
  constexpr std::string_view prefix = "libhunspell.dll Version.";
  const std::string_view engine_version = narrow_arg(fn().Hunspell_getversion());
  auto& out = result();
  const std::size_t length = prefix.size() + engine_version.size();
  out.clear();
  if (!out.ensure(length + 1, length + kSmallSlack)) return kEmptyResult;
  std::memcpy(out.data(), prefix.data(), prefix.size());
  std::memcpy(out.data() + prefix.size(), engine_version.data(), engine_version.size());
  out.data()[length] = 0;
  return out.data();
}

const char* error_message() {
  const std::string_view text = g_last_error;
  return result().assign(text, text.size() + kSmallSlack) ? result().data() : kEmptyResult;
}

intptr_t with_utf8_word(const wchar_t* word, WordOperation operation) {
  const bool integer_zero_on_failure = operation == WordOperation::add || operation == WordOperation::remove;
  if (!*word) return fail(message::empty_argument, -1);
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, word, -1, nullptr, 0, nullptr, nullptr);
  auto& out = result();
  out.clear();
  if (bytes <= 0) return fail(message::utf8_size_failed, -1);
  const auto needed = static_cast<std::size_t>(bytes);
  if (needed > out.capacity() && !out.ensure_doubled(needed)) return fail(message::utf8_grow_failed, -1);
  if (WideCharToMultiByte(CP_UTF8, 0, word, -1, out.data(), static_cast<int>(out.capacity()), nullptr, nullptr) <= 0)
    return fail(message::utf8_failed, integer_zero_on_failure ? 0 : -1);
  const char* utf8 = out.data();
  switch (operation) {
    case WordOperation::check: return check(utf8);
    case WordOperation::suggest: return suggest(utf8);
    case WordOperation::add: return add(utf8);
    case WordOperation::remove: return remove(utf8);
  }
  return -1;
}

}  // namespace lmx::spell
