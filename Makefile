# The two commands a new user types: `make run` and `make test`.
BUILD_DIR ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?=

.PHONY: all deps configure build test run package package-test sanitize format clean

all: build

deps:
	@./scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

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

format: configure
	cmake --build $(BUILD_DIR) --target format

clean:
	rm -rf $(BUILD_DIR) build-sanitize
