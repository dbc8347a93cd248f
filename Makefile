# Thin wrapper around CMake. `make run` starts the program, `make test` runs every test.
JOBS ?= $(shell nproc)
BUILD ?= build
PREFIX ?= /usr/local

.PHONY: deps release run test test-asan test-tsan test-fuzz install bench clean

deps:
	./scripts/install-deps

release: deps
	cmake -S . -B $(BUILD)/release -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORA_BUILD_TESTS=OFF
	cmake --build $(BUILD)/release -j $(JOBS)

run: release
	./scripts/run-program $(BUILD)/release

test: deps test-asan test-tsan test-fuzz

test-asan:
	cmake -S . -B $(BUILD)/asan -DCMAKE_BUILD_TYPE=Debug -DVELMORA_SANITIZE=address -DVELMORA_BUILD_BENCH=OFF
	cmake --build $(BUILD)/asan -j $(JOBS)
	cd $(BUILD)/asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
		ctest --output-on-failure -j $(JOBS) --timeout 300

test-tsan:
	cmake -S . -B $(BUILD)/tsan -DCMAKE_BUILD_TYPE=Debug -DVELMORA_SANITIZE=thread -DVELMORA_BUILD_BENCH=OFF
	cmake --build $(BUILD)/tsan -j $(JOBS) --target thread_tests
	cd $(BUILD)/tsan && TSAN_OPTIONS=halt_on_error=1 ctest --output-on-failure -j $(JOBS) -L thread --timeout 300

test-fuzz:
	CC=clang CXX=clang++ cmake -S . -B $(BUILD)/fuzz -DCMAKE_BUILD_TYPE=Debug -DVELMORA_FUZZ=ON
	cmake --build $(BUILD)/fuzz -j $(JOBS)
	cd $(BUILD)/fuzz && ctest --output-on-failure --timeout 300

bench: deps
	cmake -S . -B $(BUILD)/bench -DCMAKE_BUILD_TYPE=Release -DVELMORA_BUILD_TESTS=OFF
	cmake --build $(BUILD)/bench -j $(JOBS)
	./scripts/run-benchmarks $(BUILD)/bench

install: release
	cmake --install $(BUILD)/release --prefix $(PREFIX)

clean:
	rm -rf $(BUILD)
