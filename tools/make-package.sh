#!/usr/bin/env bash
# Makes what users download: the setup program DustoraSetup-<version>.exe and the portable archive
# Dustora-<version>-portable.zip (the two programs and the help, nothing else).
#
#   make-package.sh PROGRAM_FOLDER OUTPUT_FOLDER
# PROGRAM_FOLDER holds Dustora.exe, Ordavel.EXE and Dustora.chm (build/bin).
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
programs=$1 out=$2
version=$(sed -n 's/^#define DUSTORA_FILE_VERSION "\(.*\)"$/\1/p' "$repo/resources/VersionInfo.h")
[ -n "$version" ] || { echo "make-package: no version in resources/VersionInfo.h" >&2; exit 1; }
files=(Dustora.exe Ordavel.EXE Dustora.chm)

stage=$out/stage
rm -rf "$stage"
mkdir -p "$stage"
for file in "${files[@]}"; do
    cp "$programs/$file" "$stage/"
done
cp "$repo/resources/Dustora.ico" "$stage/"
python3 "$repo/tools/page-text.py" "$repo/help/html/lice6nj9.htm" >"$stage/licence.txt"

setup=$out/DustoraSetup-$version.exe
makensis -V2 -DSTAGE="$stage" -DOUTFILE="$setup" "$repo/packaging/Dustora.nsi" >/dev/null
echo "$setup"

archive=$out/Dustora-$version-portable.zip
rm -f "$archive"
(cd "$stage" && cmake -E tar cf "$archive" --format=zip "${files[@]}")
echo "$archive"
