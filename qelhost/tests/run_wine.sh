#!/bin/sh
# Runs qelhost.exe under Wine in the prefix the tests share:
#   run_wine.sh QELHOST_EXE ARGUMENTS...
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
Output=$(mktemp) && Errors=$(mktemp) || exit 1
trap 'rm -f "$Output" "$Errors"' EXIT
wine "$@" >"$Output" 2>"$Errors"
Status=$?
cat "$Output"
cat "$Errors" >&2
exit $Status
