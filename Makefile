# lorimax: `make test` installs what it needs, builds everything and runs every
# test; `make demo` runs the demo script through lmx under Wine.
BUILD   ?= build
WIN     := $(BUILD)/win
NATIVE  := $(BUILD)/native
JOBS    ?= $(shell nproc)

.PHONY: all deps build build-win build-native prefix test demo docs bench clean

all: build

deps:
	@scripts/install-deps.sh

build: build-win build-native

build-win: deps
	@cmake -S . -B $(WIN) -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake >/dev/null
	@cmake --build $(WIN) -j $(JOBS)

build-native: deps
	@cmake -S . -B $(NATIVE) -G Ninja >/dev/null
	@cmake --build $(NATIVE) -j $(JOBS)

prefix: deps
	@scripts/wine-prefix.sh

test: build prefix
	@scripts/run-tests.sh $(WIN) $(NATIVE)

demo: build-win prefix
	@cd $(WIN)/bin && $(CURDIR)/scripts/with-wineserver.sh $(CURDIR)/scripts/wine-run lmx.exe -f $(CURDIR)/demo/demo.lmx

docs: build-native
	@$(NATIVE)/gen_reference > docs/exports.md
	@echo "docs/exports.md written"

bench: deps
	@cmake -S . -B $(BUILD)/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DLORIMAX_SANITIZE=OFF >/dev/null
	@cmake --build $(BUILD)/bench -j $(JOBS) --target bench_strings
	@$(BUILD)/bench/bench_strings

clean:
	rm -rf $(WIN) $(NATIVE) $(BUILD)/bench
