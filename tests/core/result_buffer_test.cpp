// The result buffer's growth rule, natively, with allocation failures injected.
#include "frame/result_buffer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "format/kanji.h"
#include "format/url.h"
#include "frame/heap.h"
#include "ini/ini_list.h"
#include "strings/strings.h"

namespace {

struct FailingHeap {
  FailingHeap() { lmx::heap_realloc = [](void*, std::size_t) -> void* { return nullptr; }; }
  ~FailingHeap() { lmx::heap_realloc = std::realloc; }
};

TEST(ResultBuffer, GrowsOnlyPastItsCapacity) {
  lmx::NarrowResult b;
  ASSERT_TRUE(b.allocate(4096));
  char* block = b.data();
  EXPECT_TRUE(b.ensure(4096, 4196));
  EXPECT_EQ(b.capacity(), 4096u);
  EXPECT_EQ(b.data(), block);
  EXPECT_TRUE(b.ensure(4097, 4197));
  EXPECT_EQ(b.capacity(), 4197u);
  for (std::size_t i = 0; i < b.capacity(); ++i) ASSERT_EQ(b.data()[i], 0) << i;  // zero-filled
  EXPECT_TRUE(b.ensure_doubled(9001));
  EXPECT_EQ(b.capacity(), 18006u);
}

TEST(ResultBuffer, GrowthForAnAppenderKeepsWhatIsWritten) {
  lmx::NarrowResult b;
  ASSERT_TRUE(b.allocate(8));
  std::memcpy(b.data(), "1234567", 8);
  EXPECT_TRUE(b.ensure_keeping(8, 9));  // fits: nothing moves
  EXPECT_EQ(b.capacity(), 8u);
  EXPECT_TRUE(b.ensure_keeping(9, 2 * 9 + 4));
  EXPECT_EQ(b.capacity(), 22u);
  EXPECT_STREQ(b.data(), "1234567");
  for (std::size_t i = 8; i < b.capacity(); ++i) ASSERT_EQ(b.data()[i], 0) << i;
}

TEST(ResultBuffer, CapIsHard) {
  lmx::WideResult b;
  ASSERT_TRUE(b.allocate(4096));
  EXPECT_TRUE(b.ensure_doubled(600000));  // 1,200,004 capped at 1,000,000
  EXPECT_EQ(b.capacity(), lmx::kResultCap);
  EXPECT_TRUE(b.ensure(lmx::kResultCap, lmx::kResultCap + 5));
  EXPECT_FALSE(b.ensure(lmx::kResultCap + 1, lmx::kResultCap + 100));
  EXPECT_EQ(b.capacity(), lmx::kResultCap);
}

TEST(ResultBuffer, FailedGrowthKeepsTheOldBlock) {
  lmx::NarrowResult b;
  ASSERT_TRUE(b.allocate(16));
  std::strcpy(b.data(), "kept");
  char* block = b.data();
  {
    FailingHeap fail;
    EXPECT_FALSE(b.ensure(100, 110));
  }
  EXPECT_EQ(b.data(), block);
  EXPECT_EQ(b.capacity(), 16u);
  EXPECT_STREQ(b.data(), "kept");
  EXPECT_TRUE(b.ensure(100, 110));
}

TEST(ResultBuffer, WithoutABlockWritersFailThenRecover) {
  lmx::NarrowResult b;
  {
    FailingHeap fail;
    EXPECT_FALSE(b.allocate(4096));
    EXPECT_FALSE(b.ensure(5, 15));
  }
  EXPECT_STREQ(b.c_str(), "");
  b.clear();  // harmless without a block
  EXPECT_TRUE(b.assign("abc", 14));
  EXPECT_STREQ(b.c_str(), "abc");
  EXPECT_EQ(b.capacity(), 14u);
}

// Every writer of the result buffer at its growth edges, each from a fresh
// block of the initial 4,096 bytes: results that fill it exactly with their
// terminator, that need one byte more, that need more than the growth rule's
// slack, and a text that fits while the text plus its insertion does not.
// Under ASan any write past the block fails here.
TEST(ResultBuffer, EveryWriterAtItsGrowthEdges) {
  namespace s = lmx::strings;
  using std::string;
  using Writer = string (*)(lmx::NarrowResult&, std::size_t, string&);  // fills the expected result
  const std::pair<const char*, Writer> writers[] = {
      {"replace", [](auto& b, std::size_t n, string& e) -> string { return s::replace(b, "-", "-", e = string(n, 'r'), -1); }},
      {"replace in a long text", [](auto& b, std::size_t n, string& e) -> string {
         e = string(n - 1, 'a') + "b";
         return s::replace(b, string(n - 1, 'a') + "-", "-", "b", -1);
       }},
      {"delete", [](auto& b, std::size_t n, string& e) -> string { return s::delete_str(b, (e = string(n, 'a')) + "zz", static_cast<intptr_t>(n), 2); }},
      {"insert", [](auto& b, std::size_t n, string& e) -> string {
         e = string(10, 'a') + string(n - 4000, 'b') + string(3990, 'a');
         return s::insert_str(b, string(4000, 'a'), 10, string(n - 4000, 'b'));
       }},
      {"insert at end", [](auto& b, std::size_t n, string& e) -> string { return s::insert_str(b, e = string(n, 'a'), static_cast<intptr_t>(n), ""); }},
      {"repeat char", [](auto& b, std::size_t n, string& e) -> string { return s::repeat_char(b, static_cast<intptr_t>((e = string(n, 'x')).size()), "xy"); }},
      {"repeat text", [](auto& b, std::size_t n, string& e) -> string { return s::repeat_text(b, static_cast<intptr_t>((e = string(n, 'y')).size()), "y"); }},
      {"upper", [](auto& b, std::size_t n, string& e) -> string { return s::upper(b, string((e = string(n, 'A')).size(), 'a'), 0); }},
      {"trim", [](auto& b, std::size_t n, string& e) -> string { return s::trim(b, " " + (e = string(n, 'a')) + " ", s::TrimSide::both); }},
      {"trim set", [](auto& b, std::size_t n, string& e) -> string { return s::trim_set(b, "x" + (e = string(n, 'a')) + "x", "x"); }},
      {"justify", [](auto& b, std::size_t n, string& e) -> string { return s::justify(b, e = string(n, 'q'), 10, s::Justify::right); }},
      {"kanji digits", [](auto& b, std::size_t n, string& e) -> string {
         for (std::size_t i = 0; i < n / 2; ++i) e += "\x88\xEA";  // 一
         return lmx::kanji::digits_to_kanji(b, string(n / 2, '1'), 0);
       }},
      {"url encode", [](auto& b, std::size_t n, string& e) -> string { return lmx::url::encode_narrow(b, e = string(n, 'a'), 1); }},
      {"url decode", [](auto& b, std::size_t n, string& e) -> string { return lmx::url::decode(b, e = string(n, 'a')); }},
      {"url encode utf-8", [](auto& b, std::size_t n, string& e) -> string { return lmx::url::encode_utf8(b, e = string(n, 'a'), false) ? b.data() : "refused"; }},
      {"ini part", [](auto& b, std::size_t n, string& e) -> string { return lmx::ini::copy_part(b, (e = string(n, 'k')).c_str(), lmx::ini::Part::whole); }},
  };
  for (const auto& [name, write] : writers) {
    for (std::size_t n : {4094u, 4095u, 4096u, 4097u, 4200u}) {
      lmx::NarrowResult b;
      ASSERT_TRUE(b.allocate(lmx::kResultInitial));
      string expected;
      const string got = write(b, n, expected);
      EXPECT_EQ(got, expected) << name << ", " << n << " bytes";
    }
  }
}

}  // namespace
