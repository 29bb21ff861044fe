#include "frame/result_buffer.h"

#include <cstring>

#include "frame/heap.h"

namespace lmx {

void* (*heap_realloc)(void*, std::size_t) = std::realloc;

template <class Char>
bool ResultBuffer<Char>::allocate(std::size_t capacity) {
  release();
  data_ = static_cast<Char*>(heap_alloc(capacity * sizeof(Char)));
  if (!data_) return false;
  capacity_ = capacity;
  data_[0] = 0;
  return true;
}

template <class Char>
void ResultBuffer<Char>::release() {
  heap_free(data_);
  data_ = nullptr;
  capacity_ = 0;
}

template <class Char>
bool ResultBuffer<Char>::grow(std::size_t needed, std::size_t new_capacity, std::size_t keep) {
  if (data_ && capacity_ >= needed) return true;
  if (new_capacity > kResultCap) new_capacity = kResultCap;
  if (new_capacity < needed || new_capacity == 0) return false;
  auto* grown = static_cast<Char*>(heap_realloc(data_, new_capacity * sizeof(Char)));
  if (!grown) return false;  // realloc left the old block as it was
  std::memset(grown + keep, 0, (new_capacity - keep) * sizeof(Char));
  data_ = grown;
  capacity_ = new_capacity;
  return true;
}

template <class Char>
bool ResultBuffer<Char>::ensure(std::size_t needed, std::size_t new_capacity) {
  return grow(needed, new_capacity, 0);
}

template <class Char>
bool ResultBuffer<Char>::ensure_keeping(std::size_t needed, std::size_t new_capacity) {
  return grow(needed, new_capacity, data_ ? capacity_ : 0);
}

template <class Char>
const Char* ResultBuffer<Char>::c_str() const {
  static constexpr Char empty[1] = {0};
  return data_ ? data_ : empty;
}

template <class Char>
bool ResultBuffer<Char>::assign(std::basic_string_view<Char> text, std::size_t new_capacity) {
  clear();
  if (!ensure(text.size() + 1, new_capacity)) return false;
  std::memcpy(data_, text.data(), text.size() * sizeof(Char));
  data_[text.size()] = 0;
  return true;
}

template class ResultBuffer<char>;
template class ResultBuffer<char16_t>;

NarrowResult& result() {
  static NarrowResult buffer;
  return buffer;
}

WideResult& wide_result() {
  static WideResult buffer;
  return buffer;
}

}  // namespace lmx
