// The INI list: indexing a filled store, growing its table, the cursor and
// the parts the read exports give.
#include "ini/ini_list.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "frame/heap.h"

namespace ini = lmx::ini;

namespace {

// Fills the store as a profile function does: strings, then an empty one.
template <class Char>
std::size_t fill(ini::IniList<Char>& l, const std::basic_string<Char>& strings) {
  std::copy(strings.begin(), strings.end(), l.store());
  l.store()[strings.size()] = 0;
  return strings.size() - 1;
}

TEST(IniList, KeysWithoutEqualsGetNoIndexButTheCursorVisitsThem) {
  ini::IniList<char> l(64, 2, ini::Entries::keys_with_equals);
  l.start();
  ASSERT_EQ(l.load(fill(l, std::string("a=1\0note\0b=2\0", 13))), 2);
  EXPECT_STREQ(l.entry(0), "a=1");
  EXPECT_STREQ(l.entry(1), "b=2");
  EXPECT_EQ(l.entry(2), nullptr);
  EXPECT_EQ(l.entry(-1), nullptr);
  EXPECT_STREQ(l.cursor(), "a=1");
  EXPECT_TRUE(l.step());
  EXPECT_STREQ(l.cursor(), "note");
  EXPECT_TRUE(l.step());
  EXPECT_FALSE(l.step());
  EXPECT_EQ(l.cursor(), nullptr);
  EXPECT_FALSE(l.step());
  // Nothing found: unloaded, cursor off.
  EXPECT_EQ(l.load(0), -1);
  EXPECT_FALSE(l.loaded());
  // Only strings without "=": 0 entries, unloaded, but the cursor walks.
  EXPECT_EQ(l.load(fill(l, std::string("x\0y\0", 4))), 0);
  EXPECT_FALSE(l.loaded());
  EXPECT_STREQ(l.cursor(), "x");
}

TEST(IniList, TheTableDoublesAndAFailedDoublingLeavesItUnloaded) {
  ini::IniList<char16_t> l(32767, 512, ini::Entries::all_strings);
  l.start();
  std::u16string names;
  for (int i = 0; i < 3000; ++i) names += u"s" + std::u16string(1, char16_t(u'0' + i % 10)) + u'\0';
  ASSERT_EQ(l.load(fill(l, names)), 3000);
  EXPECT_EQ(l.last_index(), 2999);
  EXPECT_EQ(std::u16string(l.entry(2999)), u"s9");

  ini::IniList<char> small(4096, 4, ini::Entries::all_strings);
  small.start();
  ASSERT_EQ(small.load(fill(small, std::string("a\0b\0", 4))), 2);
  lmx::heap_realloc = [](void*, std::size_t) -> void* { return nullptr; };
  const intptr_t failed = small.load(fill(small, std::string("a\0b\0c\0d\0e\0", 10)));
  lmx::heap_realloc = std::realloc;
  EXPECT_EQ(failed, -1);
  EXPECT_FALSE(small.loaded());
  EXPECT_EQ(small.load(fill(small, std::string("a\0b\0c\0d\0e\0", 10))), 5);  // and usable again
}

TEST(IniList, AStoreWithoutItsClosingEmptyStringIsNotOverrun) {
  ini::IniList<char> l(8, 4, ini::Entries::all_strings);
  l.start();
  std::fill(l.store(), l.store() + 8, 'x');
  EXPECT_EQ(l.load(8), 1);  // the walk stops inside the store
  EXPECT_EQ(std::string(l.entry(0)).size(), 6u);
}

TEST(IniList, PartsOfAnEntry) {
  lmx::NarrowResult out;
  out.allocate(16);
  struct Case { const char* s; ini::Part part; const char* expected; } cases[] = {
      {"k=v\tnote", ini::Part::key, "k"},      {"k=v\tnote", ini::Part::data, "k=v"},
      {"k=v\tnote", ini::Part::value, "v"},    {"k=v\tnote", ini::Part::whole, "k=v\tnote"},
      {"note", ini::Part::value, "note"},      {"a=b=c", ini::Part::value, "b=c"},
      {"long entry past sixteen bytes=x", ini::Part::whole, "long entry past sixteen bytes=x"},
  };
  for (const auto& c : cases) EXPECT_STREQ(ini::copy_part(out, c.s, c.part), c.expected) << c.s;
}

TEST(IniList, SectionNamesCompareIgnoringAsciiCaseOnly) {
  EXPECT_TRUE(ini::ascii_iequal("Section", "sECTION"));
  EXPECT_FALSE(ini::ascii_iequal("Section", "Sections"));
  EXPECT_FALSE(ini::ascii_iequal("\x83\x41", "\x83\x61"));  // two katakana, not A and a
  EXPECT_TRUE(ini::ascii_iequal("\x83\x41x", "\x83\x41X"));
  EXPECT_TRUE(ini::ascii_iequal(u"Abc", u"aBC"));
  EXPECT_FALSE(ini::ascii_iequal(u"\xC4", u"\xE4"));  // Ä and ä: ASCII rules only
}

}  // namespace
