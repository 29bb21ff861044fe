# lorimax: `make test` installs what it needs, builds everything and runs every
# test; `make demo` runs the demo script through lmx under Wine.
BUILD   ?= build
WIN     := $(BUILD)/win
NATIVE  := $(BUILD)/native
JOBS    ?= $(shell nproc)

FUZZ    := $(BUILD)/fuzz
FUZZ_SECONDS ?= 60

.PHONY: all deps engines build build-win build-native build-fuzz prefix test demo docs bench fuzz clean

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

build-native: deps
	@cmake -S . -B $(NATIVE) -G Ninja >/dev/null
	@cmake --build $(NATIVE) -j $(JOBS)

# The native core again with clang, for the libFuzzer target.
build-fuzz: deps
	@CXX=clang++ CC=clang cmake -S . -B $(FUZZ) -G Ninja >/dev/null
	@cmake --build $(FUZZ) -j $(JOBS) --target fuzz_core

prefix: deps
	@scripts/wine-prefix.sh

test: build prefix
	@scripts/run-tests.sh $(WIN) $(NATIVE) $(FUZZ)

demo: build-win prefix
	@cd $(WIN)/bin && $(CURDIR)/scripts/with-wineserver.sh $(CURDIR)/scripts/wine-run lmx.exe -f $(CURDIR)/demo/demo.lmx

docs: build-native
	@$(NATIVE)/gen_reference > docs/exports.md
	@echo "docs/exports.md written"

bench: deps
	@cmake -S . -B $(BUILD)/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DLORIMAX_SANITIZE=OFF >/dev/null
	@cmake --build $(BUILD)/bench -j $(JOBS) --target bench_strings
	@$(BUILD)/bench/bench_strings

fuzz: build-fuzz
	@mkdir -p $(FUZZ)/corpus
	@$(FUZZ)/fuzz_core -max_total_time=$(FUZZ_SECONDS) -max_len=4096 $(FUZZ)/corpus

clean:
	rm -rf $(WIN) $(NATIVE) $(FUZZ) $(BUILD)/bench
