// The URL codec: every encoding of a text decodes to the text again, where
// the encoding escapes the percent sign itself (mode 2, and UTF-8 with every
// byte), or the text holds none.
#include <cstdint>
#include <string>

#include "format/url.h"
#include "frame/result_buffer.h"
#include "fuzz_tokens.h"

namespace {

lmx::NarrowResult& buffer(int which) {
  static lmx::NarrowResult b[2];
  if (!b[which].data()) b[which].allocate(lmx::kResultInitial);
  return b[which];
}

void round_trip(const std::string& text, const char* encoded) {
  if (!*encoded) return;  // refused (beyond the cap) or empty
  const std::string e = encoded;
  fuzz::check(lmx::url::decode(buffer(1), e) == text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  if (text.find('\0') != std::string::npos) return 0;
  const bool has_percent = text.find('%') != std::string::npos;
  for (intptr_t mode : {0, 1, 2})
    if (mode == 2 || !has_percent) round_trip(text, lmx::url::encode_narrow(buffer(0), text, mode));
  for (bool all : {false, true})
    if ((all || !has_percent) && lmx::url::encode_utf8(buffer(0), text, all)) round_trip(text, buffer(0).data());
  lmx::url::decode(buffer(1), text);
  return 0;
}
