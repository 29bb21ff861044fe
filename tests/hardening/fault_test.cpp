// Allocation faults, against the copy of lorimax.dll that carries the fault
// hook (bin/faults/): every export meets a refused allocation with its failure
// value and no exception, and the buffers and loaded lists work afterwards.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "calls.h"
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

Seen seen(const Outcome& r, const Expectation& x) {
  Seen s;
  if (r.kind == 'I') {
    s.i = r.i;
    s.failed = r.i == x.failure;
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

TEST_F(Faults, EveryExportGivesItsFailureValueWhenAllocationsFail) {
  SetTime(2026, 3, 5, 7, 8, 9);
  box_.write(L"f.ini", "[s]\r\nabc=1\r\n");
  std::size_t j = 0, refused_somewhere = 0;
  for (const Export& e : exports()) {
    const Expectation& x = expectation(e);
    if (x.outside || !x.roles.empty()) continue;  // held arguments belong to the sweep
    // Texts longer for every export, so that each one has to grow the buffers.
    const std::size_t length = 8000 + 3000 * j++;
    const std::string narrow = std::string(length / 2, 'a') + "=" + sjis(u8"メ") + std::string(length / 2, ' ');
    const std::wstring wide_text = std::wstring(length / 2, L'a') + L"=" + wide(u8"メ") + std::wstring(length / 2, L' ');
    Arg args[8];
    for (std::size_t i = 0; e.info.kinds[i]; ++i) args[i] = {.i = 3, .s = narrow.c_str(), .w = wide_text.c_str()};

    hook()(0, 1);
    const Seen faulted = seen(e.call(args), x);
    const intptr_t refused = disarm();
    const Seen clean = seen(e.call(args), x);
    if (refused) {
      ++refused_somewhere;
      EXPECT_TRUE(faulted.failed || (repeatable(e) && faulted == clean))
          << e.info.name << " gave " << faulted.i << " / " << faulted.text.size() << " units with " << refused
          << " allocations refused";
    } else if (repeatable(e)) {
      EXPECT_EQ(faulted, clean) << e.info.name << " changed with no allocation refused";
    }
    // One refused allocation at each step of the call in turn.
    for (intptr_t k = 0; k < 64; ++k) {
      hook()(k, 0);
      const Seen once = seen(e.call(args), x);
      if (!disarm()) break;
      if (repeatable(e))
        EXPECT_TRUE(once.failed || once == clean) << e.info.name << " with allocation " << k << " refused";
    }
    // The buffers still serve: the fixture's text comes back whole.
    const std::string zs(length, 'Z');
    ASSERT_EQ(String(static_cast<intptr_t>(length), "Z"), zs) << "after " << e.info.name;
  }
  EXPECT_GT(refused_somewhere, 20u);
  for (intptr_t h = 1; h <= 10; ++h) FileClose(h);
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
  EXPECT_NE(FileError() & 2, 0);
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
