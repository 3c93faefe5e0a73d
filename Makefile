# The two commands a player or developer needs: `make run` and `make test`;
# `make package` builds the .deb.
BUILD      ?= build
JOBS       ?= $(shell nproc)
ARGS       ?=
CMAKE_FLAGS ?=

.PHONY: run test build deps sanitize bench clean assets screenshots package routes

deps:
	@tools/install-deps.sh

$(BUILD)/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS)

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/app/sandrift $(ARGS)

# Tests need an X display for their OpenGL context; without one they run under Xvfb.
test: build
	@if [ -n "$$DISPLAY" ]; then \
	  ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS); \
	else \
	  xvfb-run -a -s "-screen 0 1920x1080x24" ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS); \
	fi

package: build
	cmake --build $(BUILD) --target package

sanitize:
	$(MAKE) test BUILD=build-sanitize CMAKE_FLAGS="-DSANDRIFT_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug"

bench: build
	./$(BUILD)/bench/sandrift_bench

# The README's pictures, taken by the game itself under Xvfb.
screenshots: build
	tools/screenshots/take.sh $(BUILD)/app/sandrift

assets: deps
	/usr/bin/python3 tools/assets/generate_all.py

# After a rule or a level changes: find every level's routes again (docs/LEVELS.md).
routes: build
	JOBS=$(JOBS) tools/level/make_routes.sh $(BUILD)

clean:
	rm -rf $(BUILD) build-sanitize
