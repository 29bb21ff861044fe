// A whole-file rewrite that a kill or a power cut cannot leave half done: the
// new content is made in a temporary file beside the target, flushed to disk,
// and only then given the target's name in one rename. At every instant the
// target holds its old content or its new content, whole.
//
// The temporary file is named ~lmx<process id>-<number>.tmp, in hexadecimal.
// One that a killed process left behind is recognised by that name and by its
// process being gone, and removed by the next rewrite in the same folder; one
// of a process still running is left alone.
#ifndef LORIMAX_FRAME_REWRITE_WIN_H
#define LORIMAX_FRAME_REWRITE_WIN_H

#include <string>

namespace lmx {

template <class Char>  // char (code page 932) or wchar_t
class Rewrite {
 public:
  using String = std::basic_string<Char>;
  // The target's path; the temporary file's path must fit `longest`
  // characters, else temporary() is empty and nothing is made.
  Rewrite(const Char* target, std::size_t longest);
  ~Rewrite();  // a temporary file that was not committed goes
  Rewrite(const Rewrite&) = delete;
  Rewrite& operator=(const Rewrite&) = delete;

  // Makes the temporary file: empty, or a copy of the target. False when it
  // cannot be made (then there is none).
  bool make_empty();
  bool make_copy();
  const String& temporary() const { return temporary_; }

  // Flushes the temporary file and renames it to the target, replacing an
  // existing target (whose attributes and creation time it takes first) or,
  // with `replace` false, only where there is no target. False when it could
  // not: the target is then untouched and the temporary file gone.
  bool commit(bool replace);

 private:
  bool made(bool ok);
  String target_, temporary_;
  bool exists_ = false;
};

extern template class Rewrite<char>;
extern template class Rewrite<wchar_t>;

}  // namespace lmx

#endif
