#!/usr/bin/env bash
# Builds the DLL twice from scratch, from two copies of the sources in
# different places into differently named build folders, and fails unless
# both builds give the same bytes and neither holds a path of the build. A
# proof is kept as a digest of its inputs (inputs_digest.sh) beside WORK_DIR:
# while none has changed since, it is not made again and the run ends with
# status 77 (skipped). A clean checkout has no earlier proof and makes it.
# usage: reproducible_build.sh SOURCE_DIR WORK_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(cd "$1" && pwd)
work_dir=$2
proof=$work_dir.proven
digest=$("$here/inputs_digest.sh" "$source_dir")
if [ -f "$proof" ] && [ "$(cat "$proof")" = "$digest" ]; then
    echo "skipped: the DLL's reproducibility was proven for these very inputs" \
         "(digest ${digest:0:12}); a change to any source or tool proves it again"
    exit 77
fi
rm -f "$proof"
rm -rf "$work_dir"
mkdir -p "$work_dir"
work_dir=$(cd "$work_dir" && pwd)
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
rm -rf "$work_dir"
echo "$digest" >"$proof"
