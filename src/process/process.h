// Processes and desktop helpers: running a program with its output captured
// or with its exit code awaited, key strokes, the clipboard's display text, the
// executable behind a window, and HTML Help.
#ifndef LORIMAX_PROCESS_PROCESS_H
#define LORIMAX_PROCESS_PROCESS_H

#include <cstdint>

namespace lmx::process {

// Runs the command line hidden, hands it the input line (input, CR LF; nothing
// for empty input) and returns everything it wrote to standard output and
// standard error, interleaved as written, without its zero bytes; the first
// 999,999 bytes when it wrote more. The empty result when nothing was started.
const char* capture_output(const char* command, const char* input);
// The exit code of the child the last capture ran, or -1 when it ran none.
intptr_t captured_exit_code();
// Runs the command line with a show state and waits: its exit code, or
// `failure` when nothing was started.
intptr_t run_and_wait(const char* command, intptr_t failure, intptr_t show);

intptr_t send_key_press(intptr_t key, intptr_t modifiers);
const char* clipboard_display_text(intptr_t opener);
intptr_t clipboard_owner();
const char* executable_of_window(intptr_t window);
intptr_t open_html_help(const char* help_file, const char* keywords);

}  // namespace lmx::process

#endif
