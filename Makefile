# Set-up, build and test in one command each; see README.md.
SHELL        := /bin/bash
BUILD_DIR    ?= build
SANITIZE_DIR ?= build-sanitize
CMAKE_FLAGS  ?= -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOVARIN_WERROR=ON

FUZZ_DIR     ?= build-fuzz
FUZZ_SECONDS ?= 60

.PHONY: all deps configure build test run reduce sanitize fuzz bench clean

all: build

deps:
	@scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD_DIR) $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD_DIR)

test: build
	@ctest --test-dir $(BUILD_DIR) --output-on-failure -j2

# The window keeps its run log and settings file in the working directory:
# run/ (ignored by git), so they never land in the source tree. Only the
# window is built, not the tests and benchmarks.
run: configure
	@cmake --build $(BUILD_DIR) --target tovarin
	@mkdir -p run
	cd run && $(abspath $(BUILD_DIR))/app/tovarin

# The same reduction without a window, on the bundled example.
reduce: configure
	@cmake --build $(BUILD_DIR) --target tovarin-reduce
	$(BUILD_DIR)/cli/tovarin-reduce samples/worked-example.csv

sanitize: deps
	@cmake -S . -B $(SANITIZE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTOVARIN_WERROR=ON \
		-DTOVARIN_SANITIZE=ON >/dev/null
	@cmake --build $(SANITIZE_DIR)
	@ctest --test-dir $(SANITIZE_DIR) --output-on-failure -j2

# Each libFuzzer target for FUZZ_SECONDS, from the seeds in fuzz/corpus (new
# inputs collect in $(FUZZ_DIR)/corpus, never in the source tree).
fuzz: deps
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DTOVARIN_FUZZ=ON >/dev/null
	@cmake --build $(FUZZ_DIR) --target fuzz_all
	@for target in fields row_input options command settings writers chart json; do \
		mkdir -p $(FUZZ_DIR)/corpus/$$target; \
		$(FUZZ_DIR)/fuzz/fuzz_$$target -max_total_time=$(FUZZ_SECONDS) -rss_limit_mb=4096 \
			-print_final_stats=1 $(FUZZ_DIR)/corpus/$$target fuzz/corpus/$$target 2>&1 \
			| grep -E "^(stat::number_of_executed_units|==[0-9]+==|SUMMARY|Done)" \
			| sed "s/^/fuzz_$$target: /" ; \
		test $${PIPESTATUS[0]} -eq 0 || exit 1; \
	done

bench: build
	$(BUILD_DIR)/bench/tovarin-bench
	$(BUILD_DIR)/bench/tovarin-window-bench

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR) $(FUZZ_DIR)
