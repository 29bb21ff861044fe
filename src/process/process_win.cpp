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

// One pipe whose child end is inheritable and whose own end is not: an
// anonymous pipe's ends are kernel handles (null when missing), a named
// pipe's ends are opened as files (INVALID_HANDLE_VALUE when missing).
template <class Handle>
struct Pipe {
  Handle read, write;
};

// The input pipe is anonymous, made to hold the whole input line.
bool make_input_pipe(Pipe<KernelHandle>& pipe, DWORD size) {
  return CreatePipe(pipe.read.put(), pipe.write.put(), nullptr, size) &&
         SetHandleInformation(pipe.read.get(), HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
}

// The output pipe is a named one of the default size whose read end allows
// overlapped reads, so that a read can wait for data and for the child's end
// at once.
bool make_output_pipe(Pipe<FileHandle>& pipe) {
  static unsigned serial = 0;
  char name[64];
  wsprintfA(name, "\\\\.\\pipe\\lorimax-output-%lu-%u", GetCurrentProcessId(), ++serial);
  pipe.read.reset(CreateNamedPipeA(name, PIPE_ACCESS_INBOUND | FILE_FLAG_OVERLAPPED | FILE_FLAG_FIRST_PIPE_INSTANCE,
                                   PIPE_TYPE_BYTE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS, 1, 0, 0, 0, nullptr));
  if (!pipe.read) return false;
  SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
  pipe.write.reset(CreateFileA(name, GENERIC_WRITE, 0, &inheritable, OPEN_EXISTING, 0, nullptr));
  return static_cast<bool>(pipe.write);
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

// One read of at most `size` bytes into `read`; false at the end of the
// output. The end is the pipe breaking (every holder of its write end has
// closed it) or, once the child has ended, a read that would wait: all the
// child wrote is in the pipe by then, and a process it started may hold the
// pipe open for as long as it lives. (A zero-byte write gives a zero-byte
// read, which is no end.)
bool read_output(HANDLE pipe, HANDLE child, OVERLAPPED& pending, char* into, std::size_t size, bool& child_ended,
                 DWORD& read) {
  if (!ReadFile(pipe, into, static_cast<DWORD>(size), nullptr, &pending) && GetLastError() != ERROR_IO_PENDING)
    return false;
  if (!child_ended && !HasOverlappedIoCompleted(&pending)) {
    const HANDLE either[] = {pending.hEvent, child};
    child_ended = WaitForMultipleObjects(2, either, FALSE, INFINITE) == WAIT_OBJECT_0 + 1;
  }
  if (child_ended && !HasOverlappedIoCompleted(&pending)) CancelIo(pipe);
  return GetOverlappedResult(pipe, &pending, &read, TRUE) != FALSE;
}

// Appends the child's output to the result buffer, which grows (keeping what
// it holds) up to the cap. Beyond the cap the pipe is still drained, so the
// child never waits on it.
void collect(HANDLE pipe, HANDLE child, HANDLE read_done) {
  NarrowResult& out = result();
  out.clear();
  OVERLAPPED pending{};
  pending.hEvent = read_done;
  bool child_ended = false;
  std::size_t length = 0;
  static char overflow[kReadChunk];  // what comes beyond the cap, dropped
  for (;;) {
    std::size_t room = std::min(kReadChunk, kResultCap - 1 - length);
    const std::size_t needed = length + room + 1;
    if (room && !out.ensure_keeping_doubled(needed)) room = 0;
    char* into = room ? out.data() + length : overflow;
    DWORD read = 0;
    if (!read_output(pipe, child, pending, into, room ? room : sizeof overflow, child_ended, read)) break;
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
  Pipe<FileHandle> output;
  Pipe<KernelHandle> in;
  const auto input_size = static_cast<DWORD>(std::min<std::size_t>(line.size(), MAXDWORD));
  const KernelHandle read_done(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  if (!read_done || !make_output_pipe(output) || !make_input_pipe(in, input_size)) return kEmptyResult;

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
  collect(output.read.get(), child.process(), read_done.get());
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
