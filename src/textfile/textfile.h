// The ten text-file slots: files opened in byte, UTF-8, UTF-8 with mark or
// UTF-16LE modes through the C runtime's streams, line and block reads and
// writes, and one module-wide error word.
#ifndef LORIMAX_TEXTFILE_TEXTFILE_H
#define LORIMAX_TEXTFILE_TEXTFILE_H

#include <cstdint>

#include "frame/lifecycle.h"
#include "frame/messages.h"

namespace lmx::textfile {

// The error word's bits.
// The error word's bits (exports/messages.txt).
enum ErrorBit : int { LMX_MESSAGES_text_files(LMX_MESSAGE_CODE) };

void stop_slots(StopReason);

intptr_t open(const char* path, const char* mode);
intptr_t open_w(const wchar_t* path, const wchar_t* mode, const wchar_t* encoding);
intptr_t close(intptr_t handle);
intptr_t delete_file(const char* path);
intptr_t error_word();
intptr_t is_open(intptr_t handle);
intptr_t encoding_of(intptr_t handle);
intptr_t at_end(intptr_t handle);
intptr_t has_error(intptr_t handle);

enum class Line { with_feed, without_feed };
const char* read_line(intptr_t handle, Line line);
const char* read_bytes(intptr_t handle, intptr_t count);
const wchar_t* read_line_w(intptr_t handle, Line line);
intptr_t write(intptr_t handle, const char* text, Line line);
intptr_t write_w(intptr_t handle, const wchar_t* text, Line line);

}  // namespace lmx::textfile

#endif
