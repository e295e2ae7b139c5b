# Two commands: `make run` starts the live demo, `make test` runs every test suite.
JOBS ?= $(shell nproc)
BUILD_DIR ?= build
TEST_BUILD_DIR ?= build-test
TSAN_BUILD_DIR ?= build-tsan

.PHONY: all deps build run test test-tsan bench fuzz soak clean

all: build

deps:
	@scripts/install-deps

build: deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release -DPELLAMY_TESTS=OFF -DPELLAMY_SANITIZE=OFF \
		-DPELLAMY_TSAN=OFF >/dev/null
	@cmake --build $(BUILD_DIR) -j $(JOBS)

# The tray beside the stand-in tool on a demo home; see README.
run: build
	@scripts/demo $(BUILD_DIR)

# Sanitizers (address and undefined behaviour) and warnings-as-errors are on for tests;
# then the threaded suites again under ThreadSanitizer.
test: deps
	@cmake -S . -B $(TEST_BUILD_DIR) -DPELLAMY_SANITIZE=ON -DPELLAMY_WERROR=ON >/dev/null
	@cmake --build $(TEST_BUILD_DIR) -j $(JOBS)
	@cd $(TEST_BUILD_DIR) && ctest --output-on-failure -j $(JOBS)
	@$(MAKE) --no-print-directory test-tsan

# Shared state, monitor, server, event loop and the tray end to end under
# ThreadSanitizer; every executable halts on its first report.
test-tsan: deps
	@cmake -S . -B $(TSAN_BUILD_DIR) -DPELLAMY_TSAN=ON -DPELLAMY_WERROR=ON >/dev/null
	@cmake --build $(TSAN_BUILD_DIR) -j $(JOBS)
	@cd $(TSAN_BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD_DIR) $(TEST_BUILD_DIR) $(TSAN_BUILD_DIR) build-bench build-fuzz

# Benchmarks build in Release; each bench/*_bench.cpp becomes build-bench/bench/NAME.
bench: deps
	@cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DPELLAMY_TESTS=OFF -DPELLAMY_BENCHMARKS=ON >/dev/null
	@cmake --build build-bench -j $(JOBS)

# Fuzzers need clang 19 (libstdc++'s <expected> is too new for older clang);
# each fuzz/*_fuzz.cpp runs FUZZ_SECONDS under AddressSanitizer and UBSan.
FUZZ_SECONDS ?= 120
fuzz:
	@scripts/install-deps fuzz
	@cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++-19 -DPELLAMY_FUZZ=ON -DPELLAMY_SANITIZE=ON \
		-DPELLAMY_WERROR=ON -DPELLAMY_TESTS=OFF >/dev/null
	@cmake --build build-fuzz -j $(JOBS) --target pellamy_fuzzers
	@fuzz/run build-fuzz $(FUZZ_SECONDS)

# The Release tray for SOAK_SECONDS under a faulty tool, polling clients and a
# hostile one; figures in $(BUILD_DIR)/soak/. See README.
SOAK_SECONDS ?= 600
soak: build
	@/usr/bin/python3 -B tests/soak/soak.py --tray $(BUILD_DIR)/pellamy-tray --out $(BUILD_DIR)/soak \
		--seconds $(SOAK_SECONDS)
