# Set-up, build and test in one command each; see README.md.
BUILD_DIR    ?= build
SANITIZE_DIR ?= build-sanitize
CMAKE_FLAGS  ?= -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOVARIN_WERROR=ON

.PHONY: all deps configure build test run reduce sanitize bench clean

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
# run/ (ignored by git), so they never land in the source tree.
run: build
	@mkdir -p run
	cd run && $(abspath $(BUILD_DIR))/app/tovarin

# The same reduction without a window, on the bundled example.
reduce: build
	$(BUILD_DIR)/cli/tovarin-reduce samples/worked-example.csv

sanitize: deps
	@cmake -S . -B $(SANITIZE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTOVARIN_WERROR=ON \
		-DTOVARIN_SANITIZE=ON >/dev/null
	@cmake --build $(SANITIZE_DIR)
	@ctest --test-dir $(SANITIZE_DIR) --output-on-failure -j2

bench: build
	$(BUILD_DIR)/bench/tovarin-bench
	$(BUILD_DIR)/bench/tovarin-window-bench

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR)
