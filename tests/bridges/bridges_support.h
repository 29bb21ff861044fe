// What the bridge tests share: folders under the test's working directory
// and the stand-in libraries built beside the test executable.
#ifndef LORIMAX_TESTS_BRIDGES_SUPPORT_H
#define LORIMAX_TESTS_BRIDGES_SUPPORT_H

#include <windows.h>

#include <algorithm>
#include <initializer_list>
#include <iterator>
#include <string>

#include "files.h"
#include "frame/messages.h"
#include "text.h"

namespace bridges_test {

// The NKF and MeCab bridges' codes and their messages in code page 932, as
// exports/messages.txt gives them (MeCab never sets its 6).
namespace nkf_code {
enum : intptr_t { LMX_MESSAGES_nkf_bridge(LMX_MESSAGE_CODE) };
}
namespace mecab_code {
enum : intptr_t { LMX_MESSAGES_mecab_bridge(LMX_MESSAGE_CODE) };
}
inline std::string nkf_message(intptr_t code) { return std::data({LMX_MESSAGES_nkf_bridge(LMX_MESSAGE_TEXT)})[code]; }
inline std::string mecab_message(intptr_t code) { return std::data({LMX_MESSAGES_mecab_bridge(LMX_MESSAGE_TEXT)})[code]; }

// A message a Japanese macro can show: with a double-byte character of code page 932.
inline bool japanese(const std::string& m) {
  return std::any_of(m.begin(), m.end(),
                     [](unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); });
}

// A fresh folder (full path, no trailing backslash) below the working directory.
inline std::string fresh_folder(const std::string& name) {
  char full[MAX_PATH];
  GetFullPathNameA(name.c_str(), MAX_PATH, full, nullptr);
  CreateDirectoryA(full, nullptr);
  return full;
}
// The folder the test executable (and every stand-in) lives in.
inline std::string exe_folder() {
  char path[MAX_PATH];
  const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string p(path, n);
  return p.substr(0, p.find_last_of('\\'));
}
// Copies a library built beside the executable into `folder` under `name`.
inline std::string place_copy(const std::string& built, const std::string& folder, const std::string& name) {
  const std::string target = folder + "\\" + name;
  CopyFileA((exe_folder() + "\\" + built).c_str(), target.c_str(), FALSE);
  return target;
}
inline std::string lower(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

}  // namespace bridges_test

#endif
