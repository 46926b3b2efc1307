#!/bin/sh
# The compiler launcher of a build that measures coverage: before an object
# is compiled anew, the counts its old code left (OBJECT's .gcda) go, as
# they no longer match it and the run-time would refuse them on standard
# error, where qelhost's tests read.
# usage: fresh_counts.sh COMPILER ARGUMENTS... (with -o OBJECT among them)
previous=""
for argument in "$@"; do
    if [ "$previous" = "-o" ]; then
        rm -f "${argument%.o}.gcda"
    fi
    previous=$argument
done
exec "$@"
