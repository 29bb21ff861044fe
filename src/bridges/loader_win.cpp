// The shared loader's Windows side: finding a bare file name, loading,
// resolving and freeing.
#include <windows.h>

#include <cstring>
#include <string>

#include "bridges/loader.h"
#include "frame/guarded.h"
#include "frame/path_limit.h"
#include "frame/result_buffer.h"

namespace lmx::bridges {
namespace {

bool is_bare(std::string_view name) { return name.find_first_of("\\/:") == std::string_view::npos; }

// Only folders given in full: a relative entry (".", "bin") would bring the
// current directory back in.
bool is_absolute_folder(std::string_view folder) {
  const bool drive = folder.size() >= 3 && folder[1] == ':' && (folder[2] == '\\' || folder[2] == '/');
  const bool unc = folder.size() >= 3 && (folder.substr(0, 2) == "\\\\" || folder.substr(0, 2) == "//");
  return drive || unc;
}

void add_folder(std::string& list, std::string_view folder) {
  if (folder.size() >= 2 && folder.front() == '"' && folder.back() == '"') folder = folder.substr(1, folder.size() - 2);
  if (!is_absolute_folder(folder) || folder.find(';') != std::string_view::npos) return;
  if (!list.empty()) list += ';';
  list += folder;
}

std::string folder_of(const std::string& path) {
  const std::size_t length = folder_length(path.c_str());
  return path.substr(0, length ? length - 1 : 0);
}

template <class Get>
std::string system_string(Get get) {
  std::string text(MAX_PATH, '\0');
  for (;;) {
    const DWORD n = get(text.data(), static_cast<DWORD>(text.size()));
    if (n == 0) return {};
    if (n < text.size()) return text.substr(0, n);
    text.resize(n + 1);
  }
}

std::string module_folder(HMODULE module) {
  return folder_of(system_string([module](char* b, DWORD n) { return GetModuleFileNameA(module, b, n); }));
}

// This library's own folder: where a macro author puts the engines, beside it.
std::string own_folder() {
  static const char anchor = 0;
  HMODULE self = nullptr;
  const DWORD by_address = GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT;
  return GetModuleHandleExA(by_address, &anchor, &self) ? module_folder(self) : std::string();
}

// Windows' standard search for LoadLibrary without the current directory (the
// application's folder, the system folder, the Windows folder, then PATH),
// with this library's folder after the application's. (SetDllDirectory("") is
// meant to take the current directory out, but Wine keeps it, and the flags
// that remove it there remove PATH as well.)
std::string search_folders() {
  std::string list;
  add_folder(list, module_folder(nullptr));
  add_folder(list, own_folder());
  add_folder(list, system_string([](char* b, DWORD n) { return GetSystemDirectoryA(b, n); }));
  add_folder(list, system_string([](char* b, DWORD n) { return GetWindowsDirectoryA(b, n); }));
  const std::string path = system_string([](char* b, DWORD n) { return GetEnvironmentVariableA("PATH", b, n); });
  std::string_view rest = path;
  while (!rest.empty()) {
    const std::size_t semicolon = rest.find(';');
    add_folder(list, rest.substr(0, semicolon));
    rest = semicolon == std::string_view::npos ? std::string_view() : rest.substr(semicolon + 1);
  }
  return list;
}

std::string locate(const std::string& bare_name) {
  // A module of that name already in the process is what LoadLibrary returns.
  if (HMODULE present = GetModuleHandleA(bare_name.c_str()))
    return system_string([present](char* b, DWORD n) { return GetModuleFileNameA(present, b, n); });
  const std::string folders = search_folders();
  std::string found(MAX_PATH, '\0');
  for (;;) {
    const DWORD n = SearchPathA(folders.c_str(), bare_name.c_str(), ".dll", static_cast<DWORD>(found.size()),
                                found.data(), nullptr);
    if (n == 0) return {};
    if (n < found.size()) return found.substr(0, n);
    found.resize(n + 1);
  }
}

// No failing load may put up a dialog box in the editor.
class QuietErrors {
 public:
  QuietErrors() { SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &previous_); }
  ~QuietErrors() { SetThreadErrorMode(previous_, nullptr); }
  QuietErrors(const QuietErrors&) = delete;
  QuietErrors& operator=(const QuietErrors&) = delete;

 private:
  DWORD previous_ = 0;
};

HMODULE load_file(std::string_view file_name) {
  if (file_name.empty() || file_name.find('\0') != std::string_view::npos) return nullptr;
  std::string name(file_name);
  if (!may_open(name.c_str())) return nullptr;
  QuietErrors quiet;
  if (is_bare(name)) {
    const std::string path = locate(name);
    // The engine's own libraries are then looked for beside it first.
    return path.empty() ? nullptr : LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  }
  return LoadLibraryA(name.c_str());
}

}  // namespace

bool Library::open(std::string_view file_name) {
  close(StopReason::library_unloaded);
  // Finding the file builds strings; without memory for them nothing loads.
  module_.reset(guarded(static_cast<HMODULE>(nullptr), [&] { return load_file(file_name); }));
  return is_open();
}

const char* Library::resolve(std::span<const ExportSlot> exports, void* functions) const {
  const char* missing = nullptr;
  for (const ExportSlot& slot : exports) {
    FARPROC address = module_ ? GetProcAddress(module_.get(), slot.name) : nullptr;
    static_assert(sizeof address == sizeof(void (*)()));
    std::memcpy(static_cast<char*>(functions) + slot.offset, &address, sizeof address);
    if (!address && slot.required && !missing) missing = slot.name;
  }
  return missing;
}

void Library::close(StopReason reason) {
  if (reason == StopReason::library_unloaded)
    module_.reset();
  else
    module_.release();
}

const char* Library::module_file_name() const {
  NarrowResult& out = result();
  if (!module_ || !out.data() || out.capacity() == 0) return kEmptyResult;
  const DWORD n = GetModuleFileNameA(module_.get(), out.data(), static_cast<DWORD>(out.capacity()));
  // A path cut at the capacity is no path.
  if (n == 0 || n >= out.capacity()) {
    out.clear();
    return kEmptyResult;
  }
  return out.data();
}

}  // namespace lmx::bridges
