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
  constexpr Owner() = default;
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
struct FileTraits {
  using type = HANDLE;
  static HANDLE invalid() { return INVALID_HANDLE_VALUE; }
  static void close(HANDLE h) { CloseHandle(h); }
};
struct StreamTraits {
  using type = std::FILE*;
  static std::FILE* invalid() { return nullptr; }
  static void close(std::FILE* f) { std::fclose(f); }
};

struct KernelTraits {
  using type = HANDLE;
  static HANDLE invalid() { return nullptr; }
  static void close(HANDLE h) { CloseHandle(h); }
};
struct ModuleTraits {
  using type = HMODULE;
  static constexpr HMODULE invalid() { return nullptr; }
  static void close(HMODULE m) { FreeLibrary(m); }
};
struct GlobalLockTraits {
  using type = HGLOBAL;
  static HGLOBAL invalid() { return nullptr; }
  static void close(HGLOBAL g) { GlobalUnlock(g); }
};
struct RegistryKeyTraits {
  using type = HKEY;
  static HKEY invalid() { return nullptr; }
  static void close(HKEY key) { RegCloseKey(key); }
};

using FindHandle = Owner<FindTraits>;      // FindFirstFile
using FileHandle = Owner<FileTraits>;      // CreateFile
using FileStream = Owner<StreamTraits>;    // the C runtime's streams
using KernelHandle = Owner<KernelTraits>;  // processes, threads, pipe ends (CloseHandle)
// LoadLibrary. While the process exits other libraries may be gone already:
// the holder then lets go with release() instead of freeing.
using LoadedModule = Owner<ModuleTraits>;
using LockedGlobal = Owner<GlobalLockTraits>;  // a locked global block; see locked()

// A started child: its process and primary thread handles, closed together.
// CreateProcess fills `put()`.
class ChildProcess {
 public:
  ChildProcess() = default;
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;
  ~ChildProcess() { reset(); }
  PROCESS_INFORMATION* put() {
    reset();
    return &info_;
  }
  HANDLE process() const { return info_.hProcess; }
  // The primary thread is of no use to a caller that only waits.
  void close_thread() {
    if (info_.hThread) CloseHandle(std::exchange(info_.hThread, nullptr));
  }
  void reset() {
    close_thread();
    if (info_.hProcess) CloseHandle(std::exchange(info_.hProcess, nullptr));
  }

 private:
  PROCESS_INFORMATION info_{};
};

// The clipboard, open from construction to destruction when opened() holds.
class OpenClipboardScope {
 public:
  explicit OpenClipboardScope(HWND opener) : open_(OpenClipboard(opener) != FALSE) {}
  OpenClipboardScope(const OpenClipboardScope&) = delete;
  OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;
  ~OpenClipboardScope() {
    if (open_) CloseClipboard();
  }
  bool opened() const { return open_; }

 private:
  bool open_;
};

// Locks a global block; the owner unlocks it, `*data` points into it.
inline LockedGlobal locked(HGLOBAL block, void** data) {
  *data = block ? ::GlobalLock(block) : nullptr;
  return LockedGlobal(*data ? block : nullptr);
}
using RegistryKey = Owner<RegistryKeyTraits>;  // RegOpenKeyEx

// A function of a loaded module, typed; none when the module is missing (a
// null module would make GetProcAddress search the host's executable).
template <class Fn>
Fn proc(HMODULE module, const char* name) {
  return module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

}  // namespace lmx

#endif
