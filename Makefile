# The two commands a fresh machine needs:
#   make demo   builds the plugin package and shows it at work
#   make test   builds everything and runs every test
# Each installs what is missing first (make deps).

JOBS ?= $(shell nproc)
BUILD := cmake --build --preset
CONFIGURE := cmake --preset

.PHONY: all deps dll far2l qelhost-exe package demo try screens test test-native test-fuzz test-far2l \
        test-qelhost-asan test-linux32 fuzz memcheck bench clean

all: package

deps:
	@setup/install-deps.sh

dll: deps
	@$(CONFIGURE) dll >/dev/null
	@$(BUILD) dll -j $(JOBS)

# The far2l plugin, qelfar.far-plug-mb, packaged into dist/far2l/qelfar/.
far2l: deps
	@$(CONFIGURE) far2l >/dev/null
	@$(BUILD) far2l -j $(JOBS)

# qelhost.exe, the simulated host for Windows, shipped in dist/qelhost-windows/.
qelhost-exe: deps
	@$(CONFIGURE) qelhost-windows >/dev/null
	@$(BUILD) qelhost-windows -j $(JOBS)

package: dll far2l qelhost-exe

# The shipped DLL, exactly as packaged, run in the simulated host (qelhost,
# a 32-bit Linux program, under qemu-i386-static where the configure step
# found that 32-bit programs do not run natively) through the bundled session.
demo: package
	@echo "Built the plugin packages: for Windows in dist/qelfar/ (and dist/qelfar.zip),"
	@echo "for far2l in dist/far2l/qelfar/ (and dist/qelfar-far2l.tar.gz):"
	@ls -l dist/qelfar dist/far2l/qelfar
	@$(CONFIGURE) linux32 >/dev/null
	@$(BUILD) linux32 -j $(JOBS) --target qelhost >/dev/null
	@echo
	@echo "A session of the simulated host with dist/qelfar/qelfar.dll:"
	@echo
	@bin/qelhost dist/qelfar/qelfar.dll qelhost/sessions/demo.qel

# far2l, the Linux port of the file manager, in this terminal with the plugin
# installed, in a throwaway profile and folder holding a far.ads.
try: far2l
	@far2l/try.py dist/far2l/qelfar

# The far2l screens README shows, captured by the far2l test harness.
screens: far2l
	@far2l/save_screens.py dist/far2l/qelfar

test-native: deps
	@$(CONFIGURE) native >/dev/null
	@$(BUILD) native -j $(JOBS)
	@ctest --preset native -j $(JOBS)

# The far2l package's check, and the scenarios that drive the plugin in far2l
# itself; FAR2L_TESTS=no leaves the scenarios out.
FAR2L_TESTS ?= yes
test-far2l: deps
	@$(CONFIGURE) far2l >/dev/null
	@$(BUILD) far2l -j $(JOBS)
	@ctest --preset far2l -j $(JOBS) $(if $(filter no,$(FAR2L_TESTS)),-LE far2l_scenario)

# qelhost built 32-bit with AddressSanitizer and UndefinedBehaviorSanitizer,
# and qelhost's own tests (those under qelhost/: the shipped DLL's sessions,
# the loader's refusals, the plugin faults, its unit tests).
test-qelhost-asan: deps dll
	@$(CONFIGURE) qelhost-asan >/dev/null
	@$(BUILD) qelhost-asan -j $(JOBS)
	@ctest --test-dir build/qelhost-asan/qelhost -j $(JOBS) --output-on-failure

# Runs last: its summary closes the run, and it checks the shipped DLL too;
# qelhost's tests run through qelhost.exe under Wine as well.
test-linux32: deps dll qelhost-exe
	@$(CONFIGURE) linux32 >/dev/null
	@$(BUILD) linux32 -j $(JOBS)
	@ctest --preset linux32 -j $(JOBS)

# Each fuzz target for a few seconds: a smoke test of the fuzz build.
test-fuzz: deps
	@$(CONFIGURE) fuzz >/dev/null
	@$(BUILD) fuzz -j $(JOBS)
	@ctest --preset fuzz

test: test-native
	@$(MAKE) --no-print-directory test-fuzz
	@$(MAKE) --no-print-directory test-far2l
	@$(MAKE) --no-print-directory test-qelhost-asan
	@$(MAKE) --no-print-directory test-linux32

# Each fuzz target for FUZZ_SECONDS.
FUZZ_SECONDS ?= 60
FUZZ_TARGETS := $(patsubst fuzz/%_fuzz.cpp,%,$(wildcard fuzz/*_fuzz.cpp))
fuzz: deps
	@$(CONFIGURE) fuzz >/dev/null
	@$(BUILD) fuzz -j $(JOBS)
	@for target in $(FUZZ_TARGETS); do \
	    log=build/fuzz/fuzz/$$target.log; \
	    echo "Fuzzing $$target for $(FUZZ_SECONDS) s (log: $$log)"; \
	    if ! fuzz/run_fuzz_target.sh build/fuzz $$target $(FUZZ_SECONDS) >$$log 2>&1; then \
	        tail -n 40 $$log; exit 1; \
	    fi; \
	    grep -E "^(Done|stat::number_of_executed_units|stat::new_units_added)" $$log; \
	done

# The unit tests, built without sanitizers, under valgrind memcheck.
memcheck: deps
	@$(CONFIGURE) memcheck >/dev/null
	@$(BUILD) memcheck -j $(JOBS)
	@tests/run_memcheck.sh build/memcheck/valgrind build/memcheck/tests/qelfar_tests

# Times as ratios to their baselines, then instruction counts from callgrind.
bench: deps
	@$(CONFIGURE) bench >/dev/null
	@$(BUILD) bench -j $(JOBS)
	@build/bench/bench/qelfar_bench
	@bench/count_instructions.py build/bench/bench/qelfar_bench build/bench/callgrind

clean:
	rm -rf build dist
