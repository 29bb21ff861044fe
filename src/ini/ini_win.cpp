// Every read and write goes through the Windows profile functions; this file
// adds only the library's own rules on top of them.
#include <shlwapi.h>
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "frame/cp932.h"
#include "frame/guarded.h"
#include "frame/path_limit.h"
#include "frame/read_only.h"
#include "frame/rewrite_win.h"
#include "frame/text_args.h"
#include "frame/win_owners.h"
#include "ini/ini.h"

namespace lmx::ini {
namespace {

IniList<char> g_keys(32767, 512, Entries::keys_with_equals);
IniList<char16_t> g_keys_w(32767, 512, Entries::keys_with_equals);
IniList<char> g_sections(4096, 50, Entries::all_strings);
IniList<char16_t> g_sections_w(4096, 50, Entries::all_strings);

IniList<char>& list(Cursor which) { return which == Cursor::keys ? g_keys : g_sections; }
IniList<char16_t>& list_w(Cursor which) { return which == Cursor::keys ? g_keys_w : g_sections_w; }

wchar_t* store_w(IniList<char16_t>& l) { return as_wchar(l.store()); }

// The profile functions take a name without a folder (x.ini, not .\x.ini or
// C:x.ini) as the file in the Windows folder. The UTF-16LE gate, the creation
// of a missing file and the calls themselves get that one full name, so that
// they cannot look at one file and write another. False when it is too long
// for the profile functions, or names a device.
class ProfilePath {
 public:
  explicit ProfilePath(const wchar_t* file) {
    const bool bare = !std::wcspbrk(file, L"\\/") && !(file[0] && file[1] == L':');
    std::size_t n = 0;
    if (bare) {
      n = GetWindowsDirectoryW(path_, kSize);
      if (n == 0 || n + 1 >= kSize) return;
      if (path_[n - 1] != L'\\') path_[n++] = L'\\';
    }
    const std::size_t length = std::wcslen(file);
    if (n + length + 1 > kSize) return;
    std::wmemcpy(path_ + n, file, length + 1);
    fits_ = !names_a_device(path_);
  }
  explicit operator bool() const { return fits_; }
  const wchar_t* get() const { return path_; }

 private:
  static constexpr std::size_t kSize = kLongestProfilePath + 1;
  wchar_t path_[kSize] = {};
  bool fits_ = false;
};

// The UTF-16LE gate: the file begins with FF FE.
bool is_utf16le(const wchar_t* file) { return byte_order_mark(file) == 1; }

// The wide family refuses an existing directory or an existing file without
// the FF FE mark; a missing file passes (and then finds nothing).
bool wide_file_refused(const wchar_t* file) {
  return PathFileExistsW(file) && (PathIsDirectoryW(file) || !is_utf16le(file));
}

template <class Char>
const Char* empty_of() {
  if constexpr (sizeof(Char) == 1)
    return kEmptyResult;
  else
    return kEmptyWideResult;
}

// ExistKey: the first entry in which the shell's case-insensitive search for
// key and "=" finds it at the very start. That is the entry's first characters
// comparing equal under StrCmpNI, which StrStrI applies at each position, so
// only the start is compared. Any key length is searched: the search text is
// built to fit. The system compares only the entries that a look at their
// first bytes cannot rule out (a call per entry was most of the lookup's time).
template <class Char, class StrCmpNI>
intptr_t find_key(const IniList<Char>& l, const Char* key, StrCmpNI str_cmp_n_i) {
  if (!*key) return -1;
  if (!l.loaded()) return -2;
  return guarded<intptr_t>(-1, [&]() -> intptr_t {
    std::basic_string<Char> search(key);
    search += Char('=');
    const int length = static_cast<int>(search.size());
    for (intptr_t i = 0; i <= l.last_index(); ++i)
      if (!surely_differs(l.entry(i), search.c_str()) && str_cmp_n_i(l.entry(i), search.c_str(), length) == 0) return i;
    return -1;
  });
}

template <class Char>
intptr_t find_section(const IniList<Char>& l, const Char* name) {
  if (!*name) return -1;
  if (!l.loaded()) return -2;
  for (intptr_t i = 0; i <= l.last_index(); ++i)
    if (ascii_iequal(l.entry(i), name)) return i;
  return -1;
}

// GetKeyValue: behind the first "=", cut at a TAB, trailing white space gone.
template <class Char>
const Char* value_of(const IniList<Char>& l, intptr_t index, ResultBuffer<Char>& out) {
  const Char* e = l.entry(index);
  if (!e) return empty_of<Char>();
  while (*e && *e != Char('=')) ++e;
  if (!*e || !e[1]) return empty_of<Char>();
  if (!copy_part(out, e + 1, Part::data)) return empty_of<Char>();
  if constexpr (sizeof(Char) == 1)
    cp932::trim_right_in_place(out.data());
  else
    cp932::trim_right_wide_in_place(out.data());
  return out.data();
}

template <class Char>
const Char* name_of(const IniList<Char>& l, intptr_t index, ResultBuffer<Char>& out) {
  const Char* e = l.entry(index);
  if (!e || !*e) return empty_of<Char>();
  const Char* copied = copy_part(out, e, Part::whole);
  return copied ? copied : empty_of<Char>();
}

template <class Char>
const Char* read_cursor(IniList<Char>& l, Part part, ResultBuffer<Char>& out) {
  const Char* s = l.cursor();
  if (!s) return empty_of<Char>();
  if (!*s) {
    l.stop_cursor();
    return empty_of<Char>();
  }
  const Char* copied = copy_part(out, s, part);
  return copied ? copied : empty_of<Char>();
}

// A new INI file holds only the mark FF FE, so that the profile function
// writes it in UTF-16LE.
bool marked_utf16le(const wchar_t* file) {
  const FileStream f(_wfopen(file, L"wb"));
  return f && std::fwrite("\xFF\xFE", 1, 2, f.get()) == 2 && std::fflush(f.get()) == 0;
}

// Writes key=text into the file through the profile function, whole or not
// at all: the function edits a copy of the file (or, for a missing file, a
// new one holding only the mark FF FE), which then takes the file's place.
// 1 written; 0 the profile function failed, or the file is marked
// read-only; -1 refused (a directory, a file without the mark) or not made.
intptr_t write_value(const ProfilePath& path, const wchar_t* section, const wchar_t* key, const wchar_t* text) {
  const bool exists = PathFileExistsW(path.get());
  if (exists && (PathIsDirectoryW(path.get()) || !is_utf16le(path.get()))) return -1;
  if (exists && marked_read_only(path.get())) return 0;
  Rewrite<wchar_t> rewrite(path.get(), kLongestProfilePath);
  if (exists ? !rewrite.make_copy() : !(rewrite.make_empty() && marked_utf16le(rewrite.temporary().c_str())))
    return exists ? 0 : -1;
  if (!WritePrivateProfileStringW(section, key, text, rewrite.temporary().c_str())) return 0;
  return rewrite.commit(exists) ? 1 : 0;
}

}  // namespace

void start_lists() {
  g_keys.start();
  g_keys_w.start();
  g_sections.start();
  g_sections_w.start();
}

void stop_lists(StopReason) {
  g_keys.stop();
  g_sections.stop();
  g_keys_w.stop();
  g_sections_w.stop();
}

intptr_t read_section_keys(const char* file, const char* section) {
  if (!*file || !*section || !g_keys.store() || !may_open(file, kLongestProfilePath)) return -1;
  const DWORD n = GetPrivateProfileSectionA(section, g_keys.store(), static_cast<DWORD>(g_keys.store_chars()), file);
  return g_keys.load(n);
}

intptr_t read_section_keys(const wchar_t* file, const wchar_t* section) {
  const ProfilePath path(file);
  if (!*file || !*section || !g_keys_w.store() || !path || wide_file_refused(path.get())) return -1;
  const DWORD n =
      GetPrivateProfileSectionW(section, store_w(g_keys_w), static_cast<DWORD>(g_keys_w.store_chars()), path.get());
  return g_keys_w.load(n);
}

intptr_t read_section_names(const char* file) {
  if (!*file || !g_sections.store() || !may_open(file, kLongestProfilePath)) return -1;
  const DWORD n = GetPrivateProfileSectionNamesA(g_sections.store(), static_cast<DWORD>(g_sections.store_chars()), file);
  return g_sections.load(n);
}

intptr_t read_section_names(const wchar_t* file) {
  const ProfilePath path(file);
  if (!*file || !g_sections_w.store() || !path || wide_file_refused(path.get())) return -1;
  const DWORD n =
      GetPrivateProfileSectionNamesW(store_w(g_sections_w), static_cast<DWORD>(g_sections_w.store_chars()), path.get());
  return g_sections_w.load(n);
}

intptr_t exist_key(const char* key) {
  return find_key(g_keys, key, [](const char* e, const char* s, int n) { return StrCmpNIA(e, s, n); });
}

intptr_t exist_key(const wchar_t* key) {
  return find_key(g_keys_w, reinterpret_cast<const char16_t*>(key),
                  [](const char16_t* e, const char16_t* s, int n) { return StrCmpNIW(as_wchar(e), as_wchar(s), n); });
}

intptr_t exist_section(const char* name) { return find_section(g_sections, name); }
intptr_t exist_section(const wchar_t* name) { return find_section(g_sections_w, reinterpret_cast<const char16_t*>(name)); }

const char* key_value(intptr_t index) { return value_of(g_keys, index, result()); }
const wchar_t* key_value_w(intptr_t index) { return as_wchar(value_of(g_keys_w, index, wide_result())); }
const char* section_name(intptr_t index) { return name_of(g_sections, index, result()); }
const wchar_t* section_name_w(intptr_t index) { return as_wchar(name_of(g_sections_w, index, wide_result())); }

intptr_t ini_num(const wchar_t* file, const wchar_t* section, const wchar_t* key) {
  const ProfilePath path(file);
  if (!*file || !*section || !*key || !path || !is_utf16le(path.get())) return 0;
  return static_cast<intptr_t>(static_cast<UINT>(GetPrivateProfileIntW(section, key, 0, path.get())));
}

// The wide result buffer is not grown: a longer value comes back cut to its
// capacity, as the profile function cuts it.
const wchar_t* ini_str(const wchar_t* file, const wchar_t* section, const wchar_t* key) {
  auto& out = wide_result();
  const ProfilePath path(file);
  if (!*file || !*section || !*key || !path || !is_utf16le(path.get()) || !out.data()) return as_wchar(kEmptyWideResult);
  const DWORD n =
      GetPrivateProfileStringW(section, key, L"", as_wchar(out.data()), static_cast<DWORD>(out.capacity()), path.get());
  return n ? as_wchar(out.data()) : as_wchar(kEmptyWideResult);
}

intptr_t byte_order_mark(const wchar_t* file) {
  if (!*file || !may_open(file)) return 0;
  const FileStream f(_wfopen(file, L"rb"));
  if (!f) return 0;
  const int b0 = std::fgetc(f.get()), b1 = std::fgetc(f.get()), b2 = std::fgetc(f.get());
  if (b0 == 0xFF && b1 == 0xFE) return 1;
  if (b0 == 0xEF && b1 == 0xBB && b2 == 0xBF) return 2;
  return 0;
}

intptr_t step(Cursor which) { return list(which).step() ? 1 : 0; }
intptr_t step_w(Cursor which) { return list_w(which).step() ? 1 : 0; }
const char* read(Cursor which, Part part) { return read_cursor(list(which), part, result()); }
const wchar_t* read_w(Cursor which, Part part) { return as_wchar(read_cursor(list_w(which), part, wide_result())); }

intptr_t write_num(const wchar_t* file, const wchar_t* section, const wchar_t* key, intptr_t value) {
  if (!*file || !*section || !*key) return 0;
  const ProfilePath path(file);
  if (!path) return -1;
  wchar_t text[255] = {};
  std::swprintf(text, 255, L"%d", static_cast<int>(static_cast<std::uint32_t>(value)));
  return write_value(path, section, key, text);
}

// Key and value are handed on as given (empty strings, never null), so this
// never deletes a key or a section.
intptr_t write_str(const wchar_t* file, const wchar_t* section, const wchar_t* key, const wchar_t* value) {
  if (!*file || !*section) return 0;
  const ProfilePath path(file);
  if (!path) return -1;
  return write_value(path, section, key, value);
}

}  // namespace lmx::ini
