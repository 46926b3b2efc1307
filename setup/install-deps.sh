#!/usr/bin/env bash
# Installs the Debian packages listed in packages.txt that are missing.
# Quick and silent when everything is present.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
mapfile -t wanted < <(sed -e 's/#.*//' -e '/^[[:space:]]*$/d' "$here/packages.txt")

missing=()
for package in "${wanted[@]}"; do
    status=$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)
    [ "$status" = installed ] || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

# Packages of another architecture (wine32:i386) need it known to dpkg first.
foreign=$(printf '%s\n' "${missing[@]}" | sed -n 's/.*:\([a-z0-9]*\)$/\1/p' | sort -u)
command="apt-get update && apt-get install -y --no-install-recommends ${missing[*]}"
for arch in $foreign; do
    command="dpkg --add-architecture $arch && $command"
done
if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages: ${missing[*]}" >&2
    echo "Install them as root with: $command" >&2
    exit 1
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
for arch in $foreign; do
    dpkg --print-foreign-architectures | grep -qx "$arch" || dpkg --add-architecture "$arch"
done
log=$(mktemp)
trap 'rm -f "$log"' EXIT
# A mirror caught mid-sync can fail one index (seen: the security suite's
# i386 list); the others are still good, so go on and let the install tell.
apt-get update -qq >"$log" 2>&1 || echo "apt-get update: some indexes failed; going on with the rest" >&2
install() {
    apt-get install -y -qq --no-install-recommends "$@" "${missing[@]}" >>"$log" 2>&1
}
if ! install; then
    # Without one architecture's security index, the two architectures'
    # candidates of a shared library differ; the release's own versions agree.
    codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
    if [ -z "$codename" ] || ! install -t "$codename"; then
        tail -n 20 "$log" >&2
        echo "Could not install: ${missing[*]}" >&2
        exit 1
    fi
fi
