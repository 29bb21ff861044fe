#include "bridges/mecab_options.h"

#include <vector>

#include "frame/messages.h"

namespace lmx::mecab {
namespace {

// MeCab's options as its tagger lists them: the long name, the letter, and
// whether a value follows.
struct Option {
  std::string_view name;
  char letter;
  bool takes_value;
};
constexpr Option kOptions[] = {
    {"rcfile", 'r', true},           {"dicdir", 'd', true},
    {"userdic", 'u', true},          {"lattice-level", 'l', true},
    {"dictionary-info", 'D', false}, {"output-format-type", 'O', true},
    {"all-morphs", 'a', false},      {"nbest", 'N', true},
    {"partial", 'p', false},         {"marginal", 'm', false},
    {"max-grouping-size", 'M', true}, {"node-format", 'F', true},
    {"unk-format", 'U', true},       {"bos-format", 'B', true},
    {"eos-format", 'E', true},       {"eon-format", 'S', true},
    {"unk-feature", 'x', true},      {"input-buffer-size", 'b', true},
    {"dump-config", 'P', false},     {"allocate-sentence", 'C', false},
    {"theta", 't', true},            {"cost-factor", 'c', true},
    {"output", 'o', true},           {"version", 'v', false},
    {"help", 'h', false},
};

// C's isspace in the C locale, which MeCab's splitting and settings use; a
// byte from 0x80 up is no space there.
bool blank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

std::vector<std::string_view> words_of(std::string_view options) {
  std::vector<std::string_view> words;
  std::size_t i = 0;
  for (;;) {
    while (i < options.size() && blank(options[i])) ++i;
    if (i == options.size()) return words;
    const std::size_t start = i;
    while (i < options.size() && !blank(options[i])) ++i;
    words.push_back(options.substr(start, i - start));
  }
}

const Option* by_name(std::string_view name) {
  for (const Option& o : kOptions)
    if (o.name == name) return &o;
  return nullptr;
}
const Option* by_letter(char letter) {
  for (const Option& o : kOptions)
    if (o.letter == letter) return &o;
  return nullptr;
}

// The reasons (exports/messages.txt), in code page 932.
namespace reason {
LMX_MESSAGES_mecab_reasons(LMX_MESSAGE_NAMED)
}  // namespace reason

std::string switched_on_message(std::string_view where, std::string_view name) {
  return std::string(where).append(name).append(reason::switched_on);
}

bool refused(std::string_view name) {
  for (std::string_view s : bridges::kMeCabRefusedSwitches)
    if (s == name) return true;
  return false;
}

}  // namespace

std::size_t option_words(std::string_view options) { return words_of(options).size(); }

void Settings::set(std::string_view key, std::string_view value, bool replace) {
  const auto at = values_.find(key);
  if (at == values_.end())
    values_.emplace(std::string(key), std::string(value));
  else if (replace)
    at->second = std::string(value);
}

const std::string* Settings::find(std::string_view key) const {
  const auto at = values_.find(key);
  return at == values_.end() ? nullptr : &at->second;
}

bool read_options(std::string_view options, Settings& settings) {
  const std::vector<std::string_view> words = words_of(options);
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string_view word = words[i];
    if (word.size() < 2 || word[0] != '-') continue;  // not an option ("-" alone neither)
    const Option* option;
    std::string_view inline_value;
    bool has_inline = false;
    if (word[1] == '-') {
      const std::size_t equals = word.find('=');
      const std::string_view name = word.substr(2, equals == std::string_view::npos ? word.npos : equals - 2);
      if (name.empty()) return true;  // "--" ends MeCab's reading of the words
      option = by_name(name);
      has_inline = equals != std::string_view::npos;
      if (has_inline) inline_value = word.substr(equals + 1);
    } else {
      option = by_letter(word[1]);
      has_inline = word.size() > 2;
      inline_value = word.substr(2);
    }
    if (!option) return false;
    if (!option->takes_value) {
      if (has_inline && !refused(option->name)) return false;
      settings.set(option->name, "1", true);
    } else if (has_inline) {
      settings.set(option->name, inline_value, true);
    } else {
      if (i + 1 == words.size()) return false;
      settings.set(option->name, words[++i], true);
    }
  }
  return true;
}

bool read_settings_line(std::string_view line, Settings& settings) {
  if (line.empty() || line[0] == ';' || line[0] == '#') return true;
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return false;
  std::size_t value = equals + 1;
  while (value < line.size() && blank(line[value])) ++value;
  std::size_t key_end = equals;
  while (key_end > 0 && blank(line[key_end - 1])) --key_end;
  settings.set(line.substr(0, key_end), line.substr(value), false);
  return true;
}

std::string dicrc_file(const Settings& settings, std::string_view rc_file) {
  const std::string* set = settings.find("dicdir");
  std::string dicdir = set && !set->empty() ? *set : ".";
  const std::size_t slash = rc_file.rfind('\\');
  const std::string rc_folder(slash == std::string_view::npos ? std::string_view(".") : rc_file.substr(0, slash));
  constexpr std::string_view kRcPath = "$(rcpath)";
  if (const std::size_t at = dicdir.find(kRcPath); at != std::string::npos) dicdir.replace(at, kRcPath.size(), rc_folder);
  if (!dicdir.empty() && dicdir.back() != '\\') dicdir += '\\';
  return dicdir + "dicrc";
}

bool switched_on(std::string_view value) {
  std::size_t i = 0;
  while (i < value.size() && blank(value[i])) ++i;
  if (i < value.size() && (value[i] == '+' || value[i] == '-')) ++i;
  for (; i < value.size() && value[i] >= '0' && value[i] <= '9'; ++i)
    if (value[i] != '0') return true;
  return false;
}

std::string refused_switch_message(std::string_view name) { return switched_on_message(reason::in_settings, name); }

const std::string_view* refused_switch(const Settings& settings) {
  for (const std::string_view& s : bridges::kMeCabRefusedSwitches) {
    const std::string* value = settings.find(s);
    if (value && switched_on(*value)) return &s;
  }
  return nullptr;
}

std::string refusal(std::string_view options, SettingsFiles& files) {
  if (option_words(options) > bridges::kMeCabMostWords) return std::string(reason::too_many_words);
  Settings settings;
  if (!read_options(options, settings)) return {};  // MeCab refuses them itself
  if (const std::string_view* name = refused_switch(settings)) return switched_on_message(reason::in_options, *name);
  // MeCab reads the mecabrc, then the dicrc; a setting read first stays.
  const auto read = [&](const std::string& path) {
    return files.read(path, [&](std::string_view line) { return read_settings_line(line, settings); });
  };
  const std::string* named_rc = settings.find("rcfile");
  const std::string rc = named_rc && !named_rc->empty() ? *named_rc : files.default_rc();
  std::string dicrc;
  if (!rc.empty()) {
    switch (read(rc)) {
      case SettingsFiles::Read::whole: break;
      case SettingsFiles::Read::not_a_file: return std::string(reason::not_a_file);
      default: return {};  // MeCab stops there and makes no tagger
    }
    if (const std::string_view* name = refused_switch(settings)) return switched_on_message(reason::in_mecabrc, *name);
    dicrc = dicrc_file(settings, rc);
  } else if (const std::string* dicdir = settings.find("dicdir");
             dicdir && !dicdir->empty() && dicdir->find("$(rcpath)") == std::string::npos) {
    // The mecabrc MeCab was built to read is not known here, but the options' folder wins over its.
    dicrc = dicrc_file(settings, "");
  }
  if (dicrc.empty()) return {};
  switch (read(dicrc)) {
    case SettingsFiles::Read::whole: break;
    case SettingsFiles::Read::not_a_file: return std::string(reason::not_a_file);
    default: return {};
  }
  if (const std::string_view* name = refused_switch(settings)) return switched_on_message(reason::in_dicrc, *name);
  return {};
}

}  // namespace lmx::mecab
