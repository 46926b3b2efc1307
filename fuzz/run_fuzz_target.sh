#!/usr/bin/env bash
# Runs one fuzz target for a bounded time, starting from the seeds in the
# repo. New inputs go to a corpus in the build folder, and an input that
# breaks the target to findings/ there.
# usage: run_fuzz_target.sh BUILD_DIR NAME SECONDS
set -euo pipefail
build_dir=$1
name=$2
seconds=$3
here=$(cd "$(dirname "$0")" && pwd)
# The longest input: 4096 bytes, unless the target names its own in
# NAME.max_len (a DLL's seeds are longer).
max_len=4096
if [ -f "$here/$name.max_len" ]; then
    max_len=$(cat "$here/$name.max_len")
fi
work_corpus=$build_dir/fuzz/corpus/$name
mkdir -p "$work_corpus" "$build_dir/fuzz/findings"
exec "$build_dir/fuzz/qelfar_fuzz_$name" -max_total_time="$seconds" -max_len="$max_len" \
    -print_final_stats=1 -artifact_prefix="$build_dir/fuzz/findings/$name-" \
    "$work_corpus" "$here/corpus/$name"
