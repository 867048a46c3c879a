# Velora 2001 — build and test entry points. `make test` and `make demo`
# install what is missing, configure and build before they run.
BUILD ?= build
NATIVE := $(BUILD)/native
W64 := $(BUILD)/win64
W32 := $(BUILD)/win32
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=Release

.PHONY: all deps build native win64 win32 test unit e2e demo clean fuzz

all: build

deps:
	@tools/install-deps.sh

$(W64)/CMakeCache.txt: | deps
	cmake -S . -B $(W64) $(CMAKE_FLAGS) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake -DVELORA_E2E=ON >/dev/null

$(W32)/CMakeCache.txt: | deps
	cmake -S . -B $(W32) $(CMAKE_FLAGS) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DVELORA_E2E=ON >/dev/null

$(NATIVE)/CMakeCache.txt: | deps
	cmake -S . -B $(NATIVE) $(CMAKE_FLAGS) -DVELORA_WIN64_DIR=$(abspath $(W64)) \
	  -DVELORA_WIN32_DIR=$(abspath $(W32)) >/dev/null

win64: deps $(W64)/CMakeCache.txt
	cmake --build $(W64) -j $(JOBS)

win32: deps $(W32)/CMakeCache.txt
	cmake --build $(W32) -j $(JOBS)

native: deps $(NATIVE)/CMakeCache.txt
	cmake --build $(NATIVE) -j $(JOBS)

build: native win64 win32

test: build
	ctest --test-dir $(NATIVE) --output-on-failure -j $(JOBS)

# Only the native unit tests, or only the Wine suites (FILTER=Suite to pick
# one, ARCH=win32 or win64 for one program's).
unit: native
	ctest --test-dir $(NATIVE) --output-on-failure -j $(JOBS) -R '^unit\.'

e2e: build
	ctest --test-dir $(NATIVE) --output-on-failure -j 2 \
	  -R '^e2e\.$(or $(ARCH),win(32|64))\.($(or $(FILTER),.*)|setup|cleanup)$$'

demo: win64
	tools/demo.sh $(W64)

clean:
	rm -rf $(BUILD)

# libFuzzer runs of every target (FUZZ_SECONDS each, 60 by default).
fuzz:
	BUILD=$(BUILD) tools/fuzz.sh

# Benchmarks against their floors; prints the table and writes $(BUILD)/bench.md
# (BENCH_RUNS=n repetitions, 15 by default).
.PHONY: bench
bench: deps $(W64)/CMakeCache.txt $(W32)/CMakeCache.txt
	BUILD=$(BUILD) tools/bench.sh

# The release: the 32-bit program for Windows 95 to current Windows, checked
# (PE header, imports, version, manifest), and its setup $(BUILD)/velora-setup.exe.
.PHONY: dist
dist: win32 win64
	tools/release/dist.sh $(W32)/velora.exe $(W64)/velora.exe $(BUILD)/velora-setup.exe
