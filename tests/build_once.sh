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
# A build folder that CMake or make cannot use (a cache of another checkout
# or a damaged one, generated files made unreadable) ends the build with one
# line naming the folder and what to run, after CMake's or make's own words.
set -euo pipefail
jobs=$1
shift

# Ends the run, when Log shows a build folder that is damaged rather than
# sources that do not build.
explain_damage() { # PRESET LOG
    local folder=build/$1 why=""
    if grep -qE "does not match the source .* used to generate cache|is different from the directory .* where CMakeCache.txt was created" "$2"; then
        why="its cache was made for another checkout"
    elif grep -qE "Parse error in cache file|Error: could not load cache" "$2"; then
        why="its CMakeCache.txt cannot be read"
    elif grep -qE "CMakeFiles/[^ ]*:[0-9]+: \*\*\* missing separator|No rule to make target '[^']*CMakeFiles/" "$2"; then
        why="the files CMake generated in it cannot be read"
    fi
    if [ -n "$why" ]; then
        echo "qelfar: the build folder $folder is damaged: $why; remove it (rm -rf $folder) and run again" >&2
        exit 1
    fi
}

log=$(mktemp)
trap 'rm -f "$log"' EXIT
for preset in "$@"; do
    mark=""
    if [ -n "${QELFAR_BUILT_PRESETS:-}" ]; then
        mark=$QELFAR_BUILT_PRESETS$PWD/$preset
        if [ -e "$mark" ]; then
            continue
        fi
        mkdir -p "$QELFAR_BUILT_PRESETS$PWD"
    fi
    if [ -e "build/$preset" ] && [ ! -d "build/$preset" ]; then
        echo "qelfar: build/$preset is not a folder; remove it (rm build/$preset) and run again" >&2
        exit 1
    fi
    if ! cmake --preset "$preset" >"$log" 2>&1; then
        cat "$log"
        explain_damage "$preset" "$log"
        exit 1
    fi
    if ! cmake --build --preset "$preset" -j "$jobs" 2>&1 | tee "$log"; then
        explain_damage "$preset" "$log"
        exit 1
    fi
    if [ -n "$mark" ]; then
        touch "$mark"
    fi
done
