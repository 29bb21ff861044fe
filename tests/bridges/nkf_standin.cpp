// Stand-ins of the older NKF32.DLL interface levels, which the real 2.1.5 no
// longer shows: NKF_STANDIN_VERSION "1.92" (level 0) or "2.0.4" (level 1).
// Each conversion writes "Function(options):input", so a test sees which
// function the bridge called with which options; the options "-refuse" are
// refused.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

std::string g_options;

void tagged(char* out, const char* function, const char* in) {
  const std::string text = std::string(function) + "(" + g_options + "):" + in;
  std::memcpy(out, text.c_str(), text.size() + 1);
}

[[maybe_unused]] void write_file(const char* path, const std::string& bytes) {
  if (FILE* f = std::fopen(path, "wb")) {
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
}

}  // namespace

extern "C" {

__declspec(dllexport) void WINAPI GetNkfVersion(char* version) { std::strcpy(version, NKF_STANDIN_VERSION); }
__declspec(dllexport) int WINAPI SetNkfOption(const char* options) {
  g_options = options;
  return g_options == "-refuse" ? -1 : 0;
}
__declspec(dllexport) void WINAPI NkfConvert(char* out, const char* in) { tagged(out, "NkfConvert", in); }
__declspec(dllexport) void WINAPI ToZenkakuKana(char* out, const char* in) { tagged(out, "ToZenkakuKana", in); }
__declspec(dllexport) void WINAPI ToHankaku(char* in_out) {
  const std::string in = in_out;
  tagged(in_out, "ToHankaku", in.c_str());
}

#if NKF_STANDIN_LEVEL == 0
__declspec(dllexport) void WINAPI EncodeSubject(char* out, const char* in) { tagged(out, "EncodeSubject", in); }
#else
__declspec(dllexport) void WINAPI ToMime(char* out, const char* in) { tagged(out, "ToMime", in); }
__declspec(dllexport) int WINAPI NkfGetKanjiCode() { return 3; }
__declspec(dllexport) void WINAPI NkfFileConvert1(const char* path) {
  write_file(path, "NkfFileConvert1(" + g_options + ")");
}
__declspec(dllexport) void WINAPI NkfFileConvert2(const char* input, const char* output) {
  write_file(output, "NkfFileConvert2(" + g_options + "):" + input);
}
#endif

}  // extern "C"
