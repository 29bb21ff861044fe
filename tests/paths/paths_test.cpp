// Path and file-system queries through the DLL under Wine, with Shift_JIS names.
#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>

#include "exports/api.h"
#include "host_standin.h"
#include "results.h"
#include "text.h"

namespace {

using std::string;

// ASCII letters lower-cased; double-byte characters (whose trail bytes may
// look like letters) left alone.
string lower(string s) {
  for (std::size_t i = 0; i < s.size(); ++i) {
    const auto b = static_cast<unsigned char>(s[i]);
    if ((b >= 0x81 && b <= 0x9F) || b >= 0xE0)
      ++i;
    else if (b >= 'A' && b <= 'Z')
      s[i] = static_cast<char>(b + 32);
  }
  return s;
}

// An absolute folder for the tests, as Wine names it (Z:\...).
string base() {
  static const string dir = [] {
    char cwd[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, cwd);
    string d = string(cwd) + "\\Paths-Test";
    CreateDirectoryA(d.c_str(), nullptr);
    return d;
  }();
  return dir;
}

void touch(const string& path) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  CloseHandle(h);
}

TEST(PathParts, ThinLayers) {
  struct Case { string got, expected; } cases[] = {
      {GetFileExtention("C:\\d\\a.tar.gz"), ".gz"}, {GetFileExtention("C:\\d\\noext"), ""},
      {GetFileBaseName("C:\\d\\a.tar.gz"), "a.tar"}, {GetFileName("C:\\d\\a.tar.gz"), "a.tar.gz"},
      {GetParentFolder("C:\\d\\a.txt"), "C:\\d"}, {GetParentFolder("a.txt"), ""},
      {GetChangeFileExt("C:\\d\\a.txt", ".md"), "C:\\d\\a.md"},
      {GetExpandPath("C:\\a\\b\\..\\c\\.\\d"), "C:\\a\\c\\d"},
      // 表 ends in the byte 5C: never a separator.
      {GetFileName(sjis(u8"C:\\表\\表示.txt").c_str()), sjis(u8"表示.txt")},
      {GetParentFolder(sjis(u8"C:\\表\\表示.txt").c_str()), sjis(u8"C:\\表")},
      {GetFileBaseName(sjis(u8"C:\\表\\ソ.txt").c_str()), sjis(u8"ソ")},
      {GetFileExtention(sjis(u8"C:\\表.d\\表").c_str()), ""},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i)
    EXPECT_EQ(utf8_of_sjis(cases[i].got), utf8_of_sjis(cases[i].expected)) << "case " << i;
  hold_text();
  for (const char* failed : {GetChangeFileExt("C:\\d\\a.txt", ""), GetFileName(""), GetExpandPath(nullptr), GetCompactPath("C:\\x", 0)})
    EXPECT_STREQ(failed, "");
  EXPECT_STREQ(GetResult(), "held");

  for (const unsigned width : {1u, 8u, 20u, 30u}) {
    const string path = "C:\\a very long folder\\another folder\\file.txt";
    char expected[MAX_PATH];
    ASSERT_TRUE(PathCompactPathExA(expected, path.c_str(), width, 0));
    EXPECT_STREQ(GetCompactPath(path.c_str(), width), expected) << width;
  }

  EXPECT_EQ(IsRelativePath("dir\\file.txt"), 1);
  EXPECT_EQ(IsRelativePath("C:\\dir"), 0);
  EXPECT_EQ(IsRelativePath(""), 0);
  EXPECT_EQ(IsMatchFileName("report.txt", "*.txt"), 1);
  EXPECT_EQ(IsMatchFileName("report.txt", "*.md"), 0);
  EXPECT_EQ(IsMatchFileName(sjis(u8"表示.txt").c_str(), sjis(u8"表*").c_str()), 1);
  EXPECT_EQ(IsMatchFileName("report.txt", ""), 0);
}

TEST(PathParts, LongPathsNeverOverrun) {
  const string long_path = "C:\\" + string(5000, 'x') + "\\name.ext";
  EXPECT_EQ(string(GetFileName(long_path.c_str())), "name.ext");
  EXPECT_EQ(string(GetFileExtention(long_path.c_str())), ".ext");
  EXPECT_EQ(string(GetParentFolder(long_path.c_str())), long_path.substr(0, long_path.size() - 9));
  hold_text();
  for (const char* refused : {GetExpandPath(long_path.c_str()), GetChangeFileExt(long_path.c_str(), ".x"),
                              GetCompactPath(long_path.c_str(), 1000000),
                              GetLongName(long_path.c_str()), GetRelativePathTo(long_path.c_str(), long_path.c_str())})
    EXPECT_STREQ(refused, "");
  EXPECT_STREQ(GetResult(), "held");
  // Just over MAX_PATH: the exports that hand a path to functions working in
  // MAX_PATH buffers refuse it before any system call (the last error stays).
  const string over = "C:\\" + string(MAX_PATH, 'x');
  for (const auto& [what, call] : std::initializer_list<std::pair<const char*, const char* (*)(const string&)>>{
           {"GetLongName", [](const string& p) { return GetLongName(p.c_str()); }},
           {"GetRelativePathTo from", [](const string& p) { return GetRelativePathTo(p.c_str(), "C:\\"); }},
           {"GetRelativePathTo to", [](const string& p) { return GetRelativePathTo("C:\\", p.c_str()); }}}) {
    SetLastError(12345);
    EXPECT_STREQ(call(over), "") << what;
    EXPECT_EQ(GetLastError(), 12345u) << what;
  }
}

TEST(FileSystem, AttributesAndExistence) {
  const string folder = base() + "\\" + sjis(u8"表示フォルダ");
  CreateDirectoryA(folder.c_str(), nullptr);
  const string file = folder + "\\LongFileName.txt";
  touch(file);
  EXPECT_EQ(IsDirectory(folder.c_str()), 1);
  EXPECT_EQ(IsDirectory(file.c_str()), 0);
  EXPECT_EQ(IsFile(file.c_str()), 1);
  EXPECT_EQ(IsFile(folder.c_str()), 0);
  EXPECT_EQ(IsFile((folder + "\\missing").c_str()), 0);
  EXPECT_EQ(GetFileAttr(folder.c_str()) & FILE_ATTRIBUTE_DIRECTORY, FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_EQ(GetFileAttr((folder + "\\missing").c_str()), -1);
  EXPECT_EQ(GetFileAttr(""), 0);

  const string sub = folder + "\\sub";
  CreateDirectoryA(sub.c_str(), nullptr);
  touch(sub + "\\f.txt");
  EXPECT_EQ(string(GetRelativePathTo(folder.c_str(), (sub + "\\f.txt").c_str())), ".\\sub\\f.txt");
  EXPECT_NE(GetRelativePathTo(folder.c_str(), (sub + "\\nope.txt").c_str()), GetResult());

  char short_form[MAX_PATH];
  ASSERT_GT(GetShortPathNameA(file.c_str(), short_form, MAX_PATH), 0u);
  EXPECT_STREQ(GetShortName(file.c_str()), short_form);
  hold_text();
  EXPECT_STREQ(GetShortName((folder + "\\missing").c_str()), "");
  EXPECT_STREQ(GetResult(), "");
}

TEST(FileSystem, LongNameRebuildsFromTheStoredNames) {
  const string folder = base() + "\\" + sjis(u8"表示フォルダ");
  CreateDirectoryA(folder.c_str(), nullptr);
  const string file = folder + "\\LongFileName.txt";
  touch(file);
  // Typed in lower case: everything after the drive comes back as stored.
  const string typed = lower(file.substr(0, 2)) + lower(file.substr(2));
  const string rebuilt = GetLongName(typed.c_str());
  EXPECT_EQ(rebuilt.substr(0, 2), typed.substr(0, 2));  // the drive as typed
  EXPECT_EQ(utf8_of_sjis(rebuilt.substr(2)), utf8_of_sjis(file.substr(2)));
  // The short form comes back long.
  const string short_form = GetShortName(file.c_str());
  EXPECT_EQ(utf8_of_sjis(GetLongName(short_form.c_str())).substr(2), utf8_of_sjis(file).substr(2));
  // Refusals.
  EXPECT_NE(GetLongName((folder + "\\missing.txt").c_str()), GetResult());
  EXPECT_NE(GetLongName("\\\\server\\share\\x"), GetResult());
  EXPECT_NE(GetLongName((folder + "\\").c_str()), GetResult());
  EXPECT_NE(GetLongName("C:\\"), GetResult());
  EXPECT_NE(GetLongName("\\Windows"), GetResult());
  EXPECT_NE(GetLongName((folder + "\\\\LongFileName.txt").c_str()), GetResult());
  const string deep = folder + "\\" + string(600, 'd');
  EXPECT_NE(GetLongName(deep.c_str()), GetResult());
}

TEST(Shell, SpecialFoldersAreTheShellsForTheirFolderNumbers) {
  // 1 favourites, 2 documents, 3 application data; every other number the desktop.
  const struct { intptr_t number; int csidl; } cases[] = {
      {0, CSIDL_DESKTOP}, {1, CSIDL_FAVORITES}, {2, CSIDL_PERSONAL}, {3, CSIDL_APPDATA},
      {4, CSIDL_DESKTOP}, {-1, CSIDL_DESKTOP},  {INTPTR_MAX, CSIDL_DESKTOP},
  };
  for (const auto& c : cases) {
    char expected[MAX_PATH];
    ASSERT_EQ(SHGetFolderPathA(nullptr, c.csidl, nullptr, SHGFP_TYPE_CURRENT, expected), S_OK) << c.csidl;
    string got = GetSpecialFolder(c.number);
    // Wine's item-list route gives the documents folder a trailing backslash.
    if (c.csidl == CSIDL_PERSONAL && got.size() > 3 && got.back() == '\\') got.pop_back();
    EXPECT_EQ(utf8_of_sjis(got), utf8_of_sjis(expected)) << c.number;
  }
}

TEST(Host, AnalyzeEncodingAsksTheEditor) {
  const string folder = base();
  const string file = folder + "\\encoded.txt";
  touch(file);
  const std::wstring wfile(file.begin(), file.end());
  host::reset();
  host::analyze_result = -7;
  EXPECT_EQ(AnalyzeEncoding(wfile.c_str()), -7);
  ASSERT_EQ(host::analyze_calls.size(), 1u);
  EXPECT_EQ(host::analyze_calls[0].path, wfile);
  EXPECT_EQ(host::analyze_calls[0].reserved1, nullptr);
  EXPECT_EQ(host::analyze_calls[0].reserved2, nullptr);
  // A name outside code page 932 reaches the host as it is.
  const std::wstring odd = std::wstring(folder.begin(), folder.end()) + L"\\caf\u00E9\U0001F600.txt";
  CloseHandle(CreateFileW(odd.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  EXPECT_EQ(AnalyzeEncoding(odd.c_str()), -7);
  ASSERT_EQ(host::analyze_calls.size(), 2u);
  EXPECT_EQ(host::analyze_calls[1].path, odd);
  // A bare name or a missing file never reaches the host.
  SetCurrentDirectoryW(std::wstring(folder.begin(), folder.end()).c_str());
  EXPECT_EQ(AnalyzeEncoding(L"encoded.txt"), -1);
  EXPECT_EQ(AnalyzeEncoding((wfile + L".missing").c_str()), -1);
  EXPECT_EQ(AnalyzeEncoding(L""), -1);
  EXPECT_EQ(host::analyze_calls.size(), 2u);
  SetCurrentDirectoryW(L"..");
}

}  // namespace
