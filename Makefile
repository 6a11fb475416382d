# Thin wrapper over CMake + Ninja. `make demo`, `make test` and `make bench` work on a fresh machine.
JOBS ?= $(shell nproc)
BUILD ?= build
SANITIZE_BUILD ?= build-sanitize
DEMO_OUT ?= out/demo

.PHONY: deps build build-sanitize demo test bench clean

deps:
	scripts/install-deps

build: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZELTOR_WERROR=ON
	cmake --build $(BUILD) -j $(JOBS)

build-sanitize: deps
	cmake -S . -B $(SANITIZE_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZELTOR_SANITIZE=ON -DZELTOR_WERROR=ON
	cmake --build $(SANITIZE_BUILD) -j $(JOBS)

demo: build
	$(BUILD)/host/nelvar/nelvar register
	$(BUILD)/host/nelvar/nelvar tests
	$(BUILD)/host/nelvar/nelvar instrument --port sim
	@# Exit status 3 is a test that ran and did not pass: its files are written all the same.
	$(BUILD)/host/nelvar/nelvar run 100 --port sim --minutes 1 --auto --fullscreen --out $(DEMO_OUT) || [ $$? -eq 3 ]
	@echo "The demo's files: $(DEMO_OUT)/result.xml (the saved result), $(DEMO_OUT)/report.pdf (its report), $(DEMO_OUT)/test-guide.png (the test's window), $(DEMO_OUT)/fullscreen.png (its full-screen live view just after the snapshot)"

test: build build-sanitize
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	cd $(SANITIZE_BUILD) && ctest --output-on-failure -j $(JOBS)

bench: build
	@for b in $(BUILD)/bench/bench_*; do [ -f "$$b" ] && [ -x "$$b" ] || continue; echo "== $$b"; "$$b"; done

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD)
