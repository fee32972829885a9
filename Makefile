# Two entry points for people and for CI: `make run` and `make test`.
# Both install the Debian packages the build needs when they are missing (see deps).
# `make test SANITIZE=1`: the same build and tests with AddressSanitizer and
# UndefinedBehaviorSanitizer, in a build folder of their own.
ifeq ($(SANITIZE),1)
BUILD ?= build-sanitize
CMAKE_FLAGS += -DCARTAVOX_SANITIZE=ON
# intercept_tls_get_addr=0: g++ 12's runtime takes some glibc thread-local blocks for an old
# layout and its leak check then crashes at exit; see the README's section on the sanitizers.
export ASAN_OPTIONS := halt_on_error=1:detect_leaks=1:intercept_tls_get_addr=0
export UBSAN_OPTIONS := halt_on_error=1:print_stacktrace=1
export LSAN_OPTIONS := suppressions=$(CURDIR)/tests/sanitize/lsan-qt.supp:print_suppressions=0
endif
BUILD ?= build
FUZZ_BUILD ?= build-fuzz
JOBS ?= $(shell nproc)
PACKAGES := cmake g++ make ccache pkg-config qt6-base-dev libxcb1-dev qt6-svg-dev libqt6svg6 qt6-translations-l10n \
            fonts-liberation fonts-dejavu-core libzip-dev libxml2-dev poppler-utils desktop-file-utils appstream \
            dosfstools fusefat
FUZZ_PACKAGES := clang libclang-rt-14-dev
DEB_PACKAGES := dpkg-dev file
PREFIX ?= $(HOME)/.local

.PHONY: deps configure build program run test bench format clean gallery fuzz deb install uninstall

# Without root the packages come through sudo; without sudo either, `make` names the missing
# packages and the one line to run as root, and stops.
deps:
	@missing=$$(for p in $(PACKAGES); do dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'ok installed' || echo $$p; done); \
	missing=$$(echo $$missing); \
	if [ -n "$$missing" ]; then \
		if [ "$$(id -u)" = 0 ]; then \
			echo "Installing missing packages: $$missing"; \
			apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $$missing; \
		elif command -v sudo >/dev/null 2>&1; then \
			echo "Installing missing packages: $$missing"; \
			sudo apt-get update -qq && sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $$missing; \
		else \
			echo "These Debian packages are missing: $$missing"; \
			echo "There is no sudo here: run this line as root, then make again:"; \
			echo "    apt-get update && apt-get install -y $$missing"; \
			exit 1; \
		fi; \
	fi

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)

configure: deps $(BUILD)/CMakeCache.txt

# Everything: the program, its tests, benchmarks and tools.
build: configure
	cmake --build $(BUILD) -j $(JOBS)

# Only what the program folder and its installation need: the program, its manual, its password
# file, its icons and the Debian documents; no test and no benchmark.
program: configure
	cmake --build $(BUILD) -j $(JOBS) --target program

run: program
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

# The program, its launcher, menu entry, icons and metadata under PREFIX (default ~/.local; a
# system prefix such as /usr/local needs root). What was installed is kept in
# $(BUILD)/installed_files.txt, a copy of CMake's install_manifest.txt, which `make deb` would
# overwrite with the package's own paths. `make uninstall` removes those files and never the user's
# archives, photos, documents, exports or changed password.
install: program
	cmake --install $(BUILD) --prefix "$(PREFIX)"
	cp $(BUILD)/install_manifest.txt $(BUILD)/installed_files.txt

uninstall:
	@$(MAKE) --no-print-directory deps PACKAGES=cmake
	cmake -DMANIFEST=$(BUILD)/installed_files.txt -DSHIPPED_PASSWORD_FILE=$(BUILD)/packaging/unins000.dll \
	      -P packaging/uninstall.cmake

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

# A Debian package that installs to /usr, in build/packages/ (not part of `make test`). It depends
# on the libraries the program links (Qt, libzip, libxml2), found by dpkg-shlibdeps, and on the
# fonts it uses.
deb: program
	@$(MAKE) --no-print-directory deps PACKAGES="$(DEB_PACKAGES)"
	cd $(BUILD) && cpack -G DEB
