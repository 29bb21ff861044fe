// The exports whose result buffers are not those of their result kind. A text
// export writes the buffer of its kind and returns it, an integer export
// writes none; these differ. The reference says which buffer each export
// writes from this list, and the sweep holds every export to it.
// B(name, narrow, wide): 1 where the export may write that buffer.
#ifndef LORIMAX_EXPORTS_RESULT_BUFFERS_H
#define LORIMAX_EXPORTS_RESULT_BUFFERS_H

#include <string_view>

#define LMX_RESULT_BUFFER_EXCEPTIONS(B)                                                                  \
  B(GetResult, 0, 0) B(GetResultW, 0, 0) B(GetDllVersionStr, 0, 0) B(EditorConfigErrorMessage, 0, 0) \
  B(SetUTF8ConvertString, 1, 0) B(SetUTF16ConvertString, 0, 1) B(GetWindowRectAll, 0, 1)              \
  B(DwmGetWindowRectAll, 0, 1) B(hunspell_SpellW, 1, 0) B(hunspell_SuggestW, 1, 0) B(hunspell_AddW, 1, 0) \
  B(hunspell_RemoveW, 1, 0) B(UrlEncodeW, 1, 1) B(hunspell_SuggestListW, 1, 1)

namespace lmx {

struct BufferUse {
  bool narrow, wide;
};

inline constexpr struct {
  std::string_view name;
  BufferUse use;
} kResultBufferExceptions[] = {
#define LMX_BUFFER_EXCEPTION_(name, narrow, wide) {#name, {narrow != 0, wide != 0}},
    LMX_RESULT_BUFFER_EXCEPTIONS(LMX_BUFFER_EXCEPTION_)
#undef LMX_BUFFER_EXCEPTION_
};

// The buffers the export may write, by its name and result kind ('I', 'S', 'W').
constexpr BufferUse buffers_written(std::string_view name, char result_kind) {
  for (const auto& e : kResultBufferExceptions)
    if (e.name == name) return e.use;
  return {result_kind == 'S', result_kind == 'W'};
}

}  // namespace lmx

#endif
