#!/usr/bin/env bash
# Static analysis of the programs' sources with cppcheck, reading them as 32-bit ANSI Windows
# code. Fails on any finding; the tree is kept at none.
#
# The checks are cppcheck's warnings (uninitialised members and variables, leaks of memory,
# handles and GDI objects, buffer sizes and overruns), portability (sign and truncation of sizes,
# pointer casts) and performance, and its style checks but for the few that quarrel with the
# design: operations that the design makes members, virtual or non-const stay so, and CString
# converts from text implicitly as the framework's string does.
set -euo pipefail
cd "$(dirname "$0")/.."

cppcheck --enable=warning,style,performance,portability --inconclusive \
    --platform=win32A --library=windows --std=c++17 -I . \
    --suppress=missingIncludeSystem \
    --suppress=functionStatic --suppress=functionConst --suppress=constParameter \
    --suppress=useStlAlgorithm --suppress=noExplicitConstructor:framework/CString.h \
    --inline-suppr --error-exitcode=1 --template=gcc --quiet \
    $(for folder in app engine registry dialogs controls framework scheduler; do [ -d "$folder" ] && echo "$folder"; done)
echo "static analysis: no findings"
