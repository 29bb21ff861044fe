// The MeCab and NKF bridges keep one error code, and a table of its messages
// indexed by the code (code page 932 texts); a code outside the table has no
// message of the table's.
#ifndef LORIMAX_BRIDGES_ERROR_TEXTS_H
#define LORIMAX_BRIDGES_ERROR_TEXTS_H

#include <cstddef>
#include <cstdint>

namespace lmx::bridges {

template <std::size_t N>
constexpr const char* message_of(const char* const (&messages)[N], std::intptr_t code) {
  return code >= 0 && static_cast<std::size_t>(code) < N ? messages[code] : nullptr;
}

}  // namespace lmx::bridges

#endif
