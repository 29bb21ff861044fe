// What the process holds, for the tests that must find it flat: its open
// handles, counted two ways (Wine 8's GetProcessHandleCount answers 0, so they
// are also counted by asking for each handle value in turn) and by type; its
// private bytes (Wine's PrivateUsage is 0 too, so they are summed over the
// committed private regions); the bytes in use on its heaps; its threads; and
// its TLS slots, of which a process has a fixed number.
#ifndef LORIMAX_TESTS_HANDLES_H
#define LORIMAX_TESTS_HANDLES_H

#include <windows.h>
#include <tlhelp32.h>
#include <winternl.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

inline DWORD reported_handles() {
  DWORD n = 0;
  GetProcessHandleCount(GetCurrentProcess(), &n);
  return n;
}

// Calls visit(handle) for each handle the process has open: from the system's
// list of all processes' handles in one call, or, where that is refused, by
// asking for each handle value in turn.
template <class Visit>
void for_each_handle(Visit visit) {
  struct Entry {
    void* object;
    ULONG_PTR process, handle;
    ULONG access;
    USHORT creator_back_trace, type_index;
    ULONG attributes, reserved;
  };
  struct List {
    ULONG_PTR count, reserved;
    Entry entries[1];
  };
  constexpr int kSystemExtendedHandleInformation = 64;
  using Query = NTSTATUS(WINAPI*)(int, void*, ULONG, ULONG*);
  static const auto query = reinterpret_cast<Query>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
  for (ULONG size = 1 << 20; query && size <= (1u << 26); size *= 4) {
    std::vector<ULONG_PTR> buffer(size / sizeof(ULONG_PTR));
    const NTSTATUS status = query(kSystemExtendedHandleInformation, buffer.data(), size, nullptr);
    if (status != 0) continue;  // too small, or refused: the next size, then the probes
    const auto* list = reinterpret_cast<const List*>(buffer.data());
    for (ULONG_PTR i = 0; i < list->count; ++i)
      if (list->entries[i].process == GetCurrentProcessId()) visit(reinterpret_cast<HANDLE>(list->entries[i].handle));
    return;
  }
  for (std::uintptr_t v = 4; v < 0x40000; v += 4) {
    DWORD flags = 0;
    if (GetHandleInformation(reinterpret_cast<HANDLE>(v), &flags)) visit(reinterpret_cast<HANDLE>(v));
  }
}

inline DWORD probed_handles() {
  DWORD n = 0;
  for_each_handle([&](HANDLE) { ++n; });
  return n;
}

inline long long committed_private_bytes() {
  long long total = 0;
  MEMORY_BASIC_INFORMATION m;
  for (char* p = nullptr; VirtualQuery(p, &m, sizeof m) == sizeof m; p = static_cast<char*>(m.BaseAddress) + m.RegionSize)
    if (m.State == MEM_COMMIT && m.Type == MEM_PRIVATE) total += m.RegionSize;
  return total;
}

// Open handles by their type's name (Event, Thread, Key ...).
inline std::map<std::wstring, long> handles_by_type() {
  using Query = NTSTATUS(WINAPI*)(HANDLE, OBJECT_INFORMATION_CLASS, void*, ULONG, ULONG*);
  static const auto query = reinterpret_cast<Query>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryObject")));
  std::map<std::wstring, long> counts;
  for_each_handle([&](HANDLE h) {
    alignas(8) unsigned char info[1024];
    std::wstring type = L"?";
    if (query && query(h, ObjectTypeInformation, info, sizeof info, nullptr) == 0) {
      const auto* name = &reinterpret_cast<const PUBLIC_OBJECT_TYPE_INFORMATION*>(info)->TypeName;
      type.assign(name->Buffer, name->Length / sizeof(wchar_t));
    }
    ++counts[type];
  });
  return counts;
}

// The bytes of the busy blocks of every heap of the process.
inline long long heap_bytes_in_use() {
  std::vector<HANDLE> heaps(GetProcessHeaps(0, nullptr) + 16);
  heaps.resize(GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data()));
  long long total = 0;
  for (HANDLE heap : heaps) {
    if (!HeapLock(heap)) continue;
    PROCESS_HEAP_ENTRY entry{};
    while (HeapWalk(heap, &entry))
      if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) total += entry.cbData;
    HeapUnlock(heap);
  }
  return total;
}

inline long thread_count() {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  THREADENTRY32 entry{};
  entry.dwSize = sizeof entry;
  long n = 0;
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
    n += entry.th32OwnerProcessID == GetCurrentProcessId();
  CloseHandle(snapshot);
  return n;
}

// The TLS slots that TlsAlloc can still give.
inline long tls_slots_free() {
  std::vector<DWORD> taken;
  for (DWORD slot; (slot = TlsAlloc()) != TLS_OUT_OF_INDEXES;) taken.push_back(slot);
  for (DWORD slot : taken) TlsFree(slot);
  return static_cast<long>(taken.size());
}

#endif
