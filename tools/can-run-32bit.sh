#!/usr/bin/env bash
# Succeeds when Wine starts a 32-bit Windows program here: a tiny one is built and started in the
# sandbox of build folder BUILD (default build). Wine runs 32-bit programs only where the Linux
# kernel runs 32-bit code and Debian's wine32:i386 is installed.
#
#   can-run-32bit.sh [BUILD]
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build}
probe=$build/probe32/Probe32.exe
mkdir -p "$build/probe32"
echo 'int main(void) { return 32; }' | i686-w64-mingw32-gcc -x c - -o "$probe"
status=0
tools/wine-sandbox.sh run --sandbox "$build/sandbox" -- "$probe" </dev/null >/dev/null 2>&1 || status=$?
[ "$status" -eq 32 ]
