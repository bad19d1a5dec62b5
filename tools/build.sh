#!/usr/bin/env bash
# Configures and builds one flavour of the programs:
#   build.sh test     64-bit programs and tests in build/ (what Wine runs on this kind of machine)
#   build.sh release  the shipped 32-bit programs (PE32, i386) in build-i686/, without tests
set -euo pipefail
cd "$(dirname "$0")/.."

case ${1:-test} in
    test) dir=build; toolchain=tools/mingw-x86_64.cmake; tests=ON ;;
    release) dir=build-i686; toolchain=tools/mingw-i686.cmake; tests=OFF ;;
    *) echo "usage: build.sh test|release" >&2; exit 2 ;;
esac
cmake -S . -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release -DDUSTORA_TESTS=$tests >/dev/null
cmake --build "$dir" -j"$(nproc)"
