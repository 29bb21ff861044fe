// lorimax.dll loaded and freed at run time, as the editor does on every macro
// run, its exports called by name through the typed callers of the table.
#ifndef LORIMAX_TESTS_LOADED_LIBRARY_H
#define LORIMAX_TESTS_LOADED_LIBRARY_H

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <stdexcept>
#include <string>

#include "exports/caller.h"
#include "exports/info.h"

class LoadedLibrary {
 public:
  explicit LoadedLibrary(const wchar_t* file = L"lorimax.dll") : module_(LoadLibraryW(file)) {}
  ~LoadedLibrary() { unload(); }
  LoadedLibrary(const LoadedLibrary&) = delete;
  LoadedLibrary& operator=(const LoadedLibrary&) = delete;

  bool loaded() const { return module_ != nullptr; }
  void* address(const char* name) const { return reinterpret_cast<void*>(GetProcAddress(module_, name)); }
  void unload() {
    if (module_) FreeLibrary(module_);
    module_ = nullptr;
  }

  lmx::CallResult call(const char* name, std::initializer_list<lmx::CallArg> args = {}) const {
    return call(name, args.begin(), args.size());
  }
  lmx::CallResult call(const char* name, const lmx::CallArg* args, std::size_t n) const {
    for (std::size_t i = 0; i < lmx::kExportCount; ++i) {
      if (std::strcmp(lmx::kExportInfo[i].name, name) != 0) continue;
      if (n != std::strlen(lmx::kExportInfo[i].kinds)) throw std::logic_error(std::string("arguments of ") + name);
      lmx::CallArg a[lmx::kMostArguments];
      for (std::size_t k = 0; k < n; ++k) a[k] = args[k];
      void* address = reinterpret_cast<void*>(GetProcAddress(module_, name));
      if (!address) throw std::logic_error(std::string("not exported: ") + name);
      return lmx::kCallers[i](address, a);
    }
    throw std::logic_error(std::string("not in the table: ") + name);
  }
  intptr_t integer(const char* name, std::initializer_list<lmx::CallArg> args = {}) const { return call(name, args).i; }
  std::string text(const char* name, std::initializer_list<lmx::CallArg> args = {}) const {
    const lmx::CallResult r = call(name, args);
    return r.p ? static_cast<const char*>(r.p) : "";
  }
  std::wstring wide_text(const char* name, std::initializer_list<lmx::CallArg> args = {}) const {
    const lmx::CallResult r = call(name, args);
    return r.p ? static_cast<const wchar_t*>(r.p) : L"";
  }

 private:
  HMODULE module_;
};

#endif
