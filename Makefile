# The two commands: `make run` starts Orvalet in the emulated Pocket PC,
# `make test` runs every test. Both install what is missing first.
BUILD ?= build
SCREEN ?= 240x320
JOBS ?= $(shell nproc)

.PHONY: all deps build run install-demo test bench fuzz soak stop clean

all: build

deps:
	@bash tools/install-deps.sh

$(BUILD)/build.ninja:
	@echo "== Configuring the build in $(BUILD)/"
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake >/dev/null

build: deps $(BUILD)/build.ninja
	@echo "== Building (cross-built deliverables, emulator stand-ins, host tools, tests)"
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@ORVALET_SCREEN=$(SCREEN) ORVALET_BUILD=$(abspath $(BUILD)) emulator/pocketpc run

# Orvalet installed as its users install it: the desktop installer's pages on
# an emulated desktop PC, then Orvalet in the emulated Pocket PC's tray.
install-demo: build
	@ORVALET_SCREEN=$(SCREEN) ORVALET_BUILD=$(abspath $(BUILD)) emulator/pocketpc install-demo

test: build
	@echo "== Running the tests"
	@cd $(BUILD) && ctest --output-on-failure -j 1; status=$$?; \
	  cd .. && ORVALET_BUILD=$(abspath $(BUILD)) emulator/pocketpc stop; exit $$status

bench: build
	@bash bench/bench.sh

fuzz: build
	@bash tests/host/fuzz-long.sh

# The network address helper open for ten minutes of refreshes.
soak: build
	@cd $(BUILD) && ctest -C soak -R 'iphelper\.soak' --output-on-failure; status=$$?; \
	  cd .. && ORVALET_BUILD=$(abspath $(BUILD)) emulator/pocketpc stop; exit $$status

stop:
	@emulator/pocketpc stop

clean:
	rm -rf $(BUILD) out
