// The found-window table of SearchWindow and its walk. The decisions live
// here; the enumeration and the system's string comparisons are handed in by
// the Windows layer.
#ifndef LORIMAX_WINDOWS_WINDOW_SEARCH_H
#define LORIMAX_WINDOWS_WINDOW_SEARCH_H

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace lmx::windows {

// A top-level window as the enumeration met it. Caption and class are
// zero-terminated, as the system read them into 1,024 bytes.
struct Candidate {
  std::uintptr_t handle;
  bool visible;
  bool owned;
  const char* caption;
  const char* class_name;
};

// The system's comparisons, which follow its collation and case rules.
struct TextTests {
  bool (*equal)(const char* a, const char* b);
  bool (*equal_ignoring_case)(const char* a, const char* b);
  bool (*contains_ignoring_case)(const char* text, const char* needle);
};

enum SearchMode : std::uint64_t {
  test_caption = 1,
  caption_contains = 2,
  ignoring_case = 4,
  invisible_too = 16,
};

class WindowSearch {
 public:
  static constexpr std::size_t kSlots = 256;
  static constexpr std::size_t kFilterBytes = 1024;  // with the terminator

  void begin(std::string_view class_name, std::string_view caption, std::uint64_t mode);
  bool wants(const Candidate& window, const TextTests& tests) const;
  // False when the table is full: the window is not stored and the
  // enumeration may end, since nothing more can be kept.
  bool store(std::uintptr_t handle);
  // Ends the search: the window stored last, or 0.
  std::uintptr_t finish();

  std::uintptr_t next();
  std::intptr_t remaining() const { return cursor_ >= 0 ? cursor_ : 0; }
  std::intptr_t count() const { return count_; }

 private:
  std::uintptr_t slots_[kSlots] = {};
  std::int64_t cursor_ = -1;
  bool found_ = false;
  std::int32_t count_ = 0;
  std::uint64_t mode_ = 0;
  char class_filter_[kFilterBytes] = {};
  bool any_class_ = false;
  char caption_filter_[kFilterBytes] = {};
};

}  // namespace lmx::windows

#endif
