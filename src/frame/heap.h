// The library's C heap, routed through one pointer so that tests can make an
// allocation fail and watch what the callers do.
#ifndef LORIMAX_FRAME_HEAP_H
#define LORIMAX_FRAME_HEAP_H

#include <cstddef>
#include <cstdlib>
#include <memory>

namespace lmx {

extern void* (*heap_realloc)(void* block, std::size_t bytes);

inline void* heap_alloc(std::size_t bytes) { return heap_realloc(nullptr, bytes); }
inline void heap_free(void* block) { std::free(block); }

// One owner for a block of the library's heap.
struct HeapFree {
  void operator()(void* block) const { heap_free(block); }
};
template <class T>
using HeapBlock = std::unique_ptr<T[], HeapFree>;

template <class T>
HeapBlock<T> heap_array(std::size_t count) {
  return HeapBlock<T>(static_cast<T*>(heap_alloc(count * sizeof(T))));
}

}  // namespace lmx

#endif
