#!/usr/bin/env bash
# Installs what building and testing need on Debian 12; does nothing when all is there.
set -euo pipefail

packages=(cmake make python3 g++-mingw-w64-i686 g++-mingw-w64-x86-64 googletest
          wine wine64 xvfb xauth x11-utils imagemagick fonts-wine)
# Runs the 32-bit build where the kernel runs 32-bit code; the tests do without it.
optional=(wine32:i386)

missing() {
    local package
    for package in "$@"; do
        dpkg -s "$package" >/dev/null 2>&1 || echo "$package"
    done
}

needed=$(missing "${packages[@]}" "${optional[@]}")
[ -z "$needed" ] && exit 0

sudo=
[ "$(id -u)" -eq 0 ] || sudo=sudo
echo "Installing: $(echo $needed)"
$sudo dpkg --add-architecture i386
$sudo apt-get update -qq
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get install -y -qq "${packages[@]}" >/dev/null
$sudo apt-get install -y -qq "${optional[@]}" >/dev/null ||
    echo "install-deps: ${optional[*]} did not install; the 64-bit tests do not need it" >&2
