#include "frame/path_limit.h"

#include "frame/cp932.h"
#include "frame/guarded.h"

#include <algorithm>
#include <string>
#include <string_view>

namespace lmx {

bool path_fits(const char* path, std::size_t longest) {
  if (!path) return true;
  std::size_t units = 0;
  for (const char* p = path; *p; ++units) {
    if (units == longest) return false;
    p += cp932::is_cp_lead(static_cast<unsigned char>(*p)) && p[1] ? 2 : 1;
  }
  return true;
}

bool path_fits(const char16_t* path, std::size_t longest) {
  if (!path) return true;
  for (std::size_t units = 0; path[units]; ++units)
    if (units == longest) return false;
  return true;
}

namespace {

// A path as the characters Windows sees: ASCII compared without case, a
// double-byte character of code page 932 as one character that is no
// separator and no letter.
template <class Char>
std::u16string characters(const Char* path) {
  std::u16string out;
  for (const Char* p = path; *p;) {
    if constexpr (sizeof(Char) == 1) {
      if (cp932::is_cp_lead(static_cast<unsigned char>(*p)) && p[1]) {
        out += u'\uFFFF';  // stands for the character; names no device
        p += 2;
        continue;
      }
      out += static_cast<char16_t>(static_cast<unsigned char>(*p++));
    } else {
      out += static_cast<char16_t>(*p++);
    }
  }
  return out;
}

char16_t upper(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c; }
bool is_separator(char16_t c) { return c == u'\\' || c == u'/'; }

bool starts_with(std::u16string_view s, std::u16string_view prefix) {
  if (s.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i)
    if (upper(s[i]) != prefix[i] && !(is_separator(s[i]) && is_separator(prefix[i]))) return false;
  return true;
}

// One of the reserved names, as a whole.
bool is_device_name(std::u16string_view name) {
  static constexpr std::u16string_view kNames[] = {u"CON", u"PRN", u"AUX", u"NUL", u"CONIN$", u"CONOUT$"};
  for (std::u16string_view n : kNames)
    if (name.size() == n.size() && starts_with(name, n)) return true;
  if (name.size() != 4 || !(starts_with(name, u"COM") || starts_with(name, u"LPT"))) return false;
  const char16_t digit = name[3];
  return (digit >= u'0' && digit <= u'9') || digit == u'\u00B9' || digit == u'\u00B2' || digit == u'\u00B3';
}

// The last component names a device when the part before its first period
// or colon, without trailing spaces, is one of the names: Windows opens the
// device for COM1, com1.txt, "COM1 .log" and C:COM1 alike.
bool last_component_is_device(std::u16string_view path) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < path.size(); ++i)
    if (is_separator(path[i])) start = i + 1;
  if (start == 0 && path.size() >= 2 && path[1] == u':') start = 2;  // C:COM1
  std::u16string_view name = path.substr(start);
  name = name.substr(0, std::min(name.find(u'.'), name.find(u':')));
  while (!name.empty() && name.back() == u' ') name.remove_suffix(1);
  return is_device_name(name);
}

template <class Char>
bool names_a_device_of(const Char* path) {
  if (!path) return false;
  const std::u16string all = characters(path);
  const std::u16string_view p = all;
  if (starts_with(p, u"\\\\.\\")) return true;  // \\.\COM1, \\.\PhysicalDrive0 ...
  // \\?\ and \??\ hand the rest to the object manager as it stands: a
  // file name there is taken literally, but a first component that is a
  // device's own name (\\?\COM1) or GLOBALROOT reaches a device.
  if (starts_with(p, u"\\\\?\\") || starts_with(p, u"\\??\\")) {
    const std::u16string_view rest = p.substr(4);
    const std::u16string_view first = rest.substr(0, std::min(rest.find(u'\\'), rest.find(u'/')));
    return is_device_name(first) || (first.size() == 10 && starts_with(first, u"GLOBALROOT"));
  }
  return last_component_is_device(p);
}

template <class Char>
std::size_t folder_length_of(const Char* path) {
  std::size_t end = 0, i = 0;
  while (path[i]) {
    if (path[i] == Char('\\') || path[i] == Char('/') || (i == 1 && path[i] == Char(':'))) end = i + 1;
    const bool pair = sizeof(Char) == 1 && cp932::is_cp_lead(static_cast<unsigned char>(path[i])) && path[i + 1];
    i += pair ? 2 : 1;
  }
  return end;
}

}  // namespace

std::size_t folder_length(const char* path) { return folder_length_of(path); }
std::size_t folder_length(const char16_t* path) { return folder_length_of(path); }

// A path whose characters cannot be had counts as a device: it is refused.
bool names_a_device(const char* path) { return guarded(true, [path] { return names_a_device_of(path); }); }
bool names_a_device(const char16_t* path) { return guarded(true, [path] { return names_a_device_of(path); }); }

}  // namespace lmx
