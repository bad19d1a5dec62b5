#!/usr/bin/env bash
# Installs what is missing, builds the shipped 32-bit programs and the 64-bit test build,
# and runs every test in a sandboxed Wine prefix under build/sandbox.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh
tools/build.sh release
python3 tools/pe-machine.py build-i686/bin/Dustora.exe i386
python3 tools/pe-machine.py build-i686/bin/Ordavel.EXE i386
tools/build.sh test
ctest --test-dir build -j2 --output-on-failure --timeout 300 "$@"
