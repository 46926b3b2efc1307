#!/usr/bin/env bash
# Makes the release twice, with make release, from two copies of the sources
# in differently named folders, and fails unless both hold the same files
# with the same checksums and each passes sha256sum -c. A proof is kept as a
# digest of its inputs beside WORK_DIR: while no input has changed since,
# the proof is not made again and the run ends with status 77 (skipped). A
# clean checkout has no earlier proof and always makes it.
# usage: reproducible_release.sh SOURCE_DIR WORK_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(cd "$1" && pwd)
work_dir=$2
proof=$work_dir.proven
digest=$("$here/inputs_digest.sh" "$source_dir")
if [ -f "$proof" ] && [ "$(cat "$proof")" = "$digest" ]; then
    echo "skipped: the release's reproducibility was proven for these very sources" \
         "(digest ${digest:0:12}); a change to any source proves it again"
    exit 77
fi
rm -f "$proof"
rm -rf "$work_dir"
mkdir -p "$work_dir"
work_dir=$(cd "$work_dir" && pwd)

# make's settings of a make that runs this test would reach the inner one.
unset MAKEFLAGS MFLAGS MAKELEVEL
release() { # COPY
    "$here/copy_sources.sh" "$source_dir" "$1"
    make -C "$1" release JOBS=2 >"$1.log" 2>&1 || { tail -n 40 "$1.log"; exit 1; }
    (cd "$1/dist/release" && sha256sum --quiet -c SHA256SUMS) || exit 1
}
release "$work_dir/first"
release "$work_dir/second-copy-with-a-longer-name"

first=$work_dir/first/dist/release
second=$work_dir/second-copy-with-a-longer-name/dist/release
if ! diff <(ls "$first") <(ls "$second") || ! diff "$first/SHA256SUMS" "$second/SHA256SUMS"; then
    echo "two releases of the same sources differ"
    exit 1
fi
echo "two releases are identical:"
cat "$first/SHA256SUMS"
rm -rf "$work_dir"
echo "$digest" >"$proof"
