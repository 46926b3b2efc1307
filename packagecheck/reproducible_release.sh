#!/usr/bin/env bash
# Makes the release twice, with make release, from two copies of the sources
# in differently named folders, and fails unless both hold the same files
# with the same checksums and each passes sha256sum -c; skipped while an
# earlier proof holds (proof.sh).
# usage: reproducible_release.sh SOURCE_DIR WORK_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/proof.sh"
source_dir=$(cd "$1" && pwd)
start_proof "the release's reproducibility" "$source_dir" "$2"

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
end_proof
