# make run   installs what is missing, builds, installs the program into register/ (which no target deletes),
#            creates ulk.mdb there if none is there, starts it
# make test  installs what is missing, builds and runs every test headless
#            (WERROR=ON: compiler warnings are errors, as in the CI build .ci/run)
# make bench builds the benchmark in Release and runs it
BUILD ?= build
JOBS ?= $(shell nproc)
# The user's register: the program finds ulk.mdb beside itself, so make run
# copies the program into this folder and starts it there. No target deletes it.
REGISTER ?= register
# ON turns every compiler warning into an error. The CI build does so; a user's
# build stays OFF, so that a newer compiler's new warning does not stop make run.
WERROR ?= OFF

.PHONY: deps build run test bench clean

deps:
	sh scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DULK_WERROR=$(WERROR) >/dev/null
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@mkdir -p $(REGISTER)
	@# A register an older make run kept in the build folder moves to the
	@# register folder (with its journal and archives), never overwriting one.
	@if [ -f $(BUILD)/ulk.mdb ]; then \
	  if [ -f $(BUILD)/ulk.lck ] && ! flock -n $(BUILD)/ulk.lck true; then \
	    echo "Program beží nad $(BUILD)/ulk.mdb: ukončite ho a spustite make run znova."; exit 1; fi; \
	  target=$(REGISTER)/ulk.mdb; \
	  if [ -e $$target ]; then target=$(REGISTER)/ulk-z-$(BUILD)-$$(date +%Y%m%d-%H%M%S).mdb; fi; \
	  mv $(BUILD)/ulk.mdb $$target; \
	  if [ -f $(BUILD)/ulk.mdb-journal ]; then mv $(BUILD)/ulk.mdb-journal $$target-journal; fi; \
	  rm -f $(BUILD)/ulk.lck; \
	  echo "Register z $(BUILD)/ulk.mdb je presunutý do $$target."; \
	fi
	@for z in $(BUILD)/*.zip; do \
	  if [ -f "$$z" ] && [ ! -e "$(REGISTER)/$${z##*/}" ]; then mv "$$z" $(REGISTER)/ && echo "Archív $$z je presunutý do $(REGISTER)/."; fi; \
	done
	@cp --remove-destination $(BUILD)/ulk $(REGISTER)/ulk
	@if [ ! -f $(REGISTER)/ulk.mdb ]; then $(BUILD)/ulk-newdb $(REGISTER); fi
	cd $(REGISTER) && ./ulk

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
