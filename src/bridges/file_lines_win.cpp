#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include "bridges/file_lines_win.h"

namespace lmx::bridges {

Opened open_text_file(FileHandle handle, FileStream& out) {
  if (!handle) return Opened::missing;
  if (GetFileType(handle.get()) != FILE_TYPE_DISK) return Opened::not_a_file;
  const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle.get()), _O_RDONLY | _O_TEXT);
  if (fd < 0) return Opened::missing;
  handle.release();  // the descriptor closes it now
  out.reset(_fdopen(fd, "r"));
  if (!out) {
    _close(fd);
    return Opened::missing;
  }
  return Opened::file;
}

}  // namespace lmx::bridges
