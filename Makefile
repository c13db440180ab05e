# Entry points: make demo, make test, make bench, make docs, make fuzz,
# make install. Each installs the Debian packages it needs first (as root),
# then configures and builds what it needs, and nothing more.

BUILD   ?= build
JOBS    ?= 2
PREFIX  ?= /usr/local
CMAKE_FLAGS ?=

# Keep the nested makes of the build from announcing every directory.
MAKEFLAGS += --no-print-directory

configure = cmake -S . -B $(BUILD) $(CMAKE_FLAGS) $(1) >/dev/null

.PHONY: all build demo test bench docs fuzz install clean

all: build

# The library alone.
build:
	@sh scripts/install-deps.sh demo
	@$(call configure,)
	@cmake --build $(BUILD) -j$(JOBS) --target velkora

# The library and the examples, then each example runs.
demo:
	@sh scripts/install-deps.sh demo
	@$(call configure,-DVELKORA_BUILD_EXAMPLES=ON -DVELKORA_BUILD_TESTS=OFF -DVELKORA_BUILD_BENCHMARKS=OFF)
	@cmake --build $(BUILD) -j$(JOBS) --target demo

# Everything that is tested, then every test.
test:
	@sh scripts/install-deps.sh test
	@$(call configure,-DVELKORA_BUILD_EXAMPLES=ON -DVELKORA_BUILD_TESTS=ON)
	@cmake --build $(BUILD) -j$(JOBS)
	@ctest --test-dir $(BUILD) --output-on-failure -j$(JOBS)

bench:
	@sh scripts/install-deps.sh bench
	@$(call configure,-DVELKORA_BUILD_BENCHMARKS=ON)
	@cmake --build $(BUILD) -j$(JOBS) --target benchmarks
	@cmake --build $(BUILD) --target run-benchmarks

# API reference of the public headers, in $(BUILD)/docs/html; fails when a C
# function of the interface lacks the documentation of a parameter or result.
docs:
	@sh scripts/install-deps.sh demo docs
	@$(call configure,)
	@mkdir -p $(BUILD)/docs
	@( cat docs/Doxyfile; \
	   echo "OUTPUT_DIRECTORY = $(BUILD)/docs"; \
	   echo "INPUT += $(BUILD)/generated/velkora/version.h"; \
	   echo "PROJECT_NUMBER = $$(sed -n 's/.*VELKORA_VERSION_STRING "\(.*\)"/\1/p' $(BUILD)/generated/velkora/version.h)"; \
	   echo "WARN_LOGFILE = $(BUILD)/docs/warnings.log" ) | doxygen -
	@sh scripts/check-docs.sh $(BUILD)/docs/warnings.log
	@echo "docs: $(BUILD)/docs/html/index.html"

install:
	@sh scripts/install-deps.sh demo
	@$(call configure,)
	@cmake --build $(BUILD) -j$(JOBS) --target velkora
	@cmake --install $(BUILD) --prefix $(PREFIX)

clean:
	@rm -rf $(BUILD)
