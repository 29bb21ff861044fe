// Which paths the exports that open a file refuse, and where a path's folder
// ends, natively: the documented device names in each form, in both string
// kinds, and the names that only look like them.
#include "frame/path_limit.h"

#include <gtest/gtest.h>

#include <string>

#include "device_names.h"
#include "text.h"

namespace {

std::string narrow(const std::u16string& s) {
  std::string n;
  for (char16_t c : s) n += c < 0x80 ? static_cast<char>(c) : '1';  // the superscripts' best fit in code page 932
  return n;
}

TEST(DeviceNames, EveryDocumentedNameInEveryForm) {
  for (const std::u16string& path : device_paths(u"D:\\macros")) {
    EXPECT_TRUE(lmx::names_a_device(path.c_str())) << narrow(path);
    EXPECT_TRUE(lmx::names_a_device(narrow(path).c_str())) << narrow(path);
    EXPECT_FALSE(lmx::may_open(path.c_str())) << narrow(path);
  }
}

TEST(DeviceNames, NamesThatOnlyLookLikeThem) {
  const std::string sjis_folder = sjis(u8"表\\");  // 95 5C: the trail byte is no separator
  for (const std::string path : {"COM10", "COMX", "CONSOLE", "NULL.txt", "aux_file.txt", "LPT", "C:\\CON\\file.txt",
                                 "\\\\?\\C:\\folder\\COM1", "a.txt:COM1", "x COM1"}) {
    EXPECT_FALSE(lmx::names_a_device(path.c_str())) << path;
    EXPECT_TRUE(lmx::may_open(path.c_str())) << path;
  }
  EXPECT_FALSE(lmx::names_a_device((sjis(u8"表") + "COM1").c_str()));
  EXPECT_TRUE(lmx::names_a_device((sjis_folder + "COM1").c_str()));
}

TEST(FolderLength, WalksCharactersNotBytes) {
  EXPECT_EQ(lmx::folder_length("a.txt"), 0u);
  EXPECT_EQ(lmx::folder_length("C:a.txt"), 2u);
  EXPECT_EQ(lmx::folder_length("C:\\dir/a.txt"), 7u);
  EXPECT_EQ(lmx::folder_length(u"C:\\dir\\a.txt"), 7u);
  const std::string table = sjis(u8"C:\\d\\表.txt");  // the 5C of 表 ends no folder
  EXPECT_EQ(lmx::folder_length(table.c_str()), 5u);
}

}  // namespace
