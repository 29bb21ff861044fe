// How MeCab 0.996 reads the options of mecab_new2 and its settings files (a
// mecabrc, then the dictionary's dicrc), as far as the bridge must know them
// to keep from MeCab what would end or corrupt the process that loaded it
// (engine_refusals.h): more words than its array holds, and a refused switch
// (partial mode) turned on by an option or by either file.
#ifndef LORIMAX_BRIDGES_MECAB_OPTIONS_H
#define LORIMAX_BRIDGES_MECAB_OPTIONS_H

#include <cstddef>
#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "bridges/engine_refusals.h"

namespace lmx::mecab {

// The words of an option text as mecab_new2 splits them: at white space,
// quotes taken as they are.
std::size_t option_words(std::string_view options);

// The settings as MeCab keeps them, by the options' long names.
class Settings {
 public:
  // The options set a setting anew each time; a settings file only sets one
  // that nothing set before.
  void set(std::string_view key, std::string_view value, bool replace);
  // Null when nothing set it.
  const std::string* find(std::string_view key) const;

 private:
  std::map<std::string, std::string, std::less<>> values_;
};

// Reads the option words into `settings` as MeCab does. False when MeCab
// refuses them (an unknown option, a value missing or given to a switch):
// it then makes no tagger and reads no file. A refused switch given a value
// counts as turned on, so that the caller hears why it is refused.
bool read_options(std::string_view options, Settings& settings);

// Reads one line of a settings file, as MeCab's text-mode read gives it
// (without its line end). False when MeCab stops at it (a line with no '='
// that is no comment): it then makes no tagger.
bool read_settings_line(std::string_view line, Settings& settings);

// The dicrc that MeCab reads after the mecabrc `rc_file` (both as MeCab
// names them, UTF-8): in the dicdir setting, "." when there is none, with
// "$(rcpath)" in it taken as the mecabrc's folder.
std::string dicrc_file(const Settings& settings, std::string_view rc_file);

// Whether a setting's value may switch it on. MeCab reads the value as a
// number and takes exactly 1 as on; any value that begins with a number
// other than 0 counts here.
bool switched_on(std::string_view value);

// The first refused switch the settings turn on, or null.
const std::string_view* refused_switch(const Settings& settings);

// The message for a refused switch that MeCab itself says is on.
std::string refused_switch_message(std::string_view name);

// What the check needs of the machine: the mecabrc MeCab reads when the
// options name none, and its settings files.
class SettingsFiles {
 public:
  enum class Read {
    whole,       // every line given
    stopped,     // `take` said no more
    unreadable,  // MeCab cannot read it either, and makes no tagger
    not_a_file,  // a device or a pipe, whose read could wait for ever
  };
  // Empty when it is not known (what MeCab was built with).
  virtual std::string default_rc() = 0;
  // `path` as MeCab has it (UTF-8); `take` gets each line and may stop.
  virtual Read read(const std::string& path, const std::function<bool(std::string_view line)>& take) = 0;

 protected:
  ~SettingsFiles() = default;
};

// Why these options are kept from MeCab, as the message a macro gets (code
// page 932), or empty when they may go to MeCab: more words than it has room
// for, a refused switch turned on by the options, the mecabrc or the dicrc
// that MeCab would read for them, or a settings file that is no file.
std::string refusal(std::string_view options, SettingsFiles& files);

}  // namespace lmx::mecab

#endif
