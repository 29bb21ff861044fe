# lorimax: `make test` installs what it needs, builds everything and runs every
# test; `make demo` runs the demo script through lmx under Wine.
SHELL   := /bin/bash
BUILD   ?= build
WIN     := $(BUILD)/win
NATIVE  := $(BUILD)/native
JOBS    ?= $(shell nproc)

FUZZ    := $(BUILD)/fuzz
FUZZ_SECONDS ?= 60

.PHONY: all deps engines build build-win build-native build-fuzz prefix test demo docs dist dist-once bench bench-wine fuzz sweep leaks clean

all: build

deps:
	@scripts/install-deps.sh

# The engines, built once per machine into ~/.cache/lorimax (scripts/engines/).
engines: deps
	@JOBS=$(JOBS) scripts/engines/build.sh

build: build-win build-native build-fuzz

build-win: deps engines
	@cmake -S . -B $(WIN) -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
	  $$(scripts/engines/build.sh --cmake-args) >/dev/null
	@cmake --build $(WIN) -j $(JOBS)

build-native: deps engines
	@cmake -S . -B $(NATIVE) -G Ninja -DLORIMAX_EDITORCONFIG_ASAN_DIR=$$(scripts/engines/build.sh --dir editorconfig_asan) >/dev/null
	@cmake --build $(NATIVE) -j $(JOBS)

# The native core again with clang, for the libFuzzer target.
build-fuzz: deps
	@CXX=clang++ CC=clang cmake -S . -B $(FUZZ) -G Ninja >/dev/null
	@cmake --build $(FUZZ) -j $(JOBS) --target fuzz_all

prefix: deps
	@scripts/wine-prefix.sh

VERSION := $(shell awk '/^project.lorimax VERSION/ {print $$3}' CMakeLists.txt)
DIST_ZIP := $(BUILD)/dist/lorimax-$(VERSION).zip

test: build prefix dist-once
	@scripts/run-tests.sh $(WIN) $(NATIVE) $(FUZZ) $(DIST_ZIP)

# The release zip, built twice in two folders and checked byte-identical;
# `make test` builds it once and checks its contents.
dist: deps engines
	@JOBS=$(JOBS) scripts/dist.sh $(BUILD)
dist-once: deps engines
	@JOBS=$(JOBS) scripts/dist.sh --once $(BUILD)

demo: build-win prefix
	@cd $(WIN)/bin && $(CURDIR)/scripts/with-wineserver.sh $(CURDIR)/scripts/wine-run lmx.exe -f $(CURDIR)/demo/demo.lmx

# The examples' results come from the library itself, called under Wine.
docs: build-win build-native prefix
	@scripts/with-wineserver.sh scripts/reference-examples.sh write $(WIN) exports/examples.txt
	@$(NATIVE)/gen_reference md > docs/reference.md
	@$(NATIVE)/gen_reference html > docs/reference.html
	@echo "docs/reference.md and docs/reference.html written"

bench: deps
	@cmake -S . -B $(BUILD)/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DLORIMAX_SANITIZE=OFF >/dev/null
	@cmake --build $(BUILD)/bench -j $(JOBS) --target bench_strings
	@$(BUILD)/bench/bench_strings

# The DLL under Wine beside the bare calls that do the same work: the file
# slots, the engine bridges, the window search, a child's output, an INI
# section (BENCH_WINE_FULL sets the file rows' size in MB, 50 by default).
bench-wine: build-win prefix
	@cd $(WIN)/bin && $(CURDIR)/scripts/with-wineserver.sh $(CURDIR)/scripts/wine-run bench_wine.exe

# Every fuzz target in turn, FUZZ_SECONDS each, each with its own corpus.
fuzz: build-fuzz
	@set -e; for t in $$(find $(FUZZ) -maxdepth 1 -type f -name 'fuzz_*' -executable | sort); do \
	  name=$$(basename $$t); mkdir -p $(FUZZ)/corpus/$$name; echo "== $$name"; \
	  nice -n 19 $$t -max_total_time=$(FUZZ_SECONDS) -max_len=4096 $(FUZZ)/corpus/$$name; done

# The long runs of the hardening tests: the sweep (SWEEP_CALLS calls, a new
# seed each run unless LMX_SWEEP_SEED is set; `make test` runs fixed seeds),
# the leak rounds, and the macro runs that load and free the library.
SWEEP_CALLS ?= 200000
LEAK_ROUNDS ?= 10000
UNLOAD_CYCLES ?= 1000
# msvcrt under Wine logs a failed parameter check on its err channel instead
# of ending the process; the sweep fails on any such line.
sweep: build-win prefix
	@cd $(WIN)/bin && LMX_SWEEP_CALLS=$(SWEEP_CALLS) LORIMAX_WINEDEBUG=-all,err+msvcrt \
	  $(CURDIR)/scripts/with-wineserver.sh $(CURDIR)/scripts/wine-run test_sweep.exe 2>&1 | tee $(CURDIR)/$(BUILD)/sweep.log; \
	  status=$${PIPESTATUS[0]}; ! grep -q "err:msvcrt:_invalid_parameter" $(CURDIR)/$(BUILD)/sweep.log && exit $$status

leaks: build-win prefix
	@cd $(WIN)/bin && LMX_LEAK_ROUNDS=$(LEAK_ROUNDS) $(CURDIR)/scripts/with-wineserver.sh $(CURDIR)/scripts/wine-run test_leaks.exe
	@cd $(WIN)/bin && LMX_UNLOAD_CYCLES=$(UNLOAD_CYCLES) $(CURDIR)/scripts/with-wineserver.sh $(CURDIR)/scripts/wine-run test_unload.exe

clean:
	rm -rf $(WIN) $(NATIVE) $(FUZZ) $(BUILD)/bench
