// The DLL entry point and the order in which the families start and stop.
// It lives beside the exports because it names every family; the frame runs
// its own start and stop and knows none of them.
#include <windows.h>

#include "bridges/mecab.h"
#include "bridges/nkf.h"
#include "bridges/regex.h"
#include "bridges/spell.h"
#include "editorconfig/query.h"
#include "frame/lifecycle.h"
#include "ini/ini.h"
#include "textfile/textfile.h"

namespace lmx {
namespace {

// The families whose state needs more than its initial value. The others
// (size texts, found windows) start as their globals are made.
void (*const kStarts[])() = {
    ini::start_lists,
};

// Families first, the frame last: every family is built on the frame (its
// result buffers, its conversions) and the frame on none of them, so nothing
// stopped later is still needed by a stop before it. The families depend on
// none of each other; the engines go first so that their libraries are let go
// before the files are flushed and closed.
void (*const kStops[])(StopReason) = {
    mecab::stop, nkf::stop, regex::stop, spell::stop, editorconfig::stop_lists, textfile::stop_slots, ini::stop_lists,
};

}  // namespace
}  // namespace lmx

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  using namespace lmx;
  if (reason == DLL_PROCESS_ATTACH) {
    frame_start(instance);
    for (auto start : kStarts) start();
  }
  if (reason == DLL_PROCESS_DETACH) {
    const StopReason why = reserved ? StopReason::process_exiting : StopReason::library_unloaded;
    for (auto stop : kStops) stop(why);
    frame_stop(why);
    stop_runtime(why);
  }
  return TRUE;
}
