// Percent-encoding and -decoding of URL text.
#ifndef LORIMAX_FORMAT_URL_H
#define LORIMAX_FORMAT_URL_H

#include <cstdint>
#include <string_view>

#include "frame/result_buffer.h"

namespace lmx::url {

// Code page 932 text: double-byte characters are always escaped (%82%A0);
// mode 1 also escapes spaces, mode 2 and up the unsafe set <>"#%{}|\^~[]` and
// space. The empty result for empty text or a result beyond the cap.
const char* encode_narrow(NarrowResult& out, std::string_view text, intptr_t mode);
// UTF-8 bytes: everything outside 0x21-0x7E and the reserved set
// " #$&'()*+,/:;=?@[]" is escaped, or every byte when `all` is non-zero.
// The narrow result holds the encoded text; false when it cannot.
bool encode_utf8(NarrowResult& out, std::string_view utf8, bool all);
// %XX (hex digits in any case) becomes its byte; everything else is copied.
const char* decode(NarrowResult& out, std::string_view text);

}  // namespace lmx::url

#endif
