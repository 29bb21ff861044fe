// The string core on Shift_JIS texts of 1 KB, 64 KB and 999,999 bytes (the most that fits the 1,000,000-byte result buffer with its terminator), beside
// a floor of memchr/memmem/memcpy on the same data in the same run.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#include "../tests/support/text.h"
#include "frame/result_buffer.h"
#include "strings/strings.h"

namespace {

namespace s = lmx::strings;

// Japanese prose with ASCII words mixed in; the needle occurs once, at the end.
std::string make_text(std::size_t size) {
  const std::string sentence = sjis(u8"秀丸マクロで日本語のテキストを検索する。Search ストリング 123、メニューとアイテム。");
  std::string text = "  ";
  while (text.size() + sentence.size() + 40 < size) text += sentence;
  text += sjis(u8"終わりのマーカー") + "END  ";
  text.resize(size, ' ');
  return text;
}

const std::string& text_of(std::size_t size) {
  static std::string small = make_text(1024), medium = make_text(64 * 1024), large = make_text(999'999);
  return size == 1024 ? small : size == 64 * 1024 ? medium : large;
}

lmx::NarrowResult& out() {
  static lmx::NarrowResult b;
  if (!b.data()) b.allocate(lmx::kResultCap);
  return b;
}

const std::string kNeedle = sjis(u8"マーカー");

void BM_InStr(benchmark::State& st) {
  const auto& t = text_of(st.range(0));
  for (auto _ : st) benchmark::DoNotOptimize(s::in_str(0, t, kNeedle));
  st.SetBytesProcessed(st.iterations() * t.size());
}
void BM_InStrEx(benchmark::State& st) {
  const auto& t = text_of(st.range(0));
  for (auto _ : st) benchmark::DoNotOptimize(s::in_str_ex(0, t, "end", 1));
  st.SetBytesProcessed(st.iterations() * t.size());
}
void BM_InStrRev(benchmark::State& st) {
  const auto& t = text_of(st.range(0));
  for (auto _ : st) benchmark::DoNotOptimize(s::in_str_rev(t, sjis(u8"秀丸")));
  st.SetBytesProcessed(st.iterations() * t.size());
}
void BM_InStrRev_Absent(benchmark::State& st) {
  const auto& t = text_of(st.range(0));
  const std::string absent = sjis(u8"存在しない");
  for (auto _ : st) benchmark::DoNotOptimize(s::in_str_rev(t, absent));
  st.SetBytesProcessed(st.iterations() * t.size());
}
void BM_Replace(benchmark::State& st) {
  const auto& t = text_of(st.range(0));
  const std::string from = sjis(u8"テキスト"), to = sjis(u8"文章");
  for (auto _ : st) benchmark::DoNotOptimize(s::replace(out(), t, from, to, -1));
  st.SetBytesProcessed(st.iterations() * t.size());
}
void BM_Trim(benchmark::State& st) {
  const auto& t = text_of(st.range(0));
  for (auto _ : st) benchmark::DoNotOptimize(s::trim(out(), t, s::TrimSide::both));
  st.SetBytesProcessed(st.iterations() * t.size());
}
void BM_UpperStr(benchmark::State& st) {
  const auto& t = text_of(st.range(0));
  for (auto _ : st) benchmark::DoNotOptimize(s::upper(out(), t, 0));
  st.SetBytesProcessed(st.iterations() * t.size());
}

// The floors: the plain C library doing the byte work of each export.
void BM_Floor_memmem(benchmark::State& st) {
  const auto& t = text_of(st.range(0));
  for (auto _ : st) benchmark::DoNotOptimize(memmem(t.data(), t.size(), kNeedle.data(), kNeedle.size()));
  st.SetBytesProcessed(st.iterations() * t.size());
}
void BM_Floor_memchr(benchmark::State& st) {
  const auto& t = text_of(st.range(0));
  for (auto _ : st) benchmark::DoNotOptimize(std::memchr(t.data(), 0x01, t.size()));
  st.SetBytesProcessed(st.iterations() * t.size());
}
void BM_Floor_memcpy(benchmark::State& st) {
  const auto& t = text_of(st.range(0));
  for (auto _ : st) {
    std::memcpy(out().data(), t.data(), t.size());
    benchmark::ClobberMemory();
  }
  st.SetBytesProcessed(st.iterations() * t.size());
}

#define SIZES ->Arg(1024)->Arg(64 * 1024)->Arg(999'999)
BENCHMARK(BM_Floor_memchr) SIZES;
BENCHMARK(BM_Floor_memmem) SIZES;
BENCHMARK(BM_Floor_memcpy) SIZES;
BENCHMARK(BM_InStr) SIZES;
BENCHMARK(BM_InStrEx) SIZES;
BENCHMARK(BM_InStrRev) SIZES;
BENCHMARK(BM_InStrRev_Absent) SIZES;
BENCHMARK(BM_Replace) SIZES;
BENCHMARK(BM_Trim) SIZES;
BENCHMARK(BM_UpperStr) SIZES;

}  // namespace

BENCHMARK_MAIN();
