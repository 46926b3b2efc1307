#!/usr/bin/env bash
# Builds the DLL twice from scratch, from two copies of the sources in
# different places into differently named build folders, and fails unless
# both builds give the same bytes and neither holds a path of the build;
# skipped while an earlier proof holds (proof.sh).
# usage: reproducible_build.sh SOURCE_DIR WORK_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/proof.sh"
source_dir=$(cd "$1" && pwd)
start_proof "the DLL's reproducibility" "$source_dir" "$2"
"$here/copy_sources.sh" "$source_dir" "$work_dir/sources-copy"

build() { # SOURCE BUILD_DIR
    cmake -S "$1" --preset dll -B "$2" >"$2.log" 2>&1 &&
        cmake --build "$2" --target qelfar -j 2 >>"$2.log" 2>&1 ||
        { cat "$2.log"; exit 1; }
}
build "$source_dir" "$work_dir/first"
build "$work_dir/sources-copy" "$work_dir/second-with-a-longer-name"

first=$work_dir/first/qelfar.dll
second=$work_dir/second-with-a-longer-name/qelfar.dll
if ! cmp "$first" "$second"; then
    echo "two builds of the same sources differ"
    exit 1
fi
for path in "$source_dir" "$work_dir"; do
    if grep -qF "$path" "$first"; then
        echo "the DLL holds the path $path"
        exit 1
    fi
done
echo "two builds are byte-identical: $(stat -c %s "$first") bytes, sha256 $(sha256sum "$first" | cut -c1-16)"
end_proof
