# The two commands a player or developer needs: `make run` and `make test`;
# `make package` builds the .deb.
BUILD      ?= build
JOBS       ?= $(shell nproc)
ARGS       ?=
CMAKE_FLAGS ?=

FUZZ_BUILD ?= build-fuzz

.PHONY: run test build deps sanitize fuzz bench clean assets screenshots package routes windows

deps:
	@tools/install-deps.sh

$(BUILD)/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS)

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/app/sandrift $(ARGS)

# Tests need an X display for their OpenGL context; without one they run under Xvfb.
# -noreset: by default Xvfb resets whenever its last client leaves, and drops
# any connection that arrives meanwhile, so one test in a few dozen could not
# open the display.
test: build
	@if [ -n "$$DISPLAY" ]; then \
	  ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS) $(CTEST_ARGS); \
	else \
	  xvfb-run -a -s "-screen 0 1920x1080x24 -noreset" ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS) $(CTEST_ARGS); \
	fi

package: build
	cmake --build $(BUILD) --target package

# The route replays are left out: they pin the exact trajectory of the plain
# build, and the sanitizers' instrumented code rounds the player's first
# steps differently in the last bits (the memory checks lose nothing by it).
sanitize:
	$(MAKE) test BUILD=build-sanitize CMAKE_FLAGS="-DSANDRIFT_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug" \
	  CTEST_ARGS="-LE routes"

# libFuzzer needs clang; the targets are built with ASan and UBSan as well.
$(FUZZ_BUILD)/CMakeCache.txt: | deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DSANDRIFT_FUZZ=ON -DSANDRIFT_SANITIZE=ON -DSANDRIFT_BENCH=OFF

fuzz: deps $(FUZZ_BUILD)/CMakeCache.txt
	cmake --build $(FUZZ_BUILD) --target fuzzers -j $(JOBS)
	tests/fuzz/run.sh $(FUZZ_BUILD)

bench: build
	./$(BUILD)/bench/sandrift_bench
	@if [ -n "$$DISPLAY" ]; then ./$(BUILD)/bench/sandrift_frame_bench; \
	else xvfb-run -a -s "-screen 0 1920x1080x24 -noreset" ./$(BUILD)/bench/sandrift_frame_bench; fi

# The README's pictures, taken by the game itself under Xvfb.
screenshots: build
	tools/screenshots/take.sh $(BUILD)/app/sandrift

assets: deps
	/usr/bin/python3 tools/assets/generate_all.py

# The Windows zip, cross-built with MinGW-w64 from Debian's packages and
# source packages: build-windows/sandrift-VERSION-windows-x64.zip.
windows:
	JOBS=$(JOBS) tools/windows/build.sh

# After a rule or a level changes: find every level's routes again (docs/LEVELS.md).
routes: build
	JOBS=$(JOBS) tools/level/make_routes.sh $(BUILD)

clean:
	rm -rf $(BUILD) build-sanitize $(FUZZ_BUILD) build-windows
