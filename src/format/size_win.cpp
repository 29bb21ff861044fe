#include <windows.h>

#include "format/format_win.h"
#include "format/size_text.h"
#include "frame/path_limit.h"
#include "frame/result_buffer.h"
#include "frame/win_owners.h"

namespace lmx::format {
namespace {

size_text::SizeTexts g_last;

}  // namespace

intptr_t query_size(const char* path) {
  WIN32_FIND_DATAA found;
  const FindHandle search(path_fits(path) ? FindFirstFileA(path, &found) : INVALID_HANDLE_VALUE);
  if (!search) {
    g_last.clear();
    return -1;
  }
  const std::uint64_t bytes = static_cast<std::uint64_t>(found.nFileSizeHigh) << 32 | found.nFileSizeLow;
  g_last = size_text::describe(bytes);
  return static_cast<intptr_t>(bytes);
}

const char* size_part(const char* path, SizePart part) {
  if (*path) {
    query_size(path);
  } else if (part == SizePart::text) {
    return kEmptyResult;
  }
  const char* text = part == SizePart::text ? g_last.text : part == SizePart::number ? g_last.number : g_last.unit;
  // At most 255 bytes: the buffer's 4096 never need to grow here.
  return result().assign(text, kResultInitial) ? result().data() : kEmptyResult;
}

}  // namespace lmx::format
