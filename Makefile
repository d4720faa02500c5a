# Set-up, build, test and benchmark on a fresh Debian 12 machine (run as root, or with sudo).
PACKAGES := cmake ninja-build g++ libgtest-dev libbenchmark-dev qt6-base-dev qt6-charts-dev \
            qt6-svg-dev libxlsxwriter-dev libsimpleini-dev nlohmann-json3-dev xvfb xauth unzip \
            locales qt6-translations-l10n clang libclang-rt-14-dev clang-format clang-tidy git \
            parallel libcairo2-dev poppler-utils fonts-dejavu-core
BUILD_DIR := build
ASAN_DIR  := build-asan
FUZZ_DIR  := build-fuzz
FUZZ_SECONDS ?= 60
JOBS      ?= $(shell nproc)
SUDO      := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
# Warnings fail the builds made here; `make build WERROR=OFF` for a compiler that warns more.
WERROR    ?= ON
# The C++ sources and headers under version control.
SOURCES    = git ls-files '*.cpp' '*.h' '*.inc'

.PHONY: deps build run test test-asan test-fuzz fuzz fuzz-build bench format format-check tidy \
        clean

deps:
	@missing=""; \
	for p in $(PACKAGES); do dpkg -s $$p >/dev/null 2>&1 || missing="$$missing $$p"; done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y $$missing; \
	fi
	@# A locale with a decimal comma, for the tests that number texts never follow the locale.
	@if ! locale -a | grep -qix 'cs_CZ\.utf-\?8'; then \
	  $(SUDO) sed -i 's/^# *\(cs_CZ\.UTF-8 UTF-8\)/\1/' /etc/locale.gen; \
	  grep -qx 'cs_CZ.UTF-8 UTF-8' /etc/locale.gen || \
	    echo 'cs_CZ.UTF-8 UTF-8' | $(SUDO) tee -a /etc/locale.gen >/dev/null; \
	  $(SUDO) locale-gen; \
	fi

build: deps
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	      -DTESSAVIN_WERROR=$(WERROR)
	cmake --build $(BUILD_DIR) -j $(JOBS)

# Builds and starts the desktop program.
run: build
	$(BUILD_DIR)/tessavin

test: format-check build test-asan test-fuzz
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

# Every tracked source file as .clang-format has it; lists the places that differ.
format-check: deps
	@files=$$($(SOURCES)) && [ -n "$$files" ] || { echo "format-check: no sources listed by git"; exit 1; }; \
	clang-format --dry-run --Werror $$files || \
	  { echo "Unformatted sources: make format (or clang-format -i FILE)"; exit 1; }

format: deps
	clang-format -i $$($(SOURCES))

# The checks of .clang-tidy over src/, with the compile commands of the normal build.
tidy: build
	run-clang-tidy -p $(BUILD_DIR) -j $(JOBS) -quiet '$(CURDIR)/src/'

# Every test once more under AddressSanitizer and UndefinedBehaviorSanitizer (the GUI tests
# too: the calculation's worker thread and the windows' lifetimes are checked as well).
test-asan: deps
	cmake -S . -B $(ASAN_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTESSAVIN_SANITIZE=ON \
	      -DTESSAVIN_BENCH=OFF -DTESSAVIN_WERROR=$(WERROR)
	cmake --build $(ASAN_DIR) -j $(JOBS) --target engine_tests tessavin-cli ui_tests report_tests
	cd $(ASAN_DIR) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp \
	  ctest --output-on-failure -j $(JOBS)

# The file readers under libFuzzer (clang, with AddressSanitizer and UndefinedBehaviorSanitizer):
# the engine and one target per reader, nothing else.
fuzz-build: deps
	cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	      -DCMAKE_CXX_COMPILER=clang++ -DTESSAVIN_FUZZ=ON -DTESSAVIN_WERROR=$(WERROR)
	cmake --build $(FUZZ_DIR) -j $(JOBS)

# Every target for FUZZ_SECONDS seconds: executions and findings per target.
fuzz: fuzz-build
	tests/fuzz/run_fuzzers.sh $(FUZZ_DIR) -max_total_time=$(FUZZ_SECONDS)

# A short run of every target over its seeds (the regression inputs of past findings among them).
test-fuzz: fuzz-build
	tests/fuzz/run_fuzzers.sh $(FUZZ_DIR) -runs=20000

bench: build
	$(BUILD_DIR)/tessavin_bench

clean:
	rm -rf $(BUILD_DIR) $(ASAN_DIR) $(FUZZ_DIR)
