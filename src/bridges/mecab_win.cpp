// The MeCab bridge over MeCab's C interface.
#include <cstdint>
#include <cstring>
#include <exception>
#include <string>

#include "bridges/loader.h"
#include "bridges/mecab.h"
#include "bridges/mecab_files.h"
#include "frame/result_buffer.h"
#include "frame/text_args.h"

namespace lmx::mecab {
namespace {

struct mecab_t;
struct mecab_model_t;

struct MeCabFunctions {
  const char* (*mecab_version)();
  mecab_t* (*mecab_new2)(const char* options);
  void (*mecab_destroy)(mecab_t*);
  const char* (*mecab_strerror)(mecab_t*);
  const char* (*mecab_sparse_tostr3)(mecab_t*, const char* text, std::size_t length, char* out, std::size_t capacity);
  const char* (*mecab_nbest_sparse_tostr3)(mecab_t*, std::size_t n, const char* text, std::size_t length, char* out,
                                           std::size_t capacity);
  mecab_model_t* (*mecab_model_new2)(const char* options);
  void (*mecab_model_destroy)(mecab_model_t*);
  int (*mecab_get_partial)(mecab_t*);
};

constexpr bridges::ExportSlot kMeCabExports[] = {
    LMX_ENGINE_REQUIRED(MeCabFunctions, mecab_version),
    LMX_ENGINE_REQUIRED(MeCabFunctions, mecab_new2),
    LMX_ENGINE_REQUIRED(MeCabFunctions, mecab_destroy),
    LMX_ENGINE_REQUIRED(MeCabFunctions, mecab_strerror),
    LMX_ENGINE_REQUIRED(MeCabFunctions, mecab_sparse_tostr3),
    LMX_ENGINE_REQUIRED(MeCabFunctions, mecab_nbest_sparse_tostr3),
    LMX_ENGINE_OPTIONAL(MeCabFunctions, mecab_model_new2),
    LMX_ENGINE_OPTIONAL(MeCabFunctions, mecab_model_destroy),
    LMX_ENGINE_OPTIONAL(MeCabFunctions, mecab_get_partial),
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

// MeCab's explanation of options it refused. Its mecab_new2 loses it (0.996
// leaves an empty text behind); making a model of the same options fails at
// the same point and keeps it.
void keep_refusal(const char* options) {
  keep_engine_error(nullptr);
  if (*g_engine_error || !fn().mecab_model_new2 || !fn().mecab_model_destroy) return;
  if (mecab_model_t* model = fn().mecab_model_new2(options))
    fn().mecab_model_destroy(model);
  else
    keep_engine_error(nullptr);
}

const char* fail(int code) {
  g_code = code;
  return kEmptyResult;
}

// Opening a tagger maps its dictionary, which under Wine costs more than
// analysing 64 KB of text with a tagger already open (9 ms for 1 KB of text
// against 0.3 ms). So the taggers of the last few option texts are kept (one
// for each kind of analysis a macro may take turns with), and let go when an
// analysis fails, when MeCab is freed, or at module stop, where, while the
// process exits, they are only forgotten: the engine may be gone.
class Taggers {
 public:
  // Null when no tagger of these options is kept.
  mecab_t* kept(const char* options) {
    for (Kept& k : kept_) {
      if (k.tagger && std::strcmp(k.options, options) == 0) {
        k.last_use = ++uses_;
        return k.tagger;
      }
    }
    return nullptr;
  }
  // A new tagger in place of the one used longest ago; null when MeCab refused.
  mecab_t* make(const char* options) {
    Kept* oldest = &kept_[0];
    for (Kept& k : kept_)
      if (k.last_use < oldest->last_use) oldest = &k;
    drop(*oldest);
    oldest->tagger = fn().mecab_new2(options);
    if (oldest->tagger) std::memcpy(oldest->options, options, sizeof oldest->options);
    oldest->last_use = ++uses_;
    return oldest->tagger;
  }
  void drop(mecab_t* tagger) {
    for (Kept& k : kept_)
      if (k.tagger == tagger) drop(k);
  }
  void drop_all() {
    for (Kept& k : kept_) drop(k);
  }
  void forget_all() {
    for (Kept& k : kept_) k.tagger = nullptr;
  }

 private:
  struct Kept {
    mecab_t* tagger = nullptr;
    std::uint64_t last_use = 0;
    char options[kOptionBuffer] = {};
  };
  static void drop(Kept& k) {
    if (k.tagger) fn().mecab_destroy(k.tagger);
    k.tagger = nullptr;
    k.last_use = 0;
  }
  Kept kept_[4];
  std::uint64_t uses_ = 0;
};
Taggers g_taggers;

bool said_overflow(mecab_t* tagger) {
  const char* text = fn().mecab_strerror(tagger);
  return text && std::strstr(text, "output buffer overflow");
}

// An exception from inside MeCab (its failed internal checks throw, as its
// recipe builds it, and so does a failed allocation) fails the analysis.
const char* analysis_threw(const char* what) {
  const std::size_t length = std::strlen(what);
  if (length < sizeof g_engine_error - 6) std::memcpy(g_engine_error, what, length + 1);
  result().clear();
  g_taggers.drop_all();  // the tagger that threw is not known here
  return fail(analysis_failed);
}

// Options kept from MeCab fail as options it refused, with the reason.
const char* refuse(std::string_view why) {
  const std::size_t length = why.size() < sizeof g_engine_error ? why.size() : 0;
  std::memcpy(g_engine_error, why.data(), length);
  g_engine_error[length] = 0;
  return fail(options_refused);
}

// The tagger of these options: one kept, or a new one when the options may
// go to MeCab (mecab_options.h) and MeCab takes them. MeCab reads its
// settings files as it makes a tagger, so they are checked then; whatever
// sets a refused switch that the check could not read (the mecabrc a MeCab
// was built to read), MeCab's own answer on the new tagger still catches.
mecab_t* tagger_for(const char* option_text) {
  if (mecab_t* tagger = g_taggers.kept(option_text)) return tagger;
  if (const std::string why = options_refusal(option_text, reinterpret_cast<const void*>(fn().mecab_new2));
      !why.empty()) {
    refuse(why);
    return nullptr;
  }
  mecab_t* const tagger = g_taggers.make(option_text);
  if (!tagger) {
    keep_refusal(option_text);
    fail(options_refused);
  } else if (fn().mecab_get_partial && fn().mecab_get_partial(tagger)) {
    g_taggers.drop(tagger);
    refuse(refused_switch_message("partial"));
    return nullptr;
  }
  return tagger;
}

const char* analyse_loaded(Analysis analysis, std::string_view input, const char* option_text, intptr_t n,
                           std::size_t room) {
  auto& out = result();
  mecab_t* const tagger = tagger_for(option_text);
  if (!tagger) return kEmptyResult;
  for (;;) {
    const char* written =
        analysis == Analysis::nbest
            ? fn().mecab_nbest_sparse_tostr3(tagger, static_cast<std::size_t>(n), input.data(), input.size(),
                                             out.data(), out.capacity())
            : fn().mecab_sparse_tostr3(tagger, input.data(), input.size(), out.data(), out.capacity());
    const std::size_t length = written ? std::strlen(out.data()) : 0;
    if (written && output_is_whole(length, room, out.capacity())) {
      g_engine_error[0] = 0;
      g_code = ok;
      return out.data();
    }
    // Cut or overflowing: analyse again with more room, up to the cap. Any
    // other failure, or no more room to give, is MeCab's failure.
    const bool did_not_fit = written || said_overflow(tagger);
    if (!did_not_fit || out.capacity() >= kResultCap ||
        !out.ensure(out.capacity() + 1, next_capacity(length, room, out.capacity()))) {
      if (written)  // MeCab wrote, but no room is left to know it wrote all
        std::strcpy(g_engine_error, "the output may not be whole within the result buffer");
      else
        keep_engine_error(tagger);
      out.clear();
      g_taggers.drop(tagger);
      return fail(analysis_failed);
    }
  }
}

}  // namespace

void stop(StopReason reason) {
  if (reason == StopReason::process_exiting)
    g_taggers.forget_all();
  else if (g_engine.loaded())
    g_taggers.drop_all();
  if (g_engine.loaded()) g_engine.free(reason);
}

intptr_t load(const char* file_name) {
  if (g_engine.loaded()) g_taggers.drop_all();  // taggers of the library that goes
  switch (g_engine.load(narrow_arg(file_name))) {
    case bridges::LoadOutcome::loaded: return g_code = ok, 1;
    case bridges::LoadOutcome::not_found: return g_code = not_loaded, 0;
    case bridges::LoadOutcome::missing_export: break;
  }
  return g_code = export_missing, 0;
}

intptr_t free() {
  if (g_engine.loaded()) g_taggers.drop_all();
  g_engine.free();
  g_code = ok;
  return 1;
}

const char* module_file_name() { return g_engine.module_file_name(); }

const char* analyse(Analysis analysis, const char* options, const char* text, intptr_t n) {
  if (!g_engine.loaded()) return fail(not_loaded);
  const std::string_view input = narrow_arg(text);
  if (input.empty()) return fail(empty_text);
  const Sizing sizing = first_sizing(analysis, input.size());
  if (!result().ensure(sizing.threshold, sizing.grown)) {
    // Longer than any output the result buffer could hold.
    std::strcpy(g_engine_error, "the text is too long for the result buffer");
    return fail(analysis_failed);
  }
  char option_text[kOptionBuffer];
  if (!build_options(analysis, narrow_arg(options), option_text)) return fail(options_too_long);
  const std::size_t room = room_beyond_output(input.size(), wakati_writer(analysis, narrow_arg(options)));
  try {
    return analyse_loaded(analysis, input, option_text, n, room);
  } catch (const std::exception& e) {
    return analysis_threw(e.what());
  } catch (...) {
    return analysis_threw("MeCab failed with an exception");
  }
}

const char* version() {
  if (!g_engine.loaded()) return fail(not_loaded);
  const std::string_view text = narrow_arg(fn().mecab_version());
  g_code = ok;
  return result().assign_doubled(text) ? result().data() : kEmptyResult;
}

intptr_t error_code() { return g_code; }

const char* error_message() {
  const char* text = code_message(g_code);
  std::string message = text ? text : g_engine_error;
  if (g_code == options_refused && *g_engine_error) message += std::string(": ") + g_engine_error;
  return result().assign_doubled(message) ? result().data() : kEmptyResult;
}

const char* engine_error_text() {
  const std::string_view text = g_engine_error;
  return result().assign_doubled(text) ? result().data() : kEmptyResult;
}

}  // namespace lmx::mecab
