#!/usr/bin/env bash
# Compiles the help file from help/ with chmcmd, then checks it: both topics the program opens and
# every page, link and picture the contents and pages name must be inside.
#
#   build-help.sh SOURCE_FOLDER WORK_FOLDER OUTPUT.chm
set -euo pipefail

source=$1 work=$2 output=$3
rm -rf "$work"
mkdir -p "$work"
cp -r "$source"/. "$work/"
(cd "$work" && chmcmd --verbosity 0 Dustora.hhp >chmcmd.log 2>&1) || { cat "$work/chmcmd.log" >&2; exit 1; }
if grep -q "couldn't find it on disk" "$work/chmcmd.log"; then
    grep "couldn't find it on disk" "$work/chmcmd.log" >&2
    exit 1
fi
python3 "$(dirname "$0")/check-help.py" "$work/Dustora.chm"
mkdir -p "$(dirname "$output")"
cp "$work/Dustora.chm" "$output"
