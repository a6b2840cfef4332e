# Quick start: `make run` and `make test`. Both install what is missing first.
PRESET        ?= default
BUILD_DIR     := build/$(PRESET)
FUZZ_SECONDS  ?= 60
DEMO_DIR      := $(BUILD_DIR)/demo

.PHONY: run demo test bench fuzz deps build clean

deps:
	@scripts/install-deps

build: deps
	@cmake --preset $(PRESET) >/dev/null
	@cmake --build --preset $(PRESET)

# The program, from the build tree with the shipped data files.
run: build
	$(BUILD_DIR)/bin/qrv

# A short demonstration of qrvctl: create a codeplug, show its identity and contents.
demo: build
	@mkdir -p $(DEMO_DIR)
	$(BUILD_DIR)/bin/qrvctl new -o $(DEMO_DIR)/demo.dat --range 400-470 --comment "Demonstration codeplug"
	$(BUILD_DIR)/bin/qrvctl info $(DEMO_DIR)/demo.dat
	$(BUILD_DIR)/bin/qrvctl dump $(DEMO_DIR)/demo.dat

test: build
	@ctest --preset $(PRESET)

bench: build
	@$(BUILD_DIR)/bin/qrv_bench_datafile
	@$(BUILD_DIR)/bin/qrv_bench_transfer
	@$(BUILD_DIR)/bin/qrv_bench_startup

fuzz: deps
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz
	@for target in build/fuzz/bin/fuzz_*; do \
	  name=$$(basename $$target); \
	  echo "== $$name for $(FUZZ_SECONDS) s"; \
	  mkdir -p build/fuzz/corpus/$$name; \
	  $$target -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	    build/fuzz/corpus/$$name tests/fuzz/corpus/$$name || exit 1; \
	done

clean:
	rm -rf build
