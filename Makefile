# Entry points: `make demo`, `make test`, `make bench`.
# Each installs missing Debian packages first (as root), then configures and builds.

BUILD ?= build
JOBS  ?= 2
CMAKE_FLAGS ?=

# Keep the nested makes of the build from announcing every directory.
MAKEFLAGS += --no-print-directory

.PHONY: all deps configure build demo test bench clean

all: build

deps:
	@sh scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j$(JOBS)

demo: build
	@cmake --build $(BUILD) --target demo

test: build
	@ctest --test-dir $(BUILD) --output-on-failure -j$(JOBS)

bench: configure
	@cmake --build $(BUILD) -j$(JOBS) --target benchmarks
	@cmake --build $(BUILD) --target run-benchmarks

clean:
	@rm -rf $(BUILD)
