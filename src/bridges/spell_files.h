// The affix and dictionary file names that hunspell_Create forms from its
// arguments: a .dic or .aff name finds its twin beside it, any other name is
// a base name that both extensions are added to.
#ifndef LORIMAX_BRIDGES_SPELL_FILES_H
#define LORIMAX_BRIDGES_SPELL_FILES_H

#include <cstddef>
#include <string_view>

namespace lmx::spell {

// Both names must fit this many bytes with their terminators.
inline constexpr std::size_t kPathSize = 520;

enum class Naming { formed, affix_failed, dictionary_failed };

struct DictionaryFiles {
  char affix[kPathSize] = {};
  char dictionary[kPathSize] = {};
};

// `dictionary` and `affix` are hunspell_Create's two arguments; an empty
// affix argument means "form both names from the first". A name that does not
// fit fails on the side it belongs to.
Naming form_dictionary_files(std::string_view dictionary, std::string_view affix, DictionaryFiles& out);

}  // namespace lmx::spell

#endif
