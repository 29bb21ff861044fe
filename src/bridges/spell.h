// The spell-check bridge: Hunspell loaded at run time, one instance made from
// an affix and a dictionary file, word checks, suggestions and run-time words.
// Every failure leaves a message in the last-error text.
#ifndef LORIMAX_BRIDGES_SPELL_H
#define LORIMAX_BRIDGES_SPELL_H

#include <cstdint>

#include "frame/lifecycle.h"

namespace lmx::spell {

// Module stop: frees the engine and what the bridge made with it; while the
// process exits the engine is only forgotten (exports/lifecycle.cpp).
void stop(StopReason reason);

intptr_t load(const char* file_name);
intptr_t free();
const char* module_file_name();
intptr_t create(const char* dictionary, const char* affix);
intptr_t add_dictionary(const char* path);
intptr_t check(const char* word);
intptr_t suggest(const char* word);
const char* suggestion(intptr_t index);
const wchar_t* suggestion_w(intptr_t index);
intptr_t add(const char* word);
intptr_t remove(const char* word);
const char* dictionary_encoding();
const char* version();
const char* error_message();

// The wide word exports: the word as UTF-8 (left in the result buffer), then
// the narrow operation on it.
enum class WordOperation { check, suggest, add, remove };
intptr_t with_utf8_word(const wchar_t* word, WordOperation operation);

}  // namespace lmx::spell

#endif
