// The editor loads lorimax at a macro's start and frees it at its end, many
// times a day in one process that stays up. Each macro run here is a
// LoadLibrary, calls across the families that leave state in each, and a
// FreeLibrary with that state still in place. After it the process holds what
// it held before (handles by type, heap, threads, TLS slots), the files left
// open are whole, the engines are gone, and the next load finds every family
// in its start state. Ending the process instead of freeing the library
// leaves the files whole too, and calls no engine.
//   LMX_UNLOAD_CYCLES   macro runs of each kind (250 by default)
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "files.h"
#include "handles.h"
#include "loaded_library.h"
#include "macro_run.h"
#include "programs.h"

namespace {

// The editor has the system's libraries loaded for its own use; without them
// here each run would load and free them along with lorimax.
const bool g_system_libraries_held = [] {
  for (const char* name : {"user32.dll", "shell32.dll", "shlwapi.dll", "advapi32.dll", "version.dll", "wininet.dll",
                           "dwmapi.dll", "ole32.dll"})
    LoadLibraryA(name);
  return true;
}();

std::string bin_folder() {
  char path[MAX_PATH];
  const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, n);
  return folder.substr(0, folder.rfind('\\') + 1);
}

std::string fresh_folder(const char* name) {
  const std::string folder = bin_folder() + name;
  remove_tree(std::wstring(folder.begin(), folder.end()));
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder + "\\";
}

struct Footprint {
  std::map<std::wstring, long> handles;
  long long heap_bytes = 0;
  long threads = 0, tls_free = 0;
};
Footprint footprint() { return {handles_by_type(), heap_bytes_in_use(), thread_count(), tls_slots_free()}; }

std::string describe(const Footprint& f) {
  std::string s = "heap " + std::to_string(f.heap_bytes) + " bytes, threads " + std::to_string(f.threads) +
                  ", free TLS slots " + std::to_string(f.tls_free) + ", handles";
  for (const auto& [type, n] : f.handles) s += " " + std::string(type.begin(), type.end()) + ":" + std::to_string(n);
  return s;
}

std::size_t cycles() {
  const char* v = std::getenv("LMX_UNLOAD_CYCLES");
  return v && *v ? std::strtoull(v, nullptr, 10) : 250;
}

// The first runs fill what the system keeps once per process (the profile
// functions' and the loader's caches); growth is counted after them.
constexpr std::size_t kWarmUp = 100;
// What the heap may grow by over all the counted runs together: the system
// allocator's own bookkeeping moves by a few hundred bytes either way from one
// run to the next (a plain C DLL with one export, loaded and freed alike, moves
// by up to 3 bytes a run). A leak of one small block a run shows far beyond it.
constexpr long long kHeapNoise = 8 * 1024;

class MacroRuns : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fresh_folder("macro-runs");
    macro_run::lay_out(folder_);
    // The window a run's search finds: the test's own.
    window_ = CreateWindowExA(0, "STATIC", "lorimax unload probe", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr,
                              nullptr, nullptr);
    ASSERT_NE(window_, nullptr);
    LoadedLibrary lorimax;
    ASSERT_TRUE(lorimax.loaded());
    closed_ = macro_run::closed_file_bytes(lorimax, folder_);
    for (const std::string& bytes : closed_) ASSERT_GT(bytes.size(), 8192u);
  }
  void TearDown() override { DestroyWindow(window_); }

  // Runs `n` macro runs, each checked, and the process's footprint after
  // the warm-up and after the last, with the engines' own cost per load.
  void runs(const macro_run::Options& options, long long engine_heap_per_run) {
    const std::size_t n = std::max(cycles(), kWarmUp + 1);
    Footprint after_warm_up, first;
    std::size_t failed_runs = 0;
    for (std::size_t i = 0; i < n; ++i) {
      if (i == kWarmUp) after_warm_up = footprint();
      LoadedLibrary lorimax;
      ASSERT_TRUE(lorimax.loaded());
      std::vector<std::string> wrong = macro_run::start_state_mismatches(lorimax);
      macro_run::Options o = options;
      o.child = options.child && i % 50 == 0;  // a child process costs as much as many runs
      for (const std::string& w : macro_run::run(lorimax, folder_, o)) wrong.push_back("call " + w);
      lorimax.unload();
      for (const char* engine : macro_run::kEngineModules)
        if (GetModuleHandleA(engine)) wrong.push_back(std::string(engine) + " still loaded");
      for (std::size_t f = 0; f < std::size(macro_run::kOpenFiles); ++f)
        if (read_bytes(folder_ + macro_run::kOpenFiles[f]) != closed_[f])
          wrong.push_back(std::string(macro_run::kOpenFiles[f]) + " not whole");
      if (!wrong.empty() && failed_runs++ < 3) {
        std::string list;
        for (const std::string& w : wrong) list += "\n  " + w;
        ADD_FAILURE() << "macro run " << i << ":" << list;
      }
      if (i == 0) first = footprint();
    }
    const Footprint last = footprint();
    std::printf("after the first run:     %s\nafter %3zu runs:          %s\nafter %3zu runs:          %s\n",
                describe(first).c_str(), kWarmUp, describe(after_warm_up).c_str(), n, describe(last).c_str());
    const std::size_t counted = n - kWarmUp;
    const long long heap = last.heap_bytes - after_warm_up.heap_bytes;
    std::printf("growth over the last %zu runs: heap %+lld bytes (%+.1f a run, the engines' own %lld a run), "
                "threads %+ld, TLS slots %+ld\n",
                counted, heap, static_cast<double>(heap) / counted, engine_heap_per_run,
                last.threads - after_warm_up.threads, after_warm_up.tls_free - last.tls_free);
    EXPECT_EQ(failed_runs, 0u);
    EXPECT_LE(heap, kHeapNoise + engine_heap_per_run * static_cast<long long>(counted));
    EXPECT_EQ(last.threads, after_warm_up.threads);
    EXPECT_EQ(last.tls_free, after_warm_up.tls_free);
    for (const auto& [type, count] : last.handles) {
      const auto before = after_warm_up.handles.find(type);
      EXPECT_LE(count, before == after_warm_up.handles.end() ? 0 : before->second)
          << "handles of type " << std::string(type.begin(), type.end());
    }
  }

  std::string folder_;
  HWND window_ = nullptr;
  std::vector<std::string> closed_;
};

TEST_F(MacroRuns, AcrossTheFamiliesStayFlat) { runs({.child = true, .window = true}, 0); }

// An engine's own library may keep something per load that is not lorimax's
// to give back; it is measured alone, loaded and freed as often, and allowed.
long long engines_own_heap_per_load() {
  long long total = 0;
  for (const char* engine : macro_run::kEngineModules) {
    for (int i = 0; i < 20; ++i) FreeLibrary(LoadLibraryA(engine));
    const long long before = heap_bytes_in_use();
    for (int i = 0; i < 100; ++i) FreeLibrary(LoadLibraryA(engine));
    const long long per_load = (heap_bytes_in_use() - before) / 100;
    std::printf("%s loaded and freed alone: %+lld heap bytes a load\n", engine, per_load);
    total += std::max(per_load, 0LL);
  }
  return total;
}

TEST_F(MacroRuns, WithTheEnginesLeftOpenStayFlat) { runs({.engines = true}, engines_own_heap_per_load()); }

// The process ends with everything in place: through the C runtime's exit,
// through ExitProcess, or after freeing the library. The files are whole each
// time; the regex DLL is closed when the library is freed, and left alone
// while the process exits (other libraries may be gone by then).
TEST(ProcessEnd, FilesWholeAndEnginesLeftAlone) {
  const std::string folder = fresh_folder("macro-run-end");
  macro_run::lay_out(folder);
  std::vector<std::string> closed;
  {
    LoadedLibrary lorimax;
    ASSERT_TRUE(lorimax.loaded());
    closed = macro_run::closed_file_bytes(lorimax, folder);
  }
  const std::string log = folder + "regex-calls.txt";
  SetEnvironmentVariableA("HMJRE_STANDIN_LOG", log.c_str());
  const struct {
    const char* how;
    const char* regex_calls;
  } ends[] = {{"exit", ""}, {"ExitProcess", ""}, {"FreeLibrary", "Jre2Close\n"}};
  for (const auto& end : ends) {
    SCOPED_TRACE(end.how);
    for (const char* f : macro_run::kOpenFiles) DeleteFileA((folder + f).c_str());
    DeleteFileA(log.c_str());
    EXPECT_EQ(run_to_exit("unload_child.exe " + std::string(end.how) + " " + folder), 0u);
    for (std::size_t f = 0; f < std::size(macro_run::kOpenFiles); ++f)
      EXPECT_EQ(read_bytes(folder + macro_run::kOpenFiles[f]), closed[f]) << macro_run::kOpenFiles[f];
    EXPECT_EQ(read_bytes(log), end.regex_calls);
  }
  SetEnvironmentVariableA("HMJRE_STANDIN_LOG", nullptr);
}

}  // namespace
