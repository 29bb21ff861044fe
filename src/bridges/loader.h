// The shared loader of the engine bridges. An engine is a library that a
// bridge loads at run time by file name; its exports are resolved by exact
// name into one struct of typed function pointers, described by a small table:
//
//   struct SpellFunctions { Hunspell* (*Hunspell_create)(const char*, const char*); ... };
//   constexpr ExportSlot kSpellExports[] = {
//       LMX_ENGINE_REQUIRED(SpellFunctions, Hunspell_create),
//       LMX_ENGINE_OPTIONAL(SpellFunctions, Hunspell_add_dic)};
//   Engine<SpellFunctions> g_spell{"libhunspell.dll", kSpellExports};
//   g_spell.load("") ... g_spell.fn().Hunspell_create(...) ... g_spell.free();
//
// A bare file name (no folder in it) is looked up in the application's
// folder, this library's own folder, the system folders and the folders on
// PATH, in that order, never in the current directory, and the library is
// loaded by the full path found.
#ifndef LORIMAX_BRIDGES_LOADER_H
#define LORIMAX_BRIDGES_LOADER_H

#include <cstddef>
#include <span>
#include <string_view>
#include <type_traits>

#include "frame/lifecycle.h"
#include "frame/win_owners.h"

namespace lmx::bridges {

// One export of an engine: its exact name, where its pointer lives in the
// engine's struct of functions, and whether a load fails without it.
// An optional export that is missing leaves its pointer null: check it at use.
struct ExportSlot {
  const char* name;
  std::size_t offset;
  bool required;
};

#define LMX_ENGINE_REQUIRED(Functions, member) \
  ::lmx::bridges::ExportSlot { #member, offsetof(Functions, member), true }
#define LMX_ENGINE_OPTIONAL(Functions, member) \
  ::lmx::bridges::ExportSlot { #member, offsetof(Functions, member), false }

enum class LoadOutcome { loaded, not_found, missing_export };

// The module handle of one engine, without knowledge of its functions.
class Library {
 public:
  // Loads the file (see above for bare names). False when nothing was loaded.
  bool open(std::string_view file_name);
  // Fills the slots of `functions` from the loaded module. Returns the name of
  // the first required export that is missing, or nullptr when all are there.
  // Slots not found are null; nothing is freed here.
  const char* resolve(std::span<const ExportSlot> exports, void* functions) const;
  // Unloads the module, except while the process exits: other libraries may be
  // gone by then, so the handle is only forgotten.
  void close(StopReason reason);
  bool is_open() const { return static_cast<bool>(module_); }
  // The loaded file's full path in the result buffer, or the empty result when
  // nothing is loaded or the path does not fit.
  const char* module_file_name() const;
  HMODULE handle() const { return module_.get(); }

 private:
  LoadedModule module_;
};

// One engine: its default file name, its library and its functions. Module
// state of a bridge; zero until loaded, cleared again on free.
template <class Functions>
class Engine {
  static_assert(std::is_standard_layout_v<Functions> && std::is_trivially_copyable_v<Functions>,
                "an engine's functions are a plain struct of function pointers");

 public:
  constexpr Engine(const char* default_file, std::span<const ExportSlot> exports)
      : default_file_(default_file), exports_(exports) {}

  // Frees an earlier load, loads `file_name` (the default when empty) and
  // resolves the engine's table. A missing required export frees it again.
  LoadOutcome load(std::string_view file_name) {
    if (!open(file_name)) return LoadOutcome::not_found;
    return resolve(exports_) ? LoadOutcome::loaded : LoadOutcome::missing_export;
  }
  // The two steps apart, for engines whose exports depend on what the library
  // itself says (a version): open, resolve a first table, look, resolve more.
  bool open(std::string_view file_name) {
    free();
    return library_.open(file_name.empty() ? std::string_view(default_file_) : file_name);
  }
  // Resolves `exports` (the slots of other tables are cleared); on a missing
  // required export the library is freed and the answer is false.
  bool resolve(std::span<const ExportSlot> exports) {
    functions_ = Functions{};
    if (library_.resolve(exports, &functions_) == nullptr) return true;
    free();
    return false;
  }
  void free(StopReason reason = StopReason::library_unloaded) {
    library_.close(reason);
    functions_ = Functions{};
  }

  bool loaded() const { return library_.is_open(); }
  const Functions& fn() const { return functions_; }
  const char* default_file() const { return default_file_; }
  const char* module_file_name() const { return library_.module_file_name(); }

 private:
  const char* default_file_;
  std::span<const ExportSlot> exports_;
  Library library_;
  Functions functions_{};
};

}  // namespace lmx::bridges

#endif
