#include "frame/rewrite_win.h"

#include <windows.h>

#include <cstring>
#include <cwchar>

#include "frame/path_limit.h"
#include "frame/win_owners.h"

namespace lmx {
namespace {

// The A or W form of each file function, by the path's character type.
DWORD attributes_of(const char* p) { return GetFileAttributesA(p); }
DWORD attributes_of(const wchar_t* p) { return GetFileAttributesW(p); }
BOOL set_attributes(const char* p, DWORD a) { return SetFileAttributesA(p, a); }
BOOL set_attributes(const wchar_t* p, DWORD a) { return SetFileAttributesW(p, a); }
HANDLE open_file(const char* p, DWORD access, DWORD disposition) {
  return CreateFileA(p, access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, disposition,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}
HANDLE open_file(const wchar_t* p, DWORD access, DWORD disposition) {
  return CreateFileW(p, access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, disposition,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}
BOOL copy_file(const char* from, const char* to) { return CopyFileA(from, to, TRUE); }
BOOL copy_file(const wchar_t* from, const wchar_t* to) { return CopyFileW(from, to, TRUE); }
BOOL move_file(const char* from, const char* to, DWORD flags) { return MoveFileExA(from, to, flags); }
BOOL move_file(const wchar_t* from, const wchar_t* to, DWORD flags) { return MoveFileExW(from, to, flags); }
BOOL delete_file(const char* p) { return DeleteFileA(p); }
BOOL delete_file(const wchar_t* p) { return DeleteFileW(p); }

struct Found {
  FindHandle handle;
  std::wstring name;
};
Found find_first(const char* pattern) {
  WIN32_FIND_DATAA data;
  Found f{FindHandle(FindFirstFileA(pattern, &data)), {}};
  if (f.handle) f.name.assign(data.cFileName, data.cFileName + std::strlen(data.cFileName));
  return f;
}
Found find_first(const wchar_t* pattern) {
  WIN32_FIND_DATAW data;
  Found f{FindHandle(FindFirstFileW(pattern, &data)), {}};
  if (f.handle) f.name = data.cFileName;
  return f;
}
bool find_next(Found& f, char) {
  WIN32_FIND_DATAA data;
  if (!FindNextFileA(f.handle.get(), &data)) return false;
  f.name.assign(data.cFileName, data.cFileName + std::strlen(data.cFileName));
  return true;
}
bool find_next(Found& f, wchar_t) {
  WIN32_FIND_DATAW data;
  if (!FindNextFileW(f.handle.get(), &data)) return false;
  f.name = data.cFileName;
  return true;
}

template <class Char>
std::basic_string<Char> ascii(const char* text) {
  return std::basic_string<Char>(text, text + std::strlen(text));
}

constexpr char kPrefix[] = "~lmx";

// A running process of that id; a process that has ended but is still held
// open by someone counts as gone. One this process may not open (another
// user's, writing into a shared folder) counts as running: its file is left.
bool running(DWORD id) {
  const KernelHandle process(OpenProcess(SYNCHRONIZE, FALSE, id));
  if (!process) return GetLastError() == ERROR_ACCESS_DENIED;
  return WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT;
}

// ~lmx<pid>-<n>.tmp of a process that is gone: what a killed rewrite left.
bool left_by_a_gone_process(const std::wstring& name) {
  unsigned long id = 0;
  unsigned n = 0;
  wchar_t end[8] = {};
  if (std::swscanf(name.c_str(), L"~lmx%lx-%x%7ls", &id, &n, end) != 3 || std::wcscmp(end, L".tmp") != 0) return false;
  return id != GetCurrentProcessId() && !running(static_cast<DWORD>(id));
}

template <class Char>
void remove_leftovers(const std::basic_string<Char>& folder) {
  const std::basic_string<Char> pattern = folder + ascii<Char>(kPrefix) + ascii<Char>("*.tmp");
  Found f = find_first(pattern.c_str());
  if (!f.handle) return;
  do {
    if (left_by_a_gone_process(f.name)) {
      std::basic_string<Char> path = folder;
      for (wchar_t c : f.name) path += static_cast<Char>(c);  // the name is ASCII
      delete_file(path.c_str());
    }
  } while (find_next(f, Char()));
}

unsigned g_next_number = 0;

}  // namespace

template <class Char>
Rewrite<Char>::Rewrite(const Char* target, std::size_t longest) : target_(target) {
  const String folder(target, folder_length(target));
  remove_leftovers(folder);
  char name[48];
  wsprintfA(name, "%s%lx-%x.tmp", kPrefix, GetCurrentProcessId(), g_next_number++);
  String path = folder + ascii<Char>(name);
  if (path_fits(path.c_str(), longest)) temporary_ = std::move(path);
}

template <class Char>
Rewrite<Char>::~Rewrite() {
  if (exists_) delete_file(temporary_.c_str());
}

template <class Char>
bool Rewrite<Char>::made(bool ok) {
  exists_ = ok;
  return ok;
}

template <class Char>
bool Rewrite<Char>::make_empty() {
  if (temporary_.empty()) return false;
  return made(static_cast<bool>(FileHandle(open_file(temporary_.c_str(), GENERIC_WRITE, CREATE_NEW))));
}

template <class Char>
bool Rewrite<Char>::make_copy() {
  if (temporary_.empty() || !copy_file(target_.c_str(), temporary_.c_str())) return false;
  exists_ = true;
  // A copy keeps the target's attributes; a mark that refuses writers goes
  // for the time it is written (the target's own is put back on commit).
  const DWORD a = attributes_of(temporary_.c_str());
  if (a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_READONLY))
    set_attributes(temporary_.c_str(), a & ~FILE_ATTRIBUTE_READONLY);
  return true;
}

template <class Char>
bool Rewrite<Char>::commit(bool replace) {
  if (!exists_) return false;
  {
    const FileHandle file(open_file(temporary_.c_str(), GENERIC_READ | GENERIC_WRITE, OPEN_EXISTING));
    if (!file || !FlushFileBuffers(file.get())) return false;
    if (replace) {
      // The target's creation time and attributes, so that only its content changes.
      const FileHandle old(open_file(target_.c_str(), GENERIC_READ, OPEN_EXISTING));
      FILETIME created;
      if (old && GetFileTime(old.get(), &created, nullptr, nullptr)) SetFileTime(file.get(), &created, nullptr, nullptr);
    }
  }
  if (replace) {
    const DWORD a = attributes_of(target_.c_str());
    if (a != INVALID_FILE_ATTRIBUTES) set_attributes(temporary_.c_str(), a & ~FILE_ATTRIBUTE_READONLY);
  }
  const DWORD flags = MOVEFILE_WRITE_THROUGH | (replace ? MOVEFILE_REPLACE_EXISTING : 0);
  if (!move_file(temporary_.c_str(), target_.c_str(), flags)) return false;
  exists_ = false;
  return true;
}

template class Rewrite<char>;
template class Rewrite<wchar_t>;

}  // namespace lmx
