// The folder that the hardening tests work in: made fresh under the temporary
// folder, made the current directory, and removed with all it holds at the end.
#ifndef LORIMAX_TESTS_HARDENING_SANDBOX_H
#define LORIMAX_TESTS_HARDENING_SANDBOX_H

#include <string>

#include "text.h"

namespace hardening {

class Sandbox {
 public:
  explicit Sandbox(const wchar_t* name);
  ~Sandbox();
  Sandbox(const Sandbox&) = delete;
  Sandbox& operator=(const Sandbox&) = delete;

  const std::wstring& path() const { return path_; }
  std::string narrow_path() const;  // in the ANSI code page
  // Writes a file of the sandbox (a name relative to it) with these bytes.
  void write(const std::wstring& name, const std::string& bytes) const;

 private:
  std::wstring path_, previous_directory_;
};

// The folder of the running test executable, with a trailing backslash.
std::wstring executable_folder();

}  // namespace hardening

#endif
