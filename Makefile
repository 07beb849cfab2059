# Ledgerline: the two everyday commands are `make run` and `make test`.
BUILD ?= build
RUN   ?= run
JOBS  ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: all deps configure build run demo test format bench fuzz clean install package package-test

all: build

deps:
	@scripts/install-deps

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

configure: deps $(BUILD)/CMakeCache.txt

build: configure
	cmake --build $(BUILD) -j $(JOBS)

# Prepares the program folder run/ and starts Ledgerline in it; without a display it
# shows the tour instead. Where no MICR65 is installed, it installs the MICR font for this
# user, so that other programs see it too.
run: build
	@scripts/prepare-run $(BUILD) $(RUN)
	@scripts/install-micr-font $(BUILD)/fonts/MICR65.ttf
	@if [ -n "$$DISPLAY" ] || [ -n "$$WAYLAND_DISPLAY" ]; then \
	    cd $(RUN) && exec ../$(BUILD)/ledgerline --folder .; \
	else \
	    echo "No display found (neither DISPLAY nor WAYLAND_DISPLAY is set): showing the tour with 'make demo' instead."; \
	    $(MAKE) --no-print-directory demo; \
	fi

# Pictures every screen and prints every layout into run/demo/, made by the real code.
demo: build
	@scripts/prepare-run $(BUILD) $(RUN)
	@cd $(RUN) && QT_QPA_PLATFORM=offscreen ../$(BUILD)/ledgerline-demo

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# Every benchmark, then the one table of all their rows (also $(BUILD)/bench/summary.json).
# The databases they run on are made once and kept in $(BUILD)/bench/data.
bench: build
	rm -rf $(BUILD)/bench/rows $(BUILD)/bench/summary.json
	cd $(BUILD) && for b in bench/bench_*; do if [ -f "$$b" ] && [ -x "$$b" ]; then "$$b" || exit 1; fi; done
	$(BUILD)/bench/bench-summary $(BUILD)/bench

# Builds the fuzzers with clang, ASan and UBSan in $(BUILD)/fuzz-build and runs them for
# FUZZ_SECONDS (600 unless given: `make fuzz FUZZ_SECONDS=60`).
fuzz: configure
	fuzz/run-fuzz.sh $(BUILD) $(or $(FUZZ_SECONDS),600)

# Installs Ledgerline into PREFIX (/usr/local unless given), below DESTDIR when that is set:
# `make install PREFIX=$$HOME/.local` or `make install DESTDIR=/tmp/stage PREFIX=/usr`.
PREFIX ?= /usr/local
install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)"

# The Debian package $(BUILD)/ledgerline_<version>_<arch>.deb; `apt install ./that.deb`.
package: build
	cd $(BUILD) && cpack -G DEB

# Installs the package in a fresh Debian 12 system under $(BUILD)/package-test and uses it
# as a user would (needs root, debootstrap and the network to the machine's apt source).
package-test: package
	scripts/package-test $(BUILD)

format:
	find src tests bench fuzz tools -name '*.cpp' -o -name '*.h' 2>/dev/null | xargs -r clang-format -i

# Never into another file system: should a package test have been killed with its test
# system's /dev and /proc still mounted, those stay as they are.
clean:
	rm -rf --one-file-system $(BUILD)
