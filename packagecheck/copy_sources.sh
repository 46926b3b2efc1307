#!/usr/bin/env bash
# Copies the sources into a new folder, as a fresh clone holds them: without
# the build and package folders and git's own.
# usage: copy_sources.sh SOURCE_DIR TARGET_DIR
set -euo pipefail
mkdir -p "$2"
tar -C "$1" --exclude=./build --exclude=./dist --exclude=./.git -cf - . | tar -C "$2" -xf -
