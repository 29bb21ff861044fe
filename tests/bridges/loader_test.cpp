// The shared loader, seen through the NKF bridge: where a bare file name is
// looked for, and what a failed load leaves behind.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "bridges_support.h"
#include "exports/api.h"

namespace {

using namespace bridges_test;

class Environment {
 public:
  explicit Environment(const char* name) : name_(name) {
    char value[32767];
    const DWORD n = GetEnvironmentVariableA(name, value, sizeof value);
    had_ = n > 0;
    old_.assign(value, had_ ? n : 0);
  }
  ~Environment() { SetEnvironmentVariableA(name_, had_ ? old_.c_str() : nullptr); }
  void prepend(const std::string& folder) { SetEnvironmentVariableA(name_, (folder + ";" + old_).c_str()); }

 private:
  const char* name_;
  bool had_ = false;
  std::string old_;
};

class CurrentDirectory {
 public:
  explicit CurrentDirectory(const std::string& folder) {
    GetCurrentDirectoryA(MAX_PATH, old_);
    SetCurrentDirectoryA(folder.c_str());
  }
  ~CurrentDirectory() { SetCurrentDirectoryA(old_); }

 private:
  char old_[MAX_PATH];
};

TEST(Loader, BareNameNeverFromTheCurrentDirectoryButFromPath) {
  const std::string folder = fresh_folder("loader-search");
  const std::string copy = place_copy("nkf_level0_standin.dll", folder, "cwd_engine.dll");
  CurrentDirectory inside(folder);
  Environment path("PATH");

  EXPECT_EQ(nkf_load("cwd_engine.dll"), 0);
  EXPECT_EQ(nkf_error(), nkf_code::not_loaded);
  EXPECT_STREQ(nkf_getmodulefilename(), "");
  // The platform's own search would have taken it from here.
  HMODULE direct = LoadLibraryA("cwd_engine.dll");
  EXPECT_NE(direct, nullptr);
  if (direct) FreeLibrary(direct);

  // Each way a PATH entry can reach this folder without naming it in full:
  // relative, quoted, empty, drive-relative, or without its drive.
  const std::string leaf = folder.substr(folder.find_last_of('\\') + 1);
  for (const std::string& relative : {std::string("."), std::string(".\\"), std::string("\".\""), std::string(""),
                                      "..\\" + leaf, folder.substr(0, 2), folder.substr(2)}) {
    SCOPED_TRACE("PATH entry [" + relative + "]");
    path.prepend(relative);
    EXPECT_EQ(nkf_load("cwd_engine.dll"), 0);
    EXPECT_EQ(nkf_error(), nkf_code::not_loaded);
  }

  path.prepend(folder);
  EXPECT_EQ(nkf_load("cwd_engine.dll"), 1);
  EXPECT_EQ(nkf_error(), nkf_code::no_error);
  EXPECT_EQ(lower(nkf_getmodulefilename()), lower(copy));
  EXPECT_EQ(nkf_free(), 1);
  EXPECT_STREQ(nkf_getmodulefilename(), "");

  // A path, even a relative one, is the caller's explicit choice.
  EXPECT_EQ(nkf_load(".\\cwd_engine.dll"), 1);
  EXPECT_EQ(nkf_free(), 1);
}

TEST(Loader, FailedLoadsLeaveTheBridgeUsable) {
  const std::string folder = fresh_folder("loader-failures");
  struct Case {
    std::string file;
    intptr_t loaded, code;
  } cases[] = {
      {folder + "\\missing.dll", 0, 3},
      {"version.dll", 0, 3},                 // found in the system folder, but no GetNkfVersion
      {"nkf_lacking_standin.dll", 0, 5},     // says 2.1.0 but has only the oldest functions
      {exe_folder() + "\\nkf_level0_standin.dll", 1, 0},
      {"nkf_level1_standin.dll", 1, 0},  // found in the application's folder
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    EXPECT_EQ(nkf_load(c.file.c_str()), c.loaded);
    EXPECT_EQ(nkf_error(), c.code);
    EXPECT_EQ(hex(nkf_errormessage()), hex(nkf_message(c.code)));
    EXPECT_TRUE(japanese(nkf_errormessage()));
    EXPECT_EQ(nkf_getmodulefilename()[0] != 0, c.loaded == 1);
  }
  EXPECT_EQ(nkf_free(), 1);
  EXPECT_EQ(nkf_free(), 1);  // freeing nothing is harmless
  EXPECT_EQ(nkf_error(), nkf_code::no_error);
}

}  // namespace
