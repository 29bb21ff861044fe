#include "bridges/mecab_analysis.h"

#include <cstring>

#include "bridges/error_texts.h"

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

constexpr const char* kMessages[] = {
    "\x83G\x83\x89\x81[\x82\xC8\x82\xB5",                                                // エラーなし
    "\x83I\x83v\x83V\x83\x87\x83\x93\x82\xCC\x90\xDD\x92\xE8\x82\xC9\x8E\xB8\x94s",        // オプションの設定に失敗
    "\x88\xF8\x90\x94\x82\xCC\x83""A\x83N\x83Z\x83X\x82\xC9\x8E\xB8\x94s",                // 引数のアクセスに失敗
    "DLL\x82\xAA\x83\x8D\x81[\x83h\x82\xB3\x82\xEA\x82\xC4\x82\xA2\x82\xC8\x82\xA2",       // DLLがロードされていない
    "\x83R\x83}\x83\x93\x83h\x82\xCC\x8E\xC0\x8Ds\x82\xC9\x8E\xB8\x94s",                   // コマンドの実行に失敗
    "\x8A\xD6\x90\x94\x83""A\x83h\x83\x8C\x83X\x8E\xE6\x93\xBE\x82\xC9\x8E\xB8\x94s",     // 関数アドレス取得に失敗
    "\x83o\x81[\x83W\x83\x87\x83\x93\x95s\x88\xEA\x92v",                                 // バージョン不一致    // MeCabの辞書が見つからないか、オプションが受け付けられない(-d で辞書のフォルダを指定):
    // MeCab often gives no text of its own when it finds no dictionary, so
    // this one says what a macro can do about it.
    "MeCab\x82\xCC\x8E\xAB\x8F\x91\x82\xAA\x8C\xA9\x82\xC2\x82\xA9\x82\xE7\x82\xC8\x82\xA2\x82\xA9\x81""A\x83I\x83v\x83V\x83\x87\x83\x93\x82\xAA\x8E\xF3\x82\xAF\x95t\x82\xAF\x82\xE7\x82\xEA\x82\xC8\x82\xA2(-d \x82\xC5\x8E\xAB\x8F\x91\x82\xCC\x83t\x83H\x83\x8B\x83_\x82\xF0\x8Ew\x92\xE8)",
};

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
