// The frame's start and stop: the result buffers, the version reader and the
// hardening of the library search path.
#include <windows.h>

#include <string>
#include <vector>

#include "frame/guarded.h"
#include "frame/lifecycle.h"
#include "frame/version.h"

namespace lmx {
namespace {

HMODULE g_module = nullptr;

void read_version() {
  std::wstring path(32768, L'\0');
  const DWORD n = GetModuleFileNameW(g_module, path.data(), static_cast<DWORD>(path.size()));
  if (n == 0 || n >= path.size()) return;
  path.resize(n);
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
  if (size == 0) return;
  std::vector<unsigned char> block(size);
  if (!GetFileVersionInfoW(path.c_str(), 0, size, block.data())) return;
  struct Translation {
    WORD language, code_page;
  }* translation = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length) ||
      length < sizeof(Translation))
    return;
  wchar_t sub_block[100];
  wsprintfW(sub_block, L"\\StringFileInfo\\%08x\\FileVersion",
            static_cast<unsigned>(translation->language) << 16 | translation->code_page);
  wchar_t* value = nullptr;
  if (!VerQueryValueW(block.data(), sub_block, reinterpret_cast<void**>(&value), &length) || length == 0) return;
  // Digits and commas are all the walk looks at, and they are ASCII.
  std::string ascii;
  for (UINT i = 0; i < length && value[i]; ++i) ascii += value[i] < 0x80 ? static_cast<char>(value[i]) : '?';
  set_library_version(parse_file_version(ascii));
}

// Libraries loaded later by bare name must not come from the current
// directory. Wine keeps it in the search despite this call, so the engine
// bridges' loader never hands the platform a bare name (bridges/loader.h).
void harden_library_search_path() {
  if (HMODULE kernel = GetModuleHandleA("KERNEL32.DLL")) {
    using SetDllDirectoryAFn = BOOL(WINAPI*)(LPCSTR);
    if (auto set_dll_directory = reinterpret_cast<SetDllDirectoryAFn>(
            reinterpret_cast<void*>(GetProcAddress(kernel, "SetDllDirectoryA"))))
      set_dll_directory("");
  }
}

}  // namespace

void frame_start(void* handle) {
  g_module = static_cast<HMODULE>(handle);
  start_result_buffers();
  guarded(false, [] { return read_version(), true; });
  harden_library_search_path();
}

void frame_stop(StopReason reason) { stop_result_buffers(reason); }

}  // namespace lmx
