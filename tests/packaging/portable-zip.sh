#!/usr/bin/env bash
# The portable archive holds the two programs and the help file as built, and nothing else.
#   portable-zip.sh ARCHIVE PROGRAM_FOLDER
set -euo pipefail
python3 - "$1" "$2" <<'PY'
import os, sys, zipfile
archive, programs = sys.argv[1], sys.argv[2]
expected = ["Dustora.chm", "Dustora.exe", "Ordavel.EXE"]
with zipfile.ZipFile(archive) as z:
    names = sorted(z.namelist())
    if names != expected:
        sys.exit(f"portable-zip: the archive holds {names}, not {expected}")
    for name in names:
        with open(os.path.join(programs, name), "rb") as built:
            if z.read(name) != built.read():
                sys.exit(f"portable-zip: {name} in the archive is not the one built")
print("portable-zip: the two programs and the help file, as built")
PY
