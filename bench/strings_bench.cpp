// The text core on Shift_JIS prose of 1 KB, 64 KB and 999,999 bytes (the most
// that fits the 1,000,000-byte result buffer with its terminator), each export
// beside a floor of the plain C library doing its byte work on the same data,
// measured in the same run. The repetitions are interleaved at random, so
// that a change in the machine's load falls on exports and floors alike; the
// table gives the median CPU time of each and the spread of the repetitions.
#include <benchmark/benchmark.h>
#if defined(__x86_64__)
#include <immintrin.h>
#endif

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "../tests/support/text.h"
#include "format/kanji.h"
#include "format/url.h"
#include "frame/result_buffer.h"
#include "strings/strings.h"

namespace {

namespace s = lmx::strings;
using std::string;

// Japanese prose with ASCII and full-width words mixed in; a marker at the
// end. The same two spaces at each end whatever the size, so that what the
// trims do beyond copying does not grow or shrink with it.
string make_text(std::size_t size) {
  const string sentence = sjis(u8"秀丸マクロで日本語のテキストを検索する。Search ストリング 123、ＳＪＩＳのメニューとアイテム。");
  const string tail = sjis(u8"終わりのマーカー") + "END  ";
  string text = "  ";
  while (text.size() + sentence.size() + tail.size() <= size) text += sentence;
  // Fill up with the sentence's start, cut where a character starts.
  std::size_t cut = 0;
  while (text.size() + cut + tail.size() < size) cut += static_cast<unsigned char>(sentence[cut]) >= 0x80 ? 2 : 1;
  if (text.size() + cut + tail.size() > size) cut -= 2;
  text += sentence.substr(0, cut);
  text.resize(size - tail.size(), '.');
  return text + tail;
}

lmx::NarrowResult& out() {
  static lmx::NarrowResult b;
  if (!b.data()) b.allocate(lmx::kResultCap);
  return b;
}

struct Size {
  std::size_t bytes;
  const char* label;
};
constexpr Size kSizes[] = {{1024, "1 KB"}, {64 * 1024, "64 KB"}, {999'999, "1 MB"}};

// One row of the table: an export at one size, and the floor it is held to.
struct Row {
  string name, size, floor;
  std::size_t bytes;  // what the time per byte is taken over
  bool per_byte;      // false where the work does not grow with the text (a hit near its end)
};
std::vector<Row> g_rows;
std::map<string, bool> g_floors;

// Texts live as long as the program: the benchmarks refer to them.
const string& keep(string s) {
  static std::vector<string*> kept;
  kept.push_back(new string(std::move(s)));
  return *kept.back();
}

template <class Body>
void measure(const string& name, const Size& size, std::size_t bytes, const string& floor, Body body,
             bool per_byte = true) {
  const string full = name + "/" + size.label;
  benchmark::RegisterBenchmark(full.c_str(), [body](benchmark::State& st) {
    for (auto _ : st) body();
  });
  g_rows.push_back({name, size.label, floor, bytes, per_byte});
}

// The floors, each registered once under its name. A copying floor runs
// `work(out, in, n)` over `bytes` of the prose.
using CopyWork = void (*)(char* out, const char* in, std::size_t n);
const string& floor_copying(const string& label, std::size_t bytes, CopyWork work) {
  const string& name = keep(label + " " + std::to_string(bytes));
  if (!g_floors[name]) {
    g_floors[name] = true;
    const string& from = keep(make_text(bytes));
    benchmark::RegisterBenchmark(name.c_str(), [&from, work](benchmark::State& st) {
      for (auto _ : st) {
        work(out().data(), from.data(), from.size());
        benchmark::ClobberMemory();
      }
    });
  }
  return name;
}
const string& floor_memcpy(std::size_t bytes) {
  return floor_copying("memcpy", bytes, [](char* out, const char* in, std::size_t n) { std::memcpy(out, in, n); });
}

// The least work any fold does: ASCII letters upper-cased a vector at a time
// (64 bytes with AVX-512 where the folds use it too, else 16 with SSE2),
// every other byte copied. A fold's ratio to it is what its Shift_JIS rules
// cost beyond a case change (memcpy of 1 KB from L1 is no floor a fold can reach).
#if defined(__x86_64__)
__attribute__((target("avx512bw"))) std::size_t ascii_upper_avx512(char* out, const char* in, std::size_t n) {
  const __m512i a = _mm512_set1_epi8('a'), z = _mm512_set1_epi8('z'), bit = _mm512_set1_epi8(0x20);
  std::size_t i = 0;
  for (; i + 64 <= n; i += 64) {
    const __m512i v = _mm512_loadu_si512(in + i);
    const __mmask64 letter = _mm512_cmpge_epi8_mask(v, a) & _mm512_cmple_epi8_mask(v, z);
    _mm512_storeu_si512(out + i, _mm512_mask_sub_epi8(v, letter, v, bit));
  }
  return i;
}
#endif

void ascii_upper(char* out, const char* in, std::size_t n) {
  std::size_t i = 0;
#if defined(__x86_64__)
  static const bool wide = __builtin_cpu_supports("avx512bw") && __builtin_cpu_supports("avx512vbmi");
  if (wide) i = ascii_upper_avx512(out, in, n);
#endif
#ifdef __SSE2__
  const __m128i before_a = _mm_set1_epi8('a' - 1), after_z = _mm_set1_epi8('z' + 1), bit = _mm_set1_epi8(0x20);
  for (; i + 16 <= n; i += 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
    const __m128i letter = _mm_and_si128(_mm_cmpgt_epi8(v, before_a), _mm_cmplt_epi8(v, after_z));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_xor_si128(v, _mm_and_si128(letter, bit)));
  }
#endif
  for (; i < n; ++i) out[i] = in[i] >= 'a' && in[i] <= 'z' ? static_cast<char>(in[i] ^ 0x20) : in[i];
}

const string& floor_ascii_fold(std::size_t bytes) { return floor_copying("ASCII fold", bytes, ascii_upper); }

// `what` names the needle in ASCII, so that the table's columns line up.
const string& floor_memmem(const string& text, const string& needle, const char* what, const char* label) {
  const string& name = keep(string("memmem ") + what + " " + label);
  if (!g_floors[name]) {
    g_floors[name] = true;
    benchmark::RegisterBenchmark(name.c_str(), [&text, &needle](benchmark::State& st) {
      for (auto _ : st) benchmark::DoNotOptimize(memmem(text.data(), text.size(), needle.data(), needle.size()));
    });
  }
  return name;
}

void register_all() {
  const string& marker = keep(sjis(u8"マーカー"));
  const string& absent = keep(sjis(u8"存在しない"));
  const string& end_upper = keep("END");
  const string& missing = keep("missing");
  const string& hidemaru = keep(sjis(u8"秀丸"));
  const string& from = keep(sjis(u8"テキスト"));
  const string& to = keep(sjis(u8"文章"));
  const string& insertion = keep(sjis(u8"挿入"));
  const string& spaces = keep(sjis(u8" 　"));

  for (const Size& size : kSizes) {
    const string& t = keep(make_text(size.bytes));
    const std::size_t n = t.size();
    const string& scan = floor_memmem(t, marker, "marker", size.label);
    const string& copy = floor_memcpy(n);
    measure("InStr", size, n, scan, [&] { benchmark::DoNotOptimize(s::in_str(0, t, marker)); });
    for (int mode : {1, 2, 3})
      measure("InStrEx mode " + std::to_string(mode), size, n, floor_memmem(t, end_upper, "END", size.label),
              [&t, mode] { benchmark::DoNotOptimize(s::in_str_ex(0, t, "end", mode)); });
    measure("InStrRev, near the end", size, n, scan, [&] { benchmark::DoNotOptimize(s::in_str_rev(t, hidemaru)); }, false);
    measure("InStrRev, absent", size, n, floor_memmem(t, absent, "absent", size.label),
            [&] { benchmark::DoNotOptimize(s::in_str_rev(t, absent)); });
    measure("InStrRevEx mode 1, near the end", size, n, floor_memmem(t, end_upper, "END", size.label),
            [&] { benchmark::DoNotOptimize(s::in_str_rev_ex(t, "end", 1)); }, false);
    for (int mode : {1, 2, 3})
      measure("InStrRevEx mode " + std::to_string(mode) + ", absent", size, n, floor_memmem(t, missing, "missing", size.label),
              [&t, &missing, mode] { benchmark::DoNotOptimize(s::in_str_rev_ex(t, missing, mode)); });
    measure("Replace", size, n, scan, [&] { benchmark::DoNotOptimize(s::replace(out(), t, from, to, -1)); });
    const string& fold = floor_ascii_fold(n);
    for (int mode : {0, 1, 2}) {
      measure("UpperStr mode " + std::to_string(mode), size, n, fold,
              [&t, mode] { benchmark::DoNotOptimize(s::upper(out(), t, mode)); });
      measure("LowerStr mode " + std::to_string(mode), size, n, fold,
              [&t, mode] { benchmark::DoNotOptimize(s::lower(out(), t, mode)); });
    }
    measure("DeleteStr (middle, 10)", size, n, copy,
            [&t, n] { benchmark::DoNotOptimize(s::delete_str(out(), t, static_cast<intptr_t>(n / 2), 10)); });
    // Room for the insertion within the cap.
    const string& shorter = keep(t.substr(0, n - insertion.size()));
    measure("InsertStr (middle)", size, n, copy, [&shorter, &insertion] {
      benchmark::DoNotOptimize(s::insert_str(out(), shorter, static_cast<intptr_t>(shorter.size() / 2), insertion));
    });
    measure("Trim", size, n, copy, [&] { benchmark::DoNotOptimize(s::trim(out(), t, s::TrimSide::both)); });
    measure("TrimStr", size, n, copy, [&] { benchmark::DoNotOptimize(s::trim_set(out(), t, spaces)); });
    for (const auto& [name, how] : {std::pair{"LeftJust 1024", s::Justify::left}, std::pair{"RightJust 1024", s::Justify::right},
                                    std::pair{"Centor 1024", s::Justify::centre}})
      measure(name, size, n, copy, [&t, how = how] { benchmark::DoNotOptimize(s::justify(out(), t, 1024, how)); });

    // Percent-decoding of encoded prose of the same size, no escape cut in two.
    const string piece = lmx::url::encode_narrow(out(), make_text(8192), 0);
    string encoded;
    while (encoded.size() < size.bytes) encoded += piece;
    encoded.resize(size.bytes);
    for (std::size_t p = encoded.size() - 2; p < encoded.size(); ++p)
      if (encoded[p] == '%') encoded.replace(p, string::npos, encoded.size() - p, 'x');
    const string& enc = keep(encoded);
    measure("UrlDecode", size, n, copy, [&enc] { benchmark::DoNotOptimize(lmx::url::decode(out(), enc)); });
  }

  // Exports whose input is limited below 1 MB: the largest input is their third size.
  const Size url_sizes[] = {{1024, "1 KB"}, {64 * 1024, "64 KB"}, {333'333, "333 KB (limit)"}};
  for (const Size& size : url_sizes) {
    const string& t = keep(make_text(size.bytes));
    const std::size_t encoded = string(lmx::url::encode_narrow(out(), t, 0)).size();
    measure("UrlEncode", size, t.size(), floor_memcpy(encoded),
            [&t] { benchmark::DoNotOptimize(lmx::url::encode_narrow(out(), t, 0)); });
  }
  const Size digit_sizes[] = {{1024, "1 KB"}, {64 * 1024, "64 KB"}, {200'000, "200 KB (limit)"}};
  for (const Size& size : digit_sizes) {
    string digits;
    for (std::size_t i = 0; i < size.bytes; ++i) digits += static_cast<char>('0' + (i * 7 + 3) % 10);
    const string& d = keep(digits);
    measure("NumStringToKanji digits", size, d.size(), floor_memcpy(2 * d.size()),
            [&d] { benchmark::DoNotOptimize(lmx::kanji::digits_to_kanji(out(), d, 0)); });
  }
  const string& numeral = keep("987654321098765432109876543210987654321098765432109876543210987654321012");
  const std::size_t numeral_out = string(lmx::kanji::digits_to_kanji(out(), numeral, 1)).size();
  measure("NumStringToKanji numeral", {72, "72 digits (limit)"}, numeral.size(), floor_memcpy(numeral_out),
          [&numeral] { benchmark::DoNotOptimize(lmx::kanji::digits_to_kanji(out(), numeral, 1)); });
}

// Collects every repetition and prints the table at the end.
class TableReporter : public benchmark::BenchmarkReporter {
 public:
  bool ReportContext(const Context& context) override {
    double load[3] = {};
    if (getloadavg(load, 3) < 0) load[0] = -1;
    std::printf("%d CPUs at %.0f MHz, load average %.2f at the start\n", context.cpu_info.num_cpus,
                context.cpu_info.cycles_per_second / 1e6, load[0]);
    return true;
  }
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& r : runs)
      if (r.run_type == Run::RT_Iteration && !r.error_occurred)
        times_[r.run_name.function_name].push_back(r.GetAdjustedCPUTime());
    std::fputc('.', stderr);
  }
  void Finalize() override {
    std::fputc('\n', stderr);
    double load[3] = {};
    if (getloadavg(load, 3) < 0) load[0] = -1;
    std::printf("load average %.2f at the end; times are medians of the repetitions' CPU time per call\n\n", load[0]);
    std::printf("| %-32s | %-17s | %10s | %-26s | %10s | %7s | %8s | %8s | %7s |\n", "export", "size", "time",
                "floor", "floor time", "ratio", "B/B 64K", "floor's", "spread");
    std::printf("|%s|%s|%s|%s|%s|%s|%s|%s|%s|\n", string(34, '-').c_str(), string(19, '-').c_str(),
                string(12, '-').c_str(), string(28, '-').c_str(), string(12, '-').c_str(), string(9, '-').c_str(),
                string(10, '-').c_str(), string(10, '-').c_str(), string(9, '-').c_str());
    std::map<string, double> per_byte_64k, floor_per_byte_64k;
    for (const Row& row : g_rows)
      if (row.size == "64 KB") {
        per_byte_64k[row.name] = median(row.name + "/" + row.size) / row.bytes;
        floor_per_byte_64k[row.name] = median(row.floor) / row.bytes;
      }
    for (const Row& row : g_rows) {
      const string key = row.name + "/" + row.size;
      const double t = median(key), f = median(row.floor);
      const bool scaled = row.per_byte && per_byte_64k.count(row.name) > 0;
      const double per_byte = scaled ? (t / row.bytes) / per_byte_64k[row.name] : 0;
      const double floor_per_byte = scaled ? (f / row.bytes) / floor_per_byte_64k[row.name] : 0;
      std::printf("| %-32s | %-17s | %10s | %-26s | %10s | %7.2f | %8s | %8s | %6.0f%% |\n", row.name.c_str(),
                  row.size.c_str(), show(t).c_str(), row.floor.c_str(), show(f).c_str(), t / f,
                  scaled ? fixed(per_byte).c_str() : "-", scaled ? fixed(floor_per_byte).c_str() : "-", 100 * spread(key));
    }
    std::printf("\nratio: time / floor time. B/B 64K: time per byte / time per byte at 64 KB; floor's: the same\n"
                "for the floor (- where the work does not grow with the text). spread: (slowest - fastest\n"
                "repetition) / median.\n");
  }

 private:
  double median(const string& key) {
    auto v = times_[key];
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
  }
  double spread(const string& key) {
    const auto& v = times_[key];
    if (v.empty()) return 0;
    const auto [lo, hi] = std::minmax_element(v.begin(), v.end());
    return (*hi - *lo) / median(key);
  }
  static string fixed(double x) {
    char b[32];
    std::snprintf(b, sizeof b, "%.2f", x);
    return b;
  }
  static string show(double ns) {
    char b[32];
    if (ns < 1000)
      std::snprintf(b, sizeof b, "%.1f ns", ns);
    else if (ns < 1e6)
      std::snprintf(b, sizeof b, "%.2f us", ns / 1e3);
    else
      std::snprintf(b, sizeof b, "%.3f ms", ns / 1e6);
    return b;
  }
  std::map<string, std::vector<double>> times_;
};

}  // namespace

int main(int argc, char** argv) {
  // Defaults for a shared, noisy machine, unless the caller gives their own.
  std::vector<char*> args(argv, argv + argc);
  static char repetitions[] = "--benchmark_repetitions=7", interleave[] = "--benchmark_enable_random_interleaving=true",
              min_time[] = "--benchmark_min_time=0.05";
  bool given = false;
  for (int i = 1; i < argc; ++i) given |= std::strncmp(argv[i], "--benchmark_repetitions", 23) == 0;
  if (!given) args.insert(args.begin() + 1, {repetitions, interleave, min_time});
  int n = static_cast<int>(args.size());
  register_all();
  benchmark::Initialize(&n, args.data());
  TableReporter table;
  benchmark::RunSpecifiedBenchmarks(&table);
  benchmark::Shutdown();
  return 0;
}
