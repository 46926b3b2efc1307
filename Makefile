# The two commands a fresh machine needs:
#   make demo   builds the plugin package and shows it at work
#   make test   builds everything and runs every test
# Each installs what is missing first (make deps).

JOBS ?= $(shell nproc)
BUILD := cmake --build --preset
CONFIGURE := cmake --preset

.PHONY: all deps dll package demo test test-native test-linux32 clean

all: package

deps:
	@setup/install-deps.sh

dll: deps
	@$(CONFIGURE) dll >/dev/null
	@$(BUILD) dll -j $(JOBS)

package: dll

demo: package
	@echo "Built the plugin package in dist/qelfar/ (and dist/qelfar.zip):"
	@ls -l dist/qelfar

test-native: deps
	@$(CONFIGURE) native >/dev/null
	@$(BUILD) native -j $(JOBS)
	@ctest --preset native -j $(JOBS)

# Runs last: its summary closes the run, and it checks the shipped DLL too.
test-linux32: deps dll
	@$(CONFIGURE) linux32 >/dev/null
	@$(BUILD) linux32 -j $(JOBS)
	@ctest --preset linux32 -j $(JOBS)

test: test-native
	@$(MAKE) --no-print-directory test-linux32

clean:
	rm -rf build dist
