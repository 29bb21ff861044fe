// MeCab's settings files as MeCab 0.996 finds and reads them on Windows, for
// the check of the options before a tagger is made (mecab_options.h). Paths
// are UTF-8, as MeCab takes them.
#include <windows.h>

#include <cstdlib>
#include <string>

#include "bridges/file_lines_win.h"
#include "bridges/mecab_files.h"

namespace lmx::mecab {
namespace {

std::wstring wide(const std::string& utf8) {
  const int units = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0);
  if (units <= 1) return {};
  std::wstring out(static_cast<std::size_t>(units), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, out.data(), units);
  out.pop_back();
  return out;
}

std::string utf8(const wchar_t* text) {
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (bytes <= 1) return {};
  std::string out(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), bytes, nullptr, nullptr);
  out.pop_back();
  return out;
}

FileHandle open_for_reading(const std::string& path) {
  const std::wstring name = wide(path);
  if (name.empty()) return FileHandle();
  return FileHandle(CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

std::string registry_rc(HKEY root) {
  wchar_t value[8192];
  DWORD size = sizeof value;
  if (RegGetValueW(root, L"software\\mecab", L"mecabrc", RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
    return {};
  return utf8(value);
}

class WindowsFiles final : public SettingsFiles {
 public:
  explicit WindowsFiles(HMODULE engine) : engine_(engine) {}

  // In MeCab's order: ~/.mecabrc when it opens, MECABRC (the C runtime's
  // copy, then the process's), the registry, a mecabrc beside the library.
  std::string default_rc() override {
    if (const char* home = std::getenv("HOME")) {
      std::string rc = home;
      if (!rc.empty() && rc.back() != '\\') rc += '\\';
      rc += ".mecabrc";
      if (open_for_reading(rc)) return rc;
    }
    if (const char* named = std::getenv("MECABRC"); named && *named) return named;
    wchar_t named[8192];
    const DWORD length = GetEnvironmentVariableW(L"MECABRC", named, 8192);
    if (length > 0 && length < 8192) return utf8(named);
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER})
      if (std::string rc = registry_rc(root); !rc.empty()) return rc;
    if (!engine_) return {};
    wchar_t library[MAX_PATH];
    const DWORD n = GetModuleFileNameW(engine_, library, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return {};
    std::wstring beside(library, n);
    beside.erase(beside.find_last_of(L"\\/") + 1);
    beside += L"mecabrc";
    return GetFileAttributesW(beside.c_str()) == INVALID_FILE_ATTRIBUTES ? std::string() : utf8(beside.c_str());
  }

  Read read(const std::string& path, const std::function<bool(std::string_view line)>& take) override {
    FileStream file;
    switch (bridges::open_text_file(open_for_reading(path), file)) {
      case bridges::Opened::file: break;
      case bridges::Opened::missing: return Read::unreadable;
      case bridges::Opened::not_a_file: return Read::not_a_file;
    }
    return bridges::read_lines(file.get(), take) ? Read::whole : Read::stopped;
  }

 private:
  HMODULE engine_;
};

}  // namespace

std::string options_refusal(std::string_view options, const void* engine_function) {
  HMODULE engine = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     static_cast<LPCWSTR>(engine_function), &engine);
  WindowsFiles files(engine);
  return refusal(options, files);
}

}  // namespace lmx::mecab
