#!/usr/bin/env bash
# Runs test programs under valgrind memcheck and fails on any memory error
# and on any block the program still holds at its end.
#
# Death tests fork a child that exits on purpose in the middle of a test,
# holding the test framework's memory; the child is kept silent and only a
# real leak in it (not memory still reachable) counts as an error.
# usage: run_memcheck.sh LOG_DIR PROGRAM...
set -euo pipefail
log_dir=$1
shift
mkdir -p "$log_dir"
status=0
for program in "$@"; do
    log="$log_dir/$(basename "$program").valgrind.log"
    if ! valgrind --error-exitcode=99 --leak-check=full --show-leak-kinds=all \
        --errors-for-leak-kinds=definite,indirect,possible \
        --child-silent-after-fork=yes --log-file="$log" "$program" >"$log.out" 2>&1; then
        echo "$program: FAILED under valgrind (see $log and $log.out)"
        status=1
    elif ! grep -q "All heap blocks were freed" "$log"; then
        echo "$program: blocks still held at exit (see $log)"
        status=1
    else
        echo "$program: $(grep -o 'ERROR SUMMARY: [0-9]* errors' "$log"), all heap blocks freed"
    fi
done
exit $status
