// One owner type per kind of Windows handle, each with its own idea of
// "invalid", so that every path closes what it opened.
#ifndef LORIMAX_FRAME_WIN_OWNERS_H
#define LORIMAX_FRAME_WIN_OWNERS_H

#include <windows.h>

#include <cstdio>
#include <utility>

namespace lmx {

// Traits: `type`, `static type invalid()` and `static void close(type)`.
template <class Traits>
class Owner {
 public:
  using T = typename Traits::type;
  Owner() = default;
  explicit Owner(T value) : value_(value) {}
  Owner(const Owner&) = delete;
  Owner& operator=(const Owner&) = delete;
  Owner(Owner&& other) noexcept : value_(std::exchange(other.value_, Traits::invalid())) {}
  Owner& operator=(Owner&& other) noexcept {
    reset(std::exchange(other.value_, Traits::invalid()));
    return *this;
  }
  ~Owner() { reset(); }

  T get() const { return value_; }
  explicit operator bool() const { return value_ != Traits::invalid(); }
  void reset(T value = Traits::invalid()) {
    if (value_ != Traits::invalid()) Traits::close(value_);
    value_ = value;
  }
  T release() { return std::exchange(value_, Traits::invalid()); }
  // For out-parameters: closes what is held and hands out the slot.
  T* put() {
    reset();
    return &value_;
  }

 private:
  T value_ = Traits::invalid();
};

struct FindTraits {
  using type = HANDLE;
  static HANDLE invalid() { return INVALID_HANDLE_VALUE; }
  static void close(HANDLE h) { FindClose(h); }
};
struct StreamTraits {
  using type = std::FILE*;
  static std::FILE* invalid() { return nullptr; }
  static void close(std::FILE* f) { std::fclose(f); }
};

struct RegistryKeyTraits {
  using type = HKEY;
  static HKEY invalid() { return nullptr; }
  static void close(HKEY key) { RegCloseKey(key); }
};

using FindHandle = Owner<FindTraits>;      // FindFirstFile
using FileStream = Owner<StreamTraits>;    // the C runtime's streams
using RegistryKey = Owner<RegistryKeyTraits>;  // RegOpenKeyEx

}  // namespace lmx

#endif
