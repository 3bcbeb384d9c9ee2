# make run   installs what is missing, builds, creates ulk.mdb beside the program if none is there, starts it
# make test  installs what is missing, builds and runs every test headless
# make bench builds the benchmark in Release and runs it
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: deps build run test bench clean

deps:
	sh scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@if [ ! -f $(BUILD)/ulk.mdb ]; then $(BUILD)/ulk-newdb $(BUILD); fi
	$(BUILD)/ulk

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# Sizes of the registers measured: make bench SIZES="20000 200000 1000000".
# Windows are timed on the X server in DISPLAY when there is one: xvfb-run make bench.
SIZES ?= 20000 200000
bench: deps
	cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release >/dev/null
	cmake --build build-release -j $(JOBS) --target ulk-bench ulk ulk-generate
	build-release/bench/ulk-bench $(SIZES)

clean:
	rm -rf $(BUILD) build-release
