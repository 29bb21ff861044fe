// The check of MeCab's options (mecab_options.h) with the settings files that
// MeCab would read for them on this machine (mecab_files_win.cpp).
#ifndef LORIMAX_BRIDGES_MECAB_FILES_H
#define LORIMAX_BRIDGES_MECAB_FILES_H

#include <string>
#include <string_view>

#include "bridges/mecab_options.h"

namespace lmx::mecab {

// As refusal(); `engine_function` is any function of the loaded MeCab, which
// names its library (MeCab reads a mecabrc beside it).
std::string options_refusal(std::string_view options, const void* engine_function);

}  // namespace lmx::mecab

#endif
