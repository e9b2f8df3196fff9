#!/usr/bin/env bash
# Installs, from Debian's packages, whatever the build and the tests need and
# this machine lacks; given package names, whichever of those it lacks. Does
# nothing when everything is already there. Wine's 32-bit part is left out
# where the machine cannot run 32-bit x86 code.
#   setup.sh [PACKAGE...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/tools/probe.sh"

packages=(cmake g++ make libgtest-dev libbenchmark-dev
          mingw-w64 g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
          wine wine64 fonts-wine xvfb x11-utils imagemagick)
with_i386=
if [ $# -gt 0 ]; then
    packages=("$@")
elif probe_i386 >/dev/null; then
    with_i386=yes
    packages+=(wine32:i386)
fi

sudo_if_needed() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' \
        || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if [ -n "$with_i386" ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    sudo_if_needed dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
sudo_if_needed apt-get update -qq
sudo_if_needed apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
