#!/usr/bin/env bash
# A damaged build folder ends tests/build_once.sh with one line that names
# the folder and what to run; a sound one builds. Each damage is planted in
# the build folder of a small project of its own, made in WORK_DIR.
# usage: build_once_test.sh WORK_DIR
set -uo pipefail
# Within make test the marks of built presets would skip the builds here.
unset QELFAR_BUILT_PRESETS
build_once=$(cd "$(dirname "$0")" && pwd)/build_once.sh
work=$1
rm -rf "$work" && mkdir -p "$work" && cd "$work" || exit 1
cat >CMakeLists.txt <<'PROJECT'
cmake_minimum_required(VERSION 3.21)
project(damage NONE)
add_custom_target(done ALL COMMAND true)
PROJECT
cat >CMakePresets.json <<'PRESETS'
{"version": 3,
 "configurePresets": [{"name": "small", "binaryDir": "${sourceDir}/build/small",
                       "generator": "Unix Makefiles"}],
 "buildPresets": [{"name": "small", "configurePreset": "small"}]}
PRESETS

failures=0
# CASE, how it damages build/small (run in WORK_DIR), the line expected.
expect() {
    rm -rf build && "$build_once" 1 small >/dev/null 2>&1 || { echo "$1: the sound build failed"; exit 1; }
    eval "$2"
    local output
    output=$("$build_once" 1 small 2>&1)
    local status=$?
    if [ $status -eq 0 ] || [ "$(printf '%s\n' "$output" | tail -n 1)" != "$3" ]; then
        echo "$1: status $status, last line: $(printf '%s\n' "$output" | tail -n 1)"
        echo "  expected: $3"
        failures=$((failures + 1))
    fi
}
expect "a checkout moved" \
    "sed -i 's|^CMAKE_HOME_DIRECTORY:INTERNAL=.*|CMAKE_HOME_DIRECTORY:INTERNAL=/elsewhere|' build/small/CMakeCache.txt" \
    "qelfar: the build folder build/small is damaged: its cache was made for another checkout; remove it (rm -rf build/small) and run again"
expect "a cache of noise" \
    "printf '\\377\\376(\\001\\n%.0s' 1 2 3 >build/small/CMakeCache.txt" \
    "qelfar: the build folder build/small is damaged: its CMakeCache.txt cannot be read; remove it (rm -rf build/small) and run again"
expect "a file in its place" \
    "rm -rf build/small && touch build/small" \
    "qelfar: build/small is not a folder; remove it (rm build/small) and run again"
[ $failures -eq 0 ] && echo "each damaged build folder was named with what to run"
exit $((failures > 0))
