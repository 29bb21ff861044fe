// Built only into the fault-test copy of lorimax.dll: one extra export that
// makes the library's allocations fail, both its C heap (heap_realloc) and
// operator new, so that a test can watch every caller meet the failure.
#include <cstdint>
#include <cstdlib>
#include <new>

#include "frame/heap.h"

namespace {

// -1: no fault. Otherwise the number of allocations still granted.
intptr_t g_granted = -1;
bool g_persistent = false;
intptr_t g_refused = 0;

bool refuse() {
  if (g_granted < 0) return false;
  if (g_granted > 0) {
    --g_granted;
    return false;
  }
  ++g_refused;
  if (!g_persistent) g_granted = -1;
  return true;
}

void* faulty_realloc(void* block, std::size_t bytes) { return refuse() ? nullptr : std::realloc(block, bytes); }

void* allocate(std::size_t bytes) {
  if (refuse()) return nullptr;
  return std::malloc(bytes ? bytes : 1);
}

}  // namespace

// granted < 0 ends the faults. Otherwise `granted` more allocations succeed,
// then the next one fails (and, when persistent, every one after it). Returns
// how many allocations were refused since the previous call.
extern "C" __declspec(dllexport) intptr_t LmxFailAllocations(intptr_t granted, intptr_t persistent) {
  lmx::heap_realloc = faulty_realloc;
  const intptr_t refused = g_refused;
  g_refused = 0;
  g_granted = granted < 0 ? -1 : granted;
  g_persistent = persistent != 0;
  return refused;
}

void* operator new(std::size_t bytes) {
  if (void* p = allocate(bytes)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t bytes) { return operator new(bytes); }
void* operator new(std::size_t bytes, const std::nothrow_t&) noexcept { return allocate(bytes); }
void* operator new[](std::size_t bytes, const std::nothrow_t&) noexcept { return allocate(bytes); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
