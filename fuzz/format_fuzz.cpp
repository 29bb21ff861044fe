// The formatting core on arbitrary input: kanji numerals from a digit string
// and from the same number agree, the time-format rewrite and the version
// parser take any text, and the encoding names any UTF-16.
#include <cstdint>
#include <cstring>
#include <string>

#include "format/kanji.h"
#include "format/size_text.h"
#include "format/time_format.h"
#include "frame/version.h"
#include "fuzz_tokens.h"
#include "textfile/encoding.h"

namespace kanji = lmx::kanji;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 8) return 0;
  std::uint64_t number = 0;
  std::memcpy(&number, data, 8);
  const std::string text(reinterpret_cast<const char*>(data + 8), size - 8);

  for (auto form : {kanji::Form::digits, kanji::Form::numeral}) {
    char a[512], b[512];
    const std::size_t from_digits = kanji::convert(std::to_string(number), a, sizeof a, form);
    const std::size_t from_number = kanji::convert_number(number, b, sizeof b, form);
    fuzz::check(from_digits == from_number && std::strcmp(a, b) == 0);
    // Leading zeros change nothing in the numeral form.
    if (form == kanji::Form::numeral && number) {
      const std::size_t padded = kanji::convert("000" + std::to_string(number), a, sizeof a, form);
      fuzz::check(padded == from_number && std::strcmp(a, b) == 0);
    }
    char small[16];
    const std::size_t cut = kanji::convert(text, small, sizeof small, form);
    fuzz::check(cut == kanji::npos ? small[0] == 0 : std::strlen(small) == cut);
  }

  const lmx::time_format::Moment moment{1900 + static_cast<int>(data[0] % 200), 1 + data[1] % 12, 1 + data[2] % 31,
                                        data[3] % 24, data[4] % 60, data[5] % 60, data[6] % 7};
  lmx::time_format::rewrite(text, moment);
  lmx::size_text::describe(number);
  const lmx::Version v = lmx::parse_file_version(text);
  fuzz::check(std::strlen(v.text) < sizeof v.text);
  std::u16string name;
  for (std::size_t i = 8; i + 1 < size; i += 2) name += static_cast<char16_t>(data[i] | data[i + 1] << 8);
  lmx::textfile::encoding_named(name);
  return 0;
}
