// The tests' own child program. Each argument is one step, done in order:
//   out:TEXT   writes TEXT to standard output (escapes \n \r \0 \\ \xHH)
//   nothing    one write of zero bytes to standard output
//   err:TEXT   the same on standard error
//   bulk:N     writes the first N bytes of bulk_pattern to standard output
//   in         reads standard input to its end and writes it to standard output
//   exit:CODE  the exit code (decimal or 0x...); 0 when not given
//   show       exits with dwFlags << 16 | wShowWindow of its startup record
//   window:T   shows a window captioned T, then waits for standard input to end
//   sleep:MS   sleeps
//   spawn:S,S  starts another child with the steps S S, which inherits the
//              standard handles and lives on; writes its process id
#include <windows.h>

#include <cstdlib>
#include <string>

#include "pattern.h"

namespace {

void write_all(DWORD which, const std::string& bytes) {
  HANDLE h = GetStdHandle(which);
  for (std::size_t done = 0; done < bytes.size();) {
    DWORD n = 0;
    const DWORD ask = static_cast<DWORD>(bytes.size() - done < 65536 ? bytes.size() - done : 65536);
    if (!WriteFile(h, bytes.data() + done, ask, &n, nullptr) || n == 0) std::exit(90);
    done += n;
  }
}

std::string unescape(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      out += text[i];
      continue;
    }
    const char e = text[++i];
    if (e == 'x' && i + 2 < text.size()) {
      out += static_cast<char>(std::strtoul(text.substr(i + 1, 2).c_str(), nullptr, 16));
      i += 2;
    } else {
      out += e == 'n' ? '\n' : e == 'r' ? '\r' : e == '0' ? '\0' : e;
    }
  }
  return out;
}

std::string read_stdin() {
  std::string all;
  char chunk[4096];
  DWORD n = 0;
  while (ReadFile(GetStdHandle(STD_INPUT_HANDLE), chunk, sizeof chunk, &n, nullptr) && n > 0) all.append(chunk, n);
  return all;
}

void show_window(const std::string& caption) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "lorimax_child_window";
  RegisterClassA(&wc);
  CreateWindowExA(0, wc.lpszClassName, caption.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                  nullptr, wc.hInstance, nullptr);
  read_stdin();
}

void spawn(std::string steps) {
  for (char& c : steps)
    if (c == ',') c = ' ';
  std::string line = "process_child.exe " + steps;
  STARTUPINFOA si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  si.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
  si.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) std::exit(91);
  write_all(STD_OUTPUT_HANDLE, std::to_string(pi.dwProcessId));
}

}  // namespace

int main(int argc, char** argv) {
  unsigned long code = 0;
  for (int i = 1; i < argc; ++i) {
    const std::string step = argv[i];
    const std::size_t colon = step.find(':');
    const std::string op = step.substr(0, colon), arg = colon == std::string::npos ? "" : step.substr(colon + 1);
    if (op == "out") write_all(STD_OUTPUT_HANDLE, unescape(arg));
    else if (op == "nothing") {
      DWORD n = 0;
      WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), "", 0, &n, nullptr);
    } else if (op == "err") write_all(STD_ERROR_HANDLE, unescape(arg));
    else if (op == "bulk") write_all(STD_OUTPUT_HANDLE, bulk_pattern(std::strtoull(arg.c_str(), nullptr, 0)));
    else if (op == "in") write_all(STD_OUTPUT_HANDLE, read_stdin());
    else if (op == "exit") code = std::strtoul(arg.c_str(), nullptr, 0);
    else if (op == "window") show_window(arg);
    else if (op == "sleep") Sleep(std::strtoul(arg.c_str(), nullptr, 0));
    else if (op == "spawn") spawn(arg);
    else if (op == "show") {
      STARTUPINFOA si{};
      si.cb = sizeof si;
      GetStartupInfoA(&si);
      code = si.dwFlags << 16 | si.wShowWindow;
    } else return 99;
  }
  ExitProcess(static_cast<UINT>(code));
}
