# The two entry points of the README: `make run` and `make test`.
BUILD ?= build
JOBS ?= 2
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: deps configure build run test bench fuzz fuzz-build fuzz-ci package clean format

deps:
	./scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j$(JOBS)

# Only the editor and what it links: the tests and benchmarks wait for `make test`.
run: configure
	cmake --build $(BUILD) -j$(JOBS) --target morvet
	./$(BUILD)/morvet

# The engine tests skip, saying why, when npm cannot fetch their packages.
test: build
	-./scripts/install-engine-packages.sh $(BUILD)
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

bench: configure
	cmake --build $(BUILD) -j$(JOBS) --target morvet-bench
	./$(BUILD)/bench/morvet-bench

# Fuzzes the file reader, then the simulation's entry, with libFuzzer for
# FUZZ_SECONDS each, one job, from a random seed. New inputs go to
# $(FUZZ_BUILD)/corpus and corpus-simulate, crashes to $(FUZZ_BUILD)/;
# fuzz/corpus holds the seeds (add every crash input there).
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
fuzz: fuzz-build
	mkdir -p $(FUZZ_BUILD)/corpus
	./$(FUZZ_BUILD)/fuzz/fuzz_reader -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
		-artifact_prefix=$(FUZZ_BUILD)/ $(FUZZ_BUILD)/corpus fuzz/corpus
	mkdir -p $(FUZZ_BUILD)/corpus-simulate
	./$(FUZZ_BUILD)/fuzz/fuzz_simulate -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
		-artifact_prefix=$(FUZZ_BUILD)/ $(FUZZ_BUILD)/corpus-simulate fuzz/corpus

fuzz-build: deps
	cmake -S . -B $(FUZZ_BUILD) -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DMORVET_FUZZ=ON -DBUILD_TESTING=OFF -DMORVET_BUILD_BENCH=OFF
	cmake --build $(FUZZ_BUILD) -j$(JOBS) --target fuzz_reader fuzz_simulate

# CI's fuzzing: the same targets with a fixed seed and a fixed number of runs
# over the seed corpus alone, so a commit either passes it every time or fails
# it every time; finding new crashes is the job of `make fuzz`. Coverage must
# not depend on the run either: no address randomisation (pointers order some
# containers), a fixed Qt hash seed, and no periodic corpus reload.
FUZZ_SEED ?= 1
FUZZ_READER_RUNS ?= 300000
FUZZ_SIMULATE_RUNS ?= 500000
FUZZ_FIXED = QT_HASH_SEED=0 setarch $$(uname -m) -R
fuzz-ci: fuzz-build
	rm -rf $(FUZZ_BUILD)/ci && mkdir -p $(FUZZ_BUILD)/ci/reader $(FUZZ_BUILD)/ci/simulate
	$(FUZZ_FIXED) ./$(FUZZ_BUILD)/fuzz/fuzz_reader -seed=$(FUZZ_SEED) -runs=$(FUZZ_READER_RUNS) \
		-reload=0 -print_final_stats=1 -artifact_prefix=$(FUZZ_BUILD)/ \
		$(FUZZ_BUILD)/ci/reader fuzz/corpus
	$(FUZZ_FIXED) ./$(FUZZ_BUILD)/fuzz/fuzz_simulate -seed=$(FUZZ_SEED) -runs=$(FUZZ_SIMULATE_RUNS) \
		-reload=0 -print_final_stats=1 -artifact_prefix=$(FUZZ_BUILD)/ \
		$(FUZZ_BUILD)/ci/simulate fuzz/corpus

# The .deb of the editor and morvet-tool, in $(BUILD)/deb: the tested build
# (hardened, see CMakeLists.txt) packed by CPack, the one the lintian test checks.
package: build
	./scripts/build-deb.sh $(BUILD)

clean:
	rm -rf $(BUILD)

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')
