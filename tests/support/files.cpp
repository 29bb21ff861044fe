#include "files.h"

#include <windows.h>

#include <fstream>
#include <iterator>

#include "text.h"

namespace {
std::string all_of(std::ifstream in) { return std::string(std::istreambuf_iterator<char>(in), {}); }
}  // namespace

std::string read_bytes(const std::string& file) { return all_of(std::ifstream(file, std::ios::binary)); }
std::string read_bytes(const std::wstring& file) { return all_of(std::ifstream(file.c_str(), std::ios::binary)); }

void write_bytes(const std::string& file, const std::string& bytes) {
  if (const auto slash = file.find_last_of('\\'); slash != std::string::npos)
    CreateDirectoryA(file.substr(0, slash).c_str(), nullptr);
  std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

void remove_tree(const std::wstring& folder) {
  WIN32_FIND_DATAW found;
  const HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = found.cFileName, full = folder + L"\\" + name;
      if (name == L"." || name == L"..") continue;
      SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        remove_tree(full);
      else
        DeleteFileW(full.c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  RemoveDirectoryW(folder.c_str());
}

std::string utf16le_file(const char8_t* utf8) {
  std::string bytes = "\xFF\xFE";
  for (char16_t c : utf16(utf8)) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>(c >> 8);
  }
  return bytes;
}
