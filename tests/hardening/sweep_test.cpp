// The sweep: every export of the table, called with the worst arguments a
// macro can pass, in a random (seeded) order, between calls that fill the
// result buffers. Nothing may crash, no C-runtime parameter check may fire,
// the results are the failure values where the arguments make them known,
// and no text holds what filled the buffers before the call.
//
// LMX_SWEEP_SEED repeats a run; LMX_SWEEP_CALLS sets its length (the short
// run of `make test` is 1000 calls from each of three fixed seeds, `make
// sweep` runs 200,000 from a new seed).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <random>
#include <string>
#include <vector>

#include "calls.h"
#include "exports/api.h"
#include "exports/result_buffers.h"
#include "sandbox.h"
#include "text.h"

using namespace hardening;

namespace {

using lmx::kResultCap;

// One candidate argument with a label for the failure messages.
struct Candidate {
  std::string label;
  Arg arg;
  std::size_t units = 0;  // of a text, for the path limit
  bool valid_window = false;
};

// Texts live here so that the candidates' pointers stay put.
struct Texts {
  std::deque<std::string> narrow;
  std::deque<std::wstring> wide;
  const char* keep(std::string s) { return narrow.emplace_back(std::move(s)).c_str(); }
  const wchar_t* keep(std::wstring s) { return wide.emplace_back(std::move(s)).c_str(); }
};

struct Pools {
  Texts texts;
  std::vector<Candidate> narrow, wide, integers, windows, times, commands, keys, modifiers, slots, sandbox_narrow,
      sandbox_wide;

  Pools(const Sandbox& box, HWND own, HWND destroyed) {
    const std::vector<std::pair<std::string, std::string>> bytes = {
        {"\"a\"", "a"},
        {"\"abc=1\"", "abc=1"},
        {"invalid UTF-8", "\xC3\x28\xFF\xFE\x80\xC0\xAF"},
        {"lone lead byte", "\x83"},
        {"lead byte before the end", "ab" + sjis(u8"メ") + "\x83"},
        {"Shift_JIS text", sjis(u8"表示メニュー\\ソ")},
        {"url escapes", "%41%E3%8%ZZ%"},
        {"time directives", "%k%Y%#x%kA%c%"},
        {"wildcards", "*?*.*"},
        {"fixture sweep.ini", "sweep.ini"},
        {"fixture sweep16.ini", "sweep16.ini"},
        {"fixture sweep.txt", "sweep.txt"},
        {"section s", "s"},
    };
    const std::vector<std::pair<std::string, std::wstring>> units = {
        {"L\"a\"", L"a"},
        {"lone high surrogate", L"\xD800"},
        {"lone low surrogate", L"a\xDC00z"},
        {"high surrogate at the end", L"abc\xDBFF"},
        {"Japanese text", ::wide(u8"表示メニュー")},
        {"fixture sweep16.ini", L"sweep16.ini"},
        {"fixture sweep.txt", L"sweep.txt"},
        {"section s", L"s"},
    };
    narrow.push_back({"NULL", {}, 0});
    wide.push_back({"NULL", {}, 0});
    narrow.push_back({"\"\"", {.s = texts.keep(std::string())}, 0});
    wide.push_back({"L\"\"", {.w = texts.keep(std::wstring())}, 0});
    for (const auto& [label, s] : bytes) narrow.push_back({label, {.s = texts.keep(s)}, s.size()});
    for (const auto& [label, s] : units) wide.push_back({label, {.w = texts.keep(s)}, s.size()});
    // The path limits' edges, then the buffers' cap.
    for (std::size_t n : {259u, 260u, 1000u, 9000u, 32'767u, 32'768u, 999'999u, 1'000'000u, 1'000'001u}) {
      const std::string label = std::to_string(n) + " characters";
      narrow.push_back({label, {.s = texts.keep(std::string(n, 'a'))}, n});
      wide.push_back({label, {.w = texts.keep(std::wstring(n, L'a'))}, n});
    }

    const std::string folder = box.narrow_path() + "\\";
    const std::wstring wfolder = box.path() + L"\\";
    sandbox_narrow = {narrow[0], narrow[1]};
    sandbox_wide = {wide[0], wide[1]};
    for (const auto& [label, s] : bytes) sandbox_narrow.push_back({"sandbox\\" + label, {.s = texts.keep(folder + s)}, folder.size() + s.size()});
    for (const auto& [label, s] : units) sandbox_wide.push_back({"sandbox\\" + label, {.w = texts.keep(wfolder + s)}, wfolder.size() + s.size()});
    for (std::size_t n : std::initializer_list<std::size_t>{200, 259 - folder.size(), 260 - folder.size(), 9000, 1'000'001}) {
      const std::string label = "sandbox\\" + std::to_string(n) + " characters";
      sandbox_narrow.push_back({label, {.s = texts.keep(folder + std::string(n, 'a'))}, folder.size() + n});
      sandbox_wide.push_back({label, {.w = texts.keep(wfolder + std::wstring(n, L'a'))}, wfolder.size() + n});
    }

    const std::vector<std::pair<std::string, intptr_t>> hostile = {
        {"0", 0}, {"-1", -1}, {"INT64_MIN", INTPTR_MIN}, {"INT64_MAX", INTPTR_MAX},
        {"0xFFFFFFFF", 0xFFFFFFFF}, {"0x100000000", intptr_t{0x100000000}},
    };
    for (const auto& [label, v] : hostile) integers.push_back({label, {.i = v}});
    for (intptr_t v : {1, 2, 3, 7, 10, 100, 1025}) integers.push_back({std::to_string(v), {.i = v}});

    // No small number is a window: Wine reads a handle without its generation as any generation.
    for (const auto& [label, v] : hostile) windows.push_back({label, {.i = v}});
    if (destroyed) windows.push_back({"a destroyed window", {.i = reinterpret_cast<intptr_t>(destroyed)}});
    if (own) windows.push_back({"the test's own window", {.i = reinterpret_cast<intptr_t>(own)}, 0, true});

    for (intptr_t v : {intptr_t{0}, intptr_t{-1}, INTPTR_MIN, intptr_t{1}, intptr_t{5}}) times.push_back({std::to_string(v) + " ms", {.i = v}});

    const std::string child = "\"" + ansi(executable_folder() + L"sweep_child.exe") + "\"";
    commands = {narrow[0], narrow[1]};
    for (const auto& c : narrow)
      if (c.units > 100'000 || (c.arg.s && c.arg.s[0] && static_cast<unsigned char>(c.arg.s[0]) >= 0x80))
        commands.push_back({"command " + c.label, c.arg, c.units});
    commands.push_back({"the child", {.s = texts.keep(child)}});
    for (const char* tail : {" 3", " \xC3\x28 \x83", " %PATH% \"unclosed"}) commands.push_back({"the child" + std::string(tail), {.s = texts.keep(child + tail)}});
    commands.push_back({"the child with 40,000 bytes of arguments", {.s = texts.keep(child + " " + std::string(40'000, 'x'))}});

    for (const auto& c : integers)
      if (c.arg.i < 0 || c.arg.i > 255) keys.push_back(c);
    keys.push_back({"0x41", {.i = 0x41}});
    for (const auto& c : integers)
      if (c.arg.i < 0 || c.arg.i > 7) modifiers.push_back(c);
    modifiers.push_back({"0", {.i = 0}});

    for (const auto& [label, v] : hostile) slots.push_back({label, {.i = v}});
    for (intptr_t v = 1; v <= lmx::kSlotCount; ++v) slots.push_back({"slot " + std::to_string(v), {.i = v}});
  }

  const std::vector<Candidate>& pool(char kind, Role role) const {
    switch (role) {
      case Role::window: return windows;
      case Role::short_time: return times;
      case Role::command: return commands;
      case Role::key: return keys;
      case Role::modifiers: return modifiers;
      case Role::slot: return slots;
      case Role::sandbox_path: return kind == 'W' ? sandbox_wide : sandbox_narrow;
      case Role::any: break;
    }
    return kind == 'I' ? integers : kind == 'S' ? narrow : wide;
  }
};

// A C runtime parameter check ends the process on Windows. Where the runtime
// lets its handler be replaced, the sweep records the call that set one off;
// under Wine, msvcrt logs each one on its err channel instead, which the test
// entry in cmake/windows.cmake turns into a failure.
std::string g_current_call;
std::vector<std::string> g_invalid_parameters;

void __cdecl on_invalid_parameter(const wchar_t*, const wchar_t*, const wchar_t*, unsigned, uintptr_t) {
  g_invalid_parameters.push_back(g_current_call);
}

LONG WINAPI on_crash(EXCEPTION_POINTERS* e) {
  std::fprintf(stderr, "\nsweep: exception 0x%08lx in %s\n", e->ExceptionRecord->ExceptionCode, g_current_call.c_str());
  std::fflush(stderr);
  return EXCEPTION_CONTINUE_SEARCH;
}

using InvalidParameterHandler = void(__cdecl*)(const wchar_t*, const wchar_t*, const wchar_t*, unsigned, uintptr_t);
void watch_invalid_parameters() {
  using Setter = InvalidParameterHandler(__cdecl*)(InvalidParameterHandler);
  if (auto set = reinterpret_cast<Setter>(
          reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("msvcrt.dll"), "_set_invalid_parameter_handler"))))
    set(on_invalid_parameter);
}

std::size_t env_number(const char* name, std::size_t fallback) {
  const char* v = std::getenv(name);
  return v && *v ? static_cast<std::size_t>(std::strtoull(v, nullptr, 10)) : fallback;
}

template <class Char>
bool terminated_within_cap(const Char* p) {
  for (std::size_t i = 0; i <= kResultCap; ++i)
    if (!p[i]) return true;
  return false;
}

HWND make_window() {
  return CreateWindowExW(0, L"STATIC", L"lorimax sweep", WS_OVERLAPPEDWINDOW, 10, 10, 200, 100, nullptr, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

class Sweep {
 public:
  // The empty results, as two exports give them for an empty argument.
  Sweep(const Sandbox& box, HWND own, HWND destroyed)
      : pools_(box, own, destroyed), empty_narrow_(GetFileExtention("")), empty_wide_(UrlEncodeW(L"", 0)) {}

  void run(std::size_t calls, std::uint64_t seed) {
    std::mt19937_64 random(seed);
    const auto& all = exports();
    for (std::size_t n = 0; n < calls && failures_ < 20; ++n) {
      if (random() % 4 == 0) fill_buffers(random);
      call(all[random() % all.size()], random);
    }
    for (intptr_t h = 1; h <= lmx::kSlotCount; ++h) FileClose(h), open_[h - 1] = false;
  }

 private:
  // The fillers' own results are known from their fixtures: runs of a
  // character no argument holds.
  void fill_buffers(std::mt19937_64& random) {
    const auto n = static_cast<intptr_t>(kFiller.size() + random() % 6000);
    g_current_call = "String(" + std::to_string(n) + ", \"\\x7F\")";
    const char* s = String(n, "\x7F");
    if (std::string(s) != std::string(static_cast<std::size_t>(n), '\x7F')) fail("the filler String gave another text");
    g_current_call = "SetUTF16ConvertString";
    if (SetUTF16ConvertString(kFiller.c_str()) != 1 || GetResultW() != kWideFiller)
      fail("the filler SetUTF16ConvertString gave another text");
    check_empty_results();
  }

  void call(const Export& e, std::mt19937_64& random) {
    const Expectation x = expectation(e);
    const lmx::ExportInfo& info = e.info;
    const std::string kinds = info.kinds;
    if (!x.roles.empty() && x.roles.size() != kinds.size()) {
      fail(std::string("the hardening tests hold ") + std::to_string(x.roles.size()) + " arguments of " + info.name +
           ", the table gives " + std::to_string(kinds.size()));
      return;
    }
    Arg args[lmx::kMostArguments];
    bool must_fail = false;  // an argument beyond its mark in the table
    g_current_call = std::string(info.name) + "(";
    for (std::size_t i = 0; i < kinds.size(); ++i) {
      const Role role = x.roles.empty() ? Role::any : static_cast<Role>(x.roles[i]);
      const auto& pool = pools_.pool(kinds[i], role);
      const Candidate& c = pool[random() % pool.size()];
      args[i] = c.arg;
      g_current_call += (i ? ", " : "") + c.label;
      const lmx::ArgMark& m = info.marks[i];
      if ((m.limits_path() && c.units > m.longest) || (m.kind == lmx::Mark::window && !c.valid_window) ||
          (m.kind == lmx::Mark::slot && !is_tracked_open(c.arg.i)))
        must_fail = true;
    }
    g_current_call += ")";
    if (trace_) std::fprintf(stderr, "%s\n", g_current_call.c_str());

    // Each export writes only the result buffers its reference entry names.
    const lmx::BufferUse may = lmx::buffers_written(info.name, info.result[0]);
    const std::string narrow_before = GetResult();
    const std::wstring wide_before = GetResultW();
    const Outcome r = e.call(args);  // a call that hangs is the test time-out's to catch
    if (!may.narrow && narrow_before != GetResult()) fail("wrote the result buffer, which its reference entry says it does not");
    if (!may.wide && wide_before != GetResultW()) fail("wrote the wide result buffer, which its reference entry says it does not");

    if (r.kind == 'I') {
      if (r.i < info.range.lowest || r.i > info.range.highest) fail("gave " + std::to_string(r.i) + ", out of its range");
      if (must_fail && !info.failure.is(r.i)) fail("gave " + std::to_string(r.i) + ", not its failure value " + std::to_string(info.failure.value));
    } else {
      check_text(r, must_fail, may.narrow || may.wide);
    }
    track_slots(info.name, args, r);
    check_empty_results();
  }

  void check_text(const Outcome& r, bool must_fail, bool writes) {
    if (!r.p) return fail("gave a null pointer");
    const bool narrow = r.kind == 'S';
    const bool terminated = narrow ? terminated_within_cap(static_cast<const char*>(r.p))
                                   : terminated_within_cap(static_cast<const wchar_t*>(r.p));
    if (!terminated) return fail("gave a text without a terminator within the cap");
    const bool empty = narrow ? !*static_cast<const char*>(r.p) : !*static_cast<const wchar_t*>(r.p);
    if (must_fail && !empty) fail("gave a text where its failure (an empty text) was due");
    const bool leftover = narrow ? std::string(static_cast<const char*>(r.p)).find(kFiller) != std::string::npos
                                 : std::wstring(static_cast<const wchar_t*>(r.p)).find(kWideFiller) != std::wstring::npos;
    if (writes && leftover) fail("gave a text that holds what filled the result buffers before the call");
  }

  // The constant empty results are never written. (Some exports return a
  // buffer of their own, which may be empty and written later.)
  void check_empty_results() {
    if (*empty_narrow_) fail("wrote into the empty result");
    if (*empty_wide_) fail("wrote into the empty wide result");
  }

  bool is_tracked_open(intptr_t h) const { return h >= 1 && h <= lmx::kSlotCount && open_[h - 1]; }

  void track_slots(const std::string& name, const Arg* args, const Outcome& r) {
    if ((name == "FileOpen" || name == "FileOpenW") && r.i != 0) {
      if (r.i < 1 || r.i > 10 || open_[r.i - 1]) return fail("gave a slot that was already open");
      open_[r.i - 1] = true;
    }
    if (name == "FileClose" && args[0].i >= 1 && args[0].i <= 10) open_[args[0].i - 1] = false;
  }

  void fail(const std::string& what) {
    ++failures_;
    ADD_FAILURE() << g_current_call << ": " << what;
  }

  static inline const std::string kFiller = std::string(16, '\x7F');
  static inline const std::wstring kWideFiller = std::wstring(16, L'\x7F');
  Pools pools_;
  const bool trace_ = std::getenv("LMX_SWEEP_TRACE") != nullptr;  // each call on stderr before it is made
  bool open_[lmx::kSlotCount] = {};
  const char* const empty_narrow_;
  const wchar_t* const empty_wide_;
  int failures_ = 0;
};

// Each path argument of each export, beyond its limit by one character and
// at the cap, while the other arguments are plain: the failure value, before
// any system call (a profile function given 1,000 characters hangs under Wine).
TEST(Sweep, PathsBeyondTheLimitAreRefused) {
  const Sandbox box(L"lmx-paths");
  std::size_t checked = 0;
  for (const Export& e : exports()) {
    for (std::size_t i = 0; e.info.kinds[i]; ++i) {
      const lmx::ArgMark& m = e.info.marks[i];
      if (!m.limits_path()) continue;
      for (std::size_t length : {m.longest + 1, std::size_t{1'000'001}}) {
        const std::string narrow(length, 'a');
        const std::wstring wide_text(length, L'a');
        Arg args[lmx::kMostArguments];
        for (std::size_t k = 0; e.info.kinds[k]; ++k) args[k] = {.i = 1, .s = "s", .w = L"s"};
        args[i] = {.i = 1, .s = narrow.c_str(), .w = wide_text.c_str()};
        const Outcome r = e.call(args);
        ++checked;
        if (r.kind == 'I')
          EXPECT_TRUE(e.info.failure.is(r.i)) << e.info.name << " argument " << i << ", " << length << " characters: " << r.i;
        else if (r.kind == 'S')
          EXPECT_STREQ(static_cast<const char*>(r.p), "") << e.info.name << " argument " << i << ", " << length << " characters";
        else
          EXPECT_STREQ(static_cast<const wchar_t*>(r.p), L"") << e.info.name << " argument " << i << ", " << length << " characters";
      }
    }
  }
  EXPECT_GE(checked, 2 * 30u);
}

TEST(Sweep, EveryExportWithHostileArgumentsInRandomOrder) {
  const Sandbox box(L"lmx-sweep");
  box.write(L"sweep.ini", "[s]\r\nabc=1\r\nkey=" + sjis(u8"値") + "\r\n[t]\r\nx=y\r\n");
  box.write(L"sweep16.ini", std::string("\xFF\xFE[\0s\0]\0\r\0\n\0k\0=\0v\0\r\0\n\0", 22));
  box.write(L"sweep.txt", "line one\nline two\r\n" + sjis(u8"表示") + "\n");
  watch_invalid_parameters();
  SetUnhandledExceptionFilter(on_crash);

  HWND destroyed = make_window();
  if (destroyed) DestroyWindow(destroyed);
  HWND own = make_window();

  // The short run of `make test` gives the same verdict every time: fixed
  // seeds. A long run (LMX_SWEEP_CALLS) draws a new one unless given one.
  std::vector<std::uint64_t> seeds = {932, 1252, 65001};
  std::size_t calls = 1000;
  if (std::getenv("LMX_SWEEP_CALLS") || std::getenv("LMX_SWEEP_SEED")) {
    calls = env_number("LMX_SWEEP_CALLS", 3000);
    seeds = {env_number("LMX_SWEEP_SEED", static_cast<std::size_t>(std::random_device{}()))};
  }
  Sweep sweep(box, own, destroyed);
  for (std::uint64_t seed : seeds) {
    std::printf("sweep: seed %llu, %zu calls, %zu exports (LMX_SWEEP_SEED=%llu repeats it)%s\n",
                static_cast<unsigned long long>(seed), calls, exports().size(), static_cast<unsigned long long>(seed),
                own ? "" : "; no window could be made");
    std::fflush(stdout);
    sweep.run(calls, seed);
  }
  if (own) DestroyWindow(own);

  for (const auto& c : g_invalid_parameters) ADD_FAILURE() << c << ": set off a C-runtime parameter check";
}

}  // namespace
