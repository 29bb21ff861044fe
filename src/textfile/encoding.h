// The file-encoding names that FileOpenW accepts and the codes the library
// records for them.
#ifndef LORIMAX_TEXTFILE_ENCODING_H
#define LORIMAX_TEXTFILE_ENCODING_H

#include <string_view>

namespace lmx::textfile {

enum EncodingCode : int { plain_text = 0, bytes = 1, utf8 = 2, utf8_bom = 3, utf16le = 4 };

struct Encoding {
  EncodingCode code;
  std::u16string_view mode_suffix;  // appended to the caller's mode; empty for plain text
};

// Names compare without regard to ASCII case; anything else is plain text.
Encoding encoding_named(std::u16string_view name);

}  // namespace lmx::textfile

#endif
