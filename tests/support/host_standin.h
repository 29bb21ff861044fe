// The test executables stand in for the editor: they export the two host
// functions that lorimax looks up on the executable, and record every call.
#ifndef LORIMAX_TESTS_HOST_STANDIN_H
#define LORIMAX_TESTS_HOST_STANDIN_H

#include <string>
#include <vector>

namespace host {

struct AnalyzeCall {
  std::wstring path;
  const void* reserved1;
  const void* reserved2;
};

extern std::vector<std::wstring> eval_macro_texts;
extern int eval_macro_result;
extern std::vector<AnalyzeCall> analyze_calls;
extern int analyze_result;

void reset();

}  // namespace host

#endif
