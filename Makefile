# The two commands a new user types: `make run` and `make test`.
BUILD_DIR ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?=

.PHONY: all deps configure build test run package package-test sanitize fuzz fuzz-build format tidy clean

all: build

# Asking dpkg about every package takes seconds; a stamp remembers that they were all there
# until the list or the installer changes.
DEPS_STAMP := $(BUILD_DIR)/.deps-installed
deps: $(DEPS_STAMP)
$(DEPS_STAMP): scripts/debian-packages.txt scripts/install-deps.sh
	@./scripts/install-deps.sh
	@mkdir -p $(@D) && touch $@

configure: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

# `make test SKIP_SLOW=1` leaves out the tests labelled slow (whole days of names);
# CI runs them all.
test: build fuzz-build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS) $(if $(SKIP_SLOW),-LE slow)
	cd $(FUZZ_DIR) && ctest --output-on-failure -R fuzzer

run: build
	./scripts/run-window.sh $(BUILD_DIR)

# A Debian package, build/kanatsumugi_VERSION_ARCH.deb.
package: build
	cd $(BUILD_DIR) && cpack -G DEB

# Installs the package into THIS machine with apt, checks the installed program, and
# removes the package again. CI runs it; it needs root (or sudo).
SUDO := $(shell [ "$$(id -u)" -eq 0 ] || echo sudo)
package-test: package
	DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -q $(abspath $(BUILD_DIR))/kanatsumugi_*.deb
	$(SUDO) tests/package/installed-package.sh

# The whole suite under AddressSanitizer and UndefinedBehaviorSanitizer.
sanitize:
	$(MAKE) test BUILD_DIR=build-sanitize CMAKE_FLAGS="-DKANATSUMUGI_SANITIZE=ON -DKANATSUMUGI_BUILD_BENCHMARKS=OFF"

# The fuzzers, built with clang in their own folder; `make fuzz` runs each for FUZZ_SECONDS.
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 300
fuzz-build: deps
	CXX=clang++ cmake -S . -B $(FUZZ_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKANATSUMUGI_FUZZ=ON \
	    -DKANATSUMUGI_BUILD_BENCHMARKS=OFF
	cmake --build $(FUZZ_DIR) -j $(JOBS) --target stock_loader_fuzzer

fuzz: fuzz-build
	sh tests/stock/run-loader-fuzzer.sh $(FUZZ_DIR)/tests/stock/stock_loader_fuzzer \
	    $(FUZZ_DIR)/tests/stock/fuzz $(FUZZ_SECONDS)

format: configure
	cmake --build $(BUILD_DIR) --target format

# clang-tidy over every source of src/ and tests/, with the checks of .clang-tidy; any finding fails.
# `make tidy TIDY_FLAGS=-fix` applies the fixes it knows.
TIDY_FLAGS ?=
tidy: build
	run-clang-tidy -p $(BUILD_DIR) -j $(JOBS) -quiet $(TIDY_FLAGS) '$(CURDIR)/(src|tests)/'

clean:
	rm -rf $(BUILD_DIR) build-sanitize $(FUZZ_DIR)
