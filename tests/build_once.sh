#!/usr/bin/env bash
# Configures and builds each preset named, in that order.
# usage: build_once.sh JOBS PRESET...
# Within one `make test`, whose tests/run_groups.py names a folder for the
# run in QELFAR_BUILT_PRESETS, a preset already built there is left as it
# is: the groups that share a build (linux32 and wine, and every group that
# tests the shipped DLL) configure and build it once. The marks are kept per
# source folder (the current one), as a test may build a copy of the
# sources. A build that failed leaves no mark, so the next group that needs
# it tries again and fails too.
set -euo pipefail
jobs=$1
shift
for preset in "$@"; do
    mark=""
    if [ -n "${QELFAR_BUILT_PRESETS:-}" ]; then
        mark=$QELFAR_BUILT_PRESETS$PWD/$preset
        if [ -e "$mark" ]; then
            continue
        fi
        mkdir -p "$QELFAR_BUILT_PRESETS$PWD"
    fi
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$jobs"
    if [ -n "$mark" ]; then
        touch "$mark"
    fi
done
