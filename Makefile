# Two entry points: `make run` and `make test`. Both install what is missing, configure and build.
BUILD ?= build
JOBS  ?= $(shell nproc)

.PHONY: run test build deps configure bench clean

run: build
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ] && [ -x $(BUILD)/src/vx/VX ]; then \
	  $(BUILD)/src/vx/VX; \
	else \
	  echo '{}' | $(BUILD)/src/cli/vxrate rate --table; \
	fi

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS) --timeout 600

build: configure
	cmake --build $(BUILD) -j $(JOBS)

configure: deps
	@[ -f $(BUILD)/build.ninja ] || cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release

deps:
	@bash tools/install-deps.sh

bench: build
	@for b in $(BUILD)/bench/bench_*; do $$b; done

clean:
	rm -rf $(BUILD)
