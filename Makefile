# Quick start: `make run` builds and starts the program, `make test` builds and runs every test.
BUILD      := build
JOBS       ?= $(shell nproc)
SERVICE_PORT := 8049

.PHONY: run test build bootstrap asan fuzz screenshots bench service package clean

bootstrap:
	@scripts/bootstrap

$(BUILD)/build.ninja: CMakeLists.txt | bootstrap
	@cmake --preset default >/dev/null

build: bootstrap $(BUILD)/build.ninja
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	  echo "make run: no graphical display (DISPLAY is not set); start KOMBITRON from a desktop session."; exit 1; fi
	@scripts/start-service $(BUILD) $(SERVICE_PORT)
	@$(BUILD)/src/ui/kombitron

test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

asan: bootstrap
	@cmake --preset asan >/dev/null
	@cmake --build build-asan -j $(JOBS)
	@cd build-asan && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --output-on-failure -j $(JOBS)

fuzz: bootstrap
	@cmake --preset fuzz >/dev/null
	@cmake --build build-fuzz -j $(JOBS)
	@scripts/run-fuzzers build-fuzz 120

screenshots: build
	@$(BUILD)/tests/ui/kombitron_screenshots $(BUILD)/screenshots

bench: build
	@$(BUILD)/bench/kombitron_bench
	@$(BUILD)/bench/kombitron_ui_bench

# The Debian package build-pkg/kombitron_VERSION_ARCH.deb, from a build folder of its own: the
# package's prefix (/usr), optimised programs with Debian's hardening flags, no tests built.
package:
	@scripts/bootstrap package
	@cmake --preset package >/dev/null
	@cmake --build build-pkg -j $(JOBS) --target kombitron kombitron-cli kombitron-resultsd kombitron_docs
	@cd build-pkg && cpack -G DEB

service: build
	@scripts/start-service $(BUILD) $(SERVICE_PORT)

clean:
	rm -rf build build-asan build-fuzz build-pkg
