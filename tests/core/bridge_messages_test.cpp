// Every code the MeCab bridge can report has a text a macro can show; code 7
// (options refused, often no dictionary found) says how to name one.
#include <gtest/gtest.h>

#include <cstring>

#include "bridges/mecab_analysis.h"

namespace {

using namespace lmx::mecab;

TEST(BridgeMessages, EveryMeCabCodeHasOne) {
  for (int code = ok; code <= options_refused; ++code) {
    const char* text = code_message(code);
    ASSERT_NE(text, nullptr) << code;
    EXPECT_GT(std::strlen(text), 0u) << code;
  }
  EXPECT_NE(std::strstr(code_message(options_refused), "-d "), nullptr);
  EXPECT_EQ(code_message(options_refused + 1), nullptr);
}

}  // namespace
