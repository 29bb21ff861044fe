// Desktop helpers: key strokes, the clipboard's display text and owner, the
// executable behind a window, and HTML Help.
#include <windows.h>
// htmlhelp.h needs windows.h before it
#include <htmlhelp.h>

#include <cstring>
#include <iterator>
#include <string_view>

#include "frame/path_limit.h"
#include "frame/result_buffer.h"
#include "frame/win_owners.h"
#include "process/process.h"

namespace lmx::process {
namespace {

HWND as_window(intptr_t value) { return reinterpret_cast<HWND>(value); }

struct Modifier {
  intptr_t bit;
  BYTE key;
};
// Pressed in this order, released in the reverse one.
constexpr Modifier kModifiers[] = {{4, VK_MENU}, {2, VK_CONTROL}, {1, VK_SHIFT}};

void key_event(BYTE key, DWORD flags) {
  keybd_event(key, static_cast<BYTE>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC)), KEYEVENTF_EXTENDEDKEY | flags, 0);
}

// What the platform's HTML Help stub does: the control named by its class
// registration (hhctrl.ocx when that cannot be read), loaded on first use and
// kept for the life of the process, HtmlHelpA at ordinal 14. A failed load is
// not tried again.
using HtmlHelpAFn = HWND(WINAPI*)(HWND caller, LPCSTR file, UINT command, DWORD_PTR data);

HtmlHelpAFn html_help() {
  static bool tried = false;
  static HtmlHelpAFn function = nullptr;
  if (tried) return function;
  tried = true;
  // RegGetValueA expands an expandable string by itself.
  char file[MAX_PATH];
  DWORD size = sizeof file;
  if (RegGetValueA(HKEY_CLASSES_ROOT, "CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\\InprocServer32", nullptr,
                   RRF_RT_REG_SZ, nullptr, file, &size) != ERROR_SUCCESS || file[0] == 0)
    std::strcpy(file, "hhctrl.ocx");
  // Deliberately never freed, as by the platform's stub: a help window may
  // outlive any call.
  if (HMODULE control = LoadLibraryA(file))
    function = proc<HtmlHelpAFn>(control, MAKEINTRESOURCEA(14));
  return function;
}

}  // namespace

intptr_t send_key_press(intptr_t key, intptr_t modifiers) {
  if (key > 255 || modifiers > 7) return 0;
  for (const Modifier& m : kModifiers)
    if (modifiers & m.bit) key_event(m.key, 0);
  key_event(static_cast<BYTE>(key), 0);
  key_event(static_cast<BYTE>(key), KEYEVENTF_KEYUP);
  for (auto m = std::rbegin(kModifiers); m != std::rend(kModifiers); ++m)
    if (modifiers & m->bit) key_event(m->key, KEYEVENTF_KEYUP);
  return 1;
}

const char* clipboard_display_text(intptr_t opener) {
  if (!IsClipboardFormatAvailable(CF_DSPTEXT)) return kEmptyResult;
  OpenClipboardScope clipboard(as_window(opener));
  if (!clipboard.opened()) return kEmptyResult;
  const HANDLE data = GetClipboardData(CF_DSPTEXT);
  void* bytes = nullptr;
  const LockedGlobal lock = locked(data, &bytes);
  if (!lock) return kEmptyResult;
  // Read no further than the block, whether or not its text is terminated.
  const std::string_view text(static_cast<const char*>(bytes), strnlen(static_cast<const char*>(bytes), GlobalSize(data)));
  // A text that would not fit under the cap gives the empty result.
  if (!result().assign(text, text.size() + kClipboardSlack)) return kEmptyResult;
  return result().c_str();
}

intptr_t clipboard_owner() { return reinterpret_cast<intptr_t>(GetClipboardOwner()); }

const char* executable_of_window(intptr_t window) {
  NarrowResult& out = result();
  out.clear();
  DWORD process_id = 0;
  if (window <= 0 || !GetWindowThreadProcessId(as_window(window), &process_id) || process_id == 0) return out.c_str();
  const LoadedModule psapi(LoadLibraryA("PSAPI.DLL"));
  using EnumProcessModulesFn = BOOL(WINAPI*)(HANDLE, HMODULE*, DWORD, DWORD*);
  using GetModuleFileNameExAFn = DWORD(WINAPI*)(HANDLE, HMODULE, LPSTR, DWORD);
  const auto enum_modules = proc<EnumProcessModulesFn>(psapi.get(), "EnumProcessModules");
  const auto module_file = proc<GetModuleFileNameExAFn>(psapi.get(), "GetModuleFileNameExA");
  if (!enum_modules || !module_file || out.capacity() == 0) return out.c_str();
  const KernelHandle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, process_id));
  HMODULE first = nullptr;  // the process's executable
  DWORD needed = 0;
  if (process && enum_modules(process.get(), &first, sizeof first, &needed) &&
      module_file(process.get(), first, out.data(), static_cast<DWORD>(out.capacity())) == 0)
    out.clear();
  return out.c_str();
}

intptr_t open_html_help(const char* help_file, const char* keywords) {
  // HTML Help takes no long paths; Wine's ends the process on a very long one.
  if (!*help_file || !*keywords || !may_open(help_file, MAX_PATH - 1)) return 0;
  const HtmlHelpAFn help = html_help();
  if (!help) return 0;
  const HWND desktop = GetDesktopWindow();
  if (!help(desktop, help_file, HH_DISPLAY_TOPIC, 0)) return 0;
  static_assert(sizeof(HH_AKLINK) == 56);
  HH_AKLINK lookup{sizeof lookup, FALSE, keywords, nullptr, nullptr, nullptr, nullptr, TRUE};
  if (!help(desktop, help_file, HH_KEYWORD_LOOKUP, reinterpret_cast<DWORD_PTR>(&lookup))) return 0;
  return 1;
}

}  // namespace lmx::process
