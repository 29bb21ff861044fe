#include "host_standin.h"

namespace host {

std::vector<std::wstring> eval_macro_texts;
int eval_macro_result = 1;
std::vector<AnalyzeCall> analyze_calls;
int analyze_result = 0;

void reset() {
  eval_macro_texts.clear();
  eval_macro_result = 1;
  analyze_calls.clear();
  analyze_result = 0;
}

}  // namespace host

extern "C" __declspec(dllexport) int __cdecl Hidemaru_EvalMacro(const wchar_t* text) {
  host::eval_macro_texts.emplace_back(text ? text : L"");
  return host::eval_macro_result;
}

extern "C" __declspec(dllexport) int __cdecl Hidemaru_AnalyzeEncoding(const wchar_t* path, void* reserved1,
                                                                       void* reserved2) {
  host::analyze_calls.push_back({path ? path : L"", reserved1, reserved2});
  return host::analyze_result;
}
