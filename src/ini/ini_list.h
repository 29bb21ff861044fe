// A loaded INI list: a fixed text store that a profile function fills with
// zero-terminated strings (ended by an empty one), the table of entries that
// index it, and the cursor that walks it. The same code serves the narrow
// (code page 932) and the UTF-16 lists.
#ifndef LORIMAX_INI_INI_LIST_H
#define LORIMAX_INI_INI_LIST_H

#include <cstddef>
#include <cstdint>
#include <cstring>

#include <emmintrin.h>

#include "frame/heap.h"
#include "frame/result_buffer.h"

namespace lmx::ini {

enum class Entries { keys_with_equals, all_strings };

template <class Char>
class IniList {
 public:
  IniList(std::size_t store_chars, std::size_t initial_room, Entries entries)
      : store_chars_(store_chars), initial_room_(initial_room), entries_(entries) {}
  IniList(const IniList&) = delete;
  IniList& operator=(const IniList&) = delete;
  ~IniList() { stop(); }

  // Module start: the store is allocated once; a failed allocation leaves the
  // list without one, and its loads fail with -1.
  void start() {
    store_ = static_cast<Char*>(heap_alloc(store_chars_ * sizeof(Char)));
    if (store_) store_[0] = 0;
    last_index_ = -1;
    cursor_ = nullptr;
  }
  void stop() {
    heap_free(table_);
    heap_free(store_);
    table_ = nullptr;
    store_ = nullptr;
    room_ = 0;
    last_index_ = -1;
    cursor_ = nullptr;
  }

  Char* store() { return store_; }
  std::size_t store_chars() const { return store_chars_; }

  // After the profile function filled the store (`filled` characters; 0 for
  // nothing found): restarts the cursor and indexes the entries. Returns the
  // number of entries, or -1 when nothing was found or the table cannot grow.
  intptr_t load(std::size_t filled) {
    if (filled == 0) {
      last_index_ = -1;
      cursor_ = nullptr;
      return -1;
    }
    // Whatever the profile function did at the end of the store, the walk
    // below must stop inside it.
    store_[store_chars_ - 1] = 0;
    if (store_chars_ > 1) store_[store_chars_ - 2] = 0;
    // An empty first string ends the list: the cursor must not step past it
    // into what an earlier load left in the store.
    cursor_ = *store_ ? store_ : nullptr;
    // The store now holds the new text, so a table that cannot be completed
    // leaves the list unloaded rather than pointing into it.
    last_index_ = -1;
    if (!table_ && !grow_table(initial_room_)) return -1;
    std::size_t count = 0;
    const Char* const end = store_ + store_chars_ - 1;  // a zero, set above
    const Char mark = entries_ == Entries::keys_with_equals ? Char('=') : Char(0);
    for (Char* s = store_; *s;) {
      const Char* stop = first_of(s, end, mark);
      const bool entry = *stop == mark;
      if (*stop) stop = first_of(stop, end, Char(0));
      if (entry) {
        table_[count++] = s;
        if (count + 1 >= room_ && !grow_table(2 * room_)) return -1;
      }
      s = const_cast<Char*>(stop < end ? stop + 1 : end);
    }
    table_[count] = nullptr;
    last_index_ = static_cast<intptr_t>(count) - 1;
    return static_cast<intptr_t>(count);
  }
  bool loaded() const { return last_index_ >= 0; }
  intptr_t last_index() const { return last_index_; }
  // The entry at `index`, or null when out of range or unloaded.
  const Char* entry(intptr_t index) const {
    return index >= 0 && index <= last_index_ ? table_[index] : nullptr;
  }

  // The cursor: the string it stands on, or null when inactive.
  const Char* cursor() const { return cursor_; }
  void stop_cursor() { cursor_ = nullptr; }
  // Steps to the next string: true when there is one.
  bool step() {
    if (!cursor_) return false;
    cursor_ = next_string(const_cast<Char*>(cursor_));
    if (!*cursor_) cursor_ = nullptr;
    return cursor_ != nullptr;
  }

  static bool contains(const Char* s, Char c) {
    for (; *s; ++s)
      if (*s == c) return true;
    return false;
  }
  // The first zero or `c` in [s, end], where *end is zero: sixteen bytes at
  // a time (walking a full store a character at a time cost more than the
  // lookups themselves).
  static const Char* first_of(const Char* s, const Char* end, Char c) {
    constexpr std::size_t step = 16 / sizeof(Char);
    const __m128i zero = _mm_setzero_si128();
    const __m128i wanted = sizeof(Char) == 1 ? _mm_set1_epi8(static_cast<char>(c)) : _mm_set1_epi16(static_cast<short>(c));
    for (; s + step <= end + 1; s += step) {
      const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s));
      const __m128i hit = sizeof(Char) == 1 ? _mm_or_si128(_mm_cmpeq_epi8(v, zero), _mm_cmpeq_epi8(v, wanted))
                                            : _mm_or_si128(_mm_cmpeq_epi16(v, zero), _mm_cmpeq_epi16(v, wanted));
      const int mask = _mm_movemask_epi8(hit);
      if (mask) return s + __builtin_ctz(static_cast<unsigned>(mask)) / sizeof(Char);
    }
    while (*s && *s != c) ++s;
    return s;
  }

 private:
  Char* next_string(Char* s) const {
    Char* const end = store_ + store_chars_ - 1;
    while (s < end && *s) ++s;
    return s < end ? s + 1 : end;
  }
  // Keeps the old table when the new one cannot be had.
  bool grow_table(std::size_t room) {
    auto* grown = static_cast<const Char**>(heap_realloc(table_, room * sizeof(Char*)));
    if (!grown) return false;
    table_ = grown;
    room_ = room;
    return true;
  }

  const std::size_t store_chars_, initial_room_;
  const Entries entries_;
  Char* store_ = nullptr;
  const Char** table_ = nullptr;
  std::size_t room_ = 0;
  intptr_t last_index_ = -1;
  const Char* cursor_ = nullptr;
};

// The part of an entry that the read exports give.
enum class Part { key, data, value, whole };

// Copies `part` of `s` into `out` (grown to the length + 100 when needed);
// the buffer, or null when it cannot grow.
template <class Char>
const Char* copy_part(ResultBuffer<Char>& out, const Char* s, Part part) {
  const Char* begin = s;
  if (part == Part::value) {
    for (const Char* p = s; *p; ++p)
      if (*p == Char('=')) {
        begin = p + 1;
        break;
      }
  }
  const Char* end = begin;
  while (*end) ++end;
  const Char stop = part == Part::key ? Char('=') : (part == Part::data || part == Part::value) ? Char('\t') : Char(0);
  if (stop)
    for (const Char* p = begin; p < end; ++p)
      if (*p == stop) {
        end = p;
        break;
      }
  const std::size_t n = static_cast<std::size_t>(end - begin);
  const std::size_t whole = std::char_traits<Char>::length(s);
  if (!out.ensure(whole + 1, whole + kSlack)) return nullptr;
  std::memmove(out.data(), begin, n * sizeof(Char));
  out.data()[n] = 0;
  return out.data();
}

// True when the shell's case-insensitive comparison of the first
// length(search) characters cannot find `entry` equal to `search`: after a
// common start of ASCII letters and digits (equal but for case), both hold an
// ASCII letter or digit, and not the same one. Characters that are never
// ignored and differ in their letter weigh unequal under any collation, so
// the answer is the system's without asking it; every other entry is left to
// the system's own comparison.
bool surely_differs(const char* entry, const char* search);
bool surely_differs(const char16_t* entry, const char16_t* search);

// Whole-string comparison ignoring the case of ASCII letters only; in narrow
// text the letters are whole characters (ア 83 41 is never taken for A).
bool ascii_iequal(const char* a, const char* b);
bool ascii_iequal(const char16_t* a, const char16_t* b);

}  // namespace lmx::ini

#endif
