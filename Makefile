# Thin wrapper over CMake. `make run` and `make test` set up everything they need.
BUILD ?= build
SAN_BUILD ?= build-sanitize
BENCH_BUILD ?= build-bench
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?=

# Any sanitizer report fails the run. Leaks are checked too; tools/lsan.supp is the place for
# allocations that system libraries keep until exit (none needed so far), tools/asan.supp for
# reports inside system libraries that are not faults.
SAN_ENV = ASAN_OPTIONS=halt_on_error=1:abort_on_error=1:detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1:suppressions=$(CURDIR)/tools/asan.supp \
	UBSAN_OPTIONS=halt_on_error=1:abort_on_error=1:print_stacktrace=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tools/lsan.supp:print_suppressions=0

.PHONY: deps configure build run test clean package check-package test-sanitize bench check-a11y \
	check-layers check-format check-translations check-names

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/kalder-vitalon

test: build
	@tools/check-layers >/dev/null
	@tools/check-names
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# Which folder of src/ includes which; fails on an upward include or a cycle between folders.
check-layers:
	@tools/check-layers

# Fails on a design-numbered C++ identifier (Label12, Slider2, ...) in the windows' sources.
check-names:
	@tools/check-names

# Fails on any C++ file that differs from clang-format's output.
check-format:
	@scripts/install-deps format
	@tools/check-format

# Fails when the English catalogue lacks a translation or differs from lupdate's output over src/.
check-translations: deps
	@tools/check-translations

# A Debian package of the Release build, named kalder-vitalon_<version>_<arch>.deb.
package: build
	@cd $(BUILD) && cpack -G DEB
	@ls $(BUILD)/*.deb

check-package: package
	@scripts/install-deps package
	@tools/check-package $(BUILD)

# The whole suite built with AddressSanitizer and UndefinedBehaviorSanitizer, the end-to-end
# flows included: they run the sanitized program on X11 through real windows and a clean exit.
test-sanitize: deps
	@cmake -S . -B $(SAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DVITALON_SANITIZE=ON $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(SAN_BUILD) -j $(JOBS)
	@cd $(SAN_BUILD) && $(SAN_ENV) QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# Start-up, memory and idle CPU against a bare Qt window, and every benchmark under bench/.
bench:
	@scripts/install-deps tools
	@cmake -S . -B $(BENCH_BUILD) -DCMAKE_BUILD_TYPE=Release -DVITALON_BUILD_BENCH=ON -DVITALON_BUILD_TESTS=OFF $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BENCH_BUILD) -j $(JOBS)
	@tools/bench-report $(BENCH_BUILD)

# Reads the running program's window through AT-SPI and lists every input with its name.
check-a11y: build
	@scripts/install-deps tools
	@tools/check-a11y $(BUILD)/kalder-vitalon

clean:
	rm -rf $(BUILD) $(SAN_BUILD) $(BENCH_BUILD)
