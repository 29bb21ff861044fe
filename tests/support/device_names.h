// The reserved device names as Windows documents them, kept apart from the
// library's own list, and the forms a user may write them in.
#ifndef LORIMAX_TESTS_DEVICE_NAMES_H
#define LORIMAX_TESTS_DEVICE_NAMES_H

#include <string>
#include <vector>

inline std::vector<std::u16string> documented_device_names() {
  std::vector<std::u16string> names = {u"CON", u"PRN", u"AUX", u"NUL", u"CONIN$", u"CONOUT$"};
  for (const char16_t* port : {u"COM", u"LPT"}) {
    for (char16_t d = u'0'; d <= u'9'; ++d) names.push_back(port + std::u16string(1, d));
    for (char16_t d : {u'\u00B9', u'\u00B2', u'\u00B3'}) names.push_back(port + std::u16string(1, d));
  }
  return names;
}

// Each name bare, with an extension, in lower case, before a space and an
// extension, in a folder (the given one too), and the device namespace.
inline std::vector<std::u16string> device_paths(const std::u16string& folder) {
  std::vector<std::u16string> paths = {u"\\\\.\\COM1", u"\\\\.\\NUL", u"\\\\?\\COM1", u"//./pipe/x"};
  for (const std::u16string& name : documented_device_names()) {
    std::u16string lower = name;
    for (char16_t& c : lower)
      if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 32);
    paths.push_back(name);
    paths.push_back(name + u".txt");
    paths.push_back(lower + u".ini");
    paths.push_back(name + u" .log");
    paths.push_back(u"C:" + name);
    paths.push_back(u"C:\\some\\folder\\" + name);
    paths.push_back(folder + u"\\" + lower + u".dic");
  }
  return paths;
}

#endif
