// The process's open handles, counted two ways: Wine 8's GetProcessHandleCount
// answers 0, so they are also counted by asking for each handle value in turn.
// Its PrivateUsage is 0 too, so the private bytes are summed over the
// committed private regions of the address space.
#ifndef LORIMAX_TESTS_HANDLES_H
#define LORIMAX_TESTS_HANDLES_H

#include <windows.h>

#include <cstdint>

inline DWORD reported_handles() {
  DWORD n = 0;
  GetProcessHandleCount(GetCurrentProcess(), &n);
  return n;
}

inline DWORD probed_handles() {
  DWORD n = 0;
  for (std::uintptr_t v = 4; v < 0x40000; v += 4) {
    DWORD flags = 0;
    n += GetHandleInformation(reinterpret_cast<HANDLE>(v), &flags) != FALSE;
  }
  return n;
}

inline long long committed_private_bytes() {
  long long total = 0;
  MEMORY_BASIC_INFORMATION m;
  for (char* p = nullptr; VirtualQuery(p, &m, sizeof m) == sizeof m; p = static_cast<char*>(m.BaseAddress) + m.RegionSize)
    if (m.State == MEM_COMMIT && m.Type == MEM_PRIVATE) total += m.RegionSize;
  return total;
}

#endif
