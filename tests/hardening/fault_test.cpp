// Allocation faults, against the copy of lorimax.dll that carries the fault
// hook (bin/faults/): every export meets a refused allocation with its failure
// value and no exception, and the buffers and loaded lists work afterwards.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "calls.h"
#include "loaded_library.h"
#include "textfile/textfile.h"
#include "exports/api.h"
#include "sandbox.h"
#include "text.h"

using namespace hardening;

namespace {

using FailAllocations = intptr_t (*)(intptr_t granted, intptr_t persistent);

FailAllocations hook() {
  static const auto f = reinterpret_cast<FailAllocations>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("lorimax.dll"), "LmxFailAllocations")));
  return f;
}

// Ends the faults; the number of allocations refused since they were armed.
intptr_t disarm() { return hook()(-1, 0); }

// A result as a value: integers, or the text's contents.
struct Seen {
  intptr_t i = 0;
  std::wstring text;
  bool failed = false;
  bool operator==(const Seen& o) const { return i == o.i && text == o.text; }
};

Seen seen(const Outcome& r, const lmx::ExportInfo& info) {
  Seen s;
  if (r.kind == 'I') {
    s.i = r.i;
    s.failed = info.failure.is(r.i);
  } else if (r.kind == 'S') {
    for (const char* p = static_cast<const char*>(r.p); *p; ++p) s.text += static_cast<wchar_t>(static_cast<unsigned char>(*p));
    s.failed = s.text.empty();
  } else {
    s.text = static_cast<const wchar_t*>(r.p);
    s.failed = s.text.empty();
  }
  return s;
}

// Families whose results depend only on their arguments (time is fixed first),
// so that a faulted call that succeeds must give the same result as one without faults.
bool repeatable(const Export& e) {
  static const std::string families = " conversion string_search string_editing trimming kanji time url paths ";
  return families.find(std::string(" ") + e.info.family + " ") != std::string::npos && std::string(e.info.name) != "Wait";
}

class Faults : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(hook(), nullptr) << "lorimax.dll here is not the fault-test build"; }
  void TearDown() override { disarm(); }
  Sandbox box_{L"lmx-faults"};
};

// A fresh copy of the fault-test library, loaded under another name, so that
// every export meets buffers of their first size and has to grow them.
class FreshLibrary : public LoadedLibrary {
 public:
  explicit FreshLibrary(const std::wstring& copy) : LoadedLibrary(copy.c_str()) {}
  intptr_t fail(intptr_t granted, intptr_t persistent) const {
    return reinterpret_cast<FailAllocations>(address("LmxFailAllocations"))(granted, persistent);
  }
};

TEST_F(Faults, EveryExportGivesItsFailureValueWhenAllocationsFail) {
  const std::wstring copy = box_.path() + L"\\lorimax_fresh.dll";
  ASSERT_TRUE(CopyFileW((executable_folder() + L"lorimax.dll").c_str(), copy.c_str(), FALSE));
  box_.write(L"f.ini", "[s]\r\nabc=1\r\n");
  // Texts beyond the buffers' first 4096 characters.
  const std::size_t length = 9000;
  const std::string narrow = std::string(length / 2, 'a') + "=" + sjis(u8"メ") + std::string(length / 2, ' ');
  const std::wstring wide_text = std::wstring(length / 2, L'a') + L"=" + wide(u8"メ") + std::wstring(length / 2, L' ');
  std::size_t refused_somewhere = 0;
  std::string met;
  for (const Export& e : exports()) {
    const Expectation x = expectation(e);
    if (x.outside || !x.roles.empty()) continue;  // held arguments belong to the sweep
    const FreshLibrary library(copy);
    ASSERT_TRUE(library.loaded()) << "the copy of the library did not load";
    void* f = library.address(e.info.name);
    ASSERT_NE(f, nullptr) << e.info.name;
    library.integer("SetTime", {{.i = 2026}, {.i = 3}, {.i = 5}, {.i = 7}, {.i = 8}, {.i = 9}});
    Arg args[lmx::kMostArguments];
    for (std::size_t i = 0; e.info.kinds[i]; ++i) args[i] = {.i = 3, .s = narrow.c_str(), .w = wide_text.c_str()};

    if (std::getenv("LMX_FAULT_TRACE")) std::fprintf(stderr, "%s\n", e.info.name);
    library.fail(0, 1);
    const Seen faulted = seen(e.call_at(f, args), e.info);
    const intptr_t refused = library.fail(-1, 0);
    const Seen clean = seen(e.call_at(f, args), e.info);
    if (refused) {
      ++refused_somewhere;
      met += std::string(" ") + e.info.name;
      EXPECT_TRUE(faulted.failed || (repeatable(e) && faulted == clean))
          << e.info.name << " gave " << faulted.i << " / " << faulted.text.size() << " units with " << refused
          << " allocations refused";
    } else if (repeatable(e)) {
      EXPECT_EQ(faulted, clean) << e.info.name << " changed with no allocation refused";
    }
    // One refused allocation at each step of the call in turn.
    for (intptr_t k = 0; k < 64; ++k) {
      library.fail(k, 0);
      const Seen once = seen(e.call_at(f, args), e.info);
      if (!library.fail(-1, 0)) break;
      if (repeatable(e)) {
        EXPECT_TRUE(once.failed || once == clean) << e.info.name << " with allocation " << k << " refused";
      }
    }
    // The buffers still serve: the fixture's text comes back whole.
    ASSERT_EQ(library.text("String", {{.i = static_cast<intptr_t>(length)}, {.s = "Z"}}), std::string(length, 'Z'))
        << "after " << e.info.name;
    for (intptr_t h = 1; h <= lmx::kSlotCount; ++h) library.integer("FileClose", {{.i = h}});
  }
  std::printf("faults: %zu exports met a refused allocation:%s\n", refused_somewhere, met.c_str());
  EXPECT_GE(refused_somewhere, 20u);  // the growers of every family met the fault
}

// A load whose entry table cannot be had leaves the list unloaded, and the
// next load works; a grown list survives a failed one of another file.
TEST_F(Faults, IniListsLoadAgainAfterAFailedLoad) {
  // Keys too long for a string's inner buffer, so that a lookup allocates.
  std::string many = "[big]\r\n";
  for (int i = 0; i < 1000; ++i) many += "long_key_name_number_" + std::to_string(i) + "=v" + std::to_string(i) + "\r\n";
  box_.write(L"big.ini", many);
  const std::string file = box_.narrow_path() + "\\big.ini";

  hook()(0, 1);
  EXPECT_EQ(ReadSectionKeys(file.c_str(), "big"), -1);
  EXPECT_GT(disarm(), 0);
  EXPECT_EQ(ExistKey("long_key_name_number_1"), -2);

  EXPECT_EQ(ReadSectionKeys(file.c_str(), "big"), 1000);
  EXPECT_EQ(ExistKey("long_key_name_number_999"), 999);

  hook()(0, 1);
  EXPECT_EQ(ExistKey("long_key_name_number_999"), -1);  // the search text cannot be built
  EXPECT_STREQ(GetKeyValue(999), "v999");                // the buffer has room: nothing to allocate
  EXPECT_GT(disarm(), 0);
  EXPECT_EQ(ExistKey("long_key_name_number_999"), 999);
  EXPECT_STREQ(GetKeyValue(998), "v998");
}

// An encoded open that cannot allocate reports the failure; the slots then open as before.
TEST_F(Faults, FileSlotsOpenAfterAFailedOpen) {
  hook()(0, 1);
  EXPECT_EQ(FileOpenW(L"out.txt", L"w", L"UTF8"), 0);
  EXPECT_GT(disarm(), 0);
  EXPECT_NE(FileError() & lmx::textfile::open_failed, 0);
  const intptr_t h = FileOpenW(L"out.txt", L"w", L"UTF8");
  ASSERT_GE(h, 1);
  EXPECT_EQ(WrFileW(h, L"text"), 1);
  EXPECT_EQ(FileClose(h), 1);
  const intptr_t r = FileOpen("out.txt", "rb");
  ASSERT_GE(r, 1);
  EXPECT_STREQ(RdFileByte(r, 100), "text");
  FileClose(r);
}

}  // namespace
