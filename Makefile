# Entry points: make demo, make test, make bench, make docs, make fuzz,
# make install. Each installs the Debian packages it needs first (as root),
# then configures and builds what it needs, and nothing more.

BUILD   ?= build
JOBS    ?= 2
PREFIX  ?= /usr/local
CMAKE_FLAGS ?=
FUZZ_BUILD   ?= build-fuzz
FUZZ_SECONDS ?= 60

# Keep the nested makes of the build from announcing every directory.
MAKEFLAGS += --no-print-directory

configure = cmake -S . -B $(BUILD) $(CMAKE_FLAGS) $(1) >/dev/null

.PHONY: all build demo test bench bench-compare docs fuzz install clean

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

# Before and after in one run: revision BASE's benchmarks beside the working
# tree's, interleaved (bench/revisions/compare.sh; CALLGRIND=1 adds
# instruction counts). make bench-compare BASE=<revision> [REPS=5]
BASE ?=
REPS ?= 5
bench-compare:
	@test -n "$(BASE)" || { echo "make bench-compare BASE=<revision> [REPS=5]" >&2; exit 2; }
	@sh scripts/install-deps.sh bench
	@sh bench/revisions/compare.sh $(BASE) $(REPS)

# API reference of the public headers and the Python package, in
# $(BUILD)/docs/html; fails when a C function of the interface lacks the
# documentation of a parameter or result.
docs:
	@sh scripts/install-deps.sh demo docs
	@$(call configure,)
	@cmake --build $(BUILD) --target docs
	@echo "docs: $(BUILD)/docs/html/index.html"

# The C interface under libFuzzer with AddressSanitizer and
# UndefinedBehaviorSanitizer (clang): replays the committed corpus, then
# fuzzes for FUZZ_SECONDS. Findings go to $(FUZZ_BUILD)/ and fail the target.
fuzz:
	@sh scripts/install-deps.sh fuzz
	@cmake -S . -B $(FUZZ_BUILD) -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
	    -DVELKORA_BUILD_FUZZERS=ON -DVELKORA_SANITIZE=address,undefined -DVELKORA_BUILD_TESTS=OFF \
	    -DVELKORA_BUILD_EXAMPLES=OFF -DVELKORA_BUILD_BENCHMARKS=OFF $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(FUZZ_BUILD) -j$(JOBS) --target capi_fuzz
	@echo "== replaying tests/fuzz/corpus"
	@$(FUZZ_BUILD)/tests/fuzz/capi_fuzz -timeout=25 $$(find tests/fuzz/corpus -type f | sort) \
	    >$(FUZZ_BUILD)/replay.log 2>&1; status=$$?; tail -n 3 $(FUZZ_BUILD)/replay.log; exit $$status
	@mkdir -p $(FUZZ_BUILD)/corpus
	@echo "== fuzzing for $(FUZZ_SECONDS) s"
	@$(FUZZ_BUILD)/tests/fuzz/capi_fuzz -max_total_time=$(FUZZ_SECONDS) -timeout=25 -max_len=4096 \
	    -print_final_stats=1 -artifact_prefix=$(FUZZ_BUILD)/ \
	    $(FUZZ_BUILD)/corpus tests/fuzz/corpus/seed tests/fuzz/corpus/regression \
	    >$(FUZZ_BUILD)/fuzz.log 2>&1; status=$$?; \
	    grep -E -v '^#[0-9]+|Uses: |recommended dictionary' $(FUZZ_BUILD)/fuzz.log | tail -n 12; exit $$status

install:
	@sh scripts/install-deps.sh demo
	@$(call configure,)
	@cmake --build $(BUILD) -j$(JOBS) --target velkora
	@cmake --install $(BUILD) --prefix $(PREFIX)

clean:
	@rm -rf $(BUILD)
