// Every Windows test program checks its heaps after each test. With the
// prefix's GlobalFlag 0x70 for the program (set by the ctest entry
// wine_heap_checks), Wine's heaps keep guard bytes after every block, so a
// write even one byte past a block fails the validation here, named by the
// test that made it, instead of passing unseen. A reallocation of the damaged
// block erases the evidence, so tests at growth edges ask after each call.
#include "heap_check.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

bool heaps_intact() {
  std::vector<HANDLE> heaps(GetProcessHeaps(0, nullptr) + 16);
  heaps.resize(GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data()));
  for (HANDLE h : heaps)
    if (!HeapValidate(h, 0, nullptr)) return false;
  return true;
}

namespace {

class HeapCheck : public testing::EmptyTestEventListener {
  void OnTestEnd(const testing::TestInfo& test) override {
    if (heaps_intact()) return;
    std::fprintf(stderr, "heap damaged during %s.%s\n", test.test_suite_name(), test.name());
    std::fflush(stderr);
    std::_Exit(3);
  }
};

[[maybe_unused]] const bool registered = [] {
  testing::UnitTest::GetInstance()->listeners().Append(new HeapCheck);
  return true;
}();

}  // namespace
