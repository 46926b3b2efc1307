# The two commands a fresh machine needs:
#   make demo   builds the plugin package and shows it at work
#   make test   builds everything and runs every test
# Each installs what is missing first (make deps).

JOBS ?= $(shell nproc)
BUILD := cmake --build --preset
CONFIGURE := cmake --preset
# Configures and builds the presets named; within one `make test`, each once.
BUILD_ONCE := @tests/build_once.sh $(JOBS)
# The folders the builds ship into (QELFAR_PACKAGE_FOLDER and the others),
# as cmake/dist_folders.cmake names them.
$(foreach folder,$(shell cmake -P cmake/dist_folders.cmake 2>&1),$(eval $(folder)))
# No "Entering directory" lines, here or from the builds' own makes.
MAKEFLAGS += --no-print-directory

.PHONY: all deps dll far2l qelhost-exe package deb release update-expected demo try screens test fuzz \
        coverage memcheck bench clean

all: package

deps:
	@setup/install-deps.sh

dll: deps
	$(BUILD_ONCE) dll

# The far2l plugin, qelfar.far-plug-mb, packaged into $(QELFAR_FAR2L_PACKAGE_FOLDER)/.
far2l: deps
	$(BUILD_ONCE) far2l

# qelhost.exe, the simulated host for Windows, shipped in $(QELHOST_DIST_FOLDER)/.
qelhost-exe: deps
	$(BUILD_ONCE) qelhost-windows

package: dll far2l qelhost-exe

# The far2l plugin's Debian package, $(QELFAR_DIST_FOLDER)/far2l-qelfar_VERSION_ARCH.deb
# (the far2l build makes it too).
deb: far2l
	@$(BUILD) far2l --target deb

# $(QELFAR_RELEASE_FOLDER)/: the Windows .zip, the far2l .tar.gz, the .deb and SHA256SUMS,
# the same bytes from every build of the same sources.
release: package
	@$(BUILD) far2l --target release

# The shipped DLL, exactly as packaged, run in the simulated host (qelhost,
# a 32-bit Linux program, under qemu-i386-static where the configure step
# found that 32-bit programs do not run natively) through the bundled session.
demo: package
	@echo "Built the plugin packages: for Windows in $(QELFAR_PACKAGE_FOLDER)/, for far2l in"
	@echo "$(QELFAR_FAR2L_PACKAGE_FOLDER)/ (make release packs them):"
	@ls -l $(QELFAR_PACKAGE_FOLDER) $(QELFAR_FAR2L_PACKAGE_FOLDER)
	@$(CONFIGURE) linux32 >/dev/null
	@$(BUILD) linux32 -j $(JOBS) --target qelhost >/dev/null
	@echo
	@echo "A session of the simulated host with $(QELFAR_PACKAGE_FOLDER)/qelfar.dll:"
	@echo
	@bin/qelhost $(QELFAR_PACKAGE_FOLDER)/qelfar.dll qelhost/sessions/demo.qel

# far2l, the Linux port of the file manager, in this terminal with the plugin
# installed, in a throwaway profile and folder holding a far.ads.
try: far2l
	@far2l/try.py $(QELFAR_FAR2L_PACKAGE_FOLDER)

# far2l's screen in README, captured afresh by the far2l test harness.
screens: far2l
	@far2l/save_screens.py $(QELFAR_FAR2L_PACKAGE_FOLDER) README.md

# Every expected transcript (the tests labelled expected_output) and README's
# far2l screen rewritten from the current build, then what changed, for review.
update-expected: package
	$(BUILD_ONCE) linux32 >/dev/null
	@log=build/linux32/update-expected.log; \
	if ! QELFAR_UPDATE_EXPECTED=1 ctest --preset linux32 -L expected_output -j $(JOBS) >$$log 2>&1; then \
	    tail -n 40 $$log; exit 1; \
	fi; grep "tests passed" $$log
	@far2l/save_screens.py $(QELFAR_FAR2L_PACKAGE_FOLDER) README.md
	@git diff --stat

# The test groups. `make test` runs each group's target, test-GROUP, to its end
# whatever the others did, then shows one table of tests passed, failed and skipped and
# seconds per group (tests/run_groups.py), and fails when any group failed. A
# group is its target and one line: TEST_GROUPS += GROUP; its target builds
# the presets it needs with $(BUILD_ONCE), so that groups sharing a build
# configure and build it once, and runs `ctest --preset GROUP`.
TEST_GROUPS :=
# Each group's ctest also writes a JUnit file, from which tests/run_groups.py
# lists the skipped tests with their reasons and the failed ones with their output.
CTEST_RESULTS = --output-junit $(CURDIR)/build/test-results/$(1).xml

TEST_GROUPS += native
test-native: deps
	$(BUILD_ONCE) native
	@ctest --preset native -j $(JOBS) $(call CTEST_RESULTS,native)

# Each fuzz target for a few seconds: a smoke test of the fuzz build.
TEST_GROUPS += fuzz
test-fuzz: deps
	$(BUILD_ONCE) fuzz
	@ctest --preset fuzz $(call CTEST_RESULTS,fuzz)

# The far2l package's check, and the scenarios that drive the plugin in far2l
# itself; FAR2L_TESTS=no leaves the scenarios out. The first run makes the
# Debian 13 root they run in, and says so first.
FAR2L_TESTS ?= yes
TEST_GROUPS += far2l
test-far2l: deps
	$(BUILD_ONCE) far2l
ifneq ($(FAR2L_TESTS),no)
	@far2l/make_root.py --announce
endif
	@ctest --preset far2l -j $(JOBS) $(call CTEST_RESULTS,far2l) $(if $(filter no,$(FAR2L_TESTS)),-LE far2l_scenario)

# qelhost built 32-bit with AddressSanitizer and UndefinedBehaviorSanitizer,
# and qelhost's own tests (those under qelhost/: the shipped DLL's sessions,
# the loader's refusals, the plugin faults, its unit tests).
TEST_GROUPS += qelhost-asan
test-qelhost-asan: deps
	$(BUILD_ONCE) dll qelhost-asan
	@ctest --preset qelhost-asan -j $(JOBS) $(call CTEST_RESULTS,qelhost-asan)

# The unit tests and tools as 32-bit programs, and the checks of the shipped DLL.
TEST_GROUPS += linux32
test-linux32: deps
	$(BUILD_ONCE) dll qelhost-windows linux32
	@ctest --preset linux32 -j $(JOBS) $(call CTEST_RESULTS,linux32)

# qelhost's tests again through qelhost.exe under Wine, Windows' own loader;
# skipped, each saying why, where 32-bit programs do not run natively.
TEST_GROUPS += wine
test-wine: deps
	$(BUILD_ONCE) dll qelhost-windows linux32
	@ctest --preset wine -j $(JOBS) $(call CTEST_RESULTS,wine)

# The coverage floor: plugin/, host/ and qelhost/ together, in per cent of
# their lines and of their branches, from the counts the native and linux32
# groups' tests leave in their builds; measured again only when the code or
# its tests changed (tests/coverage.py keeps a digest in build/coverage/).
COVERAGE_FLOOR := 82 62
COVERAGE = @tests/coverage.py build/native build/linux32 --report build/coverage \
	--floor $(COVERAGE_FLOOR)
TEST_GROUPS += coverage
test-coverage: deps
	$(COVERAGE)

test: deps
	@mkdir -p build/test-results
	@tests/run_groups.py "$(MAKE)" $(TEST_GROUPS)

.PHONY: $(addprefix test-,$(TEST_GROUPS))

# Line and branch coverage of plugin/, host/ and qelhost/ per folder, after
# the native and linux32 groups' tests (whatever they end in).
coverage: deps
	-@$(MAKE) test-native test-linux32
	$(COVERAGE)

# Each fuzz target for FUZZ_SECONDS, then MUTANTS single-byte mutants of the
# shipped DLL through qelhost (qelhost/tests/mutants.py, a new seed each run;
# each bad one is printed as a fixed row for qelhost/tests/mutants.txt).
FUZZ_SECONDS ?= 60
MUTANTS ?= 3000
FUZZ_TARGETS := $(patsubst fuzz/%_fuzz.cpp,%,$(wildcard fuzz/*_fuzz.cpp))
fuzz: deps dll
	$(BUILD_ONCE) fuzz
	@for target in $(FUZZ_TARGETS); do \
	    log=build/fuzz/fuzz/$$target.log; \
	    echo "Fuzzing $$target for $(FUZZ_SECONDS) s (log: $$log)"; \
	    if ! fuzz/run_fuzz_target.sh build/fuzz $$target $(FUZZ_SECONDS) >$$log 2>&1; then \
	        tail -n 40 $$log; exit 1; \
	    fi; \
	    grep -E "^(Done|stat::number_of_executed_units|stat::new_units_added)" $$log; \
	done
	@$(CONFIGURE) linux32 >/dev/null
	@$(BUILD) linux32 --target qelhost -j $(JOBS) >/dev/null
	@echo "Running $(MUTANTS) mutants of dist/qelfar/qelfar.dll through qelhost"
	@# The program just built, under the build's emulator if it has one: not
	@# bin/qelhost, which would build again when a source changes meanwhile.
	@emulator=$$(sed -n 's/^CMAKE_CROSSCOMPILING_EMULATOR:[A-Z]*=//p' build/linux32/CMakeCache.txt); \
	qelhost/tests/mutants.py --dll dist/qelfar/qelfar.dll --session qelhost/sessions/demo.qel \
	    --rows qelhost/tests/mutants.txt --sample $(MUTANTS) --timeout 5 --jobs $(JOBS) \
	    -- $$emulator build/linux32/qelhost/qelhost

# The unit tests, built without sanitizers, under valgrind memcheck.
memcheck: deps
	$(BUILD_ONCE) memcheck
	@tests/run_memcheck.sh build/memcheck/valgrind build/memcheck/tests/qelfar_tests

# Times as ratios to their baselines, then instruction counts from callgrind.
bench: deps
	$(BUILD_ONCE) bench
	@build/bench/bench/qelfar_bench
	@bench/count_instructions.py build/bench/bench/qelfar_bench build/bench/callgrind

clean:
	rm -rf build dist
