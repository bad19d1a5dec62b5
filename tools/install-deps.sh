#!/usr/bin/env bash
# Installs what building and testing need on Debian 12; does nothing when all is there.
set -euo pipefail

# wine32:i386 runs the shipped 32-bit programs in the 64-bit prefix; cppcheck is the static
# analysis of tools/static-analysis.sh; fp-utils (chmcmd) and libchm-bin make and check the help
# file, nsis the setup program.
packages=(cmake make python3 g++-mingw-w64-i686 g++-mingw-w64-x86-64 googletest
          wine wine64 wine32:i386 xvfb xauth x11-utils imagemagick fonts-wine cppcheck
          fp-utils libchm-bin nsis)

missing() {
    local package
    for package in "$@"; do
        dpkg -s "$package" >/dev/null 2>&1 || echo "$package"
    done
}

needed=$(missing "${packages[@]}")
[ -z "$needed" ] && exit 0

sudo=
[ "$(id -u)" -eq 0 ] || sudo=sudo
echo "Installing: $(echo $needed)"
$sudo dpkg --add-architecture i386
$sudo apt-get update -qq
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get install -y -qq "${packages[@]}" >/dev/null
