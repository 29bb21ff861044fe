// The only program the sweep lets the process exports start: it prints its
// command line and ends at once with exit code 3, reading no input.
#include <cstdio>

int main(int argc, char** argv) {
  for (int i = 1; i < argc && i < 4; ++i) std::printf("%s\n", argv[i]);
  return 3;
}
