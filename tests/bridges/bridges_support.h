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
#include "text.h"

namespace bridges_test {

// The NKF and MeCab bridges' message for each error code, in code page 932
// (MeCab never sets its 6).
inline std::string nkf_message(intptr_t code) {
  return sjis(std::data({u8"エラーなし", u8"NKFオプションの設定に失敗", u8"引数のアクセスに失敗", u8"NKF32.DLLがロードされていない",
                         u8"NKFコマンドの実行に失敗", u8"NKF32.DLLの関数アドレス取得に失敗", u8"NKF32.DLLのバージョン不一致",
                         u8"入力ファイルの指定エラー", u8"出力ファイルの指定エラー(上書きは出来ません)"})[code]);
}
inline std::string mecab_message(intptr_t code) {
  return sjis(std::data({u8"エラーなし", u8"オプションの設定に失敗", u8"引数のアクセスに失敗", u8"DLLがロードされていない",
                         u8"コマンドの実行に失敗", u8"関数アドレス取得に失敗", u8"バージョン不一致",
                         u8"MeCabの辞書が見つからないか、オプションが受け付けられない(-d で辞書のフォルダを指定)"})[code]);
}

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
