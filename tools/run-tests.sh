#!/usr/bin/env bash
# Installs what is missing, builds the shipped 32-bit programs with their tests, and runs every
# test in a sandboxed Wine prefix under build/sandbox. Arguments go to ctest.
#   run-tests.sh --debug [ARGS]   the same tests built with their assertions on (build-debug/, its
#                                 own sandbox); the packages are the shipped build's and are left out
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh
if [ "${1:-}" = "--debug" ]; then
    shift
    tools/build.sh debug
    exec ctest --test-dir build-debug -j2 --output-on-failure --timeout 300 -E '^package\.' "$@"
fi
tools/build.sh
python3 tools/pe-machine.py build/bin/Dustora.exe i386
python3 tools/pe-machine.py build/bin/Ordavel.EXE i386
build=build
if ! tools/can-run-32bit.sh build; then
    echo "run-tests: Wine cannot start a 32-bit program on this machine; testing the 64-bit build of the same code instead" >&2
    tools/build.sh x86_64
    build=build-x86_64
fi
ctest --test-dir "$build" -j2 --output-on-failure --timeout 300 "$@"
