#include <shlobj.h>
#include <shlwapi.h>
#include <windows.h>

#include <cstring>
#include <cwchar>
#include <memory>
#include <string>
#include <string_view>

#include "frame/cp932.h"
#include "frame/guarded.h"
#include "frame/host.h"
#include "frame/path_limit.h"
#include "frame/result_buffer.h"
#include "frame/win_owners.h"
#include "paths/paths.h"

namespace lmx::paths {
namespace {

// The shell's path functions take paths of at most MAX_PATH characters and
// write up to MAX_PATH into their output; longer paths are refused before
// they reach a fixed buffer.
bool fits_shell(const char* path) { return std::strlen(path) < MAX_PATH; }

const char* ok(bool success) { return success ? result().data() : kEmptyResult; }

// Copies the path into the result buffer (grown for it when needed) so that a
// shell function can edit it in place.
bool copy_to_result(const char* path) {
  const std::string_view text(path);
  return result().assign(text, text.size() + kSlack);
}

// The result buffer, ready for a shell function that writes MAX_PATH.
bool result_ready() {
  result().clear();
  return result().ensure(MAX_PATH, MAX_PATH + kSlack);
}

struct ComRelease {
  void operator()(IMalloc* m) const { m->Release(); }
};

}  // namespace

// The editor reads the file to analyse it: a device is refused as every
// export that opens a path refuses one.
intptr_t analyze_encoding(const wchar_t* path) {
  if (!*path || !may_open(path) || !std::wcschr(path, L'\\') || !PathFileExistsW(path)) return -1;
  const auto analyze = proc<HidemaruAnalyzeEncodingFn>(GetModuleHandleA(nullptr), "Hidemaru_AnalyzeEncoding");
  if (!analyze) return -1;
  return static_cast<intptr_t>(analyze(path, nullptr, nullptr));
}

const char* change_extension(const char* path, const char* extension) {
  if (!*path || !*extension || !fits_shell(path)) return kEmptyResult;
  char work[272];
  std::strcpy(work, path);
  if (!PathRenameExtensionA(work, extension)) return kEmptyResult;
  return ok(copy_to_result(work));
}

// The width counts the result's characters with its terminator; it is held
// to the result buffer's room. A path the shell cannot hold is refused: Wine's
// PathCompactPathExA writes its first MAX_PATH bytes with no terminator, so
// the result ran on into whatever the buffer held before.
const char* compact(const char* path, intptr_t width) {
  if (!*path || width < 1 || !fits_shell(path) || !result_ready()) return kEmptyResult;
  const auto room = static_cast<intptr_t>(result().capacity());
  return ok(PathCompactPathExA(result().data(), path, static_cast<UINT>(width < room ? width : room), 0));
}

const char* canonical(const char* path) {
  if (!*path || !fits_shell(path) || !result_ready()) return kEmptyResult;
  return ok(PathCanonicalizeA(result().data(), path));
}

intptr_t attributes(const char* path) {
  if (!*path) return 0;
  if (!path_fits(path)) return -1;
  const DWORD a = GetFileAttributesA(path);
  return a == INVALID_FILE_ATTRIBUTES ? -1 : static_cast<intptr_t>(a);
}

const char* base_name(const char* path) {
  if (!*path || !path_fits(path) || !copy_to_result(path)) return kEmptyResult;
  PathRemoveExtensionA(result().data());
  PathStripPathA(result().data());
  return result().data();
}

const char* extension(const char* path) {
  if (!*path || !path_fits(path)) return kEmptyResult;
  return ok(copy_to_result(PathFindExtensionA(path)));
}

const char* file_name(const char* path) {
  if (!*path || !path_fits(path) || !copy_to_result(path)) return kEmptyResult;
  PathStripPathA(result().data());
  return result().data();
}

const char* parent_folder(const char* path) {
  if (!*path || !path_fits(path) || !copy_to_result(path)) return kEmptyResult;
  PathRemoveFileSpecA(result().data());
  return result().data();
}

// Rebuilds the path from the names stored on disk, component by component,
// walking whole characters so that a trail byte 5C (表) is no separator. The
// texts grow as they need, so no path length is cut.
namespace {

const char* rebuild_long_name(std::string_view text) {
  std::string rebuilt;
  for (std::size_t i = 0; i <= text.size();) {
    const bool end = i == text.size();
    const std::size_t width = end ? 1 : cp932::cp_char_width(text, i);
    if (end || (width == 1 && text[i] == '\\')) {
      if (i == 1 && !end && text[0] == '\\') return kEmptyResult;  // a network path
      if (i == 2 && !end && text[1] == ':') {
        rebuilt.append(text.substr(0, 2)).append("\\");  // the drive as typed
      } else {
        WIN32_FIND_DATAA found;
        const std::string prefix(text.substr(0, i));
        const FindHandle search(FindFirstFileA(prefix.c_str(), &found));
        if (!search) return kEmptyResult;
        rebuilt += found.cFileName;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) rebuilt += '\\';
      }
    }
    i += width;
  }
  if (!rebuilt.empty() && rebuilt.back() == '\\') rebuilt.pop_back();
  return ok(result().assign(rebuilt, rebuilt.size() + kSlack));
}

}  // namespace

const char* long_name(const char* path) {
  if (!*path || !path_fits(path, kLongestShortPath)) return kEmptyResult;
  return guarded<const char*>(kEmptyResult, [path] { return rebuild_long_name(path); });
}

const char* relative_path(const char* from, const char* to) {
  if (!*from || !*to || !path_fits(from, kLongestShortPath) || !path_fits(to, kLongestShortPath) || !PathFileExistsA(from) || !PathFileExistsA(to) || !result_ready()) return kEmptyResult;
  const DWORD from_attr = PathIsDirectoryA(from) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
  const DWORD to_attr = PathIsDirectoryA(to) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
  return ok(PathRelativePathToA(result().data(), from, from_attr, to, to_attr));
}

// A short form longer than the buffer is reported by its needed size; that
// counts as a failure, never as a cut path.
const char* short_name(const char* path) {
  if (!*path || !path_fits(path) || !result_ready()) return kEmptyResult;
  const DWORD n = GetShortPathNameA(path, result().data(), static_cast<DWORD>(result().capacity()));
  return ok(n > 0 && n < result().capacity());
}

const char* special_folder(intptr_t number) {
  const int folder = number == 1 ? CSIDL_FAVORITES : number == 2 ? CSIDL_PERSONAL : number == 3 ? CSIDL_APPDATA : CSIDL_DESKTOP;
  IMalloc* raw = nullptr;
  if (FAILED(SHGetMalloc(&raw)) || !raw) return kEmptyResult;
  const std::unique_ptr<IMalloc, ComRelease> allocator(raw);
  LPITEMIDLIST items = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(nullptr, folder, &items)) || !items) return kEmptyResult;
  const bool found = result_ready() && SHGetPathFromIDListA(items, result().data());
  allocator->Free(items);
  return ok(found);
}

intptr_t is_directory(const char* path) { return *path && path_fits(path) && PathIsDirectoryA(path) ? 1 : 0; }
intptr_t is_file(const char* path) { return *path && path_fits(path) && PathFileExistsA(path) && !PathIsDirectoryA(path) ? 1 : 0; }
// The shell's matcher backtracks at every * (under Wine a name of 32,767
// bytes against "*?*.*" took 17 s; one of 1,000,000 never ends), so neither
// text may be longer than a file name the shell's path functions take.
intptr_t matches(const char* name, const char* pattern) {
  return *name && *pattern && path_fits(name, MAX_PATH - 1) && path_fits(pattern, MAX_PATH - 1) &&
                 PathMatchSpecA(name, pattern)
             ? 1
             : 0;
}
intptr_t is_relative(const char* path) { return *path && path_fits(path) && PathIsRelativeA(path) ? 1 : 0; }

}  // namespace lmx::paths
