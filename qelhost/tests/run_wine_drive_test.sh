#!/bin/sh
# run_wine.sh's QELHOST_WINE_DRIVE, with stand-ins for Wine's programs in a
# prefix of its own: the drive is there for the run, Wine gets no copy of
# the lock, the drive is gone after the run, and C: cannot be mapped.
set -u
Here=$(cd "$(dirname "$0")" && pwd)
Scratch=$(mktemp -d) || exit 1
trap 'rm -rf "$Scratch"' EXIT
mkdir -p "$Scratch/bin" "$Scratch/cache/wine-prefix/dosdevices" "$Scratch/journeys"
touch "$Scratch/cache/wine-prefix/.made"
cat >"$Scratch/bin/wine" <<'END'
#!/bin/sh
readlink "$WINEPREFIX/dosdevices/j:"
[ -e /proc/self/fd/8 ] && echo "wine holds the lock"
exit 0
END
printf '#!/bin/sh\n' >"$Scratch/bin/wineserver"
chmod +x "$Scratch/bin/wine" "$Scratch/bin/wineserver"
Run() {
    PATH=$Scratch/bin:$PATH QELFAR_CACHE=$Scratch/cache QELHOST_EMULATED= \
        QELHOST_WINE_DRIVE=$1 sh "$Here/run_wine.sh" qelhost.exe 2>&1
}
Failed=0
Check() { # what, got, wanted
    if [ "$2" != "$3" ]; then
        echo "$1: got \"$2\", wanted \"$3\""
        Failed=1
    fi
}
Check "the drive during the run" "$(Run "J=$Scratch/journeys")" "$Scratch/journeys"
Check "the drive after the run" "$(ls "$Scratch/cache/wine-prefix/dosdevices")" ""
Check "C: mapped" "$(Run "C=$Scratch/journeys"; echo "status $?")" \
    "run_wine.sh: QELHOST_WINE_DRIVE is L=DIR with L a drive letter other than C and Z, not \"C=$Scratch/journeys\"
status 2"
exit $Failed
