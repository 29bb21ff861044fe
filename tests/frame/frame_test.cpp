// The frame through the DLL's exports, as a macro calls them.
#include <malloc.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "cp932_model.h"
#include "exports/api.h"
#include "heap_check.h"
#include "text.h"

namespace {

std::size_t block_size(const void* p) { return _msize(const_cast<void*>(p)); }

// Runs first in this executable, while both buffers still have their initial
// 4096 characters: growth happens exactly when the text with its terminator
// exceeds the capacity, and then by the rule (twice the need plus 4).
TEST(ResultBufferGrowth, AtCapacityOneOverAndNineThousandBytes) {
  ASSERT_EQ(block_size(GetResult()), 4096u);
  const std::wstring at_capacity(4095, L'a');  // 4095 bytes + terminator
  ASSERT_EQ(SetUTF8ConvertString(at_capacity.c_str()), 1);
  const char* before = GetResult();
  EXPECT_EQ(block_size(before), 4096u);
  EXPECT_EQ(std::string(before), std::string(4095, 'a'));

  const std::wstring one_over(4096, L'b');
  ASSERT_EQ(SetUTF8ConvertString(one_over.c_str()), 1);
  EXPECT_EQ(block_size(GetResult()), 2u * 4097 + 4);
  EXPECT_EQ(std::string(GetResult()), std::string(4096, 'b'));

  // 3,000 characters of U+3000..U+FFFF take 3 bytes each: 9,001 with the terminator.
  std::wstring kana;
  for (int i = 0; i < 3000; ++i) kana += static_cast<wchar_t>(0x3042 + i % 80);
  ASSERT_EQ(SetUTF8ConvertString(kana.c_str()), 1);
  EXPECT_EQ(block_size(GetResult()), 18006u);
  EXPECT_EQ(std::string(GetResult()).size(), 9000u);
}

TEST(ResultBufferGrowth, WideBufferCountsCodeUnits) {
  ASSERT_EQ(block_size(GetResultW()), 8192u);
  ASSERT_EQ(SetUTF16ConvertString(std::string(4095, 'x').c_str()), 1);
  EXPECT_EQ(block_size(GetResultW()), 8192u);
  ASSERT_EQ(SetUTF16ConvertString(std::string(4096, 'y').c_str()), 1);
  EXPECT_EQ(block_size(GetResultW()), (2u * 4097 + 4) * 2);
  EXPECT_EQ(std::wstring(GetResultW()), std::wstring(4096, L'y'));
}

// The writers of the Windows layer, and a portable one through its export
// (a text that fits with an insertion that does not), at the edges of the
// blocks as they stand: results that fill the block with their terminator,
// that need one more, and two more; the heaps are checked after each.
TEST(ResultBufferGrowth, WritersAtTheEdgesOfTheBlocksAsTheyStand) {
  for (int over : {0, 1, 2}) {
    const std::size_t n = block_size(GetResult()) - 1 + over;
    const std::string url = "http://a/" + std::string(n - 9, 'x');
    EXPECT_EQ(std::string(URLExchange(url.c_str(), 0)), url) << over;
    EXPECT_TRUE(heaps_intact()) << "URLExchange " << over;
    const std::size_t m = block_size(GetResult()) - 1 + over;
    EXPECT_EQ(std::string(InsertStr(std::string(3000, 'a').c_str(), 5, std::string(m - 3000, 'b').c_str())),
              std::string(5, 'a') + std::string(m - 3000, 'b') + std::string(2995, 'a'));
    EXPECT_TRUE(heaps_intact()) << "InsertStr " << over;
    const std::wstring plain(block_size(GetResultW()) / 2 - 1 + over, L'a');
    EXPECT_EQ(std::wstring(UrlEncodeW(plain.c_str(), 0)), plain) << over;
    EXPECT_TRUE(heaps_intact()) << "UrlEncodeW " << over;
  }
}

TEST(Platform, AnsiCodePageIsJapanese) {
  EXPECT_EQ(GetACP(), 932u);
  // The system's lead bytes are the codec's that the tests' models use.
  for (int b = 0; b < 256; ++b) EXPECT_EQ(IsDBCSLeadByteEx(932, static_cast<BYTE>(b)) != 0, cp932_model::is_cp_lead(static_cast<unsigned char>(b))) << b;
}

// The prefix's null display driver gives the window tests real windows.
TEST(Platform, WindowsCanBeCreatedWithoutAnXServer) {
  HWND w = CreateWindowExA(0, "STATIC", "lorimax platform check", WS_OVERLAPPEDWINDOW, 10, 10, 400, 300, nullptr,
                           nullptr, nullptr, nullptr);
  ASSERT_NE(w, nullptr);
  RECT r;
  EXPECT_TRUE(GetWindowRect(w, &r));
  EXPECT_EQ(r.right - r.left, 400);
  DestroyWindow(w);
}

// The project's version, as CMake gives it to the resource.
TEST(Version, ComesFromTheFileVersionText) {
  const int number = LORIMAX_VERSION_MAJOR * 10000 + LORIMAX_VERSION_MINOR * 100 + LORIMAX_VERSION_PATCH;
  char expected[32];
  std::snprintf(expected, sizeof expected, "%d.%02d.%02d", LORIMAX_VERSION_MAJOR, LORIMAX_VERSION_MINOR,
                LORIMAX_VERSION_PATCH);
  EXPECT_EQ(GetDllVersion(), number);
  EXPECT_STREQ(GetDllVersionStr(), expected);
  // Its own buffer, stable across calls and untouched by result writes.
  const char* text = GetDllVersionStr();
  SetUTF8ConvertString(L"something else");
  EXPECT_EQ(GetDllVersionStr(), text);
  EXPECT_NE(static_cast<const void*>(text), static_cast<const void*>(GetResult()));
  EXPECT_EQ(GetDllVersion(), number);
}

TEST(Results, StayTheSameUntilTheNextWriteOfThatBuffer) {
  ASSERT_EQ(SetUTF8ConvertString(wide(u8"日本語").c_str()), 1);
  const char* first = GetResult();
  EXPECT_EQ(std::string(first), "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E");

  // Writing the wide buffer leaves the narrow one alone, and the reverse.
  ASSERT_EQ(SetUTF16ConvertString("\xE3\x81\x82"), 1);
  EXPECT_EQ(GetResult(), first);
  EXPECT_EQ(std::string(GetResult()), "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E");
  const wchar_t* wide_first = GetResultW();
  EXPECT_EQ(std::wstring(wide_first), L"\u3042");
  ASSERT_EQ(SetUTF8ConvertString(L"x"), 1);
  EXPECT_EQ(GetResultW(), wide_first);
  EXPECT_EQ(std::wstring(GetResultW()), L"\u3042");
}

TEST(Conversion, EdgeCases) {
  // Malformed UTF-8 is not refused: the bad sequences are replaced as the
  // system's converter replaces them.
  const char malformed[] = "a\xFF" "b\xE3\x81";
  wchar_t expected[16] = {};
  MultiByteToWideChar(CP_UTF8, 0, malformed, -1, expected, 16);
  EXPECT_EQ(SetUTF16ConvertString(malformed), 1);
  EXPECT_EQ(std::wstring(GetResultW()), std::wstring(expected));

  // A lone surrogate is replaced too.
  EXPECT_EQ(SetUTF8ConvertString(L"\xD800z"), 1);
  EXPECT_EQ(std::string(GetResult()), "\xEF\xBF\xBDz");

  // Null string arguments count as empty strings.
  EXPECT_EQ(SetUTF8ConvertString(nullptr), 1);
  EXPECT_STREQ(GetResult(), "");
  EXPECT_EQ(SetUTF16ConvertString(nullptr), 1);
  EXPECT_STREQ(GetResultW(), L"");
  EXPECT_EQ(DebugOut(nullptr), 1);
  EXPECT_EQ(DebugOut(L"lorimax test"), 1);
}

// ---- the DLL as a file: exports and imports --------------------------------

const IMAGE_NT_HEADERS* nt_headers(HMODULE m) {
  auto base = reinterpret_cast<const unsigned char*>(m);
  auto dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  return reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
}

template <class T>
const T* directory(HMODULE m, int index) {
  const auto& d = nt_headers(m)->OptionalHeader.DataDirectory[index];
  return d.VirtualAddress ? reinterpret_cast<const T*>(reinterpret_cast<const unsigned char*>(m) + d.VirtualAddress)
                          : nullptr;
}

TEST(Dll, ExportsExactlyTheTable) {
  HMODULE m = GetModuleHandleA("lorimax.dll");
  ASSERT_NE(m, nullptr);
  auto dir = directory<IMAGE_EXPORT_DIRECTORY>(m, IMAGE_DIRECTORY_ENTRY_EXPORT);
  ASSERT_NE(dir, nullptr);
  auto base = reinterpret_cast<const char*>(m);
  auto names = reinterpret_cast<const DWORD*>(base + dir->AddressOfNames);
  std::set<std::string> exported;
  for (DWORD i = 0; i < dir->NumberOfNames; ++i) exported.insert(base + names[i]);

#define LMX_NAME_(family, name, ...) #name,
  const std::set<std::string> table = {LMX_ALL_EXPORTS(LMX_NAME_)};
#undef LMX_NAME_
  EXPECT_EQ(exported, table);
  EXPECT_EQ(dir->NumberOfFunctions, table.size());
}

TEST(Dll, ImportsSystemLibrariesOnly) {
  HMODULE m = GetModuleHandleA("lorimax.dll");
  auto imports = directory<IMAGE_IMPORT_DESCRIPTOR>(m, IMAGE_DIRECTORY_ENTRY_IMPORT);
  ASSERT_NE(imports, nullptr);
  std::set<std::string> dlls;
  for (; imports->Name; ++imports) {
    std::string name = reinterpret_cast<const char*>(m) + imports->Name;
    std::transform(name.begin(), name.end(), name.begin(), ::tolower);
    dlls.insert(name);
  }
  EXPECT_TRUE(dlls.count("kernel32.dll"));
  EXPECT_TRUE(dlls.count("msvcrt.dll"));
  for (const auto& dll : dlls) {
    EXPECT_EQ(dll.find("libstdc++"), std::string::npos) << dll;
    EXPECT_EQ(dll.find("libgcc"), std::string::npos) << dll;
    EXPECT_EQ(dll.find("winpthread"), std::string::npos) << dll;
  }
}

}  // namespace
