// Process and desktop exports: one line each over src/process/.
#include "exports/api.h"
#include "frame/text_args.h"
#include "process/process.h"

using namespace lmx;
using namespace lmx::process;

LMX_API const char* GetStdout(const char* command, const char* input) { return capture_output(narrow_cstr(command), narrow_cstr(input)); }
LMX_API intptr_t GetExitCode() { return captured_exit_code(); }
LMX_API intptr_t RUNSYNC(const char* command, intptr_t failure, intptr_t show) { return run_and_wait(narrow_cstr(command), failure, show); }

LMX_API intptr_t SendKeyPress(intptr_t key, intptr_t modifiers) { return send_key_press(key, modifiers); }
LMX_API const char* GetClipboardDSPTEXT(intptr_t opener) { return clipboard_display_text(opener); }
LMX_API intptr_t GetClipboardOwnerHandle() { return clipboard_owner(); }
LMX_API const char* GetFileNameFromHwnd(intptr_t window) { return executable_of_window(window); }
LMX_API intptr_t OpenHtmlHelp(const char* help_file, const char* keywords) { return open_html_help(narrow_cstr(help_file), narrow_cstr(keywords)); }
