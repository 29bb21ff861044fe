// The FileVersion text walk.
#include "frame/version.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

TEST(VersionWalk, Cases) {
  struct Case { std::string text; long long number; const char* shown; } cases[] = {
      {"1, 29, 0, 0", 12900, "1.29.00"}, {"1,29,0,0", 12900, "1.29.00"},
      {"2, 5, 7, 1", 20507, "2.05.07"},
      {"1, 100, 2, 0", 110002, "1.100.02"},  // %02d is a minimum width
      {"1, 2", 10000, "1.00.00"},            // digits after the last comma are not a field
      {"", 0, "0.00.00"}, {"v1.x, 2b, 3", 1020000 / 100, "1.02.00"},
  };
  for (const auto& c : cases) {
    const lmx::Version v = lmx::parse_file_version(c.text);
    EXPECT_EQ(v.number, c.number) << c.text;
    EXPECT_STREQ(v.text, c.shown) << c.text;
  }
}

TEST(VersionWalk, LongFieldsStayInsideTheText) {
  const std::string digits(40, '9');
  const lmx::Version v = lmx::parse_file_version(digits + ", " + digits + ", " + digits + ", 0");
  EXPECT_LT(std::strlen(v.text), sizeof v.text);
  EXPECT_GT(v.number, 0);
  EXPECT_EQ(std::string(v.text).substr(0, 11), "2147483647.");
}
