#!/bin/sh
# Runs qelhost.exe under Wine in the prefix the tests share:
#   run_wine.sh QELHOST_EXE ARGUMENTS...
# QELHOST_WINE_DRIVE=L=DIR (optional) gives the run the drive L: on the
# folder DIR, as --drive L=DIR does for the Linux qelhost.
# Where Wine cannot run here, says why in one line starting with
# "qelhost.exe tests skipped:" and exits with status 77.
Prefix=$("$(dirname "$0")/wine_prefix.sh")
Status=$?
if [ $Status -ne 0 ]; then
    echo "qelhost.exe tests ${Prefix:-skipped: the Wine prefix could not be made}"
    exit 77
fi
export WINEPREFIX="$Prefix" WINEDEBUG=-all
# The server lingers a while between the tests. Wine's own helper processes
# (started with the server) inherit the output of the program that started
# them and keep it open: through files, the test need not wait for them.
wineserver -p10 </dev/null >/dev/null 2>&1
Link=""
Output=$(mktemp) && Errors=$(mktemp) || exit 1
trap 'rm -f "$Output" "$Errors" ${Link:+"$Link"}' EXIT
if [ -n "${QELHOST_WINE_DRIVE:-}" ]; then
    Letter=$(printf %s "${QELHOST_WINE_DRIVE%%=*}" | tr A-Z a-z)
    Folder=${QELHOST_WINE_DRIVE#*=}
    case "$Letter" in
    [abd-y]) ;;
    *)
        echo "run_wine.sh: QELHOST_WINE_DRIVE is L=DIR with L a drive letter other than C and Z, not \"$QELHOST_WINE_DRIVE\"" >&2
        exit 2
        ;;
    esac
    if [ ! -d "$Folder" ]; then
        echo "run_wine.sh: QELHOST_WINE_DRIVE names no folder: \"$Folder\"" >&2
        exit 2
    fi
    # The prefix is shared: the runs that add a drive take turns, and each
    # takes its drive away again, since a letter that no run mapped must
    # exist nowhere. Wine gets no copy of the lock (8>&-), or its lingering
    # helpers would hold it.
    exec 8>"$Prefix.drive.lock"
    flock 8
    Link="$Prefix/dosdevices/$Letter:"
    ln -sfn "$(cd "$Folder" && pwd)" "$Link"
fi
wine "$@" 8>&- >"$Output" 2>"$Errors"
Status=$?
cat "$Output"
cat "$Errors" >&2
exit $Status
