# The two commands a new user types: `make run` and `make test`.
BUILD_DIR ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?=

.PHONY: all deps configure build test run sanitize format clean

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

# The whole suite under AddressSanitizer and UndefinedBehaviorSanitizer.
sanitize:
	$(MAKE) test BUILD_DIR=build-sanitize CMAKE_FLAGS="-DKANATSUMUGI_SANITIZE=ON -DKANATSUMUGI_BUILD_BENCHMARKS=OFF"

format: configure
	cmake --build $(BUILD_DIR) --target format

clean:
	rm -rf $(BUILD_DIR) build-sanitize
