// A stand-in of HMJRE.DLL for the tests, made from what the bridge expects of
// the library: the 78-byte match record and eight exports, backed by PCRE2
// (tags are capture groups 1 to 9; the search starts at the record's start
// offset). Built a second time without JreGetTagPosition, as a library that
// lacks a required export.
#include <windows.h>

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

// The record's fields; the library keeps its own state at offset 32.
constexpr std::uint32_t kRecordSize = 78;
constexpr std::size_t kStateField = 32;

struct State {
  pcre2_code* code = nullptr;
  pcre2_match_data* match = nullptr;
};

template <class T>
T get(const void* record, std::size_t offset) {
  T value;
  std::memcpy(&value, static_cast<const char*>(record) + offset, sizeof value);
  return value;
}
template <class T>
void put(void* record, std::size_t offset, T value) {
  std::memcpy(static_cast<char*>(record) + offset, &value, sizeof value);
}

State* state_of(void* record) { return get<State*>(record, kStateField); }

void drop_pattern(State* state) {
  pcre2_match_data_free(state->match);
  pcre2_code_free(state->code);
  state->match = nullptr;
  state->code = nullptr;
}

// Calls that a record must be open for, made while it was not.
long g_closed_record_calls = 0;
long g_open_records = 0;

}  // namespace

extern "C" {

__declspec(dllexport) unsigned WINAPI JreGetVersion() { return 0x1F2A3; }
__declspec(dllexport) void WINAPI GetJreMessage() {}
__declspec(dllexport) void WINAPI Jre2SetCodePage() {}

__declspec(dllexport) BOOL WINAPI Jre2Open(void* record) {
  if (get<std::uint32_t>(record, 0) != kRecordSize) return FALSE;
  put(record, kStateField, new State);
  ++g_open_records;
  return TRUE;
}

__declspec(dllexport) BOOL WINAPI Jre2Close(void* record) {
  // A test of module stop asks for a trace of the calls that release.
  char log[MAX_PATH];
  if (GetEnvironmentVariableA("HMJRE_STANDIN_LOG", log, sizeof log))
    if (FILE* f = std::fopen(log, "ab")) std::fputs("Jre2Close\n", f), std::fclose(f);
  State* state = state_of(record);
  if (!state) return ++g_closed_record_calls, FALSE;
  drop_pattern(state);
  delete state;
  put<State*>(record, kStateField, nullptr);
  --g_open_records;
  return TRUE;
}

__declspec(dllexport) BOOL WINAPI Jre2Compile(void* record, const char* pattern) {
  State* state = state_of(record);
  if (!state) return ++g_closed_record_calls, FALSE;
  drop_pattern(state);
  int error = 0;
  PCRE2_SIZE offset = 0;
  state->code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern), PCRE2_ZERO_TERMINATED, 0, &error, &offset, nullptr);
  if (!state->code) return FALSE;
  state->match = pcre2_match_data_create_from_pattern(state->code, nullptr);
  return state->match != nullptr;
}

__declspec(dllexport) BOOL WINAPI Jre2GetMatchInfo(void* record, const char* subject) {
  State* state = state_of(record);
  if (!state || !state->code) return ++g_closed_record_calls, FALSE;
  const auto start = static_cast<PCRE2_SIZE>(get<std::int32_t>(record, 8));
  if (pcre2_match(state->code, reinterpret_cast<PCRE2_SPTR>(subject), std::strlen(subject), start, 0, state->match,
                  nullptr) < 0)
    return FALSE;
  const PCRE2_SIZE* ovector = pcre2_get_ovector_pointer(state->match);
  put(record, 20, static_cast<std::int32_t>(ovector[1] - ovector[0]));
  put(record, 24, static_cast<std::int32_t>(ovector[0]));
  return TRUE;
}

#ifndef HMJRE_STANDIN_LACKS_TAGS
__declspec(dllexport) int WINAPI JreGetTagPosition(void* record, int tag_digit, int* length) {
  State* state = state_of(record);
  *length = 0;
  if (!state || !state->match) return ++g_closed_record_calls, -1;
  const auto group = static_cast<std::uint32_t>(tag_digit - '0');
  if (group < 1 || group > 9 || group >= pcre2_get_ovector_count(state->match)) return -1;
  const PCRE2_SIZE* ovector = pcre2_get_ovector_pointer(state->match);
  if (ovector[2 * group] == PCRE2_UNSET) return -1;
  *length = static_cast<int>(ovector[2 * group + 1] - ovector[2 * group]);
  return static_cast<int>(ovector[2 * group]);
}
#endif

// For the tests: how the bridge has used the records.
__declspec(dllexport) long StandinClosedRecordCalls() { return g_closed_record_calls; }
__declspec(dllexport) long StandinOpenRecords() { return g_open_records; }

}  // extern "C"
