# Build and test entry points. `make test` sets the host up when needed,
# configures, builds everything and runs every test under Wine.
#
# build-win32/ holds the shipped 32-bit programs; build/ holds the same sources
# built for x86_64, which is what the tests run here (Wine on a kernel without
# 32-bit support runs only 64-bit Windows programs).
JOBS ?= $(shell nproc)

.PHONY: all host build build-win32 build-x64 test test32 fuzz run bench clean

all: build

host:
	@bash scripts/setup-host.sh
	@bash scripts/build-deps.sh i686
	@bash scripts/build-deps.sh x86_64
	@bash scripts/qemu-i386.sh >/dev/null

# Configuring again is cheap and mends a tree left half-configured.
build-win32: host
	cmake --preset mingw >/dev/null
	cmake --build build-win32 -j $(JOBS)

build-x64: host
	cmake --preset mingw-x64 >/dev/null
	cmake --build build -j $(JOBS)

build: build-win32 build-x64

# Every test of the x86_64 build, then the 32-bit smoke stage: a few whole test
# programs of the shipped i686 build under 32-bit Wine (scripts/win32-session.sh),
# then each native fuzz target of the untrusted-input readers for 20 s.
test: build
	bash scripts/test-session.sh ctest --test-dir build -j $(JOBS) --output-on-failure --timeout 300
	bash scripts/win32-session.sh bash scripts/test32-smoke.sh
	bash scripts/fuzz.sh 20

# The native fuzz targets of the untrusted-input readers, longer (FUZZ_SECONDS each, at once).
FUZZ_SECONDS ?= 600
fuzz: build
	bash scripts/fuzz.sh $(FUZZ_SECONDS)

# Every test of the shipped i686 build under 32-bit Wine (slower: emulated).
test32: build
	bash scripts/win32-session.sh ctest --test-dir build-win32 -j $(JOBS) --output-on-failure --timeout 600

# The recorder under Wine on the virtual camera (see README.md, "Running the recorder").
run: build-x64
	bash scripts/run-video.sh

# Benchmark programs (timings, never tests), each run under Wine in one test session.
BENCHMARKS = gradient_bench install_bench

bench: build-x64
	bash scripts/test-session.sh bash -c 'for b in $(BENCHMARKS); do echo "== $$b"; bash scripts/wine-run.sh build/bin/$$b.exe || exit 1; done'

clean:
	rm -rf build build-win32 build-fuzz
