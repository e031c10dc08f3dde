# The fixed interface: build, test, demo, bench. Outputs land in build/bin/.
BUILD_DIR ?= $(CURDIR)/build
BUILD32_DIR ?= $(CURDIR)/build-i686
JOBS ?= $(shell nproc)

.PHONY: build build32 test demo bench clean

build:
	@./scripts/bootstrap.sh
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake -DCMAKE_BUILD_TYPE=Release \
	  -DDLV_WINE_RUN=$(CURDIR)/scripts/wine-run.sh >/dev/null
	@cmake --build $(BUILD_DIR) -j $(JOBS)

# The 32-bit configuration: built to keep it compiling; this machine's kernel runs no 32-bit code.
build32:
	@./scripts/bootstrap.sh
	@cmake -S . -B $(BUILD32_DIR) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release \
	  -DBUILD_TESTING=OFF >/dev/null
	@cmake --build $(BUILD32_DIR) -j $(JOBS)

test:
	@BUILD_DIR=$(BUILD_DIR) ./scripts/run-tests.sh

demo: build
	@BUILD_DIR=$(BUILD_DIR) ./scripts/demo.sh

bench: build
	@BUILD_DIR=$(BUILD_DIR) ./scripts/bench.sh

clean:
	rm -rf $(BUILD_DIR) $(BUILD32_DIR)
