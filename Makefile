# Build, run, test and benchmark the program. `make run` and `make test` are all a new checkout
# needs: both install the missing Debian packages first.

JOBS ?= 2
CTEST_JOBS ?= 1
GENERATOR := -G Ninja
WERROR := $(if $(CI),-DVARNEL_WERROR=ON,-DVARNEL_WERROR=OFF)
CONFIGURE = cmake -S . $(GENERATOR) $(WERROR) -Wno-dev

# A private runtime folder keeps Qt quiet and keeps tests off the desktop session's one.
export XDG_RUNTIME_DIR := /tmp/varnel-xdg-$(shell id -u)
# Compiler cache hits across checkouts: paths relative to the checkout, build folder not hashed.
export CCACHE_BASEDIR ?= $(CURDIR)
export CCACHE_NOHASHDIR ?= 1
TEST_ENV = QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy

SCREENSHOT_DIR := $(CURDIR)/build/screenshots

.PHONY: all deps configure build run test test-sanitize bench format format-check clean

all: build

deps:
	@bash scripts/install-deps.sh
	@mkdir -p -m 700 $(XDG_RUNTIME_DIR) /tmp/varnel-xdg

configure: deps
	$(CONFIGURE) -B build -DCMAKE_BUILD_TYPE=Debug

build: configure
	cmake --build build -j $(JOBS)

# Without a display the program runs on a virtual one and saves a picture of every page of the
# main window into build/screenshots, then quits.
run: configure
	cmake --build build -j $(JOBS) --target varnel-draw
	@if [ -n "$$DISPLAY" ]; then \
		build/bin/varnel-draw; \
	else \
		rm -rf $(SCREENSHOT_DIR); mkdir -p $(SCREENSHOT_DIR); \
		VARNEL_SCREENSHOT_DIR=$(SCREENSHOT_DIR) SDL_AUDIODRIVER=dummy \
			timeout 300 xvfb-run -a -s "-screen 0 1920x1080x24" build/bin/varnel-draw; \
		echo "Screenshots:"; ls -1 $(SCREENSHOT_DIR); \
	fi

test: build
	cd build && $(TEST_ENV) ctest --output-on-failure -j $(CTEST_JOBS)

# The same suite built with AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitize: deps
	$(CONFIGURE) -B build-asan -DCMAKE_BUILD_TYPE=Debug -DVARNEL_SANITIZE=ON
	cmake --build build-asan -j $(JOBS)
	cd build-asan && $(TEST_ENV) ctest --output-on-failure -j $(CTEST_JOBS)

bench: deps
	$(CONFIGURE) -B build-release -DCMAKE_BUILD_TYPE=Release
	cmake --build build-release -j $(JOBS)
	@set -e; for b in build-release/bench/bench_*; do \
		[ -f "$$b" ] && [ -x "$$b" ] || continue; \
		echo "== $$(basename $$b)"; \
		(cd build-release/bin && $(TEST_ENV) "$(CURDIR)/$$b" "$(CURDIR)/build-release/bin/"); \
	done

FORMAT_FILES = $(shell git ls-files '*.cpp' '*.h')

format:
	clang-format -i $(FORMAT_FILES)

format-check:
	clang-format --dry-run -Werror $(FORMAT_FILES)

clean:
	rm -rf build build-asan build-release
