# Two entry points for people and for CI: `make run` and `make test`.
# Both install the Debian packages the build needs when they are missing.
# `make test SANITIZE=1`: the same build and tests with AddressSanitizer and
# UndefinedBehaviorSanitizer, in a build folder of their own.
ifeq ($(SANITIZE),1)
BUILD ?= build-sanitize
CMAKE_FLAGS += -DCARTAVOX_SANITIZE=ON
export ASAN_OPTIONS := halt_on_error=1:detect_leaks=1
export UBSAN_OPTIONS := halt_on_error=1:print_stacktrace=1
export LSAN_OPTIONS := suppressions=$(CURDIR)/tests/sanitize/lsan-qt.supp:print_suppressions=0
endif
BUILD ?= build
FUZZ_BUILD ?= build-fuzz
JOBS ?= $(shell nproc)
PACKAGES := cmake g++ make ccache qt6-base-dev libxcb1-dev qt6-svg-dev libqt6svg6 qt6-translations-l10n fonts-liberation fonts-dejavu-core \
            poppler-utils
FUZZ_PACKAGES := clang libclang-rt-14-dev
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: deps configure build run test bench format clean gallery fuzz

deps:
	@missing=$$(for p in $(PACKAGES); do dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'ok installed' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
		echo "Installing missing packages:" $$missing; \
		$(SUDO) apt-get update -qq && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq $$missing; \
	fi

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)

configure: deps $(BUILD)/CMakeCache.txt

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@if [ -z "$$DISPLAY$$WAYLAND_DISPLAY$$QT_QPA_PLATFORM" ]; then \
		echo "No display found: run it under a display, e.g. 'xvfb-run make run', or 'QT_QPA_PLATFORM=vnc make run' and connect a VNC viewer to port 5900 (it accepts anyone who reaches the port, without a password: on an untrusted network reach it only through an SSH tunnel, 'ssh -L 5900:localhost:5900 host', and keep the port closed)."; \
	else \
		cd $(BUILD)/Cartavox && ./Cartavox; \
	fi

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# Every benchmark to its end, each printing its figures beside their targets. Without a display
# they draw on Qt's offscreen screen, of the size the tests use.
bench: build
	@set -e; for bench in $(BUILD)/bench/bench_*; do \
		[ -x "$$bench" ] && [ -f "$$bench" ] || continue; \
		echo "== $$(basename $$bench)"; \
		if [ -z "$$DISPLAY$$WAYLAND_DISPLAY$$QT_QPA_PLATFORM" ]; then \
			QT_QPA_PLATFORM=offscreen:configfile=$(CURDIR)/tests/support/offscreen.json "$$bench"; \
		else \
			"$$bench"; \
		fi; \
	done

format:
	@$(MAKE) --no-print-directory deps PACKAGES=clang-format
	find src tests bench tools -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD)

# Pictures of the windows under a virtual screen, in build/gallery/.
gallery: build
	@$(MAKE) --no-print-directory deps PACKAGES=xvfb
	xvfb-run -a -s "-screen 0 1366x768x24" $(BUILD)/tools/cartavox-gallery $(BUILD)/gallery $(WINDOWS)

# The fuzz targets of tests/fuzz, built by clang with libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer in build-fuzz/ (not part of `make test`). Running them: see the README.
fuzz: deps
	@$(MAKE) --no-print-directory deps PACKAGES="$(FUZZ_PACKAGES)"
	cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DCARTAVOX_FUZZ=ON
	cmake --build $(FUZZ_BUILD) -j $(JOBS)
