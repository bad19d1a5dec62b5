#!/usr/bin/env bash
# Configures and builds the programs with their tests:
#   build.sh          the shipped 32-bit programs (PE32, i386) and their tests in build/
#   build.sh x86_64   the same code for 64-bit Windows in build-x86_64/, only for machines whose
#                     kernel cannot run 32-bit code (tools/run-tests.sh decides)
#   build.sh debug    the 32-bit programs and tests with their assertions on, in build-debug/
set -euo pipefail
cd "$(dirname "$0")/.."

type=Release
case ${1:-i686} in
    i686) dir=build; toolchain=tools/mingw-i686.cmake ;;
    x86_64) dir=build-x86_64; toolchain=tools/mingw-x86_64.cmake ;;
    debug) dir=build-debug; toolchain=tools/mingw-i686.cmake; type=Debug ;;
    *) echo "usage: build.sh [i686|x86_64|debug]" >&2; exit 2 ;;
esac
# A build folder made with another compiler (the posix thread model's, before) is configured and
# built anew: CMake keeps the compiler it found first.
fresh=() clean=()
wanted=$(sed -n 's/^set(CMAKE_CXX_COMPILER \(.*\))$/\1/p' "$toolchain")
found=$(sed -n 's/^set(CMAKE_CXX_COMPILER "\(.*\)")$/\1/p' "$dir"/CMakeFiles/*/CMakeCXXCompiler.cmake 2>/dev/null | head -n 1 || true)
if [ -n "$found" ] && [ "$(basename "$found")" != "$wanted" ]; then
    echo "build.sh: $dir was made with $(basename "$found"); building it anew with $wanted" >&2
    fresh=(--fresh) clean=(--clean-first)
fi
cmake "${fresh[@]}" -S . -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=$type -DDUSTORA_TESTS=ON >/dev/null
cmake --build "$dir" "${clean[@]}" -j"$(nproc)"
