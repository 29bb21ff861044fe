// One typed caller per export, generated from the table, for the programs that
// call exports by name with arguments chosen at run time (lmx, the hardening
// tests). A caller casts the export's address to the export's declared type,
// passes each argument as its kind and hands back the result with its kind.
#ifndef LORIMAX_EXPORTS_CALLER_H
#define LORIMAX_EXPORTS_CALLER_H

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <type_traits>
#include <utility>

#include "exports/api.h"
#include "exports/info.h"
#include "frame/contract.h"

namespace lmx {

// One argument; the member of the export's kind is passed.
struct CallArg {
  intptr_t i = 0;
  const char* s = nullptr;
  const wchar_t* w = nullptr;
};

struct CallResult {
  char kind;  // 'I', 'S' or 'W'
  intptr_t i = 0;
  const void* p = nullptr;
};

// kCallers[i] calls the table's export i at `address` (its own, or one looked
// up in another copy of the library) with as many arguments as it takes.
using Caller = CallResult (*)(void* address, const CallArg* args);

namespace caller_detail {
template <class T>
T as(const CallArg& a) {
  if constexpr (std::is_same_v<T, intptr_t>)
    return a.i;
  else if constexpr (std::is_same_v<T, const char*>)
    return a.s;
  else
    return a.w;
}

template <class R, class... P, std::size_t... n>
CallResult invoke(R (*f)(P...), const CallArg* a, std::index_sequence<n...>) {
  const R r = f(as<P>(a[n])...);
  if constexpr (std::is_same_v<R, intptr_t>)
    return {'I', r, nullptr};
  else if constexpr (std::is_same_v<R, const char*>)
    return {'S', 0, r};
  else
    return {'W', 0, r};
}
template <class R, class... P>
CallResult call_at(void* address, const CallArg* a) {
  return invoke(reinterpret_cast<R (*)(P...)>(address), a, std::index_sequence_for<P...>{});
}
template <class F>
struct CallerOf;
template <class R, class... P>
struct CallerOf<R (*)(P...)> {
  static constexpr Caller call = &call_at<R, P...>;
};
}  // namespace caller_detail

#define LMX_CALLER_(family, name, ...) caller_detail::CallerOf<decltype(&::name)>::call,
inline constexpr Caller kCallers[] = {LMX_ALL_EXPORTS(LMX_CALLER_)};
#undef LMX_CALLER_
static_assert(std::size(kCallers) == kExportCount);

}  // namespace lmx

#endif
