#include <windows.h>

#include <io.h>

#include <clocale>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <iterator>
#include <string>
#include <utility>

#include "frame/contract.h"
#include "frame/guarded.h"
#include "frame/path_limit.h"
#include "frame/read_only.h"
#include "frame/result_buffer.h"
#include "frame/text_args.h"
#include "frame/win_owners.h"
#include "textfile/encoding.h"
#include "textfile/textfile.h"

namespace lmx::textfile {
namespace {

struct Slot {
  FileStream stream;  // held while the slot is open
  int code = plain_text;
  // A UTF-8 file without mark opened for writing: the stream wrote EF BB BF at
  // once and was rewound, so the first three bytes written cover the mark. If
  // fewer arrive, the file is cut back to them at close.
  bool covers_mark = false;
  bool text_mode = true;
  std::uint64_t bytes_written = 0;
  bool open() const { return static_cast<bool>(stream); }
};

// A line read wants a result buffer of at least kLineFloor units, and grows a
// smaller one to kLineBuffer; a longer line comes in pieces of that size.
constexpr std::size_t kLineFloor = 16384, kLineBuffer = doubled(kLineFloor);
Slot g_slots[kSlotCount];
int g_error = 0;

// The slot of a handle 1 to 10, or null (error word: invalid argument).
Slot* slot_of(intptr_t handle) {
  if (handle < 1 || handle > kSlotCount) {
    g_error |= invalid_argument;
    return nullptr;
  }
  return &g_slots[handle - 1];
}

// The C runtime ends the process on a mode it does not know, and Microsoft's
// also on a flag given twice or with its opposite, so modes are checked first:
// r, w or a, then each flag at most once and at most one of each pair.
template <class Char>
bool mode_is_valid(const Char* mode) {
  if (*mode != 'r' && *mode != 'w' && *mode != 'a') return false;
  static constexpr const char* kGroups[] = {"+", "bt", "cn", "SR", "T", "D", "N"};
  bool taken[std::size(kGroups)] = {};
  for (const Char* p = mode + 1; *p; ++p) {
    std::size_t g = 0;
    while (g < std::size(kGroups) && (*p > 0x7F || !std::strchr(kGroups[g], static_cast<int>(*p)))) ++g;
    if (g == std::size(kGroups) || taken[g]) return false;
    taken[g] = true;
  }
  return true;
}

// Whether a checked mode (narrow or wide) holds the flag.
template <class Char>
bool has_flag(const Char* mode, char flag) {
  return std::char_traits<Char>::find(mode, std::char_traits<Char>::length(mode), Char(flag)) != nullptr;
}

// A file the open must not reach: a device (its read may never return, its
// write loses the text), or a read-only file opened for writing.
template <class Char>
bool refused(const Char* path, const Char* mode) {
  const bool writes = *mode != 'r' || has_flag(mode, '+');
  if (!names_a_device(path) && !(writes && marked_read_only(path))) return false;
  g_error |= open_failed;
  return true;
}

// Cuts the stream's own file back to `size` bytes, through its handle: the
// name it was opened by may mean another file by now.
void truncate_stream(std::FILE* f, std::uint64_t size) {
  std::fflush(f);
  const auto h = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(f)));
  if (h == INVALID_HANDLE_VALUE) return;
  LARGE_INTEGER end;
  end.QuadPart = static_cast<LONGLONG>(size);
  if (SetFilePointerEx(h, end, nullptr, FILE_BEGIN)) SetEndOfFile(h);
}

void close_slot(Slot& s) {
  if (!s.open()) return;
  if (s.covers_mark && s.bytes_written < 3) truncate_stream(s.stream.get(), s.bytes_written);
  s = Slot{};
  s.code = bytes;
}

// The lowest free slot, found before anything is opened: a call that fails
// must not have truncated or created a file. Null (error word 2) when none.
Slot* free_slot() {
  for (auto& s : g_slots)
    if (!s.open()) return &s;
  g_error |= open_failed;
  return nullptr;
}

intptr_t take_slot(Slot& s, FileStream stream, int code, bool text_mode) {
  s = Slot{};
  s.stream = std::move(stream);
  s.code = code;
  s.text_mode = text_mode;
  return &s - g_slots + 1;
}

// The slot of a handle that is open, or null: the error word says whether the
// handle was no handle (invalid argument) or its slot is not open.
Slot* open_slot(intptr_t handle) {
  Slot* s = slot_of(handle);
  if (s && !s->open()) {
    g_error |= open_failed;
    return nullptr;
  }
  return s;
}

// An open slot for a narrow read or write: the C runtime refuses those on its
// Unicode streams (codes 2 to 4) by ending the process, so they fail here.
Slot* narrow_slot(intptr_t handle, int failure_bit) {
  Slot* s = open_slot(handle);
  if (!s) return nullptr;
  if (s->code >= utf8) {
    g_error |= failure_bit;
    return nullptr;
  }
  return s;
}

// The wide reads and writes convert through the C runtime's locale, which
// the host and other libraries share, so it is put right at every call; but
// setting it costs more than reading a line, so it is set only when it is
// not what "japanese" gives already.
void use_japanese_locale() {
  static const std::string japanese = [] {
    const char* previous = std::setlocale(LC_ALL, nullptr);
    const std::string kept = previous ? previous : "C";
    const char* set = std::setlocale(LC_ALL, "japanese");
    std::string name = set ? set : "";
    std::setlocale(LC_ALL, kept.c_str());
    return name;
  }();
  const char* now = std::setlocale(LC_ALL, nullptr);
  if (japanese.empty() || !now || japanese != now) std::setlocale(LC_ALL, "japanese");
}

void note_read_failure(std::FILE* f) {
  if (std::ferror(f)) g_error |= read_error;
  if (std::feof(f)) g_error |= end_of_file;
}

template <class Char>
void cut_at_line_feed(Char* s) {
  for (; *s; ++s)
    if (*s == Char('\n')) {
      *s = 0;
      return;
    }
}

// The bytes a UTF-8 stream puts on disk for the text: in text mode UTF-8
// with CR LF line ends; in binary mode the C runtime writes the UTF-16 units
// as they are.
std::uint64_t written_length(const wchar_t* text, bool text_mode) {
  if (!text_mode) return 2 * std::wcslen(text);
  std::uint64_t n = 0;
  for (const wchar_t* p = text; *p; ++p) {
    const unsigned c = *p;
    n += c < 0x80 ? 1 : c < 0x800 ? 2 : (c >= 0xD800 && c < 0xDC00) ? 4 : (c >= 0xDC00 && c < 0xE000) ? 0 : 3;
    if (c == L'\n') ++n;
  }
  return n;
}

}  // namespace

void stop_slots(StopReason) {
  for (auto& s : g_slots) close_slot(s);
}

intptr_t open(const char* path, const char* mode) {
  g_error = 0;
  if (!*path || !*mode || !mode_is_valid(mode) || !path_fits(path)) {
    g_error = invalid_argument;
    return 0;
  }
  Slot* slot = free_slot();
  if (!slot || refused(path, mode)) return 0;
  FileStream f;
  if (fopen_s(f.put(), path, mode) != 0 || !f) {
    g_error |= open_failed;
    return 0;
  }
  return take_slot(*slot, std::move(f), bytes, !has_flag(mode, 'b'));
}

namespace {

intptr_t open_encoded(const wchar_t* path, const wchar_t* mode, const wchar_t* encoding_name) {
  const Encoding encoding = encoding_named(wide_arg(encoding_name));
  // A checked mode has each flag once at most, so the composed mode is short.
  std::wstring composed = mode;
  composed.append(encoding.mode_suffix.begin(), encoding.mode_suffix.end());
  Slot* slot = free_slot();
  if (!slot || refused(path, mode)) return 0;
  FileStream f;
  if (_wfopen_s(f.put(), path, composed.c_str()) != 0 || !f) {
    g_error |= open_failed;
    return 0;
  }
  const intptr_t handle = take_slot(*slot, std::move(f), encoding.code, !has_flag(mode, 'b'));
  if (encoding.code == utf8 && mode[0] == L'w') {
    std::rewind(slot->stream.get());
    slot->covers_mark = true;
  }
  return handle;
}

}  // namespace

intptr_t open_w(const wchar_t* path, const wchar_t* mode, const wchar_t* encoding_name) {
  g_error = 0;
  if (!*path || !*mode || !mode_is_valid(mode) || !path_fits(path)) {
    g_error = invalid_argument;
    return 0;
  }
  const intptr_t handle = guarded<intptr_t>(0, [=] { return open_encoded(path, mode, encoding_name); });
  if (!handle && !g_error) g_error = open_failed;  // out of memory before the open
  return handle;
}

intptr_t close(intptr_t handle) {
  if (handle >= 1 && handle <= kSlotCount) close_slot(g_slots[handle - 1]);
  return 1;
}

intptr_t delete_file(const char* path) {
  if (!*path) {
    g_error |= delete_empty_path;
    return 0;
  }
  if (!path_fits(path)) {
    g_error |= invalid_argument;
    return 0;
  }
  return DeleteFileA(path) ? 1 : 0;
}

intptr_t error_word() { return g_error; }

intptr_t is_open(intptr_t handle) {
  g_error = 0;
  const Slot* s = slot_of(handle);
  return s && s->open() ? 1 : 0;
}

intptr_t encoding_of(intptr_t handle) {
  g_error = 0;
  const Slot* s = slot_of(handle);
  if (!s) return -1;
  if (s->code == plain_text) g_error = open_failed;
  return s->code;
}

namespace {

template <int (*Indicator)(std::FILE*)>
intptr_t indicator(intptr_t handle) {
  g_error = 0;
  const Slot* s = open_slot(handle);
  return s && Indicator(s->stream.get()) ? 1 : 0;
}

int feof_fn(std::FILE* f) { return std::feof(f); }
int ferror_fn(std::FILE* f) { return std::ferror(f); }

}  // namespace

intptr_t at_end(intptr_t handle) { return indicator<feof_fn>(handle); }
intptr_t has_error(intptr_t handle) { return indicator<ferror_fn>(handle); }

const char* read_line(intptr_t handle, Line line) {
  g_error = 0;
  if (!slot_of(handle)) return kEmptyResult;
  auto& out = result();
  if (out.capacity() < kLineFloor && !out.ensure(kLineFloor, kLineBuffer)) return kEmptyResult;
  Slot* s = narrow_slot(handle, read_error);
  if (!s) return kEmptyResult;
  if (!std::fgets(out.data(), static_cast<int>(out.capacity()), s->stream.get())) {
    note_read_failure(s->stream.get());
    return kEmptyResult;
  }
  if (line == Line::without_feed) cut_at_line_feed(out.data());
  return out.data();
}

// Counts that cannot fit the capped buffer with a terminator, and negative
// ones, are refused as invalid arguments.
const char* read_bytes(intptr_t handle, intptr_t count) {
  g_error = 0;
  if (!slot_of(handle)) return kEmptyResult;
  if (count < 0 || static_cast<std::size_t>(count) >= kResultCap) {
    g_error |= invalid_argument;
    return kEmptyResult;
  }
  auto& out = result();
  const auto n = static_cast<std::size_t>(count);
  if (!out.ensure(n + 1, n + kSmallSlack)) return kEmptyResult;
  Slot* s = narrow_slot(handle, read_error);
  if (!s) return kEmptyResult;
  const std::size_t got = std::fread(out.data(), 1, n, s->stream.get());
  if (got < n) {
    if (std::ferror(s->stream.get())) {
      g_error |= read_error;
      return kEmptyResult;
    }
    if (!std::feof(s->stream.get())) return kEmptyResult;
    g_error |= end_of_file;
  }
  out.data()[got] = 0;
  return out.data();
}

const wchar_t* read_line_w(intptr_t handle, Line line) {
  use_japanese_locale();
  g_error = 0;
  if (!slot_of(handle)) return as_wchar(kEmptyWideResult);
  auto& out = wide_result();
  if (out.capacity() < kLineFloor && !out.ensure(kLineFloor, kLineBuffer)) return as_wchar(kEmptyWideResult);
  Slot* s = open_slot(handle);
  if (!s) return as_wchar(kEmptyWideResult);
  if (!std::fgetws(as_wchar(out.data()), static_cast<int>(out.capacity()), s->stream.get())) {
    note_read_failure(s->stream.get());
    return as_wchar(kEmptyWideResult);
  }
  if (line == Line::without_feed) cut_at_line_feed(out.data());
  return as_wchar(out.data());
}

intptr_t write(intptr_t handle, const char* text, Line line) {
  g_error = 0;
  Slot* s = narrow_slot(handle, write_failed);
  if (!s) return 0;
  if (std::fputs(text, s->stream.get()) < 0) {
    g_error |= write_failed;
    return 0;
  }
  const std::size_t n = std::strlen(text);
  if (line == Line::with_feed && (n == 0 || text[n - 1] != '\n') && std::fputs("\n", s->stream.get()) < 0) {
    g_error |= write_failed;
    return 0;
  }
  return 1;
}

namespace {

// A text-mode stream without an encoding turns UTF-16 into code page 932 a
// character at a time, and a character that code page lacks would become a
// look-alike ("e" for "é") or end the write halfway. Such a text is refused
// whole, before any of it is written.
bool code_page_holds(const Slot& s, const wchar_t* text) {
  if (s.code >= utf8 || !s.text_mode) return true;
  BOOL lost = FALSE;
  return WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, text, -1, nullptr, 0, nullptr, &lost) > 0 && !lost;
}

}  // namespace

intptr_t write_w(intptr_t handle, const wchar_t* text, Line line) {
  use_japanese_locale();
  g_error = 0;
  Slot* s = open_slot(handle);
  if (!s) return 0;
  if (!code_page_holds(*s, text)) {
    g_error |= write_failed;
    return 0;
  }
  // fputws fails with WEOF, which is 0xFFFF as its int result, not -1.
  auto put = [s](const wchar_t* t) {
    const int r = std::fputws(t, s->stream.get());
    if (r < 0 || r == WEOF) {
      g_error |= write_failed;
      return false;
    }
    if (s->covers_mark) s->bytes_written += written_length(t, s->text_mode);
    return true;
  };
  if (!put(text)) return 0;
  const std::size_t n = std::wcslen(text);
  if (line == Line::with_feed && (n == 0 || text[n - 1] != L'\n') && !put(L"\n")) return 0;
  return 1;
}

}  // namespace lmx::textfile
