#include "bridges/mecab_analysis.h"

#include <cstring>

#include "bridges/error_texts.h"
#include "frame/messages.h"

namespace lmx::mecab {
namespace {

struct Rule {
  std::string_view prefix;
  std::size_t longest;      // prefix and options together, terminator not counted
  std::size_t text_factor;  // the buffer grows when factor * length exceeds it
  std::size_t grown_factor;
};

constexpr Rule kRules[] = {
    {"", 2047, 2, 4},              // plain
    {"-O yomi ", 2040, 1, 2},      // yomi
    {"-O wakati ", 2040, 2, 4},    // wakati
    {"-l1 ", 2047, 2, 4},          // nbest
};

constexpr const char* kMessages[] = {LMX_MESSAGES_mecab_bridge(LMX_MESSAGE_TEXT)};

const Rule& rule_of(Analysis analysis) { return kRules[static_cast<int>(analysis)]; }

}  // namespace

const char* code_message(int code) {
  return bridges::message_of(kMessages, code);
}

bool build_options(Analysis analysis, std::string_view options, char (&out)[kOptionBuffer]) {
  const Rule& rule = rule_of(analysis);
  std::memset(out, 0, sizeof out);
  if (rule.prefix.size() + options.size() > rule.longest) return false;
  std::memcpy(out, rule.prefix.data(), rule.prefix.size());
  std::memcpy(out + rule.prefix.size(), options.data(), options.size());
  return true;
}

bool wakati_writer(Analysis analysis, std::string_view options) {
  if (analysis != Analysis::wakati) return false;
  // Conservative: any word that could set the output type counts.
  for (std::size_t at = options.find("-"); at != std::string_view::npos; at = options.find("-", at + 1)) {
    const std::string_view rest = options.substr(at);
    if (rest.starts_with("-O") || rest.starts_with("--output-format-type")) return false;
  }
  return true;
}

Sizing first_sizing(Analysis analysis, std::size_t length) {
  const Rule& rule = rule_of(analysis);
  return {rule.text_factor * length, rule.grown_factor * length + kDoubledSlack};
}

}  // namespace lmx::mecab
