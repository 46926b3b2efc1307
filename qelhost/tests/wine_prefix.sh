#!/bin/sh
# Makes the Wine prefix that the tests of qelhost.exe share, once, under a
# lock, in the cache beside the far2l root (outside any build folder), and
# prints its path. Exit status 77 with one line on standard output when this
# machine cannot run it: 32-bit programs need to run natively (Wine does not
# run under qemu-user), and Wine must be installed.
set -eu
Cache=${QELFAR_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/qelfar}
Prefix=$Cache/wine-prefix
Skip=77

if ! command -v wine >/dev/null 2>&1; then
    echo "skipped: Wine is not installed (make deps installs it)"
    exit $Skip
fi
if [ "${QELHOST_EMULATED:-}" = yes ]; then
    echo "skipped: this machine runs 32-bit programs only under an emulator, where Wine cannot run"
    exit $Skip
fi

mkdir -p "$Cache"
exec 9>"$Prefix.lock"
flock 9
if [ ! -f "$Prefix/.made" ]; then
    rm -rf "$Prefix"
    if ! WINEPREFIX=$Prefix WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
        wineboot -i >"$Prefix.log" 2>&1; then
        echo "skipped: Wine could not make its prefix (see $Prefix.log)"
        exit $Skip
    fi
    WINEPREFIX=$Prefix wineserver -w
    # Only C: and Z: (the root): a drive letter that a script names, such as
    # D:, must exist nowhere, as under the Linux qelhost.
    find "$Prefix/dosdevices" -mindepth 1 -maxdepth 1 ! -name c: ! -name z: -exec rm -f {} +
    touch "$Prefix/.made"
fi
echo "$Prefix"
