// Child processes: GetStdout's capture through two anonymous pipes and
// RUNSYNC's wait for an exit code.
#include <windows.h>

#include <algorithm>
#include <string>
#include <string_view>

#include "frame/guarded.h"
#include "frame/result_buffer.h"
#include "frame/win_owners.h"
#include "process/capture.h"
#include "process/process.h"

namespace lmx::process {
namespace {

// -1 until a capture has run its child to the end; then that child's code.
int g_capture_state = -1;
DWORD g_last_exit_code = 0;

// One anonymous pipe whose child end is inheritable and whose own end is not.
struct Pipe {
  KernelHandle read, write;
};
enum class ChildEnd { reads, writes };

bool make_pipe(Pipe& pipe, ChildEnd child_end, DWORD size) {
  if (!CreatePipe(pipe.read.put(), pipe.write.put(), nullptr, size)) return false;
  const HANDLE child = child_end == ChildEnd::reads ? pipe.read.get() : pipe.write.get();
  return SetHandleInformation(child, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT) != FALSE;
}

// The host's own startup record with the child's flags and show state. The
// reserved fields carry the host's C runtime descriptor table, which would
// override the child's redirected standard handles, so they stay out.
STARTUPINFOA startup_record(DWORD flags, int show) {
  STARTUPINFOA record{};
  GetStartupInfoA(&record);
  record.cb = sizeof record;
  record.lpReserved = nullptr;
  record.cbReserved2 = 0;
  record.lpReserved2 = nullptr;
  record.dwFlags = flags;
  record.wShowWindow = static_cast<WORD>(show);
  return record;
}

bool start(const char* command, STARTUPINFOA& record, ChildProcess& child) {
  std::string line(command);  // CreateProcess may write into its command line
  return CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, NORMAL_PRIORITY_CLASS, nullptr, nullptr,
                        &record, child.put()) != FALSE;
}

DWORD wait_for_exit(const ChildProcess& child) {
  WaitForSingleObject(child.process(), INFINITE);
  DWORD code = 0;
  if (!GetExitCodeProcess(child.process(), &code)) code = 0;
  return code;
}

// Reads the pipe until every holder of its write end has closed it, appending
// to the result buffer, which grows (keeping what it holds) up to the cap.
// Beyond the cap the pipe is still drained, so the child never waits on it.
void collect(HANDLE pipe) {
  NarrowResult& out = result();
  out.clear();
  std::size_t length = 0;
  char overflow[kReadChunk];
  for (;;) {
    std::size_t room = std::min(kReadChunk, kResultCap - 1 - length);
    const std::size_t needed = length + room + 1;
    if (room && !out.ensure_keeping(needed, 2 * needed + 4)) room = 0;
    char* into = room ? out.data() + length : overflow;
    DWORD read = 0;
    if (!ReadFile(pipe, into, static_cast<DWORD>(room ? room : sizeof overflow), &read, nullptr) || read == 0) break;
    if (!room) continue;
    length += drop_zero_bytes(into, read);
    out.data()[length] = 0;
  }
}

const char* capture(const char* command, std::string_view input) {
  std::string line;
  if (!input.empty()) line.append(input).append("\r\n");
  // The input pipe holds the whole line, so writing it never waits for the
  // child to read (a child may read nothing while it writes a lot).
  Pipe output, in;
  const auto input_size = static_cast<DWORD>(std::min<std::size_t>(line.size(), MAXDWORD));
  if (!make_pipe(output, ChildEnd::writes, 0) || !make_pipe(in, ChildEnd::reads, input_size)) return kEmptyResult;

  STARTUPINFOA record = startup_record(STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES, SW_HIDE);
  record.hStdInput = in.read.get();
  record.hStdOutput = record.hStdError = output.write.get();
  ChildProcess child;
  if (!start(command, record, child)) return kEmptyResult;
  child.close_thread();
  output.write.reset();
  in.read.reset();

  DWORD written = 0;
  if (!line.empty()) WriteFile(in.write.get(), line.data(), input_size, &written, nullptr);
  in.write.reset();  // a child that reads to the end of its input gets there
  collect(output.read.get());
  g_last_exit_code = wait_for_exit(child);
  g_capture_state = 0;
  return result().c_str();
}

}  // namespace

const char* capture_output(const char* command, const char* input) {
  g_capture_state = -1;
  if (!*command) return kEmptyResult;
  return guarded(static_cast<const char*>(kEmptyResult), [&] { return capture(command, input); });
}

intptr_t captured_exit_code() { return g_capture_state == -1 ? -1 : widened_exit_code(g_last_exit_code); }

intptr_t run_and_wait(const char* command, intptr_t failure, intptr_t show) {
  if (!*command) return failure;
  return guarded(failure, [&] {
    STARTUPINFOA record = startup_record(STARTF_USESHOWWINDOW, show_state_for(show));
    ChildProcess child;
    if (!start(command, record, child)) return failure;
    child.close_thread();
    return widened_exit_code(wait_for_exit(child));
  });
}

}  // namespace lmx::process
