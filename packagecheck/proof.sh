# The proofs of reproducibility keep, beside their work folder, a digest of
# what the built bytes depend on: every file a copy of the sources holds
# (copy_sources.sh), by content, and the versions of the tools that build
# them. While that digest is unchanged the proof still holds, and it is not
# made again: the test ends with status 77 (skipped), saying why. A clean
# checkout has no earlier proof and always makes it.
# Sourced by reproducible_build.sh and reproducible_release.sh.

inputs_digest() { # SOURCE_DIR
    (
        cd "$1"
        find . \( -path ./build -o -path ./dist -o -path ./.git \) -prune -o -type f -print0 |
            LC_ALL=C sort -z | xargs -0 sha256sum
        for tool in i686-w64-mingw32-g++ g++ cmake; do
            "$tool" --version 2>/dev/null | head -n 1 || echo "$tool missing"
        done
    ) | sha256sum | cut -d" " -f1
}

# Ends the run as skipped when WHAT was proven for these inputs; otherwise
# sets proof and digest and makes work_dir (WORK_DIR, absolute) afresh.
start_proof() { # WHAT SOURCE_DIR WORK_DIR
    proof=$3.proven
    digest=$(inputs_digest "$2")
    if [ -f "$proof" ] && [ "$(cat "$proof")" = "$digest" ]; then
        echo "skipped: $1 was proven for these very inputs (digest ${digest:0:12});" \
             "a change to any source or tool proves it again"
        exit 77
    fi
    rm -f "$proof"
    rm -rf "$3"
    mkdir -p "$3"
    work_dir=$(cd "$3" && pwd)
}

# Keeps the proof, once made, and drops the folder it was made in.
end_proof() {
    rm -rf "$work_dir"
    echo "$digest" >"$proof"
}
