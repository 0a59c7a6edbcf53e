# The README's commands. Each target installs what is missing, configures, builds and runs.
BUILD_DIR ?= build
BUILD_TYPE ?= Release
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
ZEMTRAL_WERROR ?= OFF

.PHONY: run test bench deps configure build clean format

run: build
	@$(BUILD_DIR)/zemtral

# Every test runs twice: under C.UTF-8 and under de_DE.UTF-8, the locale of the program's users.
test: build
	cd $(BUILD_DIR) && LANG=C.UTF-8 LC_ALL=C.UTF-8 QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)
	cd $(BUILD_DIR) && LANG=de_DE.UTF-8 LC_ALL=de_DE.UTF-8 QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: build
	@for b in $(BUILD_DIR)/bench/bench_*; do \
	  [ -x "$$b" ] || continue; echo "== $$b"; "$$b" --benchmark_min_time=0.2 || exit 1; \
	done

deps:
	@bash scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DZEMTRAL_WERROR=$(ZEMTRAL_WERROR)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

format:
	@find src tests bench -name '*.h' -o -name '*.cpp' | xargs clang-format -i

clean:
	rm -rf $(BUILD_DIR)

# The file readers under libFuzzer (clang, AddressSanitizer, UndefinedBehaviorSanitizer), each for
# FUZZ_SECONDS, one after another; fails on the first finding.
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60
.PHONY: fuzz asan
fuzz:
	@bash scripts/fuzz.sh $(FUZZ_DIR) $(FUZZ_SECONDS)

# The core, zemtral-cli and their tests with AddressSanitizer and UndefinedBehaviorSanitizer.
ASAN_DIR ?= build-asan
asan: deps
	@bash scripts/sanitize.sh $(ASAN_DIR)
