#include <windows.h>

#include <cstdio>
#include <vector>

#include "files.h"
#include "sandbox.h"

namespace hardening {

Sandbox::Sandbox(const wchar_t* name) {
  wchar_t temp[MAX_PATH + 1];
  GetTempPathW(MAX_PATH + 1, temp);
  path_ = std::wstring(temp) + name + L"-" + std::to_wstring(GetCurrentProcessId());
  remove_tree(path_);
  CreateDirectoryW(path_.c_str(), nullptr);
  wchar_t current[MAX_PATH + 1];
  GetCurrentDirectoryW(MAX_PATH + 1, current);
  previous_directory_ = current;
  SetCurrentDirectoryW(path_.c_str());
}

Sandbox::~Sandbox() {
  SetCurrentDirectoryW(previous_directory_.c_str());
  remove_tree(path_);
}

std::string Sandbox::narrow_path() const { return ansi(path_); }

void Sandbox::write(const std::wstring& name, const std::string& bytes) const {
  std::FILE* f = _wfopen((path_ + L"\\" + name).c_str(), L"wb");
  if (!f) return;
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

std::wstring executable_folder() {
  std::vector<wchar_t> path(32768);
  const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
  std::wstring s(path.data(), n);
  return s.substr(0, s.find_last_of(L'\\') + 1);
}

}  // namespace hardening
