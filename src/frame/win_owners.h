// One owner type per kind of Windows handle, each with its own idea of
// "invalid", so that every path closes what it opened.
#ifndef LORIMAX_FRAME_WIN_OWNERS_H
#define LORIMAX_FRAME_WIN_OWNERS_H

#include <windows.h>

#include <cstdio>
#include <utility>

namespace lmx {

template <class T, T Invalid, class Close>
class Owner {
 public:
  Owner() = default;
  explicit Owner(T value) : value_(value) {}
  Owner(const Owner&) = delete;
  Owner& operator=(const Owner&) = delete;
  Owner(Owner&& other) noexcept : value_(std::exchange(other.value_, Invalid)) {}
  Owner& operator=(Owner&& other) noexcept {
    reset(std::exchange(other.value_, Invalid));
    return *this;
  }
  ~Owner() { reset(); }

  T get() const { return value_; }
  explicit operator bool() const { return value_ != Invalid; }
  void reset(T value = Invalid) {
    if (value_ != Invalid) Close{}(value_);
    value_ = value;
  }
  T release() { return std::exchange(value_, Invalid); }
  // For out-parameters: closes what is held and hands out the slot.
  T* put() {
    reset();
    return &value_;
  }

 private:
  T value_ = Invalid;
};

struct CloseFind {
  void operator()(HANDLE h) const { FindClose(h); }
};
struct CloseHandleFn {
  void operator()(HANDLE h) const { CloseHandle(h); }
};
struct CloseFile {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

// FindFirstFile's handle: invalid is INVALID_HANDLE_VALUE.
class FindHandle {
 public:
  FindHandle() = default;
  explicit FindHandle(HANDLE h) : h_(h) {}
  FindHandle(const FindHandle&) = delete;
  FindHandle& operator=(const FindHandle&) = delete;
  ~FindHandle() {
    if (h_ != INVALID_HANDLE_VALUE) FindClose(h_);
  }
  explicit operator bool() const { return h_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE h_ = INVALID_HANDLE_VALUE;
};

using KernelHandle = Owner<HANDLE, static_cast<HANDLE>(nullptr), CloseHandleFn>;
using FileStream = Owner<std::FILE*, static_cast<std::FILE*>(nullptr), CloseFile>;

}  // namespace lmx

#endif
