// The MeCab bridge over MeCab's C interface.
#include <cstring>

#include "bridges/loader.h"
#include "bridges/mecab.h"
#include "frame/result_buffer.h"
#include "frame/text_args.h"

namespace lmx::mecab {
namespace {

struct mecab_t;

struct MeCabFunctions {
  const char* (*mecab_version)();
  mecab_t* (*mecab_new2)(const char* options);
  void (*mecab_destroy)(mecab_t*);
  const char* (*mecab_strerror)(mecab_t*);
  const char* (*mecab_sparse_tostr3)(mecab_t*, const char* text, std::size_t length, char* out, std::size_t capacity);
  const char* (*mecab_nbest_sparse_tostr3)(mecab_t*, std::size_t n, const char* text, std::size_t length, char* out,
                                           std::size_t capacity);
};

constexpr bridges::ExportSlot kMeCabExports[] = {
    LMX_ENGINE_REQUIRED(MeCabFunctions, mecab_version),
    LMX_ENGINE_REQUIRED(MeCabFunctions, mecab_new2),
    LMX_ENGINE_REQUIRED(MeCabFunctions, mecab_destroy),
    LMX_ENGINE_REQUIRED(MeCabFunctions, mecab_strerror),
    LMX_ENGINE_REQUIRED(MeCabFunctions, mecab_sparse_tostr3),
    LMX_ENGINE_REQUIRED(MeCabFunctions, mecab_nbest_sparse_tostr3),
};

bridges::Engine<MeCabFunctions> g_engine{"libmecab.dll", kMeCabExports};
int g_code = ok;
char g_engine_error[4096] = {};

const MeCabFunctions& fn() { return g_engine.fn(); }

// MeCab's explanation, kept when it fits with room to spare.
void keep_engine_error(mecab_t* tagger) {
  const char* text = fn().mecab_strerror(tagger);
  if (!text) text = "";
  const std::size_t length = std::strlen(text);
  if (length < sizeof g_engine_error - 6) std::memcpy(g_engine_error, text, length + 1);
}

const char* fail(int code) {
  g_code = code;
  return kEmptyResult;
}

// One tagger for one call.
class Tagger {
 public:
  explicit Tagger(const char* options) : tagger_(fn().mecab_new2(options)) {}
  ~Tagger() {
    if (tagger_) fn().mecab_destroy(tagger_);
  }
  Tagger(const Tagger&) = delete;
  Tagger& operator=(const Tagger&) = delete;
  mecab_t* get() const { return tagger_; }

 private:
  mecab_t* tagger_;
};

bool said_overflow(mecab_t* tagger) {
  const char* text = fn().mecab_strerror(tagger);
  return text && std::strstr(text, "output buffer overflow");
}

}  // namespace

void stop(StopReason reason) {
  if (g_engine.loaded()) g_engine.free(reason);
}

intptr_t load(const char* file_name) {
  switch (g_engine.load(narrow_arg(file_name))) {
    case bridges::LoadOutcome::loaded: return g_code = ok, 1;
    case bridges::LoadOutcome::not_found: return g_code = not_loaded, 0;
    case bridges::LoadOutcome::missing_export: break;
  }
  return g_code = export_missing, 0;
}

intptr_t free() {
  g_engine.free();
  g_code = ok;
  return 1;
}

const char* module_file_name() { return g_engine.module_file_name(); }

const char* analyse(Analysis analysis, const char* options, const char* text, intptr_t n) {
  if (!g_engine.loaded()) return fail(not_loaded);
  const std::string_view input = narrow_arg(text);
  if (input.empty()) return fail(empty_text);
  auto& out = result();
  const Sizing sizing = first_sizing(analysis, input.size());
  if (!out.ensure(sizing.threshold, sizing.grown)) return kEmptyResult;
  char option_text[kOptionBuffer];
  if (!build_options(analysis, narrow_arg(options), option_text)) return fail(options_too_long);

  Tagger tagger(option_text);
  if (!tagger.get()) {
    keep_engine_error(nullptr);
    return fail(options_refused);
  }
  for (;;) {
    const char* written =
        analysis == Analysis::nbest
            ? fn().mecab_nbest_sparse_tostr3(tagger.get(), static_cast<std::size_t>(n), input.data(), input.size(),
                                             out.data(), out.capacity())
            : fn().mecab_sparse_tostr3(tagger.get(), input.data(), input.size(), out.data(), out.capacity());
    const std::size_t length = written ? std::strlen(out.data()) : 0;
    if (written && output_is_whole(length, input.size(), out.capacity())) {
      g_engine_error[0] = 0;
      g_code = ok;
      return out.data();
    }
    // Cut or overflowing: analyse again with more room, up to the cap. Any
    // other failure, or no more room to give, is MeCab's failure.
    const bool did_not_fit = written || said_overflow(tagger.get());
    if (!did_not_fit || out.capacity() >= kResultCap ||
        !out.ensure(out.capacity() + 1, next_capacity(length, input.size(), out.capacity()))) {
      keep_engine_error(tagger.get());
      out.clear();
      return fail(analysis_failed);
    }
  }
}

const char* version() {
  if (!g_engine.loaded()) return fail(not_loaded);
  const std::string_view text = narrow_arg(fn().mecab_version());
  g_code = ok;
  return result().assign(text, 2 * text.size() + 4) ? result().data() : kEmptyResult;
}

intptr_t error_code() { return g_code; }

const char* error_message() {
  const char* text = code_message(g_code);
  const std::string_view message = text ? text : g_engine_error;
  return result().assign(message, 2 * message.size() + 4) ? result().data() : kEmptyResult;
}

const char* engine_error_text() {
  const std::string_view text = g_engine_error;
  return result().assign(text, 2 * text.size() + 4) ? result().data() : kEmptyResult;
}

}  // namespace lmx::mecab
