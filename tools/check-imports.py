#!/usr/bin/env python3
"""Checks that Windows programs load on Windows 2000: every function a program imports must be in
the table (tools/windows-imports.tsv: DLL, function, the first Windows that has it) and must be
there in Windows 2000. Functions looked up at run time with GetProcAddress are not imports.

    check-imports.py [--objdump OBJDUMP] --table TSV PROGRAM...
    check-imports.py [--objdump OBJDUMP] --table TSV --list PROGRAM...   (prints the imports)
"""
import argparse
import re
import subprocess
import sys

# Client versions in order of release; a program may import what all those up to TARGET have.
VERSIONS = ["Windows 95", "Windows NT 4.0", "Windows 98", "Windows 2000", "Windows XP",
            "Windows Vista", "Windows 7", "Windows 8", "Windows 8.1", "Windows 10"]
TARGET = "Windows 2000"


def read_table(path):
    table = {}
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            line = line.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            fields = line.split("\t")
            if len(fields) not in (3, 4) or fields[2] not in VERSIONS:
                sys.exit(f"{path}:{number}: expected DLL, function, one of {', '.join(VERSIONS)}"
                         f" and maybe a note, separated by tabs: {line!r}")
            key = (fields[0].lower(), fields[1])
            if key in table:
                sys.exit(f"{path}:{number}: {fields[0]} {fields[1]} is listed twice")
            table[key] = fields[2]
    return table


def imports_of(objdump, program):
    """The (dll, function) pairs a PE file imports, functions imported by number as #N."""
    text = subprocess.run([objdump, "-p", program], check=True, capture_output=True, text=True).stdout
    found, dll = [], None
    for line in text.splitlines():
        match = re.match(r"\tDLL Name: (\S+)", line)
        if match:
            dll = match.group(1).lower()
            continue
        match = re.match(r"\t\s*[0-9a-f]+\s+(\d+)\s+(\S+)$", line)
        if dll and match:
            hint, name = match.groups()
            found.append((dll, "#" + hint if name == "<none>" else name))
        elif not line.strip():
            continue
        elif not line.startswith("\t"):
            dll = None
    return found


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--objdump", default="i686-w64-mingw32-objdump")
    parser.add_argument("--table", required=True)
    parser.add_argument("--list", action="store_true")
    parser.add_argument("programs", nargs="+")
    args = parser.parse_args()
    table = read_table(args.table)
    failed = False
    for program in args.programs:
        imports = imports_of(args.objdump, program)
        if not imports:
            print(f"{program}: no imported functions found", file=sys.stderr)
            failed = True
            continue
        for dll, function in imports:
            version = table.get((dll, function))
            if args.list:
                print(f"{dll}\t{function}\t{version or '?'}")
            elif version is None:
                print(f"{program}: {dll} {function} is not in {args.table}", file=sys.stderr)
                failed = True
            elif VERSIONS.index(version) > VERSIONS.index(TARGET):
                print(f"{program}: {dll} {function} needs {version}", file=sys.stderr)
                failed = True
        if not args.list and not failed:
            print(f"{program}: {len(imports)} functions from {len({d for d, _ in imports})} DLLs,"
                  f" all in {TARGET}")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
