#!/usr/bin/env bash
# Prints one digest of what a build's bytes depend on: every file that a
# copy of the sources holds (copy_sources.sh), by content, and the versions
# of the tools that turn them into the shipped files. A proof of
# reproducibility made for this digest holds while it is unchanged.
# usage: inputs_digest.sh SOURCE_DIR
set -euo pipefail
cd "$1"
{
    find . \( -path ./build -o -path ./dist -o -path ./.git \) -prune -o -type f -print0 |
        LC_ALL=C sort -z | xargs -0 sha256sum
    for tool in i686-w64-mingw32-g++ g++ cmake; do
        "$tool" --version 2>/dev/null | head -n 1 || echo "$tool missing"
    done
} | sha256sum | cut -d" " -f1
