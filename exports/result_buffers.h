// The exports whose result buffers are not those of their result kind. A text
// export writes the buffer of its kind and returns it, an integer export
// writes none; these differ. The reference says which buffer each export
// writes, and where its text lives, from this list, and the sweep holds every
// export to it.
// B(name, narrow, wide, Japanese, English): 1 where the export may write that
// buffer; what the reference says of it.
#ifndef LORIMAX_EXPORTS_RESULT_BUFFERS_H
#define LORIMAX_EXPORTS_RESULT_BUFFERS_H

#include <string_view>

#define LMX_RESULT_BUFFER_EXCEPTIONS(B) \
  B(GetResult, 0, 0, "結果バッファをそのまま返します (書きません)。次に結果バッファへ書く呼び出しまで有効です", \
    "hands back the result buffer, writing nothing: valid until the next call that writes it") \
  B(GetResultW, 0, 0, "ワイド結果バッファをそのまま返します (書きません)。次にワイド結果バッファへ書く呼び出しまで有効です", \
    "hands back the wide result buffer, writing nothing: valid until the next call that writes it") \
  B(GetDllVersionStr, 0, 0, "DLL 自身の領域 (結果バッファではありません)。読み込み時に決まり、解放まで変わりません", \
    "a buffer of its own, not the result buffer: set when the library loads, unchanged until it is unloaded") \
  B(EditorConfigErrorMessage, 0, 0, "自身の領域 (結果バッファではありません)。次の EditorConfigExecute / EditorConfigExecuteW まで有効です", \
    "a buffer of its own, not the result buffer: valid until the next EditorConfigExecute or EditorConfigExecuteW") \
  B(SetUTF8ConvertString, 1, 0, "結果バッファに UTF-8 の文字列を書きます。GetResult で読めるのは、次に結果バッファへ書く呼び出しまでです", \
    "writes the UTF-8 text into the result buffer, for GetResult until the next call that writes it") \
  B(SetUTF16ConvertString, 0, 1, "ワイド結果バッファに UTF-16 の文字列を書きます。GetResultW で読めるのは、次にワイド結果バッファへ書く呼び出しまでです", \
    "writes the UTF-16 text into the wide result buffer, for GetResultW until the next call that writes it") \
  B(GetWindowRectAll, 0, 1, "ワイド結果バッファに代入文を書きます (前の内容は消えます)", \
    "writes the assignments into the wide result buffer (its old text is lost)") \
  B(DwmGetWindowRectAll, 0, 1, "ワイド結果バッファに代入文を書きます (前の内容は消えます)", \
    "writes the assignments into the wide result buffer (its old text is lost)") \
  B(hunspell_SpellW, 1, 0, "結果バッファに単語の UTF-8 形を書きます (前の内容は消えます)", \
    "writes the word's UTF-8 form into the result buffer (its old text is lost)") \
  B(hunspell_SuggestW, 1, 0, "結果バッファに単語の UTF-8 形を書きます (前の内容は消えます)", \
    "writes the word's UTF-8 form into the result buffer (its old text is lost)") \
  B(hunspell_AddW, 1, 0, "結果バッファに単語の UTF-8 形を書きます (前の内容は消えます)", \
    "writes the word's UTF-8 form into the result buffer (its old text is lost)") \
  B(hunspell_RemoveW, 1, 0, "結果バッファに単語の UTF-8 形を書きます (前の内容は消えます)", \
    "writes the word's UTF-8 form into the result buffer (its old text is lost)") \
  B(UrlEncodeW, 1, 1, "ワイド結果バッファ (途中で結果バッファにも書きます)。次にワイド結果バッファへ書く呼び出しまで有効です", \
    "the wide result buffer (it writes the result buffer too, on the way): valid until the next call that writes the wide one") \
  B(hunspell_SuggestListW, 1, 1, "ワイド結果バッファ (途中で結果バッファにも書きます)。次にワイド結果バッファへ書く呼び出しまで有効です", \
    "the wide result buffer (it writes the result buffer too, on the way): valid until the next call that writes the wide one")

namespace lmx {

struct BufferUse {
  bool narrow, wide;
};

inline constexpr struct {
  std::string_view name;
  BufferUse use;
  const char *ja, *en;
} kResultBufferExceptions[] = {
#define LMX_BUFFER_EXCEPTION_(name, narrow, wide, ja, en) {#name, {narrow != 0, wide != 0}, ja, en},
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
