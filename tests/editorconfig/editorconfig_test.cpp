// EditorConfig queries through the DLL under Wine, on .editorconfig trees that
// the tests write. Expected properties come from the fixtures below; the
// CrossCheck case compares with Debian's editorconfig tool on another tree.
#include <windows.h>

#include <gtest/gtest.h>
#include <pcre2.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "exports/api.h"
#include "text.h"

namespace {

using std::string;
using std::wstring;
using Properties = std::map<string, string>;  // UTF-8 name -> UTF-8 value

// Writes the file, and the folders above it.
void write(const wstring& path, const string& bytes) {
  for (std::size_t slash = path.find(L'\\', 3); slash != wstring::npos; slash = path.find(L'\\', slash + 1))
    CreateDirectoryW(path.substr(0, slash).c_str(), nullptr);
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  ASSERT_EQ(written, bytes.size());
}

wstring base() {
  static const wstring dir = [] {
    wchar_t cwd[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, cwd);
    return wstring(cwd) + L"\\EditorConfig-Test\\";
  }();
  return dir;
}

const string kLongValue(4096, 'v');  // the longest value the core library keeps

// The tree: nested folders, root = true below the top, the glob forms, a
// Japanese folder with a Japanese value, and a file that does not parse.
struct File {
  const char8_t* path;
  string text;
};
const File kTree[] = {
    {u8"top\\.editorconfig",
     "root = true\n[*]\nx_origin = top\nx_shared = top\n[*.md]\nx_md = yes\n[long.txt]\nx_long = " + kLongValue + "\n"},
    {u8"top\\sub\\.editorconfig",
     "[*]\nx_shared = sub\n[{a,b}.txt]\nx_brace = ab\n[file{1..3}.log]\nx_range = in\n"
     "[[abc]x.c]\nx_class = abc\n[[!abc]y.c]\nx_negated = yes\n"},
    {u8"top\\sub\\deep\\.editorconfig", "root = true\n[*]\nx_deep = only\n"},
    {u8"top\\日本語フォルダ\\.editorconfig", reinterpret_cast<const char*>(u8"[*.txt]\nx_note = 日本語の値\n")},
    {u8"top\\caf\u00E9\u20AC\\.editorconfig", reinterpret_cast<const char*>(u8"[*.txt]\nx_odd = \u00E9\n")},
    {u8"top\\broken\\.editorconfig", "[*]\nx_ok = 1\nthis line is no property\n"},
    {u8"plain\\.editorconfig", "root = true\n[*.none]\nx = 1\n"},
};

class EditorConfig : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    for (const File& f : kTree) write(base() + wide(f.path), f.text);
  }
};

// Narrow and wide twins share every table.
struct Query {
  const char* name;
  intptr_t (*run)(const wstring& path);
};
const Query kQueries[] = {
    {"narrow", [](const wstring& p) { return EditorConfigExecute(ansi(p).c_str()); }},
    {"wide", [](const wstring& p) { return EditorConfigExecuteW(p.c_str()); }},
};

// Name and value share the result buffer: each is copied before the next call.
string name_value(intptr_t i) {
  const string name = EditorConfigGetKey(i);
  return name + "=" + EditorConfigGetValue(i);
}

Properties read_back(intptr_t count) {
  Properties p;
  for (intptr_t i = 0; i < count; ++i) {
    const string line = name_value(i);
    p[line.substr(0, line.find('='))] = line.substr(line.find('=') + 1);
  }
  return p;
}

TEST_F(EditorConfig, PropertiesOfNestedFoldersAndGlobs) {
  const Properties top = {{"x_origin", "top"}, {"x_shared", "top"}};
  const Properties sub = {{"x_origin", "top"}, {"x_shared", "sub"}};
  auto with = [](Properties p, const string& name, const string& value) { return p[name] = value, p; };
  const struct {
    const char8_t* path;
    Properties expected;
  } cases[] = {
      {u8"top\\readme.md", with(top, "x_md", "yes")},
      {u8"top\\long.txt", with(top, "x_long", kLongValue)},
      {u8"top\\sub\\a.txt", with(sub, "x_brace", "ab")},
      {u8"top\\sub\\b.txt", with(sub, "x_brace", "ab")},
      {u8"top\\sub\\c.txt", sub},
      {u8"top\\sub\\file1.log", with(sub, "x_range", "in")},
      {u8"top\\sub\\file3.log", with(sub, "x_range", "in")},
      {u8"top\\sub\\file4.log", sub},
      {u8"top\\sub\\file0.log", sub},
      {u8"top\\sub\\bx.c", with(sub, "x_class", "abc")},
      {u8"top\\sub\\dx.c", sub},
      {u8"top\\sub\\dy.c", with(sub, "x_negated", "yes")},
      {u8"top\\sub\\ay.c", sub},
      {u8"top\\sub\\deep\\z.md", {{"x_deep", "only"}}},
      {u8"top\\日本語フォルダ\\メモ.txt", with(top, "x_note", reinterpret_cast<const char*>(u8"日本語の値"))},
      {u8"plain\\nothing.txt", {}},
  };
  for (const Query& q : kQueries)
    for (const auto& c : cases) {
      const string where = string(q.name) + " " + reinterpret_cast<const char*>(c.path);
      const intptr_t count = q.run(base() + wide(c.path));
      ASSERT_EQ(count, static_cast<intptr_t>(c.expected.size())) << where;
      EXPECT_EQ(read_back(count), c.expected) << where;
      EXPECT_STREQ(EditorConfigErrorMessage(), "") << where;
      // Past either end: the empty result, not the result buffer.
      EXPECT_NE(EditorConfigGetKey(count), GetResult()) << where;
      EXPECT_STREQ(EditorConfigGetValue(-1), "") << where;
    }
  // A folder outside code page 932, which only a wide path can name.
  const intptr_t count = EditorConfigExecuteW((base() + wide(u8"top\\caf\u00E9\u20AC\\x.txt")).c_str());
  ASSERT_EQ(count, 3);
  EXPECT_EQ(read_back(count), with(top, "x_odd", reinterpret_cast<const char*>(u8"\u00E9")));
}

TEST_F(EditorConfig, FailuresGiveTheCoreLibrarysMessage) {
  const struct {
    const char8_t* path;
    bool absolute;
    const char* message;
  } cases[] = {
      {u8"top\\sub\\a.txt", false, "Input file must be a full path name."},
      {u8"top\\broken\\f.txt", true, "Failed to parse file."},
  };
  for (const Query& q : kQueries)
    for (const auto& c : cases) {
      ASSERT_EQ(q.run(base() + L"top\\readme.md"), 3);
      EXPECT_EQ(q.run(c.absolute ? base() + wide(c.path) : wide(c.path)), -1) << q.name << " " << c.message;
      EXPECT_STREQ(EditorConfigErrorMessage(), c.message) << q.name;
      EXPECT_STREQ(EditorConfigGetKey(0), "") << q.name << ": a failed parse empties the lists";
    }
  // Longer than Windows allows, or empty (which has no message: the macro
  // passed nothing): refused before the conversion, so the lists of the last
  // query stay, as for the other failures before the parse.
  const struct {
    std::wstring path;
    const char* message;
  } refusals[] = {{base() + std::wstring(32'768, L'a'), "File path is too long."},
                  {L"", ""}};
  for (const Query& q : kQueries)
    for (const auto& r : refusals) {
      ASSERT_EQ(q.run(base() + L"top\\readme.md"), 3);
      EXPECT_EQ(q.run(r.path), -1) << q.name;
      EXPECT_STREQ(EditorConfigErrorMessage(), r.message) << q.name;
      EXPECT_STRNE(EditorConfigGetKey(0), "") << q.name;
    }
  EXPECT_EQ(EditorConfigExecuteW(nullptr), -1);
  EXPECT_STREQ(EditorConfigErrorMessage(), "");
}

TEST_F(EditorConfig, ClearEmptiesTheListsAndKeepsTheMessage) {
  ASSERT_EQ(EditorConfigExecuteW((base() + L"top\\readme.md").c_str()), 3);
  EXPECT_EQ(EditorConfigClear(), 1);
  for (intptr_t i = 0; i < 3; ++i) {
    EXPECT_STREQ(EditorConfigGetKey(i), "");
    EXPECT_STREQ(EditorConfigGetValue(i), "");
  }
  EXPECT_EQ(EditorConfigExecute("relative.txt"), -1);
  EXPECT_EQ(EditorConfigClear(), 1);
  EXPECT_STREQ(EditorConfigErrorMessage(), "Input file must be a full path name.");
}

#define LMX_STR_(x) #x
#define LMX_STR(x) LMX_STR_(x)
TEST(EditorConfigVersions, PcreTextIsTheLinkedLibrarys) {
  // The header of the PCRE2 that lorimax.dll links.
  const string pcre2 = LMX_STR(PCRE2_MAJOR) "." LMX_STR(PCRE2_MINOR) " " LMX_STR(PCRE2_DATE);
  EXPECT_EQ(string(EditorConfigGetPcreVersionStr()), "EditorConfig:pcre2 library version " + pcre2);
}

// Run by the editorconfig_cross_check entry of ctest, which writes a tree,
// asks Debian's editorconfig for every file in it and names the file of its
// answers here: "#version <text>", then per file "> <unix path>" and its lines.
TEST(CrossCheck, AgreesWithDebiansTool) {
  const char* expected_file = std::getenv("LMX_EDITORCONFIG_EXPECTED");
  if (!expected_file) GTEST_SKIP() << "run through ctest's editorconfig_cross_check";
  std::ifstream in(expected_file, std::ios::binary);
  ASSERT_TRUE(in) << expected_file;
  string line, path, version;
  std::map<string, std::vector<string>> expected;  // unix path -> name=value lines
  std::vector<string> order;
  while (std::getline(in, line)) {
    if (line.rfind("#version ", 0) == 0)
      version = line.substr(9);
    else if (line.rfind("> ", 0) == 0)
      order.push_back(path = line.substr(2)), expected[path];
    else if (!line.empty())
      expected[path].push_back(line);
  }
  EXPECT_EQ(string(EditorConfigGetVersionStr()), version);
  ASSERT_GE(order.size(), 30u);
  std::size_t agreed = 0;
  for (const string& unix_path : order) {
    wstring path = L"Z:" + wide(reinterpret_cast<const char8_t*>(unix_path.c_str()));
    for (wchar_t& c : path)
      if (c == L'/') c = L'\\';
    for (const Query& q : kQueries) {
      const intptr_t count = q.run(path);
      std::vector<string> got;
      for (intptr_t i = 0; i < count; ++i) got.push_back(name_value(i));
      EXPECT_EQ(got, expected[unix_path]) << q.name << " " << unix_path;
      agreed += got == expected[unix_path];
    }
  }
  std::printf("cross-check: %zu of %zu queries (%zu files, narrow and wide) equal Debian's editorconfig\n", agreed,
              2 * order.size(), order.size());
}

}  // namespace
