// An engine's file opened as the engine opens it, to be read with
// read_lines() (file_lines.h) before the engine reads it.
#ifndef LORIMAX_BRIDGES_FILE_LINES_WIN_H
#define LORIMAX_BRIDGES_FILE_LINES_WIN_H

#include "bridges/file_lines.h"
#include "frame/win_owners.h"

namespace lmx::bridges {

// Takes a handle opened for reading (CreateFile) and makes it a text-mode
// stream, when it is a file on a disk: a read of a device (COM1) or a pipe
// could wait for ever.
enum class Opened { file, missing, not_a_file };
Opened open_text_file(FileHandle handle, FileStream& out);

}  // namespace lmx::bridges

#endif
