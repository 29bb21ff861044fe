// The result buffer's growth rule, natively, with allocation failures injected.
#include "frame/result_buffer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "frame/heap.h"

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

}  // namespace
